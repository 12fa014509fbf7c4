// Workpiece groups, CAM geometry application data and boundary data of an MCS.
#include "my_func_cam/workpiece.h"

#include <cstring>

#include "my_func/my_func.h"
#include "my_func/nx_memory.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_ncgroup.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_setup.h"
#include "uf_ui_ont.h"

namespace {

const double ITEM_TOLERANCE = 0.005;
const double ITEM_FEED_RATE = 1000.0;

const workpiece_messages WORKPIECE_MESSAGES = {MY_FUNC_CAM_LANG_FORMAT, "MY_create_workpiec_01:", "MY_create_workpiec_02:",
                                               "MY_create_workpiec_03:"};

}  // namespace

int MY_init_app_data(int count, UF_CAMGEOM_app_data_p_t *app_data) {
    if (count > MAX_APP_DATA) {
        show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_init_app_dat_02:");
        return 0;
    }
    for (int i = 0; i < count; ++i) app_data[i] = nullptr;
    for (int i = 0; i < count; ++i) {
        int error = 0;
        auto *record = static_cast<UF_CAMGEOM_app_data_p_t>(UF_allocate_memory(sizeof(UF_CAMGEOM_app_data_t), &error));
        if (error != 0 || !record) {
            MY_free_app_data(count, app_data);
            show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_init_app_dat_01:");
            return 0;
        }
        std::memset(record, 0, sizeof *record);
        record->tolerances[0] = record->tolerances[1] = ITEM_TOLERANCE;
        record->feedrate_unit = UF_CAM_feedrate_unit_per_minute;
        record->feedrate_value = ITEM_FEED_RATE;
        record->avoidance_type = UF_CAM_avoidance_type_warning;
        app_data[i] = record;
    }
    return 1;
}

void MY_free_app_data(int count, UF_CAMGEOM_app_data_p_t *app_data) {
    for (int i = 0; app_data && i < count; ++i) {
        if (app_data[i]) UF_free(app_data[i]);
        app_data[i] = nullptr;
    }
}

int append_items_with_app_data(tag_t object, UF_CAM_geom_type_t type, int count, tag_t *entities) {
    nx_array<UF_CAMGEOM_app_data_p_t> records;
    if (!records.allocate(count) || !MY_init_app_data(count, records.get())) return 0;
    if (count > 0) UF_CALL(UF_CAMGEOM_append_items(object, type, count, entities, records.get()));
    MY_free_app_data(count, records.get());
    return 1;
}

int MY_append_bnd_from_curve(tag_t object, UF_CAM_geom_type_t type, int count, tag_t *curves,
                             UF_CAMBND_boundary_data_p_t bound_data, const UF_CAMBND_app_data_t *member) {
    if (count > MAX_APP_DATA) {
        show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_init_app_dat_02:");
        return 0;
    }
    nx_array<UF_CAMBND_app_data_p_t> records;
    if (!records.allocate(count)) {
        show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_init_app_dat_01:");
        return 0;
    }
    int made = 0;
    for (; made < count; ++made) {
        int error = 0;
        auto *record = static_cast<UF_CAMBND_app_data_p_t>(UF_allocate_memory(sizeof(UF_CAMBND_app_data_t), &error));
        if (error != 0 || !record) break;
        if (member) *record = *member;
        else std::memset(record, 0, sizeof *record);
        records[made] = record;
    }
    if (made == count) UF_CALL(UF_CAMBND_append_bnd_from_curve(object, type, count, curves, bound_data, records.get()));
    else show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_init_app_dat_01:");
    for (int i = 0; i < made; ++i) UF_free(records[i]);
    return made == count;
}

int create_workpiece_of_bodies(int count, const tag_t *bodies, tag_t parent, const workpiece_messages *messages,
                               tag_t *workpiece_tag) {
    tag_t setup = NULL_TAG, workpiece = NULL_TAG;
    char type_name[] = "TT", subtype_name[] = WORKPIECE_NAME;
    UF_CALL(UF_SETUP_ask_setup(&setup));
    if (UF_CALL(UF_NCGEOM_create(type_name, subtype_name, &workpiece)) != 0 || workpiece == NULL_TAG) return 0;
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    if (parent == NULL_TAG || UF_CALL(UF_NCGROUP_can_accept_member(parent, workpiece, &accepted, reason)) != 0 ||
        !accepted) {
        show_catalogue_text(messages->catalogue_format, messages->refused);
        return 0;
    }
    if (UF_CALL(UF_NCGROUP_accept_member(parent, workpiece)) != 0) return 0;
    nx_array<tag_t> entities;
    if (!entities.allocate(count)) {
        show_catalogue_text(messages->catalogue_format, messages->no_body_array);
        return 0;
    }
    for (int i = 0; i < count; ++i) entities[i] = bodies[i];
    if (!append_items_with_app_data(workpiece, UF_CAM_part, count, entities.get())) {
        show_catalogue_text(messages->catalogue_format, messages->no_app_data);
        return 0;
    }
    *workpiece_tag = workpiece;
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int MY_create_workpiece(const elec_cam_data *list, tag_t *workpiece_tag, tag_t mcs_tag) {
    int count = 0;
    for (const elec_cam_data *r = list; r; r = r->next_p) ++count;
    nx_array<tag_t> bodies;
    if (!bodies.allocate(count)) {
        show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, "MY_create_workpiec_02:");
        return 0;
    }
    int i = 0;
    for (const elec_cam_data *r = list; r; r = r->next_p) bodies[i++] = r->elec_tag;
    return create_workpiece_of_bodies(count, bodies.get(), mcs_tag, &WORKPIECE_MESSAGES, workpiece_tag);
}

int MY_create_single_workpiece(tag_t elec_tag, tag_t *workpiece_tag, tag_t mcs_tag) {
    return create_workpiece_of_bodies(1, &elec_tag, mcs_tag, &WORKPIECE_MESSAGES, workpiece_tag);
}

int MY_set_bound_data_matrix(tag_t group_tag, UF_CAMBND_boundary_data_p_t bound_data_p) {
    tag_t csys = NULL_TAG, matrix = NULL_TAG;
    if (UF_CALL(UF_PARAM_ask_tag_value(group_tag, UF_PARAM_MCS, &csys)) != 0 || csys == NULL_TAG) return 0;
    if (UF_CALL(UF_CSYS_ask_matrix_of_object(csys, &matrix)) != 0 || matrix == NULL_TAG) return 0;
    if (UF_CALL(UF_CSYS_ask_matrix_values(matrix, bound_data_p->matrix)) != 0) return 0;
    bound_data_p->boundary_type = UF_CAM_boundary_type_closed;
    bound_data_p->plane_type = 1;
    std::memset(bound_data_p->origin, 0, sizeof bound_data_p->origin);
    bound_data_p->material_side = UF_CAM_material_side_undefined;
    bound_data_p->ignore_holes = bound_data_p->ignore_islands = bound_data_p->ignore_chamfers = 0;
    bound_data_p->app_data = nullptr;
    return 1;
}
