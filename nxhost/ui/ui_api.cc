// Message boxes, listing window, prompt and status lines.
#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/ui/transcript.h"
#include "uf_ui.h"

using namespace nxhost;

namespace {

bool &listing_open() {
    static bool open = false;
    return open;
}

const bool registered = register_reset([] { listing_open() = false; });

}  // namespace

extern "C" void uc1601(const char *message, int option) {
    if (enter("uc1601") != 0) return;
    if (!message) {
        misuse("uc1601", "null message");
        return;
    }
    // Option 1 waits for the user's acknowledgement; the transcript records the box as shown.
    show(option == 1 ? "message" : "status", message);
}

extern "C" int UF_UI_set_status(char *status_text) {
    NXHOST_ENTER("UF_UI_set_status");
    if (!status_text) return kBadArgument;
    show("status", status_text);
    return 0;
}

extern "C" int UF_UI_set_prompt(char *prompt_text) {
    NXHOST_ENTER("UF_UI_set_prompt");
    if (!prompt_text) return kBadArgument;
    show("prompt", prompt_text);
    return 0;
}

extern "C" int UF_UI_open_listing_window(void) {
    NXHOST_ENTER("UF_UI_open_listing_window");
    listing_open() = true;
    return 0;
}

extern "C" int UF_UI_write_listing_window(const char *string) {
    NXHOST_ENTER("UF_UI_write_listing_window");
    if (!string) return kBadArgument;
    if (!listing_open()) {
        misuse("UF_UI_write_listing_window", "the listing window is not open");
        return kBadArgument;
    }
    show("listing", string);
    return 0;
}

extern "C" int UF_UI_is_listing_window_open(logical *response) {
    NXHOST_ENTER("UF_UI_is_listing_window_open");
    if (!response) return kBadArgument;
    *response = listing_open();
    return 0;
}

extern "C" int UF_UI_close_listing_window(void) {
    NXHOST_ENTER("UF_UI_close_listing_window");
    listing_open() = false;
    return 0;
}

extern "C" int UF_UI_exit_listing_window(void) {
    NXHOST_ENTER("UF_UI_exit_listing_window");
    listing_open() = false;
    return 0;
}
