// The face milling builders: one face milling operation for all electrodes, bounded by blank
// boundaries made from faces: the faces of a slope class (FACE_ALL), the reference faces of the
// electrodes that face the MCS (FACE_BOT), or their EDM base faces (FACE_EDM). The user's own cut
// faces replace them when the planned operation has any.
//
// Arguments as for every builder (the plan's group and operation node, the top node's class, the
// workpiece, the start point block, the address of the new operation's tag, the list of
// operations to generate); build_face_all also takes the face list of its slope class. 1 when
// done (build_face_all also when there was nothing to build), 0 when stopped or nothing was built.
#ifndef TORVANE_FACE_BUILDERS_H_INCLUDED
#define TORVANE_FACE_BUILDERS_H_INCLUDED

#include "torvane/setup/start_points.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"

#define FACE_BLANK_EXTRA 0.2      // blank stock above the part stock of FACE_ALL and FACE_EDM
#define FACE_BOT_BLANK_EXTRA 2.0  // of FACE_BOT
#define FACE_ZOFFSET_BEFORE 7.0   // releases before this take a negative FACE_ALL stock in the Z offset

int build_face_all(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list,
                   const tag_t *faces, int face_count);
int build_face_bot(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list);
int build_face_edm(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                   from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list);

// Forgets the release FACE_ALL asked, as when the add-on is loaded again.
void reset_face_all_release(void);

#endif
