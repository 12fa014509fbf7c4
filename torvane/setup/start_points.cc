// Cut region start points of the electrodes and of the user.
#include "torvane/setup/start_points.h"

#include <cmath>
#include <cstring>

#include "my_func/my_func.h"
#include "my_func_nxlib/nxlib.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/stock.h"
#include "uf.h"
#include "uf_curve.h"
#include "uf_obj.h"

tag_t static_front_point_tags[MAX_START_POINT_OBJECTS] = {};
int static_front_point_count = 0;
tag_t static_side_point_tags[MAX_START_POINT_OBJECTS] = {};
int static_side_point_count = 0;

namespace {

// NX 4 takes start points as custom points; later releases through the extension library.
const double CUSTOM_POINTS_FROM = 4.0;
const double CUSTOM_POINTS_BEFORE = 5.0;

int show_message(const char *tag) { return show_catalogue_text(TORVANE_LANG_FORMAT, tag); }

// Half the extent of a box along a unit direction.
double half_extent(const elec_cam_data *record, const double *axis) {
    double half = 0.0;
    for (int k = 0; k < 3; ++k) half += std::fabs(axis[k]) * (record->elec_box_max[k] - record->elec_box_min[k]) / 2.0;
    return half;
}

// The box centre moved outward along the MCS -Y axis, and along +X by x_share of the box.
void start_point(const elec_cam_data *record, const double matrix[9], double x_share, double point[3]) {
    const double *x_axis = matrix, *y_axis = matrix + 3;
    const double out_y = half_extent(record, y_axis) + START_POINT_DISTANCE, out_x = x_share * half_extent(record, x_axis);
    for (int k = 0; k < 3; ++k)
        point[k] = (record->elec_box_min[k] + record->elec_box_max[k]) / 2.0 - y_axis[k] * out_y + x_axis[k] * out_x;
}

UF_CAMGEOM_custom_point_p_t new_custom_point(const double point[3]) {
    int error = 0;
    auto *record = static_cast<UF_CAMGEOM_custom_point_p_t>(UF_allocate_memory(sizeof(UF_CAMGEOM_custom_point_t), &error));
    if (error != 0 || !record) return nullptr;
    std::memset(record, 0, sizeof *record);
    std::memcpy(record->point_acs, point, sizeof record->point_acs);
    return record;
}

void free_custom_points(UF_CAMGEOM_custom_point_p_t *records, int *count) {
    for (int i = 0; i < *count; ++i) {
        UF_free(records[i]);
        records[i] = nullptr;
    }
    *count = 0;
}

// A hidden point object on the start point layer; NULL_TAG when NX refused it (reported).
tag_t new_point_object(const double point[3]) {
    tag_t tag = NULL_TAG;
    double at[3] = {point[0], point[1], point[2]};
    if (UF_CALL(UF_CURVE_create_point(at, &tag)) != 0) return NULL_TAG;
    UF_CALL(UF_OBJ_set_layer(tag, START_POINT_LAYER));
    UF_CALL(UF_OBJ_set_blank_status(tag, UF_OBJ_BLANKED));
    return tag;
}

// Electrodes and MCS that start points need; 0 after a message.
int have_electrodes_and_mcs(void) {
    if (!elec_cam_data_list) {
        show_message("create_from_side_start_poin_01:");
        return 0;
    }
    if (static_mcs_tag == NULL_TAG) {
        show_message("create_from_side_start_poin_02:");
        return 0;
    }
    return 1;
}

// The start point objects are still all in the part.
int start_point_objects_stand(void) {
    if (static_front_point_count == 0 && static_side_point_count == 0) return 0;
    for (int i = 0; i < static_front_point_count; ++i)
        if (UF_OBJ_ask_status(static_front_point_tags[i]) != UF_OBJ_ALIVE) return 0;
    for (int i = 0; i < static_side_point_count; ++i)
        if (UF_OBJ_ask_status(static_side_point_tags[i]) != UF_OBJ_ALIVE) return 0;
    return 1;
}

using place_fn = void (*)(const elec_cam_data *, const double *, double *);

// One custom point record per electrode (at most MAX_CUSTOM_START_POINTS); 0 when memory ran out.
int make_custom_points(place_fn place, const double matrix[9], UF_CAMGEOM_custom_point_p_t *records, int *count) {
    for (const elec_cam_data *r = elec_cam_data_list; r && *count < MAX_CUSTOM_START_POINTS; r = r->next_p) {
        double point[3];
        place(r, matrix, point);
        UF_CAMGEOM_custom_point_p_t record = new_custom_point(point);
        if (!record) return 0;
        records[(*count)++] = record;
    }
    return 1;
}

// One point object per electrode (at most MAX_START_POINT_OBJECTS); one NX refused is left out.
void make_point_objects(place_fn place, const double matrix[9], tag_t *tags, int *count) {
    for (const elec_cam_data *r = elec_cam_data_list; r && *count < MAX_START_POINT_OBJECTS; r = r->next_p) {
        double point[3];
        place(r, matrix, point);
        const tag_t made = new_point_object(point);
        if (made != NULL_TAG) tags[(*count)++] = made;
    }
}

void free_user_points(oper *oper_p) { MY_free_list(&oper_p->start_point_list_p); }

// The user's points as custom points under NX 4.
int append_user_custom_points(tag_t oper_tag, const plan_point *list) {
    UF_CAMGEOM_custom_point_p_t records[MAX_CUSTOM_START_POINTS];
    int count = 0;
    if (!create_start_point(list, &count, records)) return 0;
    const int rc = UF_CALL(UF_CAMGEOM_append_custom_points(oper_tag, UF_CAMGEOM_cut_region_start_type, count, records));
    free_custom_points(records, &count);
    return rc == 0;
}

}  // namespace

void elec_front_start_point(const elec_cam_data *record, const double matrix[9], double point[3]) {
    start_point(record, matrix, 0.0, point);
}

void elec_side_start_point(const elec_cam_data *record, const double matrix[9], double point[3]) {
    start_point(record, matrix, 1.0, point);
}

int create_from_side_start_point(int dialog_id, from_side_start_point *block) {
    block->front_start_count = block->side_start_count = 0;
    if (!create_static_mcs_and_workpiece(dialog_id) || !have_electrodes_and_mcs()) return 0;
    double matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // absolute when NX cannot say (reported)
    ask_mcs_matrix(ask_group_mcs(static_mcs_tag), matrix);
    if (!make_custom_points(elec_front_start_point, matrix, block->front_custom_point_p, &block->front_start_count)) {
        free_from_side_start_point(block);
        show_message("create_from_side_start_poin_03:");
        return 0;
    }
    if (!make_custom_points(elec_side_start_point, matrix, block->side_custom_point_p, &block->side_start_count)) {
        free_from_side_start_point(block);
        show_message("create_from_side_start_poin_04:");
        return 0;
    }
    return 1;
}

void free_from_side_start_point(from_side_start_point *block) {
    free_custom_points(block->front_custom_point_p, &block->front_start_count);
    free_custom_points(block->side_custom_point_p, &block->side_start_count);
}

int create_start_point_objects(int dialog_id) {
    if (start_point_objects_stand()) return 1;
    reset_start_points();
    if (!create_static_mcs_and_workpiece(dialog_id) || !have_electrodes_and_mcs()) return 0;
    double matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // absolute when NX cannot say (reported)
    ask_mcs_matrix(ask_group_mcs(static_mcs_tag), matrix);
    make_point_objects(elec_front_start_point, matrix, static_front_point_tags, &static_front_point_count);
    make_point_objects(elec_side_start_point, matrix, static_side_point_tags, &static_side_point_count);
    return 1;
}

int create_start_point(const plan_point *list, int *count, UF_CAMGEOM_custom_point_p_t records[MAX_CUSTOM_START_POINTS]) {
    *count = 0;
    for (const plan_point *p = list; p && *count < MAX_CUSTOM_START_POINTS; p = p->next_p) {
        const double point[3] = {p->x, p->y, p->z};
        records[*count] = new_custom_point(point);
        if (!records[*count]) {
            free_custom_points(records, count);
            show_message("create_start_poin_01:");
            return 0;
        }
        ++*count;
    }
    return 1;
}

int create_point_objects(const plan_point *list, int *count, tag_t tags[MAX_START_POINT_OBJECTS]) {
    *count = 0;
    for (const plan_point *p = list; p && *count < MAX_START_POINT_OBJECTS; p = p->next_p) {
        const double point[3] = {p->x, p->y, p->z};
        const tag_t made = new_point_object(point);
        if (made != NULL_TAG) tags[(*count)++] = made;
    }
    return 1;
}

bool custom_point_release(void) {
    return static_nx_release >= CUSTOM_POINTS_FROM && static_nx_release < CUSTOM_POINTS_BEFORE;
}

int set_oper_start_points(tag_t oper_tag, oper *oper_p, const char *marks, from_side_start_point *block) {
    double mark = 0.0;
    const bool side = ask_name_mark_value(marks, NAME_MARK_SIDE_POINTS, &mark) != 0;
    const bool custom = custom_point_release();
    int done = 0;
    if (oper_p->start_point_list_p && custom) {
        done = append_user_custom_points(oper_tag, oper_p->start_point_list_p);
    } else if (oper_p->start_point_list_p) {
        tag_t tags[MAX_START_POINT_OBJECTS];
        int count = 0;
        create_point_objects(oper_p->start_point_list_p, &count, tags);
        done = call_region_start_points(oper_tag, count, tags);
    } else if (!block) {
        done = 1;
    } else if (custom) {
        UF_CAMGEOM_custom_point_p_t *records = side ? block->side_custom_point_p : block->front_custom_point_p;
        const int count = side ? block->side_start_count : block->front_start_count;
        done = UF_CALL(UF_CAMGEOM_append_custom_points(oper_tag, UF_CAMGEOM_cut_region_start_type, count, records)) == 0;
    } else {
        done = call_region_start_points(oper_tag, side ? static_side_point_count : static_front_point_count,
                                        side ? static_side_point_tags : static_front_point_tags);
    }
    free_user_points(oper_p);
    return done;
}

void reset_start_points(void) {
    static_front_point_count = static_side_point_count = 0;
    std::memset(static_front_point_tags, 0, sizeof static_front_point_tags);
    std::memset(static_side_point_tags, 0, sizeof static_side_point_tags);
}
