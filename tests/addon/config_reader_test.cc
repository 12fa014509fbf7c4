// The keyed readers of definition files and the EDM spark-gap descriptors of config.def:
// where a key is found, what its value is, and what the user reads when something is missing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "logic_test.h"
#include "my_func/my_func.h"
#include "sys/sys_file.h"

namespace {

using addontest::numbered_catalogue;
using Lines = std::vector<std::string>;

const char DEF_PATH[] = "D:\\qz_conf\\test.def";

class KeyedReaders : public testsupport::LogicTest {
protected:
    void SetUp() override {
        testsupport::LogicTest::SetUp();
        write_file("qz_conf/lang/my_func.txt", numbered_catalogue("read_config_value_", "V", 9) +
                                                   numbered_catalogue("read_config_value_char_", "C", 9));
        write_file("qz_conf/lang/my_func1.txt", numbered_catalogue("read_config_edm_descr_", "E", 9));
    }
    // Writes the file below D:\qz_conf, or removes it when there is no content.
    void put(const char *name, const std::optional<std::string> &content) {
        std::remove((drive_dir() + "/qz_conf/" + name).c_str());
        if (content) write_file(std::string("qz_conf/") + name, *content);
        clear_shown();
    }
};

TEST_F(KeyedReaders, FindTheValueAfterItsKey) {
    const std::string v256(256, 'v');
    const struct {
        const char *what;
        std::string file, text;
        double number;  // 7: the caller's value kept
    } cases[] = {
        {"a blank between key and value", "gap: 0.5\n", "0.5", 0.5},
        {"the key glued to its value", "gap:0.5\n", "0.5", 0.5},
        {"the value on the next line", "gap:\n0.5\n", "0.5", 0.5},
        {"the first of two keys, even in a remark", "the gap: 3 is used\ngap: 4\n", "3", 3.0},
        {"a tab, equal signs and hashes are value characters", "gap:\t0.25#a=b;c\n", "\t0.25#a=b;c", 0.25},
        {"a comma ends the value", "gap: 1,2\n", "1", 1.0},
        {"a carriage return line end", "gap: flat\r\n", "flat", 0.0},
        {"a run of 257 characters restarts exactly before the key", std::string(257, 'x') + "gap: 6\n", "6", 6.0},
        {"the end marker, for numbers only", "gap: EOF\n", "EOF", 7.0},
        {"a token that begins with the end marker", "gap: EOFX\n", "EOFX", 7.0},
        {"non-ASCII bytes pass through", "gap: \xb4\xd6\xb9\xab\n", "\xb4\xd6\xb9\xab", 0.0},
        {"a value of 300 characters gives its first 256", "gap: " + std::string(300, 'v') + "\n", v256, 0.0},
        {"256 characters end the value before the file ends", "gap: " + v256, v256, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put("test.def", c.file);
        double number = 7.0;
        EXPECT_EQ(read_config_value("gap:", &number, DEF_PATH), 1);
        EXPECT_DOUBLE_EQ(number, c.number);
        char text[MY_CONFIG_VALUE_BUFSIZE] = "";
        EXPECT_EQ(read_config_value_char("gap:", text, DEF_PATH), 1);
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(shown("message").empty());
    }
}

TEST_F(KeyedReaders, ShowWhatIsMissingAndLeaveTheOutputAlone) {
    const std::string p = DEF_PATH;
    const Lines no_file[] = {{"V01 " + p + " V02"}, {"C01 " + p + " C02"}};
    const Lines no_key[] = {{"V03 " + p + " V04 gap: V05 gap: V06"}, {"C03 " + p + " C04 gap: C05"}};
    const Lines no_value[] = {{"V07 " + p + " V08 gap: V09"}, {"C06 " + p + " C07 gap: C08 gap: C09"}};
    const struct {
        const char *what;
        std::optional<std::string> file;
        const Lines *messages;  // of the number reader, of the text reader
    } cases[] = {
        {"no file", std::nullopt, no_file},
        {"no key", "other: 1\n", no_key},
        {"a letter glued before the key", "xgap: 1\n", no_key},
        {"a run of 256 characters glued to the key", std::string(256, 'x') + "gap: 1\n", no_key},
        {"the last value without a line feed", "gap: 0.5", no_value},
        {"only delimiters after the key", "gap: \n,\n", no_value},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put("test.def", c.file);
        double value = 7.0;
        EXPECT_EQ(read_config_value("gap:", &value, DEF_PATH), 0);
        EXPECT_EQ(value, 7.0);
        EXPECT_EQ(shown("message"), c.messages[0]);
        clear_shown();
        char text[MY_CONFIG_VALUE_BUFSIZE] = "unchanged";
        EXPECT_EQ(read_config_value_char("gap:", text, DEF_PATH), 0);
        EXPECT_STREQ(text, "unchanged");
        EXPECT_EQ(shown("message"), c.messages[1]);
    }
}

TEST_F(KeyedReaders, StopSilentlyAfterTheLookupsOwnMessageWhenTheCatalogueLacksATag) {
    write_file("qz_conf/lang/my_func.txt", numbered_catalogue("read_config_value_", "V", 1));
    double value = 7.0;
    EXPECT_EQ(read_config_value("gap:", &value, "D:\\qz_conf\\absent.def"), 0);
    const std::string catalogue_path = addontest::lang_path("my_func.txt");
    EXPECT_EQ(addontest::as_utf8(shown("message")),
              Lines{"在 " + catalogue_path + " 文件中找不到 read_config_value_02: 标题,请查看标题否正确!"});
}

TEST_F(KeyedReaders, CloseTheFileOnEveryPath) {
    // A file left open could not be replaced on Windows; here the descriptors would run out.
    put("test.def", "gap: 1\nlast: 2");
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

// The six descriptor fields in their order, joined by "|".
std::string fields(const edm_descr &d) {
    std::string joined = d.elec_rough_space;
    for (const char *field :
         {d.elec_middle_space, d.elec_finish_space, d.elec_rough_number, d.elec_middle_number, d.elec_finish_number})
        joined += std::string("|") + field;
    return joined;
}

TEST_F(KeyedReaders, ReadTheSixEdmDescriptorsOrSayWhichIsMissing) {
    const std::string all =
        "elec_rough_space: 0.15\nelec_middle_space: 0.1\nelec_finish_space: 0.05\n"
        "elec_rough_number: 1\nelec_middle_number: 0\nelec_finish_number: 2\n";
    const std::string reordered =
        "elec_finish_number:\n2\nelec_middle_number: 0\nelec_rough_number: 1\nelec_finish_space:0.05\n"
        "elec_middle_space: 0.1\nelec_rough_space: 0.15\n";
    const std::string outer = "elec_rough_space: 0.15 elec_finish_space: 0.05 elec_rough_number: 1";
    const std::string gap30 = "0.1234567890123456789012345678", cfg = CONFIG_DEF_PATH;
    const struct {
        const char *what;
        std::optional<std::string> file;
        std::string descr, message;  // no message: read
    } cases[] = {
        {"a complete file", all, "0.15|0.1|0.05|1|0|2", ""},
        {"keys in another order, values on their own lines", reordered, "0.15|0.1|0.05|1|0|2", ""},
        {"a value longer than 29 characters is cut", "elec_rough_space: " + gap30 + "\n" + all,
         gap30.substr(0, 29) + "|0.1|0.05|1|0|2", ""},
        {"the end marker leaves a descriptor empty", "elec_rough_space: EOF\n" + all, "|0.1|0.05|1|0|2", ""},
        {"a 79-character run restarts before a key", std::string(79, 'x') + "#elec_rough_space: 0.2\n" + all,
         "0.2|0.1|0.05|1|0|2", ""},
        {"no config.def", std::nullopt, "|||||", "E01"},
        {"no rough spark gap", "elec_finish_space: 0.05\n", "|||||", "E02"},
        {"the rough gap without a value", "elec_rough_space:", "|||||", "E03"},
        {"no finish count", outer + "\n", "0.15||0.05|1||", "E08"},
        {"the finish count as the last token", outer + " elec_finish_number: 2", "0.15||0.05|1||", "E09"},
        {"no middle gap", outer + " elec_finish_number: 2\n", "0.15||0.05|1||2",
         "C03 " + cfg + " C04 elec_middle_space: C05"},
        {"no middle count", "elec_middle_space: 0.1 " + outer + " elec_finish_number: 2\n", "0.15|0.1|0.05|1||2",
         "C03 " + cfg + " C04 elec_middle_number: C05"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put("config.def", c.file);
        edm_descr descr = {"stale", "stale", "stale", "stale", "stale", "stale"};
        EXPECT_EQ(read_config_edm_descr(&descr), c.message.empty() ? 1 : 0);
        EXPECT_EQ(fields(descr), c.descr);
        EXPECT_EQ(shown("message"), c.message.empty() ? Lines{} : Lines{c.message});
    }
}

}  // namespace

// The shipped configuration must read cleanly: every key of the key tables has a value.
TEST_F(KeyedReaders, ReadEveryKeyOfTheShippedConfiguration) {
    write_file("qz_conf/config.def", testsupport::read_host_file(testsupport::source_dir() + "/conf/qz_conf/config.def"));
    write_file("qz_conf/config_cam.def",
               testsupport::read_host_file(testsupport::source_dir() + "/conf/qz_conf/config_cam.def"));
    edm_descr descr{};
    ASSERT_EQ(read_config_edm_descr(&descr), 1);
    EXPECT_GT(std::atof(descr.elec_rough_space), 0.0);
    for (const char *key :
         {"fix_user_def_oper_start_angle:", "fix_user_def_oper_end_angle:", "zle_user_def_oper_start_angle:",
          "zle_user_def_oper_end_angle:", "fix_steep_cut_percent:", "path_elec_text_dir:",
          "path_elec_text_oper_edge_dis:", "path_elec_text_close_edge_dis:", "path_elec_text_min_value:",
          "path_elec_text_max_value:", "require_r_path_elec_add_text:", "require_m_path_elec_add_text:",
          "require_f_path_elec_add_text:", "require_elec_space:", "path_elec_text_ratio:",
          "elec_text_compensate_value:"}) {
        double value = -12345.0;
        EXPECT_EQ(read_config_value(key, &value, "D:\\qz_conf\\config_cam.def"), 1) << key;
        EXPECT_NE(value, -12345.0) << key;
    }
    char text[MY_CONFIG_VALUE_BUFSIZE];
    for (const char *key : {"r_path_elec_add_text_is:", "m_path_elec_add_text_is:", "f_path_elec_add_text_is:"})
        EXPECT_EQ(read_config_value_char(key, text, "D:\\qz_conf\\config_cam.def"), 1) << key;
    EXPECT_TRUE(shown("message").empty());
}
