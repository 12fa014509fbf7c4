// Every input a fuzz target once failed on (tests/fuzz_regressions/<target>/) and every seed of
// fuzz/seeds.txt, through the target's own body: each must pass without a finding.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "uf.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Files matching a source-tree glob whose wildcards stand only in the last two parts.
std::vector<fs::path> matching(const std::string &glob) {
    const fs::path root = fuzzsupport::source_dir();
    std::string pattern;
    for (char c : glob) {
        if (c == '*') pattern += "[^/]*";
        else if (std::string(".+()[]{}^$|\\?").find(c) != std::string::npos) pattern += std::string("\\") + c;
        else pattern += c;
    }
    const std::regex wanted(pattern);
    const fs::path base = root / fs::path(glob.substr(0, glob.find('*'))).parent_path();
    std::vector<fs::path> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(base, ec); !ec && it != fs::recursive_directory_iterator(); ++it)
        if (it->is_regular_file() && std::regex_match(fs::relative(it->path(), root).generic_string(), wanted))
            found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

// Target name to its seed globs.
std::map<std::string, std::vector<std::string>> seed_globs() {
    std::map<std::string, std::vector<std::string>> globs;
    std::istringstream lines(contents(fs::path(fuzzsupport::source_dir()) / "fuzz" / "seeds.txt"));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string target, glob;
        words >> target;
        while (words >> glob) globs[target].push_back(glob);
    }
    return globs;
}

fuzzsupport::Entry entry_of(const std::string &name) {
    for (const fuzzsupport::Target &t : fuzzsupport::targets())
        if (t.name == name) return t.entry;
    return nullptr;
}

void expect_passes(fuzzsupport::Entry entry, const fs::path &input) {
    SCOPED_TRACE(input.string());
    try {
        entry(contents(input));
    } catch (const fuzzsupport::Finding &f) {
        ADD_FAILURE() << "finding: " << f.what();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "escaped exception: " << e.what();
    }
}

TEST(FuzzTargets, EachHasSeedsAndTheSeedsPass) {
    const auto globs = seed_globs();
    ASSERT_EQ(globs.size(), fuzzsupport::targets().size()) << "fuzz/seeds.txt and the targets differ";
    for (const fuzzsupport::Target &t : fuzzsupport::targets()) {
        SCOPED_TRACE(t.name);
        ASSERT_TRUE(globs.count(t.name)) << "no seeds listed";
        for (const std::string &glob : globs.at(t.name)) {
            const std::vector<fs::path> files = matching(glob);
            EXPECT_FALSE(files.empty()) << glob << " names no file";
            for (const fs::path &file : files) expect_passes(t.entry, file);
        }
    }
}

TEST(FuzzTargets, SavedFindingsPass) {
    const fs::path root = fs::path(fuzzsupport::source_dir()) / "tests" / "fuzz_regressions";
    int replayed = 0;
    std::error_code ec;
    for (const auto &dir : fs::directory_iterator(root, ec)) {
        if (!dir.is_directory()) continue;
        const std::string target = dir.path().filename().string();
        SCOPED_TRACE(target);
        const fuzzsupport::Entry entry = entry_of(target);
        ASSERT_NE(entry, nullptr) << "a folder of findings for no target";
        for (const auto &file : fs::directory_iterator(dir.path())) {
            expect_passes(entry, file.path());
            ++replayed;
        }
    }
    std::printf("%d saved findings replayed\n", replayed);
}

// The check after each input catches what it is there for: NX memory a reader never frees.
TEST(FuzzTargets, NxMemoryLeftIsAFinding) {
    std::string what;
    try {
        fuzzsupport::Session session;
        int error = 0;
        UF_allocate_memory(16, &error);
    } catch (const fuzzsupport::Finding &f) {
        what = f.what();
    }
    EXPECT_NE(what.find("1 blocks of NX memory never freed"), std::string::npos) << what;
}

}  // namespace
