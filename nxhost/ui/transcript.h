// One ordered record of everything NX would show: message boxes, listing window, prompt and
// status lines, dialogs and their callbacks, console output of the add-on.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "nxhost/ui/encoding.h"

namespace nxhost {

struct TranscriptEntry {
    std::string kind;  // "message", "listing", "status", "prompt", "dialog", "console", "select", ...
    std::string text;  // bytes as the add-on gave them (GBK where it wrote Chinese)
};

// Records one shown text. A multi-line text becomes one entry per line.
void show(const std::string &kind, const std::string &text);

const std::vector<TranscriptEntry> &transcript();
void clear_transcript();

// "[kind] text" lines, converted from code page 936 to UTF-8 as a Chinese Windows displays them.
std::string transcript_line(const TranscriptEntry &entry);

// Echo every entry, as it is shown, to a stream (stdout for the runner); nullptr = no echo.
void echo_transcript_to(std::FILE *stream);

}  // namespace nxhost
