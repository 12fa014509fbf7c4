// The keyed readers of definition files: where a key is found, what its value is, and what
// the user reads when the file, the key or the value is missing.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "standin_test.h"

namespace {

using addontest::as_utf8;
using testsupport::StandinTest;
using Lines = std::vector<std::string>;

const char DEF_PATH[] = "D:\\qz_conf\\test.def";

class KeyedReaders : public StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        // Short catalogue texts make the composed messages easy to read back.
        write_file("qz_conf/lang/my_func.txt", addontest::catalogue({{"read_config_value_01:", "V01"},
                                                                     {"read_config_value_02:", "V02"},
                                                                     {"read_config_value_03:", "V03"},
                                                                     {"read_config_value_04:", "V04"},
                                                                     {"read_config_value_05:", "V05"},
                                                                     {"read_config_value_06:", "V06"},
                                                                     {"read_config_value_07:", "V07"},
                                                                     {"read_config_value_08:", "V08"},
                                                                     {"read_config_value_09:", "V09"},
                                                                     {"read_config_value_char_01:", "C01"},
                                                                     {"read_config_value_char_02:", "C02"},
                                                                     {"read_config_value_char_03:", "C03"},
                                                                     {"read_config_value_char_04:", "C04"},
                                                                     {"read_config_value_char_05:", "C05"},
                                                                     {"read_config_value_char_06:", "C06"},
                                                                     {"read_config_value_char_07:", "C07"},
                                                                     {"read_config_value_char_08:", "C08"},
                                                                     {"read_config_value_char_09:", "C09"}}));
    }

    int number(const std::string &file, const char *key, double *value) {
        write_file("qz_conf/test.def", file);
        return read_config_value(key, value, DEF_PATH);
    }

    int text(const std::string &file, const char *key, std::string *value) {
        write_file("qz_conf/test.def", file);
        char buffer[MY_CONFIG_VALUE_BUFSIZE];
        std::strcpy(buffer, "unchanged");
        int read = read_config_value_char(key, buffer, DEF_PATH);
        *value = buffer;
        return read;
    }
};

struct NumberCase {
    const char *what;
    std::string file;
    double value;
};

TEST_F(KeyedReaders, FindTheNumberAfterItsKey) {
    const std::string run256(256, 'x');
    const NumberCase cases[] = {
        {"a blank between key and value", "gap: 0.5\n", 0.5},
        {"the key glued to its value", "gap:0.5\n", 0.5},
        {"the value on the next line", "gap:\n0.5\n", 0.5},
        {"commas and blanks before the value", "gap:, ,\n 0.5\n", 0.5},
        {"the first of two keys", "gap: 1\ngap: 2\n", 1.0},
        {"a key in a remark line counts", "the gap: 3 is used\ngap: 4\n", 3.0},
        {"a tab is the value's first character", "gap:\t0.25\n", 0.25},
        {"a carriage return line end", "gap: 0.75\r\n", 0.75},
        {"a comma ends the value", "gap: 1,2\n", 1.0},
        {"the leading number of a token", "gap: 2.5mm\n", 2.5},
        {"a token without a number", "gap: abc\n", 0.0},
        {"a run of 257 characters restarts exactly before the key", std::string(257, 'x') + "gap: 6\n", 6.0},
        {"the end marker keeps the caller's value", "gap: EOF\n", 7.0},
        {"the end marker needs no delimiter after it", "gap: EOF", 7.0},
        {"a token that begins with the end marker", "gap: EOFX\n", 7.0},
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(c.what);
        clear_shown();
        double value = 7.0;
        EXPECT_EQ(number(c.file, "gap:", &value), 1);
        EXPECT_DOUBLE_EQ(value, c.value);
        EXPECT_TRUE(shown("message").empty());
    }
}

struct TextCase {
    const char *what;
    std::string file;
    std::string value;
};

TEST_F(KeyedReaders, FindTheTextAfterItsKey) {
    const TextCase cases[] = {
        {"a plain word", "lib: BALL_MILLS\n", "BALL_MILLS"},
        {"a carriage return line end", "lib: flat\r\n", "flat"},
        {"no end marker: EOF is a text", "lib: EOF\n", "EOF"},
        {"tabs, equal signs and hashes are text", "lib:\t#a=b;c\n", "\t#a=b;c"},
        {"non-ASCII bytes pass through", "lib: \xb4\xd6\xb9\xab\n", "\xb4\xd6\xb9\xab"},
        {"a value of 300 characters gives its first 256", "lib: " + std::string(300, 'v') + "\n",
         std::string(256, 'v')},
        {"256 characters end the value before the file ends", "lib: " + std::string(256, 'v'), std::string(256, 'v')},
    };
    for (const TextCase &c : cases) {
        SCOPED_TRACE(c.what);
        std::string value;
        EXPECT_EQ(text(c.file, "lib:", &value), 1);
        EXPECT_EQ(value, c.value);
    }
}

struct FailureCase {
    const char *what;
    std::string file;  // empty: no file at all
    Lines number_message;
    Lines text_message;
};

TEST_F(KeyedReaders, ShowWhatIsMissingAndLeaveTheOutputAlone) {
    const std::string p = DEF_PATH;
    const FailureCase cases[] = {
        {"no file", "", {"V01 " + p + " V02"}, {"C01 " + p + " C02"}},
        {"no key", "other: 1\n", {"V03 " + p + " V04 gap: V05 gap: V06"}, {"C03 " + p + " C04 gap: C05"}},
        {"a letter glued before the key",
         "xgap: 1\n",
         {"V03 " + p + " V04 gap: V05 gap: V06"},
         {"C03 " + p + " C04 gap: C05"}},
        {"a run of 256 characters glued to the key",
         std::string(256, 'x') + "gap: 1\n",
         {"V03 " + p + " V04 gap: V05 gap: V06"},
         {"C03 " + p + " C04 gap: C05"}},
        {"a run of 258 characters glued to the key",
         std::string(258, 'x') + "gap: 1\n",
         {"V03 " + p + " V04 gap: V05 gap: V06"},
         {"C03 " + p + " C04 gap: C05"}},
        {"the key ends the file", "gap:", {"V07 " + p + " V08 gap: V09"}, {"C06 " + p + " C07 gap: C08 gap: C09"}},
        {"the last value without a line feed",
         "gap: 0.5",
         {"V07 " + p + " V08 gap: V09"},
         {"C06 " + p + " C07 gap: C08 gap: C09"}},
        {"only delimiters after the key",
         "gap: \n,\n",
         {"V07 " + p + " V08 gap: V09"},
         {"C06 " + p + " C07 gap: C08 gap: C09"}},
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file.empty())
            std::remove((drive_dir() + "/qz_conf/test.def").c_str());
        else
            write_file("qz_conf/test.def", c.file);
        clear_shown();
        double value = 7.0;
        EXPECT_EQ(read_config_value("gap:", &value, DEF_PATH), 0);
        EXPECT_EQ(value, 7.0);
        EXPECT_EQ(shown("message"), c.number_message);

        clear_shown();
        char buffer[MY_CONFIG_VALUE_BUFSIZE] = "unchanged";
        EXPECT_EQ(read_config_value_char("gap:", buffer, DEF_PATH), 0);
        EXPECT_STREQ(buffer, "unchanged");
        EXPECT_EQ(shown("message"), c.text_message);
    }
}

TEST_F(KeyedReaders, StopSilentlyAfterTheLookupsOwnMessageWhenTheCatalogueLacksATag) {
    write_file("qz_conf/lang/my_func.txt", addontest::catalogue({{"read_config_value_01:", "V01"}}));
    double value = 7.0;
    EXPECT_EQ(read_config_value("gap:", &value, "D:\\qz_conf\\absent.def"), 0);
    const std::string catalogue_path = addontest::lang_path("my_func.txt");
    EXPECT_EQ(as_utf8(shown("message")),
              Lines{"在 " + catalogue_path + " 文件中找不到 read_config_value_02: 标题,请查看标题否正确!"});
}

TEST_F(KeyedReaders, CloseTheFileOnEveryPath) {
    // A file left open could not be replaced on Windows; here the descriptors would run out.
    write_file("qz_conf/test.def", "gap: 1\nlast: 2");
    for (int i = 0; i < 3000; ++i) {
        double value = 0.0;
        char buffer[MY_CONFIG_VALUE_BUFSIZE];
        read_config_value("gap:", &value, DEF_PATH);
        read_config_value("none:", &value, DEF_PATH);
        read_config_value_char("last:", buffer, DEF_PATH);
    }
    clear_shown();
    FILE *fp = sys_fopen(DEF_PATH, "r");
    ASSERT_NE(fp, nullptr);
    std::fclose(fp);
}

TEST_F(KeyedReaders, TheSharedKeySearchHonoursEachReadersTokenLimit) {
    write_file("qz_conf/test.def", std::string(79, 'x') + "#key: v\n");
    struct Case {
        int limit;
        int found;
    };
    for (const Case c : {Case{79, 1}, Case{256, 0}, Case{301, 0}}) {
        SCOPED_TRACE(c.limit);
        FILE *fp = sys_fopen(DEF_PATH, "r");
        ASSERT_NE(fp, nullptr);
        EXPECT_EQ(MY_find_config_key(fp, "key:", c.limit), c.found);
        std::fclose(fp);
    }
}

}  // namespace
