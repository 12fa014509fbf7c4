// UF_CUT_LEVELS_*: loaded copies, edits by z, and levels computed from the part geometry.
#include "nxhost/cam/levels.h"

#include <algorithm>
#include <cmath>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/frame.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/shapes.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_cut_levels.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

constexpr double kSameZ = 1e-6;

std::vector<tag_t> items_up_the_tree(tag_t oper, int geom_type) {
    for (const CamObject *at = cam_object(oper); at; at = cam_object(at->parent[kGeometryView])) {
        auto it = at->items.find(geom_type);
        if (it == at->items.end() || it->second.empty()) continue;
        std::vector<tag_t> entities;
        for (const GeomItem &item : it->second) entities.push_back(item.entity);
        return entities;
    }
    return {};
}

double global_depth(tag_t oper) {
    const ParamSpec *spec = param_spec(UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH);
    return effective_value(oper, *spec).real;
}

// Heights along the axis z of the planar faces of the entities that face along it.
std::vector<double> floor_heights(const std::vector<tag_t> &entities, const double z[3]) {
    std::vector<double> heights;
    auto take = [&](const modeling::ShapeRef &face) {
        modeling::FaceInfo info = modeling::face_info(face);
        const double along = info.normal[0] * z[0] + info.normal[1] * z[1] + info.normal[2] * z[2];
        if (info.planar && along > 1.0 - 1e-9) heights.push_back(info.offset);
    };
    for (tag_t t : entities) {
        const Object *obj = store().find(t);
        if (!obj) continue;
        if (const modeling::BodyPayload *body = modeling::body_payload(*obj)) {
            for (const modeling::ShapeRef &face : body->faces) take(face);
        } else if (obj->subtype == UF_solid_face_subtype) {
            if (const modeling::ShapePayload *face = modeling::shape_payload(*obj)) take(face->shape);
        }
    }
    return heights;
}

std::vector<UF_CUT_LEVEL_single_t> computed_levels(tag_t oper) {
    // Without part geometry the cut area bounds the levels, as in Z-level milling of an area.
    std::vector<tag_t> part = part_entities(oper);
    if (part.empty()) part = items_up_the_tree(oper, UF_CAM_cut_area);
    const csys::Matrix axes = mcs_axes_of(oper);
    Box part_box{};
    if (!entities_box_along(part, axes, &part_box)) return {};
    double top = part_box[5];
    Box blank_box{};
    if (entities_box_along(blank_entities(oper), axes, &blank_box)) top = blank_box[5];
    else if (const AutoBlank *blank = auto_blank_of(oper))
        top += blank->offset[blank->type == UF_CAM_auto_block_type ? 4 : 0];  // +ZM, or the offset from the part
    std::vector<double> heights = floor_heights(part, &axes[6]);
    heights.push_back(part_box[2]);
    std::sort(heights.begin(), heights.end(), std::greater<double>());
    std::vector<UF_CUT_LEVEL_single_t> levels;
    for (double z : heights) {
        if (z >= top - kSameZ) continue;
        if (!levels.empty() && std::abs(levels.back().z_level - z) <= kSameZ) continue;
        levels.push_back({NULL_TAG, z, global_depth(oper)});
    }
    return levels;
}

// The operation's levels made its own, as any edit does; an automatic range becomes user defined.
CutLevels &freeze(CamObject &op, tag_t oper) {
    if (!op.levels.edited) {
        op.levels.levels = current_levels(oper);
        op.levels.edited = true;
    }
    if (op.levels.range_type == UF_PARAM_clv_range_auto_generate) op.levels.range_type = UF_PARAM_clv_range_user_defined;
    return op.levels;
}

void sort_levels(std::vector<UF_CUT_LEVEL_single_t> *levels) {
    std::stable_sort(levels->begin(), levels->end(),
                     [](const UF_CUT_LEVEL_single_t &a, const UF_CUT_LEVEL_single_t &b) { return a.z_level > b.z_level; });
}

UF_CUT_LEVEL_single_t *level_array(const std::vector<UF_CUT_LEVEL_single_t> &levels) {
    if (levels.empty()) return nullptr;
    auto *array = static_cast<UF_CUT_LEVEL_single_t *>(nx_alloc(levels.size() * sizeof(UF_CUT_LEVEL_single_t)));
    std::copy(levels.begin(), levels.end(), array);
    return array;
}

// Brings a loaded copy up to date after a change.
void refresh_copy(tag_t oper, UF_CUT_LEVELS_t *copy) {
    if (!copy) return;
    if (copy->cut_levels) UF_free(copy->cut_levels);
    const std::vector<UF_CUT_LEVEL_single_t> levels = current_levels(oper);
    copy->num_levels = static_cast<int>(levels.size());
    copy->cut_levels = level_array(levels);
}

// The operation for an edit of its levels; an error code when it has none.
int layered(const char *call, tag_t oper, CamObject **op) {
    *op = lookup_cam(call, oper, {Kind::Operation});
    if (!*op) return kBadTag;
    if (!has_cut_levels(store().find(oper)->subtype))
        return refuse(call, kNoCutLevels, name_of(oper) + " is no cavity, Z-level or plunge milling operation");
    return 0;
}

void levels_changed(tag_t oper, UF_CUT_LEVELS_t *copy) {
    changed(oper);
    refresh_copy(oper, copy);
}

}  // namespace

bool has_cut_levels(int subtype) {
    return subtype == UF_mach_cavity_milling_subtype || subtype == UF_mach_zlevel_milling_subtype ||
           subtype == UF_mach_plunge_milling_subtype;
}

std::vector<UF_CUT_LEVEL_single_t> current_levels(tag_t oper) {
    const CamObject *op = cam_object(oper);
    if (!op) return {};
    if (op->levels.edited) return op->levels.levels;
    std::vector<UF_CUT_LEVEL_single_t> levels = computed_levels(oper);
    // A single range cuts from the top to the lowest level in one range.
    if (op->levels.range_type == UF_PARAM_clv_range_single && levels.size() > 1) levels.erase(levels.begin(), levels.end() - 1);
    return levels;
}

std::vector<tag_t> part_entities(tag_t oper) { return items_up_the_tree(oper, UF_CAM_part); }
std::vector<tag_t> blank_entities(tag_t oper) { return items_up_the_tree(oper, UF_CAM_blank); }
bool has_blank(tag_t oper) { return !blank_entities(oper).empty() || auto_blank_of(oper) != nullptr; }

}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_CUT_LEVELS_load(tag_t operation_tag, UF_CUT_LEVELS_t **cut_levels_ptr_addr) {
    NXHOST_ENTER("UF_CUT_LEVELS_load");
    if (!cut_levels_ptr_addr) return kBadArgument;
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_load", operation_tag, &op)) return rc;
    UF_CUT_LEVELS_t *copy = *cut_levels_ptr_addr;
    if (!copy) {
        copy = static_cast<UF_CUT_LEVELS_t *>(nx_alloc(sizeof(UF_CUT_LEVELS_t)));
        *cut_levels_ptr_addr = copy;
    }
    refresh_copy(operation_tag, copy);
    return 0;
}

// Like UF_free, a release is not a call a test can make fail: an injected failure here would only
// leak the copy.
extern "C" int UF_CUT_LEVELS_free(UF_CUT_LEVELS_t **cut_levels_ptr_addr) {
    if (!session_open()) {
        misuse("UF_CUT_LEVELS_free", "called outside an open session (no UF_initialize)");
        return nxhost::kNotInitialized;
    }
    if (!cut_levels_ptr_addr) return kBadArgument;
    if (UF_CUT_LEVELS_t *copy = *cut_levels_ptr_addr) {
        UF_free(copy->cut_levels);
        UF_free(copy->top_off_levels);
        UF_free(copy);
    }
    *cut_levels_ptr_addr = nullptr;
    return 0;
}

extern "C" int UF_CUT_LEVELS_set_range_type(tag_t operation_tag, UF_PARAM_clv_range_type_t range_type,
                                            UF_CUT_LEVELS_t *cut_levels) {
    NXHOST_ENTER("UF_CUT_LEVELS_set_range_type");
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_set_range_type", operation_tag, &op)) return rc;
    if (range_type < UF_PARAM_clv_range_auto_generate || range_type > UF_PARAM_clv_range_single) return kBadArgument;
    if (range_type == UF_PARAM_clv_range_auto_generate) {
        op->levels = CutLevels{};
    } else {
        std::vector<UF_CUT_LEVEL_single_t> levels = current_levels(operation_tag);
        if (range_type == UF_PARAM_clv_range_single && levels.size() > 1) levels.erase(levels.begin(), levels.end() - 1);
        op->levels = CutLevels{range_type, true, levels};
    }
    levels_changed(operation_tag, cut_levels);
    return 0;
}

extern "C" int UF_CUT_LEVELS_add_levels_using_z(tag_t operation_tag, int num_to_add, double *z_levels,
                                                double max_depth_per_cut, UF_CUT_LEVELS_t *cut_levels) {
    NXHOST_ENTER("UF_CUT_LEVELS_add_levels_using_z");
    if (num_to_add < 0 || (num_to_add > 0 && !z_levels) || !(max_depth_per_cut >= 0.0)) return kBadArgument;
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_add_levels_using_z", operation_tag, &op)) return rc;
    if (op->levels.range_type == UF_PARAM_clv_range_single)
        return refuse("UF_CUT_LEVELS_add_levels_using_z", kSingleRange, name_of(operation_tag) + " cuts in a single range");
    CutLevels &levels = freeze(*op, operation_tag);
    for (int i = 0; i < num_to_add; ++i) {
        const double z = z_levels[i];
        bool known = std::any_of(levels.levels.begin(), levels.levels.end(),
                                 [&](const UF_CUT_LEVEL_single_t &l) { return std::abs(l.z_level - z) <= kSameZ; });
        if (!known) levels.levels.push_back({NULL_TAG, z, max_depth_per_cut});
    }
    sort_levels(&levels.levels);
    levels_changed(operation_tag, cut_levels);
    return 0;
}

extern "C" int UF_CUT_LEVELS_edit_level_using_z(tag_t operation_tag, int edit_level, double z_level,
                                                double max_depth_per_cut, UF_CUT_LEVELS_t *cut_levels) {
    NXHOST_ENTER("UF_CUT_LEVELS_edit_level_using_z");
    if (!(max_depth_per_cut >= 0.0)) return kBadArgument;
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_edit_level_using_z", operation_tag, &op)) return rc;
    if (edit_level < 0 || edit_level >= static_cast<int>(current_levels(operation_tag).size()))
        return refuse("UF_CUT_LEVELS_edit_level_using_z", kNoSuchLevel,
                      name_of(operation_tag) + " has no cut level " + std::to_string(edit_level));
    CutLevels &levels = freeze(*op, operation_tag);
    const double old_z = levels.levels[static_cast<std::size_t>(edit_level)].z_level;
    const double low = std::min(old_z, z_level), high = std::max(old_z, z_level);
    std::vector<UF_CUT_LEVEL_single_t> kept;
    for (std::size_t i = 0; i < levels.levels.size(); ++i) {
        UF_CUT_LEVEL_single_t level = levels.levels[i];
        if (static_cast<int>(i) == edit_level) {
            level = {NULL_TAG, z_level, max_depth_per_cut};
        } else if (level.z_level >= low - kSameZ && level.z_level <= high + kSameZ) {
            continue;  // passed on the way
        }
        kept.push_back(level);
    }
    sort_levels(&kept);
    levels.levels = kept;
    levels_changed(operation_tag, cut_levels);
    return 0;
}

extern "C" int UF_CUT_LEVELS_delete_level(tag_t operation_tag, int delete_level, UF_CUT_LEVELS_t *cut_levels) {
    NXHOST_ENTER("UF_CUT_LEVELS_delete_level");
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_delete_level", operation_tag, &op)) return rc;
    if (op->levels.range_type == UF_PARAM_clv_range_single)
        return refuse("UF_CUT_LEVELS_delete_level", kSingleRange, name_of(operation_tag) + " cuts in a single range");
    if (delete_level < 0 || delete_level >= static_cast<int>(current_levels(operation_tag).size()))
        return refuse("UF_CUT_LEVELS_delete_level", kNoSuchLevel,
                      name_of(operation_tag) + " has no cut level " + std::to_string(delete_level));
    CutLevels &levels = freeze(*op, operation_tag);
    levels.levels.erase(levels.levels.begin() + delete_level);
    levels_changed(operation_tag, cut_levels);
    return 0;
}

extern "C" int UF_CUT_LEVELS_ask_level(UF_CUT_LEVELS_t *cut_levels, int index, UF_CUT_LEVEL_single_t **level_data_ptr_addr) {
    NXHOST_ENTER("UF_CUT_LEVELS_ask_level");
    if (!cut_levels || !level_data_ptr_addr) return kBadArgument;
    *level_data_ptr_addr = nullptr;
    if (index < 0 || index >= cut_levels->num_levels || !cut_levels->cut_levels) return kNoSuchLevel;
    *level_data_ptr_addr = &cut_levels->cut_levels[index];
    return 0;
}

extern "C" int UF_CUT_LEVELS_reset_to_default(tag_t operation_tag) {
    NXHOST_ENTER("UF_CUT_LEVELS_reset_to_default");
    CamObject *op = nullptr;
    if (int rc = layered("UF_CUT_LEVELS_reset_to_default", operation_tag, &op)) return rc;
    op->levels = CutLevels{};
    levels_changed(operation_tag, nullptr);
    return 0;
}
