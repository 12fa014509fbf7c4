#include "sys/sys_dir.h"

#include "sys_test_support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using Names = std::vector<std::string>;

class SysListDirectory : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        make_entries({"d/Scan/a.txt", "d/Scan/B.TXT", "d/Scan/ab.txt", "d/Scan/c.dat", "d/Scan/noext",
                      "d/Scan/.hidden", "d/Scan/sub/", "d/Scan/Sub2/", "d/Scan/sub/inner.txt"});
    }
};

TEST_F(SysListDirectory, MatchesWildcardsAsWindowsDoesInByteOrder) {
    const Names all = {".hidden", "B.TXT", "a.txt", "ab.txt", "c.dat", "noext"};
    struct Case { const char *wildcard; int dirs_too; Names expected; } cases[] = {
        {"*", 0, all}, {"*.*", 0, all}, {"", 0, all}, {nullptr, 0, all},
        {"*.txt", 0, {"B.TXT", "a.txt", "ab.txt"}}, {"?.txt", 0, {"B.TXT", "a.txt"}},
        {"A*", 0, {"a.txt", "ab.txt"}}, {"*b*", 0, {"B.TXT", "ab.txt"}}, {"noext.*", 0, {"noext"}}, {"c.d?", 0, {}},
        {"*", 1, {".hidden", "B.TXT", "Sub2", "a.txt", "ab.txt", "c.dat", "noext", "sub"}}, {"s*", 1, {"Sub2", "sub"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("wildcard \"") + (c.wildcard ? c.wildcard : "NULL") + "\" dirs " +
                     std::to_string(c.dirs_too));
        Names names = {"stale"};
        EXPECT_EQ(sys_list_directory("D:\\scan", c.wildcard, c.dirs_too, &names), 1);
        EXPECT_EQ(names, c.expected);
    }
}

#ifndef _WIN32
TEST_F(SysListDirectory, LeavesOutEntriesThatCannotBeExamined) {
    ASSERT_EQ(symlink(at("d/nowhere").c_str(), at("d/Scan/sub/dangling.txt").c_str()), 0);
    Names names;
    ASSERT_EQ(sys_list_directory("D:\\Scan\\SUB\\", "*", 1, &names), 1);
    EXPECT_EQ(names, Names{"inner.txt"});
}
#endif

TEST_F(SysListDirectory, FailsOnWhatIsNotAReadableDirectory) {
    for (const char *dir : {"D:\\NoSuch", "D:\\Scan\\a.txt", "Q:\\Scan", "", static_cast<const char *>(nullptr)}) {
        SCOPED_TRACE(dir ? dir : "NULL");
        Names names = {"stale"};
        EXPECT_EQ(sys_list_directory(dir, "*", 1, &names), 0);
        EXPECT_TRUE(names.empty());
    }
    EXPECT_EQ(sys_list_directory("D:\\Scan", "*", 1, nullptr), 0);
}

}  // namespace
