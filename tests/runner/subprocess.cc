#include "subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace runnertest {
namespace {

[[noreturn]] void exec_child(const std::vector<std::string> &argv, const std::vector<std::string> &env,
                             int out_fd, int err_fd) {
    dup2(out_fd, STDOUT_FILENO);
    dup2(err_fd, STDERR_FILENO);
    int null = open("/dev/null", O_RDONLY);
    if (null >= 0) dup2(null, STDIN_FILENO);
    for (const std::string &entry : env) {
        std::size_t eq = entry.find('=');
        if (eq == std::string::npos) unsetenv(entry.c_str());
        else setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
    }
    std::vector<char *> args;
    for (const std::string &arg : argv) args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

}  // namespace

ProcessResult run_process(const std::vector<std::string> &argv, const std::vector<std::string> &env,
                          int timeout_seconds) {
    ProcessResult result;
    int out_pipe[2], err_pipe[2];
    if (argv.empty() || pipe2(out_pipe, O_CLOEXEC) != 0) return result;
    if (pipe2(err_pipe, O_CLOEXEC) != 0) {
        close(out_pipe[0]);
        close(out_pipe[1]);
        return result;
    }
    pid_t pid = fork();
    if (pid == 0) exec_child(argv, env, out_pipe[1], err_pipe[1]);
    close(out_pipe[1]);
    close(err_pipe[1]);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int open_pipes = 2;
    bool killed = false;
    while (open_pipes > 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 && !killed && pid > 0) {
            kill(pid, SIGKILL);
            killed = true;
        }
        if (poll(fds, 2, killed ? 1000 : static_cast<int>(left.count())) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_pipes;
            }
        }
    }
    for (pollfd &fd : fds)
        if (fd.fd >= 0) close(fd.fd);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
        if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
        else if (WIFSIGNALED(status)) result.exit_code = 128 + WTERMSIG(status);
    }
    return result;
}

}  // namespace runnertest
