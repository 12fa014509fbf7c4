/* Operations: creation from a template and the groups an operation belongs to
 * in the four views (program order, machine tool, geometry, method). */
#ifndef UF_OPER_H_INCLUDED
#define UF_OPER_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* New operation from the template subtype_name of the configuration type
 * type_name, with the template's parameters; it is in the NULL group of
 * every view until a group accepts it. */
extern UFUN_CAMEXPORT int UF_OPER_create(char *type_name, char *subtype_name, tag_t *new_object);

/* The operation's parent in each view; the view's NULL group when it has no
 * other. */
extern UFUN_CAMEXPORT int UF_OPER_ask_cutter_group(tag_t oper, tag_t *group);
extern UFUN_CAMEXPORT int UF_OPER_ask_program_group(tag_t oper, tag_t *group);
extern UFUN_CAMEXPORT int UF_OPER_ask_geom_group(tag_t oper, tag_t *group);
extern UFUN_CAMEXPORT int UF_OPER_ask_method_group(tag_t oper, tag_t *group);

/* Reference cutter (the cutter of a previous operation, for rest milling);
 * NULL_TAG when none. Setting NULL_TAG removes it. */
extern UFUN_CAMEXPORT int UF_OPER_ask_ref_cutter(tag_t oper_tag, tag_t *ref_cutter_tag);
extern UFUN_CAMEXPORT int UF_OPER_set_ref_cutter(tag_t oper_tag, tag_t ref_cutter_tag);

UF_END_C

#endif
