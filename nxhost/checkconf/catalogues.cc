// The message catalogues: a text for every tag the add-on looks up, in both languages.
#include <map>
#include <string>
#include <vector>

#include "nxhost/checkconf/checks.h"

namespace nxhost::checkconf {

namespace {

constexpr std::size_t kWordMax = 256;
constexpr std::size_t kTextMax = 256;

enum class Lookup { Found, NoTag, NoText };

struct LookupResult {
    Lookup status = Lookup::NoTag;
    int line = 1;
    bool cut = false;  // the text runs past 256 characters
};

// The add-on's lookup: the tag is found where a running word (reset by line feed, blank and
// comma) has grown to equal it, the first place in the file; its text starts after it or on the
// next non-empty line and must be ended by a line feed.
LookupResult lookup(const TextFile &file, const std::string &tag) {
    LookupResult result;
    const std::string &b = file.bytes;
    std::string word;
    std::size_t i = 0;
    bool found = false;
    for (; i < b.size() && !found; ++i) {
        const char c = b[i];
        if (c == '\n' || c == ' ' || c == ',') word.clear();
        else if (word.size() >= kWordMax) word.clear();
        else word += c;
        if (word == tag) {
            found = true;
            result.line = file.line_at(i);
        }
    }
    if (!found) return result;
    std::size_t length = 0;
    for (; i < b.size(); ++i) {
        if (b[i] == '\n') {
            if (length == 0) continue;
            result.status = Lookup::Found;
            return result;
        }
        if (length >= kTextMax) {
            result.cut = true;
            result.status = Lookup::Found;
            return result;
        }
        ++length;
    }
    result.status = Lookup::NoText;
    return result;
}

void check_language(const std::string &dir, const char *language, Report &report) {
    std::map<std::string, TextFile> files;
    std::map<std::string, bool> readable;
    for (const CatalogueTag &used : addon_tags()) {
        if (!readable.count(used.catalogue))
            readable[used.catalogue] = read_text(join(dir, used.catalogue), &files[used.catalogue], report);
        if (!readable[used.catalogue]) continue;
        const TextFile &file = files[used.catalogue];
        const LookupResult found = lookup(file, used.tag);
        if (found.status == Lookup::NoTag)
            report.error(file.path, 1, std::string(language) + " text of " + used.tag + " is missing");
        else if (found.status == Lookup::NoText)
            report.error(file.path, found.line,
                         std::string(used.tag) + " has no text ended by a line end");
        else if (found.cut)
            report.warning(file.path, found.line,
                           std::string("text of ") + used.tag + " is longer than 256 characters and is cut");
    }
}

}  // namespace

void check_catalogues(const std::string &root, const std::string &english, Report &report) {
    check_language(join(root, "lang"), "Chinese", report);
    if (!english.empty()) check_language(english, "English", report);
}

}  // namespace nxhost::checkconf
