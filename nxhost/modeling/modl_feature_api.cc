// UF_MODL_* calls that make things or measure between them: datum planes, minimum distance,
// the block feature and its body.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_modl.h"
#include "uf_object_types.h"

using namespace nxhost;
using namespace nxhost::modeling;

namespace {

// An edge length expression; only plain numbers are modelled.
int edge_length(const char *text, double *value) {
    if (!text) return kBadArgument;
    char *end = nullptr;
    errno = 0;
    *value = std::strtod(text, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == text || !end || *end != '\0' || errno == ERANGE || !std::isfinite(*value)) return kBadExpression;
    return *value > 0.0 ? 0 : kNotPositive;
}

}  // namespace

extern "C" int UF_MODL_create_plane(double origin_point[3], double plane_normal[3], tag_t *plane_tag) {
    NXHOST_ENTER("UF_MODL_create_plane");
    if (!origin_point || !plane_normal || !plane_tag) return kBadArgument;
    *plane_tag = NULL_TAG;
    auto plane = std::make_shared<PlanePayload>();
    if (!unit(plane_normal, &plane->normal)) return kZeroVector;
    plane->origin = {origin_point[0], origin_point[1], origin_point[2]};
    if (work_part() == NULL_TAG) return kNoPart;
    Object &obj = store().create(UF_plane_type, 0, work_part());
    obj.payload = plane;
    *plane_tag = obj.tag;
    return 0;
}

extern "C" int UF_MODL_ask_minimum_dist(tag_t object1, tag_t object2, int guess1_given, double guess1[3],
                                        int guess2_given, double guess2[3], double *min_dist, double pt_on_obj1[3],
                                        double pt_on_obj2[3]) {
    NXHOST_ENTER("UF_MODL_ask_minimum_dist");
    if (!min_dist || !pt_on_obj1 || !pt_on_obj2) return kBadArgument;
    DistanceOperand first, second;
    if (!distance_operand("UF_MODL_ask_minimum_dist", object1, guess1_given ? guess1 : nullptr, &first) ||
        !distance_operand("UF_MODL_ask_minimum_dist", object2, guess2_given ? guess2 : nullptr, &second))
        return kBadTag;
    Distance found;
    if (!minimum_distance(first, second, &found)) return kNotComputed;
    *min_dist = found.distance;
    std::memcpy(pt_on_obj1, found.on_first.data(), sizeof found.on_first);
    std::memcpy(pt_on_obj2, found.on_second.data(), sizeof found.on_second);
    return 0;
}

extern "C" int UF_MODL_create_block1(UF_FEATURE_SIGN sign, double corner_pt[3], char *edge_len[3],
                                     tag_t *blk_obj_id) {
    NXHOST_ENTER("UF_MODL_create_block1");
    if (!corner_pt || !edge_len || !blk_obj_id) return kBadArgument;
    *blk_obj_id = NULL_TAG;
    if (sign != UF_NULLSIGN && sign != UF_NO_BOOLEAN) return kNoTarget;
    Point lengths{};
    for (int i = 0; i < 3; ++i)
        if (int rc = edge_length(edge_len[i], &lengths[static_cast<std::size_t>(i)])) return rc;
    const tag_t part = work_part();
    csys::Vector origin{};
    csys::Matrix axes{};
    if (part == NULL_TAG || !csys::frame_of(csys::wcs_of(part), &origin, &axes)) return kNoPart;
    ShapeRef block;
    try {
        block = make_block({corner_pt[0], corner_pt[1], corner_pt[2]}, {axes[0], axes[1], axes[2]},
                           {axes[3], axes[4], axes[5]}, lengths);
    } catch (const ShapeError &) {
        return kNotComputed;
    }
    const tag_t body = create_body_object(part, block, "");
    Object &feature = store().create(UF_feature_type, 0, part);
    feature.payload = std::make_shared<FeaturePayload>(body);
    *blk_obj_id = feature.tag;
    return 0;
}

extern "C" int UF_MODL_ask_feat_body(tag_t feature_obj_id, tag_t *body_obj_id) {
    NXHOST_ENTER("UF_MODL_ask_feat_body");
    if (!body_obj_id) return kBadArgument;
    *body_obj_id = NULL_TAG;
    const Object *obj = lookup_kind("UF_MODL_ask_feat_body", feature_obj_id, UF_feature_type);
    const auto *feature = obj ? dynamic_cast<const FeaturePayload *>(obj->payload.get()) : nullptr;
    if (!feature) return kBadTag;
    if (!store().find(feature->body)) return kNoGeometry;
    *body_obj_id = feature->body;
    return 0;
}
