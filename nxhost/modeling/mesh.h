// Triangles of a shape's faces, for pictures of a part; free of OCCT headers like shapes.h.
#pragma once

#include <array>
#include <vector>

#include "nxhost/modeling/shapes.h"

namespace nxhost::modeling {

// Triangles in absolute coordinates; each triangle's corners run counter-clockwise seen from
// outside the material (the face's outward side).
struct Mesh {
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<int, 3>> triangles;  // indices into vertices
    // Per face, in the body's face order (shapes.h): its first triangle and how many it has.
    std::vector<std::array<int, 2>> faces;
};

// Tessellates every face of a shape: no chord strays more than `deflection` (part units) from the
// surface, no triangle edge turns by more than `angle` radians. The shape itself is left as it is
// (a copy is meshed), so that saved parts never carry triangles. Throws ShapeError when OCCT
// fails; a face OCCT cannot mesh gets no triangles (a count of 0).
Mesh triangulate(const ShapeRef &shape, double deflection, double angle);

}  // namespace nxhost::modeling
