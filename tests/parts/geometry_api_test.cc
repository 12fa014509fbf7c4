// The modelling calls that answer geometric questions and make geometry: face data and
// properties, points along curves, isoclines, distances, planes, blocks, coordinate systems,
// points and lines, and the part's geometry section.
#include <cmath>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "parts_fixture.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_modl.h"
#include "uf_obj.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double dist(const double *a, const double *b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

class GeometryApiTest : public PartsTest {
protected:
    void SetUp() override {
        PartsTest::SetUp();
        part_ = load(part_text(
            body_text("BOX", R"({"box":{"min":[0,0,0],"max":[10,20,30]}})") + "," +
            body_text("CYL", R"({"cylinder":{"base":[50,0,0],"radius":2,"height":4}})") + "," +
            body_text("CONE", R"({"cone":{"base":[100,0,0],"radius1":4,"radius2":2,"height":2}})") + "," +
            body_text("BALL", R"({"sphere":{"center":[150,0,0],"radius":3}})") + "," +
            body_text("RING", R"({"fillet":{"shape":{"cylinder":{"base":[200,0,0],"radius":5,"height":4}},)"
                              R"("radius":1,"edges":{"around":"+Z"}}})")));
        nxhost::set_display_part(part_);
    }

    // The first face of a body with that face type.
    tag_t face_of_type(const char *body, int type) {
        for (tag_t face : faces(body_named(part_, body))) {
            int t = 0;
            UF_MODL_ask_face_type(face, &t);
            if (t == type) return face;
        }
        ADD_FAILURE() << body << " has no face of type " << type;
        return NULL_TAG;
    }

    tag_t part_ = NULL_TAG;
};

TEST_F(GeometryApiTest, FaceDataTellsEachSurfaceItsAxisRadiiAndBox) {
    struct Case { const char *body; int type; double point[3], dir[3], radius, rad_data; } cases[] = {
        {"CYL", UF_MODL_CYLINDRICAL_FACE, {50, 0, 0}, {0, 0, 1}, 2, 0},
        {"CONE", UF_MODL_CONICAL_FACE, {100, 0, 0}, {0, 0, 1}, 4, std::atan(2.0 / 2.0)},
        {"BALL", UF_MODL_SPHERICAL_FACE, {150, 0, 0}, {0, 0, 1}, 3, 0},
        {"RING", UF_MODL_TOROIDAL_FACE, {200, 0, 3}, {0, 0, 1}, 4, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        const tag_t face = face_of_type(c.body, c.type);
        int type = 0, norm_dir = 0;
        double point[3], dir[3], box[6], exact[6], radius = 0, rad_data = 0;
        ASSERT_EQ(UF_MODL_ask_face_data(face, &type, point, dir, box, &radius, &rad_data, &norm_dir), 0);
        EXPECT_EQ(type, c.type);
        EXPECT_NEAR(dist(point, c.point), 0, 1e-9);
        EXPECT_NEAR(std::abs(dir[0] * c.dir[0] + dir[1] * c.dir[1] + dir[2] * c.dir[2]), 1, 1e-9);
        EXPECT_NEAR(radius, c.radius, 1e-9);
        EXPECT_NEAR(std::abs(rad_data), c.rad_data, 1e-9);
        ASSERT_EQ(UF_MODL_ask_bounding_box(face, exact), 0);
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(box[i], exact[i], 1e-9);
    }
}

TEST_F(GeometryApiTest, CurvePointsKeepToEveryToleranceAndFailWithoutOne) {
    const tag_t circle = edges(body_named(part_, "CYL")).front();  // radius 2, closed
    tag_t line = NULL_TAG;
    for (tag_t e : edges(body_named(part_, "BOX"))) {
        double p1[3], p2[3];
        int n = 0;
        UF_MODL_ask_edge_verts(e, p1, p2, &n);
        if (std::abs(dist(p1, p2) - 30) < 1e-9) line = e;
    }
    ASSERT_NE(line, NULL_TAG);
    struct Case { const char *what; tag_t edge; double ctol, atol, stol; int rc; int at_least; double max_chord, max_sag; } cases[] = {
        {"line by step", line, 0, 0, 7, 0, 6, 7, 0},
        {"circle by chord", circle, 0.02, 0, 0, 0, 10, 1e9, 0.02},
        {"circle by angle", circle, 0, kPi / 8, 0, 0, 9, 1e9, 2 * (1 - std::cos(kPi / 16))},
        {"circle by step", circle, 0, 0, 0.5, 0, 26, 0.5, 1e9},
        {"no tolerance", line, 0, 0, 0, nxhost::modeling::kModelerError, 0, 0, 0},
        {"too many points", line, 0, 0, 1e-5, nxhost::modeling::kModelerError, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        int n = -1;
        double *pts = nullptr;
        ASSERT_EQ(UF_MODL_ask_curve_points(c.edge, c.ctol, c.atol, c.stol, &n, &pts), c.rc);
        if (c.rc) {
            EXPECT_EQ(pts, nullptr);
            continue;
        }
        EXPECT_GE(n, c.at_least);
        for (int i = 1; i < n; ++i) {
            const double *a = pts + 3 * (i - 1), *b = pts + 3 * i;
            EXPECT_LE(dist(a, b), c.max_chord + 1e-9);
            if (c.edge == circle) {
                const double chord = dist(a, b);
                EXPECT_NEAR(std::hypot(b[0] - 50, b[1]), 2, 1e-9) << "on the circle";
                EXPECT_LE(2 - std::sqrt(4 - chord * chord / 4), c.max_sag + 1e-9);
            }
        }
        UF_free(pts);
    }
}

TEST_F(GeometryApiTest, IsoclinesRunWhereTheFaceRunsAlongTheDirection) {
    const tag_t ball = faces(body_named(part_, "BALL")).front();
    const tag_t side = face_of_type("CYL", UF_MODL_CYLINDRICAL_FACE);
    struct Case { const char *what; tag_t face; double dir[3]; double angle; int curves; double on_plane[4]; } cases[] = {
        // Where a sphere runs along Z: its equator; at 30 degrees: the circle where n.z = 1/2.
        {"sphere along z", ball, {0, 0, 1}, 0, 1, {0, 0, 1, 0}},
        {"sphere along x", ball, {1, 0, 0}, 0, 1, {1, 0, 0, 150}},
        {"sphere at 30 degrees", ball, {0, 0, 1}, 30, 1, {0, 0, 1, 1.5}},
        // A cylinder runs along its axis everywhere: no curve; across it, its two outlines.
        {"cylinder along its axis", side, {0, 0, 1}, 0, 0, {0, 0, 0, 0}},
        {"cylinder across", side, {0, 1, 0}, 0, 2, {0, 1, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tag_t *curves = nullptr;
        int count = -1;
        double dir[3] = {c.dir[0], c.dir[1], c.dir[2]};
        ASSERT_EQ(UF_MODL_create_isocline_curves(c.face, dir, c.angle, 0.005, &curves, &count), 0);
        ASSERT_EQ(count, c.curves);
        for (int i = 0; i < count; ++i) {
            int type = 0, subtype = 0, n = 0;
            double *pts = nullptr;
            ASSERT_EQ(UF_OBJ_ask_type_and_subtype(curves[i], &type, &subtype), 0);
            EXPECT_EQ(type, UF_spline_type);
            ASSERT_EQ(UF_MODL_ask_curve_points(curves[i], 0.001, 0, 0, &n, &pts), 0);
            for (int k = 0; k < n; ++k) {
                const double *p = pts + 3 * k;
                EXPECT_NEAR(p[0] * c.on_plane[0] + p[1] * c.on_plane[1] + p[2] * c.on_plane[2], c.on_plane[3], 0.005);
            }
            UF_free(pts);
        }
        if (count) {
            EXPECT_EQ(UF_OBJ_delete_array_of_objects(count, curves, nullptr), 0);
        }
        UF_free(curves);
    }
    double z[3] = {0, 0, 1};
    tag_t *curves = nullptr;
    int count = 0;
    EXPECT_EQ(UF_MODL_create_isocline_curves(ball, z, 95, 0.005, &curves, &count), nxhost::kBadArgument);
    EXPECT_EQ(UF_MODL_create_isocline_curves(ball, z, 0, 0, &curves, &count), nxhost::kBadArgument);
}

TEST_F(GeometryApiTest, MinimumDistancesReachPlanesPointsAndBodies) {
    const tag_t box = body_named(part_, "BOX");
    double origin[3] = {0, 0, -1000}, up[3] = {0, 0, 1}, tilted[3] = {1, 0, 1};
    tag_t below = NULL_TAG, slanted = NULL_TAG;
    ASSERT_EQ(UF_MODL_create_plane(origin, up, &below), 0);
    double far[3] = {-100, 0, 0};
    ASSERT_EQ(UF_MODL_create_plane(far, tilted, &slanted), 0);
    double point[3] = {15, 10, 15}, none[3] = {0, 0, 0}, d = -1, on1[3], on2[3];
    struct Case { const char *what; tag_t a, b; int guess; double *g; double expected; } cases[] = {
        {"body to plane", box, below, 0, none, 1000},
        {"body to a slanted plane", box, slanted, 0, none, 100 / std::sqrt(2.0)},
        {"body to a guess point", box, NULL_TAG, 1, point, 5},
        {"plane to a guess point", below, NULL_TAG, 1, point, 1015},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(UF_MODL_ask_minimum_dist(c.a, c.b, 0, none, c.guess, c.g, &d, on1, on2), 0);
        EXPECT_NEAR(d, c.expected, 1e-7);
        EXPECT_NEAR(dist(on1, on2), c.expected, 1e-7);
    }
    EXPECT_EQ(UF_MODL_ask_minimum_dist(below, slanted, 0, none, 0, none, &d, on1, on2), nxhost::modeling::kNotComputed);
    EXPECT_EQ(UF_OBJ_delete_object(below), 0);
    EXPECT_EQ(UF_OBJ_delete_object(slanted), 0);
}

TEST_F(GeometryApiTest, BlocksRunAlongTheWcsFromAnAbsoluteCornerAndRefuseBadLengths) {
    double corner[3] = {1, 2, 3};
    char a[] = "10", b[] = " 20.5 ", c[] = "5", bad[] = "5+x", zero[] = "0";
    struct Case { const char *what; UF_FEATURE_SIGN sign; char *len[3]; int rc; } cases[] = {
        {"plain numbers", UF_NULLSIGN, {a, b, c}, 0},
        {"an expression", UF_NULLSIGN, {a, bad, c}, nxhost::modeling::kBadExpression},
        {"a zero length", UF_NULLSIGN, {a, zero, c}, nxhost::modeling::kNotPositive},
        {"a boolean with a target", UF_POSITIVE, {a, b, c}, nxhost::modeling::kNoTarget},
    };
    for (Case &k : cases) {
        SCOPED_TRACE(k.what);
        tag_t feature = NULL_TAG, body = NULL_TAG;
        ASSERT_EQ(UF_MODL_create_block1(k.sign, corner, k.len, &feature), k.rc);
        if (k.rc) continue;
        ASSERT_EQ(UF_MODL_ask_feat_body(feature, &body), 0);
        double box[6];
        ASSERT_EQ(UF_MODL_ask_bounding_box(body, box), 0);
        const double expected[6] = {1, 2, 3, 11, 22.5, 8};
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(box[i], expected[i], 1e-9);
    }
    // With the WCS turned a quarter about Z, the first length runs along absolute Y.
    const double turned[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
    tag_t matrix = NULL_TAG, csys = NULL_TAG, old_wcs = NULL_TAG, wcs = NULL_TAG, feature = NULL_TAG, body = NULL_TAG;
    ASSERT_EQ(UF_CSYS_ask_wcs(&old_wcs), 0);
    ASSERT_EQ(UF_CSYS_create_matrix(turned, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_temp_csys(corner, matrix, &csys), 0);
    ASSERT_EQ(UF_CSYS_set_wcs(csys), 0);
    ASSERT_EQ(UF_CSYS_ask_wcs(&wcs), 0);
    EXPECT_EQ(wcs, csys);
    ASSERT_EQ(UF_MODL_create_block1(UF_NULLSIGN, corner, cases[0].len, &feature), 0);
    ASSERT_EQ(UF_MODL_ask_feat_body(feature, &body), 0);
    double box[6];
    ASSERT_EQ(UF_MODL_ask_bounding_box(body, box), 0);
    const double expected[6] = {-19.5, 2, 3, 1, 12, 8};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(box[i], expected[i], 1e-9);
    EXPECT_EQ(UF_CSYS_set_wcs(old_wcs), 0);
    const double skewed[9] = {1, 0, 0, 0.5, 1, 0, 0, 0, 1};
    EXPECT_EQ(UF_CSYS_create_matrix(skewed, &matrix), nxhost::csys::kBadMatrix);
}

TEST_F(GeometryApiTest, PointsLinesPlanesAndCoordinateSystemsAreSavedWithThePart) {
    double at[3] = {1, 2, 3}, origin[3] = {0, 0, 0}, normal[3] = {0, 0, 2};
    const double axes[9] = {1, 0, 0, 0, -1, 0, 0, 0, -1};
    UF_CURVE_line_t ends = {{0, 0, 0}, {10, 0, 0}}, nowhere = {{1, 1, 1}, {1, 1, 1}};
    tag_t point = NULL_TAG, line = NULL_TAG, plane = NULL_TAG, matrix = NULL_TAG, csys = NULL_TAG, temp = NULL_TAG;
    ASSERT_EQ(UF_CURVE_create_point(at, &point), 0);
    ASSERT_EQ(UF_OBJ_set_layer(point, 253), 0);
    ASSERT_EQ(UF_OBJ_set_blank_status(point, UF_OBJ_BLANKED), 0);
    ASSERT_EQ(UF_OBJ_set_name(point, "START_1"), 0);
    ASSERT_EQ(UF_CURVE_create_line(&ends, &line), 0);
    EXPECT_EQ(UF_CURVE_create_line(&nowhere, &line), nxhost::modeling::kZeroLength);
    ASSERT_EQ(UF_MODL_create_plane(origin, normal, &plane), 0);
    ASSERT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(at, matrix, &csys), 0);
    ASSERT_EQ(UF_CSYS_create_temp_csys(origin, matrix, &temp), 0);
    tag_t *curves = nullptr;
    int count = 0;
    double z[3] = {0, 0, 1};
    ASSERT_EQ(UF_MODL_create_isocline_curves(faces(body_named(part_, "BALL")).front(), z, 0, 0.005, &curves, &count), 0);
    UF_free(curves);

    const tag_t again = save_and_reload(part_, "geometry.prt");
    const std::string printed = tree(again);
    for (const char *line_text : {"point START_1 [1,2,3]  layer 253  blanked\n", "line [0,0,0]-[10,0,0]\n",
                                  "curve box [147,-3,0]-[153,3,0]\n", "plane origin [0,0,0] normal [0,0,1]\n",
                                  "csys origin [1,2,3] X [1,0,0] Y [0,-1,0]\n"})
        EXPECT_NE(printed.find(line_text), std::string::npos) << line_text << " in\n" << printed;
    EXPECT_EQ(printed.find("csys origin [0,0,0]"), std::string::npos) << "a temporary csys is not saved";
    tag_t loaded = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_by_name_and_type(again, "START_1", UF_point_type, false, &loaded), 0);
    double back[3];
    ASSERT_EQ(UF_CURVE_ask_point_data(loaded, back), 0);
    EXPECT_EQ(dist(back, at), 0);
}

TEST_F(GeometryApiTest, MisusedCallsAreRefusedAndNamed) {
    expect_clean_session_ = false;
    const tag_t body = body_named(part_, "BOX"), face = faces(body).front();
    int type = 0, n = 0, norm = 0;
    double v[9], d = 0, *pts = nullptr;
    tag_t out = NULL_TAG;
    struct Case { const char *call; int rc, expected; } cases[] = {
        {"UF_MODL_ask_face_data", UF_MODL_ask_face_data(body, &type, v, v, v, &d, &d, &norm), nxhost::kBadTag},
        {"UF_MODL_ask_curve_points", UF_MODL_ask_curve_points(face, 0.1, 0, 0, &n, &pts), nxhost::modeling::kInvalidCurve},
        {"UF_MODL_ask_minimum_dist", UF_MODL_ask_minimum_dist(body, NULL_TAG, 0, v, 0, v, &d, v, v), nxhost::kBadTag},
        {"UF_CSYS_set_wcs", UF_CSYS_set_wcs(body), nxhost::kBadTag},
        {"UF_CURVE_ask_point_data", UF_CURVE_ask_point_data(face, v), nxhost::kBadTag},
        {"UF_MODL_ask_feat_body", UF_MODL_ask_feat_body(body, &out), nxhost::kBadTag},
    };
    ASSERT_EQ(nxhost::misuse_lines().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].call);
        EXPECT_EQ(cases[i].rc, cases[i].expected);
        EXPECT_EQ(nxhost::misuse_lines()[i].rfind(std::string(cases[i].call) + ": ", 0), 0u) << nxhost::misuse_lines()[i];
    }
    EXPECT_EQ(UF_MODL_ask_bounding_box(nxhost::csys::wcs_of(part_), v), nxhost::modeling::kNoGeometry);
    double zero[3] = {0, 0, 0};
    EXPECT_EQ(UF_MODL_ask_vector_angle(zero, v, &d, &d), nxhost::modeling::kZeroVector);
    EXPECT_EQ(UF_terminate(), 0);
}

}  // namespace
