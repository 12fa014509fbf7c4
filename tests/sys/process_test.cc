#include "sys/sys_process.h"

#include "sys_test_support.h"

#include <algorithm>
#include <csignal>

namespace {

// The command processors speak their own languages; each case says the same in both.
// A program the command processor cannot find: it starts, says so and fails with its own code.
const int NOT_FOUND = -100;
#ifdef _WIN32
const char SCRIPT[] = ".cmd";
// Writes its arguments beside itself and exits with their count (at most three here).
const char SAVE_ARGS[] =
    "@echo off\r\n"
    "echo.%*> \"%~dp0args.txt\"\r\n"
    "set n=0\r\n"
    "for %%a in (%*) do set /a n+=1 >nul\r\n"
    "exit /b %n%\r\n";
#else
const char SCRIPT[] = ".sh";
const char SAVE_ARGS[] = "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args.txt\"; exit $#\n";
#endif

class SysRunCommand : public systest::SysTest {
protected:
    // A script below the test directory that the command processor can run.
    void write_script(const std::string &relative, const std::string &body) {
        write_bytes(relative, body);
        std::filesystem::permissions(at(relative), std::filesystem::perms::owner_all);
    }
};

TEST_F(SysRunCommand, ReturnsTheExitCodeOrMinusOneWhenNothingStarts) {
    struct Case { const char *command; int code; } cases[] = {
        {"exit 0", 0}, {"exit 3", 3}, {"exit 255", 255},
        {"no_such_program_anywhere_xyz", NOT_FOUND}, {"Q:\\Tools\\x.exe", NOT_FOUND},
        {"\"Q:\\Tools\\x.exe\" arg", NOT_FOUND}, {"D:\\missing.exe", NOT_FOUND}, {nullptr, -1},
#ifndef _WIN32
        {"", 0}, {"kill -TERM $$", 128 + SIGTERM},
#endif
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command ? c.command : "NULL");
        const int code = sys_run_command(c.command);
        if (c.code == NOT_FOUND) EXPECT_GT(code, 0);
        else EXPECT_EQ(code, c.code);
    }
}

TEST_F(SysRunCommand, WaitsForTheCommandToFinish) {
#ifdef _WIN32
    std::string out = at("out.txt");
    std::replace(out.begin(), out.end(), '/', '\\');
    const std::string command = "(for /l %i in (1,1,20000) do @rem) & echo done> \"" + out + "\"";
    const char *const done = "done\r\n";
#else
    const std::string command = "sleep 0.2; echo done > '" + at("out.txt") + "'";
    const char *const done = "done\n";
#endif
    ASSERT_EQ(sys_run_command(command.c_str()), 0);
    EXPECT_EQ(read_bytes("out.txt"), done);
}

TEST_F(SysRunCommand, RunsAProgramGivenByWindowsPath) {
    write_script(std::string("d/Tools/Count") + SCRIPT, SAVE_ARGS);
    write_script(std::string("d/My Tools/it's") + SCRIPT, SAVE_ARGS);
    const std::string count = std::string("D:\\Tools\\Count") + SCRIPT, lower = std::string("D:\\tools\\count") + SCRIPT,
                      upper = std::string("\"D:\\TOOLS\\COUNT") + SCRIPT + "\"",
                      spaced = std::string("\"D:\\my tools\\IT'S") + SCRIPT + "\"";
    struct Case { std::string command; int code; const char *args_file; const char *args; } cases[] = {
        {count, 0, "d/Tools/args.txt", ""},
        {lower + " one two", 2, "d/Tools/args.txt", "one two"},
        {"  " + upper + " three", 1, "d/Tools/args.txt", "three"},
        {spaced + " x", 1, "d/My Tools/args.txt", "x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(sys_run_command(c.command.c_str()), c.code);
        std::string args = read_bytes(c.args_file);
        while (!args.empty() && (args.back() == '\n' || args.back() == '\r' || args.back() == ' ')) args.pop_back();
        EXPECT_EQ(args, c.args);
    }
}

}  // namespace
