// Runs a program as a user would from a shell and keeps what it printed and how it ended.
#pragma once

#include <string>
#include <vector>

namespace runnertest {

struct ProcessResult {
    int exit_code = -1;  // 128 + the signal when one ended it
    std::string out;
    std::string err;
};

// Runs argv[0] with argv, this process's environment plus `env` ("NAME=VALUE" sets, "NAME"
// alone removes). A program still running after timeout_seconds is killed (exit code 128+9).
ProcessResult run_process(const std::vector<std::string> &argv, const std::vector<std::string> &env = {},
                          int timeout_seconds = 120);

}  // namespace runnertest
