// Catalogue texts of the torvane module in NX's message box, status line and prompt line.
#include "torvane/state/messages.h"

#include <vector>

#include "my_func/my_func.h"
#include "uf_ui.h"

namespace {

// The text of tag on the status or prompt line, which NX takes as a writable buffer.
int show_on_line(const char *tag, int (*set_line)(char *)) {
    std::string text;
    if (!torvane_text(tag, &text)) return 0;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    set_line(buffer.data());
    return 1;
}

}  // namespace

int torvane_text(const char *tag, std::string *text) {
    return lookup_messages(TORVANE_LANG_FORMAT, {tag}, text);
}

int show_torvane_message(const char *tag) {
    std::string text;
    if (!torvane_text(tag, &text)) return 0;
    uc1601(text.c_str(), 1);
    return 1;
}

int show_torvane_name_message(const char *tag_1, const char *name, const char *tag_2) {
    std::string texts[2];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {tag_1, tag_2}, texts)) return 0;
    const std::string message = texts[0] + " " + name + " " + texts[1];
    uc1601(message.c_str(), 1);
    return 1;
}

int show_torvane_status(const char *tag) { return show_on_line(tag, UF_UI_set_status); }

int show_torvane_prompt(const char *tag) { return show_on_line(tag, UF_UI_set_prompt); }
