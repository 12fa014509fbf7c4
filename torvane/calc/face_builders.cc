// The face milling family: what each member does differently from the common sequence.
#include "torvane/calc/face_builders.h"

#include "my_func/my_func.h"
#include "my_func/nx_memory.h"
#include "my_func_cam/workpiece.h"
#include "torvane/calc/oper_build.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/stock.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/run_state.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_cambnd.h"

namespace {

const double RELEASE_NOT_ASKED = -100.0;

// FACE_ALL asks the release once per load of the add-on.
double static_face_all_release = RELEASE_NOT_ASKED;

// The faces' blank boundaries in the plane of the workpiece's MCS: the node's own cut faces
// (then used up), else the site's faces.
int face_boundaries(tag_t oper_tag, oper_build_site &site) {
    UF_CAMBND_boundary_data_t data = {};
    MY_set_bound_data_matrix(site.work_piece_tag, &data);
    oper *node = site.node;
    const bool own = node->cut_face_count > 0;
    const tag_t *faces = own ? node->cut_face_p : site.items;
    const int count = own ? node->cut_face_count : site.item_count;
    for (int i = 0; i < count; ++i) UF_CALL(UF_CAMBND_append_bnd_from_face(oper_tag, UF_CAM_blank, faces[i], &data));
    if (own) {
        UF_free(node->cut_face_p);
        node->cut_face_p = nullptr;
        node->cut_face_count = 0;
    }
    return 1;
}

int blank_stock(tag_t oper_tag, oper_build_site &) {
    check_and_set_face_bland_stock(oper_tag, FACE_BLANK_EXTRA);
    return 1;
}

int bottom_blank_stock(tag_t oper_tag, oper_build_site &) {
    check_and_set_face_bland_stock(oper_tag, FACE_BOT_BLANK_EXTRA);
    return 1;
}

// Releases before 7.0 keep a negative class stock of FACE_ALL off the floor through the Z
// offset; a "-S" mark is always written as it is.
stock_z_offset face_all_z_offset(const oper_build_site &site) {
    double mark = 0.0;
    if (ask_name_mark_value(site.marks, NAME_MARK_STOCK, &mark)) return Z_OFFSET_NONE;
    return static_face_all_release < FACE_ZOFFSET_BEFORE ? Z_OFFSET_FACE : Z_OFFSET_NONE;
}

oper_build_member face_member(const char *prefix, const char *alloc, stock_floor floor, stock_depth_mark depth_mark) {
    oper_build_member m;
    m.message_prefix = prefix;
    m.alloc_message = alloc;
    m.stock = {true, floor, Z_OFFSET_NONE, depth_mark};
    m.geometry = face_boundaries;
    m.last_step = blank_stock;
    m.start_points = START_POINTS_ALL;
    return m;
}

oper_build_member face_all(void) {
    oper_build_member m = face_member("FACE_AL", "16", STOCK_FLOOR_AS_PART, DEPTH_MARK_FLOOR_AND_OFFSET);
    m.z_offset_of = face_all_z_offset;
    m.start_points = START_POINTS_OWN;
    return m;
}

oper_build_member face_bot(void) {
    oper_build_member m = face_member("FACE_BO", "19", STOCK_FLOOR_ZERO, DEPTH_MARK_FLOOR_NOT_BELOW);
    m.needs_mcs_class = true;
    m.last_step = bottom_blank_stock;
    return m;
}

oper_build_member face_edm(void) {
    oper_build_member m = face_member("FACE_ED", "19", STOCK_FLOOR_EDM, DEPTH_MARK_FLOOR_AND_OFFSET);
    m.needs_mcs_class = true;
    return m;
}

const oper_build_member FACE_ALL = face_all();
const oper_build_member FACE_BOT = face_bot();
const oper_build_member FACE_EDM = face_edm();

// Which face of a record bounds the operation: its reference face (FACE_BOT) or its EDM base
// face (FACE_EDM); NULL_TAG for none. A record without it, or working on its whole body, takes
// no part.
bool takes_part_bot(const elec_cam_data &record) { return record.elec_top_face != NULL_TAG; }
bool takes_part_edm(const elec_cam_data &record) { return !record.use_whole_body; }

// The faces of the electrodes that take part and face the MCS, in list order. 1 when a record
// took part (the array may still be empty), 0 when none did or the array could not grow (shown).
int electrode_faces(const oper_build_member &member, bool bottom, int mcs_class, nx_array<tag_t> *faces, int *count) {
    *count = 0;
    bool any = false;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        if (!(bottom ? takes_part_bot(*record) : takes_part_edm(*record))) continue;
        any = true;
        const tag_t face = bottom ? record->elec_top_face : record->elec_base_edm_face;
        if (face == NULL_TAG || !elec_faces_mcs(mcs_class, record->elec_direction)) continue;
        if (!faces->grow(*count + 1)) return show_member_message(member, "03");
        (*faces)[(*count)++] = face;
    }
    return any ? 1 : 0;
}

int build_face_of_electrodes(const oper_build_member &member, bool bottom, oper_build_site site, tag_t *oper_tag) {
    if (!begin_oper_build(member, site, oper_tag) || !elec_cam_data_list) return 0;
    nx_array<tag_t> faces;
    int count = 0;
    if (!electrode_faces(member, bottom, site.mcs_class, &faces, &count)) return 0;
    site.items = faces.get();
    site.item_count = count;
    return build_planned_oper(member, site, oper_tag);
}

}  // namespace

int build_face_all(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list,
                   const tag_t *faces, int face_count) {
    *oper_tag = NULL_TAG;
    if (static_face_all_release == RELEASE_NOT_ASKED) ask_nx_release(&static_face_all_release);
    if (node->cut_face_count <= 0 && face_count <= 0) return 1;
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.items = faces;
    site.item_count = face_count;
    return build_for_all(FACE_ALL, site, oper_tag);
}

int build_face_bot(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    return build_face_of_electrodes(FACE_BOT, true,
                                    oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list),
                                    oper_tag);
}

int build_face_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    *oper_tag = NULL_TAG;
    if (static_dlg_state.radio_1 == 1) return 0;
    return build_face_of_electrodes(FACE_EDM, false,
                                    oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list),
                                    oper_tag);
}

void reset_face_all_release(void) { static_face_all_release = RELEASE_NOT_ASKED; }
