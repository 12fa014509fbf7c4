// The message catalogue lookup, and what the user sees when the catalogue, the tag or the text
// is missing.
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "logic_test.h"
#include "my_func/my_func.h"

namespace {

using addontest::lang_path;
using Lines = std::vector<std::string>;

struct Case {
    const char *what;
    std::string bytes, expected;  // the text found, or the message shown (in UTF-8)
};

class MessageLookup : public testsupport::LogicTest {
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

}  // namespace
