/* The font table of a part: the NX fonts its annotations use, by index.
 *
 * A part's font table is an object of type UF_font_table_type, found with
 * UF_OBJ_cycle_objs_in_part. */
#ifndef UF_UGFONT_H_INCLUDED
#define UF_UGFONT_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* The index of an NX font (a name of at most 16 characters) in the table,
 * added at the first free place when the table lacks it. */
extern UFUNEXPORT int UF_UGFONT_add_font(tag_t fte, int *index, char *font);

/* The name of the font of an index; *font_name is freed with UF_free. */
extern UFUNEXPORT int UF_UGFONT_ask_font_name(tag_t fte, int index, char **font_name);

UF_END_C

#endif
