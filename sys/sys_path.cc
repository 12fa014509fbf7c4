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

int sys_read_only_path(const char *) { return 0; }

#else

namespace {

using sys_detail::read_host_directory;
using sys_detail::same_name;
using sys_detail::windows_drive;

// A Windows path after its root, as clean components. The root is a drive letter, or the
// server and share of a network path ("\\srv\tasks\a.txt"). "D:x" counts as "D:\x": the host
// has no current directory per drive.
struct WindowsPath {
    char drive = 0;
    std::string server, share;  // of a network path; drive is then 0
    std::vector<std::string> parts;
};

bool is_separator(char c) { return c == '\\' || c == '/'; }

// A network path: two separators, a server and a share name.
bool is_unc(const char *path) { return path && is_separator(path[0]) && is_separator(path[1]); }

// Appends the components from p on; false when ".." climbs above the root.
bool split_components(const char *p, std::vector<std::string> *parts) {
    std::string part;
    for (;; ++p) {
        if (is_separator(*p) || *p == '\0') {
            if (part == "..") {
                if (parts->empty()) return false;
                parts->pop_back();
            } else if (!part.empty() && part != ".") {
                parts->push_back(part);
            }
            part.clear();
            if (*p == '\0') break;
        } else {
            part += *p;
        }
    }
    return true;
}

// false when the path has no root (drive, or server and share) or ".." climbs above it.
bool split_windows_path(const char *path, WindowsPath *out) {
    *out = WindowsPath{};
    out->drive = windows_drive(path);
    if (out->drive) return split_components(path + 2, &out->parts);
    if (!is_unc(path)) return false;
    const char *p = path + 2;
    for (std::string *name : {&out->server, &out->share}) {
        while (*p && !is_separator(*p)) *name += *p++;
        if (name->empty() || *name == "." || *name == "..") return false;
        while (is_separator(*p)) ++p;
    }
    return split_components(p, &out->parts);
}

bool same_root(const WindowsPath &a, const WindowsPath &b) {
    if (a.drive || b.drive) return a.drive == b.drive;
    return same_name(a.server, b.server) && same_name(a.share, b.share);
}

struct Mount {
    WindowsPath prefix;
    std::string dir;
};

// Windows prefixes of a '|'-separated list of "PREFIX=DIR" (with_dir) or "PREFIX" entries;
// entries without a root are ignored. A '=' inside the Windows prefix cannot be expressed.
std::vector<Mount> read_prefix_list(const char *variable, bool with_dir) {
    std::vector<Mount> mounts;
    const char *env = std::getenv(variable);
    if (!env) return mounts;
    std::string all = env;
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find('|', start);
        if (end == std::string::npos) end = all.size();
        std::string entry = all.substr(start, end - start);
        start = end + 1;
        size_t eq = with_dir ? entry.find('=') : entry.size();
        if (eq == std::string::npos || (with_dir && eq + 1 == entry.size())) continue;
        Mount m;
        std::string prefix = entry.substr(0, eq);
        if (!split_windows_path(prefix.c_str(), &m.prefix)) continue;
        if (with_dir) m.dir = entry.substr(eq + 1);
        mounts.push_back(m);
    }
    return mounts;
}

bool has_prefix(const WindowsPath &path, const WindowsPath &prefix) {
    if (!same_root(path, prefix) || prefix.parts.size() > path.parts.size()) return false;
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
    if (!windows_drive(path) && !is_unc(path)) return path;

    WindowsPath win;
    if (!split_windows_path(path, &win)) return "";

    const Mount *best = nullptr;
    std::vector<Mount> mounts = read_prefix_list("NXHOST_MOUNTS", true);
    for (const Mount &m : mounts) {
        if (has_prefix(win, m.prefix) && (!best || m.prefix.parts.size() > best->prefix.parts.size()))
            best = &m;
    }
    if (best) return resolve_case(without_trailing_slashes(best->dir), win.parts, best->prefix.parts.size());
    // A network share is reached only through a mount.
    if (!win.drive) return "";

    const std::string variable = std::string("NXHOST_DRIVE_") + win.drive;
    const char *drive_dir = std::getenv(variable.c_str());
    if (!drive_dir || !*drive_dir) return "";
    return resolve_case(without_trailing_slashes(drive_dir), win.parts, 0);
}

namespace sys_detail {

bool read_only_path(const char *path) {
    WindowsPath win;
    if (!path || !split_windows_path(path, &win)) return false;
    for (const Mount &m : read_prefix_list("NXHOST_READONLY", false))
        if (has_prefix(win, m.prefix)) return true;
    return false;
}

}  // namespace sys_detail

int sys_read_only_path(const char *path) { return sys_detail::read_only_path(path) ? 1 : 0; }

#endif
