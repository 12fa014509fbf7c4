#include "nxhost/runner/console.h"

#include <iostream>
#include <string>

#include "nxhost/ui/transcript.h"

namespace nxhost::runner {
namespace {

struct Pending {
    std::string line;
};

void show_lines(Pending *pending, const char *data, std::size_t size) {
    pending->line.append(data, size);
    std::size_t end;
    while ((end = pending->line.find('\n')) != std::string::npos) {
        show("console", pending->line.substr(0, end));
        pending->line.erase(0, end + 1);
    }
}

ssize_t console_write(void *cookie, const char *data, std::size_t size) {
    show_lines(static_cast<Pending *>(cookie), data, size);
    return static_cast<ssize_t>(size);
}

int console_close(void *cookie) {
    auto *pending = static_cast<Pending *>(cookie);
    if (!pending->line.empty()) show("console", pending->line);
    delete pending;
    return 0;
}

// std::cout keeps its own handle on the C stream it started with, so it is pointed here.
class ToStream : public std::streambuf {
public:
    explicit ToStream(std::FILE *stream) : stream_(stream) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        return std::fputc(c, stream_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char *data, std::streamsize size) override {
        return static_cast<std::streamsize>(std::fwrite(data, 1, static_cast<std::size_t>(size), stream_));
    }
    int sync() override { return std::fflush(stream_) == 0 ? 0 : -1; }

private:
    std::FILE *stream_;
};

}  // namespace

ConsoleCapture::ConsoleCapture() {
    cookie_io_functions_t functions{};
    functions.write = console_write;
    functions.close = console_close;
    auto *pending = new Pending;
    capture_ = fopencookie(pending, "w", functions);
    if (!capture_) {
        delete pending;
        return;
    }
    std::setvbuf(capture_, nullptr, _IOLBF, 0);
    std::cout.flush();
    std::fflush(stdout);
    original_ = stdout;
    stdout = capture_;
    cout_ = std::make_unique<ToStream>(capture_);
    original_cout_ = std::cout.rdbuf(cout_.get());
}

ConsoleCapture::~ConsoleCapture() {
    if (!capture_) return;
    std::cout.flush();
    std::cout.rdbuf(original_cout_);
    cout_.reset();
    stdout = original_;
    std::fclose(capture_);
}

}  // namespace nxhost::runner
