// The records of the run and the release of the running NX.
#include "torvane/state/run_state.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "uf.h"

char static_lang_file[MY_PATH_BUFSIZE] = "";
edm_descr static_edm_descr = {};
char static_tool_libref_names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE] = {};
tool_data *static_tool_list = nullptr;
holder_data *static_holder_list = nullptr;
insert_def *static_insert_group_def = nullptr;
insert_def *static_insert_oper_def = nullptr;

int release_number_of_text(const char *text, double *release) {
    *release = 0.0;
    const char *p = text;
    while (p && *p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
    if (!p || !*p) return 0;
    // Digits, at most one point and the digits after it: "12.0.2.9" stops at the second point.
    const char *end = p;
    while (std::isdigit(static_cast<unsigned char>(*end))) ++end;
    if (*end == '.') {
        ++end;
        while (std::isdigit(static_cast<unsigned char>(*end))) ++end;
    }
    char number[64];
    std::snprintf(number, sizeof number, "%.*s", static_cast<int>(end - p), p);
    *release = std::strtod(number, nullptr);
    return 1;
}

int ask_nx_release(double *release) {
    *release = 0.0;
    char *text = nullptr;
    if (UF_CALL(UF_get_release(&text)) != 0 || !text) return 0;
    int found = release_number_of_text(text, release);
    UF_free(text);
    return found;
}
