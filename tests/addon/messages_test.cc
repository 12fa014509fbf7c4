// The message catalogue lookup, what the user sees when the catalogue, the tag or the text
// is missing, and the reports of failed NX calls.
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/core/guard.h"
#include "standin_test.h"
#include "uf_ui.h"

namespace {

using addontest::lang_path;
using Lines = std::vector<std::string>;

struct Case {
    const char *what;
    std::string bytes, expected;  // the text found, or the message shown (in UTF-8)
};

class MessageLookup : public testsupport::StandinTest {
protected:
    // Looks t_01: up in a catalogue holding the case's bytes.
    void expect_lookup(const Case &c, int found) {
        SCOPED_TRACE(c.what);
        write_file("qz_conf/lang/test.txt", c.bytes);
        clear_shown();
        char text[MY_MESSAGE_BUFSIZE] = "unchanged";
        EXPECT_EQ(lookup_message("t_01:", text, lang_path("test.txt").c_str()), found);
        EXPECT_EQ(text, found ? c.expected : "unchanged");
        EXPECT_EQ(addontest::as_utf8(shown("message")), found ? Lines{} : Lines{c.expected});
    }
};

TEST_F(MessageLookup, FindsTheTextOfATagByTheCatalogueRules) {
    const std::string a256(256, 'a');
    const Case cases[] = {
        {"a blank after the tag stays in the text", "t_01: hello\n", " hello"},
        {"the text may start on a later line", "t_01:\n\nhello\n", "hello"},
        {"the tag glued to its text", "t_01:glued\n", "glued"},
        {"blanks and commas belong to the text", "t_01: a, b ,c\n", " a, b ,c"},
        {"a carriage return before the line feed is dropped", "t_01: crlf\r\n", " crlf"},
        {"a word with a letter before the tag does not match", "xt_01: wrong\nt_01: right\n", " right"},
        {"the tag as a word inside another text comes first", "other t_01: inside\nt_01: real\n", " inside"},
        {"a text of 300 characters gives its first 256", "t_01:" + std::string(300, 'a') + "\n", a256},
        {"257 characters without a final line feed still give 256", "t_01:\n" + a256 + "b", a256},
        {"a run of 256 restarting exactly before the tag", std::string(256, 'x') + "#t_01: found\n", " found"},
        {"catalogue texts pass byte for byte", "t_01:\n\xb4\xd6\xb9\xab\n", "\xb4\xd6\xb9\xab"},
    };
    for (const Case &c : cases) expect_lookup(c, 1);
}

TEST_F(MessageLookup, ShowsItsOwnMessageAndLeavesTheTextWhenNothingIsFound) {
    const std::string path = lang_path("test.txt");
    const std::string no_tag = "在 " + path + " 文件中找不到 t_01: 标题,请查看标题否正确!";
    const std::string no_text = "在 " + path + " 文件中读数据错误,找不到 t_01: 的数据,请查看是否有 t_01: 的数据!";
    const Case cases[] = {
        {"an empty catalogue", "", no_tag},
        {"a run of 256 characters glued to the tag", std::string(256, 'x') + "t_01: hidden\n", no_tag},
        {"the last text without a line feed", "t_01:\nlast line", no_text},
        {"only empty lines after the tag", "t_01:\n\n\n", no_text},
        {"256 characters without a final line feed", "t_01:\n" + std::string(256, 'a'), no_text},
    };
    for (const Case &c : cases) expect_lookup(c, 0);
}

TEST_F(MessageLookup, NamesTheMissingCatalogueWithItsPath) {
    char text[MY_MESSAGE_BUFSIZE] = "unchanged";
    const std::string path = lang_path("absent.txt");
    EXPECT_EQ(lookup_message("t_01:", text, path.c_str()), 0);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(addontest::as_utf8(shown("message")), Lines{"找不到 " + path + " 语言配置文件,请重新安装!"});
}

TEST_F(MessageLookup, ReadsTheCatalogueAfreshOnEveryLookup) {
    expect_lookup({"before the edit", "t_01: before\n", " before"}, 1);
    expect_lookup({"after the edit", "t_01: after\n", " after"}, 1);
}

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
