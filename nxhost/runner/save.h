// Keeping what the add-on changed: every modified part goes to the --out folder.
#pragma once

#include <string>

namespace nxhost::runner {

// File name a part is saved under: the last component of its name, with ".prt"
// ("D:\samples\probe.prt" -> "probe.prt", "E1" -> "E1.prt").
std::string saved_file_name(const std::string &part_name);

// Saves every part changed in the session into out_dir (absolute) as saved_file_name; a second
// part of the same file name gets "-2", "-3" ... Without out_dir, says on stderr which changed
// parts are not saved. Returns false when a part could not be saved (each failure on stderr).
bool save_changed_parts(const std::string &out_dir);

}  // namespace nxhost::runner
