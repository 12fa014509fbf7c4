// Top-level sections of a part file that other stand-in modules give meaning to ("geometry",
// "drafting", "cam"; they load in that order, whatever the file's). A section without a registered
// handler is kept as it was read and written back unchanged on save, so nothing a file holds is
// lost; once a module registers the key, it builds the section's objects on load, writes them on
// save and prints them in the tree.
#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "uf_defs.h"

namespace nxhost {

// Thrown by a section's load with what is wrong and where inside the section
// ("groups[3].name: missing"); the loader prefixes file and key.
class SectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PartSection {
    std::string key;
    // Builds the section's objects in a part being loaded (its bodies already exist).
    std::function<void(tag_t part, const nlohmann::ordered_json &value)> load;
    // The section's value to save; a null value leaves the key out of the file.
    std::function<nlohmann::ordered_json(tag_t part)> save;
    // Prints the section under the bodies in the part tree; may be empty.
    std::function<void(std::ostream &out, tag_t part)> print;
    // Forgets what the module keeps about a part that is closed or failed to load; may be empty.
    // The part's objects are still in the store when it is called.
    std::function<void(tag_t part)> unload;
};

// Registers a handler (typically from a static initialiser); returns true. A second handler
// for the same key replaces the first.
bool register_part_section(PartSection section);
// Removes the handler of a key; the section is kept verbatim again.
void unregister_part_section(const std::string &key);

// Registers what gives every part read, whether or not its file holds the module's section, what NX
// keeps in any part (a font table); it runs after all sections are loaded. Returns true.
bool register_part_completion(std::function<void(tag_t part)> complete);

}  // namespace nxhost
