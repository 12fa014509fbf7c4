/* Modelling: bodies and their faces and edges, face geometry, datum planes
 * and distances. The list helpers and the bounding box are in
 * uf_modl_utilities.h, curve points and isoclines in uf_modl_curves.h, the
 * block in uf_modl_primitives.h, the type codes in uf_modl_types.h; all come
 * with this header.
 *
 * Every list these calls return is allocated by NX; release it with
 * UF_MODL_delete_list. Coordinates are absolute, in the part's units. */
#ifndef UF_MODL_H_INCLUDED
#define UF_MODL_H_INCLUDED

#include "uf_defs.h"
#include "uf_modl_curves.h"
#include "uf_modl_primitives.h"
#include "uf_modl_types.h"
#include "uf_modl_utilities.h"

UF_BEGIN_C

/* UF_MODL_SOLID_BODY, UF_MODL_SHEET_BODY, or 0 when it is neither. */
extern UFUNEXPORT int UF_MODL_ask_body_type(tag_t body_id, int *body_type);

extern UFUNEXPORT int UF_MODL_ask_body_faces(tag_t body, uf_list_p_t *face_list);
extern UFUNEXPORT int UF_MODL_ask_body_edges(tag_t body, uf_list_p_t *edge_list);
extern UFUNEXPORT int UF_MODL_ask_face_edges(tag_t face, uf_list_p_t *edge_list);
extern UFUNEXPORT int UF_MODL_ask_edge_faces(tag_t edge, uf_list_p_t *face_list);

/* End points of an edge: *vertex_count is 0 (closed, no vertex), 1 (closed,
 * point1) or 2. */
extern UFUNEXPORT int UF_MODL_ask_edge_verts(tag_t edge, double point1[3], double point2[3], int *vertex_count);

/* One of the UF_MODL_*_EDGE codes. */
extern UFUNEXPORT int UF_MODL_ask_edge_type(tag_t edge_id, int *edge_type);

/* One of the UF_MODL_*_FACE codes. */
extern UFUNEXPORT int UF_MODL_ask_face_type(tag_t face, int *type);

/* Body that owns the face or edge. */
extern UFUNEXPORT int UF_MODL_ask_face_body(tag_t face, tag_t *body_obj_id);
extern UFUNEXPORT int UF_MODL_ask_edge_body(tag_t edge, tag_t *body_obj_id);

/* Body of a feature (the block of UF_MODL_create_block1). */
extern UFUNEXPORT int UF_MODL_ask_feat_body(tag_t feature_obj_id, tag_t *body_obj_id);

/* What the face's surface is: *type a UF_MODL_*_FACE code; point: a point of
 * a plane, a point on the axis of a cylinder, cone or revolved surface, the
 * centre of a sphere or torus; dir: the plane's normal or the axis; box
 * {xmin, ymin, zmin, xmax, ymax, zmax} of the face; *radius the (major)
 * radius, *rad_data the minor radius of a torus or the half angle of a cone
 * in radians; *norm_dir 1 when the face normal is the surface normal, -1
 * when it is reversed. */
extern UFUNEXPORT int UF_MODL_ask_face_data(tag_t face, int *type, double point[3], double dir[3], double box[6],
                                            double *radius, double *rad_data, int *norm_dir);

/* Parameter range of the face: {umin, umax, vmin, vmax}. */
extern UFUNEXPORT int UF_MODL_ask_face_uv_minmax(tag_t face_tag, double uv_min_max[4]);

/* The face at param (u, v): point, first and second derivatives, unit face
 * normal (outward on a solid) and principal radii of curvature (0 where the
 * face is flat in that direction). */
extern UFUNEXPORT int UF_MODL_ask_face_props(tag_t face_id, double param[2], double point[3], double u1[3],
                                             double v1[3], double u2[3], double v2[3], double unit_norm[3],
                                             double radii[2]);

/* Angle between two vectors in radians: *small_angle in [0, pi],
 * *large_angle = 2 pi - *small_angle. */
extern UFUNEXPORT int UF_MODL_ask_vector_angle(double vector1[3], double vector2[3], double *small_angle,
                                               double *large_angle);

/* An infinite plane through origin_point with that normal; delete it with
 * UF_OBJ_delete_object when done. */
extern UFUNEXPORT int UF_MODL_create_plane(double origin_point[3], double plane_normal[3], tag_t *plane_tag);

/* Smallest distance between two objects (points, curves, edges, faces,
 * bodies, planes) and the two points where it occurs. A NULL_TAG object
 * stands for its guess point, which must then be given (guess flag 1); for
 * other objects the guess points are hints only. */
extern UFUNEXPORT int UF_MODL_ask_minimum_dist(tag_t object1, tag_t object2, int guess1_given, double guess1[3],
                                               int guess2_given, double guess2[3], double *min_dist,
                                               double pt_on_obj1[3], double pt_on_obj2[3]);

UF_END_C

#endif
