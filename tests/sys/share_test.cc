// What the POSIX emulation adds for shares and failures: network paths reached through mounts,
// folders the user may only read, and failures made to order (a refused call, a full disk).
#include "sys/sys_faults.h"
#include "sys/sys_file.h"
#include "sys/sys_path.h"

#include "sys_test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

#ifndef _WIN32

class SysShares : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        sys_fault_reset();
        make_entries({"share/", "d/ro/"});
        write_bytes("share/in.txt", "shared");
        write_bytes("d/ro/kept.txt", "kept");
        set_env("NXHOST_MOUNTS", "\\\\srv\\tasks=" + at("share"));
    }
    void TearDown() override {
        sys_fault_reset();
        SysTest::TearDown();
    }
    static int write_text(const char *path, const char *text, const char *mode = "wb") {
        std::FILE *f = sys_fopen(path, mode);
        if (!f) return -1;
        const bool written = std::fputs(text, f) >= 0;
        return std::fclose(f) == 0 && written ? 0 : -1;
    }
};

TEST_F(SysShares, NetworkPathsLeadWhereTheirShareIsMounted) {
    struct Case { const char *path; std::string expected; } cases[] = {
        {"\\\\srv\\tasks\\in.txt", at("share/in.txt")},
        {"\\\\SRV\\Tasks\\IN.TXT", at("share/in.txt")},
        {"//srv/tasks/sub dir/a b.prt", at("share/sub dir/a b.prt")},
        {"\\\\srv\\tasks", at("share")},
        {"\\\\srv\\other\\in.txt", ""},
        {"\\\\other\\tasks\\in.txt", ""},
        {"\\\\srv\\tasks\\..\\in.txt", ""},
        {"\\\\srv", ""},
        {"\\\\", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(sys_native_path(c.path), c.expected);
    }
    EXPECT_EQ(write_text("\\\\srv\\tasks\\new.txt", "new"), 0);
    EXPECT_EQ(read_bytes("share/new.txt"), "new");
    errno = 0;
    EXPECT_EQ(sys_fopen("\\\\srv\\elsewhere\\new.txt", "wb"), nullptr) << "an unmounted share is out of reach";
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(SysShares, ReadOnlyFoldersRefuseEveryWriteAndStillRead) {
    set_env("NXHOST_READONLY", "D:\\RO|\\\\srv\\tasks");
    struct Case { const char *what; std::function<int()> call; } cases[] = {
        {"create a file", [] { return write_text("D:\\ro\\new.txt", "x"); }},
        {"rewrite a file", [] { return write_text("D:\\ro\\kept.txt", "x"); }},
        {"append to a file", [] { return write_text("D:\\ro\\kept.txt", "x", "a"); }},
        {"update a file", [] { return write_text("D:\\ro\\kept.txt", "x", "r+b"); }},
        {"remove a file", [] { return sys_remove("D:\\ro\\kept.txt"); }},
        {"rename inside", [] { return sys_rename("D:\\ro\\kept.txt", "D:\\ro\\moved.txt"); }},
        {"move a file in", [] { return sys_rename("D:\\outside.txt", "D:\\ro\\in.txt"); }},
        {"move a file out", [] { return sys_rename("D:\\ro\\kept.txt", "D:\\out.txt"); }},
        {"make a folder", [] { return sys_make_directory("D:\\ro\\sub"); }},
        {"write on a read-only share", [] { return write_text("\\\\srv\\tasks\\x.txt", "x"); }},
    };
    write_bytes("d/outside.txt", "outside");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        EXPECT_EQ(c.call(), -1);
        EXPECT_EQ(errno, EACCES) << std::strerror(errno);
    }
    EXPECT_EQ(read_bytes("d/ro/kept.txt"), "kept");
    EXPECT_EQ(read_bytes("d/outside.txt"), "outside");
    EXPECT_FALSE(std::filesystem::exists(at("d/ro/new.txt")));
    std::FILE *in = sys_fopen("D:\\ro\\kept.txt", "rb");
    ASSERT_NE(in, nullptr) << "reading stays allowed";
    std::fclose(in);
    EXPECT_EQ(sys_read_only_path("d:\\Ro\\kept.txt"), 1);
    EXPECT_EQ(sys_read_only_path("D:\\rope\\x.txt"), 0) << "whole components only";
    EXPECT_EQ(write_text("D:\\rope.txt", "x"), 0);
}

TEST_F(SysShares, TheNthFileCallFailsOnceAsARefusingShareWould) {
    const std::function<int()> calls[] = {
        [] { return write_text("D:\\a.txt", "a"); },
        [] { return sys_rename("D:\\a.txt", "D:\\b.txt"); },
        [] { return sys_make_directory("D:\\sub"); },
        [] { return sys_remove("D:\\b.txt"); },
    };
    for (long n = 1; n <= 4; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " fails");
        std::filesystem::remove_all(at("d/sub"));
        std::filesystem::remove(at("d/a.txt"));
        std::filesystem::remove(at("d/b.txt"));
        sys_fault_reset();
        sys_fault_fail_call(n);
        for (long i = 1; i <= 4; ++i) {
            errno = 0;
            const int rc = calls[i - 1]();
            if (i == n) {
                EXPECT_EQ(rc, -1) << "call " << i;
                EXPECT_EQ(errno, EACCES);
                if (i < 4) break;  // the calls after it need what it would have made
            } else {
                EXPECT_EQ(rc, 0) << "call " << i << ": " << std::strerror(errno);
            }
        }
        EXPECT_EQ(sys_fault_calls_failed(), 1);
        EXPECT_EQ(sys_fault_calls_made(), n);
    }
}

TEST_F(SysShares, TheNextCallOnAPathFailsOnceWhateverItsCase) {
    write_bytes("d/a.txt", "a");
    write_bytes("d/b.txt", "b");
    sys_fault_fail_path("d:\\A.TXT");
    std::FILE *other = sys_fopen("D:\\b.txt", "rb");
    EXPECT_NE(other, nullptr) << "another path";
    if (other) std::fclose(other);
    errno = 0;
    EXPECT_EQ(sys_rename("D:\\a.txt", "D:\\c.txt"), -1) << "a rename fails by its source";
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(sys_rename("D:\\a.txt", "D:\\c.txt"), 0) << "only once";
    sys_fault_fail_path("D:\\d.txt");
    EXPECT_EQ(sys_rename("D:\\c.txt", "D:\\d.txt"), 0) << "a rename's target does not count";
    EXPECT_EQ(sys_fopen("D:\\d.txt", "rb"), nullptr);
    EXPECT_EQ(read_bytes("d/d.txt"), "a");
    EXPECT_EQ(sys_fault_calls_failed(), 2);
}

TEST_F(SysShares, AFullDiskKeepsWhatFitsAndFailsTheWrite) {
    const std::string big(10000, 'x');
    struct Case { long space; bool whole; std::size_t kept; } cases[] = {
        {-1, true, big.size()}, {20000, true, big.size()}, {10000, true, big.size()}, {9999, false, 9999},
        {100, false, 100}, {0, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("free bytes " + std::to_string(c.space));
        sys_fault_reset();
        sys_fault_disk_space(c.space);
        EXPECT_EQ(write_text("D:\\big.bin", big.c_str()) == 0, c.whole);
        EXPECT_EQ(read_bytes("d/big.bin").size(), c.kept);
    }
    sys_fault_disk_space(5);
    EXPECT_EQ(write_text("D:\\text.txt", "a long text", "w"), 0) << "text streams are not limited";
}

#endif

}  // namespace
