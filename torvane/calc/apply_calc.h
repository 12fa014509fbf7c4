// The calculation behind the main dialog: what OK, Apply, ACTION_3 and a double click on a
// planned operation run. The dialog has stored its settings in static_dlg_state before it calls.
#ifndef TORVANE_APPLY_CALC_H_INCLUDED
#define TORVANE_APPLY_CALC_H_INCLUDED

#include "torvane/state/plan.h"

// whole_plan 1: every class switched on (Apply, OK); 0: the selected operations (ACTION_3, and
// with static_calc_single set the double-clicked one).
void apply_calc(int dialog_id, int whole_plan);

#endif
