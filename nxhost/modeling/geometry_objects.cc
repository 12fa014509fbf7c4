// Points, lines, curves and planes as objects of a part, and what the modelling calls measure.
#include "nxhost/modeling/geometry_objects.h"

#include <cmath>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/parts.h"
#include "uf_object_types.h"

namespace nxhost::modeling {
namespace {

const struct {
    int code;
    const char *text;
} kMessages[] = {
    {kNoGeometry, "The object has no geometry to measure"},
    {kNotComputed, "The modeler could not compute the result for this geometry"},
    {kNoNormal, "The face has no normal at this parameter"},
    {kBadExpression, "The expression is not a number"},
    {kNotPositive, "Block edge lengths must be greater than zero"},
    {kNoTarget, "Booleans with an existing body are not modelled by the stand-in"},
    {kZeroVector, "A direction of zero length was given"},
    {kZeroLength, "The line has no length"},
    {kParallelAxes, "The two directions are parallel"},
};

bool register_messages() {
    for (const auto &m : kMessages) register_fail_message(m.code, m.text);
    return true;
}

const bool registered = register_messages();

}  // namespace

bool create_xform_object(tag_t part, const XformPayload &xform, tag_t *made, int *error) {
    Point x{}, y{};
    *error = !unit(xform.x_axis.data(), &x) || !unit(xform.y_axis.data(), &y) ? kZeroVector : 0;
    const double cross[3] = {x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};
    if (*error == 0 && std::hypot(cross[0], cross[1], cross[2]) < 1e-9) *error = kParallelAxes;
    if (*error == 0 && !(xform.scale > 0.0 && std::isfinite(xform.scale))) *error = kBadArgument;
    if (*error != 0) return false;
    Object &obj = store().create(kXformType, 0, part);
    obj.payload = std::make_shared<XformPayload>(xform);
    *made = obj.tag;
    return true;
}

tag_t create_curve_object(tag_t part, int type, const ShapeRef &shape) {
    Object &obj = store().create(type, 0, part);
    obj.payload = std::make_shared<ShapePayload>(shape);
    return obj.tag;
}

tag_t target_part(tag_t near) {
    if (work_part() != NULL_TAG) return work_part();
    const Object *obj = store().find(near);
    return obj ? obj->part : NULL_TAG;
}

const ShapeRef *object_shape(const Object &obj) {
    const ShapePayload *payload = shape_payload(obj);
    return payload && payload->shape ? &payload->shape : nullptr;
}

bool distance_operand(const char *call, tag_t tag, const double *guess, DistanceOperand *operand) {
    if (tag == NULL_TAG) {
        if (!guess) {
            misuse(call, "a null object needs its guess point");
            return false;
        }
        operand->kind = DistanceOperand::point_kind;
        operand->point = {guess[0], guess[1], guess[2]};
        return true;
    }
    const Object *obj = lookup(call, tag);
    if (!obj) return false;
    if (const auto *plane = dynamic_cast<const PlanePayload *>(obj->payload.get())) {
        operand->kind = DistanceOperand::plane_kind;
        operand->point = plane->origin;
        operand->normal = plane->normal;
        return true;
    }
    const ShapeRef *shape = object_shape(*obj);
    if (!shape) {
        misuse(call, "tag " + std::to_string(tag) + " (type " + std::to_string(obj->type) + ") has no geometry");
        return false;
    }
    operand->kind = DistanceOperand::shape_kind;
    operand->shape = *shape;
    return true;
}

bool unit(const double v[3], Point *out) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 1e-12) || !std::isfinite(length)) return false;
    *out = {v[0] / length, v[1] / length, v[2] / length};
    return true;
}

}  // namespace nxhost::modeling
