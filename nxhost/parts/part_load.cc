// Reading a part file (format nxhost-part/1) into the object store.
#include <cmath>
#include <fstream>
#include <sstream>

#include "nxhost/modeling/shapes.h"
#include "nxhost/parts/part_model.h"
#include "uf_attr_types.h"
#include "uf_defs.h"
#include "uf_object_types.h"

namespace nxhost {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char *kFormat = "nxhost-part/1";

// A fault in the document; `place` is the JSON path inside it ("bodies[2].shape").
struct FormatError {
    std::string place;
    std::string what;
};

[[noreturn]] void fail(const std::string &place, const std::string &what) { throw FormatError{place, what}; }

std::string index_place(const std::string &place, std::size_t i) { return place + "[" + std::to_string(i) + "]"; }

void only_keys(const Json &obj, std::initializer_list<const char *> keys, const std::string &place) {
    if (!obj.is_object()) fail(place, std::string("expected an object, found ") + obj.type_name());
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool known = false;
        for (const char *k : keys) known = known || it.key() == k;
        if (!known) fail(place, "unexpected key \"" + it.key() + "\"");
    }
}

const Json *optional(const Json &obj, const char *key) {
    auto it = obj.find(key);
    return it == obj.end() ? nullptr : &*it;
}

const Json &array_at(const Json &obj, const char *key, const std::string &place) {
    static const Json empty = Json::array();
    const Json *list = optional(obj, key);
    if (!list) return empty;
    if (!list->is_array())
        fail(place.empty() ? key : place + "." + key, std::string("expected a list, found ") + list->type_name());
    return *list;
}

int whole_number(const Json &j, const std::string &place, int lo, int hi) {
    if (!j.is_number_integer() || j.get<long long>() < lo || j.get<long long>() > hi)
        fail(place, "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", found " +
                        j.dump());
    return j.get<int>();
}

std::string text(const Json &j, const std::string &place, std::size_t max_chars) {
    if (!j.is_string()) fail(place, std::string("expected a text, found ") + j.type_name());
    std::string s = j.get<std::string>();
    if (s.size() > max_chars) fail(place, "longer than " + std::to_string(max_chars) + " characters");
    return s;
}

AttrValue attribute_value(const std::string &type, const Json *value, const std::string &place) {
    AttrValue v;
    auto need = [&]() -> const Json & {
        if (!value) fail(place, "missing \"value\"");
        return *value;
    };
    if (type == "string" || type == "reference") {
        v.type = type == "string" ? UF_ATTR_string : UF_ATTR_reference;
        v.text = text(need(), place + ".value", UF_ATTR_MAX_STRING_NCHARS);
    } else if (type == "integer") {
        v.type = UF_ATTR_integer;
        v.integer = whole_number(need(), place + ".value", -2147483647 - 1, 2147483647);
    } else if (type == "real") {
        v.type = UF_ATTR_real;
        if (!need().is_number() || !std::isfinite(value->get<double>()))
            fail(place + ".value", std::string("expected a number, found ") + value->dump());
        v.real = value->get<double>();
    } else if (type == "bool") {
        v.type = UF_ATTR_bool;
        if (!need().is_boolean()) fail(place + ".value", "expected true or false, found " + value->dump());
        v.integer = value->get<bool>() ? 1 : 0;
    } else if (type == "time") {
        v.type = UF_ATTR_time;
        if (!need().is_array() || value->size() != 2) fail(place + ".value", "expected [date, time]");
        v.integer = whole_number((*value)[0], place + ".value[0]", -2147483647 - 1, 2147483647);
        v.real = whole_number((*value)[1], place + ".value[1]", -2147483647 - 1, 2147483647);
    } else if (type == "null") {
        v.type = UF_ATTR_null;
    } else {
        fail(place + ".type",
             "unknown attribute type '" + type + "' (string, integer, real, bool, time, null or reference)");
    }
    return v;
}

// One title carries one attribute of each type, as UF_ATTR_assign keeps them.
void assign(Object *obj, const std::string &title, const AttrValue &value) {
    for (Attribute &a : obj->attributes) {
        if (a.title == title && a.value.type == value.type) {
            a.value = value;
            return;
        }
    }
    obj->attributes.push_back(Attribute{title, value});
}

// Faces (or edges) of one body an entry of "faces" selects.
std::vector<int> select(const modeling::BodyPayload &body, const Json &sel, bool faces, const std::string &place) {
    const std::size_t count = faces ? body.faces.size() : body.edges.size();
    const char *what = faces ? "face" : "edge";
    if (!sel.is_object()) fail(place, "expected {\"index\": n} or {\"normal\": \"+Z\"}");
    if (sel.contains("index")) {
        only_keys(sel, {"index"}, place);
        int i = whole_number(sel["index"], place + ".index", 0, 1 << 30);
        if (static_cast<std::size_t>(i) >= count)
            fail(place + ".index", std::string(what) + " " + std::to_string(i) + " asked, the body has " +
                                       std::to_string(count) + " (counted from 0)");
        return {i};
    }
    if (!faces) fail(place, "edges are selected by {\"index\": n}");
    only_keys(sel, {"normal", "pick"}, place);
    const Json *normal = optional(sel, "normal");
    if (!normal) fail(place, "expected \"index\" or \"normal\"");
    std::array<double, 3> dir{};
    if (normal->is_string()) {
        if (!modeling::axis_from_label(normal->get<std::string>(), &dir))
            fail(place + ".normal", "expected +X, -X, +Y, -Y, +Z, -Z or [x, y, z], found " + normal->dump());
    } else if (normal->is_array() && normal->size() == 3 && (*normal)[0].is_number() && (*normal)[1].is_number() &&
               (*normal)[2].is_number()) {
        double len = 0;
        for (std::size_t k = 0; k < 3; ++k) len += (*normal)[k].get<double>() * (*normal)[k].get<double>();
        if (!(len > 1e-24)) fail(place + ".normal", "must not be a zero vector");
        for (std::size_t k = 0; k < 3; ++k) dir[k] = (*normal)[k].get<double>() / std::sqrt(len);
    } else {
        fail(place + ".normal", "expected +X, -X, +Y, -Y, +Z, -Z or [x, y, z], found " + normal->dump());
    }
    std::string pick = "all";
    if (const Json *p = optional(sel, "pick")) pick = p->is_string() ? p->get<std::string>() : p->dump();
    if (pick != "all" && pick != "highest" && pick != "lowest")
        fail(place + ".pick", "expected \"all\", \"highest\" or \"lowest\", found " + pick);

    std::vector<int> found;
    std::vector<double> level;
    for (std::size_t i = 0; i < body.faces.size(); ++i) {
        modeling::FaceInfo info = modeling::face_info(body.faces[i]);
        double dot = info.normal[0] * dir[0] + info.normal[1] * dir[1] + info.normal[2] * dir[2];
        if (!info.planar || dot < 1.0 - 1e-9) continue;
        found.push_back(static_cast<int>(i));
        level.push_back(info.offset);
    }
    if (pick == "all" || found.empty()) return found;
    double best = level.front();
    for (double l : level) best = pick == "highest" ? std::max(best, l) : std::min(best, l);
    std::vector<int> chosen;
    for (std::size_t k = 0; k < found.size(); ++k)
        if (std::abs(level[k] - best) <= 1e-6 * std::max(1.0, std::abs(best))) chosen.push_back(found[k]);
    return chosen;
}

// "faces" or "edges" of a body entry, applied to every body the entry made.
void apply_sub_entries(const Json &entry, const char *key, const std::vector<tag_t> &bodies, const std::string &place) {
    const bool faces = std::string(key) == "faces";
    const Json &list = array_at(entry, key, place);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = index_place(place + "." + key, i);
        only_keys(list[i], {"select", "name", "attributes"}, at);
        const Json *sel = optional(list[i], "select");
        if (!sel) fail(at, "missing \"select\"");
        bool matched = false;
        for (tag_t body_tag : bodies) {
            const modeling::BodyPayload *body = modeling::body_payload(*store().find(body_tag));
            std::vector<tag_t> subs = store().children(body_tag, faces ? UF_solid_face_subtype : UF_solid_edge_subtype);
            for (int index : select(*body, *sel, faces, at + ".select")) {
                Object *sub = store().find(subs[static_cast<std::size_t>(index)]);
                matched = true;
                if (const Json *name = optional(list[i], "name"))
                    store().rename(*sub, text(*name, at + ".name", UF_OBJ_NAME_NCHARS));
                read_attributes(array_at(list[i], "attributes", at), at + ".attributes", sub);
            }
        }
        if (!matched) fail(at + ".select", std::string("no ") + (faces ? "face" : "edge") + " matches " + sel->dump());
    }
}

void read_body(const Json &entry, const std::string &place, const modeling::BuildContext &ctx, tag_t part) {
    only_keys(entry, {"name", "layer", "blank", "color", "attributes", "shape", "faces", "edges"}, place);
    std::string name;
    if (const Json *n = optional(entry, "name")) name = text(*n, place + ".name", UF_OBJ_NAME_NCHARS);
    int layer = 1;
    if (const Json *l = optional(entry, "layer")) layer = whole_number(*l, place + ".layer", 1, 256);
    int blank = 0;
    if (const Json *b = optional(entry, "blank")) {
        if (!b->is_boolean()) fail(place + ".blank", "expected true or false, found " + b->dump());
        blank = b->get<bool>() ? 1 : 0;
    }
    int color = 7;
    if (const Json *c = optional(entry, "color")) color = whole_number(*c, place + ".color", 0, 216);
    const Json *shape = optional(entry, "shape");
    if (!shape) fail(place, "missing \"shape\"");

    std::vector<modeling::ShapeRef> shapes;
    try {
        shapes = modeling::build_shapes(*shape, ctx, place + ".shape");
    } catch (const modeling::ShapeError &e) {
        throw FormatError{"", e.what()};
    }
    std::vector<tag_t> bodies;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        std::string body_name = i == 0 || name.empty() ? name : name + "_" + std::to_string(i + 1);
        tag_t tag = modeling::create_body_object(part, shapes[i], body_name);
        Object *body = store().find(tag);
        body->layer = layer;
        body->blank = blank;
        body->color = color;
        read_attributes(array_at(entry, "attributes", place), place + ".attributes", body);
        bodies.push_back(tag);
    }
    apply_sub_entries(entry, "faces", bodies, place);
    apply_sub_entries(entry, "edges", bodies, place);
}

void read_document(const Json &doc, tag_t part, const std::string &host_path) {
    if (!doc.is_object()) fail("", std::string("expected a JSON object, found ") + doc.type_name());
    const Json *format = optional(doc, "format");
    if (!format) fail("format", std::string("missing; a part file starts with \"format\": \"") + kFormat + "\"");
    if (*format != kFormat) fail("format", std::string("expected \"") + kFormat + "\", found " + format->dump());

    PartPayload *payload = part_payload(part);
    payload->host_path = host_path;
    if (const Json *units = optional(doc, "units")) {
        if (*units != "mm" && *units != "m") fail("units", "expected \"mm\" or \"m\", found " + units->dump());
        payload->units = units->get<std::string>();
    }
    read_attributes(array_at(doc, "attributes", ""), "attributes", store().find(part));

    modeling::BuildContext ctx;
    std::size_t slash = host_path.find_last_of('/');
    ctx.base_dir = slash == std::string::npos ? "." : host_path.substr(0, slash == 0 ? 1 : slash);
    ctx.units = payload->units;
    const Json &bodies = array_at(doc, "bodies", "");
    for (std::size_t i = 0; i < bodies.size(); ++i) read_body(bodies[i], index_place("bodies", i), ctx, part);

    for (auto it = doc.begin(); it != doc.end(); ++it) {
        const std::string &key = it.key();
        if (key == "format" || key == "units" || key == "attributes" || key == "bodies") continue;
        payload->kept[key] = find_part_section(key) ? nullptr : it.value();
    }
    // Sections load in their fixed order, whatever the file's: a later one may refer to the objects
    // of an earlier one (the CAM tree to notes and points).
    for (const PartSection *section : part_sections()) {
        if (!doc.contains(section->key)) continue;
        try {
            if (section->load) section->load(part, doc[section->key]);
        } catch (const std::exception &e) {
            fail(section->key, e.what());
        }
    }
    complete_part(part);
}

std::string json_error_text(const std::exception &e) {
    std::string what = e.what();
    if (what.rfind("[json.exception.", 0) == 0) {
        std::size_t close = what.find("] ");
        if (close != std::string::npos) what = what.substr(close + 2);
    }
    return what;
}

}  // namespace

void read_attributes(const nlohmann::ordered_json &list, const std::string &place, Object *obj) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = index_place(place, i);
        only_keys(list[i], {"title", "type", "value"}, at);
        const Json *title = optional(list[i], "title");
        const Json *type = optional(list[i], "type");
        if (!title) fail(at, "missing \"title\"");
        if (!type) fail(at, "missing \"type\"");
        std::string t = text(*title, at + ".title", UF_ATTR_MAX_TITLE_NCHARS);
        if (t.empty()) fail(at + ".title", "must not be empty");
        assign(obj, t, attribute_value(text(*type, at + ".type", 16), optional(list[i], "value"), at));
    }
}

tag_t read_part_file(const std::string &shown_name, const std::string &host_path, LoadFailure *failure) {
    std::ifstream in(host_path, std::ios::binary);
    if (!in) {
        *failure = {kFileNotFound, shown_name + ": cannot open the part file" +
                                       (host_path != shown_name ? " (" + host_path + ")" : std::string())};
        return NULL_TAG;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    Json doc;
    try {
        doc = Json::parse(bytes.str());
    } catch (const nlohmann::json::exception &e) {
        *failure = {kFileUnreadable, shown_name + ": not valid JSON: " + json_error_text(e)};
        return NULL_TAG;
    }

    Object &made = store().create(UF_part_type, 0, NULL_TAG);
    store().rename(made, shown_name);
    made.payload = std::make_shared<PartPayload>();
    const tag_t part = made.tag;
    try {
        read_document(doc, part, host_path);
    } catch (const FormatError &e) {
        remove_part(part);
        *failure = {kFileUnreadable, shown_name + ": " + (e.place.empty() ? "" : e.place + ": ") + e.what};
        return NULL_TAG;
    } catch (const nlohmann::json::exception &e) {
        remove_part(part);
        *failure = {kFileUnreadable, shown_name + ": " + json_error_text(e)};
        return NULL_TAG;
    } catch (const std::exception &e) {
        remove_part(part);
        *failure = {kFileUnreadable, shown_name + ": " + e.what()};
        return NULL_TAG;
    }
    store().clear_modified(part);
    return part;
}

}  // namespace nxhost
