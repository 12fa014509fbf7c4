// UF_CURVE_*: point and line objects.
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_curve.h"
#include "uf_object_types.h"

using namespace nxhost;
using namespace nxhost::modeling;

namespace {

const ShapeRef *shape_of_kind(const char *call, tag_t tag, int type) {
    const Object *obj = lookup_kind(call, tag, type);
    const ShapeRef *shape = obj ? object_shape(*obj) : nullptr;
    if (obj && !shape) misuse(call, "tag " + std::to_string(tag) + " has no geometry");
    return shape;
}

Point point_of(const double p[3]) { return {p[0], p[1], p[2]}; }

}  // namespace

extern "C" int UF_CURVE_create_point(double point_coords[3], tag_t *point) {
    NXHOST_ENTER("UF_CURVE_create_point");
    if (!point_coords || !point) return kBadArgument;
    *point = NULL_TAG;
    if (work_part() == NULL_TAG) return kNoPart;
    *point = create_curve_object(work_part(), UF_point_type, make_point_shape(point_of(point_coords)));
    return 0;
}

extern "C" int UF_CURVE_ask_point_data(tag_t point, double point_coords[3]) {
    NXHOST_ENTER("UF_CURVE_ask_point_data");
    if (!point_coords) return kBadArgument;
    const ShapeRef *shape = shape_of_kind("UF_CURVE_ask_point_data", point, UF_point_type);
    if (!shape) return kBadTag;
    const Point p = shape_point(*shape);
    std::memcpy(point_coords, p.data(), sizeof p);
    return 0;
}

extern "C" int UF_CURVE_create_line(UF_CURVE_line_p_t line_coords, tag_t *line) {
    NXHOST_ENTER("UF_CURVE_create_line");
    if (!line_coords || !line) return kBadArgument;
    *line = NULL_TAG;
    if (work_part() == NULL_TAG) return kNoPart;
    ShapeRef shape;
    try {
        shape = make_line_shape(point_of(line_coords->start_point), point_of(line_coords->end_point));
    } catch (const ShapeError &) {
        return kZeroLength;
    }
    *line = create_curve_object(work_part(), UF_line_type, shape);
    return 0;
}

extern "C" int UF_CURVE_ask_line_data(tag_t line, UF_CURVE_line_p_t line_coords) {
    NXHOST_ENTER("UF_CURVE_ask_line_data");
    if (!line_coords) return kBadArgument;
    const ShapeRef *shape = shape_of_kind("UF_CURVE_ask_line_data", line, UF_line_type);
    if (!shape) return kBadTag;
    Point start{}, end{};
    edge_ends(*shape, &start, &end);
    std::memcpy(line_coords->start_point, start.data(), sizeof start);
    std::memcpy(line_coords->end_point, end.data(), sizeof end);
    return 0;
}
