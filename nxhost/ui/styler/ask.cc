// UF_STYLER_ask_value, UF_STYLER_ask_values, UF_STYLER_free_value.
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/ui/styler/access.h"
#include "uf_styler.h"

using namespace nxhost;
using namespace nxhost::styler;

namespace {

constexpr const char *kAsk = "UF_STYLER_ask_value";

std::vector<std::string> selected_texts(const Item &item) {
    std::vector<std::string> texts;
    for (int index : item.selected) texts.push_back(item.entries[static_cast<std::size_t>(index)]);
    return texts;
}

std::string joined(const std::vector<std::string> &lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

// Lists answer in the form the indicator asks for; the rest have one natural form and ignore it.
int ask_list_value(const Target &t, UF_STYLER_item_value_type_t *out) {
    const Item &item = *t.item;
    switch (out->indicator) {
    case UF_STYLER_INTEGER_VALUE: give_integer(out, item.selected.empty() ? -1 : item.selected.front()); return 0;
    case UF_STYLER_STRING_VALUE:
        // No selection reads as an empty text rather than a null pointer; unverified.
        give_string(out, item.selected.empty() ? std::string() : selected_texts(item).front());
        return 0;
    case UF_STYLER_INTEGER_PTR_VALUE: give_integers(out, item.selected); return 0;
    case UF_STYLER_STRING_PTR_VALUE: give_strings(out, selected_texts(item)); return 0;
    default:
        return refuse(kAsk, t, kBadArgument,
                      "the VALUE of a list needs the indicator UF_STYLER_INTEGER_VALUE, STRING_VALUE, "
                      "INTEGER_PTR_VALUE or STRING_PTR_VALUE, not " + std::to_string(out->indicator));
    }
}

int ask_item_value(const Target &t, UF_STYLER_item_value_type_t *out) {
    const Item &item = *t.item;
    if (holds_integer(item.kind) || is_choice(item.kind) || is_button_box(item.kind)) {
        give_integer(out, item.integer);
    } else if (holds_real(item.kind)) {
        give_real(out, item.real);
    } else if (holds_text(item.kind)) {
        give_string(out, item.text);
    } else if (is_list(item.kind)) {
        return ask_list_value(t, out);
    } else if (item.kind == Kind::multi_line_text) {
        if (out->indicator == UF_STYLER_STRING_VALUE) give_string(out, joined(item.lines));
        else if (out->indicator == UF_STYLER_STRING_PTR_VALUE) give_strings(out, item.lines);
        else
            return refuse(kAsk, t, kBadArgument,
                          "the VALUE of a multi-line text needs the indicator UF_STYLER_STRING_PTR_VALUE or "
                          "STRING_VALUE, not " + std::to_string(out->indicator));
    } else {
        return refuse(kAsk, t, kAttributeNotSupported, a_kind(item.kind) + " has no VALUE");
    }
    return 0;
}

int ask_navigation(const Target &t, UF_STYLER_item_value_type_t *out) {
    if (out->item_attr != UF_STYLER_SENSITIVITY && out->item_attr != UF_STYLER_VISIBILITY)
        return refuse(kAsk, t, kAttributeNotSupported,
                      "navigation buttons have only SENSITIVITY and VISIBILITY, not attribute " +
                          std::to_string(out->item_attr));
    for (const NavButton &b : t.dialog->nav)
        if (b.index == out->subitem_index) {
            give_integer(out, out->item_attr == UF_STYLER_SENSITIVITY ? b.sensitive : b.visible);
            return 0;
        }
    return refuse(kAsk, t, kBadArgument,
                  "the dialog has no navigation button with subitem index " + std::to_string(out->subitem_index));
}

int ask_dialog(const Target &t, UF_STYLER_item_value_type_t *out) {
    switch (out->item_attr) {
    case UF_STYLER_LABEL: give_string(out, t.dialog->title); return 0;
    case UF_STYLER_ITEM_TYPE: give_integer(out, UF_STYLER_DIALOG_TYPE); return 0;
    case UF_STYLER_DIALOG_WIDTH: give_integer(out, t.dialog->width); return 0;
    case UF_STYLER_DIALOG_RESIZE: give_integer(out, t.dialog->resize); return 0;
    default:
        return refuse(kAsk, t, kAttributeNotSupported,
                      "the dialog itself has no attribute " + std::to_string(out->item_attr));
    }
}

int ask(const Target &t, UF_STYLER_item_value_type_t *out) {
    if (t.whole_dialog) return ask_dialog(t, out);
    if (t.navigation) return ask_navigation(t, out);
    const Item &item = *t.item;
    const Dialog &d = *t.dialog;
    switch (out->item_attr) {
    case UF_STYLER_VALUE: return ask_item_value(t, out);
    case UF_STYLER_SENSITIVITY: give_integer(out, item.sensitive ? 1 : 0); return 0;
    case UF_STYLER_VISIBILITY: give_integer(out, item.visible ? 1 : 0); return 0;
    case UF_STYLER_ITEM_TYPE: give_integer(out, kind_type_code(item.kind)); return 0;
    case UF_STYLER_LABEL:
        if (!has_label(item.kind)) break;
        give_string(out, item.label);
        return 0;
    case UF_STYLER_BITMAP:
        if (item.kind == Kind::bitmap) give_string(out, item.text);
        else if (item.kind == Kind::action_button || item.kind == Kind::toggle) give_string(out, item.bitmap);
        else break;
        return 0;
    case UF_STYLER_SUBITEM_VALUES:
        if (!has_entries(item.kind)) break;
        give_strings(out, item.entries);
        return 0;
    case UF_STYLER_FOCUS:
        if (!takes_focus(item.kind)) break;
        give_integer(out, d.focus == item.id ? 1 : 0);
        return 0;
    case UF_STYLER_DEFAULT_ACTION:
        if (item.kind != Kind::action_button) break;
        give_integer(out, d.default_action == item.id ? 1 : 0);
        return 0;
    case UF_STYLER_SCALE_PRECISION:
        if (item.kind != Kind::scale_real) break;
        give_integer(out, item.precision);
        return 0;
    default: break;
    }
    return refuse(kAsk, t, kAttributeNotSupported,
                  a_kind(item.kind) + " has no attribute " + std::to_string(out->item_attr) +
                      " to ask");
}

int ask_one(int dialog_id, UF_STYLER_item_value_type_t *value) {
    Target target;
    int rc = find_target(kAsk, dialog_id, value, &target);
    if (rc == 0) rc = ask(target, value);
    if (rc != 0 && value) give_nothing(value);
    return rc;
}

}  // namespace

extern "C" int UF_STYLER_ask_value(int dialog_id, UF_STYLER_item_value_type_p_t value) {
    NXHOST_ENTER("UF_STYLER_ask_value");
    return ask_one(dialog_id, value);
}

extern "C" int UF_STYLER_ask_values(int dialog_id, int num_values, UF_STYLER_item_value_type_p_t values,
                                    int *count) {
    NXHOST_ENTER("UF_STYLER_ask_values");
    if (count) *count = 0;
    if (num_values < 0 || (num_values > 0 && !values) || !count) {
        misuse("UF_STYLER_ask_values", "needs num_values >= 0, that many value structures and a count");
        return kBadArgument;
    }
    int first_error = 0;
    for (int i = 0; i < num_values; ++i) {
        int rc = ask_one(dialog_id, &values[i]);
        if (rc == 0) ++*count;
        else if (first_error == 0) first_error = rc;
    }
    return first_error;
}

// Releasing, like UF_free, is not an operation NX can fail, so a test's injected failure
// never lands here (it would only leak the value).
extern "C" int UF_STYLER_free_value(UF_STYLER_item_value_type_p_t data) {
    if (!session_open()) {
        misuse("UF_STYLER_free_value", "called outside an open session (no UF_initialize)");
        return kNotInitialized;
    }
    if (!data) {
        misuse("UF_STYLER_free_value", "no value structure given");
        return kBadArgument;
    }
    void *block = nullptr;
    switch (data->indicator) {
    case UF_STYLER_STRING_VALUE: block = data->value.string; break;
    case UF_STYLER_STRING_PTR_VALUE: block = data->value.strings; break;
    case UF_STYLER_INTEGER_PTR_VALUE: block = data->value.integers; break;
    case UF_STYLER_REAL_PTR_VALUE: block = data->value.reals; break;
    default: return 0;
    }
    if (!block || release_given(block)) return 0;
    misuse("UF_STYLER_free_value", "the value was not given out by UF_STYLER_ask_value, or was freed already");
    return kBadArgument;
}

extern "C" int UF_STYLER_ask_select_dialog_id(UF_UI_selection_p_t, UF_STYLER_dialog_id_t *dialog_id) {
    NXHOST_ENTER("UF_STYLER_ask_select_dialog_id");
    if (dialog_id) *dialog_id = 0;
    misuse("UF_STYLER_ask_select_dialog_id", "dialogs of the stand-in have no selection boxes");
    return kAttributeNotSupported;
}
