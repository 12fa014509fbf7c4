// Registry of the part-file sections that other modules handle.
#include <algorithm>
#include <vector>

#include "nxhost/parts/part_model.h"

namespace nxhost {
namespace {

std::vector<PartSection> &registry() {
    static std::vector<PartSection> sections;
    return sections;
}

std::vector<std::function<void(tag_t)>> &completions() {
    static std::vector<std::function<void(tag_t)>> all;
    return all;
}

int rank(const std::string &key) { return key == "geometry" ? 0 : key == "drafting" ? 1 : key == "cam" ? 2 : 3; }

}  // namespace

bool register_part_section(PartSection section) {
    auto &all = registry();
    auto same = std::find_if(all.begin(), all.end(), [&](const PartSection &s) { return s.key == section.key; });
    if (same != all.end())
        *same = std::move(section);
    else
        all.push_back(std::move(section));
    return true;
}

bool register_part_completion(std::function<void(tag_t part)> complete) {
    completions().push_back(std::move(complete));
    return true;
}

void complete_part(tag_t part) {
    for (const auto &complete : completions()) complete(part);
}

void unregister_part_section(const std::string &key) {
    auto &all = registry();
    all.erase(std::remove_if(all.begin(), all.end(), [&](const PartSection &s) { return s.key == key; }), all.end());
}

std::vector<const PartSection *> part_sections() {
    std::vector<const PartSection *> sorted;
    for (const PartSection &s : registry()) sorted.push_back(&s);
    std::sort(sorted.begin(), sorted.end(), [](const PartSection *a, const PartSection *b) {
        return rank(a->key) != rank(b->key) ? rank(a->key) < rank(b->key) : a->key < b->key;
    });
    return sorted;
}

const PartSection *find_part_section(const std::string &key) {
    for (const PartSection &s : registry())
        if (s.key == key) return &s;
    return nullptr;
}

void remove_part(tag_t part) {
    for (const PartSection &s : registry())
        if (s.unload) s.unload(part);
    store().remove(part);
    store().clear_modified(part);
}

}  // namespace nxhost
