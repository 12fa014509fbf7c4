// The main dialog's settings record and its 1208-byte state file.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "standin_test.h"
#include "torvane/dlg_state.h"
#include "uf_part.h"

namespace {

using testsupport::StandinTest;
using Lines = std::vector<std::string>;

const char STATE_FILE[] = "qz_conf/temp/torvane.dat";

int32_t int_at(const std::string &bytes, size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

double real_at(const std::string &bytes, size_t offset) {
    double value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string text_at(const std::string &bytes, size_t offset) { return std::string(bytes.c_str() + offset); }

void put_int(std::string *bytes, size_t offset, int32_t value) { std::memcpy(&(*bytes)[offset], &value, sizeof value); }
void put_real(std::string *bytes, size_t offset, double value) { std::memcpy(&(*bytes)[offset], &value, sizeof value); }
void put_text(std::string *bytes, size_t offset, const std::string &text) {
    std::memcpy(&(*bytes)[offset], text.c_str(), text.size() + 1);
}

// The file layout: item, offset, field.
struct IntField {
    const char *item;
    size_t offset;
    int32_t dlg_state::*field;
};
const IntField INT_FIELDS[] = {
    {"RADIO_1", 0, &dlg_state::radio_1},      {"RADIO_2", 4, &dlg_state::radio_2},
    {"RADIO_3", 8, &dlg_state::radio_3},      {"TOGGLE_4", 12, &dlg_state::toggle_4},
    {"TOGGLE_6", 16, &dlg_state::toggle_6},   {"TOGGLE_8", 20, &dlg_state::toggle_8},
    {"TOGGLE_10", 24, &dlg_state::toggle_10}, {"TOGGLE_15", 28, &dlg_state::toggle_15},
    {"TOGGLE_13", 32, &dlg_state::toggle_13}, {"TOGGLE_35", 36, &dlg_state::toggle_35},
    {"INT_34", 40, &dlg_state::int_34},       {"OPTION_28", 44, &dlg_state::option_28},
    {"TOGGLE_29", 48, &dlg_state::toggle_29}, {"TOGGLE_34", 52, &dlg_state::toggle_34},
    {"TOGGLE_38", 56, &dlg_state::toggle_38}, {"TOGGLE_39", 60, &dlg_state::toggle_39},
    {"TOGGLE_32", 64, &dlg_state::toggle_32}, {"TOGGLE_33", 68, &dlg_state::toggle_33},
    {"RADIO_60", 72, &dlg_state::radio_60},   {"TOGGLE_57", 76, &dlg_state::toggle_57},
};
struct RealField {
    const char *item;
    size_t offset;
    double dlg_state::*field;
};
const RealField REAL_FIELDS[] = {
    {"REAL_5", 80, &dlg_state::real_5},    {"REAL_7", 88, &dlg_state::real_7},    {"REAL_9", 96, &dlg_state::real_9},
    {"REAL_11", 104, &dlg_state::real_11}, {"REAL_23", 112, &dlg_state::real_23}, {"REAL_24", 120, &dlg_state::real_24},
    {"REAL_25", 128, &dlg_state::real_25}, {"REAL_26", 136, &dlg_state::real_26}, {"REAL_35", 144, &dlg_state::real_35},
    {"REAL_36", 152, &dlg_state::real_36},
};
struct TextField {
    const char *item;
    size_t offset;
    size_t size;
    char *(*field)(dlg_state &);
};
const TextField TEXT_FIELDS[] = {
    {"STR_10", 160, 31, [](dlg_state &s) { return s.str_10; }},
    {"WIDE_S_32", 191, 500, [](dlg_state &s) { return s.wide_s_32; }},
    {"WIDE_S_58", 691, 256, [](dlg_state &s) { return s.wide_s_58; }},
    {"WIDE_S_59", 947, 261, [](dlg_state &s) { return s.wide_s_59; }},
};

class DlgState : public StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        static_dlg_state = dlg_state{};
    }
    std::string state_path() const { return drive_dir() + "/" + STATE_FILE; }
};

TEST_F(DlgState, SavesTheRecordAsThe1208ByteImageAndLoadsItBack) {
    // Every field gets its own value, and every text fills its field up to the last byte.
    int n = 0;
    for (const IntField &f : INT_FIELDS) static_dlg_state.*f.field = 1000 + n++;
    for (const RealField &f : REAL_FIELDS) static_dlg_state.*f.field = 0.25 + n++;
    for (const TextField &f : TEXT_FIELDS) {
        std::string text(f.size - 1, static_cast<char>('a' + n++ % 26));
        std::memcpy(f.field(static_dlg_state), text.c_str(), f.size);
    }
    const dlg_state saved = static_dlg_state;
    write_file("qz_conf/temp/keep", "");
    ASSERT_EQ(save_dlg_state(), 1);

    const std::string bytes = read_file(STATE_FILE);
    ASSERT_EQ(bytes.size(), 1208u);
    n = 0;
    for (const IntField &f : INT_FIELDS) EXPECT_EQ(int_at(bytes, f.offset), 1000 + n++) << f.item;
    for (const RealField &f : REAL_FIELDS) EXPECT_EQ(real_at(bytes, f.offset), 0.25 + n++) << f.item;
    for (const TextField &f : TEXT_FIELDS) {
        EXPECT_EQ(text_at(bytes, f.offset), std::string(f.size - 1, static_cast<char>('a' + n++ % 26))) << f.item;
        EXPECT_EQ(bytes[f.offset + f.size - 1], '\0') << f.item;
    }

    static_dlg_state = dlg_state{};
    EXPECT_EQ(load_dlg_state(), 1);
    EXPECT_EQ(std::memcmp(&static_dlg_state, &saved, sizeof saved), 0);
    EXPECT_TRUE(shown("message").empty());
}

TEST_F(DlgState, ReadsEachFieldFromItsOffsetInTheFile) {
    std::string bytes(1208, '\0');
    put_int(&bytes, 4, 1);
    put_int(&bytes, 40, 77);
    put_int(&bytes, 76, 1);
    put_real(&bytes, 88, 0.12);
    put_real(&bytes, 112, 33.5);
    put_real(&bytes, 152, 0.07);
    put_text(&bytes, 160, "EL-");
    put_text(&bytes, 191, "D:\\post\\tasks");
    put_text(&bytes, 691, "\\\\cam01\\parts");
    put_text(&bytes, 947, "D:\\parts\\\xb5\xe7\xbc\xab.prt");
    write_file(STATE_FILE, bytes);

    ASSERT_EQ(load_dlg_state(), 1);
    EXPECT_EQ(static_dlg_state.radio_2, 1);
    EXPECT_EQ(static_dlg_state.int_34, 77);
    EXPECT_EQ(static_dlg_state.toggle_57, 1);
    EXPECT_EQ(static_dlg_state.toggle_32, 0);
    EXPECT_EQ(static_dlg_state.real_7, 0.12);
    EXPECT_EQ(static_dlg_state.real_23, 33.5);
    EXPECT_EQ(static_dlg_state.real_36, 0.07);
    EXPECT_STREQ(static_dlg_state.str_10, "EL-");
    EXPECT_STREQ(static_dlg_state.wide_s_32, "D:\\post\\tasks");
    EXPECT_STREQ(static_dlg_state.wide_s_58, "\\\\cam01\\parts");
    EXPECT_STREQ(static_dlg_state.wide_s_59, "D:\\parts\\\xb5\xe7\xbc\xab.prt");
}

TEST_F(DlgState, UsesTheDefaultsWhenTheFileIsMissingOrShort) {
    struct Case {
        const char *what;
        int size;  // -1: no file
        int loaded;
    };
    for (const Case c : {Case{"no file", -1, 0}, Case{"7 bytes", 7, 0}, Case{"1207 bytes", 1207, 0},
                         Case{"1300 bytes: the first 1208 count", 1300, 1}}) {
        SCOPED_TRACE(c.what);
        ::unlink(state_path().c_str());
        if (c.size >= 0) write_file(STATE_FILE, std::string(static_cast<size_t>(c.size), '\x01'));
        std::memset(&static_dlg_state, 0x55, sizeof static_dlg_state);
        EXPECT_EQ(load_dlg_state(), c.loaded);
        if (c.loaded) {
            EXPECT_EQ(static_dlg_state.radio_1, 0x01010101);
            EXPECT_EQ(static_dlg_state.wide_s_59[260], '\x01');
            continue;
        }
        const std::pair<const char *, int32_t> ints[] = {
            {"RADIO_1", 0},   {"RADIO_2", 2},   {"RADIO_3", 0},   {"TOGGLE_4", 0},  {"TOGGLE_6", 0},
            {"TOGGLE_8", 0},  {"TOGGLE_10", 0}, {"TOGGLE_15", 1}, {"TOGGLE_13", 0}, {"TOGGLE_35", 0},
            {"INT_34", 230},  {"OPTION_28", 0}, {"TOGGLE_29", 0}, {"TOGGLE_34", 0}, {"TOGGLE_38", 0},
            {"TOGGLE_39", 1}, {"TOGGLE_32", 1}, {"TOGGLE_33", 0}, {"RADIO_60", 0},  {"TOGGLE_57", 1},
        };
        for (size_t i = 0; i < std::size(ints); ++i)
            EXPECT_EQ(static_dlg_state.*INT_FIELDS[i].field, ints[i].second) << ints[i].first;
        const double reals[] = {0.0, 0.0, 0.0, 0.0, 20.0, 1.0, 1.0, 0.5, 0.25, 0.05};
        for (size_t i = 0; i < std::size(reals); ++i)
            EXPECT_EQ(static_dlg_state.*REAL_FIELDS[i].field, reals[i]) << REAL_FIELDS[i].item;
        // No part is displayed here, so WIDE_S_59 is empty like the other texts.
        for (const TextField &f : TEXT_FIELDS) EXPECT_STREQ(f.field(static_dlg_state), "") << f.item;
    }
}

TEST_F(DlgState, DefaultsNameTheDisplayedPart) {
    write_file("parts/E1.prt", R"({"format": "nxhost-part/1", "units": "mm", "bodies": []})");
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status = {};
    ASSERT_EQ(UF_PART_open("D:\\parts\\E1.prt", &part, &status), 0);
    UF_PART_free_load_status(&status);
    EXPECT_EQ(load_dlg_state(), 0);
    EXPECT_STREQ(static_dlg_state.wide_s_59, "D:\\parts\\E1.prt");
    EXPECT_STREQ(static_dlg_state.str_10, "");
}

TEST_F(DlgState, AFileThatCannotBeCreatedIsLeftQuietly) {
    // No temp directory at all, then a directory where the file should be.
    EXPECT_EQ(save_dlg_state(), 0);
    write_file("qz_conf/temp/torvane.dat/inside", "");
    EXPECT_EQ(save_dlg_state(), 0);
    EXPECT_TRUE(shown("message").empty());
}

TEST_F(DlgState, AnIncompleteWriteIsShown) {
    write_file("qz_conf/temp/keep", "");
    ASSERT_EQ(::symlink("/dev/full", state_path().c_str()), 0);
    EXPECT_EQ(save_dlg_state(), 0);
    EXPECT_EQ(addontest::as_utf8(shown("message")), Lines{"写默认值错误!"});
}

}  // namespace
