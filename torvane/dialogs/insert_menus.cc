// Entries of the insert menus.
#include "torvane/dialogs/insert_menus.h"

#include <cstring>

#include "my_func/my_func.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/run_state.h"

namespace {

const char *description_of(const insert_def *defs, const char *name) {
    for (const insert_def *insert_def_current_p = defs; insert_def_current_p;
         insert_def_current_p = insert_def_current_p->next_p)
        if (std::strcmp(insert_def_current_p->name, name) == 0) return insert_def_current_p->descr;
    return nullptr;
}

std::string entry_text(const char *new_name, const std::string &label, const insert_def *defs) {
    std::string entry = new_name + label;
    if (const char *descr = description_of(defs, new_name)) entry += std::string(" ") + descr;
    char cut[INSERT_MENU_ENTRY_MAX + 1];
    MY_copy_cut(cut, sizeof cut, entry.c_str());
    return cut;
}

const std::string &kind_label(const std::string labels[3], int kind) {
    static const std::string none;
    return kind >= RMF_ROUGH && kind <= RMF_FINISH ? labels[kind] : none;
}

}  // namespace

int load_insert_menu_texts(insert_menu_texts *texts) {
    std::string labels[10];
    if (!lookup_messages(TORVANE_LANG_FORMAT,
                         {"set_dlg_insert_prog_group_menu_valu_01:", "set_dlg_insert_prog_group_menu_valu_02:",
                          "set_dlg_insert_prog_group_menu_valu_03:", "set_dlg_insert_prog_group_menu_valu_04:",
                          "set_dlg_insert_prog_group_menu_valu_05:", "set_dlg_insert_prog_group_menu_valu_06:",
                          "set_dlg_insert_prog_group_menu_valu_07:", "set_dlg_insert_prog_group_menu_valu_08:",
                          "set_dlg_insert_prog_group_menu_valu_09:", "set_dlg_insert_prog_group_menu_valu_10:"},
                         labels))
        return 0;
    for (int kind = 0; kind < 4; ++kind) texts->class_label[kind] = labels[kind];
    for (int kind = 0; kind < 3; ++kind) {
        texts->group_label[kind] = labels[4 + kind];
        texts->oper_label[kind] = labels[7 + kind];
    }
    return 1;
}

std::vector<std::string> insert_group_menu_entries(const r_m_f_or_other *tree, const insert_def *defs,
                                                   const insert_menu_texts &texts) {
    std::vector<std::string> entries;
    for (const r_m_f_or_other *r_m_f_or_other_current_p = tree; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p) {
        const int kind = rmf_kind_of_class_name(r_m_f_or_other_current_p->name);
        entries.push_back(entry_text(r_m_f_or_other_current_p->new_name, texts.class_label[kind], defs));
        for (const prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p;
             prog_group_current_p; prog_group_current_p = prog_group_current_p->next_p)
            entries.push_back(entry_text(prog_group_current_p->new_name,
                                         kind_label(texts.group_label, prog_group_current_p->rmf_kind), defs));
    }
    return entries;
}

std::vector<std::string> insert_oper_menu_entries(const r_m_f_or_other *tree, const insert_def *defs,
                                                  const insert_menu_texts &texts) {
    std::vector<std::string> entries;
    for (const r_m_f_or_other *r_m_f_or_other_current_p = tree; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        for (const prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p;
             prog_group_current_p; prog_group_current_p = prog_group_current_p->next_p)
            for (const oper *oper_current_p = prog_group_current_p->oper_list_p; oper_current_p;
                 oper_current_p = oper_current_p->next_p)
                entries.push_back(entry_text(oper_current_p->new_name,
                                             kind_label(texts.oper_label, oper_current_p->rmf_kind), defs));
    return entries;
}

int set_dlg_insert_prog_group_menu_value(int dialog_id) {
    insert_menu_texts texts;
    if (!load_insert_menu_texts(&texts)) return 0;
    set_item_entries(dialog_id, QZ_CAM_OPTION_17,
                     insert_group_menu_entries(static_insert_group_list, static_insert_group_def, texts));
    set_item_entries(dialog_id, QZ_CAM_OPTION_18,
                     insert_oper_menu_entries(static_insert_oper_list, static_insert_oper_def, texts));
    return 1;
}
