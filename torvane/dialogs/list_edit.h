// The list actions of the main dialog (BLO_19): change the cutter or reference cutter of the
// selected operations, insert groups and operations from the insert templates, delete the selected
// lines, move one line down. Each keeps the plan, its list lines and the NX objects in step.
#ifndef TORVANE_LIST_EDIT_H_INCLUDED
#define TORVANE_LIST_EDIT_H_INCLUDED

// BLO_19's buttons.
enum list_action {
    LIST_CHANGE_CUTTER = 0,
    LIST_INSERT_GROUP = 1,
    LIST_INSERT_OPER = 2,
    LIST_CHANGE_REF_CUTTER = 3,
    LIST_DELETE = 4,
    LIST_MOVE_DOWN = 5
};

// Runs the action of that button on the dialog's selection, after collecting the selected
// operations as every list action does (nothing usable selected: the collector's message and no
// action). 1 when the action ran, 0 after a message.
int run_list_action(int dialog_id, int action);

// The single actions, each on the dialog's current selection; 1 done, 0 after a message.
int change_sel_oper_cutter(int dialog_id, int reference);
int insert_sel_prog_group(int dialog_id);
int insert_sel_oper(int dialog_id);
int delete_sel_item(int dialog_id);
int move_down_row(int dialog_id);

#endif
