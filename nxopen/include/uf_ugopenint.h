/* Entry points that an internal Open program exports for NX to call.
 * The add-on defines these; NX looks them up by name after loading the library. */
#ifndef UF_UGOPENINT_H_INCLUDED
#define UF_UGOPENINT_H_INCLUDED

#include "uf_defs.h"

/* Answers of ufusr_ask_unload: when NX may unload the library. */
#define UF_UNLOAD_IMMEDIATELY 1
#define UF_UNLOAD_SEL_DIALOG 2
#define UF_UNLOAD_UG_TERMINATE 3

UF_BEGIN_C

/* Main entry: param is the menu button name when run from a menu; param_len
 * is supplied by NX; retcod is unused by internal programs. */
extern DllExport void ufusr(char *param, int *retcod, int param_len);

/* Returns one of the UF_UNLOAD_* values. */
extern DllExport int ufusr_ask_unload(void);

/* Optional: called just before NX unloads the library. */
extern DllExport void ufusr_cleanup(void);

UF_END_C

#endif
