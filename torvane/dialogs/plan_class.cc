// Class changes of plan lines.
#include "torvane/dialogs/plan_class.h"

#include <cstring>
#include <vector>

#include "my_func/my_func.h"
#include "torvane/calc/stock_reset.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/plan/prog_group.h"
#include "torvane/setup/start_points.h"
#include "torvane/setup/stock.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_camgeom.h"
#include "uf_obj.h"

namespace {

const char *const CLASS_MARKS[4] = {"-R", "-M", "-F", ""};

// OPTION_13's entries of the name marks.
const int ADD_STOCK_MARK = 4, ADD_SIDE_MARK = 5, REMOVE_STOCK_MARK = 7, REMOVE_SIDE_MARK = 8;

void cut_first(std::string *name, const char *mark) {
    const std::size_t at = name->find(mark);
    if (at != std::string::npos) name->erase(at, std::strlen(mark));
}

// The unique plan name a node gets for wanted: its own current name does not count as taken. 0
// after the message of tags when that name is too long for NX.
template <typename Node>
int unique_new_name(Node *node, const std::string &wanted, const char *tag_1, const char *tag_2,
                    char unique[PLAN_NAME_BUFSIZE]) {
    char old_name[PLAN_NAME_BUFSIZE];
    std::memcpy(old_name, node->name, sizeof old_name);
    node->name[0] = '\0';
    get_unique_plan_name(wanted.c_str(), unique);
    std::memcpy(node->name, old_name, sizeof old_name);
    if (std::strlen(unique) <= NC_NAME_MAX) return 1;
    show_torvane_name_message(tag_1, unique, tag_2);
    return 0;
}

// Gives the node its new name and shows its new line in place of the old one.
template <typename Node>
void rename_node(int dialog_id, Node *node, int level, const char *unique) {
    char old_name[PLAN_NAME_BUFSIZE];
    std::memcpy(old_name, node->name, sizeof old_name);
    copy_plan_name(node->name, unique);
    rewrite_list_line(dialog_id, old_name, level, current_list_line(dialog_id, *node));
}

// Renames the node into class kind and shows its new line. 0 after the message of tags when its
// unique new name is too long for NX; the node is then left as it was.
template <typename Node>
int rename_into_class(int dialog_id, Node *node, int kind, int level, const char *tag_1, const char *tag_2) {
    char unique[PLAN_NAME_BUFSIZE];
    if (!unique_new_name(node, class_marked_name(node->name, kind), tag_1, tag_2, unique)) return 0;
    node->rmf_kind = kind;
    rename_node(dialog_id, node, level, unique);
    return 1;
}

// The NX operation takes the mark change too, under a name no program group or operation of the
// part carries.
void rename_nx_oper(tag_t oper_tag, const char *mark, bool add) {
    char name[UF_OBJ_NAME_BUFSIZE] = "", unique[PLAN_NAME_BUFSIZE] = "";
    if (UF_CALL(UF_OBJ_ask_name(oper_tag, name)) != 0) return;
    const std::string wanted = mark_changed_name(name, mark, add);
    if (wanted == name) return;
    get_unique_nc_name(wanted.c_str(), unique);
    unique[NC_NAME_MAX] = '\0';
    UF_CALL(UF_OBJ_set_name(oper_tag, unique));
}

// Under NX 4 an existing operation's start points follow its "-P" mark at once.
void replace_start_points(tag_t oper_tag, from_side_start_point *block, bool side) {
    UF_CALL(UF_CAMGEOM_delete_custom_points(oper_tag, UF_CAMGEOM_cut_region_start_type));
    UF_CALL(UF_CAMGEOM_append_custom_points(oper_tag, UF_CAMGEOM_cut_region_start_type,
                                            side ? block->side_start_count : block->front_start_count,
                                            side ? block->side_custom_point_p : block->front_custom_point_p));
}

// One operation's mark changed: 1, or 0 when its name would be too long (shown).
int change_oper_mark(int dialog_id, oper *node, int entry, from_side_start_point *block) {
    const bool stock = entry == ADD_STOCK_MARK || entry == REMOVE_STOCK_MARK;
    const bool add = entry == ADD_STOCK_MARK || entry == ADD_SIDE_MARK;
    const char *mark = stock ? NAME_MARK_STOCK : NAME_MARK_SIDE_POINTS;
    const std::string wanted = mark_changed_name(node->name, mark, add);
    if (wanted == node->name) return 1;
    char unique[PLAN_NAME_BUFSIZE];
    if (!unique_new_name(node, wanted, "QZ_CAM_set_r_m_f_other_c_06:", "QZ_CAM_set_r_m_f_other_c_07:", unique)) return 0;
    if (stock) {
        node->has_name_stock = add ? 1 : 0;
        node->name_stock = node->part_stock;
    }
    rename_node(dialog_id, node, PLAN_OPER_LINE, unique);
    if (node->obj_tag == NULL_TAG) return 1;
    rename_nx_oper(node->obj_tag, mark, add);
    if (stock) {
        reset_oper_stock_and_cut_depth(node);
        node->need_generate = 1;
    } else if (custom_point_release()) {
        replace_start_points(node->obj_tag, block, add);
        node->need_generate = 1;
    }
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

std::string mark_changed_name(const char *name, const char *mark, bool add) {
    std::string changed = name ? name : "";
    const std::size_t at = changed.find(mark);
    if (add && at == std::string::npos) changed += mark;
    if (!add && at != std::string::npos) changed.erase(at, std::strlen(mark));
    return changed;
}

int set_name_mark(int dialog_id, int entry) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    const std::vector<oper *> opers = opers_of_selection(selection);
    if (opers.empty()) {
        show_torvane_message("QZ_CAM_set_r_m_f_other_c_01:");
        return 0;
    }
    from_side_start_point block;
    if (!create_from_side_start_point(dialog_id, &block) || !create_start_point_objects(dialog_id)) {
        free_from_side_start_point(&block);
        return 0;
    }
    for (oper *node : opers)
        if (!change_oper_mark(dialog_id, node, entry, &block)) break;
    free_from_side_start_point(&block);
    return 1;
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
