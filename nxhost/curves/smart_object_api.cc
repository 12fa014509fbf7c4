// UF_SO_*: transforms made from numbers.
#include "nxhost/core/guard.h"
#include "nxhost/modeling/geometry_objects.h"
#include "uf_so.h"

using namespace nxhost;
using namespace nxhost::modeling;

extern "C" int UF_SO_create_xform_doubles(const tag_t object_in_part, const UF_SO_update_option_t update_option,
                                          const double point[3], const double x_direction[3],
                                          const double y_direction[3], const double scale, tag_p_t xform) {
    NXHOST_ENTER("UF_SO_create_xform_doubles");
    if (!point || !x_direction || !y_direction || !xform) return kBadArgument;
    *xform = NULL_TAG;
    if (update_option < UF_SO_dont_update || update_option > UF_SO_update_mixed) return kBadArgument;
    const Object *owner = lookup("UF_SO_create_xform_doubles", object_in_part);
    if (!owner) return kBadTag;
    XformPayload data;
    data.origin = {point[0], point[1], point[2]};
    data.x_axis = {x_direction[0], x_direction[1], x_direction[2]};
    data.y_axis = {y_direction[0], y_direction[1], y_direction[2]};
    data.scale = scale;
    int error = 0;
    create_xform_object(owner->part, data, xform, &error);
    return error;
}
