// A whole session through nxhost: what the transcript shows, what is saved, and the options
// that change what the add-on sees.
#include "runner_fixture.h"

namespace runnertest {
namespace {

TEST_F(RunnerTest, AGoodScenarioShowsEveryTextInOrderWithItsKind) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> wanted = {
        kStartBox,
        "[message] probe: ascii message",
        "[status] probe running",
        "[listing] release: V12.0.2.9",
        // Text files on drive D read in text mode: the lengths hold no CR.
        "[listing] input line 1: \"alpha\" (5 bytes)",
        "[listing] input line 3: \"\" (0 bytes)",
        "[listing] input line 4: \"end\" (3 bytes)",
        "[listing] catalogue line 1: \"探针目录\" (8 bytes)",
        "[prompt] Select solids to probe",
        "[listing] picked E1 (PROBE_ORDER 1)",
        "[listing] picked E2 (PROBE_ORDER 2)",
        "[console] probe: 2 bodies picked",
        "[dialog] open probe_dlg.dlg \"探针 probe\"",
        "[dialog] > set TOGGLE_2 1",
        "[listing] dialog: toggle on",
        "[dialog] > press OK",
        "[listing] dialog: OK with list=E2 toggle=1 real=0.250",
        "[dialog] close probe_dlg.dlg (response 2)",
        "[listing] dialog: response 2",
        "[listing] probe done",
        "[console] probe: cleanup before unload",
    };
    EXPECT_EQ(first_missing(r.out, wanted), "") << r.out;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.rfind("[", 0), 0u) << "a line without its kind: " << line;
    }
    EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
}

// The saved part is read back with `nxhost tree` through a drive of its own.
TEST_F(RunnerTest, TheChangedPartIsSavedAndReloadsWithTheNewAttributes) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    ASSERT_TRUE(fs::exists(out_dir() + "/probe.prt")) << r.err;
    EXPECT_EQ(read_file(drive_dir() + "/samples/probe.prt"), read_file(sample_part_path()))
        << "the input part is never written";

    ProcessResult tree = nxhost({"tree", "E:\\probe.prt", "--drive", "E=" + out_dir()});
    ASSERT_EQ(tree.exit_code, 0) << tree.err;
    const std::pair<const char *, const char *> cases[] = {
        {"E1", "attr PROBE_ORDER (integer) = 1"},
        {"E2", "attr PROBE_ORDER (integer) = 2"},
        // What the part had is kept, on the picked bodies and the others.
        {"E1", "attr elec_rough_space (real) = 0.15"},
        {"CLAMP", "attr IS_CLAMP (string) = \"1\""},
        {"BASE", "attr IS_ELEC_BOT_BLOCK (string) = \"1\""},
    };
    for (const auto &[body, attribute] : cases)
        EXPECT_NE(body_text(tree.out, body).find(attribute), std::string::npos) << body << ": " << attribute;
    for (const char *untouched : {"CLAMP", "BASE"})
        EXPECT_EQ(body_text(tree.out, untouched).find("PROBE_ORDER"), std::string::npos) << untouched;
}

// Catalogues and dialogs of the user's own come before those on drive D and beside the add-on.
TEST_F(RunnerTest, TheRunOptionsChangeWhatTheAddonSees) {
    const std::string own_lang = write_file("own_lang/torvane.txt", "own catalogue\r\n");
    std::string layout = read_file(built("tests/runner/dialogs/probe_dlg.dlg"));
    const std::string title = "\"探针 probe\"";
    ASSERT_NE(layout.find(title), std::string::npos);
    layout.replace(layout.find(title), title.size(), "\"own probe\"");
    const std::string own_dialog = write_file("own_dialogs/probe_dlg.dlg", layout);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--release", "V1899.0.0.1"}, "[listing] release: V1899.0.0.1"},
        {{"--lang", "zh"}, "[listing] catalogue line 1: \"探针目录\" (8 bytes)"},
        {{"--lang", "en"}, "[listing] catalogue line 1: \"English probe catalogue\" (23 bytes)"},
        {{"--mount", "D:\\QZ_CONF\\lang=" + fs::path(own_lang).parent_path().string()},
         "[listing] catalogue line 1: \"own catalogue\" (13 bytes)"},
        {{"--dialogs", fs::path(own_dialog).parent_path().string()}, "[dialog] open probe_dlg.dlg \"own probe\""},
    };
    for (const auto &[args, line] : cases) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        ProbeRun run;
        run.extra_args = args;
        ProcessResult r = run_probe(run);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_NE(r.out.find(line + "\n"), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace runnertest
