#include "nx_double.h"

#include <cstring>

#include "uf.h"
#include "uf_part.h"
#include "uf_styler.h"
#include "uf_ui.h"

namespace {

struct Shown {
    std::string kind, text;
};

std::vector<Shown> &shown_texts() {
    static std::vector<Shown> texts;
    return texts;
}

bool &listing_open() {
    static bool open = false;
    return open;
}

// One entry a line, as the stand-in's transcript keeps them.
void show(const char *kind, const std::string &text) {
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        shown_texts().push_back({kind, line});
        if (end == std::string::npos || end + 1 == text.size()) break;
        start = end + 1;
    }
}

// NX's code for a call that needs something this program does not have (no part, no dialog).
const int NOT_AVAILABLE = 1105004;

}  // namespace

namespace testsupport {

void NxDoubleTest::SetUp() {
    DriveTest::SetUp();
    clear_shown();
    listing_open() = false;
}

std::vector<std::string> NxDoubleTest::shown(const std::string &kind) const {
    std::vector<std::string> texts;
    for (const Shown &s : shown_texts())
        if (kind.empty() || s.kind == kind) texts.push_back(s.text);
    return texts;
}

void NxDoubleTest::clear_shown() const { shown_texts().clear(); }

}  // namespace testsupport

extern "C" {

void uc1601(const char *message, int option) {
    if (message) show(option == 1 ? "message" : "status", message);
}

int UF_UI_set_status(char *status_text) {
    if (!status_text) return NOT_AVAILABLE;
    show("status", status_text);
    return 0;
}

int UF_UI_open_listing_window(void) {
    listing_open() = true;
    return 0;
}

int UF_UI_is_listing_window_open(logical *response) {
    *response = listing_open();
    return 0;
}

int UF_UI_write_listing_window(const char *string) {
    if (!string || !listing_open()) return NOT_AVAILABLE;
    show("listing", string);
    return 0;
}

int UF_get_fail_message(int, char message[133]) {
    message[0] = '\0';
    return 1;  // no text for any code here
}

tag_t UF_PART_ask_display_part(void) { return NULL_TAG; }

int UF_PART_ask_part_name(tag_t, char part_fspec[MAX_FSPEC_BUFSIZE]) {
    part_fspec[0] = '\0';
    return NOT_AVAILABLE;
}

int UF_STYLER_ask_value(int, UF_STYLER_item_value_type_p_t) { return NOT_AVAILABLE; }

int UF_STYLER_free_value(UF_STYLER_item_value_type_p_t) { return 0; }

}  // extern "C"
