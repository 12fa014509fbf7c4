// Names and references of the "cam" section shared by its reader, its writer and the tree.
#include <algorithm>

#include "nxhost/cam/cam_file.h"
#include "nxhost/csys/csys.h"
#include "nxhost/parts/part_sections.h"
#include "uf_cam.h"
#include "uf_cutter.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

struct Named {
    int value;
    const char *name;
};

const Named kOperationKinds[] = {
    {UF_mach_pocket_subtype, "planar_mill"},       {UF_mach_surface_contour_subtype, "fixed_contour"},
    {UF_mach_cavity_milling_subtype, "cavity_mill"}, {UF_mach_face_milling_subtype, "face_milling"},
    {UF_mach_zlevel_milling_subtype, "zlevel"},     {UF_mach_plunge_milling_subtype, "plunge_mill"},
};

const Named kGeometryKinds[] = {
    {UF_mill_orient_subtype, "mcs"},        {UF_mill_geom_featr_subtype, "workpiece"},
    {UF_mill_bnd_featr_subtype, "boundary"}, {UF_mill_volume_featr_subtype, "volume"},
    {UF_mill_text_featr_subtype, "text"},
};

const Named kCutterKinds[] = {
    {UF_CUTTER_SUBTYPE_MILL_5, "mill_5"},          {UF_CUTTER_SUBTYPE_MILL_7, "mill_7"},
    {UF_CUTTER_SUBTYPE_MILL_10, "mill_10"},        {UF_CUTTER_SUBTYPE_MILL_BALL, "ball_mill"},
    {UF_CUTTER_SUBTYPE_MILL_CHAMFER, "chamfer_mill"}, {UF_CUTTER_SUBTYPE_MILL_SPHERICAL, "spherical_mill"},
};

const char *const kGeomTypes[] = {"part", "blank", "check", "trim", "cut_area", "wall", "drive"};

template <std::size_t N>
const char *name_in(const Named (&table)[N], int value) {
    for (const Named &n : table)
        if (n.value == value) return n.name;
    return "";
}

template <std::size_t N>
int value_in(const Named (&table)[N], const std::string &name) {
    for (const Named &n : table)
        if (name == n.name) return n.value;
    return -1;
}

// Bodies of the part in creation order.
std::vector<tag_t> bodies_of(tag_t part) {
    std::vector<tag_t> bodies;
    for (tag_t t : store().body_level_in_part(part, UF_solid_type))
        if (store().find(t)->subtype == UF_solid_body_subtype) bodies.push_back(t);
    return bodies;
}

// Body-level objects of the part of one type that the part file keeps, in creation order (a
// temporary coordinate system, such as the WCS, is not saved, so it counts for no reference).
std::vector<tag_t> objects_of(tag_t part, int type) {
    std::vector<tag_t> found;
    for (tag_t t : store().body_level_in_part(part, type)) {
        const Object *obj = store().find(t);
        const auto *frame = dynamic_cast<const csys::CsysPayload *>(obj->payload.get());
        if (!(frame && frame->temporary)) found.push_back(t);
    }
    return found;
}

Json body_reference(tag_t part, tag_t body) {
    const std::string &name = store().find(body)->name;
    const std::vector<tag_t> bodies = bodies_of(part);
    const auto same_name = std::count_if(bodies.begin(), bodies.end(),
                                         [&](tag_t b) { return store().find(b)->name == name; });
    if (!name.empty() && same_name == 1) return Json{{"body", name}};
    const auto nth = std::find(bodies.begin(), bodies.end(), body) - bodies.begin();
    return Json{{"object", {{"type", UF_solid_type}, {"nth", nth}}}};
}

[[noreturn]] void fail(const std::string &place, const std::string &what) { throw SectionError(place + ": " + what); }

int whole(const Json &j, const std::string &place) {
    if (!j.is_number_integer() || j.get<long long>() < 0) fail(place, "expected a whole number of 0 or more");
    return j.get<int>();
}

tag_t body_of_reference(tag_t part, const Json &ref, const std::string &place) {
    if (ref.contains("body")) {
        if (!ref["body"].is_string()) fail(place + ".body", "expected a body name");
        const std::string name = ref["body"].get<std::string>();
        tag_t found = NULL_TAG;
        for (tag_t b : bodies_of(part)) {
            if (store().find(b)->name != name) continue;
            if (found != NULL_TAG) fail(place + ".body", "two bodies are named " + name);
            found = b;
        }
        if (found == NULL_TAG) fail(place + ".body", "no body named " + name);
        return found;
    }
    return NULL_TAG;
}

}  // namespace

const char *view_key(View view) {
    static const char *const keys[kViewCount] = {"program", "machine", "geometry", "method"};
    return keys[view];
}

std::string operation_kind_name(int subtype) { return name_in(kOperationKinds, subtype); }
int operation_subtype_of(const std::string &name) { return value_in(kOperationKinds, name); }

std::string group_kind_name(View view, int subtype) {
    if (view == kGeometryView) return name_in(kGeometryKinds, subtype);
    return view == kProgramView ? "program" : "mill";
}

int group_subtype_of(View view, const std::string &name) {
    if (view == kGeometryView) return value_in(kGeometryKinds, name);
    if (view == kProgramView) return name == "program" ? UF_mach_order_task_subtype : -1;
    if (view == kMethodView) return name == "mill" ? UF_mach_mill_mthd_subtype : -1;
    return -1;
}

std::string cutter_kind_name(int type, int subtype) {
    return type == UF_CUTTER_TYPE_MILL ? name_in(kCutterKinds, subtype) : "";
}

bool cutter_kind_of(const std::string &name, int *type, int *subtype) {
    const int found = value_in(kCutterKinds, name);
    if (found < 0) return false;
    *type = UF_CUTTER_TYPE_MILL;
    *subtype = found;
    return true;
}

const char *geom_type_key(int type) { return type >= UF_CAM_part && type <= UF_CAM_drive ? kGeomTypes[type] : ""; }

Json reference_of(tag_t part, tag_t entity) {
    const Object *obj = store().find(entity);
    if (!obj) return nullptr;
    if (obj->type == UF_solid_type && obj->subtype != UF_solid_body_subtype) {
        Json ref = body_reference(part, obj->parent);
        ref[obj->subtype == UF_solid_face_subtype ? "face" : "edge"] = obj->index;
        return ref;
    }
    if (obj->type == UF_solid_type) return body_reference(part, entity);
    const std::vector<tag_t> same = objects_of(part, obj->type);
    const auto nth = std::find(same.begin(), same.end(), entity) - same.begin();
    return Json{{"object", {{"type", obj->type}, {"nth", nth}}}};
}

tag_t resolve_reference(tag_t part, const Json &ref, const std::string &place) {
    if (!ref.is_object()) fail(place, "expected a reference such as {\"body\": \"E1\", \"face\": 3}");
    tag_t body = body_of_reference(part, ref, place);
    if (body == NULL_TAG) {
        if (!ref.contains("object") || !ref["object"].is_object())
            fail(place, "expected \"body\" or \"object\" in a reference");
        const Json &o = ref["object"];
        if (!o.contains("type") || !o.contains("nth")) fail(place + ".object", "expected \"type\" and \"nth\"");
        const int type = whole(o["type"], place + ".object.type");
        const int nth = whole(o["nth"], place + ".object.nth");
        const std::vector<tag_t> same = type == UF_solid_type ? bodies_of(part) : objects_of(part, type);
        if (static_cast<std::size_t>(nth) >= same.size())
            fail(place + ".object", "the part has " + std::to_string(same.size()) + " object(s) of type " +
                                        std::to_string(type) + ", not " + std::to_string(nth + 1));
        body = same[static_cast<std::size_t>(nth)];
        if (type != UF_solid_type) return body;
    }
    for (const char *sub : {"face", "edge"}) {
        if (!ref.contains(sub)) continue;
        const int subtype = std::string(sub) == "face" ? UF_solid_face_subtype : UF_solid_edge_subtype;
        const std::vector<tag_t> children = store().children(body, subtype);
        const int index = whole(ref[sub], place + "." + sub);
        if (static_cast<std::size_t>(index) >= children.size())
            fail(place + "." + sub, name_of(body) + " has " + std::to_string(children.size()) + " " + sub + "s");
        return children[static_cast<std::size_t>(index)];
    }
    return body;
}

}  // namespace nxhost::cam
