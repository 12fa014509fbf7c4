// Electrode analysis: where an electrode lies (its box), which way its working (EDM) end
// points, its reference face (the bottom face of its base block), the base face on the
// working side and the faces of the working end.
//
// Direction codes name the outward normal of the reference face; the working end lies on the
// other side. Y is reversed against X and Z: 1 +Z, -1 -Z, 2 -Y, -2 +Y, 3 +X, -3 -X.
#ifndef MY_FUNC_CAM_ELEC_ANALYSIS_H_INCLUDED
#define MY_FUNC_CAM_ELEC_ANALYSIS_H_INCLUDED

#include "uf_defs.h"

// Analysis choices: the full analysis's box methods by edge points, edge boxes, and edges
// with isoclines.
#define ELEC_MODE_EDGE 1
#define ELEC_MODE_EDGE_BOX 2
#define ELEC_MODE_ISO 3

// One electrode, filled by an analysis. Boxes are in absolute coordinates, rounded to 3
// decimals except for the exact far side. Records are allocated with new and released with
// delete; a record owns its face array.
struct elec_cam_data {
    tag_t elec_tag = NULL_TAG;
    int elec_direction = 0;
    double elec_box_min[3] = {0.0, 0.0, 0.0};
    double elec_box_max[3] = {0.0, 0.0, 0.0};
    double elec_edm_center[3] = {0.0, 0.0, 0.0};
    bool use_whole_body = false;        // true: all faces of the body stand for the working faces
    tag_t elec_top_face = NULL_TAG;     // reference face; NULL_TAG when none was found
    tag_t elec_base_edm_face = NULL_TAG;
    double elec_body_min[3] = {0.0, 0.0, 0.0};  // box of the working faces
    double elec_body_max[3] = {0.0, 0.0, 0.0};
    int elec_body_face_count = 0;
    tag_t *elec_body_face_p = nullptr;  // the working faces, NX memory
    elec_cam_data *next_p = nullptr;    // set by the list's owner

    elec_cam_data() = default;
    elec_cam_data(const elec_cam_data &) = delete;
    elec_cam_data &operator=(const elec_cam_data &) = delete;
    ~elec_cam_data();
};

// Everything cleared, the face array released; next_p is kept.
void clear_elec_cam_data(elec_cam_data *record);

// Full analysis with the box methods of mode (ELEC_MODE_*). 1 = record filled; 0 = failed (a
// message shown unless said otherwise), the caller may try the next mode. In mode 3 an
// electrode without a recognisable base still gives 1, standing upright (code -1) with all
// its faces as working faces, after a message.
int analy_elec_data_cam(tag_t elec_tag, elec_cam_data *record, int mode);

// Simple analysis: iso box, the marked EDM direction (else -1), the first full-side planar
// face as reference. 1 = record filled, 0 = failed.
int analy_elec_data_cam_simple(tag_t elec_tag, elec_cam_data *record);

// The faces of the electrode marked "ELEC_BASE_EDM_FACE" and "ELEC_BASE_BOTTOM_FACE": each out
// face is set when exactly one face carries its mark (else NULL_TAG), *code from the bottom
// face's normal. 1 when both are unique and the normal could be asked.
int MY_ask_elec_base_faces(tag_t elec_tag, tag_t *base_edm_face, tag_t *base_bottom_face, int *code);

// The first face marked "ELEC_EDM_DIR_FACE": its direction's code (order Z-X-Y) and the centre
// of its exact box. 0 when no face is marked or its data or box cannot be had.
int MY_ask_elec_edm_dir(tag_t elec_tag, tag_t *face, int *code, double center[3]);

// Replaces the box bound on the working-end side of code by the body's exact extreme there. 0
// for another code, or after a message when the distance cannot be had; the box then stays.
int MY_set_elec_box_far_side(tag_t elec_tag, int code, double box_min[3], double box_max[3]);

// The axis (0 x, 1 y, 2 z) toward which the working end of code lies, and whether toward its
// maximum. 0 for a value that is no direction code.
int elec_working_side(int code, int *axis, int *toward_max);

// Direction codes of a vector: order Z-Y-X (reference normals) and Z-X-Y (the marked EDM face).
int elec_direction_zyx(const double d[3]);
int elec_direction_zxy(const double d[3]);

#endif
