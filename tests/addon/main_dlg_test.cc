// The main dialog played as a user plays it, in-process against the stand-in on a copy of the
// shipped configuration (English catalogues): the class switches it opens with, the settings it
// keeps, its directory choosers, the list actions of this version, plans at their limits, and
// every NX call of a dialog session failing in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/parts.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "standin_test.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/session/session.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_obj.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace fs = std::filesystem;

namespace {

using addontest::english;
using Lines = std::vector<std::string>;

const char TEMPLATES[] = "STD;cu_std.prt;;all classes\nQUICK;cu_quick.prt;;rough and finish\n";
const char STATE_FILE[] = "qz_conf/temp/torvane.dat";

std::string joined(const Lines &lines) {
    std::string all;
    for (const std::string &line : lines) all += line + "\n";
    return all;
}

bool has(const Lines &lines, const std::string &line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); }

bool mentions(const Lines &lines, const std::string &part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &l) { return l.find(part) != std::string::npos; });
}

class MainDialog : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        nxhost::add_dialog_directory((fs::path(testsupport::source_dir()) / "torvane/dialogs").string());
        write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", TEMPLATES);
    }

    void TearDown() override {
        reset_turn_state();
        free_tool_data_list(&static_tool_list);
        StandinTest::TearDown();
    }

    void display(const std::string &relative) {
        std::string error;
        tag_t part = nxhost::load_part("D:\\" + relative, &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
    }

    // A whole turn: the template (its list line), all visible solids or a pick, then the main
    // dialog played by actions.
    void turn(const std::string &template_line, const std::string &actions, const std::string &pick = "") {
        play("dialog sel_cam_template_dlg.dlg\n select LIST_1 \"" + template_line + "\"\n set TOGGLE_2 " +
             (pick.empty() ? "1" : "0") + "\n press OK\n" + pick + "dialog torvane_dlg.dlg\n" + actions);
        run_torvane();
    }

    Lines dialog() const { return addontest::as_utf8(shown("dialog")); }

    dlg_state saved_state() const {
        dlg_state state{};
        const std::string bytes = read_file(STATE_FILE);
        EXPECT_EQ(bytes.size(), sizeof state);
        std::memcpy(&state, bytes.data(), std::min(bytes.size(), sizeof state));
        return state;
    }
};

// Each row: where the electrodes and the configuration stand, and the class items the dialog
// opens with.
struct ClassCase {
    const char *name;
    const char *part;      // under D:, or "" for three boxes without attributes
    const char *template_line;
    const char *pick;      // "" takes all visible solids
    const char *config;    // replaces config.def when not empty
    bool keep_stored;      // a state file with TOGGLE_34 on and stored switches
    Lines expected;
};

class MainDialogClasses : public MainDialog, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(MainDialogClasses, OpenWithTheClassSwitchesOfTheirSource) {
    const ClassCase &c = GetParam();
    if (c.part[0]) {
        display(c.part);
    } else {
        write_file("parts/boxes.prt", R"({"format":"nxhost-part/1","bodies":[)"
                                      R"({"name":"B1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}}]})");
        display("parts\\boxes.prt");
    }
    if (c.config[0]) write_file("qz_conf/config.def", c.config);
    if (c.keep_stored) {
        dlg_state stored{};
        default_dlg_state(&stored);
        stored.toggle_34 = 1;
        stored.toggle_4 = 0;
        stored.real_5 = 0.33;
        stored.toggle_8 = 1;
        stored.real_9 = 0.07;
        write_file(STATE_FILE, std::string(reinterpret_cast<const char *>(&stored), sizeof stored));
    }
    turn(c.template_line, " press BACK\n", c.pick);
    const Lines lines = dialog();
    for (const std::string &line : c.expected) EXPECT_TRUE(has(lines, line)) << line << " in\n" << joined(lines);
    EXPECT_TRUE(static_plan_list == nullptr && static_template_list == nullptr) << "the turn frees its plan and templates";
}

const char *const CONFIG_ROUGH_0 =
    "elec_rough_space: 0.15\nelec_middle_space: 0.1\nelec_finish_space: 0.05\n"
    "elec_rough_number: 0\nelec_middle_number: 1\nelec_finish_number: 2\n";

INSTANTIATE_TEST_SUITE_P(
    Sources, MainDialogClasses,
    ::testing::Values(
        ClassCase{"FirstElectrodeWithSparkNumbers", "samples\\electrodes.prt", "STD  cu_std.prt", "", "", false,
                  {"  TOGGLE_4 toggle: 1", "  REAL_5 real: 0.2", "  TOGGLE_6 toggle: 0", "  REAL_7 real: 0 insensitive",
                   "  TOGGLE_8 toggle: 1", "  REAL_9 real: 0.08", "  TOGGLE_10 toggle: 0 insensitive"}},
        ClassCase{"ConfigurationWhenNoElectrodeHasThem", "", "STD  cu_std.prt", "", "", false,
                  {"  TOGGLE_4 toggle: 1", "  REAL_5 real: 0.15", "  TOGGLE_6 toggle: 0", "  TOGGLE_8 toggle: 1",
                   "  REAL_9 real: 0.05"}},
        ClassCase{"ConfigurationWithoutRoughElectrodes", "", "STD  cu_std.prt", "", CONFIG_ROUGH_0, false,
                  {"  TOGGLE_4 toggle: 0", "  REAL_5 real: 0 insensitive", "  TOGGLE_6 toggle: 1", "  REAL_7 real: 0.1"}},
        // EL-002 asks for a middle electrode, but the quick template has no middle class.
        ClassCase{"ClassesTheTemplateLacksAreForcedOff", "samples\\electrodes.prt", "QUICK  cu_quick.prt",
                  "pick solids EL-002\n", "", false,
                  {"  TOGGLE_4 toggle: 1", "  REAL_5 real: 0.15", "  TOGGLE_6 toggle: 0 insensitive",
                   "  REAL_7 real: 0.1 insensitive", "  TOGGLE_8 toggle: 1", "  REAL_9 real: 0.05"}},
        ClassCase{"StoredSwitchesKeptOnRequest", "samples\\electrodes.prt", "STD  cu_std.prt", "", "", true,
                  {"  TOGGLE_34 toggle: 1", "  TOGGLE_4 toggle: 0", "  REAL_5 real: 0.33 insensitive",
                   "  TOGGLE_8 toggle: 1", "  REAL_9 real: 0.07"}}),
    [](const ::testing::TestParamInfo<ClassCase> &info) { return std::string(info.param.name); });

TEST_F(MainDialog, SavesWhatTheUserChangedAndNothingElse) {
    display("samples\\electrodes.prt");
    turn("STD  cu_std.prt",
         " set REAL_5 0.12\n set TOGGLE_8 0\n set RADIO_2 0\n set STR_10 core_A\n set TOGGLE_35 1\n set INT_34 240\n"
         " set REAL_23 25\n set WIDE_S_58 E:\\parts\n set TOGGLE_13 1\n set OPTION_28 \"#1\"\n set TOGGLE_57 0\n"
         " press BACK\n");
    dlg_state expected{};
    default_dlg_state(&expected);
    // As the dialog opened: the first electrode's classes, the template without an other class.
    expected.toggle_4 = 1;
    expected.real_9 = 0.08;
    // What the user changed.
    expected.real_5 = 0.12;
    expected.toggle_8 = 0;
    expected.radio_2 = 0;
    std::strcpy(expected.str_10, "CORE_A");  // its check writes it back in upper case
    expected.toggle_35 = 1;
    expected.int_34 = 240;
    expected.real_23 = 25.0;
    std::strcpy(expected.wide_s_58, "E:\\parts");
    expected.toggle_13 = 1;
    expected.option_28 = 1;
    expected.toggle_57 = 0;
    const dlg_state saved = saved_state();
    const auto *a = reinterpret_cast<const unsigned char *>(&saved);
    const auto *b = reinterpret_cast<const unsigned char *>(&expected);
    for (std::size_t offset = 0; offset < sizeof saved; ++offset)
        EXPECT_EQ(a[offset], b[offset]) << "byte " << offset << " of the state file";
}

TEST_F(MainDialog, DirectoryChoosersStartInTheFieldsDirectoryAndKeepItWhenCancelled) {
    struct Row {
        const char *button;
        const char *actions;  // up to the button, then the file box's answer
        const char *default_name;
        const char *field_line;  // "" when the field must not change
    } rows[] = {
        {"ACTION_57", " set WIDE_S_32 E:\\tasks\n activate ACTION_57\nfilebox E:\\post\\x.dat\n", "E:\\tasks\\a",
         "  WIDE_S_32 wide_string: \"E:\\post\""},
        {"ACTION_57", " activate ACTION_57\ncancel\n", "D:\\a", ""},
        {"ACTION_60", " activate ACTION_60\nfilebox E:\\out\\any.prt\n", "D:\\samples\\a",
         "  WIDE_S_59 wide_string: \"E:\\out\\electrodes.prt\""},
    };
    display("samples\\electrodes.prt");
    for (const Row &r : rows) {
        SCOPED_TRACE(r.actions);
        clear_shown();
        fs::remove(fs::path(drive_dir()) / STATE_FILE);  // each row starts from the defaults
        turn("STD  cu_std.prt", std::string(r.actions) + " press BACK\n");
        const Lines lines = dialog();
        EXPECT_TRUE(mentions(lines, std::string("default \"") + r.default_name + "\"")) << joined(lines);
        const std::string activated = std::string("callback ") + r.button + " activate -> 0";
        const auto at = std::find(lines.begin(), lines.end(), activated);
        ASSERT_NE(at, lines.end()) << joined(lines);
        const std::string next = at + 1 != lines.end() ? at[1] : "";
        if (r.field_line[0]) EXPECT_EQ(next, r.field_line);
        else EXPECT_NE(next.find("  WIDE_S_"), 0u) << "the field keeps its text: " << next;
    }
}

// The dialog alone on a plan built here: a part of two electrodes without spark numbers, the
// shipped configuration's libraries, no template scan.
class MainDialogOnPlan : public MainDialog {
protected:
    void SetUp() override {
        MainDialog::SetUp();
        const char *libraries[TOOL_LIBREF_COUNT] = {"QZ_STD_MILL", "QZ_GRAPHITE", "NONE", "NONE", "NONE", "NONE"};
        for (int n = 0; n < TOOL_LIBREF_COUNT; ++n)
            std::snprintf(static_tool_libref_names[n], TOOL_LIBREF_NAME_BUFSIZE, "%s", libraries[n]);
        read_config_edm_descr(&static_edm_descr);
        static_nx_release = 12.0;
    }

    void open_part() {
        write_file("parts/two.prt", R"({"format":"nxhost-part/1","bodies":[)"
                                    R"({"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}},)"
                                    R"({"name":"E2","shape":{"box":{"min":[2,0,0],"max":[3,1,1]}}}]})");
        display("parts\\two.prt");
        // Program names are checked against the part's CAM setup.
        EXPECT_EQ(UF_CAM_init_session(), 0);
        tag_t setup = NULL_TAG;
        UF_SETUP_ask_setup(&setup);
        if (setup == NULL_TAG) {
            EXPECT_EQ(UF_SETUP_create(UF_PART_ask_display_part(), "TT"), 0);
        }
        int rc = 0;
        static_elec_tags = static_cast<tag_t *>(UF_allocate_memory(2 * sizeof(tag_t), &rc));
        static_elec_count = 0;
        for (const char *name : {"E1", "E2"}) UF_OBJ_cycle_by_name(name, &static_elec_tags[static_elec_count++]);
    }

    // Classes R and F, each with one group; R1-R holds operations ops of a cutter each.
    void plan(int ops, const std::string &name_prefix = "CAV_TOP-R") {
        r_m_f_or_other *r = new_rmf_node("R", NULL_TAG);
        append_rmf_node(&static_plan_list, r);
        prog_group *group = new_prog_group_node("R1-R", NULL_TAG, 0);
        append_prog_group_node(r, group);
        for (int i = 1; i <= ops; ++i) {
            oper *node = new_oper_node((name_prefix + std::to_string(i)).c_str(), 100, 260, NULL_TAG);
            copy_cutter_name(node->tool_name, "D12");
            append_oper_node(group, node);
        }
        r_m_f_or_other *f = new_rmf_node("F", NULL_TAG);
        append_rmf_node(&static_plan_list, f);
        append_prog_group_node(f, new_prog_group_node("F1-F", NULL_TAG, 0));
    }

    int run(const std::string &actions) {
        play("dialog torvane_dlg.dlg\n" + actions);
        int response = 0;
        EXPECT_EQ(run_main_dialog(&response), 0);
        return response;
    }

    Lines list_lines() const {
        Lines lines, all = dialog();
        for (auto it = all.begin(); it != all.end(); ++it)
            if (it->find("  MULTI_LIST_14 multi_list:") == 0) {
                lines.clear();
                for (auto line = it + 1; line != all.end() && line->rfind("    ", 0) == 0; ++line) lines.push_back(*line);
            }
        return lines;
    }
};

// OK and Apply check the program names, store the settings, run the calculation and keep the
// dialog open; a class change renames the line and a delete takes it out.
TEST_F(MainDialogOnPlan, OkApplyAndListActionsKeepTheDialogOpen) {
    open_part();
    plan(2);
    std::snprintf(static_tool_libref_names[0], TOOL_LIBREF_NAME_BUFSIZE, "%s", "");
    EXPECT_EQ(run(" select MULTI_LIST_14 \"#2\"\n set OPTION_13 \"#2\"\n"  // CAV_TOP-R1 to middle
                  " set STR_10 ab_\n"                                         // a start name that cannot run
                  " activate BLO_19 4\n"                                      // and delete it
                  " set STR_10 ab1\n press APPLY\n press OK\n press BACK\n"),
              UF_UI_BACK);
    const Lines lines = dialog();
    EXPECT_TRUE(mentions(lines, "      CAV_TOP1-M ")) << joined(lines);
    EXPECT_TRUE(has(lines, "  STR_10 string: \"AB_\"")) << joined(lines);
    EXPECT_TRUE(has(lines, "  OPTION_28 option_menu: *\"\" \"QZ_GRAPHITE\" \"(no tool library)\""))
        << "an empty library name is offered, those set to NONE are not:\n" << joined(lines);
    // The box electrodes have no base, which their analysis says on Apply's set-up.
    Lines messages = shown("message");
    ASSERT_GE(messages.size(), 3u) << joined(messages);
    EXPECT_EQ(messages.front(), english("check_start_prog_nam_01:"));
    EXPECT_EQ(Lines(messages.end() - 2, messages.end()),
              (Lines{english("QZ_CAM_apply_c_01:"), english("QZ_CAM_ok_c_01:")}))
        << "Apply shows its text, OK only its own";
    EXPECT_FALSE(mentions(list_lines(), "CAV_TOP1-M")) << joined(list_lines());
    EXPECT_TRUE(mentions(list_lines(), "CAV_TOP-R2")) << joined(list_lines());
}

TEST_F(MainDialogOnPlan, PlansAtTheirLimitsAndStateFilesOfOtherLayouts) {
    struct Row {
        const char *what;
        int ops;
        std::string prefix;
        std::size_t state_bytes;  // 0: no state file
        std::size_t lines;
    } rows[] = {
        {"a plan without operations", 0, "X", 0, 4},
        {"a group of 300 operations", 300, "CAV_TOP-R", 1000, 304},
        {"names at their 132 characters, in code page 936",
         2, std::string(125, 'N') + "\xC7\xE5\xBD\xC7-R", 1300, 6},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        clear_shown();
        if (r.state_bytes) write_file(STATE_FILE, std::string(r.state_bytes, '\x7f'));
        else fs::remove(fs::path(drive_dir()) / STATE_FILE);
        open_part();
        plan(r.ops, r.prefix);
        EXPECT_EQ(run(" set TOGGLE_13 1\n set TOGGLE_13 0\n press BACK\n"), UF_UI_BACK);
        EXPECT_EQ(list_lines().size(), r.lines) << joined(list_lines());
        if (r.ops > 0) {
            EXPECT_TRUE(mentions(list_lines(), addontest::as_utf8({r.prefix + "1 "})[0])) << "a name is shown whole";
        }
        EXPECT_EQ(static_plan_list, nullptr);
        const dlg_state saved = saved_state();
        EXPECT_EQ(saved.real_23, r.state_bytes >= sizeof saved ? saved.real_23 : 20.0)
            << "a short file gives the defaults, of a long one the record is read";
        reset_turn_state();
    }
}

// Whatever NX call of a dialog session fails, the dialog closes, nothing crashes, all NX memory
// comes back and no call is misused.
TEST_F(MainDialogOnPlan, EveryFailingNxCallOfASessionEndsItCleanly) {
    auto setup = [&] {
        fs::remove(fs::path(drive_dir()) / STATE_FILE);
        open_part();
        plan(2);
        play("dialog torvane_dlg.dlg\n set REAL_5 0.3\n double-click MULTI_LIST_14 \"#1\"\n select MULTI_LIST_14 \"#1\"\n"
             " set OPTION_13 \"#2\"\n activate ACTION_57\nfilebox E:\\post\\x\n press APPLY\n press BACK\n");
    };
    long completed = 0;
    const long calls = testsupport::run_failing_each_call(setup, [&] {
        int response = 0;
        try {
            const int rc = run_main_dialog(&response);
            EXPECT_TRUE(rc != 0 || response == UF_UI_BACK) << "an opened dialog closes with Back";
            ++completed;
        } catch (const nxhost::script::ScriptError &) {
        }
        reset_turn_state();
        free_tool_data_list(&static_tool_list);
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        EXPECT_EQ(nxhost::misuse_lines(), Lines{});
    });
    EXPECT_GT(calls, 100);
    EXPECT_GT(completed, calls * 3 / 4);
}

}  // namespace
