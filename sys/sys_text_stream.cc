// Text-mode streams on POSIX, translating as the Windows C runtime does: CR LF reads as LF, LF
// writes as CR LF, and a Ctrl-Z ends the text on reading.
//
// Positions are those of the file's bytes, as on Windows: ftell counts a CR LF as two, and
// fseek goes to a byte of the file. The stream hands the text to stdio in chunks and remembers
// where each line feed of the last chunk came from; stdio's count of what it has not yet passed
// on (the glibc buffer pointers) then gives the file position of the next character.
//
// glibc's fseek goes to the buffer-sized block below the target and reads on up to it, counting
// text bytes as file bytes. The stream refuses that one read; glibc then moves the rest of the
// way with a seek from the block, which comes here and lands exactly.
#ifndef _WIN32

#include "sys/sys_internal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

#include <sys/types.h>

#ifndef __GLIBC__
#error "the text-mode emulation reads glibc's stream buffer to report file positions"
#endif

namespace sys_detail {

namespace {

const char CTRL_Z = '\x1a';
const off64_t NO_OFFSET = -1;  // glibc's mark for "offset unknown"

struct TextFile {
    FILE *raw = nullptr;     // the file, in binary mode
    FILE *stream = nullptr;  // the text stream over it
    bool reading = false;    // the last operation on raw was a read
    bool at_ctrl_z = false;  // a Ctrl-Z ended the text; reads give end of file until a seek
    off64_t raw_pos = 0;     // where raw stands; kept here, as asking raw costs a system call
    bool after_set_seek = false;   // the last call was a seek to an offset from the start
    bool refused_block_read = false;  // glibc's read up to a seek target was refused
    // The last chunk handed to stdio: file offset of its first byte, its size in text bytes,
    // and the indices of its line feeds that were read as CR LF.
    off64_t chunk_start = 0;
    size_t chunk_size = 0;
    std::vector<size_t> joined;
};

// File offset of the text byte at index i of the last chunk.
off64_t file_offset_in_chunk(const TextFile *f, size_t i) {
    size_t crs_before = static_cast<size_t>(std::lower_bound(f->joined.begin(), f->joined.end(), i) - f->joined.begin());
    return f->chunk_start + static_cast<off64_t>(i + crs_before);
}

void start_chunk(TextFile *f, off64_t at) {
    f->chunk_start = at;
    f->chunk_size = 0;
    f->joined.clear();
}

// stdio counts its own offset in text bytes; keep it from doing so, so that every position
// question comes to text_seek.
void forget_stdio_offset(TextFile *f) {
    if (f->stream) f->stream->_offset = NO_OFFSET;
}

// True for the read with which glibc's fseek fills the way from a block boundary to its target:
// it asks for less than a buffer, or asks while its buffer still holds text from before the seek
// (an ordinary refill empties the buffer first).
bool is_read_up_to_seek_target(TextFile *f, size_t size) {
    if (!f->after_set_seek) return false;
    f->after_set_seek = false;
    const FILE *s = f->stream;
    return size < static_cast<size_t>(s->_IO_buf_end - s->_IO_buf_base) || s->_IO_read_base != s->_IO_read_end;
}

ssize_t text_read(void *cookie, char *buf, size_t size) {
    TextFile *f = static_cast<TextFile *>(cookie);
    forget_stdio_offset(f);
    if (is_read_up_to_seek_target(f, size)) {
        f->refused_block_read = true;
        return -1;
    }
    const off64_t start = f->raw_pos;
    start_chunk(f, start);
    if (f->at_ctrl_z) return 0;
    size_t n = std::fread(buf, 1, size, f->raw);
    if (n == 0) return std::ferror(f->raw) ? -1 : 0;
    f->reading = true;
    size_t out = 0, consumed = n;
    for (size_t i = 0; i < n; ++i) {
        if (buf[i] == CTRL_Z) {
            // The file stays positioned at the Ctrl-Z, as Windows leaves it.
            f->at_ctrl_z = true;
            consumed = i;
            if (fseeko(f->raw, start + static_cast<off64_t>(i), SEEK_SET) != 0) return -1;
            break;
        }
        if (buf[i] == '\r') {
            if (i + 1 < n) {
                if (buf[i + 1] == '\n') {
                    f->joined.push_back(out);
                    buf[out++] = '\n';
                    ++i;
                    continue;
                }
            } else {
                // The CR ends this read: its fate depends on the next byte of the file.
                int next = std::getc(f->raw);
                if (next == '\n') {
                    f->joined.push_back(out);
                    buf[out++] = '\n';
                    ++consumed;
                    break;
                }
                if (next != EOF) std::ungetc(next, f->raw);
            }
        }
        buf[out++] = buf[i];
    }
    f->raw_pos = start + static_cast<off64_t>(consumed);
    f->chunk_size = out;
    return static_cast<ssize_t>(out);
}

ssize_t text_write(void *cookie, const char *buf, size_t size) {
    TextFile *f = static_cast<TextFile *>(cookie);
    forget_stdio_offset(f);
    f->after_set_seek = false;
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
    f->raw_pos = ftello(f->raw);  // appending writes at the end, wherever raw stood
    start_chunk(f, f->raw_pos);
    return static_cast<ssize_t>(size);
}

// Where the caller stands in the file, as stdio wants to hear it: stdio subtracts the text
// bytes it holds unread and adds those it holds unwritten, so the answer adds back the file
// bytes behind them (a CR LF for each unwritten line feed).
off64_t position_for_stdio(const TextFile *f) {
    // After a refused read stdio's buffer is stale; it is about to move on from the block.
    if (f->refused_block_read) return f->raw_pos;
    const FILE *s = f->stream;
    size_t unread = s->_IO_read_ptr < s->_IO_read_end ? static_cast<size_t>(s->_IO_read_end - s->_IO_read_ptr) : 0;
    unread = std::min(unread, f->chunk_size);
    off64_t here = unread > 0 ? file_offset_in_chunk(f, f->chunk_size - unread) + static_cast<off64_t>(unread)
                              : f->raw_pos;
    if (s->_IO_write_ptr > s->_IO_write_base)
        here += static_cast<off64_t>(std::count(s->_IO_write_base, s->_IO_write_ptr, '\n'));
    return here;
}

int text_seek(void *cookie, off64_t *offset, int whence) {
    TextFile *f = static_cast<TextFile *>(cookie);
    off64_t target;
    switch (whence) {
    case SEEK_SET:
        target = *offset;
        break;
    case SEEK_CUR:
        if (*offset == 0) {
            // A question (ftell), not a move: the file stays where the last chunk left it.
            *offset = position_for_stdio(f);
            return *offset < 0 ? -1 : 0;
        }
        target = position_for_stdio(f) + *offset;
        break;
    case SEEK_END:
        if (std::fflush(f->raw) != 0 || fseeko(f->raw, 0, SEEK_END) != 0) return -1;
        f->raw_pos = ftello(f->raw);
        target = f->raw_pos + *offset;
        break;
    default:
        errno = EINVAL;
        return -1;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    if (std::fflush(f->raw) != 0 || fseeko(f->raw, target, SEEK_SET) != 0) return -1;
    f->raw_pos = target;
    f->after_set_seek = whence == SEEK_SET;
    f->refused_block_read = false;
    f->reading = false;
    f->at_ctrl_z = false;
    start_chunk(f, target);
    *offset = target;
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
    TextFile *f = new (std::nothrow) TextFile;
    if (!f) {
        std::fclose(raw);
        errno = ENOMEM;
        return nullptr;
    }
    f->raw = raw;
    cookie_io_functions_t io = {text_read, text_write, text_seek, text_close};
    FILE *stream = fopencookie(f, mode.c_str(), io);
    if (!stream) {
        int saved = errno;
        std::fclose(raw);
        delete f;
        errno = saved;
        return nullptr;
    }
    f->stream = stream;
    return stream;
}

}  // namespace sys_detail

#endif
