// Reports of failed NX calls, status-line reports, console output and the listing window.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_ui.h"

int format_text(char *buffer, const char *format, ...) {
    va_list args;
    va_start(args, format);
    int written = std::vsprintf(buffer, format, args);
    va_end(args);
    return written < 0 ? -1 : written;
}

int report_nx_call(const char *file, int line, const char *call, int code) {
    if (code == 0) return 0;
    // Composed as strings: a long path or call text is written whole.
    std::string where =
        std::string(file ? file : "") + ", line " + std::to_string(line) + ":  " + (call ? call : "") + "\n";
    UF_UI_open_listing_window();
    UF_UI_write_listing_window(where.c_str());
    char message[133] = "";
    std::string error = "    error " + std::to_string(code);
    if (UF_get_fail_message(code, message) == 0)
        error += std::string(":  ") + message + "\n";
    else
        error += "\n";
    UF_UI_write_listing_window(error.c_str());
    return code;
}

int report_status_code(int code) {
    if (code == 0) return 0;
    char message[133] = "";
    // A code NX has no text for is still worth a line rather than an empty status.
    if (UF_get_fail_message(code, message) != 0) std::snprintf(message, sizeof message, "error %d", code);
    UF_UI_set_status(message);
    std::fprintf(stderr, "%s\n", message);
    return code;
}

int report_code_without_session(int code) {
    if (code == 0) return 0;
    char message[133] = "";
    if (UF_get_fail_message(code, message) != 0) std::snprintf(message, sizeof message, "error %d", code);
    std::fprintf(stderr, "%s\n", message);
    return code;
}

int print_console(const char *format, ...) {
    va_list args;
    va_start(args, format);
    int written = std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
    return written;
}

int MY_write_listing(const char *text) {
    logical open = false;
    UF_CALL(UF_UI_is_listing_window_open(&open));
    if (!open && UF_CALL(UF_UI_open_listing_window()) != 0) return 0;
    return UF_CALL(UF_UI_write_listing_window(text ? text : "")) == 0 ? 1 : 0;
}
