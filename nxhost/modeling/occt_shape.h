// The OCCT side of shapes.h. Included only by the .cc files of this folder.
#pragma once

#include <array>

#include <Standard_Failure.hxx>
#include <TopoDS_Shape.hxx>

#include "nxhost/modeling/shapes.h"

namespace nxhost::modeling {

// A box asked of a shape, kept: shapes never change once made.
struct BoxMemo {
    bool known = false;
    bool found = false;
    std::array<double, 9> axes{};
    std::array<double, 6> box{};
};

struct ShapeData {
    TopoDS_Shape shape;
    mutable BoxMemo exact;        // in absolute coordinates
    mutable BoxMemo exact_along;  // along the axes last asked
};

inline ShapeRef make_shape(const TopoDS_Shape &shape) {
    auto data = std::make_shared<ShapeData>();
    data->shape = shape;
    return data;
}

// Runs an OCCT computation, turning its exceptions into ShapeError "place: what failed (...)".
template <typename Fn>
auto guarded(const std::string &place, const std::string &what, Fn &&fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const Standard_Failure &e) {
        const char *detail = e.GetMessageString();
        throw ShapeError(place + ": " + what + " failed" +
                         (detail && *detail ? std::string(" (") + detail + ")" : std::string()));
    }
}

// Solids of a shape in exploration order; its shells and faces not inside a solid when it has
// no solid (sheet bodies).
std::vector<TopoDS_Shape> split_bodies(const TopoDS_Shape &shape);

// A shape scaled about the origin (for unit conversion); the shape itself when factor is 1.
TopoDS_Shape scaled(const TopoDS_Shape &shape, double factor);

// Reads a BREP file (lengths as they are) or a STEP file (lengths converted to `units`).
// Throws ShapeError "what: ...".
TopoDS_Shape read_brep_file(const std::string &host_path, const std::string &what);
TopoDS_Shape read_step_file(const std::string &host_path, const std::string &units, const std::string &what);

// Edges in body order: TopExp::MapShapes order without degenerated edges.
std::vector<TopoDS_Shape> ordered_edges(const TopoDS_Shape &shape);

}  // namespace nxhost::modeling
