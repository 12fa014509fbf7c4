// A whole session through nxhost: what the transcript shows, what is saved, and the options
// that change what the add-on sees.
#include <filesystem>
#include <string>
#include <vector>

#include "runner_fixture.h"

namespace fs = std::filesystem;

namespace runnertest {
namespace {

TEST_F(RunnerTest, AGoodScenarioShowsEveryTextInOrderWithItsKind) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> wanted = {
        "[message] 探针测试开始",  // GBK bytes of the add-on, shown as UTF-8
        "[message] probe: ascii message",
        "[status] probe running",
        "[listing] release: V12.0.2.9",
        // Text mode drops each CR before LF: the lengths hold no CR.
        "[listing] input line 1: \"alpha\" (5 chars)",
        "[listing] input line 2: \"beta gamma\" (10 chars)",
        "[listing] input line 3: \"\" (0 chars)",
        "[listing] input line 4: \"end\" (3 chars)",
        "[listing] catalogue: 探针目录",
        "[prompt] Select solids to probe",
        "[listing] picked E1 (PROBE_ORDER 1)",
        "[listing] picked E2 (PROBE_ORDER 2)",
        "[console] probe: 2 bodies picked",
        "[listing] dialog: toggle on",
        "[listing] dialog: OK with list=E2 toggle=1 real=0.250",
        "[listing] dialog: response 2",
        "[listing] probe done",
        "[console] probe: cleanup before unload",
    };
    std::vector<std::string> lines = lines_of(r.out);
    std::string missing;
    EXPECT_TRUE(in_order(lines, wanted, &missing)) << "missing or out of order: " << missing << "\n" << r.out;
    for (const std::string &line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.rfind("[", 0), 0u) << "a line without its kind: " << line;
    }
}

TEST_F(RunnerTest, TheDialogIsPlayedAsTheScriptSays) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::vector<std::string> wanted = {
        "[dialog] open probe_dlg.dlg \"探针 probe\"",
        "[dialog] > set TOGGLE_2 1",
        "[dialog] > select LIST_1 E2",
        "[dialog] > set REAL_3 0.25",
        "[dialog] > press OK",
        "[dialog] close probe_dlg.dlg (response 2)",
    };
    std::string missing;
    EXPECT_TRUE(in_order(lines_of(r.out), wanted, &missing)) << "missing: " << missing << "\n" << r.out;
}

TEST_F(RunnerTest, TheTranscriptFileHoldsExactlyWhatStdoutShowed) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
}

TEST_F(RunnerTest, TheChangedPartIsSavedAndReloadsWithTheNewAttributes) {
    ProcessResult r = run_probe();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string saved = out_dir() + "/probe.prt";
    ASSERT_TRUE(fs::exists(saved)) << r.err;
    EXPECT_EQ(read_file(drive_dir() + "/samples/probe.prt"),
              read_file(sample_part_path()))
        << "the input part is never written";

    ProcessResult tree = nxhost({"tree", saved});
    ASSERT_EQ(tree.exit_code, 0) << tree.err;
    std::vector<std::string> lines = lines_of(tree.out);
    EXPECT_TRUE(any_line_has(body_lines(lines, "E1"), {"attr PROBE_ORDER (integer) = 1"})) << tree.out;
    EXPECT_TRUE(any_line_has(body_lines(lines, "E2"), {"attr PROBE_ORDER (integer) = 2"})) << tree.out;
    EXPECT_TRUE(any_line_has(body_lines(lines, "E1"), {"attr elec_rough_space (real) = 0.15"}))
        << "what the part had is kept\n" << tree.out;
    for (const char *untouched : {"CLAMP", "BASE"}) {
        ASSERT_FALSE(body_lines(lines, untouched).empty()) << untouched << "\n" << tree.out;
        EXPECT_FALSE(any_line_has(body_lines(lines, untouched), {"PROBE_ORDER"})) << untouched << "\n" << tree.out;
    }
}

TEST_F(RunnerTest, TheReleaseOptionIsWhatTheAddonSees) {
    ProbeRun run;
    run.extra_args = {"--release", "V1899.0.0.1"};
    ProcessResult r = run_probe(run);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("[listing] release: V1899.0.0.1\n"), std::string::npos) << r.out;
}

TEST_F(RunnerTest, TheLanguageOptionChoosesTheCatalogueFolder) {
    struct Case {
        std::vector<std::string> args;
        const char *first_line;
    };
    const std::string own = write_file("own_lang/torvane.txt", "own catalogue\r\n");
    const Case cases[] = {
        {{}, "[listing] catalogue: 探针目录"},
        {{"--lang", "zh"}, "[listing] catalogue: 探针目录"},
        {{"--lang", "en"}, "[listing] catalogue: English probe catalogue"},
        {{"--mount", "D:\\QZ_CONF\\lang=" + fs::path(own).parent_path().string()}, "[listing] catalogue: own catalogue"},
    };
    for (const Case &c : cases) {
        ProbeRun run;
        run.extra_args = c.args;
        ProcessResult r = run_probe(run);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_NE(r.out.find(std::string(c.first_line) + "\n"), std::string::npos)
            << (c.args.empty() ? "default" : c.args[1]) << "\n" << r.out;
    }
}

TEST_F(RunnerTest, DialogFilesComeFromTheDialogsOptionBeforeTheFolderBesideTheAddon) {
    const std::string layout = read_file(fs::path(probe_path()).parent_path().string() + "/dialogs/probe_dlg.dlg");
    ASSERT_NE(layout.find("\"探针 probe\""), std::string::npos);
    std::string renamed = layout;
    renamed.replace(renamed.find("\"探针 probe\""), std::string("\"探针 probe\"").size(), "\"own probe\"");
    const std::string own = write_file("own_dialogs/probe_dlg.dlg", renamed);

    ProbeRun run;
    run.extra_args = {"--dialogs", fs::path(own).parent_path().string()};
    ProcessResult r = run_probe(run);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("[dialog] open probe_dlg.dlg \"own probe\"\n"), std::string::npos) << r.out;

    run.extra_args = {"--dialogs", "/nonexistent/dialogs"};
    r = run_probe(run);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("--dialogs: '/nonexistent/dialogs' is not a directory"), std::string::npos) << r.err;
}

TEST_F(RunnerTest, TreeListsTheBodiesOfTheSamplePartWithNamesAndAttributes) {
    ProcessResult r = nxhost({"tree", "D:\\samples\\probe.prt", "--drive", "D=" + drive_dir()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> lines = lines_of(r.out);
    struct Case {
        const char *body;
        const char *attribute;  // one line under the body
    };
    const Case cases[] = {
        {"E1", "attr elec_rough_space (real) = 0.15"},    {"E1", "attr elec_finish_space (real) = 0.05"},
        {"E1", "attr elec_rough_number (integer) = 1"},   {"E1", "attr elec_finish_number (integer) = 1"},
        {"E2", "attr elec_rough_space (real) = 0.15"},    {"E2", "attr elec_finish_number (integer) = 1"},
        {"CLAMP", "attr IS_CLAMP (string) = \"1\""},       {"BASE", "attr IS_ELEC_BOT_BLOCK (string) = \"1\""},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(any_line_has(body_lines(lines, c.body), {c.attribute})) << c.body << ": " << c.attribute << "\n"
                                                                            << r.out;
    EXPECT_TRUE(any_line_has(lines, {"part D:\\samples\\probe.prt", "units mm"})) << r.out;
}

TEST_F(RunnerTest, TreeOfAPartThatCannotBeLoadedSaysWhy) {
    ProcessResult r = nxhost({"tree", "D:\\samples\\missing.prt", "--drive", "D=" + drive_dir()});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("missing.prt"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace runnertest
