// Texts in code page 936: the files and catalogues are written in it, and a cut or a case
// fold must never tear a double-byte character apart.
#include <cstring>

#include "my_func/my_func.h"

int MY_is_double_byte(const char *p) {
    const unsigned char lead = static_cast<unsigned char>(p[0]);
    if (lead < 0x81 || lead > 0xfe) return 0;
    const unsigned char trail = static_cast<unsigned char>(p[1]);
    return trail >= 0x40 && trail <= 0xfe && trail != 0x7f;
}

void MY_copy_cut(char *field, size_t size, const char *text) {
    if (!field || size == 0) return;
    const char *from = text ? text : "";
    size_t length = 0;
    while (from[length] != '\0') {
        const size_t step = MY_is_double_byte(from + length) ? 2 : 1;
        if (length + step > size - 1) break;
        length += step;
    }
    std::memcpy(field, from, length);
    field[length] = '\0';
}

int MY_same_name_nocase(const char *a, const char *b) {
    for (;;) {
        if (MY_is_double_byte(a) || MY_is_double_byte(b)) {
            if (a[0] != b[0] || a[1] != b[1]) return 0;
            a += 2;
            b += 2;
            continue;
        }
        char ca = *a, cb = *b;
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb) return 0;
        if (!ca) return 1;
        ++a;
        ++b;
    }
}

void MY_upper_case(char *text) {
    for (char *p = text; p && *p; ++p) {
        if (MY_is_double_byte(p))
            ++p;
        else if (*p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - 'a' + 'A');
    }
}
