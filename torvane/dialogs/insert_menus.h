// The insert menus of the main dialog: OPTION_17 offers the groups of the insert group template,
// OPTION_18 the operations of the insert operation template. Insertion takes an entry's text up
// to its first blank as the name, so every label begins with a blank.
#ifndef TORVANE_INSERT_MENUS_H_INCLUDED
#define TORVANE_INSERT_MENUS_H_INCLUDED

#include <string>
#include <vector>

#include "my_func_cam/cam_template.h"
#include "torvane/state/plan.h"

#define INSERT_MENU_ENTRY_MAX 255  // characters of one entry

// Labels of the entries: classes by name (R, M, F, other), groups by kind (R, M, F), operations
// by kind (R, M, F).
struct insert_menu_texts {
    std::string class_label[4];
    std::string group_label[3];
    std::string oper_label[3];
};

int load_insert_menu_texts(insert_menu_texts *texts);

// Each class of the tree followed by its groups / every operation of the tree: the node's
// new_name, its label, then a blank and the description of the definition record of exactly
// that name when there is one; cut to INSERT_MENU_ENTRY_MAX.
std::vector<std::string> insert_group_menu_entries(const r_m_f_or_other *tree, const insert_def *defs,
                                                   const insert_menu_texts &texts);
std::vector<std::string> insert_oper_menu_entries(const r_m_f_or_other *tree, const insert_def *defs,
                                                  const insert_menu_texts &texts);

// Fills OPTION_17 and OPTION_18 from the session's insert trees and definitions. 0 when a text is
// missing.
int set_dlg_insert_prog_group_menu_value(int dialog_id);

#endif
