#include "sys/sys_file.h"

#include "sys/sys_internal.h"
#include "sys/sys_path.h"

#include <cerrno>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct OpenMode {
    char access = 0;  // 'r', 'w' or 'a'
    bool update = false;
    bool binary = false;
    bool exclusive = false;
};

// Reads fopen's mode letters up to a ",ccs=" suffix, which is not carried over.
bool parse_mode(const char *mode, OpenMode *out) {
    if (!mode || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return false;
    out->access = mode[0];
    for (const char *p = mode + 1; *p && *p != ','; ++p) {
        if (*p == '+') out->update = true;
        else if (*p == 'b') out->binary = true;
        else if (*p == 'x') out->exclusive = true;
    }
    return true;
}

#ifndef _WIN32
// The host path of a file to be worked on; "" with errno set when it has none.
std::string host_path(const char *path) {
    if (!path) {
        errno = EINVAL;
        return "";
    }
    std::string host = sys_native_path(path);
    if (host.empty()) errno = ENOENT;
    return host;
}

// A counted call that a test made fail, or a write below a read-only share: EACCES.
bool refused(const char *path, bool writes) {
    if (sys_detail::fault_fails_this_call(path)) return true;
    if (!writes || !sys_detail::read_only_path(path)) return false;
    errno = EACCES;
    return true;
}

// Last component of a Windows or host path, "" when there is none to rename to.
std::string last_component(const char *path) {
    std::string s = path;
    while (!s.empty() && (s.back() == '\\' || s.back() == '/')) s.pop_back();
    size_t cut = s.find_last_of("\\/:");
    std::string name = cut == std::string::npos ? s : s.substr(cut + 1);
    return (name == "." || name == "..") ? "" : name;
}
#endif

}  // namespace

#ifdef _WIN32

namespace {

// fopen's 'x' through the system's exclusive create, which every C runtime of Windows has
// (msvcrt.dll ignores 'x' in fopen and would truncate the file).
FILE *open_exclusive(const char *path, const char *mode, const OpenMode &parsed) {
    int flags = _O_CREAT | _O_EXCL | (parsed.update ? _O_RDWR : _O_WRONLY) | (parsed.binary ? _O_BINARY : _O_TEXT);
    if (parsed.access == 'a') flags |= _O_APPEND;
    int fd = _open(path, flags, _S_IREAD | _S_IWRITE);
    if (fd < 0) return NULL;
    std::string plain_mode;
    for (const char *p = mode; *p; ++p)
        if (*p != 'x') plain_mode += *p;
    FILE *f = _fdopen(fd, plain_mode.c_str());
    if (!f) _close(fd);
    return f;
}

}  // namespace

FILE *sys_fopen(const char *path, const char *mode) {
    OpenMode parsed;
    if (!path || !parse_mode(mode, &parsed)) {
        errno = EINVAL;
        return NULL;
    }
    return parsed.exclusive ? open_exclusive(path, mode, parsed) : fopen(path, mode);
}

int sys_remove(const char *path) { return path ? remove(path) : (errno = EINVAL, -1); }

int sys_rename(const char *from, const char *to) {
    return (from && to) ? rename(from, to) : (errno = EINVAL, -1);
}

int sys_file_exists(const char *path) {
    return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

int sys_is_directory(const char *path) {
    if (!path) return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int sys_make_directory(const char *path) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    if (_mkdir(path) == 0) return 0;
    return (errno == EEXIST && sys_is_directory(path)) ? 0 : -1;
}

#else

FILE *sys_fopen(const char *path, const char *mode) {
    OpenMode parsed;
    if (!parse_mode(mode, &parsed)) {
        errno = EINVAL;
        return nullptr;
    }
    std::string host = host_path(path);
    if (host.empty() || refused(path, parsed.access != 'r' || parsed.update)) return nullptr;
    // fopen would open a directory for reading here; the Windows runtime refuses access.
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EACCES;
        return nullptr;
    }
    if (!parsed.binary)
        return sys_detail::open_text_stream(host, parsed.access, parsed.update, parsed.exclusive);
    std::string raw_mode(1, parsed.access);
    if (parsed.update) raw_mode += '+';
    raw_mode += 'b';
    if (parsed.exclusive) raw_mode += 'x';
    raw_mode += 'e';
    FILE *stream = std::fopen(host.c_str(), raw_mode.c_str());
    return parsed.access != 'r' && !parsed.update ? sys_detail::limit_stream(stream) : stream;
}

int sys_remove(const char *path) {
    std::string host = host_path(path);
    if (host.empty() || refused(path, true)) return -1;
    // unlink, not remove: a directory stays, and Windows calls that a denied access.
    if (unlink(host.c_str()) == 0) return 0;
    if (errno == EISDIR) errno = EACCES;
    return -1;
}

int sys_rename(const char *from, const char *to) {
    std::string source = host_path(from);
    if (source.empty()) return -1;
    std::string target = host_path(to);
    if (target.empty() || refused(from, true)) return -1;
    if (sys_detail::read_only_path(to)) {
        errno = EACCES;
        return -1;
    }
    struct stat source_st;
    struct stat target_st;
    if (lstat(source.c_str(), &source_st) != 0) return -1;
    if (lstat(target.c_str(), &target_st) == 0) {
        if (source_st.st_dev != target_st.st_dev || source_st.st_ino != target_st.st_ino) {
            errno = EEXIST;
            return -1;
        }
        // The target names the source itself: only the case of its name changes.
        std::string name = last_component(to);
        if (name.empty()) return 0;
        size_t slash = target.find_last_of('/');
        target = (slash == std::string::npos ? "" : target.substr(0, slash + 1)) + name;
        if (target == source) return 0;
    }
    return std::rename(source.c_str(), target.c_str()) == 0 ? 0 : -1;
}

int sys_file_exists(const char *path) {
    if (!path) return 0;
    std::string host = sys_native_path(path);
    struct stat st;
    if (host.empty() || stat(host.c_str(), &st) != 0) return 0;
    return (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) ? 1 : 0;
}

int sys_is_directory(const char *path) {
    if (!path) return 0;
    std::string host = sys_native_path(path);
    struct stat st;
    return (!host.empty() && stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? 1 : 0;
}

int sys_make_directory(const char *path) {
    std::string host = host_path(path);
    if (host.empty() || refused(path, true)) return -1;
    if (mkdir(host.c_str(), 0777) == 0) return 0;
    if (errno != EEXIST) return -1;
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return 0;
    errno = EEXIST;
    return -1;
}

#endif
