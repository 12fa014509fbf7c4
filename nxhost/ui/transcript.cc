#include "nxhost/ui/transcript.h"

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

}  // namespace nxhost
