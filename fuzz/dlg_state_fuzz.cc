// The main dialog's state file torvane.dat: loaded, its class switches and program name start
// used as the dialog uses them, saved and loaded again to the same record.
#include <cstring>

#include "fuzz_support.h"
#include "torvane/dialogs/prog_name.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"

TORVANE_FUZZ_TARGET(dlg_state) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/temp/torvane.dat", input);
    if (!load_dlg_state()) return;
    for (int kind = RMF_ROUGH; kind <= RMF_ROUGH + 4; ++kind) class_switched_on(kind);
    prog_name_source source;
    if (prog_name_source_of(static_dlg_state.str_10, &source))
        for (int i : {0, 1, 25, 26, 999}) prog_name_at(source, i);
    const dlg_state loaded = static_dlg_state;
    if (!save_dlg_state()) fuzzsupport::finding("the state could not be saved");
    if (!load_dlg_state() || std::memcmp(&loaded, &static_dlg_state, sizeof loaded) != 0)
        fuzzsupport::finding("the saved state does not load back as it was");
}
