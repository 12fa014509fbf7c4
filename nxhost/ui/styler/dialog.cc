#include "nxhost/ui/styler/dialog.h"

#include <algorithm>
#include <iterator>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/ui/styler/text.h"
#include "nxhost/ui/transcript.h"

namespace nxhost::styler {
namespace {

struct Registry {
    std::vector<std::unique_ptr<Dialog>> open;
    int last_id = 0;
};

Registry &registry() {
    static Registry r;
    return r;
}

const bool registered = register_reset([] { registry() = Registry{}; });

// Keeps the count of running callbacks right when a scenario error unwinds through one.
struct Running {
    explicit Running(Dialog &d) : dialog(d) { ++dialog.running_callbacks; }
    ~Running() { --dialog.running_callbacks; }
    Dialog &dialog;
};

std::string entries_text(const std::vector<std::string> &entries, const std::vector<int> &marked) {
    if (entries.empty()) return "(empty)";
    std::string out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bool mark = std::find(marked.begin(), marked.end(), static_cast<int>(i)) != marked.end();
        out += (i ? " " : "") + std::string(mark ? "*" : "") + quote_text(entries[i]);
    }
    return out;
}

std::string value_text(const Item &item) {
    if (item.kind == Kind::label) return quote_text(item.label);
    if (item.kind == Kind::toggle || item.kind == Kind::integer || item.kind == Kind::scale_integer ||
        item.kind == Kind::color_tool)
        return std::to_string(item.integer);
    if (holds_real(item.kind)) return real_text(item.real);
    if (holds_text(item.kind)) return quote_text(item.text);
    if (is_list(item.kind)) return item.entries.empty() ? "(empty)" : std::to_string(item.entries.size()) + " lines";
    if (is_choice(item.kind)) return entries_text(item.entries, {item.integer});
    if (is_button_box(item.kind)) return entries_text(item.entries, {});
    if (item.kind == Kind::multi_line_text) {
        if (item.lines.empty()) return "(empty)";
        std::string out;
        for (const std::string &line : item.lines) out += (out.empty() ? "" : " ") + quote_text(line);
        return out;
    }
    return "";
}

// An item's lines: the first names its value and state, a list adds one line per entry (the
// selected ones marked). Without `before` (a snapshot) only an off state is named; with it,
// every state that changed is named, so a line that turns a button sensitive again says so.
std::vector<std::string> item_lines(const Item &now, const Item *before) {
    std::string line = "  " + now.id + " " + kind_name(now.kind);
    std::string value = value_text(now);
    if (!value.empty()) line += ": " + value;
    if (before && before->label != now.label && now.kind != Kind::label) line += " label " + quote_text(now.label);
    if (before && before->bitmap != now.bitmap) line += " bitmap " + quote_text(now.bitmap);
    bool sensitivity_changed = before && before->sensitive != now.sensitive;
    if (sensitivity_changed || !now.sensitive) line += now.sensitive ? " sensitive" : " insensitive";
    bool visibility_changed = before && before->visible != now.visible;
    if (visibility_changed || !now.visible) line += now.visible ? " visible" : " invisible";
    std::vector<std::string> lines{line};
    if (!is_list(now.kind)) return lines;
    for (std::size_t i = 0; i < now.entries.size(); ++i) {
        bool selected = std::find(now.selected.begin(), now.selected.end(), static_cast<int>(i)) != now.selected.end();
        lines.push_back(std::string(selected ? "    *" : "     ") + quote_text(now.entries[i]));
    }
    return lines;
}

std::string nav_line(const NavButton &now, const NavButton *before) {
    std::string line = "  " + now.name + " button";
    if ((before && before->sensitive != now.sensitive) || !now.sensitive)
        line += now.sensitive ? " sensitive" : " insensitive";
    if ((before && before->visible != now.visible) || !now.visible) line += now.visible ? " visible" : " invisible";
    return line;
}

std::string item_key(const Item &item) {
    std::string key;
    for (const std::string &line : item_lines(item, nullptr)) key += line + "\n";
    return key + "|" + item.label + "|" + item.bitmap + "|" + std::to_string(item.integer) +
           "|" + real_text(item.minimum) + "|" + real_text(item.maximum) + "|" + std::to_string(item.precision);
}

}  // namespace

Item *Dialog::item(const std::string &item_id) {
    int index = find_item(items, item_id);
    return index < 0 ? nullptr : &items[static_cast<std::size_t>(index)];
}

NavButton *Dialog::nav_button(const std::string &button) {
    for (NavButton &b : nav)
        if (b.name == button) return &b;
    return nullptr;
}

const Callback *Dialog::callback(const std::string &object_id, int type) const {
    for (const Callback &cb : callbacks)
        if (cb.type == type && cb.object_id == object_id) return &cb;
    return nullptr;
}

Dialog &open_dialog(std::unique_ptr<Dialog> dialog) {
    registry().open.push_back(std::move(dialog));
    return *registry().open.back();
}

void forget_dialog(int id) {
    auto &open = registry().open;
    open.erase(std::remove_if(open.begin(), open.end(), [id](const auto &d) { return d->id == id; }), open.end());
}

Dialog *live_dialog(int id) {
    for (const auto &d : registry().open)
        if (d->id == id) return d.get();
    return nullptr;
}

int next_dialog_id() { return ++registry().last_id; }

const char *callback_type_name(int type) {
    static const char *const names[] = {"activate", "value_changed", "drag",        "double_click",
                                        "ok",       "apply",         "back",        "cancel",
                                        "constructor", "destructor", "file_operation", "switch"};
    return type >= 0 && type < static_cast<int>(std::size(names)) ? names[type] : "unknown";
}

Ran run_callback(Dialog &dialog, const std::string &object_id, int type, const CallValue &value, int exit_response,
                 bool show_changes) {
    const Callback *registered_cb = dialog.callback(object_id, type);
    if (!registered_cb) return Ran::none;
    UF_STYLER_cb_f_t proc = registered_cb->proc;

    // The callback gets its own copies: what it does to them cannot reach the dialog.
    std::string text = value.text;
    std::vector<int> integers = value.integers;
    std::vector<std::string> texts = value.texts;
    std::vector<char *> text_ptrs;
    for (std::string &t : texts) text_ptrs.push_back(&t[0]);

    UF_STYLER_item_value_type_t data{};
    data.reason = type;  // each reason has the number of its callback type
    const Item *item = dialog.item(object_id);
    bool navigation = type == UF_STYLER_OK_CB || type == UF_STYLER_APPLY_CB || type == UF_STYLER_BACK_CB ||
                      type == UF_STYLER_CANCEL_CB;
    // The pressed navigation button is told as such; unverified which id NX passes here.
    data.item_id = item ? item->id.c_str() : navigation ? UF_STYLER_NAV_INDEX : UF_STYLER_DIALOG_INDEX;
    data.subitem_index = value.subitem;
    data.item_attr = value.indicator == UF_STYLER_NO_VALUE ? UF_STYLER_NO_ATTR : UF_STYLER_VALUE;
    data.indicator = value.indicator;
    data.count = value.indicator == UF_STYLER_NO_VALUE ? 0 : 1;
    switch (value.indicator) {
    case UF_STYLER_INTEGER_VALUE: data.value.integer = value.integer; break;
    case UF_STYLER_REAL_VALUE: data.value.real = value.real; break;
    case UF_STYLER_STRING_VALUE: data.value.string = &text[0]; break;
    case UF_STYLER_INTEGER_PTR_VALUE:
        data.count = static_cast<int>(integers.size());
        data.value.integers = integers.empty() ? nullptr : integers.data();
        break;
    case UF_STYLER_STRING_PTR_VALUE:
        data.count = static_cast<int>(texts.size());
        data.value.strings = text_ptrs.empty() ? nullptr : text_ptrs.data();
        break;
    default: break;
    }

    struct Before {
        std::vector<Item> items;
        std::string title;
        std::vector<NavButton> nav;
    } before{dialog.items, dialog.title, dialog.nav};

    int rc;
    {
        Running running(dialog);
        rc = proc(dialog.id, dialog.client_data, &data);
    }
    std::string shown_id = item ? item->id : "dialog";
    show("dialog", "callback " + shown_id + " " + callback_type_name(type) + " -> " + std::to_string(rc));
    if (show_changes) {
        if (before.title != dialog.title) show("dialog", "  title " + quote_text(dialog.title));
        for (std::size_t i = 0; i < dialog.items.size(); ++i)
            if (item_key(dialog.items[i]) != item_key(before.items[i]))
                for (const std::string &line : item_lines(dialog.items[i], &before.items[i])) show("dialog", line);
        for (std::size_t i = 0; i < dialog.nav.size(); ++i)
            if (dialog.nav[i].sensitive != before.nav[i].sensitive || dialog.nav[i].visible != before.nav[i].visible)
                show("dialog", nav_line(dialog.nav[i], &before.nav[i]));
    }
    if (rc == UF_UI_CB_EXIT_DIALOG) {
        if (exit_response != 0 && dialog.open) dialog.close(exit_response);
    } else if (rc != UF_UI_CB_CONTINUE_DIALOG) {
        misuse("UF_STYLER_create_dialog", "the " + std::string(callback_type_name(type)) + " callback of " +
                                              shown_id + " in " + dialog.name + " returned " + std::to_string(rc) +
                                              ", not UF_UI_CB_CONTINUE_DIALOG or UF_UI_CB_EXIT_DIALOG");
    }
    return rc == UF_UI_CB_EXIT_DIALOG ? Ran::exited : Ran::continued;
}

std::vector<std::string> snapshot_lines(const Dialog &dialog) {
    std::vector<std::string> lines;
    for (const Item &item : dialog.items) {
        bool worth = has_value(item.kind) && !is_button_box(item.kind);
        if (worth || !item.sensitive || !item.visible)
            for (const std::string &line : item_lines(item, nullptr)) lines.push_back(line);
    }
    for (const NavButton &b : dialog.nav)
        if (!b.sensitive || !b.visible) lines.push_back(nav_line(b, nullptr));
    return lines;
}

}  // namespace nxhost::styler
