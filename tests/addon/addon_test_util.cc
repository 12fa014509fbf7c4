#include "addon_test_util.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "standin_test.h"

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

void install_shipped_conf(const std::string &drive_dir) {
    namespace fs = std::filesystem;
    const fs::path source = testsupport::source_dir();
    fs::copy(source / "conf", drive_dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto &entry : fs::directory_iterator(source / "conf/lang-en"))
        fs::copy_file(entry.path(), fs::path(drive_dir) / "qz_conf/lang" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
}

std::string english(const std::string &tag, const std::string &catalogue) {
    std::ifstream in(testsupport::source_dir() + "/conf/lang-en/" + catalogue);
    for (std::string line; std::getline(in, line);)
        if (line == tag && std::getline(in, line)) return line;
    ADD_FAILURE() << "no English text for " << tag;
    return tag;
}

std::string read_host_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace addontest
