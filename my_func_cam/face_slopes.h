// The twelve slope classes of electrode faces: which faces an operation that names no faces
// works on (all faces steeper than 45 degrees, all flat faces, ...), by the angle between the
// MCS direction and each face's normal.
#ifndef MY_FUNC_CAM_FACE_SLOPES_H_INCLUDED
#define MY_FUNC_CAM_FACE_SLOPES_H_INCLUDED

#include "uf_defs.h"

#define FACE_SET_COUNT 12

// Faces of one class in the order they were sorted; the array is NX memory.
struct face_list {
    int count = 0;
    tag_t *faces = nullptr;
};

// The twelve lists, in this order (angle: smaller angle between the MCS direction and the face
// normal in degrees, rounded to 2 decimals; "curved at 0": a face that is not planar at 0).
// A record owns its arrays.
struct face_sets {
    face_list face_all;          // planar faces at 0
    face_list face_0_60;         // above 0 and below 60, and curved at 0
    face_list face_00_60;        // below 60
    face_list face_90;           // exactly 90
    face_list face_0_45;         // above 0 up to 45, and curved at 0
    face_list face_00_45;        // up to 45
    face_list face_45_90;        // above 45 and below 90
    face_list face_0_90;         // above 0 and below 90, and curved at 0
    face_list face_00_90;        // below 90
    face_list face_back;         // turned away from the MCS direction; in no other list
    face_list face_fix_def_ang;  // within "fix_user_def_oper_start_angle:" .. "_end_angle:"
    face_list face_zle_def_ang;  // within "zle_user_def_oper_start_angle:" .. "_end_angle:"

    face_sets() = default;
    face_sets(const face_sets &) = delete;
    face_sets &operator=(const face_sets &) = delete;
    ~face_sets();
};

// List number index (0 to 11, the order above) of sets.
face_list *face_set_list(face_sets *sets, int index);

// Appends each list of from to the same list of to. 0 after the memory message when an array
// could not grow (to then holds what was appended so far).
int append_face_sets(face_sets *to, const face_sets *from);

// Frees every array and empties every list.
void free_face_sets(face_sets *sets);

// Sorts count faces (in that order) into the twelve lists of result (what it held is
// replaced) for an MCS of mcs_class (101 to 604). A face whose data, range or normal cannot be
// asked is left out. 1; 0 when a user angle is missing from config_cam.def (the reader's
// message shown) or the class is none, or after a message when memory ran out (result then
// unchanged).
int MY_sort_faces_by_angle(int count, const tag_t *faces, int mcs_class, face_sets *result);

#endif
