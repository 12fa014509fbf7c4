// Entry points NX looks up in the add-on library.
#include "torvane/session/session.h"
#include "uf_ugopenint.h"

// NX runs the add-on from a menu button; the parameters name it and are not needed.
extern "C" DllExport void ufusr(char *, int *, int) {
    // Nothing may unwind into NX; the add-on allocates without throwing, so only the standard
    // library's own containers could, and then the run has nothing sensible left to do.
    try {
        run_torvane();
    } catch (...) {
    }
}

// Every run reads its configuration afresh, so nothing is lost when NX unloads the library
// as soon as ufusr returns; the once-per-load statics then start anew on the next run.
extern "C" DllExport int ufusr_ask_unload(void) { return UF_UNLOAD_IMMEDIATELY; }
