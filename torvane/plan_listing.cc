// The plan of a turn in the listing window.
#include "torvane/plan_listing.h"

#include <cstdio>
#include <string>

#include "my_func/my_func.h"

namespace {

struct counts {
    int groups = 0;
    int opers = 0;
};

counts count_tree(const r_m_f_or_other *tree) {
    counts c;
    for (const r_m_f_or_other *r_m_f_or_other_current_p = tree; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        for (const prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p;
             prog_group_current_p; prog_group_current_p = prog_group_current_p->next_p) {
            ++c.groups;
            for (const oper *oper_current_p = prog_group_current_p->oper_list_p; oper_current_p;
                 oper_current_p = oper_current_p->next_p)
                ++c.opers;
        }
    return c;
}

std::string number(double value) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    return MY_double_to_str(value, 3, text);
}

// "      CAV_TOP-R1 (260)  cutter D12  stock 0.3/0.15"; texts: cutter, no cutter, stock.
std::string oper_line(const oper &o, const std::string texts[3]) {
    std::string line = "      " + std::string(o.name) + " (" + std::to_string(o.subtype) + ")  ";
    line += o.tool_name[0] ? texts[0] + " " + o.tool_name : texts[1];
    line += "  " + texts[2] + " " + number(o.part_stock) + "/" + number(o.floor_stock);
    if (o.has_name_stock) line += " (-S " + number(o.name_stock) + ")";
    return line + "\n";
}

}  // namespace

int list_plan_tree(const char *template_file, const r_m_f_or_other *plan, const r_m_f_or_other *insert_groups,
                   const r_m_f_or_other *insert_opers) {
    std::string texts[5];
    if (!lookup_messages(TORVANE_LANG_FORMAT,
                         {"list_turn_pla_01:", "list_turn_pla_02:", "list_turn_pla_03:", "list_turn_pla_04:",
                          "list_turn_pla_05:"},
                         texts))
        return 0;
    MY_write_listing((texts[0] + " " + template_file + ":\n").c_str());
    for (const r_m_f_or_other *r_m_f_or_other_current_p = plan; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p) {
        MY_write_listing(("  " + std::string(r_m_f_or_other_current_p->name) + "\n").c_str());
        for (const prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p;
             prog_group_current_p; prog_group_current_p = prog_group_current_p->next_p) {
            MY_write_listing(("    " + std::string(prog_group_current_p->name) + "\n").c_str());
            for (const oper *oper_current_p = prog_group_current_p->oper_list_p; oper_current_p;
                 oper_current_p = oper_current_p->next_p)
                MY_write_listing(oper_line(*oper_current_p, texts + 1).c_str());
        }
    }
    const counts groups = count_tree(insert_groups), opers = count_tree(insert_opers);
    char line[MY_MESSAGE_BUFSIZE + 64];
    std::snprintf(line, sizeof line, "%s %d, %d\n", texts[4].c_str(), groups.groups, opers.opers);
    MY_write_listing(line);
    return 1;
}
