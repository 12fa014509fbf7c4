// Where the add-on's Windows paths lead: drives and mounts, as the file layer (sys/) reads them
// from this process's environment.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "nxhost/runner/options.h"

namespace nxhost::runner {

// A directory or file named on the command line that cannot be used.
class SetupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Absolute form of an existing host directory; throws SetupError naming `what` otherwise.
std::string existing_directory(const std::string &dir, const std::string &what);

// Mounts every drive (NXHOST_DRIVE_<L>) and deeper folder (NXHOST_MOUNTS, added to what the
// environment already holds), and for English the folder lang-en at the root of drive D: over
// D:\qz_conf\lang. Throws SetupError for a missing directory.
void mount(const std::vector<Drive> &drives, const std::vector<Mount> &mounts, Language language);

}  // namespace nxhost::runner
