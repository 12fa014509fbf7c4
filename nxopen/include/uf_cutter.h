/* Cutters (tools): creation from a template, kind, and the sections of the
 * holder that carries the cutter. Dimensions are UF_PARAM_TL_* parameters. */
#ifndef UF_CUTTER_H_INCLUDED
#define UF_CUTTER_H_INCLUDED

#include "uf_defs.h"

/* Kinds reported by UF_CUTTER_ask_type_and_subtype. */
#define UF_CUTTER_TYPE_MILL 1
#define UF_CUTTER_TYPE_DRILL 2
#define UF_CUTTER_TYPE_TURN 3
#define UF_CUTTER_TYPE_GROOVE 4
#define UF_CUTTER_TYPE_THREAD 5
#define UF_CUTTER_TYPE_BARREL 7
#define UF_CUTTER_TYPE_T 8
#define UF_CUTTER_TYPE_FORM 9
#define UF_CUTTER_TYPE_SOLID 11
#define UF_CUTTER_TYPE_LASER 12

#define UF_CUTTER_SUBTYPE_MILL_5 1
#define UF_CUTTER_SUBTYPE_MILL_7 2
#define UF_CUTTER_SUBTYPE_MILL_10 3
#define UF_CUTTER_SUBTYPE_MILL_BALL 4
#define UF_CUTTER_SUBTYPE_MILL_CHAMFER 5
#define UF_CUTTER_SUBTYPE_MILL_SPHERICAL 6

/* One section of a holder, counted from the cutter upwards. */
struct UF_CUTTER_holder_section_s {
    double diameter;
    double length;
    double taper;  /* radians */
    double corner; /* corner radius at the bottom of the section */
};
typedef struct UF_CUTTER_holder_section_s UF_CUTTER_holder_section_t, *UF_CUTTER_holder_section_p_t;

UF_BEGIN_C

/* New cutter from the template subtype_name of the configuration type
 * type_name; it is in no machine tool group yet. */
extern UFUN_CAMEXPORT int UF_CUTTER_create(char *type_name, char *subtype_name, tag_t *new_object);

extern UFUN_CAMEXPORT int UF_CUTTER_ask_type_and_subtype(tag_t object_id, int *type, int *subtype);

/* Appends a section above the existing ones. */
extern UFUN_CAMEXPORT int UF_CUTTER_create_holder_section(tag_t object_tag, UF_CUTTER_holder_section_t *data);

extern UFUN_CAMEXPORT int UF_CUTTER_ask_section_count(tag_t object_tag, int *count);

/* Deletes the section at a zero-based index (unverified: index base); an
 * error when there is none. */
extern UFUN_CAMEXPORT int UF_CUTTER_delete_holder_section(tag_t object_tag, int index);

/* Every section, from the cutter up: *data is an array of *count records;
 * the caller frees each record and the array with UF_free (unverified). */
extern UFUN_CAMEXPORT int UF_CUTTER_ask_holder_data(tag_t object_tag, int *count, UF_CUTTER_holder_section_t ***data);

UF_END_C

#endif
