// Geometric questions the modelling calls ask of shapes, answered by OCCT: extents, points
// along curves, face data and properties, isoclines and minimum distances; and the shapes
// those calls create. Like shapes.h, free of OCCT headers.
#pragma once

#include <array>
#include <vector>

#include "nxhost/modeling/shapes.h"

namespace nxhost::modeling {

using Point = std::array<double, 3>;
using Box = std::array<double, 6>;  // xmin, ymin, zmin, xmax, ymax, zmax

// NX's bounding box of a shape: the exact extent of lines, circles, faces and bodies, the hull
// of the control points of a free-form curve (it encloses the curve, as NX promises, but need
// not be the smallest box). False for a shape without extent.
bool nx_bounding_box(const ShapeRef &shape, Box *box);

// Points along an edge from its start to its end: no chord strays more than ctol from the
// curve, the tangent angles at a chord's ends sum to at most atol (radians), no chord is
// longer than stol; a tolerance of 0 is not used.
enum class CurvePointsResult { done, no_tolerance, too_many_points, failed };
CurvePointsResult curve_points(const ShapeRef &edge, double ctol, double atol, double stol, std::vector<Point> *points);
// Most points one request may yield.
constexpr std::size_t kMaxCurvePoints = 200000;

// What UF_MODL_ask_face_data tells about a face. A plane's direction is its outward face
// normal (its surface is taken as oriented with the face, as a modeller builds a block).
struct FaceData {
    int type = 0;
    Point point{};
    Point dir{};
    Box box{};
    double radius = 0.0;
    double rad_data = 0.0;
    int norm_dir = 1;
};
FaceData face_data(const ShapeRef &face);

// {umin, umax, vmin, vmax} of the face's trimmed parameter range.
std::array<double, 4> face_uv_range(const ShapeRef &face);

struct FaceProps {
    Point point{}, du{}, dv{}, d2u{}, d2v{};
    Point normal{};                       // unit, outward on a solid
    std::array<double, 2> radii{};        // principal radii of curvature, 0 where flat
};
// False where the face has no normal (a pole of a sphere).
bool face_props(const ShapeRef &face, double u, double v, FaceProps *props);

// The outward normal of a face where its surface comes nearest to `near` (a point on or at the
// face); false when OCCT finds no such point or no normal there.
bool face_normal_near(const ShapeRef &face, const Point &near, Point *normal);
// The point of an edge at a fraction of its parameter range (0 its start, 0.5 halfway, 1 its end).
Point edge_point_at(const ShapeRef &edge, double fraction);

// Isocline curves: where the face's outward normal n meets the unit direction d at the draft
// angle a (n.d = sin a), each curve a polyline of points on the face no further than tol
// from the true curve. None where the face never meets d so, or lies along d everywhere.
// Throws ShapeError when OCCT cannot evaluate the face.
std::vector<ShapeRef> isoclines(const ShapeRef &face, const Point &direction, double angle_deg, double tol);

// One side of a distance question: a shape, a single point, or an infinite plane.
struct DistanceOperand {
    enum Kind { shape_kind, point_kind, plane_kind } kind = shape_kind;
    ShapeRef shape;
    Point point{};   // the point, or a point of the plane
    Point normal{};  // the plane's normal
};
struct Distance {
    double distance = 0.0;
    Point on_first{}, on_second{};
};
// False when OCCT finds no distance (an empty shape, two infinite planes).
bool minimum_distance(const DistanceOperand &first, const DistanceOperand &second, Distance *result);

// Shapes the modelling calls create.
ShapeRef make_block(const Point &corner, const Point &x_axis, const Point &y_axis, const Point &lengths);
ShapeRef make_point_shape(const Point &p);
ShapeRef make_line_shape(const Point &start, const Point &end);
// The point of a vertex shape; the end points of an edge shape.
Point shape_point(const ShapeRef &vertex);
void edge_ends(const ShapeRef &edge, Point *start, Point *end);
bool is_edge(const ShapeRef &shape);
bool is_vertex(const ShapeRef &shape);

}  // namespace nxhost::modeling
