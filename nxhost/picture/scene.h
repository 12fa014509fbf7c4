// What `nxhost picture` draws of a part: its bodies as triangles, and of its CAM setup the MCS
// frames, blanks, clearance planes, start points and, per operation, the faces it cuts and the
// level it cuts down to. Everything in absolute coordinates and part units.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "uf_defs.h"

namespace nxhost::picture {

using Vec3 = std::array<double, 3>;
using Axes = std::array<double, 9>;  // rows X, Y, Z

// What a body is to the add-on: the solids carrying a clamp or base block mark (string
// attributes IS_CLAMP, IS_ELEC_BOT_BLOCK) are left out of the electrodes, every other solid is one.
enum class BodyRole { Electrode, Clamp, BaseBlock, Sheet };

// One face's triangles: a range of the body's triangle list.
struct FaceRange {
    int first = 0;
    int count = 0;
};

struct SceneBody {
    std::string name;  // UTF-8; "#tag" when it has none
    BodyRole role = BodyRole::Electrode;
    bool blanked = false;
    std::vector<Vec3> vertices;
    std::vector<std::array<int, 3>> triangles;
    std::vector<FaceRange> faces;  // in the body's face index order
};

// A face of a body of the scene.
struct FaceRef {
    int body = 0;  // index into Scene::bodies
    int face = 0;
    bool operator==(const FaceRef &o) const { return body == o.body && face == o.face; }
};

struct Frame {
    std::string name;
    Vec3 origin{};
    Axes axes{};
};

// A block blank of a workpiece group: the box `along` its MCS axes (coordinates are dots with
// the rows); `automatic` for an automatic block, else the extent of its blank items.
struct BlankBox {
    std::string group;
    bool automatic = true;
    std::array<double, 6> along{};
    Axes axes{};
};

struct Plane {
    std::string owner;  // the group or operation that sets it
    Vec3 origin{};
    Vec3 normal{};
};

// A rectangle in a plane: the corners in order.
using Rectangle = std::array<Vec3, 4>;

struct Operation {
    std::string name, kind, program, workpiece;
    // What it cuts: its cut area faces, else the faces its boundaries were made from; `area_source`
    // says which ("cut area", "boundary faces", "boundaries" of curves only, "text" for an
    // engraving, whose notes are not drawn, "part geometry" when it names none of these and so
    // cuts its whole part, or "" for nothing).
    std::string area_source;
    std::vector<FaceRef> area;
    std::vector<std::vector<Vec3>> boundaries;  // boundary members as polylines
    // Its bottom level: the floor plane, the lowest cut level or the lowest boundary plane, over
    // the extent of what it cuts; `bottom_source` "" when it has none (a contour follows the surface).
    std::string bottom_source;
    double bottom = 0.0;  // along the normal of the level
    Rectangle bottom_rect{};
    std::vector<int> start_points;  // indices into Scene::start_points
};

struct Scene {
    std::string part_name, units;
    bool has_cam = false;
    std::vector<SceneBody> bodies;
    std::vector<Frame> frames;
    std::vector<BlankBox> blanks;
    std::vector<Plane> clearance_planes;
    std::vector<Vec3> start_points;
    std::vector<Operation> operations;  // in program order
    std::array<double, 6> extent{};     // of everything above; zero when empty
    int unmeshed_faces = 0;             // faces OCCT could not tessellate, missing from the picture
};

// How finely bodies are cut into triangles: the chord height as a fraction of the diagonal of
// all bodies' extent, and the largest angle between triangles' normals.
struct MeshTolerance {
    double relative_deflection = 0.002;
    double angle = 0.5;
};

// Collects the scene of a loaded part. Throws std::runtime_error when OCCT cannot tessellate a body.
Scene collect_scene(tag_t part, const MeshTolerance &tolerance = MeshTolerance());

const char *role_name(BodyRole role);

}  // namespace nxhost::picture
