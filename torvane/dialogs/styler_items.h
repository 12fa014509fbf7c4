// Items of a UIStyler dialog read and written from inside its callbacks, and the NX session each
// callback runs in. Every NX call is reported; what a failed call leaves is said per function.
#ifndef TORVANE_STYLER_ITEMS_H_INCLUDED
#define TORVANE_STYLER_ITEMS_H_INCLUDED

#include <string>
#include <vector>

#include "uf.h"
#include "uf_styler.h"

// Each callback opens its own NX session and closes it on every path out.
struct callback_session {
    int open = UF_initialize() == 0;
    ~callback_session() {
        if (open) UF_terminate();
    }
    callback_session() = default;
    callback_session(const callback_session &) = delete;
    callback_session &operator=(const callback_session &) = delete;
};

// Values: toggles, integers, radio boxes and option menus (the chosen index), reals, texts.
// A failed ask gives fallback (0, 0.0, "").
int ask_item_integer(int dialog_id, const char *item_id, int fallback = 0);
double ask_item_real(int dialog_id, const char *item_id, double fallback = 0.0);
std::string ask_item_text(int dialog_id, const char *item_id);

// All entries of a list or menu; empty when they cannot be asked.
std::vector<std::string> ask_item_entries(int dialog_id, const char *item_id);

// Selected lines of a list, in list order. 0 when NX could not say (texts then empty).
int ask_list_selection(int dialog_id, const char *item_id, std::vector<std::string> *texts);

// Setters give NX's code (0 done).
int set_item_integer(int dialog_id, const char *item_id, int value);
int set_item_real(int dialog_id, const char *item_id, double value);
int set_item_text(int dialog_id, const char *item_id, const char *text);
int set_item_sensitive(int dialog_id, const char *item_id, int sensitive);
int set_item_bitmap(int dialog_id, const char *item_id, const char *file);
int set_item_lines(int dialog_id, const char *item_id, const std::vector<std::string> &lines);
// Replaces every entry of a list or menu.
int set_item_entries(int dialog_id, const char *item_id, const std::vector<std::string> &entries);

// List lines: insert one at index (UF_STYLER_NO_SUB_INDEX appends), delete the one at index
// (UF_STYLER_NO_SUB_INDEX empties the list), make index the only selected line of a
// multi-selection list.
int list_insert_line(int dialog_id, const char *item_id, int index, const char *text);
int list_delete_line(int dialog_id, const char *item_id, int index);
int list_select_only(int dialog_id, const char *item_id, int index);
// Selects line index: in a multi-selection list in addition to those selected, in a single one
// instead.
int list_select_line(int dialog_id, const char *item_id, int index);

#endif
