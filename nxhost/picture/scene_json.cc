// The scene as JSON for the page: flat number arrays keep the page small.
#include <cmath>

#include <nlohmann/json.hpp>

#include "nxhost/picture/page.h"

namespace nxhost::picture {
namespace {

using json = nlohmann::ordered_json;

double rounded(double v) {
    const double r = std::round(v * 1000.0) / 1000.0;
    return r == 0.0 ? 0.0 : r;  // no "-0" in the page
}

json point(const Vec3 &p) { return json::array({rounded(p[0]), rounded(p[1]), rounded(p[2])}); }

json body_json(const SceneBody &b) {
    json vertices = json::array(), triangles = json::array(), faces = json::array();
    for (const Vec3 &v : b.vertices)
        for (double k : v) vertices.push_back(rounded(k));
    for (const auto &t : b.triangles)
        for (int k : t) triangles.push_back(k);
    for (const FaceRange &f : b.faces) {
        faces.push_back(f.first);
        faces.push_back(f.count);
    }
    return {{"name", b.name}, {"role", role_name(b.role)}, {"blanked", b.blanked},
            {"v", std::move(vertices)}, {"t", std::move(triangles)}, {"f", std::move(faces)}};
}

json blank_json(const BlankBox &b) {
    json corners = json::array();
    for (int corner = 0; corner < 8; ++corner) {
        const double x = b.along[corner & 1 ? 3 : 0], y = b.along[corner & 2 ? 4 : 1], z = b.along[corner & 4 ? 5 : 2];
        const Axes &a = b.axes;
        corners.push_back(point({x * a[0] + y * a[3] + z * a[6], x * a[1] + y * a[4] + z * a[7], x * a[2] + y * a[5] + z * a[8]}));
    }
    return {{"group", b.group}, {"automatic", b.automatic}, {"corners", std::move(corners)}};
}

json operation_json(const Operation &op) {
    json area = json::array(), boundaries = json::array(), rect = json::array();
    for (const FaceRef &f : op.area) area.push_back(json::array({f.body, f.face}));
    for (const auto &line : op.boundaries) {
        json points = json::array();
        for (const Vec3 &p : line) points.push_back(point(p));
        boundaries.push_back(std::move(points));
    }
    if (!op.bottom_source.empty())
        for (const Vec3 &p : op.bottom_rect) rect.push_back(point(p));
    return {{"name", op.name},
            {"kind", op.kind},
            {"program", op.program},
            {"workpiece", op.workpiece},
            {"area_source", op.area_source},
            {"area", std::move(area)},
            {"boundaries", std::move(boundaries)},
            {"bottom_source", op.bottom_source},
            {"bottom", rounded(op.bottom)},
            {"bottom_rect", std::move(rect)},
            {"start_points", op.start_points}};
}

}  // namespace

json scene_json(const Scene &scene) {
    json bodies = json::array(), frames = json::array(), blanks = json::array(), planes = json::array(),
         points = json::array(), operations = json::array(), extent = json::array();
    for (const SceneBody &b : scene.bodies) bodies.push_back(body_json(b));
    for (const Frame &f : scene.frames) {
        json axes = json::array();
        for (double k : f.axes) axes.push_back(rounded(k));
        frames.push_back({{"name", f.name}, {"origin", point(f.origin)}, {"axes", std::move(axes)}});
    }
    for (const BlankBox &b : scene.blanks) blanks.push_back(blank_json(b));
    for (const Plane &p : scene.clearance_planes)
        planes.push_back({{"owner", p.owner}, {"origin", point(p.origin)}, {"normal", point(p.normal)}});
    for (const Vec3 &p : scene.start_points) points.push_back(point(p));
    for (const Operation &op : scene.operations) operations.push_back(operation_json(op));
    for (double k : scene.extent) extent.push_back(rounded(k));
    return {{"part", scene.part_name},   {"units", scene.units},        {"has_cam", scene.has_cam},
            {"extent", std::move(extent)}, {"bodies", std::move(bodies)}, {"frames", std::move(frames)},
            {"blanks", std::move(blanks)}, {"clearance_planes", std::move(planes)},
            {"start_points", std::move(points)}, {"operations", std::move(operations)},
            {"unmeshed_faces", scene.unmeshed_faces}};
}

}  // namespace nxhost::picture
