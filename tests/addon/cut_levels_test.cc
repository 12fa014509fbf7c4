// The bottom cut level of cavity operations by each depth rule, against the electrodes' measured
// heights along the MCS; the shared level edit at its edges; the EDM depth check.
#include <cmath>

#include "my_func/my_func.h"
#include "setup_fixture.h"
#include "torvane/setup/cut_levels.h"
#include "uf_cut_levels.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

using Levels = std::vector<double>;

// A block stepped at 10, 15 and 20: a cavity operation over it cuts at 20, 15, 10 and 0.
const char kSteps[] = R"({"format":"nxhost-part/1","bodies":[{"name":"STEPS","shape":{"union":[
    {"box":{"min":[0,0,0],"max":[30,30,10]}},{"box":{"min":[0,0,10],"max":[20,30,15]}},
    {"box":{"min":[0,0,15],"max":[10,30,20]}}]}}]})";

class CutLevels : public SetupTest {
protected:
    // A cavity operation under the workpiece, its levels as NX computes them.
    tag_t cavity() {
        tag_t oper = NULL_TAG;
        char type[] = "mill_contour", subtype[] = "CAVITY_MILL";
        EXPECT_EQ(UF_OPER_create(type, subtype, &oper), 0);
        EXPECT_EQ(UF_NCGROUP_accept_member(static_work_piece_tag, oper), 0);
        return oper;
    }
    static Levels levels(tag_t oper) {
        UF_CUT_LEVELS_t *loaded = nullptr;
        EXPECT_EQ(UF_CUT_LEVELS_load(oper, &loaded), 0);
        Levels z;
        for (int i = 0; loaded && i < loaded->num_levels; ++i) z.push_back(std::round(loaded->cut_levels[i].z_level * 1e6) / 1e6);
        UF_CUT_LEVELS_free(&loaded);
        return z;
    }
    static elec_cam_data *record_of(const char *name) { return find_elec_cam_data(body(name)); }
};

// Each rule on a fresh cavity operation over the four demo electrodes, whose EDM faces (the tops
// of their bases) lie at 10 and whose highest point lies at 32.
TEST_F(CutLevels, EachRuleMovesTheBottomLevelToTheElectrodesMeasuredDepth) {
    open("electrodes.prt", {"EL-001", "EL-002", "EL-003", "EL-004"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    double top = 0.0;
    for (const char *name : {"EL-001", "EL-002", "EL-003", "EL-004"}) top = std::fmax(top, exact_box(body(name))[5]);
    const double point[3] = {5, 5, 12.5};
    const struct {
        const char *rule;
        double part_stock;
        double bottom;
    } cases[] = {
        {"top of all electrodes + 0.3", 0.0, top + 0.3},
        {"EDM face + 0.101", 0.0, 10.101},
        {"EDM face + part stock 0.3 + 0.001", 0.3, 10.301},
        {"deepest EDM face + 0.101", 0.0, 10.101},
        {"picked point", 0.0, 12.5},
        {"bottom - 0.5", 0.0, -0.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rule);
        const tag_t op = cavity();
        ASSERT_EQ(UF_PARAM_set_double_value(op, UF_PARAM_STOCK_PART, c.part_stock), 0);
        const Levels before = levels(op);
        ASSERT_EQ(before.back(), 0.0) << "the electrodes stand on z = 0";
        const std::string rule = c.rule;
        int done = 0;
        if (rule.rfind("top", 0) == 0) done = set_cut_depth_cav_top(op, 0.3, static_work_piece_tag);
        else if (rule.rfind("EDM", 0) == 0) done = set_cut_depth_edm(op, static_work_piece_tag, record_of("EL-002"));
        else if (rule.rfind("deepest", 0) == 0) done = set_cut_max_depth_edm(op, static_work_piece_tag, elec_cam_data_list);
        else if (rule.rfind("picked", 0) == 0) done = set_cut_depth_value(op, point, static_work_piece_tag);
        else done = set_cut_depth(op, -0.5);
        ASSERT_EQ(done, 1);
        const Levels after = levels(op);
        EXPECT_NEAR(after.back(), c.bottom, 1e-9);
        // Levels above the new bottom stay, but the old bottom when it moved down.
        for (double z : before)
            EXPECT_TRUE(z <= c.bottom || (z == before.back() && c.bottom < z) ||
                        std::find(after.begin(), after.end(), z) != after.end())
                << "level " << z << " kept";
    }
}

// An electrode working downward: heights along the MCS Z are negated world z.
TEST_F(CutLevels, UnderAnMcsLookingDownHeightsGoAlongItsZ) {
    open("electrode_shapes.prt", {"STUB_ZM"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    const tag_t op = cavity();
    EXPECT_EQ(levels(op), (Levels{12, 0, -15})) << "the stub's end, the base's face, the base's back";
    ASSERT_EQ(set_cut_depth_cav_top(op, 0.3, static_work_piece_tag), 1);
    EXPECT_EQ(levels(op), (Levels{12.3}));
    ASSERT_EQ(UF_CUT_LEVELS_reset_to_default(op), 0);
    ASSERT_EQ(set_cut_depth_edm(op, static_work_piece_tag, record_of("STUB_ZM")), 1);
    EXPECT_EQ(levels(op), (Levels{12, 0.101}));
}

TEST_F(CutLevels, TheLevelEditAtItsEdges) {
    open("steps.prt", {"STEPS"}, kSteps);
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    const struct {
        double z;
        Levels after;
    } cases[] = {
        {0, {20, 15, 10, 0}},  // equal to the bottom: nothing below it to move
        {12, {20, 15, 12}},    // the first level below moves up, the ones under it go
        {-1, {20, 15, 10, -1}},
        {25, {25}},            // above every level: the top level moves up, the rest go
    };
    for (const auto &c : cases) {
        const tag_t op = cavity();
        ASSERT_EQ(levels(op), (Levels{20, 15, 10, 0}));
        ASSERT_EQ(set_cut_depth_to_z(op, c.z), 1);
        EXPECT_EQ(levels(op), c.after) << "z " << c.z;
        UF_CUT_LEVELS_t *loaded = nullptr;
        UF_CUT_LEVELS_load(op, &loaded);
        const int edited = c.after.size() == 1 ? 0 : c.z < 0 ? 3 : 2;
        EXPECT_NEAR(loaded->cut_levels[edited].local_cut_depth, c.z == 0 ? 1.0 : 0.999, 1e-9) << "depth per cut";
        UF_CUT_LEVELS_free(&loaded);
    }
    char type[] = "mill_contour", subtype[] = "FIXED_CONTOUR";
    tag_t contour = NULL_TAG;
    ASSERT_EQ(UF_OPER_create(type, subtype, &contour), 0);
    clear_shown();
    EXPECT_EQ(set_cut_depth(contour, -1), 0);
    EXPECT_EQ(shown("message").back(), addontest::english("set_cut_depth_01:"));
    EXPECT_EQ(apply_depth_name_mark(contour, "FIX_0_90-F"), 1) << "no mark, nothing to do";
}

// EDM faces within 0.005 of each other lie at one height: the bottom goes 0.1 above it; 0.006
// apart they do not, and nothing changes.
TEST_F(CutLevels, TheEdmDepthCheckActsOnlyWhenEveryEdmFaceLiesAtOneHeight) {
    open("steps.prt", {"STEPS"}, kSteps);
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    const tag_t op = cavity();
    ASSERT_EQ(UF_OBJ_set_name(op, "ZLE_45_90-M1"), 0);
    forget_turn();
    clear_shown();
    EXPECT_EQ(check_elec_edm_z_depth(op, 101), 0) << "no electrode";
    EXPECT_EQ(shown("message").back(), addontest::english("check_elec_edm_z_dept_01:"));
    for (double apart : {0.006, 0.004}) {
        MY_free_list(&elec_cam_data_list);
        for (double z : {8.0, 8.0 + apart}) {
            auto *r = new elec_cam_data;
            r->elec_direction = -1;
            r->elec_edm_center[2] = z;
            r->next_p = elec_cam_data_list;
            elec_cam_data_list = r;
        }
        ASSERT_EQ(check_elec_edm_z_depth(op, 101), 1);
    }
    EXPECT_EQ(levels(op), (Levels{20, 15, 10, 8.104}));
    EXPECT_NE(shown("listing").back().find("ZLE_45_90-M1"), std::string::npos);
}

}  // namespace
