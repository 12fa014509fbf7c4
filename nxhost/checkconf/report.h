// What the checks of check-config share: the list of findings and the text of a file by lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "nxhost/checkconf/checkconf.h"

namespace nxhost::checkconf {

class Report {
public:
    void error(const std::string &file, int line, const std::string &message) {
        add(file, line, Severity::Error, message);
    }
    void warning(const std::string &file, int line, const std::string &message) {
        add(file, line, Severity::Warning, message);
    }
    std::vector<Finding> &findings() { return findings_; }

private:
    void add(const std::string &file, int line, Severity severity, const std::string &message) {
        findings_.push_back({file, line, severity, message});
    }
    std::vector<Finding> findings_;
};

// A configuration file as the add-on reads it: in text mode, so a CR before a LF is gone.
struct TextFile {
    std::string path;   // as it is shown in findings
    std::string bytes;
    int line_at(std::size_t offset) const;  // 1-based line of a byte
};

// False (and an error in the report, unless `quiet`) when the file cannot be read.
bool read_text(const std::string &path, TextFile *file, Report &report, bool quiet = false);

// The file's lines without their line feeds; a last line without one is kept.
std::vector<std::string> split_lines(const std::string &bytes);

// "a/b" without doubling a separator.
std::string join(const std::string &dir, const std::string &name);

// The entry of a folder whose name equals `name` ignoring letter case, as Windows finds it;
// "" when there is none.
std::string find_in_folder(const std::string &dir, const std::string &name);

// Whole-token number conversions; false when the text is not entirely a number.
bool whole_number(const std::string &text, double *value);
bool whole_integer(const std::string &text, long *value);

// 12.5 as "12.5", 3 as "3".
std::string number_text(double value);

std::string upper(std::string text);

}  // namespace nxhost::checkconf
