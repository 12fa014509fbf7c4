// The operation plan: classes from names, the scan's node values, lookups and release.
#include <string>
#include <vector>

#include "standin_test.h"
#include "torvane/state/plan.h"
#include "uf.h"

namespace {

TEST(PlanClasses, ATopLevelGroupTakesItsClassFromItsWholeNameInAnyCase) {
    const std::pair<const char *, int> cases[] = {{"R", RMF_ROUGH},  {"r", RMF_ROUGH},  {"m", RMF_MIDDLE},
                                                  {"F", RMF_FINISH}, {"R1", RMF_OTHER}, {"", RMF_OTHER}};
    for (const auto &c : cases) EXPECT_EQ(rmf_kind_of_class_name(c.first), c.second) << c.first;
}

TEST(PlanClasses, AGroupOrOperationTakesItsClassFromTheFirstMarkInRoughMiddleFinishOrder) {
    const std::pair<const char *, int> cases[] = {
        {"CAV_TOP-F1", RMF_FINISH}, {"FACE_ALL", RMF_OTHER},   {"ZLE_EDM-m2", RMF_MIDDLE}, {"A-F-R", RMF_ROUGH},
        {"A-F1-M", RMF_MIDDLE},     {"FIX-S0.1-r", RMF_ROUGH}, {"PLAN_EDM_R", RMF_OTHER},  {"", RMF_OTHER},
    };
    for (const auto &c : cases) EXPECT_EQ(rmf_kind_of_name(c.first), c.second) << c.first;
}

TEST(PlanClasses, TheScanSkipsHelperGroupsByNameIgnoringCase) {
    const struct {
        const char *name;
        int skipped_on_top, skipped_below;
    } cases[] = {{"none", 1, 1},  {"Program", 1, 0}, {"BAK", 1, 0},   {"r_bak", 1, 1},
                 {"M_BAK", 1, 1}, {"f_Bak", 1, 1},   {"NONE1", 0, 0}, {"R", 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plan_skips_class_group(c.name), c.skipped_on_top);
        EXPECT_EQ(plan_skips_program_group(c.name), c.skipped_below);
    }
}

TEST(PlanNodes, ACutterNamedNoneLeavesTheToolNameEmpty) {
    const std::pair<const char *, const char *> cases[] = {
        {"NONE", ""}, {nullptr, ""}, {"D10R0.5", "D10R0.5"}, {"none", ""}, {"NONE1", "NONE1"}};
    for (const auto &c : cases) {
        char name[PLAN_NAME_BUFSIZE] = "stale";
        copy_cutter_name(name, c.first);
        EXPECT_STREQ(name, c.second);
    }
}

TEST(PlanNodes, NewNodesCarryTheScanValues) {
    const std::string long_name = "CAV_TOP-F1" + std::string(200, 'N');
    oper *created = new_oper_node(long_name.c_str(), 100, 260, NULL_TAG);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->rmf_kind, RMF_FINISH);
    EXPECT_EQ(std::string(created->name), long_name.substr(0, 132));
    EXPECT_EQ(std::string(created->new_name), long_name.substr(0, 132));
    EXPECT_EQ(created->need_generate, 1);
    free_oper_node(created);
    // In edit-current-part mode the nodes start with the existing objects.
    oper *existing = new_oper_node("FACE_ALL", 100, 261, 4242);
    EXPECT_EQ(existing->obj_tag, 4242u);
    EXPECT_EQ(existing->need_generate, 0);
    free_oper_node(existing);
    r_m_f_or_other *top = new_rmf_node("r", NULL_TAG);
    prog_group *in_plan = new_prog_group_node("G1-M", NULL_TAG, 0);
    EXPECT_EQ(top->rmf_kind, RMF_ROUGH);
    EXPECT_EQ(top->expanded, 1);
    EXPECT_EQ(in_plan->rmf_kind, RMF_MIDDLE);
    free_prog_group_node(in_plan);
    free_rmf_node(top);
}

using Plan = testsupport::StandinTest;

TEST_F(Plan, FindsTheFirstTopLevelNodeOfExactlyThatName) {
    for (const char *name : {"R", "M", "r", "M"}) append_rmf_node(&static_plan_list, new_rmf_node(name, NULL_TAG));
    r_m_f_or_other *const second = static_plan_list->next_p, *const third = second->next_p;
    const std::pair<const char *, r_m_f_or_other *> cases[] = {
        {"R", static_plan_list}, {"M", second}, {"r", third}, {"F", nullptr}, {"", nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        r_m_f_or_other *found = nullptr;
        EXPECT_EQ(find_rmf_node(c.first, &found), c.second ? 1 : 0);
        EXPECT_EQ(c.second ? found : nullptr, c.second);
    }
    free_plan_tree(&static_plan_list);
}

TEST_F(Plan, FreeingTheTreeReleasesEveryNodeAndWhatItOwns) {
    // R(G1 with two operations that own NX arrays and points, G2), M; the fixture fails the
    // test if any NX array was not released.
    for (const char *name : {"R", "M"}) append_rmf_node(&static_plan_list, new_rmf_node(name, NULL_TAG));
    prog_group *g1 = new_prog_group_node("G1-R", NULL_TAG, 0);
    append_prog_group_node(static_plan_list, g1);
    append_prog_group_node(static_plan_list, new_prog_group_node("G2-R", NULL_TAG, 0));
    for (const char *name : {"CAV_TOP-R1", "ZLE_EDM-R2"}) {
        oper *op = new_oper_node(name, 100, 260, NULL_TAG);
        int error = 0;
        op->elec_count = op->cut_face_count = 1;
        op->elec_tag_p = static_cast<tag_t *>(UF_allocate_memory(sizeof(tag_t), &error));
        op->cut_face_p = static_cast<tag_t *>(UF_allocate_memory(sizeof(tag_t), &error));
        op->level_point_p = new plan_point();
        const double p[3] = {1, 2, 3};
        append_start_point(op, p);
        append_start_point(op, p);
        append_oper_node(g1, op);
    }
    free_plan_tree(&static_plan_list);
    EXPECT_EQ(static_plan_list, nullptr);
    free_plan_tree(&static_plan_list);  // an empty plan is fine
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
    oper first, second;
    sel_oper *selection = nullptr;
    for (oper *op : {&first, &second, &first}) EXPECT_EQ(add_sel_oper(&selection, op), 1);
    std::vector<oper *> listed;
    for (sel_oper *sel_oper_current_p = selection; sel_oper_current_p; sel_oper_current_p = sel_oper_current_p->next_p)
        listed.push_back(sel_oper_current_p->oper_p);
    EXPECT_EQ(listed, (std::vector<oper *>{&first, &second}));
    free_sel_oper_list(&selection);
    EXPECT_EQ(selection, nullptr);
}

TEST_F(Plan, TheSessionListsAreFreedWithTheirCurrentEntries) {
    const std::string long_path = "D:\\" + std::string(600, 'p') + ".prt";
    part_file *a = append_part_file(&static_part_file_list, "a.prt", "D:\\parts\\a.prt");
    part_file *b = append_part_file(&static_part_file_list, "b.prt", long_path.c_str());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->next_p, b);
    EXPECT_EQ(std::string(b->part_path), long_path.substr(0, 499));
    static_current_part_file = b;
    free_part_file_list();
    EXPECT_EQ(static_part_file_list, nullptr);
    EXPECT_EQ(static_current_part_file, nullptr);
    // The chosen template comes from the list, or is made up for editing the current part.
    for (bool chosen_in_list : {true, false}) {
        static_template_list = new cam_template();
        static_template_list->next_p = new cam_template();
        static_sel_template_p = chosen_in_list ? static_template_list->next_p : new cam_template();
        free_template_list();
        EXPECT_EQ(static_template_list, nullptr);
        EXPECT_EQ(static_sel_template_p, nullptr);
    }
}

}  // namespace
