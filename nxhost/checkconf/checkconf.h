// nxhost check-config: the configuration of the add-on checked against what the add-on reads,
// before a programmer meets a fault in NX. Each finding names a file and a line.
#pragma once

#include <string>
#include <vector>

namespace nxhost::checkconf {

enum class Severity { Warning, Error };

// Something wrong in one file. A line of 1 stands for the file as a whole when what is wrong is
// something the file lacks (a key, a tag, a dialog item).
struct Finding {
    std::string file;
    int line = 1;
    Severity severity = Severity::Error;
    std::string message;
};

// Where the configuration lies.
struct Places {
    std::string root;                      // the configuration root (what the add-on sees as D:\qz_conf)
    std::string english;                   // the English catalogues (D:\lang-en); "" = none to check
    std::vector<std::string> dialog_dirs;  // folders of the dialog layouts, searched in order
};

// Exit codes of check-config, by the worst finding (1 and 2 are the usual bad usage and
// unusable directory of nxhost).
constexpr int kExitClean = 0;
constexpr int kExitWarnings = 9;
constexpr int kExitErrors = 10;

// Every finding, in the order: keyed files, tool and holder tables, template set and insert
// definitions, catalogues, dialog layouts.
std::vector<Finding> check_config(const Places &places);

// "FILE:LINE: error: MESSAGE" (or "warning:").
std::string finding_text(const Finding &finding);

int exit_code(const std::vector<Finding> &findings);

}  // namespace nxhost::checkconf
