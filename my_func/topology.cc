// Faces and edges of bodies as NX lists them, what kind of object a tag is, a probe point on a
// face and the exact extreme of an object along an axis.
#include <cstring>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_ui.h"

namespace {

// Releases an NX list on every path.
class list_holder {
public:
    ~list_holder() {
        if (list) UF_MODL_delete_list(&list);
    }
    uf_list_p_t list = nullptr;
};

// Tags of the list that ask filled; 0 when NX refused a step (reported), the tags read so far
// stay in *tags.
int read_list(int asked, list_holder &held, std::vector<tag_t> *tags) {
    tags->clear();
    if (asked != 0) return 0;
    int count = 0;
    if (UF_CALL(UF_MODL_ask_list_count(held.list, &count)) != 0) return 0;
    for (int i = 0; i < count; ++i) {
        tag_t item = NULL_TAG;
        if (UF_CALL(UF_MODL_ask_list_item(held.list, i, &item)) != 0) return 0;
        tags->push_back(item);
    }
    return 1;
}

int is_kind(tag_t tag, int subtype) {
    int type = 0, found_subtype = -1;
    if (tag == NULL_TAG || UF_CALL(UF_OBJ_ask_type_and_subtype(tag, &type, &found_subtype)) != 0) return 0;
    return type == UF_solid_type && found_subtype == subtype;
}

}  // namespace

int MY_ask_body_faces(tag_t body, std::vector<tag_t> *faces) {
    list_holder held;
    return read_list(UF_CALL(UF_MODL_ask_body_faces(body, &held.list)), held, faces);
}

int MY_ask_body_edges(tag_t body, std::vector<tag_t> *edges) {
    list_holder held;
    return read_list(UF_CALL(UF_MODL_ask_body_edges(body, &held.list)), held, edges);
}

int MY_ask_face_edges(tag_t face, std::vector<tag_t> *edges) {
    list_holder held;
    return read_list(UF_CALL(UF_MODL_ask_face_edges(face, &held.list)), held, edges);
}

int MY_is_solid_body(tag_t tag) {
    if (!is_kind(tag, UF_solid_body_subtype)) return 0;
    int body_type = 0;
    return UF_CALL(UF_MODL_ask_body_type(tag, &body_type)) == 0 && body_type == UF_MODL_SOLID_BODY ? 1 : 0;
}

int MY_is_face(tag_t tag) { return is_kind(tag, UF_solid_face_subtype); }

int MY_face_len_edge_one_point(tag_t face, double point[3]) {
    if (face == NULL_TAG) {
        uc1601("face is null tag, err! ( MY_face_box_edge )", 1);
        return 0;
    }
    if (!MY_is_face(face)) {
        uc1601("err! face is not solid face. ( MY_face_len_edge_one_point )", 1);
        return 0;
    }
    std::vector<tag_t> edges;
    MY_ask_face_edges(face, &edges);
    double longest = -1.0;
    for (tag_t edge : edges) {
        double first[3], second[3];
        int vertices = 0;
        if (UF_CALL(UF_MODL_ask_edge_verts(edge, first, second, &vertices)) != 0 || vertices != 2) continue;
        const double length = MY_point_dist(first, second);
        if (length > longest) {
            longest = length;
            std::memcpy(point, first, sizeof first);
        }
    }
    return longest >= 0.0 ? 1 : 0;
}

int MY_extreme_by_distance(tag_t object, int axis, int toward_positive, double plane_coordinate, double *extreme) {
    double origin[3] = {0.0, 0.0, 0.0};
    double normal[3] = {0.0, 0.0, 0.0};
    origin[axis] = plane_coordinate;
    normal[axis] = toward_positive ? 1.0 : -1.0;
    tag_t plane = NULL_TAG;
    if (UF_CALL(UF_MODL_create_plane(origin, normal, &plane)) != 0) return 0;
    double distance = 0.0;
    double on_object[3], on_plane[3];
    const int asked = UF_CALL(UF_MODL_ask_minimum_dist(object, plane, 0, origin, 0, origin, &distance, on_object,
                                                       on_plane));
    UF_CALL(UF_OBJ_delete_object(plane));
    if (asked != 0) return 0;
    *extreme = toward_positive ? plane_coordinate + distance : plane_coordinate - distance;
    return 1;
}

int MY_face_center_normal(tag_t face, double normal[3]) {
    double uv[4];
    if (UF_CALL(UF_MODL_ask_face_uv_minmax(face, uv)) != 0) return 0;
    double param[2] = {(uv[0] + uv[1]) / 2, (uv[2] + uv[3]) / 2};
    double point[3], u1[3], v1[3], u2[3], v2[3], radii[2];
    return UF_CALL(UF_MODL_ask_face_props(face, param, point, u1, v1, u2, v2, normal, radii)) == 0;
}
