// A part file (nxhost-part/1): loaded, printed as `nxhost tree` prints it, saved and loaded
// again to the same tree.
#include <filesystem>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "nxhost/parts/parts.h"

namespace {

std::string tree_of(tag_t part) {
    std::ostringstream out;
    nxhost::print_part_tree(out, part);
    return out.str();
}

}  // namespace

TORVANE_FUZZ_TARGET(part_file) {
    std::string tree;
    const std::string saved = fuzzsupport::drive_dir() + "/parts/saved/fuzz.prt";
    {
        fuzzsupport::Session session;
        fuzzsupport::put_file("parts/fuzz.prt", input);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\fuzz.prt", &error);
        if (part == NULL_TAG) {
            if (error.empty()) fuzzsupport::finding("a part failed to load without a reason");
            return;
        }
        tree = tree_of(part);
        std::filesystem::create_directories(fuzzsupport::drive_dir() + "/parts/saved");
        if (!nxhost::save_part_as(part, saved, &error)) fuzzsupport::finding("a loaded part cannot be saved: " + error);
    }
    fuzzsupport::Session session;
    std::string error;
    const tag_t again = nxhost::load_part("D:\\parts\\saved\\fuzz.prt", &error);
    if (again == NULL_TAG) fuzzsupport::finding("a saved part does not load: " + error);
    std::string tree_again = tree_of(again);
    // The tree names the part by the path it was opened by.
    if (tree.substr(tree.find('\n')) != tree_again.substr(tree_again.find('\n')))
        fuzzsupport::finding("a saved part loads back otherwise:\n" + tree + "---\n" + tree_again);
}
