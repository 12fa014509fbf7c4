// The cavity and Z-level family: what each member does differently from the common sequence.
#include "torvane/calc/cavity_builders.h"

#include "my_func/my_func.h"
#include "torvane/calc/oper_build.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_camgeom.h"
#include "uf_obj.h"

namespace {

// A Z-level bottom must not cut into an electrode's EDM face. An operation the check refuses is
// taken out of the part again, so that the plan never claims it.
int check_edm_depth(tag_t oper_tag, oper_build_site &site) {
    if (check_elec_edm_z_depth(oper_tag, site.mcs_class)) return 1;
    UF_CALL(UF_OBJ_delete_object(oper_tag));
    site.node->obj_tag = NULL_TAG;
    return 0;
}

// What every member shares: reference cutter, cutting data before the cut levels, class stock on
// part and floor with the "-Z" mark on the bottom cut level, and the front or side start points.
oper_build_member cavity_member(const char *prefix, const char *alloc, depth_rule depth) {
    oper_build_member m;
    m.message_prefix = prefix;
    m.alloc_message = alloc;
    m.reference_cutter = true;
    m.cut_data_early = true;
    m.stock = {true, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_CUT_LEVEL};
    m.depth = depth;
    m.start_points = START_POINTS_ALL;
    return m;
}

// One operation for all electrodes, its stock kept above them by the Z offset when negative.
oper_build_member from_top(oper_build_member m) {
    m.stock.z_offset = Z_OFFSET_CAVITY;
    return m;
}

// One operation per electrode in a workpiece of its own.
oper_build_member each_electrode(oper_build_member m) {
    m.needs_mcs_class = true;
    m.electrode_workpiece = true;
    m.electrodes = ELECTRODES_ONE;
    return m;
}

oper_build_member zle_face_angle(void) {
    oper_build_member m = cavity_member("ZLE_FACE_angl", "18", DEPTH_CUTTER_RADIUS);
    m.needs_mcs_class = true;
    m.start_points = START_POINTS_OWN;
    m.geometry = node_or_items_cut_area;
    m.last_step = check_edm_depth;
    return m;
}

const oper_build_member CAV_TOP = from_top(cavity_member("CAV_TO", "13", DEPTH_CAV_TOP));
const oper_build_member CAV_FK_TOP = each_electrode(from_top(cavity_member("CAV_FK_TO", "17", DEPTH_CAV_TOP_BOX)));
const oper_build_member CAV_BOT = cavity_member("CAV_BO", "13", DEPTH_POINT_ONLY);
const oper_build_member CAV_EDM = each_electrode(cavity_member("CAV_ED", "17", DEPTH_EDM));
const oper_build_member CAV_MAX_EDM = cavity_member("CAV_MAX_ED", "13", DEPTH_MAX_EDM);
const oper_build_member ZLE_FACE_ANGLE = zle_face_angle();

}  // namespace

int build_cav_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_TOP, oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list), oper_tag);
}

int build_cav_bot(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_BOT, oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list), oper_tag);
}

int build_cav_max_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                      from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_MAX_EDM, oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list),
                         oper_tag);
}

int build_cav_fk_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                     from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_per_electrode(CAV_FK_TOP, site, oper_tag);
}

int build_cav_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_per_electrode(CAV_EDM, site, oper_tag);
}

int build_zle_face_angle(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                         from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list,
                         const tag_t *faces, int face_count) {
    *oper_tag = NULL_TAG;
    if (node->cut_face_count <= 0 && face_count <= 0) return 1;
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.items = faces;
    site.item_count = face_count;
    return build_for_all(ZLE_FACE_ANGLE, site, oper_tag);
}
