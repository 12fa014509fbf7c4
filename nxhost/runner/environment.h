// Where the add-on's Windows paths lead: drives and mounts, as the file layer (sys/) reads them
// from this process's environment.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "nxhost/runner/options.h"
#include "uf_defs.h"

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

// The part a reading command (tree, picture) opens, with the Chinese catalogues: NULL_TAG after
// saying on stderr why the drives or the part cannot be used.
tag_t mount_and_load_part(const std::vector<Drive> &drives, const std::vector<Mount> &mounts, const std::string &part);

// Refuses writes below each Windows folder (NXHOST_READONLY, added to what the environment
// already holds), as on shares the user may only read.
void mark_read_only(const std::vector<std::string> &folders);

// Where the add-on sees the NX folder (UGII_BASE_DIR).
constexpr const char *kNxRootWindows = "C:\\Program Files\\Siemens\\NX";

// The NX folder of this build: ../nxroot from the folder that holds the running nxhost.
std::string default_nx_root();

// Shows the host directory as the NX folder and sets UGII_BASE_DIR, and UGII_CAM_CONFIG when
// cam_config is given. A missing default folder leaves NX without a folder (CAM then cannot
// start, and says so); a missing folder given on the command line throws SetupError.
void mount_nx_root(const std::string &dir, bool given, const std::string &cam_config);

}  // namespace nxhost::runner
