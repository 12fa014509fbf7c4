// Points along an edge within chord, angle and step tolerances.
#include "nxhost/modeling/occt_shape.h"

#include <BRepAdaptor_Curve.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cmath>

#include "nxhost/modeling/geometry.h"

namespace nxhost::modeling {
namespace {

// Stands for "no limit" where a tolerance is not used.
constexpr double kUnlimitedAngle = 3.0;       // radians: one point at least every 170 degrees
constexpr double kUnlimitedDeflection = 1e12;  // model units

Point xyz(const gp_Pnt &p) { return {p.X(), p.Y(), p.Z()}; }

// Curve parameters meeting the chord and angle tolerances, ends included.
std::vector<double> deflection_parameters(const BRepAdaptor_Curve &curve, double ctol, double atol) {
    const double first = curve.FirstParameter(), last = curve.LastParameter();
    if (ctol <= 0.0 && atol <= 0.0) return {first, last};
    GCPnts_TangentialDeflection division(curve, atol > 0.0 ? atol : kUnlimitedAngle,
                                         ctol > 0.0 ? ctol : kUnlimitedDeflection, 2);
    std::vector<double> params;
    for (int i = 1; i <= division.NbPoints(); ++i) params.push_back(division.Parameter(i));
    return params;
}

// Splits every interval longer than stol (along the curve, so that no chord is longer) into
// equal lengths. False when that would take more than kMaxCurvePoints points.
bool limit_steps(const BRepAdaptor_Curve &curve, double stol, std::vector<double> *params) {
    std::vector<double> split{params->front()};
    for (std::size_t i = 1; i < params->size(); ++i) {
        const double a = (*params)[i - 1], b = (*params)[i];
        const double length = GCPnts_AbscissaPoint::Length(curve, a, b);
        const double pieces = std::ceil(length / stol);
        if (split.size() + pieces > kMaxCurvePoints) return false;
        const int n = std::max(1, static_cast<int>(pieces));
        for (int k = 1; k < n; ++k) {
            GCPnts_AbscissaPoint at(curve, length * k / n, a);
            split.push_back(at.IsDone() ? at.Parameter() : a + (b - a) * k / n);
        }
        split.push_back(b);
    }
    *params = std::move(split);
    return true;
}

}  // namespace

CurvePointsResult curve_points(const ShapeRef &edge, double ctol, double atol, double stol, std::vector<Point> *points) {
    points->clear();
    if (ctol < 0.0 || atol < 0.0 || stol < 0.0 || (ctol == 0.0 && atol == 0.0 && stol == 0.0))
        return CurvePointsResult::no_tolerance;
    try {
        const TopoDS_Edge &e = TopoDS::Edge(edge->shape);
        const BRepAdaptor_Curve curve(e);
        std::vector<double> params = deflection_parameters(curve, ctol, atol);
        if (params.size() > kMaxCurvePoints) return CurvePointsResult::too_many_points;
        if (stol > 0.0 && !limit_steps(curve, stol, &params)) return CurvePointsResult::too_many_points;
        if (e.Orientation() == TopAbs_REVERSED) std::reverse(params.begin(), params.end());
        for (double u : params) points->push_back(xyz(curve.Value(u)));
    } catch (const Standard_Failure &) {
        points->clear();
        return CurvePointsResult::failed;
    }
    return CurvePointsResult::done;
}

}  // namespace nxhost::modeling
