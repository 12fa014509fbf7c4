/* Objects of a part: type, name, layer, blanking, deletion, cycling.
 *
 * Cycling calls use *object as an in/out cursor: start with NULL_TAG, each
 * call moves to the next match, NULL_TAG again means the end. Do not delete
 * objects of the kind being cycled while cycling. */
#ifndef UF_OBJ_H_INCLUDED
#define UF_OBJ_H_INCLUDED

#include "uf_defs.h"
#include "uf_obj_types.h"

UF_BEGIN_C

/* Type and subtype numbers of uf_object_types.h. */
extern UFUNEXPORT int UF_OBJ_ask_type_and_subtype(tag_t object_id, int *type, int *subtype);

/* name must hold UF_OBJ_NAME_BUFSIZE bytes; an unnamed object gives an error
 * code and "". */
extern UFUNEXPORT int UF_OBJ_ask_name(tag_t object_id, char *name);

/* NX copies the name. */
extern UFUNEXPORT int UF_OBJ_set_name(tag_t object_id, const char *name);

/* Next object in the work part named exactly name (trailing blanks count);
 * cursor semantics as above. */
extern UFUNEXPORT int UF_OBJ_cycle_by_name(const char *name, tag_t *object);

/* Next object of that name and type in part, occurrences included when
 * cycle_occs is true; cursor semantics as above. (unverified) */
extern UFUNEXPORT int UF_OBJ_cycle_by_name_and_type(tag_t part, const char *name, int type, logical cycle_occs,
                                                    tag_t *object);

/* Next object of the type in part_tag; cursor semantics as above. */
extern UFUNEXPORT int UF_OBJ_cycle_objs_in_part(tag_t part_tag, int type, tag_t *object);

extern UFUNEXPORT int UF_OBJ_delete_object(tag_t object_id);

/* Deletes many objects; statuses may be NULL, otherwise it receives one code
 * an object, allocated by NX (free with UF_free). */
extern UFUNEXPORT int UF_OBJ_delete_array_of_objects(int num_objects, tag_t object_id[], int **statuses);

extern UFUNEXPORT int UF_OBJ_set_layer(tag_t object_id, int layer);

/* UF_OBJ_NOT_BLANKED or UF_OBJ_BLANKED. */
extern UFUNEXPORT int UF_OBJ_set_blank_status(tag_t object_id, int blank_status);

/* Fills caller memory. */
extern UFUNEXPORT int UF_OBJ_ask_display_properties(tag_t object_id, UF_OBJ_disp_props_p_t disp_props);

extern UFUNEXPORT int UF_OBJ_set_color(tag_t object_id, int color);

/* Returns a status (UF_OBJ_DELETED ... UF_OBJ_ALIVE), not an error code. */
extern UFUNEXPORT int UF_OBJ_ask_status(tag_t object);

/* Part that owns the object. */
extern UFUNEXPORT int UF_OBJ_ask_owning_part(tag_t object_in_part, tag_t *part_tag);

UF_END_C

#endif
