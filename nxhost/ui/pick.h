// What a scenario's `pick` line means in the part: names and selectors to objects.
#pragma once

#include <string>
#include <vector>

#include "nxhost/script/script.h"
#include "uf_defs.h"

namespace nxhost {

struct MaskTriple {
    int type;
    int subtype;
    int detail;  // UF_UI_SEL_FEATURE_* detail type
};

// Objects named by a pick line, in the line's order. Each must be selectable under one of the
// masks (all objects when there are none); otherwise the scenario is wrong and fatal() is called.
//   pick solids E1 E3            bodies by name
//   pick faces E2:4              face 4 of body E2 (index in the body's face order)
//   pick faces E2 normal=+Z      the planar faces of E2 whose outward normal is +Z (any axis)
//   pick objects POINT_1         any named object
std::vector<tag_t> resolve_pick(const script::Line &line, const std::vector<MaskTriple> &masks, tag_t part);

// "picked E1, E3" / "picked E2 face 4".
std::string describe_pick(const std::vector<tag_t> &picked);

}  // namespace nxhost
