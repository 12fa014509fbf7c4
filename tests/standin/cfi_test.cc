// Directory scans and file-name helpers over a mounted drive.
#include <cstring>

#include "nxhost/core/guard.h"
#include "standin_test.h"
#include "uf.h"
#include "uf_cfi.h"

namespace {

using CfiTest = testsupport::StandinTest;

std::vector<std::string> scan(const char *dir, const char *wildcard) {
    std::vector<std::string> found;
    if (uc4508(dir, (1 << 11) | (1 << 13), 0, wildcard) < 0) return {"<cannot open>"};
    while (uc4518() == 0) {
        char spec[MAX_FSPEC_BUFSIZE];
        char name[UF_CFI_MAX_FILE_NAME_BUFSIZE];
        EXPECT_EQ(uc4519(spec), 0);
        EXPECT_EQ(uc4574(spec, 2, name), 0);
        found.push_back(std::string(spec) + " -> " + name);
    }
    uc4548();
    return found;
}

TEST_F(CfiTest, ScanningATemplateDirectoryGivesPartFilesInNameOrder) {
    write_file("cam/b.prt", "{}");
    write_file("cam/A.PRT", "{}");
    write_file("cam/notes.txt", "x");
    write_file("cam/sub/c.prt", "{}");
    EXPECT_EQ(scan("D:\\cam", "*.prt"),
              (std::vector<std::string>{"D:\\cam\\A.PRT -> A", "D:\\cam\\b.prt -> b"}));
    EXPECT_EQ(scan("D:\\cam\\", "*.prt"), (std::vector<std::string>{"D:\\cam\\A.PRT -> A", "D:\\cam\\b.prt -> b"}));
    EXPECT_EQ(scan("D:\\empty", "*.prt"), (std::vector<std::string>{"<cannot open>"}));
    EXPECT_EQ(scan("Q:\\cam", "*.prt"), (std::vector<std::string>{"<cannot open>"}));
}

TEST_F(CfiTest, FileNameHelpersSplitAndJoinWindowsPaths) {
    char out[MAX_FSPEC_BUFSIZE];
    char name[UF_CFI_MAX_FILE_NAME_BUFSIZE];
    struct Case { const char *spec; const char *short_name; } cases[] = {
        {"D:\\qz_conf\\cam_qz\\cam_template\\cav.prt", "cav"},
        {"/DISK1/JOE/FOO.PRT", "FOO"},
        {"plain", "plain"},
        {"D:\\dir.v2\\part", "part"},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(uc4574(c.spec, 2, name), 0);
        EXPECT_STREQ(name, c.short_name) << c.spec;
    }
    ASSERT_EQ(uc4575("D:\\parts", 2, "a", out), 0);
    EXPECT_STREQ(out, "D:\\parts\\a.prt");
    char dir[MAX_FSPEC_BUFSIZE];
    ASSERT_EQ(uc4576("D:\\parts\\a.prt", 2, dir, name), 0);
    EXPECT_STREQ(dir, "D:\\parts");
    EXPECT_STREQ(name, "a.prt");
    ASSERT_EQ(uc4578("D:\\parts\\a.prt", 2, out), 0);
    EXPECT_STREQ(out, "D:\\parts\\a");
}

TEST_F(CfiTest, ReadingAnEntryWithoutAScanIsMisuse) {
    EXPECT_LT(uc4518(), 0);
    char spec[MAX_FSPEC_BUFSIZE];
    EXPECT_NE(uc4519(spec), 0);
    EXPECT_EQ(nxhost::misuse_lines().size(), 2u);
    expect_clean_session_ = false;
    UF_terminate();
}

}  // namespace
