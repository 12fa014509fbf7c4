// Turns a crash of the add-on into a clear message and a distinct exit code.
#pragma once

namespace nxhost::runner {

// From now on SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT print
// "nxhost: the add-on crashed (signal SIGSEGV)" on stderr and end the process with exit code
// `exit_code`. The transcript written so far stays: it is flushed line by line as shown.
// Runs on its own stack so that a stack overflow is reported too.
void install_crash_guard(int exit_code);

// Back to the default handling, once the add-on is no longer running.
void remove_crash_guard();

}  // namespace nxhost::runner
