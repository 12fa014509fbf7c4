// What one run keeps from its start to its end: the catalogue path, the EDM spark gaps, the tool
// library names, the chosen library's cutters, the holders and the insert definitions.
#ifndef TORVANE_RUN_STATE_H_INCLUDED
#define TORVANE_RUN_STATE_H_INCLUDED

#include "my_func/my_func.h"
#include "my_func_cam/cam_template.h"
#include "my_func_cam/tool_libref.h"

extern char static_lang_file[MY_PATH_BUFSIZE];
extern edm_descr static_edm_descr;
extern char static_tool_libref_names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE];
extern tool_data *static_tool_list;
extern holder_data *static_holder_list;
extern insert_def *static_insert_group_def;
extern insert_def *static_insert_oper_def;

// Release number of the running NX: the leading decimal number from the first digit of its
// release text on ("V12.0.2.9" gives 12.0). 0 and 0.0 when the text holds no digit.
int ask_nx_release(double *release);

// The leading decimal number of a release text, 0.0 without digits; 1 when it had one.
int release_number_of_text(const char *text, double *release);

#endif
