// Bottom cut levels at the electrodes' depths.
#include "torvane/setup/cut_levels.h"

#include <cmath>
#include <string>

#include "my_func/my_func.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/stock.h"
#include "uf.h"
#include "uf_cut_levels.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

int show_message(const char *tag) { return show_catalogue_text(TORVANE_LANG_FORMAT, tag); }

// The operation's levels, loaded once and freed on every path.
class loaded_levels {
public:
    explicit loaded_levels(tag_t oper_tag) : oper_(oper_tag) {}
    ~loaded_levels() {
        if (levels_) UF_CUT_LEVELS_free(&levels_);
    }
    // 0 after the message when the operation has no level.
    int load() {
        if (UF_CALL(UF_CUT_LEVELS_load(oper_, &levels_)) != 0 || !levels_ || levels_->num_levels < 1) {
            show_message("set_cut_depth_01:");
            return 0;
        }
        return 1;
    }
    int count() const { return levels_->num_levels; }
    double z(int i) const { return levels_->cut_levels[i].z_level; }
    UF_CUT_LEVELS_t *get() const { return levels_; }

private:
    tag_t oper_;
    UF_CUT_LEVELS_t *levels_ = nullptr;
};

// Depth per cut of an edited level.
double edit_depth(tag_t oper_tag) {
    double global = DEFAULT_GLOBAL_CUT_DEPTH;
    if (UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH, &global)) != 0)
        global = DEFAULT_GLOBAL_CUT_DEPTH;
    return global - CUT_DEPTH_CLEARANCE;
}

// The first level below z moved up to z, the levels below it deleted; nothing when no level lies
// below z.
void raise_first_level_below(tag_t oper_tag, const loaded_levels &levels, double z, double depth) {
    int first_below = -1;
    for (int i = 0; i < levels.count() && first_below < 0; ++i)
        if (z > levels.z(i)) first_below = i;
    if (first_below < 0) return;
    for (int j = levels.count() - 1; j > first_below; --j) UF_CALL(UF_CUT_LEVELS_delete_level(oper_tag, j, levels.get()));
    UF_CALL(UF_CUT_LEVELS_edit_level_using_z(oper_tag, first_below, z, depth, levels.get()));
}

// The MCS class of the workpiece; 0 after message_tag when it has none.
int workpiece_class(tag_t workpiece_tag, const char *message_tag) {
    const int mcs_class = ask_workpiece_mcs_class(workpiece_tag);
    if (mcs_class == 0) show_message(message_tag);
    return mcs_class;
}

// Height of the EDM face of a record along the MCS Z.
double edm_height(int mcs_class, const elec_cam_data *record) { return mcs_height(mcs_class, record->elec_edm_center); }

}  // namespace

int set_cut_depth_to_z(tag_t oper_tag, double z) {
    loaded_levels levels(oper_tag);
    if (!levels.load()) return 0;
    const double depth = edit_depth(oper_tag);
    const int last = levels.count() - 1;
    if (levels.z(last) > z)
        UF_CALL(UF_CUT_LEVELS_edit_level_using_z(oper_tag, last, z, depth, levels.get()));
    else
        raise_first_level_below(oper_tag, levels, z, depth);
    return 1;
}

int set_cut_depth(tag_t oper_tag, double distance) {
    double bottom = 0.0;
    {
        loaded_levels levels(oper_tag);
        if (!levels.load()) return 0;
        bottom = levels.z(levels.count() - 1);
    }
    return set_cut_depth_to_z(oper_tag, bottom + distance);
}

int set_cut_depth_cav_top(tag_t oper_tag, double distance, tag_t workpiece_tag) {
    const int mcs_class = workpiece_class(workpiece_tag, "set_cut_depth_cav_to_01:");
    if (mcs_class == 0) return 0;
    return set_cut_depth_to_z(oper_tag, mcs_box_top(mcs_class, static_elec_box_min, static_elec_box_max) + distance);
}

int set_cut_depth_cav_top_bot(tag_t oper_tag, double distance, tag_t workpiece_tag, const double box_min[3],
                              const double box_max[3]) {
    const int mcs_class = workpiece_class(workpiece_tag, "set_cut_depth_cav_top_bo_01:");
    if (mcs_class == 0) return 0;
    return set_cut_depth_to_z(oper_tag, mcs_box_top(mcs_class, box_min, box_max) + distance);
}

int set_cut_depth_value(tag_t oper_tag, const double point[3], tag_t workpiece_tag) {
    const int mcs_class = workpiece_class(workpiece_tag, "set_cut_depth_valu_01:");
    if (mcs_class == 0) return 0;
    return set_cut_depth_to_z(oper_tag, mcs_height(mcs_class, point));
}

int set_cut_depth_edm(tag_t oper_tag, tag_t workpiece_tag, const elec_cam_data *record) {
    const int mcs_class = workpiece_class(workpiece_tag, "set_cut_depth_ed_01:");
    if (mcs_class == 0) return 0;
    if (record->use_whole_body) return 1;
    return set_cut_depth_to_z(oper_tag, edm_height(mcs_class, record) + edm_depth_margin(oper_tag));
}

int set_cut_max_depth_edm(tag_t oper_tag, tag_t workpiece_tag, const elec_cam_data *list) {
    const int mcs_class = workpiece_class(workpiece_tag, "set_cut_max_depth_ed_01:");
    if (mcs_class == 0) return 0;
    bool any = false;
    double lowest = 0.0;
    for (const elec_cam_data *r = list; r; r = r->next_p) {
        if (r->use_whole_body) continue;
        const double h = edm_height(mcs_class, r);
        lowest = any ? std::fmin(lowest, h) : h;
        any = true;
    }
    if (!any) return 1;
    return set_cut_depth_to_z(oper_tag, lowest + edm_depth_margin(oper_tag));
}

double edm_depth_margin(tag_t oper_tag) {
    int floor_same_as_part = 0;
    double stock = 0.0;
    UF_CALL(UF_PARAM_ask_int_value(oper_tag, UF_PARAM_STOCK_PART_USE, &floor_same_as_part));
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, floor_same_as_part == 1 ? UF_PARAM_STOCK_PART : UF_PARAM_STOCK_FLOOR,
                                      &stock));
    return std::fmax(EDM_DEPTH_MARGIN, stock) + CUT_DEPTH_CLEARANCE;
}

int check_elec_edm_z_depth(tag_t oper_tag, int mcs_class) {
    if (!elec_cam_data_list) {
        show_message("check_elec_edm_z_dept_01:");
        return 0;
    }
    const double first = edm_height(mcs_class, elec_cam_data_list);
    for (const elec_cam_data *r = elec_cam_data_list; r; r = r->next_p)
        if (!elec_faces_mcs(mcs_class, r->elec_direction) || r->use_whole_body ||
            std::fabs(edm_height(mcs_class, r) - first) > EDM_HEIGHTS_AGREE)
            return 1;
    const double edm_depth = first + EDM_DEPTH_MARGIN;
    loaded_levels levels(oper_tag);
    if (!levels.load()) return 0;
    if (!(edm_depth > levels.z(levels.count() - 1))) return 1;
    raise_first_level_below(oper_tag, levels, edm_depth, edit_depth(oper_tag));
    std::string texts[2];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"check_elec_edm_z_dept_02:", "check_elec_edm_z_dept_03:"}, texts)) return 0;
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_CALL(UF_OBJ_ask_name(oper_tag, name));
    MY_write_listing(("\n" + texts[0] + " " + name + " " + texts[1] + "\n").c_str());
    return 1;
}

int apply_depth_name_mark(tag_t oper_tag, const char *name) {
    double distance = 0.0;
    if (!ask_name_mark_value(name, NAME_MARK_DEPTH, &distance)) return 1;
    return set_cut_depth(oper_tag, distance);
}

namespace {

// The bottom level lowered by the corner radius of the operation's cutter, so that a bull-nose or
// ball cutter reaches the bottom of the faces; nothing without a cutter or a radius.
int cut_depth_by_cutter_radius(tag_t oper_tag) {
    tag_t cutter = NULL_TAG;
    double radius = 0.0;
    if (UF_CALL(UF_OPER_ask_cutter_group(oper_tag, &cutter)) != 0 || cutter == NULL_TAG) return 1;
    if (UF_CALL(UF_PARAM_ask_double_value(cutter, UF_PARAM_TL_COR1_RAD, &radius)) != 0 || radius <= 0.0) return 1;
    return set_cut_depth(oper_tag, -radius);
}

}  // namespace

int set_cut_depth_by_rule(tag_t oper_tag, depth_rule rule, const depth_site &site) {
    const tag_t workpiece = site.work_piece_tag != NULL_TAG ? site.work_piece_tag : static_work_piece_tag;
    if (site.level_point && rule != DEPTH_NONE) {
        const double point[3] = {site.level_point->x, site.level_point->y, site.level_point->z};
        return set_cut_depth_value(oper_tag, point, workpiece);
    }
    const double distance = site.stock_distance + CUT_DEPTH_CLEARANCE;
    switch (rule) {
    case DEPTH_CAV_TOP: return set_cut_depth_cav_top(oper_tag, distance, workpiece);
    case DEPTH_CAV_TOP_BOX:
        return set_cut_depth_cav_top_bot(oper_tag, distance, workpiece, site.box_min, site.box_max);
    case DEPTH_EDM:
        if (!site.record) {
            show_message("reset_oper_stock_and_cut_dept_03:");
            return 0;
        }
        if (!elec_faces_mcs(site.mcs_class, site.record->elec_direction) || site.record->use_whole_body) return 1;
        return set_cut_depth_edm(oper_tag, workpiece, site.record);
    case DEPTH_MAX_EDM: return set_cut_max_depth_edm(oper_tag, workpiece, elec_cam_data_list);
    case DEPTH_CUTTER_RADIUS: return cut_depth_by_cutter_radius(oper_tag);
    default: return 1;
    }
}
