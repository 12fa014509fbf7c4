/* The Operation Navigator, NX's tree of the CAM objects. */
#ifndef UF_UI_ONT_H_INCLUDED
#define UF_UI_ONT_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Redraws the navigator after CAM objects were created, moved or renamed. */
extern UGOPENINT_CAMEXPORT int UF_UI_ONT_refresh(void);

UF_END_C

#endif
