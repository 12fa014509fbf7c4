// The cavity and Z-level family: what each member does differently from the common sequence.
#include "torvane/calc/cavity_builders.h"

#include "my_func/my_func.h"
#include "my_func_cam/workpiece.h"
#include "torvane/calc/oper_build.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_camgeom.h"

namespace {

// The node's chosen faces when it has some, else the whole face list of the slope class.
int face_list_cut_area(tag_t oper_tag, oper_build_site &site) {
    if (!append_node_cut_faces(oper_tag, site.node) && site.face_count > 0)
        append_items_with_app_data(oper_tag, UF_CAM_cut_area, site.face_count, const_cast<tag_t *>(site.faces));
    return 1;
}

// A Z-level bottom must not cut into an electrode's EDM face.
int check_edm_depth(tag_t oper_tag, oper_build_site &site) { return check_elec_edm_z_depth(oper_tag, site.mcs_class); }

// Members: message prefix, allocation message, MCS class needed, negative stock, bottom cut level
// without a level point, only the own start points, cut area, check after the cut levels.
const oper_build_member CAV_TOP = {"CAV_TO", "13", false, Z_OFFSET_CAVITY, DEPTH_CAV_TOP, false, nullptr, nullptr};
const oper_build_member CAV_FK_TOP = {"CAV_FK_TO", "17", true, Z_OFFSET_CAVITY, DEPTH_CAV_TOP_BOX, false, nullptr, nullptr};
const oper_build_member CAV_BOT = {"CAV_BO", "13", false, Z_OFFSET_NONE, DEPTH_POINT_ONLY, false, nullptr, nullptr};
const oper_build_member CAV_EDM = {"CAV_ED", "17", true, Z_OFFSET_NONE, DEPTH_EDM, false, nullptr, nullptr};
const oper_build_member CAV_MAX_EDM = {"CAV_MAX_ED", "13", false, Z_OFFSET_NONE, DEPTH_MAX_EDM, false, nullptr, nullptr};
const oper_build_member ZLE_FACE_ANGLE = {"ZLE_FACE_angl", "18", true, Z_OFFSET_NONE, DEPTH_CUTTER_RADIUS, true,
                                          face_list_cut_area, check_edm_depth};

oper_build_site site_of(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                        from_side_start_point *start_points, uf_list_p_t calc_oper_list) {
    oper_build_site site;
    site.group = group;
    site.node = node;
    site.rmf_kind = rmf_kind;
    site.work_piece_tag = work_piece_tag;
    site.start_points = start_points;
    site.calc_oper_list = calc_oper_list;
    return site;
}

// One operation for all selected electrodes.
int build_for_all(const oper_build_member &member, oper_build_site site, tag_t *oper_tag) {
    if (!begin_oper_build(member, site, oper_tag)) return 0;
    return build_planned_oper(member, site, static_elec_tags, static_elec_count, oper_tag);
}

int build_each(const oper_build_member &member, oper_build_site site, tag_t *oper_tag) {
    if (!begin_oper_build(member, site, oper_tag)) return 0;
    return build_per_electrode(member, site, oper_tag);
}

}  // namespace

int build_cav_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_TOP, site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list), oper_tag);
}

int build_cav_bot(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_BOT, site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list), oper_tag);
}

int build_cav_max_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                      from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_for_all(CAV_MAX_EDM, site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list),
                         oper_tag);
}

int build_cav_fk_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                     from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    oper_build_site site = site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_each(CAV_FK_TOP, site, oper_tag);
}

int build_cav_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id) {
    oper_build_site site = site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_each(CAV_EDM, site, oper_tag);
}

int build_zle_face_angle(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                         from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list,
                         const tag_t *faces, int face_count) {
    *oper_tag = NULL_TAG;
    if (node->cut_face_count <= 0 && face_count <= 0) return 1;
    oper_build_site site = site_of(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.faces = faces;
    site.face_count = face_count;
    return build_for_all(ZLE_FACE_ANGLE, site, oper_tag);
}
