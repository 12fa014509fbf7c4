#include "sys/sys_library.h"

#include "sys_test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using AddFunction = int (*)(int, int);

// The test library is built beside the test program.
std::string test_library_path() {
#ifdef _WIN32
    char program[MAX_PATH] = "";
    GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string dir = program;
    return dir.substr(0, dir.find_last_of("\\/") + 1) + SYS_TEST_LIB_NAME;
#else
    return std::string(SYS_TEST_LIB_DIR) + "/" + SYS_TEST_LIB_NAME;
#endif
}

class SysLibrary : public systest::SysTest {};

TEST_F(SysLibrary, LoadsByHostOrWindowsPathAndFindsExportedFunctionsOnly) {
    const std::string host_path = test_library_path();
    std::filesystem::create_directories(at("d/Application"));
    std::filesystem::copy_file(host_path, at("d/Application/Sys_Test_Lib.dll"));
    for (const char *path : {host_path.c_str(), "D:\\application\\SYS_TEST_LIB.DLL"}) {
        SCOPED_TRACE(path);
        sys_library_t lib = sys_load_library(path);
        ASSERT_NE(lib, nullptr) << sys_library_error();
        auto add = reinterpret_cast<AddFunction>(sys_get_proc_address(lib, "sys_test_add"));
        ASSERT_NE(add, nullptr) << sys_library_error();
        EXPECT_EQ(add(40, 2), 42);
        EXPECT_EQ(sys_get_proc_address(lib, "no_such_function"), nullptr);
        EXPECT_NE(std::string(sys_library_error()).find("no_such_function"), std::string::npos)
            << sys_library_error();
        EXPECT_EQ(sys_get_proc_address(lib, nullptr), nullptr);
        EXPECT_EQ(sys_free_library(lib), 1);
    }
    EXPECT_EQ(sys_get_proc_address(nullptr, "sys_test_add"), nullptr);
}

TEST_F(SysLibrary, ReportsWhatFailedToLoadAndRefusesToFreeNothing) {
    struct Case { const char *path; const char *mentioned; } cases[] = {
        {"D:\\missing.dll", "missing.dll"}, {"Q:\\lib.dll", "Q:"}, {"", "no library"}, {nullptr, "no library"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path ? c.path : "NULL");
        EXPECT_EQ(sys_load_library(c.path), nullptr);
        EXPECT_NE(std::string(sys_library_error()).find(c.mentioned), std::string::npos) << sys_library_error();
    }
    EXPECT_EQ(sys_free_library(nullptr), 0);
}

}  // namespace
