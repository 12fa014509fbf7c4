// The driver of one run: start (catalogue, EDM gaps, release, tool library names, holders),
// the session loop (template choice, electrodes, ...) and the end of the run.
#ifndef TORVANE_SESSION_H_INCLUDED
#define TORVANE_SESSION_H_INCLUDED

#include "torvane/state/run_state.h"

#define MAX_ELECTRODES 200
#define ELEC_MARK_CLAMP "IS_CLAMP"
#define ELEC_MARK_BASE_BLOCK "IS_ELEC_BOT_BLOCK"

// Everything one call of ufusr does.
void run_torvane(void);

// Electrodes of a turn in static_elec_tags / static_elec_count: the visible solids without a
// clamp or base block mark (at most MAX_ELECTRODES) when static_use_all_solids is set, else the
// user's selection. 0 when the session has to end (a message, if any, has been shown).
int collect_turn_electrodes(void);

// Frees what the run holds and empties the per-turn state.
void reset_turn_state(void);

#endif
