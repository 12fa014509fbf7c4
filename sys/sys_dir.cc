#include "sys/sys_dir.h"

#include "sys/sys_internal.h"
#include "sys/sys_path.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace sys_detail {

namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool match_from(const char *pattern, const char *name) {
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && fold(*pattern) == fold(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

}  // namespace

bool same_name(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool wildcard_match(const char *pattern, const char *name) {
    if (match_from(pattern, name)) return true;
    // Windows lets a trailing ".*" also match names without that dot ("*.*" is everything).
    size_t len = std::strlen(pattern);
    if (len >= 2 && pattern[len - 2] == '.' && pattern[len - 1] == '*' && !std::strchr(name, '.')) {
        std::string shorter(pattern, len - 2);
        return match_from(shorter.c_str(), name);
    }
    return false;
}

#ifndef _WIN32
bool read_host_directory(const std::string &dir, std::vector<std::string> *names) {
    names->clear();
    DIR *d = opendir(dir.c_str());
    if (!d) return false;
    while (struct dirent *entry = readdir(d)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        names->push_back(entry->d_name);
    }
    closedir(d);
    std::sort(names->begin(), names->end());
    return true;
}
#endif

}  // namespace sys_detail

int sys_list_directory(const char *dir, const char *wildcard, int dirs_too,
                       std::vector<std::string> *names) {
    if (!names) {
        errno = EINVAL;
        return 0;
    }
    names->clear();
    if (!dir || !*dir) {
        errno = EINVAL;
        return 0;
    }
    const char *pattern = (wildcard && *wildcard) ? wildcard : "*";

#ifdef _WIN32
    // List everything and match here, so short 8.3 names never match as they would in
    // FindFirstFile's own matching and both platforms agree.
    std::string search = dir;
    if (search.back() != '\\' && search.back() != '/' && search.back() != ':') search += '\\';
    search += '*';
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(search.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
    do {
        const char *name = found.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        bool is_dir = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (is_dir && !dirs_too) continue;
        if (sys_detail::wildcard_match(pattern, name)) names->push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names->begin(), names->end());
    return 1;
#else
    std::string host = sys_native_path(dir);
    if (host.empty()) {
        errno = ENOENT;
        return 0;
    }
    std::vector<std::string> all;
    if (!sys_detail::read_host_directory(host, &all)) return 0;
    std::string prefix = host.back() == '/' ? host : host + "/";
    for (const std::string &name : all) {
        if (!sys_detail::wildcard_match(pattern, name.c_str())) continue;
        struct stat st;
        // Entries that cannot be examined (a dangling link) are not listed.
        if (stat((prefix + name).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode) && !dirs_too) continue;
        names->push_back(name);
    }
    return 1;
#endif
}
