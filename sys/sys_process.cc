#include "sys/sys_process.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "sys/sys_internal.h"
#include "sys/sys_path.h"

#include <cstring>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

int sys_run_command(const char *command_line) {
    if (!command_line) return -1;
    const char *shell = std::getenv("ComSpec");
    // /s: cmd strips exactly the outer quotes and keeps the line inside as it is.
    std::string line = std::string("cmd.exe /s /c \"") + command_line + "\"";
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(shell, writable.data(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    BOOL have_code = GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return have_code ? static_cast<int>(code) : -1;
}

#else

namespace {

std::string shell_quoted(const std::string &word) {
    std::string out = "'";
    for (char c : word) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

// The command line with a Windows-path program replaced by its host path. A program on a drive
// that is not mounted stays as written, so that the shell reports it missing as cmd does.
std::string map_program(const char *line) {
    const char *p = line;
    while (*p == ' ' || *p == '\t') ++p;
    const char *end;
    const char *rest;
    std::string word;
    if (*p == '"') {
        end = std::strchr(p + 1, '"');
        if (!end) end = p + std::strlen(p);
        word.assign(p + 1, end);
        rest = *end ? end + 1 : end;
    } else {
        end = p;
        while (*end && *end != ' ' && *end != '\t') ++end;
        word.assign(p, end);
        rest = end;
    }
    if (!sys_detail::windows_drive(word.c_str())) return line;
    std::string host = sys_native_path(word.c_str());
    return shell_quoted(host.empty() ? word : host) + rest;
}

}  // namespace

int sys_run_command(const char *command_line) {
    if (!command_line) {
        errno = EINVAL;
        return -1;
    }
    std::string command = map_program(command_line);

    char sh[] = "sh";
    char dash_c[] = "-c";
    char *argv[] = {sh, dash_c, &command[0], nullptr};
    pid_t pid;
    int rc = posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ);
    if (rc != 0) {
        errno = rc;
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

#endif
