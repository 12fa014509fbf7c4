#include "sys/sys_faults.h"

#ifndef _WIN32

#include <cerrno>
#include <cstdio>
#include <string>

#include "sys/sys_internal.h"

namespace {

struct Faults {
    long fail_at = 0;  // counted call number that fails; 0 none
    long calls = 0;
    long failed = 0;
    long free_bytes = -1;
    std::string fail_path;  // the next counted call on this path fails; "" none
};

Faults &faults() {
    static Faults state;
    return state;
}

ssize_t limited_write(void *cookie, const char *buf, size_t size) {
    FILE *file = static_cast<FILE *>(cookie);
    long &free_bytes = faults().free_bytes;
    size_t fits = free_bytes < 0 || static_cast<size_t>(free_bytes) >= size ? size : static_cast<size_t>(free_bytes);
    if (fits == 0 && size > 0) {
        errno = ENOSPC;
        return -1;
    }
    size_t written = std::fwrite(buf, 1, fits, file);
    if (free_bytes >= 0) free_bytes -= static_cast<long>(written);
    if (written == 0 && size > 0) return -1;
    return static_cast<ssize_t>(written);
}

int limited_seek(void *cookie, off64_t *offset, int whence) {
    FILE *file = static_cast<FILE *>(cookie);
    if (fseeko(file, *offset, whence) != 0) return -1;
    *offset = ftello(file);
    return 0;
}

int limited_close(void *cookie) { return std::fclose(static_cast<FILE *>(cookie)); }

}  // namespace

void sys_fault_fail_call(long n) { faults().fail_at = n > 0 ? faults().calls + n : 0; }

void sys_fault_fail_path(const char *path) { faults().fail_path = path ? path : ""; }

long sys_fault_calls_made(void) { return faults().calls; }

long sys_fault_calls_failed(void) { return faults().failed; }

void sys_fault_disk_space(long bytes) { faults().free_bytes = bytes < 0 ? -1 : bytes; }

void sys_fault_reset(void) { faults() = Faults{}; }

namespace sys_detail {

bool fault_fails_this_call(const char *path) {
    Faults &f = faults();
    const bool by_number = ++f.calls == f.fail_at;
    const bool by_path = !f.fail_path.empty() && path && same_name(f.fail_path, path);
    if (!by_number && !by_path) return false;
    if (by_number) f.fail_at = 0;
    if (by_path) f.fail_path.clear();
    ++f.failed;
    errno = EACCES;
    return true;
}

FILE *limit_stream(FILE *stream) {
    if (!stream || faults().free_bytes < 0) return stream;
    // Unbuffered over the file: each write meets the limit when it is made, not at a flush.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    cookie_io_functions_t io = {nullptr, limited_write, limited_seek, limited_close};
    FILE *limited = fopencookie(stream, "wb", io);
    if (!limited) std::fclose(stream);
    return limited;
}

}  // namespace sys_detail

#endif
