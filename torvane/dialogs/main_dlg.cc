// The main dialog's callback table, its opening and closing, the navigation buttons and the
// steps its callbacks share.
#include "torvane/dialogs/main_dlg.h"

#include <cstdio>
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/plan/program_order.h"
#include "torvane/setup/check_blocks.h"
#include "torvane/dialogs/insert_menus.h"
#include "torvane/dialogs/main_dlg_setup.h"
#include "torvane/dialogs/part_files.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/prog_name.h"
#include "torvane/dialogs/sel_template_dlg.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "torvane/state/plan_view.h"
#include "torvane/state/run_state.h"
#include "uf_part.h"
#include "uf_ui.h"

const char *const QZ_CAM_CLASS_TOGGLES[4] = {QZ_CAM_TOGGLE_4, QZ_CAM_TOGGLE_6, QZ_CAM_TOGGLE_8, QZ_CAM_TOGGLE_10};
const char *const QZ_CAM_CLASS_REALS[4] = {QZ_CAM_REAL_5, QZ_CAM_REAL_7, QZ_CAM_REAL_9, QZ_CAM_REAL_11};

namespace {

// "Check the plan and the machining settings: Apply or OK calculates the tool paths, Back ends"
// in code page 936.
const char BANNER[] =
    "\xbc\xec\xb2\xe9\xb3\xcc\xd0\xf2\xbc\xc6\xbb\xae\xba\xcd\xbc\xd3\xb9\xa4\xb2\xce\xca\xfd\xa3\xba\xb0\xb4\xa1"
    "\xb0\xd3\xa6\xd3\xc3\xa1\xb1\xbb\xf2\xa1\xb0\xc8\xb7\xb6\xa8\xa1\xb1\xbc\xc6\xcb\xe3\xb5\xb6\xb9\xec\xa3\xac"
    "\xb0\xb4\xa1\xb0\xb7\xb5\xbb\xd8\xa1\xb1\xbd\xe1\xca\xf8";

// Section key of tool library n: this text, its number and a colon.
const char TOOL_LIBREF_SECTION_KEY[] = "tool_data_define_start_";

// Status texts of the part-file list, looked up once a run.
std::string static_part_file_status_texts[2];
bool static_part_file_status_known = false;

#define DIALOG_CB(type, proc) {const_cast<char *>(UF_STYLER_DIALOG_INDEX), type, 0, proc}
#define ITEM_CB(item, type, skip_check, proc) {const_cast<char *>(item), type, skip_check, proc}

UF_STYLER_callback_info_t QZ_CAM_cbs[QZ_CAM_CB_COUNT] = {
    DIALOG_CB(UF_STYLER_CONSTRUCTOR_CB, QZ_CAM_construct_cb),
    DIALOG_CB(UF_STYLER_DESTRUCTOR_CB, QZ_CAM_destruct_cb),
    DIALOG_CB(UF_STYLER_OK_CB, QZ_CAM_ok_cb),
    DIALOG_CB(UF_STYLER_APPLY_CB, QZ_CAM_apply_cb),
    DIALOG_CB(UF_STYLER_BACK_CB, QZ_CAM_back_cb),
    ITEM_CB(QZ_CAM_ACTION_3, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_calc_tool_path_cb),
    ITEM_CB(QZ_CAM_TOGGLE_4, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_rough_toggle_cb),
    ITEM_CB(QZ_CAM_REAL_5, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_rough_space_cb),
    ITEM_CB(QZ_CAM_TOGGLE_6, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_middle_toggle_cb),
    ITEM_CB(QZ_CAM_REAL_7, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_middle_space_cb),
    ITEM_CB(QZ_CAM_TOGGLE_8, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_finish_toggle_cb),
    ITEM_CB(QZ_CAM_REAL_9, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_finish_space_cb),
    ITEM_CB(QZ_CAM_TOGGLE_10, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_other_toggle_cb),
    ITEM_CB(QZ_CAM_REAL_11, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_other_value_cb),
    ITEM_CB(QZ_CAM_STR_10, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_start_prog_name_cb),
    ITEM_CB(QZ_CAM_OPTION_13, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_set_r_m_f_other_cb),
    ITEM_CB(QZ_CAM_TOGGLE_13, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_collapse_groups_cb),
    ITEM_CB(QZ_CAM_MULTI_LIST_14, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_sel_list_cb),
    ITEM_CB(QZ_CAM_MULTI_LIST_14, UF_STYLER_DOUBLE_CLICK_CB, 1, QZ_CAM_sel_list_double_click_cb),
    ITEM_CB(QZ_CAM_REAL_21, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_tool_dia_filter_cb),
    ITEM_CB(QZ_CAM_BLO_19, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_list_action_cb),
    ITEM_CB(QZ_CAM_BLO_20, UF_STYLER_ACTIVATE_CB, 1, QZ_CAM_sel_cam_face_cb),
    ITEM_CB(QZ_CAM_OPTION_28, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_tool_libref_cb),
    ITEM_CB(QZ_CAM_TOGGLE_35, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_elec_workpiece_cb),
    ITEM_CB(QZ_CAM_TOGGLE_34, UF_STYLER_VALUE_CHANGED_CB, 0, QZ_CAM_keep_classes_cb),
    ITEM_CB(QZ_CAM_REAL_35, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_rough_allowance_cb),
    ITEM_CB(QZ_CAM_REAL_36, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_middle_allowance_cb),
    ITEM_CB(QZ_CAM_ACTION_57, UF_STYLER_ACTIVATE_CB, 1, QZ_CAM_post_dir_cb),
    ITEM_CB(QZ_CAM_ACTION_60, UF_STYLER_ACTIVATE_CB, 1, QZ_CAM_part_dir_cb),
    ITEM_CB(QZ_CAM_BLO_59, UF_STYLER_ACTIVATE_CB, 0, QZ_CAM_report_post_cb),
    ITEM_CB(QZ_CAM_BLO_68, UF_STYLER_ACTIVATE_CB, 1, QZ_CAM_part_files_cb),
    ITEM_CB(QZ_CAM_MULTI_LIST_70, UF_STYLER_DOUBLE_CLICK_CB, 0, QZ_CAM_part_file_list_cb),
    ITEM_CB(UF_STYLER_NULL_OBJECT, UF_STYLER_NO_CB, 0, nullptr),
};

#undef DIALOG_CB
#undef ITEM_CB

// The stored settings, STR_10 from the part's name and the part paths.
void show_settings(int dialog_id, const std::string &part_path) {
    show_dlg_state_items(dialog_id, {QZ_CAM_RADIO_1, QZ_CAM_RADIO_2, QZ_CAM_RADIO_3, QZ_CAM_TOGGLE_15,
                                     QZ_CAM_TOGGLE_13, QZ_CAM_TOGGLE_35, QZ_CAM_INT_34, QZ_CAM_TOGGLE_29,
                                     QZ_CAM_TOGGLE_33, QZ_CAM_TOGGLE_32, QZ_CAM_TOGGLE_34, QZ_CAM_TOGGLE_38,
                                     QZ_CAM_TOGGLE_39, QZ_CAM_TOGGLE_57, QZ_CAM_RADIO_60, QZ_CAM_REAL_23,
                                     QZ_CAM_REAL_24, QZ_CAM_REAL_25, QZ_CAM_REAL_26, QZ_CAM_REAL_35,
                                     QZ_CAM_REAL_36, QZ_CAM_WIDE_S_32, QZ_CAM_WIDE_S_58});
    set_item_sensitive(dialog_id, QZ_CAM_TOGGLE_33, 0);
    set_item_text(dialog_id, QZ_CAM_STR_10, default_start_prog_name(part_path.c_str()).c_str());
    set_item_text(dialog_id, QZ_CAM_WIDE_S_59,
                  shown_part_path(static_dlg_state.radio_60, static_dlg_state.wide_s_59, part_path.c_str()).c_str());
}

// Class switches and values: the stored ones, the electrodes' or the configuration's unless the
// user keeps the stored ones, and off for a class the plan does not have. 0 when an electrode's
// attributes could not be read.
int show_classes(int dialog_id) {
    const dlg_state &state = static_dlg_state;
    class_settings classes;
    const int32_t on[4] = {state.toggle_4, state.toggle_6, state.toggle_8, state.toggle_10};
    const double value[4] = {state.real_5, state.real_7, state.real_9, state.real_11};
    for (int kind = 0; kind < 4; ++kind) {
        classes.on[kind] = on[kind];
        classes.value[kind] = value[kind];
    }
    if (!state.toggle_34 && !classes_of_electrodes(static_elec_tags, static_elec_count, static_edm_descr, &classes))
        return 0;
    int present[4];
    classes_in_plan(static_plan_list, present);
    for (int kind = 0; kind < 4; ++kind) {
        set_item_integer(dialog_id, QZ_CAM_CLASS_TOGGLES[kind], present[kind] ? classes.on[kind] : 0);
        set_item_real(dialog_id, QZ_CAM_CLASS_REALS[kind], classes.value[kind]);
        if (!present[kind]) set_item_sensitive(dialog_id, QZ_CAM_CLASS_TOGGLES[kind], 0);
    }
    return 1;
}

void show_template(int dialog_id) {
    char count[16];
    std::snprintf(count, sizeof count, "%d", static_elec_count);
    set_item_text(dialog_id, QZ_CAM_STR_38, count);
    if (static_sel_template_p) show_template_preview(dialog_id, static_sel_template_p, QZ_CAM_MTXT_31, QZ_CAM_BITMAP_33);
}

// Apply's work, also run by OK.
int apply_settings(int dialog_id) {
    std::string text;
    if (!torvane_text("QZ_CAM_apply_c_01:", &text)) return UF_UI_CB_CONTINUE_DIALOG;
    store_dlg_state(dialog_id);
    if (!static_edit_current_part && static_dlg_state.toggle_39 && !check_start_prog_name(dialog_id))
        return UF_UI_CB_CONTINUE_DIALOG;
    static_calc_single = 0;
    apply_calc(dialog_id, 1);
    if (!static_ok_pressed) uc1601(text.c_str(), 1);
    static_ok_pressed = 0;
    return UF_UI_CB_CONTINUE_DIALOG;
}

}  // namespace

int run_main_dialog(int *response) {
    *response = 0;
    static const plan_view_hooks hooks = {insert_oper_line_after, get_dlg_list_sel_oper, fill_part_file_list};
    install_plan_view(&hooks);
    const int rc = UF_STYLER_create_dialog(QZ_CAM_DIALOG_FILE, QZ_CAM_cbs, QZ_CAM_CB_COUNT, nullptr, response);
    remove_plan_view();
    return rc;
}

const UF_STYLER_callback_info_t *main_dialog_callbacks(void) { return QZ_CAM_cbs; }

std::string displayed_part_path(void) {
    char path[MAX_FSPEC_BUFSIZE] = "";
    const tag_t part = UF_PART_ask_display_part();
    if (part != NULL_TAG) UF_CALL(UF_PART_ask_part_name(part, path));
    return path;
}

void show_class_value_sensitivity(int dialog_id, int kind) {
    set_item_sensitive(dialog_id, QZ_CAM_CLASS_REALS[kind], ask_item_integer(dialog_id, QZ_CAM_CLASS_TOGGLES[kind]));
}

void use_chosen_tool_library(int dialog_id) {
    const std::vector<std::string> entries = ask_item_entries(dialog_id, QZ_CAM_OPTION_28);
    const int chosen = ask_item_integer(dialog_id, QZ_CAM_OPTION_28);
    if (entries.empty() || chosen < 0 || chosen >= static_cast<int>(entries.size()) - 1) {
        free_tool_data_list(&static_tool_list);
    } else if (int number = tool_libref_number(static_tool_libref_names, entries[static_cast<std::size_t>(chosen)])) {
        const std::string key = TOOL_LIBREF_SECTION_KEY + std::to_string(number) + ":";
        MY_read_tool_libref_new(key.c_str(), &static_tool_list, TOOL_LIBREF_PATH);
    }
    fill_tool_menu(dialog_id);
}

void fill_tool_menu(int dialog_id) {
    set_item_entries(dialog_id, QZ_CAM_OPTION_16,
                     tool_menu_entries(static_tool_list, ask_item_real(dialog_id, QZ_CAM_REAL_21)));
}

void show_groups_collapsed(int collapsed) {
    visit_plan_groups(static_plan_list, [collapsed](prog_group *group, r_m_f_or_other *) {
        group->expanded = collapsed ? 0 : 1;
        return false;
    });
}

// One line of the part-file list appended.
int add_file_item_to_dlg_list_tail(int dialog_id, const part_file &file) {
    if (!static_part_file_status_known) {
        if (!lookup_messages(TORVANE_LANG_FORMAT,
                             {"add_file_item_to_dlg_list_tai_01:", "add_file_item_to_dlg_list_tai_02:"},
                             static_part_file_status_texts))
            return 0;
        static_part_file_status_known = true;
    }
    return list_insert_line(dialog_id, QZ_CAM_MULTI_LIST_70, UF_STYLER_NO_SUB_INDEX,
                            part_file_line(file, static_part_file_status_texts).c_str()) == 0;
}

void fill_part_file_list(int dialog_id) {
    list_delete_line(dialog_id, QZ_CAM_MULTI_LIST_70, UF_STYLER_NO_SUB_INDEX);
    for (const part_file *part_file_current_p = static_part_file_list; part_file_current_p;
         part_file_current_p = part_file_current_p->next_p)
        if (!add_file_item_to_dlg_list_tail(dialog_id, *part_file_current_p)) return;
}

void show_main_dialog_banner(void) { UF_UI_set_prompt(const_cast<char *>(BANNER)); }

int QZ_CAM_construct_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    std::string texts[2];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"QZ_CAM_construct_c_01:", "QZ_CAM_construct_c_02:"}, texts))
        return UF_UI_CB_CONTINUE_DIALOG;
    const std::string part_path = displayed_part_path();
    load_dlg_state();
    show_settings(dialog_id, part_path);
    if (!show_classes(dialog_id)) return UF_UI_CB_CONTINUE_DIALOG;
    set_item_entries(dialog_id, QZ_CAM_OPTION_28, tool_libref_menu_entries(static_tool_libref_names, texts[1], texts[0]));
    show_dlg_state_items(dialog_id, {QZ_CAM_OPTION_28});
    show_template(dialog_id);

    for (int kind = 0; kind < 4; ++kind) show_class_value_sensitivity(dialog_id, kind);
    use_chosen_tool_library(dialog_id);
    set_item_sensitive(dialog_id, QZ_CAM_INT_34, ask_item_integer(dialog_id, QZ_CAM_TOGGLE_35));
    show_groups_collapsed(ask_item_integer(dialog_id, QZ_CAM_TOGGLE_13));
    store_dlg_state(dialog_id);
    refresh_plan_list(dialog_id);
    set_dlg_insert_prog_group_menu_value(dialog_id);
    fill_part_file_list(dialog_id);
    show_main_dialog_banner();
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_destruct_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    store_dlg_state(dialog_id);
    // The NX program tree in plan order first, so that the names run down it.
    if (static_dlg_state.toggle_39 && !static_post_started) {
        sync_program_order();
        reset_prog_name(dialog_id);
    }
    open_next_part_file();
    free_check_block_list(&static_check_block_list);
    free_plan_tree(&static_plan_list);
    save_dlg_state();
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_ok_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    std::string text;
    if (!torvane_text("QZ_CAM_ok_c_01:", &text)) return UF_UI_CB_CONTINUE_DIALOG;
    const int name_programs = ask_item_integer(dialog_id, QZ_CAM_TOGGLE_39);
    if (!static_edit_current_part && name_programs && !check_start_prog_name(dialog_id))
        return UF_UI_CB_CONTINUE_DIALOG;
    static_calc_single = 0;
    static_ok_pressed = 1;
    apply_settings(dialog_id);
    uc1601(text.c_str(), 1);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int QZ_CAM_apply_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    return apply_settings(dialog_id);
}

int QZ_CAM_back_cb(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_EXIT_DIALOG; }

int QZ_CAM_calc_tool_path_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    std::string texts[2];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"QZ_CAM_calc_tool_path_c_01:", "QZ_CAM_calc_tool_path_c_02:"}, texts))
        return UF_UI_CB_CONTINUE_DIALOG;
    store_dlg_state(dialog_id);
    UF_UI_set_prompt(&texts[0][0]);
    static_calc_single = 0;
    apply_calc(dialog_id, 0);
    UF_UI_set_prompt(&texts[1][0]);
    return UF_UI_CB_CONTINUE_DIALOG;
}
