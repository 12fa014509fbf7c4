// A part as a part file document: bodies as BREP text, everything else as it was read.
#include <stdexcept>

#include "nxhost/modeling/shapes.h"
#include "nxhost/parts/part_model.h"
#include "uf_attr_types.h"
#include "uf_object_types.h"

namespace nxhost {
namespace {

using Json = nlohmann::ordered_json;

Json attribute_json(const Attribute &a) {
    Json j;
    j["title"] = a.title;
    const AttrValue &v = a.value;
    switch (v.type) {
    case UF_ATTR_integer: j["type"] = "integer"; j["value"] = v.integer; break;
    case UF_ATTR_real: j["type"] = "real"; j["value"] = v.real; break;
    case UF_ATTR_bool: j["type"] = "bool"; j["value"] = v.integer != 0; break;
    case UF_ATTR_time: j["type"] = "time"; j["value"] = {v.integer, static_cast<int>(v.real)}; break;
    case UF_ATTR_null: j["type"] = "null"; break;
    case UF_ATTR_reference: j["type"] = "reference"; j["value"] = v.text; break;
    default: j["type"] = "string"; j["value"] = v.text; break;
    }
    return j;
}

// Faces or edges that carry a name or attributes, selected by index.
Json sub_entries(tag_t body, int subtype) {
    Json list = Json::array();
    for (tag_t tag : store().children(body, subtype)) {
        const Object *sub = store().find(tag);
        if (sub->name.empty() && sub->attributes.empty()) continue;
        Json entry;
        entry["select"] = {{"index", sub->index}};
        if (!sub->name.empty()) entry["name"] = sub->name;
        if (!sub->attributes.empty()) entry["attributes"] = attributes_json(*sub);
        list.push_back(entry);
    }
    return list;
}

Json body_json(const Object &body) {
    const modeling::ShapePayload *shape = modeling::shape_payload(body);
    if (!shape) throw std::runtime_error("body " + (body.name.empty() ? "#" + std::to_string(body.tag) : body.name) +
                                         " has no geometry to save");
    Json j;
    if (!body.name.empty()) j["name"] = body.name;
    j["layer"] = body.layer;
    j["blank"] = body.blank != 0;
    j["color"] = body.color;
    if (!body.attributes.empty()) j["attributes"] = attributes_json(body);
    j["shape"] = {{"brep", modeling::shape_to_brep_text(shape->shape)}};
    Json faces = sub_entries(body.tag, UF_solid_face_subtype);
    if (!faces.empty()) j["faces"] = faces;
    Json edges = sub_entries(body.tag, UF_solid_edge_subtype);
    if (!edges.empty()) j["edges"] = edges;
    return j;
}

}  // namespace

nlohmann::ordered_json attributes_json(const Object &obj) {
    Json list = Json::array();
    for (const Attribute &a : obj.attributes) list.push_back(attribute_json(a));
    return list;
}

nlohmann::ordered_json part_document(tag_t part) {
    const Object *obj = store().find(part);
    const PartPayload *payload = part_payload(part);
    if (!obj || !payload) throw std::runtime_error("not a loaded part");
    Json doc;
    doc["format"] = "nxhost-part/1";
    doc["units"] = payload->units;
    if (!obj->attributes.empty()) doc["attributes"] = attributes_json(*obj);
    Json bodies = Json::array();
    for (tag_t tag : store().body_level_in_part(part, UF_solid_type)) {
        const Object *body = store().find(tag);
        if (body->subtype == UF_solid_body_subtype) bodies.push_back(body_json(*body));
    }
    doc["bodies"] = bodies;
    for (auto it = payload->kept.begin(); it != payload->kept.end(); ++it) {
        const PartSection *section = find_part_section(it.key());
        if (!section) {
            doc[it.key()] = it.value();
        } else if (section->save) {
            Json value = section->save(part);
            if (!value.is_null()) doc[it.key()] = value;
        }
    }
    for (const PartSection *section : part_sections()) {
        if (doc.contains(section->key) || payload->kept.contains(section->key) || !section->save) continue;
        Json value = section->save(part);
        if (!value.is_null()) doc[section->key] = value;
    }
    return doc;
}

}  // namespace nxhost
