#include "include_rules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace layering {

const std::vector<std::string> ADDON_LAYERS = {
    "my_func",       "my_func1",      "my_func_cam",   "my_func_nxlib", "torvane/state",
    "torvane/setup", "torvane/plan",  "torvane/calc",  "torvane/dialogs", "torvane/session",
};

namespace {

// C++17 and the C headers it carries; nothing of a platform or another library.
const std::set<std::string> STANDARD_HEADERS = {
    "algorithm", "any", "array", "atomic", "bitset", "cassert", "cctype", "cerrno", "cfenv", "cfloat",
    "charconv", "chrono", "cinttypes", "climits", "clocale", "cmath", "codecvt", "complex",
    "condition_variable", "csetjmp", "csignal", "cstdarg", "cstddef", "cstdint", "cstdio", "cstdlib",
    "cstring", "ctime", "cuchar", "cwchar", "cwctype", "deque", "exception", "execution", "filesystem",
    "forward_list", "fstream", "functional", "future", "initializer_list", "iomanip", "ios", "iosfwd",
    "iostream", "istream", "iterator", "limits", "list", "locale", "map", "memory", "memory_resource",
    "mutex", "new", "numeric", "optional", "ostream", "queue", "random", "ratio", "regex",
    "scoped_allocator", "set", "shared_mutex", "sstream", "stack", "stdexcept", "streambuf", "string",
    "string_view", "system_error", "thread", "tuple", "type_traits", "typeindex", "typeinfo",
    "unordered_map", "unordered_set", "utility", "valarray", "variant", "vector", "assert.h", "ctype.h",
    "errno.h", "float.h", "inttypes.h", "limits.h", "locale.h", "math.h", "setjmp.h", "signal.h",
    "stdarg.h", "stddef.h", "stdint.h", "stdio.h", "stdlib.h", "string.h", "time.h", "wchar.h", "wctype.h",
};

std::string generic(const fs::path &path) { return path.generic_string(); }

// Index of the layer a path (relative, with '/') lies in; -1 outside every layer folder.
int layer_of(const std::string &path) {
    for (std::size_t i = ADDON_LAYERS.size(); i-- > 0;) {
        const std::string &folder = ADDON_LAYERS[i];
        const std::size_t slash = path.find('/', folder.size() + 1);
        if (path.compare(0, folder.size() + 1, folder + "/") == 0 && slash == std::string::npos) return static_cast<int>(i);
    }
    return -1;
}

bool is_addon_module(const std::string &path) {
    return path.rfind("my_func", 0) == 0 || path.rfind("torvane/", 0) == 0;
}

// Why a file of layer `own` may not include `target` (quoted); "" when it may.
std::string quoted_reason(const fs::path &root, int own, const std::string &target) {
    if (target.find('/') == std::string::npos) {
        return fs::exists(root / "nxopen/include" / target) ? "" : "not an NX Open header of nxopen/include";
    }
    if (target.rfind("sys/", 0) == 0) return fs::exists(root / target) ? "" : "no such header in sys/";
    if (!is_addon_module(target)) return "not the NX Open API, sys/, an add-on module or the standard library";
    const int layer = layer_of(target);
    if (layer < 0 || !fs::exists(root / target)) return "no such header in an add-on module";
    if (layer > own) return ADDON_LAYERS[static_cast<std::size_t>(layer)] + " is above " +
                            ADDON_LAYERS[static_cast<std::size_t>(own)];
    return "";
}

void check_file(const fs::path &root, const std::string &relative, int own, std::vector<include_violation> *out) {
    static const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::ifstream in(root / relative);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        std::smatch match;
        if (!std::regex_search(text, match, include_line)) continue;
        const bool angled = match[1] == "<";
        const std::string target = match[2];
        const std::string written = angled ? "<" + target + ">" : "\"" + target + "\"";
        const std::string reason = angled ? (STANDARD_HEADERS.count(target) ? "" : "not a standard library header")
                                          : quoted_reason(root, own, target);
        if (!reason.empty()) out->push_back({relative, number, written, reason});
    }
}

}  // namespace

std::string describe(const include_violation &violation) {
    std::string text = violation.file;
    if (violation.line > 0) text += ":" + std::to_string(violation.line);
    text += ": ";
    if (!violation.include.empty()) text += violation.include + ": ";
    return text + violation.reason;
}

std::vector<include_violation> check_addon_includes(const std::string &source_root) {
    const fs::path root(source_root);
    std::vector<std::string> files;
    for (const char *top : {"my_func", "my_func1", "my_func_cam", "my_func_nxlib", "torvane"}) {
        if (!fs::is_directory(root / top)) continue;
        for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root / top)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".h" || ext == ".cc"))
                files.push_back(generic(fs::relative(entry.path(), root)));
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<include_violation> violations;
    for (const std::string &relative : files) {
        const int own = layer_of(relative);
        if (own < 0)
            violations.push_back({relative, 0, "", "outside every layer folder of the add-on"});
        else
            check_file(root, relative, own, &violations);
    }
    return violations;
}

}  // namespace layering
