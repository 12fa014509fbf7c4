// The include rules of the add-on: each module and each layer folder of torvane/ includes only
// itself and what lies below it, and add-on code reaches nothing but the NX Open headers, the
// portability layer sys/, the add-on's own modules and the standard library.
#ifndef TORVANE_TESTS_INCLUDE_RULES_H_INCLUDED
#define TORVANE_TESTS_INCLUDE_RULES_H_INCLUDED

#include <string>
#include <vector>

namespace layering {

// Add-on folders from the bottom up; a file may include from its own folder and those before it.
extern const std::vector<std::string> ADDON_LAYERS;

struct include_violation {
    std::string file;     // relative to the source root, with '/'
    int line = 0;         // 0 for the file itself
    std::string include;  // as written, with its quotes or brackets
    std::string reason;
};

// "file:line: include: reason", the form compilers and editors jump to.
std::string describe(const include_violation &violation);

// Every include of every .h and .cc under the add-on folders of source_root, checked against the
// NX Open headers found in source_root/nxopen/include and the files that exist there.
std::vector<include_violation> check_addon_includes(const std::string &source_root);

}  // namespace layering

#endif
