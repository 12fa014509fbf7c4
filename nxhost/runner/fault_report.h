// What one replay of a fault pass saw, written by the replay (nxhost run) into a file the pass
// names and read back by the pass (nxhost faults): one "key value" line per field.
#pragma once

#include <string>

namespace nxhost::runner {

struct ReplayReport {
    long calls = 0;             // NX API calls the add-on made
    long failed = 0;            // of them, made to fail
    std::string failed_call;    // the name of the one that failed; "" when none did
    bool judged = false;        // the add-on returned, so what it left behind was looked at
    long leaked_blocks = 0;     // NX memory never freed (when judged)
    bool session_open = false;  // UF_initialize without UF_terminate (when judged)
    long misuse_lines = 0;
};

bool write_replay_report(const std::string &path, const ReplayReport &report);
// False when the file cannot be read or is not a whole report.
bool read_replay_report(const std::string &path, ReplayReport *report);

}  // namespace nxhost::runner
