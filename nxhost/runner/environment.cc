#include "nxhost/runner/environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "nxhost/parts/parts.h"

namespace fs = std::filesystem;

namespace nxhost::runner {
namespace {

// The catalogue folder the add-on reads and where the English catalogues sit on drive D:.
const char kLanguageFolder[] = "D:\\qz_conf\\lang";
const char kEnglishFolder[] = "lang-en";

std::string drive_variable(char letter) { return std::string("NXHOST_DRIVE_") + letter; }

}  // namespace

std::string existing_directory(const std::string &dir, const std::string &what) {
    std::error_code ec;
    fs::path path = fs::absolute(dir, ec);
    if (ec || !fs::is_directory(path, ec))
        throw SetupError(what + ": '" + dir + "' is not a directory");
    return path.lexically_normal().string();
}

void mount(const std::vector<Drive> &drives, const std::vector<Mount> &mounts, Language language) {
    for (const Drive &drive : drives) {
        std::string dir = existing_directory(drive.host_dir, std::string("drive ") + drive.letter + ":");
        setenv(drive_variable(drive.letter).c_str(), dir.c_str(), 1);
    }

    std::vector<std::string> entries;
    for (const Mount &m : mounts) {
        std::string dir = existing_directory(m.host_dir, m.windows_prefix);
        // '|' separates the entries of NXHOST_MOUNTS and has no escape.
        if (dir.find('|') != std::string::npos || m.windows_prefix.find('|') != std::string::npos)
            throw SetupError(m.windows_prefix + ": a mounted path cannot contain '|'");
        entries.push_back(m.windows_prefix + "=" + dir);
    }
    if (language == Language::English) {
        const char *drive_d = std::getenv(drive_variable('D').c_str());
        if (!drive_d || !*drive_d)
            throw SetupError("--lang en needs drive D: (--drive D=DIR): the English catalogues are in "
                             "its folder lang-en");
        std::string english = existing_directory((fs::path(drive_d) / kEnglishFolder).string(),
                                                 "English catalogues (--lang en)");
        entries.push_back(std::string(kLanguageFolder) + "=" + english);
    }
    if (entries.empty()) return;

    std::string all;
    if (const char *inherited = std::getenv("NXHOST_MOUNTS")) all = inherited;
    for (const std::string &entry : entries) all += (all.empty() ? "" : "|") + entry;
    setenv("NXHOST_MOUNTS", all.c_str(), 1);
}

tag_t mount_and_load_part(const std::vector<Drive> &drives, const std::vector<Mount> &mounts, const std::string &part) {
    try {
        mount(drives, mounts, Language::Chinese);
    } catch (const SetupError &e) {
        std::fprintf(stderr, "nxhost: %s\n", e.what());
        return NULL_TAG;
    }
    std::string error;
    tag_t tag = load_part(part, &error);
    if (tag == NULL_TAG) std::fprintf(stderr, "nxhost: %s\n", error.c_str());
    return tag;
}

void mark_read_only(const std::vector<std::string> &folders) {
    if (folders.empty()) return;
    std::string all;
    if (const char *inherited = std::getenv("NXHOST_READONLY")) all = inherited;
    for (const std::string &folder : folders) all += (all.empty() ? "" : "|") + folder;
    setenv("NXHOST_READONLY", all.c_str(), 1);
}

std::string default_nx_root() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "nxroot";
    return (self.parent_path().parent_path() / "nxroot").string();
}

void mount_nx_root(const std::string &dir, bool given, const std::string &cam_config) {
    if (!cam_config.empty()) setenv("UGII_CAM_CONFIG", cam_config.c_str(), 1);
    std::error_code ec;
    if (!given && !fs::is_directory(dir, ec)) return;
    const std::string root = existing_directory(dir, "--nx-root");
    if (root.find('|') != std::string::npos) throw SetupError("--nx-root: a mounted path cannot contain '|'");
    std::string all;
    if (const char *inherited = std::getenv("NXHOST_MOUNTS")) all = inherited;
    all += (all.empty() ? "" : "|") + std::string(kNxRootWindows) + "=" + root;
    setenv("NXHOST_MOUNTS", all.c_str(), 1);
    setenv("UGII_BASE_DIR", kNxRootWindows, 1);
}

}  // namespace nxhost::runner
