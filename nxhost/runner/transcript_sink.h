// Where the runner sends the transcript: stdout and, with --out, a file, both written line by
// line as texts are shown so that a crash loses nothing.
#pragma once

#include <cstdio>
#include <string>

namespace nxhost::runner {

// A stream writing to stdout and, when file_path is not empty, to that file (created or
// truncated). nullptr with *error set when the file cannot be created. Close with fclose.
std::FILE *open_transcript_sink(const std::string &file_path, std::string *error);

}  // namespace nxhost::runner
