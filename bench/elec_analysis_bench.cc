// The electrode analysis (full, modes 1 to 3, and simple) and the slope sorting of 200 electrodes
// of 20 to 60 faces each, each beside a baseline that does the same kernel work straight on the
// shapes (edge points, edge and isocline boxes, face normals, the far-side distance) without the
// NX API, the add-on's walks and its bookkeeping. The ratio of a pair is the add-on's overhead.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "my_func_cam/elec_analysis.h"
#include "my_func_cam/face_slopes.h"
#include "nxhost/core/reset.h"
#include "nxhost/modeling/geometry.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using namespace nxhost;
using modeling::Box;
using modeling::Point;
using modeling::ShapeRef;

namespace {

constexpr int kElectrodes = 200;

// An electrode: a base block with a drafted, filleted rib and 3 to 22 pins on the base: 21 to 59
// faces.
std::string electrode_json(int i) {
    const double x = (i % 20) * 100.0, y = (i / 20) * 100.0;
    auto p = [](double a, double b, double c) {
        return "[" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "]";
    };
    std::string shapes = R"({"fillet":{"shape":{"union":[{"box":{"min":)" + p(x, y, 0) + R"(,"max":)" +
                         p(x + 80, y + 60, 10) + R"(}},{"frustum":{"base":)" + p(x + 40, y + 30, 10) +
                         R"(,"bottom":[30,12],"top":[26,6],"height":15}}]},"radius":1.5,"edges":{"around":"+Z"}}})";
    const int pins = 3 + i % 20;
    for (int k = 0; k < pins; ++k)
        shapes += R"(,{"cylinder":{"base":)" + p(x + 6 + (k / 2) * 6.5, y + (k % 2 ? 52 : 8), 10) +
                  R"(,"radius":2,"height":)" + std::to_string(4 + k % 3) + "}}";
    return R"({"name":"E)" + std::to_string(i) + R"(","shape":{"union":[)" + shapes + "]}}";
}

// The 200 electrodes as the displayed part on a drive of their own: modelled once per process,
// then reloaded from the saved part whenever a benchmark starts afresh.
class Fleet {
public:
    static Fleet &get() {
        static Fleet fleet;
        return fleet;
    }
    ~Fleet() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Opens a fresh session with the fleet displayed; its electrodes in order.
    std::vector<tag_t> open() {
        setenv("NXHOST_DRIVE_D", dir_.c_str(), 1);
        reset_all();
        UF_initialize();
        std::string error;
        const tag_t part = load_part(saved_ ? "D:\\fleet_saved.prt" : "D:\\fleet.prt", &error);
        if (part == NULL_TAG) return {};
        if (!saved_) saved_ = save_part_as(part, (dir_ / "fleet_saved.prt").string(), &error);
        set_display_part(part);
        std::vector<tag_t> bodies;
        for (tag_t t : store().in_part(part, UF_solid_type))
            if (store().find(t)->subtype == UF_solid_body_subtype) bodies.push_back(t);
        return bodies;
    }

private:
    Fleet() : dir_(fs::temp_directory_path() / "torvane-bench-fleet") {
        fs::create_directories(dir_ / "qz_conf");
        std::ofstream(dir_ / "qz_conf/config_cam.def")
            << "fix_user_def_oper_start_angle: 30\nfix_user_def_oper_end_angle: 60\n"
               "zle_user_def_oper_start_angle: 60\nzle_user_def_oper_end_angle: 90\n";
        std::ofstream part(dir_ / "fleet.prt");
        part << R"({"format":"nxhost-part/1","bodies":[)";
        for (int i = 0; i < kElectrodes; ++i) part << (i ? "," : "") << electrode_json(i);
        part << "]}";
    }
    fs::path dir_;
    bool saved_ = false;
};

// ---- the add-on's path -----------------------------------------------------------------------

void run_analysis(benchmark::State &state, int mode) {
    const std::vector<tag_t> electrodes = Fleet::get().open();
    if (electrodes.size() != kElectrodes) state.SkipWithError("the fleet did not load");
    for (auto _ : state) {
        for (tag_t electrode : electrodes) {
            elec_cam_data record;
            const int done = mode ? analy_elec_data_cam(electrode, &record, mode)
                                  : analy_elec_data_cam_simple(electrode, &record);
            if (!done || record.elec_direction != -1) state.SkipWithError("an electrode was not analysed");
        }
    }
    state.counters["electrodes"] = static_cast<double>(electrodes.size());
    UF_terminate();
}

void BM_FullAnalysis(benchmark::State &state) { run_analysis(state, static_cast<int>(state.range(0))); }
void BM_SimpleAnalysis(benchmark::State &state) { run_analysis(state, 0); }

void BM_SortFaces(benchmark::State &state) {
    const std::vector<tag_t> electrodes = Fleet::get().open();
    std::size_t faces = 0;
    for (auto _ : state) {
        for (tag_t electrode : electrodes) {
            const std::vector<tag_t> all = store().children(electrode, UF_solid_face_subtype);
            faces = std::max(faces, all.size());
            face_sets sets;
            if (!MY_sort_faces_by_angle(static_cast<int>(all.size()), all.data(), 101, &sets))
                state.SkipWithError("sorting failed");
        }
    }
    state.counters["most_faces"] = static_cast<double>(faces);
    UF_terminate();
}

// ---- the same kernel work straight on the shapes ---------------------------------------------

void widen(Box *box, bool *empty, const Point &p) {
    for (std::size_t i = 0; i < 3; ++i) {
        (*box)[i] = *empty ? p[i] : std::min((*box)[i], p[i]);
        (*box)[i + 3] = *empty ? p[i] : std::max((*box)[i + 3], p[i]);
    }
    *empty = false;
}

void widen_box(Box *box, bool *empty, const Box &b) {
    widen(box, empty, {b[0], b[1], b[2]});
    widen(box, empty, {b[3], b[4], b[5]});
}

// One edge's contribution by a mode's rule (1 points, 2 NX box, 3 vertices or NX box).
void edge_work(const modeling::BodyPayload &body, std::size_t e, int mode, bool whole_solid, Box *box, bool *empty) {
    Point a{}, b{};
    const int vertices = modeling::edge_vertices(body, e, &a, &b);
    std::vector<Point> points;
    Box edge_box{};
    if (mode == 2 || (mode == 3 && vertices == 0)) {
        if (modeling::nx_bounding_box(body.edges[e], &edge_box)) widen_box(box, empty, edge_box);
        return;
    }
    if (vertices >= 1) widen(box, empty, a);
    if (vertices == 2) widen(box, empty, b);
    if (mode == 3 || modeling::edge_type_code(body.edges[e]) == UF_MODL_LINEAR_EDGE) return;
    if (vertices == 0) modeling::curve_points(body.edges[e], 0.02, 0, 0, &points);
    if (vertices == 2 && whole_solid) {
        const double chord = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
        modeling::curve_points(body.edges[e], 0, 0, chord / 2, &points);
    }
    for (const Point &p : points) widen(box, empty, p);
}

void isocline_work(const ShapeRef &face, Box *box, bool *empty) {
    if (modeling::face_info(face).planar) return;
    for (const Point &d : {Point{0, 0, 1}, Point{0, 1, 0}, Point{1, 0, 0}})
        for (const ShapeRef &curve : modeling::isoclines(face, d, 0.0, 0.005)) {
            Box b{};
            if (modeling::nx_bounding_box(curve, &b)) widen_box(box, empty, b);
        }
}

Box face_box(const modeling::BodyPayload &body, std::size_t f, int mode) {
    Box box{};
    bool empty = true;
    for (int e : body.face_edges[f]) edge_work(body, static_cast<std::size_t>(e), mode, false, &box, &empty);
    if (mode == 3) isocline_work(body.faces[f], &box, &empty);
    return box;
}

double rounded(double v) { return std::round(v * 1000) / 1000; }

// A planar face's box covering a whole side of the body's box, compared rounded.
bool covers_side(Box face, Box body) {
    for (double &v : face) v = rounded(v);
    for (double &v : body) v = rounded(v);
    for (std::size_t a = 0; a < 3; ++a) {
        const std::size_t b = (a + 1) % 3, c = (a + 2) % 3;
        const bool others = face[b] == body[b] && face[b + 3] == body[b + 3] && face[c] == body[c] &&
                            face[c + 3] == body[c + 3];
        if (others && face[a] == face[a + 3] && (face[a] == body[a] || face[a] == body[a + 3])) return true;
    }
    return false;
}

// The geometry an analysis of that mode needs (0: simple), each answer computed once: the body
// box, the planar faces' boxes of the search for the reference face (the simple analysis stops at
// the first), the reference face's normal, every face's iso box for the working faces, and the
// distance of the far side.
void kernel_work(const modeling::BodyPayload &body, int mode, benchmark::State &state) {
    const int box_mode = mode ? mode : 3;
    Box box{};
    bool empty = true;
    for (std::size_t e = 0; e < body.edges.size(); ++e) edge_work(body, e, box_mode, true, &box, &empty);
    if (box_mode == 3)
        for (const ShapeRef &face : body.faces) isocline_work(face, &box, &empty);
    for (std::size_t f = 0; f < body.faces.size(); ++f) {
        if (!modeling::face_info(body.faces[f]).planar || !covers_side(face_box(body, f, box_mode), box)) continue;
        const std::array<double, 4> uv = modeling::face_uv_range(body.faces[f]);
        modeling::FaceProps props;
        modeling::face_props(body.faces[f], (uv[0] + uv[1]) / 2, (uv[2] + uv[3]) / 2, &props);
        if (!mode) break;
    }
    for (std::size_t f = 0; mode && f < body.faces.size(); ++f) benchmark::DoNotOptimize(face_box(body, f, 3));
    modeling::DistanceOperand solid, plane;
    solid.shape = body.shape;
    plane.kind = modeling::DistanceOperand::plane_kind;
    plane.point = {0, 0, box[5] + 1000};
    plane.normal = {0, 0, -1};
    modeling::Distance far;
    if (!modeling::minimum_distance(solid, plane, &far)) state.SkipWithError("no far side");
}

std::vector<const modeling::BodyPayload *> fleet_shapes(benchmark::State &state) {
    std::vector<const modeling::BodyPayload *> shapes;
    for (tag_t electrode : Fleet::get().open()) shapes.push_back(modeling::body_payload(*store().find(electrode)));
    if (shapes.size() != kElectrodes) state.SkipWithError("the fleet did not load");
    return shapes;
}

void BM_FullAnalysisBaseline(benchmark::State &state) {
    const auto shapes = fleet_shapes(state);
    for (auto _ : state)
        for (const modeling::BodyPayload *body : shapes) kernel_work(*body, static_cast<int>(state.range(0)), state);
    UF_terminate();
}

void BM_SimpleAnalysisBaseline(benchmark::State &state) {
    const auto shapes = fleet_shapes(state);
    for (auto _ : state)
        for (const modeling::BodyPayload *body : shapes) kernel_work(*body, 0, state);
    UF_terminate();
}

void BM_SortFacesBaseline(benchmark::State &state) {
    const auto shapes = fleet_shapes(state);
    for (auto _ : state) {
        for (const modeling::BodyPayload *body : shapes) {
            for (const ShapeRef &face : body->faces) {
                benchmark::DoNotOptimize(modeling::face_data(face));
                const std::array<double, 4> uv = modeling::face_uv_range(face);
                modeling::FaceProps props;
                modeling::face_props(face, (uv[0] + uv[1]) / 2, (uv[2] + uv[3]) / 2, &props);
                benchmark::DoNotOptimize(std::acos(std::clamp(props.normal[2], -1.0, 1.0)));
            }
        }
    }
    UF_terminate();
}

BENCHMARK(BM_FullAnalysis)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullAnalysisBaseline)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimpleAnalysis)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimpleAnalysisBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortFaces)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortFacesBaseline)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
