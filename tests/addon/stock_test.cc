// Class stocks of every electrode kind and operation class, the stock rules of each kind of
// operation, the blank stock of face milling, and the reset of operations that exist.
#include <cmath>

#include "setup_fixture.h"
#include "torvane/calc/stock_reset.h"
#include "torvane/setup/stock.h"
#include "uf_cut_levels.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

class Stocks : public SetupTest {
protected:
    void TearDown() override {
        free_plan_tree(&static_plan_list);
        SetupTest::TearDown();
    }
    void gaps(double r, double m, double f, double other) {
        static_dlg_state.real_5 = r;
        static_dlg_state.real_7 = m;
        static_dlg_state.real_9 = f;
        static_dlg_state.real_11 = other;
    }
    static double param(tag_t tag, int index) {
        double v = 0.0;
        EXPECT_EQ(UF_PARAM_ask_double_value(tag, index, &v), 0) << index;
        return v;
    }
};

// Spark gap of the kind plus the allowance of the class (rough 0.25, middle 0.05, finish 0),
// worked out by hand; an operation without a class takes its group's.
TEST_F(Stocks, TheClassStockOfEveryKindAndClass) {
    const struct {
        double gaps[4];
        double stock[4][3];  // electrode kind R, M, F, other by operation class R, M, F
    } settings[] = {
        {{0.3, 0.1, 0.05, 0.1}, {{0.55, 0.35, 0.3}, {0.35, 0.15, 0.1}, {0.3, 0.1, 0.05}, {0.35, 0.15, 0.1}}},
        {{-0.3, -0.1, -0.05, -0.3}, {{-0.05, -0.25, -0.3}, {0.15, -0.05, -0.1}, {0.2, 0.0, -0.05}, {-0.05, -0.25, -0.3}}},
    };
    for (const auto &s : settings) {
        gaps(s.gaps[0], s.gaps[1], s.gaps[2], s.gaps[3]);
        for (int kind = RMF_ROUGH; kind <= RMF_OTHER; ++kind)
            for (int cls = RMF_ROUGH; cls <= RMF_FINISH; ++cls) {
                prog_group group;
                oper op, classless;
                op.rmf_kind = cls;
                group.rmf_kind = cls;
                double stock = 0.0, by_group = 0.0;
                ASSERT_EQ(ask_rmf_stock(&group, &op, kind, &stock), 1);
                ASSERT_EQ(ask_rmf_stock(&group, &classless, kind, &by_group), 1);
                EXPECT_NEAR(stock, s.stock[kind][cls], 1e-12) << "gap " << s.gaps[0] << " kind " << kind << " class " << cls;
                EXPECT_EQ(by_group, stock);
            }
    }
    prog_group group;
    oper op;
    double stock = 1.0;
    EXPECT_EQ(ask_rmf_stock(&group, &op, RMF_ROUGH, &stock), 0) << "class other in a group of class other";
    EXPECT_EQ(stock, 0.0);
}

TEST(StockRules, EachKindOfOperationTakesTheClassStockItsOwnWay) {
    const struct {
        const char *name;
        double part, floor;  // the template's
        int has_class;
        double s;
        int finish;
        stock_floor floor_rule;
        stock_z_offset z_rule;
        stock_depth_mark mark;
        bool set;
        double want_part, want_floor, want_z;
    } cases[] = {
        {"CAV_TOP-R1", 0.3, 0.15, 1, 0.2, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_MARK_IGNORED, true, 0.2, 0.2, 0},
        {"CAV_TOP-R1", 0.3, 0.15, 1, -0.05, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_MARK_IGNORED, true, 0, 0, -0.05},
        {"CAV_TOP-S0.1", -0.05, -0.02, 1, 0.4, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_MARK_IGNORED, true, 0.1, 0.1, -0.02},
        {"CAV_TOP-S0.1", 0.2, 0.05, 1, 0.4, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_MARK_IGNORED, true, 0.3, 0.15, 0},
        {"ZLE_EDM-S0", 0.3, 0.15, 1, 0.4, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_CUT_LEVEL, false, 0, 0, 0},
        {"ZLE_EDM-S-0.05", 0.3, 0.15, 1, 0.4, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_CUT_LEVEL, true, 0.25, 0.1, 0},
        {"CAV_BOT-R1", 0.3, 0.15, 0, 0, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_IGNORED, false, 0, 0, 0},
        {"FACE_EDM-F1", 0.0, 0.0, 1, 0.05, 1, STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_MARK_FLOOR_OFFSET, true, 0.05, 0, 0},
        {"FACE_EDM-M1", 0.0, 0.0, 1, 0.05, 0, STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_MARK_FLOOR_OFFSET, true, 0.05, 0.1, 0},
        {"FACE_ALL-F1", 0.0, 0.0, 1, -0.05, 1, STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_MARK_FLOOR_OFFSET, true, -0.05, 0, -0.05},
        {"FACE_ALL-Z-0.2", 0.0, 0.0, 1, 0.1, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_MARK_FLOOR_OFFSET, true, 0.1, 0, -0.1},
        // Face milling builders: "-Z" acts on floor and Z offset together (NX 6 FACE_ALL, class -0.02).
        {"FACE_ALL-Z0.05", 0.0, 0.0, 1, -0.02, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_MARK_FLOOR_AND_OFFSET, true, -0.02, 0.03, 0},
        {"FACE_ALL-Z0.01", 0.0, 0.0, 1, -0.02, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_MARK_FLOOR_AND_OFFSET, true, -0.02, 0, -0.01},
        {"FACE_ALL-Z-0.03", 0.0, 0.0, 1, -0.02, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_MARK_FLOOR_AND_OFFSET, true, -0.02, 0, -0.05},
        {"FACE_ALL-F1", 0.0, 0.0, 1, -0.02, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_FLOOR_AND_OFFSET, true, -0.02, -0.02, 0},
        {"FACE_EDM-F1-Z-0.3", 0.0, 0.0, 1, 0.05, 1, STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_MARK_FLOOR_AND_OFFSET, true, 0.05, 0, -0.3},
        {"FACE_BOT-Z-0.2", 0.0, 0.0, 1, 0.1, 0, STOCK_FLOOR_ZERO, Z_OFFSET_NONE, DEPTH_MARK_FLOOR_NOT_BELOW, true, 0.1, 0, 0},
        {"PLAN_EDM-Z0.3", 0.0, 0.0, 1, 0.1, 0, STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_MARK_FLOOR, true, 0.1, 0.4, 0},
        {"PLA_TOP_TO_BOT", 0.2, 0.2, 1, 0.1, 0, STOCK_FLOOR_ZERO, Z_OFFSET_NONE, DEPTH_MARK_FLOOR, true, 0.1, 0, 0},
        {"FIX_0_90-Z0.5", 0.0, 0.0, 1, 0.1, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_IGNORED, true, 0.1, 0.1, 0},
        {"PLAN_LINE_TOP-Z0.2", 0.3, 0.25, 0, 0, 0, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_FLOOR, true, 0.3, 0.45, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " with class stock " + std::to_string(c.s));
        const oper_stock got = rule_oper_stock(c.name, c.part, c.floor, c.has_class, c.s, c.finish, c.floor_rule, c.z_rule, c.mark);
        EXPECT_EQ(got.set, c.set);
        if (!got.set) continue;
        EXPECT_NEAR(got.part_stock, c.want_part, 1e-12);
        EXPECT_NEAR(got.floor_stock, c.want_floor, 1e-12);
        EXPECT_NEAR(got.z_offset, c.want_z, 1e-12);
    }
}

// Operations that exist, reset after the spark gaps changed: rough electrodes 0.3 smaller than
// their cavity, so the rough cavity operation (allowance 0.25) has 0.05 too much.
TEST_F(Stocks, TheResetGivesExistingOperationsTheirStocksAndDepthsAgain) {
    open("electrodes.prt", {"EL-001", "EL-002", "EL-003", "EL-004"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    gaps(-0.3, -0.1, -0.05, 0);
    r_m_f_or_other *rough = new_rmf_node("R", NULL_TAG);
    append_rmf_node(&static_plan_list, rough);
    const struct {
        const char *group, *name, *type, *subtype;
    } made[] = {{"R1-R", "CAV_TOP-R1", "mill_contour", "CAVITY_MILL"},  {"R1-R", "CAV_EDM-R2", "mill_contour", "CAVITY_MILL"},
                {"M1-M", "ZLE_EDM-M1", "mill_contour", "ZLEVEL_PROFILE"}, {"F1-F", "PLA_M_E_TO_BOT-F1", "mill_planar", "PLANAR_MILL"},
                {"F1-F", "CAV_TOP-F2", "mill_contour", "CAVITY_MILL"}};
    std::vector<oper *> nodes;
    for (const auto &m : made) {
        if (!rough->prog_group_list_p || std::string(rough->prog_group_list_p->name) != m.group)
            append_prog_group_node(rough, new_prog_group_node(m.group, NULL_TAG, 0));
        prog_group *group = rough->prog_group_list_p;
        while (std::string(group->name) != m.group) group = group->next_p;
        tag_t op = NULL_TAG;
        std::string type = m.type, subtype = m.subtype;
        ASSERT_EQ(UF_OPER_create(type.data(), subtype.data(), &op), 0);
        ASSERT_EQ(UF_NCGROUP_accept_member(static_work_piece_tag, op), 0);
        ASSERT_EQ(UF_OBJ_set_name(op, m.name), 0);
        oper *node = new_oper_node(m.name, 100, 0, op);
        append_oper_node(group, node);
        nodes.push_back(node);
    }
    nodes[2]->elec_count = 1;
    int rc = 0;
    nodes[2]->elec_tag_p = static_cast<tag_t *>(UF_allocate_memory(sizeof(tag_t), &rc));
    nodes[2]->elec_tag_p[0] = body("EL-002");
    const double picked[3] = {0, 0, 20};
    nodes[4]->level_point_p = new plan_point{picked[0], picked[1], picked[2], nullptr};

    reset_all_oper_stock();
    const tag_t cav_top = nodes[0]->obj_tag;
    EXPECT_EQ(param(cav_top, UF_PARAM_STOCK_PART), 0.0);
    EXPECT_EQ(param(cav_top, UF_PARAM_STOCK_FLOOR), 0.0);
    EXPECT_NEAR(param(cav_top, UF_PARAM_TL_Z_OFFSET), -0.05, 1e-12) << "the negative stock in the cutter's Z offset";
    int toggle = 0;
    UF_PARAM_ask_int_value(cav_top, UF_PARAM_TL_Z_OFFSET_TOG, &toggle);
    EXPECT_EQ(toggle, 1);
    UF_CUT_LEVELS_t *levels = nullptr;
    UF_CUT_LEVELS_load(cav_top, &levels);
    EXPECT_NEAR(levels->cut_levels[levels->num_levels - 1].z_level, 32.001, 1e-9) << "top of all electrodes + 0.001";
    UF_CUT_LEVELS_free(&levels);
    EXPECT_NEAR(param(nodes[2]->obj_tag, UF_PARAM_STOCK_PART), -0.25, 1e-12);
    UF_CUT_LEVELS_load(nodes[2]->obj_tag, &levels);
    EXPECT_NEAR(levels->cut_levels[levels->num_levels - 1].z_level, 10.101, 1e-9) << "its EDM face + 0.101";
    UF_CUT_LEVELS_free(&levels);
    EXPECT_NEAR(param(nodes[3]->obj_tag, UF_PARAM_STOCK_FLOOR), -0.3, 1e-12) << "the reset's floor is the class stock";
    // A picked depth point keeps the negative stock out of the Z offset and sets the depth.
    UF_PARAM_ask_int_value(nodes[4]->obj_tag, UF_PARAM_TL_Z_OFFSET_TOG, &toggle);
    EXPECT_EQ(toggle, 0);
    UF_CUT_LEVELS_load(nodes[4]->obj_tag, &levels);
    EXPECT_NEAR(levels->cut_levels[levels->num_levels - 1].z_level, 20, 1e-9);
    UF_CUT_LEVELS_free(&levels);
    for (oper *node : nodes) EXPECT_EQ(node->need_generate, 1);
    EXPECT_EQ(shown("message").back(), addontest::english("reset_oper_stock_and_cut_dept_03:")) << "CAV_EDM-R2 names no electrode";

    clear_shown();
    const tag_t mcs = static_mcs_tag;
    static_mcs_tag = NULL_TAG;
    EXPECT_EQ(reset_oper_stock_and_cut_depth(nodes[0]), 0);
    EXPECT_EQ(shown("message").back(), addontest::english("reset_oper_stock_and_cut_dept_01:"));
    static_mcs_tag = mcs;
}

TEST_F(Stocks, TheBlankStockOfFaceMillingIsOnlyEverRaised) {
    open("electrodes.prt", {"EL-001"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    char type[] = "mill_planar", subtype[] = "FACE_MILLING";
    tag_t face = NULL_TAG;
    ASSERT_EQ(UF_OPER_create(type, subtype, &face), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(face, UF_PARAM_STOCK_PART, 0.3), 0);
    for (const auto &c : {std::pair{0.0, 0.5}, std::pair{1.0, 1.0}}) {
        ASSERT_EQ(UF_PARAM_set_double_value(face, UF_PARAM_STOCK_BLANK, c.first), 0);
        ASSERT_EQ(check_and_set_face_bland_stock(face, 0.2), 1);
        EXPECT_NEAR(param(face, UF_PARAM_STOCK_BLANK), c.second, 1e-12) << "from " << c.first;
    }
    EXPECT_EQ(check_and_set_face_bland_stock(static_work_piece_tag, 0.2), 0);
    EXPECT_EQ(shown("message").back(), addontest::english("check_and_set_face_bland_stoc_01:"));
}

}  // namespace
