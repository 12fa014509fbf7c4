// What the stand-in knows of the CAM model of a part. It reads no CAM setup yet: a part
// without one is answered as NX answers it, and a part whose file holds a "cam" section is
// refused with kCamNotModelled rather than shown as a part without cutters.
#pragma once

#include "uf_defs.h"

namespace nxhost {

// Error code of a CAM call on a part whose setup the stand-in cannot read.
constexpr int kCamNotModelled = 1105024;

// Whether the part's file had a "cam" section.
bool part_has_cam_section(tag_t part);

// Refuses the tag given to a CAM call as a setup, group, cutter or operation. No CAM object
// exists yet, so every tag is refused: a dead tag as lookup() does, a live one as being of
// another kind; both record a misuse line naming the call. Returns kBadTag.
int refuse_cam_tag(const char *call, tag_t tag);

}  // namespace nxhost
