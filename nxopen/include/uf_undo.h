/* Undo marks. A program may hold at most 100 marks.
 * Host stand-in: marks are recorded; rolling back to one is refused with an error code. */
#ifndef UF_UNDO_H_INCLUDED
#define UF_UNDO_H_INCLUDED

#include "uf_defs.h"

typedef int UF_UNDO_mark_id_t;
typedef char *UF_UNDO_mark_name_t;
typedef const char *UF_UNDO_mark_name_c_t;

/* Whether the user sees the mark in the undo list. */
enum UF_UNDO_user_visibility_e {
    UF_UNDO_visible,
    UF_UNDO_invisible,
    UF_UNDO_any_vis,
    UF_UNDO_visibility_2_big
};
typedef enum UF_UNDO_user_visibility_e UF_UNDO_user_visibility_t;

UF_BEGIN_C

/* mark_name may be NULL; NX copies it. */
extern UFUNEXPORT int UF_UNDO_set_mark(UF_UNDO_user_visibility_t visibility, UF_UNDO_mark_name_c_t mark_name,
                                       UF_UNDO_mark_id_t *mark_id);

/* Undoes to the newest mark of that visibility; *mark_id receives it. */
extern UFUNEXPORT int UF_UNDO_undo_to_last_mark(UF_UNDO_user_visibility_t visibility, UF_UNDO_mark_id_t *mark_id);

/* The mark is found by id, or by name when mark_name is not NULL (unverified). */
extern UFUNEXPORT int UF_UNDO_undo_to_mark(UF_UNDO_mark_id_t mark_id, UF_UNDO_mark_name_c_t mark_name);
extern UFUNEXPORT int UF_UNDO_delete_mark(UF_UNDO_mark_id_t mark_id, UF_UNDO_mark_name_c_t mark_name);

UF_END_C

#endif
