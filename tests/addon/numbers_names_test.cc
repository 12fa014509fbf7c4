// Rounding, number texts, tolerant comparison, and part and electrode names taken apart.
#include <cmath>
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "logic_test.h"
#ifndef _WIN32
#include "uf_part.h"
#endif

namespace {

TEST(Numbers, RoundHalfAwayFromZeroAndWriteWithoutTrailingZeros) {
    const struct {
        double value;
        int digits;
        double rounded;
        const char *text;
    } cases[] = {
        {2.0004, 3, 2.0, "2"},           {-1.23456, 3, -1.235, "-1.235"},
        {12.5, 3, 12.5, "12.5"},         {0.0001, 3, 0.0, "0"},
        {-0.0001, 3, -0.0, "-0"},        {-0.0004, 3, -0.0, "-0"},
        {-0.0004, 0, -0.0, "-0"},        {2.5, 0, 3.0, "3"},
        {-2.5, 0, -3.0, "-3"},           {0.4999, 0, 0.0, "0"},
        {1.25, 1, 1.3, "1.3"},           {0.125, 2, 0.13, "0.13"},
        {100.0, 2, 100.0, "100"},        {1.23456, 7, 1.2346, "1.2346"},
        {1.23456, -1, 1.2346, "1.2346"},  // any other count of digits than 0 to 3 means 4
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.digits << " digits");
        const double rounded = MY_round_value(c.value, c.digits);
        EXPECT_DOUBLE_EQ(rounded, c.rounded);
        EXPECT_EQ(std::signbit(rounded), std::signbit(c.rounded));
        char text[MY_NUMBER_TEXT_BUFSIZE];
        EXPECT_STREQ(MY_double_to_str(c.value, c.digits, text), c.text);
    }
}

TEST(Numbers, TheTextOfTheLargestDoubleFitsItsBuffer) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    std::string written = MY_double_to_str(-1.7976931348623157e308, 3, text);
    EXPECT_EQ(written.size(), 310u);
    EXPECT_EQ(written.substr(0, 5), "-1797");
}

TEST(Numbers, EqualWithinToleranceIncludesBothBounds) {
    const std::pair<double, int> cases[] = {{1.5, 1}, {0.5, 1}, {1.5000001, 0}, {0.4999999, 0}};
    for (const auto &c : cases) EXPECT_EQ(MY_equal_tol(1.0, c.first, 0.5), c.second) << c.first << " ~ 1 within 0.5";
}

using Names = testsupport::LogicTest;

TEST_F(Names, APartNameIsTheFileNameWithoutDirectoryAndExtension) {
    const std::pair<const char *, const char *> cases[] = {{"D:\\parts\\E1.prt", "E1"},
                                                           {"E1.prt", "E1"},
                                                           {"D:\\cam\\mold.v2.prt", "mold.v2"},
                                                           {"D:\\a.b\\noext", "noext"},
                                                           {"D:\\parts\\E1", ""}};
    for (const auto &c : cases) {
        char name[64] = "stale";
        EXPECT_STREQ(MY_divide_part_name(c.first, name), c.second) << c.first;
    }
    EXPECT_EQ(shown("message"), std::vector<std::string>{"MY_divide_part_name, err part path!"})
        << "once, for the path without a point";
}

TEST(ElecNames, SplitIntoPrefixNumberAndWidth) {
    const struct {
        const char *name, *prefix;
        int number, width;
    } cases[] = {
        {"EL-007", "EL-", 7, 3}, {"0012", "", 12, 4},       {"12", "", 12, 0}, {"0", "", 0, 1},
        {"EL", "EL", 0, 1},      {"A12B34", "A12B", 34, 2}, {"", "", 0, 1},    {"E99999999999", "E", 2147483647, 11},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        char prefix[32] = "stale";
        int number = -1, width = -1;
        EXPECT_EQ(MY_divide_elec_name(c.name, prefix, &number, &width), 1);
        EXPECT_STREQ(prefix, c.prefix);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(width, c.width);
    }
}

#ifndef _WIN32
// Parts are opened through the stand-in.
using DisplayedPart = testsupport::StandinTest;

TEST_F(DisplayedPart, TheDisplayedPartsNameIsItsFileNameWithoutExtension) {
    char name[MAX_FSPEC_BUFSIZE] = "stale";
    EXPECT_STREQ(MY_ask_display_part_name(name), "") << "no part displayed";
    EXPECT_TRUE(shown("message").empty());
    write_file("parts/E-12.v2.prt", R"({"format": "nxhost-part/1", "units": "mm", "bodies": []})");
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status = {};
    ASSERT_EQ(UF_PART_open("D:\\parts\\E-12.v2.prt", &part, &status), 0);
    UF_PART_free_load_status(&status);
    EXPECT_STREQ(MY_ask_display_part_name(name), "E-12.v2");
}
#endif

}  // namespace
