/* The parameter dialogs of CAM objects. */
#ifndef UF_UI_PARAM_H_INCLUDED
#define UF_UI_PARAM_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Shows the object's own dialog; *dialog_response is UF_UI_OK, UF_UI_APPLY,
 * UF_UI_BACK or UF_UI_CANCEL. */
extern UGOPENINT_CAMEXPORT int UF_UI_PARAM_edit_object(tag_t obj_tag, int *dialog_response);

UF_END_C

#endif
