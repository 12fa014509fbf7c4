// Names of objects in UTF-8.
#include "nxhost/picture/names.h"

#include "nxhost/ui/encoding.h"

namespace nxhost::picture {

bool is_utf8(const std::string &bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const int more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (more < 0 || (more == 1 && c < 0xC2)) return false;
        for (int k = 1; k <= more; ++k)
            if (i + k >= bytes.size() || (static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::string display_name(const std::string &bytes, tag_t tag) {
    if (bytes.empty()) return tag == NULL_TAG ? std::string() : "#" + std::to_string(tag);
    return is_utf8(bytes) ? bytes : gbk_to_utf8(bytes);
}

}  // namespace nxhost::picture
