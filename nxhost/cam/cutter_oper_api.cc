// UF_CUTTER_* and UF_OPER_*: cutters with their holders, operations and their groups.
#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "uf_cam.h"
#include "uf_cutter.h"
#include "uf_oper.h"

using namespace nxhost;
using namespace nxhost::cam;

namespace {

// The operation's parent in a view for the UF_OPER_ask_*_group calls.
int ask_parent(const char *call, tag_t oper, tag_t *group, View view) {
    if (!group) return kBadArgument;
    *group = NULL_TAG;
    const CamObject *op = lookup_cam(call, oper, {Kind::Operation});
    if (!op) return kBadTag;
    *group = op->parent[view];
    return 0;
}

}  // namespace

extern "C" int UF_CUTTER_create(char *type_name, char *subtype_name, tag_t *new_object) {
    NXHOST_ENTER("UF_CUTTER_create");
    return create_from_template("UF_CUTTER_create", type_name, subtype_name, UF_CAM_OPT_STYPE_CLS_TOOL, new_object);
}

extern "C" int UF_CUTTER_ask_type_and_subtype(tag_t object_id, int *type, int *subtype) {
    NXHOST_ENTER("UF_CUTTER_ask_type_and_subtype");
    if (!type || !subtype) return kBadArgument;
    const CamObject *cutter = lookup_cam("UF_CUTTER_ask_type_and_subtype", object_id, {Kind::Cutter});
    if (!cutter) return kBadTag;
    *type = cutter->cutter_type;
    *subtype = cutter->cutter_subtype;
    return 0;
}

extern "C" int UF_CUTTER_create_holder_section(tag_t object_tag, UF_CUTTER_holder_section_t *data) {
    NXHOST_ENTER("UF_CUTTER_create_holder_section");
    if (!data) return kBadArgument;
    CamObject *cutter = lookup_cam("UF_CUTTER_create_holder_section", object_tag, {Kind::Cutter});
    if (!cutter) return kBadTag;
    if (!(data->diameter > 0.0) || !(data->length > 0.0) || data->corner < 0.0)
        return refuse("UF_CUTTER_create_holder_section", kBadValue,
                      "a holder section needs a diameter and a length above 0 and a corner radius of 0 or more");
    cutter->holder.push_back({data->diameter, data->length, data->taper, data->corner});
    changed(object_tag);  // the holder is part of the tool its operations cut with
    return 0;
}

extern "C" int UF_CUTTER_ask_section_count(tag_t object_tag, int *count) {
    NXHOST_ENTER("UF_CUTTER_ask_section_count");
    if (!count) return kBadArgument;
    *count = 0;
    const CamObject *cutter = lookup_cam("UF_CUTTER_ask_section_count", object_tag, {Kind::Cutter});
    if (!cutter) return kBadTag;
    *count = static_cast<int>(cutter->holder.size());
    return 0;
}

extern "C" int UF_CUTTER_delete_holder_section(tag_t object_tag, int index) {
    NXHOST_ENTER("UF_CUTTER_delete_holder_section");
    CamObject *cutter = lookup_cam("UF_CUTTER_delete_holder_section", object_tag, {Kind::Cutter});
    if (!cutter) return kBadTag;
    if (index < 0 || index >= static_cast<int>(cutter->holder.size())) return kNoSuchSection;
    cutter->holder.erase(cutter->holder.begin() + index);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CUTTER_ask_holder_data(tag_t object_tag, int *count, UF_CUTTER_holder_section_t ***data) {
    NXHOST_ENTER("UF_CUTTER_ask_holder_data");
    if (!count || !data) return kBadArgument;
    *count = 0;
    *data = nullptr;
    const CamObject *cutter = lookup_cam("UF_CUTTER_ask_holder_data", object_tag, {Kind::Cutter});
    if (!cutter) return kBadTag;
    const std::size_t n = cutter->holder.size();
    if (n == 0) return 0;
    auto **list = static_cast<UF_CUTTER_holder_section_t **>(nx_alloc(n * sizeof(void *)));
    for (std::size_t i = 0; i < n; ++i) {
        list[i] = static_cast<UF_CUTTER_holder_section_t *>(nx_alloc(sizeof(UF_CUTTER_holder_section_t)));
        const HolderSection &s = cutter->holder[i];
        *list[i] = {s.diameter, s.length, s.taper, s.corner};
    }
    *count = static_cast<int>(n);
    *data = list;
    return 0;
}

extern "C" int UF_OPER_create(char *type_name, char *subtype_name, tag_t *new_object) {
    NXHOST_ENTER("UF_OPER_create");
    return create_from_template("UF_OPER_create", type_name, subtype_name, UF_CAM_OPT_STYPE_CLS_OPER, new_object);
}

extern "C" int UF_OPER_ask_cutter_group(tag_t oper, tag_t *group) {
    NXHOST_ENTER("UF_OPER_ask_cutter_group");
    return ask_parent("UF_OPER_ask_cutter_group", oper, group, kMachineView);
}

extern "C" int UF_OPER_ask_program_group(tag_t oper, tag_t *group) {
    NXHOST_ENTER("UF_OPER_ask_program_group");
    return ask_parent("UF_OPER_ask_program_group", oper, group, kProgramView);
}

extern "C" int UF_OPER_ask_geom_group(tag_t oper, tag_t *group) {
    NXHOST_ENTER("UF_OPER_ask_geom_group");
    return ask_parent("UF_OPER_ask_geom_group", oper, group, kGeometryView);
}

extern "C" int UF_OPER_ask_method_group(tag_t oper, tag_t *group) {
    NXHOST_ENTER("UF_OPER_ask_method_group");
    return ask_parent("UF_OPER_ask_method_group", oper, group, kMethodView);
}

extern "C" int UF_OPER_ask_ref_cutter(tag_t oper_tag, tag_t *ref_cutter_tag) {
    NXHOST_ENTER("UF_OPER_ask_ref_cutter");
    if (!ref_cutter_tag) return kBadArgument;
    *ref_cutter_tag = NULL_TAG;
    const CamObject *op = lookup_cam("UF_OPER_ask_ref_cutter", oper_tag, {Kind::Operation});
    if (!op) return kBadTag;
    *ref_cutter_tag = cam_object(op->ref_cutter) ? op->ref_cutter : NULL_TAG;
    return 0;
}

extern "C" int UF_OPER_set_ref_cutter(tag_t oper_tag, tag_t ref_cutter_tag) {
    NXHOST_ENTER("UF_OPER_set_ref_cutter");
    CamObject *op = lookup_cam("UF_OPER_set_ref_cutter", oper_tag, {Kind::Operation});
    if (!op) return kBadTag;
    if (ref_cutter_tag != NULL_TAG) {
        if (!lookup_cam("UF_OPER_set_ref_cutter", ref_cutter_tag, {Kind::Cutter})) return kBadTag;
        if (store().find(ref_cutter_tag)->part != store().find(oper_tag)->part)
            return refuse("UF_OPER_set_ref_cutter", kBadArgument, "the reference cutter belongs to another part");
    }
    op->ref_cutter = ref_cutter_tag;
    touch(oper_tag);
    return 0;
}
