// What every fuzz target shares: a scratch drive D: of its own, the shipped catalogues on it,
// a fresh stand-in session per input, and the checks a careful NX program must pass afterwards.
//
// A target is written once with TORVANE_FUZZ_TARGET(name) { ... input ... }. Built for
// libFuzzer (TORVANE_FUZZ_ENGINE) the body becomes LLVMFuzzerTestOneInput; otherwise it is
// registered under its name, so that the normal test run replays saved inputs through the very
// same body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace fuzzsupport {

using Entry = void (*)(const std::string &input);

struct Target {
    std::string name;
    Entry entry;
};

bool register_target(const char *name, Entry entry);
const std::vector<Target> &targets();

// What the test run sees of a finding; the fuzz engine aborts instead, so that libFuzzer keeps
// the input.
struct Finding : std::runtime_error {
    using std::runtime_error::runtime_error;
};
[[noreturn]] void finding(const std::string &what);

// Host folder of the source tree (seed files, catalogues).
std::string source_dir();

// Host folder behind drive D: of this process, made on first use with the shipped catalogues
// (conf/qz_conf/lang) in D:\qz_conf\lang.
const std::string &drive_dir();

// Writes bytes to a file below drive D: by relative host path, folders made.
void put_file(const std::string &relative, const std::string &bytes);

// A fresh stand-in with the session open for the scope of one input. On leaving it closes the
// session and reports as a finding any NX memory left, any misuse of the API and stale indexes.
class Session {
public:
    Session();
    ~Session() noexcept(false);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
};

}  // namespace fuzzsupport

#define TORVANE_FUZZ_BODY_(name) static void torvane_fuzz_##name(const std::string &input)

#ifdef TORVANE_FUZZ_ENGINE
#define TORVANE_FUZZ_TARGET(name)                                                      \
    TORVANE_FUZZ_BODY_(name);                                                          \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) { \
        torvane_fuzz_##name(std::string(reinterpret_cast<const char *>(data), size));  \
        return 0;                                                                      \
    }                                                                                  \
    TORVANE_FUZZ_BODY_(name)
#else
#define TORVANE_FUZZ_TARGET(name)                                                                   \
    TORVANE_FUZZ_BODY_(name);                                                                       \
    [[maybe_unused]] static const bool torvane_fuzz_registered_##name =                            \
        fuzzsupport::register_target(#name, torvane_fuzz_##name);                                   \
    TORVANE_FUZZ_BODY_(name)
#endif
