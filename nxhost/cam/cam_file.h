// The "cam" section of a part file (format in nxhost/parts/FORMAT.md): the whole CAM tree of a
// part, read into the model and written back so that a saved part reloads exactly.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "nxhost/cam/cam_model.h"

namespace nxhost::cam {

using Json = nlohmann::ordered_json;

// Builds the setup of the section in the part (whose bodies exist). Throws SectionError naming
// the place ("program[1].members[0].kind: unknown kind 'x'").
void read_cam_section(tag_t part, const Json &section);
// The section of a part; null when the part has no setup.
Json write_cam_section(tag_t part);

// Names shared by the reader, the writer and the tree.
const char *view_key(View view);                     // "program", "machine", "geometry", "method"
std::string operation_kind_name(int subtype);        // "cavity_mill" ..., "" for other subtypes
int operation_subtype_of(const std::string &name);   // -1 for an unknown name
std::string group_kind_name(View view, int subtype); // "program", "mcs", "workpiece", "mill" ...
int group_subtype_of(View view, const std::string &name);  // -1 for an unknown name
std::string cutter_kind_name(int type, int subtype);
bool cutter_kind_of(const std::string &name, int *type, int *subtype);
const char *geom_type_key(int type);                 // "part", "blank", "check", "trim", "cut_area" ...

// How a reference to an object other than a CAM object is written: a body by name (or by its
// position among the part's bodies when its name is not unique), a face or edge of a body by
// index, any other object by its type and position among the part's objects of that type.
Json reference_of(tag_t part, tag_t entity);
// The object a reference names; throws SectionError at `place`.
tag_t resolve_reference(tag_t part, const Json &ref, const std::string &place);

// Views `nxhost tree` prints, in order; the program order view by default.
void set_printed_views(const std::vector<View> &views);
void print_cam_tree(std::ostream &out, tag_t part);

}  // namespace nxhost::cam
