// UF_PARAM_check / generate / replay_path: what an operation needs before NX can compute its
// tool path. The stand-in computes no motion (that is NX's work): a path that could be generated
// is recorded with what it was generated from. Also the navigator refresh and the parameter
// dialog of a CAM object.
#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/generate.h"
#include "nxhost/cam/levels.h"
#include "nxhost/core/guard.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/transcript.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_ui_ont.h"
#include "uf_ui_param.h"
#include "uf_ui_types.h"

namespace nxhost::cam {
namespace {

std::string count_text(std::size_t n, const std::string &what) {
    if (n == 1) return "1 " + what;
    if (what.back() == 'y') return std::to_string(n) + " " + what.substr(0, what.size() - 1) + "ies";
    return std::to_string(n) + " " + what + "s";
}

std::size_t boundary_count(const CamObject &op, int type) {
    auto it = op.boundaries.find(type);
    return it == op.boundaries.end() ? 0 : it->second.size();
}

std::size_t item_count(const CamObject &op, int type) {
    auto it = op.items.find(type);
    return it == op.items.end() ? 0 : it->second.size();
}

Generation missing(int code, const std::string &why) { return Generation{code, why, ""}; }

Generation judge(tag_t oper) {
    const CamObject &op = *cam_object(oper);
    const std::string name = name_of(oper);
    const CamObject *cutter = cam_object(op.parent[kMachineView]);
    if (!cutter || cutter->kind != Kind::Cutter) return missing(kNeedsCutter, name + " has no cutter");
    std::string summary = "cutter " + name_of(op.parent[kMachineView]);
    const std::size_t part = part_entities(oper).size();
    const std::size_t cut_area = item_count(op, UF_CAM_cut_area);
    switch (store().find(oper)->subtype) {
    case UF_mach_cavity_milling_subtype:
    case UF_mach_plunge_milling_subtype:
    case UF_mach_zlevel_milling_subtype: {
        const bool zlevel = store().find(oper)->subtype == UF_mach_zlevel_milling_subtype;
        if (part == 0 && !(zlevel && cut_area > 0)) return missing(kNeedsPart, name + " has no part geometry");
        if (!zlevel && !has_blank(oper)) return missing(kNeedsBlank, name + " has no blank geometry");
        const std::size_t levels = current_levels(oper).size();
        if (levels == 0) return missing(kNeedsCutLevels, name + " has no cut levels");
        summary += ", " + count_text(part, "part item") + ", " + count_text(levels, "cut level");
        break;
    }
    // A fixed contour that drives by text engraves its notes; any other drive needs faces to
    // drive over: a cut area, or the part geometry.
    case UF_mach_surface_contour_subtype:
        if (effective_value(oper, *param_spec(UF_PARAM_DRIVE_METHOD)).integer == UF_PARAM_dpm_type_text) {
            if (op.text.empty()) return missing(kNeedsText, name + " drives by text and has no text items (notes)");
            summary += ", " + count_text(op.text.size(), "text item");
        } else {
            if (cut_area == 0 && part == 0) return missing(kNeedsCutArea, name + " has no cut area and no part geometry");
            summary += ", " + count_text(cut_area > 0 ? cut_area : part, cut_area > 0 ? "cut area item" : "part item");
        }
        break;
    // Face milling cuts the faces of its blank boundaries (faces to cut).
    case UF_mach_face_milling_subtype: {
        const std::size_t faces = boundary_count(op, UF_CAM_blank);
        if (faces == 0) return missing(kNeedsBoundary, name + " has no face boundaries (blank boundaries of faces to cut)");
        summary += ", " + count_text(faces, "face boundary");
        break;
    }
    // Planar milling cuts inside its part boundaries (or along its text) down to its floor.
    case UF_mach_pocket_subtype: {
        const std::size_t bounds = boundary_count(op, UF_CAM_part);
        if (bounds == 0 && op.text.empty()) return missing(kNeedsBoundary, name + " has no part boundaries");
        const ParamValue floor = effective_value(oper, *param_spec(UF_PARAM_FLOOR));
        if (floor.tag == NULL_TAG || !store().find(floor.tag))
            return missing(kNeedsFloor, name + " has no floor plane (UF_PARAM_FLOOR)");
        summary += ", " + (bounds > 0 ? count_text(bounds, "part boundary") : count_text(op.text.size(), "text item")) +
                   ", floor";
        break;
    }
    default: break;
    }
    return Generation{0, "", summary};
}

// The operations a check or generation covers; an error when the tag is neither.
int operations_of(const char *call, tag_t tag, std::vector<tag_t> *opers) {
    const CamObject *obj =
        lookup_cam(call, tag, {Kind::Root, Kind::Null, Kind::Group, Kind::Cutter, Kind::Operation});
    if (!obj) return kBadTag;
    *opers = operations_under(tag);
    return 0;
}

}  // namespace

Generation generate_path(tag_t oper) {
    const Generation verdict = judge(oper);
    CamObject *op = cam_object(oper);
    if (verdict.code != 0) {
        op->path = PathState{};
        return verdict;
    }
    op->path = PathState{true, verdict.summary};
    touch(oper);
    return verdict;
}

}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_PARAM_check(tag_t param, logical *is_ok) {
    NXHOST_ENTER("UF_PARAM_check");
    if (!is_ok) return kBadArgument;
    *is_ok = false;
    std::vector<tag_t> opers;
    if (int rc = operations_of("UF_PARAM_check", param, &opers)) return rc;
    bool ok = !opers.empty();
    for (tag_t oper : opers) ok = ok && judge(oper).code == 0;
    *is_ok = ok;
    return 0;
}

extern "C" int UF_PARAM_generate(tag_t param_tag, logical *generated) {
    NXHOST_ENTER("UF_PARAM_generate");
    if (!generated) return kBadArgument;
    *generated = false;
    std::vector<tag_t> opers;
    if (int rc = operations_of("UF_PARAM_generate", param_tag, &opers)) return rc;
    if (opers.empty()) return refuse("UF_PARAM_generate", kNotAnOperation, name_of(param_tag) + " holds no operation");
    int first_failure = 0;
    for (tag_t oper : opers) {
        const Generation made = generate_path(oper);
        if (made.code != 0 && first_failure == 0) first_failure = refuse("UF_PARAM_generate", made.code, made.why);
    }
    *generated = first_failure == 0;
    return first_failure;
}

extern "C" int UF_PARAM_replay_path(tag_t param_tag) {
    NXHOST_ENTER("UF_PARAM_replay_path");
    std::vector<tag_t> opers;
    if (int rc = operations_of("UF_PARAM_replay_path", param_tag, &opers)) return rc;
    bool any = false;
    for (tag_t oper : opers) {
        if (!cam_object(oper)->path.generated) continue;
        show("display", "tool path of " + name_of(oper) + " replayed");
        any = true;
    }
    if (!any) return refuse("UF_PARAM_replay_path", kNoPath, name_of(param_tag) + " has no generated tool path");
    return 0;
}

extern "C" int UF_UI_ONT_refresh(void) {
    NXHOST_ENTER("UF_UI_ONT_refresh");
    return 0;
}

extern "C" int UF_UI_PARAM_edit_object(tag_t obj_tag, int *dialog_response) {
    NXHOST_ENTER("UF_UI_PARAM_edit_object");
    if (!dialog_response) return kBadArgument;
    *dialog_response = UF_UI_CANCEL;
    if (!lookup_cam("UF_UI_PARAM_edit_object", obj_tag, {Kind::Group, Kind::Cutter, Kind::Operation})) return kBadTag;
    const std::string what = kind_text(*store().find(obj_tag)) + " " + name_of(obj_tag);
    show("dialog", "parameters of the " + what + " opened");
    const script::Interaction &answer = script::answer("the parameter dialog of the " + what, {"edit", "cancel", "back"});
    const std::string &verb = answer.head.verb();
    std::string button = verb == "edit" ? (answer.head.arg_count() ? answer.head.arg(0) : "OK") : verb == "back" ? "BACK" : "CANCEL";
    *dialog_response = button == "APPLY" ? UF_UI_APPLY : button == "OK" ? UF_UI_OK : button == "BACK" ? UF_UI_BACK : UF_UI_CANCEL;
    show("dialog", "parameters of the " + what + " closed with " + button);
    return 0;
}
