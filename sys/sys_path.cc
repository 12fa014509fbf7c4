#include "sys/sys_path.h"

#include "sys/sys_internal.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <cstdlib>
#endif

namespace sys_detail {

char windows_drive(const char *path) {
    if (!path) return 0;
    char c = path[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z' || path[1] != ':') return 0;
    return c;
}

}  // namespace sys_detail

#ifdef _WIN32

std::string sys_native_path(const char *path) { return path ? path : ""; }

#else

namespace {

using sys_detail::read_host_directory;
using sys_detail::same_name;
using sys_detail::windows_drive;

// A Windows path after the drive, as clean components. "D:x" counts as "D:\x": the host has
// no current directory per drive.
struct WindowsPath {
    char drive = 0;
    std::vector<std::string> parts;
};

// false when ".." climbs above the drive root.
bool split_windows_path(const char *path, WindowsPath *out) {
    out->drive = windows_drive(path);
    out->parts.clear();
    std::string part;
    for (const char *p = path + 2;; ++p) {
        if (*p == '\\' || *p == '/' || *p == '\0') {
            if (part == "..") {
                if (out->parts.empty()) return false;
                out->parts.pop_back();
            } else if (!part.empty() && part != ".") {
                out->parts.push_back(part);
            }
            part.clear();
            if (*p == '\0') break;
        } else {
            part += *p;
        }
    }
    return true;
}

struct Mount {
    WindowsPath prefix;
    std::string dir;
};

// Entries that are not "X:\prefix=dir" are ignored; a '=' inside the Windows prefix cannot be
// expressed.
std::vector<Mount> read_mounts() {
    std::vector<Mount> mounts;
    const char *env = std::getenv("NXHOST_MOUNTS");
    if (!env) return mounts;
    std::string all = env;
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find('|', start);
        if (end == std::string::npos) end = all.size();
        std::string entry = all.substr(start, end - start);
        start = end + 1;
        size_t eq = entry.find('=');
        if (eq == std::string::npos || eq + 1 == entry.size()) continue;
        Mount m;
        std::string prefix = entry.substr(0, eq);
        if (!windows_drive(prefix.c_str()) || !split_windows_path(prefix.c_str(), &m.prefix)) continue;
        m.dir = entry.substr(eq + 1);
        mounts.push_back(m);
    }
    return mounts;
}

bool has_prefix(const WindowsPath &path, const WindowsPath &prefix) {
    if (path.drive != prefix.drive || prefix.parts.size() > path.parts.size()) return false;
    for (size_t i = 0; i < prefix.parts.size(); ++i)
        if (!same_name(path.parts[i], prefix.parts[i])) return false;
    return true;
}

std::string join(const std::string &dir, const std::string &name) {
    if (!dir.empty() && dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool host_entry_exists(const std::string &path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// Walks parts below dir; a component missing under its exact name takes the first entry in
// byte order that equals it ignoring case. From the first component found under no name on,
// the rest is kept as given.
std::string resolve_case(std::string dir, const std::vector<std::string> &parts, size_t first) {
    std::string exact = dir;
    for (size_t i = first; i < parts.size(); ++i) exact = join(exact, parts[i]);
    if (first == parts.size() || host_entry_exists(exact)) return exact;

    for (size_t i = first; i < parts.size(); ++i) {
        std::string next = join(dir, parts[i]);
        if (!host_entry_exists(next)) {
            std::vector<std::string> names;
            const std::string *match = nullptr;
            if (read_host_directory(dir, &names)) {
                for (const std::string &name : names) {
                    if (same_name(name, parts[i])) {
                        match = &name;
                        break;
                    }
                }
            }
            if (!match) {
                for (size_t j = i; j < parts.size(); ++j) dir = join(dir, parts[j]);
                return dir;
            }
            next = join(dir, *match);
        }
        dir = next;
    }
    return dir;
}

std::string without_trailing_slashes(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

}  // namespace

std::string sys_native_path(const char *path) {
    if (!path) return "";
    if (!windows_drive(path)) return path;

    WindowsPath win;
    if (!split_windows_path(path, &win)) return "";

    const Mount *best = nullptr;
    std::vector<Mount> mounts = read_mounts();
    for (const Mount &m : mounts) {
        if (has_prefix(win, m.prefix) && (!best || m.prefix.parts.size() > best->prefix.parts.size()))
            best = &m;
    }
    if (best) return resolve_case(without_trailing_slashes(best->dir), win.parts, best->prefix.parts.size());

    const std::string variable = std::string("NXHOST_DRIVE_") + win.drive;
    const char *drive_dir = std::getenv(variable.c_str());
    if (!drive_dir || !*drive_dir) return "";
    return resolve_case(without_trailing_slashes(drive_dir), win.parts, 0);
}

#endif
