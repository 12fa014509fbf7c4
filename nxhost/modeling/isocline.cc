// Isocline curves of a face. The slope n.d - sin(a) is sampled on a grid over the face's
// parameter range; its zero line is traced cell by cell (marching squares), every crossing
// refined onto the curve, the pieces clipped to the face's boundary and densified until no
// chord strays more than the tolerance from the curve. Any surface type is handled alike.
#include "nxhost/modeling/occt_shape.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepTools.hxx>
#include <BRepTopAdaptor_FClass2d.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "nxhost/modeling/geometry.h"

namespace nxhost::modeling {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A slope this close to 0 on every grid node: the face runs along the direction everywhere.
constexpr double kFlatSlope = 1e-9;
// Slopes this small are rounding noise of a point on the curve.
constexpr double kNoise = 1e-12;
// Root refinement steps (bisection halves the interval each time).
constexpr int kRootSteps = 40;
constexpr int kMaxDensifyDepth = 14;
// Points of one curve closer than this are one point.
constexpr double kSamePoint = 1e-9;

struct UV {
    double u, v;
};

UV mix(const UV &a, const UV &b, double t) { return {a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t}; }

// The slope function of one face and direction.
class SlopeField {
public:
    SlopeField(const TopoDS_Face &face, const gp_Dir &direction, double sine)
        : surface_(face), reversed_(face.Orientation() == TopAbs_REVERSED), direction_(direction), sine_(sine) {
        BRepTools::UVBounds(face, u0_, u1_, v0_, v1_);
    }

    const BRepAdaptor_Surface &surface() const { return surface_; }
    double u0() const { return u0_; }
    double u1() const { return u1_; }
    double v0() const { return v0_; }
    double v1() const { return v1_; }

    // n.d - sin(a); at a pole, where the parameters give no normal, the normal just inside.
    double operator()(const UV &p) const {
        const double nudge_u = 1e-7 * (u1_ - u0_), nudge_v = 1e-7 * (v1_ - v0_);
        const UV tries[] = {p, {p.u, p.v + (p.v < (v0_ + v1_) / 2 ? nudge_v : -nudge_v)},
                            {p.u + (p.u < (u0_ + u1_) / 2 ? nudge_u : -nudge_u), p.v}};
        for (const UV &at : tries) {
            gp_Pnt point;
            gp_Vec du, dv;
            surface_.D1(at.u, at.v, point, du, dv);
            gp_Vec normal = du.Crossed(dv);
            const double length = normal.Magnitude();
            if (length <= 1e-14 * std::max(1.0, du.Magnitude() * dv.Magnitude())) continue;
            const double dot = normal.Dot(gp_Vec(direction_)) / length;
            const double slope = (reversed_ ? -dot : dot) - sine_;
            // Rounding noise must not decide on which side a point on the curve lies.
            return std::abs(slope) < kNoise ? 0.0 : slope;
        }
        return kNaN;
    }

    gp_Pnt point(const UV &p) const { return surface_.Value(p.u, p.v); }

private:
    BRepAdaptor_Surface surface_;
    bool reversed_;
    gp_Dir direction_;
    double sine_;
    double u0_ = 0, u1_ = 0, v0_ = 0, v1_ = 0;
};

// Grid intervals along u or v: angles in steps of at most 11.25 degrees, free-form spans four
// times over, straight directions a few times so that trimmed faces are still clipped right.
int grid_steps(const BRepAdaptor_Surface &s, bool along_u, double range) {
    const int angular = std::max(4, static_cast<int>(std::ceil(range / (kPi / 16))));
    auto spans = [&] {
        const int n = along_u ? s.NbUIntervals(GeomAbs_C2) : s.NbVIntervals(GeomAbs_C2);
        return std::clamp(4 * n, 8, 96);
    };
    switch (s.GetType()) {
    case GeomAbs_Cylinder:
    case GeomAbs_Cone: return along_u ? angular : 8;
    case GeomAbs_Sphere:
    case GeomAbs_Torus: return angular;
    case GeomAbs_SurfaceOfRevolution: return along_u ? angular : spans();
    case GeomAbs_SurfaceOfExtrusion: return along_u ? spans() : 8;
    case GeomAbs_BezierSurface:
    case GeomAbs_BSplineSurface: return spans();
    default: return 32;
    }
}

// The zero of f between a (value fa) and b (value fb of the other sign).
UV root_between(const SlopeField &f, UV a, double fa, UV b) {
    for (int i = 0; i < kRootSteps; ++i) {
        const UV m = mix(a, b, 0.5);
        const double fm = f(m);
        if (std::isnan(fm)) break;
        if ((fm >= 0) == (fa >= 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return mix(a, b, 0.5);
}

// Zero line of f on the grid as polylines in the parameter plane.
class Marcher {
public:
    explicit Marcher(const SlopeField &f) : f_(f) {
        nu_ = grid_steps(f.surface(), true, f.u1() - f.u0());
        nv_ = grid_steps(f.surface(), false, f.v1() - f.v0());
        values_.resize(static_cast<std::size_t>((nu_ + 1) * (nv_ + 1)));
        for (int j = 0; j <= nv_; ++j)
            for (int i = 0; i <= nu_; ++i) values_[index(i, j)] = f(node(i, j));
    }

    // True when the face runs along the direction at every grid node.
    bool flat() const {
        return std::all_of(values_.begin(), values_.end(), [](double v) { return std::abs(v) < kFlatSlope; });
    }

    std::vector<std::vector<UV>> polylines() {
        for (int j = 0; j < nv_; ++j)
            for (int i = 0; i < nu_; ++i) march_cell(i, j);
        return chain();
    }

private:
    std::size_t index(int i, int j) const { return static_cast<std::size_t>(j * (nu_ + 1) + i); }
    UV node(int i, int j) const {
        return {f_.u0() + (f_.u1() - f_.u0()) * i / nu_, f_.v0() + (f_.v1() - f_.v0()) * j / nv_};
    }
    double value(int i, int j) const { return values_[index(i, j)]; }

    // Crossing on the grid edge from node (i, j) to (i + di, j + dj); -1 when there is none.
    int crossing(int i, int j, int di, int dj) {
        const double a = value(i, j), b = value(i + di, j + dj);
        if (std::isnan(a) || std::isnan(b) || (a >= 0) == (b >= 0)) return -1;
        const long key = (static_cast<long>(j) * (nu_ + 1) + i) * 2 + (di ? 0 : 1);
        auto found = crossings_.find(key);
        if (found != crossings_.end()) return found->second;
        points_.push_back(root_between(f_, node(i, j), a, node(i + di, j + dj)));
        links_.emplace_back();
        return crossings_[key] = static_cast<int>(points_.size() - 1);
    }

    void link(int a, int b) {
        if (a < 0 || b < 0 || a == b) return;
        links_[static_cast<std::size_t>(a)].push_back(b);
        links_[static_cast<std::size_t>(b)].push_back(a);
    }

    void march_cell(int i, int j) {
        const double corner[] = {value(i, j), value(i + 1, j), value(i + 1, j + 1), value(i, j + 1)};
        if (std::any_of(std::begin(corner), std::end(corner), [](double v) { return std::isnan(v); })) return;
        const int bottom = crossing(i, j, 1, 0), right = crossing(i + 1, j, 0, 1);
        const int top = crossing(i, j + 1, 1, 0), left = crossing(i, j, 0, 1);
        const int found = (bottom >= 0) + (right >= 0) + (top >= 0) + (left >= 0);
        if (found == 2) {
            int ends[2], n = 0;
            for (int c : {bottom, right, top, left})
                if (c >= 0) ends[n++] = c;
            link(ends[0], ends[1]);
        } else if (found == 4) {
            // A saddle: the centre tells which two corners the line cuts off.
            const UV centre = mix(node(i, j), node(i + 1, j + 1), 0.5);
            if ((f_(centre) >= 0) == (corner[0] >= 0)) {
                link(bottom, right);
                link(top, left);
            } else {
                link(bottom, left);
                link(right, top);
            }
        }
    }

    std::vector<std::vector<UV>> chain() {
        std::vector<std::vector<UV>> lines;
        std::vector<bool> used(points_.size(), false);
        auto walk = [&](int start) {
            std::vector<UV> line;
            int previous = -1, at = start;
            while (at >= 0 && !used[static_cast<std::size_t>(at)]) {
                used[static_cast<std::size_t>(at)] = true;
                line.push_back(points_[static_cast<std::size_t>(at)]);
                int next = -1;
                for (int n : links_[static_cast<std::size_t>(at)])
                    if (n != previous && !used[static_cast<std::size_t>(n)]) next = n;
                // A closed loop returns to its start.
                if (next < 0 && line.size() > 2)
                    for (int n : links_[static_cast<std::size_t>(at)])
                        if (n == start) line.push_back(points_[static_cast<std::size_t>(start)]);
                previous = at;
                at = next;
            }
            if (line.size() >= 2) lines.push_back(std::move(line));
        };
        for (std::size_t k = 0; k < points_.size(); ++k)  // open lines from their ends first
            if (!used[k] && links_[k].size() == 1) walk(static_cast<int>(k));
        for (std::size_t k = 0; k < points_.size(); ++k)
            if (!used[k]) walk(static_cast<int>(k));
        return lines;
    }

    const SlopeField &f_;
    int nu_ = 0, nv_ = 0;
    std::vector<double> values_;
    std::map<long, int> crossings_;
    std::vector<UV> points_;
    std::vector<std::vector<int>> links_;
};

// The parts of a polyline that lie on the face, each ended where it meets the boundary.
std::vector<std::vector<UV>> clip(const std::vector<UV> &line, BRepTopAdaptor_FClass2d &classifier) {
    auto inside = [&](const UV &p) { return classifier.Perform(gp_Pnt2d(p.u, p.v)) != TopAbs_OUT; };
    auto boundary = [&](UV in, UV out) {
        for (int i = 0; i < kRootSteps; ++i) {
            const UV m = mix(in, out, 0.5);
            (inside(m) ? in : out) = m;
        }
        return in;
    };
    std::vector<std::vector<UV>> pieces;
    std::vector<UV> piece;
    bool was_inside = false;
    for (std::size_t k = 0; k < line.size(); ++k) {
        const bool now_inside = inside(line[k]);
        if (k > 0 && now_inside != was_inside) {
            const UV edge = now_inside ? boundary(line[k], line[k - 1]) : boundary(line[k - 1], line[k]);
            piece.push_back(edge);
            if (!now_inside) {
                pieces.push_back(std::move(piece));
                piece.clear();
            }
        }
        if (now_inside) piece.push_back(line[k]);
        was_inside = now_inside;
    }
    if (piece.size() >= 2) pieces.push_back(std::move(piece));
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](const auto &p) { return p.size() < 2; }),
                 pieces.end());
    return pieces;
}

// Distance of q from the segment a-b.
double off_chord(const gp_Pnt &q, const gp_Pnt &a, const gp_Pnt &b) {
    const gp_Vec ab(a, b), aq(a, q);
    const double length2 = ab.SquareMagnitude();
    if (length2 < kSamePoint * kSamePoint) return a.Distance(q);
    const double t = std::clamp(aq.Dot(ab) / length2, 0.0, 1.0);
    return q.Distance(a.Translated(ab * t));
}

class Densifier {
public:
    Densifier(const SlopeField &f, BRepTopAdaptor_FClass2d &classifier, double tol)
        : f_(f), classifier_(classifier), tol_(tol) {}

    // Points on the surface along a clipped piece, none of its chords further than tol from the
    // curve.
    std::vector<gp_Pnt> points(const std::vector<UV> &piece) {
        std::vector<gp_Pnt> out{f_.point(piece.front())};
        for (std::size_t k = 1; k < piece.size(); ++k) refine(piece[k - 1], piece[k], 0, &out);
        return out;
    }

private:
    // The curve's point near the middle of a-b, found across the chord in the parameter plane.
    bool curve_near_middle(const UV &a, const UV &b, UV *found) const {
        const UV m = mix(a, b, 0.5);
        const double du = b.u - a.u, dv = b.v - a.v;
        const double length = std::hypot(du, dv);
        if (length == 0.0) return false;
        const UV across{-dv / length, du / length};
        const double fm = f_(m);
        if (std::isnan(fm)) return false;
        for (double reach : {length / 8, length / 4, length / 2, length}) {
            for (double side : {1.0, -1.0}) {
                const UV far{m.u + across.u * reach * side, m.v + across.v * reach * side};
                const double ff = f_(far);
                if (!std::isnan(ff) && (ff >= 0) != (fm >= 0)) {
                    *found = root_between(f_, m, fm, far);
                    return classifier_.Perform(gp_Pnt2d(found->u, found->v)) != TopAbs_OUT;
                }
            }
        }
        return false;
    }

    void refine(const UV &a, const UV &b, int depth, std::vector<gp_Pnt> *out) {
        const gp_Pnt pa = out->back(), pb = f_.point(b);
        UV middle;
        if (depth < kMaxDensifyDepth && curve_near_middle(a, b, &middle)) {
            const gp_Pnt pm = f_.point(middle);
            if (off_chord(pm, pa, pb) > tol_ / 2) {
                refine(a, middle, depth + 1, out);
                refine(middle, b, depth + 1, out);
                return;
            }
        }
        if (pb.Distance(pa) > kSamePoint) out->push_back(pb);
    }

    const SlopeField &f_;
    BRepTopAdaptor_FClass2d &classifier_;
    double tol_;
};

// Joins pieces that meet end to end in space (across the seam of a periodic face).
void join_touching(std::vector<std::vector<gp_Pnt>> *curves) {
    auto meet = [](const gp_Pnt &a, const gp_Pnt &b) { return a.Distance(b) <= 1e-7; };
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < curves->size() && !joined; ++i) {
            for (std::size_t j = 0; j < curves->size() && !joined; ++j) {
                if (i == j) continue;
                std::vector<gp_Pnt> &a = (*curves)[i];
                std::vector<gp_Pnt> &b = (*curves)[j];
                if (meet(a.back(), b.back())) std::reverse(b.begin(), b.end());
                else if (meet(a.front(), b.front())) std::reverse(a.begin(), a.end());
                else if (meet(a.front(), b.back())) std::swap(a, b);
                if (!meet(a.back(), b.front())) continue;
                a.insert(a.end(), b.begin() + 1, b.end());
                curves->erase(curves->begin() + static_cast<long>(j));
                joined = true;
            }
        }
    }
}

// A degree-1 spline through the points: the curve object NX would hand out, whose control
// points are the curve's own points.
ShapeRef polyline_edge(const std::vector<gp_Pnt> &points) {
    const int n = static_cast<int>(points.size());
    TColgp_Array1OfPnt poles(1, n);
    TColStd_Array1OfReal knots(1, n);
    TColStd_Array1OfInteger mults(1, n);
    for (int k = 1; k <= n; ++k) {
        poles(k) = points[static_cast<std::size_t>(k - 1)];
        knots(k) = k - 1;
        mults(k) = k == 1 || k == n ? 2 : 1;
    }
    Handle(Geom_BSplineCurve) curve = new Geom_BSplineCurve(poles, knots, mults, 1);
    return make_shape(BRepBuilderAPI_MakeEdge(curve).Edge());
}

std::vector<ShapeRef> isoclines_of(const ShapeRef &face, const Point &direction, double angle_deg, double tol) {
    const TopoDS_Face &f = TopoDS::Face(face->shape);
    const SlopeField slope(f, gp_Dir(direction[0], direction[1], direction[2]), std::sin(angle_deg * kPi / 180.0));
    Marcher marcher(slope);
    if (marcher.flat()) return {};
    BRepTopAdaptor_FClass2d classifier(f, 1e-9);
    Densifier densifier(slope, classifier, tol);
    std::vector<std::vector<gp_Pnt>> curves;
    for (const std::vector<UV> &line : marcher.polylines())
        for (const std::vector<UV> &piece : clip(line, classifier)) {
            std::vector<gp_Pnt> points = densifier.points(piece);
            if (points.size() >= 2) curves.push_back(std::move(points));
        }
    join_touching(&curves);
    std::vector<ShapeRef> edges;
    for (const std::vector<gp_Pnt> &points : curves) edges.push_back(polyline_edge(points));
    return edges;
}

}  // namespace

std::vector<ShapeRef> isoclines(const ShapeRef &face, const Point &direction, double angle_deg, double tol) {
    return guarded("isoclines", "isocline computation", [&] { return isoclines_of(face, direction, angle_deg, tol); });
}

}  // namespace nxhost::modeling
