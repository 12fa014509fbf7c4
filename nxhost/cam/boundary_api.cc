// UF_CAMBND_* (boundaries from planar faces and from curves) and UF_CAMTEXT_* (text items).
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numeric>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/frame.h"
#include "nxhost/cam/levels.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/shapes.h"
#include "uf_cambnd.h"
#include "uf_camtext.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

using Point = std::array<double, 3>;

bool same_point(const Point &a, const Point &b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 1e-7;
}

// Planar milling and face milling operations and boundary groups hold boundaries.
int boundary_holder(const char *call, tag_t tag, CamObject **holder) {
    *holder = lookup_cam(call, tag, {Kind::Group, Kind::Operation});
    if (!*holder) return kBadTag;
    const Object &obj = *store().find(tag);
    const bool takes = (*holder)->kind == Kind::Operation
                           ? obj.subtype == UF_mach_pocket_subtype || obj.subtype == UF_mach_face_milling_subtype
                           : (*holder)->view == kGeometryView && obj.subtype == UF_mill_bnd_featr_subtype;
    if (takes) return 0;
    return refuse(call, kBadEntity, "the " + kind_text(obj) + " " + name_of(tag) + " takes no boundaries");
}

// The loops of a planar face as lists of its edge objects, the outer loop (the widest) first.
std::vector<std::vector<tag_t>> face_loops(const Object &face) {
    const Object *body_obj = store().find(face.parent);
    const modeling::BodyPayload *body = body_obj ? modeling::body_payload(*body_obj) : nullptr;
    if (!body || face.index < 0) return {};
    const std::vector<tag_t> edge_tags = store().children(face.parent, UF_solid_edge_subtype);
    const std::vector<int> &edges = body->face_edges[static_cast<std::size_t>(face.index)];
    // Edges that share an end point belong to one loop.
    std::vector<std::size_t> loop_of(edges.size());
    std::iota(loop_of.begin(), loop_of.end(), 0);
    std::vector<std::vector<Point>> ends(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
        Point p1{}, p2{};
        int n = modeling::edge_vertices(*body, static_cast<std::size_t>(edges[i]), &p1, &p2);
        if (n >= 1) ends[i].push_back(p1);
        if (n == 2) ends[i].push_back(p2);
    }
    std::function<std::size_t(std::size_t)> root = [&](std::size_t i) {
        return loop_of[i] == i ? i : loop_of[i] = root(loop_of[i]);
    };
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j)
            for (const Point &a : ends[i])
                for (const Point &b : ends[j])
                    if (same_point(a, b)) loop_of[root(i)] = root(j);
    std::vector<std::vector<tag_t>> loops;
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        std::size_t r = root(i);
        auto at = std::find(roots.begin(), roots.end(), r);
        if (at == roots.end()) {
            roots.push_back(r);
            loops.emplace_back();
            at = roots.end() - 1;
        }
        loops[static_cast<std::size_t>(at - roots.begin())].push_back(edge_tags[static_cast<std::size_t>(edges[i])]);
    }
    auto width = [](const std::vector<tag_t> &loop) {
        std::array<double, 6> box{};
        if (!entities_box(loop, &box)) return 0.0;
        return std::hypot(box[3] - box[0], box[4] - box[1], box[5] - box[2]);
    };
    std::stable_sort(loops.begin(), loops.end(),
                     [&](const std::vector<tag_t> &a, const std::vector<tag_t> &b) { return width(a) > width(b); });
    return loops;
}

Boundary new_boundary(tag_t owner, const UF_CAMBND_boundary_data_t &data) {
    Boundary b;
    b.id = new_handle();
    set_handle_owner(b.id, owner);
    b.data = data;
    b.data.app_data = nullptr;
    if (data.app_data) {
        b.has_data = true;
        b.app = *data.app_data;
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
        m.data = *data;
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

extern "C" int UF_CAMBND_append_bnd_from_face(tag_t object_tag, UF_CAM_geom_type_t type, tag_t face,
                                              UF_CAMBND_boundary_data_p_t boundary_data) {
    NXHOST_ENTER("UF_CAMBND_append_bnd_from_face");
    if (!boundary_data) return kBadArgument;
    CamObject *holder = nullptr;
    if (int rc = boundary_holder("UF_CAMBND_append_bnd_from_face", object_tag, &holder)) return rc;
    const Object *face_obj = lookup("UF_CAMBND_append_bnd_from_face", face);
    if (!face_obj) return kBadTag;
    const modeling::ShapePayload *shape = modeling::shape_payload(*face_obj);
    if (face_obj->type != UF_solid_type || face_obj->subtype != UF_solid_face_subtype || !shape)
        return refuse("UF_CAMBND_append_bnd_from_face", kBadEntity, name_of(face) + " is " + a_kind(*face_obj) + ", not a face");
    if (face_obj->part != store().find(object_tag)->part)
        return refuse("UF_CAMBND_append_bnd_from_face", kBadEntity, "the face belongs to another part");
    if (!modeling::face_info(shape->shape).planar)
        return refuse("UF_CAMBND_append_bnd_from_face", kNotPlanar, "a boundary is made from a planar face only");
    std::vector<std::vector<tag_t>> loops = face_loops(*face_obj);
    if (boundary_data->ignore_holes && loops.size() > 1) loops.resize(1);
    UF_CAMBND_boundary_data_t data = *boundary_data;
    data.boundary_type = UF_CAM_boundary_type_closed;
    std::vector<Boundary> &list = holder->boundaries[type];
    for (std::size_t i = 0; i < loops.size(); ++i) {
        Boundary b = new_boundary(object_tag, data);
        b.face = face;
        b.loop = static_cast<int>(i);
        for (tag_t edge : loops[i]) b.members.push_back(new_member(object_tag, edge, nullptr));
        list.push_back(b);
    }
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMBND_append_bnd_from_curve(tag_t object_tag, UF_CAM_geom_type_t type, int count, tag_t *curves,
                                               UF_CAMBND_boundary_data_p_t boundary_data,
                                               UF_CAMBND_app_data_p_t *app_data) {
    NXHOST_ENTER("UF_CAMBND_append_bnd_from_curve");
    if (count < 1 || !curves || !boundary_data) return kBadArgument;
    CamObject *holder = nullptr;
    if (int rc = boundary_holder("UF_CAMBND_append_bnd_from_curve", object_tag, &holder)) return rc;
    for (int i = 0; i < count; ++i) {
        const Object *curve = lookup("UF_CAMBND_append_bnd_from_curve", curves[i]);
        if (!curve) return kBadTag;
        if (!is_curve_entity(*curve) || curve->part != store().find(object_tag)->part)
            return refuse("UF_CAMBND_append_bnd_from_curve", kBadEntity,
                          "member " + std::to_string(i) + " (" + kind_text(*curve) + ") is no edge or curve of the part");
    }
    Boundary b = new_boundary(object_tag, *boundary_data);
    for (int i = 0; i < count; ++i) b.members.push_back(new_member(object_tag, curves[i], app_data ? app_data[i] : nullptr));
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
    b->data.plane_type = 0;
    std::copy(bnd_origin, bnd_origin + 3, b->data.origin);
    std::copy(bnd_matrix, bnd_matrix + 9, b->data.matrix);
    const tag_t owner = handle_owner(reinterpret_cast<Handle>(boundary));
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
    for (int i = 0; i < count; ++i) {
        const Object *note = lookup("UF_CAMTEXT_append_items", entity_list[i]);
        if (!note) return kBadTag;
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
