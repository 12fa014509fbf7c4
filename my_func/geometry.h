// Face and solid geometry: boxes of solid bodies and faces by four methods of increasing
// accuracy and cost, exact sides by minimum distance, a probe point on a face, an axis-aligned
// block, and the face and edge lists they walk.
//
// A box is a minimum and a maximum corner in absolute coordinates and part units. The box
// methods write both corners and return 1, or show why not (NX message box, fixed English
// texts) and return 0 without writing: they never hand out a partial box. A solid is a solid
// body (type 70/0, body type UF_MODL_SOLID_BODY); a face is type 70/2.
#ifndef MY_FUNC_GEOMETRY_H_INCLUDED
#define MY_FUNC_GEOMETRY_H_INCLUDED

#include <vector>

#include "my_func/my_func.h"
#include "uf_defs.h"

// Distance of the datum planes of the exact-side measurement beyond the side they measure.
#define MY_DIST_PLANE_OFFSET 1000.0

// ---- lists of faces and edges ---------------------------------------------------------------

// Faces or edges of a body, edges of a face, in NX's order. 0 when NX refused (reported in the
// listing window); the vector is then empty.
int MY_ask_body_faces(tag_t body, std::vector<tag_t> *faces);
int MY_ask_body_edges(tag_t body, std::vector<tag_t> *edges);
int MY_ask_face_edges(tag_t face, std::vector<tag_t> *edges);

// 1 when tag is a solid body / a face (failed NX calls are reported and give 0).
int MY_is_solid_body(tag_t tag);
int MY_is_face(tag_t tag);

// ---- boxes ---------------------------------------------------------------------------------

// Edge vertices; points sampled along curved edges (solid) or along closed edges only (face).
int MY_solid_box_edge(tag_t solid, double box_min[3], double box_max[3]);
int MY_face_box_edge(tag_t face, double box_min[3], double box_max[3]);

// Union of the edges' NX bounding boxes.
int MY_solid_box_edge_box(tag_t solid, double box_min[3], double box_max[3]);
int MY_face_box_edge_box(tag_t face, double box_min[3], double box_max[3]);

// Edge vertices (the NX box of an edge without vertices) plus the isocline curves of every
// face that is not planar, along the three axes.
int MY_solid_box_iso(tag_t solid, double box_min[3], double box_max[3]);
int MY_face_box_iso(tag_t face, double box_min[3], double box_max[3]);

// The edge box with each side moved to the object by a minimum distance: the exact extent. When
// a distance cannot be had, the iso box instead (still 1).
int MY_solid_box_dist_method(tag_t solid, double box_min[3], double box_max[3]);
int MY_face_box_dist_method(tag_t face, double box_min[3], double box_max[3]);

// The exact extreme of object along one axis (0 x, 1 y, 2 z), measured from a datum plane at
// that coordinate (beyond the object) whose normal points to the object: +axis when
// toward_positive, else -axis. 1 with *extreme; 0 when the plane or the distance could not be
// had (reported in the listing window), *extreme unchanged. The plane is deleted again.
int MY_extreme_by_distance(tag_t object, int axis, int toward_positive, double plane_coordinate, double *extreme);

// ---- points and blocks ---------------------------------------------------------------------

// Unit normal of the face (outward on a solid) at the centre of its parameter range. 0 when NX
// refused (reported).
int MY_face_center_normal(tag_t face, double normal[3]);

// First vertex of the face's longest edge with two vertices (its length the distance of the
// two; the first of equal length wins). 0 when the face has none; a null tag or an object
// that is no face shows a text.
int MY_face_len_edge_one_point(tag_t face, double point[3]);

// An axis-aligned block solid between two corners (min below max on every axis), made with the
// WCS turned to the absolute axes for the moment; *block is its body. 0 after the catalogue
// text of "create_box_01:" (corners) or "create_box_02:" (NX refused the block).
int MY_create_box(tag_t *block, const double box_min[3], const double box_max[3]);

#endif
