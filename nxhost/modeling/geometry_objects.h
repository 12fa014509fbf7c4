// Objects with geometry beside bodies: points, lines and curves (a vertex or edge shape each),
// infinite planes and block features; and the error codes of the modelling calls.
#pragma once

#include <string>

#include "nxhost/modeling/geometry.h"
#include "nxhost/objects/store.h"

namespace nxhost::modeling {

// Error codes of the modelling calls, each with a fail message.
constexpr int kNoGeometry = 1105100;     // the object has nothing to measure (a csys, a matrix)
constexpr int kNotComputed = 1105101;    // OCCT could not compute the answer for this geometry
constexpr int kNoNormal = 1105102;       // no normal at that parameter (a pole)
constexpr int kBadExpression = 1105103;  // a block edge length that is no number
constexpr int kNotPositive = 1105104;    // a block edge length of 0 or less
constexpr int kNoTarget = 1105105;       // a boolean with an existing body, not modelled
constexpr int kZeroVector = 1105106;     // a direction or normal of length 0
constexpr int kZeroLength = 1105107;     // a line from a point to itself
constexpr int kParallelAxes = 1105108;   // two directions of a frame along one line
// UF_MODL_ask_curve_points's own codes.
constexpr int kInvalidCurve = 1;
constexpr int kModelerError = 2;

struct PlanePayload : Payload {
    Point origin{};
    Point normal{};  // unit
};

// Type number the stand-in gives transforms (smart objects): NX's own number is not public, and
// the add-on never asks it.
constexpr int kXformType = 1001;

// A transform: origin, two axes (as given) and a scale.
struct XformPayload : Payload {
    Point origin{}, x_axis{}, y_axis{};
    double scale = 1.0;
};

struct FeaturePayload : Payload {
    explicit FeaturePayload(tag_t b) : body(b) {}
    tag_t body = NULL_TAG;
};

// A point (type 2), line (3) or spline curve (9) object of `part` holding the shape.
tag_t create_curve_object(tag_t part, int type, const ShapeRef &shape);

// A transform object of `part`; false (nothing made) for a zero or parallel axis or a scale
// that is not positive, with *error the code.
bool create_xform_object(tag_t part, const XformPayload &xform, tag_t *made, int *error);

// The part new geometry goes to: the work part, else the part of `near` (a face being asked).
tag_t target_part(tag_t near);

// An object as one side of a distance question: NULL_TAG stands for `guess` when given. Records
// the misuse and returns false for a tag that is no object or has no geometry.
bool distance_operand(const char *call, tag_t tag, const double *guess, DistanceOperand *operand);

// The shape of a body, face, edge, point, line or curve object; nullptr when it has none.
const ShapeRef *object_shape(const Object &obj);

// Unit vector of v; false for a zero vector.
bool unit(const double v[3], Point *out);

}  // namespace nxhost::modeling
