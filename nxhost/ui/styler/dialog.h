// Open UIStyler dialogs: their items, registered callbacks, and how a callback is run and
// shown in the transcript.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "nxhost/ui/styler/model.h"
#include "uf_styler.h"

namespace nxhost::styler {

struct Callback {
    std::string object_id;  // item id or UF_STYLER_DIALOG_INDEX
    int type = UF_STYLER_NO_CB;
    UF_STYLER_cb_f_t proc = nullptr;
};

struct NavButton {
    std::string name;  // OK, APPLY, BACK, CANCEL
    int index = 0;     // UF_STYLER_OK_INDEX ...
    bool sensitive = true;
    bool visible = true;
};

struct Dialog {
    int id = 0;
    std::string name;  // file name as the add-on gave it, for the transcript and the script
    std::string title;
    std::vector<Item> items;
    std::vector<NavButton> nav;
    std::vector<Callback> callbacks;
    void *client_data = nullptr;
    std::string focus;           // item that has the keyboard focus
    std::string default_action;  // item that Enter activates
    int width = 0;
    int resize = 1;
    int running_callbacks = 0;   // callbacks of this dialog now on the stack
    bool open = true;
    int response = 0;            // UF_UI_* once closed

    Item *item(const std::string &id);
    NavButton *nav_button(const std::string &name);
    const Callback *callback(const std::string &object_id, int type) const;
    void close(int why) {
        open = false;
        response = why;
    }
};

// Dialogs open now, innermost last. The registry owns them.
Dialog &open_dialog(std::unique_ptr<Dialog> dialog);
void forget_dialog(int id);
Dialog *live_dialog(int id);
int next_dialog_id();

// What a callback is told besides reason and item: subitem and, where it has one, the value.
struct CallValue {
    int subitem = UF_STYLER_NO_SUB_INDEX;
    int indicator = UF_STYLER_NO_VALUE;
    int integer = 0;
    double real = 0.0;
    std::string text;
    std::vector<int> integers;
    std::vector<std::string> texts;
};

// Result of running a callback.
enum class Ran { none, continued, exited };

// Runs the callback of `type` registered for `object_id`, if any, with the reason of that type.
// Shows "callback ID kind -> N" and, when `show_changes`, the item lines the callback changed.
// When it returns UF_UI_CB_EXIT_DIALOG the dialog is closed with `exit_response`.
Ran run_callback(Dialog &dialog, const std::string &object_id, int type, const CallValue &value, int exit_response,
                 bool show_changes = true);

// Transcript lines of the dialog's state: one per item worth seeing (values, and whatever is
// insensitive or invisible).
std::vector<std::string> snapshot_lines(const Dialog &dialog);

// Name of a callback type for the transcript ("activate", "value_changed", "ok", ...).
const char *callback_type_name(int type);

}  // namespace nxhost::styler
