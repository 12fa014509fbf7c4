// Scaffolding of the runner tests: a fresh drive D for each test, scripts written into it, and
// nxhost run from a shell exactly as a user runs it, against the probe add-on.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "standin_test.h"

namespace runnertest {

namespace fs = std::filesystem;

// What the probe's good scenario answers: two bodies picked, the dialog played.
inline const char kGoodScenario[] =
    "# the probe picks two bodies, then fills its dialog\n"
    "pick solids E1 E2\n"
    "dialog probe_dlg.dlg\n"
    "  set TOGGLE_2 1\n"
    "  select LIST_1 E2\n"
    "  set REAL_3 0.25\n"
    "  press OK\n";
// The probe's first message box: GBK bytes of the add-on, shown as UTF-8.
inline const char kStartBox[] = "[message] 探针测试开始";

struct ProcessResult {
    int exit_code;
    std::string out, err;
};

// One `nxhost run` of the probe; every field has the value of the good run.
struct ProbeRun {
    std::string script = kGoodScenario;
    std::string part = "D:\\samples\\probe.prt";  // "" = no --part
    std::string addon;                            // "" = the probe
    std::string drive;                            // "" = the test's drive D
    bool out = true;                              // --out the test's out_dir()
    std::vector<std::string> extra_args;
    std::string mode;  // PROBE_MODE, the failure the probe provokes
};

// A file of the build tree ("tests/runner/probe.so").
inline std::string built(const std::string &relative) { return testsupport::binary_dir() + "/" + relative; }
inline std::string sample_part_path() { return testsupport::source_dir() + "/conf/samples/probe.prt"; }

inline std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// "" when `wanted` appear in `text` as whole lines in this order (others may come between),
// else the first one not found after its predecessors.
inline std::string first_missing(const std::string &text, const std::vector<std::string> &wanted) {
    const std::string lines = "\n" + text;
    std::size_t at = 0;
    for (const std::string &w : wanted) {
        at = lines.find("\n" + w + "\n", at);
        if (at == std::string::npos) return w;
        at += w.size() + 1;
    }
    return "";
}

// What `nxhost tree` prints for the body of that name (its line and those under it), "" when
// there is no such body.
inline std::string body_text(const std::string &tree, const std::string &name) {
    const std::string text = "\n" + tree;
    std::size_t at = text.find("\nbody " + name + " ");
    if (at == std::string::npos) return "";
    std::size_t end = text.find("\nbody ", at + 1);
    return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

inline std::string shell_quoted(const std::string &word) {
    std::string text = "'";
    for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

// Drive D holds samples/probe.prt, probe/input.txt, qz_conf/lang/torvane.txt (GBK) and
// lang-en/torvane.txt, all text with CR LF.
class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "torvane-runner-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        work_dir_ = pattern;
        write_file("drive_d/samples/probe.prt", read_file(sample_part_path()));
        write_file("drive_d/probe/input.txt", "alpha\r\nbeta gamma\r\n\r\nend\r\n");
        // "探针目录" (probe catalogue) in code page 936, as the shipped catalogues are written.
        write_file("drive_d/qz_conf/lang/torvane.txt", "\xCC\xBD\xD5\xEB\xC4\xBF\xC2\xBC\r\nsecond\r\n");
        write_file("drive_d/lang-en/torvane.txt", "English probe catalogue\r\nsecond\r\n");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(work_dir_, ec);
    }

    std::string work_dir() const { return work_dir_; }
    std::string drive_dir() const { return work_dir_ + "/drive_d"; }
    std::string out_dir() const { return work_dir_ + "/out"; }  // does not exist before the run

    // Writes a file below the test's work folder and returns its host path.
    std::string write_file(const std::string &relative, const std::string &bytes) const {
        fs::path path = fs::path(work_dir_) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // The outputs go to files so that no amount of them blocks nxhost; a run still going after
    // two minutes is stopped.
    // `environment` holds NAME=VALUE settings for nxhost beyond PROBE_MODE.
    ProcessResult nxhost(const std::vector<std::string> &args, const std::string &mode = "",
                         const std::vector<std::string> &environment = {}) const {
        const std::string out = work_dir_ + "/nxhost.out", err = work_dir_ + "/nxhost.err";
        std::string command = "env -u NXHOST_MOUNTS -u PROBE_MODE ";
        if (!mode.empty()) command += shell_quoted("PROBE_MODE=" + mode) + " ";
        for (const std::string &setting : environment) command += shell_quoted(setting) + " ";
        command += "timeout 120 " + shell_quoted(built("nxhost/nxhost"));
        for (const std::string &arg : args) command += " " + shell_quoted(arg);
        int status = std::system((command + " </dev/null >" + shell_quoted(out) + " 2>" + shell_quoted(err)).c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out), read_file(err)};
    }

    ProcessResult run_probe(const ProbeRun &run = ProbeRun()) const {
        std::vector<std::string> args{"run", write_file("probe.scn", run.script), "--drive",
                                      "D=" + (run.drive.empty() ? drive_dir() : run.drive), "--addon",
                                      run.addon.empty() ? built("tests/runner/probe.so") : run.addon};
        if (!run.part.empty()) args.insert(args.end(), {"--part", run.part});
        if (run.out) args.insert(args.end(), {"--out", out_dir()});
        args.insert(args.end(), run.extra_args.begin(), run.extra_args.end());
        return nxhost(args, run.mode);
    }

private:
    std::string work_dir_;
};

}  // namespace runnertest
