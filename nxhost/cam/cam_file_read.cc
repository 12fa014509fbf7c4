// Reading the "cam" section of a part file into the CAM model.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <tuple>

#include "nxhost/cam/cam_file.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/part_sections.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

[[noreturn]] void fail(const std::string &place, const std::string &what) {
    throw SectionError(place.empty() ? what : place + ": " + what);
}

std::string at(const std::string &place, const std::string &key) { return place.empty() ? key : place + "." + key; }
std::string at(const std::string &place, std::size_t i) { return place + "[" + std::to_string(i) + "]"; }

void only_keys(const Json &obj, std::initializer_list<const char *> keys, const std::string &place) {
    if (!obj.is_object()) fail(place, std::string("expected an object, found ") + obj.type_name());
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool known = false;
        for (const char *k : keys) known = known || it.key() == k;
        if (!known) fail(place, "unexpected key \"" + it.key() + "\"");
    }
}

double number(const Json &j, const std::string &place) {
    if (!j.is_number() || !std::isfinite(j.get<double>())) fail(place, "expected a number, found " + j.dump());
    return j.get<double>();
}

int integer(const Json &j, const std::string &place) {
    if (!j.is_number_integer()) fail(place, "expected a whole number, found " + j.dump());
    return j.get<int>();
}

std::string text(const Json &j, const std::string &place) {
    if (!j.is_string()) fail(place, "expected a text, found " + j.dump());
    return j.get<std::string>();
}

bool flag(const Json &obj, const char *key, const std::string &place) {
    if (!obj.contains(key)) return false;
    if (!obj[key].is_boolean()) fail(at(place, key), "expected true or false");
    return obj[key].get<bool>();
}

template <std::size_t N>
void numbers(const Json &j, double (&out)[N], const std::string &place) {
    if (!j.is_array() || j.size() != N) fail(place, "expected a list of " + std::to_string(N) + " numbers");
    for (std::size_t i = 0; i < N; ++i) out[i] = number(j[i], at(place, i));
}

const Json &list_at(const Json &obj, const char *key, const std::string &place) {
    static const Json empty = Json::array();
    if (!obj.contains(key)) return empty;
    if (!obj[key].is_array()) fail(at(place, key), "expected a list");
    return obj[key];
}

int feed_unit(const std::string &unit, const std::string &place) {
    if (unit == "none") return 0;
    if (unit == "per_minute") return 1;
    if (unit == "per_revolution") return 2;
    fail(place, "expected \"per_minute\", \"per_revolution\" or \"none\", found \"" + unit + "\"");
}

void read_feed(const Json &j, int *unit, double *value, const std::string &place, short *color = nullptr) {
    if (color) only_keys(j, {"unit", "value", "color"}, place);
    else only_keys(j, {"unit", "value"}, place);
    *unit = j.contains("unit") ? feed_unit(text(j["unit"], at(place, "unit")), at(place, "unit")) : 1;
    *value = j.contains("value") ? number(j["value"], at(place, "value")) : 0.0;
    if (*value < 0.0) fail(at(place, "value"), "a feed rate is 0 or more");
    if (color && j.contains("color")) {
        const int c = integer(j["color"], at(place, "color"));
        if (c < 0 || c > 216) fail(at(place, "color"), "expected an NX colour index 0 to 216");
        *color = static_cast<short>(c);
    }
}

class Reader {
public:
    Reader(tag_t part, tag_t setup) : part_(part), setup_(setup) {}

    void view(View v, const Json &list, const std::string &place) {
        if (!list.is_array()) fail(place, "expected a list of groups");
        const tag_t root = cam_object(setup_)->roots[v];
        std::size_t null_index = 0;  // the NULL group's place among the root's members
        bool null_seen = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].is_object() && list[i].contains("unused")) {
                if (null_seen) fail(at(place, i), "a view has one \"unused\" entry");
                only_keys(list[i], {"unused"}, at(place, i));
                null_seen = true;
                null_index = cam_object(root)->members.size() - 1;
                members(v, null_group(setup_, v), list_at(list[i], "unused", at(place, i)), at(at(place, i), "unused"));
                continue;
            }
            node(v, root, list[i], at(place, i));
        }
        move_null(root, v, null_index);
    }

    void finish() {
        // Operations go back to their places among the groups' other members.
        std::map<tag_t, std::size_t> placed;
        for (const auto &[group, name, place, index] : oper_refs_) {
            const tag_t oper = cam_object_named(part_, name);
            const CamObject *op = cam_object(oper);
            if (!op || op->kind != Kind::Operation) fail(place, "no operation named " + name + " in the program view");
            std::string why;
            if (!can_accept(group, oper, &why)) fail(place, why);
            const std::vector<tag_t> &members = cam_object(group)->members;
            const std::size_t at = index + placed[group]++;
            if (at < members.size()) nxhost::cam::place(group, oper, members[at], false);
            else place_member(group, oper);
        }
        for (const auto &[oper, name, place] : ref_cutters_) {
            const tag_t cutter = cam_object_named(part_, name);
            if (!cam_object(cutter) || cam_object(cutter)->kind != Kind::Cutter) fail(place, "no cutter named " + name);
            cam_object(oper)->ref_cutter = cutter;
        }
        // An operation a view does not list sits in that view's NULL group.
        for (tag_t t : store().in_part(part_, UF_machining_operation_type))
            for (int v = 0; v < kViewCount; ++v)
                if (cam_object(t)->parent[v] == NULL_TAG) place(null_group(setup_, static_cast<View>(v)), t, NULL_TAG, true);
    }

private:
    void place_member(tag_t group, tag_t member) { place(group, member, NULL_TAG, true); }

    // Puts the view's NULL group at position `index` among the root's members.
    void move_null(tag_t root, View v, std::size_t index) {
        std::vector<tag_t> &m = cam_object(root)->members;
        const tag_t null = null_group(setup_, v);
        m.erase(std::find(m.begin(), m.end(), null));
        m.insert(m.begin() + static_cast<std::ptrdiff_t>(std::min(index, m.size())), null);
    }

    void members(View v, tag_t group, const Json &list, const std::string &place) {
        for (std::size_t i = 0; i < list.size(); ++i) node(v, group, list[i], at(place, i));
    }

    tag_t named_object(Kind kind, View v, int subtype, const std::string &name, const std::string &place) {
        if (name.empty()) fail(place, "a CAM object needs a name");
        if (cam_object_named(part_, name) != NULL_TAG) fail(place, "two CAM objects are named " + name);
        return create_cam_object(part_, kind, v, subtype, name);
    }

    void node(View v, tag_t parent, const Json &n, const std::string &place) {
        if (!n.is_object()) fail(place, "expected a group, cutter or operation");
        tag_t made = NULL_TAG;
        if (n.contains("group")) made = group(v, n, place);
        else if (n.contains("cutter")) made = cutter(v, n, place);
        else if (n.contains("operation")) {
            if (v != kProgramView) {
                only_keys(n, {"operation"}, place);
                oper_refs_.emplace_back(parent, text(n["operation"], at(place, "operation")), place,
                                        cam_object(parent)->members.size());
                return;
            }
            made = operation(n, place);
        } else {
            fail(place, "expected \"group\", \"cutter\" or \"operation\"");
        }
        std::string why;
        if (!can_accept(parent, made, &why)) fail(place, why);
        place_member(parent, made);
        if (n.contains("members")) members(v, made, list_at(n, "members", place), at(place, "members"));
    }

    int kind_subtype(View v, const Json &n, const std::string &place) {
        std::string kind = n.contains("kind") ? text(n["kind"], at(place, "kind"))
                                              : (v == kGeometryView ? "" : group_kind_name(v, 0));
        if (kind.empty()) fail(place, "a geometry group needs a \"kind\" (mcs, workpiece, boundary, volume or text)");
        const int subtype = group_subtype_of(v, kind);
        if (subtype < 0) fail(at(place, "kind"), "unknown kind \"" + kind + "\" of a group of the " + view_key(v) + " view");
        return subtype;
    }

    void common(tag_t obj, const Json &n, const std::string &place) {
        CamObject *c = cam_object(obj);
        c->is_template = flag(n, "template", place);
        c->in_setup = flag(n, "in_setup", place);
        if (n.contains("params")) params(obj, n["params"], at(place, "params"));
        read_attributes(list_at(n, "attributes", place), at(place, "attributes"), store().find(obj));
    }

    tag_t group(View v, const Json &n, const std::string &place) {
        only_keys(n, {"group", "kind", "template", "in_setup", "params", "geometry", "auto_blank", "clearance_plane",
                      "boundaries", "text", "attributes", "members"},
                  place);
        if (v == kMachineView) fail(place, "the machine tool view holds cutters, not groups");
        const int subtype = kind_subtype(v, n, place);
        const tag_t made = named_object(Kind::Group, v, subtype, text(n["group"], at(place, "group")), place);
        common(made, n, place);
        shapes(made, n, place);
        if (n.contains("boundaries") && !(v == kGeometryView && subtype == UF_mill_bnd_featr_subtype))
            fail(at(place, "boundaries"), "only a boundary group holds boundaries");
        if (n.contains("text") && !(v == kGeometryView && subtype == UF_mill_text_featr_subtype))
            fail(at(place, "text"), "only a text group holds text");
        boundaries_and_text(made, n, place);
        return made;
    }

    tag_t cutter(View v, const Json &n, const std::string &place) {
        only_keys(n, {"cutter", "kind", "template", "in_setup", "params", "holder", "attributes", "members"}, place);
        if (v != kMachineView) fail(place, "cutters belong to the machine tool view");
        const tag_t made =
            named_object(Kind::Cutter, v, UF_mach_tool_subtype, text(n["cutter"], at(place, "cutter")), place);
        CamObject *c = cam_object(made);
        if (n.contains("kind") &&
            !cutter_kind_of(text(n["kind"], at(place, "kind")), &c->cutter_type, &c->cutter_subtype))
            fail(at(place, "kind"), "unknown cutter kind " + n["kind"].dump());
        const Json &holder = list_at(n, "holder", place);
        for (std::size_t i = 0; i < holder.size(); ++i) {
            const std::string p = at(at(place, "holder"), i);
            only_keys(holder[i], {"diameter", "length", "taper", "corner"}, p);
            HolderSection s;
            for (auto [key, field] : {std::pair{"diameter", &s.diameter}, std::pair{"length", &s.length},
                                      std::pair{"taper", &s.taper}, std::pair{"corner", &s.corner}})
                if (holder[i].contains(key)) *field = number(holder[i][key], at(p, key));
            if (!(s.diameter > 0) || !(s.length > 0)) fail(p, "a holder section needs a diameter and a length above 0");
            c->holder.push_back(s);
        }
        common(made, n, place);
        return made;
    }

    tag_t operation(const Json &n, const std::string &place) {
        only_keys(n, {"operation", "kind", "subtype", "template", "in_setup", "params", "ref_cutter", "cut_levels",
                      "geometry", "boundaries", "points", "text", "auto_blank", "clearance_plane", "attributes",
                      "generated"},
                  place);
        int subtype = -1;
        if (n.contains("kind")) {
            subtype = operation_subtype_of(text(n["kind"], at(place, "kind")));
            if (subtype < 0) fail(at(place, "kind"), "unknown operation kind " + n["kind"].dump());
        } else if (n.contains("subtype")) {
            subtype = integer(n["subtype"], at(place, "subtype"));
        } else {
            fail(place, "an operation needs a \"kind\" (cavity_mill, zlevel, face_milling, planar_mill, fixed_contour, "
                        "plunge_mill) or a \"subtype\"");
        }
        const tag_t made = named_object(Kind::Operation, kProgramView, subtype,
                                        text(n["operation"], at(place, "operation")), place);
        common(made, n, place);
        shapes(made, n, place);
        CamObject *op = cam_object(made);
        if (n.contains("ref_cutter")) ref_cutters_.emplace_back(made, text(n["ref_cutter"], at(place, "ref_cutter")), at(place, "ref_cutter"));
        if (n.contains("cut_levels")) levels(op, n["cut_levels"], at(place, "cut_levels"));
        boundaries_and_text(made, n, place);
        if (n.contains("points")) points(op, n["points"], at(place, "points"));
        if (n.contains("generated")) op->path = PathState{true, text(n["generated"], at(place, "generated"))};
        return made;
    }

    void params(tag_t obj, const Json &list, const std::string &place) {
        if (!list.is_object()) fail(place, "expected an object of parameters by name");
        const Object &o = *store().find(obj);
        for (auto it = list.begin(); it != list.end(); ++it) {
            const std::string p = at(place, it.key());
            const ParamSpec *spec = param_spec(it.key());
            if (!spec) fail(p, "unknown parameter (see the parameter table in FORMAT.md)");
            if (!(spec->carriers & carrier_of(*cam_object(obj), o.subtype)))
                fail(p, std::string(spec->name) + " belongs to " + carriers_text(spec->carriers) + ", not to a " + kind_text(o));
            ParamValue v;
            v.kind = spec->kind;
            const Json &j = it.value();
            switch (spec->kind) {
            case ValueKind::Int: v.integer = integer(j, p); break;
            case ValueKind::Double: v.real = number(j, p); break;
            case ValueKind::Tag: v.tag = j.is_null() ? NULL_TAG : resolve_reference(part_, j, p); break;
            case ValueKind::Text: v.text = text(j, p); break;
            case ValueKind::Pair: numbers(j, v.pair, p); break;
            case ValueKind::Feed: {
                int unit = 1;
                read_feed(j, &unit, &v.feed.value, p, &v.feed.color);
                v.feed.unit = unit;
                break;
            }
            }
            std::string why;
            if (!value_allowed(*spec, v, *cam_object(obj), &why)) fail(p, why);
            if (spec->index == UF_PARAM_FLOOR && v.tag != NULL_TAG &&
                !dynamic_cast<const modeling::XformPayload *>(store().find(v.tag)->payload.get()))
                fail(p, "the floor must be a transform (an \"xform\" of the geometry section)");
            cam_object(obj)->params[spec->index] = v;
        }
    }

    // Geometry items, automatic blank and clearance plane of a group or an operation.
    void shapes(tag_t obj, const Json &n, const std::string &place) {
        CamObject *c = cam_object(obj);
        if (n.contains("geometry")) {
            const Json &g = n["geometry"];
            const std::string gp = at(place, "geometry");
            only_keys(g, {"part", "blank", "check", "trim", "cut_area", "wall", "drive"}, gp);
            for (int type = UF_CAM_part; type <= UF_CAM_drive; ++type) {
                const Json &items = list_at(g, geom_type_key(type), gp);
                for (std::size_t i = 0; i < items.size(); ++i) {
                    const std::string ip = at(at(gp, geom_type_key(type)), i);
                    GeomItem item;
                    item.id = new_handle();
                    set_handle_owner(item.id, obj);
                    item.entity = entity_with_data(items[i], ip, &item.has_data, &item.data,
                                                   [this](const Json &d, const std::string &p) { return geom_data(d, p); });
                    c->items[type].push_back(item);
                }
            }
        }
        if (n.contains("auto_blank")) {
            const Json &b = n["auto_blank"];
            const std::string bp = at(place, "auto_blank");
            only_keys(b, {"type", "offsets"}, bp);
            const std::string type = b.contains("type") ? text(b["type"], at(bp, "type")) : "auto_block";
            if (type != "auto_block" && type != "offset_from_part") fail(at(bp, "type"), "expected \"auto_block\" or \"offset_from_part\"");
            c->blank.set = true;
            c->blank.type = type == "auto_block" ? UF_CAM_auto_block_type : UF_CAM_offset_from_part_type;
            double offsets[6] = {0, 0, 0, 0, 0, 0};
            if (b.contains("offsets")) numbers(b["offsets"], offsets, at(bp, "offsets"));
            std::copy(offsets, offsets + 6, c->blank.offset.begin());
        }
        if (n.contains("clearance_plane")) {
            const Json &cp = n["clearance_plane"];
            const std::string pp = at(place, "clearance_plane");
            only_keys(cp, {"origin", "normal"}, pp);
            double origin[3] = {0, 0, 0}, normal[3] = {0, 0, 1};
            if (cp.contains("origin")) numbers(cp["origin"], origin, at(pp, "origin"));
            if (cp.contains("normal")) numbers(cp["normal"], normal, at(pp, "normal"));
            const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
            if (!(length > 1e-12)) fail(at(pp, "normal"), "must not be a zero vector");
            c->plane.set = true;
            for (int k = 0; k < 3; ++k) {
                c->plane.origin[static_cast<std::size_t>(k)] = origin[k];
                c->plane.normal[static_cast<std::size_t>(k)] = normal[k] / length;
            }
        }
    }

    // The object a reference names, and the application data that may come with it.
    template <class Data, class ReadData>
    tag_t entity_with_data(const Json &given, const std::string &place, bool *has_data, Data *data, ReadData read) {
        Json ref = given;
        if (ref.is_object() && ref.contains("data")) {
            *has_data = true;
            *data = read(ref["data"], at(place, "data"));
            ref.erase("data");
        }
        return resolve_reference(part_, ref, place);
    }

    // Stock, tolerances and feed, which item and boundary data both have.
    template <class AppData>
    static void shared_data(const Json &d, AppData *a, const std::string &place) {
        if (d.contains("stock")) a->has_stock = 1, a->stock = number(d["stock"], at(place, "stock"));
        if (d.contains("tolerances")) a->has_tolerances = 1, numbers(d["tolerances"], a->tolerances, at(place, "tolerances"));
        if (d.contains("feed")) {
            int unit = 1;
            read_feed(d["feed"], &unit, &a->feedrate_value, at(place, "feed"));
            a->has_feedrate = 1;
            a->feedrate_unit = static_cast<UF_CAM_feedrate_unit_t>(unit);
        }
    }

    UF_CAMGEOM_app_data_t geom_data(const Json &d, const std::string &place) {
        only_keys(d, {"stock", "cut_stock", "tolerances", "feed", "offset", "avoidance"}, place);
        UF_CAMGEOM_app_data_t a{};
        shared_data(d, &a, place);
        if (d.contains("cut_stock")) a.has_cut_stock = 1, numbers(d["cut_stock"], a.cut_stock, at(place, "cut_stock"));
        if (d.contains("offset")) {
            const Json &o = d["offset"];
            only_keys(o, {"type", "nominal", "value"}, at(place, "offset"));
            a.has_offset = 1;
            if (o.contains("type")) a.offsetType = integer(o["type"], at(at(place, "offset"), "type"));
            if (o.contains("nominal")) a.nominalOffset = number(o["nominal"], at(at(place, "offset"), "nominal"));
            if (o.contains("value")) a.offset = number(o["value"], at(at(place, "offset"), "value"));
        }
        if (d.contains("avoidance")) {
            a.has_avoidance_type = 1;
            a.avoidance_type = static_cast<UF_CAM_avoidance_type_t>(integer(d["avoidance"], at(place, "avoidance")));
        }
        return a;
    }

    UF_CAMBND_app_data_t boundary_data(const Json &d, const std::string &place) {
        only_keys(d, {"stock", "tolerances", "feed", "blank_distance", "tool_position"}, place);
        UF_CAMBND_app_data_t a{};
        shared_data(d, &a, place);
        if (d.contains("blank_distance"))
            a.has_blank_distance = 1, a.blank_distance = number(d["blank_distance"], at(place, "blank_distance"));
        if (d.contains("tool_position")) {
            a.has_tool_position = 1;
            a.tool_position = static_cast<UF_CAM_tool_position_t>(integer(d["tool_position"], at(place, "tool_position")));
        }
        return a;
    }

    void boundaries_and_text(tag_t holder, const Json &n, const std::string &place) {
        if (n.contains("boundaries")) boundaries(holder, n["boundaries"], at(place, "boundaries"));
        const Json &notes = list_at(n, "text", place);
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const std::string np = at(at(place, "text"), i);
            const tag_t note = resolve_reference(part_, notes[i], np);
            const Object *obj = store().find(note);
            if (obj->type != UF_drafting_entity_type) fail(np, "text items are notes or labels");
            TextItem item{new_handle(), note};
            set_handle_owner(item.id, holder);
            cam_object(holder)->text.push_back(item);
        }
    }

    void boundaries(tag_t oper, const Json &all, const std::string &place) {
        only_keys(all, {"part", "blank", "check", "trim"}, place);
        for (int type = UF_CAM_part; type <= UF_CAM_trim; ++type) {
            const Json &list = list_at(all, geom_type_key(type), place);
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string bp = at(at(place, geom_type_key(type)), i);
                cam_object(oper)->boundaries[type].push_back(boundary(oper, list[i], bp));
            }
        }
    }

    Boundary boundary(tag_t oper, const Json &j, const std::string &place) {
        only_keys(j, {"type", "plane", "origin", "matrix", "material", "ignore_holes", "ignore_islands",
                      "ignore_chamfers", "data", "face", "loop", "loop_kind", "members"},
                  place);
        Boundary b;
        b.id = new_handle();
        set_handle_owner(b.id, oper);
        const std::string type = j.contains("type") ? text(j["type"], at(place, "type")) : "closed";
        if (type != "closed" && type != "open") fail(at(place, "type"), "expected \"closed\" or \"open\"");
        b.data.boundary_type = type == "closed" ? UF_CAM_boundary_type_closed : UF_CAM_boundary_type_open;
        const std::string plane = j.contains("plane") ? text(j["plane"], at(place, "plane")) : "automatic";
        if (plane != "automatic" && plane != "user") fail(at(place, "plane"), "expected \"automatic\" or \"user\"");
        b.data.plane_type = plane == "user" ? 0 : 1;
        if (j.contains("origin")) numbers(j["origin"], b.data.origin, at(place, "origin"));
        if (j.contains("matrix")) numbers(j["matrix"], b.data.matrix, at(place, "matrix"));
        const std::string side = j.contains("material") ? text(j["material"], at(place, "material")) : "undefined";
        if (side != "undefined" && side != "inside" && side != "outside")
            fail(at(place, "material"), "expected \"undefined\", \"inside\" or \"outside\"");
        b.data.material_side = side == "inside"    ? UF_CAM_material_side_in_left
                               : side == "outside" ? UF_CAM_material_side_out_right
                                                   : UF_CAM_material_side_undefined;
        b.data.ignore_holes = flag(j, "ignore_holes", place);
        b.data.ignore_islands = flag(j, "ignore_islands", place);
        b.data.ignore_chamfers = flag(j, "ignore_chamfers", place);
        if (j.contains("data")) b.has_data = true, b.app = boundary_data(j["data"], at(place, "data"));
        if (j.contains("face")) b.face = resolve_reference(part_, j["face"], at(place, "face"));
        if (j.contains("loop")) b.loop = integer(j["loop"], at(place, "loop"));
        const std::string loop_kind = j.contains("loop_kind") ? text(j["loop_kind"], at(place, "loop_kind")) : "outer";
        if (loop_kind != "outer" && loop_kind != "hole" && loop_kind != "island")
            fail(at(place, "loop_kind"), "expected \"outer\", \"hole\" or \"island\"");
        b.loop_kind = loop_kind == "hole" ? LoopKind::Hole : loop_kind == "island" ? LoopKind::Island : LoopKind::Outer;
        if (b.data.plane_type == 0) {
            csys::Matrix m{};
            std::copy(std::begin(b.data.matrix), std::end(b.data.matrix), m.begin());
            if (!csys::is_orthonormal(m)) fail(at(place, "matrix"), "a user plane needs orthonormal right-handed rows X, Y, Z");
        }
        const Json &members = list_at(j, "members", place);
        for (std::size_t i = 0; i < members.size(); ++i) {
            const std::string mp = at(at(place, "members"), i);
            BoundaryMember m;
            m.id = new_handle();
            set_handle_owner(m.id, oper);
            m.entity = entity_with_data(members[i], mp, &m.has_data, &m.data,
                                        [this](const Json &d, const std::string &p) { return boundary_data(d, p); });
            b.members.push_back(m);
        }
        return b;
    }

    void points(CamObject *op, const Json &all, const std::string &place) {
        only_keys(all, {"start", "predrill"}, place);
        for (auto [key, type] : {std::pair{"start", UF_CAMGEOM_cut_region_start_type},
                                 std::pair{"predrill", UF_CAMGEOM_predrill_engage_type}}) {
            const Json &list = list_at(all, key, place);
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string pp = at(at(place, key), i);
                only_keys(list[i], {"point", "upper", "lower", "depth", "ref"}, pp);
                UF_CAMGEOM_custom_point_t p{};
                if (list[i].contains("point")) numbers(list[i]["point"], p.point_acs, at(pp, "point"));
                if (list[i].contains("upper")) p.upper_depth = number(list[i]["upper"], at(pp, "upper"));
                if (list[i].contains("lower")) p.lower_depth = number(list[i]["lower"], at(pp, "lower"));
                if (list[i].contains("depth")) p.depth = number(list[i]["depth"], at(pp, "depth"));
                if (list[i].contains("ref")) p.point_tag = resolve_reference(part_, list[i]["ref"], at(pp, "ref"));
                op->points[type].push_back(p);
            }
        }
    }

    void levels(CamObject *op, const Json &j, const std::string &place) {
        only_keys(j, {"range", "levels"}, place);
        const std::string range = j.contains("range") ? text(j["range"], at(place, "range"))
                                                      : (j.contains("levels") ? "user_defined" : "auto");
        if (range == "auto") op->levels.range_type = 0;
        else if (range == "user_defined") op->levels.range_type = 1;
        else if (range == "single") op->levels.range_type = 2;
        else fail(at(place, "range"), "expected \"auto\", \"user_defined\" or \"single\"");
        if (!j.contains("levels")) return;
        op->levels.edited = true;
        const Json &list = list_at(j, "levels", place);
        double last = INFINITY;
        for (std::size_t i = 0; i < list.size(); ++i) {
            double level[2] = {0, 0};
            numbers(list[i], level, at(at(place, "levels"), i));
            if (!(level[0] < last)) fail(at(at(place, "levels"), i), "levels go from the top down, each below the one before");
            last = level[0];
            op->levels.levels.push_back({NULL_TAG, level[0], level[1]});
        }
    }

    tag_t part_;
    tag_t setup_;
    std::vector<std::tuple<tag_t, std::string, std::string, std::size_t>> oper_refs_;
    std::vector<std::tuple<tag_t, std::string, std::string>> ref_cutters_;
};

}  // namespace

void read_cam_section(tag_t part, const Json &section) {
    only_keys(section, {"type", "program", "machine", "geometry", "method"}, "");
    const std::string type = section.contains("type") ? text(section["type"], "type") : "";
    Reader reader(part, create_setup(part, type));
    for (int v = 0; v < kViewCount; ++v) {
        const char *key = view_key(static_cast<View>(v));
        if (section.contains(key)) reader.view(static_cast<View>(v), section[key], key);
    }
    reader.finish();
}

}  // namespace nxhost::cam
