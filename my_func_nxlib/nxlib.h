// Wrappers of the extension libraries: each finds the running NX release, loads the library of
// that release from NX's folder (qz\application\ug<release>\<name>.dll, the folder named by
// host_root_path of qz_host_path), calls its entry of the same name and unloads it again. A
// library or entry that cannot be found is reported in the listing window and the wrapper fails.
#ifndef MY_FUNC_NXLIB_NXLIB_H_INCLUDED
#define MY_FUNC_NXLIB_NXLIB_H_INCLUDED

#include "uf_defs.h"

// Key passed last to the entries that take one.
#define NXLIB_KEY 999

enum nxlib_entry {
    NXLIB_OPER_FROM_TEMPLATE,
    NXLIB_GROUP_RENAME,
    NXLIB_FIXED_CUT_STEP,
    NXLIB_REGION_START_POINTS
};

// What a wrapper does at a release: load the library of a folder, or answer without loading.
enum nxlib_choice {
    NXLIB_LOAD,        // folder holds "ug10" ...
    NXLIB_FAIL,        // failure without loading
    NXLIB_DONE,        // success without loading, nothing done
    NXLIB_RENAME_HERE  // group renaming by UF_OBJ_set_name, without a library
};

// The release number of a release text: the decimal number from its first digit on (also from a
// first '.' when from_dot is set, as oper_from_template reads it); 0 without one.
double nxlib_release_number(const char *release_text, int from_dot);

// The choice of an entry at a release; folder (16 bytes) receives the folder for NXLIB_LOAD.
int nxlib_folder(int entry, double release, char folder[16]);

// The new operation copied from the template operation, placed in the groups; NULL_TAG when it
// was not made.
tag_t call_oper_from_template(const char *template_file, const char *template_oper, tag_t prog_group, tag_t tool,
                              tag_t geom_group);

// 1 when the group carries the new name.
int call_group_rename(tag_t group, const char *new_name);

// 1 when done (or nothing to do at this release).
int call_fixed_cut_step(tag_t oper, double step, double steep_step);
int call_region_start_points(tag_t oper, int count, tag_t *points);

#endif
