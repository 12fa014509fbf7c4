// The main dialog's settings record: its 1208-byte state file, and the copy of the dialog's
// items as the user left them.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "logic_test.h"
#include "torvane/state/dlg_state.h"
#ifndef _WIN32
#include <unistd.h>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "uf.h"
#include "uf_part.h"
#include "uf_styler.h"
#endif

namespace {

using Lines = std::vector<std::string>;

// The record's numbers in the order of the state file, named by their dialog items.
const std::pair<const char *, int32_t dlg_state::*> INT_ITEMS[] = {
    {"RADIO_1", &dlg_state::radio_1},     {"RADIO_2", &dlg_state::radio_2},     {"RADIO_3", &dlg_state::radio_3},
    {"TOGGLE_4", &dlg_state::toggle_4},   {"TOGGLE_6", &dlg_state::toggle_6},   {"TOGGLE_8", &dlg_state::toggle_8},
    {"TOGGLE_10", &dlg_state::toggle_10}, {"TOGGLE_15", &dlg_state::toggle_15}, {"TOGGLE_13", &dlg_state::toggle_13},
    {"TOGGLE_35", &dlg_state::toggle_35}, {"INT_34", &dlg_state::int_34},       {"OPTION_28", &dlg_state::option_28},
    {"TOGGLE_29", &dlg_state::toggle_29}, {"TOGGLE_34", &dlg_state::toggle_34}, {"TOGGLE_38", &dlg_state::toggle_38},
    {"TOGGLE_39", &dlg_state::toggle_39}, {"TOGGLE_32", &dlg_state::toggle_32}, {"TOGGLE_33", &dlg_state::toggle_33},
    {"RADIO_60", &dlg_state::radio_60},   {"TOGGLE_57", &dlg_state::toggle_57},
};
const std::pair<const char *, double dlg_state::*> REAL_ITEMS[] = {
    {"REAL_5", &dlg_state::real_5},   {"REAL_7", &dlg_state::real_7},   {"REAL_9", &dlg_state::real_9},
    {"REAL_11", &dlg_state::real_11}, {"REAL_23", &dlg_state::real_23}, {"REAL_24", &dlg_state::real_24},
    {"REAL_25", &dlg_state::real_25}, {"REAL_26", &dlg_state::real_26}, {"REAL_35", &dlg_state::real_35},
    {"REAL_36", &dlg_state::real_36},
};

const char STATE_FILE[] = "qz_conf/temp/torvane.dat";

template <typename T>
T value_at(const std::string &bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The texts: item, offset in the file, size of the field.
const struct {
    const char *item;
    size_t offset, size;
    char *(*field)(dlg_state &);
} TEXT_FIELDS[] = {
    {"STR_10", 160, 31, [](dlg_state &s) { return s.str_10; }},
    {"WIDE_S_32", 191, 500, [](dlg_state &s) { return s.wide_s_32; }},
    {"WIDE_S_58", 691, 256, [](dlg_state &s) { return s.wide_s_58; }},
    {"WIDE_S_59", 947, 261, [](dlg_state &s) { return s.wide_s_59; }},
};

// Compares the record's numbers with values in the order of the state file.
void expect_numbers(const int32_t (&ints)[20], const double (&reals)[10]) {
    for (int i = 0; i < 20; ++i) EXPECT_EQ(static_dlg_state.*INT_ITEMS[i].second, ints[i]) << INT_ITEMS[i].first;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(static_dlg_state.*REAL_ITEMS[i].second, reals[i]) << REAL_ITEMS[i].first;
}

class DlgState : public testsupport::LogicTest {
protected:
    void SetUp() override {
        testsupport::LogicTest::SetUp();
        static_dlg_state = dlg_state{};
    }
    std::string state_path() const { return drive_dir() + "/" + STATE_FILE; }
};

TEST_F(DlgState, SavesTheRecordAsThe1208ByteImageAndLoadsItBack) {
    // Every field gets its own value, and every text fills its field up to the last byte;
    // the integers stand from offset 0, the doubles from offset 80.
    for (int i = 0; i < 20; ++i) static_dlg_state.*INT_ITEMS[i].second = 1000 + i;
    for (int i = 0; i < 10; ++i) static_dlg_state.*REAL_ITEMS[i].second = 0.25 + i;
    for (int i = 0; i < 4; ++i) std::memset(TEXT_FIELDS[i].field(static_dlg_state), 'a' + i, TEXT_FIELDS[i].size - 1);
    const dlg_state saved = static_dlg_state;
    write_file("qz_conf/temp/keep", "");
    ASSERT_EQ(save_dlg_state(), 1);

    const std::string bytes = read_file(STATE_FILE);
    ASSERT_EQ(bytes.size(), 1208u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(value_at<int32_t>(bytes, 4 * i), 1000 + i) << INT_ITEMS[i].first;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(value_at<double>(bytes, 80 + 8 * i), 0.25 + i) << REAL_ITEMS[i].first;
    for (int i = 0; i < 4; ++i) {
        const auto &f = TEXT_FIELDS[i];
        EXPECT_EQ(std::string(bytes.c_str() + f.offset), std::string(f.size - 1, 'a' + i)) << f.item;
        EXPECT_EQ(bytes[f.offset + f.size - 1], '\0') << f.item;
    }
    static_dlg_state = dlg_state{};
    EXPECT_EQ(load_dlg_state(), 1);
    EXPECT_EQ(std::memcmp(&static_dlg_state, &saved, sizeof saved), 0);
    EXPECT_TRUE(shown("message").empty());
}

TEST_F(DlgState, UsesTheDefaultsWhenTheFileIsMissingOrShort) {
    const int32_t ints[] = {0, 2, 0, 0, 0, 0, 0, 1, 0, 0, 230, 0, 0, 0, 0, 1, 1, 0, 0, 1};
    const double reals[] = {0.0, 0.0, 0.0, 0.0, 20.0, 1.0, 1.0, 0.5, 0.25, 0.05};
    const struct {
        const char *what;
        int size;  // -1: no file
        int loaded;
    } cases[] = {{"no file", -1, 0}, {"1207 bytes", 1207, 0}, {"1300 bytes: the first 1208 count", 1300, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(state_path());
        if (c.size >= 0) write_file(STATE_FILE, std::string(static_cast<size_t>(c.size), '\x01'));
        std::memset(&static_dlg_state, 0x55, sizeof static_dlg_state);
        EXPECT_EQ(load_dlg_state(), c.loaded);
        if (c.loaded) {
            EXPECT_EQ(static_dlg_state.radio_1, 0x01010101);
            EXPECT_EQ(static_dlg_state.wide_s_59[259], '\x01');
            EXPECT_EQ(static_dlg_state.wide_s_59[260], '\0') << "a text of the file ends in its field";
            continue;
        }
        expect_numbers(ints, reals);
        // No part is displayed here, so WIDE_S_59 is empty like the other texts.
        for (const auto &f : TEXT_FIELDS) EXPECT_STREQ(f.field(static_dlg_state), "") << f.item;
    }
}

TEST_F(DlgState, AFailedSaveIsShownOnlyWhenTheRecordIsWrittenIncompletely) {
    // No temp directory at all, then a directory where the file should be: left quietly.
    EXPECT_EQ(save_dlg_state(), 0);
    write_file("qz_conf/temp/torvane.dat/inside", "");
    EXPECT_EQ(save_dlg_state(), 0);
    EXPECT_TRUE(shown("message").empty());
#ifndef _WIN32
    // A full disk: the file opens, the record does not fit.
    std::filesystem::remove_all(state_path());
    ASSERT_EQ(::symlink("/dev/full", state_path().c_str()), 0);
    EXPECT_EQ(save_dlg_state(), 0);
    EXPECT_EQ(addontest::as_utf8(shown("message")), Lines{"写默认值错误!"});
#endif
}

#ifndef _WIN32
// Parts and dialogs come from the stand-in.

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

// A dialog file with every item of the record but the one left out; choices are named by
// their index.
std::string layout(const std::string &left_out = "") {
    std::vector<std::string> ids = {"STR_10", "WIDE_S_32", "WIDE_S_58", "WIDE_S_59"};
    for (const auto &i : INT_ITEMS) ids.push_back(i.first);
    for (const auto &r : REAL_ITEMS) ids.push_back(r.first);
    const std::pair<const char *, const char *> kinds[] = {
        {"RADIO", "radio_box"}, {"OPTION", "option_menu"}, {"TOGGLE", "toggle"},   {"INT", "integer"},
        {"REAL", "real"},       {"STR", "string"},         {"WIDE", "wide_string"}};
    std::string items;
    for (const std::string &id : ids) {
        for (const auto &k : kinds) {
            if (id == left_out || id.rfind(k.first, 0) != 0) continue;
            const bool choice = std::strcmp(k.first, "RADIO") == 0 || std::strcmp(k.first, "OPTION") == 0;
            items += std::string(items.empty() ? "" : ", ") + R"({"id": ")" + id + R"(", "kind": ")" + k.second +
                     (choice ? R"(", "entries": ["0", "1", "2", "3"]})" : "\"}");
        }
    }
    return R"({"format": "nxhost-dialog/1", "items": [)" + items + "]}";
}

int stored = -1;

int store_on_ok(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    stored = store_dlg_state(dialog_id);
    return UF_UI_CB_EXIT_DIALOG;
}

class StoreDlgState : public testsupport::StandinTest {
protected:
    // Shows the dialog, plays the actions, presses OK; what the store returned.
    int run_dialog(const std::string &layout, const std::string &actions) {
        write_file("dialogs/settings.dlg", layout);
        play("dialog settings.dlg\n" + actions + "  press OK\n");
        UF_STYLER_callback_info_t callbacks[] = {
            {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_OK_CB, 0, store_on_ok},
            {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr},
        };
        int response = 0;
        stored = -1;
        const std::string path = drive_dir() + "/dialogs/settings.dlg";
        EXPECT_EQ(UF_STYLER_create_dialog(path.c_str(), callbacks, 2, nullptr, &response), 0);
        return stored;
    }
};

TEST_F(StoreDlgState, CopiesEveryItemIntoItsField) {
    // In the order of the record.
    const int32_t ints[] = {1, 2, 3, 1, 0, 1, 0, 0, 1, 1, 240, 2, 1, 0, 1, 0, 0, 1, 1, 0};
    const double reals[] = {0.12, 0.07, -0.05, 0.3, 35.5, 1.0, 1.5, 0.75, 0.25, 0.08};
    const std::string long_dir(600, 'd');
    std::ostringstream actions;
    for (int i = 0; i < 20; ++i) actions << "  set " << INT_ITEMS[i].first << " " << ints[i] << "\n";
    for (int i = 0; i < 10; ++i) actions << "  set " << REAL_ITEMS[i].first << " " << reals[i] << "\n";
    actions << "  set STR_10 EL-\n  set WIDE_S_32 D:\\post\\tasks\n  set WIDE_S_58 " << long_dir
            << "\n  set WIDE_S_59 D:\\parts\\电极.prt\n";
    std::memset(&static_dlg_state, 0x55, sizeof static_dlg_state);
    ASSERT_EQ(run_dialog(layout(), actions.str()), 1);
    expect_numbers(ints, reals);
    EXPECT_STREQ(static_dlg_state.str_10, "EL-");
    EXPECT_STREQ(static_dlg_state.wide_s_32, "D:\\post\\tasks");
    EXPECT_EQ(std::string(static_dlg_state.wide_s_58), long_dir.substr(0, 255)) << "a text is cut to its field";
    EXPECT_STREQ(static_dlg_state.wide_s_59, "D:\\parts\\\xb5\xe7\xbc\xab.prt");
}

TEST_F(StoreDlgState, KeepsTheFieldOfAnItemTheDialogDoesNotHave) {
    // An older dialog file without INT_34: the stand-in counts asking for it as misuse.
    expect_clean_session_ = false;
    static_dlg_state = dlg_state{};
    static_dlg_state.int_34 = 999;
    EXPECT_EQ(run_dialog(layout("INT_34"), "  set RADIO_2 2\n"), 0);
    EXPECT_EQ(static_dlg_state.int_34, 999);
    EXPECT_EQ(static_dlg_state.radio_2, 2);
    bool reported = false;
    for (const std::string &line : shown("listing")) reported |= line.find("UF_STYLER_ask_value") != std::string::npos;
    EXPECT_TRUE(reported);
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u) << "every value asked was freed";
    EXPECT_EQ(UF_terminate(), 0);
}

#endif

}  // namespace
