// UF_CAMGEOM_* (geometry items and custom points), the automatic blank and the clearance plane.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/shapes.h"
#include "uf_cam.h"
#include "uf_cam_planes.h"
#include "uf_camgeom.h"
#include "uf_modl_types.h"
#include "uf_object_types.h"

namespace nxhost::cam {
namespace {

const char *const kGeomTypeNames[] = {"part", "blank", "check", "trim", "cut area", "wall", "drive"};

std::string geom_type_name(int type) {
    return type >= 0 && type <= UF_CAM_drive ? kGeomTypeNames[type] : "type " + std::to_string(type);
}

bool is_body(const Object &obj) { return obj.type == UF_solid_type && obj.subtype == UF_solid_body_subtype; }
bool is_face(const Object &obj) { return obj.type == UF_solid_type && obj.subtype == UF_solid_face_subtype; }
bool is_sheet(const Object &obj) {
    const modeling::BodyPayload *body = modeling::body_payload(obj);
    return body && modeling::body_type_code(body->shape) == UF_MODL_SHEET_BODY;
}

// Whether the entity can be an item of that geometry type; *what names what would be needed.
bool entity_fits(const Object &obj, int type, std::string *what) {
    switch (type) {
    case UF_CAM_cut_area:
    case UF_CAM_wall:
        *what = "a face or a sheet body";
        return is_face(obj) || is_sheet(obj);
    case UF_CAM_trim:
    case UF_CAM_drive:
        *what = "an edge or a curve";
        return is_curve_entity(obj);
    default:
        *what = "a body or a face";
        return is_body(obj) || is_face(obj);
    }
}

// Geometry types an object takes items of; empty when it takes none.
std::vector<int> item_types(const Object &obj, const CamObject &cam) {
    if (cam.kind == Kind::Group && cam.view == kGeometryView && obj.subtype == UF_mill_geom_featr_subtype)
        return {UF_CAM_part, UF_CAM_blank, UF_CAM_check};
    if (cam.kind != Kind::Operation) return {};
    switch (obj.subtype) {
    case UF_mach_pocket_subtype: return {};  // planar milling works on boundaries
    case UF_mach_surface_contour_subtype: return {UF_CAM_part, UF_CAM_check, UF_CAM_trim, UF_CAM_cut_area, UF_CAM_drive};
    case UF_mach_face_milling_subtype: return {UF_CAM_part, UF_CAM_check, UF_CAM_cut_area, UF_CAM_wall};
    default: return {UF_CAM_part, UF_CAM_blank, UF_CAM_check, UF_CAM_trim, UF_CAM_cut_area, UF_CAM_wall};
    }
}

// The operation or workpiece group for an item call, when it takes items of the type.
int item_holder(const char *call, tag_t tag, int type, CamObject **holder) {
    *holder = lookup_cam(call, tag, {Kind::Group, Kind::Operation});
    if (!*holder) return kBadTag;
    const Object &obj = *store().find(tag);
    for (int t : item_types(obj, **holder))
        if (t == type) return 0;
    return refuse(call, kBadEntity,
                  "the " + kind_text(obj) + " " + name_of(tag) + " takes no " + geom_type_name(type) + " geometry");
}


// The item a handle names, with its owner; nullptr when there is none.
GeomItem *find_item(UF_CAMGEOM_item_t item, tag_t *owner = nullptr, int *type = nullptr) {
    const Handle id = reinterpret_cast<Handle>(item);
    CamObject *obj = cam_object(handle_owner(id));
    if (!obj) return nullptr;
    for (auto &list : obj->items)
        for (GeomItem &it : list.second)
            if (it.id == id) {
                if (owner) *owner = handle_owner(id);
                if (type) *type = list.first;
                return &it;
            }
    return nullptr;
}

// Operations of subtypes that take custom points of each kind.
bool takes_points(int subtype, UF_CAMGEOM_custom_point_type_t type) {
    switch (subtype) {
    case UF_mach_pocket_subtype:
    case UF_mach_cavity_milling_subtype:
    case UF_mach_plunge_milling_subtype: return true;
    case UF_mach_face_milling_subtype:
    case UF_mach_zlevel_milling_subtype: return type == UF_CAMGEOM_cut_region_start_type;
    default: return false;
    }
}

}  // namespace
}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_CAMGEOM_append_items(tag_t object_tag, UF_CAM_geom_type_t geometry_type, int count,
                                       tag_t *entity_list, UF_CAMGEOM_app_data_p_t *app_data) {
    NXHOST_ENTER("UF_CAMGEOM_append_items");
    if (count < 0 || (count > 0 && !entity_list)) return kBadArgument;
    CamObject *holder = nullptr;
    if (int rc = item_holder("UF_CAMGEOM_append_items", object_tag, geometry_type, &holder)) return rc;
    const tag_t part = store().find(object_tag)->part;
    for (int i = 0; i < count; ++i) {
        const Object *entity = lookup("UF_CAMGEOM_append_items", entity_list[i]);
        if (!entity) return kBadTag;
        std::string what;
        if (entity->part != part || !entity_fits(*entity, geometry_type, &what))
            return refuse("UF_CAMGEOM_append_items", kBadEntity,
                          "entity " + std::to_string(i) + " (" + kind_text(*entity) + " " + name_of(entity_list[i]) +
                              ") is not " + what + " of the part; nothing was appended");
    }
    if (int rc = require_app_data("UF_CAMGEOM_append_items", count, reinterpret_cast<const void *const *>(app_data)))
        return rc;
    std::vector<GeomItem> &items = holder->items[geometry_type];
    items.reserve(items.size() + static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        GeomItem item;
        item.id = new_handle();
        item.entity = entity_list[i];
        item.has_data = true;
        item.data = only_given(*app_data[i]);
        set_handle_owner(item.id, object_tag);
        items.push_back(item);
    }
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMGEOM_ask_items(tag_t object_tag, UF_CAM_geom_type_t geometry_type, int *count,
                                    UF_CAMGEOM_item_t **items) {
    NXHOST_ENTER("UF_CAMGEOM_ask_items");
    if (!count || !items) return kBadArgument;
    *count = 0;
    *items = nullptr;
    const CamObject *holder = lookup_cam("UF_CAMGEOM_ask_items", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    auto list = holder->items.find(geometry_type);
    if (list == holder->items.end() || list->second.empty()) return 0;
    auto **array = static_cast<UF_CAMGEOM_item_t *>(nx_alloc(list->second.size() * sizeof(UF_CAMGEOM_item_t)));
    for (std::size_t i = 0; i < list->second.size(); ++i) array[i] = reinterpret_cast<UF_CAMGEOM_item_t>(list->second[i].id);
    *count = static_cast<int>(list->second.size());
    *items = array;
    return 0;
}

extern "C" int UF_CAMGEOM_ask_item_entity(UF_CAMGEOM_item_t item, tag_t *entity) {
    NXHOST_ENTER("UF_CAMGEOM_ask_item_entity");
    if (!entity) return kBadArgument;
    *entity = NULL_TAG;
    const GeomItem *found = find_item(item);
    if (!found) return kNoSuchItem;
    *entity = found->entity;
    return 0;
}

extern "C" int UF_CAMGEOM_ask_item_app_data(UF_CAMGEOM_item_t item, UF_CAMGEOM_app_data_t *app_data) {
    NXHOST_ENTER("UF_CAMGEOM_ask_item_app_data");
    if (!app_data) return kBadArgument;
    const GeomItem *found = find_item(item);
    if (!found) return kNoSuchItem;
    *app_data = found->has_data ? found->data : UF_CAMGEOM_app_data_t{};
    return 0;
}

extern "C" int UF_CAMGEOM_set_item_app_data(tag_t object_tag, UF_CAM_geom_type_t geometry_type, UF_CAMGEOM_item_t item,
                                            UF_CAMGEOM_app_data_p_t app_data) {
    NXHOST_ENTER("UF_CAMGEOM_set_item_app_data");
    CamObject *holder = lookup_cam("UF_CAMGEOM_set_item_app_data", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    tag_t owner = NULL_TAG;
    int type = -1;
    GeomItem *found = find_item(item, &owner, &type);
    if (!found || owner != object_tag || type != geometry_type) return kNoSuchItem;
    if (!app_data) {
        misuse("UF_CAMGEOM_set_item_app_data", "app_data is NULL: an item needs its application data record");
        return kNoAppData;
    }
    found->has_data = true;
    found->data = only_given(*app_data);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMGEOM_delete_item(tag_t object_tag, UF_CAM_geom_type_t geometry_type, UF_CAMGEOM_item_t item) {
    NXHOST_ENTER("UF_CAMGEOM_delete_item");
    CamObject *holder = lookup_cam("UF_CAMGEOM_delete_item", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    std::vector<GeomItem> &items = holder->items[geometry_type];
    const Handle id = reinterpret_cast<Handle>(item);
    auto at = std::find_if(items.begin(), items.end(), [&](const GeomItem &i) { return i.id == id; });
    if (at == items.end()) return kNoSuchItem;
    forget_handle(id);
    items.erase(at);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMGEOM_delete_geometry(tag_t object_tag, UF_CAM_geom_type_t geometry_type) {
    NXHOST_ENTER("UF_CAMGEOM_delete_geometry");
    CamObject *holder = lookup_cam("UF_CAMGEOM_delete_geometry", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    for (const GeomItem &i : holder->items[geometry_type]) forget_handle(i.id);
    holder->items.erase(geometry_type);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMGEOM_append_custom_points(tag_t object_tag, UF_CAMGEOM_custom_point_type_t point_type, int count,
                                               UF_CAMGEOM_custom_point_p_t *point_data) {
    NXHOST_ENTER("UF_CAMGEOM_append_custom_points");
    if (count < 0 || (count > 0 && !point_data)) return kBadArgument;
    if (point_type != UF_CAMGEOM_predrill_engage_type && point_type != UF_CAMGEOM_cut_region_start_type)
        return kBadArgument;
    CamObject *op = lookup_cam("UF_CAMGEOM_append_custom_points", object_tag, {Kind::Operation});
    if (!op) return kBadTag;
    if (!takes_points(store().find(object_tag)->subtype, point_type))
        return refuse("UF_CAMGEOM_append_custom_points", kBadEntity,
                      name_of(object_tag) + " takes no " +
                          (point_type == UF_CAMGEOM_predrill_engage_type ? "pre-drill" : "cut-region start") + " points");
    for (int i = 0; i < count; ++i) {
        if (!point_data[i]) return kBadArgument;
        const tag_t point = point_data[i]->point_tag;
        if (point != NULL_TAG) {
            const Object *obj = lookup("UF_CAMGEOM_append_custom_points", point);
            if (!obj) return kBadTag;
            if (obj->type != UF_point_type)
                return refuse("UF_CAMGEOM_append_custom_points", kBadEntity,
                              "point " + std::to_string(i) + " is " + a_kind(*obj) + ", not a point");
        }
    }
    for (int i = 0; i < count; ++i) op->points[point_type].push_back(*point_data[i]);
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAMGEOM_ask_custom_points(tag_t object_tag, UF_CAMGEOM_custom_point_type_t point_type, int *count,
                                            UF_CAMGEOM_custom_point_p_t **point_data) {
    NXHOST_ENTER("UF_CAMGEOM_ask_custom_points");
    if (!count || !point_data) return kBadArgument;
    *count = 0;
    *point_data = nullptr;
    if (point_type != UF_CAMGEOM_predrill_engage_type && point_type != UF_CAMGEOM_cut_region_start_type)
        return kBadArgument;
    const CamObject *op = lookup_cam("UF_CAMGEOM_ask_custom_points", object_tag, {Kind::Operation});
    if (!op) return kBadTag;
    const std::vector<UF_CAMGEOM_custom_point_t> &points = op->points[point_type];
    if (points.empty()) return 0;
    auto **array = static_cast<UF_CAMGEOM_custom_point_p_t *>(nx_alloc(points.size() * sizeof(void *)));
    for (std::size_t i = 0; i < points.size(); ++i) {
        array[i] = static_cast<UF_CAMGEOM_custom_point_p_t>(nx_alloc(sizeof(UF_CAMGEOM_custom_point_t)));
        *array[i] = points[i];
    }
    *count = static_cast<int>(points.size());
    *point_data = array;
    return 0;
}

extern "C" int UF_CAMGEOM_delete_custom_points(tag_t object_tag, UF_CAMGEOM_custom_point_type_t point_type) {
    NXHOST_ENTER("UF_CAMGEOM_delete_custom_points");
    if (point_type != UF_CAMGEOM_predrill_engage_type && point_type != UF_CAMGEOM_cut_region_start_type)
        return kBadArgument;
    CamObject *op = lookup_cam("UF_CAMGEOM_delete_custom_points", object_tag, {Kind::Operation});
    if (!op) return kBadTag;
    op->points[point_type].clear();
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAM_set_auto_blank(tag_t object_tag, UF_CAM_blank_geom_type_t geom_type, double offset[6]) {
    NXHOST_ENTER("UF_CAM_set_auto_blank");
    CamObject *holder = nullptr;
    if (int rc = item_holder("UF_CAM_set_auto_blank", object_tag, UF_CAM_blank, &holder)) return rc;
    if (geom_type == UF_CAM_geometry_geom_type) {
        holder->blank = AutoBlank{};  // the blank items are the blank again
    } else if (geom_type == UF_CAM_auto_block_type || geom_type == UF_CAM_offset_from_part_type) {
        if (!offset) return kBadArgument;
        for (int k = 0; k < 6; ++k)
            if (!std::isfinite(offset[k])) return kBadArgument;
        holder->blank.set = true;
        holder->blank.type = geom_type;
        std::copy(offset, offset + 6, holder->blank.offset.begin());
    } else {
        return refuse("UF_CAM_set_auto_blank", kBadArgument,
                      "the stand-in makes blanks from geometry, automatic blocks and part offsets only");
    }
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAM_ask_auto_blank(tag_t object_tag, UF_CAM_blank_geom_type_t *geom_type, double offset[6]) {
    NXHOST_ENTER("UF_CAM_ask_auto_blank");
    if (!geom_type || !offset) return kBadArgument;
    // Only what can be given an automatic blank has one to answer.
    CamObject *holder = nullptr;
    if (int rc = item_holder("UF_CAM_ask_auto_blank", object_tag, UF_CAM_blank, &holder)) return rc;
    *geom_type = holder->blank.set ? static_cast<UF_CAM_blank_geom_type_t>(holder->blank.type) : UF_CAM_geometry_geom_type;
    std::copy(holder->blank.offset.begin(), holder->blank.offset.end(), offset);
    return 0;
}

extern "C" int UF_CAM_set_clear_plane_data(tag_t object_tag, double origin[3], double normal[3]) {
    NXHOST_ENTER("UF_CAM_set_clear_plane_data");
    if (!origin || !normal) return kBadArgument;
    CamObject *holder = lookup_cam("UF_CAM_set_clear_plane_data", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    const Object &obj = *store().find(object_tag);
    if (holder->kind == Kind::Group && !(holder->view == kGeometryView && obj.subtype == UF_mill_orient_subtype))
        return refuse("UF_CAM_set_clear_plane_data", kBadArgument,
                      "a clearance plane belongs to an MCS group or an operation, not to the " + kind_text(obj) + " " +
                          name_of(object_tag));
    const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    if (!(length > 1e-12) || !std::isfinite(length)) return kBadArgument;
    holder->plane.set = true;
    for (int k = 0; k < 3; ++k) {
        holder->plane.origin[static_cast<std::size_t>(k)] = origin[k];
        holder->plane.normal[static_cast<std::size_t>(k)] = normal[k] / length;
    }
    changed(object_tag);
    return 0;
}

extern "C" int UF_CAM_ask_clear_plane_data(tag_t object_tag, double origin[3], double normal[3]) {
    NXHOST_ENTER("UF_CAM_ask_clear_plane_data");
    if (!origin || !normal) return kBadArgument;
    const CamObject *holder = lookup_cam("UF_CAM_ask_clear_plane_data", object_tag, {Kind::Group, Kind::Operation});
    if (!holder) return kBadTag;
    if (!holder->plane.set) return kNoClearPlane;
    std::copy(holder->plane.origin.begin(), holder->plane.origin.end(), origin);
    std::copy(holder->plane.normal.begin(), holder->plane.normal.end(), normal);
    return 0;
}
