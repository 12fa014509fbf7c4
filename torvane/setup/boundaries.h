// The planes and boundaries of planar operations: boundary data in the MCS plane at the height an
// operation cuts to, the transform of its floor plane, and the inner loops (holes) of an
// electrode's EDM base face.
#ifndef TORVANE_BOUNDARIES_H_INCLUDED
#define TORVANE_BOUNDARIES_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "uf_cambnd.h"
#include "uf_defs.h"

#define BOUNDARY_RAISE 0.3   // a boundary lies this far above the height it is made for
#define LOOP_POINT_MATCH 0.03
#define LOOP_FLAT_EXTENT 0.2  // a loop's extent below this is the axis its plane is across
#define MAX_EDM_LOOPS 100

// Boundary data and floor plane of each planar operation kind: the closed boundary (material
// inside) in the MCS's plane at the box centre across the MCS Z, 0.3 above a height (the box top;
// the EDM face; the deepest EDM face of all electrodes that work on their own faces), and a
// transform of the MCS axes at the floor point (the EDM centre; the box bottom centre). An
// electrode whose whole body is worked has no EDM face: the members that need one say so and
// give 0. 1 with *plane_xform_tag, or 0 (reported).
int create_top_face_bound_data_and_edm_plane_xform(const elec_cam_data *record, int mcs_class,
                                                   UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag);
int create_edm_face_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                               UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag);
int create_max_edm_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                              UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag);
int create_top_face_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class,
                                               UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag);
// The lowest height along the MCS Z of the EDM faces of the electrodes that work on their own
// faces. 0 when there is none.
int deepest_edm_height(int mcs_class, double *height);

// The open boundary (material on the right) of a cut line: data and transform at the line's start.
int create_line_bound_data_and_plane_xform(const elec_cam_data *record, int mcs_class, tag_t line_tag,
                                           UF_CAMBND_boundary_data_p_t bound_data_p, tag_t *plane_xform_tag);

// One closed loop of edges; the array is NX memory.
struct edm_loop {
    int count = 0;
    tag_t *edges = nullptr;
};

// Loops read from one face, their arrays released with the set.
struct edm_loop_set {
    int count = 0;
    edm_loop loops[MAX_EDM_LOOPS];
    edm_loop_set() = default;
    edm_loop_set(const edm_loop_set &) = delete;
    edm_loop_set &operator=(const edm_loop_set &) = delete;
    ~edm_loop_set();
};

// The closed inner loops of a face (its edges chained end to end within 0.03; the loop of the
// largest area is the outer one), at most MAX_EDM_LOOPS. 1 with *loop_count loops in loops (the
// caller frees each array with UF_free), or 0 after a message when memory ran out.
int get_edm_body_boundary(tag_t face_tag, int *loop_count, edm_loop loops[MAX_EDM_LOOPS]);

#endif
