// The cavity and Z-level builders: one planned operation of a cavity-milling or Z-level template
// becomes one operation for all electrodes (cavity from top, to the bottom, to the deepest EDM
// depth), one per electrode (from top with the electrode's own bottom frame, to the EDM depth), or
// one Z-level operation on the faces of one slope class.
//
// Each takes the plan's group and operation node, the top node's class, the workpiece, the start
// point block, the address of the new operation's tag (0 when none, and always 0 for the
// per-electrode members, which record each operation only in its node) and the list of
// operations to generate. 1 when done (also when there was nothing to build), 0 when it stopped
// (a message may have been shown).
#ifndef TORVANE_CAVITY_BUILDERS_H_INCLUDED
#define TORVANE_CAVITY_BUILDERS_H_INCLUDED

#include "torvane/setup/start_points.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"

int build_cav_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list);
int build_cav_bot(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list);
int build_cav_max_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                      from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list);

// Per electrode; the copies for further electrodes get lines in the dialog's list.
int build_cav_fk_top(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                     from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);
int build_cav_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
                  tag_t *oper_tag, uf_list_p_t calc_oper_list, int dialog_id);

// On the node's chosen faces, else on the face list handed in; nothing without either.
int build_zle_face_angle(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                         from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list,
                         const tag_t *faces, int face_count);

#endif
