/* Types of the part calls in uf_part.h. */
#ifndef UF_PART_TYPES_H_INCLUDED
#define UF_PART_TYPES_H_INCLUDED

#include "uf_defs.h"

/* What went wrong while loading a part and its components. The arrays are
 * allocated by NX; release them with UF_PART_free_load_status. */
struct UF_PART_load_status_s {
    logical failed;       /* true if any part failed to load */
    logical user_abort;
    int n_parts;          /* entries in the two arrays */
    char **file_names;
    int *statuses;        /* error code for each file name */
};
typedef struct UF_PART_load_status_s UF_PART_load_status_t, *UF_PART_load_status_p_t;

#endif
