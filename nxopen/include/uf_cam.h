/* CAM session and the enumerations shared by the CAM calls.
 *
 * The CAM session must be initialised before any other CAM call; it reads its
 * configuration from UGII_CAM_CONFIG. */
#ifndef UF_CAM_H_INCLUDED
#define UF_CAM_H_INCLUDED

#include "uf_defs.h"

/* Kind of geometry a CAM object holds. */
enum UF_CAM_geom_type_e {
    UF_CAM_part,
    UF_CAM_blank,
    UF_CAM_check,
    UF_CAM_trim,
    UF_CAM_cut_area,
    UF_CAM_wall,
    UF_CAM_drive
};
typedef enum UF_CAM_geom_type_e UF_CAM_geom_type_t;

/* What to do when the tool would touch check geometry. */
enum UF_CAM_avoidance_type_e {
    UF_CAM_avoidance_type_none,
    UF_CAM_avoidance_type_warning,
    UF_CAM_avoidance_type_stepover,
    UF_CAM_avoidance_type_lift
};
typedef enum UF_CAM_avoidance_type_e UF_CAM_avoidance_type_t;

enum UF_CAM_feedrate_unit_e {
    UF_CAM_feedrate_unit_none,
    UF_CAM_feedrate_unit_per_minute,
    UF_CAM_feedrate_unit_per_revolution
};
typedef enum UF_CAM_feedrate_unit_e UF_CAM_feedrate_unit_t;

/* Tool position against a boundary member. */
enum UF_CAM_tool_position_e {
    UF_CAM_tool_position_undefined,
    UF_CAM_tool_position_on,
    UF_CAM_tool_position_tanto
};
typedef enum UF_CAM_tool_position_e UF_CAM_tool_position_t;

enum UF_CAM_boundary_type_e {
    UF_CAM_boundary_type_closed,
    UF_CAM_boundary_type_open
};
typedef enum UF_CAM_boundary_type_e UF_CAM_boundary_type_t;

/* Side of a boundary the material is on. */
enum UF_CAM_material_side_e {
    UF_CAM_material_side_undefined,
    UF_CAM_material_side_in_left,   /* inside if closed, left if open */
    UF_CAM_material_side_out_right  /* outside if closed, right if open */
};
typedef enum UF_CAM_material_side_e UF_CAM_material_side_t;

/* Classes of templates a configuration type offers (UF_CAM_opt_ask_subtypes). */
enum UF_CAM_opt_stype_cls_e { /* unverified: tag name */
    UF_CAM_OPT_STYPE_CLS_SETUP,
    UF_CAM_OPT_STYPE_CLS_OPER,
    UF_CAM_OPT_STYPE_CLS_PROG,
    UF_CAM_OPT_STYPE_CLS_TOOL,
    UF_CAM_OPT_STYPE_CLS_METHOD,
    UF_CAM_OPT_STYPE_CLS_GEOM,
    UF_CAM_OPT_STYPE_CLS_LAST
};
typedef enum UF_CAM_opt_stype_cls_e UF_CAM_opt_stype_cls_t;

/* How the blank of a workpiece or operation is made (UF_CAM_set_auto_blank). */
enum UF_CAM_blank_geom_type_e { /* unverified: tag name */
    UF_CAM_feature_geom_type,
    UF_CAM_geometry_geom_type,
    UF_CAM_facet_geom_type,
    UF_CAM_auto_block_type,      /* the part's box along the MCS, grown by the offsets */
    UF_CAM_offset_from_part_type /* the part grown by offset[0] */
};
typedef enum UF_CAM_blank_geom_type_e UF_CAM_blank_geom_type_t;

UF_BEGIN_C

/* *answer is true once a CAM session exists. */
extern UFUN_CAMEXPORT int UF_CAM_is_session_initialized(logical *answer);

/* Starts the CAM session from UGII_CAM_CONFIG, ending an existing one first. */
extern UFUN_CAMEXPORT int UF_CAM_init_session(void);

/* Names of the configuration types (library parts) of the session; the
 * caller frees the array and its names with UF_free_string_array. */
extern UFUN_CAMEXPORT int UF_CAM_opt_ask_types(int *count, const char ***type_names);

/* Names of the templates of one class that a type offers; freed as above. */
extern UFUN_CAMEXPORT int UF_CAM_opt_ask_subtypes(const char *opt_type_name, UF_CAM_opt_stype_cls_t subtype_class,
                                                  int *count, const char ***subtypes);

/* Adds a library part as a configuration type named after its file (the
 * name without folder and extension). */
extern UFUN_CAMEXPORT int UF_CAM_opt_add_type(const char *filespec);

/* Blank of a workpiece group or an operation. For UF_CAM_auto_block_type the
 * offsets grow the box: [0] +XM, [1] -XM, [2] +YM, [3] -YM, [4] +ZM, [5] -ZM;
 * for UF_CAM_offset_from_part_type only offset[0] counts. */
extern UFUN_CAMEXPORT int UF_CAM_set_auto_blank(tag_t object_tag, UF_CAM_blank_geom_type_t geom_type,
                                                double offset[6]);
extern UFUN_CAMEXPORT int UF_CAM_ask_auto_blank(tag_t object_tag, UF_CAM_blank_geom_type_t *geom_type,
                                                double offset[6]);

UF_END_C

#endif
