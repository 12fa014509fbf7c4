/* Assemblies: the work part. */
#ifndef UF_ASSEM_H_INCLUDED
#define UF_ASSEM_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* NULL_TAG makes the display part the work part. Nothing is updated implicitly. */
extern UFUNEXPORT int UF_ASSEM_set_work_part(tag_t part);

/* NULL_TAG when no part is loaded. */
extern UFUNEXPORT tag_t UF_ASSEM_ask_work_part(void);

UF_END_C

#endif
