// The MCS orientation class and heights along the MCS Z axis.
#include "torvane/setup/mcs_class.h"

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

const int MATRIX_DIGITS = 2;

// A rounded axis as +-1 (x), +-2 (y), +-3 (z); 0 when it is not a unit axis vector.
int signed_axis(const double v[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        const int others_zero = v[(axis + 1) % 3] == 0.0 && v[(axis + 2) % 3] == 0.0;
        if (others_zero && v[axis] == 1.0) return axis + 1;
        if (others_zero && v[axis] == -1.0) return -(axis + 1);
    }
    return 0;
}

// Position (1-based) of value in a list of four; 0 when absent.
int position_in(int value, const int (&list)[4]) {
    for (int i = 0; i < 4; ++i)
        if (list[i] == value) return i + 1;
    return 0;
}

// The hundreds digit by the Z axis: +Z, -Z, +Y, -Y, +X, -X.
const int Z_AXES[6] = {3, -3, 2, -2, 1, -1};
// The in-plane axis that gives the units digit, per pair of hundreds, and its four values.
const int X_FOR_Z[4] = {1, 2, -1, -2};
const int X_FOR_Y[4] = {1, 3, -1, -3};
const int Y_FOR_X[4] = {2, 3, -2, -3};

int hundreds(int mcs_class) { return mcs_class >= 101 && mcs_class <= 604 ? mcs_class / 100 : 0; }

}  // namespace

int mcs_class_of_matrix(const double matrix_values[9]) {
    double m[9];
    for (int i = 0; i < 9; ++i) m[i] = MY_round_value(matrix_values[i], MATRIX_DIGITS);
    const int z = signed_axis(m + 6);
    int digit = 0;
    for (int i = 0; i < 6; ++i)
        if (Z_AXES[i] == z && z != 0) digit = i + 1;
    int units = 0;
    if (digit == 1 || digit == 2) units = position_in(signed_axis(m), X_FOR_Z);
    if (digit == 3 || digit == 4) units = position_in(signed_axis(m), X_FOR_Y);
    if (digit == 5 || digit == 6) units = position_in(signed_axis(m + 3), Y_FOR_X);
    return units ? digit * 100 + units : 0;
}

int ask_mcs_matrix(tag_t mcs_tag, double matrix_values[9]) {
    tag_t matrix = NULL_TAG;
    if (mcs_tag == NULL_TAG || UF_CALL(UF_CSYS_ask_matrix_of_object(mcs_tag, &matrix)) != 0 || matrix == NULL_TAG) return 0;
    if (UF_CALL(UF_CSYS_ask_matrix_values(matrix, matrix_values)) != 0) return 0;
    for (int i = 0; i < 9; ++i) matrix_values[i] = MY_round_value(matrix_values[i], MATRIX_DIGITS);
    return 1;
}

tag_t ask_group_mcs(tag_t group_tag) {
    tag_t mcs = NULL_TAG;
    if (group_tag == NULL_TAG || UF_CALL(UF_PARAM_ask_tag_value(group_tag, UF_PARAM_MCS, &mcs)) != 0) return NULL_TAG;
    return mcs;
}

int ask_mcs_class(tag_t mcs_tag) {
    double values[9];
    return ask_mcs_matrix(mcs_tag, values) ? mcs_class_of_matrix(values) : 0;
}

bool elec_faces_mcs(int mcs_class, int elec_direction) {
    static const struct {
        int direction, hundreds;
    } FACING[] = {{1, 2}, {-1, 1}, {2, 3}, {-2, 4}, {3, 6}, {-3, 5}};
    const int units = mcs_class % 100;
    for (const auto &f : FACING)
        if (f.direction == elec_direction) return hundreds(mcs_class) == f.hundreds && units >= 1 && units <= 4;
    return false;
}

int mcs_z_axis(int mcs_class, int *axis, double *sense) {
    const int h = hundreds(mcs_class);
    if (h == 0) return 0;
    *axis = 2 - (h - 1) / 2;
    *sense = h % 2 == 1 ? 1.0 : -1.0;
    return 1;
}

double mcs_height(int mcs_class, const double point[3]) {
    int axis = 0;
    double sense = 0.0;
    return mcs_z_axis(mcs_class, &axis, &sense) ? sense * point[axis] : 0.0;
}

double mcs_box_top(int mcs_class, const double box_min[3], const double box_max[3]) {
    return mcs_height(mcs_class, hundreds(mcs_class) % 2 == 1 ? box_max : box_min);
}
