// The user's actions on a dialog, as a scenario script gives them:
//   set ID VALUE...          type into a field, tick a toggle, choose a radio or option entry
//   select ID ENTRY...       pick list lines (several for a multi list) by text or #index
//   activate ID [SUB]        press a button, or a button of a button layout; Enter in a field
//   double-click ID ENTRY    double-click a list line
//   press OK|APPLY|BACK|CANCEL, close (the window's close box)
// A dialog plays the action lines that follow its own line, and goes on with those that follow
// the answer to a question one of its callbacks asked.
#include "nxhost/ui/styler/player.h"

#include <algorithm>
#include <set>

#include "nxhost/ui/encoding.h"
#include "nxhost/ui/picker.h"
#include "nxhost/ui/styler/text.h"
#include "nxhost/ui/transcript.h"
#include "uf_ui.h"

namespace nxhost::styler {
namespace {

using script::fatal;
using script::Line;
using script::where;

// Response of a dialog that an item's callback closes; unverified what NX reports there.
constexpr int kItemExitResponse = UF_UI_OK;

// The transcript holds texts as the add-on sees them (code page 936); script words are UTF-8.
std::string action_text(const Line &line) {
    std::string text = "> " + line.verb();
    for (std::size_t i = 0; i < line.arg_count(); ++i) {
        std::string word = line.arg(i);
        std::string gbk;
        if (utf8_to_gbk(word, &gbk)) word = gbk;
        bool plain = !word.empty() && word.find_first_of(" \t\"") == std::string::npos;
        text += " " + (plain ? word : quote_text(word));
    }
    return text;
}

// The item an action names, when a user could reach it.
Item &reachable_item(Dialog &dialog, const Line &line) {
    const std::string id = line.arg(0);
    int index = find_item(dialog.items, id);
    if (index < 0) fatal(where(line) + ": dialog " + dialog.name + " has no item " + id);
    auto at = static_cast<std::size_t>(index);
    if (!effectively_visible(dialog.items, at))
        fatal(where(line) + ": item " + id + " of " + dialog.name + " is invisible; a user cannot reach it");
    if (!effectively_sensitive(dialog.items, at))
        fatal(where(line) + ": item " + id + " of " + dialog.name + " is insensitive; a user cannot change it");
    return dialog.items[at];
}

std::string one_value(const Line &line) {
    if (line.arg_count() != 2) fatal(where(line) + ": " + line.verb() + " " + line.arg(0) + " takes one value");
    return line.arg(1);
}

std::string typed(const Line &line, const std::string &utf8) {
    std::string gbk;
    if (!utf8_to_gbk(utf8, &gbk))
        fatal(where(line) + ": \"" + utf8 + "\" has a character that code page 936 cannot hold");
    return gbk;
}

// What a callback of the item is told about its value.
CallValue value_of(const Item &item) {
    CallValue v;
    if (holds_integer(item.kind)) {
        v.indicator = UF_STYLER_INTEGER_VALUE;
        v.integer = item.integer;
    } else if (holds_real(item.kind)) {
        v.indicator = UF_STYLER_REAL_VALUE;
        v.real = item.real;
    } else if (holds_text(item.kind)) {
        v.indicator = UF_STYLER_STRING_VALUE;
        v.text = item.text;
    } else if (is_choice(item.kind) || is_button_box(item.kind)) {
        v.indicator = UF_STYLER_INTEGER_VALUE;
        v.integer = item.integer;
        v.subitem = item.integer;
    } else if (item.kind == Kind::single_list && !item.selected.empty()) {
        v.indicator = UF_STYLER_STRING_VALUE;
        v.subitem = item.selected.front();
        v.text = item.entries[static_cast<std::size_t>(v.subitem)];
    } else if (item.kind == Kind::multi_list) {
        v.indicator = UF_STYLER_INTEGER_PTR_VALUE;
        v.integers = item.selected;
    } else if (item.kind == Kind::multi_line_text) {
        v.indicator = UF_STYLER_STRING_PTR_VALUE;
        v.texts = item.lines;
    }
    return v;
}

// A user's change of value fires the value-changed callback, or activate where only that is
// registered (fields commonly register activate for Enter).
void changed_by_user(Dialog &dialog, const Item &item, int first, int second, CallValue value) {
    if (run_callback(dialog, item.id, first, value, kItemExitResponse) == Ran::none)
        run_callback(dialog, item.id, second, value, kItemExitResponse);
}

void set_choice(Dialog &dialog, Item &item, const Line &line) {
    const std::string word = one_value(line);
    int index = entry_index(item.entries, word);
    if (index < 0 && parse_int(word, &index) && (index < 0 || index >= static_cast<int>(item.entries.size())))
        index = -1;
    if (index < 0)
        fatal(where(line) + ": " + item.id + " has no entry " + quote_text(word) + " (it has " +
              std::to_string(item.entries.size()) + ")");
    item.integer = index;
    changed_by_user(dialog, item, UF_STYLER_VALUE_CHANGED_CB, UF_STYLER_ACTIVATE_CB, value_of(item));
}

void check_scale(const Item &item, double value, const Line &line) {
    if (is_scale(item.kind) && (value < item.minimum || value > item.maximum))
        fatal(where(line) + ": " + item.id + " takes " + real_text(item.minimum) + " to " + real_text(item.maximum) +
              ", not " + line.arg(1));
}

void do_set(Dialog &dialog, const Line &line) {
    Item &item = reachable_item(dialog, line);
    if (is_choice(item.kind)) return set_choice(dialog, item, line);
    if (is_list(item.kind)) fatal(where(line) + ": " + item.id + " is a list; use select");
    if (item.kind == Kind::toggle) {
        const std::string word = one_value(line);
        if (word != "0" && word != "1") fatal(where(line) + ": toggle " + item.id + " takes 0 or 1, not " + word);
        item.integer = word == "1" ? 1 : 0;
    } else if (holds_integer(item.kind)) {
        int value = 0;
        if (!parse_int(one_value(line), &value))
            fatal(where(line) + ": " + item.id + " takes an integer, not " + quote_text(line.arg(1)));
        check_scale(item, value, line);
        item.integer = value;
    } else if (holds_real(item.kind)) {
        double value = 0.0;
        if (!parse_real(one_value(line), &value))
            fatal(where(line) + ": " + item.id + " takes a number, not " + quote_text(line.arg(1)));
        check_scale(item, value, line);
        item.real = value;
    } else if (item.kind == Kind::string || item.kind == Kind::wide_string) {
        item.text = typed(line, one_value(line));
    } else if (item.kind == Kind::multi_line_text) {
        item.lines.clear();
        for (std::size_t i = 1; i < line.arg_count(); ++i) item.lines.push_back(typed(line, line.arg(i)));
    } else {
        std::string hint = item.kind == Kind::action_button || is_button_box(item.kind) ? "; use activate" : "";
        fatal(where(line) + ": a user cannot set " + item.id + " (" + kind_name(item.kind) + ")" + hint);
    }
    changed_by_user(dialog, item, UF_STYLER_VALUE_CHANGED_CB, UF_STYLER_ACTIVATE_CB, value_of(item));
}

int list_entry(const Item &item, const Line &line, const std::string &word) {
    int index = entry_index(item.entries, word);
    if (index < 0)
        fatal(where(line) + ": " + item.id + " has no entry " + quote_text(word) + " (it has " +
              std::to_string(item.entries.size()) + "; #N picks by index)");
    return index;
}

// A click on list lines: activate, as NX lists report a selection.
void do_select(Dialog &dialog, const Line &line) {
    Item &item = reachable_item(dialog, line);
    if (is_choice(item.kind)) return set_choice(dialog, item, line);
    if (!is_list(item.kind)) fatal(where(line) + ": " + item.id + " is not a list; use set");
    if (item.kind == Kind::single_list && line.arg_count() != 2)
        fatal(where(line) + ": " + item.id + " is a single-selection list; select one entry");
    std::set<int> chosen;
    int last = -1;
    for (std::size_t i = 1; i < line.arg_count(); ++i) {
        last = list_entry(item, line, line.arg(i));
        chosen.insert(last);
    }
    item.selected.assign(chosen.begin(), chosen.end());
    CallValue value = value_of(item);
    value.subitem = last;
    changed_by_user(dialog, item, UF_STYLER_ACTIVATE_CB, UF_STYLER_VALUE_CHANGED_CB, value);
}

void do_double_click(Dialog &dialog, const Line &line) {
    Item &item = reachable_item(dialog, line);
    if (!is_list(item.kind)) fatal(where(line) + ": " + item.id + " is not a list; only list lines are double-clicked");
    if (line.arg_count() != 2) fatal(where(line) + ": double-click takes one entry");
    int index = list_entry(item, line, line.arg(1));
    item.selected = {index};
    CallValue value;
    value.subitem = index;
    value.indicator = UF_STYLER_STRING_VALUE;
    value.text = item.entries[static_cast<std::size_t>(index)];
    run_callback(dialog, item.id, UF_STYLER_DOUBLE_CLICK_CB, value, kItemExitResponse);
}

void do_activate(Dialog &dialog, const Line &line) {
    Item &item = reachable_item(dialog, line);
    if (is_button_box(item.kind)) {
        if (line.arg_count() != 2) fatal(where(line) + ": activate " + item.id + " needs the button (index or label)");
        int button = entry_index(item.entries, line.arg(1));
        if (button < 0 && !(parse_int(line.arg(1), &button) && button >= 0 &&
                            button < static_cast<int>(item.entries.size())))
            fatal(where(line) + ": " + item.id + " has no button " + quote_text(line.arg(1)) + " (it has " +
                  std::to_string(item.entries.size()) + ")");
        item.integer = button;
    } else if (line.arg_count() != 1) {
        fatal(where(line) + ": only a button layout or tool palette takes a button to activate");
    } else if (item.kind == Kind::label || item.kind == Kind::separator || item.kind == Kind::bitmap ||
               item.kind == Kind::begin_group || item.kind == Kind::end_group) {
        fatal(where(line) + ": a user cannot activate " + item.id + " (" + kind_name(item.kind) + ")");
    }
    run_callback(dialog, item.id, UF_STYLER_ACTIVATE_CB, value_of(item), kItemExitResponse);
}

struct NavAction {
    const char *name;
    int callback;
    int response;
};

const NavAction kNavActions[] = {
    {"OK", UF_STYLER_OK_CB, UF_UI_OK},
    {"APPLY", UF_STYLER_APPLY_CB, UF_UI_APPLY},
    {"BACK", UF_STYLER_BACK_CB, UF_UI_BACK},
    {"CANCEL", UF_STYLER_CANCEL_CB, UF_UI_CANCEL},
};

// A navigation button; the close box acts as CANCEL whether or not the dialog shows one.
void do_press(Dialog &dialog, const Line &line, const std::string &button, bool close_box) {
    const NavAction *action = nullptr;
    for (const NavAction &a : kNavActions)
        if (button == a.name) action = &a;
    if (!action) fatal(where(line) + ": there is no navigation button " + button);
    CallValue value;
    value.subitem = nav_index(button);
    if (!close_box) {
        const NavButton *nav = dialog.nav_button(button);
        if (!nav) fatal(where(line) + ": dialog " + dialog.name + " has no " + button + " button");
        if (!nav->visible || !nav->sensitive)
            fatal(where(line) + ": the " + button + " button of " + dialog.name + " is " +
                  (nav->visible ? "insensitive" : "invisible"));
    }
    Ran ran = run_callback(dialog, UF_STYLER_DIALOG_INDEX, action->callback, value, action->response);
    // Without a callback the buttons that end a dialog end it; Apply then does nothing.
    if (ran == Ran::none && action->callback != UF_STYLER_APPLY_CB) dialog.close(action->response);
}

void play_action(Dialog &dialog, const Line &line) {
    show("dialog", action_text(line));
    // The picker runs inside the callback this action calls: its answer must wait for it there.
    stage_picker_answer();
    const std::string &verb = line.verb();
    if (verb == "set") do_set(dialog, line);
    else if (verb == "select") do_select(dialog, line);
    else if (verb == "double-click") do_double_click(dialog, line);
    else if (verb == "activate") do_activate(dialog, line);
    else if (verb == "press") do_press(dialog, line, line.arg(0), false);
    else if (verb == "close") do_press(dialog, line, "CANCEL", true);
    else fatal(where(line) + ": '" + verb + "' is not an action on a dialog");
}

}  // namespace

const Line *play_interaction(Dialog &dialog, const script::Interaction &interaction) {
    // Dialogs playing now: after a nested one closes, the actions that follow are its opener's.
    static int playing = 0;
    struct Playing {
        Playing() { ++playing; }
        ~Playing() { --playing; }
    } guard;

    const Line &head = interaction.head;
    const Line *last = &head;
    if (head.verb() == "cancel" || head.verb() == "back") {
        show("dialog", action_text(head));
        if (head.verb() == "cancel") do_press(dialog, head, "CANCEL", true);
        else do_press(dialog, head, "BACK", false);
    } else {
        if (!same_dialog_name(head.arg(0), dialog.name))
            fatal(where(head) + ": the add-on opened dialog " + dialog.name + ", but the script answers dialog " +
                  head.arg(0));
        while (dialog.open) {
            const Line *line = script::next_action();
            if (!line) break;
            play_action(dialog, *line);
            check_picker_answer_taken();
            last = line;
        }
    }
    if (dialog.open) fatal("dialog " + dialog.name + " is still open after " + where(*last) + "; the scenario must close it");
    return playing == 1 ? last : nullptr;
}

void check_no_action_left(const Dialog &dialog, const Line *closing) {
    if (!closing) return;
    if (const Line *more = script::peek_action())
        fatal(where(*more) + ": dialog " + dialog.name + " was closed by " + where(*closing) +
              "; this action has no dialog to act on");
}

}  // namespace nxhost::styler
