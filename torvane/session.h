// The driver of one run: start (catalogue, EDM gaps, release, tool library names, holders),
// the session loop (template choice, electrodes, ...) and the end of the run.
#ifndef TORVANE_SESSION_H_INCLUDED
#define TORVANE_SESSION_H_INCLUDED

#include "my_func/my_func.h"
#include "my_func_cam/cam_template.h"
#include "my_func_cam/tool_libref.h"
#include "uf_defs.h"

#define MAX_ELECTRODES 200
#define ELEC_MARK_CLAMP "IS_CLAMP"
#define ELEC_MARK_BASE_BLOCK "IS_ELEC_BOT_BLOCK"

// Kept for the whole run.
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

// Everything one call of ufusr does.
void run_torvane(void);

// Electrodes of a turn in static_elec_tags / static_elec_count: the visible solids without a
// clamp or base block mark (at most MAX_ELECTRODES) when static_use_all_solids is set, else the
// user's selection. 0 when the session has to end (a message, if any, has been shown).
int collect_turn_electrodes(void);

// Frees what the run holds and empties the per-turn state.
void reset_turn_state(void);

#endif
