// What the user picks for the selected operations (BLO_20): their cut faces, their cut-region
// start points and the point their bottom cut level goes to. An operation that exists in NX takes
// the pick at once; one not made yet keeps it in its plan node for its builder.
#ifndef TORVANE_OPER_PICKS_H_INCLUDED
#define TORVANE_OPER_PICKS_H_INCLUDED

// BLO_20's buttons.
enum pick_action { PICK_CUT_FACES = 0, PICK_START_POINTS = 1, PICK_LEVEL_POINT = 2 };

#define MAX_PICKED_POINTS 200

// Stores the settings, makes the MCS and workpiece, collects the selected operations (operation
// lines and the operations of group lines), then runs the pick of that button. 1 when the pick
// was taken, 0 when something failed or the user picked nothing (a message may have been shown).
int run_pick_action(int dialog_id, int action);

#endif
