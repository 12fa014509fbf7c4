// The checks of check-config, one per kind of configuration file, and the key search they share.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "nxhost/checkconf/report.h"

namespace nxhost::checkconf {

// Token limits of the add-on's keyed readers.
constexpr std::size_t kKeyTokenMax = 256;    // read_config_value, read_config_value_char
constexpr std::size_t kTableTokenMax = 301;  // the tool and holder table readers

// Where a key stands in a file and the value after it, found as the add-on's key search finds
// them: tokens end at newline, blank and comma; the first occurrence wins; no comments.
struct KeyHit {
    bool found = false;
    std::size_t end = 0;       // offset just past the key
    int line = 0;
    bool has_value = false;    // false: the file ends before the value is ended
    std::string value;
    int value_line = 0;
};
KeyHit find_key(const TextFile &file, const std::string &key, std::size_t token_max);

// The values of the keyed files by key, for the checks that depend on them ("" = missing).
using KeyedValues = std::map<std::string, std::string>;

// Every key of config.def, config_cam.def and the library names of config_tool_libref.def.
KeyedValues check_keyed_files(const std::string &root, Report &report);

// The names of the keys check_keyed_files knows (with their colon), for the test that holds them
// against the add-on's sources.
std::vector<std::string> known_keys();

// The holder table; false when it cannot be read, else the holder names (upper case) it holds.
bool check_holder_table(const std::string &root, Report &report, std::vector<std::string> *holders);

// The six tool tables (a library named NONE needs none); holder names must be in `holders`
// (nullptr: the holder table could not be read, the names are not checked).
void check_tool_tables(const std::string &root, const KeyedValues &values, const std::vector<std::string> *holders,
                       Report &report);

// The template set: every entry a template part in the template folder, with a CAM setup.
void check_template_set(const std::string &root, Report &report);

// The two insert definition files against the groups and operations of their template parts.
void check_insert_definitions(const std::string &root, Report &report);

// Every catalogue tag the add-on looks up, in the Chinese catalogues under root/lang and the
// English ones in `english` ("" = not checked).
void check_catalogues(const std::string &root, const std::string &english, Report &report);

// Every dialog item the add-on names, in its dialog's layout, of the kind it uses.
void check_dialog_layouts(const std::vector<std::string> &dialog_dirs, Report &report);

// The names the add-on's sources hold (generated from them at build time).
struct CatalogueTag {
    const char *tag;
    const char *catalogue;
};
struct DialogItem {
    const char *dialog;
    const char *item;
    bool valued;  // asked or set, not only given callbacks
};
const std::vector<CatalogueTag> &addon_tags();
const std::vector<DialogItem> &addon_dialog_items();
const std::vector<std::string> &addon_key_literals();

}  // namespace nxhost::checkconf
