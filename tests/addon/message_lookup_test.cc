// The message catalogue lookup: where a tag's text starts and ends, and what the user sees
// when the catalogue, the tag or the text is missing.
#include <cstring>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "standin_test.h"

namespace {

using addontest::as_utf8;
using addontest::lang_path;
using testsupport::StandinTest;

class MessageLookup : public StandinTest {
protected:
    // Looks tag up in a catalogue holding bytes; returns the result, the text in *text.
    int lookup(const std::string &bytes, const char *tag, std::string *text) {
        write_file("qz_conf/lang/test.txt", bytes);
        char buffer[MY_MESSAGE_BUFSIZE];
        std::strcpy(buffer, "unchanged");
        int found = lookup_message(tag, buffer, lang_path("test.txt").c_str());
        *text = buffer;
        return found;
    }
};

struct FoundCase {
    const char *what;
    std::string bytes;
    std::string text;
};

TEST_F(MessageLookup, FindsTheTextOfATagByTheCatalogueRules) {
    const std::string a256(256, 'a');
    const std::string x256(256, 'x');
    const FoundCase cases[] = {
        {"a blank after the tag stays in the text", "t_01: hello\n", " hello"},
        {"the text may start on a later line", "t_01:\n\nhello\n", "hello"},
        {"empty lines and leading blanks of the next line", "t_01:\n\n\n  two blanks\n", "  two blanks"},
        {"the tag glued to its text", "t_01:glued\n", "glued"},
        {"blanks and commas belong to the text", "t_01: a, b ,c\n", " a, b ,c"},
        {"a carriage return before the line feed is dropped", "t_01: crlf\r\n", " crlf"},
        {"a lone carriage return is kept", "t_01: a\rb\n", " a\rb"},
        {"a word with a letter before the tag does not match", "xt_01: wrong\nt_01: right\n", " right"},
        {"the tag as a word inside another text comes first", "other t_01: inside\nt_01: real\n", " inside"},
        {"the first of two entries wins", "t_01: first\nt_01: second\n", " first"},
        {"a text of 300 characters gives its first 256", "t_01:" + std::string(300, 'a') + "\n", a256},
        {"a text of exactly 256 characters", "t_01:\n" + a256 + "\n", a256},
        {"257 characters without a final line feed still give 256", "t_01:\n" + a256 + "b", a256},
        {"a run of 256 characters restarts the word and loses the next", x256 + "t_01: no\nt_01: yes\n", " yes"},
        {"a run of 256 restarting exactly before the tag", x256 + "#t_01: found\n", " found"},
        {"catalogue texts pass byte for byte", "t_01:\n\xb4\xd6\xb9\xab\n", "\xb4\xd6\xb9\xab"},
    };
    for (const FoundCase &c : cases) {
        SCOPED_TRACE(c.what);
        clear_shown();
        std::string text;
        EXPECT_EQ(lookup(c.bytes, "t_01:", &text), 1);
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(shown("message").empty());
    }
}

struct MissingCase {
    const char *what;
    std::string bytes;
    std::string message;  // as shown, converted to UTF-8
};

TEST_F(MessageLookup, ShowsItsOwnMessageAndLeavesTheTextWhenNothingIsFound) {
    const std::string path = lang_path("test.txt");
    const std::string no_tag = "在 " + path + " 文件中找不到 t_01: 标题,请查看标题否正确!";
    const std::string no_text = "在 " + path + " 文件中读数据错误,找不到 t_01: 的数据,请查看是否有 t_01: 的数据!";
    const MissingCase cases[] = {
        {"an empty catalogue", "", no_tag},
        {"a catalogue without the tag", "t_02: other\n", no_tag},
        {"the tag at the very end", "t_01:", no_text},
        {"the last text without a line feed", "t_01:\nlast line", no_text},
        {"only empty lines after the tag", "t_01:\n\n\n", no_text},
        {"256 characters without a final line feed", "t_01:\n" + std::string(256, 'a'), no_text},
        {"a run of 256 characters glued to the tag", std::string(256, 'x') + "t_01: hidden\n", no_tag},
    };
    for (const MissingCase &c : cases) {
        SCOPED_TRACE(c.what);
        clear_shown();
        std::string text;
        EXPECT_EQ(lookup(c.bytes, "t_01:", &text), 0);
        EXPECT_EQ(text, "unchanged");
        EXPECT_EQ(as_utf8(shown("message")), std::vector<std::string>{c.message});
    }
}

TEST_F(MessageLookup, NamesTheMissingCatalogueWithItsPath) {
    char text[MY_MESSAGE_BUFSIZE] = "unchanged";
    const std::string path = lang_path("absent.txt");
    EXPECT_EQ(lookup_message("t_01:", text, path.c_str()), 0);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(as_utf8(shown("message")), std::vector<std::string>{"找不到 " + path + " 语言配置文件,请重新安装!"});
}

TEST_F(MessageLookup, ReadsTheCatalogueAfreshOnEveryLookup) {
    std::string text;
    ASSERT_EQ(lookup("t_01: before\n", "t_01:", &text), 1);
    ASSERT_EQ(lookup("t_01: after\n", "t_01:", &text), 1);
    EXPECT_EQ(text, " after");
}

TEST_F(MessageLookup, BuildsTheCataloguePathsInTheLanguageDirectory) {
    char path[MY_PATH_BUFSIZE];
    const std::pair<const char *, const char *> cases[] = {
        {TORVANE_LANG_FORMAT, "D:\\qz_conf\\lang\\torvane.txt"},
        {MY_FUNC_LANG_FORMAT, "D:\\qz_conf\\lang\\my_func.txt"},
        {MY_FUNC1_LANG_FORMAT, "D:\\qz_conf\\lang\\my_func1.txt"},
        {MY_FUNC_CAM_LANG_FORMAT, "D:\\qz_conf\\lang\\my_func_cam.txt"},
    };
    for (const auto &c : cases) {
        build_lang_path(path, c.first);
        EXPECT_STREQ(path, c.second);
    }
}

}  // namespace
