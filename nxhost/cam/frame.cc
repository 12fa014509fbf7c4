// The MCS of CAM objects and the extents measured along it.
#include "nxhost/cam/frame.h"

#include <algorithm>
#include <cmath>

#include "nxhost/cam/levels.h"
#include "nxhost/modeling/shapes.h"
#include "uf_cam.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

const csys::Matrix kAbsoluteAxes = {1, 0, 0, 0, 1, 0, 0, 0, 1};

template <typename Measure>
bool union_box(const std::vector<tag_t> &entities, Box *box, Measure measure) {
    bool any = false;
    for (tag_t t : entities) {
        const Object *obj = store().find(t);
        const modeling::ShapePayload *shape = obj ? modeling::shape_payload(*obj) : nullptr;
        Box b{};
        if (!shape || !measure(shape->shape, &b)) continue;
        for (std::size_t k = 0; k < 3; ++k) {
            (*box)[k] = any ? std::min((*box)[k], b[k]) : b[k];
            (*box)[k + 3] = any ? std::max((*box)[k + 3], b[k + 3]) : b[k + 3];
        }
        any = true;
    }
    return any;
}

}  // namespace

tag_t mcs_csys_of(tag_t object) {
    const ParamValue mcs = effective_value(object, *param_spec(UF_PARAM_MCS));
    return mcs.tag != NULL_TAG && store().find(mcs.tag) ? mcs.tag : NULL_TAG;
}

csys::Matrix mcs_axes_of(tag_t object) {
    csys::Vector origin{};
    csys::Matrix axes{};
    return csys::frame_of(mcs_csys_of(object), &origin, &axes) ? axes : kAbsoluteAxes;
}

bool entities_box(const std::vector<tag_t> &entities, Box *box) {
    return union_box(entities, box, [](const modeling::ShapeRef &s, Box *b) { return modeling::exact_box(s, b); });
}

bool entities_box_along(const std::vector<tag_t> &entities, const csys::Matrix &axes, Box *box) {
    if (axes == kAbsoluteAxes) return entities_box(entities, box);
    return union_box(entities, box,
                     [&](const modeling::ShapeRef &s, Box *b) { return modeling::exact_box_along(s, axes, b); });
}

const AutoBlank *auto_blank_of(tag_t object) {
    for (const CamObject *at = cam_object(object); at; at = cam_object(at->parent[kGeometryView]))
        if (at->blank.set) return &at->blank;
    return nullptr;
}

bool auto_block_box(tag_t object, Box *box_along, csys::Matrix *axes) {
    const AutoBlank *blank = auto_blank_of(object);
    if (!blank || blank->type != UF_CAM_auto_block_type) return false;
    *axes = mcs_axes_of(object);
    if (!entities_box_along(part_entities(object), *axes, box_along)) return false;
    for (std::size_t k = 0; k < 3; ++k) {
        (*box_along)[k + 3] += blank->offset[2 * k];
        (*box_along)[k] -= blank->offset[2 * k + 1];
    }
    return true;
}

Box absolute_extent(const Box &box_along, const csys::Matrix &axes) {
    Box extent{};
    for (int corner = 0; corner < 8; ++corner) {
        double p[3] = {0, 0, 0};
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const double c = box_along[(corner >> axis & 1) ? axis + 3 : axis];
            for (std::size_t k = 0; k < 3; ++k) p[k] += c * axes[3 * axis + k];
        }
        for (std::size_t k = 0; k < 3; ++k) {
            extent[k] = corner == 0 ? p[k] : std::min(extent[k], p[k]);
            extent[k + 3] = corner == 0 ? p[k] : std::max(extent[k + 3], p[k]);
        }
    }
    return extent;
}

}  // namespace nxhost::cam
