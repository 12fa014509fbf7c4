// nxhost faults against the probe: the figures of the pass and its exit code for a clean add-on,
// for one with a bug met only when a call fails, and for a scenario that is not clean at all.
#include "runner_fixture.h"

namespace runnertest {
namespace {

class FaultsTest : public RunnerTest {
protected:
    // Kept replays go below the test's folder, removed with it.
    ProcessResult faults(const std::string &script, const std::string &mode,
                         const std::vector<std::string> &extra = {}) {
        fs::create_directories(temp_dir());
        std::vector<std::string> args{"faults", write_file("faults.scn", script), "--drive", "D=" + drive_dir(),
                                      "--part", "D:\\samples\\probe.prt", "--addon", built("tests/runner/probe.so")};
        args.insert(args.end(), extra.begin(), extra.end());
        return nxhost(args, mode, {"TMPDIR=" + temp_dir()});
    }

    // The calls the probe makes in a clean run of the script, as the run itself counts them.
    long calls_of_clean_run(const std::string &script) {
        const std::string report = work_dir() + "/clean-report.txt";
        ProbeRun run;
        run.script = script;
        run.extra_args = {"--fault-report", report};
        const ProcessResult r = run_probe(run);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        std::istringstream in(read_file(report));
        std::string key;
        long calls = -1;
        in >> key >> calls;
        EXPECT_EQ(key, "calls");
        return calls;
    }

    std::string temp_dir() const { return work_dir() + "/tmp"; }
    bool nothing_kept() const { return fs::is_empty(temp_dir()); }
};

std::string summary(long tried, int crashes, int leaks, int misuse) {
    return "faults: " + std::to_string(tried) + " calls tried, " + std::to_string(crashes) + " crashes, " +
           std::to_string(leaks) + " leaks, " + std::to_string(misuse) + " misuse lines\n";
}

// Every call of the good scenario is failed once; a bug behind one failing call is one finding
// of its kind; a scenario that fails with no call failed stops the pass before it starts.
TEST_F(FaultsTest, EachOutcomeHasItsFiguresAndItsExitCode) {
    const long calls = calls_of_clean_run(kGoodScenario);
    ASSERT_GT(calls, 20);
    const struct {
        const char *mode;
        const char *script;
        long tried;
        int exit_code;
        int crashes, leaks, misuse;  // -1: no pass made
        const char *finding;         // on stderr, "" for none
    } cases[] = {
        {"", kGoodScenario, calls, 0, 0, 0, 0, ""},
        {"count,fragile-crash", "", 3, 11, 1, 0, 0, "call 2: the add-on crashed; replay kept in "},
        {"count,fragile-leak", "", 3, 11, 0, 1, 0, "call 2: leaked (UF_get_release failed): 1 block(s) of NX memory"},
        {"count,fragile-misuse", "", 3, 11, 0, 0, 1, "call 2: misused the API (UF_get_release failed): 1 line(s)"},
        {"crash", kGoodScenario, 0, 4, -1, -1, -1, "does not play cleanly with no call failed (the add-on crashed)"},
        {"leak", kGoodScenario, 0, 6, -1, -1, -1,
         "does not play cleanly with no call failed (leaked: 1 block(s) of NX memory)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        fs::remove_all(temp_dir());
        const ProcessResult r = faults(c.script, c.mode);
        EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
        if (c.crashes < 0) {
            EXPECT_EQ(r.out, "");
        } else {
            EXPECT_EQ(r.out, summary(c.tried, c.crashes, c.leaks, c.misuse)) << r.err;
            const std::string counted = "the add-on makes " + std::to_string(c.tried) + " NX calls";
            EXPECT_NE(r.err.find(counted), std::string::npos) << r.err;
        }
        if (*c.finding) {
            EXPECT_NE(r.err.find(c.finding), std::string::npos) << r.err;
        }
        EXPECT_EQ(nothing_kept(), c.exit_code != 11) << "a finding's replay is kept, nothing else";
    }
}

// The count mode makes three calls (UF_initialize, UF_get_release, UF_terminate): each bound
// picks which of them fail, and the pass ends at the first replay where none did.
TEST_F(FaultsTest, FromStrideAndMaxCallsBoundThePass) {
    const struct {
        std::vector<std::string> options;
        long tried;
    } cases[] = {
        {{}, 3},
        {{"--from", "2"}, 2},
        {{"--stride", "2"}, 2},
        {{"--max-calls", "1"}, 1},
        {{"--from", "4"}, 0},
        {{"--jobs", "2", "--progress", "1"}, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        const ProcessResult r = faults("", "count", c.options);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, summary(c.tried, 0, 0, 0)) << r.err;
        EXPECT_NE(r.err.find("the add-on makes 3 NX calls"), std::string::npos) << r.err;
    }
    const ProcessResult r = faults("", "count", {"--progress", "2"});
    EXPECT_NE(r.err.find("faults: 2 replays, up to call 2 of 3: 2 calls tried, 0 crashes"), std::string::npos) << r.err;
}

TEST_F(FaultsTest, InputThatCannotBePlayedIsRefusedBeforeAnyReplay) {
    const ProcessResult no_script = nxhost({"faults", work_dir() + "/none.scn", "--drive", "D=" + drive_dir()});
    EXPECT_EQ(no_script.exit_code, 2);
    EXPECT_NE(no_script.err.find("is not a file"), std::string::npos) << no_script.err;
    const ProcessResult no_drive = faults("", "count", {"--drive", "E=" + work_dir() + "/missing"});
    EXPECT_EQ(no_drive.exit_code, 2);
    EXPECT_NE(no_drive.err.find("drive E:"), std::string::npos) << no_drive.err;
    EXPECT_TRUE(nothing_kept());
}

}  // namespace
}  // namespace runnertest
