// Names of objects as the page shows them.
#pragma once

#include <string>

#include "uf_defs.h"

namespace nxhost::picture {

// An object's name in UTF-8. Names the add-on gives are code page 936 bytes (what NX keeps on a
// Chinese Windows); names read from a part file are already UTF-8, which is kept as it is.
// An empty name shows as "#tag" (as the tree prints it), or "" without a tag.
std::string display_name(const std::string &bytes, tag_t tag = NULL_TAG);

// Whether bytes are well-formed UTF-8.
bool is_utf8(const std::string &bytes);

}  // namespace nxhost::picture
