// The shipped message catalogues against the add-on's sources: every tag the code looks up
// has a text in its module's catalogue, in Chinese (code page 936) and in English.
#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/ui/encoding.h"
#include "standin_test.h"

namespace {

namespace fs = std::filesystem;

const char *const CATALOGUES[] = {"torvane.txt", "my_func.txt", "my_func1.txt", "my_func_cam.txt"};
const char *const CATALOGUE_DIRS[] = {"conf/qz_conf/lang", "conf/lang-en"};

// Catalogue of the tags of each add-on folder, and of the functions that show texts of
// another module's catalogue, by tag prefix.
const std::map<std::string, std::string> FOLDER_CATALOGUE = {
    {"torvane", "torvane.txt"},         {"my_func", "my_func.txt"},           {"my_func1", "my_func1.txt"},
    {"my_func_cam", "my_func_cam.txt"}, {"my_func_nxlib", "my_func_cam.txt"},
};
const std::map<std::string, std::string> TAG_PREFIX_CATALOGUE = {
    {"read_config_edm_descr_", "my_func1.txt"},
    {"get_char_holder_section_dat_", "torvane.txt"},
    {"create_check_bloc_", "my_func_cam.txt"},
};

struct UsedTag {
    std::string tag, catalogue, source;  // source: where it is used, for the failure message
};

// Tags standing as whole string literals outside line comments.
std::vector<UsedTag> tags_used_by_the_add_on() {
    const std::regex tag_literal("\"([A-Za-z0-9_]+_[0-9][0-9]:)\""), built_tag("\"[^\"]*%[0-9]*d:\"");
    std::vector<UsedTag> used;
    const fs::path root = testsupport::source_dir();
    for (const auto &folder : FOLDER_CATALOGUE) {
        if (!fs::exists(root / folder.first)) continue;
        for (const auto &entry : fs::recursive_directory_iterator(root / folder.first)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cc" && ext != ".h") continue;
            const std::string where = fs::relative(entry.path(), root).string();
            std::istringstream source(testsupport::read_host_file(entry.path().string()));
            for (std::string line; std::getline(source, line);) {
                line = line.substr(0, line.find("//"));
                if (std::regex_search(line, built_tag))
                    ADD_FAILURE() << where << " builds tags with a format: list the tags it builds in this test";
                for (std::sregex_iterator it(line.begin(), line.end(), tag_literal), end; it != end; ++it) {
                    std::string catalogue = folder.second;
                    for (const auto &prefix : TAG_PREFIX_CATALOGUE)
                        if (it->str(1).compare(0, prefix.first.size(), prefix.first) == 0) catalogue = prefix.second;
                    used.push_back({it->str(1), catalogue, where});
                }
            }
        }
    }
    return used;
}

// Code page 936 text reads back unchanged through UTF-8; a byte it cannot hold would not.
bool is_gbk(const std::string &bytes) {
    std::string back;
    return nxhost::utf8_to_gbk(nxhost::gbk_to_utf8(bytes), &back) && back == bytes;
}

std::string catalogue_bytes(const char *dir, const char *file) {
    return testsupport::read_host_file(testsupport::source_dir() + "/" + dir + "/" + file);
}

class Catalogues : public testsupport::StandinTest {};

TEST_F(Catalogues, HoldATextForEveryTagTheAddOnLooksUp) {
    const std::vector<UsedTag> used = tags_used_by_the_add_on();
    EXPECT_GE(used.size(), 27u) << "the keyed readers alone look up 27 tags; is TORVANE_SOURCE_DIR right?";
    for (const char *dir : CATALOGUE_DIRS) {
        for (const char *file : CATALOGUES) write_file(std::string("qz_conf/lang/") + file, catalogue_bytes(dir, file));
        for (const UsedTag &u : used) {
            clear_shown();
            char text[MY_MESSAGE_BUFSIZE];
            if (!lookup_message(u.tag.c_str(), text, addontest::lang_path(u.catalogue).c_str()))
                ADD_FAILURE() << dir << "/" << u.catalogue << " has no text for " << u.tag << " (used in " << u.source
                              << ")";
        }
    }
}

TEST_F(Catalogues, StandEveryTagOnceAtALineStartInTheirLanguagesCodePage) {
    // A tag inside a remark or another text would be found there first.
    const std::regex tag_word("(^|[\n ,])([A-Za-z0-9_]+_[0-9][0-9]:)");
    for (const char *dir : CATALOGUE_DIRS) {
        for (const char *file : CATALOGUES) {
            SCOPED_TRACE(std::string(dir) + "/" + file);
            const std::string bytes = catalogue_bytes(dir, file);
            ASSERT_FALSE(bytes.empty());
            EXPECT_EQ(bytes.back(), '\n') << "the last text needs its line feed";
            const bool chinese = dir == CATALOGUE_DIRS[0];
            EXPECT_EQ(std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }), chinese)
                << "Chinese texts, English ones in ASCII";
            EXPECT_TRUE(!chinese || is_gbk(bytes)) << "Chinese in code page 936";
            std::set<std::string> seen;
            for (std::sregex_iterator it(bytes.begin(), bytes.end(), tag_word), end; it != end; ++it) {
                EXPECT_TRUE(it->position(2) == 0 || bytes[it->position(2) - 1] == '\n') << it->str(2) << " in a line";
                EXPECT_TRUE(seen.insert(it->str(2)).second) << it->str(2) << " twice";
            }
        }
    }
}

}  // namespace
