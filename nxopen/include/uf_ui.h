/* Interactive UI: messages, prompt and status lines, point and text input,
 * object selection, file box. Types and response constants are in
 * uf_ui_types.h, the listing window in uf_ui_ugopen.h; both come with this
 * header. Directory scans (uc45xx) are in uf_cfi.h, not here. */
#ifndef UF_UI_H_INCLUDED
#define UF_UI_H_INCLUDED

#include "uf_defs.h"
#include "uf_ui_types.h"
#include "uf_ui_ugopen.h"

UF_BEGIN_C

/* Shows a message of at most 132 characters: option 0 on the status line,
 * 1 in a message box that waits for acknowledgement ('*' starts a new line). */
extern UGOPENINTEXPORT void uc1601(const char *message, int option);

/* Asks for a text line; str is in/out (the default), *length its length.
 * Returns 1 back, 2 cancel, 3 default accepted, 5 data entered, 8 not allowed now. */
extern UGOPENINTEXPORT int uc1600(const char *cue, char str[133], int *length);

/* Screen position pick. Returns 1 back, 2 cancel, 5 point returned,
 * 7 no active part, 8 not allowed now; point is valid only on 5. */
extern UGOPENINTEXPORT int uc1615(const char *cue, double point[3]);

/* Point constructor dialog; mode[0] is the inference method (0 = inferred),
 * mode[1] the offset mode, both in/out. point_display_mode 0 shows a temporary
 * point. Returns 1 back, 2 cancel, 5 point returned (absolute work part
 * coordinates), 7 no active part, 8 not allowed now. */
extern UGOPENINTEXPORT int uc1616(const char *cue, int mode[2], int point_display_mode, double point[3]);

/* Status line text; NX copies it. */
extern UGOPENINTEXPORT int UF_UI_set_status(char *status_text);

/* Prompt (cue) line text; NX copies it. */
extern UGOPENINTEXPORT int UF_UI_set_prompt(char *prompt_text);

/* Legacy class selection; to be replaced by UF_UI_select_with_class_dialog.
 * *response is 1 back, 2 cancel, 3 OK (not the UF_UI_* constants). *object is
 * allocated by NX (free with UF_free), NULL when *count is 0. The selected
 * objects stay highlighted. */
extern UGOPENINTEXPORT int UF_UI_select_by_class(char *message, UF_UI_selection_options_p_t opts,
                                                 int *response, int *count, tag_p_t *object);

/* Class selection dialog; sel_init_proc may be NULL. *response is UF_UI_OK or
 * UF_UI_CANCEL; *object is allocated by NX (free with UF_free), NULL when
 * *count is 0. The selected objects stay highlighted. */
extern UGOPENINTEXPORT int UF_UI_select_with_class_dialog(char *message, char *title, int scope,
                                                          UF_UI_sel_init_fn_t sel_init_proc,
                                                          void *user_data, int *response, int *count,
                                                          tag_p_t *object);

/* Single object selection. *response is UF_UI_BACK, UF_UI_CANCEL, UF_UI_OK,
 * UF_UI_OBJECT_SELECTED or UF_UI_OBJECT_SELECTED_BY_NAME; *object, cursor (the
 * pick point) and *view mean something only for the two "selected" answers. */
extern UGOPENINTEXPORT int UF_UI_select_with_single_dialog(char *message, char *title, int scope,
                                                           UF_UI_sel_init_fn_t init_proc,
                                                           void *user_data, int *response,
                                                           tag_t *object, double cursor[3],
                                                           tag_t *view);

/* Changes the mask of a selection from inside its init callback; the triples
 * are copied. */
extern UGOPENINTEXPORT int UF_UI_set_sel_mask(UF_UI_selection_p_t select_, UF_UI_sel_mask_action_t action,
                                              int num, UF_UI_mask_t *mask_triples);

/* File selection box. filter_string is in/out (e.g. "*.prt" or "dir\\*.prt");
 * default_name may be empty; filename receives the chosen file. Both buffers
 * belong to the caller. *response is UF_UI_OK or UF_UI_CANCEL. */
extern UGOPENINTEXPORT int UF_UI_create_filebox(char *prompt_string, char *title_string,
                                                char filter_string[MAX_FSPEC_BUFSIZE], char *default_name,
                                                char filename[MAX_FSPEC_BUFSIZE], int *response);

/* Brackets UI calls made from outside an NX callback (from_where
 * UF_UI_FROM_CUSTOM); the success value is UF_UI_LOCK / UF_UI_UNLOCK
 * (unverified), anything else is an error code. */
extern UGOPENINTEXPORT int UF_UI_lock_ug_access(int from_where);
extern UGOPENINTEXPORT int UF_UI_unlock_ug_access(int from_where);

UF_END_C

#endif
