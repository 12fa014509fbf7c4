// The scene of a part: bodies through the object store, CAM objects through the CAM model.
#include "nxhost/picture/scene.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "nxhost/cam/boundary_geometry.h"
#include "nxhost/cam/frame.h"
#include "nxhost/cam/levels.h"
#include "nxhost/modeling/geometry.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/modeling/mesh.h"
#include "nxhost/parts/parts.h"
#include "nxhost/picture/names.h"
#include "uf_attr.h"
#include "uf_cam.h"
#include "uf_modl_types.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::picture {
namespace {

using Box = std::array<double, 6>;

double dot(const Vec3 &a, const double *b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec3 cross(const Vec3 &a, const Vec3 &b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

bool normalized(Vec3 *v) {
    const double l = std::sqrt((*v)[0] * (*v)[0] + (*v)[1] * (*v)[1] + (*v)[2] * (*v)[2]);
    if (l < 1e-12) return false;
    for (double &k : *v) k /= l;
    return true;
}

// The point x X + y Y + z Z of coordinates along axes.
Vec3 from_along(const Axes &axes, double x, double y, double z) {
    return {x * axes[0] + y * axes[3] + z * axes[6], x * axes[1] + y * axes[4] + z * axes[7],
            x * axes[2] + y * axes[5] + z * axes[8]};
}

void widen(Box *box, bool *any, const Vec3 &p) {
    for (int k = 0; k < 3; ++k) {
        if (!*any || p[k] < (*box)[k]) (*box)[k] = p[k];
        if (!*any || p[k] > (*box)[k + 3]) (*box)[k + 3] = p[k];
    }
    *any = true;
}

bool is_marked(const Object &body, const char *title) { return body.find_attribute(title, UF_ATTR_string) != nullptr; }

BodyRole role_of(const Object &body, const modeling::BodyPayload &payload) {
    if (modeling::body_type_code(payload.shape) != UF_MODL_SOLID_BODY) return BodyRole::Sheet;
    if (is_marked(body, "IS_CLAMP")) return BodyRole::Clamp;
    if (is_marked(body, "IS_ELEC_BOT_BLOCK")) return BodyRole::BaseBlock;
    return BodyRole::Electrode;
}

class Collector {
public:
    Collector(tag_t part, const MeshTolerance &tolerance) : part_(part), tolerance_(tolerance) {}

    Scene collect() {
        scene_.part_name = display_name(part_name(part_));
        scene_.units = part_units(part_);
        bodies();
        const tag_t setup = cam::setup_of_part(part_);
        scene_.has_cam = setup != NULL_TAG;
        if (scene_.has_cam) {
            const cam::CamObject &s = *cam::cam_object(setup);
            geometry_group(s.roots[cam::kGeometryView]);
            for (tag_t oper : cam::operations_under(s.roots[cam::kProgramView])) operation(oper);
        }
        extent();
        return scene_;
    }

private:
    void bodies() {
        std::vector<std::pair<tag_t, const modeling::BodyPayload *>> found;
        Box all{};
        bool any = false;
        for (tag_t tag : store().body_level_in_part(part_, UF_solid_type)) {
            const Object *obj = store().find(tag);
            const modeling::BodyPayload *payload = obj ? modeling::body_payload(*obj) : nullptr;
            if (!payload || obj->subtype != UF_solid_body_subtype) continue;
            found.emplace_back(tag, payload);
            Box box{};
            if (!modeling::exact_box(payload->shape, &box)) continue;
            widen(&all, &any, {box[0], box[1], box[2]});
            widen(&all, &any, {box[3], box[4], box[5]});
        }
        const double diagonal = any ? std::hypot(all[3] - all[0], all[4] - all[1], all[5] - all[2]) : 1.0;
        deflection_ = std::max(1e-3, diagonal * tolerance_.relative_deflection);
        for (const auto &[tag, payload] : found) {
            const Object &obj = *store().find(tag);
            SceneBody body;
            body.name = display_name(obj.name, tag);
            body.role = role_of(obj, *payload);
            body.blanked = obj.blank == UF_OBJ_BLANKED;
            modeling::Mesh mesh;
            try {
                mesh = modeling::triangulate(payload->shape, deflection_, tolerance_.angle);
            } catch (const modeling::ShapeError &e) {
                throw std::runtime_error("body " + body.name + ": " + e.what());
            }
            body.vertices = std::move(mesh.vertices);
            body.triangles = std::move(mesh.triangles);
            for (const auto &f : mesh.faces) {
                body.faces.push_back({f[0], f[1]});
                if (f[1] == 0) ++scene_.unmeshed_faces;
            }
            body_index_[tag] = static_cast<int>(scene_.bodies.size());
            scene_.bodies.push_back(std::move(body));
        }
    }

    // Faces of a body or face object of the scene, appended once each.
    void add_faces(tag_t entity, std::vector<FaceRef> *faces) {
        const Object *obj = store().find(entity);
        if (!obj || obj->type != UF_solid_type) return;
        auto add = [&](FaceRef ref) {
            if (std::find(faces->begin(), faces->end(), ref) == faces->end()) faces->push_back(ref);
        };
        if (obj->subtype == UF_solid_face_subtype) {
            auto at = body_index_.find(obj->parent);
            if (at != body_index_.end()) add({at->second, obj->index});
        } else if (obj->subtype == UF_solid_body_subtype) {
            auto at = body_index_.find(entity);
            if (at == body_index_.end()) return;
            const int count = static_cast<int>(scene_.bodies[at->second].faces.size());
            for (int f = 0; f < count; ++f) add({at->second, f});
        }
    }

    void geometry_group(tag_t tag) {
        const Object *obj = store().find(tag);
        const cam::CamObject *c = obj ? cam::cam_object(*obj) : nullptr;
        if (!c || c->kind == cam::Kind::Operation || c->kind == cam::Kind::Cutter) return;
        const std::string name = display_name(obj->name, tag);
        if (obj->subtype == UF_mill_orient_subtype && cam::carries_param(tag, UF_PARAM_MCS)) {
            Frame frame;
            frame.name = name;
            if (csys::frame_of(cam::mcs_csys_of(tag), &frame.origin, &frame.axes)) scene_.frames.push_back(frame);
        }
        if (c->plane.set) clearance_plane({name, c->plane.origin, c->plane.normal});
        blank(tag, *c, name);
        for (tag_t member : c->members) geometry_group(member);
    }

    void blank(tag_t tag, const cam::CamObject &c, const std::string &name) {
        BlankBox box;
        box.group = name;
        if (c.blank.set && c.blank.type != UF_CAM_offset_from_part_type) {
            if (cam::auto_block_box(tag, &box.along, &box.axes)) scene_.blanks.push_back(box);
            return;
        }
        auto items = c.items.find(UF_CAM_blank);
        if (items == c.items.end() || items->second.empty()) return;
        std::vector<tag_t> entities;
        for (const cam::GeomItem &item : items->second) entities.push_back(item.entity);
        box.automatic = false;
        box.axes = cam::mcs_axes_of(tag);
        if (cam::entities_box_along(entities, box.axes, &box.along)) scene_.blanks.push_back(box);
    }

    void operation(tag_t tag) {
        const Object &obj = *store().find(tag);
        const cam::CamObject &c = *cam::cam_object(obj);
        Operation op;
        op.name = display_name(obj.name, tag);
        op.kind = cam::operation_kind_text(obj.subtype);
        op.program = display_name(name_or_empty(c.parent[cam::kProgramView]), c.parent[cam::kProgramView]);
        op.workpiece = display_name(name_or_empty(c.parent[cam::kGeometryView]), c.parent[cam::kGeometryView]);
        std::vector<tag_t> extent_entities;
        auto cut_area = c.items.find(UF_CAM_cut_area);
        if (cut_area != c.items.end())
            for (const cam::GeomItem &item : cut_area->second) {
                add_faces(item.entity, &op.area);
                extent_entities.push_back(item.entity);
            }
        if (!op.area.empty()) op.area_source = "cut area";
        for (const auto &[type, list] : c.boundaries)
            for (const cam::Boundary &b : list) {
                if (op.area_source.empty() && b.face != NULL_TAG) add_faces(b.face, &op.area);
                std::vector<std::vector<Vec3>> members;
                for (const cam::BoundaryMember &m : b.members) {
                    members.push_back(member_points(m.entity));
                    extent_entities.push_back(m.entity);
                }
                std::vector<Vec3> line = chained(std::move(members));
                if (!line.empty()) op.boundaries.push_back(std::move(line));
            }
        if (op.area_source.empty() && !op.area.empty()) op.area_source = "boundary faces";
        if (op.area_source.empty() && !op.boundaries.empty()) op.area_source = "boundaries";
        if (op.area_source.empty() && !c.text.empty()) op.area_source = "text";
        if (op.area_source.empty()) {
            for (tag_t entity : cam::part_entities(tag)) {
                add_faces(entity, &op.area);
                extent_entities.push_back(entity);
            }
            if (!op.area.empty()) op.area_source = "part geometry";
        }
        bottom(tag, c, obj.subtype, extent_entities, &op);
        start_points(c, &op);
        if (c.plane.set) clearance_plane({op.name, c.plane.origin, c.plane.normal});
        scene_.operations.push_back(std::move(op));
    }

    static std::string name_or_empty(tag_t tag) {
        const Object *obj = store().find(tag);
        return obj ? obj->name : std::string();
    }

    void clearance_plane(const Plane &plane) {
        for (const Plane &p : scene_.clearance_planes)
            if (p.origin == plane.origin && p.normal == plane.normal) return;
        scene_.clearance_planes.push_back(plane);
    }

    // Points along an edge or curve; empty when it has none.
    std::vector<Vec3> member_points(tag_t entity) const {
        const Object *obj = store().find(entity);
        const modeling::ShapeRef *shape = obj ? modeling::object_shape(*obj) : nullptr;
        std::vector<modeling::Point> points;
        if (!shape || modeling::curve_points(*shape, deflection_, 0.5, 0.0, &points) != modeling::CurvePointsResult::done)
            points.clear();
        return points;
    }

    // A boundary's members as one line. Members need not come in chain order, nor all run the
    // same way round (a face's loop lists its edges as the face holds them): the line grows at
    // whichever of its ends the nearest remaining member meets.
    static std::vector<Vec3> chained(std::vector<std::vector<Vec3>> members) {
        auto gap = [](const Vec3 &a, const Vec3 &b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); };
        members.erase(std::remove_if(members.begin(), members.end(), [](const auto &m) { return m.empty(); }), members.end());
        if (members.empty()) return {};
        std::vector<Vec3> line = members.front();
        members.erase(members.begin());
        while (!members.empty()) {
            std::size_t best = 0;
            bool at_front = false, reversed = false;
            double nearest = -1.0;
            for (std::size_t k = 0; k < members.size(); ++k)
                for (int end = 0; end < 4; ++end) {
                    const Vec3 &mine = end < 2 ? line.back() : line.front();
                    const Vec3 &theirs = end % 2 == 0 ? members[k].front() : members[k].back();
                    const double d = gap(mine, theirs);
                    if (nearest >= 0.0 && d >= nearest) continue;
                    nearest = d;
                    best = k;
                    at_front = end >= 2;
                    reversed = end % 2 == 1;
                }
            std::vector<Vec3> next = std::move(members[best]);
            members.erase(members.begin() + static_cast<std::ptrdiff_t>(best));
            if (at_front) {
                // Prepended: the member must end where the line starts.
                if (!reversed) std::reverse(next.begin(), next.end());
                const bool joined = gap(next.back(), line.front()) < 1e-9;
                line.insert(line.begin(), next.begin(), next.end() - (joined ? 1 : 0));
            } else {
                if (reversed) std::reverse(next.begin(), next.end());
                const bool joined = gap(line.back(), next.front()) < 1e-9;
                line.insert(line.end(), next.begin() + (joined ? 1 : 0), next.end());
            }
        }
        return line;
    }

    // The level an operation cuts down to, with the axes that level is measured along.
    bool bottom_level(tag_t tag, const cam::CamObject &c, int subtype, Operation *op, Axes *axes) {
        if (cam::carries_param(tag, UF_PARAM_FLOOR)) {
            const Object *floor = store().find(cam::effective_value(tag, *cam::param_spec(UF_PARAM_FLOOR)).tag);
            const auto *xform = floor ? dynamic_cast<const modeling::XformPayload *>(floor->payload.get()) : nullptr;
            Vec3 x = xform ? xform->x_axis : Vec3{}, y = xform ? xform->y_axis : Vec3{};
            if (xform && normalized(&x) && normalized(&y)) {
                Vec3 z = cross(x, y);
                normalized(&z);
                y = cross(z, x);
                *axes = {x[0], x[1], x[2], y[0], y[1], y[2], z[0], z[1], z[2]};
                op->bottom_source = "floor plane";
                op->bottom = dot(z, xform->origin.data());
                return true;
            }
        }
        *axes = cam::mcs_axes_of(tag);
        if (cam::has_cut_levels(subtype)) {
            const std::vector<UF_CUT_LEVEL_single_t> levels = cam::current_levels(tag);
            if (levels.empty()) return false;
            op->bottom_source = "lowest cut level";
            op->bottom = levels.front().z_level;
            for (const UF_CUT_LEVEL_single_t &l : levels) op->bottom = std::min(op->bottom, l.z_level);
            return true;
        }
        const Vec3 z{(*axes)[6], (*axes)[7], (*axes)[8]};
        bool found = false;
        for (const auto &[type, list] : c.boundaries)
            for (const cam::Boundary &b : list) {
                cam::Vec3 origin{}, normal{};
                if (!cam::boundary_plane(tag, b, &origin, &normal)) continue;
                const double level = dot(z, origin.data());
                if (!found || level < op->bottom) op->bottom = level;
                found = true;
            }
        if (found) op->bottom_source = "lowest boundary plane";
        return found;
    }

    void bottom(tag_t tag, const cam::CamObject &c, int subtype, const std::vector<tag_t> &entities, Operation *op) {
        Axes axes{};
        if (!bottom_level(tag, c, subtype, op, &axes)) return;
        Box along{};
        if (!cam::entities_box_along(entities.empty() ? cam::part_entities(tag) : entities, axes, &along)) {
            op->bottom_source.clear();
            return;
        }
        op->bottom_rect = {from_along(axes, along[0], along[1], op->bottom), from_along(axes, along[3], along[1], op->bottom),
                           from_along(axes, along[3], along[4], op->bottom), from_along(axes, along[0], along[4], op->bottom)};
    }

    void start_points(const cam::CamObject &c, Operation *op) {
        for (const UF_CAMGEOM_custom_point_t &p : c.points[UF_CAMGEOM_cut_region_start_type]) {
            Vec3 at{p.point_acs[0], p.point_acs[1], p.point_acs[2]};
            if (p.point_tag != NULL_TAG) {
                const Object *obj = store().find(p.point_tag);
                const modeling::ShapeRef *shape = obj ? modeling::object_shape(*obj) : nullptr;
                modeling::Box box{};
                if (!shape || !modeling::nx_bounding_box(*shape, &box)) continue;
                at = {box[0], box[1], box[2]};
            }
            auto same = std::find(scene_.start_points.begin(), scene_.start_points.end(), at);
            op->start_points.push_back(static_cast<int>(same - scene_.start_points.begin()));
            if (same == scene_.start_points.end()) scene_.start_points.push_back(at);
        }
    }

    void extent() {
        Box box{};
        bool any = false;
        for (const SceneBody &b : scene_.bodies)
            for (const Vec3 &v : b.vertices) widen(&box, &any, v);
        for (const BlankBox &b : scene_.blanks)
            for (int corner = 0; corner < 8; ++corner)
                widen(&box, &any, from_along(b.axes, b.along[corner & 1 ? 3 : 0], b.along[corner & 2 ? 4 : 1], b.along[corner & 4 ? 5 : 2]));
        for (const Frame &f : scene_.frames) widen(&box, &any, f.origin);
        for (const Vec3 &p : scene_.start_points) widen(&box, &any, p);
        // A clearance plane reaches as far as the rest does; it only adds its height.
        const Vec3 middle{(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, (box[2] + box[5]) / 2};
        for (const Plane &p : scene_.clearance_planes) {
            Vec3 n = p.normal;
            if (!any || !normalized(&n)) continue;
            const double off = (middle[0] - p.origin[0]) * n[0] + (middle[1] - p.origin[1]) * n[1] + (middle[2] - p.origin[2]) * n[2];
            widen(&box, &any, {middle[0] - off * n[0], middle[1] - off * n[1], middle[2] - off * n[2]});
        }
        scene_.extent = box;
    }

    tag_t part_;
    MeshTolerance tolerance_;
    double deflection_ = 0.1;
    Scene scene_;
    std::map<tag_t, int> body_index_;
};

}  // namespace

Scene collect_scene(tag_t part, const MeshTolerance &tolerance) { return Collector(part, tolerance).collect(); }

const char *role_name(BodyRole role) {
    switch (role) {
    case BodyRole::Electrode: return "electrode";
    case BodyRole::Clamp: return "clamp";
    case BodyRole::BaseBlock: return "base block";
    case BodyRole::Sheet: return "sheet";
    }
    return "body";
}

}  // namespace nxhost::picture
