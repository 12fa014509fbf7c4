// The list actions of BLO_19.
#include "torvane/dialogs/list_edit.h"

#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/plan/plan_copy.h"
#include "torvane/plan/plan_edit.h"
#include "torvane/plan/program_order.h"
#include "torvane/state/messages.h"
#include "uf.h"
#include "uf_ui_ont.h"

namespace {

// Shows the message of tag; 0, the action's end.
int said(const char *tag) {
    show_torvane_message(tag);
    return 0;
}

// Frees a selection list on every path.
struct sel_oper_list {
    sel_oper *head = nullptr;
    ~sel_oper_list() { free_sel_oper_list(&head); }
};

// The chosen entry of an insert menu up to its first blank: the name of the insert node.
std::string chosen_insert_name(int dialog_id, const char *item_id) {
    const std::vector<std::string> entries = ask_item_entries(dialog_id, item_id);
    const int chosen = ask_item_integer(dialog_id, item_id, -1);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size()) return "";
    const std::string &entry = entries[static_cast<std::size_t>(chosen)];
    return entry.substr(0, entry.find(' '));
}

// The line index after the last line of the node named name at level; -1 when it is not shown.
int after_lines_of(int dialog_id, const char *name, int level) {
    int index = 0, last_index = 0;
    return find_list_site(dialog_id, name, level, &index, &last_index) ? last_index + 1 : -1;
}

void show_class_after(int dialog_id, const r_m_f_or_other &after, const r_m_f_or_other &node) {
    const int at = after_lines_of(dialog_id, after.name, PLAN_CLASS_LINE);
    if (at >= 0) insert_node_lines(dialog_id, at, node);
}

// A group's lines after the lines of the node named after_name at after_level (its class or the
// group before it), when those are shown.
void show_group_after(int dialog_id, const char *after_name, int after_level, const prog_group &node,
                      const r_m_f_or_other &parent) {
    const int at = after_lines_of(dialog_id, after_name, after_level);
    if (at >= 0) insert_node_lines(dialog_id, at, node, parent);
}

// An operation's line after the lines of its group, when the group shows its operations.
void show_oper_at_end(int dialog_id, const prog_group &group, const oper &node) {
    if (!group.expanded) return;
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return;
    const int at = after_lines_of(dialog_id, group.name, PLAN_GROUP_LINE);
    if (at >= 0) list_insert_line(dialog_id, QZ_CAM_MULTI_LIST_14, at, oper_line_text(node, texts, ask_plan_line_view(dialog_id)).c_str());
}

// The node behind one line, its siblings' head and its parent's line; the move-down messages
// name what was not found.
struct move_site {
    int level = 0;
    r_m_f_or_other *rmf = nullptr;
    prog_group *group = nullptr;
    oper *node = nullptr;
};

int find_move_site(const std::string &line, const std::string &marker, move_site *site) {
    site->level = plan_line_kind(line.c_str(), marker.c_str());
    const std::string name = plan_line_name(line.c_str(), site->level);
    if (site->level == PLAN_CLASS_LINE) {
        if (find_rmf_node(name.c_str(), &site->rmf)) return 1;
        return said("move_down_ro_04:");
    }
    if (site->level == PLAN_GROUP_LINE) {
        if (find_prog_group_node(name.c_str(), &site->group, &site->rmf)) return 1;
        return said("move_down_ro_05:");
    }
    if (find_oper_node(name.c_str(), &site->node, &site->group, &site->rmf)) return 1;
    return said("move_down_ro_07:");
}

// Where the moved node's lines go now: after its new previous sibling's lines, else right after
// its parent's line (the list's top for a class). -1 when that line is not shown.
int moved_position(int dialog_id, const move_site &site) {
    int index = 0, last_index = 0;
    const char *previous = site.level == PLAN_CLASS_LINE   ? (site.rmf->prev_p ? site.rmf->prev_p->name : nullptr)
                           : site.level == PLAN_GROUP_LINE ? (site.group->prev_p ? site.group->prev_p->name : nullptr)
                                                           : (site.node->prev_p ? site.node->prev_p->name : nullptr);
    if (previous) return find_list_site(dialog_id, previous, site.level, &index, &last_index) ? last_index + 1 : -1;
    if (site.level == PLAN_CLASS_LINE) return 0;
    const char *parent = site.level == PLAN_GROUP_LINE ? site.rmf->name : site.group->name;
    return find_list_site(dialog_id, parent, site.level - 1, &index, &last_index) ? index + 1 : -1;
}

int reinsert_moved_lines(int dialog_id, const move_site &site, int at) {
    if (site.level == PLAN_CLASS_LINE) return insert_node_lines(dialog_id, at, *site.rmf);
    if (site.level == PLAN_GROUP_LINE) return insert_node_lines(dialog_id, at, *site.group, *site.rmf);
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return -1;
    const std::string text = oper_line_text(*site.node, texts, ask_plan_line_view(dialog_id));
    return list_insert_line(dialog_id, QZ_CAM_MULTI_LIST_14, at, text.c_str()) == 0 ? 1 : -1;
}

// Messages of lines that could not be found again, by level: its own lines, then its new place.
const char *const MOVE_LINE_MESSAGES[3][2] = {{"move_down_ro_06:", "move_down_ro_08:"},
                                              {"move_down_ro_09:", "move_down_ro_10:"},
                                              {"move_down_ro_11:", "move_down_ro_12:"}};

}  // namespace

int run_list_action(int dialog_id, int action) {
    sel_oper_list selected;
    if (!get_dlg_list_sel_oper(dialog_id, &selected.head)) return 0;
    switch (action) {
    case LIST_CHANGE_CUTTER: return change_sel_oper_cutter(dialog_id, 0);
    case LIST_INSERT_GROUP: return insert_sel_prog_group(dialog_id);
    case LIST_INSERT_OPER: return insert_sel_oper(dialog_id);
    case LIST_CHANGE_REF_CUTTER: return change_sel_oper_cutter(dialog_id, 1);
    case LIST_DELETE: return delete_sel_item(dialog_id);
    case LIST_MOVE_DOWN: return move_down_row(dialog_id);
    default: return 1;
    }
}

int change_sel_oper_cutter(int dialog_id, int reference) {
    sel_oper_list selected;
    tool_data *record = nullptr;
    if (!get_dlg_list_sel_oper(dialog_id, &selected.head) || !get_dlg_sel_tool(dialog_id, &record)) return 0;
    for (sel_oper *s = selected.head; s; s = s->next_p)
        reference ? change_oper_ref_cutter(s->oper_p, record) : change_oper_cutter(s->oper_p, record);
    replace_oper_lines(dialog_id, selected.head);
    return 1;
}

int insert_sel_prog_group(int dialog_id) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.classes.empty() && selection.groups.empty()) return said("insert_grou_01:");
    const std::string name = chosen_insert_name(dialog_id, QZ_CAM_OPTION_17);
    const r_m_f_or_other *class_source = find_last_rmf_named(static_insert_group_list, name.c_str());
    const prog_group *group_source = find_last_group_named(static_insert_group_list, name.c_str());
    plan_name_set names;
    if (class_source)
        for (r_m_f_or_other *after : selection.classes) {
            r_m_f_or_other *copy = copy_rmf_node(class_source, &names);
            if (!copy) return 0;
            link_rmf_node_after(&static_plan_list, after, copy);
            show_class_after(dialog_id, *after, *copy);
        }
    if (group_source) {
        for (prog_group *after : selection.groups) {
            r_m_f_or_other *parent = class_of_group(after);
            prog_group *copy = parent ? copy_prog_group_node(group_source, &names) : nullptr;
            if (!copy) return 0;
            link_prog_group_after(parent, after, copy);
            show_group_after(dialog_id, after->name, PLAN_GROUP_LINE, *copy, *parent);
        }
        for (r_m_f_or_other *parent : selection.classes) {
            prog_group *copy = copy_prog_group_node(group_source, &names);
            if (!copy) return 0;
            link_prog_group_after(parent, last_group_of(parent), copy);
            if (parent->expanded) show_group_after(dialog_id, parent->name, PLAN_CLASS_LINE, *copy, *parent);
        }
    }
    sync_program_order();
    return 1;
}

int insert_sel_oper(int dialog_id) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.groups.empty() && selection.opers.empty()) return said("insert_ope_01:");
    oper *source = find_last_oper_named(static_insert_oper_list, chosen_insert_name(dialog_id, QZ_CAM_OPTION_18).c_str());
    if (!source) return 1;
    plan_name_set names;
    for (oper *after : selection.opers) {
        prog_group *group = group_of_oper(after);
        oper *copy = group ? copy_oper_node(source, &names) : nullptr;
        if (!copy) return 0;
        link_oper_node_after(group, after, copy);
        insert_oper_line_after(dialog_id, after->name, *copy);
    }
    for (prog_group *group : selection.groups) {
        oper *copy = copy_oper_node(source, &names);
        if (!copy) return 0;
        link_oper_node_after(group, last_oper_of(group), copy);
        show_oper_at_end(dialog_id, *group, *copy);
    }
    sync_program_order();
    return 1;
}

int delete_sel_item(int dialog_id) {
    std::string marker;
    if (!torvane_text("delete_sel_ite_02:", &marker)) return 0;
    std::vector<std::string> lines;
    if (!ask_list_selection(dialog_id, QZ_CAM_MULTI_LIST_14, &lines)) return 0;
    if (lines.empty()) return said("delete_sel_ite_01:");
    for (const std::string &line : lines) {
        const int level = plan_line_kind(line.c_str(), marker.c_str());
        const std::string name = plan_line_name(line.c_str(), level);
        // Every line of a node of that name leaves the list, then the nodes and their NX objects.
        while (delete_node_lines(dialog_id, name.c_str(), level) >= 0) {
        }
        delete_plan_nodes(level, name.c_str());
    }
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int move_down_row(int dialog_id) {
    std::string marker;
    if (!torvane_text("get_dlg_item_site_and_sub_ite_01:", &marker)) return 0;
    std::vector<std::string> lines;
    if (!ask_list_selection(dialog_id, QZ_CAM_MULTI_LIST_14, &lines)) return 0;
    if (lines.empty()) return said("move_down_ro_01:");
    if (lines.size() > 1) return said("move_down_ro_02:");
    move_site site;
    if (!find_move_site(lines.front(), marker, &site)) return 0;
    const int moved = site.level == PLAN_CLASS_LINE   ? move_rmf_node_down(&static_plan_list, site.rmf)
                      : site.level == PLAN_GROUP_LINE ? move_prog_group_down(site.rmf, site.group)
                                                      : move_oper_node_down(site.group, site.node);
    if (!moved) return 1;
    const char *name = site.level == PLAN_CLASS_LINE   ? site.rmf->name
                       : site.level == PLAN_GROUP_LINE ? site.group->name
                                                       : site.node->name;
    const char *const *messages = MOVE_LINE_MESSAGES[site.level - 1];
    if (delete_node_lines(dialog_id, name, site.level) < 0) return said(messages[0]);
    const int at = moved_position(dialog_id, site);
    if (at < 0 || reinsert_moved_lines(dialog_id, site, at) < 1) return said(messages[1]);
    select_list_line(dialog_id, at);
    sync_program_order();
    return 1;
}
