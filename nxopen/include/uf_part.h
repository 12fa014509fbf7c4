/* Parts: open, name, display part, save, close.
 *
 * NX has one display part (shown) and one work part (edited, see uf_assem.h);
 * opening a part interactively makes it both. */
#ifndef UF_PART_H_INCLUDED
#define UF_PART_H_INCLUDED

#include "uf_defs.h"
#include "uf_part_types.h"

UF_BEGIN_C

/* NULL_TAG when no part is displayed. */
extern UFUNEXPORT tag_t UF_PART_ask_display_part(void);

/* Full file spec of a loaded part into caller memory. */
extern UFUNEXPORT int UF_PART_ask_part_name(tag_t part, char part_fspec[MAX_FSPEC_BUFSIZE]);

/* Returns 0 not loaded, 1 fully loaded, 2 partially loaded; other values are
 * error codes. */
extern UFUNEXPORT int UF_PART_is_loaded(const char *part_name);

/* Tag of a loaded part (a full path is not required); NULL_TAG if not loaded. */
extern UFUNEXPORT tag_t UF_PART_ask_part_tag(const char *part_name);

/* Opens a part and makes it work and display part. Release *error_status
 * with UF_PART_free_load_status. */
extern UFUNEXPORT int UF_PART_open(const char *part_name, tag_t *part, UF_PART_load_status_t *error_status);

/* Loads a part without changing the work or display part. */
extern UFUNEXPORT int UF_PART_open_quiet(const char *part_name, tag_t *part, UF_PART_load_status_t *error_status);

/* Frees the arrays of a load status (not the record itself). */
extern UFUNEXPORT int UF_PART_free_load_status(UF_PART_load_status_p_t load_status);

/* Returns 0, or 1 when the part is not fully loaded; NULL_TAG makes the work
 * part the display part. */
extern UFUNEXPORT int UF_PART_set_display_part(tag_t part);

/* Saves the work part and its modified components. */
extern UFUNEXPORT int UF_PART_save(void);

/* scope 0 this part only, 1 with its subassemblies; mode 0 ask if modified
 * (external programs: yes), 1 unload even if modified, 2 only if unmodified.
 * Returns 0 closed, 1 modified part not saved (warning), 2 not the root of an
 * assembly, < 0 file system status, > 2 error code. */
extern UFUNEXPORT int UF_PART_close(tag_t part, int scope, int mode);

extern UFUNEXPORT int UF_PART_close_all(void);

UF_END_C

#endif
