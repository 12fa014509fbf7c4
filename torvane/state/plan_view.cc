// The hooks of the open main dialog.
#include "torvane/state/plan_view.h"

namespace {

const plan_view_hooks *static_plan_view = nullptr;

}  // namespace

void install_plan_view(const plan_view_hooks *hooks) { static_plan_view = hooks; }

void remove_plan_view(void) { static_plan_view = nullptr; }

int view_insert_oper_line_after(int dialog_id, const char *after_name, const oper &node) {
    if (!static_plan_view || !static_plan_view->insert_oper_line_after) return 0;
    return static_plan_view->insert_oper_line_after(dialog_id, after_name, node);
}

int view_selected_opers(int dialog_id, sel_oper **list_p) {
    *list_p = nullptr;
    if (!static_plan_view || !static_plan_view->selected_opers) return 0;
    return static_plan_view->selected_opers(dialog_id, list_p);
}

void view_part_files_changed(int dialog_id) {
    if (static_plan_view && static_plan_view->part_files_changed) static_plan_view->part_files_changed(dialog_id);
}
