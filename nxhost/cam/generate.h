// Generating a tool path as NX does, for the API entries and for the stand-in's own programs
// (the background worker): what an operation needs before its path can be computed.
#pragma once

#include <string>

#include "uf_defs.h"

namespace nxhost::cam {

struct Generation {
    int code = 0;         // 0 when the path is generated, else the fail code of what is missing
    std::string why;      // what is missing ("CAV_TOP-R1 has no cutter")
    std::string summary;  // what the path was generated from, as the tree shows it
};

// Generates the path of one operation: recorded with what it was generated from and the part
// marked changed, or, when something is missing, the path no longer generated. Tells nobody;
// the caller reports.
Generation generate_path(tag_t oper);

}  // namespace nxhost::cam
