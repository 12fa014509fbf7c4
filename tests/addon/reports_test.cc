// Reports of failed NX calls, the status-line report, console output and the listing window.
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "nxhost/core/guard.h"
#include "standin_test.h"
#include "uf_ui.h"

namespace {

using testsupport::StandinTest;
using Lines = std::vector<std::string>;

class Reports : public StandinTest {};

bool listing_window_open() {
    logical open = false;
    UF_UI_is_listing_window_open(&open);
    return open;
}

TEST_F(Reports, AZeroCodeWritesNothingAndLeavesTheListingWindowClosed) {
    EXPECT_EQ(report_nx_call("D:\\src\\a.cc", 12, "UF_PART_save()", 0), 0);
    EXPECT_TRUE(shown("listing").empty());
    EXPECT_FALSE(listing_window_open());
}

TEST_F(Reports, AFailedCallIsWrittenWithItsPlaceAndNXsMessage) {
    const std::string long_call = "UF_OBJ_set_name(tag, \"" + std::string(500, 'n') + "\")";
    struct Case {
        const char *what;
        const char *file;
        int line;
        std::string call;
        int code;
        Lines listing;
    };
    const Case cases[] = {
        {"a code NX has a message for",
         "D:\\src\\scan.cc",
         120,
         "UF_PART_save()",
         nxhost::kBadArgument,
         {"D:\\src\\scan.cc, line 120:  UF_PART_save()", "    error 1105005:  Invalid argument"}},
        {"a code without a message",
         "plan.cc",
         7,
         "UF_free(p)",
         4711,
         {"plan.cc, line 7:  UF_free(p)", "    error 4711"}},
        {"a long call text is written whole",
         "x.cc",
         1,
         long_call,
         nxhost::kBadTag,
         {"x.cc, line 1:  " + long_call, "    error 1105004:  Invalid object tag"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        clear_shown();
        EXPECT_EQ(report_nx_call(c.file, c.line, c.call.c_str(), c.code), c.code);
        EXPECT_EQ(shown("listing"), c.listing);
        EXPECT_TRUE(listing_window_open());
    }
}

TEST_F(Reports, TheWrappingMacroYieldsTheCodeAndPassesTheCallsSourceText) {
    nxhost::fail_call_number(1);
    const int line = __LINE__ + 1;
    int code = UF_CALL(UF_UI_set_prompt(const_cast<char *>("pick a face")));
    EXPECT_EQ(code, nxhost::kInjectedFailure);
    EXPECT_EQ(shown("listing"), (Lines{std::string(__FILE__) + ", line " + std::to_string(line) +
                                           ":  UF_UI_set_prompt(const_cast<char *>(\"pick a face\"))",
                                       "    error 1105032:  The operation was aborted"}));
    EXPECT_EQ(UF_CALL(UF_UI_set_prompt(const_cast<char *>("next"))), 0);
    EXPECT_EQ(shown("listing").size(), 2u);
}

TEST_F(Reports, TheStatusReportShowsNXsMessageOnTheStatusLineAndStderr) {
    struct Case {
        int code;
        Lines status;
        std::string stderr_text;
    };
    const Case cases[] = {
        {0, {}, ""},
        {nxhost::kBadTag, {"Invalid object tag"}, "Invalid object tag\n"},
        {4711, {"error 4711"}, "error 4711\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        clear_shown();
        testing::internal::CaptureStderr();
        EXPECT_EQ(report_status_code(c.code), c.code);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderr_text);
        EXPECT_EQ(shown("status"), c.status);
    }
}

TEST_F(Reports, TheFormatterAndTheConsoleWriterUseTheStandardConversions) {
    char buffer[64];
    EXPECT_EQ(format_text(buffer, "%s %d %s", "CAV", 12, "R"), 8);
    EXPECT_STREQ(buffer, "CAV 12 R");
    EXPECT_EQ(format_text(buffer, "%.3f|%5s", 0.1, "ab"), 11);
    EXPECT_STREQ(buffer, "0.100|   ab");

    testing::internal::CaptureStdout();
    EXPECT_EQ(print_console("%s: %d\n", "code", 3), 8);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "code: 3\n");
}

TEST_F(Reports, TheListingWriterOpensTheWindowOnlyWhenNeeded) {
    EXPECT_EQ(MY_write_listing("first line\n"), 1);
    EXPECT_TRUE(listing_window_open());
    EXPECT_EQ(MY_write_listing("second\n"), 1);
    EXPECT_EQ(shown("listing"), (Lines{"first line", "second"}));
}

TEST_F(Reports, TheListingWriterReportsARefusedWrite) {
    ASSERT_EQ(UF_UI_open_listing_window(), 0);
    nxhost::fail_call_number(2);  // the check passes, the write fails
    EXPECT_EQ(MY_write_listing("lost\n"), 0);
    const Lines listing = shown("listing");
    ASSERT_EQ(listing.size(), 2u);
    EXPECT_NE(listing[0].find("UF_UI_write_listing_window"), std::string::npos);
    EXPECT_EQ(listing[1], "    error 1105032:  The operation was aborted");
}

}  // namespace
