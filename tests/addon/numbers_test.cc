// Rounding, number texts and tolerant comparison.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "my_func/my_func.h"

namespace {

struct RoundCase {
    double value;
    int digits;
    double rounded;
    const char *text;
};

TEST(Numbers, RoundHalfAwayFromZeroAndWriteWithoutTrailingZeros) {
    const RoundCase cases[] = {
        {2.0004, 3, 2.0, "2"},
        {-1.23456, 3, -1.235, "-1.235"},
        {12.5, 3, 12.5, "12.5"},
        {3.0, 3, 3.0, "3"},
        {0.0001, 3, 0.0, "0"},
        {2.5, 0, 3.0, "3"},
        {-2.5, 0, -3.0, "-3"},
        {0.4999, 0, 0.0, "0"},
        {1.25, 1, 1.3, "1.3"},
        {-1.25, 1, -1.3, "-1.3"},
        {0.125, 2, 0.13, "0.13"},
        {100.0, 2, 100.0, "100"},
        {1.23456, 4, 1.2346, "1.2346"},
        {1.23456, 7, 1.2346, "1.2346"},  // any other count of digits means 4
        {1.23456, -1, 1.2346, "1.2346"},
        {1.5, 5, 1.5, "1.5"},
        {123456.7894, 3, 123456.789, "123456.789"},
        {-0.0001, 3, -0.0, "-0"},
        {1e20, 0, 1e20, "100000000000000000000"},
    };
    for (const RoundCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.digits << " digits");
        EXPECT_DOUBLE_EQ(MY_round_value(c.value, c.digits), c.rounded);
        char text[MY_NUMBER_TEXT_BUFSIZE];
        EXPECT_STREQ(MY_double_to_str(c.value, c.digits, text), c.text);
    }
}

TEST(Numbers, RoundingASmallNegativeValueGivesNegativeZero) {
    double rounded = MY_round_value(-0.0004, 3);
    EXPECT_EQ(rounded, 0.0);
    EXPECT_TRUE(std::signbit(rounded));
    EXPECT_FALSE(std::signbit(MY_round_value(0.0004, 3)));
    char text[MY_NUMBER_TEXT_BUFSIZE];
    EXPECT_STREQ(MY_double_to_str(-0.0004, 0, text), "-0");
}

TEST(Numbers, TheTextOfTheLargestDoubleFitsItsBuffer) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    std::string written = MY_double_to_str(-1.7976931348623157e308, 3, text);
    EXPECT_EQ(written.size(), 310u);
    EXPECT_EQ(written.substr(0, 5), "-1797");
}

TEST(Numbers, EqualWithinToleranceIncludesBothBounds) {
    struct Case {
        double a, b, tol;
        int equal;
    };
    const Case cases[] = {
        {1.0, 1.5, 0.5, 1},       {1.0, 0.5, 0.5, 1}, {1.0, 1.5000001, 0.5, 0}, {1.0, 0.4999999, 0.5, 0},
        {-2.0, -2.004, 0.005, 1}, {0.0, 0.0, 0.0, 1}, {3.0, 3.02, 0.01, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " ~ " << c.b << " within " << c.tol);
        EXPECT_EQ(MY_equal_tol(c.a, c.b, c.tol), c.equal);
    }
}

TEST(Numbers, PointDistanceIsEuclidean) {
    const double origin[3] = {0, 0, 0}, p[3] = {3, 4, 12}, q[3] = {-1, 2, 2};
    EXPECT_DOUBLE_EQ(MY_point_dist(origin, p), 13.0);
    EXPECT_DOUBLE_EQ(MY_point_dist(p, q), std::sqrt(16.0 + 4.0 + 100.0));
    EXPECT_DOUBLE_EQ(MY_point_dist(q, q), 0.0);
}

}  // namespace
