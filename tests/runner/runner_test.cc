// How nxhost ends when something is wrong: the exit code of each kind of failure, a message
// that says what went wrong, and the transcript kept up to that point.
#include <functional>

#include "runner_fixture.h"

namespace runnertest {
namespace {

TEST_F(RunnerTest, EachKindOfFailureEndsWithItsExitCodeAndAClearMessage) {
    struct Case {
        const char *what;
        std::function<void(ProbeRun &)> change;
        int exit_code;
        std::vector<std::string> stderr_parts;  // each must appear on stderr
        std::vector<std::string> stdout_lines;  // each must appear on stdout, in order
    };
    const std::string no_entry = built("tests/runner/no_entry.so");
    const std::string not_a_library = write_file("not_a_library.so", "plain text\n");
    const std::string no_lang_en = drive_dir() + "/samples";
    const Case cases[] = {
        {"a malformed script stops before the add-on runs",
         [](ProbeRun &r) { r.script = "pick solids E1\n  wiggle E2\n"; }, 2,
         {"nxhost: ", "probe.scn:2: ", "wiggle"}, {}},
        {"a selection the script does not answer names the question", [](ProbeRun &r) { r.script = "# nothing\n"; }, 3,
         {"nxhost: scenario: ", "Select solids to probe"},
         {kStartBox, "[message] probe: ascii message", "[prompt] Select solids to probe"}},
        {"answers the add-on never asked for are reported with the first one's line",
         [](ProbeRun &r) { r.script = std::string(kGoodScenario) + "pick solids BASE\ncancel\n"; }, 3,
         {"nxhost: scenario: the add-on finished but 2 answer(s) remain, the first at ", "probe.scn:8"},
         {"[listing] probe done"}},
        {"an add-on that does not exist is named", [](ProbeRun &r) { r.addon = "/nonexistent/folder/torvane.so"; }, 5,
         {"nxhost: the add-on /nonexistent/folder/torvane.so cannot be loaded"}, {}},
        {"a library without ufusr is refused", [&](ProbeRun &r) { r.addon = no_entry; }, 5,
         {"nxhost: the add-on " + no_entry + " exports no ufusr"}, {}},
        {"a file that is no library is refused with the loader's reason",
         [&](ProbeRun &r) { r.addon = not_a_library; }, 5, {"cannot be loaded: "}, {}},
        {"NX memory the add-on never freed fails the run", [](ProbeRun &r) { r.mode = "leak"; }, 6,
         {"nxhost: the add-on never freed 1 block(s) of NX memory (64 bytes"}, {"[listing] probe done"}},
        {"a session left open fails the run", [](ProbeRun &r) { r.mode = "nested-open"; }, 6,
         {"nxhost: the add-on left the NX Open session open"}, {"[listing] probe done"}},
        {"a misused API call fails the run", [](ProbeRun &r) { r.mode = "misuse"; }, 6,
         {"nxhost: API misuse: UF_free: pointer was not allocated by NX"}, {"[listing] probe done"}},
        {"a part that cannot be found stops the run", [](ProbeRun &r) { r.part = "D:\\samples\\missing.prt"; }, 2,
         {"nxhost: ", "missing.prt"}, {}},
        {"a drive directory that does not exist stops the run", [](ProbeRun &r) { r.drive = "/nonexistent/drive"; }, 2,
         {"nxhost: drive D:: '/nonexistent/drive' is not a directory"}, {}},
        {"a dialogs folder that does not exist stops the run",
         [](ProbeRun &r) { r.extra_args = {"--dialogs", "/nonexistent/dialogs"}; }, 2,
         {"nxhost: --dialogs: '/nonexistent/dialogs' is not a directory"}, {}},
        {"English catalogues need their folder on drive D",
         [&](ProbeRun &r) { r.drive = no_lang_en; r.extra_args = {"--lang", "en"}; }, 2,
         {"English catalogues (--lang en)", "lang-en' is not a directory"}, {}},
        {"without --out the changed part is not saved and stderr says so", [](ProbeRun &r) { r.out = false; }, 0,
         {"no --out given: 1 changed part(s) not saved: D:\\samples\\probe.prt"}, {"[listing] probe done"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProbeRun run;
        c.change(run);
        fs::remove_all(out_dir());
        ProcessResult r = run_probe(run);
        EXPECT_EQ(r.exit_code, c.exit_code) << "stderr: " << r.err;
        for (const std::string &part : c.stderr_parts)
            EXPECT_NE(r.err.find(part), std::string::npos) << "wanted on stderr: " << part << "\nstderr: " << r.err;
        EXPECT_EQ(first_missing(r.out, c.stdout_lines), "") << "stdout: " << r.out;
        // Whatever reached stdout is in the transcript file too: nothing is lost on the way out.
        if (fs::exists(out_dir() + "/transcript.txt")) {
            EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
        }
    }
}

TEST_F(RunnerTest, ACrashLeavesTheMessagesBeforeItAndNothingAfter) {
    ProbeRun run;
    run.mode = "crash";
    ProcessResult r = run_probe(run);
    ASSERT_EQ(r.exit_code, 4) << r.err;
    EXPECT_NE(r.err.find("nxhost: the add-on crashed (signal SIGSEGV)"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, std::string(kStartBox) + "\n");
    EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
    EXPECT_FALSE(fs::exists(out_dir() + "/probe.prt")) << "a crashed session saves nothing";
}

TEST_F(RunnerTest, BadUsagePrintsTheUsageAndHelpPrintsItOnStdout) {
    ProcessResult bad = nxhost({"run", "s.scn", "--lang", "fr"});
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_NE(bad.err.find("nxhost: --lang takes 'en' or 'zh', not 'fr'\n\nusage:\n  nxhost run SCRIPT"),
              std::string::npos)
        << bad.err;
    ProcessResult help = nxhost({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("usage:\n  nxhost run SCRIPT", 0), 0u) << help.out;
}

TEST_F(RunnerTest, TreeOfAPartThatCannotBeLoadedSaysWhy) {
    ProcessResult r = nxhost({"tree", "D:\\samples\\missing.prt", "--drive", "D=" + drive_dir()});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("missing.prt"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace runnertest
