// The CAM tree as the Operation Navigator shows it, for `nxhost tree`.
#include <cmath>
#include <cstdio>

#include "nxhost/cam/cam_file.h"
#include "nxhost/cam/frame.h"
#include "nxhost/cam/levels.h"
#include "nxhost/core/reset.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

std::vector<View> &printed_views() {
    static std::vector<View> views{kProgramView};
    return views;
}

const bool registered = register_reset([] { printed_views() = {kProgramView}; });

const char *const kViewTitles[kViewCount] = {"program order view", "machine tool view", "geometry view", "method view"};

std::string num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string s = buf;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string point(const double *p) { return "[" + num(p[0]) + "," + num(p[1]) + "," + num(p[2]) + "]"; }

std::string operation_kind_text(int subtype) {
    switch (subtype) {
    case UF_mach_pocket_subtype: return "planar milling";
    case UF_mach_surface_contour_subtype: return "fixed contour";
    case UF_mach_cavity_milling_subtype: return "cavity milling";
    case UF_mach_face_milling_subtype: return "face milling";
    case UF_mach_zlevel_milling_subtype: return "Z-level";
    case UF_mach_plunge_milling_subtype: return "plunge milling";
    default: return "operation";
    }
}

double own_or_effective(tag_t tag, int index) {
    const ParamSpec *spec = param_spec(index);
    return spec ? effective_value(tag, *spec).real : 0.0;
}

bool carries(tag_t tag, int index) {
    const ParamSpec *spec = param_spec(index);
    const Object *obj = store().find(tag);
    return spec && obj && (spec->carriers & carrier_of(*cam_object(*obj), obj->subtype));
}

std::string entity_text(tag_t entity) {
    const Object *obj = store().find(entity);
    if (!obj) return "#" + std::to_string(entity);
    if (obj->type == UF_solid_type && obj->subtype != UF_solid_body_subtype)
        return name_of(obj->parent) + (obj->subtype == UF_solid_face_subtype ? ":face " : ":edge ") + std::to_string(obj->index);
    return name_of(entity);
}

std::string items_text(const CamObject &c) {
    std::string text;
    for (const auto &[type, items] : c.items) {
        if (items.empty()) continue;
        std::string names;
        for (const GeomItem &item : items) names += (names.empty() ? "" : ", ") + entity_text(item.entity);
        text += std::string(text.empty() ? "" : "; ") + geom_type_key(type) + " " + names;
    }
    return text;
}

std::string blank_text(tag_t tag, const CamObject &c) {
    if (!c.blank.set) return "";
    if (c.blank.type == UF_CAM_offset_from_part_type) return "blank offset from part " + num(c.blank.offset[0]);
    std::string text = "blank auto block +X " + num(c.blank.offset[0]) + " -X " + num(c.blank.offset[1]) + " +Y " +
                       num(c.blank.offset[2]) + " -Y " + num(c.blank.offset[3]) + " +Z " + num(c.blank.offset[4]) +
                       " -Z " + num(c.blank.offset[5]);
    Box along{};
    csys::Matrix axes{};
    if (!auto_block_box(tag, &along, &axes)) return text + ", no part geometry";
    const Box box = absolute_extent(along, axes);
    return text + ", box " + point(&box[0]) + "-" + point(&box[3]);
}

// Origin and axes of the coordinate system an MCS group sets.
std::string frame_text(tag_t csys_tag) {
    csys::Vector origin{};
    csys::Matrix axes{};
    if (!csys::frame_of(csys_tag, &origin, &axes)) return entity_text(csys_tag);
    return "origin " + point(origin.data()) + " X " + point(&axes[0]) + " Y " + point(&axes[3]) + " Z " + point(&axes[6]);
}

class Printer {
public:
    explicit Printer(std::ostream &out) : out_(out) {}

    void tree(tag_t tag, View v, int depth) {
        const Object &obj = *store().find(tag);
        const CamObject &c = *cam_object(obj);
        line(depth, headline(obj, c, v));
        if (c.kind == Kind::Operation) {
            if (v == kProgramView) details(tag, c, depth + 1);
            return;
        }
        group_details(obj, c, depth + 1);
        for (tag_t m : c.members) tree(m, v, depth + 1);
    }

private:
    void line(int depth, const std::string &text) { out_ << std::string(static_cast<std::size_t>(2 * depth), ' ') << text << "\n"; }

    std::string headline(const Object &obj, const CamObject &c, View v) {
        const std::string name = obj.name.empty() ? "#" + std::to_string(obj.tag) : obj.name;
        switch (c.kind) {
        case Kind::Operation: {
            std::string text = name + "  " + operation_kind_text(obj.subtype);
            if (v != kProgramView) return text;
            text += "  cutter " + name_of(c.parent[kMachineView]);
            if (cam_object(c.ref_cutter)) text += "  ref cutter " + name_of(c.ref_cutter);
            text += "  geometry " + name_of(c.parent[kGeometryView]) + "  method " + name_of(c.parent[kMethodView]);
            return text;
        }
        case Kind::Cutter: return name + "  " + cutter_text(obj.tag, c);
        case Kind::Group:
            return name + "  " + kind_text(obj) + (c.is_template ? "  template" : "") + (c.in_setup ? "  in setup" : "");
        default: return name;
        }
    }

    std::string cutter_text(tag_t tag, const CamObject &c) {
        auto integer = [&](int index) { return std::to_string(effective_value(tag, *param_spec(index)).integer); };
        std::string text = "cutter D" + num(own_or_effective(tag, UF_PARAM_TL_DIAMETER)) + " R" +
                           num(own_or_effective(tag, UF_PARAM_TL_COR1_RAD)) + "  length " +
                           num(own_or_effective(tag, UF_PARAM_TL_HEIGHT)) + "  flute length " +
                           num(own_or_effective(tag, UF_PARAM_TL_FLUTE_LN)) + "  flutes " +
                           integer(UF_PARAM_TL_NUM_FLUTES) + "  no. " + integer(UF_PARAM_TL_NUMBER);
        if (c.is_template) text += "  template";
        std::string holder;
        for (const HolderSection &s : c.holder) {
            holder += (holder.empty() ? "" : ", ") + num(s.diameter) + "x" + num(s.length);
            if (s.taper != 0) holder += " taper " + num(s.taper * 180.0 / M_PI);
            if (s.corner != 0) holder += " r" + num(s.corner);
        }
        return text + (holder.empty() ? "  no holder" : "  holder " + holder);
    }

    void group_details(const Object &obj, const CamObject &c, int depth) {
        if (c.kind != Kind::Group) return;
        if (carries(obj.tag, UF_PARAM_MCS)) {
            const ParamValue mcs = effective_value(obj.tag, *param_spec(UF_PARAM_MCS));
            if (mcs.tag != NULL_TAG && obj.subtype == UF_mill_orient_subtype) line(depth, "mcs " + frame_text(mcs.tag));
        }
        if (c.plane.set)
            line(depth, "clearance plane at " + point(c.plane.origin.data()) + " normal " + point(c.plane.normal.data()));
        const std::string items = items_text(c);
        if (!items.empty()) line(depth, "geometry " + items);
        if (c.blank.set) line(depth, blank_text(obj.tag, c));
    }

    void details(tag_t tag, const CamObject &c, int depth) {
        std::string stock;
        if (carries(tag, UF_PARAM_STOCK_PART)) stock += "part " + num(own_or_effective(tag, UF_PARAM_STOCK_PART));
        if (carries(tag, UF_PARAM_STOCK_FLOOR)) stock += "  floor " + num(own_or_effective(tag, UF_PARAM_STOCK_FLOOR));
        if (carries(tag, UF_PARAM_TL_Z_OFFSET_TOG) &&
            effective_value(tag, *param_spec(UF_PARAM_TL_Z_OFFSET_TOG)).integer != 0)
            stock += "  tool Z offset " + num(own_or_effective(tag, UF_PARAM_TL_Z_OFFSET));
        if (!stock.empty()) line(depth, "stock " + stock);
        if (has_cut_levels(store().find(tag)->subtype)) {
            static const char *const ranges[] = {"auto", "user defined", "single"};
            std::string levels;
            for (const UF_CUT_LEVEL_single_t &l : current_levels(tag))
                levels += (levels.empty() ? "" : ", ") + num(l.z_level) + " (" + num(l.local_cut_depth) + ")";
            line(depth, std::string("cut levels ") + ranges[c.levels.range_type] + ": " + (levels.empty() ? "none" : levels));
        }
        const std::string items = items_text(c);
        if (!items.empty()) line(depth, "geometry " + items);
        for (const auto &[type, list] : c.boundaries)
            for (const Boundary &b : list) {
                std::string members;
                for (const BoundaryMember &m : b.members) members += (members.empty() ? "" : ", ") + entity_text(m.entity);
                line(depth, std::string("boundary ") + geom_type_key(type) +
                                (b.data.boundary_type == UF_CAM_boundary_type_open ? " open" : " closed") +
                                (b.face != NULL_TAG ? " from " + entity_text(b.face) + " loop " + std::to_string(b.loop) : "") +
                                (b.data.plane_type == 0 ? " in plane at " + point(b.data.origin) : "") + ": " + members);
            }
        for (auto [key, type] : {std::pair{"start points", UF_CAMGEOM_cut_region_start_type},
                                 std::pair{"pre-drill points", UF_CAMGEOM_predrill_engage_type}}) {
            std::string points;
            for (const UF_CAMGEOM_custom_point_t &p : c.points[type])
                points += (points.empty() ? "" : ", ") + (p.point_tag != NULL_TAG ? entity_text(p.point_tag) : point(p.point_acs));
            if (!points.empty()) line(depth, std::string(key) + " " + points);
        }
        if (!c.text.empty()) {
            std::string notes;
            for (const TextItem &t : c.text) notes += (notes.empty() ? "" : ", ") + entity_text(t.entity);
            line(depth, "text " + notes);
        }
        if (c.blank.set) line(depth, blank_text(tag, c));
        if (c.plane.set) line(depth, "clearance plane at " + point(c.plane.origin.data()) + " normal " + point(c.plane.normal.data()));
        line(depth, c.path.generated ? "path generated: " + c.path.summary : "path not generated");
    }

    std::ostream &out_;
};

}  // namespace

void set_printed_views(const std::vector<View> &views) { printed_views() = views; }

void print_cam_tree(std::ostream &out, tag_t part) {
    const CamObject *setup = cam_object(setup_of_part(part));
    if (!setup) return;
    out << "cam setup" << (setup->type_name.empty() ? "" : " of type " + setup->type_name) << "\n";
    Printer printer(out);
    for (View v : printed_views()) {
        out << "  " << kViewTitles[v] << "\n";
        printer.tree(setup->roots[v], v, 2);
    }
}

}  // namespace nxhost::cam
