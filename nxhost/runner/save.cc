#include "nxhost/runner/save.h"

#include <cstdio>
#include <set>
#include <vector>

#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"

namespace nxhost::runner {
namespace {

bool ends_with_prt(const std::string &name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char &c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".prt";
}

std::string unique_name(const std::string &name, std::set<std::string> *used) {
    std::string stem = name.substr(0, name.size() - 4);
    std::string candidate = name;
    for (int n = 2; used->count(candidate); ++n) candidate = stem + "-" + std::to_string(n) + ".prt";
    used->insert(candidate);
    return candidate;
}

}  // namespace

std::string saved_file_name(const std::string &part_name) {
    std::size_t slash = part_name.find_last_of("\\/");
    std::string leaf = slash == std::string::npos ? part_name : part_name.substr(slash + 1);
    if (leaf.empty()) leaf = "part";
    return ends_with_prt(leaf) ? leaf : leaf + ".prt";
}

bool save_changed_parts(const std::string &out_dir) {
    std::vector<tag_t> changed;
    for (tag_t part : loaded_parts())
        if (store().is_modified(part)) changed.push_back(part);
    if (changed.empty()) return true;

    if (out_dir.empty()) {
        std::string names;
        for (tag_t part : changed) names += (names.empty() ? "" : ", ") + part_name(part);
        std::fprintf(stderr, "nxhost: no --out given: %zu changed part(s) not saved: %s\n", changed.size(),
                     names.c_str());
        return true;
    }

    bool all_saved = true;
    std::set<std::string> used;
    for (tag_t part : changed) {
        std::string file = out_dir + "/" + unique_name(saved_file_name(part_name(part)), &used);
        std::string error;
        if (!save_part_as(part, file, &error)) {
            std::fprintf(stderr, "nxhost: %s could not be saved as %s: %s\n", part_name(part).c_str(),
                         file.c_str(), error.c_str());
            all_saved = false;
        }
    }
    return all_saved;
}

}  // namespace nxhost::runner
