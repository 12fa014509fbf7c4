// The machine coordinate system of the electrodes: the MCS group "MCS_QZ_0" under the geometry
// root, oriented absolutely, as the WCS or by the electrodes' reference direction, with its
// clearance plane above all electrodes along its Z axis.
#ifndef MY_FUNC_CAM_MCS_FRAME_H_INCLUDED
#define MY_FUNC_CAM_MCS_FRAME_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "uf_defs.h"

#define MCS_GROUP_NAME "MCS_QZ_0"
#define MCS_GROUP_TEMPLATE "MCS"

// How the MCS is oriented.
#define MCS_MODE_ABSOLUTE 0    // at the absolute origin with the absolute axes
#define MCS_MODE_WCS 1         // as the current WCS
#define MCS_MODE_ELECTRODES 2  // by the electrodes' box and reference direction

// Origin and axes (matrix rows X, Y, Z) of a coordinate system.
struct mcs_frame {
    double origin[3];
    double matrix[9];
};

// Union of the boxes of a list of records. 0 for an empty list (the box is then unchanged).
int elec_list_box(const elec_cam_data *list, double box_min[3], double box_max[3]);

// The reference direction of a list: the code of its first record with a direction, with that
// record's EDM centre; -1 and the origin when no record has one.
int elec_list_direction(const elec_cam_data *list, double edm_center[3]);

// The MCS of electrodes with that union box and reference direction: Z along the working end,
// X along the longer of the box's two other sides (the first one when they are equal), the
// origin at the centre of the box across Z and, along Z, at the box's top along the MCS Z (the
// working end; origin_choice 0), the EDM centre (1) or its bottom (the reference face's side;
// any other value).
void mcs_frame_of_electrodes(const double box_min[3], const double box_max[3], int direction,
                             const double edm_center[3], int origin_choice, mcs_frame *frame);

// The clearance plane of an MCS with those axes over a box: distance beyond the box's far side
// along the MCS Z axis, with that axis as normal. 0 when the axes (rounded to 2 decimals) are not
// the absolute axes in some order and sense: point and normal are then zero.
int mcs_clear_plane(const double matrix[9], const double box_min[3], const double box_max[3], double distance,
                    double point[3], double normal[3]);

// Makes sure the MCS group of the electrodes exists: an object named "MCS_QZ_0" of the geometry
// group type is taken as it is (1, nothing changed); otherwise a new MCS group under the geometry
// root is oriented by mcs_mode (MCS_MODE_*) and origin_choice, becomes the WCS, gets its
// clearance plane at clear_distance above the electrodes, and only then the name "MCS_QZ_0". 1
// with *mcs_tag, or 0 after a message when the root refuses the group, or after the NX call report
// when NX refused its orientation or name: a half-made group keeps the template's name, so that
// it is never taken for the electrodes' MCS.
int create_camgeom_mcs_add_clear_plane(const elec_cam_data *list, tag_t *mcs_tag, int mcs_mode, int origin_choice,
                                       double clear_distance);

#endif
