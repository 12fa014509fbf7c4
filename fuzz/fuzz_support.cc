#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "uf.h"

namespace fs = std::filesystem;

namespace fuzzsupport {

namespace {

std::vector<Target> &registry() {
    static std::vector<Target> list;
    return list;
}

// Removes the drive folder when the process ends normally; a crash leaves it for inspection.
struct DriveFolder {
    std::string dir;
    ~DriveFolder() {
        std::error_code ec;
        if (!dir.empty()) fs::remove_all(dir, ec);
    }
};

}  // namespace

bool register_target(const char *name, Entry entry) {
    registry().push_back({name, entry});
    return true;
}

const std::vector<Target> &targets() { return registry(); }

void finding(const std::string &what) {
#ifdef TORVANE_FUZZ_ENGINE
    std::fprintf(stderr, "fuzz finding: %s\n", what.c_str());
    std::abort();
#else
    throw Finding(what);
#endif
}

std::string source_dir() {
    const char *dir = std::getenv("TORVANE_SOURCE_DIR");
    return dir && *dir ? dir : TORVANE_SOURCE_DIR_DEFAULT;
}

const std::string &drive_dir() {
    static DriveFolder folder;
    if (folder.dir.empty()) {
        const fs::path dir = fs::temp_directory_path() / ("torvane-fuzz-" + std::to_string(getpid()));
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::create_directories(dir / "qz_conf" / "lang");
        fs::copy(fs::path(source_dir()) / "conf" / "qz_conf" / "lang", dir / "qz_conf" / "lang",
                 fs::copy_options::overwrite_existing, ec);
        if (ec) finding("cannot install the shipped catalogues: " + ec.message());
        folder.dir = dir.generic_string();
        setenv("NXHOST_DRIVE_D", folder.dir.c_str(), 1);
        unsetenv("NXHOST_MOUNTS");
        unsetenv("NXHOST_READONLY");
    }
    return folder.dir;
}

void put_file(const std::string &relative, const std::string &bytes) {
    const fs::path path = fs::path(drive_dir()) / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) finding("cannot write " + path.string());
}

Session::Session() {
    drive_dir();
    nxhost::reset_all();
    if (UF_initialize() != 0) finding("the stand-in session did not open");
}

Session::~Session() noexcept(false) {
    std::string problems = nxhost::store().check_indexes();
    if (UF_terminate() != 0) problems += "the session did not close; ";
    if (nxhost::outstanding_blocks() != 0)
        problems += std::to_string(nxhost::outstanding_blocks()) + " blocks of NX memory never freed; ";
    for (const std::string &line : nxhost::misuse_lines()) problems += "API misuse: " + line + "; ";
    nxhost::reset_all();
    if (!problems.empty() && !std::uncaught_exceptions()) finding(problems);
}

}  // namespace fuzzsupport
