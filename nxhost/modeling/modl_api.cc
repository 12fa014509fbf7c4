// UF_MODL_* calls on bodies, faces and edges: types, topology and the body they belong to.
#include "nxhost/core/guard.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/modeling/tag_list.h"
#include "nxhost/objects/store.h"
#include "uf_modl.h"
#include "uf_object_types.h"

using namespace nxhost;
using namespace nxhost::modeling;

namespace {

// The body, face or edge behind a tag with its shape; records the misuse and returns nullptr
// when the tag is not one, or when the object was made without geometry.
const Object *solid_object(const char *call, tag_t tag, int subtype) {
    const Object *obj = lookup_kind(call, tag, UF_solid_type, subtype);
    if (obj && !shape_payload(*obj)) {
        misuse(call, "tag " + std::to_string(tag) + " has no geometry");
        return nullptr;
    }
    return obj;
}

// The body of a face or edge and its topology.
const BodyPayload *owning_body(const char *call, const Object &part_of_body) {
    const Object *body = lookup_kind(call, part_of_body.parent, UF_solid_type, UF_solid_body_subtype);
    const BodyPayload *payload = body ? body_payload(*body) : nullptr;
    if (body && !payload) misuse(call, "body " + std::to_string(body->tag) + " has no geometry");
    return payload;
}

// Tags of the faces or edges of `body` at the given indices.
std::vector<tag_t> tags_at(tag_t body, int subtype, const std::vector<int> &indices) {
    std::vector<tag_t> all = store().children(body, subtype);
    std::vector<tag_t> tags;
    for (int i : indices)
        if (i >= 0 && static_cast<std::size_t>(i) < all.size()) tags.push_back(all[static_cast<std::size_t>(i)]);
    return tags;
}

int body_children(const char *call, tag_t body, int subtype, uf_list_p_t *list) {
    if (!list) return kBadArgument;
    *list = nullptr;
    if (!solid_object(call, body, UF_solid_body_subtype)) return kBadTag;
    *list = make_tag_list(store().children(body, subtype));
    return 0;
}

// Faces of an edge or edges of a face, through the body's adjacency.
int neighbours(const char *call, tag_t tag, int subtype, uf_list_p_t *list) {
    if (!list) return kBadArgument;
    *list = nullptr;
    const Object *obj = solid_object(call, tag, subtype);
    if (!obj) return kBadTag;
    const BodyPayload *body = owning_body(call, *obj);
    if (!body) return kBadTag;
    const bool is_face = subtype == UF_solid_face_subtype;
    const auto &table = is_face ? body->face_edges : body->edge_faces;
    const std::size_t at = static_cast<std::size_t>(obj->index);
    if (at >= table.size()) {
        misuse(call, "tag " + std::to_string(tag) + " is not in its body's topology");
        return kBadTag;
    }
    *list = make_tag_list(
        tags_at(obj->parent, is_face ? UF_solid_edge_subtype : UF_solid_face_subtype, table[at]));
    return 0;
}

int owner(const char *call, tag_t tag, int subtype, tag_t *body) {
    if (!body) return kBadArgument;
    *body = NULL_TAG;
    const Object *obj = lookup_kind(call, tag, UF_solid_type, subtype);
    if (!obj) return kBadTag;
    *body = obj->parent;
    return 0;
}

}  // namespace

extern "C" int UF_MODL_ask_body_type(tag_t body_id, int *body_type) {
    NXHOST_ENTER("UF_MODL_ask_body_type");
    if (!body_type) return kBadArgument;
    *body_type = 0;
    const Object *body = solid_object("UF_MODL_ask_body_type", body_id, UF_solid_body_subtype);
    if (!body) return kBadTag;
    *body_type = body_type_code(shape_payload(*body)->shape);
    return 0;
}

extern "C" int UF_MODL_ask_body_faces(tag_t body, uf_list_p_t *face_list) {
    NXHOST_ENTER("UF_MODL_ask_body_faces");
    return body_children("UF_MODL_ask_body_faces", body, UF_solid_face_subtype, face_list);
}

extern "C" int UF_MODL_ask_body_edges(tag_t body, uf_list_p_t *edge_list) {
    NXHOST_ENTER("UF_MODL_ask_body_edges");
    return body_children("UF_MODL_ask_body_edges", body, UF_solid_edge_subtype, edge_list);
}

extern "C" int UF_MODL_ask_face_edges(tag_t face, uf_list_p_t *edge_list) {
    NXHOST_ENTER("UF_MODL_ask_face_edges");
    return neighbours("UF_MODL_ask_face_edges", face, UF_solid_face_subtype, edge_list);
}

extern "C" int UF_MODL_ask_edge_faces(tag_t edge, uf_list_p_t *face_list) {
    NXHOST_ENTER("UF_MODL_ask_edge_faces");
    return neighbours("UF_MODL_ask_edge_faces", edge, UF_solid_edge_subtype, face_list);
}

extern "C" int UF_MODL_ask_face_body(tag_t face, tag_t *body_obj_id) {
    NXHOST_ENTER("UF_MODL_ask_face_body");
    return owner("UF_MODL_ask_face_body", face, UF_solid_face_subtype, body_obj_id);
}

extern "C" int UF_MODL_ask_edge_body(tag_t edge, tag_t *body_obj_id) {
    NXHOST_ENTER("UF_MODL_ask_edge_body");
    return owner("UF_MODL_ask_edge_body", edge, UF_solid_edge_subtype, body_obj_id);
}

extern "C" int UF_MODL_ask_face_type(tag_t face, int *type) {
    NXHOST_ENTER("UF_MODL_ask_face_type");
    if (!type) return kBadArgument;
    *type = 0;
    const Object *obj = solid_object("UF_MODL_ask_face_type", face, UF_solid_face_subtype);
    if (!obj) return kBadTag;
    *type = face_info(shape_payload(*obj)->shape).type;
    return 0;
}

extern "C" int UF_MODL_ask_edge_type(tag_t edge_id, int *edge_type) {
    NXHOST_ENTER("UF_MODL_ask_edge_type");
    if (!edge_type) return kBadArgument;
    *edge_type = 0;
    const Object *obj = solid_object("UF_MODL_ask_edge_type", edge_id, UF_solid_edge_subtype);
    if (!obj) return kBadTag;
    *edge_type = edge_type_code(shape_payload(*obj)->shape);
    return 0;
}

extern "C" int UF_MODL_ask_edge_verts(tag_t edge, double point1[3], double point2[3], int *vertex_count) {
    NXHOST_ENTER("UF_MODL_ask_edge_verts");
    if (!point1 || !point2 || !vertex_count) return kBadArgument;
    *vertex_count = 0;
    const Object *obj = solid_object("UF_MODL_ask_edge_verts", edge, UF_solid_edge_subtype);
    const BodyPayload *body = obj ? owning_body("UF_MODL_ask_edge_verts", *obj) : nullptr;
    if (!body) return kBadTag;
    std::array<double, 3> p1{}, p2{};
    *vertex_count = edge_vertices(*body, static_cast<std::size_t>(obj->index), &p1, &p2);
    for (int i = 0; i < 3; ++i) {
        if (*vertex_count >= 1) point1[i] = p1[static_cast<std::size_t>(i)];
        if (*vertex_count == 2) point2[i] = p2[static_cast<std::size_t>(i)];
    }
    return 0;
}
