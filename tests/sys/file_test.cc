#include "sys/sys_file.h"

#include "sys_test_support.h"

#include <cerrno>
#include <cstring>

namespace {

class SysFileOps : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        mount_drive('D', at("d"));
        write_bytes("d/Conf/Data.TXT", "data");
        make_entries({"d/Conf/Sub/"});
    }
};

TEST_F(SysFileOps, TellWhatExistsAndWhatIsADirectory) {
    struct Case {
        const char *path;
        int exists;
        int directory;
    };
    const Case cases[] = {
        {"D:\\Conf\\Data.TXT", 1, 0},
        {"D:\\conf\\data.txt", 1, 0},
        {"D:/CONF/DATA.txt", 1, 0},
        {"D:\\Conf", 1, 1},
        {"D:\\conf\\sub\\", 1, 1},
        {"D:\\", 1, 1},
        {"D:\\Conf\\missing.txt", 0, 0},
        {"D:\\Conf\\Data.TXT\\inner", 0, 0},
        {"Q:\\Conf\\Data.TXT", 0, 0},
        {"D:\\..\\d\\Conf\\Data.TXT", 0, 0},
        {nullptr, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path ? c.path : "NULL");
        EXPECT_EQ(sys_file_exists(c.path), c.exists);
        EXPECT_EQ(sys_is_directory(c.path), c.directory);
    }
}

TEST_F(SysFileOps, HostPathsWorkToo) {
    EXPECT_EQ(sys_file_exists(at("d/Conf/Data.TXT").c_str()), 1);
    EXPECT_EQ(sys_is_directory(at("d/Conf").c_str()), 1);
}

TEST_F(SysFileOps, RemoveDeletesTheFileFoundIgnoringCase) {
    ASSERT_EQ(sys_remove("D:\\conf\\DATA.txt"), 0);
    EXPECT_FALSE(exists("d/Conf/Data.TXT"));
}

TEST_F(SysFileOps, RemoveRefusesWhatIsNotARemovableFile) {
    struct Case {
        const char *what;
        const char *path;
        int error;
    };
    const Case cases[] = {
        {"a missing file", "D:\\Conf\\missing.txt", ENOENT},
        {"a directory", "D:\\Conf\\Sub", EISDIR},
        {"an unmounted drive", "Q:\\x.txt", ENOENT},
        {"no path", nullptr, EINVAL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        EXPECT_EQ(sys_remove(c.path), -1);
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
    }
    EXPECT_TRUE(exists("d/Conf/Sub"));
}

TEST_F(SysFileOps, RenameMovesAFile) {
    ASSERT_EQ(sys_rename("D:\\conf\\data.txt", "D:\\CONF\\sub\\moved.txt"), 0);
    EXPECT_FALSE(exists("d/Conf/Data.TXT"));
    EXPECT_EQ(read_bytes("d/Conf/Sub/moved.txt"), "data");
}

TEST_F(SysFileOps, RenameMovesADirectory) {
    ASSERT_EQ(sys_rename("D:\\Conf\\Sub", "D:\\Conf\\Other"), 0);
    EXPECT_TRUE(exists("d/Conf/Other"));
    EXPECT_FALSE(exists("d/Conf/Sub"));
}

TEST_F(SysFileOps, RenameChangesOnlyTheCaseOfAName) {
    ASSERT_EQ(sys_rename("D:\\Conf\\Data.TXT", "D:\\Conf\\data.txt"), 0);
    EXPECT_EQ(read_bytes("d/Conf/data.txt"), "data");
    EXPECT_FALSE(exists("d/Conf/Data.TXT"));
}

TEST_F(SysFileOps, RenameToItselfChangesNothing) {
    EXPECT_EQ(sys_rename("D:\\Conf\\Data.TXT", "D:\\Conf\\Data.TXT"), 0);
    EXPECT_EQ(read_bytes("d/Conf/Data.TXT"), "data");
}

TEST_F(SysFileOps, RenameKeepsAnExistingTargetAsWindowsDoes) {
    write_bytes("d/Conf/Target.txt", "target");
    errno = 0;
    EXPECT_EQ(sys_rename("D:\\Conf\\Data.TXT", "D:\\conf\\TARGET.TXT"), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(read_bytes("d/Conf/Data.TXT"), "data");
    EXPECT_EQ(read_bytes("d/Conf/Target.txt"), "target");
}

TEST_F(SysFileOps, RenameRefusesMissingOrUnmappedNames) {
    struct Case {
        const char *what;
        const char *from;
        const char *to;
        int error;
    };
    const Case cases[] = {
        {"a missing source", "D:\\Conf\\missing.txt", "D:\\Conf\\new.txt", ENOENT},
        {"a target in a missing folder", "D:\\Conf\\Data.TXT", "D:\\NoDir\\new.txt", ENOENT},
        {"a source on an unmounted drive", "Q:\\x.txt", "D:\\new.txt", ENOENT},
        {"a target on an unmounted drive", "D:\\Conf\\Data.TXT", "Q:\\new.txt", ENOENT},
        {"no source", nullptr, "D:\\new.txt", EINVAL},
        {"no target", "D:\\Conf\\Data.TXT", nullptr, EINVAL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        EXPECT_EQ(sys_rename(c.from, c.to), -1);
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
    }
    EXPECT_EQ(read_bytes("d/Conf/Data.TXT"), "data");
}

TEST_F(SysFileOps, MakeDirectoryCreatesOneLevel) {
    ASSERT_EQ(sys_make_directory("D:\\conf\\New"), 0);
    EXPECT_TRUE(exists("d/Conf/New"));
    EXPECT_EQ(sys_is_directory("D:\\Conf\\new"), 1);
}

TEST_F(SysFileOps, MakeDirectoryAcceptsADirectoryAlreadyThere) {
    EXPECT_EQ(sys_make_directory("D:\\Conf\\Sub"), 0);
    EXPECT_EQ(sys_make_directory("D:\\conf\\SUB"), 0);
    EXPECT_FALSE(exists("d/Conf/SUB"));
}

TEST_F(SysFileOps, MakeDirectoryRefusesWhatItCannotMake) {
    struct Case {
        const char *what;
        const char *path;
        int error;
    };
    const Case cases[] = {
        {"a file in the way", "D:\\Conf\\Data.TXT", EEXIST},
        {"a missing parent", "D:\\NoDir\\New", ENOENT},
        {"an unmounted drive", "Q:\\New", ENOENT},
        {"no path", nullptr, EINVAL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        EXPECT_EQ(sys_make_directory(c.path), -1);
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
    }
}

}  // namespace
