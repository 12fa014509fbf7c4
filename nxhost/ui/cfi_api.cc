// Directory scans and file-name helpers (uc45xx), over the mapped drives.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "sys/sys_dir.h"
#include "sys/sys_path.h"
#include "uf_cfi.h"

using namespace nxhost;

namespace {

constexpr int kPartFileType = 2;
constexpr int kWildcardBit = 1 << 11;

// One directory scan at a time, as the add-on uses it; uc4509 sub-trees are not offered.
struct Scan {
    bool open = false;
    std::string dir;  // as the caller named it
    std::vector<std::string> names;
    std::size_t next = 0;  // index of the entry uc4518 reads next
};

Scan &scan() {
    static Scan s;
    return s;
}

const bool registered = register_reset([] { scan() = Scan{}; });

std::size_t last_separator(const std::string &path) { return path.find_last_of("\\/"); }

std::string without_directory(const std::string &path) {
    std::size_t sep = last_separator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string without_extension(const std::string &name) {
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool has_extension(const std::string &name) { return without_extension(name) != name; }

int copy_out(const std::string &text, char *out, std::size_t size) {
    if (!out) return kBadArgument;
    if (text.size() >= size) return kBadArgument;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 0;
}

std::string join(const std::string &dir, const std::string &name) {
    if (dir.empty()) return name;
    char last = dir.back();
    return last == '\\' || last == '/' || last == ':' ? dir + name : dir + "\\" + name;
}

}  // namespace

extern "C" int uc4508(const char *fspec, int dmode, int, const char *wcard) {
    int rc = enter("uc4508");
    if (rc) return -rc;
    if (!fspec) return -kBadArgument;
    std::vector<std::string> names;
    const char *pattern = (dmode & kWildcardBit) && wcard && *wcard ? wcard : "*";
    const std::string host = sys_native_path(fspec);
    if (host.empty() || !sys_list_directory(host.c_str(), pattern, 0, &names)) return -1105012;
    scan() = Scan{true, fspec, names, 0};
    return 0;  // the channel
}

extern "C" int uc4509(void) {
    int rc = enter("uc4509");
    return rc ? -rc : -kBadArgument;  // sub-directory scans are not offered by the stand-in
}

extern "C" int uc4518(void) {
    int rc = enter("uc4518");
    if (rc) return -rc;
    Scan &s = scan();
    if (!s.open) {
        misuse("uc4518", "no directory scan is open (uc4508)");
        return -kBadArgument;
    }
    if (s.next >= s.names.size()) return 2;
    ++s.next;
    return 0;
}

namespace {
const std::string *current_entry(const char *call) {
    Scan &s = scan();
    if (!s.open || s.next == 0) {
        misuse(call, "no directory entry has been read (uc4508, uc4518)");
        return nullptr;
    }
    return &s.names[s.next - 1];
}
}  // namespace

extern "C" int uc4519(char fspec[MAX_FSPEC_BUFSIZE]) {
    NXHOST_ENTER("uc4519");
    const std::string *entry = current_entry("uc4519");
    if (!entry) return kBadArgument;
    return copy_out(join(scan().dir, *entry), fspec, MAX_FSPEC_BUFSIZE);
}

extern "C" int uc4600(char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]) {
    NXHOST_ENTER("uc4600");
    const std::string *entry = current_entry("uc4600");
    if (!entry) return kBadArgument;
    return copy_out(*entry, fname, UF_CFI_MAX_FILE_NAME_BUFSIZE);
}

extern "C" int uc4601(void) {
    int rc = enter("uc4601");
    if (rc) return -rc;
    const std::string *entry = current_entry("uc4601");
    if (!entry) return -kBadArgument;
    std::string ext = entry->substr(without_extension(*entry).size());
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".prt" ? kPartFileType : 0;
}

extern "C" int uc4548(void) {
    int rc = enter("uc4548");
    scan() = Scan{};
    return rc;
}

extern "C" int uc4549(void) { return enter("uc4549"); }

extern "C" int uc4574(const char *fspec, int, char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]) {
    NXHOST_ENTER("uc4574");
    if (!fspec) return kBadArgument;
    return copy_out(without_extension(without_directory(fspec)), fname, UF_CFI_MAX_FILE_NAME_BUFSIZE);
}

extern "C" int uc4575(const char *dspec, int ftype, const char *fname, char fspec[MAX_FSPEC_BUFSIZE]) {
    NXHOST_ENTER("uc4575");
    if (!dspec || !fname) return kBadArgument;
    std::string name = fname;
    if (ftype == kPartFileType && !has_extension(name)) name += ".prt";
    return copy_out(join(dspec, name), fspec, MAX_FSPEC_BUFSIZE);
}

extern "C" int uc4576(const char *fspec, int, char dspec[MAX_FSPEC_BUFSIZE],
                      char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]) {
    NXHOST_ENTER("uc4576");
    if (!fspec) return kBadArgument;
    const std::string path = fspec;
    std::size_t sep = last_separator(path);
    int rc = copy_out(sep == std::string::npos ? std::string() : path.substr(0, sep), dspec, MAX_FSPEC_BUFSIZE);
    return rc ? rc : copy_out(without_directory(path), fname, UF_CFI_MAX_FILE_NAME_BUFSIZE);
}

extern "C" int uc4578(const char *fspec, int, char dspec[MAX_FSPEC_BUFSIZE]) {
    NXHOST_ENTER("uc4578");
    if (!fspec) return kBadArgument;
    const std::string path = fspec;
    std::size_t sep = last_separator(path);
    std::string dir = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
    return copy_out(dir + without_extension(without_directory(path)), dspec, MAX_FSPEC_BUFSIZE);
}
