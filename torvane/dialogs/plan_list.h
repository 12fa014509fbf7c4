// The plan in the main dialog's list MULTI_LIST_14: the whole list refreshed, the lines of one
// node inserted, removed, found and rewritten, and the selected lines resolved to plan nodes for
// the actions that work on them. All of these run inside a callback of the dialog.
#ifndef TORVANE_PLAN_LIST_H_INCLUDED
#define TORVANE_PLAN_LIST_H_INCLUDED

#include <vector>

#include "my_func_cam/tool_libref.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/state/plan.h"

// Class switches, class values and allowances as the dialog shows them now, and the font of
// the NX release.
plan_line_view ask_plan_line_view(int dialog_id);

// Empties the list, then shows every class switched on with its shown descendants, and selects
// again the class and group lines that were selected. 0 when a catalogue text is missing.
int refresh_plan_list(int dialog_id);

// Inserts the node's line and those of its shown descendants at position; the number of lines
// inserted, -1 when a catalogue text is missing.
int insert_node_lines(int dialog_id, int position, const r_m_f_or_other &node);
int insert_node_lines(int dialog_id, int position, const prog_group &node, const r_m_f_or_other &parent);

// Shows the line of node right after the line of the operation named after_name, when that line
// is shown (its group expanded). 1 when the line was inserted.
int insert_oper_line_after(int dialog_id, const char *after_name, const oper &node);

// Index of the line of the node named name at level (PLAN_CLASS_LINE ...) and of its last shown
// descendant line. 0 when there is no such line.
int find_list_site(int dialog_id, const char *name, int level, int *index, int *last_index);

// Removes the line of the node named name at level and those of its shown descendants; the
// index its line had, -1 when it has none.
int delete_node_lines(int dialog_id, const char *name, int level);

// Makes index the only selected line.
int select_list_line(int dialog_id, int index);

// Rebuilds the line of each operation of the list in place and selects it.
int replace_oper_lines(int dialog_id, const sel_oper *list);

// Puts text in place of the line of the node named name at level and adds it to the selection;
// 0 when there is no such line (or the marker text is missing).
int rewrite_list_line(int dialog_id, const char *name, int level, const std::string &text);

// The line of a group, of an operation, as the dialog shows it now; "" when a text is missing.
std::string current_list_line(int dialog_id, const prog_group &node);
std::string current_list_line(int dialog_id, const oper &node);

// The selected lines resolved to nodes, each listed once, in list order.
struct plan_selection {
    std::vector<r_m_f_or_other *> classes;
    std::vector<prog_group *> groups;  // group lines
    std::vector<oper *> opers;         // operation lines
};

// Reads and resolves the selection without complaining about what is selected. 0 when the list
// or a catalogue text could not be read, or a group line names no group (shown).
int ask_plan_selection(int dialog_id, plan_selection *selection);

// The operation lines and every operation of the group lines, each once.
std::vector<oper *> opers_of_selection(const plan_selection &selection);

// The collectors of the list actions; each shows its message and gives 0 when nothing usable is
// selected. Operation lists are freed by the caller (free_sel_oper_list).
int get_dlg_list_only_sel_oper(int dialog_id, sel_oper **list_p);
// Operation lines and every operation of the selected group lines.
int get_dlg_list_sel_oper(int dialog_id, sel_oper **list_p);
int get_dlg_list_sel_group_and_prog_group(int dialog_id, std::vector<r_m_f_or_other *> *classes,
                                          std::vector<prog_group *> *groups);
int get_dlg_list_sel_prog_group_and_oper(int dialog_id, std::vector<prog_group *> *groups, sel_oper **list_p);

// The cutter chosen in OPTION_16: its record in static_tool_list, or null for NONE. 0 when the
// entry names no record (shown).
int get_dlg_sel_tool(int dialog_id, tool_data **tool_p);

#endif
