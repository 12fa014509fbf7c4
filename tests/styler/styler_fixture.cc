#include "styler_fixture.h"

#include <cstdio>

#include "nxhost/ui/styler.h"
#include "nxhost/ui/transcript.h"

namespace stylertest {
namespace {

const char *reason_name(int reason) {
    switch (reason) {
    case UF_STYLER_ACTIVATE_REASON: return "activate";
    case UF_STYLER_VALUE_CHANGED_REASON: return "value_changed";
    case UF_STYLER_DOUBLE_CLICK_REASON: return "double_click";
    case UF_STYLER_OK_REASON: return "ok";
    case UF_STYLER_APPLY_REASON: return "apply";
    case UF_STYLER_BACK_REASON: return "back";
    case UF_STYLER_CANCEL_REASON: return "cancel";
    case UF_STYLER_CONSTRUCT_REASON: return "constructor";
    case UF_STYLER_DESTRUCT_REASON: return "destructor";
    default: return "other";
    }
}

}  // namespace

int probe_callback(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t data) {
    auto *probe = static_cast<Probe *>(client_data);
    probe->last_dialog_id = dialog_id;
    std::string item = data->item_id ? data->item_id : "(null)";
    std::string shown = item == UF_STYLER_DIALOG_INDEX || item == UF_STYLER_NAV_INDEX ? "dialog" : item;
    std::string call = shown + " " + reason_name(data->reason) + " sub=" + std::to_string(data->subitem_index);
    std::string value = describe(*data);
    probe->calls.push_back(value.empty() ? call : call + " " + value);
    std::string key = item == UF_STYLER_NAV_INDEX ? std::string(UF_STYLER_DIALOG_INDEX) : item;
    auto handler = probe->handlers.find({key, data->reason});
    return handler == probe->handlers.end() ? 0 : handler->second(dialog_id, data);
}

std::vector<UF_STYLER_callback_info_t> callbacks(std::initializer_list<Registration> registrations) {
    std::vector<UF_STYLER_callback_info_t> table;
    for (const Registration &r : registrations)
        table.push_back({const_cast<char *>(r.object), r.type, 0, probe_callback});
    table.push_back({const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr});
    return table;
}

std::string describe(const UF_STYLER_item_value_type_t &data) {
    std::string out;
    switch (data.indicator) {
    case UF_STYLER_INTEGER_VALUE: return "int=" + std::to_string(data.value.integer);
    case UF_STYLER_REAL_VALUE: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "real=%g", data.value.real);
        return buffer;
    }
    case UF_STYLER_STRING_VALUE: return std::string("str=") + (data.value.string ? data.value.string : "(null)");
    case UF_STYLER_INTEGER_PTR_VALUE:
        out = "ints=";
        for (int i = 0; i < data.count; ++i) out += (i ? "," : "") + std::to_string(data.value.integers[i]);
        return out;
    case UF_STYLER_STRING_PTR_VALUE:
        out = "strs=";
        for (int i = 0; i < data.count; ++i) out += (i ? "|" : "") + std::string(data.value.strings[i]);
        return out;
    default: return "";
    }
}

void StylerTest::SetUp() {
    StandinTest::SetUp();
    nxhost::add_dialog_directory(testsupport::source_dir() + "/tests/styler/dialogs");
}

void StylerTest::TearDown() {
    nxhost::clear_dialog_directories();
    StandinTest::TearDown();
}

int StylerTest::open(const char *file, std::vector<UF_STYLER_callback_info_t> table, Probe &probe, int *response) {
    return UF_STYLER_create_dialog(file, table.data(), static_cast<int>(table.size()), &probe, response);
}

std::vector<std::string> StylerTest::dialog_lines() const {
    std::vector<std::string> lines;
    for (const std::string &text : shown("dialog")) lines.push_back(nxhost::gbk_to_utf8(text));
    return lines;
}

int set_integer(int dialog_id, const char *item, int attr, int value, int subitem) {
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = attr;
    v.subitem_index = subitem;
    v.indicator = UF_STYLER_INTEGER_VALUE;
    v.value.integer = value;
    return UF_STYLER_set_value(dialog_id, &v);
}

int set_real(int dialog_id, const char *item, double value) {
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = UF_STYLER_VALUE;
    v.subitem_index = UF_STYLER_NO_SUB_INDEX;
    v.indicator = UF_STYLER_REAL_VALUE;
    v.value.real = value;
    return UF_STYLER_set_value(dialog_id, &v);
}

int set_text(int dialog_id, const char *item, int attr, const char *text, int subitem) {
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = attr;
    v.subitem_index = subitem;
    v.indicator = UF_STYLER_STRING_VALUE;
    v.value.string = const_cast<char *>(text);
    return UF_STYLER_set_value(dialog_id, &v);
}

int set_texts(int dialog_id, const char *item, int attr, const std::vector<std::string> &texts) {
    std::vector<char *> pointers;
    for (const std::string &t : texts) pointers.push_back(const_cast<char *>(t.c_str()));
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = attr;
    v.subitem_index = UF_STYLER_NO_SUB_INDEX;
    v.indicator = UF_STYLER_STRING_PTR_VALUE;
    v.count = static_cast<int>(texts.size());
    v.value.strings = pointers.data();
    return UF_STYLER_set_value(dialog_id, &v);
}

int set_selection(int dialog_id, const char *item, int indicator, const std::vector<int> &lines) {
    std::vector<int> copy = lines;
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = UF_STYLER_VALUE;
    v.subitem_index = UF_STYLER_NO_SUB_INDEX;
    v.indicator = indicator;
    v.count = static_cast<int>(copy.size());
    if (indicator == UF_STYLER_INTEGER_VALUE) v.value.integer = copy.empty() ? -1 : copy.front();
    else v.value.integers = copy.data();
    return UF_STYLER_set_value(dialog_id, &v);
}

std::string ask(int dialog_id, const char *item, int attr, int indicator) {
    UF_STYLER_item_value_type_t v{};
    v.item_id = item;
    v.item_attr = attr;
    v.subitem_index = UF_STYLER_NO_SUB_INDEX;
    v.indicator = indicator;
    int rc = UF_STYLER_ask_value(dialog_id, &v);
    if (rc != 0) return "error " + std::to_string(rc);
    std::string text = describe(v);
    UF_STYLER_free_value(&v);
    return text;
}

}  // namespace stylertest
