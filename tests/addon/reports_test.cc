// The reports of failed NX calls: listing window, status line and the wrapping macro.
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "nxhost/core/guard.h"
#include "standin_test.h"
#include "uf_ui.h"

namespace {

using Lines = std::vector<std::string>;

using Reports = testsupport::StandinTest;

bool listing_window_open() {
    logical open = false;
    UF_UI_is_listing_window_open(&open);
    return open;
}

TEST_F(Reports, AFailedCallIsWrittenWithItsPlaceAndNXsMessage) {
    EXPECT_EQ(report_nx_call("D:\\src\\a.cc", 12, "UF_PART_save()", 0), 0);
    EXPECT_FALSE(listing_window_open()) << "a zero code writes nothing";
    // A code NX has no message for, and a long call text, which is written whole.
    const std::string long_call = "UF_OBJ_set_name(tag, \"" + std::string(500, 'n') + "\")";
    EXPECT_EQ(report_nx_call("plan.cc", 7, "UF_free(p)", 4711), 4711);
    EXPECT_EQ(report_nx_call("x.cc", 1, long_call.c_str(), nxhost::kBadTag), nxhost::kBadTag);
    EXPECT_EQ(shown("listing"), (Lines{"plan.cc, line 7:  UF_free(p)", "    error 4711", "x.cc, line 1:  " + long_call,
                                       "    error 1105004:  Invalid object tag"}));
    EXPECT_TRUE(listing_window_open());
}

// The failing call's line stands in the listing before NX is asked for its message: when that
// question fails, the line is still there and only the message is missing.
TEST_F(Reports, TheCallsLineIsWrittenBeforeNxsMessageIsAsked) {
    nxhost::fail_call_number(3);  // open, write the line, ask the message
    EXPECT_EQ(report_nx_call("a.cc", 3, "UF_PART_save()", nxhost::kBadTag), nxhost::kBadTag);
    EXPECT_EQ(shown("listing"), (Lines{"a.cc, line 3:  UF_PART_save()", "    error 1105004"}));
}

TEST_F(Reports, TheWrappingMacroYieldsTheCodeAndPassesTheCallsSourceText) {
    nxhost::fail_call_number(1);
    const int line = __LINE__ + 1;
    EXPECT_EQ(UF_CALL(UF_UI_set_prompt(const_cast<char *>("pick a face"))), nxhost::kInjectedFailure);
    EXPECT_EQ(shown("listing"), (Lines{std::string(__FILE__) + ", line " + std::to_string(line) +
                                           ":  UF_UI_set_prompt(const_cast<char *>(\"pick a face\"))",
                                       "    error 1105032:  The operation was aborted"}));
    EXPECT_EQ(UF_CALL(UF_UI_set_prompt(const_cast<char *>("next"))), 0);
    EXPECT_EQ(shown("listing").size(), 2u);
}

TEST_F(Reports, TheStatusReportShowsNXsMessageOnTheStatusLineAndStderr) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(report_status_code(0), 0);
    EXPECT_EQ(report_status_code(nxhost::kBadTag), nxhost::kBadTag);
    EXPECT_EQ(report_status_code(4711), 4711);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Invalid object tag\nerror 4711\n");
    EXPECT_EQ(shown("status"), (Lines{"Invalid object tag", "error 4711"}));
}

TEST_F(Reports, TheListingWriterOpensTheWindowWhenNeededAndReportsARefusedWrite) {
    EXPECT_EQ(MY_write_listing("first line\n"), 1);
    EXPECT_TRUE(listing_window_open());
    EXPECT_EQ(MY_write_listing("second\n"), 1);
    EXPECT_EQ(shown("listing"), (Lines{"first line", "second"}));
    clear_shown();
    nxhost::fail_call_number(2);  // the check passes, the write fails
    EXPECT_EQ(MY_write_listing("lost\n"), 0);
    const Lines listing = shown("listing");
    ASSERT_EQ(listing.size(), 2u);
    EXPECT_NE(listing[0].find("UF_UI_write_listing_window"), std::string::npos);
    EXPECT_EQ(listing[1], "    error 1105032:  The operation was aborted");
}

}  // namespace
