// The set-up step of a calculation, before any operation is built: MCS and workpiece, the
// electrodes' start points (records and hidden point objects), and a listing of what it set up
// so that the programmer can check it against the part.
#ifndef TORVANE_CALC_SETUP_H_INCLUDED
#define TORVANE_CALC_SETUP_H_INCLUDED

#include "torvane/start_points.h"

// create_from_side_start_point, then create_start_point_objects. 1, or 0 after a message.
int prepare_calc_setup(int dialog_id, from_side_start_point *block);

// Writes to the listing window the MCS (origin, axes, class), its clearance plane, the workpiece's
// blank box, each electrode's start points and bottom depths (its top, its EDM face and the cut
// depth there; the top of all electrodes) and the class stocks of every electrode kind and
// operation class with the spark gaps and allowances of static_dlg_state.
void list_calc_setup(void);

#endif
