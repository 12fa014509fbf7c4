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
// at every upward planar face of the part below the blank's top and at the part's bottom, along
// the absolute Z axis.
std::vector<UF_CUT_LEVEL_single_t> current_levels(tag_t oper);

// The part and blank items an operation uses: its own, else those of its nearest geometry
// parent that has some.
std::vector<tag_t> part_entities(tag_t oper);
std::vector<tag_t> blank_entities(tag_t oper);
// Whether the operation has a blank: blank items or an automatic blank on it or a parent.
bool has_blank(tag_t oper);

// Extent {xmin, ymin, zmin, xmax, ymax, zmax} of bodies, faces and edges; false when none has one.
bool entities_box(const std::vector<tag_t> &entities, std::array<double, 6> *box);

}  // namespace nxhost::cam
