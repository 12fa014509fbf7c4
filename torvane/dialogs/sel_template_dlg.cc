// Callbacks and helpers of the template selection dialog.
#include "torvane/dialogs/sel_template_dlg.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "my_func/my_func.h"
#include "my_func_cam/cam_template.h"
#include "sys/sys_file.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "torvane/state/run_state.h"
#include "uf.h"
#include "uf_ui.h"

namespace {

// "Choose a CAM template: double-click it or press OK; "Edit current part" takes the displayed
// part as the template" in code page 936.
const char PROMPT_BANNER[] =
    "\xc7\xeb\xd1\xa1\xd4\xf1\x43\x41\x4d\xc4\xa3\xb0\xe5\xa3\xba\xcb\xab\xbb\xf7\xc4\xa3\xb0\xe5\xbb\xf2\xb0\xb4"
    "\xc8\xb7\xb6\xa8\xa3\xbb\xa1\xb0\xb1\xe0\xbc\xad\xb5\xb1\xc7\xb0\xb2\xbf\xbc\xfe\xa1\xb1\xd2\xd4\xb5\xb1\xc7"
    "\xb0\xb2\xbf\xbc\xfe\xce\xaa\xc4\xa3\xb0\xe5";
const char NULL_BITMAP[] = "null.bmp";

// Template file named by the selected LIST_1 line; "" without a selection.
void ask_selected_template_name(int dialog_id, char name[SEL_TEMP_LINE_BUFSIZE]) {
    name[0] = '\0';
    const std::string line = ask_item_text(dialog_id, SEL_TEMP_LIST_1);
    if (!line.empty()) sel_temp_name_of_line(line.c_str(), name);
}

// The record whose template file is exactly name, first in list order.
cam_template *template_named(const char *name) {
    for (cam_template *cam_template_current_p = static_template_list; cam_template_current_p;
         cam_template_current_p = cam_template_current_p->next_p)
        if (std::strcmp(cam_template_current_p->template_file, name) == 0) return cam_template_current_p;
    return nullptr;
}

void fill_template_list(int dialog_id) {
    list_delete_line(dialog_id, SEL_TEMP_LIST_1, UF_STYLER_NO_SUB_INDEX);
    for (const cam_template *cam_template_current_p = static_template_list; cam_template_current_p;
         cam_template_current_p = cam_template_current_p->next_p) {
        if (!cam_template_current_p->template_file[0]) continue;
        char line[SEL_TEMP_LINE_BUFSIZE];
        sel_temp_list_line(cam_template_current_p, line);
        list_insert_line(dialog_id, SEL_TEMP_LIST_1, UF_STYLER_NO_SUB_INDEX, line);
    }
}

// Description and picture of the template on the selected line.
void show_selected_template(int dialog_id) {
    char name[SEL_TEMP_LINE_BUFSIZE];
    ask_selected_template_name(dialog_id, name);
    const cam_template *record = template_named(name);
    if (!record) {
        show_torvane_name_message("SEL_TEMP_sel_template_list_c_01:", name, "SEL_TEMP_sel_template_list_c_02:");
        return;
    }
    show_template_preview(dialog_id, record, SEL_TEMP_MTXT_3, SEL_TEMP_BITMAP_3);
}

void copy_field(char *field, std::size_t size, const char *text) { MY_copy_cut(field, size, text); }

UF_STYLER_callback_info_t SEL_TEMP_cbs[SEL_TEMP_CB_COUNT] = {
    {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, SEL_TEMP_constructor_cb},
    {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_DESTRUCTOR_CB, 0, SEL_TEMP_destructor_cb},
    {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_OK_CB, 0, SEL_TEMP_ok_cb},
    {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CANCEL_CB, 0, SEL_TEMP_cancel_cb},
    {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_BACK_CB, 0, SEL_TEMP_back_cb},
    {const_cast<char *>(SEL_TEMP_LIST_1), UF_STYLER_ACTIVATE_CB, 0, SEL_TEMP_sel_template_list_cb},
    {const_cast<char *>(SEL_TEMP_BLO_3), UF_STYLER_ACTIVATE_CB, 0, SEL_TEMP_edit_current_part_cb},
    {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr},
};

}  // namespace

void show_template_preview(int dialog_id, const cam_template *record, const char *text_id, const char *bitmap_id) {
    set_item_lines(dialog_id, text_id, sel_temp_description_lines(record->description));
    char bitmap[MAX_FSPEC_BUFSIZE + CAM_TEMPLATE_FIELD_BUFSIZE];
    std::snprintf(bitmap, sizeof bitmap, "%s\\%s", CAM_TEMPLATE_DIR,
                  record->bitmap_file[0] ? record->bitmap_file : NULL_BITMAP);
    set_item_bitmap(dialog_id, bitmap_id, bitmap);
}

int run_sel_template_dialog(int *response) {
    *response = 0;
    return UF_STYLER_create_dialog(SEL_TEMP_DIALOG_FILE, SEL_TEMP_cbs, SEL_TEMP_CB_COUNT, nullptr, response);
}

void sel_temp_list_line(const cam_template *record, char line[SEL_TEMP_LINE_BUFSIZE]) {
    if (record->label[0])
        std::snprintf(line, SEL_TEMP_LINE_BUFSIZE, "%s  %s", record->label, record->template_file);
    else
        std::snprintf(line, SEL_TEMP_LINE_BUFSIZE, "%s", record->template_file);
}

void sel_temp_name_of_line(const char *line, char name[SEL_TEMP_LINE_BUFSIZE]) {
    const char *blank = std::strchr(line, ' ');
    const char *start = line;
    if (blank) {
        start = blank;
        while (*start == ' ') ++start;
    }
    std::snprintf(name, SEL_TEMP_LINE_BUFSIZE, "%s", start);
}

std::vector<std::string> sel_temp_description_lines(const char *description) {
    std::vector<std::string> lines;
    std::string line;
    for (const char *p = description; *p; ++p) {
        if (*p == '|') {
            lines.push_back(line);
            line.clear();
        } else if (line.size() < TEMPLATE_DESCR_BUFSIZE - 1) {
            line += *p;
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

void read_sel_temp_state(int *index, int *toggle) {
    *index = 0;
    *toggle = 0;
    FILE *file = sys_fopen(SEL_TEMP_STATE_PATH, "rb");
    if (!file) return;
    unsigned char bytes[SEL_TEMP_STATE_SIZE];
    if (std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes) {
        int32_t values[2];
        std::memcpy(values, bytes, sizeof values);
        *index = values[0];
        *toggle = values[1];
    }
    std::fclose(file);
}

int write_sel_temp_state(int index, int toggle) {
    FILE *file = sys_fopen(SEL_TEMP_STATE_PATH, "wb");
    if (!file) return 0;
    const int32_t values[2] = {index, toggle};
    bool written = std::fwrite(values, 1, sizeof values, file) == sizeof values;
    written = std::fclose(file) == 0 && written;
    return written ? 1 : -1;
}

int SEL_TEMP_constructor_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    int index = 0;
    int toggle = 0;
    read_sel_temp_state(&index, &toggle);
    set_item_integer(dialog_id, SEL_TEMP_TOGGLE_2, toggle);
    if (!MY_read_qz_cam_template_def(&static_template_list, CAM_TEMPLATE_DIR, CAM_TEMPLATE_SET_PATH))
        return UF_UI_CB_CONTINUE_DIALOG;
    MY_read_qz_cam_insert(&static_insert_group_def, INSERT_GROUP_DEF_PATH);
    MY_read_qz_cam_insert(&static_insert_oper_def, INSERT_OPER_DEF_PATH);
    fill_template_list(dialog_id);
    list_select_line(dialog_id, SEL_TEMP_LIST_1, index);
    show_selected_template(dialog_id);
    UF_UI_set_prompt(const_cast<char *>(PROMPT_BANNER));
    return UF_UI_CB_CONTINUE_DIALOG;
}

int SEL_TEMP_sel_template_list_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (session.open) show_selected_template(dialog_id);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int SEL_TEMP_ok_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    static_use_all_solids = ask_item_integer(dialog_id, SEL_TEMP_TOGGLE_2);
    char name[SEL_TEMP_LINE_BUFSIZE];
    ask_selected_template_name(dialog_id, name);
    if (cam_template *record = template_named(name)) {
        static_sel_template_p = record;
        return UF_UI_CB_EXIT_DIALOG;
    }
    if (!show_torvane_name_message("SEL_TEMP_ok_c_01:", name, "SEL_TEMP_ok_c_02:")) return UF_UI_CB_EXIT_DIALOG;
    return UF_UI_CB_CONTINUE_DIALOG;
}

int SEL_TEMP_edit_current_part_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    char lang_path[MY_PATH_BUFSIZE];
    char text[MY_MESSAGE_BUFSIZE];
    build_lang_path(lang_path, TORVANE_LANG_FORMAT);
    if (!lookup_message("SEL_TEMP_edit_current_part_c_01:", text, lang_path)) return UF_UI_CB_CONTINUE_DIALOG;
    cam_template *record = new (std::nothrow) cam_template;
    if (!record) return UF_UI_CB_CONTINUE_DIALOG;
    static_use_all_solids = ask_item_integer(dialog_id, SEL_TEMP_TOGGLE_2);
    static_edit_current_part = 1;
    copy_field(record->label, sizeof record->label, text);
    copy_field(record->template_file, sizeof record->template_file, text);
    copy_field(record->description, sizeof record->description, text);
    // Not part of the template list: freeing the list frees it too.
    static_sel_template_p = record;
    return UF_UI_CB_EXIT_DIALOG;
}

int SEL_TEMP_cancel_cb(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_EXIT_DIALOG; }

int SEL_TEMP_back_cb(int, void *, UF_STYLER_item_value_type_p_t) { return UF_UI_CB_EXIT_DIALOG; }

int SEL_TEMP_destructor_cb(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    callback_session session;
    if (!session.open) return UF_UI_CB_CONTINUE_DIALOG;
    int toggle = ask_item_integer(dialog_id, SEL_TEMP_TOGGLE_2);
    int index = ask_item_integer(dialog_id, SEL_TEMP_LIST_1);
    if (write_sel_temp_state(index, toggle) < 0) uc1601(STATE_WRITE_FAILED_TEXT, 1);
    return UF_UI_CB_CONTINUE_DIALOG;
}
