/* Layer status of the work part. Layers are numbered UF_LAYER_MIN_LAYER to
 * UF_LAYER_MAX_LAYER. */
#ifndef UF_LAYER_H_INCLUDED
#define UF_LAYER_H_INCLUDED

#include "uf_defs.h"

#define UF_LAYER_MIN_LAYER 1
#define UF_LAYER_MAX_LAYER 256

/* Layer status values. */
#define UF_LAYER_WORK_LAYER 1      /* the one layer new objects go to */
#define UF_LAYER_ACTIVE_LAYER 2    /* visible and selectable */
#define UF_LAYER_REFERENCE_LAYER 3 /* visible only */
#define UF_LAYER_INACTIVE_LAYER 4  /* hidden */

UF_BEGIN_C

extern UFUNEXPORT int UF_LAYER_ask_status(const int layer_number, int *layer_status);

extern UFUNEXPORT int UF_LAYER_set_status(const int layer_number, const int layer_status);

UF_END_C

#endif
