// The template selection dialog: the first dialog of every turn. It lists the CAM templates,
// shows the description and picture of the one under the cursor and lets the user choose one
// or declare the displayed part the template; it also says whether all visible solids are
// the electrodes.
#ifndef TORVANE_SEL_TEMPLATE_DLG_H_INCLUDED
#define TORVANE_SEL_TEMPLATE_DLG_H_INCLUDED

#include <string>
#include <vector>

#include "my_func_cam/cam_template.h"
#include "uf_styler.h"

#define SEL_TEMP_DIALOG_FILE "sel_cam_template_dlg.dlg"
#define SEL_TEMP_STATE_PATH "D:\\qz_conf\\temp\\torvane_sel_temp.dat"
#define SEL_TEMP_STATE_SIZE 8
#define SEL_TEMP_CB_COUNT 8

#define SEL_TEMP_LIST_1 "LIST_1"      // one line per template
#define SEL_TEMP_TOGGLE_2 "TOGGLE_2"  // all visible solids are the electrodes
#define SEL_TEMP_MTXT_3 "MTXT_3"      // description of the template under the cursor
#define SEL_TEMP_BITMAP_3 "BITMAP_3"  // its picture
#define SEL_TEMP_BLO_3 "BLO_3"        // edit the current part

#define SEL_TEMP_LINE_BUFSIZE (2 * CAM_TEMPLATE_FIELD_BUFSIZE + 2)

// Shows the dialog; NX's code of UF_STYLER_create_dialog, the response in *response.
int run_sel_template_dialog(int *response);

// List line of a record: "label  file", or the file alone without a label.
void sel_temp_list_line(const cam_template *record, char line[SEL_TEMP_LINE_BUFSIZE]);

// Template file named by a list line: the text after the first blank and the blanks that
// follow it, or the whole line when it has no blank.
void sel_temp_name_of_line(const char *line, char name[SEL_TEMP_LINE_BUFSIZE]);

// Lines of a description: each '|' ends a line; a trailing '|' adds no empty line.
std::vector<std::string> sel_temp_description_lines(const char *description);

// Description lines of a template into the multi-line text text_id and its picture (the
// template folder's "null.bmp" when it names none) into the bitmap bitmap_id.
void show_template_preview(int dialog_id, const cam_template *record, const char *text_id, const char *bitmap_id);

// The stored list index and toggle; both 0 when the file is missing or short.
void read_sel_temp_state(int *index, int *toggle);

// Writes the 8-byte state file; 0 when it could not be created, -1 when writing failed.
int write_sel_temp_state(int index, int toggle);

int SEL_TEMP_constructor_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_destructor_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_ok_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_cancel_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_back_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_sel_template_list_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);
int SEL_TEMP_edit_current_part_cb(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t callback_data);

#endif
