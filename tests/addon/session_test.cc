// A run of the add-on as NX makes it, in-process against the stand-in: the start, the
// template dialog, the electrodes of a turn and the end, played from scenario scripts on a
// copy of the shipped configuration with the English catalogues.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/parts.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "standin_test.h"
#include "torvane/dialogs/sel_template_dlg.h"
#include "torvane/session/session.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_obj.h"

namespace fs = std::filesystem;

namespace {

using addontest::english;
using Names = std::vector<std::string>;

bool contains(const std::vector<std::string> &texts, const std::string &part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string &t) { return t.find(part) != std::string::npos; });
}

bool has_line(const std::vector<std::string> &texts, const std::string &line) {
    return std::find(texts.begin(), texts.end(), line) != texts.end();
}

std::string joined(const std::vector<std::string> &texts) {
    std::string all;
    for (const std::string &t : texts) all += t;
    return all;
}

// A part of count unit boxes named B1 .. B<count>; clamps are marked as the design tools mark them.
std::string boxes_part(int count, const std::vector<int> &clamps = {}) {
    std::string bodies;
    for (int i = 1; i <= count; ++i) {
        const double x = (i - 1) * 2.0;
        bool clamp = std::find(clamps.begin(), clamps.end(), i) != clamps.end();
        bodies += std::string(i > 1 ? "," : "") + "{\"name\":\"B" + std::to_string(i) + "\",\"shape\":{\"box\":{\"min\":[" +
                  std::to_string(x) + ",0,0],\"max\":[" + std::to_string(x + 1) + ",1,1]}}" +
                  (clamp ? ",\"attributes\":[{\"title\":\"IS_CLAMP\",\"type\":\"string\",\"value\":\"\"}]" : "") + "}";
    }
    return "{\"format\":\"nxhost-part/1\",\"units\":\"mm\",\"bodies\":[" + bodies + "]}";
}

class SessionTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        addontest::install_shipped_conf(drive_dir());
        use_nx_root(addontest::kShippedCamConfig);
        static bool dialogs_added = false;
        if (!dialogs_added) nxhost::add_dialog_directory((fs::path(testsupport::source_dir()) / "torvane/dialogs").string());
        dialogs_added = true;
    }

    void display(const std::string &relative) {
        std::string error;
        tag_t part = nxhost::load_part("D:\\" + relative, &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
    }

    void display_json(const std::string &json) {
        write_file("parts/test.prt", json);
        display("parts\\test.prt");
    }

    // A set of one labelled template whose part (the shipped quick template) lies in the template
    // directory.
    void one_template_set() {
        write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", "COPPER;cu.prt;cu.bmp;rough|finish\n");
        write_file("qz_conf/cam_qz/cam_template/cu.prt", read_file("qz_conf/cam_qz/cam_template/cu_quick.prt"));
    }

    void run(const std::string &script) {
        play(script);
        run_torvane();
    }

    // Names of the electrodes a turn takes, all visible solids or the user's selection.
    Names turn_electrodes(bool all_solids) {
        build_lang_path(static_lang_file, TORVANE_LANG_FORMAT);
        static_use_all_solids = all_solids ? 1 : 0;
        Names names;
        if (collect_turn_electrodes())
            for (int i = 0; i < static_elec_count; ++i) {
                char name[UF_OBJ_NAME_BUFSIZE] = "";
                UF_OBJ_ask_name(static_elec_tags[i], name);
                names.push_back(name);
            }
        reset_turn_state();
        return names;
    }
};

TEST_F(SessionTest, AllVisibleSolidsAreTakenWithoutClampsAndBaseBlocks) {
    display("samples\\electrodes.prt");
    EXPECT_EQ(turn_electrodes(true), (Names{"EL-001", "EL-002", "EL-003", "EL-004"}));
}

TEST_F(SessionTest, AtMostTwoHundredElectrodesAreKeptInCyclingOrder) {
    display_json(boxes_part(250, {3}));
    const Names electrodes = turn_electrodes(true);
    ASSERT_EQ(electrodes.size(), 200u);
    EXPECT_EQ(electrodes.back(), "B201") << "the clamp is dropped and the 201st box takes its place";
    EXPECT_EQ(std::count(electrodes.begin(), electrodes.end(), "B3"), 0);
}

TEST_F(SessionTest, PickedClampsStayInAnInteractiveSelection) {
    display_json(boxes_part(3, {2}));
    play("pick solids B1 B2\n");
    EXPECT_EQ(turn_electrodes(false), (Names{"B1", "B2"}));
    EXPECT_TRUE(contains(shown("prompt"), english("ufusr_02:"))) << joined(shown("prompt"));
}

// Each row: what the user or the configuration does, and what ends the run.
struct EndCase {
    const char *name;
    const char *part;    // "" for no displayed part
    const char *script;
    const char *message_tag;  // shown in a message box, "" for none
    bool dialog_opened;
};

class SessionEndTest : public SessionTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SessionEndTest, EndsTheRunCleanly) {
    const EndCase &c = GetParam();
    one_template_set();
    if (c.part[0] == 'B') display_json(boxes_part(2, {1, 2}));
    if (c.part[0] == 'E') display("samples\\electrodes.prt");
    run(c.script);
    if (c.message_tag[0]) EXPECT_TRUE(contains(shown("message"), english(c.message_tag))) << joined(shown("message"));
    else EXPECT_TRUE(shown("message").empty()) << joined(shown("message"));
    EXPECT_EQ(contains(shown("dialog"), "open sel_cam_template_dlg.dlg"), c.dialog_opened);
    EXPECT_FALSE(contains(shown("dialog"), "open torvane_dlg.dlg")) << "no turn reached the main dialog";
}

INSTANTIATE_TEST_SUITE_P(
    Turns, SessionEndTest,
    ::testing::Values(EndCase{"NoDisplayedPart", "", "", "ufusr_01:", false},
                      EndCase{"DialogCancelled", "E", "dialog sel_cam_template_dlg.dlg\n press CANCEL\n", "", true},
                      EndCase{"DialogBack", "E", "dialog sel_cam_template_dlg.dlg\n press BACK\n", "", true},
                      EndCase{"SelectionCancelled", "E", "dialog sel_cam_template_dlg.dlg\n press OK\ncancel\n", "", true},
                      EndCase{"OnlyClampsVisible", "B", "dialog sel_cam_template_dlg.dlg\n set TOGGLE_2 1\n press OK\n",
                              "ufusr_03:", true}),
    [](const ::testing::TestParamInfo<EndCase> &info) { return std::string(info.param.name); });

// Whatever NX call fails, the run ends without a crash and gives back all NX memory. A failure
// may keep a dialog open where the scenario expects it closed; such runs only prove that nothing
// crashed before the scenario stopped them. The main dialog's own actions fail in turn in its
// tests.
TEST_F(SessionTest, EveryFailingNxCallEndsTheRunCleanly) {
    one_template_set();
    const std::string part = boxes_part(3, {2});
    auto setup = [&] {
        // Every run starts from the same settings: a saved state file would spare calls.
        fs::remove(fs::path(drive_dir()) / "qz_conf/temp/torvane.dat");
        display_json(part);
        play("dialog sel_cam_template_dlg.dlg\n set TOGGLE_2 1\n press OK\ndialog torvane_dlg.dlg\n press BACK\n");
    };
    long completed = 0;
    long calls = testsupport::run_failing_each_call(setup, [&] {
        try {
            run_torvane();
        } catch (const nxhost::script::ScriptError &) {
            // A failure that changed the questions stopped the scenario inside the run; what the
            // run held is given back before the next one.
            reset_turn_state();
            free_part_file_list();
            return;
        }
        ++completed;
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        EXPECT_EQ(nxhost::misuse_lines(), std::vector<std::string>{}) << "a failed call leads to no misuse";
    });
    EXPECT_GT(calls, 20);
    EXPECT_GT(completed, calls * 3 / 4);
}

// NX as the runner plays it holds no session of its own: when the add-on's UF_initialize fails,
// or its UF_terminate does (which ends the session all the same), the code reaches stderr only,
// and no call is made outside a session.
TEST_F(SessionTest, AFailedStartOrEndOfTheSessionIsReportedWithoutASession) {
    for (const char *call : {"UF_initialize", "UF_terminate"}) {
        SCOPED_TRACE(call);
        ASSERT_EQ(UF_terminate(), 0) << "the test's own session";
        nxhost::fail_calls_named(call, 1);
        testing::internal::CaptureStderr();
        run("");
        const std::string err = testing::internal::GetCapturedStderr();
        nxhost::fail_calls_named(call, 0);
        EXPECT_EQ(nxhost::calls_failed(), 1);
        EXPECT_NE(err.find("The operation was aborted"), std::string::npos) << err;
        EXPECT_FALSE(nxhost::session_open());
        EXPECT_EQ(nxhost::misuse_lines(), std::vector<std::string>{});
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
    }
}

TEST_F(SessionTest, ATemplateNotInTheSetKeepsTheDialogOpen) {
    // A part whose file name holds a blank is listed by its name but can never be matched.
    write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", "# no templates yet\n");
    write_file("qz_conf/cam_qz/cam_template/my part.prt", "{\"format\":\"nxhost-part/1\"}");
    display("samples\\electrodes.prt");
    run("dialog sel_cam_template_dlg.dlg\n select LIST_1 \"my part.prt\"\n press OK\n press CANCEL\n");
    const std::vector<std::string> messages = shown("message");
    EXPECT_TRUE(contains(messages, english("SEL_TEMP_ok_c_01:") + " part.prt " + english("SEL_TEMP_ok_c_02:")))
        << joined(messages);
    EXPECT_FALSE(contains(shown("dialog"), "open torvane_dlg.dlg"));
}

TEST_F(SessionTest, EditingTheCurrentPartSelectsTheElectrodes) {
    display("samples\\electrodes.prt");
    run("dialog sel_cam_template_dlg.dlg\n activate BLO_3\npick solids EL-002\ndialog torvane_dlg.dlg\n press BACK\n");
    const std::vector<std::string> dialog = shown("dialog");
    EXPECT_TRUE(has_line(dialog, "  STR_38 string: \"1\" insensitive")) << joined(dialog);
    EXPECT_TRUE(has_line(dialog, "  MTXT_31 multi_line_text: \"" + english("SEL_TEMP_edit_current_part_c_01:") + "\""))
        << joined(dialog);
}

TEST_F(SessionTest, AMissingToolLibraryNameEndsTheRunBeforeAnyDialog) {
    std::string libref = read_file("qz_conf/config_tool_libref.def");
    const std::string key = "tool_libref_4_name:";
    ASSERT_NE(libref.find(key), std::string::npos);
    libref.replace(libref.find(key), key.size(), "tool_libref_9_name:");
    write_file("qz_conf/config_tool_libref.def", libref);
    display("samples\\electrodes.prt");
    run("");
    EXPECT_TRUE(contains(shown("message"), key)) << joined(shown("message"));
    EXPECT_FALSE(contains(shown("dialog"), "open"));
}

TEST_F(SessionTest, TheDialogRemembersItsLineAndToggle) {
    write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", "A;a.prt;;first\nB;b.prt;b.bmp;second|two\n");
    display("samples\\electrodes.prt");
    run("dialog sel_cam_template_dlg.dlg\n select LIST_1 \"B  b.prt\"\n set TOGGLE_2 1\n press CANCEL\n");
    const std::string state = read_file("qz_conf/temp/torvane_sel_temp.dat");
    ASSERT_EQ(state.size(), 8u);
    EXPECT_EQ(state, std::string("\x01\0\0\0\x01\0\0\0", 8));

    clear_shown();
    run("dialog sel_cam_template_dlg.dlg\n press CANCEL\n");
    const std::string dialog = joined(shown("dialog"));
    EXPECT_NE(dialog.find("*\"B  b.prt\""), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("TOGGLE_2 toggle: 1"), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("MTXT_3 multi_line_text: \"second\" \"two\""), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("cam_template\\b.bmp"), std::string::npos) << dialog;
}

TEST_F(SessionTest, AShortOrMissingStateFileStartsOnTheFirstLineWithTheToggleOff) {
    write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", "A;a.prt;;first\nB;b.prt;b.bmp;second\n");
    display("samples\\electrodes.prt");
    for (const std::string &bytes : {std::string("\x01\0\0\0\x01\0\0", 7), std::string()}) {
        SCOPED_TRACE(bytes.empty() ? "missing" : "short");
        if (bytes.empty()) fs::remove(fs::path(drive_dir()) / "qz_conf/temp/torvane_sel_temp.dat");
        else write_file("qz_conf/temp/torvane_sel_temp.dat", bytes);
        clear_shown();
        run("dialog sel_cam_template_dlg.dlg\n press CANCEL\n");
        const std::string dialog = joined(shown("dialog"));
        EXPECT_NE(dialog.find("*\"A  a.prt\""), std::string::npos) << dialog;
        EXPECT_NE(dialog.find("TOGGLE_2 toggle: 0"), std::string::npos) << dialog;
    }
}

TEST(SelTemplateLines, ListLinesAndNamesReadBack) {
    struct Row {
        const char *label, *file, *line, *name;
    } rows[] = {
        {"COPPER", "cu.prt", "COPPER  cu.prt", "cu.prt"},
        {"", "graphite.prt", "graphite.prt", "graphite.prt"},
        {"", "my part.prt", "my part.prt", "part.prt"},  // a blank in a file name cannot be matched
    };
    for (const Row &r : rows) {
        cam_template record;
        std::snprintf(record.label, sizeof record.label, "%s", r.label);
        std::snprintf(record.template_file, sizeof record.template_file, "%s", r.file);
        char line[SEL_TEMP_LINE_BUFSIZE];
        char name[SEL_TEMP_LINE_BUFSIZE];
        sel_temp_list_line(&record, line);
        sel_temp_name_of_line(line, name);
        EXPECT_STREQ(line, r.line);
        EXPECT_STREQ(name, r.name);
    }
    char name[SEL_TEMP_LINE_BUFSIZE];
    sel_temp_name_of_line("ONLY   ", name);
    EXPECT_STREQ(name, "");
}

TEST(SelTemplateLines, DescriptionsSplitAtBars) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(sel_temp_description_lines("rough|finish|"), (Lines{"rough", "finish"}));
    EXPECT_EQ(sel_temp_description_lines("|rough"), (Lines{"", "rough"}));
    EXPECT_EQ(sel_temp_description_lines(""), (Lines{""}));
    EXPECT_EQ(sel_temp_description_lines("one"), (Lines{"one"}));
}

TEST(NxRelease, LeadingNumberFromTheFirstDigit) {
    struct Row {
        const char *text;
        int found;
        double release;
    } rows[] = {{"V12.0.2.9", 1, 12.0}, {"NX 10.0", 1, 10.0}, {"V1899.1", 1, 1899.1}, {"release", 0, 0.0}, {"", 0, 0.0}};
    for (const Row &r : rows) {
        double release = -1;
        EXPECT_EQ(release_number_of_text(r.text, &release), r.found) << r.text;
        EXPECT_DOUBLE_EQ(release, r.release) << r.text;
    }
}

}  // namespace
