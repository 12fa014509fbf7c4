// Scaffolding of the background worker's tests: task records written byte by byte as the post
// writes them, a task directory, and `nxhost worker` run as a background computer runs it.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runner_fixture.h"

namespace workertest {

namespace fs = std::filesystem;
using runnertest::ProcessResult;

// One 772-byte task record: int32 1 little-endian, then three 256-byte fields, NUL-padded.
inline std::string record_bytes(const std::string &short_name, const std::string &computer,
                                const std::string &part_name, int version = 1) {
    std::string bytes(772, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((static_cast<unsigned>(version) >> (8 * i)) & 0xFF);
    bytes.replace(4, short_name.size(), short_name);
    bytes.replace(260, computer.size(), computer);
    bytes.replace(516, part_name.size(), part_name);
    return bytes;
}

inline std::string scratch_dir(const std::string &prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return "";
    return pattern;
}

inline std::string slurp(const std::string &path) { return runnertest::read_file(path); }

// Regular files below a folder as "sub/name", in name order.
inline std::vector<std::string> files_below(const std::string &dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file()) names.push_back(fs::relative(it->path(), dir).string());
    std::sort(names.begin(), names.end());
    return names;
}

// A small programmed part: one block, a cavity milling operation that has all it needs and, when
// asked, a face milling operation without the faces it must cut (NX refuses to generate it).
inline std::string small_part(bool with_refused_operation, bool rough_generated = false) {
    std::string rough = R"({"operation":"ROUGH","kind":"cavity_mill","geometry":{"part":[{"body":"E1"}]},)"
                        R"("auto_blank":{"type":"auto_block","offsets":[1,1,1,1,0.5,0]})";
    if (rough_generated) rough += R"(,"generated":"cutter D10, 1 part item, 2 cut levels")";
    rough += "}";
    const std::string face = with_refused_operation ? R"(,{"operation":"FACE","kind":"face_milling"})" : "";
    const std::string face_member = with_refused_operation ? R"(,{"operation":"FACE"})" : "";
    return R"({"format":"nxhost-part/1","bodies":[{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[20,20,10]}}}],)"
           R"("cam":{"type":"TT","program":[{"group":"P1","kind":"program","members":[)" +
           rough + face + R"(]}],"machine":[{"cutter":"D10","members":[{"operation":"ROUGH"})" + face_member + "]}]}}\n";
}

class WorkerTest : public runnertest::RunnerTest {
protected:
    void SetUp() override {
        RunnerTest::SetUp();
        tasks_ = (fs::path(out_dir()).parent_path() / "tasks").string();
        fs::create_directories(tasks_);
    }

    const std::string &tasks() const { return tasks_; }

    // Posts a task as the add-on's post does: the record, then the part file beside it.
    void post(const std::string &short_name, const std::string &part_bytes, const std::string &extension = ".prt") const {
        post_record(short_name, record_bytes(short_name, "CAM-PC-07", "D:\\parts\\" + short_name + extension));
        std::ofstream(tasks_ + "/" + short_name + extension, std::ios::binary) << part_bytes;
    }
    void post_record(const std::string &short_name, const std::string &bytes) const {
        std::ofstream(tasks_ + "/" + short_name + ".temp", std::ios::binary) << bytes;
    }

    // Starts nxhost with `args` (after the `prefix` command, when given), its outputs going to files
    // named by `tag`; the process id.
    pid_t start(const std::vector<std::string> &args, const std::string &tag,
                const std::vector<std::string> &prefix = {}) const {
        std::vector<std::string> words = prefix;
        words.push_back(runnertest::built("nxhost/nxhost"));
        words.insert(words.end(), args.begin(), args.end());
        const std::string out = output(tag, "out"), err = output(tag, "err");
        const pid_t pid = fork();
        if (pid == 0) {
            unsetenv("NXHOST_MOUNTS");
            if (!freopen("/dev/null", "r", stdin) || !freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr))
                _exit(126);
            std::vector<char *> argv;
            for (std::string &w : words) argv.push_back(w.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    // Waits for a process of start() (two minutes at most, then it is killed) and gives its outputs.
    ProcessResult finish(pid_t pid, const std::string &tag) const {
        int status = 0;
        for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
            if (waited == 12000) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            usleep(10000);
        }
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(output(tag, "out")), slurp(output(tag, "err"))};
    }

    // `nxhost worker` on the task directory, taking every task at once and stopping when none is left.
    ProcessResult worker(const std::vector<std::string> &extra = {}, const std::string &dir = "") const {
        std::vector<std::string> args{"worker", dir.empty() ? tasks_ : dir, "--once", "--settle", "0"};
        args.insert(args.end(), extra.begin(), extra.end());
        return finish(start(args, "worker"), "worker");
    }

    // What `nxhost tree` prints of a part file.
    std::string tree(const std::string &part) const {
        ProcessResult shown = nxhost({"tree", part});
        EXPECT_EQ(shown.exit_code, 0) << shown.err;
        return shown.out;
    }

    static int count(const std::string &text, const std::string &what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
        return n;
    }

private:
    std::string output(const std::string &tag, const std::string &stream) const {
        return (fs::path(tasks_).parent_path() / (tag + "." + stream)).string();
    }

    std::string tasks_;
};

}  // namespace workertest
