// Playing the user's side of a dialog from the scenario script.
#pragma once

#include "nxhost/script/script.h"
#include "nxhost/ui/styler/dialog.h"

namespace nxhost::styler {

// Plays the interaction that answers the dialog: a `dialog FILE` block action by action, or a
// bare `cancel` / `back`. Returns with the dialog closed; a scenario that does not fit (wrong
// file, unknown or unreachable item, dialog left open) ends in script::fatal. Returns the line
// that closed an outermost dialog (null for a nested one), for check_no_action_left.
const script::Line *play_interaction(Dialog &dialog, const script::Interaction &interaction);

// Once the dialog that closing closed is gone (destructor run): actions of the scenario still
// waiting for it end in script::fatal.
void check_no_action_left(const Dialog &dialog, const script::Line *closing);

}  // namespace nxhost::styler
