// Every kind of body description builds the body a modeller would, with faces and edges.
#include <cmath>

#include "parts_fixture.h"
#include "uf_modl.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const char *const kSlab = R"({"box":{"min":[0,0,0],"max":[10,10,5]}})";

class ShapesTest : public PartsTest {};

TEST_F(ShapesTest, EveryShapeKindLoadsAsASolidWithItsFacesEdgesAndVolume) {
    const std::string slab = kSlab;
    struct Case { const char *what; std::string shape; std::size_t faces, edges; double volume; } cases[] = {
        {"box", slab, 6, 12, 500},
        // Topology as NX shows it: no seams, no degenerated poles.
        {"cylinder along x", R"({"cylinder":{"base":[0,0,0],"axis":[1,0,0],"radius":1,"height":4}})", 3, 2, kPi * 4},
        {"sphere", R"({"sphere":{"center":[0,0,0],"radius":3}})", 1, 0, 4.0 / 3.0 * kPi * 27},
        {"fillet on vertical edges", R"({"fillet":{"shape":)" + slab + R"(,"radius":1,"edges":"vertical"}})", 10, 24,
         500 - 4 * (1 - kPi / 4) * 5},
        {"fillet on all edges", R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,10]}},"radius":1}})", 26, 48,
         1000 - 4 * (1 - kPi / 4) * 8 * 3 - 8 * (1 - kPi / 6)},
        {"union of boxes sharing a face merges coplanar faces",
         R"({"union":[)" + slab + R"(,{"box":{"min":[10,0,0],"max":[20,10,5]}}]})", 6, 12, 1000},
        {"cut by a through hole", R"({"cut":[)" + slab + R"(,{"cylinder":{"base":[5,5,-1],"radius":2,"height":7}}]})",
         7, 14, 500 - kPi * 4 * 5},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tag_t part = load(part_text(body_text("B", c.shape)), "case" + std::to_string(++n) + ".prt");
        ASSERT_EQ(bodies(part).size(), 1u);
        tag_t body = bodies(part).front();
        EXPECT_EQ(object(body).name, "B");
        EXPECT_EQ(faces(body).size(), c.faces);
        EXPECT_EQ(edges(body).size(), c.edges);
        EXPECT_NEAR(volume(body), c.volume, 1e-6 * c.volume);
        int type = 0;
        EXPECT_EQ(UF_MODL_ask_body_type(body, &type), 0);
        EXPECT_EQ(type, UF_MODL_SOLID_BODY);
    }
}

TEST_F(ShapesTest, DisjointPiecesOfOneDescriptionBecomeNumberedBodies) {
    tag_t part = load(part_text(
        body_text("E1", R"({"union":[{"box":{"min":[0,0,0],"max":[1,1,1]}},{"box":{"min":[5,0,0],"max":[6,1,1]}}]})")));
    ASSERT_EQ(bodies(part).size(), 2u);
    EXPECT_EQ(object(bodies(part)[0]).name, "E1");
    EXPECT_EQ(object(bodies(part)[1]).name, "E1_2");
}

// Lengths are in the part's units; BREP files are millimetres unless they say otherwise.
TEST_F(ShapesTest, LengthsAreInThePartsUnitsAndBrepFilesInMillimetresUnlessTheySayOtherwise) {
    tag_t source = load(part_text(body_text("B", R"({"box":{"min":[0,0,0],"max":[10,10,10]}})")), "src.prt");
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(source, drive_dir() + "/parts/saved.prt", &error)) << error;
    nlohmann::json saved = nlohmann::json::parse(read_file("parts/saved.prt"));
    write_file("parts/box.brep", saved["bodies"][0]["shape"]["brep"].get<std::string>());

    struct Case { const char *units; std::string shape; double volume; } cases[] = {
        {"m", R"({"box":{"min":[0,0,0],"max":[0.01,0.02,0.03]}})", 6e-6},
        {"mm", R"({"brep_file":"box.brep"})", 1000},
        {"m", R"({"brep_file":"box.brep"})", 1e-6},
        {"m", R"({"brep_file":"box.brep","units":"m"})", 1000},
        {"mm", R"({"brep_file":"box.brep","units":"m"})", 1e12},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.units) + " " + c.shape);
        tag_t part = load(part_text(body_text("B", c.shape), c.units), "units" + std::to_string(++n) + ".prt");
        ASSERT_NE(part, NULL_TAG);
        EXPECT_EQ(nxhost::part_units(part), c.units);
        EXPECT_NEAR(volume(bodies(part).front()), c.volume, 1e-9 * c.volume);
    }
}

}  // namespace
