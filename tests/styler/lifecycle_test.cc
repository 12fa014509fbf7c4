// A dialog's life as the scenario plays it: constructor, user actions, callbacks, closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "nxhost/core/guard.h"
#include "nxhost/script/script.h"
#include "styler_fixture.h"
#include "uf.h"

using namespace stylertest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class DialogLifecycle : public StylerTest {};

TEST_F(DialogLifecycle, ConstructorRunsFirstAndDestructorLastWithTheirReasonsAndItems) {
    Probe probe;
    probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_REASON, [](int, UF_STYLER_item_value_type_p_t) { return 1; });
    play("dialog tiny.dlg\n  press OK\n");
    int response = 0;
    ASSERT_EQ(open("tiny.dlg",
                   callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_DESTRUCTOR_CB},
                              {UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_CB},
                              {UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}}),
                   probe, &response),
              0);
    EXPECT_THAT(probe.calls, ElementsAre("dialog constructor sub=-1", "dialog ok sub=0", "dialog destructor sub=-1"));
    EXPECT_EQ(response, UF_UI_OK);
}

TEST_F(DialogLifecycle, NavigationWithoutCallbacksClosesWithThatButtonsResponse) {
    struct Case {
        const char *script;
        int response;
    } cases[] = {
        {"dialog template_pick.dlg\n press OK\n", UF_UI_OK},
        {"dialog template_pick.dlg\n press BACK\n", UF_UI_BACK},
        {"dialog template_pick.dlg\n press CANCEL\n", UF_UI_CANCEL},
        {"dialog template_pick.dlg\n close\n", UF_UI_CANCEL},
        {"cancel\n", UF_UI_CANCEL},
        {"back\n", UF_UI_BACK},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        Probe probe;
        play(c.script);
        int response = 0;
        ASSERT_EQ(open("template_pick.dlg", callbacks({}), probe, &response), 0);
        EXPECT_EQ(response, c.response);
        EXPECT_EQ(nxhost::script::remaining(), 0u);
    }
}

TEST_F(DialogLifecycle, CallbackReturnDecidesWhetherAndHowTheDialogCloses) {
    struct Case {
        const char *object;
        int type;
        int returns;
        const char *script;
        int response;
    } cases[] = {
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_CB, 1, "dialog all_kinds.dlg\n press OK\n", UF_UI_OK},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_CB, 0, "dialog all_kinds.dlg\n press OK\n press CANCEL\n", UF_UI_CANCEL},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_APPLY_CB, 1, "dialog all_kinds.dlg\n press APPLY\n", UF_UI_APPLY},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_APPLY_CB, 0, "dialog all_kinds.dlg\n press APPLY\n press BACK\n", UF_UI_BACK},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_BACK_CB, 1, "dialog all_kinds.dlg\n press BACK\n", UF_UI_BACK},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_CANCEL_CB, 1, "dialog all_kinds.dlg\n close\n", UF_UI_CANCEL},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_CANCEL_CB, 0, "dialog all_kinds.dlg\n press CANCEL\n press OK\n", UF_UI_OK},
        {"ACTION_5", UF_STYLER_ACTIVATE_CB, 1, "dialog all_kinds.dlg\n activate ACTION_5\n", UF_UI_OK},
        {"TOGGLE_6", UF_STYLER_VALUE_CHANGED_CB, 1, "dialog all_kinds.dlg\n set TOGGLE_6 0\n", UF_UI_OK},
        {"LIST_14", UF_STYLER_DOUBLE_CLICK_CB, 1, "dialog all_kinds.dlg\n double-click LIST_14 two\n", UF_UI_OK},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        Probe probe;
        int returns = c.returns;
        probe.on(c.object, c.type, [returns](int, UF_STYLER_item_value_type_p_t) { return returns; });
        play(c.script);
        int response = 0;
        ASSERT_EQ(open("all_kinds.dlg", callbacks({{c.object, c.type}}), probe, &response), 0);
        EXPECT_EQ(response, c.response);
    }
}

TEST_F(DialogLifecycle, EachUserActionCallsItsCallbackWithTheValueTheUserGave) {
    struct Case {
        const char *action;
        const char *call;
    } cases[] = {
        {"set TOGGLE_6 0", "TOGGLE_6 value_changed sub=-1 int=0"},
        {"set INT_1 12", "INT_1 activate sub=-1 int=12"},
        {"set REAL_2 0.25", "REAL_2 activate sub=-1 real=0.25"},
        {"set STR_3 \"two words\"", "STR_3 activate sub=-1 str=two words"},
        {"set WIDE_4 D:\\out", "WIDE_4 activate sub=-1 str=D:\\out"},
        {"set OPTION_9 second", "OPTION_9 activate sub=1 int=1"},
        {"set RADIO_10 1", "RADIO_10 value_changed sub=1 int=1"},
        {"set RADIO_10 \"#0\"", "RADIO_10 value_changed sub=0 int=0"},
        {"set SCALE_I_13 5", "SCALE_I_13 value_changed sub=-1 int=5"},
        {"set MTXT_19 \"line 1\" \"line 2\"", "MTXT_19 value_changed sub=-1 strs=line 1|line 2"},
        {"select LIST_14 two", "LIST_14 activate sub=1 str=two"},
        {"select LIST_14 \"#2\"", "LIST_14 activate sub=2 str=three"},
        {"select MULTI_15 c a", "MULTI_15 activate sub=0 ints=0,2"},
        {"select OPTION_9 third", "OPTION_9 activate sub=2 int=2"},
        {"activate ACTION_5", "ACTION_5 activate sub=-1"},
        {"activate BLO_8 2", "BLO_8 activate sub=2 int=2"},
        {"activate BLO_8 Insert", "BLO_8 activate sub=1 int=1"},
        {"activate PALETTE_11 b", "PALETTE_11 activate sub=1 int=1"},
        {"activate REAL_2", "REAL_2 activate sub=-1 real=0.05"},
        {"double-click LIST_14 one", "LIST_14 double_click sub=0 str=one"},
        {"double-click MULTI_15 d", "MULTI_15 double_click sub=3 str=d"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.action);
        Probe probe;
        play(std::string("dialog all_kinds.dlg\n ") + c.action + "\n press CANCEL\n");
        int response = 0;
        ASSERT_EQ(open("all_kinds.dlg",
                       callbacks({{"TOGGLE_6", UF_STYLER_VALUE_CHANGED_CB},
                                  {"TOGGLE_6", UF_STYLER_ACTIVATE_CB},
                                  {"INT_1", UF_STYLER_ACTIVATE_CB},
                                  {"REAL_2", UF_STYLER_ACTIVATE_CB},
                                  {"STR_3", UF_STYLER_ACTIVATE_CB},
                                  {"WIDE_4", UF_STYLER_ACTIVATE_CB},
                                  {"OPTION_9", UF_STYLER_ACTIVATE_CB},
                                  {"RADIO_10", UF_STYLER_VALUE_CHANGED_CB},
                                  {"SCALE_I_13", UF_STYLER_VALUE_CHANGED_CB},
                                  {"MTXT_19", UF_STYLER_VALUE_CHANGED_CB},
                                  {"LIST_14", UF_STYLER_ACTIVATE_CB},
                                  {"LIST_14", UF_STYLER_DOUBLE_CLICK_CB},
                                  {"MULTI_15", UF_STYLER_ACTIVATE_CB},
                                  {"MULTI_15", UF_STYLER_DOUBLE_CLICK_CB},
                                  {"ACTION_5", UF_STYLER_ACTIVATE_CB},
                                  {"BLO_8", UF_STYLER_ACTIVATE_CB},
                                  {"PALETTE_11", UF_STYLER_ACTIVATE_CB}}),
                       probe, &response),
                  0);
        EXPECT_THAT(probe.calls, ElementsAre(c.call));
        EXPECT_EQ(response, UF_UI_CANCEL);
    }
}

TEST_F(DialogLifecycle, ScenarioThatDoesNotFitTheDialogStopsNamingTheLine) {
    struct Case {
        const char *script;
        const char *message;
    } cases[] = {
        {"dialog all_kinds.dlg\n set NO_SUCH 1\n", "test-scenario:2: dialog all_kinds.dlg has no item NO_SUCH"},
        {"dialog all_kinds.dlg\n set GUARDED_REAL 1\n", "test-scenario:2: item GUARDED_REAL of all_kinds.dlg is insensitive"},
        {"dialog all_kinds.dlg\n set HIDDEN_INT 1\n", "test-scenario:2: item HIDDEN_INT of all_kinds.dlg is invisible"},
        {"dialog tiny.dlg\n press OK\n", "the add-on opened dialog all_kinds.dlg, but the script answers dialog tiny.dlg"},
        {"dialog all_kinds.dlg\n set TOGGLE_6 0\n",
         "dialog all_kinds.dlg is still open after test-scenario:2; the scenario must close it"},
        {"dialog all_kinds.dlg\n", "dialog all_kinds.dlg is still open after test-scenario:1"},
        {"dialog all_kinds.dlg\n press OK\n set TOGGLE_6 1\n",
         "test-scenario:3: dialog all_kinds.dlg was closed by test-scenario:2"},
        {"dialog all_kinds.dlg\n set LIST_14 one\n", "LIST_14 is a list; use select"},
        {"dialog all_kinds.dlg\n select LIST_14 four\n", "LIST_14 has no entry \"four\""},
        {"dialog all_kinds.dlg\n select LIST_14 one two\n", "single-selection list; select one entry"},
        {"dialog all_kinds.dlg\n set TOGGLE_6 yes\n", "toggle TOGGLE_6 takes 0 or 1, not yes"},
        {"dialog all_kinds.dlg\n set REAL_2 abc\n", "REAL_2 takes a number"},
        {"dialog all_kinds.dlg\n set SCALE_R_12 11\n", "SCALE_R_12 takes 0 to 10, not 11"},
        {"dialog all_kinds.dlg\n set BITMAP_7 x.bmp\n", "a user cannot set BITMAP_7"},
        {"dialog all_kinds.dlg\n activate BLO_8 7\n", "BLO_8 has no button \"7\""},
        {"dialog all_kinds.dlg\n activate BLO_8\n", "needs the button"},
        {"dialog all_kinds.dlg\n double-click STR_3 x\n", "STR_3 is not a list"},
        {"pick solids E1\n", "answers with 'pick'"},
        {"", "has no answer left"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        Probe probe;
        play(c.script);
        int response = 0;
        try {
            open("all_kinds.dlg", callbacks({}), probe, &response);
            ADD_FAILURE() << "the scenario was accepted";
        } catch (const nxhost::script::ScriptError &e) {
            EXPECT_THAT(e.what(), HasSubstr(c.message));
        }
    }
}

TEST_F(DialogLifecycle, ButtonTheDialogLacksOrHasMadeInsensitiveCannotBePressed) {
    Probe probe;
    probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [](int d, UF_STYLER_item_value_type_p_t) {
        return set_integer(d, UF_STYLER_NAV_INDEX, UF_STYLER_SENSITIVITY, 0, UF_STYLER_OK_INDEX);
    });
    int response = 0;
    play("dialog tiny.dlg\n press APPLY\n");
    try {
        open("tiny.dlg", callbacks({}), probe, &response);
        ADD_FAILURE() << "pressed a button the dialog lacks";
    } catch (const nxhost::script::ScriptError &e) {
        EXPECT_THAT(e.what(), HasSubstr("tiny.dlg has no APPLY button"));
    }
    play("dialog tiny.dlg\n press OK\n");
    try {
        open("tiny.dlg", callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}}), probe, &response);
        ADD_FAILURE() << "pressed an insensitive OK";
    } catch (const nxhost::script::ScriptError &e) {
        EXPECT_THAT(e.what(), HasSubstr("the OK button of tiny.dlg is insensitive"));
    }
}

TEST_F(DialogLifecycle, ItemMadeInsensitiveByTheAddOnIsOutOfTheUsersReach) {
    Probe probe;
    probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [](int d, UF_STYLER_item_value_type_p_t) {
        return set_integer(d, "TOGGLE_B", UF_STYLER_SENSITIVITY, 0);
    });
    play("dialog tiny.dlg\n set TOGGLE_B 1\n press OK\n");
    int response = 0;
    try {
        open("tiny.dlg", callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}}), probe, &response);
        ADD_FAILURE() << "an insensitive toggle was set";
    } catch (const nxhost::script::ScriptError &e) {
        EXPECT_THAT(e.what(), HasSubstr("test-scenario:2: item TOGGLE_B of tiny.dlg is insensitive"));
    }
}

TEST_F(DialogLifecycle, CallbackMayOpenAnotherDialogThatTakesTheNextInteraction) {
    Probe outer, inner;
    int inner_response = -1;
    int inner_rc = -1;
    inner.on("LIST_A", UF_STYLER_ACTIVATE_REASON, [&outer](int, UF_STYLER_item_value_type_p_t) {
        // The outer dialog is still in its callback, so its items can be read.
        outer.calls.push_back("outer toggle " + ask(outer.last_dialog_id, "TOGGLE_2", UF_STYLER_VALUE));
        return 0;
    });
    outer.on("BLO_3", UF_STYLER_ACTIVATE_REASON, [&](int, UF_STYLER_item_value_type_p_t) {
        inner_rc = open("tiny.dlg", callbacks({{"LIST_A", UF_STYLER_ACTIVATE_CB}}), inner, &inner_response);
        return 1;
    });
    play("dialog template_pick.dlg\n set TOGGLE_2 1\n activate BLO_3\n"
         "dialog tiny.dlg\n select LIST_A one\n press CANCEL\n");
    int response = 0;
    ASSERT_EQ(open("template_pick.dlg", callbacks({{"BLO_3", UF_STYLER_ACTIVATE_CB}}), outer, &response), 0);
    EXPECT_EQ(inner_rc, 0);
    EXPECT_EQ(inner_response, UF_UI_CANCEL);
    EXPECT_EQ(response, UF_UI_OK);
    EXPECT_THAT(inner.calls, ElementsAre("LIST_A activate sub=0 str=one"));
    EXPECT_THAT(outer.calls, ElementsAre("BLO_3 activate sub=-1", "outer toggle int=1"));
    std::vector<std::string> lines = dialog_lines();
    auto at = [&](const std::string &line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    EXPECT_LT(at("open tiny.dlg \"Tiny\""), at("close tiny.dlg (response 3)"));
    EXPECT_LT(at("close tiny.dlg (response 3)"), at("callback BLO_3 activate -> 1"));
    EXPECT_LT(at("callback BLO_3 activate -> 1"), at("close template_pick.dlg (response 2)"));
}

TEST_F(DialogLifecycle, EntriesPastTheGivenCountAreNeverUsed) {
    Probe probe;
    std::vector<UF_STYLER_callback_info_t> table = callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB},
                                                              {UF_STYLER_DIALOG_INDEX, UF_STYLER_CANCEL_CB}});
    play("dialog tiny.dlg\n close\n");
    int response = 0;
    // Only the constructor entry is counted; the cancel entry after it must stay unread.
    ASSERT_EQ(UF_STYLER_create_dialog("tiny.dlg", table.data(), 1, &probe, &response), 0);
    EXPECT_THAT(probe.calls, ElementsAre("dialog constructor sub=-1"));
    EXPECT_EQ(response, UF_UI_CANCEL);
}

TEST_F(DialogLifecycle, CallbackEntryForAnItemTheDialogLacksIsReportedAsMisuse) {
    expect_clean_session_ = false;
    Probe probe;
    play("dialog tiny.dlg\n press OK\n");
    int response = 0;
    ASSERT_EQ(open("tiny.dlg", callbacks({{"LIST_99", UF_STYLER_ACTIVATE_CB}, {UF_STYLER_DIALOG_INDEX, UF_STYLER_ACTIVATE_CB}}),
                   probe, &response),
              0);
    ASSERT_EQ(nxhost::misuse_lines().size(), 2u);
    EXPECT_THAT(nxhost::misuse_lines()[0], HasSubstr("(LIST_99) names an item the dialog does not have"));
    EXPECT_THAT(nxhost::misuse_lines()[1], HasSubstr("which the dialog itself does not call"));
}

TEST_F(DialogLifecycle, WrongArgumentsAreRefusedWithoutTouchingTheScript) {
    expect_clean_session_ = false;
    Probe probe;
    play("dialog tiny.dlg\n press OK\n");
    int response = 0;
    EXPECT_EQ(UF_STYLER_create_dialog(nullptr, nullptr, 0, &probe, &response), nxhost::kBadArgument);
    EXPECT_EQ(UF_STYLER_create_dialog("tiny.dlg", nullptr, 3, &probe, &response), nxhost::kBadArgument);
    EXPECT_EQ(UF_STYLER_create_dialog("tiny.dlg", nullptr, 0, &probe, nullptr), nxhost::kBadArgument);
    EXPECT_EQ(nxhost::script::remaining(), 1u);
    EXPECT_EQ(nxhost::misuse_lines().size(), 3u);
}

}  // namespace
