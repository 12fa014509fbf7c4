/* Boundaries of planar and face milling operations: closed or open chains of
 * edges and curves in a plane, made from a planar face (one boundary per
 * loop) or from a list of curves, each with optional application data. */
#ifndef UF_CAMBND_H_INCLUDED
#define UF_CAMBND_H_INCLUDED

#include "uf_cam.h"
#include "uf_defs.h"

/* Handles of boundaries and of their members; valid until deleted. */
typedef void *UF_CAMBND_boundary_t;
typedef void *UF_CAMBND_item_t;

/* Data of a whole boundary or of one member; a has_* flag of 0 leaves its
 * value unused. */
struct UF_CAMBND_app_data_s {
    int has_stock;
    double stock;
    int has_tolerances;
    double tolerances[2]; /* intol, outtol */
    int has_feedrate;
    UF_CAM_feedrate_unit_t feedrate_unit;
    double feedrate_value;
    int has_blank_distance;
    double blank_distance;
    int has_tool_position;
    UF_CAM_tool_position_t tool_position;
};
typedef struct UF_CAMBND_app_data_s UF_CAMBND_app_data_t, *UF_CAMBND_app_data_p_t;

struct UF_CAMBND_boundary_data_s {
    UF_CAM_boundary_type_t boundary_type; /* ignored for faces: always closed */
    int plane_type;                       /* 0 user defined (origin, matrix), 1 automatic */
    double origin[3];
    double matrix[9];                     /* rows: X, Y, Z axis of the plane */
    UF_CAM_material_side_t material_side;
    int ignore_holes;                     /* these three only for faces */
    int ignore_islands;
    int ignore_chamfers;
    UF_CAMBND_app_data_t *app_data;       /* NULL: none */
};
typedef struct UF_CAMBND_boundary_data_s UF_CAMBND_boundary_data_t, *UF_CAMBND_boundary_data_p_t;

UF_BEGIN_C

/* One boundary per loop of a planar face, the outer loop first. */
extern UFUN_CAMEXPORT int UF_CAMBND_append_bnd_from_face(tag_t object_tag, UF_CAM_geom_type_t type, tag_t face,
                                                         UF_CAMBND_boundary_data_p_t boundary_data);

/* One boundary through count edges or curves; app_data: count member
 * pointers or NULL. */
extern UFUN_CAMEXPORT int UF_CAMBND_append_bnd_from_curve(tag_t object_tag, UF_CAM_geom_type_t type, int count,
                                                          tag_t *curves, UF_CAMBND_boundary_data_p_t boundary_data,
                                                          UF_CAMBND_app_data_p_t *app_data);

/* *boundaries is freed with UF_free. */
extern UFUN_CAMEXPORT int UF_CAMBND_ask_boundaries(tag_t object_tag, UF_CAM_geom_type_t type, int *count,
                                                   UF_CAMBND_boundary_t **boundaries);

/* Fills the caller's record; its app_data is set to NULL. */
extern UFUN_CAMEXPORT int UF_CAMBND_ask_boundary_data(UF_CAMBND_boundary_t boundary,
                                                      UF_CAMBND_boundary_data_t *boundary_data);

/* Members of a boundary; *items is freed with UF_free. */
extern UFUN_CAMEXPORT int UF_CAMBND_ask_boundary_items(UF_CAMBND_boundary_t boundary, int *count,
                                                       UF_CAMBND_item_t **items);
extern UFUN_CAMEXPORT int UF_CAMBND_ask_item_entity(UF_CAMBND_item_t item, tag_t *entity);

/* Puts the boundary in the plane of origin and the rows of bnd_matrix. */
extern UFUN_CAMEXPORT int UF_CAMBND_set_boundary_plane(UF_CAMBND_boundary_t boundary, double bnd_origin[3],
                                                       double bnd_matrix[9]);

extern UFUN_CAMEXPORT int UF_CAMBND_delete_boundaries(tag_t object_tag, UF_CAM_geom_type_t type);
extern UFUN_CAMEXPORT int UF_CAMBND_delete_boundary(tag_t object_tag, UF_CAM_geom_type_t type,
                                                    UF_CAMBND_boundary_t boundary);

UF_END_C

#endif
