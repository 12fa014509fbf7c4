// nxhost check-config as a user runs it: the lines on stdout and the exit code.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "standin_test.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code = -1;
    std::string out;
};

Result run(const std::string &arguments) {
    const std::string command = testsupport::binary_dir() + "/nxhost/nxhost " + arguments + " 2>/dev/null";
    Result result;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class CheckConfigCommand : public testsupport::DriveTest {};

TEST_F(CheckConfigCommand, PrintsEachFindingAndExitsWithTheCodeOfTheWorst) {
    const fs::path source = testsupport::source_dir();
    const fs::path root = fs::path(temp_dir()) / "conf";
    fs::create_directories(root);
    fs::copy(source / "conf/qz_conf", root / "qz_conf", fs::copy_options::recursive);
    fs::copy(source / "conf/lang-en", root / "lang-en", fs::copy_options::recursive);
    const std::string dialogs = " --dialogs " + (source / "torvane/dialogs").string();

    Result clean = run("check-config " + root.string() + dialogs);
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.out, "");

    // A warning alone, then an error beside it.
    const fs::path config = root / "qz_conf/config.def";
    std::string text = testsupport::read_host_file(config.string());
    text.replace(text.find("elec_rough_space: 0.15"), 22, "elec_rough_space: 0.15mm");
    ASSERT_TRUE(testsupport::write_host_file(config.string(), text));
    const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + text.find("0.15mm"), '\n'));
    const std::string warning =
        (root / "qz_conf").string() + "/config.def:" + std::to_string(line) + ": warning: elec_rough_space: '0.15mm' is read as 0.15\n";
    Result warned = run("check-config " + root.string() + dialogs);
    EXPECT_EQ(warned.code, 9);
    EXPECT_EQ(warned.out, warning);

    fs::remove(root / "lang-en/my_func_cam.txt");
    Result failed = run("check-config " + (root / "qz_conf").string() + dialogs);
    EXPECT_EQ(failed.code, 10);
    EXPECT_EQ(failed.out, warning + (root / "lang-en").string() + "/my_func_cam.txt:1: error: the file is missing or cannot be read\n");
}

TEST_F(CheckConfigCommand, RefusesBadUsageAndAMissingDirectory) {
    EXPECT_EQ(run("check-config").code, 1);
    EXPECT_EQ(run("check-config a b").code, 1);
    EXPECT_EQ(run("check-config " + temp_dir() + " --colour").code, 1);
    EXPECT_EQ(run("check-config " + temp_dir() + "/none").code, 2);
    EXPECT_EQ(run("check-config " + testsupport::source_dir() + "/conf --dialogs " + temp_dir() + "/none").code, 2);
}

}  // namespace
