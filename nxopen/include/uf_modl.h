/* Modelling: bodies and their faces and edges. The list helpers and the
 * bounding box are in uf_modl_utilities.h, the type codes in uf_modl_types.h;
 * both come with this header.
 *
 * Every list these calls return is allocated by NX; release it with
 * UF_MODL_delete_list. */
#ifndef UF_MODL_H_INCLUDED
#define UF_MODL_H_INCLUDED

#include "uf_defs.h"
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

UF_END_C

#endif
