// The CAM tree as the Operation Navigator shows it, for `nxhost tree`.
#include <cmath>
#include <cstdio>

#include "nxhost/cam/boundary_geometry.h"
#include "nxhost/cam/cam_file.h"
#include "nxhost/cam/frame.h"
#include "nxhost/cam/levels.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/tree_number.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/parts/parts.h"
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

std::string num(double v) { return tree_number(v); }

std::string point(const double *p) { return "[" + num(p[0]) + "," + num(p[1]) + "," + num(p[2]) + "]"; }

double own_or_effective(tag_t tag, int index) {
    const ParamSpec *spec = param_spec(index);
    return spec ? effective_value(tag, *spec).real : 0.0;
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

std::string vec_text(const Vec3 &v) { return point(v.data()); }

const char *material_text(int side) {
    return side == UF_CAM_material_side_in_left ? "inside" : side == UF_CAM_material_side_out_right ? "outside" : "undefined";
}

bool any_set(const UF_CAMBND_app_data_t &a) {
    return a.has_stock || a.has_tolerances || a.has_feedrate || a.has_blank_distance || a.has_tool_position;
}

// Application data of a boundary or member: only what is set, in the record's order.
std::string boundary_data_text(const UF_CAMBND_app_data_t &a) {
    std::string text;
    auto add = [&](const std::string &part) { text += (text.empty() ? "" : ", ") + part; };
    if (a.has_stock) add("stock " + num(a.stock));
    if (a.has_tolerances) add("tolerances " + num(a.tolerances[0]) + "/" + num(a.tolerances[1]));
    if (a.has_feedrate) {
        ParamValue feed;
        feed.kind = ValueKind::Feed;
        feed.feed.unit = a.feedrate_unit;
        feed.feed.value = a.feedrate_value;
        add("feed " + value_text(feed));
    }
    if (a.has_blank_distance) add("blank distance " + num(a.blank_distance));
    if (a.has_tool_position)
        add(std::string("tool position ") + (a.tool_position == UF_CAM_tool_position_on      ? "on"
                                             : a.tool_position == UF_CAM_tool_position_tanto ? "tanto"
                                                                                              : "undefined"));
    return text.empty() ? "none" : text;
}

// The feeds set to something (0 is "as the cut feed" or rapid), in index order.
std::string feeds_text(tag_t tag) {
    static const struct {
        int index;
        const char *name;
    } feeds[] = {{UF_PARAM_FEED_SIDE_CUT, "side cut"}, {UF_PARAM_FEED_RAPID, "rapid"},
                 {UF_PARAM_FEED_ENGAGE, "engage"},     {UF_PARAM_FEED_RETRACT, "retract"},
                 {UF_PARAM_FEED_APPROACH, "approach"}, {UF_PARAM_FEED_DEPARTURE, "departure"},
                 {UF_PARAM_FEED_RETURN, "return"},     {UF_PARAM_FEED_TRAVERSAL, "traversal"},
                 {UF_PARAM_FEED_CUT, "cut"},           {UF_PARAM_FEED_FIRST_CUT, "first cut"}};
    std::string text;
    for (const auto &f : feeds) {
        const ParamValue v = effective_value(tag, *param_spec(f.index));
        if (v.feed.value == 0.0) continue;
        text += (text.empty() ? "" : ", ") + std::string(f.name) + " " + value_text(v) +
                (v.feed.color != 0 ? " colour " + std::to_string(v.feed.color) : "");
    }
    return text;
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
        if (c.kind == Kind::Cutter)
            for (const Attribute &a : obj.attributes) line(depth + 1, attribute_text(a));
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
        if (carries_param(obj.tag, UF_PARAM_MCS)) {
            const ParamValue mcs = effective_value(obj.tag, *param_spec(UF_PARAM_MCS));
            if (mcs.tag != NULL_TAG && obj.subtype == UF_mill_orient_subtype) line(depth, "mcs " + frame_text(mcs.tag));
        }
        if (c.plane.set)
            line(depth, "clearance plane at " + point(c.plane.origin.data()) + " normal " + point(c.plane.normal.data()));
        const std::string items = items_text(c);
        if (!items.empty()) line(depth, "geometry " + items);
        if (c.blank.set) line(depth, blank_text(obj.tag, c));
        boundaries(obj.tag, c, depth);
        text_items(c, depth);
    }

    // Each boundary: its kind, type and members, then its side and plane and the data set.
    void boundaries(tag_t tag, const CamObject &c, int depth) {
        for (const auto &[type, list] : c.boundaries)
            for (const Boundary &b : list) {
                std::string members;
                for (const BoundaryMember &m : b.members) members += (members.empty() ? "" : ", ") + entity_text(m.entity);
                line(depth, std::string("boundary ") + geom_type_key(type) +
                                (b.data.boundary_type == UF_CAM_boundary_type_open ? " open" : " closed") +
                                (b.face != NULL_TAG ? " from " + entity_text(b.face) + " loop " + std::to_string(b.loop) : "") +
                                (b.data.plane_type == 0 ? " in plane at " + point(b.data.origin) : "") + ": " + members);
                Vec3 origin{}, normal{};
                std::string plane = b.data.plane_type == 0 ? "plane user" : "plane automatic";
                plane += boundary_plane(tag, b, &origin, &normal)
                             ? " at " + vec_text(origin) + " normal " + vec_text(normal)
                             : std::string(" (its members span no plane)");
                const char *loop = b.face == NULL_TAG               ? ""
                                   : b.loop_kind == LoopKind::Hole   ? "  hole"
                                   : b.loop_kind == LoopKind::Island ? "  island"
                                                                     : "  outer loop";
                line(depth + 1, std::string("material ") + material_text(b.data.material_side) + "  " + plane + loop);
                if (b.has_data && any_set(b.app)) line(depth + 1, "data " + boundary_data_text(b.app));
                for (const BoundaryMember &m : b.members)
                    if (m.has_data && any_set(m.data))
                        line(depth + 1, "member " + entity_text(m.entity) + ": " + boundary_data_text(m.data));
            }
    }

    void text_items(const CamObject &c, int depth) {
        if (c.text.empty()) return;
        std::string notes;
        for (const TextItem &t : c.text) notes += (notes.empty() ? "" : ", ") + entity_text(t.entity);
        line(depth, "text " + notes);
    }

    // Cutting data: depth per cut, cut pattern, drive, stepover, spindle and feeds.
    void cutting(tag_t tag, int depth) {
        const int subtype = store().find(tag)->subtype;
        auto integer = [&](int index) { return effective_value(tag, *param_spec(index)).integer; };
        if (carries_param(tag, UF_PARAM_STOCK_BLANK)) line(depth, "blank stock " + num(own_or_effective(tag, UF_PARAM_STOCK_BLANK)));
        if (carries_param(tag, UF_PARAM_STOCK_DRIVE)) line(depth, "drive stock " + num(own_or_effective(tag, UF_PARAM_STOCK_DRIVE)));
        if (subtype == UF_mach_pocket_subtype)
            line(depth, "depth per cut " + num(own_or_effective(tag, UF_PARAM_CUTLEV_MAX_DEPTH)) + " (min " +
                            num(own_or_effective(tag, UF_PARAM_CUTLEV_MIN_DEPTH)) + ")");
        else if (carries_param(tag, UF_PARAM_CUTLEV_DEPTH_PER_CUT))
            line(depth, "depth per cut " + num(own_or_effective(tag, UF_PARAM_CUTLEV_DEPTH_PER_CUT)));
        else if (carries_param(tag, UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH))
            line(depth, "depth per cut " + num(own_or_effective(tag, UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH)));
        if (carries_param(tag, UF_PARAM_CUT_METHOD)) line(depth, "cut method " + cut_method_name(integer(UF_PARAM_CUT_METHOD)));
        if (carries_param(tag, UF_PARAM_DRIVE_METHOD))
            line(depth, "drive method " + drive_method_name(integer(UF_PARAM_DRIVE_METHOD)));
        if (carries_param(tag, UF_PARAM_STEPOVER_TYPE)) {
            const int type = integer(UF_PARAM_STEPOVER_TYPE);
            std::string text = "stepover " + stepover_type_name(type);
            if (type == UF_PARAM_stepover_type_percent_tool_diameter)
                text = "stepover " + num(own_or_effective(tag, UF_PARAM_STEPOVER_PERCENT)) + "% of tool diameter";
            else if (type == UF_PARAM_stepover_type_constant)
                text += " " + num(own_or_effective(tag, UF_PARAM_STEPOVER_DIST));
            else if (type == UF_PARAM_stepover_type_scallop_height)
                text += " " + num(own_or_effective(tag, UF_PARAM_STEPOVER_SCALLOP));
            line(depth, text);
        }
        line(depth, "spindle " + num(own_or_effective(tag, UF_PARAM_SPINDLE_RPM)) + " rpm");
        const std::string feeds = feeds_text(tag);
        if (!feeds.empty()) line(depth, "feeds " + feeds);
    }

    void details(tag_t tag, const CamObject &c, int depth) {
        std::string stock;
        if (carries_param(tag, UF_PARAM_STOCK_PART)) stock += "part " + num(own_or_effective(tag, UF_PARAM_STOCK_PART));
        if (carries_param(tag, UF_PARAM_STOCK_FLOOR)) stock += "  floor " + num(own_or_effective(tag, UF_PARAM_STOCK_FLOOR));
        if (carries_param(tag, UF_PARAM_TL_Z_OFFSET_TOG) &&
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
        cutting(tag, depth);
        const std::string items = items_text(c);
        if (!items.empty()) line(depth, "geometry " + items);
        boundaries(tag, c, depth);
        floor_plane(tag, depth);
        for (auto [key, type] : {std::pair{"start points", UF_CAMGEOM_cut_region_start_type},
                                 std::pair{"pre-drill points", UF_CAMGEOM_predrill_engage_type}}) {
            std::string points;
            for (const UF_CAMGEOM_custom_point_t &p : c.points[type])
                points += (points.empty() ? "" : ", ") + (p.point_tag != NULL_TAG ? entity_text(p.point_tag) : point(p.point_acs));
            if (!points.empty()) line(depth, std::string(key) + " " + points);
        }
        text_items(c, depth);
        if (c.blank.set) line(depth, blank_text(tag, c));
        if (c.plane.set) line(depth, "clearance plane at " + point(c.plane.origin.data()) + " normal " + point(c.plane.normal.data()));
        for (const Attribute &a : store().find(tag)->attributes) line(depth, attribute_text(a));
        line(depth, c.path.generated ? "path generated: " + c.path.summary : "path not generated");
    }

    // The floor of planar milling: the plane the transform's X and Y axes span, at its origin.
    void floor_plane(tag_t tag, int depth) {
        if (!carries_param(tag, UF_PARAM_FLOOR)) return;
        const Object *floor = store().find(effective_value(tag, *param_spec(UF_PARAM_FLOOR)).tag);
        const auto *xform = floor ? dynamic_cast<const modeling::XformPayload *>(floor->payload.get()) : nullptr;
        if (!xform) return;
        const auto &x = xform->x_axis, &y = xform->y_axis;
        Vec3 n{x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};
        const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double &k : n) k /= l;
        line(depth, "floor plane at " + point(xform->origin.data()) + " normal " + vec_text(n));
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
