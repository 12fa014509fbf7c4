// Writing the CAM model of a part as its "cam" section, and the section's registration.
#include "nxhost/cam/cam_file.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/part_sections.h"
#include "uf_cam.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

Json list_of(const double *values, std::size_t n) {
    Json list = Json::array();
    for (std::size_t i = 0; i < n; ++i) list.push_back(values[i]);
    return list;
}

const char *feed_unit_name(int unit) {
    return unit == 2 ? "per_revolution" : unit == 0 ? "none" : "per_minute";
}

Json feed_json(int unit, double value, short color = 0) {
    Json feed{{"unit", feed_unit_name(unit)}, {"value", value}};
    if (color != 0) feed["color"] = color;
    return feed;
}

class Writer {
public:
    explicit Writer(tag_t part) : part_(part) {}

    Json nodes(const std::vector<tag_t> &members, View v) {
        Json list = Json::array();
        for (tag_t m : members) {
            const CamObject *c = cam_object(m);
            if (!c) continue;
            if (c->kind == Kind::Null) list.push_back(Json{{"unused", nodes(c->members, v)}});
            else list.push_back(node(m, v));
        }
        return list;
    }

private:
    Json node(tag_t tag, View v) {
        const Object &obj = *store().find(tag);
        const CamObject &c = *cam_object(obj);
        Json j;
        if (c.kind == Kind::Operation) {
            if (v != kProgramView) return Json{{"operation", obj.name}};
            return operation(obj, c);
        }
        if (c.kind == Kind::Cutter) {
            j["cutter"] = obj.name;
            const std::string kind = cutter_kind_name(c.cutter_type, c.cutter_subtype);
            if (!kind.empty() && kind != "mill_5") j["kind"] = kind;
        } else {
            j["group"] = obj.name;
            const std::string kind = group_kind_name(v, obj.subtype);
            if (v == kGeometryView) j["kind"] = kind;
        }
        flags_and_params(&j, c);
        if (c.kind == Kind::Cutter && !c.holder.empty()) {
            Json holder = Json::array();
            for (const HolderSection &s : c.holder)
                holder.push_back({{"diameter", s.diameter}, {"length", s.length}, {"taper", s.taper}, {"corner", s.corner}});
            j["holder"] = holder;
        }
        shapes(&j, c);
        boundaries_and_text(&j, c);
        if (!obj.attributes.empty()) j["attributes"] = attributes_json(obj);
        if (!c.members.empty()) j["members"] = nodes(c.members, v);
        return j;
    }

    Json operation(const Object &obj, const CamObject &c) {
        Json j;
        j["operation"] = obj.name;
        const std::string kind = operation_kind_name(obj.subtype);
        if (kind.empty()) j["subtype"] = obj.subtype;
        else j["kind"] = kind;
        flags_and_params(&j, c);
        if (cam_object(c.ref_cutter)) j["ref_cutter"] = store().find(c.ref_cutter)->name;
        if (c.levels.edited || c.levels.range_type != 0) {
            static const char *const ranges[] = {"auto", "user_defined", "single"};
            Json levels;
            levels["range"] = ranges[c.levels.range_type];
            if (c.levels.edited) {
                levels["levels"] = Json::array();
                for (const UF_CUT_LEVEL_single_t &l : c.levels.levels) levels["levels"].push_back({l.z_level, l.local_cut_depth});
            }
            j["cut_levels"] = levels;
        }
        shapes(&j, c);
        boundaries_and_text(&j, c);
        Json points;
        for (auto [key, type] : {std::pair{"start", UF_CAMGEOM_cut_region_start_type},
                                 std::pair{"predrill", UF_CAMGEOM_predrill_engage_type}}) {
            if (c.points[type].empty()) continue;
            Json out = Json::array();
            for (const UF_CAMGEOM_custom_point_t &p : c.points[type]) {
                Json pj{{"point", list_of(p.point_acs, 3)}};
                if (p.upper_depth != 0) pj["upper"] = p.upper_depth;
                if (p.lower_depth != 0) pj["lower"] = p.lower_depth;
                if (p.depth != 0) pj["depth"] = p.depth;
                if (p.point_tag != NULL_TAG) pj["ref"] = reference_of(part_, p.point_tag);
                out.push_back(pj);
            }
            points[key] = out;
        }
        if (!points.empty()) j["points"] = points;
        if (!obj.attributes.empty()) j["attributes"] = attributes_json(obj);
        if (c.path.generated) j["generated"] = c.path.summary;
        return j;
    }

    // Boundaries (of planar and face milling and of boundary groups) and text items (of text
    // operations and text groups).
    void boundaries_and_text(Json *j, const CamObject &c) {
        Json bounds;
        for (const auto &[type, list] : c.boundaries) {
            if (list.empty()) continue;
            Json out = Json::array();
            for (const Boundary &b : list) out.push_back(boundary(b));
            bounds[geom_type_key(type)] = out;
        }
        if (!bounds.empty()) (*j)["boundaries"] = bounds;
        if (!c.text.empty()) {
            (*j)["text"] = Json::array();
            for (const TextItem &t : c.text) (*j)["text"].push_back(reference_of(part_, t.entity));
        }
    }

    void flags_and_params(Json *j, const CamObject &c) {
        if (c.is_template) (*j)["template"] = true;
        if (c.in_setup) (*j)["in_setup"] = true;
        if (c.params.empty()) return;
        Json params = Json::object();
        for (const auto &[index, value] : c.params) {
            const ParamSpec *spec = param_spec(index);
            if (!spec) continue;
            switch (value.kind) {
            case ValueKind::Int: params[spec->name] = value.integer; break;
            case ValueKind::Double: params[spec->name] = value.real; break;
            case ValueKind::Tag: params[spec->name] = store().find(value.tag) ? reference_of(part_, value.tag) : Json(); break;
            case ValueKind::Text: params[spec->name] = value.text; break;
            case ValueKind::Pair: params[spec->name] = list_of(value.pair, 2); break;
            case ValueKind::Feed: params[spec->name] = feed_json(value.feed.unit, value.feed.value, value.feed.color); break;
            }
        }
        (*j)["params"] = params;
    }

    void shapes(Json *j, const CamObject &c) {
        Json geometry;
        for (const auto &[type, items] : c.items) {
            if (items.empty()) continue;
            Json out = Json::array();
            for (const GeomItem &item : items) {
                Json ref = reference_of(part_, item.entity);
                if (item.has_data) ref["data"] = geom_data(item.data);
                out.push_back(ref);
            }
            geometry[geom_type_key(type)] = out;
        }
        if (!geometry.empty()) (*j)["geometry"] = geometry;
        if (c.blank.set)
            (*j)["auto_blank"] = {{"type", c.blank.type == UF_CAM_auto_block_type ? "auto_block" : "offset_from_part"},
                                  {"offsets", list_of(c.blank.offset.data(), 6)}};
        if (c.plane.set)
            (*j)["clearance_plane"] = {{"origin", list_of(c.plane.origin.data(), 3)},
                                       {"normal", list_of(c.plane.normal.data(), 3)}};
    }

    static Json geom_data(const UF_CAMGEOM_app_data_t &a) {
        Json d = Json::object();
        if (a.has_stock) d["stock"] = a.stock;
        if (a.has_cut_stock) d["cut_stock"] = list_of(a.cut_stock, 3);
        if (a.has_tolerances) d["tolerances"] = list_of(a.tolerances, 2);
        if (a.has_feedrate) d["feed"] = feed_json(a.feedrate_unit, a.feedrate_value);
        if (a.has_offset) d["offset"] = {{"type", a.offsetType}, {"nominal", a.nominalOffset}, {"value", a.offset}};
        if (a.has_avoidance_type) d["avoidance"] = static_cast<int>(a.avoidance_type);
        return d;
    }

    static Json boundary_data(const UF_CAMBND_app_data_t &a) {
        Json d = Json::object();
        if (a.has_stock) d["stock"] = a.stock;
        if (a.has_tolerances) d["tolerances"] = list_of(a.tolerances, 2);
        if (a.has_feedrate) d["feed"] = feed_json(a.feedrate_unit, a.feedrate_value);
        if (a.has_blank_distance) d["blank_distance"] = a.blank_distance;
        if (a.has_tool_position) d["tool_position"] = static_cast<int>(a.tool_position);
        return d;
    }

    Json boundary(const Boundary &b) {
        Json j;
        j["type"] = b.data.boundary_type == UF_CAM_boundary_type_open ? "open" : "closed";
        j["plane"] = b.data.plane_type == 0 ? "user" : "automatic";
        j["origin"] = list_of(b.data.origin, 3);
        j["matrix"] = list_of(b.data.matrix, 9);
        j["material"] = b.data.material_side == UF_CAM_material_side_in_left    ? "inside"
                        : b.data.material_side == UF_CAM_material_side_out_right ? "outside"
                                                                                 : "undefined";
        if (b.data.ignore_holes) j["ignore_holes"] = true;
        if (b.data.ignore_islands) j["ignore_islands"] = true;
        if (b.data.ignore_chamfers) j["ignore_chamfers"] = true;
        if (b.has_data) j["data"] = boundary_data(b.app);
        if (b.face != NULL_TAG) {
            j["face"] = reference_of(part_, b.face);
            j["loop"] = b.loop;
            if (b.loop_kind != LoopKind::Outer) j["loop_kind"] = b.loop_kind == LoopKind::Hole ? "hole" : "island";
        }
        j["members"] = Json::array();
        for (const BoundaryMember &m : b.members) {
            Json ref = reference_of(part_, m.entity);
            if (m.has_data) ref["data"] = boundary_data(m.data);
            j["members"].push_back(ref);
        }
        return j;
    }

    tag_t part_;
};

const bool registered = register_part_section(PartSection{
    "cam", [](tag_t part, const nlohmann::ordered_json &value) { read_cam_section(part, value); },
    [](tag_t part) { return write_cam_section(part); },
    [](std::ostream &out, tag_t part) { print_cam_tree(out, part); }, nullptr});

}  // namespace

Json write_cam_section(tag_t part) {
    const tag_t setup = setup_of_part(part);
    const CamObject *s = cam_object(setup);
    if (!s) return nullptr;
    Writer writer(part);
    Json section;
    if (!s->type_name.empty()) section["type"] = s->type_name;
    for (int v = 0; v < kViewCount; ++v)
        section[view_key(static_cast<View>(v))] = writer.nodes(cam_object(s->roots[v])->members, static_cast<View>(v));
    return section;
}

}  // namespace nxhost::cam
