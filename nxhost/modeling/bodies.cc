// Bodies in the object store: one object for the body and one for each of its faces and edges.
#include "nxhost/modeling/shapes.h"

namespace nxhost::modeling {
namespace {
constexpr int kSolidType = 70;
constexpr int kBodySubtype = 0;
constexpr int kFaceSubtype = 2;
constexpr int kEdgeSubtype = 3;
}  // namespace

tag_t create_body_object(tag_t part, const ShapeRef &shape, const std::string &name) {
    std::shared_ptr<BodyPayload> exploded = explode_body(shape);
    Object &body = store().create(kSolidType, kBodySubtype, part);
    store().rename(body, name);
    body.payload = exploded;
    const tag_t body_tag = body.tag;
    for (std::size_t i = 0; i < exploded->faces.size(); ++i) {
        Object &face = store().create(kSolidType, kFaceSubtype, part, body_tag);
        face.index = static_cast<int>(i);
        face.payload = std::make_shared<ShapePayload>(exploded->faces[i]);
    }
    for (std::size_t i = 0; i < exploded->edges.size(); ++i) {
        Object &edge = store().create(kSolidType, kEdgeSubtype, part, body_tag);
        edge.index = static_cast<int>(i);
        edge.payload = std::make_shared<ShapePayload>(exploded->edges[i]);
    }
    return body_tag;
}

const ShapePayload *shape_payload(const Object &obj) {
    return dynamic_cast<const ShapePayload *>(obj.payload.get());
}

const BodyPayload *body_payload(const Object &obj) { return dynamic_cast<const BodyPayload *>(obj.payload.get()); }

}  // namespace nxhost::modeling
