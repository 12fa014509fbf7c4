// What the add-on reads and writes with UF_STYLER_ask_value / set_value / free_value.
#include <functional>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "styler_fixture.h"

using namespace stylertest;

namespace {

using Notes = std::vector<std::string>;

class DialogValues : public StylerTest {
protected:
    // Opens `file`, runs `body` inside its constructor and cancels it; returns what body noted.
    Notes in_constructor(const char *file, std::function<void(int, Notes &)> body) {
        Notes noted;
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
    struct Case {
        const char *item;
        std::function<int(int)> set;
        int attr;
        int indicator;
        const char *read;
    } cases[] = {
        {"TOGGLE_6", [](int d) { return set(d, "TOGGLE_6", UF_STYLER_VALUE, 5); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=1"},
        {"BITMAP_7", [](int d) { return set(d, "BITMAP_7", UF_STYLER_VALUE, "b.bmp"); }, UF_STYLER_BITMAP, UF_STYLER_NO_VALUE, "str=b.bmp"},
        {"OPTION_9", [](int d) { return set(d, "OPTION_9", UF_STYLER_VALUE, 1); }, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE, "int=1"},
        {"OPTION_9", [](int d) { return set(d, "OPTION_9", UF_STYLER_VALUE, "first"); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
        {"RADIO_10", [](int d) { return set(d, "RADIO_10", UF_STYLER_VALUE, 9); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
        {"SCALE_R_12", [](int d) { return set(d, "SCALE_R_12", UF_STYLER_VALUE, 20.0); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "real=10"},
        {"SCALE_I_13", [](int d) { return set(d, "SCALE_I_13", UF_STYLER_VALUE, 0); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=1"},
        {"MTXT_19", [](int d) { return set(d, "MTXT_19", UF_STYLER_VALUE, Texts{"a", "b"}); }, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE, "str=a\nb"},
        {"MTXT_19", [](int d) { return set(d, "MTXT_19", UF_STYLER_VALUE, "x\ny"); }, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, "strs=x|y"},
        {"MTXT_19", [](int d) { return set(d, "MTXT_19", UF_STYLER_VALUE, Texts{}); }, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, "strs="},
        {"OPTION_9", [](int d) { return set(d, "OPTION_9", UF_STYLER_SUBITEM_VALUES, Texts{"x", "y"}); }, UF_STYLER_VALUE, UF_STYLER_NO_VALUE, "int=0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.item) + " read as " + c.read);
        Notes noted = in_constructor("all_kinds.dlg", [&](int d, Notes &out) {
            out.push_back("set " + std::to_string(c.set(d)));
            out.push_back(ask(d, c.item, c.attr, c.indicator));
        });
        EXPECT_THAT(noted, ElementsAre("set 0", c.read));
    }
}

TEST_F(DialogValues, SingleListLinesAreInsertedDeletedAndSelectedAsTheAddOnAsks) {
    Notes noted = in_constructor("template_pick.dlg", [](int d, Notes &out) {
        auto state = [&] {
            out.push_back(ask(d, "LIST_1", UF_STYLER_SUBITEM_VALUES) + " " +
                          ask(d, "LIST_1", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE) + " " +
                          ask(d, "LIST_1", UF_STYLER_VALUE, UF_STYLER_STRING_VALUE));
        };
        set(d, "LIST_1", UF_STYLER_LIST_DELETE, 0);
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, "a");
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, "b");
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, "z", 0);
        set(d, "LIST_1", UF_STYLER_VALUE, 0, 2);
        state();
        set(d, "LIST_1", UF_STYLER_LIST_INSERT, "y", 0);
        out.push_back("beyond " + std::to_string(set(d, "LIST_1", UF_STYLER_VALUE, 0, 7)));
        state();
        set(d, "LIST_1", UF_STYLER_LIST_DELETE, 0, 3);
        state();
        set(d, "LIST_1", UF_STYLER_VALUE, 0, 0);
        set(d, "LIST_1", UF_STYLER_LIST_DELETE, 0);
        state();
    });
    EXPECT_THAT(noted, ElementsAre("strs=z|a|b int=2 str=b", "beyond 0", "strs=y|z|a|b int=3 str=b",
                                   "strs=y|z|a int=-1 str=", "strs= int=-1 str="));
}

TEST_F(DialogValues, MultiListSelectionGrowsLineByLineAndIsReadInEveryForm) {
    Notes noted = in_constructor("all_kinds.dlg", [](int d, Notes &out) {
        auto selected = [&] {
            out.push_back(ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_INTEGER_PTR_VALUE) + " " +
                          ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE));
        };
        selected();
        set(d, "MULTI_15", UF_STYLER_VALUE, 0, 3);
        selected();
        set(d, "MULTI_15", UF_STYLER_LIST_DESELECT, 0, 1);
        selected();
        set(d, "MULTI_15", UF_STYLER_LIST_DESELECT, 0);
        out.push_back(ask(d, "MULTI_15", UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE));
        set(d, "MULTI_15", UF_STYLER_VALUE, Texts{"d", "b"});
        set(d, "MULTI_15", UF_STYLER_LIST_INSERT, "new", 0);
        selected();
    });
    EXPECT_THAT(noted, ElementsAre("ints=1 strs=b", "ints=1,3 strs=b|d", "ints=3 strs=d", "int=-1",
                                   "ints=2,4 strs=b|d"));
}

TEST_F(DialogValues, AskedTextsAreNxMemoryUntilFreeValueReleasesThem) {
    Notes noted = in_constructor("all_kinds.dlg", [](int d, Notes &out) {
        std::size_t before = nxhost::outstanding_blocks();
        UF_STYLER_item_value_type_t both[] = {request("LIST_14", UF_STYLER_SUBITEM_VALUES), request("STR_3", UF_STYLER_VALUE)};
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
    Notes noted = in_constructor("all_kinds.dlg", [](int d, Notes &out) {
        UF_STYLER_item_value_type_t v = request("STR_3", UF_STYLER_VALUE);
        UF_STYLER_ask_value(d, &v);
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        char own[] = "mine";
        v.value.string = own;
        out.push_back(std::to_string(UF_STYLER_free_value(&v)));
        UF_STYLER_item_value_type_t failed = request("NOPE", UF_STYLER_SUBITEM_VALUES, UF_STYLER_STRING_PTR_VALUE);
        UF_STYLER_ask_value(d, &failed);
        out.push_back(std::to_string(UF_STYLER_free_value(&failed)));
    });
    const std::string bad = std::to_string(nxhost::kBadArgument);
    EXPECT_THAT(noted, ElementsAre("0", bad, bad, "0"));
    EXPECT_EQ(nxhost::misuse_lines().size(), 3u);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
}

TEST_F(DialogValues, AskOrSetOutsideACallbackOfAnOpenDialogIsRefused) {
    expect_clean_session_ = false;
    in_constructor("tiny.dlg", [](int, Notes &) {});
    EXPECT_EQ(ask(last_dialog_id_, "TOGGLE_B", UF_STYLER_VALUE), "error 1105023");
    EXPECT_EQ(set(last_dialog_id_, "TOGGLE_B", UF_STYLER_VALUE, 1), 1105023);
    EXPECT_EQ(ask(4242, "TOGGLE_B", UF_STYLER_VALUE), "error 1105023");
    ASSERT_EQ(nxhost::misuse_lines().size(), 3u);
    EXPECT_THAT(nxhost::misuse_lines()[0], HasSubstr("UF_STYLER_ask_value: dialog id"));
    EXPECT_THAT(nxhost::misuse_lines()[0], HasSubstr("is not open"));
}

TEST_F(DialogValues, RequestsAnItemCannotAnswerAreRefusedWithACodeAndAMisuseLine) {
    expect_clean_session_ = false;
    struct Case {
        const char *what;
        std::function<std::string(int)> call;
        int expected;
    } cases[] = {
        {"unknown item", [](int d) { return ask(d, "NOPE", UF_STYLER_VALUE); }, 1105021},
        {"label has no value", [](int d) { return ask(d, "LABEL_0", UF_STYLER_VALUE); }, 1105022},
        {"list value needs an indicator", [](int d) { return ask(d, "LIST_14", UF_STYLER_VALUE); }, nxhost::kBadArgument},
        {"toggle has no lines", [](int d) { return std::to_string(set(d, "TOGGLE_6", UF_STYLER_LIST_INSERT, "x")); }, 1105022},
        {"insert past the end", [](int d) { return std::to_string(set(d, "LIST_14", UF_STYLER_LIST_INSERT, "x", 4)); }, nxhost::kBadArgument},
        {"delete past the end", [](int d) { return std::to_string(set(d, "LIST_14", UF_STYLER_LIST_DELETE, 0, 3)); }, nxhost::kBadArgument},
        {"null string", [](int d) { return std::to_string(set(d, "STR_3", UF_STYLER_VALUE, nullptr)); }, nxhost::kBadArgument},
        {"no such navigation button", [](int d) { return std::to_string(set(d, UF_STYLER_NAV_INDEX, UF_STYLER_SENSITIVITY, 0, 7)); }, nxhost::kBadArgument},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t misuse_before = nxhost::misuse_lines().size();
        Notes noted = in_constructor("all_kinds.dlg", [&](int d, Notes &out) { out.push_back(c.call(d)); });
        ASSERT_EQ(noted.size(), 1u);
        EXPECT_THAT(noted[0], HasSubstr(std::to_string(c.expected)));
        EXPECT_EQ(nxhost::misuse_lines().size(), misuse_before + 1);
    }
}

}  // namespace
