// Every kind of body description builds the body a modeller would, with faces and edges.
#include <cmath>

#include "parts_fixture.h"
#include "uf_modl.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ShapeCase {
    const char *what;
    const char *shape;
    std::size_t faces;
    std::size_t edges;
    double volume;
};

const ShapeCase kShapes[] = {
    {"box", R"({"box":{"min":[0,0,0],"max":[10,10,5]}})", 6, 12, 500},
    {"cylinder along z", R"({"cylinder":{"base":[1,2,3],"radius":2,"height":5}})", 3, 3, kPi * 4 * 5},
    {"cylinder along x", R"({"cylinder":{"base":[0,0,0],"axis":[1,0,0],"radius":1,"height":4}})", 3, 3, kPi * 4},
    // The poles of a sphere are degenerated edges, which bodies leave out; the seam stays.
    {"sphere", R"({"sphere":{"center":[0,0,0],"radius":3}})", 1, 1, 4.0 / 3.0 * kPi * 27},
    {"box filleted on vertical edges",
     R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},"radius":1,"edges":"vertical"}})", 10, 24,
     500 - 4 * (1 - kPi / 4) * 5},
    {"box filleted on one edge by index",
     R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},"radius":1,"edges":[0]}})", 7, 15,
     500 - (1 - kPi / 4) * 5},
    {"box filleted on all edges",
     R"({"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,10]}},"radius":1}})", 26, 48,
     1000 - 4 * (1 - kPi / 4) * 8 * 3 - 8 * (1 - kPi / 6)},
    {"union of a box and a boss on it",
     R"({"union":[{"box":{"min":[0,0,0],"max":[10,10,5]}},{"cylinder":{"base":[5,5,5],"radius":2,"height":3}}]})",
     8, 15, 500 + kPi * 4 * 3},
    {"union of two boxes sharing a face merges their coplanar faces",
     R"({"union":[{"box":{"min":[0,0,0],"max":[10,10,5]}},{"box":{"min":[10,0,0],"max":[20,10,5]}}]})", 6, 12,
     1000},
    {"box cut by a through hole",
     R"({"cut":[{"box":{"min":[0,0,0],"max":[10,10,5]}},{"cylinder":{"base":[5,5,-1],"radius":2,"height":7}}]})",
     7, 15, 500 - kPi * 4 * 5},
    {"box cut by two tools",
     R"({"cut":[{"box":{"min":[0,0,0],"max":[10,10,5]}},{"box":{"min":[-1,-1,4],"max":[11,11,6]}},
        {"box":{"min":[-1,-1,-1],"max":[11,11,1]}}]})",
     6, 12, 300},
};

class ShapesTest : public PartsTest {};

TEST_F(ShapesTest, EveryShapeKindLoadsAsASolidWithItsFacesEdgesAndVolume) {
    int n = 0;
    for (const ShapeCase &c : kShapes) {
        SCOPED_TRACE(c.what);
        tag_t part = load(part_text(std::string(R"({"name":"B","shape":)") + c.shape + "}"),
                          "case" + std::to_string(++n) + ".prt");
        ASSERT_NE(part, NULL_TAG);
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

TEST_F(ShapesTest, FacesAndEdgesKnowTheirBodyAndPosition) {
    tag_t part = load(part_text(R"({"name":"B","shape":{"box":{"min":[0,0,0],"max":[1,2,3]}}})"));
    tag_t body = bodies(part).front();
    int expected = 0;
    for (tag_t face : faces(body)) {
        EXPECT_EQ(object(face).parent, body);
        EXPECT_EQ(object(face).part, part);
        EXPECT_EQ(object(face).index, expected++);
    }
    for (tag_t edge : edges(body)) EXPECT_EQ(object(edge).parent, body);
}

TEST_F(ShapesTest, DisjointPiecesOfOneDescriptionBecomeNumberedBodies) {
    tag_t part = load(part_text(
        R"({"name":"E1","shape":{"union":[{"box":{"min":[0,0,0],"max":[1,1,1]}},{"box":{"min":[5,0,0],"max":[6,1,1]}}]}})"));
    ASSERT_EQ(bodies(part).size(), 2u);
    EXPECT_EQ(object(bodies(part)[0]).name, "E1");
    EXPECT_EQ(object(bodies(part)[1]).name, "E1_2");
}

TEST_F(ShapesTest, LengthsAreInThePartsUnits) {
    tag_t part = load(part_text(R"({"name":"B","shape":{"box":{"min":[0,0,0],"max":[0.01,0.02,0.03]}}})", "m"));
    EXPECT_EQ(nxhost::part_units(part), "m");
    EXPECT_NEAR(volume(bodies(part).front()), 6e-6, 1e-15);
}

TEST_F(ShapesTest, BrepFilesAreMillimetresUnlessTheySayOtherwise) {
    tag_t source = load(part_text(R"({"name":"B","shape":{"box":{"min":[0,0,0],"max":[10,10,10]}}})"), "src.prt");
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(source, drive_dir() + "/parts/saved.prt", &error)) << error;
    nlohmann::json saved = nlohmann::json::parse(read_file("parts/saved.prt"));
    write_file("parts/box.brep", saved["bodies"][0]["shape"]["brep"].get<std::string>());

    struct Case { const char *part_units; const char *extra; double volume; } cases[] = {
        {"mm", "", 1000}, {"m", "", 1e-6}, {"m", R"(,"units":"m")", 1000}, {"mm", R"(,"units":"m")", 1e12},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.part_units) + c.extra);
        tag_t part = load(part_text(std::string(R"({"name":"B","shape":{"brep_file":"box.brep")") + c.extra + "}}",
                                    c.part_units),
                          "brep" + std::to_string(++n) + ".prt");
        ASSERT_NE(part, NULL_TAG);
        EXPECT_NEAR(volume(bodies(part).front()), c.volume, 1e-9 * c.volume);
    }
}

}  // namespace
