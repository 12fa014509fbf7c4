// The box methods against OCCT's own optimal box as the independent reference, each within the
// error its method allows; their texts for bad objects; the probe point and the block.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "geometry_fixture.h"
#include "my_func/geometry.h"
#include <nlohmann/json.hpp>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/csys/csys.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_modl.h"

namespace {

using Lines = std::vector<std::string>;
using Method = int (*)(tag_t, double[3], double[3]);

// Edge-point sampling runs with chords of half an arc's vertex distance: on the samples' fillets
// (radius 1 and more) it may fall this far short of a curved extent.
constexpr double kEdgeSampling = 0.1;
// The isoclines' tolerance.
constexpr double kIsoSampling = 0.005;
constexpr double kExact = 1e-6;

struct Box {
    double lo[3], hi[3];
};

Box box_by(Method method, tag_t object) {
    Box b{};
    EXPECT_EQ(method(object, b.lo, b.hi), 1);
    return b;
}

// Each side of `box` lies within [short_by, over_by] of the same side of the reference, positive
// meaning outside the reference.
void expect_sides(const Box &box, const std::array<double, 6> &ref, double short_by, double over_by,
                  const std::string &what) {
    for (int i = 0; i < 3; ++i) {
        const double out_lo = ref[static_cast<std::size_t>(i)] - box.lo[i];
        const double out_hi = box.hi[i] - ref[static_cast<std::size_t>(i) + 3];
        EXPECT_LE(out_lo, over_by) << what << " min " << "xyz"[i];
        EXPECT_LE(out_hi, over_by) << what << " max " << "xyz"[i];
        EXPECT_GE(out_lo, -short_by) << what << " min " << "xyz"[i];
        EXPECT_GE(out_hi, -short_by) << what << " max " << "xyz"[i];
    }
}

bool encloses(const Box &outer, const Box &inner) {
    for (int i = 0; i < 3; ++i)
        if (outer.lo[i] > inner.lo[i] + kExact || outer.hi[i] < inner.hi[i] - kExact) return false;
    return true;
}

class Boxes : public GeometryTest {};

// On the samples every extreme lies on an edge or on a face's outline along an axis, so every
// method must reach it; the sphere, without edges, only by its isoclines.
TEST_F(Boxes, EveryMethodMeetsTheExactBoxWithinItsSamplingError) {
    display_samples();
    for (tag_t solid : bodies()) {
        const std::string name = nxhost::store().find(solid)->name;
        SCOPED_TRACE(name);
        const auto exact = exact_box(solid);
        expect_sides(box_by(MY_solid_box_iso, solid), exact, kIsoSampling, kExact, "iso");
        if (name == "BALL") continue;  // without edges the other methods have no box (see below)
        expect_sides(box_by(MY_solid_box_dist_method, solid), exact, kExact, kExact, "distance");
        const Box edge_points = box_by(MY_solid_box_edge, solid);
        expect_sides(edge_points, exact, kEdgeSampling, kExact, "edge points");
        // NX's edge boxes are tight on lines and circles, all the samples have.
        const Box edge_boxes = box_by(MY_solid_box_edge_box, solid);
        expect_sides(edge_boxes, exact, kExact, kExact, "edge boxes");
        for (tag_t face : faces(solid)) {
            const auto face_exact = exact_box(face);
            const std::string label = name + " face " + face_label(face);
            expect_sides(box_by(MY_face_box_dist_method, face), face_exact, kExact, kExact, label + " distance");
            expect_sides(box_by(MY_face_box_iso, face), face_exact, kIsoSampling, kExact, label + " iso");
            // The face variant samples only closed edges: it may fall short of a curved edge's bulge.
            expect_sides(box_by(MY_face_box_edge, face), face_exact, 1e9, kExact, label + " edge points");
            EXPECT_TRUE(encloses(box_by(MY_face_box_edge_box, face), box_by(MY_face_box_edge, face))) << label;
        }
    }
}

// Solids no one on this project modelled: B-spline faces and edges, tori, cones.
TEST_F(Boxes, RealSolidsGetExactAndIsoBoxesAndEdgeBoxesEncloseTheirEdges) {
    const char *env = std::getenv("TORVANE_SHARED_SOLIDS");
    const std::string dir = env ? env : testsupport::source_dir() + "/../shared/data/solids";
    if (!std::ifstream(dir + "/README.md")) GTEST_SKIP() << "no shared solids (set TORVANE_SHARED_SOLIDS)";
    display("real.prt", R"({"format":"nxhost-part/1","bodies":[{"name":"CRANK","shape":{"brep_file":")" + dir +
                            R"(/CrankArm.brep"}},{"name":"NUT","shape":{"brep_file":")" + dir + R"(/Pump_Nut.brep"}}]})");
    ASSERT_EQ(bodies().size(), 3u);
    for (tag_t solid : bodies()) {
        SCOPED_TRACE(nxhost::store().find(solid)->name);
        const auto exact = exact_box(solid);
        expect_sides(box_by(MY_solid_box_dist_method, solid), exact, 1e-5, 1e-5, "distance");
        expect_sides(box_by(MY_solid_box_iso, solid), exact, kIsoSampling, kExact, "iso");
        const Box edge_points = box_by(MY_solid_box_edge, solid);
        expect_sides(edge_points, exact, 1e9, kExact, "edge points");
        // Free-form edges are boxed by their control points, which may stand out of the solid.
        EXPECT_TRUE(encloses(box_by(MY_solid_box_edge_box, solid), edge_points));
    }
}

TEST_F(Boxes, BadObjectsAreRefusedWithTheMethodsTexts) {
    display_samples();
    const tag_t ball = body("BALL"), face = faces(body("BOX")).front();
    display("sheet.prt", std::string(R"({"format":"nxhost-part/1","bodies":[{"name":"S","shape":{"brep":)") +
                             nlohmann::json(nxhost::modeling::shape_to_brep_text(shape(face))).dump() + "}}]}");
    const tag_t sheet = body("S");
    struct Case { const char *what; Method method; tag_t object; Lines texts; } cases[] = {
        {"null solid", MY_solid_box_edge, NULL_TAG, {"err! solid is null tag.  ( MY_solid_box_edge )"}},
        {"sheet", MY_solid_box_edge, sheet, {" err! solid is not solid type. ( MY_solid_box_edge )"}},
        {"sphere", MY_solid_box_edge, ball, {"err! solid has no edge.  ( MY_solid_box_edge )"}},
        {"null solid", MY_solid_box_edge_box, NULL_TAG, {"err! solid is null tag.  ( MY_solid_box_edge_box )"}},
        {"face", MY_solid_box_edge_box, face, {" err! solid is not solid type. ( MY_solid_box_edge_box )"}},
        {"null solid", MY_solid_box_iso, NULL_TAG, {"err! solid is null solid tag.  ( MY_solid_box_iso )"}},
        {"sheet", MY_solid_box_iso, sheet, {" err! solid is not solid type. ( MY_solid_box_edge_box )"}},
        {"null solid", MY_solid_box_dist_method, NULL_TAG, {"err! face is null tag.  ( MY_face_box_dist_method )"}},
        {"sphere", MY_solid_box_dist_method, ball,
         {"err! solid has no edge.  ( MY_solid_box_edge_box )", "Err! MY_solid_box_edge_box"}},
        {"null face", MY_face_box_edge, NULL_TAG, {"face is null tag, err! ( MY_face_box_edge )"}},
        {"body", MY_face_box_edge, ball, {"err! face is not solid face. ( MY_face_box_edge )"}},
        {"face without edges", MY_face_box_edge, faces(ball).front(), {"err! face has no edge. ( MY_face_box_edge )"}},
        {"null face", MY_face_box_edge_box, NULL_TAG, {"you post face is null "}},
        {"body", MY_face_box_edge_box, ball, {"you post face is not body_type "}},
        {"null face", MY_face_box_iso, NULL_TAG, {"err! face is null tag.  ( MY_face_box_iso )"}},
        {"body", MY_face_box_iso, ball, {"err! face is not face type. ( MY_face_box_iso )"}},
        {"null face", MY_face_box_dist_method, NULL_TAG, {"err! face is null tag.  ( MY_face_box_dist_method )"}},
        {"body", MY_face_box_dist_method, ball, {"you post face is not body_type ", "Err! MY_face_box_edge_box"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what + std::string(" ") + c.texts.back());
        clear_shown();
        double lo[3] = {7, 7, 7}, hi[3] = {7, 7, 7};
        EXPECT_EQ(c.method(c.object, lo, hi), 0);
        EXPECT_EQ(shown("message"), c.texts);
        EXPECT_TRUE(lo[0] == 7 && hi[2] == 7) << "no partial box";
    }
}

// A distance NX cannot give falls back to the iso box; every other refused call fails the box.
TEST_F(Boxes, AFailedDistanceGivesTheIsoBoxAndNoFailureCrashesOrLeaks) {
    display_samples();
    const tag_t stub = body("STUB_ZM");
    Box iso = box_by(MY_solid_box_iso, stub);
    nxhost::fail_call_number(0);
    const long before = nxhost::calls_made();
    box_by(MY_solid_box_edge_box, stub);
    const long start_calls = nxhost::calls_made() - before;
    nxhost::fail_call_number(start_calls + 2);  // the first distance, after its plane
    const Box fallen = box_by(MY_solid_box_dist_method, stub);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(fallen.lo[i] == iso.lo[i] && fallen.hi[i] == iso.hi[i]);
    EXPECT_EQ(shown("message"), Lines{});

    const std::string stub_only = R"({"format":"nxhost-part/1","bodies":[{"name":"STUB","shape":{"union":[)"
                                  R"({"box":{"min":[0,0,0],"max":[40,40,15]}},)"
                                  R"({"cylinder":{"base":[20,20,0],"axis":[0,0,-1],"radius":8,"height":12}}]}}]})";
    for (Method method : {MY_solid_box_edge, MY_solid_box_iso, MY_solid_box_dist_method}) {
        testsupport::run_failing_each_call([&] { display("stub.prt", stub_only); }, [&] {
            double lo[3], hi[3];
            const int result = method(body("STUB"), lo, hi);
            EXPECT_TRUE(result == 0 || lo[2] <= -11.9) << "a box reaches the stub's end";
            EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        });
    }
}

TEST_F(Boxes, TheProbePointIsTheFirstVertexOfTheLongestStraightSidedEdge) {
    display_samples();
    const tag_t top = face_labelled(body("BOX"), "+Z@10"), disc = face_labelled(body("STUB_ZP"), "+Z@27");
    double point[3] = {0, 0, 0};
    ASSERT_EQ(MY_face_len_edge_one_point(top, point), 1);
    EXPECT_EQ(point[2], 10);
    EXPECT_TRUE(point[0] == 800 || point[0] == 830) << "on an edge 30 long, along x";
    EXPECT_EQ(MY_face_len_edge_one_point(disc, point), 0) << "a disc's circle has no vertex";
    EXPECT_EQ(MY_face_len_edge_one_point(NULL_TAG, point), 0);
    EXPECT_EQ(MY_face_len_edge_one_point(body("BOX"), point), 0);
    EXPECT_EQ(shown("message"), (Lines{"face is null tag, err! ( MY_face_box_edge )",
                                       "err! face is not solid face. ( MY_face_len_edge_one_point )"}));
}

// The block lies along the absolute axes whatever the WCS, which is given back afterwards.
TEST_F(Boxes, ABlockRunsAlongTheAbsoluteAxesAndLeavesTheWcsAsItWas) {
    display_samples();
    const double turned[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1}, origin[3] = {5, 5, 5};
    tag_t matrix = NULL_TAG, csys = NULL_TAG, wcs = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(turned, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(origin, matrix, &csys), 0);
    ASSERT_EQ(UF_CSYS_set_wcs(csys), 0);
    const double lo[3] = {1, 2, 3}, hi[3] = {4, 6, 8}, flat[3] = {4, 2, 8};
    tag_t block = NULL_TAG;
    ASSERT_EQ(MY_create_box(&block, lo, hi), 1);
    EXPECT_EQ(faces(block).size(), 6u);
    const auto box = exact_box(block);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(box[static_cast<std::size_t>(i)], lo[i], kExact);
        EXPECT_NEAR(box[static_cast<std::size_t>(i) + 3], hi[i], kExact);
    }
    ASSERT_EQ(UF_CSYS_ask_wcs(&wcs), 0);
    EXPECT_EQ(wcs, csys);

    EXPECT_EQ(MY_create_box(&block, lo, flat), 0);
    nxhost::fail_call_number(5);  // the block, after the WCS and the turned csys
    EXPECT_EQ(MY_create_box(&block, lo, hi), 0);
    ASSERT_EQ(UF_CSYS_ask_wcs(&wcs), 0);
    EXPECT_EQ(wcs, csys);
    const Lines messages = shown("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("minimum corner must lie below"), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("could not create the block"), std::string::npos) << messages[1];
}

}  // namespace
