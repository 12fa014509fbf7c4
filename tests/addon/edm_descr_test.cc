// The EDM spark-gap descriptors of config.def, and the shipped definition files read back.
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "standin_test.h"

namespace {

using testsupport::StandinTest;
using Lines = std::vector<std::string>;

struct Descr {
    std::string rough_space, middle_space, finish_space, rough_number, middle_number, finish_number;
    bool operator==(const Descr &o) const {
        return rough_space == o.rough_space && middle_space == o.middle_space && finish_space == o.finish_space &&
               rough_number == o.rough_number && middle_number == o.middle_number && finish_number == o.finish_number;
    }
};

void PrintTo(const Descr &d, std::ostream *os) {
    *os << "{" << d.rough_space << ", " << d.middle_space << ", " << d.finish_space << ", " << d.rough_number << ", "
        << d.middle_number << ", " << d.finish_number << "}";
}

Descr fields(const edm_descr &d) {
    return {d.elec_rough_space,  d.elec_middle_space,  d.elec_finish_space,
            d.elec_rough_number, d.elec_middle_number, d.elec_finish_number};
}

const std::string FULL =
    "elec_rough_space: 0.15\nelec_middle_space: 0.1\nelec_finish_space: 0.05\n"
    "elec_rough_number: 1\nelec_middle_number: 0\nelec_finish_number: 2\n";

class EdmDescr : public StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        write_file("qz_conf/lang/my_func1.txt", addontest::catalogue({{"read_config_edm_descr_01:", "E01"},
                                                                      {"read_config_edm_descr_02:", "E02"},
                                                                      {"read_config_edm_descr_03:", "E03"},
                                                                      {"read_config_edm_descr_04:", "E04"},
                                                                      {"read_config_edm_descr_05:", "E05"},
                                                                      {"read_config_edm_descr_06:", "E06"},
                                                                      {"read_config_edm_descr_07:", "E07"},
                                                                      {"read_config_edm_descr_08:", "E08"},
                                                                      {"read_config_edm_descr_09:", "E09"}}));
        write_file("qz_conf/lang/my_func.txt", addontest::catalogue({{"read_config_value_char_03:", "C03"},
                                                                     {"read_config_value_char_04:", "C04"},
                                                                     {"read_config_value_char_05:", "C05"},
                                                                     {"read_config_value_char_06:", "C06"},
                                                                     {"read_config_value_char_07:", "C07"},
                                                                     {"read_config_value_char_08:", "C08"},
                                                                     {"read_config_value_char_09:", "C09"}}));
    }
};

struct Case {
    const char *what;
    std::string file;
    int result;
    Descr descr;
    Lines messages;
};

TEST_F(EdmDescr, ReadsTheSixDescriptorsOrSaysWhichIsMissing) {
    const std::string long_gap = "0.1234567890123456789012345678901234";
    const std::string cfg = "D:\\qz_conf\\config.def";
    const Case cases[] = {
        {"a complete file", FULL, 1, {"0.15", "0.1", "0.05", "1", "0", "2"}, {}},
        {"keys in another order, values on their own lines",
         "elec_finish_number:\n2\nelec_middle_number: 0\nelec_rough_number: 1\nelec_finish_space:0.05\n"
         "elec_middle_space: 0.1\nelec_rough_space: 0.15\n",
         1,
         {"0.15", "0.1", "0.05", "1", "0", "2"},
         {}},
        {"a value longer than 29 characters is cut",
         "elec_rough_space: " + long_gap + "\n" + FULL,
         1,
         {long_gap.substr(0, 29), "0.1", "0.05", "1", "0", "2"},
         {}},
        {"the end marker leaves a descriptor empty",
         "elec_rough_space: EOF\n" + FULL,
         1,
         {"", "0.1", "0.05", "1", "0", "2"},
         {}},
        {"a 79-character run restarts right before a key",
         std::string(79, 'x') + "#elec_rough_space: 0.2\n" + FULL,
         1,
         {"0.2", "0.1", "0.05", "1", "0", "2"},
         {}},
        {"no finish spark gap", "elec_rough_space: 0.15\n", 0, {"0.15", "", "", "", "", ""}, {"E04"}},
        {"no rough spark gap", "elec_finish_space: 0.05\n", 0, {}, {"E02"}},
        {"no rough count",
         "elec_rough_space: 0.15 elec_finish_space: 0.05\n",
         0,
         {"0.15", "", "0.05", "", "", ""},
         {"E06"}},
        {"no finish count",
         "elec_rough_space: 0.15 elec_finish_space: 0.05 elec_rough_number: 1\n",
         0,
         {"0.15", "", "0.05", "1", "", ""},
         {"E08"}},
        {"the rough gap without a value", "elec_rough_space:", 0, {}, {"E03"}},
        {"the finish gap without a value",
         "elec_rough_space: 0.15\nelec_finish_space:",
         0,
         {"0.15", "", "", "", "", ""},
         {"E05"}},
        {"the rough count as the file's last token",
         "elec_rough_space: 0.15 elec_finish_space: 0.05 elec_rough_number: 1",
         0,
         {"0.15", "", "0.05", "", "", ""},
         {"E07"}},
        {"the finish count as the file's last token",
         "elec_rough_space: 0.15 elec_finish_space: 0.05 elec_rough_number: 1 elec_finish_number: 2",
         0,
         {"0.15", "", "0.05", "1", "", ""},
         {"E09"}},
        {"no middle gap: the text reader says so",
         "elec_rough_space: 0.15 elec_finish_space: 0.05 elec_rough_number: 1 elec_finish_number: 2\n",
         0,
         {"0.15", "", "0.05", "1", "", "2"},
         {"C03 " + cfg + " C04 elec_middle_space: C05"}},
        {"no middle count",
         "elec_rough_space: 0.15 elec_middle_space: 0.1 elec_finish_space: 0.05 elec_rough_number: 1 "
         "elec_finish_number: 2\n",
         0,
         {"0.15", "0.1", "0.05", "1", "", "2"},
         {"C03 " + cfg + " C04 elec_middle_number: C05"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write_file("qz_conf/config.def", c.file);
        clear_shown();
        edm_descr descr;
        for (char *field : {descr.elec_rough_space, descr.elec_middle_space, descr.elec_finish_space,
                            descr.elec_rough_number, descr.elec_middle_number, descr.elec_finish_number})
            std::strcpy(field, "stale");
        EXPECT_EQ(read_config_edm_descr(&descr), c.result);
        EXPECT_EQ(fields(descr), c.descr);
        EXPECT_EQ(shown("message"), c.messages);
    }
}

TEST_F(EdmDescr, SaysSoWhenConfigDefIsMissing) {
    edm_descr descr = {};
    std::strcpy(descr.elec_rough_space, "stale");
    EXPECT_EQ(read_config_edm_descr(&descr), 0);
    EXPECT_EQ(fields(descr), Descr{});
    EXPECT_EQ(shown("message"), Lines{"E01"});
}

// The shipped configuration root must read back as written: a key mentioned in a remark
// with its colon would be found there first.
class ShippedConfiguration : public StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        const std::string root = testsupport::source_dir() + "/conf/qz_conf/";
        for (const char *file : {"config.def", "config_cam.def", "lang/my_func.txt", "lang/my_func1.txt"})
            write_file(std::string("qz_conf/") + file, addontest::read_host_file(root + file));
    }
};

TEST_F(ShippedConfiguration, ConfigDefGivesTheSampleSparkGaps) {
    edm_descr descr;
    ASSERT_EQ(read_config_edm_descr(&descr), 1);
    EXPECT_EQ(fields(descr), (Descr{"0.15", "0.1", "0.05", "1", "0", "1"}));
    double gap = 0.0;
    ASSERT_EQ(read_config_value("elec_middle_space:", &gap, CONFIG_DEF_PATH), 1);
    EXPECT_DOUBLE_EQ(gap, 0.1);
}

TEST_F(ShippedConfiguration, ConfigCamDefGivesEveryKeyItsValue) {
    const std::pair<const char *, double> numbers[] = {
        {"fix_user_def_oper_start_angle:", 30}, {"fix_user_def_oper_end_angle:", 60},
        {"zle_user_def_oper_start_angle:", 60}, {"zle_user_def_oper_end_angle:", 90},
        {"fix_steep_cut_percent:", 60},         {"path_elec_text_dir:", 1},
        {"path_elec_text_oper_edge_dis:", 1.0}, {"path_elec_text_close_edge_dis:", 0.5},
        {"path_elec_text_min_value:", 2.0},     {"path_elec_text_max_value:", 8.0},
        {"require_r_path_elec_add_text:", 2},   {"require_m_path_elec_add_text:", 2},
        {"require_f_path_elec_add_text:", 2},   {"require_elec_space:", 1},
        {"path_elec_text_ratio:", 0.7},         {"elec_text_compensate_value:", 0.2},
    };
    for (const auto &n : numbers) {
        SCOPED_TRACE(n.first);
        double value = -1.0;
        EXPECT_EQ(read_config_value(n.first, &value, CONFIG_CAM_DEF_PATH), 1);
        EXPECT_DOUBLE_EQ(value, n.second);
    }
    const std::pair<const char *, const char *> texts[] = {
        {"r_path_elec_add_text_is:", "R"}, {"m_path_elec_add_text_is:", "M"}, {"f_path_elec_add_text_is:", "F"}};
    for (const auto &t : texts) {
        SCOPED_TRACE(t.first);
        char value[MY_CONFIG_VALUE_BUFSIZE] = "";
        EXPECT_EQ(read_config_value_char(t.first, value, CONFIG_CAM_DEF_PATH), 1);
        EXPECT_STREQ(value, t.second);
    }
    EXPECT_TRUE(shown("message").empty());
}

}  // namespace
