#include "nxhost/runner/crash_guard.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace nxhost::runner {
namespace {

struct Fatal {
    int signal;
    const char *message;  // complete, so the handler only calls write()
};

const Fatal kFatalSignals[] = {
    {SIGSEGV, "nxhost: the add-on crashed (signal SIGSEGV)\n"},
    {SIGBUS, "nxhost: the add-on crashed (signal SIGBUS)\n"},
    {SIGFPE, "nxhost: the add-on crashed (signal SIGFPE)\n"},
    {SIGILL, "nxhost: the add-on crashed (signal SIGILL)\n"},
    {SIGABRT, "nxhost: the add-on crashed (signal SIGABRT)\n"},
};

volatile sig_atomic_t crash_exit_code = 4;

alignas(16) char alternate_stack[64 * 1024];

void write_all(int fd, const char *text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        ssize_t n = write(fd, text, left);
        if (n <= 0) return;
        text += n;
        left -= static_cast<std::size_t>(n);
    }
}

void on_fatal_signal(int signal) {
    const char *message = "nxhost: the add-on crashed\n";
    for (const Fatal &f : kFatalSignals)
        if (f.signal == signal) message = f.message;
    write_all(STDERR_FILENO, message);
    _exit(crash_exit_code);
}

}  // namespace

void install_crash_guard(int exit_code) {
    crash_exit_code = exit_code;
    stack_t stack{};
    stack.ss_sp = alternate_stack;
    stack.ss_size = sizeof alternate_stack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_handler = on_fatal_signal;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const Fatal &f : kFatalSignals) sigaction(f.signal, &action, nullptr);
}

void remove_crash_guard() {
    for (const Fatal &f : kFatalSignals) signal(f.signal, SIG_DFL);
}

}  // namespace nxhost::runner
