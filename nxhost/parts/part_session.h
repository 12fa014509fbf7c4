// Session bookkeeping of parts shared by the runner interface and the UF_PART_* calls.
#pragma once

#include <string>

#include "nxhost/parts/part_model.h"

namespace nxhost {

// Host path of a part name: Windows paths through the drive mapping ("" when not mounted).
std::string host_path_of(const std::string &name);

// A loaded part by full name (case-insensitive), by the same file, or by bare file name with or
// without ".prt"; NULL_TAG when none.
tag_t find_loaded_part(const std::string &name);

// The loaded part of that name, or the part read from its file; display and work part unchanged.
tag_t open_part(const std::string &name, LoadFailure *failure);

// Unloads a part and everything in it; the previous display part is shown again.
void close_part(tag_t part);

void set_work_part(tag_t part);

// Keeps the reason of a failed call for last_load_error() and tells the person running the host.
void report_failure(const char *call, const std::string &message);

}  // namespace nxhost
