/* Tag lists of the modelling calls, and bounding boxes.
 *
 * Lists returned by NX are created for the caller and released with
 * UF_MODL_delete_list; deleting a list never deletes the objects in it. */
#ifndef UF_MODL_UTILITIES_H_INCLUDED
#define UF_MODL_UTILITIES_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* New empty list; release with UF_MODL_delete_list. */
extern UFUNEXPORT int UF_MODL_create_list(uf_list_p_t *list);

/* Appends obj_id; an object already in the list is not added twice. */
extern UFUNEXPORT int UF_MODL_put_list_item(uf_list_p_t list, tag_t obj_id);

extern UFUNEXPORT int UF_MODL_ask_list_count(uf_list_p_t list, int *count);

/* index is zero-based; an index past the end is an error. */
extern UFUNEXPORT int UF_MODL_ask_list_item(uf_list_p_t list, int index, tag_t *object);

/* Frees the list itself, never the objects in it. */
extern UFUNEXPORT int UF_MODL_delete_list(uf_list_p_t *list);

/* Absolute box {xmin, ymin, zmin, xmax, ymax, zmax}; encloses the object but
 * need not be the smallest such box. */
extern UFUNEXPORT int UF_MODL_ask_bounding_box(tag_t object, double bounding_box[6]);

UF_END_C

#endif
