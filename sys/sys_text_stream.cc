// Text-mode streams on POSIX, translating line ends as the Windows C runtime does.
//
// Positioning: ftell reports the position in translated bytes. fseek rescans the file from
// its start to find a translated position, so it costs a read of the file up to there, and
// a stream opened for writing only can go back to its start but nowhere else.
#ifndef _WIN32

#include "sys/sys_internal.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <new>

#include <sys/types.h>

namespace sys_detail {

namespace {

struct TextFile {
    FILE *raw;
    bool readable;
    off64_t pos;     // in translated bytes, as the caller counts
    bool reading;    // last operation on raw was a read
};

ssize_t text_read(void *cookie, char *buf, size_t size) {
    TextFile *f = static_cast<TextFile *>(cookie);
    size_t n = std::fread(buf, 1, size, f->raw);
    if (n == 0) return std::ferror(f->raw) ? -1 : 0;
    f->reading = true;
    size_t out = 0;
    for (size_t i = 0; i < n; ++i) {
        if (buf[i] == '\r') {
            if (i + 1 < n) {
                if (buf[i + 1] == '\n') continue;
            } else {
                // The CR ends this chunk: its fate depends on the next byte of the file.
                int next = std::getc(f->raw);
                if (next == '\n') {
                    buf[out++] = '\n';
                    break;
                }
                if (next != EOF) std::ungetc(next, f->raw);
            }
        }
        buf[out++] = buf[i];
    }
    f->pos += static_cast<off64_t>(out);
    return static_cast<ssize_t>(out);
}

ssize_t text_write(void *cookie, const char *buf, size_t size) {
    TextFile *f = static_cast<TextFile *>(cookie);
    // C requires a positioning call between reading and writing the same FILE.
    if (f->reading && std::fseek(f->raw, 0, SEEK_CUR) != 0) return 0;
    f->reading = false;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (buf[i] != '\n') continue;
        if (std::fwrite(buf + start, 1, i - start, f->raw) != i - start ||
            std::fwrite("\r\n", 1, 2, f->raw) != 2)
            return 0;
        start = i + 1;
    }
    if (std::fwrite(buf + start, 1, size - start, f->raw) != size - start) return 0;
    // Pass the bytes on now, so that fflush on the text stream reaches the file.
    if (std::fflush(f->raw) != 0) return 0;
    f->pos += static_cast<off64_t>(size);
    return static_cast<ssize_t>(size);
}

bool rewind_raw(TextFile *f) {
    if (std::fflush(f->raw) != 0 || fseeko(f->raw, 0, SEEK_SET) != 0) return false;
    f->pos = 0;
    f->reading = false;
    return true;
}

// Reads forward until pos reaches target or the end of the file.
bool skip_to(TextFile *f, off64_t target) {
    char buf[4096];
    while (f->pos < target) {
        off64_t left = target - f->pos;
        size_t want = left < static_cast<off64_t>(sizeof buf) ? static_cast<size_t>(left) : sizeof buf;
        ssize_t got = text_read(f, buf, want);
        if (got < 0) return false;
        if (got == 0) break;
    }
    return true;
}

int text_seek(void *cookie, off64_t *offset, int whence) {
    TextFile *f = static_cast<TextFile *>(cookie);
    off64_t target;
    switch (whence) {
    case SEEK_SET:
        target = *offset;
        break;
    case SEEK_CUR:
        target = f->pos + *offset;
        break;
    case SEEK_END:
        if (!f->readable) {
            errno = EINVAL;
            return -1;
        }
        if (!rewind_raw(f) || !skip_to(f, INT64_MAX)) return -1;
        target = f->pos + *offset;
        break;
    default:
        errno = EINVAL;
        return -1;
    }
    if (target < 0 || (target != 0 && target != f->pos && !f->readable)) {
        errno = EINVAL;
        return -1;
    }
    if (target != f->pos) {
        if (target < f->pos && !rewind_raw(f)) return -1;
        if (!skip_to(f, target)) return -1;
    }
    *offset = f->pos;
    return 0;
}

int text_close(void *cookie) {
    TextFile *f = static_cast<TextFile *>(cookie);
    int rc = std::fclose(f->raw);
    delete f;
    return rc == 0 ? 0 : -1;
}

}  // namespace

FILE *open_text_stream(const std::string &host_path, char access, bool update, bool exclusive) {
    std::string mode(1, access);
    if (update) mode += '+';
    std::string raw_mode = mode + "b";
    if (exclusive) raw_mode += 'x';
    raw_mode += 'e';

    FILE *raw = std::fopen(host_path.c_str(), raw_mode.c_str());
    if (!raw) return nullptr;
    TextFile *f = new (std::nothrow) TextFile{raw, access == 'r' || update, 0, false};
    if (!f) {
        std::fclose(raw);
        errno = ENOMEM;
        return nullptr;
    }
    cookie_io_functions_t io = {text_read, text_write, text_seek, text_close};
    FILE *stream = fopencookie(f, mode.c_str(), io);
    if (!stream) {
        int saved = errno;
        std::fclose(raw);
        delete f;
        errno = saved;
    }
    return stream;
}

}  // namespace sys_detail

#endif
