// The plan as the main dialog lists it: a plan with a node of every kind and every name mark,
// collapsed and expanded, in the fixed-width layout of NX before 7.0 and the proportional one
// after, against lines worked out by hand from the column and width rules; and the way back
// from a line to its node's name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "torvane/dialogs/plan_lines.h"
#include "torvane/state/plan.h"

namespace {

using Lines = std::vector<std::string>;

std::string B(int blanks) { return std::string(static_cast<std::size_t>(blanks), ' '); }

// 40 characters, a rough mark in it.
const char LONG_NAME[] = "CAV_TOP_DEEP_RIB_CLEANUP_WITH_SMALL_D-R9";
// "清角-F" (corner clean-up, finish) in code page 936: six bytes, two columns per character.
const char GBK_NAME[] = "\xC7\xE5\xBD\xC7-F";

class PlanLines : public ::testing::Test {
protected:
    void SetUp() override {
        texts_.class_label[0] = "[R class]";
        texts_.class_label[1] = "[M class]";
        texts_.class_label[2] = "[F class]";
        texts_.class_label[3] = "[O class]";
        const char *kinds[3] = {"rough", "middle", "finish"};
        for (int kind = 0; kind < 3; ++kind) texts_.group_label[kind] = texts_.oper_label[kind] = kinds[kind];
        texts_.group_ref_label = "gref";
        texts_.oper_ref_label = "ref";
        view_.class_value[0] = 0.2;
        view_.class_value[1] = 0.1;
        view_.class_value[2] = 0.08;
        view_.class_value[3] = 0.3;
        view_.rough_allowance = 0.25;
        view_.middle_allowance = 0.05;

        prog_group *r1 = group(klass("R"), "R1-R");
        op(r1, "CAV_TOP-R1", "D12");
        op(r1, "CAV_EDM-R2", "D6", "D12");
        oper *stocked = op(group(klass("M"), "M1-M"), "ZLE_EDM-M1-S0.05", "D10R0.5");
        stocked->has_name_stock = 1;
        stocked->name_stock = 0.15;
        f1_ = group(klass("F"), "F1-F");
        op(f1_, "FACE_EDM-F1", "D10");
        op(f1_, "FIX_TEXT-F6", "", "R1");
        f1_->expanded = 0;
        prog_group *extra = group(klass("CORE"), "EXTRA");
        op(extra, "FACE_ALL", "D16");
        op(extra, LONG_NAME, "D2");
        op(extra, GBK_NAME, "R1");
    }

    void TearDown() override { free_plan_tree(&plan_); }

    r_m_f_or_other *klass(const char *name) {
        r_m_f_or_other *node = new_rmf_node(name, NULL_TAG);
        append_rmf_node(&plan_, node);
        return node;
    }
    static prog_group *group(r_m_f_or_other *parent, const char *name) {
        prog_group *node = new_prog_group_node(name, NULL_TAG, 1);
        append_prog_group_node(parent, node);
        return node;
    }
    static oper *op(prog_group *parent, const char *name, const char *cutter, const char *ref = "") {
        oper *node = new_oper_node(name, 100, 260, NULL_TAG);
        copy_cutter_name(node->tool_name, cutter);
        copy_cutter_name(node->ref_tool_name, ref);
        append_oper_node(parent, node);
        return node;
    }

    r_m_f_or_other *plan_ = nullptr;
    prog_group *f1_ = nullptr;
    plan_line_texts texts_;
    plan_line_view view_;
};

TEST_F(PlanLines, ProportionalLayoutSpacesEachFieldByItsWidth) {
    ASSERT_EQ(std::string(LONG_NAME).size(), 40u);
    const Lines expected = {
        "R" + B(23) + "  [R class]" + B(10),
        "  + R1-R" + B(23) + "  rough" + B(8) + "  0.45" + B(5),
        "      CAV_TOP-R1" + B(13) + "  rough" + B(8) + "  D12" + B(11),
        "      CAV_EDM-R2" + B(13) + "  rough" + B(8) + "  D6" + B(13) + "  ref:D12" + B(8),
        "M" + B(23) + "  [M class]" + B(10),
        "  + M1-M" + B(23) + "  middle" + B(6) + "  0.15" + B(5),
        "      ZLE_EDM-M1-S0.05" + B(3) + "  middle" + B(6) + "  0.15" + B(5) + "  D10R0.5" + B(5),
        "F" + B(23) + "  [F class]" + B(10),
        // Collapsed: the first cutter of its operations, marked as not shared by all, and the
        // first reference cutter.
        "  + F1-F" + B(23) + "  finish" + B(6) + "  0.08" + B(5) + "  !D10" + B(10) + "  gref:R1" + B(8),
        "CORE" + B(18) + "  [O class]" + B(10),
        "  + EXTRA" + B(22),
        "      FACE_ALL" + B(17) + "  D16" + B(11),
        "      " + std::string(LONG_NAME) + B(1) + "  rough" + B(8) + "  D2" + B(13),
        "      " + std::string(GBK_NAME) + B(20) + "  finish" + B(6) + "  R1" + B(13),
    };
    EXPECT_EQ(plan_list_lines(plan_, texts_, view_), expected);
}

TEST_F(PlanLines, FixedWidthLayoutEndsFieldsAtTheirColumnsOrFollowsAfterTwoBlanks) {
    view_.fixed_width = 1;
    const Lines expected = {
        "R" + B(23) + "[R class]",
        "  + R1-R" + B(16) + "rough" + B(3) + "0.45",
        "      CAV_TOP-R1" + B(8) + "rough" + B(7) + "D12",
        "      CAV_EDM-R2" + B(8) + "rough" + B(8) + "D6" + B(9) + "ref:D12",
        "M" + B(23) + "[M class]",
        "  + M1-M" + B(15) + "middle" + B(3) + "0.15",
        "      ZLE_EDM-M1-S0.05  middle  0.15  D10R0.5",
        "F" + B(23) + "[F class]",
        "  + F1-F" + B(15) + "finish" + B(3) + "0.08  !D10" + B(6) + "gref:R1",
        "CORE" + B(20) + "[O class]",
        "  + EXTRA",
        "      FACE_ALL" + B(22) + "D16",
        "      " + std::string(LONG_NAME) + "  rough  D2",
        "      " + std::string(GBK_NAME) + B(11) + "finish" + B(8) + "R1",
    };
    EXPECT_EQ(plan_list_lines(plan_, texts_, view_), expected);
}

TEST_F(PlanLines, ClassesSwitchedOffAndCollapsedNodesHideTheirLines) {
    view_.class_on[RMF_MIDDLE] = 0;
    view_.class_on[RMF_OTHER] = 0;
    plan_->expanded = 0;
    f1_->expanded = 1;
    const Lines lines = plan_list_lines(plan_, texts_, view_);
    Lines names;
    for (const std::string &line : lines) {
        const int kind = plan_line_kind(line.c_str(), "class]");
        names.push_back(std::to_string(kind) + " " + plan_line_name(line.c_str(), kind));
    }
    EXPECT_EQ(names, (Lines{"1 R", "1 F", "2 F1-F", "3 FACE_EDM-F1", "3 FIX_TEXT-F6"}));
    EXPECT_EQ(lines[2], "  + F1-F" + B(23) + "  finish" + B(6) + "  0.08" + B(5)) << "an expanded group shows no cutter";
}

TEST(PlanLineRules, KindAndNameOfEveryLine) {
    struct Row {
        std::string line;
        int kind;
        std::string name;
    } rows[] = {
        {"R" + B(23) + "  [R class]" + B(10), PLAN_CLASS_LINE, "R"},
        {"  + R1-R" + B(23) + "  rough  0.45", PLAN_GROUP_LINE, "R1-R"},
        {"      CAV_TOP-R1" + B(13) + "  rough  D12", PLAN_OPER_LINE, "CAV_TOP-R1"},
        {"      " + std::string(GBK_NAME) + "  finish  R1", PLAN_OPER_LINE, GBK_NAME},
        // A "+" anywhere makes a group line, so names act as keys only without one.
        {"      A+B  rough", PLAN_GROUP_LINE, "B"},
        {"", PLAN_OPER_LINE, ""},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(plan_line_kind(r.line.c_str(), "class]"), r.kind) << r.line;
        EXPECT_EQ(plan_line_name(r.line.c_str(), r.kind), r.name) << r.line;
    }
}

}  // namespace
