// Names taken apart: part file names and electrode names with their running number.
#include <cctype>
#include <climits>
#include <cstring>

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_part.h"
#include "uf_ui.h"

namespace {

bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Value of a run of decimal digits; an absurdly long run saturates instead of overflowing.
int digits_value(const char *digits, size_t count) {
    long long value = 0;
    for (size_t i = 0; i < count; ++i) {
        value = value * 10 + (digits[i] - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace

char *MY_divide_part_name(const char *path, char *name) {
    name[0] = '\0';
    const char *point = path ? std::strrchr(path, '.') : nullptr;
    if (!point) {
        uc1601("MY_divide_part_name, err part path!", 1);
        return name;
    }
    const char *backslash = std::strrchr(path, '\\');
    const char *start = backslash ? backslash + 1 : path;
    // A point inside a directory name is no extension: the file name then has none.
    const char *end = point >= start ? point : start + std::strlen(start);
    std::memcpy(name, start, static_cast<size_t>(end - start));
    name[end - start] = '\0';
    return name;
}

char *MY_ask_display_part_name(char name[MAX_FSPEC_BUFSIZE]) {
    name[0] = '\0';
    tag_t part = UF_PART_ask_display_part();
    if (part == NULL_TAG) return name;
    char path[MAX_FSPEC_BUFSIZE] = "";
    if (UF_CALL(UF_PART_ask_part_name(part, path)) != 0) return name;
    return MY_divide_part_name(path, name);
}

int MY_divide_elec_name(const char *name, char *prefix, int *number, int *width) {
    if (!name) return 0;
    const size_t length = std::strlen(name);
    if (length == 0 || !is_digit(name[length - 1])) {
        std::strcpy(prefix, name);
        *number = 0;
        *width = 1;
        return 1;
    }
    size_t tail = length;
    while (tail > 0 && is_digit(name[tail - 1])) --tail;
    if (tail == 0) {
        prefix[0] = '\0';
        *number = digits_value(name, length);
        *width = name[0] == '0' ? static_cast<int>(length) : 0;
        return 1;
    }
    std::memcpy(prefix, name, tail);
    prefix[tail] = '\0';
    *number = digits_value(name + tail, length - tail);
    *width = static_cast<int>(length - tail);
    return 1;
}
