// MULTI_LIST_14 kept in step with the plan, and its selected lines resolved to nodes.
#include "torvane/dialogs/plan_list.h"

#include <algorithm>
#include <string>
#include <utility>

#include "my_func/my_func.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/messages.h"
#include "torvane/state/run_state.h"

namespace {

// The class marker, which every class label holds; each line-resolving function looks it up
// under its own tag, and the catalogue gives all of them the same text.
int marker_text(const char *tag, std::string *marker) { return torvane_text(tag, marker); }

// Index of the first line of that kind and name at or after from; -1 when none.
int find_line(const std::vector<std::string> &lines, const std::string &marker, int kind, const std::string &name,
              std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (plan_line_kind(lines[i].c_str(), marker.c_str()) == kind && plan_line_name(lines[i].c_str(), kind) == name)
            return static_cast<int>(i);
    return -1;
}

// Last line that belongs to the node at index: the lines after it of a deeper level.
int last_descendant_line(const std::vector<std::string> &lines, const std::string &marker, int index) {
    const int level = plan_line_kind(lines[static_cast<std::size_t>(index)].c_str(), marker.c_str());
    int last = index;
    while (static_cast<std::size_t>(last + 1) < lines.size() &&
           plan_line_kind(lines[static_cast<std::size_t>(last + 1)].c_str(), marker.c_str()) > level)
        ++last;
    return last;
}

int site_of(const std::vector<std::string> &lines, const std::string &marker, const char *name, int level, int *index,
            int *last_index) {
    const int found = find_line(lines, marker, level, name ? name : "");
    if (found < 0) return 0;
    *index = found;
    *last_index = last_descendant_line(lines, marker, found);
    return 1;
}

// Lines inserted from position on; a refused line ends the insertion, as the positions after it
// would not exist.
int insert_lines(int dialog_id, int position, const std::vector<std::string> &lines) {
    int inserted = 0;
    for (const std::string &line : lines) {
        if (list_insert_line(dialog_id, QZ_CAM_MULTI_LIST_14, position + inserted, line.c_str()) != 0) break;
        ++inserted;
    }
    return inserted;
}

// The line at index replaced by text, then added to the selection.
void put_line(int dialog_id, int index, const std::string &text) {
    list_delete_line(dialog_id, QZ_CAM_MULTI_LIST_14, index);
    list_insert_line(dialog_id, QZ_CAM_MULTI_LIST_14, index, text.c_str());
    list_select_line(dialog_id, QZ_CAM_MULTI_LIST_14, index);
}

template <typename Node>
void add_once(std::vector<Node *> *nodes, Node *node) {
    if (std::find(nodes->begin(), nodes->end(), node) == nodes->end()) nodes->push_back(node);
}

int to_sel_oper_list(const std::vector<oper *> &opers, sel_oper **list_p) {
    for (oper *node : opers)
        if (!add_sel_oper(list_p, node)) {
            free_sel_oper_list(list_p);
            return 0;
        }
    return 1;
}

}  // namespace

plan_line_view ask_plan_line_view(int dialog_id) {
    plan_line_view view;
    for (int kind = 0; kind < 4; ++kind) {
        view.class_on[kind] = ask_item_integer(dialog_id, QZ_CAM_CLASS_TOGGLES[kind]);
        view.class_value[kind] = ask_item_real(dialog_id, QZ_CAM_CLASS_REALS[kind]);
    }
    view.rough_allowance = ask_item_real(dialog_id, QZ_CAM_REAL_35);
    view.middle_allowance = ask_item_real(dialog_id, QZ_CAM_REAL_36);
    view.fixed_width = static_nx_release < PLAN_LIST_PROPORTIONAL_RELEASE ? 1 : 0;
    return view;
}

int refresh_plan_list(int dialog_id) {
    plan_line_texts texts;
    std::string marker;
    if (!load_plan_line_texts(&texts) || !marker_text("get_dlg_item_site_and_sub_ite_01:", &marker)) return 0;
    std::vector<std::string> selected;
    ask_list_selection(dialog_id, QZ_CAM_MULTI_LIST_14, &selected);
    const std::vector<std::string> lines = plan_list_lines(static_plan_list, texts, ask_plan_line_view(dialog_id));

    list_delete_line(dialog_id, QZ_CAM_MULTI_LIST_14, UF_STYLER_NO_SUB_INDEX);
    insert_lines(dialog_id, 0, lines);
    for (const std::string &line : selected) {
        const int kind = plan_line_kind(line.c_str(), marker.c_str());
        if (kind == PLAN_OPER_LINE) continue;
        const int index = find_line(lines, marker, kind, plan_line_name(line.c_str(), kind));
        if (index >= 0) list_select_line(dialog_id, QZ_CAM_MULTI_LIST_14, index);
    }
    return 1;
}

int insert_node_lines(int dialog_id, int position, const r_m_f_or_other &node) {
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return -1;
    std::vector<std::string> lines;
    append_class_lines(&lines, node, texts, ask_plan_line_view(dialog_id));
    return insert_lines(dialog_id, position, lines);
}

int insert_node_lines(int dialog_id, int position, const prog_group &node, const r_m_f_or_other &parent) {
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return -1;
    std::vector<std::string> lines;
    append_group_lines(&lines, node, parent, texts, ask_plan_line_view(dialog_id));
    return insert_lines(dialog_id, position, lines);
}

int insert_oper_line_after(int dialog_id, const char *after_name, const oper &node) {
    int index = 0, last_index = 0;
    if (!find_list_site(dialog_id, after_name, PLAN_OPER_LINE, &index, &last_index)) return 0;
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return 0;
    return insert_lines(dialog_id, last_index + 1, {oper_line_text(node, texts, ask_plan_line_view(dialog_id))}) == 1;
}

int find_list_site(int dialog_id, const char *name, int level, int *index, int *last_index) {
    std::string marker;
    if (!marker_text("get_dlg_item_site_and_sub_ite_01:", &marker)) return 0;
    return site_of(ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14), marker, name, level, index, last_index);
}

int delete_node_lines(int dialog_id, const char *name, int level) {
    std::string marker;
    if (!marker_text("delete_dlg_one_ite_01:", &marker)) return -1;
    int index = 0, last_index = 0;
    if (!site_of(ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14), marker, name, level, &index, &last_index)) return -1;
    // From the last line up, so that the indexes still to delete stay where they are.
    for (int line = last_index; line >= index; --line) list_delete_line(dialog_id, QZ_CAM_MULTI_LIST_14, line);
    return index;
}

int select_list_line(int dialog_id, int index) { return list_select_only(dialog_id, QZ_CAM_MULTI_LIST_14, index); }

int replace_oper_lines(int dialog_id, const sel_oper *list) {
    plan_line_texts texts;
    std::string marker;
    if (!load_plan_line_texts(&texts) || !marker_text("replace_dlg_list_ite_01:", &marker)) return 0;
    const plan_line_view view = ask_plan_line_view(dialog_id);
    const std::vector<std::string> lines = ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14);
    for (const sel_oper *sel_oper_current_p = list; sel_oper_current_p; sel_oper_current_p = sel_oper_current_p->next_p) {
        const oper &node = *sel_oper_current_p->oper_p;
        const int index = find_line(lines, marker, PLAN_OPER_LINE, node.name);
        if (index >= 0) put_line(dialog_id, index, oper_line_text(node, texts, view));
    }
    return 1;
}

int rewrite_list_line(int dialog_id, const char *name, int level, const std::string &text) {
    std::string marker;
    if (!marker_text("replace_dlg_list_ite_01:", &marker)) return 0;
    const int index = find_line(ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14), marker, level, name ? name : "");
    if (index < 0) return 0;
    put_line(dialog_id, index, text);
    return 1;
}

std::string current_list_line(int dialog_id, const prog_group &node) {
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return std::string();
    std::string line;
    visit_plan_groups(static_plan_list, [&](prog_group *group, r_m_f_or_other *rmf) {
        if (group == &node) line = group_line_text(node, *rmf, texts, ask_plan_line_view(dialog_id));
        return group == &node;
    });
    return line;
}

std::string current_list_line(int dialog_id, const oper &node) {
    plan_line_texts texts;
    if (!load_plan_line_texts(&texts)) return std::string();
    return oper_line_text(node, texts, ask_plan_line_view(dialog_id));
}

int ask_plan_selection(int dialog_id, plan_selection *selection) {
    *selection = plan_selection();
    std::string marker;
    if (!marker_text("get_dlg_list_sel_group_and_prog_grou_01:", &marker)) return 0;
    std::vector<std::string> lines;
    if (!ask_list_selection(dialog_id, QZ_CAM_MULTI_LIST_14, &lines)) return 0;
    for (const std::string &line : lines) {
        const int kind = plan_line_kind(line.c_str(), marker.c_str());
        const std::string name = plan_line_name(line.c_str(), kind);
        if (kind == PLAN_CLASS_LINE) {
            r_m_f_or_other *node = nullptr;
            if (find_rmf_node(name.c_str(), &node)) add_once(&selection->classes, node);
        } else if (kind == PLAN_GROUP_LINE) {
            prog_group *node = nullptr;
            if (!with_prog_group_name_ask_prog_group(name.c_str(), &node, nullptr)) return 0;
            add_once(&selection->groups, node);
        } else {
            oper *node = nullptr;
            if (find_oper_node(name.c_str(), &node, nullptr, nullptr)) add_once(&selection->opers, node);
        }
    }
    return 1;
}

int get_dlg_list_only_sel_oper(int dialog_id, sel_oper **list_p) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.opers.empty()) {
        show_torvane_message("get_dlg_list_only_sel_ope_01:");
        return 0;
    }
    return to_sel_oper_list(selection.opers, list_p);
}

std::vector<oper *> opers_of_selection(const plan_selection &selection) {
    std::vector<oper *> opers = selection.opers;
    for (prog_group *group : selection.groups)
        for (oper *oper_current_p = group->oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p)
            add_once(&opers, oper_current_p);
    return opers;
}

int get_dlg_list_sel_oper(int dialog_id, sel_oper **list_p) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    const std::vector<oper *> opers = opers_of_selection(selection);
    if (opers.empty()) {
        show_torvane_message("get_dlg_list_sel_ope_01:");
        return 0;
    }
    return to_sel_oper_list(opers, list_p);
}

int get_dlg_list_sel_group_and_prog_group(int dialog_id, std::vector<r_m_f_or_other *> *classes,
                                          std::vector<prog_group *> *groups) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.classes.empty() && selection.groups.empty()) {
        show_torvane_message("get_dlg_list_sel_group_and_prog_grou_02:");
        return 0;
    }
    *classes = std::move(selection.classes);
    *groups = std::move(selection.groups);
    return 1;
}

int get_dlg_list_sel_prog_group_and_oper(int dialog_id, std::vector<prog_group *> *groups, sel_oper **list_p) {
    plan_selection selection;
    if (!ask_plan_selection(dialog_id, &selection)) return 0;
    if (selection.groups.empty() && selection.opers.empty()) {
        show_torvane_message("get_dlg_list_sel_prog_group_and_ope_01:");
        return 0;
    }
    if (!to_sel_oper_list(selection.opers, list_p)) return 0;
    *groups = std::move(selection.groups);
    return 1;
}

int get_dlg_sel_tool(int dialog_id, tool_data **tool_p) {
    *tool_p = nullptr;
    const std::vector<std::string> entries = ask_item_entries(dialog_id, QZ_CAM_OPTION_16);
    const int chosen = ask_item_integer(dialog_id, QZ_CAM_OPTION_16, -1);
    const std::string entry =
        chosen >= 0 && static_cast<std::size_t>(chosen) < entries.size() ? entries[static_cast<std::size_t>(chosen)] : "";
    const std::string name = entry.substr(0, entry.find(' '));
    if (name == "NONE") return 1;
    *tool_p = name.empty() ? nullptr : find_tool_data(static_tool_list, name.c_str());
    if (*tool_p) return 1;
    show_torvane_message("get_dlg_sel_too_01:");
    return 0;
}
