// UF_CSYS_*: matrices, coordinate systems and the WCS.
#include <cmath>
#include <cstring>
#include <map>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/csys/csys.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_csys.h"
#include "uf_object_types.h"

using namespace nxhost;
using namespace nxhost::csys;

namespace {

// Per part: the coordinate system its WCS is set to.
std::map<tag_t, tag_t> &wcs_table() {
    static std::map<tag_t, tag_t> table;
    return table;
}

const bool registered = register_reset([] { wcs_table().clear(); }) &&
                        register_fail_message(kBadMatrix, "The matrix is not orthonormal and right-handed") &&
                        register_fail_message(UF_CSYS_ERR_INVALID_COORDS, "Invalid coordinate system code");

const Matrix kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};

double dot(const double *a, const double *b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

const MatrixPayload *matrix_payload(const char *call, tag_t matrix) {
    const Object *obj = lookup_kind(call, matrix, UF_matrix_type);
    return obj ? dynamic_cast<const MatrixPayload *>(obj->payload.get()) : nullptr;
}

const CsysPayload *csys_payload(const char *call, tag_t csys) {
    const Object *obj = lookup_kind(call, csys, UF_coordinate_system_type);
    return obj ? dynamic_cast<const CsysPayload *>(obj->payload.get()) : nullptr;
}

int create(const char *call, const double origin[3], tag_t matrix, bool temporary, tag_t *csys_id) {
    if (!origin || !csys_id) return kBadArgument;
    *csys_id = NULL_TAG;
    if (!matrix_payload(call, matrix)) return kBadTag;
    const tag_t part = work_part();
    if (part == NULL_TAG) return kNoPart;
    *csys_id = create_csys_object(part, {origin[0], origin[1], origin[2]}, matrix, temporary);
    return 0;
}

}  // namespace

namespace nxhost::csys {

bool is_orthonormal(const Matrix &m) {
    const double *x = &m[0], *y = &m[3], *z = &m[6];
    const double cross[3] = {x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};
    const double tol = 1e-6;
    return std::abs(dot(x, x) - 1) < tol && std::abs(dot(y, y) - 1) < tol && std::abs(dot(z, z) - 1) < tol &&
           std::abs(dot(x, y)) < tol && std::abs(dot(cross, z) - 1) < tol;
}

Vector to_absolute(const Vector &origin, const Matrix &axes, const Vector &point) {
    Vector out = origin;
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) out[k] += point[i] * axes[3 * i + k];
    return out;
}

Vector to_frame(const Vector &origin, const Matrix &axes, const Vector &point) {
    const double d[3] = {point[0] - origin[0], point[1] - origin[1], point[2] - origin[2]};
    return {dot(d, &axes[0]), dot(d, &axes[3]), dot(d, &axes[6])};
}

tag_t create_matrix_object(tag_t part, const Matrix &values) {
    Object &obj = store().create(UF_matrix_type, 0, part);
    auto payload = std::make_shared<MatrixPayload>();
    payload->values = values;
    obj.payload = payload;
    return obj.tag;
}

tag_t create_csys_object(tag_t part, const Vector &origin, tag_t matrix, bool temporary) {
    Object &obj = store().create(UF_coordinate_system_type, UF_csys_normal_subtype, part);
    auto payload = std::make_shared<CsysPayload>();
    payload->origin = origin;
    payload->matrix = matrix;
    payload->temporary = temporary;
    obj.payload = payload;
    return obj.tag;
}

tag_t wcs_of(tag_t part) {
    if (!part_payload(part)) return NULL_TAG;
    tag_t &wcs = wcs_table()[part];
    if (wcs == NULL_TAG || !store().find(wcs)) {
        const bool was_modified = store().is_modified(part);
        Object &obj = store().create(UF_coordinate_system_type, UF_csys_wcs_subtype, part);
        auto payload = std::make_shared<CsysPayload>();
        payload->matrix = create_matrix_object(part, kIdentity);
        payload->temporary = true;
        obj.payload = payload;
        wcs = obj.tag;
        // Looking at the WCS changes nothing the user would save.
        if (!was_modified) store().clear_modified(part);
    }
    return wcs;
}

bool frame_of(tag_t csys, Vector *origin, Matrix *matrix) {
    const Object *obj = store().find(csys);
    const auto *payload = obj ? dynamic_cast<const CsysPayload *>(obj->payload.get()) : nullptr;
    const Object *m = payload ? store().find(payload->matrix) : nullptr;
    const auto *values = m ? dynamic_cast<const MatrixPayload *>(m->payload.get()) : nullptr;
    if (!values) return false;
    *origin = payload->origin;
    *matrix = values->values;
    return true;
}

}  // namespace nxhost::csys

extern "C" int UF_CSYS_ask_wcs(tag_t *wcs_id) {
    NXHOST_ENTER("UF_CSYS_ask_wcs");
    if (!wcs_id) return kBadArgument;
    *wcs_id = wcs_of(work_part());
    return *wcs_id == NULL_TAG ? kNoPart : 0;
}

extern "C" int UF_CSYS_set_wcs(tag_t csys_id) {
    NXHOST_ENTER("UF_CSYS_set_wcs");
    if (!csys_payload("UF_CSYS_set_wcs", csys_id)) return kBadTag;
    wcs_table()[store().find(csys_id)->part] = csys_id;
    return 0;
}

extern "C" int UF_CSYS_create_matrix(const double matrix_values[9], tag_t *matrix_id) {
    NXHOST_ENTER("UF_CSYS_create_matrix");
    if (!matrix_values || !matrix_id) return kBadArgument;
    *matrix_id = NULL_TAG;
    Matrix values{};
    std::memcpy(values.data(), matrix_values, sizeof values);
    if (!is_orthonormal(values)) return kBadMatrix;
    if (work_part() == NULL_TAG) return kNoPart;
    *matrix_id = create_matrix_object(work_part(), values);
    return 0;
}

extern "C" int UF_CSYS_create_temp_csys(const double csys_origin[3], tag_t matrix_id, tag_t *csys_id) {
    NXHOST_ENTER("UF_CSYS_create_temp_csys");
    return create("UF_CSYS_create_temp_csys", csys_origin, matrix_id, true, csys_id);
}

extern "C" int UF_CSYS_create_csys(const double csys_origin[3], tag_t matrix_id, tag_t *csys_id) {
    NXHOST_ENTER("UF_CSYS_create_csys");
    return create("UF_CSYS_create_csys", csys_origin, matrix_id, false, csys_id);
}

extern "C" int UF_CSYS_ask_matrix_of_object(tag_t object_id, tag_t *matrix_id) {
    NXHOST_ENTER("UF_CSYS_ask_matrix_of_object");
    if (!matrix_id) return kBadArgument;
    *matrix_id = NULL_TAG;
    const Object *obj = lookup("UF_CSYS_ask_matrix_of_object", object_id);
    if (!obj) return kBadTag;
    // Only objects that carry a matrix answer one; an MCS group is oriented through its MCS
    // parameter and has none of its own.
    if (const auto *csys = dynamic_cast<const CsysPayload *>(obj->payload.get())) *matrix_id = csys->matrix;
    return 0;
}

extern "C" int UF_CSYS_ask_matrix_values(tag_t matrix_id, double matrix_values[9]) {
    NXHOST_ENTER("UF_CSYS_ask_matrix_values");
    if (!matrix_values) return kBadArgument;
    const MatrixPayload *matrix = matrix_payload("UF_CSYS_ask_matrix_values", matrix_id);
    if (!matrix) return kBadTag;
    std::memcpy(matrix_values, matrix->values.data(), sizeof matrix->values);
    return 0;
}

extern "C" int UF_CSYS_ask_csys_info(tag_t csys_id, tag_t *matrix_id, double csys_origin[3]) {
    NXHOST_ENTER("UF_CSYS_ask_csys_info");
    if (!matrix_id || !csys_origin) return kBadArgument;
    const CsysPayload *csys = csys_payload("UF_CSYS_ask_csys_info", csys_id);
    if (!csys) return kBadTag;
    *matrix_id = csys->matrix;
    std::memcpy(csys_origin, csys->origin.data(), sizeof csys->origin);
    return 0;
}

// The stand-in's work part is always the displayed part (no assemblies), so the absolute
// coordinates of the two are the same; the WCS is the displayed part's.
extern "C" int UF_CSYS_map_point(int input_csys, double input_point[3], int output_csys, double output_point[3]) {
    NXHOST_ENTER("UF_CSYS_map_point");
    if (!input_point || !output_point) return kBadArgument;
    auto known = [](int code) {
        return code == UF_CSYS_ROOT_COORDS || code == UF_CSYS_WORK_COORDS || code == UF_CSYS_ROOT_WCS_COORDS;
    };
    if (!known(input_csys) || !known(output_csys)) return UF_CSYS_ERR_INVALID_COORDS;
    Vector origin{};
    Matrix axes{};
    if (!frame_of(wcs_of(display_part()), &origin, &axes)) return kNoPart;
    Vector point = {input_point[0], input_point[1], input_point[2]};
    if (input_csys == UF_CSYS_ROOT_WCS_COORDS) point = to_absolute(origin, axes, point);
    if (output_csys == UF_CSYS_ROOT_WCS_COORDS) point = to_frame(origin, axes, point);
    std::memcpy(output_point, point.data(), sizeof point);
    return 0;
}
