// Parts of the stand-in session, for the runner and the other stand-in modules: load, display
// and work part, save, and the printed tree. The file format is described in FORMAT.md.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "uf_defs.h"

namespace nxhost {

struct Attribute;

// Loads a part file given by Windows path (X:\...) or host path; NULL_TAG and *error on
// failure ("D:\p\a.prt: bodies[2].shape: unknown shape 'torus'"). A part already loaded under
// that name is returned as it is. The first part loaded while none is displayed becomes the
// display and work part.
tag_t load_part(const std::string &path, std::string *error);

// NULL_TAG when there is none.
tag_t display_part();
tag_t work_part();
// Makes a loaded part the display part and the work part; NULL_TAG clears both; a tag that is
// no loaded part changes nothing.
void set_display_part(tag_t part);

// Loaded parts in load order.
std::vector<tag_t> loaded_parts();

// The part's name as NX shows it: the path it was opened by ("D:\p\a.prt"); "" for no part.
std::string part_name(tag_t part);
// "mm" or "m".
std::string part_units(tag_t part);

// Writes the part to a host path (atomically); false and *error when it cannot.
bool save_part_as(tag_t part, const std::string &host_path, std::string *error);

// Where UF_PART_save writes: "" = the part's own file; otherwise this host directory, under
// the part's file name.
void set_save_directory(const std::string &host_dir);

// Host file UF_PART_save writes the part to.
std::string save_target(tag_t part);
// True when UF_PART_save writes each part's own file (no save directory set).
bool saves_in_place();

// Prints a part as `nxhost tree` shows it: name and units, bodies with their attributes and the
// faces that carry attributes, then the sections other modules print (the CAM tree).
void print_part_tree(std::ostream &out, tag_t part);

// A point as the tree prints it: "[1,2.5,0]", lengths to 4 decimals without trailing zeros.
std::string tree_point(const std::array<double, 3> &p);
// An attribute as the tree prints it: attr TITLE (TYPE) = VALUE.
std::string attribute_text(const Attribute &a);

// Why the last load failed ("" after a successful one).
const std::string &last_load_error();

}  // namespace nxhost
