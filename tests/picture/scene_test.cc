// The scene of a part as the picture page gets it: the programmed sample electrodes, the same
// part without CAM, names in either encoding, and the page the scene becomes.
#include <algorithm>
#include <cmath>
#include <map>

#include <nlohmann/json.hpp>

#include "nxhost/parts/parts.h"
#include "nxhost/picture/names.h"
#include "nxhost/picture/page.h"
#include "nxhost/picture/scene.h"
#include "picture_fixture.h"
#include "standin_test.h"

namespace picturetest {
namespace {

using nxhost::picture::BodyRole;
using nxhost::picture::Scene;
using nxhost::picture::SceneBody;

class SceneTest : public testsupport::StandinTest {
protected:
    Scene scene_of(const std::string &host_path) {
        std::string error;
        tag_t part = nxhost::load_part(host_path, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        return part == NULL_TAG ? Scene() : nxhost::picture::collect_scene(part);
    }
    Scene programmed() {
        EXPECT_EQ(ProgrammedPart::get().error(), "");
        return scene_of(ProgrammedPart::get().path());
    }
    static const nxhost::picture::Operation *find_op(const Scene &scene, const std::string &name) {
        for (const auto &op : scene.operations)
            if (op.name == name) return &op;
        return nullptr;
    }
};

int count_role(const Scene &scene, BodyRole role) {
    return static_cast<int>(std::count_if(scene.bodies.begin(), scene.bodies.end(), [&](const SceneBody &b) { return b.role == role; }));
}

// Volume enclosed by a body's triangles (divergence theorem): positive only when every triangle
// faces out of the material.
double enclosed_volume(const SceneBody &b) {
    double six = 0.0;
    for (const auto &t : b.triangles) {
        const auto &p = b.vertices[t[0]], &q = b.vertices[t[1]], &r = b.vertices[t[2]];
        six += p[0] * (q[1] * r[2] - q[2] * r[1]) - p[1] * (q[0] * r[2] - q[2] * r[0]) + p[2] * (q[0] * r[1] - q[1] * r[0]);
    }
    return six / 6.0;
}

TEST_F(SceneTest, TheProgrammedSampleShowsItsElectrodesSetupAndOperations) {
    const Scene scene = programmed();
    EXPECT_TRUE(scene.has_cam);
    EXPECT_EQ(scene.units, "mm");
    EXPECT_EQ(count_role(scene, BodyRole::Electrode), 4);
    EXPECT_EQ(count_role(scene, BodyRole::Clamp), 1);
    EXPECT_EQ(count_role(scene, BodyRole::BaseBlock), 1);
    ASSERT_EQ(scene.frames.size(), 1u);
    EXPECT_EQ(scene.frames[0].name, "MCS_QZ_0");
    EXPECT_EQ(scene.frames[0].origin, (nxhost::picture::Vec3{90, 15, 32}));
    ASSERT_EQ(scene.clearance_planes.size(), 1u);
    EXPECT_DOUBLE_EQ(scene.clearance_planes[0].origin[2], 52.0);
    // One block for all electrodes and one per electrode in each of the eight own workpieces.
    EXPECT_EQ(scene.blanks.size(), 9u);
    EXPECT_DOUBLE_EQ(scene.blanks[0].along[5], 32.5) << "0.5 above the highest top";
    // The four start points in front of the electrodes.
    EXPECT_EQ(scene.start_points.size(), 4u);
    ASSERT_EQ(scene.operations.size(), 17u);
    EXPECT_EQ(scene.operations[0].name, "CAV_EDM-R2") << "program order";
    const int with_faces = static_cast<int>(std::count_if(scene.operations.begin(), scene.operations.end(), [](const auto &op) {
        return op.area_source == "cut area" || op.area_source == "boundary faces";
    }));
    EXPECT_EQ(with_faces, 3) << "the two area millings and the face milling name their faces";
    // Region start points are for the milling in levels and regions, not for contours.
    for (const auto &op : scene.operations) EXPECT_EQ(op.start_points.size(), op.kind == "fixed contour" ? 0u : 4u) << op.name;
    EXPECT_GT(scene.extent[5], 52.0 - 1e-9) << "the clearance plane is inside the picture";
}

TEST_F(SceneTest, EachOperationHasItsCutAreaAndBottomLevel) {
    const Scene scene = programmed();
    const struct {
        const char *name;
        const char *area_source;
        std::size_t faces, boundaries;
        const char *bottom_source;
        double bottom;
        double xmin, xmax;  // of the bottom level's rectangle
    } cases[] = {
        {"CAV_TOP-R1", "part geometry", 60, 0, "lowest cut level", 32.401, 0, 180},
        {"CAV_EDM-R2_1", "part geometry", 8, 0, "lowest cut level", 10.401, 50, 80},
        {"ZLE_EDM-F3_2", "part geometry", 20, 0, "lowest cut level", 10.101, 100, 130},
        {"FACE_EDM-F1", "boundary faces", 4, 8, "lowest boundary plane", 10, 0, 180},
        {"PLAN_EDM-F2", "boundaries", 0, 1, "floor plane", 10, 6, 24},
        {"FIX_0_90-F5", "cut area", 17, 0, "", 0, 0, 0},
        {"FIX_TEXT-F6", "text", 0, 0, "", 0, 0, 0},
    };
    for (const auto &c : cases) {
        const auto *op = find_op(scene, c.name);
        ASSERT_NE(op, nullptr) << c.name;
        EXPECT_EQ(op->area_source, c.area_source) << c.name;
        EXPECT_EQ(op->area.size(), c.faces) << c.name;
        EXPECT_EQ(op->boundaries.size(), c.boundaries) << c.name;
        EXPECT_EQ(op->bottom_source, c.bottom_source) << c.name;
        if (*c.bottom_source == '\0') continue;
        EXPECT_NEAR(op->bottom, c.bottom, 1e-9) << c.name;
        for (const auto &corner : op->bottom_rect) EXPECT_NEAR(corner[2], c.bottom, 1e-9) << c.name;
        EXPECT_NEAR(op->bottom_rect[0][0], c.xmin, 1e-6) << c.name;
        EXPECT_NEAR(op->bottom_rect[2][0], c.xmax, 1e-6) << c.name;
    }
    // Every boundary is drawn as one chain: no jump longer than the loop's widest side, and a
    // closed loop ends where it starts.
    for (const char *name : {"FACE_EDM-F1", "PLAN_EDM-F2_3"}) {
        const auto *op = find_op(scene, name);
        ASSERT_NE(op, nullptr);
        for (const auto &line : op->boundaries) {
            ASSERT_GE(line.size(), 4u) << name;
            double length = 0.0;
            for (std::size_t k = 1; k < line.size(); ++k)
                length += std::hypot(line[k][0] - line[k - 1][0], line[k][1] - line[k - 1][1], line[k][2] - line[k - 1][2]);
            EXPECT_LT(length, 4 * 30 + 1e-6) << name << ": the loop doubles back on itself";
            EXPECT_NEAR(std::hypot(line.front()[0] - line.back()[0], line.front()[1] - line.back()[1]), 0.0, 1e-6) << name;
        }
    }
    // The planar finish's boundary runs around the head of EL-001 (6..24 in X and Y) in the
    // plane of its EDM face.
    const auto *planar = find_op(scene, "PLAN_EDM-F2");
    ASSERT_NE(planar, nullptr);
    for (const auto &p : planar->boundaries[0]) {
        EXPECT_GE(p[0], 6 - 1e-6);
        EXPECT_LE(p[0], 24 + 1e-6);
        EXPECT_NEAR(p[2], 10, 1e-6);
    }
}

TEST_F(SceneTest, BodiesAreClosedOutwardMeshesWithEveryFaceCovered) {
    const Scene scene = programmed();
    EXPECT_EQ(scene.unmeshed_faces, 0);
    const std::map<std::string, double> volumes = {{"CLAMP-1", 40 * 20 * 20}, {"BASE-1", 80 * 40 * 8}};
    for (const SceneBody &b : scene.bodies) {
        int covered = 0;
        for (const auto &f : b.faces) {
            EXPECT_GT(f.count, 0) << b.name << ": a face without triangles";
            covered += f.count;
        }
        EXPECT_EQ(covered, static_cast<int>(b.triangles.size())) << b.name;
        for (const auto &t : b.triangles)
            for (int k : t) ASSERT_LT(static_cast<std::size_t>(k), b.vertices.size()) << b.name;
        EXPECT_GT(enclosed_volume(b), 0.0) << b.name << ": triangles face into the material";
        auto exact = volumes.find(b.name);
        if (exact != volumes.end()) {
            EXPECT_NEAR(enclosed_volume(b), exact->second, 1e-6) << b.name;
        }
    }
}

TEST_F(SceneTest, APartWithoutCamShowsItsBodiesOnly) {
    const Scene scene = scene_of(testsupport::source_dir() + "/conf/samples/electrodes.prt");
    EXPECT_FALSE(scene.has_cam);
    EXPECT_EQ(scene.bodies.size(), 6u);
    EXPECT_EQ(count_role(scene, BodyRole::Electrode), 4);
    EXPECT_TRUE(scene.operations.empty());
    EXPECT_TRUE(scene.frames.empty());
    EXPECT_TRUE(scene.blanks.empty());
    EXPECT_TRUE(scene.start_points.empty());
    const std::string page = nxhost::picture::html_page(scene);
    EXPECT_NE(page.find("id=\"no-cam\""), std::string::npos);
    EXPECT_NE(page.find("no CAM setup"), std::string::npos);
}

TEST_F(SceneTest, ACoarserToleranceGivesFewerTriangles) {
    const std::string path = testsupport::source_dir() + "/conf/samples/electrodes.prt";
    std::string error;
    tag_t part = nxhost::load_part(path, &error);
    ASSERT_NE(part, NULL_TAG) << error;
    auto triangles = [&](double relative) {
        std::size_t n = 0;
        for (const SceneBody &b : nxhost::picture::collect_scene(part, {relative, 0.5}).bodies) n += b.triangles.size();
        return n;
    };
    EXPECT_LT(triangles(0.01), triangles(0.0005));
}

TEST(PictureNames, NamesAreShownInUtf8) {
    const struct {
        std::string bytes;
        tag_t tag;
        std::string shown;
    } cases[] = {
        {"EL-001", NULL_TAG, "EL-001"},
        {"\xE7\x94\xB5\xE6\x9E\x81", NULL_TAG, "\xE7\x94\xB5\xE6\x9E\x81"},  // 电极 as read from a part file
        {"\xB5\xE7\xBC\xAB", NULL_TAG, "\xE7\x94\xB5\xE6\x9E\x81"},          // 电极 as the add-on names it
        {"", 12, "#12"},
        {"", NULL_TAG, ""},
    };
    for (const auto &c : cases) EXPECT_EQ(nxhost::picture::display_name(c.bytes, c.tag), c.shown) << c.bytes;
    for (const char *bad : {"\xC0\x80", "\xE7\x94", "\xFF", "a\x80"}) EXPECT_FALSE(nxhost::picture::is_utf8(bad)) << bad;
}

Scene tricky_scene() {
    Scene scene;
    scene.part_name = "D:\\parts\\a&b<c>.prt";
    scene.units = "mm";
    scene.has_cam = true;
    SceneBody body;
    body.name = "x</script><script>alert(1)</script>";
    body.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    body.triangles = {{0, 1, 2}};
    body.faces = {{0, 1}};
    scene.bodies.push_back(body);
    nxhost::picture::Operation op;
    op.name = "\xE7\xB2\x97\xE5\x8A\xA0\xE5\xB7\xA5";  // 粗加工
    scene.operations.push_back(op);
    return scene;
}

std::size_t occurrences(const std::string &text, const std::string &what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(PicturePage, ThePageIsSelfContainedAndItsDataCannotBreakOut) {
    const std::string page = nxhost::picture::html_page(tricky_scene());
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char *outside : {"http://", "https://", "src=", "href=", "@import", "url("})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    // Only the page's own three scripts end; the name's end tag is escaped inside the data.
    EXPECT_EQ(occurrences(page, "</script>"), 3u);
    EXPECT_NE(page.find("x<\\/script><script>alert(1)<\\/script>"), std::string::npos);
    EXPECT_NE(page.find("<title>Part D:\\parts\\a&amp;b&lt;c&gt;.prt</title>"), std::string::npos);
    EXPECT_NE(page.find("\xE7\xB2\x97\xE5\x8A\xA0\xE5\xB7\xA5"), std::string::npos) << "names stay UTF-8";
    EXPECT_NE(page.find("id=\"script-errors\""), std::string::npos);
    EXPECT_NE(page.find("dataset.rendered = 'ok'"), std::string::npos);
    EXPECT_EQ(page.find("no-cam"), std::string::npos) << "a part with a setup has no such note";
}

TEST(PicturePage, SceneJsonRoundsLengthsAndKeepsTheOperationsOrder) {
    Scene scene = tricky_scene();
    scene.bodies[0].vertices[1] = {1.23456789, -0.0000001, 2};
    const auto json = nxhost::picture::scene_json(scene);
    EXPECT_EQ(json["bodies"][0]["v"][3].get<double>(), 1.235);
    EXPECT_EQ(json["bodies"][0]["v"].dump().find("-0"), std::string::npos);
    EXPECT_EQ(json["bodies"][0]["role"], "electrode");
    EXPECT_EQ(json["operations"][0]["bottom_rect"].size(), 0u) << "no bottom level, no rectangle";
}

TEST(PicturePage, APageThatCannotBeWrittenSaysWhy) {
    std::string error;
    EXPECT_FALSE(nxhost::picture::write_text_file("/nonexistent-folder/a.html", "x", &error));
    EXPECT_NE(error.find("cannot write /nonexistent-folder/a.html"), std::string::npos) << error;
    const std::string dir = testing::TempDir() + "/picture-page-dir";
    fs::create_directories(dir);
    error.clear();
    EXPECT_FALSE(nxhost::picture::write_text_file(dir, "x", &error)) << "a folder is no page";
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(dir));
    for (const auto &entry : fs::directory_iterator(testing::TempDir()))
        EXPECT_NE(entry.path().filename().string().rfind("picture-page-dir.tmp", 0), 0u) << "temporary left behind: " << entry.path();
}

}  // namespace
}  // namespace picturetest
