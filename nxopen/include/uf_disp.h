/* Display: highlighting and refresh. */
#ifndef UF_DISP_H_INCLUDED
#define UF_DISP_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* action_switch 1 highlights, 0 removes the highlight. */
extern UFUNEXPORT int UF_DISP_set_highlight(tag_t object_id, int action_switch);

/* Redraws the graphics window; no result. */
extern UFUNEXPORT void UF_DISP_refresh(void);

UF_END_C

#endif
