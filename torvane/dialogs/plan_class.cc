// Class changes of plan lines.
#include "torvane/dialogs/plan_class.h"

#include <cstring>

#include "my_func/my_func.h"
#include "torvane/calc/stock_reset.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"

namespace {

const char *const CLASS_MARKS[4] = {"-R", "-M", "-F", ""};

void cut_first(std::string *name, const char *mark) {
    const std::size_t at = name->find(mark);
    if (at != std::string::npos) name->erase(at, std::strlen(mark));
}

// Renames the node into class kind and shows its new line. 0 after the message of tags when its
// unique new name is too long for NX; the node is then left as it was.
template <typename Node>
int rename_into_class(int dialog_id, Node *node, int kind, int level, const char *tag_1, const char *tag_2) {
    char old_name[PLAN_NAME_BUFSIZE];
    std::memcpy(old_name, node->name, sizeof old_name);
    // Its own name must not count as taken.
    node->name[0] = '\0';
    char unique[PLAN_NAME_BUFSIZE];
    get_unique_plan_name(class_marked_name(old_name, kind).c_str(), unique);
    std::memcpy(node->name, old_name, sizeof old_name);
    if (std::strlen(unique) > NC_NAME_MAX) {
        show_torvane_name_message(tag_1, unique, tag_2);
        return 0;
    }
    node->rmf_kind = kind;
    copy_plan_name(node->name, unique);
    rewrite_list_line(dialog_id, old_name, level, current_list_line(dialog_id, *node));
    return 1;
}

// What changes for an operation that exists in NX already.
void update_existing(oper *node) {
    if (node->obj_tag == NULL_TAG) return;
    reset_oper_stock_and_cut_depth(node);
    node->need_generate = 1;
}

int change_oper(int dialog_id, oper *node, int kind) {
    if (!rename_into_class(dialog_id, node, kind, PLAN_OPER_LINE, "QZ_CAM_set_r_m_f_other_c_02:",
                           "QZ_CAM_set_r_m_f_other_c_03:"))
        return 0;
    update_existing(node);
    return 1;
}

int change_group(int dialog_id, prog_group *node, int kind) {
    if (!rename_into_class(dialog_id, node, kind, PLAN_GROUP_LINE, "QZ_CAM_set_r_m_f_other_c_04:",
                           "QZ_CAM_set_r_m_f_other_c_05:"))
        return 0;
    for (oper *oper_current_p = node->oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p)
        update_existing(oper_current_p);
    return 1;
}

}  // namespace

int class_of_option_entry(int entry) {
    switch (entry) {
    case 1: return RMF_ROUGH;
    case 2: return RMF_MIDDLE;
    case 3: return RMF_FINISH;
    case 6: return RMF_OTHER;
    default: return -1;
    }
}

int is_name_mark_option_entry(int entry) { return entry == 4 || entry == 5 || entry == 7 || entry == 8 ? 1 : 0; }

std::string class_marked_name(const char *name, int kind) {
    std::string marked = name ? name : "";
    for (const char *mark : {"-R", "-M", "-F"}) cut_first(&marked, mark);
    char cut[CLASS_NAME_BASE_MAX + 1];
    MY_copy_cut(cut, sizeof cut, marked.c_str());
    return std::string(cut) + CLASS_MARKS[kind >= RMF_ROUGH && kind <= RMF_OTHER ? kind : RMF_OTHER];
}

int set_r_m_f_other(int dialog_id, int kind) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.groups.empty() && selection.opers.empty()) {
        show_torvane_message("QZ_CAM_set_r_m_f_other_c_01:");
        return 0;
    }
    for (oper *node : selection.opers)
        if (!change_oper(dialog_id, node, kind)) return 1;
    for (prog_group *node : selection.groups)
        if (!change_group(dialog_id, node, kind)) return 1;
    return 1;
}
