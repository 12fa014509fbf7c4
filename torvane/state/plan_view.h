// The one way the calculation reaches the main dialog: the dialog installs these functions while
// it is open, and the layers below it call them through here instead of including the dialog.
// Without a dialog (a test, a batch) nothing is shown and nothing is selected.
#ifndef TORVANE_PLAN_VIEW_H_INCLUDED
#define TORVANE_PLAN_VIEW_H_INCLUDED

#include "torvane/state/plan.h"

struct plan_view_hooks {
    // Shows the line of node right after the line of the operation named after_name, when that
    // line is shown (its group expanded). 1 when the line was inserted.
    int (*insert_oper_line_after)(int dialog_id, const char *after_name, const oper &node);
    // The selected operation lines and every operation of the selected group lines, each once, in
    // list order; 0 after the collector's message when nothing usable is selected. The caller
    // frees the list (free_sel_oper_list).
    int (*selected_opers)(int dialog_id, sel_oper **list_p);
    // The part-file list shown again after a part file changed its state.
    void (*part_files_changed)(int dialog_id);
};

// Installs hooks until remove_plan_view; hooks must outlive that.
void install_plan_view(const plan_view_hooks *hooks);
void remove_plan_view(void);

// Through the installed hooks; 0, nothing selected and nothing shown without them.
int view_insert_oper_line_after(int dialog_id, const char *after_name, const oper &node);
int view_selected_opers(int dialog_id, sel_oper **list_p);
void view_part_files_changed(int dialog_id);

#endif
