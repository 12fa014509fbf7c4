// What the main dialog shows when it opens and what its fields derive, as plain functions: the
// class switches from the electrodes or the EDM configuration, the classes the plan has, the
// tool library and cutter menus, the start name of the programs, the part paths and the lines
// of the part-file list.
#ifndef TORVANE_MAIN_DLG_SETUP_H_INCLUDED
#define TORVANE_MAIN_DLG_SETUP_H_INCLUDED

#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "my_func1/my_func1.h"
#include "my_func_cam/tool_libref.h"
#include "torvane/state/plan.h"

#define TOOL_MENU_MAX 1000  // cutters offered in OPTION_16

// Class switches and class values by kind: rough, middle, finish, other.
struct class_settings {
    int on[4] = {0, 0, 0, 0};
    double value[4] = {0.0, 0.0, 0.0, 0.0};
};

// Rough, middle and finish from an electrode's record when it carries spark numbers: a class is
// on with its spark gap when its number is above 0, else off (its value kept). 0, nothing
// changed, when the record has no spark-number flag.
int classes_from_elec_attr(const elec_attr_data &record, class_settings *classes);

// The same from the EDM configuration: numbers read as integers, gaps as numbers.
void classes_from_edm_descr(const edm_descr &descr, class_settings *classes);

// Rough, middle and finish of a turn: the first electrode with spark numbers decides, else the
// configuration. 0 when an electrode's attributes could not be read.
int classes_of_electrodes(const tag_t *electrodes, int count, const edm_descr &descr, class_settings *classes);

// present[kind] = 1 for each class that has a top-level node in the plan.
void classes_in_plan(const r_m_f_or_other *plan, int present[4]);

// OPTION_28: the library names in order, leaving out those equal to not_set, then no_library.
std::vector<std::string> tool_libref_menu_entries(const char names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE],
                                                  const std::string &not_set, const std::string &no_library);

// Number (1 to 6) of the first library named entry; 0 when none is.
int tool_libref_number(const char names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE], const std::string &entry);

// OPTION_16: the cutters by diameter (equal ones in library order), only those of exactly
// diameter when it is above 0, at most TOOL_MENU_MAX, each "name  (description)" or its name
// alone; then "NONE".
std::vector<std::string> tool_menu_entries(const tool_data *list, double diameter);

// STR_10 at the start: the part's file name without directory and extension, and "_01".
std::string default_start_prog_name(const char *part_path);

// WIDE_S_59 at the start: with radio_60 0 the part's path; otherwise the stored path's directory
// (up to its last backslash) with the part's file name, or the stored text when it has none.
std::string shown_part_path(int radio_60, const char *stored, const char *part_path);

// A path's directory: the text before its last backslash, the whole text without one.
std::string directory_of(const char *path);

// WIDE_S_59 after its directory was chosen: the directory, a backslash, the part's name, ".prt".
std::string part_path_in_directory(const std::string &directory, const char *part_path);

// A line of the part-file list: the status text (status 0 or 1), four blanks, the file name.
std::string part_file_line(const part_file &file, const std::string status_texts[2]);

#endif
