// Where the cutter enters each electrode: front and side start points of every electrode (as
// custom point records and as hidden point objects), and the user's own start points, given to
// a new operation as NX's release takes them.
//
// The front point lies 10 outside the electrode's box on its side toward the MCS -Y axis, at the
// box centre along the MCS X and Z axes; the side point lies there too, but at the box's extreme
// along the MCS +X axis.
#ifndef TORVANE_START_POINTS_H_INCLUDED
#define TORVANE_START_POINTS_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "torvane/state/plan.h"
#include "uf_camgeom.h"
#include "uf_defs.h"

#define MAX_CUSTOM_START_POINTS 1000
#define MAX_START_POINT_OBJECTS 100
#define START_POINT_LAYER 253
#define START_POINT_DISTANCE 10.0

// The start point records of one calculation; each record is NX memory, freed with
// free_from_side_start_point.
struct from_side_start_point {
    int front_start_count = 0;
    int side_start_count = 0;
    UF_CAMGEOM_custom_point_p_t front_custom_point_p[MAX_CUSTOM_START_POINTS] = {};
    UF_CAMGEOM_custom_point_p_t side_custom_point_p[MAX_CUSTOM_START_POINTS] = {};
};

// The hidden point objects (layer 253, blanked) of the front and side start points, made on first
// need and kept for the turn.
extern tag_t static_front_point_tags[MAX_START_POINT_OBJECTS];
extern int static_front_point_count;
extern tag_t static_side_point_tags[MAX_START_POINT_OBJECTS];
extern int static_side_point_count;

// Front and side start point of an electrode under an MCS with those axes (rows X, Y, Z,
// rounded to 2 decimals as for the MCS class). For an MCS that is not axis-aligned the points
// lie as far outside the box's extent along the MCS axes.
void elec_front_start_point(const elec_cam_data *record, const double matrix[9], double point[3]);
void elec_side_start_point(const elec_cam_data *record, const double matrix[9], double point[3]);

// Makes sure MCS and workpiece stand (create_static_mcs_and_workpiece), then fills block with
// one front and one side record per electrode (at most 1000 each). 1, or 0 after a message.
int create_from_side_start_point(int dialog_id, from_side_start_point *block);
// Frees the records of block, front ones then side ones, and zeroes its counts.
void free_from_side_start_point(from_side_start_point *block);

// Makes the start point objects unless they stand: one front and one side point per electrode
// (at most 100 each). 1, or 0 after a message.
int create_start_point_objects(int dialog_id);

// The user's start points as custom point records (at most 1000; NX memory, freed by the
// caller) and as hidden point objects (at most 100). 1 with the count, or 0 after a message when
// memory ran out (nothing left allocated).
int create_start_point(const plan_point *list, int *count, UF_CAMGEOM_custom_point_p_t records[MAX_CUSTOM_START_POINTS]);
int create_point_objects(const plan_point *list, int *count, tag_t tags[MAX_START_POINT_OBJECTS]);

// Gives a new operation its cut region start points: the user's own when its node holds some
// (the node's list is then freed), else the side points when marks (the name whose marks apply)
// carries "-P", else the front points; as custom points under NX 4, through the region start
// point extension under any other release. 1 when NX took them. A null block gives only the
// user's own points.
int set_oper_start_points(tag_t oper_tag, oper *oper_p, const char *marks, from_side_start_point *block);

// Whether the running NX takes start points as custom points (NX 4), not as point objects.
bool custom_point_release(void);

// Forgets the start point objects (they stay in the part), as at the start of a turn.
void reset_start_points(void);

#endif
