// The template scan on the shipped configuration: the plan read from a template part, the insert
// trees, the working part's setup, edit-current-part mode, bad templates, and every NX call of a
// scan failing in turn.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "addon_test_util.h"
#include "my_func_cam/tool_libref.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "torvane/plan/template_scan.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace {

using Lines = std::vector<std::string>;
using addontest::english;

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// One line per node: name, class and what the scan filled in.
Lines plan_lines(const r_m_f_or_other *tree) {
    Lines lines;
    for (const r_m_f_or_other *r = tree; r; r = r->next_p) {
        lines.push_back(std::string(r->name) + " " + std::to_string(r->rmf_kind) + (r->expanded ? " open" : ""));
        for (const prog_group *g = r->prog_group_list_p; g; g = g->next_p) {
            lines.push_back("  " + std::string(g->name) + " " + std::to_string(g->rmf_kind) + (g->expanded ? " open" : ""));
            for (const oper *o = g->oper_list_p; o; o = o->next_p) {
                std::string line = "    " + std::string(o->name) + " " + std::to_string(o->rmf_kind) + " " +
                                   std::to_string(o->type) + "/" + std::to_string(o->subtype) + " " +
                                   (o->tool_name[0] ? o->tool_name : "-") + (o->ref_tool_name[0] ? "/" : "") +
                                   o->ref_tool_name + " " + number(o->part_stock) + "/" + number(o->floor_stock);
                if (o->has_name_stock) line += " S" + number(o->name_stock);
                lines.push_back(line + " " + o->template_file + (o->need_generate ? " new" : " made"));
            }
        }
    }
    return lines;
}

const oper *find_oper(const r_m_f_or_other *tree, const char *name) {
    for (; tree; tree = tree->next_p)
        for (const prog_group *g = tree->prog_group_list_p; g; g = g->next_p)
            for (const oper *o = g->oper_list_p; o; o = o->next_p)
                if (std::string(o->name) == name) return o;
    return nullptr;
}

class TemplateScanTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
    }

    void TearDown() override {
        free_plan_tree(&plan_);
        free_plan_tree(&groups_);
        free_plan_tree(&opers_);
        static_edit_current_part = 0;
        StandinTest::TearDown();
    }

    tag_t display(const std::string &path) {
        std::string error;
        const tag_t part = nxhost::load_part(path, &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        return part;
    }

    int scan(const char *template_file) { return get_template_group_and_oper(template_file, &plan_, &groups_, &opers_); }

    r_m_f_or_other *plan_ = nullptr, *groups_ = nullptr, *opers_ = nullptr;
};

// A template operation whose cutter is "NONE" has none in the plan: it is the user's to choose.
TEST_F(TemplateScanTest, AnOperationOfTheCutterNoneHasNoCutter) {
    const std::string path = drive_dir() + "/qz_conf/cam_qz/cam_template/cu_std.prt";
    nlohmann::json part = nlohmann::json::parse(testsupport::read_host_file(path));
    for (auto &entry : part["cam"]["machine"]) {
        if (entry.value("cutter", "") == "D0.5") entry["members"] = nlohmann::json::array();
        if (entry.contains("unused")) entry["unused"].push_back({{"operation", "FIX_TEXT-F6"}});
    }
    write_file("qz_conf/cam_qz/cam_template/no_cutter.prt", part.dump());
    display("D:\\samples\\electrodes.prt");
    ASSERT_EQ(scan("no_cutter.prt"), 1);
    const oper *text = find_oper(plan_, "FIX_TEXT-F6");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->tool_data_p, nullptr);
    EXPECT_STREQ(text->tool_name, "");
}

TEST_F(TemplateScanTest, TheChosenTemplateBecomesThePlanAndTheWorkingPartGetsItsSetup) {
    const tag_t work = display("D:\\samples\\electrodes.prt");
    ASSERT_EQ(scan("cu_std.prt"), 1);
    // BAK, PROGRAM and R_BAK are left out.
    EXPECT_EQ(plan_lines(plan_), (Lines{
                                     "R 0 open",
                                     "  R1-R 0",
                                     "    CAV_TOP-R1 0 100/260 D12 0.3/0.15 cu_std new",
                                     "    CAV_EDM-R2 0 100/260 D6/D12 0.3/0.15 cu_std new",
                                     "M 1 open",
                                     "  M1-M 1",
                                     "    ZLE_EDM-M1-S0.05 1 100/263 D10R0.5 0.1/0.1 S0.15 cu_std new",
                                     "    ZLE_45_90-M2 1 100/263 D6R1 0.1/0.1 cu_std new",
                                     "F 2 open",
                                     "  F1-F 2",
                                     "    FACE_EDM-F1 2 100/261 D10 0/0 cu_std new",
                                     "    PLAN_EDM-F2 2 100/110 D6 0/0 cu_std new",
                                     "    ZLE_EDM-F3 2 100/263 D6R1 0/0 cu_std new",
                                     "  F2-F 2",
                                     "    FIX_0_45-F4 2 100/210 R2 0/0 cu_std new",
                                     "    FIX_0_90-F5 2 100/210 R1 0/0 cu_std new",
                                     "    FIX_TEXT-F6 2 100/210 D0.5 0/0 cu_std new",
                                 }));
    // The cutter records are the library records the template's cutters were made from.
    const oper *rough = find_oper(plan_, "CAV_TOP-R1");
    ASSERT_TRUE(rough && rough->tool_data_p && rough->ref_tool_data_p == nullptr);
    const tool_data &d12 = *rough->tool_data_p;
    EXPECT_EQ(std::string(d12.tool_name) + " " + d12.holder_name + " " + d12.tool_descr,
              "D12 HSK63A_SF12_90 flat_end_mill_D12_carbide_4F");
    EXPECT_EQ(std::vector<double>({d12.tool_dia, d12.tool_len, d12.tool_flute, d12.speed, d12.per_cut_depth,
                                   d12.cut_feed, double(d12.tool_number), double(d12.flute_number)}),
              std::vector<double>({12, 75, 26, 4500, 0.5, 1600, 107, 4}));
    EXPECT_EQ(plan_lines(groups_).size(), 13u);
    EXPECT_EQ(plan_lines(groups_)[1], "  R_ROUGH 3 open") << "insert trees show their groups open";
    EXPECT_EQ(plan_lines(opers_)[2], "    CAV_TOP-R1 0 100/260 D12 0.3/0.15 insert_oper_template new");

    EXPECT_EQ(UF_PART_ask_display_part(), work) << "the working part is displayed again";
    tag_t setup = NULL_TAG, root = NULL_TAG;
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    ASSERT_EQ(UF_SETUP_ask_program_root(setup, &root), 0);
    char name[UF_OBJ_NAME_BUFSIZE];
    tag_t *members = nullptr;
    int count = 0;
    ASSERT_EQ(UF_NCGROUP_ask_member_list(root, &count, &members), 0);
    ASSERT_EQ(count, 2) << "NONE and TT's PROGRAM";
    UF_OBJ_ask_name(members[1], name);
    EXPECT_STREQ(name, "PROGRAM");
    UF_free(members);
    EXPECT_EQ(UF_PART_is_loaded("D:\\qz_conf\\cam_qz\\cam_template\\cu_std.prt"), 1) << "template parts stay loaded";
    EXPECT_FALSE(nxhost::store().is_modified(nxhost::loaded_parts()[1])) << "templates are only read";
}

TEST_F(TemplateScanTest, EditingTheCurrentPartRecordsItsOwnGroupsAndOperations) {
    const tag_t template_part = display("D:\\qz_conf\\cam_qz\\cam_template\\cu_quick.prt");
    static_edit_current_part = 1;
    ASSERT_EQ(scan("anything.prt"), 1) << "the displayed part is the template, nothing is opened for it";
    EXPECT_EQ(plan_lines(plan_), (Lines{"R 0 open", "  R1-R 0", "    CAV_TOP-R1 0 100/260 D16R0.8 0.3/0.15 cu_quick made",
                                        "F 2 open", "  F1-F 2", "    ZLE_EDM-F1 2 100/263 D10R0.5 0/0 cu_quick made",
                                        "    FACE_BOT-F2-S-0.05 2 100/261 D10 0/0 S-0.05 cu_quick made"}));
    tag_t found = NULL_TAG;
    UF_OBJ_cycle_by_name("CAV_TOP-R1", &found);
    EXPECT_EQ(find_oper(plan_, "CAV_TOP-R1")->obj_tag, found);
    EXPECT_NE(plan_->obj_tag, NULL_TAG);
    EXPECT_NE(groups_, nullptr) << "the insert templates are still read";
    EXPECT_EQ(UF_PART_ask_display_part(), template_part);
}

TEST_F(TemplateScanTest, BadTemplatesEndTheScanWithTheirMessage) {
    write_file("qz_conf/cam_qz/cam_template/plain.prt", R"({"format":"nxhost-part/1"})");
    const struct {
        const char *what, *file;
        std::function<void()> prepare;
        Lines messages;
    } cases[] = {
        {"a template without setup", "plain.prt", [] {},
         {"Open template file err!", english("get_template_group_and_ope_03:")}},
        {"a missing template", "gone.prt", [] {}, {"Open template file err!", "open cam_template_file err"}},
        {"a broken insert template", "cu_quick.prt",
         [this] { write_file("qz_conf/cam_qz/insert_template/insert_oper_template.prt", "{ not json"); },
         {"Open template file err!", "open cam_template_file err"}},
        {"no CAM configuration", "cu_quick.prt", [this] { set_env("UGII_CAM_CONFIG", ""), set_env("UGII_BASE_DIR", ""); },
         {english("get_template_group_and_ope_01:")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        c.prepare();
        const tag_t work = display("D:\\samples\\electrodes.prt");
        const std::size_t bodies = nxhost::store().in_part(work).size();
        EXPECT_EQ(scan(c.file), 0);
        EXPECT_EQ(shown("message"), c.messages);
        EXPECT_GE(nxhost::store().in_part(work).size(), bodies) << "nothing of the working part is lost";
    }
    EXPECT_NE(plan_, nullptr) << "the plan of the broken insert case was read before its insert pass failed";
}

TEST_F(TemplateScanTest, EveryFailingNxCallOfAScanEndsItWithoutACrashOrALeak) {
    // Small insert templates keep the number of calls, and so of runs, down.
    const std::string quick = read_file("qz_conf/cam_qz/cam_template/cu_quick.prt");
    write_file("qz_conf/cam_qz/insert_template/insert_group_template.prt", quick);
    write_file("qz_conf/cam_qz/insert_template/insert_oper_template.prt", quick);
    write_file("parts/box.prt", R"({"format":"nxhost-part/1","bodies":[{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}}]})");
    auto setup = [&] { display("D:\\parts\\box.prt"); };
    const long calls = testsupport::run_failing_each_call(setup, [&] {
        const tag_t work = UF_PART_ask_display_part();
        const std::size_t objects = nxhost::store().in_part(work).size();
        scan("cu_quick.prt");
        free_plan_tree(&plan_);
        free_plan_tree(&groups_);
        free_plan_tree(&opers_);
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        EXPECT_GE(nxhost::store().in_part(work).size(), objects) << "nothing of the working part is lost";
        for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
    });
    EXPECT_GT(calls, 100);
}

}  // namespace
