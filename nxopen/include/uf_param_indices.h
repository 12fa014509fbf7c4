/* Indices of CAM object parameters for the UF_PARAM_ask / set calls, with the
 * value types and records they use. Lengths are in part units, angles in
 * radians unless stated. The numbers are stable across releases. */
#ifndef UF_PARAM_INDICES_H_INCLUDED
#define UF_PARAM_INDICES_H_INCLUDED

#include "uf_defs.h"

/* Feed rates: read and written with UF_PARAM_ask/set_subobj_ptr_value and a
 * UF_PARAM_feedrate_t in caller memory. */
#define UF_PARAM_FEED_SIDE_CUT 9
#define UF_PARAM_FEED_RAPID 10
#define UF_PARAM_FEED_ENGAGE 11
#define UF_PARAM_FEED_RETRACT 12
#define UF_PARAM_FEED_APPROACH 13
#define UF_PARAM_FEED_DEPARTURE 14
#define UF_PARAM_FEED_RETURN 15
#define UF_PARAM_FEED_TRAVERSAL 16
#define UF_PARAM_FEED_CUT 17
#define UF_PARAM_FEED_FIRST_CUT 18

#define UF_PARAM_MCS 59                      /* tag: machine coordinate system */
#define UF_PARAM_TOL_IN_OUT 109              /* 2d: intol, outtol */

/* Stocks (double). */
#define UF_PARAM_STOCK_DRIVE 54
#define UF_PARAM_STOCK_FLOOR 264
#define UF_PARAM_STOCK_PART 265              /* part side stock */
#define UF_PARAM_STOCK_BLANK 318
#define UF_PARAM_STOCK_CHECK 330
#define UF_PARAM_STOCK_PART_USE 346          /* int: UF_PARAM_stock_part_use_* */
#define UF_PARAM_STOCK_WALL 3018

/* Stepover. */
#define UF_PARAM_STEPOVER_TYPE 270           /* int: UF_PARAM_stepover_type_* */
#define UF_PARAM_STEPOVER_SCALLOP 271        /* double */
#define UF_PARAM_STEPOVER_DIST 272           /* double, used with a constant stepover */
#define UF_PARAM_STEPOVER_PERCENT 273        /* double, percent of tool diameter */

#define UF_PARAM_DRIVE_METHOD 291            /* int: UF_PARAM_dpm_type_t, drive method of fixed contour */
#define UF_PARAM_CUT_METHOD 300              /* int: UF_PARAM_cut_method_* */
#define UF_PARAM_FLOOR 3007                  /* tag: floor plane, a smart plane object (transform) */

/* Cut levels. */
#define UF_PARAM_CUTLEV_MAX_DEPTH 312
#define UF_PARAM_CUTLEV_MIN_DEPTH 313
#define UF_PARAM_CUTLEV_DEPTH_PER_CUT 336
#define UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH 342 /* global depth per cut of ranges */
#define UF_PARAM_CUTLEV_RANGE_TYPE 5400      /* int, read only: UF_PARAM_clv_range_type_t */
#define UF_PARAM_CUTLEV_RANGE_SUBDIV_TYPE 5401 /* int: 0 equalise, 1 bottoms only, 2 optimal */
#define UF_PARAM_CUTLEV_TOP_OFF_MODE 5402    /* int: 0 off, 1 on */

/* Tool (cutter) dimensions and numbers. */
#define UF_PARAM_TL_DIAMETER 1000
#define UF_PARAM_TL_HEIGHT 1001              /* tool length */
#define UF_PARAM_TL_FLUTE_LN 1002
#define UF_PARAM_TL_TAPER_ANG 1003           /* radians */
#define UF_PARAM_TL_TIP_ANG 1004             /* radians */
#define UF_PARAM_TL_COR1_RAD 1005            /* lower corner radius */
#define UF_PARAM_TL_NUM_FLUTES 1017          /* int */
#define UF_PARAM_TL_Z_OFFSET 1034
#define UF_PARAM_TL_NUMBER 1038              /* int */
#define UF_PARAM_TL_ADJ_REG 1040             /* int: length adjust register */
#define UF_PARAM_TL_CUTCOM_REG 1041          /* int: cutter compensation register */
#define UF_PARAM_TL_ADJ_REG_TOG 1107
#define UF_PARAM_TL_Z_OFFSET_TOG 1160        /* int: 0 inactive, 1 active */

/* Spindle. */
#define UF_PARAM_SPINDLE_RPM 4005            /* double */
#define UF_PARAM_SPINDLE_RPM_TOG 4013

enum UF_PARAM_feed_unit_e { /* unverified: tag name */
    UF_PARAM_feed_none,
    UF_PARAM_feed_per_minute,
    UF_PARAM_feed_per_revolution
};
typedef enum UF_PARAM_feed_unit_e UF_PARAM_feed_unit_t;

/* Value of the UF_PARAM_FEED_* parameters. */
struct UF_PARAM_feedrate_s {
    UF_PARAM_feed_unit_t unit;
    double value;
    short color;
};
typedef struct UF_PARAM_feedrate_s UF_PARAM_feedrate_t;

/* UF_PARAM_CUTLEV_RANGE_TYPE; change it with UF_CUT_LEVELS_set_range_type. */
enum UF_PARAM_clv_range_type_e { /* unverified: tag name */
    UF_PARAM_clv_range_auto_generate,
    UF_PARAM_clv_range_user_defined,
    UF_PARAM_clv_range_single
};
typedef enum UF_PARAM_clv_range_type_e UF_PARAM_clv_range_type_t;

/* UF_PARAM_STOCK_PART_USE. */
enum UF_PARAM_stock_part_use_e { /* unverified: tag and typedef names */
    UF_PARAM_stock_part_use_as_is,
    UF_PARAM_stock_part_use_floor_same_as_side
};
typedef enum UF_PARAM_stock_part_use_e UF_PARAM_stock_part_use_t;

/* UF_PARAM_STEPOVER_TYPE. */
enum UF_PARAM_stepover_type_e { /* unverified: tag, typedef and names after the first */
    UF_PARAM_stepover_type_none,
    UF_PARAM_stepover_type_constant,
    UF_PARAM_stepover_type_scallop_height,
    UF_PARAM_stepover_type_variable,
    UF_PARAM_stepover_type_percent_tool_diameter,
    UF_PARAM_stepover_type_number,
    UF_PARAM_stepover_type_angular,
    UF_PARAM_stepover_type_use_depth_of_cut
};
typedef enum UF_PARAM_stepover_type_e UF_PARAM_stepover_type_t;

/* UF_PARAM_CUT_METHOD. */
enum UF_PARAM_cut_method_e {
    UF_PARAM_cut_method_undefined,
    UF_PARAM_cut_method_zig_zag,
    UF_PARAM_cut_method_zig,
    UF_PARAM_cut_method_zig_with_contour,
    UF_PARAM_cut_method_follow_periphery,
    UF_PARAM_cut_method_profile,
    UF_PARAM_cut_method_standard_drive,
    UF_PARAM_cut_method_follow_part,
    UF_PARAM_cut_method_mixed,
    UF_PARAM_cut_method_trochoidal,
    UF_PARAM_cut_method_spiral,
    UF_PARAM_cut_method_helical
};
typedef enum UF_PARAM_cut_method_e UF_PARAM_cut_method_t;

/* UF_PARAM_DRIVE_METHOD. */
typedef enum {
    UF_PARAM_dpm_type_none = 0,
    UF_PARAM_dpm_type_point = 10,
    UF_PARAM_dpm_type_curve = 20,
    UF_PARAM_dpm_type_surface = 30,
    UF_PARAM_dpm_type_interpolated_tool_path = 35,
    UF_PARAM_dpm_type_boundary = 40,
    UF_PARAM_dpm_type_path = 50,
    UF_PARAM_dpm_type_radial = 60,
    UF_PARAM_dpm_type_spiral = 70,
    UF_PARAM_dpm_type_helical = 80,
    UF_PARAM_dpm_type_user_defined = 90,
    UF_PARAM_dpm_type_area_milling = 100,
    UF_PARAM_dpm_type_text = 110, /* engraves drafting notes (UF_CAMTEXT) */
    UF_PARAM_dpm_type_contour_milling = 120
} UF_PARAM_dpm_type_t;

#endif
