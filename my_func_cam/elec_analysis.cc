// The full and the simple electrode analysis.
#include "my_func_cam/elec_analysis.h"

#include <algorithm>
#include <vector>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_ui.h"

namespace {

// A marked base face spans the body box across the direction within this; working faces may
// reach this far past the base face.
const double BASE_SPAN_TOLERANCE = 0.01;
const double WORKING_FACE_TOLERANCE = 0.01;
const int BOX_DIGITS = 3;

typedef int (*box_method)(tag_t, double[3], double[3]);

// Body and face box methods of the full analysis's modes 1, 2 and 3.
struct mode_methods {
    box_method body;
    box_method face;
};
const mode_methods MODES[3] = {{MY_solid_box_edge, MY_face_box_edge},
                               {MY_solid_box_edge_box, MY_face_box_edge_box},
                               {MY_solid_box_iso, MY_face_box_iso}};

struct elec_box {
    double lo[3];
    double hi[3];
};

// A base found: the reference face with its code, the base face on the working side with its
// box flattened onto its plane.
struct elec_base {
    tag_t top_face = NULL_TAG;
    tag_t edm_face = NULL_TAG;
    int code = 0;
    elec_box edm_box{};
};

// The box of object by method, rounded; 0 when the method failed (it said why).
int rounded_box(box_method method, tag_t object, elec_box *box) {
    if (!method(object, box->lo, box->hi)) return 0;
    for (int i = 0; i < 3; ++i) {
        box->lo[i] = MY_round_value(box->lo[i], BOX_DIGITS);
        box->hi[i] = MY_round_value(box->hi[i], BOX_DIGITS);
    }
    return 1;
}

bool same_on_axis(const elec_box &a, const elec_box &b, int axis) {
    return a.lo[axis] == b.lo[axis] && a.hi[axis] == b.hi[axis];
}

// A face box that equals the body box but for one axis, where it sits on the body's minimum or
// maximum.
bool covers_side(const elec_box &face, const elec_box &body) {
    for (int axis = 0; axis < 3; ++axis) {
        if (!same_on_axis(face, body, (axis + 1) % 3) || !same_on_axis(face, body, (axis + 2) % 3)) continue;
        if ((face.lo[axis] == body.lo[axis] && face.hi[axis] == body.lo[axis]) ||
            (face.lo[axis] == body.hi[axis] && face.hi[axis] == body.hi[axis]))
            return true;
    }
    return false;
}

int is_planar(tag_t face) {
    int type = 0;
    return UF_CALL(UF_MODL_ask_face_type(face, &type)) == 0 && type == UF_MODL_PLANAR_FACE;
}

// Planar faces covering a whole side of body, in face order, at most limit of them, with their
// boxes; 0 when a face box could not be had.
int full_side_faces(const std::vector<tag_t> &faces, const elec_box &body, box_method method, std::size_t limit,
                    std::vector<tag_t> *found, std::vector<elec_box> *boxes) {
    for (tag_t face : faces) {
        if (found->size() >= limit) break;
        if (!is_planar(face)) continue;
        elec_box box;
        if (!rounded_box(method, face, &box)) return 0;
        if (!covers_side(box, body)) continue;
        found->push_back(face);
        boxes->push_back(box);
    }
    return 1;
}

// The first full-side planar face, NULL_TAG when there is none; 0 when a face box failed.
int first_full_side_face(const std::vector<tag_t> &faces, const elec_box &body, box_method method, tag_t *face) {
    std::vector<tag_t> found;
    std::vector<elec_box> boxes;
    if (!full_side_faces(faces, body, method, 1, &found, &boxes)) return 0;
    *face = found.empty() ? NULL_TAG : found.front();
    return 1;
}

// Flattens a base face's box along axis onto its plane: the coordinate of the first vertex of its
// longest two-vertex edge, else the range of its edge-point box.
int flatten(tag_t face, int axis, elec_box *box) {
    double point[3];
    if (MY_face_len_edge_one_point(face, point)) {
        box->lo[axis] = box->hi[axis] = MY_round_value(point[axis], BOX_DIGITS);
        return 1;
    }
    elec_box edges;
    if (!rounded_box(MY_face_box_edge, face, &edges)) return 0;
    box->lo[axis] = edges.lo[axis];
    box->hi[axis] = edges.hi[axis];
    return 1;
}

int valid_electrode(tag_t elec_tag) {
    if (elec_tag == NULL_TAG) {
        uc1601("err! elec_tag is null.", 1);
        return 0;
    }
    int type = 0, subtype = -1;
    if (UF_CALL(UF_OBJ_ask_type_and_subtype(elec_tag, &type, &subtype)) != 0 || type != UF_solid_type ||
        subtype != UF_solid_body_subtype) {
        uc1601("err! elec_tag is not solid_body type!", 1);
        return 0;
    }
    int body_type = 0;
    if (UF_CALL(UF_MODL_ask_body_type(elec_tag, &body_type)) != 0 || body_type != UF_MODL_SOLID_BODY) {
        uc1601("err! elec_tag is not MODL_SOLID_BODY type!", 1);
        return 0;
    }
    return 1;
}

void set_box(const elec_box &box, double box_min[3], double box_max[3]) {
    for (int i = 0; i < 3; ++i) {
        box_min[i] = box.lo[i];
        box_max[i] = box.hi[i];
    }
}

void fill_whole_body(elec_cam_data *record, tag_t elec_tag, const elec_box &body, int code, const double center[3]) {
    record->elec_tag = elec_tag;
    record->use_whole_body = true;
    record->elec_direction = code;
    set_box(body, record->elec_box_min, record->elec_box_max);
    for (int i = 0; i < 3; ++i) record->elec_edm_center[i] = center[i];
}

// Steps 2 and 3: the marked base faces, taken when the base face spans the body box across the
// direction. 0 when a face box failed; *confirmed tells whether a base was taken.
int base_from_marks(tag_t elec_tag, const elec_box &body, elec_base *base, bool *confirmed) {
    *confirmed = false;
    tag_t edm_face = NULL_TAG, bottom_face = NULL_TAG;
    int code = 0, axis = 0, toward_max = 0;
    if (!MY_ask_elec_base_faces(elec_tag, &edm_face, &bottom_face, &code)) return 1;
    elec_box box;
    if (!rounded_box(MY_face_box_iso, edm_face, &box)) return 0;
    elec_working_side(code, &axis, &toward_max);
    for (int other : {(axis + 1) % 3, (axis + 2) % 3})
        if (!MY_equal_tol(box.lo[other], body.lo[other], BASE_SPAN_TOLERANCE) ||
            !MY_equal_tol(box.hi[other], body.hi[other], BASE_SPAN_TOLERANCE))
            return 1;
    if (!flatten(edm_face, axis, &box)) return 0;
    *base = {bottom_face, edm_face, code, box};
    *confirmed = true;
    return 1;
}

// Steps 7 and 8: the one full-side planar face as reference, the first planar face as wide as
// it in two axes as base face. 1 found; 0 a face box failed; -1 none, *fallback_tag says why.
int base_from_geometry(const std::vector<tag_t> &faces, const elec_box &body, box_method method, elec_base *base,
                       const char **fallback_tag) {
    std::vector<tag_t> sides;
    std::vector<elec_box> side_boxes;
    if (!full_side_faces(faces, body, method, 2, &sides, &side_boxes)) return 0;
    if (sides.size() != 1) {
        *fallback_tag = "analy_elec_data_cam_01:";
        return -1;
    }
    const tag_t top = sides.front();
    const elec_box &top_box = side_boxes.front();
    double normal[3] = {0.0, 0.0, 0.0};  // a refused question leaves the default code
    MY_face_center_normal(top, normal);
    // Axis pairs in the order tried, with the axis the base face is flattened along.
    static const int PAIRS[3][3] = {{0, 1, 2}, {0, 2, 1}, {1, 2, 0}};
    for (tag_t face : faces) {
        if (face == top || !is_planar(face)) continue;
        elec_box box;
        if (!rounded_box(method, face, &box)) return 0;
        for (const int *pair : PAIRS) {
            if (!same_on_axis(box, top_box, pair[0]) || !same_on_axis(box, top_box, pair[1])) continue;
            if (!flatten(face, pair[2], &box)) return 0;
            *base = {top, face, elec_direction_zyx(normal), box};
            return 1;
        }
    }
    *fallback_tag = "analy_elec_data_cam_03:";
    return -1;
}

// Appends a working face and widens the working-face box; 0 when the array could not grow.
int add_working_face(elec_cam_data *record, tag_t face, const elec_box &box) {
    int error = 0;
    const unsigned int bytes = static_cast<unsigned int>((record->elec_body_face_count + 1) * sizeof(tag_t));
    auto *grown = static_cast<tag_t *>(UF_reallocate_memory(record->elec_body_face_p, bytes, &error));
    report_nx_call(__FILE__, __LINE__, "UF_reallocate_memory(record->elec_body_face_p, bytes, &error)", error);
    if (error != 0 || !grown) return 0;  // the old array is still the record's
    record->elec_body_face_p = grown;
    const bool first = record->elec_body_face_count == 0;
    record->elec_body_face_p[record->elec_body_face_count++] = face;
    for (int i = 0; i < 3; ++i) {
        record->elec_body_min[i] = first || box.lo[i] < record->elec_body_min[i] ? box.lo[i] : record->elec_body_min[i];
        record->elec_body_max[i] = first || box.hi[i] > record->elec_body_max[i] ? box.hi[i] : record->elec_body_max[i];
    }
    return 1;
}

// Steps 9 to 11: the record from a base, the exact far side, the working faces beyond the base
// face, and the electrode box widened by theirs.
int fill_from_base(elec_cam_data *record, tag_t elec_tag, const elec_box &body, const std::vector<tag_t> &faces,
                   const elec_base &base) {
    record->elec_tag = elec_tag;
    set_box(body, record->elec_box_min, record->elec_box_max);
    for (int i = 0; i < 3; ++i) record->elec_edm_center[i] = (base.edm_box.lo[i] + base.edm_box.hi[i]) / 2;
    record->elec_base_edm_face = base.edm_face;
    record->elec_top_face = base.top_face;
    record->elec_direction = base.code;
    MY_set_elec_box_far_side(elec_tag, base.code, record->elec_box_min, record->elec_box_max);

    int axis = 0, toward_max = 0;
    elec_working_side(base.code, &axis, &toward_max);
    const double base_level = record->elec_edm_center[axis];
    for (tag_t face : faces) {
        if (face == base.edm_face) continue;
        elec_box box;
        if (!rounded_box(MY_face_box_iso, face, &box)) return 0;
        const bool beyond = toward_max ? box.lo[axis] >= base_level - WORKING_FACE_TOLERANCE
                                       : box.hi[axis] <= base_level + WORKING_FACE_TOLERANCE;
        if (beyond && !add_working_face(record, face, box)) return 0;
    }
    for (int i = 0; i < 3 && record->elec_body_face_count > 0; ++i) {
        if (record->elec_body_min[i] < record->elec_box_min[i]) record->elec_box_min[i] = record->elec_body_min[i];
        if (record->elec_body_max[i] > record->elec_box_max[i]) record->elec_box_max[i] = record->elec_body_max[i];
    }
    return 1;
}

// An electrode without a recognisable base stands upright with all its faces working; only
// mode 3 takes that, after saying why.
int fallback(elec_cam_data *record, tag_t elec_tag, const elec_box &body, int mode, const char *tag) {
    const double no_center[3] = {0.0, 0.0, 0.0};
    fill_whole_body(record, elec_tag, body, -1, no_center);
    if (mode != ELEC_MODE_ISO) return 0;
    return show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, tag);
}

}  // namespace

elec_cam_data::~elec_cam_data() {
    if (elec_body_face_p) UF_free(elec_body_face_p);
}

void clear_elec_cam_data(elec_cam_data *record) {
    if (record->elec_body_face_p) UF_free(record->elec_body_face_p);
    record->elec_body_face_p = nullptr;
    record->elec_body_face_count = 0;
    record->elec_tag = record->elec_top_face = record->elec_base_edm_face = NULL_TAG;
    record->elec_direction = 0;
    record->use_whole_body = false;
    for (double *corner : {record->elec_box_min, record->elec_box_max, record->elec_edm_center,
                           record->elec_body_min, record->elec_body_max})
        std::fill(corner, corner + 3, 0.0);
}

int analy_elec_data_cam(tag_t elec_tag, elec_cam_data *record, int mode) {
    if (mode < ELEC_MODE_EDGE || mode > ELEC_MODE_ISO) return 0;
    const mode_methods &methods = MODES[mode - 1];
    if (!valid_electrode(elec_tag)) return 0;
    clear_elec_cam_data(record);
    elec_box body;
    if (!rounded_box(methods.body, elec_tag, &body)) return 0;
    std::vector<tag_t> faces;
    MY_ask_body_faces(elec_tag, &faces);  // a refusal is reported; go on with what there is

    elec_base base;
    bool confirmed = false;
    if (!base_from_marks(elec_tag, body, &base, &confirmed)) return 0;

    tag_t dir_face = NULL_TAG;
    int dir_code = 0;
    double center[3];
    if (MY_ask_elec_edm_dir(elec_tag, &dir_face, &dir_code, center)) {
        fill_whole_body(record, elec_tag, body, dir_code, center);
        if (confirmed && base.code == dir_code) {
            record->elec_base_edm_face = base.edm_face;
            record->elec_top_face = base.top_face;
        } else if (!first_full_side_face(faces, body, methods.face, &record->elec_top_face)) {
            return 0;
        }
        MY_set_elec_box_far_side(elec_tag, dir_code, record->elec_box_min, record->elec_box_max);
        return 1;
    }
    if (!confirmed) {
        const char *fallback_tag = nullptr;
        const int found = base_from_geometry(faces, body, methods.face, &base, &fallback_tag);
        if (found == 0) return 0;
        if (found < 0) return fallback(record, elec_tag, body, mode, fallback_tag);
    }
    return fill_from_base(record, elec_tag, body, faces, base);
}

int analy_elec_data_cam_simple(tag_t elec_tag, elec_cam_data *record) {
    if (!valid_electrode(elec_tag)) return 0;
    clear_elec_cam_data(record);
    elec_box body;
    if (!rounded_box(MY_solid_box_iso, elec_tag, &body)) return 0;
    tag_t dir_face = NULL_TAG;
    int code = 0;
    double center[3];
    if (!MY_ask_elec_edm_dir(elec_tag, &dir_face, &code, center)) {
        code = -1;
        for (int i = 0; i < 3; ++i) center[i] = (body.lo[i] + body.hi[i]) / 2;
    }
    fill_whole_body(record, elec_tag, body, code, center);
    std::vector<tag_t> faces;
    MY_ask_body_faces(elec_tag, &faces);
    if (!first_full_side_face(faces, body, MY_face_box_iso, &record->elec_top_face)) return 0;
    MY_set_elec_box_far_side(elec_tag, code, record->elec_box_min, record->elec_box_max);
    return 1;
}
