// The fixed-contour family: what each member does differently from the common sequence.
#include "torvane/calc/contour_builders.h"

#include <vector>

#include "my_func/my_func.h"
#include "my_func_cam/elec_name_note.h"
#include "my_func_cam/tool_libref.h"
#include "torvane/calc/oper_build.h"
#include "torvane/plan/prog_group.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/state/dlg_state.h"
#include "uf.h"
#include "uf_camtext.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

int no_cut_area(tag_t, oper_build_site &) { return STEP_GO_ON; }

// The drive stock follows the part stock just written.
int set_drive_stock(tag_t oper_tag, oper_build_site &) {
    tag_t tool = NULL_TAG;
    double radius = 0.0, part = 0.0;
    if (UF_CALL(UF_OPER_ask_cutter_group(oper_tag, &tool)) == 0 && tool != NULL_TAG)
        UF_CALL(UF_PARAM_ask_double_value(tool, UF_PARAM_TL_COR1_RAD, &radius));
    UF_CALL(UF_PARAM_ask_double_value(oper_tag, UF_PARAM_STOCK_PART, &part));
    UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_STOCK_DRIVE, drive_stock_of(part, radius)));
    return STEP_GO_ON;
}

// The notes of site.items as the operation's text.
int append_notes(tag_t oper_tag, oper_build_site &site) {
    if (site.item_count > 0)
        UF_CALL(UF_CAMTEXT_append_items(oper_tag, site.item_count, const_cast<tag_t *>(site.items)));
    return STEP_GO_ON;
}

oper_build_member contour_member(const char *prefix, const char *alloc) {
    oper_build_member m;
    m.message_prefix = prefix;
    m.alloc_message = alloc;
    m.stock = {true, STOCK_FLOOR_AS_PART, Z_OFFSET_NONE, DEPTH_MARK_IGNORED};
    return m;
}

oper_build_member fix_angle(void) {
    oper_build_member m = contour_member("FIX_angl", "16");
    m.geometry = node_or_items_cut_area;
    m.start_points = START_POINTS_OWN_NX4;
    return m;
}

oper_build_member fix_sel_sur(void) {
    oper_build_member m = contour_member("FIX_SEL_SU", "10");
    m.geometry = no_cut_area;
    m.last_step = set_drive_stock;
    return m;
}

oper_build_member fix_text(void) {
    oper_build_member m = contour_member("FIX_TEX", "15");
    m.needs_mcs_class = true;
    m.stock.set = false;
    m.geometry = append_notes;
    return m;
}

const oper_build_member FIX_ANGLE_MEMBER = fix_angle();
const oper_build_member FIX_SEL_SUR_MEMBER = fix_sel_sur();
const oper_build_member FIX_TEXT_MEMBER = fix_text();

// A name note on the top face of every electrode that faces the MCS. 0 when one could not be made.
int electrode_notes(const oper_build_site &site, tag_t mcs, std::vector<tag_t> *notes) {
    const double radius = site.node->tool_data_p->tool_dia / 2.0;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        if (!elec_faces_mcs(site.mcs_class, record->elec_direction)) continue;
        tag_t note = NULL_TAG;
        if (!create_path_elec_name_note(record, mcs, radius, &note, site.rmf_kind)) return 0;
        notes->push_back(note);
    }
    return 1;
}

}  // namespace

double drive_stock_of(double part_stock, double corner_radius) {
    return corner_radius > part_stock ? part_stock - DRIVE_STOCK_UNDER_RADIUS : part_stock;
}

int FIX_angle(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
              tag_t *oper_tag, uf_list_p_t calc_oper_list, const tag_t *faces, int face_count) {
    *oper_tag = NULL_TAG;
    if (node->cut_face_count <= 0 && face_count <= 0) return 1;
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.items = faces;
    site.item_count = face_count;
    return build_for_all(FIX_ANGLE_MEMBER, site, oper_tag);
}

int FIX_SEL_SUR(int dialog_id, prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    site.dialog_id = dialog_id;
    return build_for_all(FIX_SEL_SUR_MEMBER, site, oper_tag);
}

int FIX_TEXT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
             tag_t *oper_tag, uf_list_p_t calc_oper_list) {
    *oper_tag = NULL_TAG;
    if (static_dlg_state.radio_1 == 1 || !node->tool_data_p) return 0;
    prog_group *found = nullptr;
    if (!with_prog_group_name_ask_prog_group(group->name, &found, nullptr)) return 0;
    oper_build_site site = oper_site(group, node, rmf_kind, work_piece_tag, start_points, calc_oper_list);
    if (!begin_oper_build(FIX_TEXT_MEMBER, site, oper_tag)) return 0;
    MY_set_drafting_font(ENGRAVING_FONT);
    std::vector<tag_t> notes;
    notes.reserve(static_cast<std::size_t>(static_elec_count > 0 ? static_elec_count : 0));
    if (!electrode_notes(site, site.mcs, &notes)) return 0;
    site.items = notes.data();
    site.item_count = static_cast<int>(notes.size());
    return build_planned_oper(FIX_TEXT_MEMBER, site, oper_tag);
}
