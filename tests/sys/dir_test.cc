#include "sys/sys_dir.h"

#include "sys_test_support.h"

#include <sys/stat.h>

namespace {

class SysListDirectory : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        mount_drive('D', at("d"));
        make_entries({"d/Scan/a.txt", "d/Scan/B.TXT", "d/Scan/ab.txt", "d/Scan/c.dat", "d/Scan/noext",
                      "d/Scan/.hidden", "d/Scan/sub/", "d/Scan/Sub2/", "d/Scan/sub/inner.txt"});
    }
};

using Names = std::vector<std::string>;

TEST_F(SysListDirectory, MatchesWildcardsAsWindowsDoesInByteOrder) {
    struct Case {
        const char *wildcard;
        int dirs_too;
        Names expected;
    };
    const Case cases[] = {
        {"*", 0, {".hidden", "B.TXT", "a.txt", "ab.txt", "c.dat", "noext"}},
        {"*.txt", 0, {"B.TXT", "a.txt", "ab.txt"}},
        {"*.TXT", 0, {"B.TXT", "a.txt", "ab.txt"}},
        {"?.txt", 0, {"B.TXT", "a.txt"}},
        {"A*", 0, {"a.txt", "ab.txt"}},
        {"*b*", 0, {"B.TXT", "ab.txt"}},
        {"*.*", 0, {".hidden", "B.TXT", "a.txt", "ab.txt", "c.dat", "noext"}},
        {"noext.*", 0, {"noext"}},
        {"c.d?t", 0, {"c.dat"}},
        {"c.d?", 0, {}},
        {"nothing*", 0, {}},
        {"", 0, {".hidden", "B.TXT", "a.txt", "ab.txt", "c.dat", "noext"}},
        {nullptr, 0, {".hidden", "B.TXT", "a.txt", "ab.txt", "c.dat", "noext"}},
        {"*", 1, {".hidden", "B.TXT", "Sub2", "a.txt", "ab.txt", "c.dat", "noext", "sub"}},
        {"s*", 1, {"Sub2", "sub"}},
        {"s*", 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("wildcard \"") + (c.wildcard ? c.wildcard : "NULL") + "\" dirs " +
                     std::to_string(c.dirs_too));
        Names names;
        EXPECT_EQ(sys_list_directory("D:\\scan", c.wildcard, c.dirs_too, &names), 1);
        EXPECT_EQ(names, c.expected);
    }
}

TEST_F(SysListDirectory, ReplacesWhatTheListHeld) {
    Names names = {"stale"};
    ASSERT_EQ(sys_list_directory("D:\\Scan\\SUB\\", "*", 0, &names), 1);
    EXPECT_EQ(names, Names{"inner.txt"});
}

TEST_F(SysListDirectory, ListsAHostDirectory) {
    Names names;
    ASSERT_EQ(sys_list_directory(at("d/Scan/sub").c_str(), "*.txt", 0, &names), 1);
    EXPECT_EQ(names, Names{"inner.txt"});
}

TEST_F(SysListDirectory, LeavesOutEntriesThatCannotBeExamined) {
    ASSERT_EQ(symlink(at("d/nowhere").c_str(), at("d/Scan/sub/dangling.txt").c_str()), 0);
    Names names;
    ASSERT_EQ(sys_list_directory("D:\\Scan\\sub", "*", 1, &names), 1);
    EXPECT_EQ(names, Names{"inner.txt"});
}

TEST_F(SysListDirectory, FailsOnWhatIsNotAReadableDirectory) {
    struct Case {
        const char *what;
        const char *dir;
    };
    const Case cases[] = {
        {"a missing directory", "D:\\NoSuch"},
        {"a file", "D:\\Scan\\a.txt"},
        {"an unmounted drive", "Q:\\Scan"},
        {"an empty name", ""},
        {"no name", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Names names = {"stale"};
        EXPECT_EQ(sys_list_directory(c.dir, "*", 1, &names), 0);
        EXPECT_TRUE(names.empty());
    }
    EXPECT_EQ(sys_list_directory("D:\\Scan", "*", 1, nullptr), 0);
}

}  // namespace
