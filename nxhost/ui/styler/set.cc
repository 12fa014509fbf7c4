// UF_STYLER_set_value: the add-on changes items. Unlike a user's change, it runs no callback.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/ui/styler/access.h"
#include "uf_styler.h"

using namespace nxhost;
using namespace nxhost::styler;

namespace {

constexpr const char *kSet = "UF_STYLER_set_value";

int unsupported(const Target &t, const UF_STYLER_item_value_type_t &in) {
    std::string what = t.item ? a_kind(t.item->kind) : std::string("the dialog itself");
    return refuse(kSet, t, kAttributeNotSupported,
                  what + " has no attribute " + std::to_string(in.item_attr) + " to set");
}

// The strings of a request: one (STRING_VALUE) or count of them (STRING_PTR_VALUE).
int texts_of(const Target &t, const UF_STYLER_item_value_type_t &in, std::vector<std::string> *texts) {
    texts->clear();
    if (in.indicator == UF_STYLER_STRING_PTR_VALUE) {
        if (in.count < 0 || (in.count > 0 && !in.value.strings))
            return refuse(kSet, t, kBadArgument, "STRING_PTR_VALUE needs count >= 0 and that many strings");
        for (int i = 0; i < in.count; ++i) {
            if (!in.value.strings[i]) return refuse(kSet, t, kBadArgument, "string " + std::to_string(i) + " is null");
            texts->push_back(in.value.strings[i]);
        }
        return 0;
    }
    if (!in.value.string) return refuse(kSet, t, kBadArgument, "no string given");
    texts->push_back(in.value.string);
    return 0;
}

int one_text(const Target &t, const UF_STYLER_item_value_type_t &in, std::string *text) {
    if (!in.value.string) return refuse(kSet, t, kBadArgument, "no string given");
    *text = in.value.string;
    return 0;
}

std::vector<std::string> split_lines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void select_line(Item &item, int index) {
    if (item.kind == Kind::single_list) {
        item.selected = {index};
    } else if (std::find(item.selected.begin(), item.selected.end(), index) == item.selected.end()) {
        item.selected.push_back(index);
        std::sort(item.selected.begin(), item.selected.end());
    }
}

// Selecting a line that is not there leaves the selection as it was (NX keeps its own); the
// add-on learns nothing from it either way. Unverified whether NX reports an error.
int set_list_value(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    const int n = static_cast<int>(item.entries.size());
    if (in.subitem_index >= 0) {
        if (in.subitem_index < n) select_line(item, in.subitem_index);
        return 0;
    }
    if (in.subitem_index != UF_STYLER_NO_SUB_INDEX)
        return refuse(kSet, t, kBadArgument, "subitem index " + std::to_string(in.subitem_index) + " is not a line");
    std::vector<int> chosen;
    if (in.indicator == UF_STYLER_INTEGER_VALUE) {
        chosen.push_back(in.value.integer);
    } else if (in.indicator == UF_STYLER_INTEGER_PTR_VALUE) {
        if (in.count < 0 || (in.count > 0 && !in.value.integers))
            return refuse(kSet, t, kBadArgument, "INTEGER_PTR_VALUE needs count >= 0 and that many integers");
        chosen.assign(in.value.integers, in.value.integers + in.count);
    } else if (in.indicator == UF_STYLER_STRING_VALUE || in.indicator == UF_STYLER_STRING_PTR_VALUE) {
        std::vector<std::string> texts;
        if (int rc = texts_of(t, in, &texts)) return rc;
        for (const std::string &text : texts) {
            auto it = std::find(item.entries.begin(), item.entries.end(), text);
            chosen.push_back(it == item.entries.end() ? -1 : static_cast<int>(it - item.entries.begin()));
        }
    } else {
        return refuse(kSet, t, kBadArgument,
                      "selecting list lines needs a subitem index or the indicator UF_STYLER_INTEGER_VALUE, "
                      "INTEGER_PTR_VALUE, STRING_VALUE or STRING_PTR_VALUE");
    }
    if (item.kind == Kind::single_list && chosen.size() > 1)
        return refuse(kSet, t, kBadArgument, "a single-selection list takes one line");
    if (in.indicator == UF_STYLER_INTEGER_PTR_VALUE || in.indicator == UF_STYLER_STRING_PTR_VALUE) item.selected.clear();
    for (int index : chosen)
        if (index >= 0 && index < n) select_line(item, index);
    return 0;
}

// A choice takes its entry from value.integer, by text with STRING_VALUE, or from the subitem
// index when no indicator is given; an index past the entries is ignored like a list's.
int set_choice_value(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    int index = in.subitem_index;
    if (in.indicator == UF_STYLER_INTEGER_VALUE) {
        index = in.value.integer;
    } else if (in.indicator == UF_STYLER_STRING_VALUE) {
        std::string text;
        if (int rc = one_text(t, in, &text)) return rc;
        auto it = std::find(item.entries.begin(), item.entries.end(), text);
        index = it == item.entries.end() ? -1 : static_cast<int>(it - item.entries.begin());
    }
    if (index >= 0 && index < static_cast<int>(item.entries.size())) item.integer = index;
    return 0;
}

int set_item_value(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    if (item.kind == Kind::toggle) {
        item.integer = in.value.integer != 0 ? 1 : 0;
    } else if (holds_integer(item.kind)) {
        item.integer = in.value.integer;
        // A scale cannot show a value outside its range; unverified that NX clamps rather than refuses.
        if (is_scale(item.kind))
            item.integer = std::clamp(item.integer, static_cast<int>(item.minimum), static_cast<int>(item.maximum));
    } else if (holds_real(item.kind)) {
        item.real = in.value.real;
        if (is_scale(item.kind)) item.real = std::clamp(item.real, item.minimum, item.maximum);
    } else if (holds_text(item.kind)) {
        return one_text(t, in, &item.text);
    } else if (is_list(item.kind)) {
        return set_list_value(t, in);
    } else if (is_choice(item.kind)) {
        return set_choice_value(t, in);
    } else if (is_button_box(item.kind)) {
        if (in.value.integer >= 0 && in.value.integer < static_cast<int>(item.entries.size()))
            item.integer = in.value.integer;
    } else if (item.kind == Kind::multi_line_text) {
        if (in.indicator == UF_STYLER_STRING_PTR_VALUE) {
            std::vector<std::string> lines;
            if (int rc = texts_of(t, in, &lines)) return rc;
            item.lines = lines;
        } else if (in.indicator == UF_STYLER_STRING_VALUE) {
            std::string text;
            if (int rc = one_text(t, in, &text)) return rc;
            item.lines = split_lines(text);
        } else {
            return refuse(kSet, t, kBadArgument,
                          "the VALUE of a multi-line text needs the indicator UF_STYLER_STRING_PTR_VALUE or "
                          "STRING_VALUE, not " + std::to_string(in.indicator));
        }
    } else {
        return unsupported(t, in);
    }
    return 0;
}

int set_entries(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    if (in.count < 0 || (in.count > 0 && !in.value.strings))
        return refuse(kSet, t, kBadArgument, "SUBITEM_VALUES needs count >= 0 and that many strings");
    std::vector<std::string> entries;
    for (int i = 0; i < in.count; ++i) {
        if (!in.value.strings[i]) return refuse(kSet, t, kBadArgument, "entry " + std::to_string(i) + " is null");
        entries.push_back(in.value.strings[i]);
    }
    item.entries = entries;
    // New lines mean a new selection; a choice keeps its index while it still exists.
    item.selected.clear();
    if (item.integer >= static_cast<int>(entries.size())) item.integer = 0;
    return 0;
}

int insert_lines(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    const int n = static_cast<int>(item.entries.size());
    int at = in.subitem_index == UF_STYLER_NO_SUB_INDEX ? n : in.subitem_index;
    if (at < 0 || at > n)
        return refuse(kSet, t, kBadArgument,
                      "LIST_INSERT at " + std::to_string(in.subitem_index) + " in a list of " + std::to_string(n) +
                          " lines (UF_STYLER_NO_SUB_INDEX appends)");
    std::vector<std::string> lines;
    if (int rc = texts_of(t, in, &lines)) return rc;
    item.entries.insert(item.entries.begin() + at, lines.begin(), lines.end());
    for (int &s : item.selected)
        if (s >= at) s += static_cast<int>(lines.size());
    return 0;
}

int delete_lines(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    const int n = static_cast<int>(item.entries.size());
    if (in.subitem_index == UF_STYLER_NO_SUB_INDEX) {
        item.entries.clear();
        item.selected.clear();
        return 0;
    }
    const int at = in.subitem_index;
    if (at < 0 || at >= n)
        return refuse(kSet, t, kBadArgument,
                      "LIST_DELETE of line " + std::to_string(at) + " in a list of " + std::to_string(n) +
                          " lines (UF_STYLER_NO_SUB_INDEX empties it)");
    item.entries.erase(item.entries.begin() + at);
    std::vector<int> kept;
    for (int s : item.selected)
        if (s != at) kept.push_back(s > at ? s - 1 : s);
    item.selected = kept;
    return 0;
}

int deselect_lines(const Target &t, const UF_STYLER_item_value_type_t &in) {
    Item &item = *t.item;
    if (in.subitem_index == UF_STYLER_NO_SUB_INDEX) item.selected.clear();
    else item.selected.erase(std::remove(item.selected.begin(), item.selected.end(), in.subitem_index), item.selected.end());
    return 0;
}

int set_navigation(const Target &t, const UF_STYLER_item_value_type_t &in) {
    if (in.item_attr != UF_STYLER_SENSITIVITY && in.item_attr != UF_STYLER_VISIBILITY)
        return refuse(kSet, t, kAttributeNotSupported,
                      "navigation buttons have only SENSITIVITY and VISIBILITY, not attribute " +
                          std::to_string(in.item_attr));
    for (NavButton &b : t.dialog->nav)
        if (b.index == in.subitem_index) {
            (in.item_attr == UF_STYLER_SENSITIVITY ? b.sensitive : b.visible) = in.value.integer != 0;
            return 0;
        }
    return refuse(kSet, t, kBadArgument,
                  "the dialog has no navigation button with subitem index " + std::to_string(in.subitem_index));
}

int set_dialog(const Target &t, const UF_STYLER_item_value_type_t &in) {
    switch (in.item_attr) {
    case UF_STYLER_LABEL: return one_text(t, in, &t.dialog->title);
    case UF_STYLER_DIALOG_WIDTH: t.dialog->width = in.value.integer; return 0;
    case UF_STYLER_DIALOG_RESIZE: t.dialog->resize = in.value.integer; return 0;
    default: return unsupported(t, in);
    }
}

int set(const Target &t, const UF_STYLER_item_value_type_t &in) {
    if (t.whole_dialog) return set_dialog(t, in);
    if (t.navigation) return set_navigation(t, in);
    Item &item = *t.item;
    Dialog &d = *t.dialog;
    switch (in.item_attr) {
    case UF_STYLER_VALUE: return set_item_value(t, in);
    case UF_STYLER_SENSITIVITY: item.sensitive = in.value.integer != 0; return 0;
    case UF_STYLER_VISIBILITY: item.visible = in.value.integer != 0; return 0;
    case UF_STYLER_LABEL:
        if (!has_label(item.kind)) break;
        return one_text(t, in, &item.label);
    case UF_STYLER_BITMAP:
        if (item.kind == Kind::bitmap) return one_text(t, in, &item.text);
        if (item.kind == Kind::action_button || item.kind == Kind::toggle) return one_text(t, in, &item.bitmap);
        break;
    case UF_STYLER_SUBITEM_VALUES:
        if (!has_entries(item.kind)) break;
        return set_entries(t, in);
    case UF_STYLER_LIST_INSERT:
        if (!is_list(item.kind)) break;
        return insert_lines(t, in);
    case UF_STYLER_LIST_DELETE:
        if (!is_list(item.kind)) break;
        return delete_lines(t, in);
    case UF_STYLER_LIST_DESELECT:
        if (!is_list(item.kind)) break;
        return deselect_lines(t, in);
    case UF_STYLER_LIST_SHOW:
        // Scrolling a line into view changes nothing the add-on or a scenario can see.
        if (!is_list(item.kind)) break;
        return 0;
    case UF_STYLER_FOCUS:
        if (!takes_focus(item.kind)) break;
        d.focus = item.id;
        return 0;
    case UF_STYLER_DEFAULT_ACTION:
        if (item.kind != Kind::action_button) break;
        d.default_action = item.id;
        return 0;
    case UF_STYLER_SCALE_PRECISION:
        if (item.kind != Kind::scale_real || in.value.integer < 0 || in.value.integer > 15) break;
        item.precision = in.value.integer;
        return 0;
    default: break;
    }
    return unsupported(t, in);
}

}  // namespace

extern "C" int UF_STYLER_set_value(int dialog_id, UF_STYLER_item_value_type_p_t value) {
    NXHOST_ENTER("UF_STYLER_set_value");
    Target target;
    if (int rc = find_target(kSet, dialog_id, value, &target)) return rc;
    return set(target, *value);
}
