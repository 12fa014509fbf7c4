// A library that looks like an add-on but has no ufusr, as a build that forgot it would be.
#include "uf_ugopenint.h"

extern "C" DllExport int ufusr_ask_unload(void) { return UF_UNLOAD_IMMEDIATELY; }
