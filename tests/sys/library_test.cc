#include "sys/sys_library.h"

#include "sys_test_support.h"

#include <filesystem>
#include <string>
#include <thread>

namespace {

using AddFunction = int (*)(int, int);

class SysLibrary : public systest::SysTest {};

TEST_F(SysLibrary, LoadsByHostPathAndCallsAnExportedFunction) {
    sys_library_t lib = sys_load_library(SYS_TEST_LIB_PATH);
    ASSERT_NE(lib, nullptr) << sys_library_error();
    auto add = reinterpret_cast<AddFunction>(sys_get_proc_address(lib, "sys_test_add"));
    ASSERT_NE(add, nullptr) << sys_library_error();
    EXPECT_EQ(add(40, 2), 42);
    EXPECT_EQ(sys_free_library(lib), 1);
}

TEST_F(SysLibrary, LoadsADllByWindowsPathIgnoringCase) {
    mount_drive('D', at("d"));
    std::filesystem::create_directories(at("d/Application"));
    std::filesystem::copy_file(SYS_TEST_LIB_PATH, at("d/Application/Sys_Test_Lib.dll"));
    sys_library_t lib = sys_load_library("D:\\application\\SYS_TEST_LIB.DLL");
    ASSERT_NE(lib, nullptr) << sys_library_error();
    auto add = reinterpret_cast<AddFunction>(sys_get_proc_address(lib, "sys_test_add"));
    ASSERT_NE(add, nullptr) << sys_library_error();
    EXPECT_EQ(add(1, 2), 3);
    EXPECT_EQ(sys_free_library(lib), 1);
}

TEST_F(SysLibrary, ReportsWhatFailedToLoad) {
    mount_drive('D', at("d"));
    struct Case {
        const char *what;
        const char *path;
        const char *mentioned;
    };
    const Case cases[] = {
        {"a missing file", "D:\\missing.dll", "missing.dll"},
        {"an unmounted drive", "Q:\\lib.dll", "Q:"},
        {"an empty path", "", "no library"},
        {"no path", nullptr, "no library"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sys_load_library(c.path), nullptr);
        EXPECT_NE(std::string(sys_library_error()).find(c.mentioned), std::string::npos) << sys_library_error();
    }
}

TEST_F(SysLibrary, ReportsAMissingSymbol) {
    sys_library_t lib = sys_load_library(SYS_TEST_LIB_PATH);
    ASSERT_NE(lib, nullptr) << sys_library_error();
    EXPECT_EQ(sys_get_proc_address(lib, "no_such_function"), nullptr);
    EXPECT_NE(std::string(sys_library_error()).find("no_such_function"), std::string::npos)
        << sys_library_error();
    EXPECT_EQ(sys_get_proc_address(lib, nullptr), nullptr);
    EXPECT_EQ(sys_get_proc_address(nullptr, "sys_test_add"), nullptr);
    EXPECT_EQ(sys_free_library(lib), 1);
}

TEST_F(SysLibrary, RefusesToFreeNothing) {
    EXPECT_EQ(sys_free_library(nullptr), 0);
    EXPECT_STRNE(sys_library_error(), "");
}

TEST_F(SysLibrary, HasNoErrorTextBeforeAFailure) {
    std::string seen = "unset";
    std::thread fresh([&seen] {
        sys_library_t lib = sys_load_library(SYS_TEST_LIB_PATH);
        seen = sys_library_error();
        if (lib) sys_free_library(lib);
    });
    fresh.join();
    EXPECT_EQ(seen, "");
}

}  // namespace
