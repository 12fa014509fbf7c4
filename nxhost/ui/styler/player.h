// Playing the user's side of a dialog from the scenario script.
#pragma once

#include "nxhost/script/script.h"
#include "nxhost/ui/styler/dialog.h"

namespace nxhost::styler {

// Plays the interaction that answers the dialog: a `dialog FILE` block action by action, or a
// bare `cancel` / `back`. Returns with the dialog closed; a scenario that does not fit (wrong
// file, unknown or unreachable item, dialog left open) ends in script::fatal.
void play_interaction(Dialog &dialog, const script::Interaction &interaction);

}  // namespace nxhost::styler
