// The calculation: the plan's missing program groups and operations made in NX, their tool paths
// generated, the program tree put in plan order.
#include "torvane/calc/apply_calc.h"

#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "torvane/calc/calc_dispatch.h"
#include "torvane/plan/prog_group.h"
#include "torvane/plan/program_order.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan_view.h"
#include "uf.h"
#include "uf_disp.h"
#include "uf_modl_utilities.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_setup.h"
#include "uf_ui.h"

namespace {

#define MACHINING_OPERATION_TYPE 100

// What one calculation holds for its length: the start point records and the list of operations
// to generate, released on every path.
struct calc_run {
    from_side_start_point start_points;
    uf_list_p_t calc_oper_list = nullptr;
    tag_t prog_root = NULL_TAG;
    ~calc_run() {
        if (calc_oper_list) UF_CALL(UF_MODL_delete_list(&calc_oper_list));
        free_from_side_start_point(&start_points);
    }
};

// An operation without a cutter cannot be made: said in a message box. 0 when a text is missing.
int say_no_cutter(const oper &node) {
    std::string before, after;
    if (!torvane_text("apply_cal_03:", &before) || !torvane_text("apply_cal_04:", &after)) return 0;
    const std::string text = before + " " + node.name + " " + after;
    uc1601(text.c_str(), 1);
    return 1;
}

// The class's and the group's program groups, made where the plan has none. 0 when one could not
// be made.
int ensure_program_groups(const calc_run &run, r_m_f_or_other *rmf, prog_group *group) {
    if (rmf->obj_tag == NULL_TAG) {
        tag_t made = NULL_TAG;
        if (!create_nc_prog_group(rmf->name, &made, run.prog_root)) return 0;
        rmf->obj_tag = made;
    }
    if (group && group->obj_tag == NULL_TAG) {
        tag_t made = NULL_TAG;
        if (!create_nc_prog_group(group->name, &made, rmf->obj_tag)) return 0;
        group->obj_tag = made;
    }
    return 1;
}

void queue_existing(calc_run &run, oper *node) {
    if (UF_CALL(UF_MODL_put_list_item(run.calc_oper_list, node->obj_tag)) == 0) node->need_generate = 0;
}

dispatch_call call_of(int dialog_id, calc_run &run, r_m_f_or_other *rmf, prog_group *group, oper *node) {
    dispatch_call call;
    call.dialog_id = dialog_id;
    call.rmf = rmf;
    call.group = group;
    call.node = node;
    call.start_points = &run.start_points;
    call.calc_oper_list = run.calc_oper_list;
    return call;
}

// The whole plan, class by class as the switches allow. 0 when a program group could not be made
// or a text is missing.
int walk_whole_plan(int dialog_id, calc_run &run) {
    for (r_m_f_or_other *rmf = static_plan_list; rmf; rmf = rmf->next_p) {
        if (!class_switched_on(rmf->rmf_kind)) continue;
        if (!ensure_program_groups(run, rmf, nullptr)) return 0;
        for (prog_group *group = rmf->prog_group_list_p; group; group = group->next_p) {
            if (!ensure_program_groups(run, rmf, group)) return 0;
            oper *node = group->oper_list_p;
            while (node) {
                // A per-electrode builder links its copies right after the node: they are made.
                oper *next = node->next_p;
                if (node->obj_tag == NULL_TAG && !node->tool_name[0]) {
                    if (!say_no_cutter(*node)) return 0;
                } else if (node->obj_tag == NULL_TAG) {
                    if (node->type == MACHINING_OPERATION_TYPE && !dispatch_oper(call_of(dialog_id, run, rmf, group, node)))
                        return 0;
                } else if (node->need_generate && static_dlg_state.toggle_32) {
                    queue_existing(run, node);
                }
                node = next;
            }
        }
    }
    return 1;
}

// The selected operations, whatever the class switches say. 0 when the selection could not be
// had, a program group could not be made or a text is missing.
int walk_selected_opers(int dialog_id, calc_run &run) {
    sel_oper *selection = nullptr;
    if (!view_selected_opers(dialog_id, &selection)) return 0;
    int result = 1;
    for (sel_oper *sel_oper_current_p = selection; sel_oper_current_p && result;
         sel_oper_current_p = sel_oper_current_p->next_p) {
        oper *selected = sel_oper_current_p->oper_p;
        if (!selected->tool_name[0]) {
            result = say_no_cutter(*selected);
        } else if (selected->obj_tag != NULL_TAG) {
            logical ok = false;
            if (UF_CALL(UF_PARAM_check(selected->obj_tag, &ok)) == 0 && ok) queue_existing(run, selected);
        } else {
            oper *node = nullptr;
            prog_group *group = nullptr;
            r_m_f_or_other *rmf = nullptr;
            if (!find_oper_node(selected->name, &node, &group, &rmf)) continue;
            if (!ensure_program_groups(run, rmf, group)) result = 0;
            else if (node->type == MACHINING_OPERATION_TYPE)
                result = dispatch_oper(call_of(dialog_id, run, rmf, group, node));
        }
    }
    free_sel_oper_list(&selection);
    return result;
}

// Generates the queued operations, each on its own: a refused one is named in the listing
// window and the others go on. The status line counts them off.
void generate_queued(const calc_run &run) {
    int count = 0;
    if (UF_CALL(UF_MODL_ask_list_count(run.calc_oper_list, &count)) != 0) return;
    std::string texts[3];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"apply_cal_01:", "apply_cal_02:", "apply_cal_05:"}, texts)) return;
    for (int i = 0; i < count; ++i) {
        tag_t oper_tag = NULL_TAG;
        if (UF_CALL(UF_MODL_ask_list_item(run.calc_oper_list, i, &oper_tag)) != 0 || oper_tag == NULL_TAG) continue;
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        const bool named = UF_OBJ_ask_name(oper_tag, name) == 0;
        const std::string progress = texts[2] + " " + std::to_string(i + 1) + "/" + std::to_string(count) + " " + name;
        UF_UI_set_status(const_cast<char *>(progress.c_str()));
        logical ok = false, generated = false;
        if (UF_CALL(UF_PARAM_check(oper_tag, &ok)) != 0 || !ok) continue;
        if (UF_PARAM_generate(oper_tag, &generated) != 0 && named)
            MY_write_listing(("\n" + texts[0] + " " + name + " " + texts[1]).c_str());
    }
}

// A part of the batch is done once it was calculated.
void mark_part_file_done(int dialog_id) {
    if (!static_current_part_file) return;
    static_current_part_file->status = 1;
    view_part_files_changed(dialog_id);
}

}  // namespace

void apply_calc(int dialog_id, int whole_plan) {
    UF_DISP_refresh();
    calc_run run;
    if (!create_from_side_start_point(dialog_id, &run.start_points) || !create_start_point_objects(dialog_id)) return;
    tag_t setup = NULL_TAG;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) != 0 || UF_CALL(UF_SETUP_ask_program_root(setup, &run.prog_root)) != 0 ||
        UF_CALL(UF_MODL_create_list(&run.calc_oper_list)) != 0)
        return;
    if (!(whole_plan ? walk_whole_plan(dialog_id, run) : walk_selected_opers(dialog_id, run))) return;
    if (!static_calc_single) generate_queued(run);
    free_from_side_start_point(&run.start_points);
    sync_program_order();
    mark_part_file_done(dialog_id);
}
