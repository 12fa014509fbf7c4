// The planar milling builders. Four make one operation per electrode that takes part, bounded by
// part boundaries in a plane of the MCS over a floor plane: the holes of the EDM base face
// (PLAN_EDM), or the reference face down to the EDM face (PLA_EDM_TO_BOT), to the deepest EDM face
// of all electrodes (PLA_M_E_TO_BOT) or to the box bottom (PLA_TOP_TO_BOT). PLAN_LINE_TOP makes
// at most two operations for all electrodes along lines on their flat tops: a profile of the
// single lines and a zig-zag of the three-line sets.
//
// Each takes the plan's group and operation node, the top node's class, the workpiece, the start
// point block, the address of the new operation's tag (always 0 after the per-electrode members,
// which record each operation only in its node), the list of operations to generate, and the
// dialog (the further electrodes' operations get list lines). 1 when done, 0 when stopped.
#ifndef TORVANE_PLANAR_BUILDERS_H_INCLUDED
#define TORVANE_PLANAR_BUILDERS_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"


int PLAN_EDM(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
             tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);
int PLA_EDM_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);
int PLA_M_E_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);
int PLA_TOP_TO_BOT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);
int PLAN_LINE_TOP(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                  from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);

// Whether an electrode's box reaches, along the MCS Z, at least as deep as the deepest EDM face
// of the electrodes that work on their own faces (PLA_M_E_TO_BOT takes those).
bool reaches_deepest_edm(const elec_cam_data &record, int mcs_class);

#endif
