// What the parts module keeps about a loaded part beyond its object in the store.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "nxhost/objects/store.h"
#include "nxhost/parts/part_sections.h"

namespace nxhost {

struct PartPayload : Payload {
    std::string units = "mm";
    std::string host_path;  // the file it was loaded from
    // Top-level keys other than format, units, attributes and bodies, in file order. A key
    // whose section has a handler keeps its place here with a null value.
    nlohmann::ordered_json kept = nlohmann::ordered_json::object();
};

// The part's payload; nullptr when the tag is no loaded part.
PartPayload *part_payload(tag_t part);

// Handlers in load and print order: "geometry", "drafting", "cam", then the others by key.
std::vector<const PartSection *> part_sections();
const PartSection *find_part_section(const std::string &key);
// Gives a part just read what every part has (register_part_completion).
void complete_part(tag_t part);
// Tells every section module that a part goes, then removes it and all its objects.
void remove_part(tag_t part);

// Why a part file could not be loaded: the NX error code to return and the message.
struct LoadFailure {
    int code = 0;
    std::string message;
};

// Reads a part file into the store as a new part named `shown_name`. NULL_TAG and *failure
// when it cannot; nothing of the part is left in the store then.
tag_t read_part_file(const std::string &shown_name, const std::string &host_path, LoadFailure *failure);

// The part as a part file document.
nlohmann::ordered_json part_document(tag_t part);

// Part-file attribute lists, shared by parts, bodies and faces.
void read_attributes(const nlohmann::ordered_json &list, const std::string &place, Object *obj);
nlohmann::ordered_json attributes_json(const Object &obj);

// NX error codes of part loading and saving.
constexpr int kFileNotFound = 1105012;
constexpr int kFileUnreadable = 1105013;
constexpr int kFileNotWritten = 1105014;
constexpr int kNoPart = 1105015;

}  // namespace nxhost
