// Orientation and clearance plane of the electrodes' MCS, and the MCS group that carries them.
#include "my_func_cam/mcs_frame.h"

#include <cmath>
#include <cstring>

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_cam_planes.h"
#include "uf_csys.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_setup.h"
#include "uf_ui_ont.h"

namespace {

const int MATRIX_DIGITS = 2;

// Axes of the MCS by reference direction: the first when the box is at least as long along the
// first of the two axes across Z as along the second, the other otherwise.
struct direction_axes {
    int direction;
    int across[2];  // the two world axes across the MCS Z, compared in this order
    double first[9], other[9];
};

const direction_axes DIRECTION_AXES[] = {
    {1, {0, 1}, {1, 0, 0, 0, -1, 0, 0, 0, -1}, {0, 1, 0, 1, 0, 0, 0, 0, -1}},
    {-1, {0, 1}, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 1, 0, -1, 0, 0, 0, 0, 1}},
    {2, {0, 2}, {1, 0, 0, 0, 0, -1, 0, 1, 0}, {0, 0, -1, -1, 0, 0, 0, 1, 0}},
    {-2, {0, 2}, {1, 0, 0, 0, 0, 1, 0, -1, 0}, {0, 0, -1, 1, 0, 0, 0, -1, 0}},
    {3, {1, 2}, {0, 1, 0, 0, 0, -1, -1, 0, 0}, {0, 0, 1, 0, 1, 0, -1, 0, 0}},
    {-3, {1, 2}, {0, 1, 0, 0, 0, 1, 1, 0, 0}, {0, 0, -1, 0, 1, 0, 1, 0, 0}},
};

// The world axis (0 x, 1 y, 2 z) and sense of a rounded unit axis vector; 0 when it is none.
int world_axis(const double v[3], int *axis, double *sense) {
    for (int k = 0; k < 3; ++k) {
        const double a = MY_round_value(v[k], MATRIX_DIGITS);
        const double b = MY_round_value(v[(k + 1) % 3], MATRIX_DIGITS), c = MY_round_value(v[(k + 2) % 3], MATRIX_DIGITS);
        if ((a == 1.0 || a == -1.0) && b == 0.0 && c == 0.0) {
            *axis = k;
            *sense = a;
            return 1;
        }
    }
    return 0;
}

int report_message(const char *tag) { return show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, tag); }

// An object named "MCS_QZ_0" of the geometry group type; NULL_TAG when there is none.
tag_t existing_mcs(void) {
    tag_t object = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_by_name(MCS_GROUP_NAME, &object)) == 0 && object != NULL_TAG) {
        int type = 0, subtype = 0;
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) == 0 && type == UF_machining_geometry_grp_type)
            return object;
    }
    return NULL_TAG;
}

// A new MCS group placed under the geometry root and named at once, so that a later call finds
// it even when orienting it fails; 0 after a message when the root refuses it.
int new_mcs_group(tag_t *group) {
    tag_t setup = NULL_TAG, root = NULL_TAG;
    char type_name[] = "TT", subtype_name[] = MCS_GROUP_TEMPLATE;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) != 0 || setup == NULL_TAG ||
        UF_CALL(UF_SETUP_ask_geom_root(setup, &root)) != 0 || root == NULL_TAG) {
        report_message("create_camgeom_mcs_add_clear_plane_01:");
        return 0;
    }
    if (UF_CALL(UF_NCGEOM_create(type_name, subtype_name, group)) != 0 || *group == NULL_TAG) return 0;
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    if (UF_CALL(UF_NCGROUP_can_accept_member(root, *group, &accepted, reason)) != 0 || !accepted) {
        report_message("create_camgeom_mcs_add_clear_plane_01:");
        return 0;
    }
    return UF_CALL(UF_NCGROUP_accept_member(root, *group)) == 0 && UF_CALL(UF_OBJ_set_name(*group, MCS_GROUP_NAME)) == 0;
}

// The coordinate system of an MCS mode; NULL_TAG when NX refused it (reported).
tag_t mode_csys(const elec_cam_data *list, int mcs_mode, int origin_choice) {
    mcs_frame frame = {{0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1}};
    tag_t matrix = NULL_TAG, csys = NULL_TAG;
    if (mcs_mode == MCS_MODE_WCS) return UF_CALL(UF_CSYS_ask_wcs(&csys)) == 0 ? csys : NULL_TAG;
    if (mcs_mode == MCS_MODE_ELECTRODES) {
        double box_min[3] = {0, 0, 0}, box_max[3] = {0, 0, 0}, edm_center[3];
        elec_list_box(list, box_min, box_max);
        const int direction = elec_list_direction(list, edm_center);
        mcs_frame_of_electrodes(box_min, box_max, direction, edm_center, origin_choice, &frame);
    }
    if (UF_CALL(UF_CSYS_create_matrix(frame.matrix, &matrix)) != 0) return NULL_TAG;
    const int rc = mcs_mode == MCS_MODE_ELECTRODES ? UF_CALL(UF_CSYS_create_temp_csys(frame.origin, matrix, &csys))
                                                   : UF_CALL(UF_CSYS_create_csys(frame.origin, matrix, &csys));
    return rc == 0 ? csys : NULL_TAG;
}

// Orients the MCS by the coordinate system, makes that the WCS and sets the clearance plane. 0
// when NX refused the orientation or, for an axis-aligned MCS, the plane (reported); an MCS that
// is not axis-aligned gets the zero normal, which NX refuses (reported), and still counts.
int orient_mcs(tag_t mcs, tag_t csys, const elec_cam_data *list, double clear_distance) {
    double values[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    tag_t matrix = NULL_TAG;
    if (csys == NULL_TAG || UF_CALL(UF_PARAM_set_tag_value(mcs, UF_PARAM_MCS, csys)) != 0) return 0;
    UF_CALL(UF_CSYS_set_wcs(csys));
    if (UF_CALL(UF_CSYS_ask_matrix_of_object(csys, &matrix)) != 0 || UF_CALL(UF_CSYS_ask_matrix_values(matrix, values)) != 0)
        return 0;
    for (double &v : values) v = MY_round_value(v, MATRIX_DIGITS);
    double box_min[3] = {0, 0, 0}, box_max[3] = {0, 0, 0}, point[3], normal[3];
    elec_list_box(list, box_min, box_max);
    const int aligned = mcs_clear_plane(values, box_min, box_max, clear_distance, point, normal);
    return UF_CALL(UF_CAM_set_clear_plane_data(mcs, point, normal)) == 0 || !aligned;
}

}  // namespace

int elec_list_box(const elec_cam_data *list, double box_min[3], double box_max[3]) {
    for (const elec_cam_data *r = list; r; r = r->next_p) {
        for (int k = 0; k < 3; ++k) {
            box_min[k] = r == list ? r->elec_box_min[k] : std::fmin(box_min[k], r->elec_box_min[k]);
            box_max[k] = r == list ? r->elec_box_max[k] : std::fmax(box_max[k], r->elec_box_max[k]);
        }
    }
    return list != nullptr;
}

int elec_list_direction(const elec_cam_data *list, double edm_center[3]) {
    for (const elec_cam_data *r = list; r; r = r->next_p) {
        if (r->elec_direction == 0) continue;
        std::memcpy(edm_center, r->elec_edm_center, 3 * sizeof(double));
        return r->elec_direction;
    }
    std::memset(edm_center, 0, 3 * sizeof(double));
    return -1;
}

void mcs_frame_of_electrodes(const double box_min[3], const double box_max[3], int direction,
                             const double edm_center[3], int origin_choice, mcs_frame *frame) {
    const direction_axes *row = &DIRECTION_AXES[1];  // upright when the code is unknown
    for (const direction_axes &d : DIRECTION_AXES)
        if (d.direction == direction) row = &d;
    const double size_a = box_max[row->across[0]] - box_min[row->across[0]];
    const double size_b = box_max[row->across[1]] - box_min[row->across[1]];
    std::memcpy(frame->matrix, size_a >= size_b ? row->first : row->other, sizeof frame->matrix);
    int z_axis = 2;
    double sense = 1.0;
    world_axis(frame->matrix + 6, &z_axis, &sense);
    for (int k = 0; k < 3; ++k) frame->origin[k] = (box_min[k] + box_max[k]) / 2.0;
    if (origin_choice == 0) frame->origin[z_axis] = sense > 0 ? box_max[z_axis] : box_min[z_axis];
    else if (origin_choice == 1) frame->origin[z_axis] = edm_center[z_axis];
    else frame->origin[z_axis] = sense > 0 ? box_min[z_axis] : box_max[z_axis];
}

int mcs_clear_plane(const double matrix[9], const double box_min[3], const double box_max[3], double distance,
                    double point[3], double normal[3]) {
    std::memset(point, 0, 3 * sizeof(double));
    std::memset(normal, 0, 3 * sizeof(double));
    int x_axis = 0, z_axis = 0;
    double x_sense = 0.0, sense = 0.0;
    if (!world_axis(matrix + 6, &z_axis, &sense) || !world_axis(matrix, &x_axis, &x_sense) || x_axis == z_axis) return 0;
    normal[z_axis] = sense;
    point[z_axis] = sense > 0 ? box_max[z_axis] + distance : box_min[z_axis] - distance;
    return 1;
}

int create_camgeom_mcs_add_clear_plane(const elec_cam_data *list, tag_t *mcs_tag, int mcs_mode, int origin_choice,
                                       double clear_distance) {
    const tag_t existing = existing_mcs();
    if (existing != NULL_TAG) {
        *mcs_tag = existing;
        return 1;
    }
    tag_t mcs = NULL_TAG;
    if (!new_mcs_group(&mcs) || !orient_mcs(mcs, mode_csys(list, mcs_mode, origin_choice), list, clear_distance))
        return 0;
    UF_CALL(UF_UI_ONT_refresh());
    *mcs_tag = mcs;
    return 1;
}
