// The shipped message catalogues against the add-on's sources: every tag the code looks up
// has a text in its module's catalogue, in Chinese (code page 936) and in English.
#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "standin_test.h"

namespace {

namespace fs = std::filesystem;
using testsupport::StandinTest;

const char *const CATALOGUES[] = {"torvane.txt", "my_func.txt", "my_func1.txt", "my_func_cam.txt"};
const char *const CATALOGUE_DIRS[] = {"conf/qz_conf/lang", "conf/lang-en"};

// Catalogue of the tags of each add-on folder.
const std::map<std::string, std::string> FOLDER_CATALOGUE = {
    {"torvane", "torvane.txt"},         {"my_func", "my_func.txt"},           {"my_func1", "my_func1.txt"},
    {"my_func_cam", "my_func_cam.txt"}, {"my_func_nxlib", "my_func_cam.txt"},
};

// Functions that show texts of another module's catalogue than their folder's, by tag prefix.
const std::map<std::string, std::string> TAG_PREFIX_CATALOGUE = {
    {"read_config_edm_descr_", "my_func1.txt"},
    {"get_char_holder_section_dat_", "torvane.txt"},
};

// The string literals of a C++ source, comments left out.
std::vector<std::string> string_literals(const std::string &source) {
    std::vector<std::string> literals;
    for (size_t i = 0; i < source.size(); ++i) {
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
            if (i == std::string::npos) break;
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i + 2);
            if (i == std::string::npos) break;
            ++i;
        } else if (source[i] == '\'') {
            for (++i; i < source.size() && source[i] != '\''; ++i)
                if (source[i] == '\\') ++i;
        } else if (source[i] == '"') {
            std::string literal;
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\') literal += source[i++];
                literal += source[i];
            }
            literals.push_back(literal);
        }
    }
    return literals;
}

struct UsedTag {
    std::string tag;
    std::string catalogue;
    std::string source;  // where it is used, for the failure message
};

std::vector<UsedTag> tags_used_by_the_add_on(std::vector<std::string> *problems) {
    const std::regex tag_pattern("[A-Za-z0-9_]+_[0-9][0-9]:");
    const std::regex built_tag_pattern(".*%[0-9]*d:");
    std::vector<UsedTag> used;
    const fs::path root = testsupport::source_dir();
    for (const auto &folder : FOLDER_CATALOGUE) {
        if (!fs::exists(root / folder.first)) continue;
        for (const auto &entry : fs::recursive_directory_iterator(root / folder.first)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cc" && ext != ".h") continue;
            const std::string where = fs::relative(entry.path(), root).string();
            for (const std::string &literal : string_literals(addontest::read_host_file(entry.path().string()))) {
                if (std::regex_match(literal, built_tag_pattern))
                    problems->push_back(where + " builds tags with the format \"" + literal +
                                        "\": list the tags it builds in this test");
                if (!std::regex_match(literal, tag_pattern)) continue;
                std::string catalogue = folder.second;
                for (const auto &prefix : TAG_PREFIX_CATALOGUE)
                    if (literal.compare(0, prefix.first.size(), prefix.first) == 0) catalogue = prefix.second;
                used.push_back({literal, catalogue, where});
            }
        }
    }
    return used;
}

bool converts_from_gbk(const std::string &bytes) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = bytes;
    std::vector<char> out(bytes.size() * 2 + 16);
    char *in_p = in.data(), *out_p = out.data();
    size_t in_left = in.size(), out_left = out.size();
    bool ok = iconv(cd, &in_p, &in_left, &out_p, &out_left) != static_cast<size_t>(-1) && in_left == 0;
    iconv_close(cd);
    return ok;
}

std::string catalogue_bytes(const char *dir, const char *file) {
    return addontest::read_host_file(testsupport::source_dir() + "/" + dir + "/" + file);
}

class Catalogues : public StandinTest {};

TEST_F(Catalogues, HoldATextForEveryTagTheAddOnLooksUp) {
    std::vector<std::string> problems;
    const std::vector<UsedTag> used = tags_used_by_the_add_on(&problems);
    EXPECT_GE(used.size(), 27u) << "the keyed readers alone look up 27 tags; is TORVANE_SOURCE_DIR right?";
    for (const char *dir : CATALOGUE_DIRS) {
        for (const char *file : CATALOGUES) write_file(std::string("qz_conf/lang/") + file, catalogue_bytes(dir, file));
        for (const UsedTag &u : used) {
            clear_shown();
            char text[MY_MESSAGE_BUFSIZE];
            if (!lookup_message(u.tag.c_str(), text, addontest::lang_path(u.catalogue).c_str()))
                problems.push_back(std::string(dir) + "/" + u.catalogue + " has no text for " + u.tag + " (used in " +
                                   u.source + ")");
        }
    }
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
}

TEST_F(Catalogues, StandEveryTagAtALineStartAndOnlyOnce) {
    // A tag inside a remark or another text would be found there first.
    const std::regex tag_word("(^|[\n ,])([A-Za-z0-9_]+_[0-9][0-9]:)");
    for (const char *dir : CATALOGUE_DIRS) {
        for (const char *file : CATALOGUES) {
            SCOPED_TRACE(std::string(dir) + "/" + file);
            const std::string bytes = catalogue_bytes(dir, file);
            ASSERT_FALSE(bytes.empty());
            EXPECT_EQ(bytes.back(), '\n') << "the last text needs its line feed";
            std::set<std::string> seen;
            for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), tag_word); it != std::sregex_iterator();
                 ++it) {
                const std::smatch &m = *it;
                EXPECT_TRUE(m.position(2) == 0 || bytes[m.position(2) - 1] == '\n') << m.str(2) << " inside a line";
                EXPECT_TRUE(seen.insert(m.str(2)).second) << m.str(2) << " twice";
            }
        }
    }
}

TEST_F(Catalogues, OfBothLanguagesHoldTheSameTags) {
    const std::regex tag_line("(^|\n)([A-Za-z0-9_]+_[0-9][0-9]:)");
    for (const char *file : CATALOGUES) {
        SCOPED_TRACE(file);
        std::set<std::string> tags[2];
        for (int i = 0; i < 2; ++i) {
            const std::string bytes = catalogue_bytes(CATALOGUE_DIRS[i], file);
            for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), tag_line); it != std::sregex_iterator();
                 ++it)
                tags[i].insert(it->str(2));
        }
        EXPECT_FALSE(tags[0].empty());
        EXPECT_EQ(tags[0], tags[1]);
    }
}

TEST_F(Catalogues, AreChineseInCodePage936AndEnglishInAscii) {
    for (const char *file : CATALOGUES) {
        SCOPED_TRACE(file);
        const std::string chinese = catalogue_bytes("conf/qz_conf/lang", file);
        EXPECT_TRUE(converts_from_gbk(chinese));
        EXPECT_TRUE(std::any_of(chinese.begin(), chinese.end(), [](char c) { return c & 0x80; }));
        const std::string english = catalogue_bytes("conf/lang-en", file);
        EXPECT_TRUE(std::none_of(english.begin(), english.end(), [](char c) { return c & 0x80; }));
    }
}

TEST(CatalogueScan, FindsLiteralsOutsideComments) {
    const std::string source =
        "// \"in_comment_01:\"\n/* \"block_01:\" */ show(\"used_01:\"); char c = '\"'; f(\"a\\\"b\", \"x_%02d:\");\n";
    EXPECT_EQ(string_literals(source), (std::vector<std::string>{"used_01:", "a\\\"b", "x_%02d:"}));
}

}  // namespace
