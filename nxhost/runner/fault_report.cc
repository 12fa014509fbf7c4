#include "nxhost/runner/fault_report.h"

#include <cstdio>
#include <fstream>

namespace nxhost::runner {
namespace {

template <typename T>
bool field(std::istream &in, const char *name, T *value) {
    std::string key;
    return static_cast<bool>(in >> key >> *value) && key == name;
}

}  // namespace

bool write_replay_report(const std::string &path, const ReplayReport &report) {
    std::FILE *file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    std::fprintf(file, "calls %ld\nfailed %ld\nfailed_call %s\njudged %d\nleaked_blocks %ld\nsession_open %d\n"
                       "misuse_lines %ld\nend\n",
                 report.calls, report.failed, report.failed_call.empty() ? "-" : report.failed_call.c_str(),
                 report.judged ? 1 : 0, report.leaked_blocks, report.session_open ? 1 : 0, report.misuse_lines);
    return std::fclose(file) == 0;
}

bool read_replay_report(const std::string &path, ReplayReport *report) {
    std::ifstream in(path);
    ReplayReport read;
    int judged = 0, session_open = 0;
    std::string end;
    // The order is fixed; the last line tells a whole report from one cut short.
    if (!field(in, "calls", &read.calls) || !field(in, "failed", &read.failed) ||
        !field(in, "failed_call", &read.failed_call) || !field(in, "judged", &judged) ||
        !field(in, "leaked_blocks", &read.leaked_blocks) || !field(in, "session_open", &session_open) ||
        !field(in, "misuse_lines", &read.misuse_lines) || !(in >> end) || end != "end")
        return false;
    if (read.failed_call == "-") read.failed_call.clear();
    read.judged = judged != 0;
    read.session_open = session_open != 0;
    *report = read;
    return true;
}

}  // namespace nxhost::runner
