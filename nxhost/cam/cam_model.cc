#include "nxhost/cam/cam_model.h"

#include <string>

#include "nxhost/core/guard.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/part_model.h"

namespace nxhost {

bool part_has_cam_section(tag_t part) {
    const PartPayload *payload = part_payload(part);
    return payload && payload->kept.contains("cam");
}

int refuse_cam_tag(const char *call, tag_t tag) {
    const Object *obj = lookup(call, tag);
    if (obj)
        misuse(call, "tag " + std::to_string(tag) + " is type " + std::to_string(obj->type) + "/" +
                         std::to_string(obj->subtype) + ", not a CAM object");
    return kBadTag;
}

}  // namespace nxhost
