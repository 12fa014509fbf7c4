// Exit codes of nxhost, one per kind of failure so that scripts and tests can tell them apart.
#pragma once

namespace nxhost::runner {

enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,      // bad command line
    kExitInput = 2,      // malformed script, part that cannot be loaded, unusable directory
    kExitScenario = 3,   // the script and the add-on disagree
    kExitCrash = 4,      // the add-on crashed
    kExitAddon = 5,      // the add-on cannot be loaded or has no entry point
    kExitUnclean = 6,    // session left open, NX memory not freed, API misuse
    kExitSave = 7,       // a changed part, or the page of picture, could not be written
    kExitTaskFailed = 8, // worker: a task went to failed/ or could not be taken
    kExitConfigWarnings = 9,  // check-config: warnings, no error
    kExitConfigErrors = 10,   // check-config: at least one error
    kExitFaults = 11,         // faults: a replay crashed, leaked, misused the API or ended otherwise
};

}  // namespace nxhost::runner
