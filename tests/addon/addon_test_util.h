// Small helpers shared by the add-on tests.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace addontest {

// Windows path of a file in the language directory, as the add-on builds it.
std::string lang_path(const std::string &file);

// Catalogue text with one "tag\ntext\n" entry per pair.
std::string catalogue(std::initializer_list<std::pair<const char *, const char *>> entries);

// Texts as a Chinese Windows shows them (code page 936 to UTF-8).
std::vector<std::string> as_utf8(const std::vector<std::string> &texts);

// Whole file of the host file system, bytes as they are.
std::string read_host_file(const std::string &path);

}  // namespace addontest
