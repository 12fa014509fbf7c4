// Scaffolding of the runner tests: a fresh drive D for each test, scripts written into it, and
// nxhost run as a subprocess exactly as a user runs it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subprocess.h"

namespace runnertest {

// What the probe add-on's good scenario answers: two bodies picked, the dialog played.
extern const char kGoodScenario[];

// One `nxhost run` of the probe; every field has the value of the good run.
struct ProbeRun {
    std::string script = kGoodScenario;      // text of the scenario
    std::string part = "D:\\samples\\probe.prt";  // "" = no --part
    std::string addon;                       // "" = the probe
    std::string drive;                       // "" = the test's drive D
    bool out = true;                         // --out the test's out_dir()
    std::vector<std::string> extra_args;
    std::vector<std::string> env;            // as run_process takes it
};

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host folder shown as drive D: it holds samples/probe.prt, probe/input.txt (CR LF),
    // qz_conf/lang/torvane.txt (GBK) and lang-en/torvane.txt.
    const std::string &drive_dir() const { return drive_dir_; }
    // A folder for --out that does not exist yet.
    std::string out_dir() const { return work_dir_ + "/out"; }
    // Writes a file below the test's work folder and returns its host path.
    std::string write_file(const std::string &relative, const std::string &bytes) const;

    // nxhost with these arguments; env as run_process takes it.
    ProcessResult nxhost(const std::vector<std::string> &args, const std::vector<std::string> &env = {}) const;
    ProcessResult run_probe(const ProbeRun &run = ProbeRun()) const;

private:
    std::string work_dir_;
    std::string drive_dir_;
};

std::string nxhost_path();
std::string probe_path();
std::string no_entry_path();
// The shipped sample part the tests copy onto drive D.
std::string sample_part_path();

std::string read_file(const std::string &path);
std::vector<std::string> lines_of(const std::string &text);

// Whether one of the lines contains every one of parts.
bool any_line_has(const std::vector<std::string> &lines, const std::vector<std::string> &parts);

// The lines `nxhost tree` prints under the body of that name (its attributes, faces), empty
// when there is no such body.
std::vector<std::string> body_lines(const std::vector<std::string> &tree, const std::string &name);

// Whether `wanted` appear in `lines` in this order (other lines may come between). On failure,
// *missing is the first wanted line not found after its predecessors.
bool in_order(const std::vector<std::string> &lines, const std::vector<std::string> &wanted,
              std::string *missing);

}  // namespace runnertest
