// The geometry of CAM boundaries: the loops of a planar face as NX turns them into boundaries,
// the members of a boundary from curves and how they join, the plane a boundary lies in, and the
// WCS in which the boundary calls take their origins.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "nxhost/cam/cam_model.h"

namespace nxhost::cam {

using Vec3 = std::array<double, 3>;

// Members whose ends lie this close join (NX's chaining tolerance is not documented; the add-on
// reuses lines that match within 0.005, which this admits).
constexpr double kChainTolerance = 0.01;

struct FaceLoop {
    LoopKind kind = LoopKind::Outer;
    std::vector<tag_t> edges;
};

// The loops of a planar face, the outer loop (the widest) first, then its holes and islands. With
// skip_chamfers the chamfers and rounds around the face count as part of it, so that each loop
// runs along their far edges: a neighbour face is one when, along the shared edge, its normal
// lies within 80 degrees of the face's (a drafted wall of up to 10 degrees stays a wall), and a
// corner face between two of them that touches the face goes with them.
std::vector<FaceLoop> planar_face_loops(const Object &face, bool skip_chamfers);

// Whether an object can be a member of a boundary from curves: an edge of a body, a line, or a
// curve that is a circular arc. When not, *what says what it is ("a spline", "a point").
bool boundary_curve(const Object &obj, std::string *what);

// Whether members (edges and curves, checked by boundary_curve) join end to end in the order given,
// each either way round; a closed boundary's last member also meets its first, and a closed
// boundary of one member is a curve closed on itself. When not, *why names where the chain breaks.
bool members_chain(const std::vector<tag_t> &members, bool closed, std::string *why);

// The plane a boundary lies in, in absolute coordinates: a user plane's origin and the Z row of
// its matrix; an automatic plane is its face's (through the middle of the loop) or that of its
// members (through the first member's start, its normal turned to the MCS Z of the owner). False
// when the members span no single plane (one straight line, curves that are not planar).
bool boundary_plane(tag_t owner, const Boundary &boundary, Vec3 *origin, Vec3 *normal);

// A point given in the WCS of a part in absolute coordinates, and back.
Vec3 wcs_to_absolute(tag_t part, const double point[3]);
Vec3 absolute_to_wcs(tag_t part, const Vec3 &point);

}  // namespace nxhost::cam
