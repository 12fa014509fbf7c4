// The common sequence of the operation builders.
#include "torvane/calc/oper_build.h"

#include <string>

#include "my_func/my_func.h"
#include "my_func_cam/workpiece.h"
#include "my_func_nxlib/nxlib.h"
#include "torvane/plan/cutters.h"
#include "torvane/plan/plan_copy.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan_view.h"
#include "torvane/state/run_state.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_camgeom.h"
#include "uf_modl_utilities.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_ui_ont.h"

namespace {

// The cutter of a record, or none without one. 0 when it can be neither found nor created.
int record_cutter(const std::shared_ptr<tool_data> &record, tag_t *tool_tag) {
    *tool_tag = NULL_TAG;
    return record ? find_or_create_tool(record.get(), tool_tag) : 1;
}

// The node's reference cutter, or none: a reference cutter the template brought is taken off.
int set_reference_cutter(tag_t oper_tag, const oper &node) {
    tag_t ref_tool = NULL_TAG;
    if (node.ref_tool_data_p) {
        if (!find_or_create_tool(node.ref_tool_data_p.get(), &ref_tool)) return 0;
        UF_CALL(UF_OPER_set_ref_cutter(oper_tag, ref_tool));
        return 1;
    }
    if (UF_CALL(UF_OPER_ask_ref_cutter(oper_tag, &ref_tool)) == 0 && ref_tool != NULL_TAG)
        UF_CALL(UF_OPER_set_ref_cutter(oper_tag, NULL_TAG));
    return 1;
}

int node_cut_area(tag_t oper_tag, oper_build_site &site) {
    append_node_cut_faces(oper_tag, site.node);
    return 1;
}

// Stocks right after creation, while the operation holds the template's: the "-S" mark or the
// class stock. Returns the distance the from-top cut depth keeps above the electrodes: the stock
// the operation leaves there, which for "-S" is the template's (the mark's value is left on the
// faces, not above them), 0 when the Z offset took a negative stock.
double set_build_stock(const oper_build_member &member, tag_t oper_tag, const oper_build_site &site) {
    const oper &node = *site.node;
    double template_part = 0.0, template_floor = 0.0, class_stock = 0.0;
    ask_part_floor_stock(oper_tag, &template_part, &template_floor);
    const int has_class_stock = ask_rmf_stock(site.group, &node, site.rmf_kind, &class_stock);
    const oper_stock stock = rule_oper_stock(node.name, template_part, template_floor, has_class_stock, class_stock,
                                             node.rmf_kind == RMF_FINISH, STOCK_FLOOR_AS_PART, member.z_offset,
                                             DEPTH_MARK_CUT_LEVEL);
    const double distance = write_oper_stock(oper_tag, stock, member.z_offset, node.level_point_p != nullptr);
    double mark = 0.0;
    if (distance > 0.0 && ask_name_mark_value(node.name, NAME_MARK_STOCK, &mark) && mark != 0.0)
        return distance - mark;
    return distance;
}

int set_build_cut_levels(const oper_build_member &member, tag_t oper_tag, oper_build_site &site, double distance) {
    depth_site depth;
    depth.work_piece_tag = site.work_piece_tag;
    depth.level_point = site.node->level_point_p;
    depth.stock_distance = distance;
    depth.record = site.record;
    depth.mcs_class = site.mcs_class;
    if (site.record) {
        depth.box_min = site.record->elec_box_min;
        depth.box_max = site.record->elec_box_max;
    }
    if (!set_cut_depth_by_rule(oper_tag, member.depth, depth)) return 0;
    return apply_depth_name_mark(oper_tag, site.node->name);
}

// Queues the operation for generation when tool paths are wanted and NX finds it complete.
void queue_generation(tag_t oper_tag, oper_build_site &site) {
    if (!static_dlg_state.toggle_32 || !site.calc_oper_list) return;
    logical ok = false;
    if (UF_CALL(UF_PARAM_check(oper_tag, &ok)) != 0 || !ok) return;
    if (UF_CALL(UF_MODL_put_list_item(site.calc_oper_list, oper_tag)) == 0) site.node->need_generate = 0;
}

// This electrode's workpiece when several electrodes are selected, with its block blank.
int electrode_workpiece(const oper_build_member &member, const elec_cam_data &record, tag_t *work_piece_tag) {
    const int made = static_dlg_state.toggle_35
                         ? create_single_solid_workpiece_add_check_geom(record.elec_tag, work_piece_tag, static_mcs_tag,
                                                                        ask_mcs_class(static_mcs_tag))
                         : MY_create_single_workpiece(record.elec_tag, work_piece_tag, static_mcs_tag);
    if (!made || *work_piece_tag == NULL_TAG) {
        show_member_message(member, static_dlg_state.toggle_35 ? "06" : "07");
        return 0;
    }
    double offsets[6] = {static_dlg_state.real_24, static_dlg_state.real_24, static_dlg_state.real_25,
                         static_dlg_state.real_25, static_dlg_state.real_26, 0.0};
    UF_CALL(UF_CAM_set_auto_blank(*work_piece_tag, UF_CAM_auto_block_type, offsets));
    return 1;
}

// The node of a further electrode: a copy of the planned node after the previous electrode's,
// with no object of its own yet.
oper *electrode_node(oper_build_site &site, oper *planned, oper *previous) {
    oper *copy = copy_oper_node(planned);
    if (!copy) return nullptr;
    copy->obj_tag = NULL_TAG;
    link_oper_node_after(site.group, previous, copy);
    if (site.dialog_id && site.group->expanded) view_insert_oper_line_after(site.dialog_id, previous->name, *copy);
    return copy;
}

}  // namespace

int append_node_cut_faces(tag_t oper_tag, oper *node) {
    if (node->cut_face_count <= 0) return 0;
    append_items_with_app_data(oper_tag, UF_CAM_cut_area, node->cut_face_count, node->cut_face_p);
    UF_free(node->cut_face_p);
    node->cut_face_p = nullptr;
    node->cut_face_count = 0;
    return 1;
}

int show_member_message(const oper_build_member &member, const char *suffix) {
    const std::string tag = std::string(member.message_prefix) + "_" + suffix + ":";
    show_catalogue_text(TORVANE_LANG_FORMAT, tag.c_str());
    return 0;
}

int begin_oper_build(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag) {
    *oper_tag = NULL_TAG;
    if (!member.needs_mcs_class) return 1;
    tag_t mcs = NULL_TAG;
    if (UF_CALL(UF_PARAM_ask_tag_value(static_mcs_tag, UF_PARAM_MCS, &mcs)) != 0 || mcs == NULL_TAG)
        return show_member_message(member, "01");
    site.mcs_class = ask_mcs_class(mcs);
    if (site.mcs_class == 0) return show_member_message(member, "02");
    return 1;
}

int build_planned_oper(const oper_build_member &member, oper_build_site &site, const tag_t *elec_tags, int count,
                       tag_t *oper_tag) {
    oper *node = site.node;
    tag_t tool = NULL_TAG;
    if (!record_cutter(node->tool_data_p, &tool)) return 0;
    const tag_t made =
        call_oper_from_template(node->template_file, node->new_name, site.group->obj_tag, tool, site.work_piece_tag);
    if (made == NULL_TAG) return 0;
    *oper_tag = made;
    if (!set_reference_cutter(made, *node)) return 0;
    if (!(member.cut_area ? member.cut_area : node_cut_area)(made, site)) return 0;
    const double distance = set_build_stock(member, made, site);
    if (static_dlg_state.toggle_29) set_oper_cut_data(made, tool, static_tool_list);
    if (!set_build_cut_levels(member, made, site, distance)) return 0;
    if (member.after_cut_levels && !member.after_cut_levels(made, site)) {
        // Not recorded in the plan, so not left in the part either.
        UF_CALL(UF_OBJ_delete_object(made));
        *oper_tag = NULL_TAG;
        return 0;
    }
    set_oper_start_points(made, node, member.own_start_points_only ? nullptr : site.start_points);
    node->obj_tag = made;
    if (!set_oper_electrodes(node, elec_tags, count)) show_member_message(member, member.alloc_message);
    queue_generation(made, site);
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int build_per_electrode(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag) {
    oper *planned = site.node;
    oper *previous = nullptr;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        oper *node = previous ? electrode_node(site, planned, previous) : planned;
        if (!node) return 0;
        tag_t work_piece = site.work_piece_tag;
        if (static_elec_count != 1 && !electrode_workpiece(member, *record, &work_piece)) return 0;
        oper_build_site electrode = site;
        electrode.node = node;
        electrode.work_piece_tag = work_piece;
        electrode.record = record;
        tag_t made = NULL_TAG;
        if (!build_planned_oper(member, electrode, &record->elec_tag, 1, &made)) return 0;
        previous = node;
    }
    *oper_tag = NULL_TAG;
    return 1;
}
