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
                               "nxhost worker TASKDIR", "--once", "--poll", "--settle", "8 (worker)"})
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
