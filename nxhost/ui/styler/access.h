// What UF_STYLER_ask_value and UF_STYLER_set_value share: finding the dialog and item a request
// names (inside a callback only), and the NX memory handed back with a value.
#pragma once

#include <string>
#include <vector>

#include "nxhost/ui/styler/dialog.h"

namespace nxhost::styler {

// Error codes of dialog calls (fail messages in the session's table).
constexpr int kDialogFileNotFound = 1105020;
constexpr int kItemNotFound = 1105021;
constexpr int kAttributeNotSupported = 1105022;
constexpr int kNotInCallback = 1105023;
constexpr int kLayoutUnreadable = 1105013;

// The dialog, item or navigation button a request names.
struct Target {
    Dialog *dialog = nullptr;
    Item *item = nullptr;     // an item of the dialog
    bool whole_dialog = false;  // UF_STYLER_DIALOG_INDEX
    bool navigation = false;    // UF_STYLER_NAV_INDEX
    std::string name;           // for messages: "LIST_1 of x.dlg"
};

// Resolves a request; on failure records a misuse line for `call` and returns the error code.
int find_target(const char *call, int dialog_id, const UF_STYLER_item_value_type_t *request, Target *target);

// Records "CALL: what" and returns `code`.
int refuse(const char *call, const Target &target, int code, const std::string &what);

// Results of ask_value; strings and arrays are NX memory that UF_STYLER_free_value releases.
void give_integer(UF_STYLER_item_value_type_t *out, int value);
void give_real(UF_STYLER_item_value_type_t *out, double value);
void give_string(UF_STYLER_item_value_type_t *out, const std::string &value);
void give_strings(UF_STYLER_item_value_type_t *out, const std::vector<std::string> &values);
void give_integers(UF_STYLER_item_value_type_t *out, const std::vector<int> &values);
// Clears the result of a refused request so that freeing it is harmless.
void give_nothing(UF_STYLER_item_value_type_t *out);

// Releases a value given out above; false when `block` was not (or no longer is) one.
bool release_given(void *block);

}  // namespace nxhost::styler
