// The "geometry" section of a part file: points, lines, curves, datum planes, coordinate systems
// and transforms, loaded into the part, saved with it and printed in its tree. Temporary coordinate
// systems, the WCS and features are not saved (a block is saved as its body).
#include <cmath>

#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/parts/part_sections.h"
#include "nxhost/parts/parts.h"
#include "uf_object_types.h"

namespace nxhost {
namespace {

using Json = nlohmann::ordered_json;
using modeling::Point;

[[noreturn]] void fail(const std::string &place, const std::string &what) { throw SectionError(place + ": " + what); }

Point vec3(const Json &j, const std::string &place) {
    if (!j.is_array() || j.size() != 3 || !j[0].is_number() || !j[1].is_number() || !j[2].is_number())
        fail(place, "expected [x, y, z]");
    Point p{j[0].get<double>(), j[1].get<double>(), j[2].get<double>()};
    for (double v : p)
        if (!std::isfinite(v)) fail(place, "expected finite numbers");
    return p;
}

const Json &member(const Json &obj, const char *key, const std::string &place) {
    if (!obj.is_object() || !obj.contains(key)) fail(place, std::string("missing \"") + key + "\"");
    return obj[key];
}

// Name, layer, blank status and colour, written only where they differ from a new object's.
void read_display(const Json &entry, const std::string &place, Object *obj) {
    if (entry.contains("name")) {
        if (!entry["name"].is_string()) fail(place + ".name", "expected a text");
        store().rename(*obj, entry["name"].get<std::string>());
    }
    auto whole = [&](const char *key, int lo, int hi, int *out) {
        if (!entry.contains(key)) return;
        const Json &v = entry[key];
        if (!v.is_number_integer() || v.get<long>() < lo || v.get<long>() > hi)
            fail(place + "." + key, "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
        *out = v.get<int>();
    };
    whole("layer", 1, 256, &obj->layer);
    whole("color", 0, 216, &obj->color);
    if (entry.contains("blank")) {
        if (!entry["blank"].is_boolean()) fail(place + ".blank", "expected true or false");
        obj->blank = entry["blank"].get<bool>() ? 1 : 0;
    }
}

void write_display(const Object &obj, Json *entry) {
    if (!obj.name.empty()) (*entry)["name"] = obj.name;
    if (obj.layer != 1) (*entry)["layer"] = obj.layer;
    if (obj.blank) (*entry)["blank"] = true;
    if (obj.color != 7) (*entry)["color"] = obj.color;
}

Json point_json(const Point &p) { return Json::array({p[0], p[1], p[2]}); }

tag_t load_entry(tag_t part, const Json &entry, const std::string &place) {
    if (!entry.is_object()) fail(place, "expected an object such as {\"point\": [x, y, z]}");
    if (entry.contains("point"))
        return modeling::create_curve_object(part, UF_point_type,
                                             modeling::make_point_shape(vec3(entry["point"], place + ".point")));
    if (entry.contains("line")) {
        const Json &ends = entry["line"];
        if (!ends.is_array() || ends.size() != 2) fail(place + ".line", "expected [[x, y, z], [x, y, z]]");
        try {
            return modeling::create_curve_object(
                part, UF_line_type,
                modeling::make_line_shape(vec3(ends[0], place + ".line[0]"), vec3(ends[1], place + ".line[1]")));
        } catch (const modeling::ShapeError &) {
            fail(place + ".line", "a line needs two different points");
        }
    }
    if (entry.contains("curve")) {
        if (!entry["curve"].is_string()) fail(place + ".curve", "expected BREP text");
        modeling::ShapeRef shape;
        try {
            shape = modeling::shape_from_brep_text(entry["curve"].get<std::string>(), place + ".curve");
        } catch (const modeling::ShapeError &e) {
            throw SectionError(e.what());
        }
        if (!modeling::is_edge(shape)) fail(place + ".curve", "the BREP text holds no single curve");
        return modeling::create_curve_object(part, UF_spline_type, shape);
    }
    if (entry.contains("plane")) {
        const Json &plane = entry["plane"];
        auto payload = std::make_shared<modeling::PlanePayload>();
        payload->origin = vec3(member(plane, "origin", place + ".plane"), place + ".plane.origin");
        const Point normal = vec3(member(plane, "normal", place + ".plane"), place + ".plane.normal");
        if (!modeling::unit(normal.data(), &payload->normal)) fail(place + ".plane.normal", "must not be a zero vector");
        Object &obj = store().create(UF_plane_type, 0, part);
        obj.payload = payload;
        return obj.tag;
    }
    if (entry.contains("csys")) {
        const Json &csys = entry["csys"];
        const Json &axes = member(csys, "axes", place + ".csys");
        csys::Matrix m{};
        if (!axes.is_array() || axes.size() != 9) fail(place + ".csys.axes", "expected nine numbers, one axis a row");
        for (std::size_t i = 0; i < 9; ++i) {
            if (!axes[i].is_number()) fail(place + ".csys.axes", "expected nine numbers, one axis a row");
            m[i] = axes[i].get<double>();
        }
        if (!csys::is_orthonormal(m)) fail(place + ".csys.axes", "the axes are not orthonormal and right-handed");
        const Point origin = vec3(member(csys, "origin", place + ".csys"), place + ".csys.origin");
        return csys::create_csys_object(part, origin, csys::create_matrix_object(part, m), false);
    }
    if (entry.contains("xform")) {
        const Json &xform = entry["xform"];
        modeling::XformPayload data;
        data.origin = vec3(member(xform, "origin", place + ".xform"), place + ".xform.origin");
        data.x_axis = vec3(member(xform, "x", place + ".xform"), place + ".xform.x");
        data.y_axis = vec3(member(xform, "y", place + ".xform"), place + ".xform.y");
        const Json &scale = member(xform, "scale", place + ".xform");
        if (!scale.is_number()) fail(place + ".xform.scale", "expected a number");
        data.scale = scale.get<double>();
        tag_t made = NULL_TAG;
        int error = 0;
        if (!modeling::create_xform_object(part, data, &made, &error))
            fail(place + ".xform", "needs two directions that are not parallel and a scale above 0");
        return made;
    }
    fail(place, "expected one of \"point\", \"line\", \"curve\", \"plane\", \"csys\", \"xform\"");
}

void load_section(tag_t part, const Json &value) {
    if (!value.is_array()) fail("", "expected a list");
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string place = "[" + std::to_string(i) + "]";
        read_display(value[i], place, store().find(load_entry(part, value[i], place)));
    }
}

// The entry of one object, null for objects the section does not keep.
Json entry_of(const Object &obj) {
    Json entry;
    const modeling::ShapeRef *shape = modeling::object_shape(obj);
    if (obj.type == UF_point_type && shape) {
        entry["point"] = point_json(modeling::shape_point(*shape));
    } else if (obj.type == UF_line_type && shape) {
        Point start{}, end{};
        modeling::edge_ends(*shape, &start, &end);
        entry["line"] = Json::array({point_json(start), point_json(end)});
    } else if ((obj.type == UF_spline_type || obj.type == UF_circle_type) && shape) {
        entry["curve"] = modeling::shape_to_brep_text(*shape);
    } else if (const auto *plane = dynamic_cast<const modeling::PlanePayload *>(obj.payload.get())) {
        entry["plane"] = {{"origin", point_json(plane->origin)}, {"normal", point_json(plane->normal)}};
    } else if (const auto *c = dynamic_cast<const csys::CsysPayload *>(obj.payload.get())) {
        csys::Vector origin{};
        csys::Matrix axes{};
        if (c->temporary || !csys::frame_of(obj.tag, &origin, &axes)) return Json();
        entry["csys"] = {{"origin", point_json(origin)}, {"axes", Json(axes)}};
    } else if (const auto *x = dynamic_cast<const modeling::XformPayload *>(obj.payload.get())) {
        entry["xform"] = {{"origin", point_json(x->origin)},
                          {"x", point_json(x->x_axis)},
                          {"y", point_json(x->y_axis)},
                          {"scale", x->scale}};
    } else {
        return Json();
    }
    write_display(obj, &entry);
    return entry;
}

Json save_section(tag_t part) {
    Json list = Json::array();
    for (tag_t tag : store().body_level_in_part(part)) {
        const Object *obj = store().find(tag);
        Json entry = entry_of(*obj);
        if (!entry.is_null()) list.push_back(std::move(entry));
    }
    return list.empty() ? Json() : list;
}

std::string json_point(const Json &j) { return tree_point({j[0].get<double>(), j[1].get<double>(), j[2].get<double>()}); }

void print_section(std::ostream &out, tag_t part) {
    for (tag_t tag : store().body_level_in_part(part)) {
        const Object *obj = store().find(tag);
        const Json entry = entry_of(*obj);
        if (entry.is_null()) continue;
        out << entry.begin().key() << (obj->name.empty() ? "" : " " + obj->name);
        if (entry.contains("point")) out << " " << json_point(entry["point"]);
        if (entry.contains("line")) out << " " << json_point(entry["line"][0]) << "-" << json_point(entry["line"][1]);
        modeling::Box box{};
        if (entry.contains("curve") && modeling::nx_bounding_box(*modeling::object_shape(*obj), &box))
            out << " box " << tree_point({box[0], box[1], box[2]}) << "-" << tree_point({box[3], box[4], box[5]});
        if (entry.contains("plane"))
            out << " origin " << json_point(entry["plane"]["origin"]) << " normal " << json_point(entry["plane"]["normal"]);
        if (entry.contains("csys")) {
            const Json &axes = entry["csys"]["axes"];
            out << " origin " << json_point(entry["csys"]["origin"]) << " X "
                << json_point(Json::array({axes[0], axes[1], axes[2]})) << " Y "
                << json_point(Json::array({axes[3], axes[4], axes[5]}));
        }
        if (entry.contains("xform"))
            out << " origin " << json_point(entry["xform"]["origin"]) << " X " << json_point(entry["xform"]["x"]) << " Y "
                << json_point(entry["xform"]["y"]);
        out << (obj->layer != 1 ? "  layer " + std::to_string(obj->layer) : "") << (obj->blank ? "  blanked" : "") << "\n";
    }
}

const bool registered = register_part_section({"geometry", load_section, save_section, print_section, nullptr});

}  // namespace
}  // namespace nxhost
