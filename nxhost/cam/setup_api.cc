// UF_CAM session and configuration types, UF_SETUP_*, and the steps the CAM entries share.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/cam_types.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_setup.h"

namespace nxhost::cam {

int refuse(const char *call, int code, const std::string &why) {
    std::fprintf(stderr, "nxhost: %s: %s\n", call, why.c_str());
    return code;
}

int require_session(const char *call) {
    if (session_initialized()) return 0;
    return refuse(call, kNotInitialized, "the CAM session has not been initialized (UF_CAM_init_session)");
}

int require_setup(const char *call, tag_t *setup) {
    const tag_t part = work_part();
    if (part == NULL_TAG) return refuse(call, kNoPart, "no part is open");
    *setup = setup_of_part(part);
    if (*setup == NULL_TAG) return refuse(call, kNoSetup, part_name(part) + " has no CAM setup");
    return 0;
}

void touch(tag_t tag) {
    if (const Object *obj = store().find(tag)) store().mark_modified(obj->part);
}

void changed(tag_t tag) {
    for (tag_t oper : operations_under(tag)) cam_object(oper)->path = PathState{};
    touch(tag);
}

bool is_curve_entity(const Object &obj) {
    return (obj.type == UF_solid_type && obj.subtype == UF_solid_edge_subtype) || obj.type == UF_line_type ||
           obj.type == UF_circle_type || obj.type == UF_conic_type || obj.type == UF_spline_type;
}

// Whether the record arrays may be NULL or hold NULL entries, NX's documentation does not say;
// its samples give every item a record. The stand-in refuses both rather than guess what NX
// would apply to an item without one.
int require_app_data(const char *call, int count, const void *const *records) {
    if (count <= 0) return 0;
    if (!records) {
        misuse(call, "app_data is NULL: each of the " + std::to_string(count) + " items needs its application data record");
        return kNoAppData;
    }
    for (int i = 0; i < count; ++i)
        if (!records[i]) {
            misuse(call, "app_data[" + std::to_string(i) + "] is NULL: each item needs its application data record");
            return kNoAppData;
        }
    return 0;
}

UF_CAMGEOM_app_data_t only_given(const UF_CAMGEOM_app_data_t &data) {
    UF_CAMGEOM_app_data_t kept{};
    if ((kept.has_stock = data.has_stock != 0)) kept.stock = data.stock;
    if ((kept.has_cut_stock = data.has_cut_stock != 0)) std::copy(data.cut_stock, data.cut_stock + 3, kept.cut_stock);
    if ((kept.has_tolerances = data.has_tolerances != 0)) std::copy(data.tolerances, data.tolerances + 2, kept.tolerances);
    if ((kept.has_feedrate = data.has_feedrate != 0)) {
        kept.feedrate_unit = data.feedrate_unit;
        kept.feedrate_value = data.feedrate_value;
    }
    if ((kept.has_offset = data.has_offset != 0)) {
        kept.offsetType = data.offsetType;
        kept.nominalOffset = data.nominalOffset;
        kept.offset = data.offset;
    }
    if ((kept.has_avoidance_type = data.has_avoidance_type != 0)) kept.avoidance_type = data.avoidance_type;
    return kept;
}

UF_CAMBND_app_data_t only_given(const UF_CAMBND_app_data_t &data) {
    UF_CAMBND_app_data_t kept{};
    if ((kept.has_stock = data.has_stock != 0)) kept.stock = data.stock;
    if ((kept.has_tolerances = data.has_tolerances != 0)) std::copy(data.tolerances, data.tolerances + 2, kept.tolerances);
    if ((kept.has_feedrate = data.has_feedrate != 0)) {
        kept.feedrate_unit = data.feedrate_unit;
        kept.feedrate_value = data.feedrate_value;
    }
    if ((kept.has_blank_distance = data.has_blank_distance != 0)) kept.blank_distance = data.blank_distance;
    if ((kept.has_tool_position = data.has_tool_position != 0)) kept.tool_position = data.tool_position;
    return kept;
}

std::string text_of(const char *text) { return text ? text : ""; }

int create_from_template(const char *call, const char *type_name, const char *subtype_name, int cls, tag_t *made) {
    if (!made) return kBadArgument;
    *made = NULL_TAG;
    if (int rc = require_session(call)) return rc;
    tag_t setup = NULL_TAG;
    if (int rc = require_setup(call, &setup)) return rc;
    std::string why;
    tag_t source = NULL_TAG;
    if (int rc = find_template(text_of(type_name), text_of(subtype_name), static_cast<UF_CAM_opt_stype_cls_t>(cls),
                               &source, &why))
        return refuse(call, rc, why);
    const tag_t part = work_part();
    *made = copy_template(source, part, unused_cam_name(part, text_of(subtype_name)));
    return 0;
}

namespace {

// Type or template names as NX hands them out: an array of strings the caller frees.
void hand_out_names(const std::vector<std::string> &names, int *count, const char ***list) {
    *count = static_cast<int>(names.size());
    *list = nullptr;
    if (names.empty()) return;
    auto **array = static_cast<const char **>(nx_alloc(names.size() * sizeof(char *)));
    for (std::size_t i = 0; i < names.size(); ++i) array[i] = nx_strdup(names[i]);
    *list = array;
}

// A root or NULL group of a setup for the UF_SETUP_ask_* calls.
int ask_setup_group(const char *call, tag_t setup_tag, tag_t *group, View view, bool null) {
    if (!group) return kBadArgument;
    *group = NULL_TAG;
    const CamObject *setup = lookup_cam(call, setup_tag, {Kind::Setup});
    if (!setup) return kBadTag;
    *group = null ? setup->nulls[view] : setup->roots[view];
    return 0;
}

}  // namespace
}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_CAM_is_session_initialized(logical *answer) {
    NXHOST_ENTER("UF_CAM_is_session_initialized");
    if (!answer) return kBadArgument;
    *answer = session_initialized();
    return 0;
}

extern "C" int UF_CAM_init_session(void) {
    NXHOST_ENTER("UF_CAM_init_session");
    std::string why;
    if (int rc = start_session(&why)) return refuse("UF_CAM_init_session", rc, why);
    return 0;
}

extern "C" int UF_CAM_opt_ask_types(int *count, const char ***type_names) {
    NXHOST_ENTER("UF_CAM_opt_ask_types");
    if (!count || !type_names) return kBadArgument;
    *count = 0;
    *type_names = nullptr;
    if (int rc = require_session("UF_CAM_opt_ask_types")) return rc;
    std::vector<std::string> names;
    for (const ConfigType &t : config_types()) names.push_back(t.name);
    hand_out_names(names, count, type_names);
    return 0;
}

extern "C" int UF_CAM_opt_ask_subtypes(const char *opt_type_name, UF_CAM_opt_stype_cls_t subtype_class, int *count,
                                       const char ***subtypes) {
    NXHOST_ENTER("UF_CAM_opt_ask_subtypes");
    if (!count || !subtypes) return kBadArgument;
    *count = 0;
    *subtypes = nullptr;
    if (int rc = require_session("UF_CAM_opt_ask_subtypes")) return rc;
    if (subtype_class < UF_CAM_OPT_STYPE_CLS_SETUP || subtype_class >= UF_CAM_OPT_STYPE_CLS_LAST) return kBadArgument;
    std::string why;
    tag_t library = NULL_TAG;
    if (int rc = library_part(text_of(opt_type_name), &library, &why))
        return refuse("UF_CAM_opt_ask_subtypes", rc, why);
    std::vector<std::string> names;
    if (subtype_class == UF_CAM_OPT_STYPE_CLS_SETUP)
        names.push_back(text_of(opt_type_name));  // a type offers one setup: its own
    else
        names = template_names(library, subtype_class);
    hand_out_names(names, count, subtypes);
    return 0;
}

extern "C" int UF_CAM_opt_add_type(const char *filespec) {
    NXHOST_ENTER("UF_CAM_opt_add_type");
    if (int rc = require_session("UF_CAM_opt_add_type")) return rc;
    std::string why;
    if (int rc = add_type(text_of(filespec), &why)) return refuse("UF_CAM_opt_add_type", rc, why);
    return 0;
}

extern "C" int UF_SETUP_create(tag_t part_tag, const char *template_name) {
    NXHOST_ENTER("UF_SETUP_create");
    if (!lookup_kind("UF_SETUP_create", part_tag, UF_part_type) || !part_payload(part_tag)) return kBadTag;
    if (int rc = require_session("UF_SETUP_create")) return rc;
    if (setup_of_part(part_tag) != NULL_TAG)
        return refuse("UF_SETUP_create", kSetupExists, part_name(part_tag) + " has a CAM setup already");
    std::string why;
    tag_t setup = NULL_TAG;
    if (int rc = copy_type_setup(text_of(template_name), part_tag, &setup, &why))
        return refuse("UF_SETUP_create", rc, why);
    return 0;
}

extern "C" int UF_SETUP_ask_setup(tag_t *setup_tag) {
    NXHOST_ENTER("UF_SETUP_ask_setup");
    if (!setup_tag) return kBadArgument;
    *setup_tag = NULL_TAG;
    const tag_t part = work_part();
    if (part == NULL_TAG) return kNoPart;
    *setup_tag = setup_of_part(part);
    return 0;
}

extern "C" int UF_SETUP_delete_setup(void) {
    NXHOST_ENTER("UF_SETUP_delete_setup");
    tag_t setup = NULL_TAG;
    if (int rc = require_setup("UF_SETUP_delete_setup", &setup)) return rc;
    delete_setup(setup);
    return 0;
}

extern "C" int UF_SETUP_ask_program_root(tag_t setup_tag, tag_t *program_group) {
    NXHOST_ENTER("UF_SETUP_ask_program_root");
    return ask_setup_group("UF_SETUP_ask_program_root", setup_tag, program_group, kProgramView, false);
}

extern "C" int UF_SETUP_ask_geom_root(tag_t setup_tag, tag_t *geom_group) {
    NXHOST_ENTER("UF_SETUP_ask_geom_root");
    return ask_setup_group("UF_SETUP_ask_geom_root", setup_tag, geom_group, kGeometryView, false);
}

extern "C" int UF_SETUP_ask_mct_root(tag_t setup_tag, tag_t *mct_group) {
    NXHOST_ENTER("UF_SETUP_ask_mct_root");
    return ask_setup_group("UF_SETUP_ask_mct_root", setup_tag, mct_group, kMachineView, false);
}

extern "C" int UF_SETUP_ask_mthd_root(tag_t setup_tag, tag_t *mthd_group) {
    NXHOST_ENTER("UF_SETUP_ask_mthd_root");
    return ask_setup_group("UF_SETUP_ask_mthd_root", setup_tag, mthd_group, kMethodView, false);
}

extern "C" int UF_SETUP_ask_program_null(tag_t setup_tag, tag_t *program_null) {
    NXHOST_ENTER("UF_SETUP_ask_program_null");
    return ask_setup_group("UF_SETUP_ask_program_null", setup_tag, program_null, kProgramView, true);
}

extern "C" int UF_SETUP_ask_geom_null(tag_t setup_tag, tag_t *geom_null) {
    NXHOST_ENTER("UF_SETUP_ask_geom_null");
    return ask_setup_group("UF_SETUP_ask_geom_null", setup_tag, geom_null, kGeometryView, true);
}

extern "C" int UF_SETUP_ask_mct_null(tag_t setup_tag, tag_t *mct_null) {
    NXHOST_ENTER("UF_SETUP_ask_mct_null");
    return ask_setup_group("UF_SETUP_ask_mct_null", setup_tag, mct_null, kMachineView, true);
}

extern "C" int UF_SETUP_ask_mthd_null(tag_t setup_tag, tag_t *mthd_null) {
    NXHOST_ENTER("UF_SETUP_ask_mthd_null");
    return ask_setup_group("UF_SETUP_ask_mthd_null", setup_tag, mthd_null, kMethodView, true);
}
