// What a dialog shows in the transcript, and the texts of a Chinese Windows.
#include "styler_fixture.h"
#include "uf.h"

using namespace stylertest;

namespace {

class DialogTranscript : public StylerTest {};

TEST_F(DialogTranscript, SmallDialogShowsItsStateTheUsersActionsAndWhatEachCallbackChanged) {
    Probe probe;
    probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [](int d, UF_STYLER_item_value_type_p_t) {
        return set(d, "TOGGLE_B", UF_STYLER_VALUE, 1);
    });
    probe.on("LIST_A", UF_STYLER_ACTIVATE_REASON, [](int d, UF_STYLER_item_value_type_p_t) {
        set(d, "BUTTON_C", UF_STYLER_SENSITIVITY, 1);
        set(d, "TOGGLE_B", UF_STYLER_LABEL, "Flag \"2\"");
        set(d, "LIST_A", UF_STYLER_LIST_INSERT, "D:\\three");
        set(d, UF_STYLER_DIALOG_INDEX, UF_STYLER_LABEL, "Tiny 2");
        set(d, UF_STYLER_NAV_INDEX, UF_STYLER_VISIBILITY, 0, UF_STYLER_CANCEL_INDEX);
        return 0;
    });
    // Listed out of order: the constructor still runs first and the destructor last.
    auto table = callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_DESTRUCTOR_CB}, {"LIST_A", UF_STYLER_ACTIVATE_CB},
                            {UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}});
    EXPECT_EQ(respond("tiny.dlg", "dialog tiny.dlg\n  select LIST_A one\n  press OK\n", table, probe), UF_UI_OK);
    EXPECT_THAT(dialog_lines(),
                ElementsAre("open tiny.dlg \"Tiny\"", "callback dialog constructor -> 0",
                            "  LIST_A single_list: 2 lines", "     \"one\"", "    *\"two\"", "  TOGGLE_B toggle: 1",
                            "  BUTTON_C action_button insensitive",
                            "> select LIST_A one", "callback LIST_A activate -> 0", "  title \"Tiny 2\"",
                            "  LIST_A single_list: 3 lines", "    *\"one\"", "     \"two\"", "     \"D:\\three\"",
                            "  TOGGLE_B toggle: 1 label \"Flag \\\"2\\\"\"", "  BUTTON_C action_button sensitive",
                            "  CANCEL button invisible",
                            "> press OK", "callback dialog destructor -> 0", "close tiny.dlg (response 2)"));
}

TEST_F(DialogTranscript, ChineseEntryIsSelectedByItsUtf8TextAndTheAddOnSeesGbk) {
    const std::string rough = "\xB4\xD6\xBC\xD3\xB9\xA4";   // 粗加工 in code page 936
    const std::string finish = "\xBE\xAB\xBC\xD3\xB9\xA4";  // 精加工
    Probe probe;
    probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [&](int d, UF_STYLER_item_value_type_p_t) {
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, rough.c_str());
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, finish.c_str());
        probe.calls.push_back("label " + ask(d, "LIST_1", UF_STYLER_LABEL));
        return 0;
    });
    auto table = callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}, {"LIST_1", UF_STYLER_ACTIVATE_CB},
                            {"STR_2", UF_STYLER_ACTIVATE_CB}});
    respond("gbk.dlg", "dialog gbk.dlg\n  select LIST_1 精加工\n  set STR_2 \"模板 A\"\n  press OK\n", table, probe);
    EXPECT_THAT(probe.calls, ElementsAre("dialog constructor sub=-1", "label str=\xC4\xA3\xB0\xE5",
                                         "LIST_1 activate sub=1 str=" + finish,
                                         "STR_2 activate sub=-1 str=\xC4\xA3\xB0\xE5 A"));
    EXPECT_THAT(dialog_lines(), Contains("open gbk.dlg \"选择模板\""));
    EXPECT_THAT(dialog_lines(), ::testing::IsSupersetOf({"  LIST_1 single_list: 2 lines", "     \"粗加工\"", "     \"精加工\""}));
    EXPECT_THAT(dialog_lines(), Contains("> select LIST_1 精加工"));
    EXPECT_THAT(dialog_lines(), Contains("> set STR_2 \"模板 A\""));
}

}  // namespace
