// Minimum distance between shapes, points and infinite planes, and the shapes the modelling
// calls create (blocks, points, lines).
#include "nxhost/modeling/occt_shape.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Tool.hxx>
#include <ElSLib.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <gp_Pln.hxx>

#include <algorithm>
#include <cmath>

#include "nxhost/modeling/geometry.h"

namespace nxhost::modeling {
namespace {

gp_Pnt pnt(const Point &p) { return gp_Pnt(p[0], p[1], p[2]); }
Point xyz(const gp_Pnt &p) { return {p.X(), p.Y(), p.Z()}; }

// Where an operand other than a plane lies.
bool extent_of(const DistanceOperand &operand, Box *box) {
    if (operand.kind == DistanceOperand::point_kind) {
        *box = {operand.point[0], operand.point[1], operand.point[2],
                operand.point[0], operand.point[1], operand.point[2]};
        return true;
    }
    return operand.kind == DistanceOperand::shape_kind && exact_box(operand.shape, box);
}

// The part of an infinite plane that faces `other`: the closest point of `other` to the plane
// lies over its box, so a face covering the box's shadow on the plane stands for the plane.
bool plane_face(const DistanceOperand &plane, const DistanceOperand &other, TopoDS_Shape *face) {
    Box box{};
    if (!extent_of(other, &box)) return false;
    const gp_Pln pln(pnt(plane.point), gp_Dir(plane.normal[0], plane.normal[1], plane.normal[2]));
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    bool first = true;
    for (int corner = 0; corner < 8; ++corner) {
        const gp_Pnt p(box[(corner & 1) ? 3 : 0], box[(corner & 2) ? 4 : 1], box[(corner & 4) ? 5 : 2]);
        double x = 0, y = 0;
        ElSLib::Parameters(pln, p, x, y);
        x0 = first ? x : std::min(x0, x);
        x1 = first ? x : std::max(x1, x);
        y0 = first ? y : std::min(y0, y);
        y1 = first ? y : std::max(y1, y);
        first = false;
    }
    const double margin = 1.0 + std::max(x1 - x0, y1 - y0);
    *face = BRepBuilderAPI_MakeFace(pln, x0 - margin, x1 + margin, y0 - margin, y1 + margin).Face();
    return true;
}

bool as_shape(const DistanceOperand &operand, const DistanceOperand &other, TopoDS_Shape *shape) {
    switch (operand.kind) {
    case DistanceOperand::point_kind: *shape = BRepBuilderAPI_MakeVertex(pnt(operand.point)).Vertex(); return true;
    case DistanceOperand::plane_kind: return plane_face(operand, other, shape);
    default: *shape = operand.shape ? operand.shape->shape : TopoDS_Shape(); return !shape->IsNull();
    }
}

}  // namespace

bool minimum_distance(const DistanceOperand &first, const DistanceOperand &second, Distance *result) {
    try {
        TopoDS_Shape a, b;
        if (!as_shape(first, second, &a) || !as_shape(second, first, &b)) return false;
        BRepExtrema_DistShapeShape extrema(a, b, Extrema_ExtFlag_MIN);
        if (!extrema.IsDone() || extrema.NbSolution() < 1) return false;
        result->distance = extrema.Value();
        result->on_first = xyz(extrema.PointOnShape1(1));
        result->on_second = xyz(extrema.PointOnShape2(1));
        return true;
    } catch (const Standard_Failure &) {
        return false;
    }
}

ShapeRef make_block(const Point &corner, const Point &x_axis, const Point &y_axis, const Point &lengths) {
    return make_shape(guarded("block", "block", [&] {
        const gp_Dir x(x_axis[0], x_axis[1], x_axis[2]), y(y_axis[0], y_axis[1], y_axis[2]);
        const gp_Ax2 axes(pnt(corner), x.Crossed(y), x);
        return BRepPrimAPI_MakeBox(axes, lengths[0], lengths[1], lengths[2]).Shape();
    }));
}

ShapeRef make_point_shape(const Point &p) { return make_shape(BRepBuilderAPI_MakeVertex(pnt(p)).Vertex()); }

ShapeRef make_line_shape(const Point &start, const Point &end) {
    return make_shape(guarded("line", "line", [&] { return TopoDS_Shape(BRepBuilderAPI_MakeEdge(pnt(start), pnt(end)).Edge()); }));
}

Point shape_point(const ShapeRef &vertex) { return xyz(BRep_Tool::Pnt(TopoDS::Vertex(vertex->shape))); }

void edge_ends(const ShapeRef &edge, Point *start, Point *end) {
    TopoDS_Vertex first, last;
    TopExp::Vertices(TopoDS::Edge(edge->shape), first, last, Standard_True);
    *start = first.IsNull() ? Point{} : xyz(BRep_Tool::Pnt(first));
    *end = last.IsNull() ? Point{} : xyz(BRep_Tool::Pnt(last));
}

bool is_edge(const ShapeRef &shape) { return shape && !shape->shape.IsNull() && shape->shape.ShapeType() == TopAbs_EDGE; }
bool is_vertex(const ShapeRef &shape) {
    return shape && !shape->shape.IsNull() && shape->shape.ShapeType() == TopAbs_VERTEX;
}

}  // namespace nxhost::modeling
