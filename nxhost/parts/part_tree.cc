// `nxhost tree`: a part as text, bodies first, then the sections other modules print.
#include <cmath>
#include <cstdio>

#include "nxhost/core/tree_number.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_attr_types.h"
#include "uf_modl_types.h"
#include "uf_object_types.h"

namespace nxhost {
namespace {

std::string length(double v) { return tree_number(v); }

std::string real(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string face_text(const modeling::ShapeRef &face) {
    modeling::FaceInfo info = modeling::face_info(face);
    std::string text = modeling::face_type_name(info.type);
    if (info.planar) {
        std::string axis = modeling::axis_label(info.normal);
        text += " normal " + (axis.empty() ? tree_point(info.normal) : axis);
    }
    return text;
}

std::string edge_text(const modeling::ShapeRef &edge) {
    switch (modeling::edge_type_code(edge)) {
    case UF_MODL_LINEAR_EDGE: return "linear";
    case UF_MODL_CIRCULAR_EDGE: return "circular";
    case UF_MODL_ELLIPTICAL_EDGE: return "elliptical";
    case UF_MODL_SPLINE_EDGE: return "spline";
    default: return "foreign";
    }
}

void print_sub_attributes(std::ostream &out, tag_t body, int subtype) {
    const bool faces = subtype == UF_solid_face_subtype;
    for (tag_t tag : store().children(body, subtype)) {
        const Object *sub = store().find(tag);
        if (sub->attributes.empty() && sub->name.empty()) continue;
        const modeling::ShapePayload *shape = modeling::shape_payload(*sub);
        std::string head = std::string("  ") + (faces ? "face " : "edge ") + std::to_string(sub->index);
        if (shape) head += " " + (faces ? face_text(shape->shape) : edge_text(shape->shape));
        if (!sub->name.empty()) head += " name " + sub->name;
        if (sub->attributes.empty()) out << head << "\n";
        for (const Attribute &a : sub->attributes) out << head << ": " << attribute_text(a) << "\n";
    }
}

void print_body(std::ostream &out, const Object &body) {
    out << "body " << (body.name.empty() ? "<unnamed>" : body.name);
    const modeling::BodyPayload *payload = modeling::body_payload(body);
    if (!payload) {
        out << "  no geometry  layer " << body.layer << "\n";
    } else {
        int type = modeling::body_type_code(payload->shape);
        out << "  " << (type == UF_MODL_SOLID_BODY ? "solid" : type == UF_MODL_SHEET_BODY ? "sheet" : "other")
            << "  layer " << body.layer << (body.blank ? "  blanked" : "") << "  faces " << payload->faces.size()
            << " edges " << payload->edges.size();
        std::array<double, 6> box{};
        if (modeling::exact_box(payload->shape, &box))
            out << " box " << tree_point({box[0], box[1], box[2]}) << "-" << tree_point({box[3], box[4], box[5]});
        out << "\n";
    }
    for (const Attribute &a : body.attributes) out << "  " << attribute_text(a) << "\n";
    print_sub_attributes(out, body.tag, UF_solid_face_subtype);
    print_sub_attributes(out, body.tag, UF_solid_edge_subtype);
}

}  // namespace

std::string attribute_text(const Attribute &a) {
    const AttrValue &v = a.value;
    std::string type, value;
    switch (v.type) {
    case UF_ATTR_integer: type = "integer"; value = std::to_string(v.integer); break;
    case UF_ATTR_real: type = "real"; value = real(v.real); break;
    case UF_ATTR_bool: type = "bool"; value = v.integer ? "true" : "false"; break;
    case UF_ATTR_time:
        type = "time";
        value = "[" + std::to_string(v.integer) + "," + std::to_string(static_cast<int>(v.real)) + "]";
        break;
    case UF_ATTR_null: type = "null"; value = "null"; break;
    case UF_ATTR_reference: type = "reference"; value = "\"" + v.text + "\""; break;
    default: type = "string"; value = "\"" + v.text + "\""; break;
    }
    return "attr " + a.title + " (" + type + ") = " + value;
}

std::string tree_point(const std::array<double, 3> &p) {
    return "[" + length(p[0]) + "," + length(p[1]) + "," + length(p[2]) + "]";
}

void print_part_tree(std::ostream &out, tag_t part) {
    const PartPayload *payload = part_payload(part);
    if (!payload) {
        out << "no part\n";
        return;
    }
    const Object *obj = store().find(part);
    out << "part " << obj->name << "  units " << payload->units << "\n";
    for (const Attribute &a : obj->attributes) out << "  " << attribute_text(a) << "\n";
    for (tag_t tag : store().body_level_in_part(part, UF_solid_type)) {
        const Object *body = store().find(tag);
        if (body->subtype == UF_solid_body_subtype) print_body(out, *body);
    }
    // The CAM tree and other sections are printed by the modules that own them.
    for (const PartSection *section : part_sections())
        if (section->print) section->print(out, part);
}

}  // namespace nxhost
