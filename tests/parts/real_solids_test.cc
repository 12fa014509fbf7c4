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
    // A body made from a file of the shared solids: kind "brep_file" or "step_file".
    std::string from_file(const char *name, const char *kind, const char *file, const char *rest = "") const {
        return body_text(name, std::string(R"({")") + kind + R"(":")" + dir_ + "/" + file + "\"" + rest + "}");
    }
    std::string dir_;
};

TEST_F(RealSolidsTest, BrepAndStepFilesGiveOneBodyPerSolid) {
    struct Case { std::string body; std::size_t bodies, faces; } cases[] = {
        {from_file("crank", "brep_file", "CrankArm.brep"), 2, 53},
        {from_file("crank_second", "brep_file", "CrankArm.brep", R"(,"solid":1)"), 1, 0},
        {from_file("nut", "brep_file", "Pump_Nut.brep"), 1, 25},
        {from_file("cube_cyl", "step_file", "red_cube_blue_cylinder.step"), 2, 9},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        tag_t part = load(part_text(c.body), "real" + std::to_string(++n) + ".prt");
        ASSERT_EQ(bodies(part).size(), c.bodies);
        std::size_t total_faces = 0;
        for (tag_t body : bodies(part)) {
            total_faces += faces(body).size();
            int type = 0;
            EXPECT_EQ(UF_MODL_ask_body_type(body, &type), 0);
            EXPECT_EQ(type, UF_MODL_SOLID_BODY);
            EXPECT_GT(volume(body), 0);
        }
        if (c.faces) {
            EXPECT_EQ(total_faces, c.faces);
        }
    }
}

TEST_F(RealSolidsTest, StepLengthsInMetresAreConvertedToThePartsUnits) {
    // The file holds a cylinder and a cube of 0.01 m.
    struct Case { const char *units; double cube_side; } cases[] = {{"mm", 10.0}, {"m", 0.01}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.units);
        tag_t part = load(part_text(from_file("E", "step_file", "red_cube_blue_cylinder.step"), c.units),
                          std::string("units_") + c.units + ".prt");
        ASSERT_EQ(bodies(part).size(), 2u);
        EXPECT_EQ(object(bodies(part)[1]).name, "E_2");
        int cubes = 0;
        for (tag_t b : bodies(part)) {
            std::array<double, 6> box{};
            ASSERT_TRUE(nxhost::modeling::exact_box(nxhost::modeling::shape_payload(object(b))->shape, &box));
            const double tolerance = 1e-9 * c.cube_side;
            cubes += std::abs(box[3] - box[0] - c.cube_side) < tolerance &&
                     std::abs(box[4] - box[1] - c.cube_side) < tolerance &&
                     std::abs(box[5] - box[2] - c.cube_side) < tolerance &&
                     std::abs(volume(b) - std::pow(c.cube_side, 3)) < 3 * tolerance * c.cube_side * c.cube_side;
        }
        EXPECT_EQ(cubes, 1);
    }
}

TEST_F(RealSolidsTest, AStepFileWithoutSolidGivesAClearErrorAndNoPart) {
    std::string error = load_error(part_text(from_file("N", "step_file", "nist_ctc_05.stp")));
    EXPECT_NE(error.find("D:\\parts\\bad.prt: bodies[0].shape.step_file: "), std::string::npos) << error;
    EXPECT_NE(error.find("nist_ctc_05.stp: the STEP file holds no solid"), std::string::npos) << error;
    EXPECT_TRUE(nxhost::loaded_parts().empty());
}

TEST_F(RealSolidsTest, FreeFormSolidsSurviveSaveAndReloadAndHaveAKindForEveryFaceAndEdge) {
    tag_t part = load(part_text(from_file("C", "brep_file", "CrankArm.brep") + "," +
                                from_file("N", "brep_file", "Pump_Nut.brep")));
    tag_t again = save_and_reload(part, "saved.prt");
    EXPECT_EQ(tree(again).substr(tree(again).find('\n')), tree(part).substr(tree(part).find('\n')));
    ASSERT_EQ(bodies(again).size(), bodies(part).size());
    for (std::size_t i = 0; i < bodies(part).size(); ++i)
        EXPECT_NEAR(volume(bodies(again)[i]), volume(bodies(part)[i]), 1e-6 * volume(bodies(part)[i]));

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
