// A dialog's life as the scenario plays it: constructor, user actions, callbacks, closing.
#include <algorithm>
#include <tuple>

#include "nxhost/core/guard.h"
#include "styler_fixture.h"
#include "uf.h"

using namespace stylertest;

namespace {

class DialogLifecycle : public StylerTest {};

TEST_F(DialogLifecycle, CallbackReturnDecidesWhetherAndHowTheDialogCloses) {
    // Without a callback (no item) a button ends the dialog with its own response.
    const std::tuple<const char *, int, int, const char *, int> cases[] = {
        {nullptr, 0, 0, "dialog all_kinds.dlg\n close\n", UF_UI_CANCEL},
        {nullptr, 0, 0, "cancel\n", UF_UI_CANCEL},
        {nullptr, 0, 0, "back\n", UF_UI_BACK},
        {nullptr, 0, 0, "dialog all_kinds.dlg\n press APPLY\n press OK\n", UF_UI_OK},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_CB, 1, "dialog all_kinds.dlg\n press OK\n", UF_UI_OK},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_OK_CB, 0, "dialog all_kinds.dlg\n press OK\n press CANCEL\n", UF_UI_CANCEL},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_APPLY_CB, 1, "dialog all_kinds.dlg\n press APPLY\n", UF_UI_APPLY},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_CANCEL_CB, 1, "dialog all_kinds.dlg\n close\n", UF_UI_CANCEL},
        {UF_STYLER_DIALOG_INDEX, UF_STYLER_CANCEL_CB, 0, "dialog all_kinds.dlg\n press CANCEL\n press OK\n", UF_UI_OK},
        {"ACTION_5", UF_STYLER_ACTIVATE_CB, 1, "dialog all_kinds.dlg\n activate ACTION_5\n", UF_UI_OK},
    };
    for (const auto &[object, type, returns, script, expected] : cases) {
        SCOPED_TRACE(script);
        Probe probe;
        probe.on(object ? object : "", type, [returns = returns](int, UF_STYLER_item_value_type_p_t) { return returns; });
        EXPECT_EQ(respond("all_kinds.dlg", script, object ? callbacks({{object, type}}) : callbacks({}), probe), expected);
        EXPECT_EQ(nxhost::script::remaining(), 0u);
    }
}

TEST_F(DialogLifecycle, EachUserActionCallsItsCallbackWithTheValueTheUserGave) {
    const std::pair<const char *, const char *> cases[] = {
        {"set TOGGLE_6 0", "TOGGLE_6 value_changed sub=-1 int=0"},
        {"set INT_1 12", "INT_1 activate sub=-1 int=12"},
        {"set OPTION_9 second", "OPTION_9 activate sub=1 int=1"},
        {"set RADIO_10 \"#0\"", "RADIO_10 value_changed sub=0 int=0"},
        {"set MTXT_19 \"line 1\" \"line 2\"", "MTXT_19 value_changed sub=-1 strs=line 1|line 2"},
        {"select LIST_14 \"#2\"", "LIST_14 activate sub=2 str=three"},
        {"select MULTI_15 c a", "MULTI_15 activate sub=0 ints=0,2"},
        {"activate ACTION_5", "ACTION_5 activate sub=-1"},
        {"activate BLO_8 2", "BLO_8 activate sub=2 int=2"},
        {"activate BLO_8 Insert", "BLO_8 activate sub=1 int=1"},
        {"activate REAL_2", "REAL_2 activate sub=-1 real=0.05"},
        {"double-click LIST_14 one", "LIST_14 double_click sub=0 str=one"},
    };
    for (const auto &[action, call] : cases) {
        SCOPED_TRACE(action);
        Probe probe;
        const int activate = UF_STYLER_ACTIVATE_CB, changed = UF_STYLER_VALUE_CHANGED_CB;
        auto table = callbacks({{"TOGGLE_6", changed}, {"TOGGLE_6", activate}, {"INT_1", activate}, {"REAL_2", activate},
                                {"STR_3", activate}, {"OPTION_9", activate}, {"RADIO_10", changed}, {"MTXT_19", changed},
                                {"LIST_14", activate}, {"LIST_14", UF_STYLER_DOUBLE_CLICK_CB}, {"MULTI_15", activate},
                                {"ACTION_5", activate}, {"BLO_8", activate}});
        std::string script = std::string("dialog all_kinds.dlg\n ") + action + "\n press CANCEL\n";
        EXPECT_EQ(respond("all_kinds.dlg", script, table, probe), UF_UI_CANCEL);
        EXPECT_THAT(probe.calls, ElementsAre(call));
    }
}

TEST_F(DialogLifecycle, ScenarioThatDoesNotFitTheDialogStopsNamingTheLine) {
    const std::pair<const char *, const char *> cases[] = {
        {"dialog all_kinds.dlg\n set NO_SUCH 1\n", "test-scenario:2: dialog all_kinds.dlg has no item NO_SUCH"},
        {"dialog all_kinds.dlg\n set GUARDED_REAL 1\n", "test-scenario:2: item GUARDED_REAL of all_kinds.dlg is insensitive"},
        {"dialog all_kinds.dlg\n set HIDDEN_INT 1\n", "test-scenario:2: item HIDDEN_INT of all_kinds.dlg is invisible"},
        {"dialog tiny.dlg\n press OK\n", "the add-on opened dialog all_kinds.dlg, but the script answers dialog tiny.dlg"},
        {"dialog all_kinds.dlg\n set TOGGLE_6 0\n", "all_kinds.dlg is still open after test-scenario:2; the scenario must close it"},
        {"dialog all_kinds.dlg\n press OK\n set TOGGLE_6 1\n", "test-scenario:3: dialog all_kinds.dlg was closed by test-scenario:2"},
        {"dialog all_kinds.dlg\n set LIST_14 one\n", "LIST_14 is a list; use select"},
        {"dialog all_kinds.dlg\n select LIST_14 four\n", "LIST_14 has no entry \"four\""},
        {"dialog all_kinds.dlg\n select LIST_14 one two\n", "single-selection list; select one entry"},
        {"dialog all_kinds.dlg\n set TOGGLE_6 yes\n", "toggle TOGGLE_6 takes 0 or 1, not yes"},
        {"dialog all_kinds.dlg\n set REAL_2 abc\n", "REAL_2 takes a number"},
        {"dialog all_kinds.dlg\n set SCALE_R_12 11\n", "SCALE_R_12 takes 0 to 10, not 11"},
        {"dialog all_kinds.dlg\n set BITMAP_7 x.bmp\n", "a user cannot set BITMAP_7"},
        {"dialog all_kinds.dlg\n activate BLO_8 3\n", "BLO_8 has no button \"3\""},
        {"dialog all_kinds.dlg\n activate BLO_8\n", "needs the button"},
        {"dialog all_kinds.dlg\n double-click STR_3 x\n", "STR_3 is not a list"},
        {"dialog all_kinds.dlg\n set STR_3 \"\xF0\x9F\x98\x80\"\n", "code page 936 cannot hold"},
        {"dialog all_kinds.dlg\n set INT_1 1\n", "test-scenario:2: item INT_1 of all_kinds.dlg is insensitive"},
        {"dialog all_kinds.dlg\n press BACK\n", "test-scenario:2: the BACK button of all_kinds.dlg is insensitive"},
    };
    for (const auto &[script, message] : cases) {
        SCOPED_TRACE(script);
        Probe probe;
        // What the add-on makes insensitive is out of the user's reach too.
        probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [](int d, UF_STYLER_item_value_type_p_t) {
            set(d, "INT_1", UF_STYLER_SENSITIVITY, 0);
            return set(d, UF_STYLER_NAV_INDEX, UF_STYLER_SENSITIVITY, 0, UF_STYLER_BACK_INDEX);
        });
        auto table = callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}});
        EXPECT_THAT(refusal("all_kinds.dlg", script, table, probe), HasSubstr(message));
    }
}

TEST_F(DialogLifecycle, ButtonTheDialogLacksCannotBePressed) {
    Probe probe;
    EXPECT_THAT(refusal("tiny.dlg", "dialog tiny.dlg\n press APPLY\n", callbacks({}), probe),
                HasSubstr("test-scenario:2: dialog tiny.dlg has no APPLY button"));
}

TEST_F(DialogLifecycle, CallbackMayOpenAnotherDialogThatTakesTheNextInteraction) {
    Probe outer, inner;
    int inner_response = -1, inner_rc = -1;
    inner.on("LIST_A", UF_STYLER_ACTIVATE_REASON, [&outer](int, UF_STYLER_item_value_type_p_t) {
        // The outer dialog is still in its callback, so its items can be read.
        outer.calls.push_back("outer toggle " + ask(outer.last_dialog_id, "TOGGLE_2", UF_STYLER_VALUE));
        return 0;
    });
    outer.on("BLO_3", UF_STYLER_ACTIVATE_REASON, [&](int, UF_STYLER_item_value_type_p_t) {
        inner_rc = open("tiny.dlg", callbacks({{"LIST_A", UF_STYLER_ACTIVATE_CB}}), inner, &inner_response);
        return 1;
    });
    const char *script = "dialog template_pick.dlg\n set TOGGLE_2 1\n activate BLO_3\n"
                         "dialog tiny.dlg\n select LIST_A one\n press CANCEL\n";
    EXPECT_EQ(respond("template_pick.dlg", script, callbacks({{"BLO_3", UF_STYLER_ACTIVATE_CB}}), outer), UF_UI_OK);
    EXPECT_EQ(inner_rc, 0);
    EXPECT_EQ(inner_response, UF_UI_CANCEL);
    EXPECT_THAT(inner.calls, ElementsAre("LIST_A activate sub=0 str=one"));
    EXPECT_THAT(outer.calls, ElementsAre("BLO_3 activate sub=-1", "outer toggle int=1"));
    std::vector<std::string> lines = dialog_lines();
    auto at = [&](const std::string &line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    EXPECT_LT(at("open tiny.dlg \"Tiny\""), at("close tiny.dlg (response 3)"));
    EXPECT_LT(at("close tiny.dlg (response 3)"), at("callback BLO_3 activate -> 1"));
    EXPECT_LT(at("callback BLO_3 activate -> 1"), at("close template_pick.dlg (response 2)"));
}

// A callback's own question (here a file box) is answered by the line after the action that
// asks it, and the dialog's actions go on after that answer.
TEST_F(DialogLifecycle, ActionsGoOnAfterTheAnswerToACallbacksQuestion) {
    auto filebox = [](int, UF_STYLER_item_value_type_p_t) {
        char text[] = "t", filter[MAX_FSPEC_BUFSIZE] = "", chosen[MAX_FSPEC_BUFSIZE] = "";
        int response = 0;
        return UF_UI_create_filebox(text, text, filter, text, chosen, &response);
    };
    const std::pair<const char *, const char *> cases[] = {
        {"dialog all_kinds.dlg\n activate ACTION_5\nfilebox D:\\x.prt\n set TOGGLE_6 1\n press OK\n", ""},
        {"dialog all_kinds.dlg\n activate ACTION_5\n press OK\nfilebox D:\\x.prt\n",
         "test-scenario:3 is the dialog action 'press'; an answer must come right after the action"},
    };
    for (const auto &[script, message] : cases) {
        SCOPED_TRACE(script);
        Probe probe;
        probe.on("ACTION_5", UF_STYLER_ACTIVATE_REASON, filebox);
        auto table = callbacks({{"ACTION_5", UF_STYLER_ACTIVATE_CB}});
        if (message[0]) {
            EXPECT_THAT(refusal("all_kinds.dlg", script, table, probe), HasSubstr(message));
            continue;
        }
        EXPECT_EQ(respond("all_kinds.dlg", script, table, probe), UF_UI_OK);
        EXPECT_THAT(dialog_lines(), Contains("  TOGGLE_6 toggle: 1"));
        EXPECT_EQ(nxhost::script::remaining(), 0u);
    }
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
    respond("tiny.dlg", "dialog tiny.dlg\n press OK\n",
            callbacks({{"LIST_99", UF_STYLER_ACTIVATE_CB}, {UF_STYLER_DIALOG_INDEX, UF_STYLER_ACTIVATE_CB}}), probe);
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
