#include "sys/sys_file.h"

#include "sys_test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

class SysTextStream : public systest::SysTest {
protected:
    void SetUp() override {
        SysTest::SetUp();
        mount_drive('D', at("d"));
    }

    // The whole file as fgetc, fgets and fread each see it through a text-mode stream.
    std::string read_with_fgetc(const char *path) {
        FILE *f = sys_fopen(path, "r");
        if (!f) return "<cannot open>";
        std::string out;
        for (int c; (c = std::fgetc(f)) != EOF;) out += static_cast<char>(c);
        std::fclose(f);
        return out;
    }
    std::string read_with_fgets(const char *path) {
        FILE *f = sys_fopen(path, "rt");
        if (!f) return "<cannot open>";
        std::string out;
        char line[100];
        while (std::fgets(line, sizeof line, f)) out += line;
        std::fclose(f);
        return out;
    }
    std::string read_with_fread(const char *path) {
        FILE *f = sys_fopen(path, "r");
        if (!f) return "<cannot open>";
        std::string out;
        char block[3000];
        for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) out.append(block, n);
        std::fclose(f);
        return out;
    }
};

std::string filler(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

struct ReadCase {
    std::string what;
    std::string bytes;
    std::string text;
};

std::vector<ReadCase> read_cases() {
    std::vector<ReadCase> cases = {
        {"CR LF reads as LF", "one\r\ntwo\r\n", "one\ntwo\n"},
        {"a lone LF stays", "one\ntwo", "one\ntwo"},
        {"a lone CR stays", "one\rtwo\r", "one\rtwo\r"},
        {"of CR CR LF only the CR before LF goes", "a\r\r\nb", "a\r\nb"},
        {"LF CR stays as it is", "a\n\rb", "a\n\rb"},
        {"an empty file reads empty", "", ""},
        {"a CR alone in the file stays", "\r", "\r"},
        {"NUL bytes pass", std::string("a\0b\r\n", 5), std::string("a\0b\n", 4)},
    };
    // The CR of a CR LF pair at the end of one underlying read, the LF in the next.
    for (size_t at : {4095u, 4096u, 4097u, 8191u, 8192u, 8193u, 12287u}) {
        cases.push_back({"CR LF across offset " + std::to_string(at), filler(at - 1) + "\r\n" + filler(10),
                         filler(at - 1) + "\n" + filler(10)});
        cases.push_back({"lone CR across offset " + std::to_string(at), filler(at - 1) + "\rx" + filler(10),
                         filler(at - 1) + "\rx" + filler(10)});
        cases.push_back({"CR as last byte at offset " + std::to_string(at), filler(at - 1) + "\r",
                         filler(at - 1) + "\r"});
    }
    std::string many_bytes;
    std::string many_text;
    for (int i = 0; i < 20000; ++i) {
        many_bytes += "line " + std::to_string(i) + "\r\n";
        many_text += "line " + std::to_string(i) + "\n";
    }
    cases.push_back({"many CR LF lines", many_bytes, many_text});
    return cases;
}

TEST_F(SysTextStream, ReadsAsTheWindowsRuntimeDoesWithFgetcFgetsAndFread) {
    for (const ReadCase &c : read_cases()) {
        SCOPED_TRACE(c.what);
        write_bytes("d/in.txt", c.bytes);
        EXPECT_EQ(read_with_fgetc("D:\\in.txt"), c.text);
        // fgets cannot tell a NUL byte from the end of the line.
        if (c.text.find('\0') == std::string::npos) {
            EXPECT_EQ(read_with_fgets("D:\\in.txt"), c.text);
        }
        EXPECT_EQ(read_with_fread("D:\\in.txt"), c.text);
    }
}

struct WriteCase {
    const char *what;
    const char *mode;
    std::string before;  // file content before opening
    std::string text;
    std::string bytes;
};

TEST_F(SysTextStream, WritesLineFeedsAsCrLf) {
    const WriteCase cases[] = {
        {"LF becomes CR LF", "w", "", "one\ntwo\n", "one\r\ntwo\r\n"},
        {"a lone CR stays", "w", "", "a\rb", "a\rb"},
        {"CR LF written gains a CR", "wt", "", "a\r\n", "a\r\r\n"},
        {"writing truncates", "w", "old content\r\n", "new\n", "new\r\n"},
        {"appending keeps what was there", "a", "old\r\n", "more\n", "old\r\nmore\r\n"},
        {"a long text is translated throughout", "w", "", std::string(10000, '\n'),
         [] {
             std::string s;
             for (int i = 0; i < 10000; ++i) s += "\r\n";
             return s;
         }()},
    };
    for (const WriteCase &c : cases) {
        SCOPED_TRACE(c.what);
        write_bytes("d/out.txt", c.before);
        FILE *f = sys_fopen("D:\\out.txt", c.mode);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(std::fwrite(c.text.data(), 1, c.text.size(), f), c.text.size());
        EXPECT_EQ(std::fclose(f), 0);
        EXPECT_EQ(read_bytes("d/out.txt"), c.bytes);
    }
}

TEST_F(SysTextStream, TranslatesEveryWayOfWriting) {
    FILE *f = sys_fopen("D:\\out.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("a\n", f);
    std::fputc('\n', f);
    std::fprintf(f, "%d\n", 7);
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/out.txt"), "a\r\n\r\n7\r\n");
}

TEST_F(SysTextStream, FlushReachesTheFileBeforeClosing) {
    FILE *f = sys_fopen("D:\\out.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("x\n", f);
    std::fflush(f);
    EXPECT_EQ(read_bytes("d/out.txt"), "x\r\n");
    std::fclose(f);
}

TEST_F(SysTextStream, BinaryModeLeavesBytesAlone) {
    write_bytes("d/in.bin", "a\r\nb\rc\n");
    FILE *f = sys_fopen("D:\\in.bin", "rb");
    ASSERT_NE(f, nullptr);
    char buf[32];
    size_t n = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
    EXPECT_EQ(std::string(buf, n), "a\r\nb\rc\n");

    f = sys_fopen("D:\\out.bin", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("a\nb\r\n", f);
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/out.bin"), "a\nb\r\n");
}

TEST_F(SysTextStream, ReadsBackWhatItWroteInUpdateMode) {
    FILE *f = sys_fopen("D:\\rw.txt", "w+");
    ASSERT_NE(f, nullptr);
    std::fputs("one\ntwo\n", f);
    std::rewind(f);
    char line[20];
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "one\n");
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/rw.txt"), "one\r\ntwo\r\n");
}

TEST_F(SysTextStream, TellsAndSeeksInTranslatedPositions) {
    write_bytes("d/in.txt", "one\r\ntwo\r\nthree\r\n");
    FILE *f = sys_fopen("D:\\in.txt", "r");
    ASSERT_NE(f, nullptr);
    char line[20];
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    long after_first = std::ftell(f);
    EXPECT_EQ(after_first, 4);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "two\n");

    ASSERT_EQ(std::fseek(f, after_first, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "two\n");

    ASSERT_EQ(std::fseek(f, -6, SEEK_END), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "three\n");
    EXPECT_EQ(std::ftell(f), 14);

    std::rewind(f);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "one\n");
    std::fclose(f);
}

TEST_F(SysTextStream, AWriteOnlyStreamCanGoBackToItsStartOnly) {
    FILE *f = sys_fopen("D:\\out.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("abcdef\n", f);
    EXPECT_NE(std::fseek(f, 2, SEEK_SET), 0);
    ASSERT_EQ(std::fseek(f, 0, SEEK_SET), 0);
    std::fputs("X\n", f);
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/out.txt"), "X\r\ndef\r\n");
}

TEST_F(SysTextStream, AWriteErrorIsReported) {
    FILE *probe = std::fopen("/dev/full", "w");
    if (!probe) GTEST_SKIP() << "no /dev/full to fail writes";
    std::fclose(probe);
    FILE *f = sys_fopen("/dev/full", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("lost\n", f);
    EXPECT_NE(std::fclose(f), 0);
}

TEST_F(SysTextStream, RefusesWhatCannotBeOpened) {
    struct Case {
        const char *what;
        const char *path;
        const char *mode;
        int error;
    };
    make_entries({"d/folder/"});
    const Case cases[] = {
        {"a missing file", "D:\\missing.txt", "r", ENOENT},
        {"a file on an unmounted drive", "Q:\\x.txt", "w", ENOENT},
        {"a directory", "D:\\folder", "r", EISDIR},
        {"a bad mode", "D:\\x.txt", "q", EINVAL},
        {"an empty mode", "D:\\x.txt", "", EINVAL},
        {"no mode", "D:\\x.txt", nullptr, EINVAL},
        {"no path", nullptr, "r", EINVAL},
        {"an existing file opened exclusively", "D:\\folder\\..\\x.txt", "wx", EEXIST},
    };
    write_bytes("d/x.txt", "x");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        errno = 0;
        FILE *f = sys_fopen(c.path, c.mode);
        EXPECT_EQ(f, nullptr);
        if (f) std::fclose(f);
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
    }
}

}  // namespace
