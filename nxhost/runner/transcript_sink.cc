#include "nxhost/runner/transcript_sink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace nxhost::runner {
namespace {

struct Tee {
    int file = -1;
};

bool write_all(int fd, const char *data, std::size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ssize_t tee_write(void *cookie, const char *data, std::size_t size) {
    auto *tee = static_cast<Tee *>(cookie);
    // A closed stdout (a reader that went away) must not stop the file copy.
    bool to_stdout = write_all(STDOUT_FILENO, data, size);
    bool to_file = tee->file < 0 || write_all(tee->file, data, size);
    return to_stdout || to_file ? static_cast<ssize_t>(size) : -1;
}

int tee_close(void *cookie) {
    auto *tee = static_cast<Tee *>(cookie);
    int rc = tee->file >= 0 ? close(tee->file) : 0;
    delete tee;
    return rc;
}

}  // namespace

std::FILE *open_transcript_sink(const std::string &file_path, std::string *error) {
    auto *tee = new Tee;
    if (!file_path.empty()) {
        tee->file = open(file_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (tee->file < 0) {
            *error = file_path + ": " + std::strerror(errno);
            delete tee;
            return nullptr;
        }
    }
    cookie_io_functions_t functions{};
    functions.write = tee_write;
    functions.close = tee_close;
    std::FILE *stream = fopencookie(tee, "w", functions);
    if (!stream) {
        *error = std::string("cannot open the transcript stream: ") + std::strerror(errno);
        tee_close(tee);
        return nullptr;
    }
    return stream;
}

}  // namespace nxhost::runner
