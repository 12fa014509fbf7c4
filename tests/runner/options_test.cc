// The command line of nxhost as a user types it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "nxhost/runner/options.h"
#include "nxhost/runner/save.h"

namespace {

using nxhost::runner::Command;
using nxhost::runner::CommandLine;
using nxhost::runner::Language;
using nxhost::runner::parse_command_line;
using nxhost::runner::UsageError;

std::vector<std::string> words(const std::string &line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

TEST(RunnerOptions, RunAcceptsEveryOptionBeforeOrAfterTheScript) {
    CommandLine line = parse_command_line(
        words("run --drive d=conf --drive E=/tmp/e s.scn --mount D:\\qz_conf\\lang=en --part D:\\a\\b.prt "
              "--release=V9 --out out --addon x.so --dialogs dlg1 --dialogs=dlg2 --lang en"));
    ASSERT_EQ(line.command, Command::Run);
    const auto &run = line.run;
    EXPECT_EQ(run.script, "s.scn");
    ASSERT_EQ(run.drives.size(), 2u);
    EXPECT_EQ(run.drives[0].letter, 'D') << "drive letters are upper-cased";
    EXPECT_EQ(run.drives[0].host_dir, "conf");
    EXPECT_EQ(run.drives[1].letter, 'E');
    ASSERT_EQ(run.mounts.size(), 1u);
    EXPECT_EQ(run.mounts[0].windows_prefix, "D:\\qz_conf\\lang");
    EXPECT_EQ(run.mounts[0].host_dir, "en");
    EXPECT_EQ(run.part, "D:\\a\\b.prt");
    EXPECT_TRUE(run.release_given);
    EXPECT_EQ(run.release, "V9");
    EXPECT_EQ(run.out_dir, "out");
    EXPECT_EQ(run.addon, "x.so");
    EXPECT_EQ(run.dialog_dirs, (std::vector<std::string>{"dlg1", "dlg2"}));
    EXPECT_EQ(run.language, Language::English);
}

TEST(RunnerOptions, RunDefaultsToChineseCataloguesAndTheBuildsAddon) {
    CommandLine line = parse_command_line(words("run s.scn"));
    EXPECT_EQ(line.run.language, Language::Chinese);
    EXPECT_TRUE(line.run.addon.empty());
    EXPECT_TRUE(line.run.out_dir.empty());
    EXPECT_FALSE(line.run.release_given);
    EXPECT_TRUE(line.run.dialog_dirs.empty());
}

TEST(RunnerOptions, TreeTakesAPartAndDrives) {
    CommandLine line = parse_command_line(words("tree --drive D=conf D:\\samples\\probe.prt"));
    ASSERT_EQ(line.command, Command::Tree);
    EXPECT_EQ(line.tree.part, "D:\\samples\\probe.prt");
    ASSERT_EQ(line.tree.drives.size(), 1u);
    EXPECT_EQ(line.tree.drives[0].host_dir, "conf");
}

TEST(RunnerOptions, HelpIsACommandOfItsOwn) {
    for (const char *form : {"--help", "-h", "help"})
        EXPECT_EQ(parse_command_line({form}).command, Command::Help) << form;
}

TEST(RunnerOptions, BadUsageIsRefusedWithAMessageNamingTheFault) {
    struct Case {
        std::vector<std::string> args;
        std::string message_part;
    };
    const Case cases[] = {
        {{}, "no command"},
        {{"play", "s.scn"}, "unknown command 'play'"},
        {{"run"}, "needs a scenario script"},
        {{"run", "a.scn", "b.scn"}, "unexpected argument 'b.scn'"},
        {{"run", "s.scn", "--out"}, "--out needs a value"},
        {{"run", "s.scn", "--out="}, "--out needs a value"},
        {{"run", "s.scn", "--out", "a", "--out", "b"}, "--out given twice"},
        {{"run", "s.scn", "--lang", "fr"}, "'en' or 'zh'"},
        {{"run", "s.scn", "--drive", "DD=x"}, "LETTER=DIR"},
        {{"run", "s.scn", "--drive", "D"}, "LETTER=DIR"},
        {{"run", "s.scn", "--drive", "D="}, "names no directory"},
        {{"run", "s.scn", "--mount", "qz_conf=dir"}, "drive letter"},
        {{"run", "s.scn", "--mount", "D:\\x"}, "WINPATH=DIR"},
        {{"run", "s.scn", "--verbose"}, "unknown option '--verbose'"},
        {{"tree"}, "tree needs a part"},
        {{"tree", "a.prt", "b.prt"}, "the part given twice"},
        {{"tree", "a.prt", "--out", "x"}, "unknown option '--out' for tree"},
        {{"help", "run"}, "help takes no arguments"},
    };
    for (const Case &c : cases) {
        std::string joined;
        for (const std::string &a : c.args) joined += a + " ";
        try {
            parse_command_line(c.args);
            ADD_FAILURE() << "accepted: " << joined;
        } catch (const UsageError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message_part), std::string::npos)
                << joined << "-> " << e.what();
        }
    }
}

TEST(RunnerOptions, UsageTextDocumentsTheDefaultAddonAndTheExitCodes) {
    std::string usage = nxhost::runner::usage_text();
    EXPECT_NE(usage.find("torvane/torvane.so"), std::string::npos);
    EXPECT_NE(usage.find("exit codes"), std::string::npos);
    for (const char *option : {"--drive", "--mount", "--lang", "--part", "--release", "--out", "--addon", "--dialogs"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(RunnerSave, APartIsSavedUnderTheLastComponentOfItsName) {
    struct Case {
        const char *part_name;
        const char *file;
    };
    const Case cases[] = {
        {"D:\\samples\\probe.prt", "probe.prt"},
        {"D:\\samples\\PROBE.PRT", "PROBE.PRT"},
        {"/tmp/out/a.prt", "a.prt"},
        {"E1", "E1.prt"},
        {"D:\\parts\\cav.v2", "cav.v2.prt"},
        {"D:\\", "part.prt"},
    };
    for (const Case &c : cases) EXPECT_EQ(nxhost::runner::saved_file_name(c.part_name), c.file) << c.part_name;
}

}  // namespace
