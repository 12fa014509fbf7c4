#include "sys/sys_library.h"

#include "sys_test_support.h"

namespace {

using AddFunction = int (*)(int, int);

class SysLibrary : public systest::SysTest {};

TEST_F(SysLibrary, LoadsByHostOrWindowsPathAndFindsExportedFunctionsOnly) {
    std::filesystem::create_directories(at("d/Application"));
    std::filesystem::copy_file(SYS_TEST_LIB_PATH, at("d/Application/Sys_Test_Lib.dll"));
    for (const char *path : {SYS_TEST_LIB_PATH, "D:\\application\\SYS_TEST_LIB.DLL"}) {
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
