// The attribute family and the electrode attribute record, as callers and users see them.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "my_func1/my_func1.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "standin/part_fixture.h"
#include "uf.h"

namespace {

using Lines = std::vector<std::string>;

const char *const TEXTS[] = {
    "ELEC_MAT_NAME",       "ELEC_R_MAT_NAME",  "ELEC_M_MAT_NAME", "ELEC_F_MAT_NAME", "ELEC_ADD_INLAY_CHAR",
    "ELEC_SUB_INLAY_CHAR", "ELEC_AGAIN_MACH",  "ELEC_MACH_TYPE",  "MACH_TEMPLATE",   "R_ELEC_SMOOTH",
    "M_ELEC_SMOOTH",       "F_ELEC_SMOOTH",    "ELEC_SHAPE",      "EDM_SWING_TYPE",  "EDM_CORRESPONDING_MATER",
    "TECHNOLOGY_TYPE",     "EXTRA_ADD_ATTR_1", "EXTRA_ADD_ATTR_2"};

// Every title of the electrode record, each with a value of its own (reals 0.5 to 8.5, integers
// 257 to 265, texts their titles, switches 1), the note and the modify mark too long for their fields.
void give_every_attribute(tag_t solid) {
    const char *const reals[] = {"elec_rough_space",    "elec_finish_space",    "elec_middle_space",
                                 "T_ELEC_ROUGH_SPACE",  "T_ELEC_FINISH_SPACE",  "INPUT_KL_SIZE_LEN",
                                 "INPUT_KL_SIZE_WIDTH", "INPUT_KL_SIZE_HEIGHT", "ELEC_EDM_AREA"};
    const char *const ints[] = {"elec_rough_number",   "elec_finish_number",   "elec_middle_number",
                                "t_elec_rough_number", "t_elec_finish_number", "elec_type",
                                "require_wcut",        "REQUIRE_JK",           "REQUIRE_AVOID"};
    for (int i = 0; i < 9; ++i) MY_set_obj_real_attr(solid, reals[i], 0.5 + i);
    for (int i = 0; i < 9; ++i) MY_set_obj_int_attr(solid, ints[i], 257 + i);
    for (const char *title : TEXTS) MY_set_obj_string_att(solid, title, title);
    for (const char *title : {"IS_MIRROR_ELEC", "USE_INPUT_KL_SIZE", "INPUT_KL_SIZE_LWH_EXTRA_ADD"})
        MY_set_obj_int_attr(solid, title, 1);
    MY_set_obj_string_att(solid, "ELEC_NOTE", std::string(300, 'n').c_str());
    MY_set_obj_string_att(solid, "NEW_OR_MODIFY_MODL", std::string(132, 'm').c_str());
}

class Attributes : public PartTest {
protected:
    void SetUp() override {
        PartTest::SetUp();
        write_file("qz_conf/lang/my_func.txt",
                   addontest::numbered_catalogue("read_obj_int_att_", "read-number-", 2) +
                       addontest::numbered_catalogue("read_obj_string_att_", "read-text-", 2) +
                       addontest::numbered_catalogue("set_obj_int_attr_", "set-number-", 2) +
                       addontest::numbered_catalogue("set_obj_string_att_", "set-text-", 2));
        load_boxes({"E1", "E2"});
        e1_ = body("E1");
    }

    // "title type value" of every attribute of obj, in NX's order.
    static Lines attributes_of(tag_t obj) {
        Lines lines;
        for (const nxhost::Attribute &a : nxhost::store().find(obj)->attributes)
            lines.push_back(a.title + (a.value.type == UF_ATTR_real      ? " real " + std::to_string(a.value.real)
                                       : a.value.type == UF_ATTR_integer ? " int " + std::to_string(a.value.integer)
                                                                         : " text " + a.value.text));
        return lines;
    }

    // Result and output of a reader ('r' real, 'i' integer, 's' text) or result of a writer
    // ('R', 'I', 'S' writing 1 or "v").
    static std::string call(char member, tag_t obj, const char *title) {
        double real = 99;
        int integer = 99;
        char text[MY_ATTR_VALUE_BUFSIZE] = "junk";
        int result = 0;
        switch (member) {
        case 'r':
            result = MY_read_obj_real_att(obj, title, &real);
            return std::to_string(result) + " " + std::to_string(real);
        case 'i':
            result = MY_read_obj_int_att(obj, title, &integer);
            return std::to_string(result) + " " + std::to_string(integer);
        case 's': result = MY_read_obj_string_att(obj, title, text); return std::to_string(result) + " " + text;
        case 'R': return std::to_string(MY_set_obj_real_attr(obj, title, 1.0));
        case 'I': return std::to_string(MY_set_obj_int_attr(obj, title, 1));
        default: return std::to_string(MY_set_obj_string_att(obj, title, "v"));
        }
    }

    tag_t e1_ = NULL_TAG;
};

TEST_F(Attributes, RefuseAnEmptyOrOverLongTitleWithTheirFamilyText) {
    const std::string t150(150, 't'), t151(151, 't');
    const struct {
        char member;
        const char *texts;
    } members[] = {{'r', "read-number-"}, {'i', "read-number-"}, {'s', "read-text-"},
                   {'R', "set-number-"},  {'I', "set-number-"},  {'S', "set-text-"}};
    for (const auto &m : members) {
        for (const char *title : {"", t151.c_str(), t150.c_str()}) {
            clear_shown();
            // 150 characters pass the check, but NX keeps titles of at most 50: its refusal is
            // reported and a writer goes on.
            const bool passed_to_nx = std::isupper(static_cast<unsigned char>(m.member)) && title == t150;
            EXPECT_EQ(call(m.member, e1_, title).substr(0, 1), passed_to_nx ? "1" : "0") << m.member;
            const Lines expected = !*title         ? Lines{m.texts + std::string("01")}
                                   : title == t151 ? Lines{m.texts + std::string("02")}
                                                   : Lines{};
            EXPECT_EQ(shown("message"), expected) << m.member << " " << std::strlen(title) << " characters";
        }
    }
    EXPECT_TRUE(attributes_of(e1_).empty());
}

TEST_F(Attributes, ReadersGiveZeroOrEmptyForMissingOrOtherTypesWithoutAMessage) {
    MY_set_obj_int_attr(e1_, "N", 5);
    MY_set_obj_real_attr(e1_, "R", 2.5);
    MY_set_obj_string_att(e1_, "S", "text");
    // A number and a text of one title: NX reads the first, so only the number reader gets its value.
    MY_set_obj_real_attr(e1_, "X", 7.25);
    MY_set_obj_string_att(e1_, "X", "seven");
    clear_shown();
    const struct {
        char member;
        tag_t obj;
        const char *title, *expected;
    } cases[] = {
        {'i', e1_, "N", "1 5"}, {'r', e1_, "X", "1 7.250000"},    {'s', e1_, "X", "0 "},
        {'i', e1_, "n", "0 0"}, {'i', e1_, "R", "0 0"},           {'r', e1_, "N", "0 0.000000"},
        {'s', e1_, "N", "0 "},  {'s', body("E2"), "S", "0 "},     {'r', NULL_TAG, "R", "0 0.000000"},
    };
    for (const auto &c : cases) EXPECT_EQ(call(c.member, c.obj, c.title), c.expected) << c.member << " " << c.title;
    EXPECT_EQ(shown(), Lines{});
}

TEST_F(Attributes, WritersReplaceTheirTypeAndTheRealWriterClearsTheTitle) {
    for (const char *title : {"X", "Y"}) {
        MY_set_obj_real_attr(e1_, title, 1.0);
        MY_set_obj_string_att(e1_, title, "old");
    }
    EXPECT_EQ(MY_set_obj_real_attr(e1_, "X", 2.5), 1);
    EXPECT_EQ(MY_set_obj_string_att(e1_, "Y", "new"), 1);
    EXPECT_EQ(MY_set_obj_int_attr(e1_, "N", 1), 1);
    EXPECT_EQ(MY_set_obj_int_attr(e1_, "N", 2), 1);
    EXPECT_EQ(MY_set_obj_string_att(e1_, "T", nullptr), 1);
    EXPECT_EQ(attributes_of(e1_), (Lines{"Y real 1.000000", "X real 2.500000", "Y text new", "N int 2", "T text "}));

    // NX refusing the assignment (the find is the first call) is reported, and the writer goes on.
    nxhost::fail_call_number(2);
    EXPECT_EQ(MY_set_obj_int_attr(e1_, "REFUSED", 1), 1);
    ASSERT_FALSE(shown("listing").empty());
    EXPECT_NE(shown("listing").front().find("UF_ATTR_assign"), std::string::npos) << shown("listing").front();
}

TEST_F(Attributes, OnlyTheIntegerWriterRefusesANullObjectTheOthersLeaveItToNx) {
    expect_clean_session_ = false;  // the null tag reaches NX on purpose
    EXPECT_EQ(call('I', NULL_TAG, "N"), "0");
    EXPECT_EQ(call('R', NULL_TAG, "N"), "1");
    EXPECT_EQ(call('S', NULL_TAG, "N"), "1");
    EXPECT_EQ(shown("message"), Lines{"MY_set_obj_int_attr obj_tag is null_tag"});
    Lines reported;
    for (const std::string &line : shown("listing"))
        if (line.find("UF_ATTR_assign") != std::string::npos) reported.push_back(line);
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(UF_terminate(), 0);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
}

// Cutting without splitting a double-byte character is the cut's own rule, shown by the set file's
// fields; here, that a reader keeps to its buffer.
TEST_F(Attributes, AnOverLongTextIsCutToTheReadersBuffer) {
    ASSERT_EQ(MY_set_obj_string_att(e1_, "LONG", std::string(500, 'x').c_str()), 1);
    char buffer[MY_ATTR_VALUE_BUFSIZE + 8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(MY_read_obj_string_att(e1_, "LONG", buffer), 1);
    EXPECT_EQ(std::string(buffer), std::string(MY_ATTR_VALUE_BUFSIZE - 1, 'x'));
    EXPECT_EQ(std::string(buffer + MY_ATTR_VALUE_BUFSIZE, 8), std::string(8, '#'));
}

// ---- the electrode attribute record -------------------------------------------------------

TEST_F(Attributes, ARecordOfASolidWithoutAttributesIsAllZeros) {
    elec_attr_data record, zeros;
    std::memset(&zeros, 0, sizeof zeros);
    for (tag_t solid : {e1_, NULL_TAG}) {
        std::memset(&record, 0x5a, sizeof record);
        EXPECT_EQ(read_elec_attr_data(solid, &record), 1);
        EXPECT_EQ(std::memcmp(&record, &zeros, sizeof record), 0) << solid;
    }
}

TEST_F(Attributes, ARecordFollowsTheSparkNumberSwitchAreaAndMaterialRules) {
    const struct {
        std::function<void(tag_t)> give;
        const char *expected;  // numbers, their three flags, mirror, area, material flag and name, note flag
    } cases[] = {
        {[](tag_t s) { MY_set_obj_int_attr(s, "elec_finish_number", 2); }, "0 2 0 111 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_real_attr(s, "elec_rough_number", 1); }, "0 0 0 000 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_int_attr(s, "IS_MIRROR_ELEC", 2); }, "0 0 0 000 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_int_attr(s, "IS_MIRROR_ELEC", 1); }, "0 0 0 000 1 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_real_attr(s, "ELEC_EDM_AREA", 0); }, "0 0 0 000 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_real_attr(s, "ELEC_EDM_AREA", -4); }, "0 0 0 000 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_real_attr(s, "ELEC_EDM_AREA", 12.5); }, "0 0 0 000 0 12.5 0 - 0"},
        {[](tag_t s) { MY_set_obj_string_att(s, "ELEC_MAT_NAME", ""); }, "0 0 0 000 0 0 0 - 0"},
        {[](tag_t s) { MY_set_obj_string_att(s, "ELEC_F_MAT_NAME", "CU"); }, "0 0 0 000 0 0 1 -CU 0"},
        {[](tag_t s) { MY_set_obj_string_att(s, "ELEC_NOTE", ""); }, "0 0 0 000 0 0 0 - 1"},
    };
    for (const auto &c : cases) {
        nxhost::store().find(e1_)->attributes.clear();
        c.give(e1_);
        elec_attr_data r;
        EXPECT_EQ(read_elec_attr_data(e1_, &r), 1);
        char seen[400];
        std::snprintf(seen, sizeof seen, "%d %d %d %d%d%d %d %g %d -%s%s %d", r.rough_number, r.finish_number,
                      r.middle_number, r.has_rough_number, r.has_finish_number, r.has_spark_numbers, r.is_mirror_elec,
                      r.edm_area, r.has_material, r.mat_name, r.f_mat_name, r.has_note);
        EXPECT_STREQ(seen, c.expected) << attributes_of(e1_).front();
    }
    EXPECT_EQ(shown(), Lines{});
}

TEST_F(Attributes, AFullRecordTakesEveryAttributeAndCutsLongTexts) {
    give_every_attribute(e1_);
    elec_attr_data r;
    ASSERT_EQ(read_elec_attr_data(e1_, &r), 1);
    EXPECT_EQ(
        std::string({char(r.has_rough_space), char(r.has_finish_space), char(r.has_rough_number),
                     char(r.has_finish_number), char(r.has_t_rough_space), char(r.has_t_finish_space),
                     char(r.has_t_rough_number), char(r.has_t_finish_number), char(r.has_material), char(r.has_note),
                     char(r.has_add_inlay_char), char(r.has_sub_inlay_char), char(r.has_again_mach),
                     char(r.has_mach_type), char(r.has_middle_space), char(r.has_spark_numbers)}),
        std::string(16, '\1'));
    EXPECT_EQ(std::vector<double>({r.rough_space, r.finish_space, r.middle_space, r.t_rough_space, r.t_finish_space,
                                   r.kl_size_length, r.kl_size_width, r.kl_size_height, r.edm_area}),
              std::vector<double>({0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5}));
    // The three flag bytes keep the low bytes of 263, 264 and 265, the first two twice.
    EXPECT_EQ(std::vector<int>({r.rough_number, r.finish_number, r.middle_number, r.t_rough_number, r.t_finish_number,
                                r.elec_type, r.require_wcut, r.require_wcut_copy, r.require_jk, r.require_jk_copy,
                                r.require_avoid, r.is_mirror_elec, r.use_input_kl_size, r.kl_size_extra_add}),
              std::vector<int>({257, 258, 259, 260, 261, 262, 7, 7, 8, 8, 9, 1, 1, 1}));
    const char *const fields[] = {
        r.mat_name,   r.r_mat_name, r.m_mat_name,          r.f_mat_name,      r.add_inlay_char, r.sub_inlay_char,
        r.again_mach, r.mach_type,  r.mach_template,       r.r_smooth,        r.m_smooth,       r.f_smooth,
        r.shape,      r.swing_type, r.corresponding_mater, r.technology_type, r.extra_attr_1,   r.extra_attr_2};
    for (int i = 0; i < 18; ++i) EXPECT_STREQ(fields[i], TEXTS[i]);
    EXPECT_EQ(std::string(r.note), std::string(ELEC_ATTR_TEXT_BUFSIZE - 1, 'n'));
    EXPECT_EQ(std::string(r.new_or_modify), std::string(ELEC_ATTR_SHORT_BUFSIZE - 1, 'm'));
}

TEST_F(Attributes, ARecordSurvivesEveryFailingNXCallWithoutLeaking) {
    const long calls = testsupport::run_failing_each_call(
        [&] {
            load_boxes({"E1"});
            give_every_attribute(body("E1"));
        },
        [&] {
            elec_attr_data record;
            EXPECT_EQ(read_elec_attr_data(body("E1"), &record), 1);
            EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        });
    EXPECT_GE(calls, 41);  // each of the record's 41 titles is asked for
}

}  // namespace
