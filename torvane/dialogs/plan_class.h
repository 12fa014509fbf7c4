// The class of selected plan lines changed from the main dialog (OPTION_13): operations and
// groups renamed with the mark of their new class and shown again.
#ifndef TORVANE_PLAN_CLASS_H_INCLUDED
#define TORVANE_PLAN_CLASS_H_INCLUDED

#include <string>

#define CLASS_NAME_BASE_MAX 28  // a name is cut to this before its class mark is appended

// Class an OPTION_13 entry puts lines into: 1 rough, 2 middle, 3 finish, 6 other; -1 for the
// entries that do something else (0 nothing, 4 and 7 the stock mark, 5 and 8 the side start
// point mark).
int class_of_option_entry(int entry);

// 1 for the entries that add or remove the stock or side start point mark.
int is_name_mark_option_entry(int entry);

// A name in class kind: its first "-R", then its first "-M", then its first "-F" cut out (lower
// case marks stay), cut to CLASS_NAME_BASE_MAX characters, then the class's mark appended (none
// for the other class).
std::string class_marked_name(const char *name, int kind);

// A name with mark appended (add, when the name does not hold it yet) or with the first
// occurrence of mark cut out (remove, when it holds it); the name as it is otherwise.
std::string mark_changed_name(const char *name, const char *mark, bool add);

// OPTION_13's name marks on the selected operations (operation lines and the operations of group
// lines): 4 adds "-S", 7 removes it, 5 adds "-P", 8 removes it. Makes the MCS, workpiece and
// start points first; renames the nodes (and the NX objects of operations that exist), sets the
// stock mark of the node, and gives existing operations their stocks (-S) or, under NX 4, their
// side or front start points (-P) again. Stops at the first name that would pass 30 characters
// (shown). 0 after a message when nothing is selected or the set-up failed.
int set_name_mark(int dialog_id, int entry);

// Puts the selected operation lines, then the selected group lines into class kind. Stops at the
// first node whose unique new name would be longer than 30 characters (shown). 0 after a
// message when nothing is selected.
int set_r_m_f_other(int dialog_id, int kind);

#endif
