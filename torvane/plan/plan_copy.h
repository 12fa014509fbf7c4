// Copies of plan operations: for each further electrode of a per-electrode builder, and for the
// list's insertions. A copy stands for another NX operation of the same template operation, so
// it takes the template's data but none of the user's picks.
#ifndef TORVANE_PLAN_COPY_H_INCLUDED
#define TORVANE_PLAN_COPY_H_INCLUDED

#include "torvane/plan/prog_group.h"
#include "torvane/state/plan.h"

// A new node with the source's class, type, names, cutters, template, tag, stocks and electrode
// array (a new NX array; when it cannot be had, a message and no electrodes); no chosen faces,
// level point or start points. Its name is made unique from the source's new_name among the
// plan's names (those of names, when the caller keeps them over many copies). need_generate is
// set on both. NULL when memory is short.
oper *copy_oper_node(oper *source, plan_name_set *names = nullptr);

// Replaces the node's electrode array by a new NX array of count tags (none for 0). 0 when the
// array could not be had: the node then holds no electrodes and the caller says so.
int set_oper_electrodes(oper *node, const tag_t *elec_tags, int count);

// Links node into the group's operation list right after after (at the front when after is null).
void link_oper_node_after(prog_group *group, oper *after, oper *node);

#endif
