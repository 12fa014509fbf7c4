#include "sys/sys_file.h"

#include "sys_test_support.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

class SysFileOps : public systest::SysTest {
protected:
    static std::vector<std::string> folded(std::vector<std::string> names) {
        for (std::string &name : names)
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        std::sort(names.begin(), names.end());
        return names;
    }
    void SetUp() override {
        SysTest::SetUp();
        write_bytes("d/Conf/Data.TXT", "data");
        make_entries({"d/Conf/Sub/"});
    }
    // Paths of everything below a host directory below the test's directory, sorted.
    std::vector<std::string> listing(const std::string &relative) const {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(at(relative)))
            names.push_back(entry.path().lexically_relative(at(relative)).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SysFileOps, TellWhatExistsAndWhatIsADirectory) {
    struct Case { const char *path; int exists; int directory; } cases[] = {
        {"D:\\Conf\\Data.TXT", 1, 0}, {"D:/CONF/DATA.txt", 1, 0}, {"D:\\Conf", 1, 1}, {"D:\\conf\\sub\\", 1, 1},
        {"D:\\", 1, 1}, {"D:\\Conf\\missing.txt", 0, 0}, {"D:\\Conf\\Data.TXT\\inner", 0, 0},
        {"Q:\\Conf\\Data.TXT", 0, 0}, {"D:\\..\\d\\Conf\\Data.TXT", 0, 0}, {nullptr, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path ? c.path : "NULL");
        EXPECT_EQ(sys_file_exists(c.path), c.exists);
        EXPECT_EQ(sys_is_directory(c.path), c.directory);
    }
}

// Each step starts where the one before left the folder; the file keeps its data throughout.
TEST_F(SysFileOps, MakesRenamesAndRemovesWhatItFindsIgnoringCase) {
    using Names = std::vector<std::string>;
    struct Step { const char *what; std::function<int()> call; Names conf; bool case_only = false; } steps[] = {
        {"make a folder", [] { return sys_make_directory("D:\\conf\\New"); }, {"Data.TXT", "New", "Sub"}},
        {"make it again", [] { return sys_make_directory("D:\\Conf\\NEW"); }, {"Data.TXT", "New", "Sub"}},
        {"change only the case", [] { return sys_rename("D:\\Conf\\Data.TXT", "D:\\Conf\\data.txt"); },
         {"New", "Sub", "data.txt"}, true},
        {"rename to itself", [] { return sys_rename("D:\\Conf\\data.txt", "D:\\Conf\\data.txt"); },
         {"New", "Sub", "data.txt"}, true},
        {"move into a folder", [] { return sys_rename("D:\\conf\\DATA.txt", "D:\\CONF\\new\\moved.txt"); },
         {"New", "New/moved.txt", "Sub"}},
        {"rename a folder", [] { return sys_rename("D:\\Conf\\new", "D:\\Conf\\Other"); },
         {"Other", "Other/moved.txt", "Sub"}},
        {"remove a file", [] { return sys_remove("D:\\conf\\OTHER\\Moved.TXT"); }, {"Other", "Sub"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        ASSERT_EQ(s.call(), 0) << std::strerror(errno);
        // Wine keeps the old case of a name when only its case changes; Windows changes it.
        if (s.case_only && systest::under_wine()) EXPECT_EQ(folded(listing("d/Conf")), folded(s.conf));
        else EXPECT_EQ(listing("d/Conf"), s.conf);
        for (const std::string &name : s.conf) {
            if (name.find('.') == std::string::npos) continue;
            EXPECT_EQ(read_bytes("d/Conf/" + name), "data") << name;
        }
    }
}

TEST_F(SysFileOps, FailuresSetErrnoAndChangeNothing) {
    write_bytes("d/Conf/Target.txt", "target");
    struct Case { const char *what; std::function<int()> call; int error; } cases[] = {
        {"removing a missing file", [] { return sys_remove("D:\\Conf\\missing.txt"); }, ENOENT},
        {"removing a directory", [] { return sys_remove("D:\\Conf\\Sub"); }, EACCES},
        {"removing no path", [] { return sys_remove(nullptr); }, EINVAL},
        {"renaming onto an existing file", [] { return sys_rename("D:\\Conf\\Data.TXT", "D:\\conf\\TARGET.TXT"); },
         EEXIST},
        {"renaming a missing file", [] { return sys_rename("D:\\Conf\\missing.txt", "D:\\Conf\\new.txt"); }, ENOENT},
        {"renaming into a missing folder", [] { return sys_rename("D:\\Conf\\Data.TXT", "D:\\NoDir\\new.txt"); },
         ENOENT},
        {"renaming to an unmounted drive", [] { return sys_rename("D:\\Conf\\Data.TXT", "Q:\\new.txt"); }, ENOENT},
        {"renaming to no target", [] { return sys_rename("D:\\Conf\\Data.TXT", nullptr); }, EINVAL},
        {"making a directory over a file", [] { return sys_make_directory("D:\\Conf\\Data.TXT"); }, EEXIST},
        {"making a directory in a missing parent", [] { return sys_make_directory("D:\\NoDir\\New"); }, ENOENT},
        {"making no directory", [] { return sys_make_directory(nullptr); }, EINVAL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        EXPECT_EQ(c.call(), -1);
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
    }
    EXPECT_EQ(listing("d"), (std::vector<std::string>{"Conf", "Conf/Data.TXT", "Conf/Sub", "Conf/Target.txt"}));
    EXPECT_EQ(read_bytes("d/Conf/Data.TXT"), "data");
    EXPECT_EQ(read_bytes("d/Conf/Target.txt"), "target");
}

}  // namespace
