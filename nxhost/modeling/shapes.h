// Bodies, faces and edges as the rest of the stand-in sees them: opaque OCCT shapes behind a
// small interface, so that only a few files of this folder compile OCCT headers.
//
// A body object (type 70/0) carries a BodyPayload; its faces (70/2) and edges (70/3) carry a
// ShapePayload each, with `index` their position in the body's stable order: faces in
// TopExp::MapShapes order, edges in that order without the edges NX does not have: degenerated
// edges (a sphere's poles) and seams (where a periodic face closes on itself). So a cylinder
// has three faces and two edges, a sphere one face and no edge.
#pragma once

#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "nxhost/objects/store.h"
#include "uf_defs.h"

namespace nxhost::modeling {

// A shape that could not be built or read. The message names the place
// ("bodies[2].shape: unknown shape 'torus'"); callers prefix the file.
class ShapeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An OCCT shape (defined in occt_shape.h, inside this folder only). Immutable once made.
struct ShapeData;
using ShapeRef = std::shared_ptr<const ShapeData>;

struct ShapePayload : Payload {
    explicit ShapePayload(ShapeRef s) : shape(std::move(s)) {}
    ShapeRef shape;
};

// A body's shape with its faces and edges in index order and which touch which.
struct BodyPayload : ShapePayload {
    using ShapePayload::ShapePayload;
    std::vector<ShapeRef> faces;
    std::vector<ShapeRef> edges;
    std::vector<std::vector<int>> face_edges;  // per face: edge indices
    std::vector<std::vector<int>> edge_faces;  // per edge: face indices
    // Per edge: false for a closed edge whose OCCT vertex no other edge meets (a full circle),
    // which has no vertex in NX.
    std::vector<bool> edge_vertex_shown;
};

// Where a shape description is read: relative file names are taken from base_dir, lengths are in
// `units` ("mm" or "m"), Windows paths (X:\...) go through the drive mapping.
struct BuildContext {
    std::string base_dir;
    std::string units = "mm";
};

// Builds the shapes a body description yields, one per solid (sheets when there is no solid).
// Throws ShapeError whose message starts with `place`.
std::vector<ShapeRef> build_shapes(const nlohmann::ordered_json &desc, const BuildContext &ctx,
                                   const std::string &place);

// OCCT BREP text of a shape, and back. Reading throws ShapeError "what: ..." on bad text.
std::string shape_to_brep_text(const ShapeRef &shape);
ShapeRef shape_from_brep_text(const std::string &text, const std::string &what);

// Splits a body's shape into faces and edges with their adjacency.
std::shared_ptr<BodyPayload> explode_body(const ShapeRef &shape);

// Creates a body object of `part` with one object per face and edge; returns the body's tag.
tag_t create_body_object(tag_t part, const ShapeRef &shape, const std::string &name);

// The shape payload of a body, face or edge object; nullptr when it has none.
const ShapePayload *shape_payload(const Object &obj);
const BodyPayload *body_payload(const Object &obj);

// UF_MODL_SOLID_BODY, UF_MODL_SHEET_BODY or 0.
int body_type_code(const ShapeRef &shape);
// Enclosed volume (0 for sheets), in cubic part units.
double volume(const ShapeRef &shape);
// Exact extent {xmin, ymin, zmin, xmax, ymax, zmax}; false for an empty shape.
bool exact_box(const ShapeRef &shape, std::array<double, 6> *box);
// The same along three orthonormal axes (rows X, Y, Z): the extent of the shape's coordinates
// dot(p, X), dot(p, Y), dot(p, Z).
bool exact_box_along(const ShapeRef &shape, const std::array<double, 9> &axes, std::array<double, 6> *box);

// What a face is: its UF_MODL_*_FACE code, and for a plane the outward unit normal and the
// plane's offset along it (dot of any plane point with the normal).
struct FaceInfo {
    int type = 0;
    bool planar = false;
    std::array<double, 3> normal{};
    double offset = 0.0;
};
FaceInfo face_info(const ShapeRef &face);
// "planar", "cylindrical", ... for a UF_MODL_*_FACE code.
std::string face_type_name(int type);
// "+Z" style label of an axis direction, "" when the direction is not along an axis.
std::string axis_label(const std::array<double, 3> &dir);
// Unit vector of a "+X" ... "-Z" label; false for anything else.
bool axis_from_label(const std::string &label, std::array<double, 3> *dir);

// UF_MODL_*_EDGE code of an edge.
int edge_type_code(const ShapeRef &edge);
// End points of edge `index` of a body as NX has them: 2 for an open edge, 1 for a closed edge
// that another edge meets (point1), 0 for a closed edge on its own.
int edge_vertices(const BodyPayload &body, std::size_t index, std::array<double, 3> *point1,
                  std::array<double, 3> *point2);

}  // namespace nxhost::modeling
