#include "sys/sys_file.h"

#include "sys_test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

class SysTextStream : public systest::SysTest {
protected:
    // The whole file as fgetc ('c'), fgets ('s') or fread ('r') sees it through a stream of this mode.
    static std::string read_all(const char *path, const char *mode, char how) {
        FILE *f = sys_fopen(path, mode);
        if (!f) return "<cannot open>";
        std::string out;
        char buf[3000];
        if (how == 'c') for (int c; (c = std::fgetc(f)) != EOF;) out += static_cast<char>(c);
        if (how == 's') while (std::fgets(buf, 100, f)) out += buf;
        if (how == 'r') for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
        std::fclose(f);
        return out;
    }
};

TEST_F(SysTextStream, ReadsAsTheWindowsRuntimeDoesWithFgetcFgetsAndFread) {
    struct Case { std::string what, bytes, text; };
    std::vector<Case> cases = {
        {"CR LF reads as LF", "one\r\ntwo\r\n", "one\ntwo\n"},
        {"a lone CR stays, also at the end", "one\rtwo\r", "one\rtwo\r"},
        {"of CR CR LF only the CR before LF goes", "a\r\r\nb", "a\r\nb"},
        {"LF CR stays as it is", "a\n\rb", "a\n\rb"},
        {"an empty file reads empty", "", ""},
        {"NUL bytes pass", std::string("a\0b\r\n", 5), std::string("a\0b\n", 4)},
        {"a Ctrl-Z ends the text", "one\r\n\x1atwo\r\n", "one\n"},
        {"a Ctrl-Z right after a CR", "one\r\x1a\n", "one\r"},
    };
    // The CR at the end of one underlying read, what follows it in the next.
    for (size_t at : {4095u, 4096u, 4097u, 8191u, 8192u, 8193u, 12287u}) {
        const std::string before(at - 1, 'a'), after(10, 'b'), where = " at offset " + std::to_string(at);
        cases.push_back({"CR LF" + where, before + "\r\n" + after, before + "\n" + after});
        cases.push_back({"lone CR" + where, before + "\rx" + after, before + "\rx" + after});
        cases.push_back({"CR as last byte" + where, before + "\r", before + "\r"});
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write_bytes("d/in.txt", c.bytes);
        EXPECT_EQ(read_all("D:\\in.txt", "r", 'c'), c.text);
        // fgets cannot tell a NUL byte from the end of the line.
        if (c.text.find('\0') == std::string::npos) {
            EXPECT_EQ(read_all("D:\\in.txt", "rt", 's'), c.text);
        }
        EXPECT_EQ(read_all("D:\\in.txt", "r", 'r'), c.text);
    }
}

TEST_F(SysTextStream, WritesLineFeedsAsCrLfAndBinaryModeLeavesBytesAlone) {
    std::string many_crlf;
    for (int i = 0; i < 10000; ++i) many_crlf += "\r\n";
    struct Case { const char *what, *mode; std::string before, text, bytes; } cases[] = {
        {"LF becomes CR LF, a lone CR stays", "w", "", "one\ntwo\rthree\n", "one\r\ntwo\rthree\r\n"},
        {"CR LF written gains a CR", "wt", "", "a\r\n", "a\r\r\n"},
        {"writing truncates", "w", "old content\r\n", "new\n", "new\r\n"},
        {"appending keeps what was there", "a", "old\r\n", "more\n", "old\r\nmore\r\n"},
        {"a long text is translated throughout", "w", "", std::string(10000, '\n'), many_crlf},
        {"binary mode", "wb", "", "a\nb\r\n", "a\nb\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write_bytes("d/out.txt", c.before);
        FILE *f = sys_fopen("D:\\out.txt", c.mode);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(std::fwrite(c.text.data(), 1, c.text.size(), f), c.text.size());
        EXPECT_EQ(std::fclose(f), 0);
        EXPECT_EQ(read_bytes("d/out.txt"), c.bytes);
    }
    write_bytes("d/in.bin", "a\r\nb\rc\n");
    EXPECT_EQ(read_all("D:\\in.bin", "rb", 'r'), "a\r\nb\rc\n");
}

// Positions count the file's bytes, a line end as the CR LF it is there.
TEST_F(SysTextStream, ReadsBackWhatItWroteAndSeeksToFilePositions) {
    FILE *f = sys_fopen("D:\\rw.txt", "w+");
    ASSERT_NE(f, nullptr);
    std::fputs("one\ntwo\nthree\n", f);
    EXPECT_EQ(std::ftell(f), 17) << "line feeds not yet written count as CR LF";
    std::rewind(f);
    char line[20];
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "one\n");
    const long second = std::ftell(f);
    EXPECT_EQ(second, 5);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    ASSERT_EQ(std::fseek(f, second, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "two\n");
    ASSERT_EQ(std::fseek(f, 4, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "\n") << "a position between CR and LF reads the LF";
    ASSERT_EQ(std::fseek(f, -7, SEEK_END), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "three\n");
    EXPECT_EQ(std::ftell(f), 17);
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/rw.txt"), "one\r\ntwo\r\nthree\r\n");
}

// Lines of many lengths, so that line ends fall on every side of the stream's buffers: after
// each line ftell gives the file offset of the next, and fseek to it reads that line again.
// (Windows counts every buffered line feed as CR LF, so its ftell is exact only when all
// line ends are CR LF.)
TEST_F(SysTextStream, FtellAndFseekAgreeWithTheFileAcrossBuffers) {
    std::string bytes;
    std::vector<std::string> lines;
    std::vector<long> starts;
    for (int i = 0; i < 700; ++i) {
        lines.push_back(std::string(static_cast<size_t>(i * 7 % 23), static_cast<char>('a' + i % 26)) + "\n");
        starts.push_back(static_cast<long>(bytes.size()));
        bytes += lines.back().substr(0, lines.back().size() - 1) + "\r\n";
    }
    write_bytes("d/lines.txt", bytes);
    FILE *f = sys_fopen("D:\\lines.txt", "r");
    ASSERT_NE(f, nullptr);
    char line[40];
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_NE(std::fgets(line, sizeof line, f), nullptr) << "line " << i;
        ASSERT_EQ(line, lines[i]) << "line " << i;
        ASSERT_EQ(std::ftell(f), i + 1 < lines.size() ? starts[i + 1] : static_cast<long>(bytes.size())) << "after line " << i;
    }
    for (size_t i : {699u, 0u, 350u, 1u, 512u}) {
        ASSERT_EQ(std::fseek(f, starts[i], SEEK_SET), 0);
        ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
        EXPECT_EQ(line, lines[i]) << "line " << i << " again";
    }
    ASSERT_EQ(std::fseek(f, starts[3], SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(f), lines[3][0]);
    EXPECT_EQ(std::ftell(f), starts[3] + 1) << "in the middle of a buffered chunk";
    std::fclose(f);
}

TEST_F(SysTextStream, TranslatesEveryWayOfWritingAndSeeksAnywhere) {
    FILE *f = sys_fopen("D:\\out.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("abc\n", f);
    std::fputc('\n', f);
    std::fprintf(f, "%d\n", 7);
    std::fflush(f);
    EXPECT_EQ(read_bytes("d/out.txt"), "abc\r\n\r\n7\r\n") << "flushed before closing";
    EXPECT_EQ(std::ftell(f), 10);
    ASSERT_EQ(std::fseek(f, 2, SEEK_SET), 0);
    std::fputs("X\n", f);
    std::fclose(f);
    EXPECT_EQ(read_bytes("d/out.txt"), "abX\r\n\r\n7\r\n");
}

#ifndef _WIN32
TEST_F(SysTextStream, AWriteErrorIsReported) {
    FILE *probe = std::fopen("/dev/full", "w");
    if (!probe) GTEST_SKIP() << "no /dev/full to fail writes";
    std::fclose(probe);
    FILE *f = sys_fopen("/dev/full", "w");
    ASSERT_NE(f, nullptr);
    // By the write itself or, at the latest, when the stream is closed.
    const bool write_failed = std::fputs("lost\n", f) == EOF;
    const bool close_failed = std::fclose(f) != 0;
    EXPECT_TRUE(write_failed || close_failed);
}
#endif

TEST_F(SysTextStream, RefusesWhatCannotBeOpened) {
    make_entries({"d/folder/", "d/x.txt"});
    struct Case { const char *what, *path, *mode; int error; } cases[] = {
        {"a missing file", "D:\\missing.txt", "r", ENOENT},
        {"a file on an unmounted drive", "Q:\\x.txt", "w", ENOENT},
        {"a directory", "D:\\folder", "r", EACCES},
        {"a bad mode", "D:\\x.txt", "q", EINVAL},
        {"no mode", "D:\\x.txt", nullptr, EINVAL},
        {"no path", nullptr, "r", EINVAL},
        {"an existing file opened exclusively", "D:\\folder\\..\\x.txt", "wx", EEXIST},
    };
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
