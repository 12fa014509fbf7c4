// UF_MODL_* questions about geometry: bounding boxes, face data and properties, points along
// curves, isoclines, the angle of two vectors.
#include <cmath>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/objects/store.h"
#include "uf_modl.h"
#include "uf_object_types.h"

using namespace nxhost;
using namespace nxhost::modeling;

namespace {

constexpr double kPi = 3.14159265358979323846;

void put(const Point &p, double out[3]) { std::memcpy(out, p.data(), sizeof(double) * 3); }

// The face behind a tag with its shape; records the misuse otherwise.
const ShapeRef *face_of(const char *call, tag_t face) {
    const Object *obj = lookup_kind(call, face, UF_solid_type, UF_solid_face_subtype);
    const ShapeRef *shape = obj ? object_shape(*obj) : nullptr;
    if (obj && !shape) misuse(call, "face " + std::to_string(face) + " has no geometry");
    return shape;
}

// An edge or a line or curve object.
bool is_curve(const Object &obj) {
    const ShapeRef *shape = object_shape(obj);
    return shape && is_edge(*shape) &&
           ((obj.type == UF_solid_type && obj.subtype == UF_solid_edge_subtype) || obj.type == UF_line_type ||
            obj.type == UF_circle_type || obj.type == UF_spline_type);
}

}  // namespace

extern "C" int UF_MODL_ask_bounding_box(tag_t object, double bounding_box[6]) {
    NXHOST_ENTER("UF_MODL_ask_bounding_box");
    if (!bounding_box) return kBadArgument;
    const Object *obj = lookup("UF_MODL_ask_bounding_box", object);
    if (!obj) return kBadTag;
    const ShapeRef *shape = object_shape(*obj);
    if (!shape) return kNoGeometry;
    Box box{};
    if (!nx_bounding_box(*shape, &box)) return kNotComputed;
    std::memcpy(bounding_box, box.data(), sizeof box);
    return 0;
}

extern "C" int UF_MODL_ask_face_data(tag_t face, int *type, double point[3], double dir[3], double box[6],
                                     double *radius, double *rad_data, int *norm_dir) {
    NXHOST_ENTER("UF_MODL_ask_face_data");
    if (!type || !point || !dir || !box || !radius || !rad_data || !norm_dir) return kBadArgument;
    const ShapeRef *shape = face_of("UF_MODL_ask_face_data", face);
    if (!shape) return kBadTag;
    const FaceData data = face_data(*shape);
    *type = data.type;
    put(data.point, point);
    put(data.dir, dir);
    std::memcpy(box, data.box.data(), sizeof data.box);
    *radius = data.radius;
    *rad_data = data.rad_data;
    *norm_dir = data.norm_dir;
    return 0;
}

extern "C" int UF_MODL_ask_face_uv_minmax(tag_t face_tag, double uv_min_max[4]) {
    NXHOST_ENTER("UF_MODL_ask_face_uv_minmax");
    if (!uv_min_max) return kBadArgument;
    const ShapeRef *shape = face_of("UF_MODL_ask_face_uv_minmax", face_tag);
    if (!shape) return kBadTag;
    const std::array<double, 4> uv = face_uv_range(*shape);
    std::memcpy(uv_min_max, uv.data(), sizeof uv);
    return 0;
}

extern "C" int UF_MODL_ask_face_props(tag_t face_id, double param[2], double point[3], double u1[3], double v1[3],
                                      double u2[3], double v2[3], double unit_norm[3], double radii[2]) {
    NXHOST_ENTER("UF_MODL_ask_face_props");
    if (!param || !point || !u1 || !v1 || !u2 || !v2 || !unit_norm || !radii) return kBadArgument;
    const ShapeRef *shape = face_of("UF_MODL_ask_face_props", face_id);
    if (!shape) return kBadTag;
    FaceProps props;
    if (!face_props(*shape, param[0], param[1], &props)) return kNoNormal;
    put(props.point, point);
    put(props.du, u1);
    put(props.dv, v1);
    put(props.d2u, u2);
    put(props.d2v, v2);
    put(props.normal, unit_norm);
    radii[0] = props.radii[0];
    radii[1] = props.radii[1];
    return 0;
}

extern "C" int UF_MODL_ask_vector_angle(double vector1[3], double vector2[3], double *small_angle,
                                        double *large_angle) {
    NXHOST_ENTER("UF_MODL_ask_vector_angle");
    if (!vector1 || !vector2 || !small_angle || !large_angle) return kBadArgument;
    Point a{}, b{};
    if (!unit(vector1, &a) || !unit(vector2, &b)) return kZeroVector;
    // atan2 of sine and cosine keeps its accuracy near 0 and pi, where acos does not.
    const Point cross{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    *small_angle = std::atan2(std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]),
                              a[0] * b[0] + a[1] * b[1] + a[2] * b[2]);
    *large_angle = 2 * kPi - *small_angle;
    return 0;
}

extern "C" int UF_MODL_ask_curve_points(tag_t curve_id, double ctol, double atol, double stol, int *numpts,
                                        double **pts) {
    NXHOST_ENTER("UF_MODL_ask_curve_points");
    if (!numpts || !pts) return kBadArgument;
    *numpts = 0;
    *pts = nullptr;
    const Object *obj = lookup("UF_MODL_ask_curve_points", curve_id);
    if (!obj) return kInvalidCurve;
    if (!is_curve(*obj)) {
        misuse("UF_MODL_ask_curve_points", "tag " + std::to_string(curve_id) + " is no curve or edge");
        return kInvalidCurve;
    }
    std::vector<Point> points;
    if (curve_points(*object_shape(*obj), ctol, atol, stol, &points) != CurvePointsResult::done) return kModelerError;
    *pts = static_cast<double *>(nx_alloc(points.size() * sizeof(Point)));
    std::memcpy(*pts, points.data(), points.size() * sizeof(Point));
    *numpts = static_cast<int>(points.size());
    return 0;
}

extern "C" int UF_MODL_create_isocline_curves(tag_t face_id, double direction[3], double angle, double dist_tol,
                                              tag_t **isocurve_id, int *isocurve_cnt) {
    NXHOST_ENTER("UF_MODL_create_isocline_curves");
    if (!direction || !isocurve_id || !isocurve_cnt) return kBadArgument;
    *isocurve_id = nullptr;
    *isocurve_cnt = 0;
    const ShapeRef *shape = face_of("UF_MODL_create_isocline_curves", face_id);
    if (!shape) return kBadTag;
    Point d{};
    if (!unit(direction, &d)) return kZeroVector;
    if (!(angle >= -90.0 && angle <= 90.0) || !(dist_tol > 0.0)) return kBadArgument;
    std::vector<ShapeRef> curves;
    try {
        curves = isoclines(*shape, d, angle, dist_tol);
    } catch (const ShapeError &) {
        return kNotComputed;
    }
    if (curves.empty()) return 0;
    const tag_t part = target_part(face_id);
    std::vector<tag_t> tags;
    for (const ShapeRef &curve : curves) tags.push_back(create_curve_object(part, UF_spline_type, curve));
    *isocurve_id = nx_tag_array(tags.data(), tags.size());
    *isocurve_cnt = static_cast<int>(tags.size());
    return 0;
}
