// Workpiece geometry groups of the electrodes, the application data of their CAM geometry items,
// and boundary data oriented by an MCS.
#ifndef MY_FUNC_CAM_WORKPIECE_H_INCLUDED
#define MY_FUNC_CAM_WORKPIECE_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_defs.h"

#define WORKPIECE_NAME "WORKPIECE_QZ"  // also the name of its template in the type TT
#define MAX_APP_DATA 1000

// Fills app_data (count pointers) with new records of NX memory, each without stock, cut stock,
// feed rate or offset, with tolerances 0.005 and the feed unit per minute. 0 after a message when
// count passes MAX_APP_DATA or memory is short (nothing is then left allocated).
int MY_init_app_data(int count, UF_CAMGEOM_app_data_p_t *app_data);
// Frees the records of MY_init_app_data and clears their pointers.
void MY_free_app_data(int count, UF_CAMGEOM_app_data_p_t *app_data);

// Appends count entities as items of one geometry type of object, each with a record of
// MY_init_app_data. 0 when the records could not be made (after MY_init_app_data's message, if
// any); a refusal by NX is reported in the listing window and gives 1.
int append_items_with_app_data(tag_t object, UF_CAM_geom_type_t type, int count, tag_t *entities);

// Appends one boundary of count curves (or edges) of one geometry type to object with the
// boundary data, each curve with a record of its own copied from member (a record that asks
// for nothing when member is null). 0 when the records could not be had (after
// MY_init_app_data's message); a refusal by NX is reported in the listing window and gives 1.
int MY_append_bnd_from_curve(tag_t object, UF_CAM_geom_type_t type, int count, tag_t *curves,
                             UF_CAMBND_boundary_data_p_t bound_data, const UF_CAMBND_app_data_t *member);

// Message tags of a workpiece's creation: the parent refused it, no memory for the body array,
// none for the application data; looked up in the catalogue of catalogue_format.
struct workpiece_messages {
    const char *catalogue_format;
    const char *refused, *no_body_array, *no_app_data;
};

// A new workpiece group (from the template "WORKPIECE_QZ" of the type TT) under parent with the
// bodies as its part geometry. 1 with *workpiece_tag, or 0 after a message (or the NX call
// report when NX refused to place it); a group that its parent refused stays unplaced, and one
// whose geometry could not be given stays without it.
int create_workpiece_of_bodies(int count, const tag_t *bodies, tag_t parent, const workpiece_messages *messages,
                               tag_t *workpiece_tag);

// The workpiece of all electrodes of the list, in list order, and of one electrode.
int MY_create_workpiece(const elec_cam_data *list, tag_t *workpiece_tag, tag_t mcs_tag);
int MY_create_single_workpiece(tag_t elec_tag, tag_t *workpiece_tag, tag_t mcs_tag);

// Boundary data in the plane of the MCS of a group (an MCS group or a group or operation under
// one): its matrix, closed boundary, automatic plane at the absolute origin, material side and
// the face flags 0, no application data. 0 when NX refused a step (reported).
int MY_set_bound_data_matrix(tag_t group_tag, UF_CAMBND_boundary_data_p_t bound_data_p);

#endif
