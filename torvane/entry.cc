// Entry points NX looks up in the add-on library.
#include "uf_ugopenint.h"

// Every run reads its configuration afresh, so nothing is lost when NX unloads the library
// as soon as ufusr returns; the once-per-load statics then start anew on the next run.
extern "C" DllExport int ufusr_ask_unload(void) { return UF_UNLOAD_IMMEDIATELY; }
