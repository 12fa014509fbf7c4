// Edits of the plan that the main dialog's list actions make: deep copies of insert-template
// nodes linked into the plan, deletion of nodes with their NX objects, moving a node down among
// its siblings, and the cutters of operations changed in the plan and in NX.
#ifndef TORVANE_PLAN_EDIT_H_INCLUDED
#define TORVANE_PLAN_EDIT_H_INCLUDED

#include "my_func_cam/tool_libref.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/plan.h"

// ---- copies and links ------------------------------------------------------------------------

// Deep copies by the plan's copy rule: kind, both names, obj_tag and expanded taken over, a name
// made unique from the source's new_name among the plan's names (names keeps them over the whole
// copy), and copies of every descendant (copy_oper_node). NULL when memory is short (what was
// copied is freed).
prog_group *copy_prog_group_node(const prog_group *source, plan_name_set *names);
r_m_f_or_other *copy_rmf_node(const r_m_f_or_other *source, plan_name_set *names);

// Links node right after after, or at the front when after is null.
void link_rmf_node_after(r_m_f_or_other **list_p, r_m_f_or_other *after, r_m_f_or_other *node);
void link_prog_group_after(r_m_f_or_other *parent, prog_group *after, prog_group *node);

// The last node of that exact name in a tree (the insert trees are looked up this way); NULL when
// there is none.
r_m_f_or_other *find_last_rmf_named(r_m_f_or_other *tree, const char *name);
prog_group *find_last_group_named(r_m_f_or_other *tree, const char *name);
oper *find_last_oper_named(r_m_f_or_other *tree, const char *name);

// The class of a group and the group of an operation in static_plan_list; NULL when not there.
r_m_f_or_other *class_of_group(const prog_group *group);
prog_group *group_of_oper(const oper *node);

// The last group of a class and the last operation of a group; NULL when empty.
prog_group *last_group_of(const r_m_f_or_other *node);
oper *last_oper_of(const prog_group *node);

// ---- deletion -------------------------------------------------------------------------------

// Deletes every node of static_plan_list at that level (PLAN_CLASS_LINE ...) named exactly name,
// wherever it stands, with its descendants: their NX objects (operations, then groups, then the
// class's group), then the nodes. The number of nodes deleted at that level.
int delete_plan_nodes(int level, const char *name);

// ---- order ----------------------------------------------------------------------------------

// Swaps a node with its next sibling; the last sibling moves to the front. 0 for a list of one
// (nothing changes), 1 otherwise.
int move_rmf_node_down(r_m_f_or_other **list_p, r_m_f_or_other *node);
int move_prog_group_down(r_m_f_or_other *parent, prog_group *node);
int move_oper_node_down(prog_group *parent, oper *node);

// ---- cutters --------------------------------------------------------------------------------

// The operation takes record as its cutter (null: none): its name and its own copy of the record.
// An operation that exists in NX moves into that cutter (found in the part or made from the
// record; for none, the setup's null cutter group); a refusal is said in two message boxes and
// the plan keeps the new cutter. need_generate is set. 1, or 0 when NX refused or a text or the
// cutter was missing (said).
int change_oper_cutter(oper *node, const tool_data *record);

// The same for the reference cutter: set with UF_OPER_set_ref_cutter, taken off for none.
int change_oper_ref_cutter(oper *node, const tool_data *record);

#endif
