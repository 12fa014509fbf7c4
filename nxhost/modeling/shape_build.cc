// Body descriptions of a part file (boxes, cylinders, spheres, booleans, fillets, BREP and
// STEP files) turned into OCCT shapes.
#include "nxhost/modeling/occt_shape.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCone.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrimAPI_MakeWedge.hxx>
#include <BRep_Tool.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_Ax2.hxx>

#include <cmath>
#include <nlohmann/json.hpp>

#include "sys/sys_path.h"

namespace nxhost::modeling {
namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void fail(const std::string &place, const std::string &what) { throw ShapeError(place + ": " + what); }

std::string type_of(const Json &j) { return j.type_name(); }

double number(const Json &j, const std::string &place) {
    if (!j.is_number()) fail(place, "expected a number, found " + type_of(j));
    double v = j.get<double>();
    if (!std::isfinite(v)) fail(place, "expected a finite number");
    return v;
}

const Json &member(const Json &obj, const char *key, const std::string &place) {
    auto it = obj.find(key);
    if (it == obj.end()) fail(place, std::string("missing \"") + key + "\"");
    return *it;
}

double positive(const Json &obj, const char *key, const std::string &place) {
    double v = number(member(obj, key, place), place + "." + key);
    if (v <= 0) fail(place + "." + key, "must be greater than 0, not " + Json(v).dump());
    return v;
}

gp_XYZ vec3(const Json &j, const std::string &place) {
    if (!j.is_array() || j.size() != 3) fail(place, "expected [x, y, z]");
    return gp_XYZ(number(j[0], place + "[0]"), number(j[1], place + "[1]"), number(j[2], place + "[2]"));
}

void only_keys(const Json &obj, std::initializer_list<const char *> keys, const std::string &place) {
    if (!obj.is_object()) fail(place, "expected an object, found " + type_of(obj));
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool known = false;
        for (const char *k : keys) known = known || it.key() == k;
        if (!known) fail(place, "unexpected key \"" + it.key() + "\"");
    }
}

bool is_windows_path(const std::string &p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

std::string resolve_file(const Json &j, const BuildContext &ctx, const std::string &place) {
    if (!j.is_string() || j.get<std::string>().empty()) fail(place, "expected a file name");
    std::string name = j.get<std::string>();
    if (is_windows_path(name)) {
        std::string host = sys_native_path(name.c_str());
        if (host.empty()) fail(place, "drive of " + name + " is not mounted");
        return host;
    }
    for (char &c : name)
        if (c == '\\') c = '/';
    if (name[0] == '/' || ctx.base_dir.empty()) return name;
    return ctx.base_dir + "/" + name;
}

double unit_factor(const std::string &from, const std::string &to) {
    if (from == to) return 1.0;
    return from == "m" ? 1000.0 : 0.001;
}

// The n-th body of a file's shape when "solid" is given, else the whole shape.
TopoDS_Shape pick_solid(const TopoDS_Shape &shape, const Json &desc, const std::string &place) {
    auto it = desc.find("solid");
    if (it == desc.end()) return shape;
    if (!it->is_number_integer()) fail(place + ".solid", "expected a whole number");
    std::vector<TopoDS_Shape> bodies = split_bodies(shape);
    long n = it->get<long>();
    if (n < 0 || static_cast<std::size_t>(n) >= bodies.size())
        fail(place + ".solid", "solid " + std::to_string(n) + " asked, the file holds " + std::to_string(bodies.size()) +
                                   " (counted from 0)");
    return bodies[static_cast<std::size_t>(n)];
}

TopoDS_Shape build(const Json &desc, const BuildContext &ctx, const std::string &place);

TopoDS_Shape make_box(const Json &j, const std::string &place) {
    only_keys(j, {"min", "max"}, place);
    gp_XYZ lo = vec3(member(j, "min", place), place + ".min");
    gp_XYZ hi = vec3(member(j, "max", place), place + ".max");
    if (!(lo.X() < hi.X() && lo.Y() < hi.Y() && lo.Z() < hi.Z()))
        fail(place, "\"min\" must be below \"max\" in x, y and z");
    return guarded(place, "box", [&] { return BRepPrimAPI_MakeBox(gp_Pnt(lo), gp_Pnt(hi)).Shape(); });
}

// A direction given under key, or the default; never a zero vector.
gp_Dir direction(const Json &j, const char *key, const gp_Dir &fallback, const std::string &place) {
    if (!j.contains(key)) return fallback;
    gp_XYZ v = vec3(j[key], place + "." + key);
    if (v.Modulus() < 1e-12) fail(place + "." + key, "must not be a zero vector");
    return gp_Dir(v);
}

double not_negative(const Json &obj, const char *key, const std::string &place) {
    double v = number(member(obj, key, place), place + "." + key);
    if (v < 0) fail(place + "." + key, "must not be negative, not " + Json(v).dump());
    return v;
}

TopoDS_Shape make_cylinder(const Json &j, const std::string &place) {
    only_keys(j, {"base", "axis", "radius", "height"}, place);
    gp_XYZ base = vec3(member(j, "base", place), place + ".base");
    gp_Dir axis = direction(j, "axis", gp_Dir(0, 0, 1), place);
    double radius = positive(j, "radius", place);
    double height = positive(j, "height", place);
    return guarded(place, "cylinder", [&] {
        return BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(base), axis), radius, height).Shape();
    });
}

// A cone or a frustum of one: radius1 at the base, radius2 at height along the axis.
TopoDS_Shape make_cone(const Json &j, const std::string &place) {
    only_keys(j, {"base", "axis", "radius1", "radius2", "height"}, place);
    gp_XYZ base = vec3(member(j, "base", place), place + ".base");
    gp_Dir axis = direction(j, "axis", gp_Dir(0, 0, 1), place);
    double r1 = not_negative(j, "radius1", place), r2 = not_negative(j, "radius2", place);
    double height = positive(j, "height", place);
    if (std::abs(r1 - r2) < 1e-9) fail(place, "the radii must differ (use a cylinder)");
    return guarded(place, "cone", [&] { return BRepPrimAPI_MakeCone(gp_Ax2(gp_Pnt(base), axis), r1, r2, height).Shape(); });
}

// A drafted rectangular boss: a bottom rectangle [width, depth] centred on base, a smaller or
// larger top one at height along the axis, the width along "x" (default: any direction square
// to the axis).
TopoDS_Shape make_frustum(const Json &j, const std::string &place) {
    only_keys(j, {"base", "axis", "x", "bottom", "top", "height"}, place);
    gp_XYZ base = vec3(member(j, "base", place), place + ".base");
    gp_Dir axis = direction(j, "axis", gp_Dir(0, 0, 1), place);
    gp_Dir x = direction(j, "x", gp_Ax2(gp_Pnt(0, 0, 0), axis).XDirection(), place);
    if (x.IsParallel(axis, 1e-9)) fail(place + ".x", "must not run along the axis");
    x = gp_Dir(axis.Crossed(x).Crossed(axis));  // square to the axis
    auto size = [&](const char *key) {
        const Json &v = member(j, key, place);
        if (!v.is_array() || v.size() != 2) fail(place + "." + key, "expected [width, depth]");
        double w = number(v[0], place + "." + key + "[0]"), d = number(v[1], place + "." + key + "[1]");
        if (w <= 0 || d <= 0) fail(place + "." + key, "width and depth must be greater than 0");
        return std::make_pair(w, d);
    };
    // Plain variables: a lambda may not capture structured bindings before C++20 (clang refuses).
    const std::pair<double, double> bottom = size("bottom"), top = size("top");
    const double w = bottom.first, d = bottom.second, tw = top.first, td = top.second;
    double height = positive(j, "height", place);
    // The wedge's Y runs along the axis; its corner sits half a bottom off the centre.
    gp_Dir normal = x.Crossed(axis);
    gp_Pnt corner(base - x.XYZ() * (w / 2) - normal.XYZ() * (d / 2));
    return guarded(place, "frustum", [&] {
        return BRepPrimAPI_MakeWedge(gp_Ax2(corner, normal, x), w, height, d, (w - tw) / 2, (d - td) / 2,
                                     (w + tw) / 2, (d + td) / 2)
            .Shape();
    });
}

TopoDS_Shape make_sphere(const Json &j, const std::string &place) {
    only_keys(j, {"center", "radius"}, place);
    gp_XYZ center = vec3(member(j, "center", place), place + ".center");
    double radius = positive(j, "radius", place);
    return guarded(place, "sphere", [&] { return BRepPrimAPI_MakeSphere(gp_Pnt(center), radius).Shape(); });
}

// Coplanar and co-cylindrical pieces left by a boolean become one face, as in a modeller.
TopoDS_Shape unified(const TopoDS_Shape &shape) {
    ShapeUpgrade_UnifySameDomain unify(shape, Standard_True, Standard_True, Standard_False);
    unify.Build();
    return unify.Shape();
}

std::vector<TopoDS_Shape> operands(const Json &list, std::size_t at_least, const BuildContext &ctx,
                                   const std::string &place) {
    if (!list.is_array() || list.size() < at_least)
        fail(place, "expected a list of at least " + std::to_string(at_least) + " shapes");
    std::vector<TopoDS_Shape> shapes;
    for (std::size_t i = 0; i < list.size(); ++i)
        shapes.push_back(build(list[i], ctx, place + "[" + std::to_string(i) + "]"));
    return shapes;
}

TopoDS_Shape make_union(const Json &list, const BuildContext &ctx, const std::string &place) {
    std::vector<TopoDS_Shape> shapes = operands(list, 1, ctx, place);
    TopoDS_Shape result = shapes.front();
    for (std::size_t i = 1; i < shapes.size(); ++i) {
        result = guarded(place, "union", [&] {
            BRepAlgoAPI_Fuse fuse(result, shapes[i]);
            if (fuse.HasErrors() || !fuse.IsDone()) fail(place, "union of shape " + std::to_string(i) + " failed");
            return fuse.Shape();
        });
    }
    return shapes.size() > 1 ? guarded(place, "union", [&] { return unified(result); }) : result;
}

TopoDS_Shape make_cut(const Json &list, const BuildContext &ctx, const std::string &place) {
    std::vector<TopoDS_Shape> shapes = operands(list, 2, ctx, place);
    TopoDS_Shape result = shapes.front();
    for (std::size_t i = 1; i < shapes.size(); ++i) {
        result = guarded(place, "cut", [&] {
            BRepAlgoAPI_Cut cut(result, shapes[i]);
            if (cut.HasErrors() || !cut.IsDone()) fail(place, "cut by shape " + std::to_string(i) + " failed");
            return cut.Shape();
        });
    }
    result = guarded(place, "cut", [&] { return unified(result); });
    if (split_bodies(result).empty()) fail(place, "the cut leaves nothing");
    return result;
}

bool is_vertical_line(const TopoDS_Edge &edge) {
    BRepAdaptor_Curve curve(edge);
    return curve.GetType() == GeomAbs_Line && std::abs(curve.Line().Direction().Z()) > 1.0 - 1e-9;
}

// The edges around the farthest planar face whose outward normal is the axis of label ("+Z").
std::vector<TopoDS_Edge> edges_around(const TopoDS_Shape &shape, const std::string &label, const std::string &place) {
    std::array<double, 3> dir{};
    if (!axis_from_label(label, &dir)) fail(place, "expected +X, -X, +Y, -Y, +Z or -Z, found \"" + label + "\"");
    TopoDS_Face farthest;
    double level = 0.0;
    for (TopExp_Explorer ex(shape, TopAbs_FACE); ex.More(); ex.Next()) {
        const FaceInfo info = face_info(make_shape(ex.Current()));
        if (!info.planar || info.normal[0] * dir[0] + info.normal[1] * dir[1] + info.normal[2] * dir[2] < 1.0 - 1e-9)
            continue;
        if (farthest.IsNull() || info.offset > level) {
            farthest = TopoDS::Face(ex.Current());
            level = info.offset;
        }
    }
    if (farthest.IsNull()) fail(place, "no planar face faces " + label);
    std::vector<TopoDS_Edge> edges;
    for (const TopoDS_Shape &e : ordered_edges(farthest)) edges.push_back(TopoDS::Edge(e));
    return edges;
}

TopoDS_Shape make_fillet(const Json &j, const BuildContext &ctx, const std::string &place) {
    only_keys(j, {"shape", "radius", "edges"}, place);
    TopoDS_Shape base = build(member(j, "shape", place), ctx, place + ".shape");
    double radius = positive(j, "radius", place);
    std::vector<TopoDS_Shape> edges = ordered_edges(base);
    std::vector<TopoDS_Edge> chosen;
    const Json &which = j.contains("edges") ? j["edges"] : Json("all");
    const std::string where = place + ".edges";
    if (which.is_string() && (which == "all" || which == "vertical")) {
        for (const TopoDS_Shape &e : edges) {
            const TopoDS_Edge &edge = TopoDS::Edge(e);
            if (which == "vertical" && !is_vertical_line(edge)) continue;
            chosen.push_back(edge);
        }
        if (chosen.empty()) fail(where, "no " + which.get<std::string>() + " edge to round");
    } else if (which.is_array() && !which.empty()) {
        for (std::size_t i = 0; i < which.size(); ++i) {
            const std::string at = where + "[" + std::to_string(i) + "]";
            if (!which[i].is_number_integer()) fail(at, "expected an edge index");
            long n = which[i].get<long>();
            if (n < 0 || static_cast<std::size_t>(n) >= edges.size())
                fail(at, "edge " + std::to_string(n) + " asked, the shape has " + std::to_string(edges.size()) +
                             " (counted from 0)");
            chosen.push_back(TopoDS::Edge(edges[static_cast<std::size_t>(n)]));
        }
    } else if (which.is_object() && which.size() == 1 && which.contains("around") && which["around"].is_string()) {
        chosen = edges_around(base, which["around"].get<std::string>(), where + ".around");
    } else {
        fail(where, "expected \"all\", \"vertical\", {\"around\": \"+Z\"} or a list of edge indices");
    }
    return guarded(place, "fillet of radius " + Json(radius).dump(), [&] {
        BRepFilletAPI_MakeFillet fillet(base);
        for (const TopoDS_Edge &edge : chosen) fillet.Add(radius, edge);
        fillet.Build();
        if (!fillet.IsDone())
            fail(place, "fillet of radius " + Json(radius).dump() + " failed (too large for the edges?)");
        return fillet.Shape();
    });
}

TopoDS_Shape from_file(const Json &desc, const std::string &kind, const BuildContext &ctx, const std::string &place) {
    const std::string at = place + "." + kind;
    const Json &name = desc[kind];
    std::string host = resolve_file(name, ctx, at);
    std::string what = at + ": " + name.get<std::string>();
    if (kind == "step_file") {
        only_keys(desc, {"step_file", "solid"}, place);
        return pick_solid(read_step_file(host, ctx.units, what), desc, place);
    }
    only_keys(desc, {"brep_file", "solid", "units"}, place);
    std::string units = "mm";
    if (desc.contains("units")) {
        const Json &u = desc["units"];
        if (u != "mm" && u != "m") fail(place + ".units", "must be \"mm\" or \"m\"");
        units = u.get<std::string>();
    }
    TopoDS_Shape shape = read_brep_file(host, what);
    shape = guarded(at, "unit conversion", [&] { return scaled(shape, unit_factor(units, ctx.units)); });
    return pick_solid(shape, desc, place);
}

// A shape turned about an axis (degrees) and then moved.
TopoDS_Shape make_move(const Json &j, const BuildContext &ctx, const std::string &place) {
    only_keys(j, {"shape", "axis", "about", "angle", "by"}, place);
    TopoDS_Shape shape = build(member(j, "shape", place), ctx, place + ".shape");
    gp_Trsf turn, shift;
    if (j.contains("angle")) {
        gp_XYZ about = j.contains("about") ? vec3(j["about"], place + ".about") : gp_XYZ(0, 0, 0);
        turn.SetRotation(gp_Ax1(gp_Pnt(about), direction(j, "axis", gp_Dir(0, 0, 1), place)),
                         number(j["angle"], place + ".angle") * M_PI / 180.0);
    }
    if (j.contains("by")) shift.SetTranslation(gp_Vec(vec3(j["by"], place + ".by")));
    return guarded(place, "move", [&] { return BRepBuilderAPI_Transform(shape, shift * turn, Standard_True).Shape(); });
}

const char *const kKinds[] = {"box",  "cylinder", "cone",  "frustum", "sphere",    "union",
                              "cut",  "fillet",   "move",  "brep",    "brep_file", "step_file"};

// The kind key of a shape object; the file kinds may carry "solid" and "units" beside it.
std::string kind_of(const Json &desc, const std::string &place) {
    if (!desc.is_object() || desc.empty()) fail(place, "expected a shape object such as {\"box\": {...}}");
    std::string kind;
    for (const char *k : kKinds) {
        if (!desc.contains(k)) continue;
        if (!kind.empty()) fail(place, "a shape has one kind, found \"" + kind + "\" and \"" + k + "\"");
        kind = k;
    }
    if (kind.empty()) {
        for (auto it = desc.begin(); it != desc.end(); ++it)
            if (it.key() != "solid" && it.key() != "units") fail(place, "unknown shape '" + it.key() + "'");
        fail(place, "no shape kind given");
    }
    return kind;
}

TopoDS_Shape build(const Json &desc, const BuildContext &ctx, const std::string &place) {
    const std::string kind = kind_of(desc, place);
    if (kind == "step_file" || kind == "brep_file") return from_file(desc, kind, ctx, place);
    if (kind == "brep") {
        only_keys(desc, {"brep", "solid"}, place);
        if (!desc["brep"].is_string()) fail(place + ".brep", "expected BREP text");
        return pick_solid(shape_from_brep_text(desc["brep"].get<std::string>(), place + ".brep")->shape, desc, place);
    }
    only_keys(desc, {kind.c_str()}, place);
    const Json &body = desc[kind];
    const std::string at = place + "." + kind;
    if (kind == "box") return make_box(body, at);
    if (kind == "cylinder") return make_cylinder(body, at);
    if (kind == "cone") return make_cone(body, at);
    if (kind == "frustum") return make_frustum(body, at);
    if (kind == "move") return make_move(body, ctx, at);
    if (kind == "sphere") return make_sphere(body, at);
    if (kind == "union") return make_union(body, ctx, at);
    if (kind == "cut") return make_cut(body, ctx, at);
    return make_fillet(body, ctx, at);
}

}  // namespace

std::vector<ShapeRef> build_shapes(const nlohmann::ordered_json &desc, const BuildContext &ctx,
                                   const std::string &place) {
    TopoDS_Shape shape = build(desc, ctx, place);
    std::vector<ShapeRef> bodies;
    for (const TopoDS_Shape &body : split_bodies(shape)) bodies.push_back(make_shape(body));
    if (bodies.empty()) fail(place, "the shape holds no solid");
    return bodies;
}

}  // namespace nxhost::modeling
