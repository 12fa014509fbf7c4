// Unique names for the plan and for NX, program groups made in the working part, and operations
// looked up in the plan by name.
#include <algorithm>
#include <string>
#include <vector>

#include "cam_addon_fixture.h"
#include "nxhost/ui/encoding.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/plan.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"

namespace {

using Lines = std::vector<std::string>;
using addontest::english;

// A plan of top nodes, each "NAME:GROUP:OPER,OPER;GROUP:..." (freed by the caller).
r_m_f_or_other *plan_of(const Lines &tops) {
    r_m_f_or_other *plan = nullptr;
    for (const std::string &top : tops) {
        std::size_t colon = top.find(':');
        r_m_f_or_other *r = new_rmf_node(top.substr(0, colon).c_str(), NULL_TAG);
        append_rmf_node(&plan, r);
        std::string rest = colon == std::string::npos ? "" : top.substr(colon + 1);
        while (!rest.empty()) {
            std::size_t semi = rest.find(';');
            std::string group = rest.substr(0, semi);
            rest = semi == std::string::npos ? "" : rest.substr(semi + 1);
            std::size_t c = group.find(':');
            prog_group *g = new_prog_group_node(group.substr(0, c).c_str(), NULL_TAG, 0);
            append_prog_group_node(r, g);
            std::string opers = c == std::string::npos ? "" : group.substr(c + 1);
            while (!opers.empty()) {
                std::size_t comma = opers.find(',');
                append_oper_node(g, new_oper_node(opers.substr(0, comma).c_str(), 100, 260, NULL_TAG));
                opers = comma == std::string::npos ? "" : opers.substr(comma + 1);
            }
        }
    }
    return plan;
}

TEST(UniqueNames, PlanNamesGetTheNextFreeNumberOfTheirBase) {
    static_plan_list = plan_of({"R:R1:CAV_TOP,FIX_0_45,ZLE_EDM_,CAV_TOP_1", "F:F1:7"});
    const std::pair<const char *, const char *> cases[] = {
        {"CAV_TOP", "CAV_TOP_2"},    // CAV_TOP_1 is taken as well
        {"R1", "R_2"},               // trailing digits are the start number
        {"FIX_0_45", "FIX_0_45_1"},  // angle digits belong to the name
        {"ZLE_EDM_", "ZLE_EDM_1"},   // no second underscore
        {"r", "r_1"},                // letter case ignored
        {"7", "7_1"},                // digits alone are a name
        {"NEW", "NEW"},
    };
    for (const auto &c : cases) {
        char out[PLAN_NAME_BUFSIZE];
        get_unique_plan_name(c.first, out);
        EXPECT_STREQ(out, c.second) << c.first;
    }
    free_plan_tree(&static_plan_list);
}

TEST(PlanLookup, OperationsAreFoundByNameIgnoringCaseInPlanOrder) {
    static_plan_list = plan_of({"R:R1:ZLE-R2,CAV_TOP-R1", "F:F1:cav_top-r1"});
    oper *o = nullptr;
    prog_group *g = nullptr;
    r_m_f_or_other *r = nullptr;
    ASSERT_EQ(find_oper_in_plan("Cav_Top-R1", &o, &g, &r), 1);
    EXPECT_EQ(std::string(o->name) + " " + g->name + " " + r->name, "CAV_TOP-R1 R1 R");
    ASSERT_EQ(find_oper_group_in_plan("cav_top-r1", &g, &r), 1);
    EXPECT_EQ(std::string(g->name) + " " + r->name, "R1 R") << "the first in plan order";
    EXPECT_EQ(find_oper_in_plan("R1", &o, &g, &r), 0) << "groups are not operations";
    EXPECT_TRUE(o == nullptr && g == nullptr && r == nullptr);
    free_plan_tree(&static_plan_list);
}

class ProgGroupTest : public AddonCamTest {};

TEST_F(ProgGroupTest, NxNamesCountOnlyProgramGroupsAndOperations) {
    tag_t group = NULL_TAG, cutter = NULL_TAG;
    char tt[] = "TT", program[] = "PROGRAM", tools[] = "qz_tool_template", d12[] = "D12";
    ASSERT_EQ(UF_NCPROG_create(tt, program, &group), 0);
    ASSERT_EQ(UF_OBJ_set_name(group, "FIX_0_45"), 0);
    ASSERT_EQ(UF_CAM_opt_add_type("D:\\qz_conf\\temp\\qz_tool_template.prt"), 0);
    ASSERT_EQ(UF_CUTTER_create(tools, d12, &cutter), 0);
    const std::pair<const char *, const char *> cases[] = {
        {"FIX_0_45", "FIX_0_46"}, {"D12", "D12"}, {"PROGRAM", "PROGRAM_1"}, {"R", "R"}};
    for (const auto &c : cases) {
        char out[PLAN_NAME_BUFSIZE];
        get_unique_nc_name(c.first, out);
        EXPECT_STREQ(out, c.second) << c.first;
    }
}

TEST_F(ProgGroupTest, ProgramGroupsAreNamedPlacedOrLeftUnplacedWithTheirMessage) {
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD0123456789", digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789WXYZ";
    tag_t cutter = NULL_TAG;
    char mill[] = "mill_contour", tool[] = "MILL";
    ASSERT_EQ(UF_CUTTER_create(mill, tool, &cutter), 0);
    const tag_t program_root = root(UF_SETUP_ask_program_root);
    const struct {
        std::string name;
        tag_t parent;
        int result;
        std::string named;  // "" when no group is made
        Lines messages;
        const char *under;
    } cases[] = {
        {"R", program_root, 1, "R", {}, "NC_PROGRAM"},
        {forty, program_root, 1, forty.substr(0, 30), {}, "NC_PROGRAM"},
        // The unique name cut to 30 is the taken name again: NX refuses it and the group keeps its own.
        {forty, program_root, 1, "PROGRAM_1", {"设定NC组群名称失败."}, "NC_PROGRAM"},
        {digits, program_root, 1, digits.substr(0, 30), {}, "NC_PROGRAM"},
        {digits, program_root, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ_124", {}, "NC_PROGRAM"},
        {"R", cutter, 0, "R_1",
         {"MILL " + english("create_nc_prog_grou_06:") + " R_1 " + english("create_nc_prog_grou_07:")}, "NONE"},
        {"F", NULL_TAG, 0, "F", {english("create_nc_prog_grou_08:")}, "NONE"},
        {"", program_root, 0, "", {english("create_nc_prog_grou_01:")}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        clear_shown();
        tag_t group = 99;
        EXPECT_EQ(create_nc_prog_group(c.name.c_str(), &group, c.parent), c.result);
        EXPECT_EQ(addontest::as_utf8(shown("message")), c.messages);
        if (c.named.empty()) {
            EXPECT_EQ(group, NULL_TAG);
            continue;
        }
        EXPECT_EQ(name(group), c.named);
        tag_t parent = NULL_TAG;
        ASSERT_EQ(UF_NCGROUP_ask_root_of_object(group, &parent), 0);
        int count = 0;
        tag_t *members = nullptr;
        ASSERT_EQ(UF_NCGROUP_ask_member_list(c.under == std::string("NONE") ? root(UF_SETUP_ask_program_null) : program_root,
                                             &count, &members),
                  0);
        EXPECT_NE(std::find(members, members + count, group), members + count) << "under " << c.under;
        UF_free(members);
    }
}

class ProgGroupWithoutSetupTest : public AddonCamTest {
protected:
    bool with_setup() const override { return false; }
};

TEST_F(ProgGroupWithoutSetupTest, TheTypeTTIsAddedAndTheSetupMadeFromIt) {
    set_env("UGII_CAM_CONFIG", "");  // NX's own configuration: no TT
    ASSERT_EQ(UF_CAM_init_session(), 0);
    tag_t group = NULL_TAG;
    EXPECT_EQ(create_nc_prog_group("R", &group, NULL_TAG), 0) << "no parent to place it in yet";
    EXPECT_EQ(cam_type_exists("TT"), 1);
    EXPECT_EQ(name(root(UF_SETUP_ask_program_root)), "NC_PROGRAM");
    EXPECT_NE(named("MILL_SEMI_FINISH"), NULL_TAG) << "the setup is TT's";
    EXPECT_EQ(name(group), "R");
}

}  // namespace
