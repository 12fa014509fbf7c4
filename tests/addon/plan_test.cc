// The operation plan: classes from names, the scan's node values, lookups and release.
#include <string>
#include <vector>

#include "standin_test.h"
#include "torvane/plan.h"
#include "uf.h"

namespace {

using testsupport::StandinTest;

TEST(PlanClasses, ATopLevelGroupTakesItsClassFromItsWholeNameInAnyCase) {
    const std::pair<const char *, int> cases[] = {
        {"R", RMF_ROUGH},     {"r", RMF_ROUGH},  {"M", RMF_MIDDLE}, {"m", RMF_MIDDLE},
        {"F", RMF_FINISH},    {"f", RMF_FINISH}, {"R1", RMF_OTHER}, {"RM", RMF_OTHER},
        {"OTHER", RMF_OTHER}, {"", RMF_OTHER},   {" R", RMF_OTHER},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(rmf_kind_of_class_name(c.first), c.second);
    }
}

TEST(PlanClasses, AGroupOrOperationTakesItsClassFromTheFirstMarkInRoughMiddleFinishOrder) {
    const std::pair<const char *, int> cases[] = {
        {"CAV_TOP-F1", RMF_FINISH}, {"FACE_ALL", RMF_OTHER},   {"CAV_TOP-R1", RMF_ROUGH}, {"ZLE_EDM-m2", RMF_MIDDLE},
        {"A-F-R", RMF_ROUGH},       {"A-F1-M", RMF_MIDDLE},    {"ZLE-f", RMF_FINISH},     {"R", RMF_OTHER},
        {"PLAN_EDM_R", RMF_OTHER},  {"FIX-S0.1-r", RMF_ROUGH}, {"-", RMF_OTHER},          {"", RMF_OTHER},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(rmf_kind_of_name(c.first), c.second);
    }
}

TEST(PlanClasses, TheScanSkipsHelperGroupsByNameIgnoringCase) {
    struct Case {
        const char *name;
        int skipped_on_top;
        int skipped_below;
    };
    const Case cases[] = {
        {"NONE", 1, 1},  {"none", 1, 1},  {"PROGRAM", 1, 0}, {"Program", 1, 0}, {"BAK", 1, 0},   {"r_bak", 1, 1},
        {"M_BAK", 1, 1}, {"f_Bak", 1, 1}, {"R", 0, 0},       {"NONE1", 0, 0},   {"BAK_R", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plan_skips_class_group(c.name), c.skipped_on_top);
        EXPECT_EQ(plan_skips_program_group(c.name), c.skipped_below);
    }
}

TEST(PlanNodes, ACutterNamedNoneLeavesTheToolNameEmpty) {
    const std::pair<const char *, const char *> cases[] = {
        {"NONE", ""}, {nullptr, ""}, {"D10R0.5", "D10R0.5"}, {"none", "none"}};
    for (const auto &c : cases) {
        char name[PLAN_NAME_BUFSIZE] = "stale";
        copy_cutter_name(name, c.first);
        EXPECT_STREQ(name, c.second);
    }
}

TEST(PlanNodes, NewNodesCarryTheScanValues) {
    oper *created = new_oper_node("CAV_TOP-F1", 100, 260, NULL_TAG);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->rmf_kind, RMF_FINISH);
    EXPECT_EQ(created->type, 100);
    EXPECT_EQ(created->subtype, 260);
    EXPECT_STREQ(created->name, "CAV_TOP-F1");
    EXPECT_STREQ(created->new_name, "CAV_TOP-F1");
    EXPECT_EQ(created->need_generate, 1);
    EXPECT_EQ(created->has_name_stock, 0);
    EXPECT_EQ(created->name_stock, 999.0);
    EXPECT_EQ(created->cut_face_p, nullptr);
    EXPECT_FALSE(created->tool_data_p);
    free_oper_node(created);

    // In edit-current-part mode the nodes start with the existing objects.
    oper *existing = new_oper_node("FACE_ALL", 100, 261, 4242);
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(existing->obj_tag, 4242u);
    EXPECT_EQ(existing->need_generate, 0);
    EXPECT_EQ(existing->rmf_kind, RMF_OTHER);
    free_oper_node(existing);

    r_m_f_or_other *top = new_rmf_node("r", NULL_TAG);
    prog_group *in_plan = new_prog_group_node("G1-M", NULL_TAG, 0);
    prog_group *in_inserts = new_prog_group_node("G2", NULL_TAG, 1);
    EXPECT_EQ(top->rmf_kind, RMF_ROUGH);
    EXPECT_EQ(top->expanded, 1);
    EXPECT_EQ(in_plan->rmf_kind, RMF_MIDDLE);
    EXPECT_EQ(in_plan->expanded, 0);
    EXPECT_EQ(in_inserts->expanded, 1);
    free_prog_group_node(in_plan);
    free_prog_group_node(in_inserts);
    free_rmf_node(top);
}

TEST(PlanNodes, NamesAreCutTo132Characters) {
    const std::string long_name(200, 'N');
    oper *node = new_oper_node(long_name.c_str(), 100, 260, NULL_TAG);
    EXPECT_EQ(std::string(node->name), long_name.substr(0, 132));
    EXPECT_EQ(std::string(node->new_name), long_name.substr(0, 132));
    free_oper_node(node);
}

class Plan : public StandinTest {
protected:
    void TearDown() override {
        free_plan_tree(&static_plan_list);
        StandinTest::TearDown();
    }

    // The plan R(G1 with two operations, G2), M, r, M: names repeat on purpose.
    void build_plan() {
        for (const char *name : {"R", "M", "r", "M"}) append_rmf_node(&static_plan_list, new_rmf_node(name, NULL_TAG));
        prog_group *g1 = new_prog_group_node("G1-R", NULL_TAG, 0);
        append_prog_group_node(static_plan_list, g1);
        append_prog_group_node(static_plan_list, new_prog_group_node("G2-R", NULL_TAG, 0));
        for (const char *name : {"CAV_TOP-R1", "ZLE_EDM-R2"}) {
            oper *op = new_oper_node(name, 100, 260, NULL_TAG);
            int error = 0;
            op->elec_count = 2;
            op->elec_tag_p = static_cast<tag_t *>(UF_allocate_memory(2 * sizeof(tag_t), &error));
            op->cut_face_count = 1;
            op->cut_face_p = static_cast<tag_t *>(UF_allocate_memory(sizeof(tag_t), &error));
            op->level_point_p = new plan_point();
            const double p[3] = {1, 2, 3};
            append_start_point(op, p);
            append_start_point(op, p);
            append_oper_node(g1, op);
        }
    }
};

TEST_F(Plan, FindsTheFirstTopLevelNodeOfExactlyThatName) {
    build_plan();
    r_m_f_or_other *r_m_f_or_other_current_p = nullptr;
    struct Case {
        const char *name;
        int found;
        int position;  // 0-based among the top-level nodes
    };
    for (const Case c : {Case{"R", 1, 0}, Case{"r", 1, 2}, Case{"M", 1, 1}, Case{"F", 0, -1}, Case{"", 0, -1}}) {
        SCOPED_TRACE(c.name);
        r_m_f_or_other *found = nullptr;
        EXPECT_EQ(find_rmf_node(c.name, &found), c.found);
        if (!c.found) continue;
        r_m_f_or_other_current_p = static_plan_list;
        for (int i = 0; i < c.position; ++i) r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p;
        EXPECT_EQ(found, r_m_f_or_other_current_p);
    }
}

TEST_F(Plan, ListsAreDoublyLinkedInOrder) {
    build_plan();
    prog_group *g1 = static_plan_list->prog_group_list_p;
    ASSERT_NE(g1->next_p, nullptr);
    EXPECT_EQ(g1->next_p->prev_p, g1);
    EXPECT_EQ(g1->prev_p, nullptr);
    EXPECT_STREQ(g1->oper_list_p->next_p->name, "ZLE_EDM-R2");
    EXPECT_EQ(g1->oper_list_p->next_p->prev_p, g1->oper_list_p);
    EXPECT_EQ(static_plan_list->next_p->next_p->prev_p, static_plan_list->next_p);
}

TEST_F(Plan, FreeingTheTreeReleasesEveryNodeAndWhatItOwns) {
    build_plan();
    free_plan_tree(&static_plan_list);
    EXPECT_EQ(static_plan_list, nullptr);
    free_plan_tree(&static_plan_list);  // an empty plan is fine
    // The fixture fails the test if any NX array of the nodes was not released.
}

TEST_F(Plan, AnOperationKeepsAtMost200StartPoints) {
    oper *op = new_oper_node("FACE_BOT", 100, 261, NULL_TAG);
    const double p[3] = {0, 0, 0};
    for (int i = 0; i < MAX_START_POINTS; ++i) ASSERT_EQ(append_start_point(op, p), 1) << i;
    EXPECT_EQ(append_start_point(op, p), 0);
    int count = 0;
    for (plan_point *point = op->start_point_list_p; point; point = point->next_p) ++count;
    EXPECT_EQ(count, MAX_START_POINTS);
    free_oper_node(op);
}

TEST_F(Plan, ASelectionListNamesEachOperationOnce) {
    build_plan();
    oper *first = static_plan_list->prog_group_list_p->oper_list_p;
    sel_oper *selection = nullptr;
    EXPECT_EQ(add_sel_oper(&selection, first), 1);
    EXPECT_EQ(add_sel_oper(&selection, first->next_p), 1);
    EXPECT_EQ(add_sel_oper(&selection, first), 1);
    std::vector<oper *> listed;
    for (sel_oper *sel_oper_current_p = selection; sel_oper_current_p; sel_oper_current_p = sel_oper_current_p->next_p)
        listed.push_back(sel_oper_current_p->oper_p);
    EXPECT_EQ(listed, (std::vector<oper *>{first, first->next_p}));
    free_sel_oper_list(&selection);
    EXPECT_EQ(selection, nullptr);
}

TEST_F(Plan, ThePartFileListIsFreedWithItsCurrentEntry) {
    const std::string long_path = "D:\\" + std::string(600, 'p') + ".prt";
    part_file *a = append_part_file(&static_part_file_list, "a.prt", "D:\\parts\\a.prt");
    part_file *b = append_part_file(&static_part_file_list, "b.prt", long_path.c_str());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->next_p, b);
    EXPECT_EQ(b->status, 0);
    EXPECT_EQ(std::string(b->part_path), long_path.substr(0, 499));
    static_current_part_file = b;
    free_part_file_list();
    EXPECT_EQ(static_part_file_list, nullptr);
    EXPECT_EQ(static_current_part_file, nullptr);
}

TEST_F(Plan, TheTemplateListIsFreedWithTheChosenTemplate) {
    // Chosen from the list, and made up for editing the current part (outside the list).
    for (bool chosen_in_list : {true, false}) {
        SCOPED_TRACE(chosen_in_list ? "chosen from the list" : "edit current part");
        static_template_list = new cam_template();
        static_template_list->next_p = new cam_template();
        static_sel_template_p = chosen_in_list ? static_template_list->next_p : new cam_template();
        free_template_list();
        EXPECT_EQ(static_template_list, nullptr);
        EXPECT_EQ(static_sel_template_p, nullptr);
    }
}

}  // namespace
