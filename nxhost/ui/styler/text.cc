#include "nxhost/ui/styler/text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "nxhost/ui/transcript.h"

namespace nxhost::styler {
namespace {

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
