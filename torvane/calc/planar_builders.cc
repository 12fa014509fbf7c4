// The planar milling family: what each member does differently from the common sequence.
#include "torvane/calc/planar_builders.h"

#include <algorithm>
#include <memory>

#include "my_func/my_func.h"
#include "my_func_cam/workpiece.h"
#include "torvane/calc/oper_build.h"
#include "torvane/setup/boundaries.h"
#include "torvane/setup/cut_lines.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_cambnd.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

typedef int (*bound_data_maker)(const elec_cam_data *record, int mcs_class, UF_CAMBND_boundary_data_p_t bound_data_p,
                                tag_t *plane_xform_tag);

const double DEEPEST_EDM_TOLERANCE = 0.001;

// Every part boundary of the operation in the plane of the boundary data, and the floor plane.
void set_boundary_planes(tag_t oper_tag, UF_CAMBND_boundary_data_t &data, tag_t xform) {
    int count = 0;
    UF_CAMBND_boundary_t *boundaries = nullptr;
    if (UF_CALL(UF_CAMBND_ask_boundaries(oper_tag, UF_CAM_part, &count, &boundaries)) == 0) {
        for (int i = 0; i < count; ++i) UF_CALL(UF_CAMBND_set_boundary_plane(boundaries[i], data.origin, data.matrix));
        if (boundaries) UF_free(boundaries);
    }
    UF_CALL(UF_PARAM_set_tag_value(oper_tag, UF_PARAM_FLOOR, xform));
}

// PLAN_EDM reads the holes of the electrode's EDM base face before anything is made.
int read_edm_loops(oper_build_site &site) {
    auto loops = std::make_shared<edm_loop_set>();
    if (!get_edm_body_boundary(site.record->elec_base_edm_face, &loops->count, loops->loops)) return STEP_STOP;
    site.loops = loops;
    return STEP_GO_ON;
}

// One closed part boundary per hole of the EDM base face.
int edm_hole_boundaries(tag_t oper_tag, oper_build_site &site) {
    UF_CAMBND_boundary_data_t data = {};
    tag_t xform = NULL_TAG;
    if (!create_top_face_bound_data_and_edm_plane_xform(site.record, site.mcs_class, &data, &xform)) return STEP_STOP;
    for (int i = 0; site.loops && i < site.loops->count; ++i)
        MY_append_bnd_from_curve(oper_tag, UF_CAM_part, site.loops->loops[i].count, site.loops->loops[i].edges, &data,
                                 nullptr);
    set_boundary_planes(oper_tag, data, xform);
    site.loops.reset();
    return STEP_GO_ON;
}

// The part boundary of the electrode's reference face in the plane the member makes; when that
// plane cannot be had, on_failure says whether the builder stops or leaves the operation as it is.
template <bound_data_maker make_bound_data, int on_failure>
int top_face_boundary(tag_t oper_tag, oper_build_site &site) {
    UF_CAMBND_boundary_data_t data = {};
    tag_t xform = NULL_TAG;
    if (!make_bound_data(site.record, site.mcs_class, &data, &xform)) return on_failure;
    UF_CALL(UF_CAMBND_append_bnd_from_face(oper_tag, UF_CAM_part, site.record->elec_top_face, &data));
    set_boundary_planes(oper_tag, data, xform);
    return STEP_GO_ON;
}

bool has_edm_face(const elec_cam_data &record, const oper_build_site &) {
    return record.elec_base_edm_face != NULL_TAG;
}

bool has_top_face(const elec_cam_data &record, const oper_build_site &) { return record.elec_top_face != NULL_TAG; }

bool reaches_deepest(const elec_cam_data &record, const oper_build_site &site) {
    return record.elec_top_face != NULL_TAG && reaches_deepest_edm(record, site.mcs_class);
}

oper_build_member planar_member(const char *prefix, stock_floor floor) {
    oper_build_member m;
    m.message_prefix = prefix;
    m.alloc_message = "12";
    m.needs_mcs_class = true;
    m.electrodes = ELECTRODES_ONE;
    m.stock = {true, floor, Z_OFFSET_NONE, DEPTH_MARK_FLOOR};
    m.start_points = START_POINTS_ALL;
    m.takes_part = has_top_face;
    return m;
}

oper_build_member plan_edm(void) {
    oper_build_member m = planar_member("PLAN_ED", STOCK_FLOOR_EDM);
    m.takes_part = has_edm_face;
    m.before_cutter = read_edm_loops;
    m.geometry = edm_hole_boundaries;
    return m;
}

oper_build_member pla_edm_to_bot(void) {
    oper_build_member m = planar_member("PLA_EDM_TO_BO", STOCK_FLOOR_ZERO);
    m.geometry = top_face_boundary<create_edm_face_bound_data_and_plane_xform, STEP_STOP>;
    return m;
}

oper_build_member pla_m_e_to_bot(void) {
    oper_build_member m = planar_member("PLA_M_E_TO_BO", STOCK_FLOOR_ZERO);
    m.takes_part = reaches_deepest;
    // Without the deepest EDM plane the electrode's operation stays, unbounded, and the next goes on.
    m.geometry = top_face_boundary<create_max_edm_bound_data_and_plane_xform, STEP_SKIP_REST>;
    return m;
}

oper_build_member pla_top_to_bot(void) {
    oper_build_member m = planar_member("PLA_TOP_TO_BO", STOCK_FLOOR_ZERO);
    m.geometry = top_face_boundary<create_top_face_bound_data_and_plane_xform, STEP_STOP>;
    return m;
}

const oper_build_member PLAN_EDM_MEMBER = plan_edm();
const oper_build_member PLA_EDM_TO_BOT_MEMBER = pla_edm_to_bot();
const oper_build_member PLA_M_E_TO_BOT_MEMBER = pla_m_e_to_bot();
const oper_build_member PLA_TOP_TO_BOT_MEMBER = pla_top_to_bot();

// ---- PLAN_LINE_TOP ------------------------------------------------------------------------------

// The data each cut line carries as a boundary member: tolerances 0.01, feed 1000 per minute (both
// off), the cutter on the line.
UF_CAMBND_app_data_t line_member_data(void) {
    UF_CAMBND_app_data_t data = {};
    data.has_stock = 0;
    data.stock = 0.0;
    data.has_tolerances = 0;
    data.tolerances[0] = data.tolerances[1] = 0.01;
    data.has_feedrate = 0;
    data.feedrate_unit = UF_CAM_feedrate_unit_per_minute;
    data.feedrate_value = 1000.0;
    data.has_blank_distance = 0;
    data.blank_distance = 0.0;
    data.has_tool_position = 1;
    data.tool_position = UF_CAM_tool_position_on;
    return data;
}

// Boundaries of curves_per_boundary lines each from site.items, in the plane of the first line,
// cut by method.
int line_boundaries(tag_t oper_tag, oper_build_site &site, int curves_per_boundary, int method) {
    UF_CAMBND_boundary_data_t data = {};
    tag_t xform = NULL_TAG;
    if (site.item_count <= 0 ||
        !create_line_bound_data_and_plane_xform(site.record, site.mcs_class, site.items[0], &data, &xform))
        return STEP_STOP;
    const UF_CAMBND_app_data_t member = line_member_data();
    for (int i = 0; i + curves_per_boundary <= site.item_count; i += curves_per_boundary)
        MY_append_bnd_from_curve(oper_tag, UF_CAM_part, curves_per_boundary, const_cast<tag_t *>(site.items + i), &data,
                                 &member);
    UF_CALL(UF_PARAM_set_int_value(oper_tag, UF_PARAM_CUT_METHOD, method));
    set_boundary_planes(oper_tag, data, xform);
    return STEP_GO_ON;
}

int single_line_boundaries(tag_t oper_tag, oper_build_site &site) {
    return line_boundaries(oper_tag, site, 1, UF_PARAM_cut_method_profile);
}

int line_set_boundaries(tag_t oper_tag, oper_build_site &site) {
    return line_boundaries(oper_tag, site, 3, UF_PARAM_cut_method_zig_zag);
}

oper_build_member line_top(int (*geometry)(tag_t, oper_build_site &)) {
    oper_build_member m;
    m.message_prefix = "PLAN_LINE_TO";
    m.needs_mcs_class = true;
    m.electrodes = ELECTRODES_NONE;
    m.stock = {true, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_FLOOR};
    m.geometry = geometry;
    return m;
}

const oper_build_member LINE_PROFILE = line_top(single_line_boundaries);
const oper_build_member LINE_ZIG_ZAG = line_top(line_set_boundaries);

// One operation of the lines of one kind: the planned node for the first, a copy after it for the
// second. previous is the node used last (null before the first).
int build_line_oper(const oper_build_member &member, oper_build_site site, const std::vector<tag_t> &lines,
                    const elec_cam_data *first_record, oper **previous) {
    if (lines.empty()) return 1;
    oper *planned = site.node;
    site.node = *previous ? further_oper_node(site, planned, *previous) : planned;
    if (!site.node) return 0;
    *previous = site.node;
    site.items = lines.data();
    site.item_count = static_cast<int>(lines.size());
    site.record = first_record;
    tag_t made = NULL_TAG;
    return build_planned_oper(member, site, &made);
}

int build_per_top_face(const oper_build_member &member, prog_group *group, oper *node, int rmf_kind,
                       tag_t work_piece_tag, from_side_start_point *start_points, tag_t *oper_tag,
                       uf_list_p_t calc_oper_list, int dialog_id) {
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_per_electrode(member, site, oper_tag);
}

}  // namespace

bool reaches_deepest_edm(const elec_cam_data &record, int mcs_class) {
    double deepest = 0.0;
    if (!deepest_edm_height(mcs_class, &deepest)) return false;
    const double low = std::min(mcs_height(mcs_class, record.elec_box_min), mcs_height(mcs_class, record.elec_box_max));
    return low <= deepest + DEEPEST_EDM_TOLERANCE;
}

int PLAN_EDM(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
             tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    return build_per_top_face(PLAN_EDM_MEMBER, group, node, rmf_kind, work_piece_tag, start_points, oper_tag,
                              calc_oper_list, dialog_id);
}

int PLA_EDM_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    return build_per_top_face(PLA_EDM_TO_BOT_MEMBER, group, node, rmf_kind, work_piece_tag, start_points, oper_tag,
                              calc_oper_list, dialog_id);
}

int PLA_M_E_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    return build_per_top_face(PLA_M_E_TO_BOT_MEMBER, group, node, rmf_kind, work_piece_tag, start_points, oper_tag,
                              calc_oper_list, dialog_id);
}

int PLA_TOP_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    return build_per_top_face(PLA_TOP_TO_BOT_MEMBER, group, node, rmf_kind, work_piece_tag, start_points, oper_tag,
                              calc_oper_list, dialog_id);
}

int PLAN_LINE_TOP(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                  from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    *oper_tag = NULL_TAG;
    if (!node->tool_data_p) return 0;
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    if (!begin_oper_build(LINE_PROFILE, site, oper_tag)) return 0;
    cut_lines lines;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p)
        if (!create_solid_top_cut_line(record, node, site.mcs_class, &lines)) return 0;
    std::vector<tag_t> set_lines;
    for (const auto &set : lines.line_sets) set_lines.insert(set_lines.end(), set.begin(), set.end());
    oper *previous = nullptr;
    if (!build_line_oper(LINE_PROFILE, site, lines.single_lines,
                         lines.single_records.empty() ? nullptr : lines.single_records.front(), &previous))
        return 0;
    return build_line_oper(LINE_ZIG_ZAG, site, set_lines, lines.set_records.empty() ? nullptr : lines.set_records.front(),
                           &previous);
}
