// Loops of planar faces, chains of boundary members, boundary planes and the WCS of origins.
#include "nxhost/cam/boundary_geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <set>

#include "nxhost/cam/frame.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/modeling/shapes.h"
#include "uf_modl_types.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

using modeling::BodyPayload;

// cos 80 degrees: a neighbour whose normal lies closer than this to the face's is a chamfer or round.
constexpr double kChamferCos = 0.1736;

double dot(const Vec3 &a, const Vec3 &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec3 minus(const Vec3 &a, const Vec3 &b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 cross(const Vec3 &a, const Vec3 &b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double length(const Vec3 &a) { return std::sqrt(dot(a, a)); }
bool near(const Vec3 &a, const Vec3 &b, double tol) { return length(minus(a, b)) <= tol; }

// Two unit axes square to n and to each other: the rows X, Y of a frame whose Z is n.
csys::Matrix frame_along(const Vec3 &n) {
    const Vec3 helper = std::abs(n[0]) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 x = cross(helper, n);
    const double lx = length(x);
    x = {x[0] / lx, x[1] / lx, x[2] / lx};
    const Vec3 y = cross(n, x);
    return {x[0], x[1], x[2], y[0], y[1], y[2], n[0], n[1], n[2]};
}

const BodyPayload *body_of(const Object &entity) {
    const Object *body = store().find(entity.parent);
    return body ? modeling::body_payload(*body) : nullptr;
}

// The vertices of an edge of the body (none for an edge closed on itself that no other edge meets).
std::vector<Vec3> edge_points(const BodyPayload &body, int edge) {
    Vec3 a{}, b{};
    const int n = modeling::edge_vertices(body, static_cast<std::size_t>(edge), &a, &b);
    if (n == 2) return {a, b};
    if (n == 1) return {a};
    return {};
}

// Whether the face across an edge from the face of normal n is a chamfer or round of it.
bool chamfer_like(const BodyPayload &body, int neighbour, int edge, const Vec3 &n) {
    const modeling::ShapeRef &face = body.faces[static_cast<std::size_t>(neighbour)];
    Vec3 normal{};
    const Vec3 at = modeling::edge_point_at(body.edges[static_cast<std::size_t>(edge)], 0.5);
    if (!modeling::face_normal_near(face, at, &normal)) return false;
    const double c = dot(normal, n);
    if (modeling::face_info(face).planar && c > 1.0 - 1e-9) return false;  // the same plane
    return c >= kChamferCos;
}

// The face and, with skip_chamfers, the chamfers and rounds around it: the faces whose outline
// the loops follow.
std::vector<int> outlined_faces(const BodyPayload &body, int face, const Vec3 &n, bool skip_chamfers) {
    std::vector<int> faces{face};
    if (!skip_chamfers) return faces;
    std::set<int> chamfers;
    for (int e : body.face_edges[static_cast<std::size_t>(face)])
        for (int g : body.edge_faces[static_cast<std::size_t>(e)])
            if (g != face && chamfer_like(body, g, e, n)) chamfers.insert(g);
    // Corner faces: between two chamfers, touching the face at a vertex.
    std::vector<Vec3> face_vertices;
    for (int e : body.face_edges[static_cast<std::size_t>(face)])
        for (const Vec3 &p : edge_points(body, e)) face_vertices.push_back(p);
    std::set<int> corners;
    for (std::size_t g = 0; g < body.faces.size(); ++g) {
        const int candidate = static_cast<int>(g);
        if (candidate == face || chamfers.count(candidate)) continue;
        int shared = 0, chamfer_edge = -1;
        bool touches = false;
        for (int e : body.face_edges[g]) {
            for (int other : body.edge_faces[static_cast<std::size_t>(e)])
                if (other != candidate && chamfers.count(other)) ++shared, chamfer_edge = e;
            for (const Vec3 &p : edge_points(body, e))
                for (const Vec3 &q : face_vertices) touches = touches || near(p, q, kChainTolerance);
        }
        if (shared >= 2 && touches && chamfer_like(body, candidate, chamfer_edge, n)) corners.insert(candidate);
    }
    faces.insert(faces.end(), chamfers.begin(), chamfers.end());
    faces.insert(faces.end(), corners.begin(), corners.end());
    return faces;
}

// The edges on the outline of a set of faces (each used by one face of the set), grouped into
// loops of edges that share end points.
std::vector<std::vector<int>> outline_loops(const BodyPayload &body, const std::vector<int> &faces) {
    std::map<int, int> uses;
    std::vector<int> edges;
    for (int f : faces)
        for (int e : body.face_edges[static_cast<std::size_t>(f)])
            if (uses[e]++ == 0) edges.push_back(e);
    edges.erase(std::remove_if(edges.begin(), edges.end(), [&](int e) { return uses[e] != 1; }), edges.end());
    std::vector<std::size_t> parent(edges.size());
    std::iota(parent.begin(), parent.end(), 0);
    std::function<std::size_t(std::size_t)> root = [&](std::size_t i) {
        return parent[i] == i ? i : parent[i] = root(parent[i]);
    };
    std::vector<std::vector<Vec3>> ends(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) ends[i] = edge_points(body, edges[i]);
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j)
            for (const Vec3 &a : ends[i])
                for (const Vec3 &b : ends[j])
                    if (near(a, b, 1e-7)) parent[root(i)] = root(j);
    std::vector<std::vector<int>> loops;
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const std::size_t r = root(i);
        auto at = std::find(roots.begin(), roots.end(), r);
        if (at == roots.end()) {
            roots.push_back(r);
            loops.emplace_back();
            at = roots.end() - 1;
        }
        loops[static_cast<std::size_t>(at - roots.begin())].push_back(edges[i]);
    }
    return loops;
}

// An inner loop is an island when the faces beyond it stand above the face, else a hole.
LoopKind inner_kind(const BodyPayload &body, const std::vector<int> &faces, const std::vector<int> &loop,
                    const modeling::FaceInfo &info) {
    const csys::Matrix axes = frame_along(info.normal);
    for (int e : loop)
        for (int g : body.edge_faces[static_cast<std::size_t>(e)]) {
            if (std::find(faces.begin(), faces.end(), g) != faces.end()) continue;
            std::array<double, 6> box{};
            if (!modeling::exact_box_along(body.faces[static_cast<std::size_t>(g)], axes, &box)) continue;
            const double above = box[5] - info.offset, below = info.offset - box[2];
            return above > below ? LoopKind::Island : LoopKind::Hole;
        }
    return LoopKind::Hole;
}

// The end points of a boundary member; one point for a curve closed on itself.
std::vector<Vec3> member_ends(const Object &obj) {
    if (obj.type == UF_solid_type) {
        const BodyPayload *body = body_of(obj);
        if (!body || obj.index < 0) return {};
        std::vector<Vec3> points = edge_points(*body, obj.index);
        if (points.empty()) {  // a full circle: its seam point closes it
            const modeling::ShapeRef &edge = body->edges[static_cast<std::size_t>(obj.index)];
            points.push_back(modeling::edge_point_at(edge, 0.0));
        }
        return points;
    }
    const modeling::ShapeRef *shape = modeling::object_shape(obj);
    if (!shape) return {};
    Vec3 a{}, b{};
    modeling::edge_ends(*shape, &a, &b);
    if (near(a, b, kChainTolerance)) return {a};
    return {a, b};
}

std::string member_text(std::size_t i) { return "member " + std::to_string(i); }

}  // namespace

std::vector<FaceLoop> planar_face_loops(const Object &face, bool skip_chamfers) {
    const BodyPayload *body = body_of(face);
    const modeling::ShapePayload *shape = modeling::shape_payload(face);
    if (!body || !shape || face.index < 0) return {};
    const modeling::FaceInfo info = modeling::face_info(shape->shape);
    const std::vector<int> faces = outlined_faces(*body, face.index, info.normal, skip_chamfers);
    std::vector<std::vector<int>> loops = outline_loops(*body, faces);
    const std::vector<tag_t> edge_tags = store().children(face.parent, UF_solid_edge_subtype);
    auto tags_of = [&](const std::vector<int> &loop) {
        std::vector<tag_t> tags;
        for (int e : loop) tags.push_back(edge_tags[static_cast<std::size_t>(e)]);
        return tags;
    };
    auto width = [&](const std::vector<int> &loop) {
        Box box{};
        if (!entities_box(tags_of(loop), &box)) return 0.0;
        return std::hypot(box[3] - box[0], box[4] - box[1], box[5] - box[2]);
    };
    std::stable_sort(loops.begin(), loops.end(),
                     [&](const std::vector<int> &a, const std::vector<int> &b) { return width(a) > width(b); });
    std::vector<FaceLoop> result;
    for (std::size_t i = 0; i < loops.size(); ++i)
        result.push_back({i == 0 ? LoopKind::Outer : inner_kind(*body, faces, loops[i], info), tags_of(loops[i])});
    return result;
}

bool boundary_curve(const Object &obj, std::string *what) {
    if (obj.type == UF_solid_type && obj.subtype == UF_solid_edge_subtype) return true;
    const modeling::ShapeRef *shape = modeling::object_shape(obj);
    const bool curve = obj.type == UF_line_type || obj.type == UF_circle_type || obj.type == UF_conic_type ||
                       obj.type == UF_spline_type;
    if (curve && shape && modeling::is_edge(*shape)) {
        const int code = modeling::edge_type_code(*shape);
        if (code == UF_MODL_LINEAR_EDGE || code == UF_MODL_CIRCULAR_EDGE) return true;
        *what = code == UF_MODL_ELLIPTICAL_EDGE ? "an ellipse" : "a spline";
        return false;
    }
    *what = a_kind(obj);
    return false;
}

bool members_chain(const std::vector<tag_t> &members, bool closed, std::string *why) {
    std::vector<std::vector<Vec3>> ends;
    for (tag_t m : members) ends.push_back(member_ends(*store().find(m)));
    if (members.size() == 1) {
        if (!closed || ends[0].size() == 1) return true;
        *why = "a closed boundary of one member needs a curve closed on itself";
        return false;
    }
    for (std::size_t i = 0; i < ends.size(); ++i)
        if (ends[i].size() != 2) {
            *why = member_text(i) + " is closed on itself and joins no other member";
            return false;
        }
    // The first member runs towards the second.
    const bool first_reversed = !near(ends[0][1], ends[1][0], kChainTolerance) &&
                                !near(ends[0][1], ends[1][1], kChainTolerance);
    const Vec3 start = first_reversed ? ends[0][1] : ends[0][0];
    Vec3 end = first_reversed ? ends[0][0] : ends[0][1];
    for (std::size_t i = 1; i < ends.size(); ++i) {
        if (near(ends[i][0], end, kChainTolerance)) {
            end = ends[i][1];
        } else if (near(ends[i][1], end, kChainTolerance)) {
            end = ends[i][0];
        } else {
            *why = member_text(i) + " does not start where " + member_text(i - 1) + " ends";
            return false;
        }
    }
    if (closed && !near(end, start, kChainTolerance)) {
        *why = "the last member does not end where the first starts, and the boundary is closed";
        return false;
    }
    return true;
}

bool boundary_plane(tag_t owner, const Boundary &boundary, Vec3 *origin, Vec3 *normal) {
    const UF_CAMBND_boundary_data_t &data = boundary.data;
    if (data.plane_type == 0) {
        const Vec3 z{data.matrix[6], data.matrix[7], data.matrix[8]};
        const double l = length(z);
        if (!(l > 1e-12)) return false;
        *origin = {data.origin[0], data.origin[1], data.origin[2]};
        *normal = {z[0] / l, z[1] / l, z[2] / l};
        return true;
    }
    std::vector<tag_t> entities;
    for (const BoundaryMember &m : boundary.members) entities.push_back(m.entity);
    const Object *face = store().find(boundary.face);
    if (face) {
        const modeling::ShapePayload *shape = modeling::shape_payload(*face);
        Box box{};
        if (!shape || !entities_box(entities, &box)) return false;
        const modeling::FaceInfo info = modeling::face_info(shape->shape);
        const Vec3 centre{(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, (box[2] + box[5]) / 2};
        const double off = dot(centre, info.normal) - info.offset;
        *origin = {centre[0] - off * info.normal[0], centre[1] - off * info.normal[1], centre[2] - off * info.normal[2]};
        *normal = info.normal;
        return true;
    }
    std::vector<Vec3> points;
    for (tag_t t : entities) {
        const Object *obj = store().find(t);
        const modeling::ShapePayload *shape = obj ? modeling::shape_payload(*obj) : nullptr;
        if (!shape || !modeling::is_edge(shape->shape)) continue;
        for (double f : {0.0, 0.25, 0.5, 0.75, 1.0}) points.push_back(modeling::edge_point_at(shape->shape, f));
    }
    if (points.size() < 3) return false;
    const Vec3 p0 = points[0];
    Vec3 p1 = p0, p2 = p0;
    for (const Vec3 &p : points)
        if (length(minus(p, p0)) > length(minus(p1, p0))) p1 = p;
    Vec3 n{};
    for (const Vec3 &p : points) {
        const Vec3 c = cross(minus(p1, p0), minus(p, p0));
        if (length(c) > length(n)) n = c, p2 = p;
    }
    const double size = length(minus(p1, p0));
    if (!(size > 1e-9) || !(length(n) > 1e-6 * size * size)) return false;
    const double l = length(n);
    n = {n[0] / l, n[1] / l, n[2] / l};
    for (const Vec3 &p : points)
        if (std::abs(dot(minus(p, p0), n)) > kChainTolerance) return false;
    const csys::Matrix axes = mcs_axes_of(owner);
    const Vec3 mcs_z{axes[6], axes[7], axes[8]};
    double sense = dot(n, mcs_z);
    if (std::abs(sense) < 1e-9) sense = n[0] != 0 ? n[0] : n[1] != 0 ? n[1] : n[2];
    if (sense < 0) n = {-n[0], -n[1], -n[2]};
    *origin = p0;
    *normal = n;
    return true;
}

Vec3 wcs_to_absolute(tag_t part, const double point[3]) {
    csys::Vector at{};
    csys::Matrix axes{};
    if (!csys::frame_of(csys::wcs_of(part), &at, &axes)) return {point[0], point[1], point[2]};
    Vec3 p = at;
    for (std::size_t axis = 0; axis < 3; ++axis)
        for (std::size_t k = 0; k < 3; ++k) p[k] += point[axis] * axes[3 * axis + k];
    return p;
}

Vec3 absolute_to_wcs(tag_t part, const Vec3 &point) {
    csys::Vector at{};
    csys::Matrix axes{};
    if (!csys::frame_of(csys::wcs_of(part), &at, &axes)) return point;
    const Vec3 q = minus(point, at);
    return {dot(q, {axes[0], axes[1], axes[2]}), dot(q, {axes[3], axes[4], axes[5]}), dot(q, {axes[6], axes[7], axes[8]})};
}

}  // namespace nxhost::cam
