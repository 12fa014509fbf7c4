// nxhost: plays NX for the add-on. See usage_text() for the commands.
#include <cstdio>
#include <string>
#include <vector>

#include "nxhost/runner/commands.h"
#include "nxhost/runner/exit_codes.h"
#include "nxhost/runner/options.h"

int main(int argc, char **argv) {
    using namespace nxhost::runner;
    // Line by line, so that anything the add-on prints keeps its place among transcript lines.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    CommandLine line;
    try {
        line = parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &e) {
        std::fprintf(stderr, "nxhost: %s\n\n%s", e.what(), usage_text().c_str());
        return kExitUsage;
    }
    switch (line.command) {
    case Command::Help:
        std::fputs(usage_text().c_str(), stdout);
        return kExitOk;
    case Command::Run:
        return run_session(line.run);
    case Command::Tree:
        return print_tree(line.tree);
    case Command::Picture:
        return write_picture(line.picture);
    case Command::Worker:
        return run_worker(line.worker);
    case Command::CheckConfig:
        return check_config(line.check_config);
    case Command::Faults:
        return run_faults(line.faults);
    }
    return kExitUsage;
}
