/* UIStyler dialogs: a dialog laid out in a .dlg file, driven by callbacks.
 *
 * UF_STYLER_create_dialog shows the dialog and returns when it closes. Inside
 * a callback the program reads and writes items with UF_STYLER_ask_value /
 * UF_STYLER_set_value, naming the item (item_id), the attribute (item_attr)
 * and, where the attribute has several forms, the data type (indicator).
 * Strings and arrays that ask_value returns belong to the caller and are
 * released with UF_STYLER_free_value. Callbacks return UF_UI_CB_CONTINUE_DIALOG
 * or UF_UI_CB_EXIT_DIALOG. */
#ifndef UF_STYLER_H_INCLUDED
#define UF_STYLER_H_INCLUDED

#include "uf_defs.h"
#include "uf_ui.h"

/* Item ids with a special meaning. */
#define UF_STYLER_NULL_OBJECT "UF_STYLER_NULL_OBJECT"
#define UF_STYLER_DIALOG_INDEX "UF_STYLER_DIALOG_INDEX" /* the dialog itself */
#define UF_STYLER_NAV_INDEX "UF_STYLER_NAV_INDEX"       /* the navigation buttons */
#define UF_STYLER_NO_INDEX "UF_STYLER_NO_INDEX"

/* Sub-item indices of the navigation buttons, and "no sub-item". */
#define UF_STYLER_OK_INDEX 0
#define UF_STYLER_APPLY_INDEX 1
#define UF_STYLER_BACK_INDEX 2
#define UF_STYLER_CANCEL_INDEX 3
#define UF_STYLER_NO_SUB_INDEX (-1)

/* Callback types (UF_STYLER_callback_info_t.cb_type). */
#define UF_STYLER_NO_CB (-1)
#define UF_STYLER_ACTIVATE_CB 0
#define UF_STYLER_VALUE_CHANGED_CB 1
#define UF_STYLER_DRAG_CB 2
#define UF_STYLER_DOUBLE_CLICK_CB 3
#define UF_STYLER_OK_CB 4
#define UF_STYLER_APPLY_CB 5
#define UF_STYLER_BACK_CB 6
#define UF_STYLER_CANCEL_CB 7
#define UF_STYLER_CONSTRUCTOR_CB 8
#define UF_STYLER_DESTRUCTOR_CB 9
#define UF_STYLER_FILEOP_CB 10
#define UF_STYLER_SWITCH_CB 11
#define UF_STYLER_MAX_CB_TYPES 13

/* Why a callback runs (call_data->reason). */
#define UF_STYLER_NO_REASON (-1)
#define UF_STYLER_ACTIVATE_REASON 0
#define UF_STYLER_VALUE_CHANGED_REASON 1
#define UF_STYLER_DRAG_REASON 2
#define UF_STYLER_DOUBLE_CLICK_REASON 3
#define UF_STYLER_OK_REASON 4
#define UF_STYLER_APPLY_REASON 5
#define UF_STYLER_BACK_REASON 6
#define UF_STYLER_CANCEL_REASON 7
#define UF_STYLER_CONSTRUCT_REASON 8
#define UF_STYLER_DESTRUCT_REASON 9
#define UF_STYLER_FILEOP_REASON 10
#define UF_STYLER_SWITCH_REASON 11

/* Item attributes (item_attr). The selected entry of a list, option menu or
 * radio box is its VALUE; there is no separate "selected value" attribute. */
#define UF_STYLER_NO_ATTR (-1)
#define UF_STYLER_SENSITIVITY 0
#define UF_STYLER_VISIBILITY 1
#define UF_STYLER_VALUE 2
#define UF_STYLER_LABEL 3
#define UF_STYLER_BITMAP 4
#define UF_STYLER_FOCUS 5
#define UF_STYLER_SUBITEM_VALUES 6  /* all entries of a list or menu */
#define UF_STYLER_DEFAULT_ACTION 7
#define UF_STYLER_DIALOG_WIDTH 8
#define UF_STYLER_DIALOG_RESIZE 9
#define UF_STYLER_SCALE_PRECISION 10
#define UF_STYLER_ITEM_TYPE 11
#define UF_STYLER_LIST_DESELECT 12
#define UF_STYLER_LIST_INSERT 13    /* subitem_index NO_SUB_INDEX appends */
#define UF_STYLER_LIST_DELETE 14    /* subitem_index NO_SUB_INDEX clears */
#define UF_STYLER_LIST_SHOW 15
#define UF_STYLER_SELECTION 16
#define UF_STYLER_ACTIVE_PAGE 17
#define UF_STYLER_ATTACHMENTS 18
#define UF_STYLER_SCALE_LINE_INCREMENT 19

/* Which union member carries the value (indicator). */
#define UF_STYLER_NO_VALUE (-1)
#define UF_STYLER_STRING_VALUE 0
#define UF_STYLER_STRING_PTR_VALUE 1
#define UF_STYLER_INTEGER_VALUE 2
#define UF_STYLER_INTEGER_PTR_VALUE 3
#define UF_STYLER_REAL_VALUE 4
#define UF_STYLER_REAL_PTR_VALUE 5
#define UF_STYLER_SELECTION_VALUE 6
#define UF_STYLER_OPTION_TOGGLE_VALUE 7

/* Item kinds, as the UF_STYLER_ITEM_TYPE attribute reports them; values are
 * documented, the names are unverified. */
#define UF_STYLER_INVALID_TYPE (-1)
#define UF_STYLER_LABEL_TYPE 0
#define UF_STYLER_INTEGER_TYPE 1
#define UF_STYLER_REAL_TYPE 2
#define UF_STYLER_STRING_TYPE 3
#define UF_STYLER_WIDE_STRING_TYPE 4
#define UF_STYLER_ACTION_BUTTON_TYPE 5
#define UF_STYLER_TOGGLE_TYPE 6
#define UF_STYLER_BITMAP_TYPE 7
#define UF_STYLER_BUTTON_LAYOUT_TYPE 8
#define UF_STYLER_OPTION_MENU_TYPE 9
#define UF_STYLER_RADIO_BOX_TYPE 10
#define UF_STYLER_TOOL_PALETTE_TYPE 11
#define UF_STYLER_SCALE_REAL_TYPE 12
#define UF_STYLER_SCALE_INTEGER_TYPE 13
#define UF_STYLER_SINGLE_LIST_TYPE 14
#define UF_STYLER_MULTI_LIST_TYPE 15
#define UF_STYLER_SELECTION_BOX_TYPE 16
#define UF_STYLER_SEPARATOR_TYPE 17
#define UF_STYLER_SCROLLED_WINDOW_TYPE 18
#define UF_STYLER_MULTI_LINE_TEXT_TYPE 19
#define UF_STYLER_DIALOG_TYPE 20
#define UF_STYLER_COLOR_TOOL_TYPE 21
#define UF_STYLER_OPTION_TOGGLE_TYPE 22
#define UF_STYLER_BEGIN_GROUP_TYPE 23
#define UF_STYLER_END_GROUP_TYPE 24

/* File operation states (notify.fileop.state). */
#define UF_STYLER_ENTER_FILE_OPERATION 1
#define UF_STYLER_EXIT_FILE_OPERATION 0

typedef int UF_STYLER_dialog_id_t;

struct UF_STYLER_fileop_s {
    int id;
    int state;  /* UF_STYLER_ENTER_FILE_OPERATION / UF_STYLER_EXIT_FILE_OPERATION */
};
typedef struct UF_STYLER_fileop_s UF_STYLER_fileop_t;

struct UF_STYLER_page_switch_s {
    int activated_page;
    int deactivated_page;
};
typedef struct UF_STYLER_page_switch_s UF_STYLER_page_switch_t;

/* Extra data of file operation and page switch callbacks. */
union UF_STYLER_notification_u {
    UF_STYLER_fileop_t fileop;
    UF_STYLER_page_switch_t page_switch;
};
typedef union UF_STYLER_notification_u UF_STYLER_notification_t, *UF_STYLER_notification_p_t;

/* The value of an item attribute; the indicator names the member in use. */
union UF_STYLER_value_u {
    char *string;
    char **strings;
    int integer;
    int *integers;
    double real;
    double *reals;
    UF_UI_selection_p_t selection;
    UF_STYLER_notification_p_t notify;
    UF_UI_attachment_t attach;
    UF_UI_option_toggle_t option_toggle;
};
typedef union UF_STYLER_value_u UF_STYLER_value_t;

/* One read or write of an item attribute, and the call data of callbacks. */
struct UF_STYLER_item_value_type_s {
    int reason;           /* set by NX in callbacks: UF_STYLER_*_REASON */
    const char *item_id;
    int subitem_index;    /* zero-based, UF_STYLER_NO_SUB_INDEX for none */
    int count;            /* number of values in the union (arrays, lists) */
    int item_attr;        /* UF_STYLER_SENSITIVITY ... */
    int indicator;        /* UF_STYLER_*_VALUE */
    UF_STYLER_value_t value;
};
typedef struct UF_STYLER_item_value_type_s UF_STYLER_item_value_type_t, *UF_STYLER_item_value_type_p_t;

/* Callback of an item or of the dialog. */
typedef int (*UF_STYLER_cb_f_t)(int dialog_id, void *client_data, UF_STYLER_item_value_type_p_t call_data);

/* One registered callback. The table passed to create_dialog conventionally
 * ends with an entry whose object_id is UF_STYLER_NULL_OBJECT (unverified). */
struct UF_STYLER_callback_info_s {
    char *object_id;      /* item id, or UF_STYLER_DIALOG_INDEX */
    int cb_type;          /* UF_STYLER_*_CB */
    int is_dialog_launching_cb;
    UF_STYLER_cb_f_t callback_proc;
};
typedef struct UF_STYLER_callback_info_s UF_STYLER_callback_info_t, *UF_STYLER_callback_info_p_t;

UF_BEGIN_C

/* Shows the dialog of dialog_file (".dlg") and returns when it closes;
 * *response is UF_UI_OK, UF_UI_CANCEL, UF_UI_BACK, UF_UI_PICK_RESPONSE or
 * UF_UI_CB_TERMINATE. client_data is passed to every callback. */
extern UGOPENINTEXPORT int UF_STYLER_create_dialog(const char *dialog_file, UF_STYLER_callback_info_t *cbs,
                                                   int number_of_cbs, void *client_data, int *response);

/* Only inside a callback. In: item_id, item_attr, subitem_index and, where
 * ambiguous, indicator. Out: count and value; release with UF_STYLER_free_value. */
extern UGOPENINTEXPORT int UF_STYLER_ask_value(int dialog_id, UF_STYLER_item_value_type_p_t value);

/* Several ask_value requests at once; *count is how many were answered. */
extern UGOPENINTEXPORT int UF_STYLER_ask_values(int dialog_id, int num_values,
                                                UF_STYLER_item_value_type_p_t values, int *count);

/* Only inside a callback. NX copies strings and arrays. */
extern UGOPENINTEXPORT int UF_STYLER_set_value(int dialog_id, UF_STYLER_item_value_type_p_t value);

/* Releases what ask_value allocated in data; succeeds when there is nothing. */
extern UGOPENINTEXPORT int UF_STYLER_free_value(UF_STYLER_item_value_type_p_t data);

/* Dialog that owns a selection, from inside a selection callback. */
extern UGOPENINTEXPORT int UF_STYLER_ask_select_dialog_id(UF_UI_selection_p_t selection_data,
                                                          UF_STYLER_dialog_id_t *dialog_id);

UF_END_C

#endif
