#include "nxhost/ui/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace nxhost {
namespace {

bool is_ascii(const std::string &bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

// Converts with iconv. A sequence that does not convert becomes '?' when `lenient`, and
// otherwise ends the conversion with false.
bool convert(const std::string &bytes, const char *to, const char *from, bool lenient, std::string *out) {
    if (is_ascii(bytes)) {
        *out = bytes;
        return true;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string converted;
    char buffer[256];
    char *in = const_cast<char *>(bytes.data());
    std::size_t in_left = bytes.size();
    bool ok = true;
    while (ok && in_left > 0) {
        char *dst = buffer;
        std::size_t dst_left = sizeof buffer;
        std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
        converted.append(buffer, sizeof buffer - dst_left);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = lenient;
            if (lenient) {
                converted.push_back('?');
                ++in;
                --in_left;
            }
        }
    }
    iconv_close(cd);
    if (ok) *out = converted;
    return ok;
}

}  // namespace

std::string gbk_to_utf8(const std::string &bytes) {
    std::string out;
    return convert(bytes, "UTF-8", "GBK", true, &out) ? out : bytes;
}

bool utf8_to_gbk(const std::string &utf8, std::string *gbk) { return convert(utf8, "GBK", "UTF-8", false, gbk); }

}  // namespace nxhost
