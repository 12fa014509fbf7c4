// The box methods: edge points, edge boxes, edges with isoclines, and exact sides by distance.
#include <algorithm>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_ui.h"

namespace {

// Sampling of curved edges: chord tolerance of closed edges, the shortest step of the step
// halving, and the isoclines' direction list, angle and tolerance.
const double CLOSED_EDGE_CHORD = 0.02;
const double SMALLEST_STEP = 0.03;
const double ISO_DIRECTIONS[3][3] = {{0.0, 0.0, 1.0}, {0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}};
const double ISO_ANGLE = 0.0;
const double ISO_TOLERANCE = 0.005;

// A box grown point by point; empty until the first.
class box_acc {
public:
    void add_point(const double p[3]) {
        for (int i = 0; i < 3; ++i) {
            lo_[i] = empty_ ? p[i] : std::min(lo_[i], p[i]);
            hi_[i] = empty_ ? p[i] : std::max(hi_[i], p[i]);
        }
        empty_ = false;
    }
    // A box in NX's layout {xmin, ymin, zmin, xmax, ymax, zmax}.
    void add_nx_box(const double box[6]) {
        add_point(box);
        add_point(box + 3);
    }
    void add_points(const double *points, int count) {
        for (int i = 0; i < count; ++i) add_point(points + 3 * i);
    }
    bool empty() const { return empty_; }
    void write(double box_min[3], double box_max[3]) const {
        std::copy(lo_, lo_ + 3, box_min);
        std::copy(hi_, hi_ + 3, box_max);
    }

private:
    bool empty_ = true;
    double lo_[3] = {0, 0, 0};
    double hi_[3] = {0, 0, 0};
};

// Fixed texts of one box method: a null tag, an object of the wrong kind, nothing to box.
struct method_texts {
    const char *null_object;
    const char *wrong_object;
    const char *no_box;
};

enum object_kind { SOLID_OBJECT, FACE_OBJECT };

int valid_object(tag_t tag, object_kind kind, const method_texts &texts) {
    if (tag == NULL_TAG) {
        uc1601(texts.null_object, 1);
        return 0;
    }
    if (!(kind == SOLID_OBJECT ? MY_is_solid_body(tag) : MY_is_face(tag))) {
        uc1601(texts.wrong_object, 1);
        return 0;
    }
    return 1;
}

// Points of an edge at the given tolerances into box; the NX call's code.
int add_curve_points(tag_t edge, double chord, double step, box_acc *box) {
    int count = 0;
    double *points = nullptr;
    const int code = UF_CALL(UF_MODL_ask_curve_points(edge, chord, 0.0, step, &count, &points));
    if (code == 0) box->add_points(points, count);
    if (points) UF_free(points);
    return code;
}

// The edge's vertices into box (and into first and second); their number, -1 when NX refused.
int add_vertices(tag_t edge, box_acc *box, double first[3], double second[3]) {
    int count = 0;
    if (UF_CALL(UF_MODL_ask_edge_verts(edge, first, second, &count)) != 0) return -1;
    if (count >= 1) box->add_point(first);
    if (count >= 2) box->add_point(second);
    return count;
}

int add_vertices(tag_t edge, box_acc *box) {
    double first[3], second[3];
    return add_vertices(edge, box, first, second);
}

// How one edge widens a box; 0 when a needed answer could not be had (reported).
typedef int (*edge_rule)(tag_t edge, box_acc *box);

// Solid variant: vertices; a curved edge also sampled, with two vertices at the first step
// limit (from half its chord, halved while above the smallest step) that NX accepts, without
// vertices at the closed-edge chord tolerance.
int solid_edge_points(tag_t edge, box_acc *box) {
    int type = 0;
    if (UF_CALL(UF_MODL_ask_edge_type(edge, &type)) != 0) return 0;
    double first[3], second[3];
    const int count = add_vertices(edge, box, first, second);
    if (count < 0) return 0;
    if (type == UF_MODL_LINEAR_EDGE) return 1;
    if (count == 0) return add_curve_points(edge, CLOSED_EDGE_CHORD, 0.0, box) == 0;
    if (count == 2)
        for (double step = MY_point_dist(first, second) / 2; step > SMALLEST_STEP; step /= 2)
            if (add_curve_points(edge, 0.0, step, box) == 0) break;
    return 1;
}

// Face variant: vertices; only an edge without vertices is sampled.
int face_edge_points(tag_t edge, box_acc *box) {
    const int count = add_vertices(edge, box);
    if (count < 0) return 0;
    return count > 0 || add_curve_points(edge, CLOSED_EDGE_CHORD, 0.0, box) == 0;
}

int edge_nx_box(tag_t edge, box_acc *box) {
    double nx_box[6];
    if (UF_CALL(UF_MODL_ask_bounding_box(edge, nx_box)) != 0) return 0;
    box->add_nx_box(nx_box);
    return 1;
}

// Iso variant: vertices, or the NX box of an edge without any.
int iso_edge(tag_t edge, box_acc *box) {
    const int count = add_vertices(edge, box);
    if (count < 0) return 0;
    return count > 0 || edge_nx_box(edge, box);
}

// The isocline curves of one face that is not planar, along each axis, into box; the curves
// are deleted again.
int add_face_isoclines(tag_t face, box_acc *box) {
    int type = 0;
    if (UF_CALL(UF_MODL_ask_face_type(face, &type)) != 0) return 0;
    if (type == UF_MODL_PLANAR_FACE) return 1;
    for (const double *axis : ISO_DIRECTIONS) {
        double direction[3] = {axis[0], axis[1], axis[2]};
        tag_t *curves = nullptr;
        int count = 0;
        if (UF_CALL(UF_MODL_create_isocline_curves(face, direction, ISO_ANGLE, ISO_TOLERANCE, &curves, &count)) != 0)
            return 0;
        int boxed = 1;
        for (int i = 0; i < count && boxed; ++i) boxed = edge_nx_box(curves[i], box);
        if (count > 0) UF_CALL(UF_OBJ_delete_array_of_objects(count, curves, nullptr));
        if (curves) UF_free(curves);
        if (!boxed) return 0;
    }
    return 1;
}

// Which parts of the object a method walks.
struct method_plan {
    object_kind kind;
    edge_rule rule;
    bool isoclines;
};

int box_by_edges(tag_t tag, const method_plan &plan, const method_texts &texts, double box_min[3],
                 double box_max[3]) {
    if (!valid_object(tag, plan.kind, texts)) return 0;
    std::vector<tag_t> edges;
    if (!(plan.kind == SOLID_OBJECT ? MY_ask_body_edges(tag, &edges) : MY_ask_face_edges(tag, &edges))) return 0;
    box_acc box;
    for (tag_t edge : edges)
        if (!plan.rule(edge, &box)) return 0;
    if (plan.isoclines) {
        std::vector<tag_t> faces{tag};
        if (plan.kind == SOLID_OBJECT && !MY_ask_body_faces(tag, &faces)) return 0;
        for (tag_t face : faces)
            if (!add_face_isoclines(face, &box)) return 0;
    }
    if (box.empty()) {
        uc1601(texts.no_box, 1);
        return 0;
    }
    box.write(box_min, box_max);
    return 1;
}

typedef int (*box_method)(tag_t, double[3], double[3]);

// Starts from the edge box and moves each side, in the order min x, max x, min y ... max z, to
// the object; the iso box when a distance cannot be had.
int box_by_distance(tag_t tag, box_method start, const char *start_failed, box_method fallback, double box_min[3],
                    double box_max[3]) {
    if (tag == NULL_TAG) {
        uc1601("err! face is null tag.  ( MY_face_box_dist_method )", 1);
        return 0;
    }
    double lo[3], hi[3];
    if (!start(tag, lo, hi)) {
        uc1601(start_failed, 1);
        return 0;
    }
    double exact[2][3];
    for (int axis = 0; axis < 3; ++axis) {
        for (int upper = 0; upper < 2; ++upper) {
            const double plane = upper ? hi[axis] + MY_DIST_PLANE_OFFSET : lo[axis] - MY_DIST_PLANE_OFFSET;
            if (MY_extreme_by_distance(tag, axis, !upper, plane, &exact[upper][axis])) continue;
            if (fallback(tag, box_min, box_max)) return 1;
            uc1601("Ask dist err", 1);
            return 0;
        }
    }
    std::copy(exact[0], exact[0] + 3, box_min);
    std::copy(exact[1], exact[1] + 3, box_max);
    return 1;
}

}  // namespace

int MY_solid_box_edge(tag_t solid, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"err! solid is null tag.  ( MY_solid_box_edge )",
                                       " err! solid is not solid type. ( MY_solid_box_edge )",
                                       "err! solid has no edge.  ( MY_solid_box_edge )"};
    return box_by_edges(solid, {SOLID_OBJECT, solid_edge_points, false}, texts, box_min, box_max);
}

int MY_face_box_edge(tag_t face, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"face is null tag, err! ( MY_face_box_edge )",
                                       "err! face is not solid face. ( MY_face_box_edge )",
                                       "err! face has no edge. ( MY_face_box_edge )"};
    return box_by_edges(face, {FACE_OBJECT, face_edge_points, false}, texts, box_min, box_max);
}

int MY_solid_box_edge_box(tag_t solid, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"err! solid is null tag.  ( MY_solid_box_edge_box )",
                                       " err! solid is not solid type. ( MY_solid_box_edge_box )",
                                       "err! solid has no edge.  ( MY_solid_box_edge_box )"};
    return box_by_edges(solid, {SOLID_OBJECT, edge_nx_box, false}, texts, box_min, box_max);
}

int MY_face_box_edge_box(tag_t face, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"you post face is null ", "you post face is not body_type ",
                                       "you post face has no edge "};
    return box_by_edges(face, {FACE_OBJECT, edge_nx_box, false}, texts, box_min, box_max);
}

int MY_solid_box_iso(tag_t solid, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"err! solid is null solid tag.  ( MY_solid_box_iso )",
                                       " err! solid is not solid type. ( MY_solid_box_edge_box )",
                                       "err! solid has nothing to box.  ( MY_solid_box_iso )"};
    return box_by_edges(solid, {SOLID_OBJECT, iso_edge, true}, texts, box_min, box_max);
}

int MY_face_box_iso(tag_t face, double box_min[3], double box_max[3]) {
    static const method_texts texts = {"err! face is null tag.  ( MY_face_box_iso )",
                                       "err! face is not face type. ( MY_face_box_iso )",
                                       "err! face has nothing to box.  ( MY_face_box_iso )"};
    return box_by_edges(face, {FACE_OBJECT, iso_edge, true}, texts, box_min, box_max);
}

int MY_solid_box_dist_method(tag_t solid, double box_min[3], double box_max[3]) {
    return box_by_distance(solid, MY_solid_box_edge_box, "Err! MY_solid_box_edge_box", MY_solid_box_iso, box_min,
                           box_max);
}

int MY_face_box_dist_method(tag_t face, double box_min[3], double box_max[3]) {
    return box_by_distance(face, MY_face_box_edge_box, "Err! MY_face_box_edge_box", MY_face_box_iso, box_min,
                           box_max);
}
