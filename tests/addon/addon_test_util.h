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

// Copies the shipped configuration root (conf/) to a drive directory, with the English catalogues
// in place of the Chinese ones.
void install_shipped_conf(const std::string &drive_dir);

// The site CAM configuration of the shipped configuration: NX's milling types and TT.
constexpr const char *kShippedCamConfig = "D:\\qz_conf\\cam_qz\\qz_cam_general.dat";

// Text of a tag in the shipped English catalogue of a module ("torvane.txt").
std::string english(const std::string &tag, const std::string &catalogue = "torvane.txt");

}  // namespace addontest
