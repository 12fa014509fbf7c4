// The calculation in-process: which builder each template operation gets, and what the cavity
// builders give an operation on the sample electrodes (tops 30, 32, 28, 30; EDM faces at 10):
// stocks and the Z offset, bottom levels, the start points by NX release, the user's picks kept
// by the first electrode only; and NX refusing each call of an Apply in turn.
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/parts.h"
#include "calc_fixture.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/calc/calc_dispatch.h"
#include "torvane/calc/cavity_builders.h"
#include "torvane/calc/face_builders.h"
#include "my_func_cam/elec_name_note.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/plan/template_scan.h"
#include "uf_camgeom.h"
#include "uf_curve.h"
#include "uf_cut_levels.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

TEST(CalcDispatch, TheFirstRowOfTheFamilyThatFitsTheNameAndHasFacesIsTaken) {
    face_sets sets;  // counts only: the table never reads the faces
    sets.face_0_90.count = 3;
    sets.face_0_45.count = 2;
    sets.face_zle_def_ang.count = 1;
    face_sets none;
    struct Row {
        int subtype;
        const char *name;
        const face_sets *sets;
        int fallback;
        oper_builder builder;
        const face_list *faces;
    } rows[] = {
        {260, "CAV_TOP-R1", &sets, 0, BUILD_CAV_TOP, nullptr},
        {265, "CAV_FK_TOP-R", &sets, 0, BUILD_CAV_FK_TOP, nullptr},  // plunge milling as cavity
        {260, "CAV_MAX_EDM-R2", &sets, 0, BUILD_CAV_MAX_EDM, nullptr},
        {260, "CAV_EDM-R2", &sets, 0, BUILD_CAV_EDM, nullptr},
        {260, "ROUGH-R1", &sets, 0, BUILD_NONE, nullptr},
        {260, "ROUGH-R1", &sets, 1, BUILD_CAV_BOT, nullptr},
        {263, "ZLE_EDM-F3", &sets, 0, BUILD_CAV_EDM, nullptr},
        {263, "ZLE_BOT", &sets, 0, BUILD_CAV_BOT, nullptr},
        {263, "ZLE_DEF_ANG-M", &sets, 0, BUILD_ZLE_FACE_ANGLE, &sets.face_zle_def_ang},
        {263, "ZLE_45_90-M2", &sets, 0, BUILD_NONE, nullptr},                    // its list is empty
        {263, "ZLE_45_90-M2", &sets, 1, BUILD_ZLE_FACE_ANGLE, &sets.face_0_90},  // the 0-90 fallback
        {263, "ZLE_45_90-M2", &none, 1, BUILD_NONE, nullptr},
        {210, "FIX_0_45-F4", &sets, 0, BUILD_FIX_FACE_LIST, &sets.face_0_45},
        {210, "FIX_00_45-F4", &sets, 1, BUILD_FIX_FACE_LIST, &sets.face_0_90},  // empty 00-45: fallback
        {210, "FIX_TEXT-F6", &sets, 0, BUILD_FIX_TEXT, nullptr},
        {210, "FINISH", &none, 1, BUILD_NONE, nullptr},
        {261, "FACE_ALL-F", &sets, 0, BUILD_NONE, nullptr},  // no flat face
        {261, "FACE_EDM-F1", &sets, 0, BUILD_FACE_EDM, nullptr},
        {110, "PLAN_EDM-F2", &sets, 0, BUILD_PLAN_EDM, nullptr},
        {110, "POCKET", &sets, 1, BUILD_NONE, nullptr},  // planar has no fallback
        {211, "CAV_TOP", &sets, 1, BUILD_NONE, nullptr},
        {263, "CAV_TOP", &sets, 0, BUILD_NONE, nullptr},  // keys of another family do not count
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::to_string(r.subtype) + " " + r.name + (r.fallback ? " with fallbacks" : ""));
        const dispatch_choice choice = choose_builder(r.subtype, r.name, r.sets, r.fallback);
        EXPECT_EQ(choice.builder, r.builder);
        EXPECT_EQ(choice.faces, r.faces);
    }
}

TEST_F(CalcTest, ANegativeClassStockGoesIntoTheCuttersZOffset) {
    static_dlg_state.real_5 = -0.3;  // rough stock -0.3 + 0.25
    keep_only({"CAV_TOP-R1"});
    apply_calc(0, 1);
    const tag_t op = planned("CAV_TOP-R1")->obj_tag;
    ASSERT_NE(op, NULL_TAG);
    EXPECT_EQ(real(op, UF_PARAM_STOCK_PART), 0.0);
    EXPECT_EQ(real(op, UF_PARAM_STOCK_FLOOR), 0.0);
    EXPECT_EQ(integer(op, UF_PARAM_TL_Z_OFFSET_TOG), 1);
    EXPECT_NEAR(real(op, UF_PARAM_TL_Z_OFFSET), -0.05, 1e-12);
    EXPECT_NEAR(bottom_level(op), 32.001, 1e-9) << "the top of all electrodes";
}

TEST_F(CalcTest, AStockMarkAddsToTheTemplatesStocksAndTheTopKeepsTheTemplatesPartStock) {
    oper *node = planned("CAV_TOP-R1");
    copy_plan_name(node->name, "CAV_TOP-S0.1");  // the template's CAV_TOP-R1 leaves 0.3 / 0.15
    keep_only({"CAV_TOP-S0.1"});
    apply_calc(0, 1);
    ASSERT_NE(node->obj_tag, NULL_TAG);
    EXPECT_NEAR(real(node->obj_tag, UF_PARAM_STOCK_PART), 0.4, 1e-12);
    EXPECT_NEAR(real(node->obj_tag, UF_PARAM_STOCK_FLOOR), 0.25, 1e-12);
    EXPECT_EQ(integer(node->obj_tag, UF_PARAM_TL_Z_OFFSET_TOG), 0);
    EXPECT_NEAR(bottom_level(node->obj_tag), 32.301, 1e-9);
}

// "-S" with a negative value that takes the stock below 0: the top keeps the template's part stock.
TEST_F(CalcTest, ANegativeStockMarkKeepsTheTemplatesPartStockAboveTheTop) {
    oper *node = planned("CAV_TOP-R1");
    copy_plan_name(node->name, "CAV_TOP-S-0.4");  // the template's 0.3 / 0.15 become -0.1 / -0.25
    keep_only({"CAV_TOP-S-0.4"});
    apply_calc(0, 1);
    ASSERT_NE(node->obj_tag, NULL_TAG);
    EXPECT_NEAR(real(node->obj_tag, UF_PARAM_STOCK_PART), -0.1, 1e-12);
    EXPECT_NEAR(real(node->obj_tag, UF_PARAM_STOCK_FLOOR), -0.25, 1e-12);
    EXPECT_NEAR(bottom_level(node->obj_tag), 32.301, 1e-9);
}

// The operations of the further electrodes take the marks of the planned node, though their own
// plan names are made unique from the template's.
TEST_F(CalcTest, FurtherElectrodesOperationsFollowTheMarksOfThePlannedNode) {
    oper *node = planned("CAV_EDM-R2");
    const double template_part = node->part_stock;
    copy_plan_name(node->name, "CAV_EDM-R2-S0.1-P");
    keep_only({"CAV_EDM-R2-S0.1-P"});
    apply_calc(0, 1);
    const std::vector<oper *> opers = with_copies(node, 4);
    ASSERT_EQ(opers.size(), 4u);
    for (std::size_t i = 0; i < opers.size(); ++i) {
        SCOPED_TRACE(std::string(opers[i]->name));
        ASSERT_NE(opers[i]->obj_tag, NULL_TAG);
        EXPECT_NEAR(real(opers[i]->obj_tag, UF_PARAM_STOCK_PART), template_part + 0.1, 1e-12);
        const auto points = start_points(opers[i]->obj_tag);
        ASSERT_EQ(points.size(), 4u);
        EXPECT_EQ(points[0].point_tag, static_side_point_tags[0]);
    }
}

// A cut depth that fails after the operation exists leaves it recorded, so the next Apply makes
// no second one.
TEST_F(CalcTest, AnOperationWhoseCutDepthFailedIsRecordedAndNotMadeAgain) {
    keep_only({"CAV_TOP-R1"});
    nxhost::fail_calls_named("UF_CUT_LEVELS_load", 1);
    apply_calc(0, 1);
    nxhost::fail_calls_named("", 0);
    oper *node = planned("CAV_TOP-R1");
    ASSERT_NE(node->obj_tag, NULL_TAG);
    EXPECT_EQ(node->elec_count, 4);
    EXPECT_EQ(start_points(node->obj_tag).size(), 4u) << "the build went on after the failed depth";
    const tag_t first = node->obj_tag;
    apply_calc(0, 1);
    EXPECT_EQ(node->obj_tag, first);
    int made = 0;
    for (tag_t op : nxhost::store().in_part(nxhost::display_part(), UF_machining_operation_type))
        made += nxhost::store().find(op)->name.rfind("CAV_TOP", 0) == 0 ? 1 : 0;
    EXPECT_EQ(made, 1);
}

// CAV_EDM for four electrodes: four operations in electrode order, the first on the planned node
// with the user's level point and start point, the others on new nodes with the front points.
TEST_F(CalcTest, PerElectrodeOperationsLeaveTheUsersPicksWithTheFirst) {
    oper *node = planned("CAV_EDM-R2");
    node->level_point_p = new plan_point{0.0, 0.0, 20.0, nullptr};
    const double user_point[3] = {15, 40, 40};
    ASSERT_EQ(append_start_point(node, user_point), 1);
    keep_only({"CAV_EDM-R2"});
    apply_calc(0, 1);
    const std::vector<oper *> opers = with_copies(node, 5);
    ASSERT_EQ(opers.size(), 4u) << "one node per electrode, nothing after them";
    const char *electrodes[] = {"EL-001", "EL-002", "EL-003", "EL-004"};
    for (std::size_t i = 0; i < opers.size(); ++i) {
        SCOPED_TRACE(electrodes[i]);
        ASSERT_NE(opers[i]->obj_tag, NULL_TAG);
        ASSERT_EQ(opers[i]->elec_count, 1);
        EXPECT_EQ(opers[i]->elec_tag_p[0], body(electrodes[i]));
        EXPECT_EQ(opers[i]->need_generate, i == 0 ? 1 : 0) << "queued; the first is flagged again by its copies";
        EXPECT_EQ(opers[i]->start_point_list_p, nullptr) << "the node's points are used up";
        const auto points = start_points(opers[i]->obj_tag);
        if (i == 0) {
            EXPECT_NEAR(bottom_level(opers[i]->obj_tag), 20.0, 1e-9) << "the picked point";
            ASSERT_EQ(points.size(), 1u);
            double at[3];
            ASSERT_EQ(UF_CURVE_ask_point_data(points[0].point_tag, at), 0);
            EXPECT_EQ(at[1], 40.0);
        } else {
            EXPECT_NEAR(bottom_level(opers[i]->obj_tag), 10.451, 1e-9) << "the EDM face plus the stock";
            ASSERT_EQ(points.size(), 4u);
            EXPECT_EQ(points[0].point_tag, static_front_point_tags[0]);
        }
    }
    EXPECT_STRNE(opers[1]->name, opers[0]->name) << "a copy has a name of its own";
    EXPECT_STREQ(opers[1]->new_name, "CAV_EDM-R2") << "and still names its template operation";
}

// NX 4 takes the start points as custom points, later releases as point objects; "-P" chooses
// the side points.
TEST_F(CalcTest, StartPointsByReleaseAndSideMark) {
    struct Row {
        double release;
        const char *name;
        bool side, custom;
    } rows[] = {{10.0, "CAV_TOP-R1", false, false},
                {10.0, "CAV_TOP-R1-P", true, false},
                {4.0, "CAV_TOP-R1", false, true},
                {4.5, "CAV_TOP-R1-P", true, true}};
    oper *node = planned("CAV_TOP-R1");
    for (const Row &r : rows) {
        SCOPED_TRACE(std::to_string(r.release) + " " + r.name);
        static_nx_release = r.release;
        copy_plan_name(node->name, r.name);
        node->obj_tag = NULL_TAG;
        keep_only({r.name});
        apply_calc(0, 1);
        ASSERT_NE(node->obj_tag, NULL_TAG);
        const auto points = start_points(node->obj_tag);
        ASSERT_EQ(points.size(), 4u);
        if (r.custom) {
            EXPECT_EQ(points[0].point_tag, NULL_TAG);
            EXPECT_EQ(points[0].point_acs[0], r.side ? 30.0 : 15.0) << "EL-001's side point lies at its +X side";
        } else {
            EXPECT_EQ(points[0].point_tag, r.side ? static_side_point_tags[0] : static_front_point_tags[0]);
        }
    }
}

TEST_F(CalcTest, AZLevelOnAnEmptyFaceListBuildsNothing) {
    oper *node = nullptr;
    prog_group *group = nullptr;
    ASSERT_EQ(find_oper_node("ZLE_45_90-M2", &node, &group, nullptr), 1);
    tag_t oper_tag = 1;
    from_side_start_point start_points;
    EXPECT_EQ(build_zle_face_angle(group, node, RMF_MIDDLE, static_work_piece_tag, &start_points, &oper_tag, nullptr,
                                   nullptr, 0),
              1);
    EXPECT_EQ(oper_tag, NULL_TAG);
    EXPECT_EQ(node->obj_tag, NULL_TAG);
}

// The complete template (every builder, per-electrode ones among them) on two stepped blocks: NX
// refusing any call of its Apply leaves no crash, no leak, no misuse, and a part that saves and
// reloads. In shards that CTest runs side by side.
class CalcFailTest : public CalcTest, public ::testing::WithParamInterface<int> {};
constexpr int kFailShards = 4;

TEST_P(CalcFailTest, EveryFailingCallOfAnApplyOfEveryBuilderLeavesAPartThatSavesAndReloads) {
    free_plans();
    forget_turn();
    const std::string blocks = R"({"format":"nxhost-part/1","bodies":[
        {"name":"A","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},{"box":{"min":[5,5,10],"max":[15,15,16]}}]}},
        {"name":"B","shape":{"union":[{"box":{"min":[40,0,0],"max":[60,20,10]}},{"box":{"min":[45,5,10],"max":[55,15,14]}}]}}]})";
    auto prepare_full = [&] {
        // What a new load of the add-on forgets, so that every run makes the same calls.
        reset_face_all_release();
        reset_elec_name_note_keys();
        prepare("blocks.prt", {"A", "B"}, blocks, "cu_full.prt");
        // One operation of every builder; the others leave the plan.
        only_in_plan({"CAV_TOP-R1", "CAV_FK_TOP-R2", "CAV_EDM-R3", "CAV_MAX_EDM-R4", "CAV_BOT-R5", "ZLE_45_90-M1",
                   "FACE_ALL-F1", "FACE_EDM-F2", "FACE_BOT-F3", "PLAN_EDM-F4", "PLA_EDM_TO_BOT-F5", "PLA_M_E_TO_BOT-F6",
                   "PLA_TOP_TO_BOT-F7", "PLAN_LINE_TOP-F8", "FIX_0_45-F10", "FIX_SEL_SUR-F13", "FIX_TEXT-F14"});
    };
    const long calls = testsupport::run_failing_each_call(prepare_full, [&] {
        apply_calc(0, 1);
        free_plans();
        forget_turn();
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u) << listing();
        for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
        std::string error;
        ASSERT_TRUE(nxhost::save_part_as(nxhost::display_part(), drive_dir() + "/saved.prt", &error)) << error;
        EXPECT_NE(nxhost::load_part("D:\\saved.prt", &error), NULL_TAG) << error;
    }, GetParam(), kFailShards);
    EXPECT_GT(calls, 1000);
}

INSTANTIATE_TEST_SUITE_P(Shards, CalcFailTest, ::testing::Range(0, kFailShards));

}  // namespace
