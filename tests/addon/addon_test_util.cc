#include "addon_test_util.h"

#include <fstream>
#include <sstream>

#include "nxhost/ui/encoding.h"

namespace addontest {

std::string lang_path(const std::string &file) { return "D:\\qz_conf\\lang\\" + file; }

std::string numbered_catalogue(const std::string &tag, const std::string &prefix, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        text += tag + number + ":\n" + prefix + number + "\n";
    }
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
