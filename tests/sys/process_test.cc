#include "sys/sys_process.h"

#include "sys_test_support.h"

#include <csignal>
#include <filesystem>

namespace {

class SysRunCommand : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        mount_drive('D', at("d"));
    }
    // An executable script below the test directory.
    void write_script(const std::string &relative, const std::string &body) {
        write_bytes(relative, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(at(relative), std::filesystem::perms::owner_all);
    }
};

TEST_F(SysRunCommand, ReturnsTheExitCode) {
    struct Case {
        const char *command;
        int code;
    };
    const Case cases[] = {
        {"exit 0", 0},
        {"exit 3", 3},
        {"true", 0},
        {"false", 1},
        {"", 0},
        {"exit 255", 255},
        {"kill -TERM $$", 128 + SIGTERM},
        {"no_such_program_anywhere_xyz 2>/dev/null", 127},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(sys_run_command(c.command), c.code);
    }
}

TEST_F(SysRunCommand, WaitsForTheCommandToFinish) {
    std::string out = at("out.txt");
    ASSERT_EQ(sys_run_command(("sleep 0.2; echo done > '" + out + "'").c_str()), 0);
    EXPECT_EQ(read_bytes("out.txt"), "done\n");
}

TEST_F(SysRunCommand, MapsAProgramGivenByWindowsPath) {
    write_script("d/Tools/Count.sh", "echo \"$@\" > \"$(dirname \"$0\")/args.txt\"; exit $#");
    struct Case {
        const char *command;
        int code;
        const char *args;
    };
    const Case cases[] = {
        {"D:\\Tools\\Count.sh", 0, "\n"},
        {"D:\\tools\\count.sh one two", 2, "one two\n"},
        {"  \"D:\\TOOLS\\COUNT.SH\" 'a b'", 1, "a b\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(sys_run_command(c.command), c.code);
        EXPECT_EQ(read_bytes("d/Tools/args.txt"), c.args);
    }
}

TEST_F(SysRunCommand, MapsAQuotedProgramPathWithSpaces) {
    write_script("d/My Tools/it's.sh", "exit 9");
    EXPECT_EQ(sys_run_command("\"D:\\my tools\\IT'S.sh\""), 9);
}

TEST_F(SysRunCommand, CannotStartWhatIsNotThere) {
    EXPECT_EQ(sys_run_command("Q:\\Tools\\x.exe"), -1);
    EXPECT_EQ(sys_run_command("\"Q:\\Tools\\x.exe\" arg"), -1);
    EXPECT_EQ(sys_run_command(nullptr), -1);
}

}  // namespace
