// The main dialog: where the CAM programmer reviews and edits the plan between the template scan
// and the calculation. It shows the plan as a list, holds every setting of the calculation and
// keeps them from run to run in the settings record. Its callbacks only map items to the record
// and the plan and call the functions that do the work.
#ifndef TORVANE_MAIN_DLG_H_INCLUDED
#define TORVANE_MAIN_DLG_H_INCLUDED

#include <string>

#include "torvane/dialogs/main_dlg_items.h"
#include "uf_styler.h"

// Callback entries given to UF_STYLER_create_dialog: 32 and the closing null entry.
#define QZ_CAM_CB_COUNT 33

// Shows the dialog; NX's code of UF_STYLER_create_dialog, the response in *response.
int run_main_dialog(int *response);

// The callback table, for a look at its order and flags.
const UF_STYLER_callback_info_t *main_dialog_callbacks(void);

// ---- steps shared by the constructor and the item callbacks ---------------------------------

// Full path of the displayed part; "" when NX cannot say.
std::string displayed_part_path(void);

// The value field of a class is open exactly while its switch is on.
void show_class_value_sensitivity(int dialog_id, int kind);

// Reads the tool library chosen in OPTION_28 into static_tool_list (none for the last entry,
// which stands for working without a library) and fills OPTION_16.
void use_chosen_tool_library(int dialog_id);

// OPTION_16 from static_tool_list with the diameter filter of REAL_21.
void fill_tool_menu(int dialog_id);

// Every program group of the plan shown collapsed (TOGGLE_13 on) or expanded.
void show_groups_collapsed(int collapsed);

// The part-file list MULTI_LIST_70, one line per part file.
void fill_part_file_list(int dialog_id);

// The program's banner on the prompt line.
void show_main_dialog_banner(void);

// ---- callbacks ------------------------------------------------------------------------------

int QZ_CAM_construct_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_destruct_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_ok_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_apply_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_back_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_calc_tool_path_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_rough_toggle_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_rough_space_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_middle_toggle_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_middle_space_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_finish_toggle_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_finish_space_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_other_toggle_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_other_value_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_start_prog_name_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_set_r_m_f_other_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_collapse_groups_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_sel_list_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_sel_list_double_click_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_tool_dia_filter_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_list_action_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_sel_cam_face_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_tool_libref_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_elec_workpiece_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_keep_classes_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_rough_allowance_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_middle_allowance_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_post_dir_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_part_dir_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_report_post_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_part_files_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int QZ_CAM_part_file_list_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);

#endif
