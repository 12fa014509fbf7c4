// Scaffolding of the dialog tests: a probe that stands in for the add-on's callbacks (it records
// what each callback was told and runs a per-test handler), callback tables, and short forms
// of the ask/set calls a handler makes.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "nxhost/script/script.h"
#include "nxhost/ui/encoding.h"
#include "nxhost/ui/styler.h"
#include "standin_test.h"
#include "uf_styler.h"

namespace stylertest {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// "int=1", "real=0.25", "str=abc", "ints=0,2", "strs=a|b", "" for no value.
inline std::string describe(const UF_STYLER_item_value_type_t &data) {
    std::string out;
    char real[64];
    switch (data.indicator) {
    case UF_STYLER_INTEGER_VALUE: return "int=" + std::to_string(data.value.integer);
    case UF_STYLER_REAL_VALUE: std::snprintf(real, sizeof real, "real=%g", data.value.real); return real;
    case UF_STYLER_STRING_VALUE: return std::string("str=") + (data.value.string ? data.value.string : "(null)");
    case UF_STYLER_INTEGER_PTR_VALUE:
        for (int i = 0; i < data.count; ++i) out += (i ? "," : "") + std::to_string(data.value.integers[i]);
        return "ints=" + out;
    case UF_STYLER_STRING_PTR_VALUE:
        for (int i = 0; i < data.count; ++i) out += (i ? "|" : "") + std::string(data.value.strings[i]);
        return "strs=" + out;
    default: return "";
    }
}

using Handler = std::function<int(int dialog_id, UF_STYLER_item_value_type_p_t data)>;

// Client data of every test dialog. Calls are noted as "ITEM reason sub=N value", e.g.
// "LIST_1 activate sub=1 str=two"; the dialog's own and its buttons' as "dialog ok sub=0".
struct Probe {
    std::vector<std::string> calls;
    std::map<std::pair<std::string, int>, Handler> handlers;
    int last_dialog_id = 0;

    void on(const std::string &object, int reason, Handler handler) { handlers[{object, reason}] = handler; }
};

// Notes the call and runs the probe's handler for (item, reason), or returns 0.
inline int probe_callback(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t data) {
    static const std::map<int, const char *> reasons = {
        {UF_STYLER_ACTIVATE_REASON, "activate"}, {UF_STYLER_VALUE_CHANGED_REASON, "value_changed"},
        {UF_STYLER_DOUBLE_CLICK_REASON, "double_click"}, {UF_STYLER_OK_REASON, "ok"},
        {UF_STYLER_APPLY_REASON, "apply"}, {UF_STYLER_BACK_REASON, "back"}, {UF_STYLER_CANCEL_REASON, "cancel"},
        {UF_STYLER_CONSTRUCT_REASON, "constructor"}, {UF_STYLER_DESTRUCT_REASON, "destructor"}};
    auto *probe = static_cast<Probe *>(client_data);
    probe->last_dialog_id = dialog_id;
    std::string item = data->item_id ? data->item_id : "(null)";
    if (item == UF_STYLER_NAV_INDEX) item = UF_STYLER_DIALOG_INDEX;
    auto reason = reasons.find(data->reason);
    std::string call = (item == UF_STYLER_DIALOG_INDEX ? "dialog" : item) + " " +
                       (reason == reasons.end() ? "other" : reason->second) +
                       " sub=" + std::to_string(data->subitem_index);
    std::string value = describe(*data);
    probe->calls.push_back(value.empty() ? call : call + " " + value);
    auto handler = probe->handlers.find({item, data->reason});
    return handler == probe->handlers.end() ? 0 : handler->second(dialog_id, data);
}

// A table calling probe_callback for each (item, callback type), closed by a null entry (counted).
inline std::vector<UF_STYLER_callback_info_t> callbacks(std::initializer_list<std::pair<const char *, int>> entries) {
    std::vector<UF_STYLER_callback_info_t> table;
    for (const auto &[object, type] : entries) table.push_back({const_cast<char *>(object), type, 0, probe_callback});
    table.push_back({const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr});
    return table;
}

class StylerTest : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        nxhost::add_dialog_directory(testsupport::source_dir() + "/tests/styler/dialogs");
    }
    void TearDown() override {
        nxhost::clear_dialog_directories();
        StandinTest::TearDown();
    }
    // Opens a dialog with the table; returns what UF_STYLER_create_dialog returns.
    int open(const char *file, std::vector<UF_STYLER_callback_info_t> table, Probe &probe, int *response) {
        return UF_STYLER_create_dialog(file, table.data(), static_cast<int>(table.size()), &probe, response);
    }
    // Plays the script and opens the dialog, which must open; returns the dialog's response.
    int respond(const char *file, const std::string &script, std::vector<UF_STYLER_callback_info_t> table,
                Probe &probe) {
        play(script);
        int response = -1;
        EXPECT_EQ(open(file, std::move(table), probe, &response), 0);
        return response;
    }
    // Plays the script and opens the dialog; returns why the scenario was refused ("" if it was not).
    std::string refusal(const char *file, const std::string &script, std::vector<UF_STYLER_callback_info_t> table,
                        Probe &probe) {
        play(script);
        int response = 0;
        try {
            open(file, std::move(table), probe, &response);
        } catch (const nxhost::script::ScriptError &e) {
            return e.what();
        }
        return "";
    }
    // The dialog lines of the transcript, as UTF-8.
    std::vector<std::string> dialog_lines() const {
        std::vector<std::string> lines;
        for (const std::string &text : shown("dialog")) lines.push_back(nxhost::gbk_to_utf8(text));
        return lines;
    }
};

// A request about an item's attribute, in the form the indicator names; the caller adds any value.
inline UF_STYLER_item_value_type_t request(const char *item, int attr, int indicator = UF_STYLER_NO_VALUE,
                                           int subitem = UF_STYLER_NO_SUB_INDEX) {
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = attr;
    v.indicator = indicator;
    v.subitem_index = subitem;
    return v;
}

using Texts = std::vector<const char *>;

// A value to set, in the form its type implies: INTEGER, REAL, STRING or STRING_PTR_VALUE.
struct Value {
    Value(int integer) : indicator(UF_STYLER_INTEGER_VALUE) { value.integer = integer; }
    Value(double real) : indicator(UF_STYLER_REAL_VALUE) { value.real = real; }
    Value(const char *text) : indicator(UF_STYLER_STRING_VALUE) { value.string = const_cast<char *>(text); }
    Value(Texts texts) : indicator(UF_STYLER_STRING_PTR_VALUE), texts(std::move(texts)) {}
    int indicator;
    UF_STYLER_value_t value{};
    Texts texts;
};

// What a handler sets; returns the code of UF_STYLER_set_value.
inline int set(int dialog_id, const char *item, int attr, Value value, int subitem = UF_STYLER_NO_SUB_INDEX) {
    UF_STYLER_item_value_type_t v = request(item, attr, value.indicator, subitem);
    v.value = value.value;
    if (value.indicator == UF_STYLER_STRING_PTR_VALUE) {
        v.count = static_cast<int>(value.texts.size());
        v.value.strings = const_cast<char **>(value.texts.data());
    }
    return UF_STYLER_set_value(dialog_id, &v);
}

// Asks, describes the answer and frees it: "int=2", or "error N" when the call fails.
inline std::string ask(int dialog_id, const char *item, int attr, int indicator = UF_STYLER_NO_VALUE) {
    UF_STYLER_item_value_type_t v = request(item, attr, indicator);
    if (int rc = UF_STYLER_ask_value(dialog_id, &v)) return "error " + std::to_string(rc);
    std::string text = describe(v);
    UF_STYLER_free_value(&v);
    return text;
}

}  // namespace stylertest
