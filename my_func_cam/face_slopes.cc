// Sorting faces into the slope classes.
#include "my_func_cam/face_slopes.h"

#include <utility>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_ui.h"

namespace {

// "内存分配错误, 可能是内存不够的原因!" in code page 936.
const char NO_MEMORY_TEXT[] =
    "\xc4\xda\xb4\xe6\xb7\xd6\xc5\xe4\xb4\xed\xce\xf3, \xbf\xc9\xc4\xdc\xca\xc7\xc4\xda\xb4\xe6\xb2\xbb\xb9\xbb\xb5"
    "\xc4\xd4\xad\xd2\xf2!";

const double RADIANS_TO_DEGREES = 57.29577951308232;
const int ANGLE_DIGITS = 2;
// A normal component beyond this against the MCS direction turns the face away.
const double BACK_LIMIT = 0.001;
const int BACK_LIST = 9;

face_list face_sets::*const LISTS[FACE_SET_COUNT] = {
    &face_sets::face_all,   &face_sets::face_0_60,  &face_sets::face_00_60, &face_sets::face_90,
    &face_sets::face_0_45,  &face_sets::face_00_45, &face_sets::face_45_90, &face_sets::face_0_90,
    &face_sets::face_00_90, &face_sets::face_back,  &face_sets::face_fix_def_ang, &face_sets::face_zle_def_ang};

// The user's angle ranges of the two user-defined lists.
struct user_angles {
    double fix_start, fix_end, zle_start, zle_end;
};

int read_user_angles(user_angles *angles) {
    return read_config_value("fix_user_def_oper_start_angle:", &angles->fix_start, CONFIG_CAM_DEF_PATH) &&
           read_config_value("fix_user_def_oper_end_angle:", &angles->fix_end, CONFIG_CAM_DEF_PATH) &&
           read_config_value("zle_user_def_oper_start_angle:", &angles->zle_start, CONFIG_CAM_DEF_PATH) &&
           read_config_value("zle_user_def_oper_end_angle:", &angles->zle_end, CONFIG_CAM_DEF_PATH);
}

// The MCS direction of a class: the axis (0 x, 1 y, 2 z) and its sign; 0 for no class.
int mcs_direction(int mcs_class, int *axis, double *sign) {
    const int hundreds = mcs_class >= 101 && mcs_class <= 604 ? mcs_class / 100 : 0;
    if (hundreds == 0 || mcs_class % 100 < 1 || mcs_class % 100 > 4) return 0;
    *axis = 2 - (hundreds - 1) / 2;
    *sign = hundreds % 2 == 1 ? 1.0 : -1.0;
    return 1;
}

// The normal, type and angle of one face; 0 when one of them cannot be asked.
int face_slope(tag_t face, const double direction[3], bool *planar, double normal[3], double *angle) {
    int type = 0, norm_dir = 0;
    double point[3], dir[3], box[6], radius = 0.0, rad_data = 0.0;
    if (UF_CALL(UF_MODL_ask_face_data(face, &type, point, dir, box, &radius, &rad_data, &norm_dir)) != 0 ||
        !MY_face_center_normal(face, normal))
        return 0;
    double small_angle = 0.0, large_angle = 0.0;
    double towards[3] = {direction[0], direction[1], direction[2]};
    if (UF_CALL(UF_MODL_ask_vector_angle(towards, normal, &small_angle, &large_angle)) != 0) return 0;
    *planar = type == UF_MODL_PLANAR_FACE;
    *angle = MY_round_value(small_angle * RADIANS_TO_DEGREES, ANGLE_DIGITS);
    return 1;
}

// Which lists a face that is not turned away belongs to.
void classes_of(bool planar, double a, const user_angles &user, bool member[FACE_SET_COUNT]) {
    const bool curved_flat = !planar && a == 0.0;
    const bool in[FACE_SET_COUNT] = {planar && a == 0.0,
                                     (a > 0.0 && a < 60.0) || curved_flat,
                                     a < 60.0,
                                     a == 90.0,
                                     (a > 0.0 && a <= 45.0) || curved_flat,
                                     a <= 45.0,
                                     a > 45.0 && a < 90.0,
                                     (a > 0.0 && a < 90.0) || curved_flat,
                                     a < 90.0,
                                     false,
                                     a >= user.fix_start && a <= user.fix_end,
                                     a >= user.zle_start && a <= user.zle_end};
    for (int i = 0; i < FACE_SET_COUNT; ++i) member[i] = in[i];
}

// Appends face to list; 0 when the array could not grow (it stays as it was).
int append(face_list *list, tag_t face) {
    int error = 0;
    const unsigned int bytes = static_cast<unsigned int>((list->count + 1) * sizeof(tag_t));
    auto *grown = static_cast<tag_t *>(UF_reallocate_memory(list->faces, bytes, &error));
    report_nx_call(__FILE__, __LINE__, "UF_reallocate_memory(list->faces, bytes, &error)", error);
    if (error != 0 || !grown) return 0;
    list->faces = grown;
    list->faces[list->count++] = face;
    return 1;
}

}  // namespace

face_sets::~face_sets() { free_face_sets(this); }

face_list *face_set_list(face_sets *sets, int index) {
    return index >= 0 && index < FACE_SET_COUNT ? &(sets->*LISTS[index]) : nullptr;
}

int append_face_sets(face_sets *to, const face_sets *from) {
    for (face_list face_sets::*list : LISTS)
        for (int i = 0; i < (from->*list).count; ++i)
            if (!append(&(to->*list), (from->*list).faces[i])) {
                uc1601(NO_MEMORY_TEXT, 1);
                return 0;
            }
    return 1;
}

void free_face_sets(face_sets *sets) {
    for (face_list face_sets::*list : LISTS) {
        if ((sets->*list).faces) UF_free((sets->*list).faces);
        sets->*list = face_list{};
    }
}

int MY_sort_faces_by_angle(int count, const tag_t *faces, int mcs_class, face_sets *result) {
    user_angles user{};
    if (!read_user_angles(&user)) return 0;
    int axis = 0;
    double sign = 0.0;
    if (!mcs_direction(mcs_class, &axis, &sign)) return 0;
    double direction[3] = {0.0, 0.0, 0.0};
    direction[axis] = sign;

    face_sets sorted;
    for (int i = 0; i < count; ++i) {
        bool planar = false;
        double normal[3], angle = 0.0;
        if (!face_slope(faces[i], direction, &planar, normal, &angle)) continue;
        bool member[FACE_SET_COUNT];
        if (normal[axis] * sign < -BACK_LIMIT) {
            for (bool &m : member) m = false;
            member[BACK_LIST] = true;
        } else {
            classes_of(planar, angle, user, member);
        }
        for (int k = 0; k < FACE_SET_COUNT; ++k) {
            if (member[k] && !append(&(sorted.*LISTS[k]), faces[i])) {
                uc1601(NO_MEMORY_TEXT, 1);
                return 0;
            }
        }
    }
    free_face_sets(result);
    for (face_list face_sets::*list : LISTS) std::swap(result->*list, sorted.*list);
    return 1;
}
