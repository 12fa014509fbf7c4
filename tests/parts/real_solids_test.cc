// Solids modelled by others (OCCT samples, a NIST test part, CadQuery data) load or fail clearly.
#include "parts_fixture.h"
#include "uf_modl.h"

namespace {

class RealSolidsTest : public PartsTest {
protected:
    void SetUp() override {
        PartsTest::SetUp();
        dir_ = solids_dir();
        if (dir_.empty()) GTEST_SKIP() << "no shared solids (set TORVANE_SHARED_SOLIDS)";
    }
    std::string body_from(const std::string &name, const std::string &shape) const {
        return R"({"name":")" + name + R"(","shape":)" + shape + "}";
    }
    std::string file(const char *name) const { return "\"" + dir_ + "/" + name + "\""; }
    std::string dir_;
};

std::size_t total_faces(const std::vector<tag_t> &bodies) {
    std::size_t n = 0;
    for (tag_t b : bodies) n += nxhost::store().children(b, UF_solid_face_subtype).size();
    return n;
}

TEST_F(RealSolidsTest, BrepAndStepFilesGiveOneBodyPerSolid) {
    struct Case { const char *name; std::string shape; std::size_t bodies; std::size_t faces; } cases[] = {
        {"crank", R"({"brep_file":)" + file("CrankArm.brep") + "}", 2, 53},
        {"crank_second", R"({"brep_file":)" + file("CrankArm.brep") + R"(,"solid":1})", 1, 0},
        {"nut", R"({"brep_file":)" + file("Pump_Nut.brep") + "}", 1, 25},
        {"cube_cyl", R"({"step_file":)" + file("red_cube_blue_cylinder.step") + "}", 2, 9},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tag_t part = load(part_text(body_from(c.name, c.shape)), "real" + std::to_string(++n) + ".prt");
        ASSERT_NE(part, NULL_TAG);
        std::vector<tag_t> found = bodies(part);
        ASSERT_EQ(found.size(), c.bodies);
        if (c.faces) {
            EXPECT_EQ(total_faces(found), c.faces);
        }
        for (tag_t body : found) {
            int type = 0;
            EXPECT_EQ(UF_MODL_ask_body_type(body, &type), 0);
            EXPECT_EQ(type, UF_MODL_SOLID_BODY);
            EXPECT_GT(volume(body), 0);
        }
    }
}

TEST_F(RealSolidsTest, StepLengthsInMetresAreConvertedToThePartsUnits) {
    const std::string body = body_from("E", R"({"step_file":)" + file("red_cube_blue_cylinder.step") + "}");
    // The file holds a cylinder and a cube of 0.01 m.
    struct Case { const char *units; double cube_side; } cases[] = {{"mm", 10.0}, {"m", 0.01}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.units);
        tag_t part = load(part_text(body, c.units), std::string("units_") + c.units + ".prt");
        ASSERT_NE(part, NULL_TAG);
        ASSERT_EQ(bodies(part).size(), 2u);
        int cubes = 0;
        for (tag_t b : bodies(part)) {
            std::array<double, 6> box{};
            ASSERT_TRUE(nxhost::modeling::exact_box(nxhost::modeling::shape_payload(object(b))->shape, &box));
            const double side = box[3] - box[0];
            if (std::abs(volume(b) - side * side * side) > 1e-9 * side * side * side) continue;
            ++cubes;
            EXPECT_NEAR(side, c.cube_side, 1e-9 * c.cube_side);
            EXPECT_NEAR(box[4] - box[1], c.cube_side, 1e-9 * c.cube_side);
        }
        EXPECT_EQ(cubes, 1);
        EXPECT_EQ(object(bodies(part)[1]).name, "E_2");
    }
}

TEST_F(RealSolidsTest, AStepFileWithoutSolidGivesAClearErrorAndNoPart) {
    std::string error = load_error(part_text(body_from("N", R"({"step_file":)" + file("nist_ctc_05.stp") + "}")));
    EXPECT_NE(error.find("D:\\parts\\bad.prt: bodies[0].shape.step_file: "), std::string::npos) << error;
    EXPECT_NE(error.find("nist_ctc_05.stp: the STEP file holds no solid"), std::string::npos) << error;
    EXPECT_TRUE(nxhost::loaded_parts().empty());
}

TEST_F(RealSolidsTest, FreeFormSolidsSurviveSaveAndReload) {
    tag_t part = load(part_text(body_from("C", R"({"brep_file":)" + file("CrankArm.brep") + "}") + "," +
                                body_from("N", R"({"brep_file":)" + file("Pump_Nut.brep") + "}")));
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/saved.prt", &error)) << error;
    tag_t again = nxhost::load_part("D:\\parts\\saved.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    ASSERT_EQ(bodies(again).size(), bodies(part).size());
    for (std::size_t i = 0; i < bodies(part).size(); ++i) {
        SCOPED_TRACE(object(bodies(part)[i]).name);
        EXPECT_EQ(faces(bodies(again)[i]).size(), faces(bodies(part)[i]).size());
        EXPECT_EQ(edges(bodies(again)[i]).size(), edges(bodies(part)[i]).size());
        EXPECT_NEAR(volume(bodies(again)[i]), volume(bodies(part)[i]), 1e-6 * volume(bodies(part)[i]));
    }
}

TEST_F(RealSolidsTest, EveryFaceAndEdgeOfARealSolidHasAKind) {
    tag_t part = load(part_text(body_from("N", R"({"brep_file":)" + file("Pump_Nut.brep") + "}")));
    std::map<int, int> kinds;
    for (tag_t face : faces(body_named(part, "N"))) {
        int type = 0;
        ASSERT_EQ(UF_MODL_ask_face_type(face, &type), 0);
        ++kinds[type];
    }
    EXPECT_GT(kinds[UF_MODL_TOROIDAL_FACE], 0);
    EXPECT_GT(kinds[UF_MODL_CONICAL_FACE], 0);
    EXPECT_EQ(kinds[0], 0);
    for (tag_t edge : edges(body_named(part, "N"))) {
        int type = 0;
        ASSERT_EQ(UF_MODL_ask_edge_type(edge, &type), 0);
        EXPECT_NE(type, 0);
    }
}

}  // namespace
