// The set-up step of the calculation: the electrode analysis list, one MCS "MCS_QZ_0" with its
// clearance plane and one workpiece "WORKPIECE_QZ" with its automatic blank for all electrodes,
// and the slope-class face sets of all electrodes; per-electrode workpieces with the other
// electrodes' check blocks for the cavity builders.
//
// Everything here lives for one turn of the session: reset_mcs_and_workpiece frees it.
#ifndef TORVANE_MCS_WORKPIECE_H_INCLUDED
#define TORVANE_MCS_WORKPIECE_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "my_func_cam/face_slopes.h"
#include "uf_defs.h"

extern tag_t static_mcs_tag;            // "MCS_QZ_0"
extern tag_t static_work_piece_tag;     // "WORKPIECE_QZ", a member of the MCS
extern elec_cam_data *elec_cam_data_list;  // one record per electrode, in selection order
extern double static_elec_box_min[3];   // union of the records' boxes
extern double static_elec_box_max[3];
extern face_sets *static_face_sets;     // the faces of all electrodes by slope class

// Stores the dialog's settings (store_dlg_state; a dialog id of 0 stands for no open dialog and
// keeps static_dlg_state as it is), then create_mcs_and_workpiece.
int create_static_mcs_and_workpiece(int dialog_id);

// With the settings of static_dlg_state: analyses the electrodes of the turn when the list is
// empty (RADIO_1 0: the full analysis with box methods 1, 2, 3 in turn, else the simple one),
// makes sure MCS (RADIO_2, RADIO_3, clearance REAL_23) and workpiece exist (a group the user
// has deleted is made again), gives the workpiece its automatic block blank (offsets REAL_24 in
// X, REAL_25 in Y, REAL_26 above) and sorts the faces of all electrodes into the face sets. 1
// when everything stands; 0 after a message (no electrode, an electrode the analysis refused,
// an MCS that is not axis-aligned, no memory), with what was made before left in the part.
int create_mcs_and_workpiece(void);

// A workpiece under mcs_tag for one electrode whose check geometry is the check blocks of all
// other electrodes (made on first need for an MCS of mcs_class). 1 with *workpiece_tag, or 0
// after a message.
int create_single_solid_workpiece_add_check_geom(tag_t elec_tag, tag_t *workpiece_tag, tag_t mcs_tag, int mcs_class);

// The MCS class of the MCS a workpiece (or any group or operation under an MCS) works in; 0 when
// it has none or it is not axis-aligned.
int ask_workpiece_mcs_class(tag_t workpiece_tag);

// The record of an electrode body in elec_cam_data_list; nullptr when it has none.
elec_cam_data *find_elec_cam_data(tag_t elec_tag);

// Frees the analysis list and the face sets and forgets MCS and workpiece (they stay in the
// part), as at the start of a turn.
void reset_mcs_and_workpiece(void);

#endif
