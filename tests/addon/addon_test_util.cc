#include "addon_test_util.h"

#include <fstream>
#include <sstream>

#include "nxhost/ui/transcript.h"

namespace addontest {

std::string lang_path(const std::string &file) { return "D:\\qz_conf\\lang\\" + file; }

std::string catalogue(std::initializer_list<std::pair<const char *, const char *>> entries) {
    std::string text;
    for (const auto &entry : entries) text += std::string(entry.first) + "\n" + entry.second + "\n";
    return text;
}

std::vector<std::string> as_utf8(const std::vector<std::string> &texts) {
    std::vector<std::string> converted;
    for (const std::string &text : texts) converted.push_back(nxhost::gbk_to_utf8(text));
    return converted;
}

std::string read_host_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace addontest
