// What a shape is: a body's faces and edges in stable order, face and edge kinds, extent, volume.
#include "nxhost/modeling/occt_shape.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopLoc_Location.hxx>
#include <gp_Trsf.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>

#include <cmath>

#include "nxhost/modeling/geometry.h"
#include "uf_modl_types.h"

namespace nxhost::modeling {
namespace {

// Directions closer than this to an axis count as along it.
constexpr double kAxisTolerance = 1e-9;

std::array<double, 3> xyz(const gp_Pnt &p) { return {p.X(), p.Y(), p.Z()}; }


// A seam closes a periodic face onto itself (it bounds that face twice); NX has no such edge.
bool is_seam(const TopoDS_Edge &edge, const TopTools_ListOfShape &faces) {
    for (const TopoDS_Shape &face : faces)
        if (BRep_Tool::IsClosed(edge, TopoDS::Face(face))) return true;
    return false;
}

// The one vertex OCCT hangs on a closed edge; null for an open edge.
TopoDS_Vertex closing_vertex(const TopoDS_Edge &edge) {
    TopoDS_Vertex first, last;
    TopExp::Vertices(edge, first, last, Standard_True);
    if (first.IsNull() != last.IsNull()) return first.IsNull() ? last : first;
    return !first.IsNull() && first.IsSame(last) ? first : TopoDS_Vertex();
}

}  // namespace

std::vector<TopoDS_Shape> ordered_edges(const TopoDS_Shape &shape) {
    TopTools_IndexedDataMapOfShapeListOfShape faces_of;
    TopExp::MapShapesAndAncestors(shape, TopAbs_EDGE, TopAbs_FACE, faces_of);
    TopTools_IndexedMapOfShape map;
    TopExp::MapShapes(shape, TopAbs_EDGE, map);
    std::vector<TopoDS_Shape> edges;
    for (int i = 1; i <= map.Extent(); ++i) {
        const TopoDS_Edge &edge = TopoDS::Edge(map(i));
        const TopTools_ListOfShape *faces = faces_of.Seek(edge);
        if (!BRep_Tool::Degenerated(edge) && !(faces && is_seam(edge, *faces))) edges.push_back(edge);
    }
    return edges;
}

std::shared_ptr<BodyPayload> explode_body(const ShapeRef &shape) {
    auto body = std::make_shared<BodyPayload>(shape);
    const TopoDS_Shape &s = shape->shape;
    TopTools_IndexedMapOfShape faces;
    TopExp::MapShapes(s, TopAbs_FACE, faces);
    TopTools_IndexedMapOfShape edges;
    for (const TopoDS_Shape &e : ordered_edges(s)) edges.Add(e);

    body->face_edges.resize(static_cast<std::size_t>(faces.Extent()));
    body->edge_faces.resize(static_cast<std::size_t>(edges.Extent()));
    for (int f = 1; f <= faces.Extent(); ++f) {
        body->faces.push_back(make_shape(faces(f)));
        TopTools_IndexedMapOfShape face_edges;
        TopExp::MapShapes(faces(f), TopAbs_EDGE, face_edges);
        for (int k = 1; k <= face_edges.Extent(); ++k) {
            int e = edges.FindIndex(face_edges(k));
            if (e == 0) continue;  // a seam or degenerated edge
            body->face_edges[static_cast<std::size_t>(f - 1)].push_back(e - 1);
            body->edge_faces[static_cast<std::size_t>(e - 1)].push_back(f - 1);
        }
    }
    // A closed edge keeps its vertex only where another edge of the body meets it there.
    TopTools_IndexedDataMapOfShapeListOfShape edges_at;
    for (int e = 1; e <= edges.Extent(); ++e) TopExp::MapShapesAndUniqueAncestors(edges(e), TopAbs_VERTEX, TopAbs_EDGE, edges_at);
    for (int e = 1; e <= edges.Extent(); ++e) {
        body->edges.push_back(make_shape(edges(e)));
        const TopoDS_Vertex vertex = closing_vertex(TopoDS::Edge(edges(e)));
        body->edge_vertex_shown.push_back(vertex.IsNull() || edges_at.FindFromKey(vertex).Extent() > 1);
    }
    return body;
}

int body_type_code(const ShapeRef &shape) {
    switch (shape->shape.ShapeType()) {
    case TopAbs_SOLID:
    case TopAbs_COMPSOLID: return UF_MODL_SOLID_BODY;
    case TopAbs_SHELL:
    case TopAbs_FACE: return UF_MODL_SHEET_BODY;
    default: return 0;
    }
}

double volume(const ShapeRef &shape) {
    if (body_type_code(shape) != UF_MODL_SOLID_BODY) return 0.0;
    GProp_GProps props;
    BRepGProp::VolumeProperties(shape->shape, props);
    return props.Mass();
}

namespace {

// The box OCCT finds for a shape, without the gap it pads boxes with: the optimal one (the
// extent itself) or the quick one (exact for analytic curves, control points for free-form).
bool occt_box(const ShapeRef &shape, bool optimal, std::array<double, 6> *box) {
    if (!shape || shape->shape.IsNull()) return false;
    Bnd_Box bnd;
    try {
        if (optimal)
            BRepBndLib::AddOptimal(shape->shape, bnd, Standard_False, Standard_False);
        else
            BRepBndLib::Add(shape->shape, bnd, Standard_False);
    } catch (const Standard_Failure &) {
        return false;
    }
    if (bnd.IsVoid()) return false;
    bnd.SetGap(0.0);
    bnd.Get((*box)[0], (*box)[1], (*box)[2], (*box)[3], (*box)[4], (*box)[5]);
    return true;
}

}  // namespace

bool nx_bounding_box(const ShapeRef &shape, Box *box) {
    const bool curve = shape && !shape->shape.IsNull() && shape->shape.ShapeType() == TopAbs_EDGE;
    return curve ? occt_box(shape, false, box) : exact_box(shape, box);
}

// The exact box is asked again and again of the same bodies (cut levels follow the geometry of
// every operation): it is computed once per shape, and along other axes once per shape and axes.
bool exact_box(const ShapeRef &shape, std::array<double, 6> *box) {
    if (!shape) return false;
    BoxMemo &memo = shape->exact;
    if (!memo.known) {
        memo.found = occt_box(shape, true, &memo.box);
        memo.known = true;
    }
    if (memo.found) *box = memo.box;
    return memo.found;
}

bool exact_box_along(const ShapeRef &shape, const std::array<double, 9> &axes, std::array<double, 6> *box) {
    if (!shape || shape->shape.IsNull()) return false;
    BoxMemo &memo = shape->exact_along;
    if (!memo.known || memo.axes != axes) {
        memo.axes = axes;
        memo.found = false;
        memo.known = true;
        gp_Trsf to_axes;
        try {
            to_axes.SetValues(axes[0], axes[1], axes[2], 0.0, axes[3], axes[4], axes[5], 0.0, axes[6], axes[7], axes[8],
                              0.0);
        } catch (const Standard_Failure &) {
            return false;  // not a rotation
        }
        memo.found = occt_box(make_shape(shape->shape.Moved(TopLoc_Location(to_axes))), true, &memo.box);
    }
    if (memo.found) *box = memo.box;
    return memo.found;
}

FaceInfo face_info(const ShapeRef &face) {
    FaceInfo info;
    const TopoDS_Face &f = TopoDS::Face(face->shape);
    BRepAdaptor_Surface surface(f, Standard_False);
    switch (surface.GetType()) {
    case GeomAbs_Plane: {
        info.type = UF_MODL_PLANAR_FACE;
        info.planar = true;
        gp_Pln plane = surface.Plane();
        gp_Dir n = plane.Axis().Direction();
        if (f.Orientation() == TopAbs_REVERSED) n.Reverse();
        info.normal = {n.X(), n.Y(), n.Z()};
        info.offset = plane.Location().XYZ().Dot(n.XYZ());
        break;
    }
    case GeomAbs_Cylinder: info.type = UF_MODL_CYLINDRICAL_FACE; break;
    case GeomAbs_Cone: info.type = UF_MODL_CONICAL_FACE; break;
    case GeomAbs_Sphere: info.type = UF_MODL_SPHERICAL_FACE; break;
    case GeomAbs_Torus:
    case GeomAbs_SurfaceOfRevolution: info.type = UF_MODL_TOROIDAL_FACE; break;
    case GeomAbs_SurfaceOfExtrusion: info.type = UF_MODL_SWEPT_FACE; break;
    case GeomAbs_BezierSurface:
    case GeomAbs_BSplineSurface: info.type = UF_MODL_PARAMETRIC_FACE; break;
    case GeomAbs_OffsetSurface: info.type = UF_MODL_OFFSET_FACE; break;
    default: info.type = UF_MODL_FOREIGN_FACE; break;
    }
    return info;
}

std::string face_type_name(int type) {
    switch (type) {
    case UF_MODL_PLANAR_FACE: return "planar";
    case UF_MODL_CYLINDRICAL_FACE: return "cylindrical";
    case UF_MODL_CONICAL_FACE: return "conical";
    case UF_MODL_SPHERICAL_FACE: return "spherical";
    case UF_MODL_TOROIDAL_FACE: return "toroidal";
    case UF_MODL_SWEPT_FACE: return "swept";
    case UF_MODL_BLENDING_FACE: return "blend";
    case UF_MODL_PARAMETRIC_FACE: return "b-surface";
    case UF_MODL_OFFSET_FACE: return "offset";
    default: return "foreign";
    }
}

std::string axis_label(const std::array<double, 3> &dir) {
    static const char *const names[] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(dir[static_cast<std::size_t>(i)]) > 1.0 - kAxisTolerance)
            return std::string(dir[static_cast<std::size_t>(i)] > 0 ? "+" : "-") + names[i];
    }
    return "";
}

bool axis_from_label(const std::string &label, std::array<double, 3> *dir) {
    if (label.size() != 2 || (label[0] != '+' && label[0] != '-')) return false;
    int axis = label[1] == 'X' ? 0 : label[1] == 'Y' ? 1 : label[1] == 'Z' ? 2 : -1;
    if (axis < 0) return false;
    *dir = {0, 0, 0};
    (*dir)[static_cast<std::size_t>(axis)] = label[0] == '+' ? 1.0 : -1.0;
    return true;
}

int edge_type_code(const ShapeRef &edge) {
    const TopoDS_Edge &e = TopoDS::Edge(edge->shape);
    if (BRep_Tool::Degenerated(e)) return UF_MODL_FOREIGN_EDGE;
    switch (BRepAdaptor_Curve(e).GetType()) {
    case GeomAbs_Line: return UF_MODL_LINEAR_EDGE;
    case GeomAbs_Circle: return UF_MODL_CIRCULAR_EDGE;
    case GeomAbs_Ellipse: return UF_MODL_ELLIPTICAL_EDGE;
    case GeomAbs_BezierCurve:
    case GeomAbs_BSplineCurve: return UF_MODL_SPLINE_EDGE;
    default: return UF_MODL_FOREIGN_EDGE;
    }
}

int edge_vertices(const BodyPayload &body, std::size_t index, std::array<double, 3> *point1,
                  std::array<double, 3> *point2) {
    const TopoDS_Edge &edge = TopoDS::Edge(body.edges.at(index)->shape);
    TopoDS_Vertex first, last;
    TopExp::Vertices(edge, first, last, Standard_True);
    const TopoDS_Vertex closing = closing_vertex(edge);
    if (!closing.IsNull()) {
        if (!body.edge_vertex_shown.at(index)) return 0;
        *point1 = xyz(BRep_Tool::Pnt(closing));
        return 1;
    }
    if (first.IsNull()) return 0;
    *point1 = xyz(BRep_Tool::Pnt(first));
    *point2 = xyz(BRep_Tool::Pnt(last));
    return 2;
}

}  // namespace nxhost::modeling
