// Callbacks of the main dialog's fields, lists and buttons.
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/calc/stock_reset.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/dialogs/list_edit.h"
#include "torvane/dialogs/main_dlg_setup.h"
#include "torvane/dialogs/oper_picks.h"
#include "torvane/dialogs/oper_report.h"
#include "torvane/dialogs/part_files.h"
#include "torvane/dialogs/plan_class.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/post_backstage.h"
#include "torvane/dialogs/prog_name.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/plan/plan_edit.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf_disp.h"
#include "uf_param.h"
#include "uf_ui.h"
#include "uf_ui_param.h"

namespace {

const int OPTION_13_NOTHING = 0;

// Buttons of BLO_59 and BLO_68.
const int BLO_59_REPORT = 0, BLO_59_POST = 1;
const int BLO_68_CHOOSE = 0, BLO_68_NEXT = 1, BLO_68_REMOVE = 2;

int class_switched(int dialog_id, int kind) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    show_class_value_sensitivity(dialog_id, kind);
    store_dlg_state(dialog_id);
    refresh_plan_list(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

// A class value (spark gap) changed: the list shows new stocks, and operations made already
// need theirs set again.
int class_value_changed(int dialog_id) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    store_dlg_state(dialog_id);
    refresh_plan_list(dialog_id);
    reset_all_oper_stock();
    return UF_UI_CB_CONTINUE_DIALOG;
}

int allowance_changed(int dialog_id) {
    callback_session session;
    if (session.open) refresh_plan_list(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

// Expands a collapsed node or collapses an expanded one and shows its lines again in place.
template <typename Node, typename Insert>
void toggle_node(int dialog_id, Node *node, int level, Insert insert) {
    const int index = delete_node_lines(dialog_id, node->name, level);
    if (index < 0) return;
    node->expanded = node->expanded ? 0 : 1;
    insert(index);
    select_list_line(dialog_id, index);
}

// An operation double-clicked: made first when it does not exist yet, then opened in NX's
// operation editor.
void edit_operation(int dialog_id, oper *node) {
    if (node->obj_tag == NULL_TAG) {
        static_calc_single = 1;
        store_dlg_state(dialog_id);
        apply_calc(dialog_id, 0);
        static_calc_single = 0;
        if (node->obj_tag == NULL_TAG) return;
    }
    int response = 0;
    UF_CALL(UF_UI_PARAM_edit_object(node->obj_tag, &response));
}

// The chosen directory of a directory field, starting from start; false when cancelled.
bool choose_directory(const std::string &start, std::string *directory) {
    char chosen[MAX_FSPEC_BUFSIZE] = "";
    if (!MY_select_directory(start.c_str(), chosen)) return false;
    *directory = chosen;
    return true;
}

}  // namespace

int QZ_CAM_rough_toggle_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return class_switched(dialog_id, RMF_ROUGH);
}

int QZ_CAM_middle_toggle_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return class_switched(dialog_id, RMF_MIDDLE);
}

int QZ_CAM_finish_toggle_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return class_switched(dialog_id, RMF_FINISH);
}

int QZ_CAM_other_toggle_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return class_switched(dialog_id, RMF_OTHER);
}

int QZ_CAM_rough_space_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) { return class_value_changed(dialog_id); }

int QZ_CAM_middle_space_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) { return class_value_changed(dialog_id); }

int QZ_CAM_finish_space_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) { return class_value_changed(dialog_id); }

int QZ_CAM_other_value_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) { return class_value_changed(dialog_id); }

int QZ_CAM_rough_allowance_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return allowance_changed(dialog_id);
}

int QZ_CAM_middle_allowance_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    return allowance_changed(dialog_id);
}

int QZ_CAM_start_prog_name_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) check_start_prog_name(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_set_r_m_f_other_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    const int entry = ask_item_integer(dialog_id, QZ_CAM_OPTION_13, OPTION_13_NOTHING);
    const int kind = class_of_option_entry(entry);
    if (kind >= 0) set_r_m_f_other(dialog_id, kind);
    else if (is_name_mark_option_entry(entry)) set_name_mark(dialog_id, entry);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_collapse_groups_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    show_groups_collapsed(ask_item_integer(dialog_id, QZ_CAM_TOGGLE_13));
    refresh_plan_list(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_sel_list_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    const int replay = ask_item_integer(dialog_id, QZ_CAM_TOGGLE_15);
    UF_DISP_refresh();
    sel_oper *selected = nullptr;
    if (replay && get_dlg_list_sel_oper(dialog_id, &selected))
        for (sel_oper *s = selected; s; s = s->next_p)
            if (s->oper_p->obj_tag != NULL_TAG) UF_CALL(UF_PARAM_replay_path(s->oper_p->obj_tag));
    free_sel_oper_list(&selected);
    show_main_dialog_banner();
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_sel_list_double_click_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) {
        show_torvane_message("QZ_CAM_sel_list_double_click_c_01:");
        return UF_UI_CB_CONTINUE_DIALOG;
    }
    for (r_m_f_or_other *node : selection.classes)
        toggle_node(dialog_id, node, PLAN_CLASS_LINE,
                    [&](int index) { insert_node_lines(dialog_id, index, *node); });
    for (prog_group *node : selection.groups)
        if (r_m_f_or_other *parent = class_of_group(node))
            toggle_node(dialog_id, node, PLAN_GROUP_LINE,
                        [&](int index) { insert_node_lines(dialog_id, index, *node, *parent); });
    for (oper *node : selection.opers) edit_operation(dialog_id, node);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_tool_dia_filter_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) fill_tool_menu(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_tool_libref_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) use_chosen_tool_library(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_list_action_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) run_list_action(dialog_id, ask_item_integer(dialog_id, QZ_CAM_BLO_19, -1));
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_sel_cam_face_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) run_pick_action(dialog_id, ask_item_integer(dialog_id, QZ_CAM_BLO_20, -1));
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_report_post_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    switch (ask_item_integer(dialog_id, QZ_CAM_BLO_59, -1)) {
    case BLO_59_REPORT:
        report_oper_list();
        return UF_UI_CB_CONTINUE_DIALOG;
    case BLO_59_POST:
        return post_backstage_calc(dialog_id) ? move_on_after_post() : UF_UI_CB_CONTINUE_DIALOG;
    default:
        return UF_UI_CB_CONTINUE_DIALOG;
    }
}

int QZ_CAM_part_files_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    switch (ask_item_integer(dialog_id, QZ_CAM_BLO_68, -1)) {
    case BLO_68_CHOOSE:
        sel_more_part_files(dialog_id);
        return UF_UI_CB_CONTINUE_DIALOG;
    case BLO_68_NEXT:
        return next_part_file(dialog_id) ? UF_UI_CB_EXIT_DIALOG : UF_UI_CB_CONTINUE_DIALOG;
    case BLO_68_REMOVE:
        remove_sel_part_files(dialog_id);
        return UF_UI_CB_CONTINUE_DIALOG;
    default:
        return UF_UI_CB_CONTINUE_DIALOG;
    }
}

int QZ_CAM_elec_workpiece_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) set_item_sensitive(dialog_id, QZ_CAM_INT_34, ask_item_integer(dialog_id, QZ_CAM_TOGGLE_35));
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_keep_classes_cb(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_CONTINUE_DIALOG; }

int QZ_CAM_part_file_list_cb(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_CONTINUE_DIALOG; }

int QZ_CAM_post_dir_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    std::string directory;
    if (choose_directory(ask_item_text(dialog_id, QZ_CAM_WIDE_S_32), &directory))
        set_item_text(dialog_id, QZ_CAM_WIDE_S_32, directory.c_str());
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_part_dir_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    std::string directory;
    if (!choose_directory(directory_of(ask_item_text(dialog_id, QZ_CAM_WIDE_S_59).c_str()), &directory))
        return UF_UI_CB_CONTINUE_DIALOG;
    set_item_text(dialog_id, QZ_CAM_WIDE_S_59, part_path_in_directory(directory, displayed_part_path().c_str()).c_str());
    return UF_UI_CB_CONTINUE_DIALOG;
}
