// Copying the main dialog's items into the settings record, as the user left them.
#include <cstring>
#include <string>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "standin_test.h"
#include "torvane/dlg_state.h"
#include "uf.h"
#include "uf_styler.h"

namespace {

using testsupport::StandinTest;

// Every item of the record, of the kind the main dialog gives it.
const char LAYOUT[] = R"({
  "format": "nxhost-dialog/1",
  "title": "settings",
  "items": [
    {"id": "RADIO_1", "kind": "radio_box", "entries": ["full", "simple"]},
    {"id": "RADIO_2", "kind": "radio_box", "entries": ["absolute", "WCS", "electrodes"], "value": 2},
    {"id": "RADIO_3", "kind": "radio_box", "entries": ["a", "b", "c", "d"]},
    {"id": "TOGGLE_4", "kind": "toggle"}, {"id": "REAL_5", "kind": "real", "value": 0.0},
    {"id": "TOGGLE_6", "kind": "toggle"}, {"id": "REAL_7", "kind": "real", "value": 0.0},
    {"id": "TOGGLE_8", "kind": "toggle"}, {"id": "REAL_9", "kind": "real", "value": 0.0},
    {"id": "TOGGLE_10", "kind": "toggle"}, {"id": "REAL_11", "kind": "real", "value": 0.0},
    {"id": "STR_10", "kind": "string", "value": ""},
    {"id": "TOGGLE_13", "kind": "toggle"}, {"id": "TOGGLE_15", "kind": "toggle", "value": 1},
    {"id": "REAL_23", "kind": "real", "value": 20.0}, {"id": "REAL_24", "kind": "real", "value": 1.0},
    {"id": "REAL_25", "kind": "real", "value": 1.0}, {"id": "REAL_26", "kind": "real", "value": 0.5},
    {"id": "OPTION_28", "kind": "option_menu", "entries": ["lib1", "lib2", "part"]},
    {"id": "TOGGLE_29", "kind": "toggle"}, {"id": "TOGGLE_32", "kind": "toggle", "value": 1},
    {"id": "WIDE_S_32", "kind": "wide_string", "value": ""},
    {"id": "TOGGLE_33", "kind": "toggle"}, {"id": "TOGGLE_34", "kind": "toggle"},
    {"id": "TOGGLE_35", "kind": "toggle"}, {"id": "INT_34", "kind": "integer", "value": 230},
    {"id": "REAL_35", "kind": "real", "value": 0.25}, {"id": "REAL_36", "kind": "real", "value": 0.05},
    {"id": "TOGGLE_38", "kind": "toggle"}, {"id": "TOGGLE_39", "kind": "toggle", "value": 1},
    {"id": "TOGGLE_57", "kind": "toggle", "value": 1},
    {"id": "WIDE_S_58", "kind": "wide_string", "value": ""},
    {"id": "WIDE_S_59", "kind": "wide_string", "value": ""},
    {"id": "RADIO_60", "kind": "radio_box", "entries": ["x", "y"]}
  ]
})";

int stored = -1;

int store_on_ok(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    stored = store_dlg_state(dialog_id);
    return UF_UI_CB_EXIT_DIALOG;
}

class StoreDlgState : public StandinTest {
protected:
    int run_dialog(const std::string &actions) {
        write_file("dialogs/settings.dlg", LAYOUT);
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
    std::memset(&static_dlg_state, 0x55, sizeof static_dlg_state);
    const std::string long_dir = std::string(600, 'd');
    ASSERT_EQ(run_dialog("  set RADIO_1 1\n  set RADIO_2 0\n  set RADIO_3 3\n"
                         "  set TOGGLE_4 1\n  set REAL_5 0.12\n  set TOGGLE_8 1\n  set REAL_9 -0.05\n"
                         "  set REAL_11 0.3\n  set STR_10 EL-\n  set TOGGLE_13 1\n  set TOGGLE_15 0\n"
                         "  set REAL_23 35.5\n  set REAL_26 0.75\n  set OPTION_28 2\n  set TOGGLE_29 1\n"
                         "  set TOGGLE_32 0\n  set WIDE_S_32 D:\\post\\tasks\n  set TOGGLE_35 1\n"
                         "  set INT_34 240\n  set REAL_36 0.08\n  set TOGGLE_38 1\n  set TOGGLE_39 0\n"
                         "  set TOGGLE_57 0\n  set WIDE_S_58 " + long_dir + "\n"
                         "  set WIDE_S_59 D:\\parts\\电极.prt\n  set RADIO_60 1\n"),
              1);
    const dlg_state &s = static_dlg_state;
    const std::pair<const char *, std::pair<int32_t, int32_t>> ints[] = {
        {"RADIO_1", {s.radio_1, 1}},     {"RADIO_2", {s.radio_2, 0}},     {"RADIO_3", {s.radio_3, 3}},
        {"TOGGLE_4", {s.toggle_4, 1}},   {"TOGGLE_6", {s.toggle_6, 0}},   {"TOGGLE_8", {s.toggle_8, 1}},
        {"TOGGLE_10", {s.toggle_10, 0}}, {"TOGGLE_13", {s.toggle_13, 1}}, {"TOGGLE_15", {s.toggle_15, 0}},
        {"OPTION_28", {s.option_28, 2}}, {"TOGGLE_29", {s.toggle_29, 1}}, {"TOGGLE_32", {s.toggle_32, 0}},
        {"TOGGLE_33", {s.toggle_33, 0}}, {"TOGGLE_34", {s.toggle_34, 0}}, {"TOGGLE_35", {s.toggle_35, 1}},
        {"INT_34", {s.int_34, 240}},     {"TOGGLE_38", {s.toggle_38, 1}}, {"TOGGLE_39", {s.toggle_39, 0}},
        {"TOGGLE_57", {s.toggle_57, 0}}, {"RADIO_60", {s.radio_60, 1}},
    };
    for (const auto &i : ints) EXPECT_EQ(i.second.first, i.second.second) << i.first;
    const std::pair<const char *, std::pair<double, double>> reals[] = {
        {"REAL_5", {s.real_5, 0.12}},    {"REAL_7", {s.real_7, 0.0}},     {"REAL_9", {s.real_9, -0.05}},
        {"REAL_11", {s.real_11, 0.3}},   {"REAL_23", {s.real_23, 35.5}},  {"REAL_24", {s.real_24, 1.0}},
        {"REAL_25", {s.real_25, 1.0}},   {"REAL_26", {s.real_26, 0.75}},  {"REAL_35", {s.real_35, 0.25}},
        {"REAL_36", {s.real_36, 0.08}},
    };
    for (const auto &r : reals) EXPECT_EQ(r.second.first, r.second.second) << r.first;
    EXPECT_STREQ(s.str_10, "EL-");
    EXPECT_STREQ(s.wide_s_32, "D:\\post\\tasks");
    EXPECT_EQ(std::string(s.wide_s_58), long_dir.substr(0, 255)) << "a text is cut to its field";
    EXPECT_STREQ(s.wide_s_59, "D:\\parts\\\xb5\xe7\xbc\xab.prt");
}

TEST_F(StoreDlgState, KeepsTheFieldOfAnItemTheDialogDoesNotHave) {
    // An older dialog file without INT_34: the stand-in counts asking for it as misuse.
    expect_clean_session_ = false;
    const std::string item = R"({"id": "INT_34", "kind": "integer", "value": 230},)";
    std::string without = LAYOUT;
    without.erase(without.find(item), item.size());
    write_file("dialogs/short.dlg", without);
    play("dialog short.dlg\n  press OK\n");
    UF_STYLER_callback_info_t callbacks[] = {
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_OK_CB, 0, store_on_ok}};
    static_dlg_state = dlg_state{};
    static_dlg_state.int_34 = 999;
    int response = 0;
    stored = -1;
    ASSERT_EQ(UF_STYLER_create_dialog((drive_dir() + "/dialogs/short.dlg").c_str(), callbacks, 1, nullptr, &response),
              0);
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(static_dlg_state.int_34, 999);
    EXPECT_EQ(static_dlg_state.radio_2, 2);
    bool reported = false;
    for (const std::string &line : shown("listing")) reported |= line.find("UF_STYLER_ask_value") != std::string::npos;
    EXPECT_TRUE(reported);
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u) << "every value asked was freed";
    EXPECT_EQ(UF_terminate(), 0);
}

}  // namespace
