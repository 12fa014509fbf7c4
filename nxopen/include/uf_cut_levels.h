/* Cut levels of layered operations (cavity milling, Z-level, plunge milling):
 * the heights at which the tool cuts, from the top level down, each with the
 * depth per cut of the range above it. Loaded levels are a copy: edits go
 * through the calls below, which also update a copy passed to them. */
#ifndef UF_CUT_LEVELS_H_INCLUDED
#define UF_CUT_LEVELS_H_INCLUDED

#include "uf_defs.h"
#include "uf_param_indices.h"

struct UF_CUT_LEVEL_single_s {
    tag_t entity_tag;       /* face or point the level was set from; NULL_TAG when set by z */
    double z_level;         /* height along the cut-level axis */
    double local_cut_depth; /* greatest depth per cut of the range above this level */
};
typedef struct UF_CUT_LEVEL_single_s UF_CUT_LEVEL_single_t;

struct UF_CUT_LEVELS_s {
    int num_levels;
    UF_CUT_LEVEL_single_t *cut_levels;     /* num_levels records, top level first */
    int num_top_off_levels;
    UF_CUT_LEVEL_single_t *top_off_levels;
};
typedef struct UF_CUT_LEVELS_s UF_CUT_LEVELS_t;

UF_BEGIN_C

/* Loads a copy; *cut_levels_ptr_addr must be NULL or an earlier load, which
 * is replaced. Release with UF_CUT_LEVELS_free. */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_load(tag_t operation_tag, UF_CUT_LEVELS_t **cut_levels_ptr_addr);

/* Releases a loaded copy and sets the pointer to NULL. */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_free(UF_CUT_LEVELS_t **cut_levels_ptr_addr);

/* In the calls below, a non-NULL cut_levels is updated to the new levels.
 * Any change to auto-generated levels makes the range user defined; a single
 * range refuses added and deleted levels. */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_set_range_type(tag_t operation_tag, UF_PARAM_clv_range_type_t range_type,
                                                       UF_CUT_LEVELS_t *cut_levels);
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_add_levels_using_z(tag_t operation_tag, int num_to_add, double *z_levels,
                                                           double max_depth_per_cut, UF_CUT_LEVELS_t *cut_levels);

/* Moves level edit_level (0 = top) to z_level; levels passed on the way are
 * removed. */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_edit_level_using_z(tag_t operation_tag, int edit_level, double z_level,
                                                           double max_depth_per_cut, UF_CUT_LEVELS_t *cut_levels);
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_delete_level(tag_t operation_tag, int delete_level,
                                                     UF_CUT_LEVELS_t *cut_levels);

/* Points *level_data_ptr_addr into cut_levels (nothing to free). */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_ask_level(UF_CUT_LEVELS_t *cut_levels, int index,
                                                  UF_CUT_LEVEL_single_t **level_data_ptr_addr);

/* Back to the levels NX generates from the geometry. */
extern UFUN_CAMEXPORT int UF_CUT_LEVELS_reset_to_default(tag_t operation_tag);

UF_END_C

#endif
