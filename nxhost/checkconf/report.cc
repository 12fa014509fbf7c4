// The shared pieces of check-config: findings, files by lines, folder lookups, numbers.
#include "nxhost/checkconf/report.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "nxhost/checkconf/checks.h"

namespace nxhost::checkconf {

namespace fs = std::filesystem;

int TextFile::line_at(std::size_t offset) const {
    offset = std::min(offset, bytes.size());
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

bool read_text(const std::string &path, TextFile *file, Report &report, bool quiet) {
    file->path = path;
    file->bytes.clear();
    std::error_code ec;
    std::ifstream in;
    if (fs::is_regular_file(path, ec)) in.open(path, std::ios::binary);
    if (!in.is_open() || !in) {
        if (!quiet) report.error(path, 1, "the file is missing or cannot be read");
        return false;
    }
    std::ostringstream raw;
    raw << in.rdbuf();
    const std::string bytes = raw.str();
    file->bytes.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) file->bytes += bytes[i];
    return true;
}

std::vector<std::string> split_lines(const std::string &bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string join(const std::string &dir, const std::string &name) {
    if (dir.empty() || dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string find_in_folder(const std::string &dir, const std::string &name) {
    std::error_code ec;
    const std::string wanted = upper(name);
    std::string found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (upper(entry) != wanted) continue;
        // An exact spelling wins over another spelling of the same name.
        if (found.empty() || entry == name) found = join(dir, entry);
    }
    return found;
}

bool whole_number(const std::string &text, double *value) {
    if (text.empty()) return false;
    char *end = nullptr;
    errno = 0;
    *value = std::strtod(text.c_str(), &end);
    return *end == '\0' && errno == 0 && std::isfinite(*value);
}

bool whole_integer(const std::string &text, long *value) {
    if (text.empty()) return false;
    char *end = nullptr;
    errno = 0;
    *value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && errno == 0;
}

std::string number_text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string finding_text(const Finding &finding) {
    return finding.file + ":" + std::to_string(finding.line) + ": " +
           (finding.severity == Severity::Error ? "error: " : "warning: ") + finding.message;
}

int exit_code(const std::vector<Finding> &findings) {
    int code = kExitClean;
    for (const Finding &f : findings) code = f.severity == Severity::Error ? kExitErrors : std::max(code, kExitWarnings);
    return code;
}

std::vector<Finding> check_config(const Places &places) {
    Report report;
    const KeyedValues values = check_keyed_files(places.root, report);
    std::vector<std::string> holders;
    const bool holder_table = check_holder_table(places.root, report, &holders);
    check_tool_tables(places.root, values, holder_table ? &holders : nullptr, report);
    check_template_set(places.root, report);
    check_insert_definitions(places.root, report);
    check_catalogues(places.root, places.english, report);
    check_dialog_layouts(places.dialog_dirs, report);
    return report.findings();
}

}  // namespace nxhost::checkconf
