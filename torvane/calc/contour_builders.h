// The fixed-contour builders: one operation for all electrodes, on the faces of one slope class
// (FIX_angle, for the FIX_0_45 ... FIX_DEF_ANG keys and the fallback), on surfaces the user picks
// in NX (FIX_SEL_SUR), or engraving each electrode's name from a note on its top face (FIX_TEXT).
//
// Each takes the plan's group and operation node, the top node's class, the workpiece, the start
// point block, the address of the new operation's tag and the list of operations to generate;
// FIX_angle also the face list, FIX_SEL_SUR the dialog first. 1 when done (FIX_angle also when
// there was nothing to build), 0 when stopped.
#ifndef TORVANE_CONTOUR_BUILDERS_H_INCLUDED
#define TORVANE_CONTOUR_BUILDERS_H_INCLUDED

#include "torvane/setup/start_points.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"

#define DRIVE_STOCK_UNDER_RADIUS 0.002  // drive stock below a part stock the corner radius passes
#define ENGRAVING_FONT "blockfont"

int FIX_angle(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
              tag_t *oper_tag, uf_list_p_t calc_oper_list, const tag_t *faces, int face_count);
int FIX_SEL_SUR(int dialog_id, prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                from_side_start_point *start_points, tag_t *oper_tag, uf_list_p_t calc_oper_list);
int FIX_TEXT(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag, from_side_start_point *start_points,
             tag_t *oper_tag, uf_list_p_t calc_oper_list);

// The drive stock of a contour operation on picked surfaces: its part stock, 0.002 less when the
// cutter's corner radius is larger than that stock.
double drive_stock_of(double part_stock, double corner_radius);

#endif
