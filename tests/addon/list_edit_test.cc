// Editing the plan: the plan functions on their own (copies, deletion, moving down), and each list
// action of the main dialog on the standard template's plan, with operations made in NX before,
// so that list lines, plan and NX objects are seen to keep in step.
#include <algorithm>
#include <filesystem>

#include "calc_fixture.h"
#include "my_func_cam/tool_libref.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/plan_class.h"
#include "torvane/plan/plan_edit.h"
#include "torvane/state/plan_view.h"
#include "torvane/state/run_state.h"
#include "uf_styler.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_ui.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Names of a list of nodes, in order.
template <typename Node>
Lines names_of(const Node *first) {
    Lines names;
    for (const Node *n = first; n; n = n->next_p) names.push_back(n->name);
    return names;
}

class ListEditTest : public CalcTest {
protected:
    void SetUp() override {
        CalcTest::SetUp();
        nxhost::add_dialog_directory((fs::path(testsupport::source_dir()) / "torvane/dialogs").string());
        const char *libraries[TOOL_LIBREF_COUNT] = {"QZ_STD_MILL", "NONE", "NONE", "NONE", "NONE", "NONE"};
        for (int n = 0; n < TOOL_LIBREF_COUNT; ++n)
            std::snprintf(static_tool_libref_names[n], TOOL_LIBREF_NAME_BUFSIZE, "%s", libraries[n]);
        read_config_edm_descr(&static_edm_descr);
    }
    void TearDown() override {
        free_tool_data_list(&static_tool_list);
        CalcTest::TearDown();
    }
    // The main dialog played by actions, and closed with Back. Its destructor is left out, so that
    // the plan stays for the test to read; what it shows is in the transcript.
    void run(const std::string &actions) {
        play("dialog torvane_dlg.dlg\n" + actions + " press BACK\n");
        EXPECT_EQ(open_dialog(), 0);
    }
    static int open_dialog() {
        std::vector<UF_STYLER_callback_info_t> callbacks(main_dialog_callbacks(), main_dialog_callbacks() + QZ_CAM_CB_COUNT);
        for (UF_STYLER_callback_info_t &cb : callbacks)
            if (cb.callback_proc == QZ_CAM_destruct_cb) cb.callback_proc = keep_plan;
        static const plan_view_hooks hooks = {insert_oper_line_after, get_dlg_list_sel_oper, fill_part_file_list};
        install_plan_view(&hooks);
        int response = 0;
        const int rc = UF_STYLER_create_dialog(QZ_CAM_DIALOG_FILE, callbacks.data(), QZ_CAM_CB_COUNT, nullptr, &response);
        remove_plan_view();
        return rc;
    }
    static int keep_plan(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_CONTINUE_DIALOG; }
    // The list as the dialog showed it last.
    Lines list_lines() const {
        Lines lines, all = addontest::as_utf8(shown("dialog"));
        for (auto it = all.begin(); it != all.end(); ++it)
            if (it->find("  MULTI_LIST_14 multi_list:") == 0) {
                lines.clear();
                for (auto line = it + 1; line != all.end() && line->rfind("    ", 0) == 0; ++line) lines.push_back(*line);
            }
        return lines;
    }
    static bool mentions(const Lines &lines, const std::string &part) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string &l) { return l.find(part) != std::string::npos; });
    }
    static oper *op(const char *name) {
        oper *node = nullptr;
        find_oper_node(name, &node, nullptr, nullptr);
        return node;
    }
    static std::string nx_name(tag_t object) {
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(object, name);
        return name;
    }
};

// ---- the plan functions -----------------------------------------------------------------------

TEST_F(ListEditTest, AnInsertedClassIsADeepCopyNamedApartFromThePlan) {
    const r_m_f_or_other *source = find_last_rmf_named(static_insert_group_list, static_insert_group_list->name);
    ASSERT_NE(source, nullptr);
    plan_name_set names;
    r_m_f_or_other *copy = copy_rmf_node(source, &names);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(names_of(copy->prog_group_list_p).size(), names_of(source->prog_group_list_p).size());
    for (prog_group *g = copy->prog_group_list_p, *s = source->prog_group_list_p; g && s; g = g->next_p, s = s->next_p) {
        EXPECT_EQ(names_of(g->oper_list_p).size(), names_of(s->oper_list_p).size()) << g->name;
        EXPECT_STREQ(g->new_name, s->new_name);
        for (oper *o = g->oper_list_p; o; o = o->next_p) EXPECT_EQ(o->need_generate, 1) << o->name;
    }
    // Its names do not collide with the plan's, letter case ignored, nor with each other.
    Lines all;
    visit_plan_opers(static_plan_list, [&](oper *o, prog_group *, r_m_f_or_other *) {
        all.push_back(o->name);
        return false;
    });
    for (prog_group *g = copy->prog_group_list_p; g; g = g->next_p)
        for (oper *o = g->oper_list_p; o; o = o->next_p) all.push_back(o->name);
    for (std::string &n : all) std::transform(n.begin(), n.end(), n.begin(), ::toupper);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    free_rmf_node(copy);
}

TEST_F(ListEditTest, MovingDownSwapsWithTheNextAndTakesTheLastToTheFront) {
    prog_group *group = nullptr;
    ASSERT_EQ(find_prog_group_node("F1-F", &group, nullptr), 1);  // FACE_EDM-F1, PLAN_EDM-F2, ZLE_EDM-F3
    EXPECT_EQ(move_oper_node_down(group, op("FACE_EDM-F1")), 1);
    EXPECT_EQ(names_of(group->oper_list_p), (Lines{"PLAN_EDM-F2", "FACE_EDM-F1", "ZLE_EDM-F3"}));
    EXPECT_EQ(move_oper_node_down(group, op("ZLE_EDM-F3")), 1);
    EXPECT_EQ(names_of(group->oper_list_p), (Lines{"ZLE_EDM-F3", "PLAN_EDM-F2", "FACE_EDM-F1"}));
    r_m_f_or_other *rough = nullptr;
    ASSERT_EQ(find_rmf_node("R", &rough), 1);
    EXPECT_EQ(move_prog_group_down(rough, rough->prog_group_list_p), 0) << "a list of one stays";
    EXPECT_EQ(move_rmf_node_down(&static_plan_list, static_plan_list), 1);
    EXPECT_EQ(names_of(static_plan_list), (Lines{"M", "R", "F"}));
    for (oper *o = group->oper_list_p; o; o = o->next_p)
        EXPECT_EQ(o->prev_p ? o->prev_p->next_p : group->oper_list_p, o) << "links both ways";
}

// Deleting by name takes every node of that exact name with its NX object; a name differing only
// in case is another node.
TEST_F(ListEditTest, DeletionTakesEveryNodeOfTheNameAndItsNxObject) {
    keep_only({"ZLE_EDM-F3"});
    apply_calc(0, 1);
    oper *first = op("ZLE_EDM-F3");
    ASSERT_NE(first, nullptr);
    const tag_t made = first->obj_tag;
    ASSERT_NE(made, NULL_TAG);
    prog_group *group = nullptr;
    ASSERT_EQ(find_prog_group_node("F2-F", &group, nullptr), 1);
    oper *twin = new_oper_node("ZLE_EDM-F3", 100, 263, NULL_TAG);
    oper *other_case = new_oper_node("zle_edm-f3", 100, 263, NULL_TAG);
    append_oper_node(group, twin);
    append_oper_node(group, other_case);
    EXPECT_EQ(delete_plan_nodes(PLAN_OPER_LINE, "ZLE_EDM-F3"), 2);
    EXPECT_EQ(op("ZLE_EDM-F3"), nullptr);
    EXPECT_NE(op("zle_edm-f3"), nullptr);
    EXPECT_NE(UF_OBJ_ask_status(made), UF_OBJ_ALIVE);
    EXPECT_EQ(delete_plan_nodes(PLAN_CLASS_LINE, "F"), 1);
    EXPECT_EQ(names_of(static_plan_list), (Lines{"R", "M"}));
}

TEST(NameMarks, AMarkIsAddedOnceAndItsFirstOccurrenceRemoved) {
    const struct {
        const char *name, *mark;
        bool add;
        const char *result;
    } rows[] = {{"CAV_TOP-R1", "-S", true, "CAV_TOP-R1-S"}, {"CAV_TOP-R1-S", "-S", true, "CAV_TOP-R1-S"},
                {"CAV_TOP-S0.1-R1", "-S", false, "CAV_TOP0.1-R1"}, {"CAV_TOP-R1", "-P", false, "CAV_TOP-R1"},
                {"A-P-P", "-P", false, "A-P"}, {"", "-P", true, "-P"}};
    for (const auto &r : rows) EXPECT_EQ(mark_changed_name(r.name, r.mark, r.add), r.result) << r.name << " " << r.mark;
}

// ---- through the dialog -------------------------------------------------------------------------

// The plan of cu_std.prt with every class on and every group expanded; its list lines by index:
// 0 R, 1 R1-R, 2 CAV_TOP-R1, 3 CAV_EDM-R2, 4 M, 5 M1-M, 6 ZLE_EDM-M1-S0.05, 7 ZLE_45_90-M2, 8 F,
// 9 F1-F, 10 FACE_EDM-F1, 11 PLAN_EDM-F2, 12 ZLE_EDM-F3, 13 F2-F, 14 FIX_0_45-F4, 15 FIX_0_90-F5,
// 16 FIX_TEXT-F6.
TEST_F(ListEditTest, ACutterChangeMovesAnExistingOperationIntoTheNewCutter) {
    keep_only({"CAV_TOP-R1"});
    apply_calc(0, 1);
    const tag_t made = op("CAV_TOP-R1")->obj_tag;
    ASSERT_NE(made, NULL_TAG);
    op("CAV_TOP-R1")->need_generate = 0;
    visit_plan_groups(static_plan_list, [](prog_group *g, r_m_f_or_other *) {
        g->expanded = 1;
        return false;
    });
    run(" select MULTI_LIST_14 \"#2\"\n set OPTION_16 \"D10  (flat_end_mill_D10_carbide_4F)\"\n activate BLO_19 0\n");
    EXPECT_STREQ(op("CAV_TOP-R1")->tool_name, "D10");
    ASSERT_NE(op("CAV_TOP-R1")->tool_data_p, nullptr);
    EXPECT_EQ(op("CAV_TOP-R1")->need_generate, 1);
    tag_t cutter = NULL_TAG;
    ASSERT_EQ(UF_OPER_ask_cutter_group(made, &cutter), 0);
    EXPECT_EQ(nx_name(cutter), "D10");
}

// Insertions from the insert templates: a group after the selected group, an operation after the
// selected operation; their lines follow the lines they were inserted after.
TEST_F(ListEditTest, InsertedGroupsAndOperationsFollowTheSelectedLines) {
    run(" select MULTI_LIST_14 \"#1\"\n set OPTION_17 \"#1\"\n activate BLO_19 1\n"    // R_ROUGH after R1-R
        " select MULTI_LIST_14 \"#2\"\n set OPTION_18 \"#4\"\n activate BLO_19 2\n");  // FACE_ALL-F1 after CAV_TOP-R1
    r_m_f_or_other *rough = nullptr;
    ASSERT_EQ(find_rmf_node("R", &rough), 1);
    EXPECT_EQ(names_of(rough->prog_group_list_p), (Lines{"R1-R", "R_ROUGH"}));
    const Lines r1 = names_of(rough->prog_group_list_p->oper_list_p);
    ASSERT_EQ(r1.size(), 3u);
    EXPECT_EQ(r1[0], "CAV_TOP-R1");
    EXPECT_EQ(r1[1].rfind("FACE_ALL", 0), 0u) << r1[1];
    EXPECT_EQ(names_of(rough->prog_group_list_p->next_p->oper_list_p).size(), 2u) << "the group with its operations";
    const Lines lines = list_lines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_NE(lines[3].find(r1[1]), std::string::npos) << lines[3];
    EXPECT_NE(lines[5].find("+ R_ROUGH"), std::string::npos) << lines[5];
}

// Delete: a class line takes the class with all it holds; move down: the operation goes after its
// next sibling, in the list and in NX's program order.
TEST_F(ListEditTest, DeleteAndMoveDownKeepListPlanAndProgramTreeInStep) {
    keep_only({"CAV_TOP-R1", "CAV_EDM-R2"});
    apply_calc(0, 1);
    const tag_t top = op("CAV_TOP-R1")->obj_tag;
    ASSERT_NE(top, NULL_TAG);
    // CAV_EDM-R2 is followed by its copies for EL-002 to EL-004 (lines 4 to 6); the middle class is
    // off (the first electrode asks for none): F is line 7, FACE_EDM-F1 line 9.
    run(" select MULTI_LIST_14 \"#7\" \"#9\"\n activate BLO_19 4\n"  // class F and one of its operations
        " select MULTI_LIST_14 \"#2\"\n activate BLO_19 5\n");      // CAV_TOP-R1 down
    EXPECT_EQ(names_of(static_plan_list), (Lines{"R", "M"}));
    prog_group *group = nullptr;
    ASSERT_EQ(find_prog_group_node("R1-R", &group, nullptr), 1);
    const Lines in_plan = names_of(group->oper_list_p);
    ASSERT_EQ(in_plan.size(), 5u);
    EXPECT_EQ(in_plan[0], "CAV_EDM-R2");
    EXPECT_EQ(in_plan[1], "CAV_TOP-R1") << "right after its next sibling";
    const Lines lines = list_lines();
    EXPECT_FALSE(mentions(lines, "ZLE_EDM-F3"));
    EXPECT_FALSE(mentions(lines, "FACE_EDM-F1"));
    tag_t program = NULL_TAG, *members = nullptr;
    int count = 0;
    ASSERT_EQ(UF_OPER_ask_program_group(top, &program), 0);
    ASSERT_EQ(UF_NCGROUP_ask_member_list(program, &count, &members), 0);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(members[1], top) << "NX's order follows the plan";
    UF_free(members);
}

// -S on an operation made in NX renames the node and the NX operation and gives it its stocks
// again; removing it undoes that.
TEST_F(ListEditTest, TheStockMarkRenamesAnExistingOperationInThePlanAndInNx) {
    keep_only({"CAV_TOP-R1"});
    apply_calc(0, 1);
    const tag_t top = op("CAV_TOP-R1")->obj_tag;
    run(" select MULTI_LIST_14 \"#2\"\n set OPTION_13 \"#4\"\n");
    oper *node = op("CAV_TOP-R1-S");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->has_name_stock, 1);
    EXPECT_EQ(node->obj_tag, top);
    EXPECT_EQ(nx_name(top), "CAV_TOP-R1-S");
    EXPECT_TRUE(mentions(list_lines(), "CAV_TOP-R1-S"));
    run(" select MULTI_LIST_14 \"#2\"\n set OPTION_13 \"#7\"\n");
    ASSERT_NE(op("CAV_TOP-R1"), nullptr);
    EXPECT_EQ(op("CAV_TOP-R1")->has_name_stock, 0);
    EXPECT_EQ(nx_name(top), "CAV_TOP-R1");
}

// Picks for an operation not made yet stay in its node: faces, start points until the user
// cancels, the level point; a cancel at the first point changes nothing.
TEST_F(ListEditTest, PicksOfAnOperationNotMadeYetStayInItsNode) {
    run(" select MULTI_LIST_14 \"#3\"\n activate BLO_20 0\npick faces EL-001:3 EL-002:2\n"
        " activate BLO_20 1\npoint 1 2 3\npoint 4 5 6\ncancel\n"
        " activate BLO_20 2\npoint 0 0 20\n");
    oper *node = op("CAV_EDM-R2");
    EXPECT_EQ(node->cut_face_count, 2);
    int points = 0;
    for (plan_point *p = node->start_point_list_p; p; p = p->next_p) ++points;
    EXPECT_EQ(points, 2);
    ASSERT_NE(node->level_point_p, nullptr);
    EXPECT_EQ(node->level_point_p->z, 20.0);
    run(" select MULTI_LIST_14 \"#3\"\n activate BLO_20 1\ncancel\n");
    EXPECT_NE(node->start_point_list_p, nullptr) << "the first pick cancelled: the points stay";
}

// Picks for an operation made in NX change it there: the faces replace its cut area, the level
// point its cut levels; start points reach NX only on the releases that take them (4.x).
TEST_F(ListEditTest, PicksOfAnOperationMadeInNxChangeIt) {
    keep_only({"CAV_TOP-R1"});
    apply_calc(0, 1);
    oper *node = op("CAV_TOP-R1");
    const tag_t made = node->obj_tag;
    ASSERT_NE(made, NULL_TAG);
    auto cut_area_count = [&] {
        int count = 0;
        UF_CAMGEOM_item_t *items = nullptr;
        EXPECT_EQ(UF_CAMGEOM_ask_items(made, UF_CAM_cut_area, &count, &items), 0);
        UF_free(items);
        return count;
    };
    node->need_generate = 0;
    run(" select MULTI_LIST_14 \"#2\"\n activate BLO_20 0\npick faces EL-001:3 EL-002:2\n");
    EXPECT_EQ(cut_area_count(), 2);
    EXPECT_EQ(node->cut_face_count, 0) << "an operation in NX keeps its faces there, not in its node";
    EXPECT_EQ(node->need_generate, 1);
    run(" select MULTI_LIST_14 \"#2\"\n activate BLO_20 0\npick faces EL-003:14\n");
    EXPECT_EQ(cut_area_count(), 1) << "the new faces replace the old ones";

    node->need_generate = 0;
    run(" select MULTI_LIST_14 \"#2\"\n activate BLO_20 2\npoint 0 0 20\n");
    EXPECT_NEAR(bottom_level(made), 20.0, 1e-6);
    EXPECT_EQ(node->level_point_p, nullptr);
    EXPECT_EQ(node->need_generate, 1);

    const struct {
        double release;
        std::size_t expected;
    } releases[] = {{12.0, 4u}, {4.0, 2u}};
    const std::size_t before = start_points(made).size();
    ASSERT_EQ(before, releases[0].expected) << "the four start points of the set-up";
    for (const auto &r : releases) {
        SCOPED_TRACE(r.release);
        static_nx_release = r.release;
        run(" select MULTI_LIST_14 \"#2\"\n activate BLO_20 1\npoint 1 2 3\npoint 4 5 6\ncancel\n");
        const auto points = start_points(made);
        ASSERT_EQ(points.size(), r.expected);
        if (r.release < 5.0) {
            EXPECT_EQ(points[1].point_acs[0], 4.0);
        }
        EXPECT_EQ(node->start_point_list_p, nullptr);
    }
}

// The reference cutter and the side-entry mark of an operation made in NX change its NX object.
TEST_F(ListEditTest, TheReferenceCutterAndTheSideMarkChangeAnOperationMadeInNx) {
    keep_only({"CAV_EDM-R2"});
    static_dlg_state.radio_1 = 1;
    apply_calc(0, 1);
    const tag_t made = op("CAV_EDM-R2")->obj_tag;
    ASSERT_NE(made, NULL_TAG);
    run(" select MULTI_LIST_14 \"#3\"\n set OPTION_16 \"D10  (flat_end_mill_D10_carbide_4F)\"\n activate BLO_19 3\n");
    tag_t ref = NULL_TAG;
    ASSERT_EQ(UF_OPER_ask_ref_cutter(made, &ref), 0);
    EXPECT_EQ(nx_name(ref), "D10");
    EXPECT_STREQ(op("CAV_EDM-R2")->ref_tool_name, "D10");
    EXPECT_STREQ(op("CAV_EDM-R2")->tool_name, "D6") << "the cutter itself stays";

    const struct {
        const char *entry, *plan_name;
    } marks[] = {{"#5", "CAV_EDM-R2-P"}, {"#5", "CAV_EDM-R2-P"}, {"#8", "CAV_EDM-R2"}};
    for (const auto &m : marks) {
        SCOPED_TRACE(std::string(m.entry) + " " + m.plan_name);
        run(" select MULTI_LIST_14 \"#3\"\n set OPTION_13 \"" + std::string(m.entry) + "\"\n");
        ASSERT_NE(op(m.plan_name), nullptr);
        EXPECT_EQ(op(m.plan_name)->obj_tag, made);
        EXPECT_EQ(nx_name(made), m.plan_name);
        EXPECT_TRUE(mentions(list_lines(), m.plan_name));
    }
}

// The start name is refused when its letters would run past Z (the count itself is added to the
// letter, so the last letter that would still fit is refused too) or when a generated name is
// taken by a program group or a planar milling operation of the part; the message names it.
// Other operation kinds are not compared.
TEST_F(ListEditTest, StartNamesThatRunOutOrCollideAreRefused) {
    keep_only({"CAV_TOP-R1", "PLAN_EDM-F2"});
    apply_calc(0, 1);
    prog_group *group = nullptr;
    ASSERT_EQ(find_prog_group_node("R1-R", &group, nullptr), 1);
    ASSERT_NE(group->obj_tag, NULL_TAG);
    ASSERT_NE(op("CAV_TOP-R1")->obj_tag, NULL_TAG);
    ASSERT_NE(op("PLAN_EDM-F2")->obj_tag, NULL_TAG);
    ASSERT_EQ(UF_OBJ_set_name(group->obj_tag, "Q02"), 0);
    ASSERT_EQ(UF_OBJ_set_name(op("PLAN_EDM-F2")->obj_tag, "K_03"), 0);
    ASSERT_EQ(UF_OBJ_set_name(op("CAV_TOP-R1")->obj_tag, "C_02"), 0);
    int groups = 0;
    visit_plan_groups(static_plan_list, [&](prog_group *, r_m_f_or_other *) {
        ++groups;
        return false;
    });
    ASSERT_GE(groups, 3);
    const std::string fits(1, static_cast<char>('Z' - groups));
    const std::string past_z(1, static_cast<char>('Z' - groups + 1));
    const struct {
        std::string start, message;
    } rows[] = {
        {fits, ""},
        {past_z, addontest::english("check_start_prog_nam_02:")},
        {"q01", addontest::english("check_start_prog_nam_06:") + " Q02 " + addontest::english("check_start_prog_nam_07:")},
        {"k_01", addontest::english("check_start_prog_nam_08:") + " K_03 " + addontest::english("check_start_prog_nam_09:")},
        {"K_04", ""},
        {"C_01", ""},
        {"E1234567", ""},
        {"E12345678", addontest::english("check_start_prog_nam_05:")},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.start);
        const std::size_t before = shown("message").size();
        run(" set STR_10 " + r.start + "\n");
        const Lines messages = shown("message");
        const Lines added(messages.begin() + static_cast<long>(before), messages.end());
        if (r.message.empty()) {
            EXPECT_TRUE(added.empty()) << added.front();
        } else {
            EXPECT_EQ(added, Lines{r.message});
        }
    }
}

TEST_F(ListEditTest, NothingSelectedGivesTheCollectorsMessageAndChangesNothing) {
    const std::size_t before = names_of(static_plan_list).size();
    run(" activate BLO_19 4\n activate BLO_19 5\n set OPTION_13 \"#4\"\n activate BLO_20 0\n");
    EXPECT_EQ(names_of(static_plan_list).size(), before);
    const Lines messages = shown("message");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), addontest::english("get_dlg_list_sel_ope_01:")), 3);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), addontest::english("QZ_CAM_set_r_m_f_other_c_01:")), 1);
}

// NX refusing any call of a session of edits on operations made in NX (a cutter change, a stock
// mark, a move down, a delete): no crash, no leak, no misuse, and every operation the plan records
// is one NX still has.
TEST_F(ListEditTest, EveryFailingCallOfAnEditLeavesPlanAndPartInStep) {
    free_plans();
    forget_turn();
    const std::string blocks = R"({"format":"nxhost-part/1","bodies":[
        {"name":"A","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},{"box":{"min":[5,5,10],"max":[15,15,16]}}]}},
        {"name":"B","shape":{"union":[{"box":{"min":[40,0,0],"max":[60,20,10]}},{"box":{"min":[45,5,10],"max":[55,15,14]}}]}}]})";
    auto setup = [&] {
        prepare("blocks.prt", {"A", "B"}, blocks);
        static_dlg_state.radio_1 = 1;
        keep_only({"CAV_TOP-R1", "CAV_EDM-R2"});
        apply_calc(0, 1);
        // Lines: 0 R, 1 R1-R, 2 CAV_TOP-R1, 3 CAV_EDM-R2, 4 its copy for B, 5 F ...
        play("dialog torvane_dlg.dlg\n select MULTI_LIST_14 \"#2\"\n set OPTION_16 \"D10  (flat_end_mill_D10_carbide_4F)\"\n"
             " activate BLO_19 0\n set OPTION_13 \"#4\"\n activate BLO_19 5\n select MULTI_LIST_14 \"#4\"\n"
             " activate BLO_19 4\n press BACK\n");
    };
    const long calls = testsupport::run_failing_each_call(setup, [&] {
        try {
            open_dialog();
        } catch (const nxhost::script::ScriptError &) {
        }
        visit_plan_opers(static_plan_list, [](oper *node, prog_group *, r_m_f_or_other *) {
            // Asked of the store itself: a call of the test must not count among the add-on's.
            if (node->obj_tag != NULL_TAG) {
                EXPECT_NE(nxhost::store().find(node->obj_tag), nullptr) << node->name;
            }
            return false;
        });
        free_plans();
        forget_turn();
        free_tool_data_list(&static_tool_list);
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
    });
    EXPECT_GT(calls, 100);
}

}  // namespace
