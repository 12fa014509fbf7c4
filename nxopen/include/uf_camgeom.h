/* CAM geometry of operations and geometry groups: part, blank, check, cut
 * area ... items (bodies, faces, curves), each with optional application
 * data, and custom points (pre-drill and cut-region start points). */
#ifndef UF_CAMGEOM_H_INCLUDED
#define UF_CAMGEOM_H_INCLUDED

#include "uf_cam.h"
#include "uf_defs.h"

/* Handles of items; valid until the item is deleted. */
typedef void *UF_CAMGEOM_item_t;
typedef void *UF_CAMGEOM_list_t;

/* Data of one item; a has_* flag of 0 leaves its value unused. Layout of NX 9
 * and later. */
struct UF_CAMGEOM_app_data_s {
    int has_stock;
    double stock;
    int has_cut_stock;
    double cut_stock[3]; /* initial, final, safe clearance */
    int has_tolerances;
    double tolerances[2]; /* intol, outtol */
    int has_feedrate;
    UF_CAM_feedrate_unit_t feedrate_unit;
    double feedrate_value;
    int has_offset;
    int offsetType; /* 0 distance, 1 percent of the tool */
    double nominalOffset;
    double offset;
    int has_avoidance_type;
    UF_CAM_avoidance_type_t avoidance_type;
};
typedef struct UF_CAMGEOM_app_data_s UF_CAMGEOM_app_data_t, *UF_CAMGEOM_app_data_p_t;

enum UF_CAMGEOM_custom_point_type_e {
    UF_CAMGEOM_predrill_engage_type,
    UF_CAMGEOM_cut_region_start_type
};
typedef enum UF_CAMGEOM_custom_point_type_e UF_CAMGEOM_custom_point_type_t;

struct UF_CAMGEOM_custom_point_s {
    tag_t point_tag;    /* a point object, or NULL_TAG to use point_acs */
    double point_acs[3];
    double upper_depth; /* cut-region start points of planar and cavity milling */
    double lower_depth;
    double depth;       /* pre-drill points */
};
typedef struct UF_CAMGEOM_custom_point_s UF_CAMGEOM_custom_point_t, *UF_CAMGEOM_custom_point_p_t;

UF_BEGIN_C

/* Appends count entities as items of one geometry type; app_data is an array
 * of count pointers, NULL or a NULL entry meaning no data (unverified). An
 * entity of the wrong kind appends nothing. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_append_items(tag_t object_tag, UF_CAM_geom_type_t geometry_type, int count,
                                                  tag_t *entity_list, UF_CAMGEOM_app_data_p_t *app_data);

/* The object's own items of one type; *items is freed with UF_free. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_ask_items(tag_t object_tag, UF_CAM_geom_type_t geometry_type, int *count,
                                               UF_CAMGEOM_item_t **items);
extern UFUN_CAMEXPORT int UF_CAMGEOM_ask_item_entity(UF_CAMGEOM_item_t item, tag_t *entity);

/* Fills the caller's record. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_ask_item_app_data(UF_CAMGEOM_item_t item, UF_CAMGEOM_app_data_t *app_data);
extern UFUN_CAMEXPORT int UF_CAMGEOM_set_item_app_data(tag_t object_tag, UF_CAM_geom_type_t geometry_type,
                                                       UF_CAMGEOM_item_t item, UF_CAMGEOM_app_data_p_t app_data);
extern UFUN_CAMEXPORT int UF_CAMGEOM_delete_item(tag_t object_tag, UF_CAM_geom_type_t geometry_type,
                                                 UF_CAMGEOM_item_t item);

/* Deletes every item of one type. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_delete_geometry(tag_t object_tag, UF_CAM_geom_type_t geometry_type);

/* point_data is an array of count pointers; NX copies the records. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_append_custom_points(tag_t object_tag, UF_CAMGEOM_custom_point_type_t point_type,
                                                          int count, UF_CAMGEOM_custom_point_p_t *point_data);

/* *point_data: an array of *count records; the caller frees each record and
 * the array with UF_free. */
extern UFUN_CAMEXPORT int UF_CAMGEOM_ask_custom_points(tag_t object_tag, UF_CAMGEOM_custom_point_type_t point_type,
                                                       int *count, UF_CAMGEOM_custom_point_p_t **point_data);
extern UFUN_CAMEXPORT int UF_CAMGEOM_delete_custom_points(tag_t object_tag,
                                                          UF_CAMGEOM_custom_point_type_t point_type);

UF_END_C

#endif
