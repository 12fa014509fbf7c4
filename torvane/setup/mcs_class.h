// How the machine coordinate system lies in the world: its orientation class, whether an
// electrode faces it, and heights along its Z axis.
//
// The class is a three-digit code: the hundreds digit by the MCS Z axis ((0,0,1) 1, (0,0,-1) 2,
// (0,1,0) 3, (0,-1,0) 4, (1,0,0) 5, (-1,0,0) 6), the units digit by the in-plane axis (1 to
// 4), so 101-104 ... 601-604; 0 when the MCS is not axis-aligned.
#ifndef TORVANE_MCS_CLASS_H_INCLUDED
#define TORVANE_MCS_CLASS_H_INCLUDED

#include "uf_defs.h"

// Class of a coordinate system (the MCS object of a group, not the group) from its matrix,
// each value rounded to 2 decimals first. 0 when not axis-aligned or when NX refused (reported).
int ask_mcs_class(tag_t mcs_tag);

// The nine matrix values of a coordinate system, rounded to 2 decimals. 0 when NX refused
// (reported) or it has no matrix.
int ask_mcs_matrix(tag_t mcs_tag, double matrix_values[9]);

// The MCS object of a geometry group (its UF_PARAM_MCS); NULL_TAG when it has none (reported
// when NX refused). An MCS group itself has no matrix: ask its MCS object.
tag_t ask_group_mcs(tag_t group_tag);

// The same from nine matrix values (X axis, Y axis, Z axis).
int mcs_class_of_matrix(const double matrix_values[9]);

// True when an electrode of that direction code faces an MCS of that class (1 faces 2xx, -1
// 1xx, 2 3xx, -2 4xx, 3 6xx, -3 5xx; only the classes x01 to x04 of the row).
bool elec_faces_mcs(int mcs_class, int elec_direction);

// The world axis (0 x, 1 y, 2 z) the MCS Z axis lies along and its sense (+1 or -1). 0 for an
// invalid class.
int mcs_z_axis(int mcs_class, int *axis, double *sense);

// Height of a world point along the MCS Z axis (the MCS origin is not subtracted); 0.0 for an
// invalid class.
double mcs_height(int mcs_class, const double point[3]);

// Height of the top of a box: of its maximum corner for 1xx, 3xx, 5xx, of its minimum corner for
// 2xx, 4xx, 6xx.
double mcs_box_top(int mcs_class, const double box_min[3], const double box_max[3]);

#endif
