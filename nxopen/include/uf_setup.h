/* The CAM setup of the work part and the roots of its four views (program
 * order, geometry, machine tool, machining method). Each view also has a NULL
 * group; members of the program NULL group are not output. */
#ifndef UF_SETUP_H_INCLUDED
#define UF_SETUP_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Creates the setup of part_tag by copying the groups and operations of the
 * named template; no geometry is mapped. */
extern UFUN_CAMEXPORT int UF_SETUP_create(tag_t part_tag, const char *template_name);

/* NULL_TAG when the work part has no setup. */
extern UFUN_CAMEXPORT int UF_SETUP_ask_setup(tag_t *setup_tag);

extern UFUN_CAMEXPORT int UF_SETUP_delete_setup(void);

extern UFUN_CAMEXPORT int UF_SETUP_ask_program_root(tag_t setup_tag, tag_t *program_group);
extern UFUN_CAMEXPORT int UF_SETUP_ask_geom_root(tag_t setup_tag, tag_t *geom_group);
extern UFUN_CAMEXPORT int UF_SETUP_ask_mct_root(tag_t setup_tag, tag_t *mct_group);
extern UFUN_CAMEXPORT int UF_SETUP_ask_mthd_root(tag_t setup_tag, tag_t *mthd_group);

extern UFUN_CAMEXPORT int UF_SETUP_ask_program_null(tag_t setup_tag, tag_t *program_null);
extern UFUN_CAMEXPORT int UF_SETUP_ask_geom_null(tag_t setup_tag, tag_t *geom_null);
extern UFUN_CAMEXPORT int UF_SETUP_ask_mct_null(tag_t setup_tag, tag_t *mct_null);
extern UFUN_CAMEXPORT int UF_SETUP_ask_mthd_null(tag_t setup_tag, tag_t *mthd_null);

UF_END_C

#endif
