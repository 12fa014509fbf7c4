// Requests of UF_STYLER_ask_value and UF_STYLER_set_value, one per kind of value.
#include "torvane/dialogs/styler_items.h"

#include "my_func/my_func.h"

namespace {

UF_STYLER_item_value_type_t request(const char *item_id, int item_attr, int indicator, int subitem_index) {
    UF_STYLER_item_value_type_t value{};
    value.item_id = item_id;
    value.item_attr = item_attr;
    value.indicator = indicator;
    value.subitem_index = subitem_index;
    return value;
}

int set_integer_attr(int dialog_id, const char *item_id, int item_attr, int subitem_index, int integer) {
    UF_STYLER_item_value_type_t value = request(item_id, item_attr, UF_STYLER_INTEGER_VALUE, subitem_index);
    value.value.integer = integer;
    return UF_CALL(UF_STYLER_set_value(dialog_id, &value));
}

int set_text_attr(int dialog_id, const char *item_id, int item_attr, int subitem_index, const char *text) {
    UF_STYLER_item_value_type_t value = request(item_id, item_attr, UF_STYLER_STRING_VALUE, subitem_index);
    value.value.string = const_cast<char *>(text ? text : "");
    return UF_CALL(UF_STYLER_set_value(dialog_id, &value));
}

int set_strings_attr(int dialog_id, const char *item_id, int item_attr, const std::vector<std::string> &texts) {
    std::vector<std::string> copies = texts;
    std::vector<char *> pointers;
    for (std::string &text : copies) pointers.push_back(&text[0]);
    UF_STYLER_item_value_type_t value = request(item_id, item_attr, UF_STYLER_STRING_PTR_VALUE, UF_STYLER_NO_SUB_INDEX);
    value.count = static_cast<int>(pointers.size());
    value.value.strings = pointers.empty() ? nullptr : pointers.data();
    return UF_CALL(UF_STYLER_set_value(dialog_id, &value));
}

// Texts of a STRING_PTR_VALUE answer, which is freed here.
std::vector<std::string> taken_strings(UF_STYLER_item_value_type_t *value) {
    std::vector<std::string> texts;
    for (int i = 0; i < value->count && value->value.strings; ++i)
        texts.emplace_back(value->value.strings[i] ? value->value.strings[i] : "");
    UF_STYLER_free_value(value);
    return texts;
}

}  // namespace

int ask_item_integer(int dialog_id, const char *item_id, int fallback) {
    UF_STYLER_item_value_type_t value = request(item_id, UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE, UF_STYLER_NO_SUB_INDEX);
    if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) return fallback;
    return value.value.integer;
}

double ask_item_real(int dialog_id, const char *item_id, double fallback) {
    UF_STYLER_item_value_type_t value = request(item_id, UF_STYLER_VALUE, UF_STYLER_REAL_VALUE, UF_STYLER_NO_SUB_INDEX);
    if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) return fallback;
    return value.value.real;
}

std::string ask_item_text(int dialog_id, const char *item_id) {
    UF_STYLER_item_value_type_t value = request(item_id, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE, UF_STYLER_NO_SUB_INDEX);
    if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) return std::string();
    std::string text = value.value.string ? value.value.string : "";
    UF_STYLER_free_value(&value);
    return text;
}

std::vector<std::string> ask_item_entries(int dialog_id, const char *item_id) {
    UF_STYLER_item_value_type_t value =
        request(item_id, UF_STYLER_SUBITEM_VALUES, UF_STYLER_STRING_PTR_VALUE, UF_STYLER_NO_SUB_INDEX);
    if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) return {};
    return taken_strings(&value);
}

int ask_list_selection(int dialog_id, const char *item_id, std::vector<std::string> *texts) {
    texts->clear();
    UF_STYLER_item_value_type_t value = request(item_id, UF_STYLER_VALUE, UF_STYLER_STRING_PTR_VALUE, UF_STYLER_NO_SUB_INDEX);
    if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) return 0;
    *texts = taken_strings(&value);
    return 1;
}

int set_item_integer(int dialog_id, const char *item_id, int value) {
    return set_integer_attr(dialog_id, item_id, UF_STYLER_VALUE, UF_STYLER_NO_SUB_INDEX, value);
}

int set_item_real(int dialog_id, const char *item_id, double real) {
    UF_STYLER_item_value_type_t value = request(item_id, UF_STYLER_VALUE, UF_STYLER_REAL_VALUE, UF_STYLER_NO_SUB_INDEX);
    value.value.real = real;
    return UF_CALL(UF_STYLER_set_value(dialog_id, &value));
}

int set_item_text(int dialog_id, const char *item_id, const char *text) {
    return set_text_attr(dialog_id, item_id, UF_STYLER_VALUE, UF_STYLER_NO_SUB_INDEX, text);
}

int set_item_sensitive(int dialog_id, const char *item_id, int sensitive) {
    return set_integer_attr(dialog_id, item_id, UF_STYLER_SENSITIVITY, UF_STYLER_NO_SUB_INDEX, sensitive ? 1 : 0);
}

int set_item_bitmap(int dialog_id, const char *item_id, const char *file) {
    return set_text_attr(dialog_id, item_id, UF_STYLER_VALUE, UF_STYLER_NO_SUB_INDEX, file);
}

int set_item_lines(int dialog_id, const char *item_id, const std::vector<std::string> &lines) {
    return set_strings_attr(dialog_id, item_id, UF_STYLER_VALUE, lines);
}

int set_item_entries(int dialog_id, const char *item_id, const std::vector<std::string> &entries) {
    return set_strings_attr(dialog_id, item_id, UF_STYLER_SUBITEM_VALUES, entries);
}

int list_insert_line(int dialog_id, const char *item_id, int index, const char *text) {
    return set_text_attr(dialog_id, item_id, UF_STYLER_LIST_INSERT, index, text);
}

int list_delete_line(int dialog_id, const char *item_id, int index) {
    return set_integer_attr(dialog_id, item_id, UF_STYLER_LIST_DELETE, index, 0);
}

int list_select_only(int dialog_id, const char *item_id, int index) {
    int rc = set_integer_attr(dialog_id, item_id, UF_STYLER_LIST_DESELECT, UF_STYLER_NO_SUB_INDEX, 0);
    return rc != 0 ? rc : list_select_line(dialog_id, item_id, index);
}

int list_select_line(int dialog_id, const char *item_id, int index) {
    return set_integer_attr(dialog_id, item_id, UF_STYLER_VALUE, index, index);
}
