#include "nxhost/ui/transcript.h"

#include <iconv.h>

#include <cerrno>

#include "nxhost/core/reset.h"

namespace nxhost {
namespace {

struct TranscriptState {
    std::vector<TranscriptEntry> entries;
    std::FILE *echo = nullptr;
};

TranscriptState &state() {
    static TranscriptState s;
    return s;
}

const bool registered = register_reset([] { state().entries.clear(); });

bool is_ascii(const std::string &bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

void show(const std::string &kind, const std::string &text) {
    std::size_t start = 0;
    do {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        state().entries.push_back({kind, line});
        if (state().echo) {
            std::fputs(transcript_line(state().entries.back()).c_str(), state().echo);
            std::fputc('\n', state().echo);
            std::fflush(state().echo);
        }
        if (end == std::string::npos || end + 1 == text.size()) break;
        start = end + 1;
    } while (true);
}

const std::vector<TranscriptEntry> &transcript() { return state().entries; }

void clear_transcript() { state().entries.clear(); }

std::string transcript_line(const TranscriptEntry &entry) {
    return "[" + entry.kind + "] " + gbk_to_utf8(entry.text);
}

void echo_transcript_to(std::FILE *stream) { state().echo = stream; }

std::string gbk_to_utf8(const std::string &bytes) {
    if (is_ascii(bytes)) return bytes;
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return bytes;
    std::string out;
    char buffer[256];
    char *in = const_cast<char *>(bytes.data());
    std::size_t in_left = bytes.size();
    while (in_left > 0) {
        char *dst = buffer;
        std::size_t dst_left = sizeof buffer;
        std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
        out.append(buffer, sizeof buffer - dst_left);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: show a replacement and go on after it.
            out.push_back('?');
            ++in;
            --in_left;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace nxhost
