// Cut levels of layered operations, and the part geometry they are computed from.
#pragma once

#include <array>
#include <vector>

#include "nxhost/cam/cam_model.h"

namespace nxhost::cam {

// Whether an operation of that subtype has cut levels (cavity, Z-level and plunge milling).
bool has_cut_levels(int subtype);

// The levels the operation cuts at, top first: its own once edited or user defined, otherwise the
// levels computed from its part geometry (or its cut area when it has no part). Computed levels lie
// at every planar face of the part that faces up the MCS Z axis below the blank's top, and at the
// part's bottom; a level's z is its height along the MCS Z axis (the dot of its points with that
// axis: the MCS origin is not subtracted).
std::vector<UF_CUT_LEVEL_single_t> current_levels(tag_t oper);

// The part and blank items an operation uses: its own, else those of its nearest geometry
// parent that has some.
std::vector<tag_t> part_entities(tag_t oper);
std::vector<tag_t> blank_entities(tag_t oper);
// Whether the operation has a blank: blank items or an automatic blank on it or a parent.
bool has_blank(tag_t oper);

}  // namespace nxhost::cam
