// Text conversions between what people write (UTF-8 layouts and scripts) and what the add-on
// sees (code page 936), and the quoting used in transcript lines.
#pragma once

#include <string>
#include <vector>

#include "nxhost/ui/encoding.h"

namespace nxhost::styler {


// "text" with \" for a quote and \\ where a backslash would otherwise escape; other
// backslashes (Windows paths) stay single, so a line reads back through the script parser.
std::string quote_text(const std::string &text);

// A real as a person would write it: shortest of %.10g.
std::string real_text(double value);

// Index of the entry a user means by `word`: its text (compared after converting the entry to
// UTF-8, or byte for byte) or "#N" for index N. -1 when none.
int entry_index(const std::vector<std::string> &entries, const std::string &word);

// Whole-text integer and real parsing; false on anything else.
bool parse_int(const std::string &text, int *value);
bool parse_real(const std::string &text, double *value);

// The base name of a dialog file as a program names it, for display and comparison.
std::string dialog_base_name(const std::string &path);
// Whether two dialog file names mean the same file: base names equal ignoring case and an
// omitted ".dlg".
bool same_dialog_name(const std::string &a, const std::string &b);

}  // namespace nxhost::styler
