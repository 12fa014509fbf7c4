/* Older calls kept for existing programs: title-based attributes.
 *
 * An attribute belongs to an object or, when the object is a part tag, to the
 * part. Titles are at most UF_ATTR_MAX_TITLE_NCHARS characters, string values
 * at most UF_ATTR_MAX_STRING_NCHARS. */
#ifndef UF_RETIRING_H_INCLUDED
#define UF_RETIRING_H_INCLUDED

#include "uf_defs.h"
#include "uf_attr_types.h"

UF_BEGIN_C

/* *title_type is the type found, 0 when there is no such attribute; type may
 * be UF_ATTR_any. */
extern UFUNEXPORT int UF_ATTR_find_attribute(tag_t object, int type, char *title, int *title_type);

/* value->type is 0 when not found. For strings set value->value.string to NULL
 * (NX allocates it, free with UF_free) or to a UF_ATTR_MAX_STRING_BUFSIZE buffer. */
extern UFUNEXPORT int UF_ATTR_read_value(tag_t object, char *title, int type, UF_ATTR_value_p_t value);

/* Creates or replaces; the value is passed by value and its text copied. */
extern UFUNEXPORT int UF_ATTR_assign(tag_t object, char *title, UF_ATTR_value_t value);

/* UF_ATTR_any deletes every attribute with that title. */
extern UFUNEXPORT int UF_ATTR_delete(tag_t object, int type, char *title);

/* Steps through attributes of the type (UF_ATTR_any for all): *indx starts at
 * 0 and comes back 0 after the last one. A string value is allocated by NX,
 * free with UF_free (unverified). */
extern UFUNEXPORT int UF_ATTR_cycle(tag_t object, int *indx, int type, char title[UF_ATTR_MAX_TITLE_BUFSIZE],
                                    UF_ATTR_value_p_t value);

extern UFUNEXPORT int UF_ATTR_delete_all(tag_t object, int type);

UF_END_C

#endif
