// The MCS a CAM object works in, and the extent of its geometry along the MCS axes: what cut
// levels and automatic blanks are measured in.
#pragma once

#include <array>
#include <vector>

#include "nxhost/cam/cam_model.h"
#include "nxhost/csys/csys.h"

namespace nxhost::cam {

using Box = std::array<double, 6>;  // minimum x, y, z then maximum x, y, z

// The coordinate system of the MCS an object works in: its own MCS value or its nearest
// geometry parent's; NULL_TAG when none is set or it was deleted.
tag_t mcs_csys_of(tag_t object);
// The axes of that MCS (rows X, Y, Z); the absolute axes when there is none.
csys::Matrix mcs_axes_of(tag_t object);

// Extent of bodies, faces and edges: in absolute coordinates, or along axes (the coordinates
// are the dots with the rows, the origin is not subtracted). False when none has an extent.
bool entities_box(const std::vector<tag_t> &entities, Box *box);
bool entities_box_along(const std::vector<tag_t> &entities, const csys::Matrix &axes, Box *box);

// The automatic blank an object uses: its own or its nearest geometry parent's; nullptr when
// none.
const AutoBlank *auto_blank_of(tag_t object);

// The automatic block blank an object uses (its own or its nearest geometry parent's), along the
// axes of its MCS: the extent of the part geometry along those axes widened by the offsets
// (+X, -X, +Y, -Y, +Z, -Z). False when there is no automatic block or no part geometry.
bool auto_block_box(tag_t object, Box *box_along, csys::Matrix *axes);

// The absolute extent of a box given along axes (exact when the axes are the absolute ones in
// some order and sense).
Box absolute_extent(const Box &box_along, const csys::Matrix &axes);

}  // namespace nxhost::cam
