#include "addon_test_util.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "drive_test.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "nxhost/ui/encoding.h"
#endif

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

namespace {

#ifdef _WIN32
// Windows' own conversion, through UTF-16, as a Chinese Windows shows the texts.
std::string gbk_to_utf8(const std::string &gbk) {
    if (gbk.empty()) return gbk;
    const int size = static_cast<int>(gbk.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(936, 0, gbk.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), size, &wide[0], static_cast<int>(wide.size()));
    const int wide_size = static_cast<int>(wide.size());
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}
#else
using nxhost::gbk_to_utf8;
#endif

}  // namespace

std::vector<std::string> as_utf8(const std::vector<std::string> &texts) {
    std::vector<std::string> converted;
    for (const std::string &text : texts) converted.push_back(gbk_to_utf8(text));
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

}  // namespace addontest
