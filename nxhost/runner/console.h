// What the add-on prints on standard output (printf, puts, std::cout), as NX's console would
// show it: transcript lines of kind "console", in order with everything else shown.
#pragma once

#include <cstdio>
#include <memory>
#include <streambuf>

namespace nxhost::runner {

// While alive, standard output of this process (the C stream and std::cout) feeds the
// transcript, one entry per line; a last line without a line feed is shown when it ends.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture &) = delete;
    ConsoleCapture &operator=(const ConsoleCapture &) = delete;

    // Whether standard output is captured (false when the stream could not be made).
    bool active() const { return capture_ != nullptr; }

private:
    std::FILE *original_ = nullptr;
    std::FILE *capture_ = nullptr;
    std::streambuf *original_cout_ = nullptr;
    std::unique_ptr<std::streambuf> cout_;
};

}  // namespace nxhost::runner
