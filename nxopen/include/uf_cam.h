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

UF_BEGIN_C

/* *answer is true once a CAM session exists. */
extern UFUN_CAMEXPORT int UF_CAM_is_session_initialized(logical *answer);

/* Starts the CAM session from UGII_CAM_CONFIG, ending an existing one first. */
extern UFUN_CAMEXPORT int UF_CAM_init_session(void);

UF_END_C

#endif
