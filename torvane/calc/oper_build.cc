// The common sequence of the operation builders.
#include "torvane/calc/oper_build.h"

#include <algorithm>
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
// class stock, then the "-Z" mark where it acts on the floor. Returns the distance the from-top
// cut depth keeps above the electrodes: the stock left there, which for "-S" is the template's
// part stock (never below 0; the mark's value is left on the faces, not above them), and 0 when
// the Z offset took a negative stock.
double set_build_stock(const oper_build_member &member, tag_t oper_tag, const oper_build_site &site) {
    if (!member.stock.set) return 0.0;
    const oper &node = *site.node;
    double template_part = 0.0, template_floor = 0.0, class_stock = 0.0;
    ask_part_floor_stock(oper_tag, &template_part, &template_floor);
    const int has_class_stock = ask_rmf_stock(site.group, &node, site.rmf_kind, &class_stock);
    const stock_z_offset z_offset = member.z_offset_of ? member.z_offset_of(site) : member.stock.z_offset;
    const oper_stock stock = rule_oper_stock(site.marks, template_part, template_floor, has_class_stock, class_stock,
                                             is_finish_class(site.group, &node), member.stock.floor, z_offset, member.stock.depth_mark);
    const int has_point = node.level_point_p != nullptr;
    const double written = write_oper_stock(oper_tag, stock, z_offset, has_point);
    double mark = 0.0;
    if (!ask_name_mark_value(site.marks, NAME_MARK_STOCK, &mark) || mark == 0.0) return written;
    return stock.z_offset < 0.0 && !has_point ? 0.0 : std::max(template_part, 0.0);
}

// A failed depth member has shown why; the operation stays as it is and the build goes on.
void set_build_cut_levels(const oper_build_member &member, tag_t oper_tag, oper_build_site &site, double distance) {
    if (member.depth == DEPTH_NONE) return;
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
    if (!set_cut_depth_by_rule(oper_tag, member.depth, depth)) return;
    if (member.stock.depth_mark == DEPTH_MARK_CUT_LEVEL) apply_depth_name_mark(oper_tag, site.marks);
}

void set_build_start_points(const oper_build_member &member, tag_t oper_tag, oper_build_site &site) {
    switch (member.start_points) {
    case START_POINTS_NONE: return;
    case START_POINTS_OWN_NX4:
        if (!custom_point_release()) return;
        set_oper_start_points(oper_tag, site.node, site.marks, nullptr);
        return;
    case START_POINTS_OWN: set_oper_start_points(oper_tag, site.node, site.marks, nullptr); return;
    case START_POINTS_ALL: set_oper_start_points(oper_tag, site.node, site.marks, site.start_points); return;
    }
}

void record_electrodes(const oper_build_member &member, oper_build_site &site) {
    int done = 1;
    if (member.electrodes == ELECTRODES_ALL) done = set_oper_electrodes(site.node, static_elec_tags, static_elec_count);
    else if (member.electrodes == ELECTRODES_ONE && site.record)
        done = set_oper_electrodes(site.node, &site.record->elec_tag, 1);
    if (!done) show_member_message(member, member.alloc_message);
}

// Queues the operation for generation when tool paths are wanted and NX finds it complete.
void queue_generation(tag_t oper_tag, oper_build_site &site) {
    if (!static_dlg_state.toggle_32 || !site.calc_oper_list) return;
    logical ok = false;
    if (UF_CALL(UF_PARAM_check(oper_tag, &ok)) != 0 || !ok) return;
    if (UF_CALL(UF_MODL_put_list_item(site.calc_oper_list, oper_tag)) == 0) site.node->need_generate = 0;
}

// This electrode's workpiece when several electrodes are selected, with its block blank.
int electrode_workpiece(const oper_build_member &member, oper_build_site &site) {
    if (!member.electrode_workpiece || !site.record || static_elec_count == 1) return 1;
    tag_t work_piece = NULL_TAG;
    const int made = static_dlg_state.toggle_35
                         ? create_single_solid_workpiece_add_check_geom(site.record->elec_tag, &work_piece,
                                                                        static_mcs_tag, site.mcs_class)
                         : MY_create_single_workpiece(site.record->elec_tag, &work_piece, static_mcs_tag);
    if (!made || work_piece == NULL_TAG) {
        show_member_message(member, static_dlg_state.toggle_35 ? "06" : "07");
        return 0;
    }
    double offsets[6] = {static_dlg_state.real_24, static_dlg_state.real_24, static_dlg_state.real_25,
                         static_dlg_state.real_25, static_dlg_state.real_26, 0.0};
    UF_CALL(UF_CAM_set_auto_blank(work_piece, UF_CAM_auto_block_type, offsets));
    site.work_piece_tag = work_piece;
    return 1;
}

void apply_cut_data(tag_t oper_tag, tag_t tool) {
    if (static_dlg_state.toggle_29) set_oper_cut_data(oper_tag, tool, static_tool_list);
}

}  // namespace

oper_build_site oper_site(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                          from_side_start_point *start_points, uf_list_p_t calc_oper_list) {
    oper_build_site site;
    site.group = group;
    site.node = node;
    site.marks = node ? node->name : nullptr;
    site.rmf_kind = rmf_kind;
    site.work_piece_tag = work_piece_tag;
    site.start_points = start_points;
    site.calc_oper_list = calc_oper_list;
    return site;
}

int append_node_cut_faces(tag_t oper_tag, oper *node) {
    if (node->cut_face_count <= 0) return 0;
    append_items_with_app_data(oper_tag, UF_CAM_cut_area, node->cut_face_count, node->cut_face_p);
    UF_free(node->cut_face_p);
    node->cut_face_p = nullptr;
    node->cut_face_count = 0;
    return 1;
}

int node_or_items_cut_area(tag_t oper_tag, oper_build_site &site) {
    if (!append_node_cut_faces(oper_tag, site.node) && site.item_count > 0)
        append_items_with_app_data(oper_tag, UF_CAM_cut_area, site.item_count, const_cast<tag_t *>(site.items));
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
    site.mcs = ask_group_mcs(static_mcs_tag);
    if (site.mcs == NULL_TAG) return show_member_message(member, "01");
    site.mcs_class = ask_mcs_class(site.mcs);
    if (site.mcs_class == 0) return show_member_message(member, "02");
    return 1;
}

int build_planned_oper(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag) {
    oper *node = site.node;
    tag_t tool = NULL_TAG;
    if (!record_cutter(node->tool_data_p, &tool) || !electrode_workpiece(member, site)) return 0;
    const tag_t made =
        call_oper_from_template(node->template_file, node->new_name, site.group->obj_tag, tool, site.work_piece_tag);
    if (made == NULL_TAG) return 0;
    *oper_tag = made;
    node->obj_tag = made;
    if (member.reference_cutter && !set_reference_cutter(made, *node)) return 0;
    const int geometry = (member.geometry ? member.geometry : node_cut_area)(made, site);
    if (geometry != STEP_GO_ON) return geometry == STEP_SKIP_REST ? 1 : 0;
    const double distance = set_build_stock(member, made, site);
    if (member.cut_data_early) apply_cut_data(made, tool);
    set_build_cut_levels(member, made, site, distance);
    if (member.last_step && !member.last_step(made, site)) return 0;
    set_build_start_points(member, made, site);
    record_electrodes(member, site);
    if (!member.cut_data_early) apply_cut_data(made, tool);
    queue_generation(made, site);
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int build_for_all(const oper_build_member &member, oper_build_site site, tag_t *oper_tag) {
    if (!begin_oper_build(member, site, oper_tag)) return 0;
    return build_planned_oper(member, site, oper_tag);
}

oper *further_oper_node(oper_build_site &site, oper *planned, oper *previous, plan_name_set *names) {
    oper *copy = copy_oper_node(planned, names);
    if (!copy) return nullptr;
    copy->obj_tag = NULL_TAG;
    // Made for another electrode: it holds none until its operation records its own.
    set_oper_electrodes(copy, nullptr, 0);
    link_oper_node_after(site.group, previous, copy);
    if (site.dialog_id && site.group->expanded) view_insert_oper_line_after(site.dialog_id, previous->name, *copy);
    return copy;
}

int build_per_electrode(const oper_build_member &member, oper_build_site site, tag_t *oper_tag) {
    if (!begin_oper_build(member, site, oper_tag)) return 0;
    oper *planned = site.node;
    oper *previous = nullptr;
    plan_name_set names;  // one gathering of the plan's names for all the copies
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        oper_build_site electrode = site;
        electrode.record = record;
        if (member.takes_part && !member.takes_part(*record, electrode)) continue;
        electrode.node = previous ? further_oper_node(electrode, planned, previous, &names) : planned;
        if (!electrode.node) return 0;
        previous = electrode.node;
        if (member.before_cutter && !member.before_cutter(electrode)) return 0;
        tag_t made = NULL_TAG;
        if (!build_planned_oper(member, electrode, &made)) return 0;
    }
    *oper_tag = NULL_TAG;
    return 1;
}
