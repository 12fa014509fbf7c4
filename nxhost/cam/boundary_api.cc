// UF_CAMBND_* (boundaries from planar faces and from curves) and UF_CAMTEXT_* (text items).
#include <algorithm>
#include <cstring>

#include "nxhost/cam/boundary_geometry.h"
#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/parts/parts.h"
#include "uf_cambnd.h"
#include "uf_camtext.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

const char *const kBoundaryTypeNames[] = {"part", "blank", "check", "trim"};

// Planar milling operations and boundary groups hold part, blank, check and trim boundaries;
// face milling its faces to cut as blank boundaries, and check boundaries.
int boundary_holder(const char *call, tag_t tag, int type, CamObject **holder) {
    *holder = lookup_cam(call, tag, {Kind::Group, Kind::Operation});
    if (!*holder) return kBadTag;
    const Object &obj = *store().find(tag);
    const bool face_milling = (*holder)->kind == Kind::Operation && obj.subtype == UF_mach_face_milling_subtype;
    const bool takes = (*holder)->kind == Kind::Operation
                           ? obj.subtype == UF_mach_pocket_subtype || face_milling
                           : (*holder)->view == kGeometryView && obj.subtype == UF_mill_bnd_featr_subtype;
    const std::string who = "the " + kind_text(obj) + " " + name_of(tag);
    if (!takes) return refuse(call, kBadEntity, who + " takes no boundaries");
    const bool known = type >= UF_CAM_part && type <= UF_CAM_trim;
    if (face_milling ? type == UF_CAM_blank || type == UF_CAM_check : known) return 0;
    const std::string type_name = known ? kBoundaryTypeNames[type] : "type " + std::to_string(type);
    return refuse(call, kBadEntity,
                  who + " takes no " + type_name + " boundaries (" +
                      (face_milling ? "blank and check" : "part, blank, check and trim") + " only)");
}

// A user plane's matrix: the X, Y and Z rows of a right-handed frame, Z the plane's normal.
int check_plane_matrix(const char *call, const double matrix[9]) {
    csys::Matrix m{};
    std::copy(matrix, matrix + 9, m.begin());
    if (csys::is_orthonormal(m)) return 0;
    return refuse(call, kBadPlane, "the plane matrix is not orthonormal and right-handed (rows X, Y, Z)");
}

// An enum field as the caller stored it: a C caller may put any int there, and reading that
// through the enum type is undefined in C++.
template <typename Enum> int stored_int(const Enum &field) {
    static_assert(sizeof(Enum) == sizeof(int), "C enums of the API are int-sized");
    int value = 0;
    std::memcpy(&value, &field, sizeof value);
    return value;
}

// The values of boundary data NX knows; a user plane needs a frame for its matrix.
int check_boundary_data(const char *call, const UF_CAMBND_boundary_data_t &data, bool from_face) {
    const int type = stored_int(data.boundary_type);
    if (!from_face && type != UF_CAM_boundary_type_closed && type != UF_CAM_boundary_type_open)
        return refuse(call, kBadArgument, "boundary_type is 0 (closed) or 1 (open), not " + std::to_string(type));
    if (!from_face && data.plane_type != 0 && data.plane_type != 1)
        return refuse(call, kBadArgument,
                      "plane_type is 0 (user defined) or 1 (automatic), not " + std::to_string(data.plane_type));
    const int side = stored_int(data.material_side);
    if (side < UF_CAM_material_side_undefined || side > UF_CAM_material_side_out_right)
        return refuse(call, kBadArgument, "material_side is 0, 1 or 2, not " + std::to_string(side));
    if (!from_face && data.plane_type == 0) return check_plane_matrix(call, data.matrix);
    return 0;
}

// The part whose WCS the origins of boundary data are given in: the work part, as NX's.
tag_t wcs_part(tag_t owner) {
    const tag_t work = work_part();
    return work != NULL_TAG ? work : store().find(owner)->part;
}

// A boundary of the data, its origin taken from the WCS into absolute coordinates.
Boundary new_boundary(tag_t owner, const UF_CAMBND_boundary_data_t &data) {
    Boundary b;
    b.id = new_handle();
    set_handle_owner(b.id, owner);
    b.data = data;
    b.data.app_data = nullptr;
    const Vec3 origin = wcs_to_absolute(wcs_part(owner), data.origin);
    std::copy(origin.begin(), origin.end(), b.data.origin);
    if (data.app_data) {
        b.has_data = true;
        b.app = only_given(*data.app_data);
    }
    return b;
}

BoundaryMember new_member(tag_t owner, tag_t entity, const UF_CAMBND_app_data_t *data) {
    BoundaryMember m;
    m.id = new_handle();
    set_handle_owner(m.id, owner);
    m.entity = entity;
    if (data) {
        m.has_data = true;
        m.data = only_given(*data);
    }
    return m;
}

Boundary *find_boundary(UF_CAMBND_boundary_t handle) {
    const Handle id = reinterpret_cast<Handle>(handle);
    CamObject *owner = cam_object(handle_owner(id));
    if (!owner) return nullptr;
    for (auto &list : owner->boundaries)
        for (Boundary &b : list.second)
            if (b.id == id) return &b;
    return nullptr;
}

const BoundaryMember *find_member(UF_CAMBND_item_t handle) {
    const Handle id = reinterpret_cast<Handle>(handle);
    CamObject *owner = cam_object(handle_owner(id));
    if (!owner) return nullptr;
    for (auto &list : owner->boundaries)
        for (Boundary &b : list.second)
            for (const BoundaryMember &m : b.members)
                if (m.id == id) return &m;
    return nullptr;
}

void forget(const Boundary &b) {
    forget_handle(b.id);
    for (const BoundaryMember &m : b.members) forget_handle(m.id);
}



template <class Handles>
void hand_out(const Handles &ids, int *count, void ***out) {
    *count = static_cast<int>(ids.size());
    *out = nullptr;
    if (ids.empty()) return;
    auto **array = static_cast<void **>(nx_alloc(ids.size() * sizeof(void *)));
    for (std::size_t i = 0; i < ids.size(); ++i) array[i] = reinterpret_cast<void *>(ids[i]);
    *out = array;
}

}  // namespace
}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

// A face makes one boundary per loop: its outer loop and, unless ignored, each hole and island.
// NX makes such boundaries closed with an automatic plane (the face's) whatever the data says.
extern "C" int UF_CAMBND_append_bnd_from_face(tag_t object_tag, UF_CAM_geom_type_t type, tag_t face,
                                              UF_CAMBND_boundary_data_p_t boundary_data) {
    NXHOST_ENTER("UF_CAMBND_append_bnd_from_face");
    const char *call = "UF_CAMBND_append_bnd_from_face";
    if (!boundary_data) return kBadArgument;
    CamObject *holder = nullptr;
    if (int rc = boundary_holder(call, object_tag, type, &holder)) return rc;
    const Object *face_obj = lookup(call, face);
    if (!face_obj) return kBadTag;
    const modeling::ShapePayload *shape = modeling::shape_payload(*face_obj);
    if (face_obj->type != UF_solid_type || face_obj->subtype != UF_solid_face_subtype || !shape)
        return refuse(call, kBadEntity, name_of(face) + " is " + a_kind(*face_obj) + ", not a face");
    if (face_obj->part != store().find(object_tag)->part)
        return refuse(call, kBadEntity, "the face belongs to another part");
    if (!modeling::face_info(shape->shape).planar)
        return refuse(call, kNotPlanar, "a boundary is made from a planar face only");
    if (int rc = check_boundary_data(call, *boundary_data, true)) return rc;
    UF_CAMBND_boundary_data_t data = *boundary_data;
    data.boundary_type = UF_CAM_boundary_type_closed;
    data.plane_type = 1;
    std::vector<Boundary> &list = holder->boundaries[type];
    const std::vector<FaceLoop> loops = planar_face_loops(*face_obj, data.ignore_chamfers != 0);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        if ((loops[i].kind == LoopKind::Hole && data.ignore_holes) ||
            (loops[i].kind == LoopKind::Island && data.ignore_islands))
            continue;
        Boundary b = new_boundary(object_tag, data);
        b.face = face;
        b.loop = static_cast<int>(i);
        b.loop_kind = loops[i].kind;
        for (tag_t edge : loops[i].edges) b.members.push_back(new_member(object_tag, edge, nullptr));
        list.push_back(b);
    }
    changed(object_tag);
    return 0;
}

// One boundary of edges and curves (lines and arcs) that join end to end in the order given;
// a closed boundary must close. NX's documentation does not say what it does with curves that
// leave a gap; the stand-in refuses them rather than bridge the gap.
extern "C" int UF_CAMBND_append_bnd_from_curve(tag_t object_tag, UF_CAM_geom_type_t type, int count, tag_t *curves,
                                               UF_CAMBND_boundary_data_p_t boundary_data,
                                               UF_CAMBND_app_data_p_t *app_data) {
    NXHOST_ENTER("UF_CAMBND_append_bnd_from_curve");
    const char *call = "UF_CAMBND_append_bnd_from_curve";
    if (count < 1 || !curves || !boundary_data) return kBadArgument;
    CamObject *holder = nullptr;
    if (int rc = boundary_holder(call, object_tag, type, &holder)) return rc;
    std::vector<tag_t> members;
    for (int i = 0; i < count; ++i) {
        const Object *curve = lookup(call, curves[i]);
        if (!curve) return kBadTag;
        std::string what;
        if (curve->part != store().find(object_tag)->part)
            return refuse(call, kBadEntity, "member " + std::to_string(i) + " belongs to another part");
        if (!boundary_curve(*curve, &what))
            return refuse(call, kBadEntity,
                          "member " + std::to_string(i) + " is " + what + ": a boundary is made of edges, lines and arcs");
        members.push_back(curves[i]);
    }
    if (int rc = check_boundary_data(call, *boundary_data, false)) return rc;
    std::string why;
    if (!members_chain(members, boundary_data->boundary_type == UF_CAM_boundary_type_closed, &why))
        return refuse(call, kNotConnected, why);
    if (int rc = require_app_data(call, count, reinterpret_cast<const void *const *>(app_data))) return rc;
    Boundary b = new_boundary(object_tag, *boundary_data);
    for (int i = 0; i < count; ++i) b.members.push_back(new_member(object_tag, curves[i], app_data[i]));
    holder->boundaries[type].push_back(b);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMBND_ask_boundaries(tag_t object_tag, UF_CAM_geom_type_t type, int *count,
                                        UF_CAMBND_boundary_t **boundaries) {
    NXHOST_ENTER("UF_CAMBND_ask_boundaries");
    if (!count || !boundaries) return kBadArgument;
    *count = 0;
    *boundaries = nullptr;
    const CamObject *holder = lookup_cam("UF_CAMBND_ask_boundaries", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    std::vector<Handle> ids;
    auto list = holder->boundaries.find(type);
    if (list != holder->boundaries.end())
        for (const Boundary &b : list->second) ids.push_back(b.id);
    hand_out(ids, count, boundaries);
    return 0;
}

extern "C" int UF_CAMBND_ask_boundary_data(UF_CAMBND_boundary_t boundary, UF_CAMBND_boundary_data_t *boundary_data) {
    NXHOST_ENTER("UF_CAMBND_ask_boundary_data");
    if (!boundary_data) return kBadArgument;
    const Boundary *b = find_boundary(boundary);
    if (!b) return kNoSuchItem;
    *boundary_data = b->data;
    boundary_data->app_data = nullptr;
    // Origins are given in the WCS and answered in it.
    const Vec3 origin = absolute_to_wcs(wcs_part(handle_owner(reinterpret_cast<Handle>(boundary))),
                                        {b->data.origin[0], b->data.origin[1], b->data.origin[2]});
    std::copy(origin.begin(), origin.end(), boundary_data->origin);
    return 0;
}

extern "C" int UF_CAMBND_ask_boundary_items(UF_CAMBND_boundary_t boundary, int *count, UF_CAMBND_item_t **items) {
    NXHOST_ENTER("UF_CAMBND_ask_boundary_items");
    if (!count || !items) return kBadArgument;
    *count = 0;
    *items = nullptr;
    const Boundary *b = find_boundary(boundary);
    if (!b) return kNoSuchItem;
    std::vector<Handle> ids;
    for (const BoundaryMember &m : b->members) ids.push_back(m.id);
    hand_out(ids, count, items);
    return 0;
}

extern "C" int UF_CAMBND_ask_item_entity(UF_CAMBND_item_t item, tag_t *entity) {
    NXHOST_ENTER("UF_CAMBND_ask_item_entity");
    if (!entity) return kBadArgument;
    *entity = NULL_TAG;
    const BoundaryMember *m = find_member(item);
    if (!m) return kNoSuchItem;
    *entity = m->entity;
    return 0;
}

extern "C" int UF_CAMBND_set_boundary_plane(UF_CAMBND_boundary_t boundary, double bnd_origin[3], double bnd_matrix[9]) {
    NXHOST_ENTER("UF_CAMBND_set_boundary_plane");
    if (!bnd_origin || !bnd_matrix) return kBadArgument;
    Boundary *b = find_boundary(boundary);
    if (!b) return kNoSuchItem;
    if (int rc = check_plane_matrix("UF_CAMBND_set_boundary_plane", bnd_matrix)) return rc;
    const tag_t owner = handle_owner(reinterpret_cast<Handle>(boundary));
    const Vec3 origin = wcs_to_absolute(wcs_part(owner), bnd_origin);
    b->data.plane_type = 0;
    std::copy(origin.begin(), origin.end(), b->data.origin);
    std::copy(bnd_matrix, bnd_matrix + 9, b->data.matrix);
    changed(owner);
    return 0;
}

extern "C" int UF_CAMBND_delete_boundaries(tag_t object_tag, UF_CAM_geom_type_t type) {
    NXHOST_ENTER("UF_CAMBND_delete_boundaries");
    CamObject *holder = lookup_cam("UF_CAMBND_delete_boundaries", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    for (const Boundary &b : holder->boundaries[type]) forget(b);
    holder->boundaries.erase(type);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMBND_delete_boundary(tag_t object_tag, UF_CAM_geom_type_t type, UF_CAMBND_boundary_t boundary) {
    NXHOST_ENTER("UF_CAMBND_delete_boundary");
    CamObject *holder = lookup_cam("UF_CAMBND_delete_boundary", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    std::vector<Boundary> &list = holder->boundaries[type];
    const Handle id = reinterpret_cast<Handle>(boundary);
    auto at = std::find_if(list.begin(), list.end(), [&](const Boundary &b) { return b.id == id; });
    if (at == list.end()) return kNoSuchItem;
    forget(*at);
    list.erase(at);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMTEXT_append_items(tag_t object_tag, int count, tag_t *entity_list) {
    NXHOST_ENTER("UF_CAMTEXT_append_items");
    if (count < 0 || (count > 0 && !entity_list)) return kBadArgument;
    CamObject *holder = lookup_cam("UF_CAMTEXT_append_items", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    const Object &obj = *store().find(object_tag);
    const bool takes = holder->kind == Kind::Operation
                           ? obj.subtype == UF_mach_surface_contour_subtype || obj.subtype == UF_mach_pocket_subtype
                           : holder->view == kGeometryView && obj.subtype == UF_mill_text_featr_subtype;
    if (!takes)
        return refuse("UF_CAMTEXT_append_items", kBadEntity, "the " + kind_text(obj) + " " + name_of(object_tag) + " takes no text");
    // A fixed contour engraves notes only when it drives by text.
    const int drive = effective_value(object_tag, *param_spec(UF_PARAM_DRIVE_METHOD)).integer;
    if (holder->kind == Kind::Operation && obj.subtype == UF_mach_surface_contour_subtype && drive != UF_PARAM_dpm_type_text)
        return refuse("UF_CAMTEXT_append_items", kBadEntity,
                      name_of(object_tag) + " drives by " + drive_method_name(drive) + ", not by text: it takes no text");
    for (int i = 0; i < count; ++i) {
        const Object *note = lookup("UF_CAMTEXT_append_items", entity_list[i]);
        if (!note) return kBadTag;
        if (note->part != obj.part)
            return refuse("UF_CAMTEXT_append_items", kBadEntity, "entity " + std::to_string(i) + " belongs to another part");
        if (note->type != UF_drafting_entity_type ||
            (note->subtype != UF_draft_note_subtype && note->subtype != UF_draft_label_subtype))
            return refuse("UF_CAMTEXT_append_items", kBadEntity,
                          "entity " + std::to_string(i) + " is " + a_kind(*note) + ", not a note or label");
    }
    for (int i = 0; i < count; ++i) {
        TextItem item{new_handle(), entity_list[i]};
        set_handle_owner(item.id, object_tag);
        holder->text.push_back(item);
    }
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMTEXT_ask_items(tag_t object_tag, int *count, UF_CAMTEXT_item_t **items) {
    NXHOST_ENTER("UF_CAMTEXT_ask_items");
    if (!count || !items) return kBadArgument;
    *count = 0;
    *items = nullptr;
    const CamObject *holder = lookup_cam("UF_CAMTEXT_ask_items", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    std::vector<Handle> ids;
    for (const TextItem &t : holder->text) ids.push_back(t.id);
    hand_out(ids, count, items);
    return 0;
}

extern "C" int UF_CAMTEXT_ask_item_entity(UF_CAMTEXT_item_t item, tag_t *entity) {
    NXHOST_ENTER("UF_CAMTEXT_ask_item_entity");
    if (!entity) return kBadArgument;
    *entity = NULL_TAG;
    const Handle id = reinterpret_cast<Handle>(item);
    const CamObject *owner = cam_object(handle_owner(id));
    if (owner)
        for (const TextItem &t : owner->text)
            if (t.id == id) {
                *entity = t.entity;
                return 0;
            }
    return kNoSuchItem;
}

extern "C" int UF_CAMTEXT_delete_item(tag_t object_tag, UF_CAMTEXT_item_t item) {
    NXHOST_ENTER("UF_CAMTEXT_delete_item");
    CamObject *holder = lookup_cam("UF_CAMTEXT_delete_item", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    const Handle id = reinterpret_cast<Handle>(item);
    auto at = std::find_if(holder->text.begin(), holder->text.end(), [&](const TextItem &t) { return t.id == id; });
    if (at == holder->text.end()) return kNoSuchItem;
    forget_handle(id);
    holder->text.erase(at);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMTEXT_delete_geometry(tag_t object_tag) {
    NXHOST_ENTER("UF_CAMTEXT_delete_geometry");
    CamObject *holder = lookup_cam("UF_CAMTEXT_delete_geometry", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    for (const TextItem &t : holder->text) forget_handle(t.id);
    holder->text.clear();
    changed(object_tag);
    return 0;
}
