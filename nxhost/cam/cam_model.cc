// CAM objects in the store: kinds, the setup with its roots, group membership and its rules.
#include "nxhost/cam/cam_model.h"

#include <algorithm>
#include <unordered_map>

#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/modeling/geometry_objects.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

struct HandleState {
    Handle next = 1;
    std::unordered_map<Handle, tag_t> owner;
};

HandleState &handles() {
    static HandleState state;
    return state;
}

const bool registered = register_reset([] { handles() = HandleState{}; });

// Per part and base name, the lowest N for which base_N may be free (see unused_cam_name).
using NameHints = std::unordered_map<tag_t, std::unordered_map<std::string, int>>;
NameHints &name_hints() {
    static NameHints hints;
    return hints;
}

// A name base_N given up (N a number without leading zeros) may be free again: the hint of its
// base comes down to N.
void release_numbered_name(tag_t part, const std::string &name) {
    const std::size_t cut = name.rfind('_');
    if (cut == std::string::npos || cut + 1 >= name.size() || name[cut + 1] == '0' || name.size() - cut > 10 ||
        name.find_first_not_of("0123456789", cut + 1) != std::string::npos)
        return;
    auto in_part = name_hints().find(part);
    if (in_part == name_hints().end()) return;
    auto hint = in_part->second.find(name.substr(0, cut));
    if (hint == in_part->second.end()) return;
    hint->second = std::min(hint->second, std::stoi(name.substr(cut + 1)));
}

const bool hints_registered = [] {
    store().on_name_released(release_numbered_name);
    return register_reset([] { name_hints().clear(); });
}();

// NX keeps the names of a setup's CAM objects apart, and deletes CAM objects with their members.
const bool rules_registered = register_object_rules(ObjectRules{
    [](const Object &obj, const std::string &name) {
        if (!cam_object(obj)) return 0;
        const tag_t other = cam_object_named(obj.part, name);
        return other != NULL_TAG && other != obj.tag ? kNameInUse : 0;
    },
    [](tag_t tag) { return cam_object(tag) ? delete_cam_object(tag) : -1; }});

const char *const kRootNames[kViewCount] = {"NC_PROGRAM", "GENERIC_MACHINE", "GEOMETRY", "METHOD"};
const char *const kViewNames[kViewCount] = {"program", "machine tool", "geometry", "method"};

std::string geometry_group_text(int subtype) {
    switch (subtype) {
    case UF_mill_orient_subtype: return "MCS group";
    case UF_mill_geom_featr_subtype: return "workpiece group";
    case UF_mill_bnd_featr_subtype: return "boundary group";
    case UF_mill_text_featr_subtype: return "text group";
    default: return "geometry group";
    }
}

// "a cutter", "an operation", "an MCS group": the article goes by the sound, and MCS is spoken
// letter by letter.
std::string with_article(const std::string &text) {
    const bool vowel = (!text.empty() && std::string("aeiouAEIOU").find(text[0]) != std::string::npos) ||
                       text.rfind("MCS", 0) == 0;
    return (vowel ? "an " : "a ") + text;
}

std::string non_cam_text(const Object &obj) {
    if (obj.type == UF_solid_type)
        return obj.subtype == UF_solid_face_subtype ? "face" : obj.subtype == UF_solid_edge_subtype ? "edge" : "body";
    if (obj.type == UF_part_type) return "part";
    switch (obj.type) {
    case UF_point_type: return "point";
    case UF_line_type: return "line";
    case UF_circle_type: return "arc";
    case UF_conic_type: return "conic";
    case UF_spline_type: return "spline";
    case UF_drafting_entity_type:
        return obj.subtype == UF_draft_note_subtype    ? "note"
               : obj.subtype == UF_draft_label_subtype ? "label"
                                                       : "drafting entity";
    case UF_coordinate_system_type: return "coordinate system";
    case UF_plane_type: return "plane";
    case UF_matrix_type: return "matrix";
    case UF_datum_plane_type: return "datum plane";
    case modeling::kXformType: return "transform";
    default: break;
    }
    return "object of type " + std::to_string(obj.type) + "/" + std::to_string(obj.subtype);
}

// What a group holds, for its refusals.
std::string holds_text(const CamObject &group) {
    switch (group.view) {
    case kProgramView: return "program groups and operations";
    case kMachineView:
        return group.kind == Kind::Cutter ? "operations" : group.kind == Kind::Root ? "cutters" : "cutters and operations";
    case kGeometryView: return "geometry groups and operations";
    default: return "method groups and operations";
    }
}

bool holds(const CamObject &group, const CamObject &member) {
    if (member.kind == Kind::Operation) return !(group.view == kMachineView && group.kind == Kind::Root);
    if (group.kind == Kind::Cutter) return false;
    if (member.kind == Kind::Cutter) return group.view == kMachineView;
    return member.kind == Kind::Group && member.view == group.view;
}

bool is_ancestor(tag_t candidate, tag_t of, View view) {
    for (tag_t t = of; t != NULL_TAG;) {
        if (t == candidate) return true;
        const CamObject *obj = cam_object(t);
        t = obj ? obj->parent[view] : NULL_TAG;
    }
    return false;
}

void unlink(tag_t member, View view) {
    CamObject *obj = cam_object(member);
    CamObject *old = obj ? cam_object(obj->parent[view]) : nullptr;
    if (old) old->members.erase(std::remove(old->members.begin(), old->members.end(), member), old->members.end());
    if (obj) obj->parent[view] = NULL_TAG;
}

void forget_object_handles(const CamObject &obj) {
    for (const auto &list : obj.items)
        for (const GeomItem &item : list.second) forget_handle(item.id);
    for (const auto &list : obj.boundaries)
        for (const Boundary &b : list.second) {
            forget_handle(b.id);
            for (const BoundaryMember &m : b.members) forget_handle(m.id);
        }
    for (const TextItem &item : obj.text) forget_handle(item.id);
}

void remove_object(tag_t tag) {
    CamObject *obj = cam_object(tag);
    if (!obj) return;
    for (int v = 0; v < kViewCount; ++v) unlink(tag, static_cast<View>(v));
    forget_object_handles(*obj);
    store().remove(tag);
}

}  // namespace

CamObject *cam_object(tag_t tag) {
    Object *obj = store().find(tag);
    return obj ? dynamic_cast<CamObject *>(obj->payload.get()) : nullptr;
}

const CamObject *cam_object(const Object &obj) { return dynamic_cast<const CamObject *>(obj.payload.get()); }

std::string kind_text(const Object &obj) {
    const CamObject *cam = cam_object(obj);
    if (!cam) return non_cam_text(obj);
    switch (cam->kind) {
    case Kind::Setup: return "CAM setup";
    case Kind::Root: return std::string(kViewNames[cam->view]) + " root";
    case Kind::Null: return std::string(kViewNames[cam->view]) + " NULL group";
    case Kind::Cutter: return "cutter";
    case Kind::Operation: return "operation";
    case Kind::Group:
        if (cam->view == kGeometryView) return geometry_group_text(obj.subtype);
        return cam->view == kProgramView ? "program group" : "method group";
    }
    return "CAM object";
}

std::string a_kind(const Object &obj) { return with_article(kind_text(obj)); }

std::string name_of(tag_t tag) {
    const Object *obj = store().find(tag);
    if (!obj) return "#" + std::to_string(tag);
    return obj->name.empty() ? "#" + std::to_string(tag) : obj->name;
}

CamObject *lookup_cam(const char *call, tag_t tag, std::initializer_list<Kind> kinds) {
    Object *obj = lookup(call, tag);
    if (!obj) return nullptr;
    CamObject *cam = dynamic_cast<CamObject *>(obj->payload.get());
    if (cam && std::find(kinds.begin(), kinds.end(), cam->kind) != kinds.end()) return cam;
    std::string wanted;
    for (Kind k : kinds) {
        const char *text = k == Kind::Operation ? "an operation"
                           : k == Kind::Cutter  ? "a cutter"
                           : k == Kind::Setup   ? "a CAM setup"
                                                : "a CAM group";
        if (wanted.find(text) == std::string::npos) wanted += (wanted.empty() ? "" : " or ") + std::string(text);
    }
    misuse(call, "tag " + std::to_string(tag) + " (" + name_of(tag) + ") is " + a_kind(*obj) + ", not " + wanted);
    return nullptr;
}

int nx_type_of(Kind kind, View view) {
    switch (kind) {
    case Kind::Setup: return UF_machining_setup_type;
    case Kind::Null: return UF_machining_null_grp_type;
    case Kind::Cutter: return UF_machining_tool_type;
    case Kind::Operation: return UF_machining_operation_type;
    default: break;
    }
    switch (view) {
    case kProgramView: return UF_machining_task_type;
    case kMachineView: return UF_machining_mach_tool_grp_type;
    case kGeometryView: return UF_machining_geometry_grp_type;
    default: return UF_machining_mthd_type;
    }
}

tag_t create_cam_object(tag_t part, Kind kind, View view, int subtype, const std::string &name) {
    Object &obj = store().create(nx_type_of(kind, view), subtype, part);
    auto payload = std::make_shared<CamObject>();
    payload->kind = kind;
    payload->view = view;
    payload->setup = kind == Kind::Setup ? obj.tag : setup_of_part(part);
    obj.payload = payload;
    store().rename(obj, name);
    return obj.tag;
}

tag_t setup_of_part(tag_t part) {
    for (tag_t t = store().next_in_part(part, UF_machining_setup_type, NULL_TAG); t != NULL_TAG;
         t = store().next_in_part(part, UF_machining_setup_type, t))
        if (cam_object(t)) return t;
    return NULL_TAG;
}

tag_t create_setup(tag_t part, const std::string &type_name) {
    const tag_t setup = create_cam_object(part, Kind::Setup, kProgramView, UF_mach_setup_subtype, "");
    CamObject *s = cam_object(setup);
    s->type_name = type_name;
    for (int v = 0; v < kViewCount; ++v) {
        const View view = static_cast<View>(v);
        const int root_subtype = view == kProgramView ? UF_mach_order_task_subtype : 0;
        const tag_t root = create_cam_object(part, Kind::Root, view, root_subtype, kRootNames[v]);
        const tag_t null = create_cam_object(part, Kind::Null, view, 0, "NONE");
        cam_object(root)->setup = cam_object(null)->setup = setup;
        s = cam_object(setup);
        s->roots[v] = root;
        s->nulls[v] = null;
        cam_object(null)->parent[v] = root;
        cam_object(root)->members.push_back(null);
    }
    return setup;
}

tag_t cam_object_named(tag_t part, const std::string &name) {
    for (tag_t t = store().next_named(part, name, -1, NULL_TAG); t != NULL_TAG;
         t = store().next_named(part, name, -1, t))
        if (cam_object(t)) return t;
    return NULL_TAG;
}

// Numbers are tried from the part's hint for the base on: every base_N below it is known to be
// taken, so that a part with thousands of copies of one template is not searched from 1 for each
// new one. A name given up lowers the hint again (see release_numbered_name).
std::string unused_cam_name(tag_t part, const std::string &base) {
    if (cam_object_named(part, base) == NULL_TAG) return base;
    int &next = name_hints()[part][base];
    if (next < 1) next = 1;
    std::string name = base + "_" + std::to_string(next);
    while (cam_object_named(part, name) != NULL_TAG) name = base + "_" + std::to_string(++next);
    return name;
}

View view_of_group(const CamObject &group) { return group.view; }

tag_t null_group(tag_t setup, View view) {
    const CamObject *s = cam_object(setup);
    return s ? s->nulls[view] : NULL_TAG;
}

bool can_accept(tag_t group, tag_t member, std::string *reason) {
    const Object *g = store().find(group);
    const Object *m = store().find(member);
    const CamObject *gc = g ? cam_object(*g) : nullptr;
    const CamObject *mc = m ? cam_object(*m) : nullptr;
    auto refuse = [&](const std::string &why) {
        if (reason) *reason = why;
        return false;
    };
    if (!gc || gc->kind == Kind::Setup || gc->kind == Kind::Operation)
        return refuse(name_of(group) + " is " + (g ? a_kind(*g) : "no object") + ", which holds no members");
    if (!mc || mc->kind == Kind::Setup || mc->kind == Kind::Root || mc->kind == Kind::Null)
        return refuse(name_of(member) + (m ? " is " + a_kind(*m) + ", which" : " is no object and") +
                      " cannot be placed in a group");
    if (g->part != m->part) return refuse(name_of(member) + " belongs to another part than " + name_of(group));
    if (!holds(*gc, *mc))
        return refuse(name_of(group) + " is " + a_kind(*g) + ": it holds only " + holds_text(*gc) + ", not the " +
                      kind_text(*m) + " " + name_of(member));
    if (mc->kind == Kind::Group && is_ancestor(member, group, gc->view))
        return refuse(name_of(member) + " cannot be placed in itself or in one of its own members");
    return true;
}

void place(tag_t group, tag_t member, tag_t sibling, bool after) {
    CamObject *g = cam_object(group);
    const View view = view_of_group(*g);
    unlink(member, view);
    g = cam_object(group);
    // Appending (no sibling) is the common case and must not search a group of thousands.
    auto at = sibling == NULL_TAG ? g->members.end() : std::find(g->members.begin(), g->members.end(), sibling);
    if (at == g->members.end())
        g->members.push_back(member);
    else
        g->members.insert(after ? at + 1 : at, member);
    cam_object(member)->parent[view] = group;
    store().mark_modified(store().find(group)->part);
}

std::vector<tag_t> operations_under(tag_t tag) {
    std::vector<tag_t> found;
    const CamObject *obj = cam_object(tag);
    if (!obj) return found;
    if (obj->kind == Kind::Operation) return {tag};
    for (tag_t m : obj->members) {
        std::vector<tag_t> below = operations_under(m);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

int delete_cam_object(tag_t tag) {
    CamObject *obj = cam_object(tag);
    if (!obj) return kBadTag;
    if (obj->kind == Kind::Setup || obj->kind == Kind::Root || obj->kind == Kind::Null) return kNotDeletable;
    const tag_t part = store().find(tag)->part;
    if (obj->kind == Kind::Cutter) {
        const tag_t none = null_group(obj->setup, kMachineView);
        for (tag_t oper : std::vector<tag_t>(obj->members)) {
            if (cam_object(none)) place(none, oper, NULL_TAG, true);
            cam_object(oper)->path = PathState{};  // generated with a tool that is gone
        }
        for (tag_t t : store().in_part(part, UF_machining_operation_type))
            if (CamObject *o = cam_object(t); o && o->ref_cutter == tag) o->ref_cutter = NULL_TAG;
    } else if (obj->kind == Kind::Group) {
        for (tag_t m : std::vector<tag_t>(obj->members)) delete_cam_object(m);
    }
    remove_object(tag);
    store().mark_modified(part);
    return 0;
}

void delete_setup(tag_t setup) {
    const Object *obj = store().find(setup);
    if (!obj) return;
    const tag_t part = obj->part;
    for (tag_t t : store().in_part(part))
        if (cam_object(t)) remove_object(t);
    store().mark_modified(part);
}

Handle new_handle() { return handles().next++; }

tag_t handle_owner(Handle id) {
    auto it = handles().owner.find(id);
    if (it == handles().owner.end() || !cam_object(it->second)) return NULL_TAG;
    return it->second;
}

void set_handle_owner(Handle id, tag_t owner) { handles().owner[id] = owner; }
void forget_handle(Handle id) { handles().owner.erase(id); }

tag_t copy_template(tag_t source, tag_t part, const std::string &name) {
    const Object *src = store().find(source);
    const CamObject *from = src ? cam_object(*src) : nullptr;
    if (!from) return NULL_TAG;
    const tag_t made = create_cam_object(part, from->kind, from->view, src->subtype, name);
    Object *obj = store().find(made);
    CamObject *to = cam_object(made);
    // Attributes and parameters travel; objects the template's values point at stay behind.
    obj->attributes = store().find(source)->attributes;
    from = cam_object(source);
    for (const auto &p : from->params)
        if (p.second.kind != ValueKind::Tag) to->params[p.first] = p.second;
    to->cutter_type = from->cutter_type;
    to->cutter_subtype = from->cutter_subtype;
    to->holder = from->holder;
    to->levels = from->levels;
    to->blank = from->blank;
    to->plane = from->plane;
    if (to->kind == Kind::Operation) {
        for (int v = 0; v < kViewCount; ++v) place(null_group(to->setup, static_cast<View>(v)), made, NULL_TAG, true);
    } else {
        place(null_group(to->setup, to->view), made, NULL_TAG, true);
    }
    return made;
}

}  // namespace nxhost::cam
