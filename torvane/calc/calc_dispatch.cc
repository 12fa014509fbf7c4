// The dispatch table of the calculation.
#include "torvane/calc/calc_dispatch.h"

#include <cstring>

#include "my_func/my_func.h"
#include "torvane/calc/cavity_builders.h"
#include "torvane/calc/contour_builders.h"
#include "torvane/calc/face_builders.h"
#include "torvane/calc/planar_builders.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/state/dlg_state.h"
#include "uf_object_types.h"

namespace {

// A face list of the slope-class sets; null for the rows that work on none.
typedef face_list face_sets::*face_list_field;

struct dispatch_row {
    int subtype;
    const char *key;  // null: fallback of the family
    oper_builder builder;
    face_list_field faces;
};

const dispatch_row DISPATCH_ROWS[] = {
    {UF_mach_cavity_milling_subtype, "CAV_TOP", BUILD_CAV_TOP, nullptr},
    {UF_mach_cavity_milling_subtype, "CAV_FK_TOP", BUILD_CAV_FK_TOP, nullptr},
    {UF_mach_cavity_milling_subtype, "CAV_BOT", BUILD_CAV_BOT, nullptr},
    {UF_mach_cavity_milling_subtype, "CAV_EDM", BUILD_CAV_EDM, nullptr},
    {UF_mach_cavity_milling_subtype, "CAV_MAX_EDM", BUILD_CAV_MAX_EDM, nullptr},
    {UF_mach_cavity_milling_subtype, nullptr, BUILD_CAV_BOT, nullptr},
    {UF_mach_zlevel_milling_subtype, "ZLE_BOT", BUILD_CAV_BOT, nullptr},
    {UF_mach_zlevel_milling_subtype, "ZLE_EDM", BUILD_CAV_EDM, nullptr},
    {UF_mach_zlevel_milling_subtype, "ZLE_MAX_EDM", BUILD_CAV_MAX_EDM, nullptr},
    {UF_mach_zlevel_milling_subtype, "ZLE_45_90", BUILD_ZLE_FACE_ANGLE, &face_sets::face_45_90},
    {UF_mach_zlevel_milling_subtype, "ZLE_DEF_ANG", BUILD_ZLE_FACE_ANGLE, &face_sets::face_zle_def_ang},
    {UF_mach_zlevel_milling_subtype, "ZLE_0_90", BUILD_ZLE_FACE_ANGLE, &face_sets::face_0_90},
    {UF_mach_zlevel_milling_subtype, nullptr, BUILD_ZLE_FACE_ANGLE, &face_sets::face_0_90},
    {UF_mach_surface_contour_subtype, "FIX_0_45", BUILD_FIX_FACE_LIST, &face_sets::face_0_45},
    {UF_mach_surface_contour_subtype, "FIX_00_45", BUILD_FIX_FACE_LIST, &face_sets::face_00_45},
    {UF_mach_surface_contour_subtype, "FIX_0_60", BUILD_FIX_FACE_LIST, &face_sets::face_0_60},
    {UF_mach_surface_contour_subtype, "FIX_00_60", BUILD_FIX_FACE_LIST, &face_sets::face_00_60},
    {UF_mach_surface_contour_subtype, "FIX_0_90", BUILD_FIX_FACE_LIST, &face_sets::face_0_90},
    {UF_mach_surface_contour_subtype, "FIX_00_90", BUILD_FIX_FACE_LIST, &face_sets::face_00_90},
    {UF_mach_surface_contour_subtype, "FIX_DEF_ANG", BUILD_FIX_FACE_LIST, &face_sets::face_fix_def_ang},
    {UF_mach_surface_contour_subtype, "FIX_SEL_SUR", BUILD_FIX_SEL_SUR, nullptr},
    {UF_mach_surface_contour_subtype, "FIX_TEXT", BUILD_FIX_TEXT, nullptr},
    {UF_mach_surface_contour_subtype, nullptr, BUILD_FIX_FACE_LIST, &face_sets::face_0_90},
    {UF_mach_face_milling_subtype, "FACE_ALL", BUILD_FACE_ALL, &face_sets::face_all},
    {UF_mach_face_milling_subtype, "FACE_EDM", BUILD_FACE_EDM, nullptr},
    {UF_mach_face_milling_subtype, "FACE_BOT", BUILD_FACE_BOT, nullptr},
    {UF_mach_face_milling_subtype, nullptr, BUILD_FACE_ALL, &face_sets::face_all},
    {UF_mach_pocket_subtype, "PLAN_EDM", BUILD_PLAN_EDM, nullptr},
    {UF_mach_pocket_subtype, "PLA_EDM_TO_BOT", BUILD_PLA_EDM_TO_BOT, nullptr},
    {UF_mach_pocket_subtype, "PLA_M_E_TO_BOT", BUILD_PLA_M_E_TO_BOT, nullptr},
    {UF_mach_pocket_subtype, "PLA_TOP_TO_BOT", BUILD_PLA_TOP_TO_BOT, nullptr},
    {UF_mach_pocket_subtype, "PLAN_LINE_TOP", BUILD_PLAN_LINE_TOP, nullptr},
};

// Plunge milling templates are dispatched as cavity milling.
int family_subtype(int subtype) {
    return subtype == UF_mach_plunge_milling_subtype ? UF_mach_cavity_milling_subtype : subtype;
}

// Every builder with the arguments its family takes.
int run_builder(const dispatch_call &call, const dispatch_choice &choice) {
    prog_group *group = call.group;
    oper *node = call.node;
    const int kind = call.rmf->rmf_kind;
    const tag_t wp = static_work_piece_tag;
    from_side_start_point *sp = call.start_points;
    uf_list_p_t list = call.calc_oper_list;
    const tag_t *faces = choice.faces ? choice.faces->faces : nullptr;
    const int face_count = choice.faces ? choice.faces->count : 0;
    tag_t oper_tag = NULL_TAG;
    switch (choice.builder) {
    case BUILD_CAV_TOP: return build_cav_top(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_CAV_FK_TOP: return build_cav_fk_top(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_CAV_BOT: return build_cav_bot(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_CAV_EDM: return build_cav_edm(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_CAV_MAX_EDM: return build_cav_max_edm(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_ZLE_FACE_ANGLE: return build_zle_face_angle(group, node, kind, wp, sp, &oper_tag, list, faces, face_count);
    case BUILD_FIX_FACE_LIST: return FIX_angle(group, node, kind, wp, sp, &oper_tag, list, faces, face_count);
    case BUILD_FIX_SEL_SUR: return FIX_SEL_SUR(call.dialog_id, group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_FIX_TEXT: return FIX_TEXT(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_FACE_ALL: return build_face_all(group, node, kind, wp, sp, &oper_tag, list, faces, face_count);
    case BUILD_FACE_BOT: return build_face_bot(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_FACE_EDM: return build_face_edm(group, node, kind, wp, sp, &oper_tag, list);
    case BUILD_PLAN_EDM: return PLAN_EDM(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_PLA_EDM_TO_BOT: return PLA_EDM_TO_BOT(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_PLA_M_E_TO_BOT: return PLA_M_E_TO_BOT(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_PLA_TOP_TO_BOT: return PLA_TOP_TO_BOT(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_PLAN_LINE_TOP: return PLAN_LINE_TOP(group, node, kind, wp, sp, &oper_tag, list, call.dialog_id);
    case BUILD_NONE: break;
    }
    return 1;
}

}  // namespace

dispatch_choice choose_builder(int subtype, const char *name, const face_sets *sets, int fallback_on) {
    dispatch_choice choice;
    const int family = family_subtype(subtype);
    for (const dispatch_row &row : DISPATCH_ROWS) {
        if (row.subtype != family) continue;
        if (row.key ? !std::strstr(name, row.key) : !fallback_on) continue;
        const face_list *faces = row.faces && sets ? &(sets->*row.faces) : nullptr;
        if (row.faces && (!faces || faces->count <= 0)) continue;
        choice.builder = row.builder;
        choice.key = row.key;
        choice.faces = faces;
        return choice;
    }
    return choice;
}

int dispatch_oper(const dispatch_call &call) {
    const dispatch_choice choice =
        choose_builder(call.node->subtype, call.node->name, static_face_sets, static_dlg_state.toggle_38);
    run_builder(call, choice);
    return 1;
}
