// The add-on's includes run one way, and the check that says so catches each kind of stray include.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "drive_test.h"
#include "include_rules.h"

namespace fs = std::filesystem;

namespace {

std::string all_described(const std::vector<layering::include_violation> &violations) {
    std::string text;
    for (const auto &violation : violations) text += layering::describe(violation) + "\n";
    return text;
}

TEST(AddonIncludes, RunFromEachLayerDownToTheNxApiSysAndTheStandardLibrary) {
    const auto violations = layering::check_addon_includes(testsupport::source_dir());
    EXPECT_TRUE(violations.empty()) << all_described(violations);
}

// A small tree of its own: one NX header, one sys header, one header in each of two layers.
class IncludeRulesTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                (std::string("include_rules_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        for (const char *file : {"nxopen/include/uf.h", "sys/sys_file.h", "my_func/my_func.h", "torvane/state/plan.h",
                                 "torvane/calc/apply_calc.h", "torvane/dialogs/main_dlg.h", "nxhost/objects/store.h"})
            write(file, "");
    }
    void TearDown() override { fs::remove_all(root_); }
    void write(const std::string &relative, const std::string &text) {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << text;
    }
    fs::path root_;
};

TEST_F(IncludeRulesTree, NamesTheFileTheLineAndTheIncludeOfEachStrayInclude) {
    struct row {
        const char *file;
        const char *include;
        const char *expected;  // "" when the include is allowed
    };
    const row rows[] = {
        {"torvane/calc/a.cc", "\"torvane/state/plan.h\"", ""},
        {"torvane/calc/a.cc", "\"torvane/calc/apply_calc.h\"", ""},
        {"torvane/dialogs/a.cc", "\"torvane/calc/apply_calc.h\"", ""},
        {"torvane/state/a.cc", "\"my_func/my_func.h\"", ""},
        {"torvane/state/a.cc", "\"uf.h\"", ""},
        {"my_func/a.cc", "\"sys/sys_file.h\"", ""},
        {"my_func/a.cc", "<vector>", ""},
        {"torvane/calc/a.cc", "<cstring>", ""},
        {"torvane/calc/a.cc", "\"torvane/dialogs/main_dlg.h\"", "torvane/dialogs is above torvane/calc"},
        {"torvane/state/a.h", "\"torvane/calc/apply_calc.h\"", "torvane/calc is above torvane/state"},
        {"my_func/a.cc", "\"torvane/state/plan.h\"", "torvane/state is above my_func"},
        {"torvane/state/a.cc", "\"nxhost/objects/store.h\"", "not the NX Open API, sys/, an add-on module"},
        {"torvane/state/a.cc", "\"uf_missing.h\"", "not an NX Open header"},
        {"torvane/state/a.cc", "\"torvane/state/missing.h\"", "no such header"},
        {"torvane/state/a.cc", "<windows.h>", "not a standard library header"},
        {"torvane/state/a.cc", "<TopoDS_Shape.hxx>", "not a standard library header"},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(std::string(r.file) + " includes " + r.include);
        write(r.file, "// a file\n#include " + std::string(r.include) + "\n");
        const auto violations = layering::check_addon_includes(root_.string());
        if (!*r.expected) {
            EXPECT_TRUE(violations.empty()) << all_described(violations);
        } else {
            ASSERT_EQ(violations.size(), 1u) << all_described(violations);
            const std::string text = layering::describe(violations[0]);
            EXPECT_EQ(text.rfind(std::string(r.file) + ":2: " + r.include + ": ", 0), 0u) << text;
            EXPECT_NE(text.find(r.expected), std::string::npos) << text;
        }
        fs::remove(root_ / r.file);
    }
}

TEST_F(IncludeRulesTree, AFileOutsideEveryLayerFolderIsNamed) {
    write("torvane/loose.cc", "#include <string>\n");
    write("torvane/calc/deeper/x.h", "");
    const auto violations = layering::check_addon_includes(root_.string());
    ASSERT_EQ(violations.size(), 2u) << all_described(violations);
    EXPECT_EQ(layering::describe(violations[0]), "torvane/calc/deeper/x.h: outside every layer folder of the add-on");
    EXPECT_EQ(layering::describe(violations[1]), "torvane/loose.cc: outside every layer folder of the add-on");
}

}  // namespace
