// How nxhost ends when something is wrong: the exit code of each kind of failure, a message
// that says what went wrong, and the transcript kept up to that point.
#include <filesystem>
#include <string>
#include <vector>

#include "runner_fixture.h"

namespace fs = std::filesystem;

namespace runnertest {
namespace {

struct FailureCase {
    const char *what;
    ProbeRun run;
    int exit_code;
    std::vector<std::string> stderr_parts;  // each must appear on stderr
    std::vector<std::string> stdout_lines;  // each must appear on stdout, in order
};

std::vector<FailureCase> failure_cases() {
    const std::string start_box = "[message] 探针测试开始";
    std::vector<FailureCase> cases;
    {
        FailureCase c{"a malformed script stops before the add-on runs", {}, 2, {}, {}};
        c.run.script = "pick solids E1\n  wiggle E2\n";
        c.stderr_parts = {"nxhost: ", "probe.scn:2: ", "wiggle"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a selection the script does not answer names the question", {}, 3, {}, {}};
        c.run.script = "# nothing\n";
        c.stderr_parts = {"nxhost: scenario: ", "Select solids to probe"};
        c.stdout_lines = {start_box, "[message] probe: ascii message", "[prompt] Select solids to probe"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a dialog answer given to a selection is refused", {}, 3, {}, {}};
        c.run.script = "dialog probe_dlg.dlg\n  press OK\n";
        c.stderr_parts = {"nxhost: scenario: ", "Select solids to probe", "probe.scn:1"};
        cases.push_back(c);
    }
    {
        FailureCase c{"answers the add-on never asked for are reported with the first one's line", {}, 3, {}, {}};
        c.run.script = std::string(kGoodScenario) + "pick solids BASE\ncancel\n";
        c.stderr_parts = {"nxhost: scenario: the add-on finished but 2 answer(s) remain, the first at ",
                          "probe.scn:8"};
        c.stdout_lines = {"[listing] probe done"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a crash of the add-on is reported and the transcript before it kept", {}, 4, {}, {}};
        c.run.env = {"PROBE_MODE=crash"};
        c.stderr_parts = {"nxhost: the add-on crashed (signal SIGSEGV)"};
        c.stdout_lines = {start_box};
        cases.push_back(c);
    }
    {
        FailureCase c{"an add-on that does not exist is named", {}, 5, {}, {}};
        c.run.addon = "/nonexistent/folder/torvane.so";
        c.stderr_parts = {"nxhost: the add-on /nonexistent/folder/torvane.so cannot be loaded"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a library without ufusr is refused", {}, 5, {}, {}};
        c.run.addon = no_entry_path();
        c.stderr_parts = {"nxhost: the add-on " + no_entry_path() + " exports no ufusr"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a file that is no library is refused with the loader's reason", {}, 5, {}, {}};
        c.run.addon = "SCRIPT";  // replaced by the script's own path below
        c.stderr_parts = {"cannot be loaded: "};
        cases.push_back(c);
    }
    {
        FailureCase c{"NX memory the add-on never freed fails the run", {}, 6, {}, {}};
        c.run.env = {"PROBE_MODE=leak"};
        c.stderr_parts = {"nxhost: the add-on never freed 1 block(s) of NX memory (64 bytes"};
        c.stdout_lines = {"[listing] probe done"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a session left open fails the run", {}, 6, {}, {}};
        c.run.env = {"PROBE_MODE=nested-open"};
        c.stderr_parts = {"nxhost: the add-on left the NX Open session open"};
        c.stdout_lines = {"[listing] probe done"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a misused API call fails the run", {}, 6, {}, {}};
        c.run.env = {"PROBE_MODE=misuse"};
        c.stderr_parts = {"nxhost: API misuse: UF_free: pointer was not allocated by NX"};
        c.stdout_lines = {"[listing] probe done"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a part that cannot be found stops the run", {}, 2, {}, {}};
        c.run.part = "D:\\samples\\missing.prt";
        c.stderr_parts = {"nxhost: ", "missing.prt"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a drive directory that does not exist stops the run", {}, 2, {}, {}};
        c.run.drive = "/nonexistent/drive";
        c.stderr_parts = {"nxhost: drive D:: '/nonexistent/drive' is not a directory"};
        cases.push_back(c);
    }
    {
        FailureCase c{"English catalogues need their folder on drive D", {}, 2, {}, {}};
        c.run.drive = "SAMPLES";  // replaced by a folder without lang-en below
        c.run.extra_args = {"--lang", "en"};
        c.stderr_parts = {"English catalogues (--lang en)", "lang-en' is not a directory"};
        cases.push_back(c);
    }
    {
        FailureCase c{"a bad option prints the usage", {}, 1, {}, {}};
        c.run.extra_args = {"--lang", "fr"};
        c.stderr_parts = {"nxhost: --lang takes 'en' or 'zh', not 'fr'", "usage:"};
        cases.push_back(c);
    }
    return cases;
}

TEST_F(RunnerTest, EachKindOfFailureEndsWithItsExitCodeAndAClearMessage) {
    for (FailureCase c : failure_cases()) {
        SCOPED_TRACE(c.what);
        if (c.run.addon == "SCRIPT") c.run.addon = write_file("not_a_library.so", "plain text\n");
        if (c.run.drive == "SAMPLES") c.run.drive = drive_dir() + "/samples";
        fs::remove_all(out_dir());
        ProcessResult r = run_probe(c.run);
        EXPECT_EQ(r.exit_code, c.exit_code) << "stderr: " << r.err;
        for (const std::string &part : c.stderr_parts)
            EXPECT_NE(r.err.find(part), std::string::npos) << "wanted on stderr: " << part << "\nstderr: " << r.err;
        std::string missing;
        EXPECT_TRUE(in_order(lines_of(r.out), c.stdout_lines, &missing))
            << "wanted on stdout: " << missing << "\nstdout: " << r.out;
        // Whatever reached stdout is in the transcript file too: nothing is lost on the way out.
        if (fs::exists(out_dir() + "/transcript.txt")) {
            EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
        }
    }
}

TEST_F(RunnerTest, ACrashLeavesTheMessagesBeforeItAndNothingAfter) {
    ProbeRun run;
    run.env = {"PROBE_MODE=crash"};
    ProcessResult r = run_probe(run);
    ASSERT_EQ(r.exit_code, 4) << r.err;
    EXPECT_EQ(r.out, "[message] 探针测试开始\n");
    EXPECT_EQ(read_file(out_dir() + "/transcript.txt"), r.out);
    EXPECT_FALSE(fs::exists(out_dir() + "/probe.prt")) << "a crashed session saves nothing";
}

TEST_F(RunnerTest, BadUsagePrintsTheUsageAndHelpPrintsItOnStdout) {
    struct Case {
        std::vector<std::string> args;
        int exit_code;
        const char *stream;  // where the usage text goes
    };
    const Case cases[] = {
        {{}, 1, "err"},
        {{"run"}, 1, "err"},
        {{"tree"}, 1, "err"},
        {{"jump"}, 1, "err"},
        {{"--help"}, 0, "out"},
    };
    for (const Case &c : cases) {
        std::string joined;
        for (const std::string &a : c.args) joined += a + " ";
        ProcessResult r = nxhost(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << joined;
        const std::string &usage_stream = std::string(c.stream) == "out" ? r.out : r.err;
        EXPECT_NE(usage_stream.find("usage:"), std::string::npos) << joined;
        EXPECT_NE(usage_stream.find("nxhost run SCRIPT"), std::string::npos) << joined;
    }
}

TEST_F(RunnerTest, WithoutOutTheChangedPartIsNotSavedAndStderrSaysSo) {
    ProbeRun run;
    run.out = false;
    ProcessResult r = run_probe(run);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.err.find("no --out given: 1 changed part(s) not saved: D:\\samples\\probe.prt"), std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("[listing] probe done"), std::string::npos);
}

}  // namespace
}  // namespace runnertest
