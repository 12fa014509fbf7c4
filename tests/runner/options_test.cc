// The command line of nxhost as a user types it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nxhost/runner/options.h"
#include "nxhost/runner/save.h"

namespace {

using namespace nxhost::runner;

// What each option does is seen end to end; here: the joined and repeated forms, options on
// both sides of the script, and drive letters in either case.
TEST(RunnerOptions, RunAcceptsEveryOptionBeforeOrAfterTheScript) {
    CommandLine line = parse_command_line({"run", "--drive", "d=conf", "--drive", "E=/tmp/e", "s.scn", "--release=V9",
                                           "--dialogs", "dlg1", "--dialogs=dlg2", "--lang", "en"});
    ASSERT_EQ(line.command, Command::Run);
    const auto &run = line.run;
    EXPECT_EQ(run.script, "s.scn");
    ASSERT_EQ(run.drives.size(), 2u);
    EXPECT_EQ(run.drives[0].letter, 'D') << "drive letters are upper-cased";
    EXPECT_EQ(run.drives[0].host_dir, "conf");
    EXPECT_EQ(run.drives[1].letter, 'E');
    EXPECT_TRUE(run.release_given);
    EXPECT_EQ(run.release, "V9");
    EXPECT_EQ(run.dialog_dirs, (std::vector<std::string>{"dlg1", "dlg2"}));
    EXPECT_EQ(run.language, Language::English);
}

TEST(RunnerOptions, WorkerTakesItsTaskDirectoryDrivesAndTimes) {
    const struct {
        std::vector<std::string> args;
        bool once;
        double poll, settle;
    } cases[] = {
        {{"worker", "tasks"}, false, 10.0, 10.0},
        {{"worker", "--once", "tasks"}, true, 10.0, 10.0},
        {{"worker", "tasks", "--poll=2.5", "--settle", "0"}, false, 2.5, 0.0},
        {{"worker", "--settle=30", "tasks", "--poll", "60"}, false, 60.0, 30.0},
    };
    for (const auto &c : cases) {
        const CommandLine line = parse_command_line(c.args);
        ASSERT_EQ(line.command, Command::Worker);
        EXPECT_EQ(line.worker.task_dir, "tasks");
        EXPECT_EQ(line.worker.once, c.once);
        EXPECT_EQ(line.worker.poll_seconds, c.poll);
        EXPECT_EQ(line.worker.settle_seconds, c.settle);
    }
    const CommandLine line = parse_command_line({"worker", "t", "--drive", "e=/srv/e", "--mount", "D:\\parts=/srv/p"});
    ASSERT_EQ(line.worker.drives.size(), 1u);
    EXPECT_EQ(line.worker.drives[0].letter, 'E');
    ASSERT_EQ(line.worker.mounts.size(), 1u);
    EXPECT_EQ(line.worker.mounts[0].windows_prefix, "D:\\parts");
}

TEST(RunnerOptions, CheckConfigTakesItsFolderDialogsAndEnglishCatalogues) {
    const CommandLine line = parse_command_line({"check-config", "--dialogs", "d1", "conf", "--lang-en=en", "--dialogs=d2"});
    ASSERT_EQ(line.command, Command::CheckConfig);
    EXPECT_EQ(line.check_config.dir, "conf");
    EXPECT_EQ(line.check_config.dialog_dirs, (std::vector<std::string>{"d1", "d2"}));
    EXPECT_TRUE(line.check_config.english_given);
    EXPECT_EQ(line.check_config.english, "en");
    EXPECT_FALSE(parse_command_line({"check-config", "conf"}).check_config.english_given);
}

TEST(RunnerOptions, FaultsTakesTheRunOptionsAndItsBounds) {
    const struct {
        std::vector<std::string> args;
        long from, stride, max_calls, jobs, progress;
        double timeout;
    } cases[] = {
        {{"faults", "s.scn"}, 1, 1, 0, 1, 100, 120.0},
        {{"faults", "--stride", "37", "s.scn", "--jobs=2"}, 1, 37, 0, 2, 100, 120.0},
        {{"faults", "s.scn", "--from", "500", "--max-calls", "10", "--progress=5", "--timeout", "2.5"}, 500, 1, 10, 1, 5,
         2.5},
    };
    for (const auto &c : cases) {
        const CommandLine line = parse_command_line(c.args);
        ASSERT_EQ(line.command, Command::Faults);
        const FaultsOptions &f = line.faults;
        EXPECT_EQ(f.run.script, "s.scn");
        EXPECT_EQ(std::vector<long>({f.first_call, f.stride, f.max_calls, f.jobs, f.progress_every}),
                  std::vector<long>({c.from, c.stride, c.max_calls, c.jobs, c.progress}));
        EXPECT_EQ(f.replay_seconds, c.timeout);
    }
    const CommandLine line = parse_command_line(
        {"faults", "s.scn", "--drive", "D=conf", "--part", "D:\\a.prt", "--lang", "en", "--cam-config", "D:\\c.dat"});
    EXPECT_EQ(line.faults.run.drives.size(), 1u);
    EXPECT_EQ(line.faults.run.part, "D:\\a.prt");
    EXPECT_EQ(line.faults.run.language, Language::English);
    EXPECT_EQ(line.faults.run.cam_config, "D:\\c.dat");
    EXPECT_EQ(line.faults.run.out_dir, "");
    const CommandLine replay = parse_command_line({"run", "s.scn", "--fail-call", "12", "--fault-report", "r.txt"});
    EXPECT_EQ(replay.run.fail_call, 12);
    EXPECT_EQ(replay.run.fault_report, "r.txt");
}

TEST(RunnerOptions, PictureTakesItsPartPageAndDrivesInAnyOrder) {
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"picture", "D:\\p\\a.prt", "--html", "out/a.html", "--drive", "d=conf"},
          std::vector<std::string>{"picture", "--html=out/a.html", "--drive=D=conf", "D:\\p\\a.prt"}}) {
        const CommandLine line = parse_command_line(args);
        ASSERT_EQ(line.command, Command::Picture);
        EXPECT_EQ(line.picture.part, "D:\\p\\a.prt");
        EXPECT_EQ(line.picture.html, "out/a.html");
        ASSERT_EQ(line.picture.drives.size(), 1u);
        EXPECT_EQ(line.picture.drives[0].letter, 'D');
    }
}

TEST(RunnerOptions, HelpIsACommandOfItsOwn) {
    for (const char *form : {"--help", "-h", "help"})
        EXPECT_EQ(parse_command_line({form}).command, Command::Help) << form;
}

TEST(RunnerOptions, BadUsageIsRefusedWithAMessageNamingTheFault) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no command"},
        {{"play", "s.scn"}, "unknown command 'play'"},
        {{"run"}, "needs a scenario script"},
        {{"run", "a.scn", "b.scn"}, "unexpected argument 'b.scn'"},
        {{"run", "s.scn", "--out"}, "--out needs a value"},
        {{"run", "s.scn", "--out="}, "--out needs a value"},
        {{"run", "s.scn", "--out", "a", "--out", "b"}, "--out given twice"},
        {{"run", "s.scn", "--drive", "D"}, "LETTER=DIR"},
        {{"run", "s.scn", "--drive", "D="}, "names no directory"},
        {{"run", "s.scn", "--mount", "qz_conf=dir"}, "drive letter"},
        {{"run", "s.scn", "--mount", "D:\\x"}, "WINPATH=DIR"},
        {{"run", "s.scn", "--verbose"}, "unknown option '--verbose'"},
        {{"tree"}, "tree needs a part"},
        {{"tree", "a.prt", "b.prt"}, "the part given twice"},
        {{"tree", "a.prt", "--out", "x"}, "unknown option '--out' for tree"},
        {{"help", "run"}, "help takes no arguments"},
        {{"picture"}, "picture needs a part"},
        {{"picture", "a.prt"}, "picture needs --html OUT"},
        {{"picture", "a.prt", "--html="}, "--html needs a value"},
        {{"picture", "a.prt", "--html", "x", "--html", "y"}, "--html given twice"},
        {{"picture", "a.prt", "b.prt", "--html", "x"}, "the part given twice"},
        {{"picture", "", "--html", "x"}, "the part path is empty"},
        {{"picture", "a.prt", "--html", "x", "--view", "all"}, "unknown option '--view' for picture"},
        {{"check-config"}, "check-config needs a configuration directory"},
        {{"check-config", "a", "b"}, "the configuration directory given twice"},
        {{"check-config", "a", "--lang-en", "x", "--lang-en", "y"}, "--lang-en given twice"},
        {{"check-config", "a", "--drive", "D=x"}, "unknown option '--drive' for check-config"},
        {{"worker"}, "worker needs a task directory"},
        {{"worker", "a", "b"}, "the task directory given twice"},
        {{"worker", ""}, "the task directory is empty"},
        {{"worker", "t", "--once", "--poll", "5"}, "--once and --poll exclude each other"},
        {{"worker", "t", "--once", "--once"}, "--once given twice"},
        {{"worker", "t", "--once=yes"}, "--once takes no value"},
        {{"worker", "t", "--poll", "0"}, "--poll takes a number of seconds above 0 up to 86400, not '0'"},
        {{"worker", "t", "--poll", "ten"}, "not 'ten'"},
        {{"worker", "t", "--poll", "1e9"}, "not '1e9'"},
        {{"worker", "t", "--settle", "-1"}, "--settle takes a number of seconds up to 86400, not '-1'"},
        {{"worker", "t", "--settle", "nan"}, "not 'nan'"},
        {{"worker", "t", "--settle", "1", "--settle", "2"}, "--settle given twice"},
        {{"worker", "t", "--out", "x"}, "unknown option '--out' for worker"},
        {{"faults"}, "faults needs a scenario script"},
        {{"faults", "s.scn", "--out", "x"}, "unknown option '--out' for faults (each replay keeps its parts"},
        {{"faults", "s.scn", "--fail-call", "3"}, "unknown option '--fail-call' for faults"},
        {{"faults", "s.scn", "--stride", "0"}, "--stride takes a whole number from 1 to 100000000, not '0'"},
        {{"faults", "s.scn", "--max-calls", "12x"}, "not '12x'"},
        {{"faults", "s.scn", "--jobs", "65"}, "--jobs takes a whole number from 1 to 64"},
        {{"faults", "s.scn", "--from", "99999999999999999999"}, "--from takes a whole number"},
        {{"faults", "s.scn", "--jobs", "2", "--jobs=3"}, "--jobs given twice"},
        {{"faults", "s.scn", "--timeout", "0"}, "--timeout takes a number of seconds above 0"},
        {{"run", "s.scn", "--stride", "2"}, "unknown option '--stride' for run"},
        {{"run", "s.scn", "--fail-call", "-1"}, "--fail-call takes a whole number from 0"},
    };
    for (const auto &[args, message_part] : cases) {
        std::string joined;
        for (const std::string &a : args) joined += a + " ";
        try {
            parse_command_line(args);
            ADD_FAILURE() << "accepted: " << joined;
        } catch (const UsageError &e) {
            EXPECT_NE(std::string(e.what()).find(message_part), std::string::npos) << joined << "-> " << e.what();
        }
    }
}

TEST(RunnerOptions, UsageTextDocumentsTheDefaultAddonAndTheExitCodes) {
    std::string usage = usage_text();
    EXPECT_NE(usage.find("torvane/torvane.so"), std::string::npos);
    EXPECT_NE(usage.find("exit codes"), std::string::npos);
    for (const char *option : {"--drive", "--mount", "--lang", "--part", "--release", "--out", "--addon", "--dialogs",
                               "nxhost worker TASKDIR", "--once", "--poll", "--settle", "8 (worker)",
                               "nxhost faults SCRIPT", "--stride", "--max-calls", "--jobs", "9 (check-config)", "11 (faults)",
                               "nxhost picture PART --html OUT", "7 a changed part or the picture could not be"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(RunnerSave, APartIsSavedUnderTheLastComponentOfItsName) {
    // {part name, file}
    const std::pair<const char *, const char *> cases[] = {
        {"D:\\samples\\PROBE.PRT", "PROBE.PRT"},
        {"/tmp/out/a.prt", "a.prt"},
        {"E1", "E1.prt"},
        {"D:\\parts\\cav.v2", "cav.v2.prt"},
        {"D:\\", "part.prt"},
    };
    for (const auto &[part_name, file] : cases) EXPECT_EQ(saved_file_name(part_name), file) << part_name;
}

}  // namespace
