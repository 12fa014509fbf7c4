// One run of the add-on: the start, the loop of turns, the end.
#include "torvane/session/session.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "my_func1/my_func1.h"
#include "torvane/dialogs/main_dlg.h"
#include "torvane/dialogs/sel_template_dlg.h"
#include "torvane/plan/template_scan.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_obj.h"
#include "uf_part.h"
#include "uf_ui.h"
#include "uf_undo.h"

namespace {

const char kHolderSectionKey[] = "holder_data_define_start_1:";

// A dialog that could not be created: NX's reason on the status line and the console.
void report_dialog_failure(int code) {
    char message[133];
    if (UF_get_fail_message(code, message) != 0) std::snprintf(message, sizeof message, "error %d", code);
    UF_UI_set_status(message);
    print_console("%s\n", message);
}

int read_tool_libref_names(void) {
    std::memset(static_tool_libref_names, 0, sizeof static_tool_libref_names);
    for (int n = 1; n <= TOOL_LIBREF_COUNT; ++n) {
        char key[32];
        char value[MY_CONFIG_VALUE_BUFSIZE];
        std::snprintf(key, sizeof key, "tool_libref_%d_name:", n);
        if (!read_config_value_char(key, value, TOOL_LIBREF_PATH)) return 0;
        // Library names are at most 255 characters; the reader allows one more.
        std::size_t length = strnlen(value, TOOL_LIBREF_NAME_BUFSIZE - 1);
        std::memcpy(static_tool_libref_names[n - 1], value, length);
    }
    return 1;
}

// Catalogue path, EDM gaps, release, library names, holders; 0 ends the run.
int start_run(void) {
    build_lang_path(static_lang_file, TORVANE_LANG_FORMAT);
    if (!read_config_edm_descr(&static_edm_descr)) return 0;
    ask_nx_release(&static_nx_release);
    if (!read_tool_libref_names()) return 0;
    // Without a holder table the cutters are created without holders.
    MY_read_holder_libref(kHolderSectionKey, &static_holder_list, HOLDER_LIBREF_PATH);
    return 1;
}

int is_marked_not_electrode(tag_t body) {
    char value[MY_ATTR_VALUE_BUFSIZE];
    return MY_read_obj_string_att(body, ELEC_MARK_CLAMP, value) ||
           MY_read_obj_string_att(body, ELEC_MARK_BASE_BLOCK, value);
}

// Keeps the visible solids that carry no clamp or base block mark, the first MAX_ELECTRODES.
int collect_visible_electrodes(void) {
    tag_t *solids = nullptr;
    int count = 0;
    if (!MY_select_screen_view_solids(&solids, &count)) return 0;
    int kept = 0;
    for (int i = 0; i < count && kept < MAX_ELECTRODES; ++i)
        if (!is_marked_not_electrode(solids[i])) solids[kept++] = solids[i];
    if (kept == count) {
        static_elec_tags = solids;
        static_elec_count = count;
        return 1;
    }
    tag_t *electrodes = nullptr;
    if (kept > 0) {
        int rc = 0;
        electrodes = static_cast<tag_t *>(UF_allocate_memory(static_cast<unsigned int>(kept * sizeof(tag_t)), &rc));
        if (rc != 0 || !electrodes) {
            UF_free(solids);
            show_torvane_message("ufusr_04:");
            return 0;
        }
        std::memcpy(electrodes, solids, kept * sizeof(tag_t));
    }
    UF_free(solids);
    static_elec_tags = electrodes;
    static_elec_count = kept;
    return 1;
}

int select_electrodes(void) {
    char prompt[MY_MESSAGE_BUFSIZE];
    if (!lookup_message("ufusr_02:", prompt, static_lang_file)) return 0;
    return MY_select_solids(&static_elec_tags, &static_elec_count, prompt);
}

// One turn; 1 when the next turn should start.
int run_turn(void) {
    reset_turn_state();
    if (UF_PART_ask_display_part() == NULL_TAG) {
        // After a batch of part files the last one may have been closed: the run just ends.
        if (!static_part_file_list) show_torvane_message("ufusr_01:");
        return 0;
    }
    UF_UNDO_mark_id_t mark = 0;
    UF_CALL(UF_UNDO_set_mark(UF_UNDO_visible, nullptr, &mark));

    int response = 0;
    int rc = run_sel_template_dialog(&response);
    if (rc != 0) report_dialog_failure(rc);
    if (!static_edit_current_part && response != UF_UI_OK) return 0;
    if (!static_sel_template_p) return 0;

    if (!collect_turn_electrodes()) return 0;
    if (static_elec_count == 0) {
        show_torvane_message("ufusr_03:");
        return 0;
    }
    if (!get_template_group_and_oper(static_sel_template_p->template_file, &static_plan_list,
                                     &static_insert_group_list, &static_insert_oper_list))
        return 0;
    rc = run_main_dialog(&response);
    if (rc != 0) report_dialog_failure(rc);
    free_template_list();
    // The dialog has opened the next part file of a batch when it closed for it.
    return response != UF_UI_CANCEL && static_part_file_list != nullptr;
}

void end_run(void) {
    reset_turn_state();
    free_part_file_list();
    free_tool_data_list(&static_tool_list);
    free_holder_data_list(&static_holder_list);
}

}  // namespace

int collect_turn_electrodes(void) {
    return static_use_all_solids ? collect_visible_electrodes() : select_electrodes();
}

void reset_turn_state(void) {
    if (static_elec_tags) UF_free(static_elec_tags);
    static_elec_tags = nullptr;
    static_elec_count = 0;
    static_use_all_solids = 0;
    static_edit_current_part = 0;
    static_next_part_pending = 0;
    static_ok_pressed = 0;
    static_post_started = 0;
    static_calc_single = 0;
    free_plan_tree(&static_plan_list);
    free_plan_tree(&static_insert_group_list);
    free_plan_tree(&static_insert_oper_list);
    free_template_list();
    free_insert_def_list(&static_insert_group_def);
    free_insert_def_list(&static_insert_oper_def);
    reset_mcs_and_workpiece();
    reset_start_points();
}

void run_torvane(void) {
    int rc = UF_initialize();
    if (rc != 0) {
        report_code_without_session(rc);
        return;
    }
    if (start_run())
        while (run_turn()) {
        }
    end_run();
    report_code_without_session(UF_terminate());
}
