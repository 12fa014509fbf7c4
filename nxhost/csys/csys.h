// Coordinate systems and their matrices as objects of a part, and each part's WCS.
#pragma once

#include <array>

#include "nxhost/objects/store.h"

namespace nxhost::csys {

using Vector = std::array<double, 3>;
using Matrix = std::array<double, 9>;  // rows: X axis, Y axis, Z axis

constexpr int kBadMatrix = 1105110;  // values that are no orthonormal right-handed frame

struct MatrixPayload : Payload {
    Matrix values{};
};

struct CsysPayload : Payload {
    Vector origin{};
    tag_t matrix = NULL_TAG;
    bool temporary = false;  // not saved with the part
};

// The coordinate system the WCS of `part` is set to; made at the absolute origin with the
// absolute axes the first time a part is asked, and again when the one it was set to is gone.
// NULL_TAG without a part.
tag_t wcs_of(tag_t part);

// Origin and axes of a coordinate system object; false when tag is none.
bool frame_of(tag_t csys, Vector *origin, Matrix *matrix);

// A point given in the coordinates of a frame (origin and axes), in absolute coordinates; and
// an absolute point in the frame's coordinates.
Vector to_absolute(const Vector &origin, const Matrix &axes, const Vector &point);
Vector to_frame(const Vector &origin, const Matrix &axes, const Vector &point);

// True when values are an orthonormal, right-handed frame (within 1e-6).
bool is_orthonormal(const Matrix &values);

// New matrix / coordinate system objects of `part`.
tag_t create_matrix_object(tag_t part, const Matrix &values);
tag_t create_csys_object(tag_t part, const Vector &origin, tag_t matrix, bool temporary);

}  // namespace nxhost::csys
