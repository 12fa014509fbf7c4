// Part file names and electrode names taken apart.
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "standin_test.h"
#include "uf_part.h"

namespace {

using testsupport::StandinTest;
using Lines = std::vector<std::string>;

class Names : public StandinTest {};

TEST_F(Names, APartNameIsTheFileNameWithoutDirectoryAndExtension) {
    const std::pair<const char *, const char *> cases[] = {
        {"D:\\parts\\E1.prt", "E1"}, {"E1.prt", "E1"},        {"D:\\cam\\mold.v2.prt", "mold.v2"},
        {"D:\\a.b\\noext", "noext"}, {"D:\\parts\\.prt", ""}, {"\\\\server\\share\\B-12.PRT", "B-12"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        char name[64] = "stale";
        EXPECT_STREQ(MY_divide_part_name(c.first, name), c.second);
    }
    EXPECT_TRUE(shown("message").empty());
}

TEST_F(Names, APathWithoutAPointGivesNoNameAndAMessage) {
    char name[64] = "stale";
    EXPECT_STREQ(MY_divide_part_name("D:\\parts\\E1", name), "");
    EXPECT_EQ(shown("message"), Lines{"MY_divide_part_name, err part path!"});
}

TEST_F(Names, WithoutADisplayedPartThereIsNoDisplayPartName) {
    char name[MAX_FSPEC_BUFSIZE] = "stale";
    EXPECT_STREQ(MY_ask_display_part_name(name), "");
    EXPECT_TRUE(shown("message").empty());
}

TEST_F(Names, TheDisplayedPartsNameIsItsFileNameWithoutExtension) {
    write_file("parts/E-12.v2.prt", R"({"format": "nxhost-part/1", "units": "mm", "bodies": []})");
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status = {};
    ASSERT_EQ(UF_PART_open("D:\\parts\\E-12.v2.prt", &part, &status), 0);
    UF_PART_free_load_status(&status);
    char name[MAX_FSPEC_BUFSIZE] = "stale";
    EXPECT_STREQ(MY_ask_display_part_name(name), "E-12.v2");
}

TEST(ElecNames, SplitIntoPrefixNumberAndWidth) {
    struct Case {
        const char *name;
        const char *prefix;
        int number;
        int width;
    };
    const Case cases[] = {
        {"EL-007", "EL-", 7, 3},
        {"0012", "", 12, 4},
        {"12", "", 12, 0},
        {"0", "", 0, 1},
        {"EL", "EL", 0, 1},
        {"E1A", "E1A", 0, 1},
        {"A12B34", "A12B", 34, 2},
        {"E0", "E", 0, 1},
        {"", "", 0, 1},
        {"E99999999999", "E", 2147483647, 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        char prefix[32] = "stale";
        int number = -1, width = -1;
        EXPECT_EQ(MY_divide_elec_name(c.name, prefix, &number, &width), 1);
        EXPECT_STREQ(prefix, c.prefix);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(width, c.width);
    }
}

}  // namespace
