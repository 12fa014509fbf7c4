/* Types and constants of the interactive UI calls (selection, dialogs,
 * responses). Declarations that use them are in uf_ui.h. */
#ifndef UF_UI_TYPES_H_INCLUDED
#define UF_UI_TYPES_H_INCLUDED

#include "uf_defs.h"

/* Named dialog responses. A few legacy calls (UF_UI_select_by_class, uc1600,
 * uc1616) answer with their own numbers instead, where 3 means OK. */
#define UF_UI_PICK_RESPONSE 1
#define UF_UI_OK 2
#define UF_UI_CANCEL 3
#define UF_UI_BACK 4
#define UF_UI_APPLY 5
#define UF_UI_HELP 6
#define UF_UI_OBJECT_SELECTED 7
#define UF_UI_OBJECT_SELECTED_BY_NAME 8
#define UF_UI_CB_TERMINATE 9

/* What a dialog callback returns. */
#define UF_UI_CB_CONTINUE_DIALOG 0
#define UF_UI_CB_EXIT_DIALOG 1

/* What a selection filter callback returns. */
#define UF_UI_SEL_REJECT 0
#define UF_UI_SEL_ACCEPT 1

/* What a selection init callback returns. */
#define UF_UI_SEL_FAILURE 0
#define UF_UI_SEL_SUCCESS 1

/* UF_UI_lock_ug_access / UF_UI_unlock_ug_access. */
#define UF_UI_LOCK 2
#define UF_UI_UNLOCK 3
#define UF_UI_FROM_CUSTOM 1

/* Selection scope: where selectable objects may come from. There is no 2. */
#define UF_UI_SEL_SCOPE_NO_CHANGE 0
#define UF_UI_SEL_SCOPE_WORK_PART 1
#define UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY 3
#define UF_UI_SEL_SCOPE_WORK_PART_AND_OCC 4
#define UF_UI_SEL_SCOPE_WORK_PART_AND_WP_OCC 5

/* Mask triple type for entries that are not real object types. */
#define UF_pseudo_object_type (-1)

/* Detail types for masks on UF_solid_type (the solid_type field of a mask). */
#define UF_UI_SEL_FEATURE_BODY 0
#define UF_UI_SEL_FEATURE_ANY_EDGE 1
#define UF_UI_SEL_FEATURE_LINEAR_EDGE 2
#define UF_UI_SEL_FEATURE_CIRCULAR_EDGE 3
#define UF_UI_SEL_FEATURE_ELLIPTICAL_EDGE 4
#define UF_UI_SEL_FEATURE_INTERSECTION_EDGE 5
#define UF_UI_SEL_FEATURE_BCURVE_EDGE 6
#define UF_UI_SEL_FEATURE_SPCURVE_EDGE 7
#define UF_UI_SEL_FEATURE_FOREIGN_EDGE 8
#define UF_UI_SEL_FEATURE_CNST_PARM_EDGE 9
#define UF_UI_SEL_FEATURE_ANY_WIRE_OR_EDGE 10
#define UF_UI_SEL_FEATURE_ANY_SHEET 19
#define UF_UI_SEL_FEATURE_ANY_FACE 20
#define UF_UI_SEL_FEATURE_PLANAR_FACE 21
#define UF_UI_SEL_FEATURE_CYLINDRICAL_FACE 22
#define UF_UI_SEL_FEATURE_CONICAL_FACE 23
#define UF_UI_SEL_FEATURE_SPHERICAL_FACE 24
#define UF_UI_SEL_FEATURE_TOROIDAL_FACE 25
#define UF_UI_SEL_FEATURE_PARAMETRIC_FACE 26
#define UF_UI_SEL_FEATURE_BLENDING_FACE 27
#define UF_UI_SEL_FEATURE_OFFSET_FACE 28
#define UF_UI_SEL_FEATURE_SWEPT_FACE 29
#define UF_UI_SEL_FEATURE_SWUNG_FACE 30
#define UF_UI_SEL_FEATURE_FOREIGN_FACE 31
#define UF_UI_SEL_FEATURE_SHEET_BODY 35
#define UF_UI_SEL_FEATURE_SOLID_BODY 36

/* Handle of a selection in progress, valid only inside its callbacks. */
typedef void *UF_UI_selection_p_t;

/* Called once a selection dialog exists, typically to set its mask; returns
 * UF_UI_SEL_SUCCESS or UF_UI_SEL_FAILURE. */
typedef int (*UF_UI_sel_init_fn_t)(UF_UI_selection_p_t select_, void *user_data);

/* How UF_UI_set_sel_mask combines the given triples with the current mask. */
enum UF_UI_sel_mask_action_e { /* unverified: tag name */
    UF_UI_SEL_MASK_ENABLE_ALL,
    UF_UI_SEL_MASK_ENABLE_SPECIFIC,
    UF_UI_SEL_MASK_DISABLE_SPECIFIC,
    UF_UI_SEL_MASK_CLEAR_AND_ENABLE_SPECIFIC,
    UF_UI_SEL_MASK_ALL_AND_DISABLE_SPECIFIC
};
typedef enum UF_UI_sel_mask_action_e UF_UI_sel_mask_action_t;

/* One entry of a selection mask; solid_type carries a UF_UI_SEL_FEATURE_*
 * detail type for UF_solid_type entries. */
struct UF_UI_mask_s {
    int object_type;
    int object_subtype;
    int solid_type;
};
typedef struct UF_UI_mask_s UF_UI_mask_t, *UF_UI_mask_p_t;

/* Options of the legacy selection calls; the struct tag really is singular. */
struct UF_UI_selection_option_s {
    int num_mask_triples;
    UF_UI_mask_p_t mask_triples; /* caller owns the array */
    int scope;                   /* UF_UI_SEL_SCOPE_* */
    int other_options;           /* set to 0 */
    void *reserved;              /* set to NULL */
};
typedef struct UF_UI_selection_option_s UF_UI_selection_options_t, *UF_UI_selection_options_p_t;

/* Form attachments of a dialog item; also a member of the styler value union. */
struct UF_UI_attachment_s { /* unverified: tag name */
    short center;
    short attach_type_top;
    short attach_type_left;
    short attach_type_right;
    short offset_top;
    short offset_left;
    short offset_right;
    const char *item_id_top;
    const char *item_id_left;
    const char *item_id_right;
};
typedef struct UF_UI_attachment_s UF_UI_attachment_t;

/* Value of an option toggle item: the chosen option and its check box. */
struct UF_UI_option_toggle_s { /* unverified: tag name */
    int choice;
    logical is_checked;
};
typedef struct UF_UI_option_toggle_s UF_UI_option_toggle_t;

#endif
