// The batch of part files of the main dialog.
#include "torvane/dialogs/part_files.h"

#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "my_func_cam/sel_more_file.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf_assem.h"
#include "uf_cfi.h"
#include "uf_part.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"

namespace {

// File name of a part path as NX cuts it (directory and extension off).
std::string part_file_name(const std::string &path) {
    char name[UF_CFI_MAX_FILE_NAME_BUFSIZE] = "";
    UF_CALL(uc4574(path.c_str(), PART_FILE_TYPE, name));
    return name;
}

// The loaded part of that file, or the file opened; NULL_TAG when it cannot be.
tag_t loaded_or_opened(const char *path) {
    const int loaded = UF_PART_is_loaded(path);
    if (loaded == 1 || loaded == 2) return UF_PART_ask_part_tag(path);
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status{};
    const int rc = UF_CALL(UF_PART_open(path, &part, &status));
    UF_PART_free_load_status(&status);
    return rc == 0 ? part : NULL_TAG;
}

// The node before node in the list; nullptr for the first.
part_file *previous_part_file(part_file *node) {
    for (part_file *p = static_part_file_list; p; p = p->next_p)
        if (p->next_p == node) return p;
    return nullptr;
}

void unlink_part_file(part_file *node) {
    part_file *previous = previous_part_file(node);
    (previous ? previous->next_p : static_part_file_list) = node->next_p;
    if (static_current_part_file == node) static_current_part_file = previous;
    delete node;
}

}  // namespace

int is_batch_part_path(const std::string &path, const std::string &displayed_path) {
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && path.compare(dot, std::string::npos, PART_FILE_EXTENSION) == 0 &&
           path != displayed_path;
}

void sel_more_part_files(int dialog_id) {
    std::vector<std::string> paths;
    if (!MY_sel_more_files(&paths)) return;
    free_part_file_list();
    const std::string displayed = displayed_part_path();
    for (const std::string &path : paths) {
        if (!is_batch_part_path(path, displayed)) continue;
        if (!append_part_file(&static_part_file_list, part_file_name(path).c_str(), path.c_str())) {
            show_torvane_message("sel_more_part_file_01:");
            break;
        }
    }
    fill_part_file_list(dialog_id);
}

int make_next_part_file_current(void) {
    part_file *next = static_current_part_file ? static_current_part_file->next_p : static_part_file_list;
    if (!next) return 0;
    static_current_part_file = next;
    static_next_part_pending = 1;
    return 1;
}

int next_part_file(int) {
    if (!static_part_file_list) {
        show_torvane_message("sel_more_part_file_02:");
        return 0;
    }
    if (!make_next_part_file_current()) {
        show_torvane_message("sel_more_part_file_03:");
        return 0;
    }
    return 1;
}

void remove_sel_part_files(int dialog_id) {
    std::vector<std::string> lines;
    ask_list_selection(dialog_id, QZ_CAM_MULTI_LIST_70, &lines);
    for (const std::string &line : lines) {
        const std::size_t blank = line.rfind(' ');
        const std::string name = blank == std::string::npos ? line : line.substr(blank + 1);
        uc1601(name.c_str(), 1);
        for (part_file *node = static_part_file_list; node; node = node->next_p)
            if (name == node->file_name) {
                unlink_part_file(node);
                break;
            }
    }
    fill_part_file_list(dialog_id);
}

int move_on_after_post(void) {
    make_next_part_file_current();
    return 1;
}

void open_next_part_file(void) {
    if (!static_next_part_pending || !static_current_part_file) return;
    const bool handed_off = static_post_started != 0;
    const tag_t previous = UF_PART_ask_display_part();
    if (!handed_off) UF_CALL(UF_PART_save());
    const tag_t next = loaded_or_opened(static_current_part_file->part_path);
    if (next == NULL_TAG) return;
    // Mode 2 closes only an unmodified part: one whose save failed stays loaded.
    if (!handed_off && previous != NULL_TAG && previous != next) UF_CALL(UF_PART_close(previous, 1, 2));
    if (UF_CALL(UF_PART_set_display_part(next)) == 0) UF_CALL(UF_ASSEM_set_work_part(next));
    UF_CALL(UF_UI_ONT_refresh());
}
