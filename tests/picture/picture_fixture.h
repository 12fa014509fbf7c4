// The part the picture tests draw: the shipped sample electrodes programmed by the shipped
// scenario, as `make demo` does, made once per test program in a folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "drive_test.h"

namespace picturetest {

namespace fs = std::filesystem;

inline std::string quoted(const std::string &word) {
    std::string text = "'";
    for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

struct Shell {
    int exit_code;
    std::string out, err;
};

// Runs a shell command with its outputs in files beside `scratch`.
inline Shell shell(const std::string &command, const std::string &scratch) {
    const std::string out = scratch + ".out", err = scratch + ".err";
    const int status = std::system((command + " </dev/null >" + quoted(out) + " 2>" + quoted(err)).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testsupport::read_host_file(out), testsupport::read_host_file(err)};
}

inline std::string nxhost_path() { return testsupport::binary_dir() + "/nxhost/nxhost"; }

// A folder holding conf/ (a copy of the shipped one) and out/electrodes.prt, the programmed part.
class ProgrammedPart {
public:
    static ProgrammedPart &get() {
        static ProgrammedPart part;
        return part;
    }
    const std::string &error() const { return error_; }
    std::string path() const { return dir_ + "/out/electrodes.prt"; }
    const std::string &dir() const { return dir_; }
    ~ProgrammedPart() {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }

private:
    ProgrammedPart() {
        std::string pattern = (fs::temp_directory_path() / "torvane-picture-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            error_ = "no temporary folder";
            return;
        }
        dir_ = pattern;
        fs::copy(testsupport::source_dir() + "/conf", dir_ + "/conf", fs::copy_options::recursive);
        const Shell r = shell("env -u NXHOST_MOUNTS timeout 120 " + quoted(nxhost_path()) + " run " +
                                  quoted(testsupport::source_dir() + "/conf/scenarios/electrodes.scn") + " --drive " +
                                  quoted("D=" + dir_ + "/conf") + " --part 'D:\\samples\\electrodes.prt' --out " +
                                  quoted(dir_ + "/out") + " --addon " + quoted(testsupport::binary_dir() + "/torvane/torvane.so") +
                                  " --cam-config 'D:\\qz_conf\\cam_qz\\qz_cam_general.dat'",
                              dir_ + "/run");
        if (r.exit_code != 0) error_ = "the scenario did not play (exit " + std::to_string(r.exit_code) + "): " + r.err;
    }
    std::string dir_, error_;
};

}  // namespace picturetest
