// What the add-on reads and writes with UF_STYLER_ask_value / set_value / free_value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "styler_fixture.h"

using namespace stylertest;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

class DialogValues : public StylerTest {
protected:
    // Opens `file`, runs `body` inside its constructor and cancels it; returns what body noted.
    std::vector<std::string> in_constructor(const char *file,
                                            std::function<void(int, std::vector<std::string> &)> body) {
        std::vector<std::string> noted;
        Probe probe;
        probe.on(UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCT_REASON, [&](int d, UF_STYLER_item_value_type_p_t) {
            body(d, noted);
            return 0;
        });
        play("cancel\n");
        int response = 0;
        EXPECT_EQ(open(file, callbacks({{UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB}}), probe, &response), 0);
        last_dialog_id_ = probe.last_dialog_id;
        return noted;
    }
    int last_dialog_id_ = 0;
};

TEST_F(DialogValues, WhatTheAddOnSetsItReadsBackForEveryKind) {
    using Set = std::function<int(int)>;
    struct Case {
        const char *item;
        Set set;
        int attr;
        int indicator;
        const char *read;
    } cases[] = {
        {"INT_1", [](int d) { return set_integer(d, "INT_1", UF_STYLER_VALUE, 7); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=7"},
        {"REAL_2", [](int d) { return set_real(d, "REAL_2", 1.5); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "real=1.5"},
        {"STR_3", [](int d) { return set_text(d, "STR_3", UF_STYLER_VALUE, "ABC"); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "str=ABC"},
        {"WIDE_4", [](int d) { return set_text(d, "WIDE_4", UF_STYLER_VALUE, "E:\\x"); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "str=E:\\x"},
        {"TOGGLE_6", [](int d) { return set_integer(d, "TOGGLE_6", UF_STYLER_VALUE, 5); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=1"},
        {"BITMAP_7", [](int d) { return set_text(d, "BITMAP_7", UF_STYLER_VALUE, "b.bmp"); }, UF_STYLER_BITMAP, UF_STYLER_NO_VALUE, "str=b.bmp"},
        {"BITMAP_7", [](int d) { return set_text(d, "BITMAP_7", UF_STYLER_BITMAP, "c.bmp"); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "str=c.bmp"},
        {"ACTION_5", [](int d) { return set_text(d, "ACTION_5", UF_STYLER_BITMAP, "go.bmp"); }, UF_STYLER_BITMAP, UF_STYLER_NO_VALUE, "str=go.bmp"},
        {"BLO_8", [](int d) { return set_integer(d, "BLO_8", UF_STYLER_VALUE, 2); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=2"},
        {"OPTION_9", [](int d) { return set_integer(d, "OPTION_9", UF_STYLER_VALUE, 1); }, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE, "int=1"},
        {"OPTION_9", [](int d) { return set_text(d, "OPTION_9", UF_STYLER_VALUE, "first"); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
        {"RADIO_10", [](int d) { return set_integer(d, "RADIO_10", UF_STYLER_VALUE, 1); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=1"},
        {"RADIO_10", [](int d) { return set_integer(d, "RADIO_10", UF_STYLER_VALUE, 9); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
        {"SCALE_R_12", [](int d) { return set_real(d, "SCALE_R_12", 20.0); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "real=10"},
        {"SCALE_I_13", [](int d) { return set_integer(d, "SCALE_I_13", UF_STYLER_VALUE, 0); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=1"},
        {"COLOR_21", [](int d) { return set_integer(d, "COLOR_21", UF_STYLER_VALUE, 5); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=5"},
        {"MTXT_19", [](int d) { return set_texts(d, "MTXT_19", UF_STYLER_VALUE, {"a", "b"}); }, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, "strs=a|b"},
        {"MTXT_19", [](int d) { return set_texts(d, "MTXT_19", UF_STYLER_VALUE, {"a", "b"}); }, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE, "str=a\nb"},
        {"MTXT_19", [](int d) { return set_text(d, "MTXT_19", UF_STYLER_VALUE, "x\ny"); }, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, "strs=x|y"},
        {"MTXT_19", [](int d) { return set_texts(d, "MTXT_19", UF_STYLER_VALUE, {}); }, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, "strs="},
        {"LABEL_0", [](int d) { return set_text(d, "LABEL_0", UF_STYLER_LABEL, "New"); }, UF_STYLER_LABEL, UF_STYLER_NO_VALUE, "str=New"},
        {UF_STYLER_DIALOG_INDEX, [](int d) { return set_text(d, UF_STYLER_DIALOG_INDEX, UF_STYLER_LABEL, "T"); }, UF_STYLER_LABEL, UF_STYLER_NO_VALUE, "str=T"},
        {"TOGGLE_6", [](int d) { return set_integer(d, "TOGGLE_6", UF_STYLER_SENSITIVITY, 0); }, UF_STYLER_SENSITIVITY, UF_STYLER_NO_VALUE, "int=0"},
        {"INT_1", [](int d) { return set_integer(d, "INT_1", UF_STYLER_VISIBILITY, 0); }, UF_STYLER_VISIBILITY, UF_STYLER_NO_VALUE, "int=0"},
        {"OPTION_9", [](int d) { return set_texts(d, "OPTION_9", UF_STYLER_SUBITEM_VALUES, {"x", "y"}); }, UF_STYLER_SUBITEM_VALUES, UF_STYLER_NO_VALUE, "strs=x|y"},
        {"OPTION_9", [](int d) { return set_texts(d, "OPTION_9", UF_STYLER_SUBITEM_VALUES, {"x", "y"}); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
        {"SCALE_R_12", [](int d) { return set_integer(d, "SCALE_R_12", UF_STYLER_SCALE_PRECISION, 3); }, UF_STYLER_SCALE_PRECISION, UF_STYLER_NO_VALUE, "int=3"},
        {"ACTION_5", [](int d) { return set_integer(d, "ACTION_5", UF_STYLER_DEFAULT_ACTION, 0); }, UF_STYLER_DEFAULT_ACTION, UF_STYLER_NO_VALUE, "int=1"},
        {"STR_3", [](int d) { return set_integer(d, "STR_3", UF_STYLER_FOCUS, 0); }, UF_STYLER_FOCUS, UF_STYLER_NO_VALUE, "int=1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.item) + " read as " + c.read);
        std::vector<std::string> noted = in_constructor("all_kinds.dlg", [&](int d, std::vector<std::string> &out) {
            out.push_back("set " + std::to_string(c.set(d)));
            out.push_back(ask(d, c.item, c.attr, c.indicator));
        });
        EXPECT_THAT(noted, ElementsAre("set 0", c.read));
    }
}

TEST_F(DialogValues, LayoutValuesAreWhatTheConstructorFinds) {
    std::vector<std::string> noted = in_constructor("all_kinds.dlg", [](int d, std::vector<std::string> &out) {
        out.push_back(ask(d, "INT_1", UF_STYLER_VALUE));
        out.push_back(ask(d, "REAL_2", UF_STYLER_VALUE));
        out.push_back(ask(d, "WIDE_4", UF_STYLER_VALUE));
        out.push_back(ask(d, "TOGGLE_6", UF_STYLER_VALUE));
        out.push_back(ask(d, "OPTION_9", UF_STYLER_VALUE));
        out.push_back(ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_INTEGER_PTR_VALUE));
        out.push_back(ask(d, "LIST_14", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE));
        out.push_back(ask(d, "MTXT_19", UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE));
        out.push_back(ask(d, "LABEL_0", UF_STYLER_LABEL));
        out.push_back(ask(d, UF_STYLER_DIALOG_INDEX, UF_STYLER_LABEL));
    });
    EXPECT_THAT(noted, ElementsAre("int=230", "real=0.05", "str=D:\\post", "int=1", "int=2", "ints=1", "int=-1",
                                   "strs=first|second", "str=Settings", "str=Every kind"));
}

TEST_F(DialogValues, ItemTypeNamesEveryKind) {
    const std::pair<const char *, int> cases[] = {
        {"LABEL_0", UF_STYLER_LABEL_TYPE},          {"INT_1", UF_STYLER_INTEGER_TYPE},
        {"REAL_2", UF_STYLER_REAL_TYPE},            {"STR_3", UF_STYLER_STRING_TYPE},
        {"WIDE_4", UF_STYLER_WIDE_STRING_TYPE},     {"ACTION_5", UF_STYLER_ACTION_BUTTON_TYPE},
        {"TOGGLE_6", UF_STYLER_TOGGLE_TYPE},        {"BITMAP_7", UF_STYLER_BITMAP_TYPE},
        {"BLO_8", UF_STYLER_BUTTON_LAYOUT_TYPE},    {"OPTION_9", UF_STYLER_OPTION_MENU_TYPE},
        {"RADIO_10", UF_STYLER_RADIO_BOX_TYPE},     {"PALETTE_11", UF_STYLER_TOOL_PALETTE_TYPE},
        {"SCALE_R_12", UF_STYLER_SCALE_REAL_TYPE},  {"SCALE_I_13", UF_STYLER_SCALE_INTEGER_TYPE},
        {"LIST_14", UF_STYLER_SINGLE_LIST_TYPE},    {"MULTI_15", UF_STYLER_MULTI_LIST_TYPE},
        {"SEP_17", UF_STYLER_SEPARATOR_TYPE},       {"MTXT_19", UF_STYLER_MULTI_LINE_TEXT_TYPE},
        {"COLOR_21", UF_STYLER_COLOR_TOOL_TYPE},    {"GROUP_23", UF_STYLER_BEGIN_GROUP_TYPE},
        {"END_24", UF_STYLER_END_GROUP_TYPE},       {UF_STYLER_DIALOG_INDEX, UF_STYLER_DIALOG_TYPE},
    };
    std::vector<std::string> expected;
    for (const auto &c : cases) expected.push_back("int=" + std::to_string(c.second));
    std::vector<std::string> noted = in_constructor("all_kinds.dlg", [&](int d, std::vector<std::string> &out) {
        for (const auto &c : cases) out.push_back(ask(d, c.first, UF_STYLER_ITEM_TYPE));
    });
    EXPECT_THAT(noted, ElementsAreArray(expected));
}

TEST_F(DialogValues, SingleListLinesAreInsertedDeletedAndSelectedAsTheAddOnAsks) {
    std::vector<std::string> noted = in_constructor("template_pick.dlg", [](int d, std::vector<std::string> &out) {
        auto lines = [&] { out.push_back(ask(d, "LIST_1", UF_STYLER_SUBITEM_VALUES)); };
        auto selected = [&] {
            out.push_back(ask(d, "LIST_1", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE) + " " +
                          ask(d, "LIST_1", UF_STYLER_VALUE, UF_STYLER_STRING_VALUE));
        };
        set_integer(d, "LIST_1", UF_STYLER_LIST_DELETE, 0, UF_STYLER_NO_SUB_INDEX);
        lines();
        set_text(d, "LIST_1", UF_STYLER_LIST_INSERT, "a");
        set_text(d, "LIST_1", UF_STYLER_LIST_INSERT, "b");
        lines();
        set_text(d, "LIST_1", UF_STYLER_LIST_INSERT, "z", 0);
        lines();
        set_integer(d, "LIST_1", UF_STYLER_VALUE, 0, 2);
        selected();
        set_text(d, "LIST_1", UF_STYLER_LIST_INSERT, "y", 0);
        selected();
        out.push_back("beyond " + std::to_string(set_integer(d, "LIST_1", UF_STYLER_VALUE, 0, 7)));
        selected();
        set_integer(d, "LIST_1", UF_STYLER_LIST_DELETE, 0, 3);
        lines();
        selected();
        set_integer(d, "LIST_1", UF_STYLER_VALUE, 0, 1);
        selected();
        set_integer(d, "LIST_1", UF_STYLER_LIST_DELETE, 0, UF_STYLER_NO_SUB_INDEX);
        lines();
        selected();
    });
    EXPECT_THAT(noted, ElementsAre("strs=", "strs=a|b", "strs=z|a|b", "int=2 str=b", "int=3 str=b", "beyond 0",
                                   "int=3 str=b", "strs=y|z|a", "int=-1 str=", "int=1 str=z", "strs=", "int=-1 str="));
}

TEST_F(DialogValues, MultiListSelectionGrowsLineByLineAndIsReadInEveryForm) {
    std::vector<std::string> noted = in_constructor("all_kinds.dlg", [](int d, std::vector<std::string> &out) {
        auto selected = [&] {
            out.push_back(ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_INTEGER_PTR_VALUE) + " " +
                          ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE));
        };
        selected();
        set_integer(d, "MULTI_15", UF_STYLER_VALUE, 0, 3);
        selected();
        set_integer(d, "MULTI_15", UF_STYLER_LIST_DESELECT, 0, 1);
        selected();
        set_selection(d, "MULTI_15", UF_STYLER_INTEGER_PTR_VALUE, {2, 0});
        selected();
        set_integer(d, "MULTI_15", UF_STYLER_LIST_DESELECT, 0, UF_STYLER_NO_SUB_INDEX);
        selected();
        out.push_back(ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE));
        set_texts(d, "MULTI_15", UF_STYLER_VALUE, {"d", "b"});
        selected();
        set_text(d, "MULTI_15", UF_STYLER_LIST_INSERT, "new", 0);
        selected();
    });
    EXPECT_THAT(noted, ElementsAre("ints=1 strs=b", "ints=1,3 strs=b|d", "ints=3 strs=d", "ints=0,2 strs=a|c",
                                   "ints= strs=", "int=-1", "ints=1,3 strs=b|d", "ints=2,4 strs=b|d"));
}

TEST_F(DialogValues, AskedTextsAreNxMemoryUntilFreeValueReleasesThem) {
    std::vector<std::string> noted = in_constructor("all_kinds.dlg", [](int d, std::vector<std::string> &out) {
        std::size_t before = nxhost::outstanding_blocks();
        UF_STYLER_item_value_type_t entries{};
        entries.item_id = "LIST_14";
        entries.item_attr = UF_STYLER_SUBITEM_VALUES;
        UF_STYLER_item_value_type_t text{};
        text.item_id = "STR_3";
        text.item_attr = UF_STYLER_VALUE;
        UF_STYLER_item_value_type_t both[] = {entries, text};
        int answered = 0;
        int rc = UF_STYLER_ask_values(d, 2, both, &answered);
        out.push_back("rc " + std::to_string(rc) + " answered " + std::to_string(answered));
        out.push_back("held " + std::to_string(nxhost::outstanding_blocks() - before));
        for (auto &v : both) UF_STYLER_free_value(&v);
        out.push_back("held " + std::to_string(nxhost::outstanding_blocks() - before));
    });
    // Three lines and their array, and one text.
    EXPECT_THAT(noted, ElementsAre("rc 0 answered 2", "held 5", "held 0"));
}

TEST_F(DialogValues, FreeingWhatAskValueDidNotGiveIsMisuseNotACrash) {
    expect_clean_session_ = false;
    std::vector<std::string> noted = in_constructor("all_kinds.dlg", [](int d, std::vector<std::string> &out) {
        UF_STYLER_item_value_type_t v{};
        v.item_id = "STR_3";
        v.item_attr = UF_STYLER_VALUE;
        UF_STYLER_ask_value(d, &v);
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        char own[] = "mine";
        v.value.string = own;
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        UF_STYLER_item_value_type_t failed{};
        failed.item_id = "NOPE";
        failed.item_attr = UF_STYLER_SUBITEM_VALUES;
        failed.indicator = UF_STYLER_STRING_PTR_VALUE;
        UF_STYLER_ask_value(d, &failed);
        out.push_back(std::to_string(UF_STYLER_free_value(&failed)));
    });
    EXPECT_THAT(noted, ElementsAre("0", std::to_string(nxhost::kBadArgument), std::to_string(nxhost::kBadArgument), "0"));
    EXPECT_EQ(nxhost::misuse_lines().size(), 3u);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
}

TEST_F(DialogValues, AskOrSetOutsideACallbackOfAnOpenDialogIsRefused) {
    expect_clean_session_ = false;
    in_constructor("tiny.dlg", [](int, std::vector<std::string> &) {});
    EXPECT_EQ(ask(last_dialog_id_, "TOGGLE_B", UF_STYLER_VALUE), "error 1105023");
    EXPECT_EQ(set_integer(last_dialog_id_, "TOGGLE_B", UF_STYLER_VALUE, 1), 1105023);
    EXPECT_EQ(ask(4242, "TOGGLE_B", UF_STYLER_VALUE), "error 1105023");
    ASSERT_EQ(nxhost::misuse_lines().size(), 3u);
    EXPECT_THAT(nxhost::misuse_lines()[0], HasSubstr("UF_STYLER_ask_value: dialog id"));
    EXPECT_THAT(nxhost::misuse_lines()[0], HasSubstr("is not open"));
}

TEST_F(DialogValues, RequestsAnItemCannotAnswerAreRefusedWithACodeAndAMisuseLine) {
    expect_clean_session_ = false;
    using Call = std::function<std::string(int)>;
    auto code = [](int rc) { return std::to_string(rc); };
    struct Case {
        const char *what;
        Call call;
        int expected;
    } cases[] = {
        {"unknown item", [](int d) { return ask(d, "NOPE", UF_STYLER_VALUE); }, 1105021},
        {"label has no value", [](int d) { return ask(d, "LABEL_0", UF_STYLER_VALUE); }, 1105022},
        {"separator has no label", [](int d) { return ask(d, "SEP_17", UF_STYLER_LABEL); }, 1105022},
        {"list value needs an indicator", [](int d) { return ask(d, "LIST_14", UF_STYLER_VALUE); }, nxhost::kBadArgument},
        {"text value needs lines or text", [](int d) { return ask(d, "MTXT_19", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE); }, nxhost::kBadArgument},
        {"toggle has no lines", [&](int d) { return code(set_text(d, "TOGGLE_6", UF_STYLER_LIST_INSERT, "x")); }, 1105022},
        {"type is read only", [&](int d) { return code(set_integer(d, "INT_1", UF_STYLER_ITEM_TYPE, 2)); }, 1105022},
        {"insert past the end", [&](int d) { return code(set_text(d, "LIST_14", UF_STYLER_LIST_INSERT, "x", 9)); }, nxhost::kBadArgument},
        {"delete past the end", [&](int d) { return code(set_integer(d, "LIST_14", UF_STYLER_LIST_DELETE, 0, 3)); }, nxhost::kBadArgument},
        {"null string", [&](int d) { return code(set_text(d, "STR_3", UF_STYLER_VALUE, nullptr)); }, nxhost::kBadArgument},
        {"no such navigation button", [&](int d) { return code(set_integer(d, UF_STYLER_NAV_INDEX, UF_STYLER_SENSITIVITY, 0, 7)); }, nxhost::kBadArgument},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t misuse_before = nxhost::misuse_lines().size();
        std::vector<std::string> noted = in_constructor("all_kinds.dlg", [&](int d, std::vector<std::string> &out) {
            out.push_back(c.call(d));
        });
        std::string want = std::to_string(c.expected);
        ASSERT_EQ(noted.size(), 1u);
        EXPECT_THAT(noted[0], HasSubstr(want));
        EXPECT_EQ(nxhost::misuse_lines().size(), misuse_before + 1);
    }
}

}  // namespace
