// Message catalogue lookup: a tag is a word of the catalogue text and its message follows it.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "uf_ui.h"

namespace {

// The lookup's own failures can't come from a catalogue, so they live here (code page 936).
const char NO_CATALOGUE_TEXT[] =
    "\xd5\xd2\xb2\xbb\xb5\xbd %s \xd3\xef\xd1\xd4\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe,\xc7\xeb\xd6\xd8\xd0\xc2\xb0\xb2\xd7"
    "\xb0!";
const char NO_TAG_TEXT[] =
    "\xd4\xda %s \xce\xc4\xbc\xfe\xd6\xd0\xd5\xd2\xb2\xbb\xb5\xbd %s \xb1\xea\xcc\xe2,\xc7\xeb\xb2\xe9\xbf\xb4\xb1\xea"
    "\xcc\xe2\xb7\xf1\xd5\xfd\xc8\xb7!";
const char NO_TEXT_TEXT[] =
    "\xd4\xda %s \xce\xc4\xbc\xfe\xd6\xd0\xb6\xc1\xca\xfd\xbe\xdd\xb4\xed\xce\xf3,\xd5\xd2\xb2\xbb\xb5\xbd %s \xb5\xc4"
    "\xca\xfd\xbe\xdd,\xc7\xeb\xb2\xe9\xbf\xb4\xca\xc7\xb7\xf1\xd3\xd0 %s \xb5\xc4\xca\xfd\xbe\xdd!";

const size_t TAG_MAX = 255;  // the tag is copied into 256 bytes
const size_t TEXT_MAX = 256;

void show_formatted(const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    uc1601(text.c_str(), 1);
}

}  // namespace

void build_lang_path(char path[MY_PATH_BUFSIZE], const char *catalogue_format) {
    std::snprintf(path, MY_PATH_BUFSIZE, catalogue_format, LANG_DIR);
}

int lookup_message(const char *tag, char text[MY_MESSAGE_BUFSIZE], const char *catalogue_path) {
    char wanted[TAG_MAX + 1] = "";
    if (tag) std::strncat(wanted, tag, TAG_MAX);
    const char *path = catalogue_path ? catalogue_path : "";

    std::unique_ptr<FILE, int (*)(FILE *)> fp(catalogue_path ? sys_fopen(catalogue_path, "r") : nullptr, std::fclose);
    if (!fp) {
        show_formatted(NO_CATALOGUE_TEXT, path);
        return 0;
    }
    if (!MY_find_config_key(fp.get(), wanted, static_cast<int>(TEXT_MAX))) {
        fp.reset();
        show_formatted(NO_TAG_TEXT, path, wanted);
        return 0;
    }

    // The text may start right after the tag or on the next non-empty line; it ends at the
    // line end or after 256 characters, and must be ended before the end of the file.
    std::string found;
    bool ended = false;
    for (int c = std::fgetc(fp.get()); c != EOF; c = std::fgetc(fp.get())) {
        if (c == '\n') {
            if (found.empty()) continue;
            ended = true;
            break;
        }
        if (found.size() >= TEXT_MAX) {
            ended = true;
            break;
        }
        found.push_back(static_cast<char>(c));
    }
    fp.reset();
    if (!ended) {
        show_formatted(NO_TEXT_TEXT, path, wanted, wanted);
        return 0;
    }
    std::memcpy(text, found.c_str(), found.size() + 1);
    return 1;
}

int lookup_messages(const char *catalogue_format, std::initializer_list<const char *> tags, std::string texts[]) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, catalogue_format);
    char text[MY_MESSAGE_BUFSIZE];
    int i = 0;
    for (const char *tag : tags) {
        if (!lookup_message(tag, text, lang_path)) return 0;
        texts[i++] = text;
    }
    return 1;
}

int show_catalogue_text(const char *catalogue_format, const char *tag) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, catalogue_format);
    char text[MY_MESSAGE_BUFSIZE];
    if (!lookup_message(tag, text, lang_path)) return 0;
    uc1601(text, 1);
    return 1;
}
