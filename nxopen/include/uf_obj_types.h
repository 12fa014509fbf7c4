/* Types and constants of the object calls in uf_obj.h. */
#ifndef UF_OBJ_TYPES_H_INCLUDED
#define UF_OBJ_TYPES_H_INCLUDED

#include "uf_defs.h"

/* Blank status (UF_OBJ_set_blank_status, disp_props.blank_status). */
#define UF_OBJ_NOT_BLANKED 0
#define UF_OBJ_BLANKED 1

/* Object life status (UF_OBJ_ask_status). */
#define UF_OBJ_DELETED 0
#define UF_OBJ_TEMPORARY 1
#define UF_OBJ_CONDEMNED 2
#define UF_OBJ_ALIVE 3

#define UF_OBJ_WIDTH_NORMAL 0
#define UF_OBJ_FONT_SOLID 1
#define UF_OBJ_COLOR_ORIGINAL (-1)

/* Legacy colour indices of the default colour table. */
#define UF_OBJ_LEGACY_BLUE 1
#define UF_OBJ_LEGACY_GREEN 2
#define UF_OBJ_LEGACY_CYAN 3
#define UF_OBJ_LEGACY_RED 4
#define UF_OBJ_LEGACY_MAGENTA 5
#define UF_OBJ_LEGACY_YELLOW 6
#define UF_OBJ_LEGACY_WHITE 7
#define UF_OBJ_LEGACY_OLIVE 8
#define UF_OBJ_LEGACY_PINK 9
#define UF_OBJ_LEGACY_BROWN 10
#define UF_OBJ_LEGACY_ORANGE 11
#define UF_OBJ_LEGACY_PURPLE 12
#define UF_OBJ_LEGACY_DARK_RED 13
#define UF_OBJ_LEGACY_AQUAMARINE 14
#define UF_OBJ_LEGACY_GRAY 15

#define UF_OBJ_BLUE UF_OBJ_LEGACY_BLUE
#define UF_OBJ_GREEN UF_OBJ_LEGACY_GREEN
#define UF_OBJ_CYAN UF_OBJ_LEGACY_CYAN
#define UF_OBJ_RED UF_OBJ_LEGACY_RED
#define UF_OBJ_MAGENTA UF_OBJ_LEGACY_MAGENTA
#define UF_OBJ_YELLOW UF_OBJ_LEGACY_YELLOW
#define UF_OBJ_WHITE UF_OBJ_LEGACY_WHITE
#define UF_OBJ_OLIVE UF_OBJ_LEGACY_OLIVE
#define UF_OBJ_PINK UF_OBJ_LEGACY_PINK
#define UF_OBJ_BROWN UF_OBJ_LEGACY_BROWN
#define UF_OBJ_ORANGE UF_OBJ_LEGACY_ORANGE
#define UF_OBJ_PURPLE UF_OBJ_LEGACY_PURPLE
#define UF_OBJ_DARK_RED UF_OBJ_LEGACY_DARK_RED
#define UF_OBJ_AQUAMARINE UF_OBJ_LEGACY_AQUAMARINE
#define UF_OBJ_GRAY UF_OBJ_LEGACY_GRAY

/* Display properties of one object, filled by UF_OBJ_ask_display_properties. */
struct UF_OBJ_disp_props_s {
    int layer;
    int color;
    int blank_status;  /* UF_OBJ_NOT_BLANKED / UF_OBJ_BLANKED */
    int line_width;
    int font;
    logical highlight_status;
};
typedef struct UF_OBJ_disp_props_s UF_OBJ_disp_props_t, *UF_OBJ_disp_props_p_t;

#endif
