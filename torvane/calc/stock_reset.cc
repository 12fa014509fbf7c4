// The reset of stocks and cut depth, operation kind by operation kind.
#include "torvane/calc/stock_reset.h"

#include <cstring>

#include "my_func/my_func.h"
#include "torvane/plan/cutters.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/stock.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/run_state.h"
#include "uf.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

struct reset_rule {
    const char *key;  // type key in the name; nullptr: any other name
    stock_floor floor;
    stock_z_offset z_offset;
    depth_rule depth;
    stock_depth_mark depth_mark;
};

// In the order the keys are looked for; the last row takes every other name.
const reset_rule RESET_RULES[] = {
    {"CAV_TOP", STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_CAV_TOP, DEPTH_MARK_IGNORED},
    {"CAV_FK_TOP", STOCK_FLOOR_AS_PART, Z_OFFSET_CAVITY, DEPTH_CAV_TOP_BOX, DEPTH_MARK_IGNORED},
    {"CAV_BOT", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_POINT_ONLY, DEPTH_MARK_IGNORED},
    {"ZLE_BOT", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_POINT_ONLY, DEPTH_MARK_IGNORED},
    {"CAV_EDM", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_EDM, DEPTH_MARK_IGNORED},
    {"ZLE_EDM", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_EDM, DEPTH_MARK_IGNORED},
    {"CAV_MAX_EDM", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MAX_EDM, DEPTH_MARK_IGNORED},
    {"ZLE_MAX_EDM", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MAX_EDM, DEPTH_MARK_IGNORED},
    {"ZLE_45_90", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_CUTTER_RADIUS, DEPTH_MARK_CUT_LEVEL},
    {"ZLE_0_90", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_CUTTER_RADIUS, DEPTH_MARK_CUT_LEVEL},
    {"ZLE_DEF_ANG", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_CUTTER_RADIUS, DEPTH_MARK_CUT_LEVEL},
    {"FIX_", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_IGNORED},
    {"FACE_ALL", STOCK_FLOOR_AS_PART, Z_OFFSET_FACE, DEPTH_NONE, DEPTH_MARK_FLOOR_OFFSET},
    {"FACE_EDM", STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR_OFFSET},
    {"FACE_BOT", STOCK_FLOOR_ZERO, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR_NOT_BELOW},
    {"PLAN_EDM", STOCK_FLOOR_EDM, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR},
    {"PLA_EDM_TO_BOT", STOCK_FLOOR_ZERO, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR},
    {"PLA_TOP_TO_BOT", STOCK_FLOOR_ZERO, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR},
    {"PLAN_LINE_TOP", STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_NONE, DEPTH_MARK_FLOOR},
    {nullptr, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_POINT_ONLY, DEPTH_MARK_CUT_LEVEL},
};

int show_message(const char *tag) { return show_catalogue_text(TORVANE_LANG_FORMAT, tag); }

const reset_rule &rule_of(const char *name) {
    const reset_rule *rule = RESET_RULES;
    while (rule->key && !std::strstr(name, rule->key)) ++rule;
    return *rule;
}

// The group and top node of an operation node of static_plan_list; 0 when it is not in it.
int plan_place_of(const oper *oper_p, prog_group **group_p, r_m_f_or_other **rmf_p) {
    for (r_m_f_or_other *rmf = static_plan_list; rmf; rmf = rmf->next_p)
        for (prog_group *group = rmf->prog_group_list_p; group; group = group->next_p)
            for (oper *o = group->oper_list_p; o; o = o->next_p)
                if (o == oper_p) {
                    *group_p = group;
                    *rmf_p = rmf;
                    return 1;
                }
    return 0;
}

// The union box of the operation's electrodes; 0 after a message when one has no record.
int oper_electrodes_box(const oper *oper_p, double box_min[3], double box_max[3]) {
    if (oper_p->elec_count <= 0) {
        show_message("reset_oper_stock_and_cut_dept_03:");
        return 0;
    }
    for (int i = 0; i < oper_p->elec_count; ++i) {
        const elec_cam_data *record = find_elec_cam_data(oper_p->elec_tag_p[i]);
        if (!record) {
            show_message("reset_oper_stock_and_cut_dept_03:");
            return 0;
        }
        for (int k = 0; k < 3; ++k) {
            box_min[k] = i == 0 || record->elec_box_min[k] < box_min[k] ? record->elec_box_min[k] : box_min[k];
            box_max[k] = i == 0 || record->elec_box_max[k] > box_max[k] ? record->elec_box_max[k] : box_max[k];
        }
    }
    return 1;
}

// The cut depth of the rule after the stocks, stock_distance above the electrodes.
int reset_cut_depth(const reset_rule &rule, oper *oper_p, int mcs_class, double stock_distance) {
    const tag_t op = oper_p->obj_tag;
    depth_site site;
    site.level_point = oper_p->level_point_p;
    site.stock_distance = stock_distance;
    site.mcs_class = mcs_class;
    double box_min[3], box_max[3];
    if (rule.depth == DEPTH_CAV_TOP_BOX && !oper_p->level_point_p) {
        if (!oper_electrodes_box(oper_p, box_min, box_max)) return 0;
        site.box_min = box_min;
        site.box_max = box_max;
    }
    if (rule.depth == DEPTH_EDM && oper_p->elec_count > 0) site.record = find_elec_cam_data(oper_p->elec_tag_p[0]);
    if (!set_cut_depth_by_rule(op, rule.depth, site)) return 0;
    if (rule.depth_mark == DEPTH_MARK_CUT_LEVEL && !apply_depth_name_mark(op, oper_p->name)) return 0;
    if (rule.depth == DEPTH_CUTTER_RADIUS) return check_elec_edm_z_depth(op, mcs_class);
    return 1;
}

}  // namespace

int reset_oper_stock_and_cut_depth(oper *oper_p) {
    if (!oper_p || oper_p->obj_tag == NULL_TAG) return 1;
    prog_group *group = nullptr;
    r_m_f_or_other *rmf = nullptr;
    if (!plan_place_of(oper_p, &group, &rmf)) return 0;
    if (static_mcs_tag == NULL_TAG) {
        show_message("reset_oper_stock_and_cut_dept_01:");
        return 0;
    }
    const int mcs_class = ask_mcs_class(ask_group_mcs(static_mcs_tag));
    if (mcs_class == 0) {
        show_message("reset_oper_stock_and_cut_dept_02:");
        return 0;
    }
    const reset_rule &rule = rule_of(oper_p->name);
    double class_stock = 0.0;
    const int has_class_stock = ask_rmf_stock(group, oper_p, rmf->rmf_kind, &class_stock);
    const int finish = is_finish_class(group, oper_p);
    const oper_stock stock = rule_oper_stock(oper_p->name, oper_p->part_stock, oper_p->floor_stock, has_class_stock,
                                             class_stock, finish, rule.floor, rule.z_offset, rule.depth_mark);
    const double distance = write_oper_stock(oper_p->obj_tag, stock, rule.z_offset, oper_p->level_point_p != nullptr);
    if (!reset_cut_depth(rule, oper_p, mcs_class, distance)) return 0;
    if (static_dlg_state.toggle_29) {
        tag_t cutter = NULL_TAG;
        UF_CALL(UF_OPER_ask_cutter_group(oper_p->obj_tag, &cutter));
        set_oper_cut_data(oper_p->obj_tag, cutter, static_tool_list);
    }
    return 1;
}

void reset_all_oper_stock(void) {
    visit_plan_opers(static_plan_list, [](oper *node, prog_group *, r_m_f_or_other *) {
        if (node->obj_tag != NULL_TAG) {
            reset_oper_stock_and_cut_depth(node);
            node->need_generate = 1;
        }
        return false;
    });
}
