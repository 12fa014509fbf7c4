// A face's surface data, parameter range and differential properties.
#include "nxhost/modeling/occt_shape.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRep_Tool.hxx>
#include <GeomAPI_ProjectPointOnSurf.hxx>
#include <BRepLProp_SLProps.hxx>
#include <BRepTools.hxx>
#include <TopoDS.hxx>

#include <cmath>

#include "nxhost/modeling/geometry.h"

namespace nxhost::modeling {
namespace {

// Curvatures below this count as flat.
constexpr double kFlat = 1e-12;

Point xyz(const gp_XYZ &p) { return {p.X(), p.Y(), p.Z()}; }

double radius_of(double curvature) { return std::abs(curvature) < kFlat ? 0.0 : 1.0 / std::abs(curvature); }

void set_axis(const gp_Ax1 &axis, FaceData *data) {
    data->point = xyz(axis.Location().XYZ());
    data->dir = xyz(axis.Direction().XYZ());
}

}  // namespace

FaceData face_data(const ShapeRef &face) {
    FaceData data;
    const TopoDS_Face &f = TopoDS::Face(face->shape);
    const FaceInfo info = face_info(face);
    data.type = info.type;
    data.norm_dir = f.Orientation() == TopAbs_REVERSED ? -1 : 1;
    exact_box(face, &data.box);
    const BRepAdaptor_Surface surface(f);
    switch (surface.GetType()) {
    case GeomAbs_Plane:
        data.point = xyz(surface.Plane().Location().XYZ());
        data.dir = info.normal;
        data.norm_dir = 1;
        break;
    case GeomAbs_Cylinder:
        set_axis(surface.Cylinder().Axis(), &data);
        data.radius = surface.Cylinder().Radius();
        break;
    case GeomAbs_Cone:
        set_axis(surface.Cone().Axis(), &data);
        data.radius = surface.Cone().RefRadius();
        data.rad_data = surface.Cone().SemiAngle();
        break;
    case GeomAbs_Sphere:
        set_axis(surface.Sphere().Position().Axis(), &data);
        data.radius = surface.Sphere().Radius();
        break;
    case GeomAbs_Torus:
        set_axis(surface.Torus().Axis(), &data);
        data.radius = surface.Torus().MajorRadius();
        data.rad_data = surface.Torus().MinorRadius();
        break;
    case GeomAbs_SurfaceOfRevolution: set_axis(surface.AxeOfRevolution(), &data); break;
    case GeomAbs_SurfaceOfExtrusion: data.dir = xyz(surface.Direction().XYZ()); break;
    default: break;  // free-form: no axis, no radius
    }
    return data;
}

std::array<double, 4> face_uv_range(const ShapeRef &face) {
    std::array<double, 4> uv{};
    BRepTools::UVBounds(TopoDS::Face(face->shape), uv[0], uv[1], uv[2], uv[3]);
    return uv;
}

bool face_props(const ShapeRef &face, double u, double v, FaceProps *props) {
    const TopoDS_Face &f = TopoDS::Face(face->shape);
    try {
        BRepAdaptor_Surface surface(f);
        gp_Pnt p;
        gp_Vec du, dv, d2u, d2v, d2uv;
        surface.D2(u, v, p, du, dv, d2u, d2v, d2uv);
        BRepLProp_SLProps local(surface, u, v, 2, Precision::Confusion());
        if (!local.IsNormalDefined()) return false;
        gp_Dir normal = local.Normal();
        if (f.Orientation() == TopAbs_REVERSED) normal.Reverse();
        props->point = xyz(p.XYZ());
        props->du = xyz(du.XYZ());
        props->dv = xyz(dv.XYZ());
        props->d2u = xyz(d2u.XYZ());
        props->d2v = xyz(d2v.XYZ());
        props->normal = xyz(normal.XYZ());
        props->radii = {0.0, 0.0};
        if (local.IsCurvatureDefined())
            props->radii = {radius_of(local.MaxCurvature()), radius_of(local.MinCurvature())};
    } catch (const Standard_Failure &) {
        return false;
    }
    return true;
}

bool face_normal_near(const ShapeRef &face, const Point &near, Point *normal) {
    try {
        const TopoDS_Face &f = TopoDS::Face(face->shape);
        GeomAPI_ProjectPointOnSurf projection(gp_Pnt(near[0], near[1], near[2]), BRep_Tool::Surface(f));
        if (projection.NbPoints() == 0) return false;
        double u = 0.0, v = 0.0;
        projection.LowerDistanceParameters(u, v);
        FaceProps props;
        if (!face_props(face, u, v, &props)) return false;
        *normal = props.normal;
    } catch (const Standard_Failure &) {
        return false;
    }
    return true;
}

Point edge_point_at(const ShapeRef &edge, double fraction) {
    const BRepAdaptor_Curve curve(TopoDS::Edge(edge->shape));
    const double first = curve.FirstParameter(), last = curve.LastParameter();
    return xyz(curve.Value(first + fraction * (last - first)).XYZ());
}

}  // namespace nxhost::modeling
