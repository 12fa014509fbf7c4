#include "nxhost/ui/styler/text.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "nxhost/ui/transcript.h"

namespace nxhost::styler {
namespace {

bool is_ascii(const std::string &bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

std::string lower(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string without_dlg(const std::string &name) {
    std::string low = lower(name);
    if (low.size() > 4 && low.compare(low.size() - 4, 4, ".dlg") == 0) return low.substr(0, low.size() - 4);
    return low;
}

}  // namespace

bool utf8_to_gbk(const std::string &utf8, std::string *gbk) {
    if (is_ascii(utf8)) {
        *gbk = utf8;
        return true;
    }
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string out;
    char buffer[256];
    char *in = const_cast<char *>(utf8.data());
    std::size_t in_left = utf8.size();
    bool ok = true;
    while (in_left > 0) {
        char *dst = buffer;
        std::size_t dst_left = sizeof buffer;
        std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
        out.append(buffer, sizeof buffer - dst_left);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (ok) *gbk = out;
    return ok;
}

std::string quote_text(const std::string &text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\' && (i + 1 == text.size() || text[i + 1] == '"' || text[i + 1] == '\\')) {
            out += "\\\\";
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

std::string real_text(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

int entry_index(const std::vector<std::string> &entries, const std::string &word) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == word || gbk_to_utf8(entries[i]) == word) return static_cast<int>(i);
    int index = -1;
    if (word.size() > 1 && word[0] == '#' && parse_int(word.substr(1), &index) && index >= 0 &&
        index < static_cast<int>(entries.size()))
        return index;
    return -1;
}

bool parse_int(const std::string &text, int *value) {
    if (text.empty()) return false;
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -2147483647L - 1 || v > 2147483647L) return false;
    *value = static_cast<int>(v);
    return true;
}

bool parse_real(const std::string &text, double *value) {
    if (text.empty()) return false;
    char *end = nullptr;
    errno = 0;
    double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

std::string dialog_base_name(const std::string &path) {
    std::size_t cut = path.find_last_of("/\\");
    std::string base = cut == std::string::npos ? path : path.substr(cut + 1);
    if (base.size() >= 2 && base[1] == ':') base = base.substr(2);
    return base;
}

bool same_dialog_name(const std::string &a, const std::string &b) {
    return without_dlg(dialog_base_name(a)) == without_dlg(dialog_base_name(b));
}

}  // namespace nxhost::styler
