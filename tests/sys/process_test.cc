#include "sys/sys_process.h"

#include "sys_test_support.h"

#include <csignal>

namespace {

class SysRunCommand : public systest::SysTest {
protected:
    // An executable script below the test directory.
    void write_script(const std::string &relative, const std::string &body) {
        write_bytes(relative, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(at(relative), std::filesystem::perms::owner_all);
    }
};

TEST_F(SysRunCommand, ReturnsTheExitCodeOrMinusOneWhenNothingStarts) {
    struct Case { const char *command; int code; } cases[] = {
        {"exit 0", 0}, {"exit 3", 3}, {"exit 255", 255}, {"", 0}, {"kill -TERM $$", 128 + SIGTERM},
        {"no_such_program_anywhere_xyz 2>/dev/null", 127},
        {"Q:\\Tools\\x.exe", -1}, {"\"Q:\\Tools\\x.exe\" arg", -1}, {nullptr, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command ? c.command : "NULL");
        EXPECT_EQ(sys_run_command(c.command), c.code);
    }
}

TEST_F(SysRunCommand, WaitsForTheCommandToFinish) {
    ASSERT_EQ(sys_run_command(("sleep 0.2; echo done > '" + at("out.txt") + "'").c_str()), 0);
    EXPECT_EQ(read_bytes("out.txt"), "done\n");
}

TEST_F(SysRunCommand, MapsAProgramGivenByWindowsPath) {
    const char *const save_args = "echo \"$@\" > \"$(dirname \"$0\")/args.txt\"; exit $#";
    write_script("d/Tools/Count.sh", save_args);
    write_script("d/My Tools/it's.sh", save_args);
    struct Case { const char *command; int code; const char *args_file; const char *args; } cases[] = {
        {"D:\\Tools\\Count.sh", 0, "d/Tools/args.txt", "\n"},
        {"D:\\tools\\count.sh one two", 2, "d/Tools/args.txt", "one two\n"},
        {"  \"D:\\TOOLS\\COUNT.SH\" 'a b'", 1, "d/Tools/args.txt", "a b\n"},
        {"\"D:\\my tools\\IT'S.sh\" x", 1, "d/My Tools/args.txt", "x\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(sys_run_command(c.command), c.code);
        EXPECT_EQ(read_bytes(c.args_file), c.args);
    }
}

}  // namespace
