// The multi-file picker of the stand-in, run by the add-on as
// D:\qz_conf\temp\qz_pick_files.exe. A user would tick part files in a window; here the scenario
// has chosen them. The runner leaves the answer in the file NXHOST_PICKER_ANSWER names (see
// nxhost/script/picker_answer.h), and this program writes it into the exchange file the add-on
// reads: D:\qz_conf\temp\sel_more_file.dat, an int32 count and count records of 500 bytes, each
// a NUL-terminated full path. Without an answer it behaves as a picker closed without a choice
// and writes nothing.
//
// An answer may also ask for a broken picker, so that tests see what the add-on makes of one:
// "crash" ends the program by a signal before it writes, "garbage" writes bytes that are no
// exchange file, "short" cuts the last record in half, "count N" writes N as the count
// whatever follows.
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <vector>

#include "nxhost/script/picker_answer.h"
#include "sys/sys_file.h"

namespace {

const char EXCHANGE_FILE[] = "D:\\qz_conf\\temp\\sel_more_file.dat";
const std::size_t RECORD_BYTES = 500;

std::string exchange_bytes(const nxhost::PickerAnswer &answer) {
    const auto count = static_cast<std::int32_t>(answer.mode == nxhost::PickerMode::count ? answer.count
                                                                                           : answer.paths.size());
    std::string bytes(reinterpret_cast<const char *>(&count), sizeof count);
    for (const std::string &path : answer.paths) {
        std::string record = path.substr(0, RECORD_BYTES - 1);
        record.resize(RECORD_BYTES, '\0');
        bytes += record;
    }
    if (answer.mode == nxhost::PickerMode::short_file)
        bytes.resize(bytes.size() >= RECORD_BYTES / 2 ? bytes.size() - RECORD_BYTES / 2 : 0);
    return bytes;
}

// Not an exchange file: text where the count should be, and a length no record count fits.
std::string garbage_bytes() { return "zzzz this is not a list of part files\r\n\x01\x02\x03"; }

int write_exchange_file(const std::string &bytes) {
    std::FILE *out = sys_fopen(EXCHANGE_FILE, "wb");
    if (!out) {
        std::fprintf(stderr, "qz_pick_files: cannot write %s\n", EXCHANGE_FILE);
        return 2;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 2;
}

}  // namespace

int main() {
    const char *channel = std::getenv(nxhost::PICKER_ANSWER_VARIABLE);
    if (!channel || !*channel) return 0;
    nxhost::PickerAnswer answer;
    std::string error;
    if (!nxhost::take_picker_answer(channel, &answer, &error)) {
        if (!error.empty()) std::fprintf(stderr, "qz_pick_files: %s\n", error.c_str());
        return error.empty() ? 0 : 2;
    }
    switch (answer.mode) {
    case nxhost::PickerMode::crash:
        std::fflush(nullptr);
        std::abort();
    case nxhost::PickerMode::garbage:
        return write_exchange_file(garbage_bytes());
    default:
        return write_exchange_file(exchange_bytes(answer));
    }
}
