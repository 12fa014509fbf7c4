// The NX program tree kept in the plan's order: each created group and operation moved out to the
// program null group and back, which appends it at the end of its parent.
#ifndef TORVANE_PROGRAM_ORDER_H_INCLUDED
#define TORVANE_PROGRAM_ORDER_H_INCLUDED

#include "uf_defs.h"

// Puts object into group when NX accepts it there. 1, or 0 after the message naming both.
int move_obj_to_ncgroup(tag_t group, tag_t object);

// Re-orders the program tree after static_plan_list, under a visible undo mark; the first
// refused move undoes to the mark and ends. 1 when every move was taken.
int sync_program_order(void);

#endif
