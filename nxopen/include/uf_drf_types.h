/* Types of the drafting calls in uf_drf.h: lettering of annotation text. */
#ifndef UF_DRF_TYPES_H_INCLUDED
#define UF_DRF_TYPES_H_INCLUDED

#include "uf_defs.h"

/* Horizontal justification of the lines of a text against each other. */
enum UF_DRF_text_just_e {
    UF_DRF_TEXT_LEFT = 1,
    UF_DRF_TEXT_CENTER = 2,
    UF_DRF_TEXT_RIGHT = 3
};
typedef enum UF_DRF_text_just_e UF_DRF_text_just_t;

/* Which of the nine points of the text's rectangle the origin of an
 * annotation is. */
enum UF_DRF_align_position_e {
    UF_DRF_ALIGN_TOP_LEFT = 1,
    UF_DRF_ALIGN_TOP_CENTER = 2,
    UF_DRF_ALIGN_TOP_RIGHT = 3,
    UF_DRF_ALIGN_MID_LEFT = 4,
    UF_DRF_ALIGN_MID_CENTER = 5,
    UF_DRF_ALIGN_MID_RIGHT = 6,
    UF_DRF_ALIGN_BOTTOM_LEFT = 7,
    UF_DRF_ALIGN_BOTTOM_CENTER = 8,
    UF_DRF_ALIGN_BOTTOM_RIGHT = 9
};
typedef enum UF_DRF_align_position_e UF_DRF_align_position_t;

/* Line and text weights: the three classic ones and the nine numbered ones;
 * 4 and 5 are no width. */
enum UF_DRF_line_width_e {
    UF_DRF_NORMAL = 1,
    UF_DRF_THICK = 2,
    UF_DRF_THIN = 3,
    UF_DRF_THICKNESS_ONE = 6,
    UF_DRF_THICKNESS_TWO = 7,
    UF_DRF_THICKNESS_THREE = 8,
    UF_DRF_THICKNESS_FOUR = 9,
    UF_DRF_THICKNESS_FIVE = 10,
    UF_DRF_THICKNESS_SIX = 11,
    UF_DRF_THICKNESS_SEVEN = 12,
    UF_DRF_THICKNESS_EIGHT = 13,
    UF_DRF_THICKNESS_NINE = 14
};
typedef enum UF_DRF_line_width_e UF_DRF_line_width_t;

/* Colour, font (an index of the part's font table) and weight of a text. */
struct UF_DRF_text_cfw_s {
    int color;
    int font;
    UF_DRF_line_width_t width;
};
typedef struct UF_DRF_text_cfw_s UF_DRF_text_cfw_t, *UF_DRF_text_cfw_p_t;

/* Lettering of one class of text. size is the character height in part
 * units; aspect_ratio a character's width over its height; the two factors
 * scale the font's own character and line spacing. */
struct UF_DRF_lettering_s {
    double size;
    double character_space_factor;
    double aspect_ratio;
    double line_space_factor;
    UF_DRF_text_cfw_t cfw;
};
typedef struct UF_DRF_lettering_s UF_DRF_lettering_t, *UF_DRF_lettering_p_t;

/* The lettering preferences of the work part. general_text is the lettering
 * of notes and other drafting aids; angle (degrees, unverified) turns general
 * text in its plane. */
struct UF_DRF_lettering_preferences_s {
    UF_DRF_align_position_t align_position;
    UF_DRF_text_just_t horiz_text_just;
    double gdt_frame_height_factor;
    double angle;
    UF_DRF_lettering_t dimension_text;
    UF_DRF_lettering_t appended_text;
    UF_DRF_lettering_t tolerance_text;
    UF_DRF_lettering_t general_text;
    double dim_dim_line_space_factor;
    double dim_app_text_space_factor;
    double dim_tol_text_space_factor;
};
typedef struct UF_DRF_lettering_preferences_s UF_DRF_lettering_preferences_t,
    *UF_DRF_lettering_preferences_p_t;

#endif
