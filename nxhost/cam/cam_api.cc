// UF_SETUP, UF_NCGROUP and UF_PARAM queries over the CAM model of the stand-in (see cam_model.h).
// Until the stand-in builds CAM objects, every tag these calls take is refused as NX refuses
// a stale tag; the outputs are still set to "nothing" so that a careless caller reads no junk.
#include "nxhost/cam/cam_model.h"
#include "nxhost/core/guard.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_ncgroup.h"
#include "uf_param.h"
#include "uf_setup.h"

using namespace nxhost;

extern "C" int UF_SETUP_ask_setup(tag_t *setup_tag) {
    NXHOST_ENTER("UF_SETUP_ask_setup");
    if (!setup_tag) return kBadArgument;
    *setup_tag = NULL_TAG;
    const tag_t part = work_part();
    if (part == NULL_TAG) return kNoPart;
    if (part_has_cam_section(part)) return kCamNotModelled;
    return 0;
}

extern "C" int UF_SETUP_ask_mct_root(tag_t setup_tag, tag_t *mct_group) {
    NXHOST_ENTER("UF_SETUP_ask_mct_root");
    if (mct_group) *mct_group = NULL_TAG;
    return refuse_cam_tag("UF_SETUP_ask_mct_root", setup_tag);
}

extern "C" int UF_NCGROUP_ask_member_list(tag_t obj_tag, int *count, tag_t **list) {
    NXHOST_ENTER("UF_NCGROUP_ask_member_list");
    if (count) *count = 0;
    if (list) *list = nullptr;
    return refuse_cam_tag("UF_NCGROUP_ask_member_list", obj_tag);
}

extern "C" int UF_PARAM_ask_double_value(tag_t param_tag, int /*param_index*/, double *value) {
    NXHOST_ENTER("UF_PARAM_ask_double_value");
    if (value) *value = 0.0;
    return refuse_cam_tag("UF_PARAM_ask_double_value", param_tag);
}

extern "C" int UF_PARAM_ask_int_value(tag_t param_tag, int /*param_index*/, int *value) {
    NXHOST_ENTER("UF_PARAM_ask_int_value");
    if (value) *value = 0;
    return refuse_cam_tag("UF_PARAM_ask_int_value", param_tag);
}
