// Small helpers shared by the add-on tests.
#pragma once

#include <string>
#include <vector>

namespace addontest {

// Windows path of a file in the language directory, as the add-on builds it.
std::string lang_path(const std::string &file);

// Catalogue with the texts prefix01 .. prefix<count> for the tags <tag>01: .. <tag><count>:,
// short texts that make composed messages easy to read back.
std::string numbered_catalogue(const std::string &tag, const std::string &prefix, int count);

// Texts as a Chinese Windows shows them (code page 936 to UTF-8).
std::vector<std::string> as_utf8(const std::vector<std::string> &texts);

}  // namespace addontest
