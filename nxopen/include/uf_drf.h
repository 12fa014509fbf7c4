/* Drafting: notes and the drafting preferences of the work part.
 *
 * A note takes the lettering in force when it is made (size, angle, font,
 * aspect ratio of the general text); the font is no argument of its own. */
#ifndef UF_DRF_H_INCLUDED
#define UF_DRF_H_INCLUDED

#include "uf_defs.h"
#include "uf_drf_types.h"

UF_BEGIN_C

/* A note of num_lines_text lines at origin_3d, given in WCS coordinates, in
 * the plane of the WCS; orientation 0 horizontal, 1 vertical. */
extern UFUNEXPORT int UF_DRF_create_note(int num_lines_text, char *text_string[], double origin_3d[3],
                                         int orientation, tag_t *note_tag);

/* The drafting preferences as arrays (0-based): mpi[26] character font,
 * mpi[78..80] colour, font, density of dimension text, mpi[81..83] of
 * tolerance text, mpi[84..86] of appended text, mpi[87..89] of notes and
 * other drafting aids; mpr[4] character size, mpr[32] dimension, mpr[36]
 * tolerance, mpr[40] appended and mpr[44] drafting-aid text size. Fonts are
 * indices of the part's font table. The radius and diameter symbols are
 * texts of at most 26 characters. */
extern UFUNEXPORT int UF_DRF_ask_preferences(int mpi[100], double mpr[70], char radius_value[27],
                                             char diameter_value[27]);
extern UFUNEXPORT int UF_DRF_set_preferences(int mpi[100], double mpr[70], const char *radius_val,
                                             const char *diameter_val);

extern UFUNEXPORT int UF_DRF_ask_lettering_preferences(UF_DRF_lettering_preferences_t *lettering_preferences);
extern UFUNEXPORT int UF_DRF_set_lettering_preferences(UF_DRF_lettering_preferences_p_t lettering_preferences);

UF_END_C

#endif
