// Cutters and holders: the tool library tables of config_tool_libref.def, the holder table of
// config_holder_libref.def, the cutters of the current CAM setup, and the holder section text.
//
// Table layout: a section key, one header line, then one row a line (at most 999 characters,
// empty lines skipped) up to the first line holding "EOF". Columns are separated by '|' and
// closed by '|' or the line end; blanks and commas are dropped wherever they stand.
//
// Texts are code page 936: a double-byte character is never split, upper-cased or taken for a
// '|'. Records keep them in fixed buffers of their limit plus the terminator. Records are
// allocated with new and released with delete; a list owns its records.
#ifndef MY_FUNC_CAM_TOOL_LIBREF_H_INCLUDED
#define MY_FUNC_CAM_TOOL_LIBREF_H_INCLUDED

#include <cstddef>

#include "uf_defs.h"

#define TOOL_LIBREF_PATH "D:\\qz_conf\\config_tool_libref.def"
#define HOLDER_LIBREF_PATH "D:\\qz_conf\\config_holder_libref.def"

#define TOOL_LIBREF_COUNT 6           // tool libraries 1 to 6
#define TOOL_LIBREF_NAME_BUFSIZE 256  // a library's display name: at most 255 characters

#define TOOL_NAME_BUFSIZE 31              // at most 30 characters
#define HOLDER_NAME_BUFSIZE 81            // at most 80 characters
#define TOOL_DESCR_BUFSIZE 260            // at most 259 characters
#define HOLDER_SECTION_TEXT_BUFSIZE 1000  // at most 999 characters
#define HOLDER_DESCR_BUFSIZE 259          // at most 258 characters
#define LIBREF_ROW_MAX 999                // characters of one table row

// One cutter: a library row, or a cutter of the part (then lib_number is its position).
struct tool_data {
    int lib_number = 0;
    int flute_number = 0;
    int tool_number = 0;  // also the length adjust register
    char tool_name[TOOL_NAME_BUFSIZE] = "";
    char holder_name[HOLDER_NAME_BUFSIZE] = "";
    char tool_descr[TOOL_DESCR_BUFSIZE] = "";
    double tool_dia = 0.0;  // never 0 in a library record
    double tool_r = 0.0;    // lower corner radius
    double tool_len = 0.0;
    double tool_flute = 0.0;
    double taper_angle = 0.0;  // degrees
    double tip_angle = 0.0;    // degrees
    double speed = 0.0;        // rpm
    double per_cut_depth = 0.0;
    double step_dis = 0.0;
    double approach_feed = 0.0;
    double engage_feed = 0.0;
    double first_cut_feed = 0.0;
    double cut_feed = 0.0;
    double traversal_feed = 0.0;
    double retract_feed = 0.0;
    tool_data *next_p = nullptr;
    tool_data *prev_p = nullptr;
};

struct holder_data {
    int holder_number = 0;
    char holder_name[HOLDER_NAME_BUFSIZE] = "";           // upper case
    char section_text[HOLDER_SECTION_TEXT_BUFSIZE] = "";  // "20X35;32X50X5"
    char holder_descr[HOLDER_DESCR_BUFSIZE] = "";
    holder_data *next_p = nullptr;
};

// One section of a holder, from the tool side up; the order of UF_CUTTER_create_holder_section.
struct holder_section {
    double diameter = 0.0;
    double length = 0.0;
    double taper_angle = 0.0;  // degrees
    double corner_radius = 0.0;
    holder_section *next_p = nullptr;
};

// The cutting data a cutter carries as real attributes, titled like the record's fields.
struct tool_data_attribute {
    const char *title;
    double tool_data::*field;
};
#define TOOL_CUTTING_DATA_COUNT 9
extern const tool_data_attribute TOOL_CUTTING_DATA[TOOL_CUTTING_DATA_COUNT];

// Reads the table after section_key ("tool_data_define_start_1:") from the file at path. On
// success the old *list_p is freed and replaced (a duplicate cutter name is shown and still
// counts as success); on failure, shown already, *list_p stays as it was. A line longer than
// LIBREF_ROW_MAX characters is refused like a bad row. 0 also when a catalogue text is
// missing: then only the lookup's message is shown, and if it was the text of the duplicate
// message, the new list is installed already.
int MY_read_tool_libref_new(const char *section_key, tool_data **list_p, const char *path);

// The same for the holder table ("holder_data_define_start_1:").
int MY_read_holder_libref(const char *section_key, holder_data **list_p, const char *path);

// Parses one row (with its line feed: a column not closed by '|' or the line end is not
// stored) into record, which is cleared first. Warnings are shown and the row is taken;
// 0 after an error message, or when a catalogue text could not be looked up.
int read_tool_libref_from_row(const char *row, tool_data *record);
int read_holder_libref_from_row(const char *row, holder_data *record);

// Replaces *list_p by the cutters of the current setup, numbered 1, 2, 3 ...; a part without
// setup gives an empty list. 0 when a failed NX call (reported) left the list empty, or when
// the list could not be built (message shown; *list_p then stays as it was).
int MY_read_current_part_tool(tool_data **list_p);

// Fills record from an NX cutter: name ("null_name" without one), dimensions, cutting data and
// holder of its attributes. 0 only when the default holder name can't be looked up.
int MY_read_tool_data_from_tool(tag_t tool, tool_data *record);

// Appends the sections of section_text to *list_p (normally empty), which the caller frees in
// every case. 0 after the message of a section whose diameter or length is 0 or less; that
// section is not appended.
int get_char_holder_section_data(const char *holder_name, const char *section_text, holder_section **list_p);

// Free every record and leave the list empty.
void free_tool_data_list(tool_data **list_p);
void free_holder_data_list(holder_data **list_p);
void free_holder_section_list(holder_section **list_p);

// First cutter of the list named tool_name ignoring case; NULL for "NONE" or when none is.
tool_data *find_tool_data(tool_data *list, const char *tool_name);

// First holder named exactly holder_name; NULL when none is.
holder_data *find_holder_data(holder_data *list, const char *holder_name);

// All numbers 0, texts empty, links NULL.
void clear_tool_data(tool_data *record);

#endif
