#include "nxhost/ui/pick.h"

#include <array>
#include <cstdlib>

#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "uf_modl_types.h"

namespace nxhost {
namespace {

constexpr int kSolidType = 70;
constexpr int kFaceMaskType = 71;  // selection mask type for faces
constexpr int kBodySubtype = 0;
constexpr int kFaceSubtype = 2;
constexpr int kEdgeSubtype = 3;
constexpr int kSheetBodyDetail = 35;
constexpr int kSolidBodyDetail = 36;

// Selection detail types: 0 body, 1..10 edges, 19..31 faces, 35 sheet body, 36 solid body.
int subtype_for_detail(int detail) {
    if (detail == 0 || detail == 35 || detail == 36) return kBodySubtype;
    if (detail >= 1 && detail <= 10) return kEdgeSubtype;
    if (detail >= 19 && detail <= 31) return kFaceSubtype;
    return -1;
}

bool fits(const Object &obj, const MaskTriple &mask) {
    if (mask.type == kFaceMaskType) return obj.type == kSolidType && obj.subtype == kFaceSubtype;
    if (mask.type != obj.type) return false;
    if (mask.type == kSolidType) {
        int wanted = mask.detail != 0 ? subtype_for_detail(mask.detail)
                                      : (mask.subtype == kFaceSubtype || mask.subtype == kEdgeSubtype ? mask.subtype
                                                                                                       : kBodySubtype);
        if (obj.subtype != wanted) return false;
        // The sheet and solid body details tell the two kinds of body apart.
        if (wanted == kBodySubtype && (mask.detail == kSheetBodyDetail || mask.detail == kSolidBodyDetail)) {
            const modeling::ShapePayload *payload = modeling::shape_payload(obj);
            const int wanted_type = mask.detail == kSolidBodyDetail ? UF_MODL_SOLID_BODY : UF_MODL_SHEET_BODY;
            return payload && modeling::body_type_code(payload->shape) == wanted_type;
        }
        return true;
    }
    return mask.subtype < 0 || mask.subtype == obj.subtype;
}

bool fits_any(const Object &obj, const std::vector<MaskTriple> &masks) {
    if (masks.empty()) return true;
    for (const MaskTriple &m : masks)
        if (fits(obj, m)) return true;
    return false;
}

const Object *body_named(tag_t part, const std::string &name) {
    for (tag_t t : store().body_level_in_part(part, kSolidType)) {
        const Object *obj = store().find(t);
        if (obj->subtype == kBodySubtype && obj->parent == NULL_TAG && obj->name == name) return obj;
    }
    return nullptr;
}

[[noreturn]] void wrong(const script::Line &line, const std::string &what) {
    script::fatal(script::where(line) + ": " + what);
}

const Object &face_body(const script::Line &line, tag_t part, const std::string &name) {
    const Object *body = body_named(part, name);
    if (!body) wrong(line, "the part has no body named " + name);
    return *body;
}

tag_t face_by_index(const script::Line &line, const Object &body, const std::string &index_text) {
    char *end = nullptr;
    long index = std::strtol(index_text.c_str(), &end, 10);
    std::vector<tag_t> faces = store().children(body.tag, kFaceSubtype);
    if (index_text.empty() || *end != '\0' || index < 0 || static_cast<std::size_t>(index) >= faces.size())
        wrong(line, body.name + " has no face " + index_text + " (it has " + std::to_string(faces.size()) + ")");
    return faces[static_cast<std::size_t>(index)];
}

std::vector<tag_t> faces_by_normal(const script::Line &line, const Object &body, const std::string &label) {
    std::array<double, 3> wanted{};
    if (!modeling::axis_from_label(label, &wanted)) wrong(line, "normal=" + label + " is not one of +X -X +Y -Y +Z -Z");
    std::vector<tag_t> found;
    for (tag_t face : store().children(body.tag, kFaceSubtype)) {
        const modeling::ShapePayload *shape = modeling::shape_payload(*store().find(face));
        if (!shape) continue;
        const modeling::FaceInfo info = modeling::face_info(shape->shape);
        if (info.planar && modeling::axis_label(info.normal) == label) found.push_back(face);
    }
    if (found.empty()) wrong(line, body.name + " has no planar face with normal " + label);
    return found;
}

// Faces as BODY:INDEX, or BODY followed by normal=AXIS for its planar faces facing that way.
std::vector<tag_t> pick_faces(const script::Line &line, tag_t part) {
    std::vector<tag_t> picked;
    for (std::size_t i = 1; i < line.arg_count(); ++i) {
        const std::string word = line.arg(i);
        const std::size_t colon = word.rfind(':');
        if (colon != std::string::npos) {
            picked.push_back(face_by_index(line, face_body(line, part, word.substr(0, colon)), word.substr(colon + 1)));
            continue;
        }
        const std::string next = line.arg(i + 1);
        if (next.rfind("normal=", 0) != 0)
            wrong(line, "a face is picked as BODY:INDEX or BODY normal=AXIS, not '" + word + "'");
        for (tag_t face : faces_by_normal(line, face_body(line, part, word), next.substr(7))) picked.push_back(face);
        ++i;
    }
    return picked;
}

std::vector<tag_t> pick_named(const script::Line &line, tag_t part, bool bodies_only) {
    std::vector<tag_t> picked;
    for (std::size_t i = 1; i < line.arg_count(); ++i) {
        const std::string name = line.arg(i);
        const Object *found = bodies_only ? body_named(part, name) : nullptr;
        if (!bodies_only) found = store().find(store().next_named(part, name, -1, NULL_TAG));
        if (!found) wrong(line, std::string("the part has no ") + (bodies_only ? "body" : "object") + " named " + name);
        picked.push_back(found->tag);
    }
    return picked;
}

}  // namespace

std::vector<tag_t> resolve_pick(const script::Line &line, const std::vector<MaskTriple> &masks, tag_t part) {
    if (part == NULL_TAG) wrong(line, "there is no displayed part to pick from");
    const std::string what = line.arg(0);
    std::vector<tag_t> picked = what == "faces" ? pick_faces(line, part) : pick_named(line, part, what == "solids");
    for (tag_t t : picked) {
        const Object &obj = *store().find(t);
        if (!fits_any(obj, masks))
            wrong(line, describe_pick({t}).substr(7) + " cannot be picked here: the selection filter excludes it");
    }
    return picked;
}

std::string describe_pick(const std::vector<tag_t> &picked) {
    std::string text = "picked";
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const Object *obj = store().find(picked[i]);
        text += i == 0 ? " " : ", ";
        if (obj->parent != NULL_TAG) {
            const Object *body = store().find(obj->parent);
            text += (body ? body->name : std::string("?")) + (obj->subtype == kFaceSubtype ? " face " : " edge ") +
                    std::to_string(obj->index);
        } else {
            text += obj->name.empty() ? "tag " + std::to_string(obj->tag) : obj->name;
        }
    }
    if (picked.empty()) text += " nothing";
    return text;
}

}  // namespace nxhost
