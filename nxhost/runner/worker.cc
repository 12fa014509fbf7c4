// nxhost worker: the background computer. Takes the tasks of a task directory one at a time,
// each computed in a process of its own so that a part that brings the stand-in down fails that
// task only.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "nxhost/runner/commands.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"
#include "nxhost/worker/task_dir.h"
#include "nxhost/worker/task_record.h"
#include "nxhost/worker/task_run.h"

namespace nxhost::runner {
namespace {

using worker::TaskDir;
using worker::TaskEnd;
using Clock = std::chrono::steady_clock;

volatile sig_atomic_t stop_requested = 0;

void on_stop(int) { stop_requested = 1; }

// Ctrl-C and SIGTERM end the watch once the task in hand is filed; the computing process
// finishes it too.
void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = on_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void pause_for(double seconds) {
    const Clock::time_point until = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (!stop_requested && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

std::string file_state(const std::string &path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return "none";
    return std::to_string(st.st_size) + "@" + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

// A task is taken once its record and its part have looked the same for the settle time, as seen
// by this worker's own clock: the post writes the record before it copies the part, and the
// clocks of the file server and of this computer need not agree.
class Settling {
public:
    explicit Settling(double seconds) : seconds_(seconds) {}

    bool ready(const TaskDir &dir, const std::string &record) {
        if (seconds_ <= 0.0) return true;
        const std::string now = signature(dir, record);
        auto it = seen_.find(record);
        if (it == seen_.end() || it->second.first != now) {
            seen_[record] = {now, Clock::now()};
            return false;
        }
        return std::chrono::duration<double>(Clock::now() - it->second.second).count() >= seconds_;
    }

    void forget(const std::string &record) { seen_.erase(record); }

private:
    static std::string signature(const TaskDir &dir, const std::string &record) {
        const std::string path = dir.root() + "/" + record;
        std::string extension = ".prt";
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        worker::TaskRecord task;
        std::string ignored;
        if (worker::parse_task_record(bytes.str(), &task, &ignored)) extension = task.extension;
        return file_state(path) + " " + file_state(dir.root() + "/" + worker::record_stem(record) + extension);
    }

    double seconds_;
    std::map<std::string, std::pair<std::string, Clock::time_point>> seen_;
};

int end_code(TaskEnd end) { return end == TaskEnd::Done ? 0 : end == TaskEnd::Failed ? 1 : 2; }

// Computes a claimed task in a child process; a child that does not come back with an answer
// (a crash, a kill) leaves its files in the worker's folder, and they go to failed/.
TaskEnd compute(const TaskDir &dir, const std::string &record) {
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const TaskEnd end = worker::run_task(dir, record, std::cout, std::cerr);
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        _exit(end_code(end));
    }
    if (child < 0) return worker::run_task(dir, record, std::cout, std::cerr);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) <= 2)
        return WEXITSTATUS(status) == 0 ? TaskEnd::Done : WEXITSTATUS(status) == 1 ? TaskEnd::Failed : TaskEnd::Stuck;
    const std::string how = WIFSIGNALED(status) ? std::string("signal ") + std::to_string(WTERMSIG(status)) + " (" +
                                                      strsignal(WTERMSIG(status)) + ")"
                                                : "exit code " + std::to_string(WEXITSTATUS(status));
    return worker::file_leftovers(dir, dir.own(), "the computation of " + record + " stopped with " + how, std::cout,
                                  std::cerr);
}

// Tasks that workers of this computer left half done when they stopped go to failed/: taking
// them again could stop this worker the same way.
int file_stopped_workers(const TaskDir &dir) {
    int failed = 0;
    for (const std::string &folder : dir.stopped_workers()) {
        const std::string name = folder.substr(folder.rfind('/') + 1);
        if (worker::file_leftovers(dir, folder, "worker " + name + " stopped while on this task", std::cout, std::cerr) !=
            TaskEnd::Done)
            ++failed;
        ::rmdir(folder.c_str());
    }
    return failed;
}

std::string seconds_text(double seconds) {
    std::ostringstream text;
    text << seconds << " s";
    return text.str();
}

}  // namespace

int run_worker(const WorkerOptions &options) {
    signal(SIGPIPE, SIG_IGN);
    std::unique_ptr<TaskDir> dir;
    try {
        mount(options.drives, options.mounts, Language::Chinese);
        dir = std::make_unique<TaskDir>(options.task_dir, worker::this_worker_name());
    } catch (const SetupError &e) {
        std::fprintf(stderr, "nxhost: %s\n", e.what());
        return kExitInput;
    } catch (const worker::TaskDirError &e) {
        std::fprintf(stderr, "nxhost: worker: %s\n", e.what());
        return kExitInput;
    }
    std::cout << "worker " << dir->worker() << " on " << dir->root() << ": "
              << (options.once ? std::string("until no task is left") : "looking every " + seconds_text(options.poll_seconds))
              << ", tasks taken after " << seconds_text(options.settle_seconds) << " unchanged" << std::endl;

    int done = 0, failed = file_stopped_workers(*dir);
    stop_requested = 0;
    catch_stop_signals();
    Settling settling(options.settle_seconds);
    std::set<std::string> refused;  // records that cannot be taken, reported once
    bool stuck = false;
    while (!stop_requested && !stuck) {
        bool waiting = false, took = false;
        for (const std::string &record : dir->records()) {
            if (stop_requested || stuck) break;
            if (refused.count(record)) continue;
            if (!settling.ready(*dir, record)) {
                waiting = true;
                continue;
            }
            settling.forget(record);
            std::string error;
            switch (dir->claim(record, &error)) {
            case TaskDir::Claim::Gone:
                std::cout << worker::record_stem(record) << ": taken by another worker" << std::endl;
                continue;
            case TaskDir::Claim::Error:
                std::cerr << "nxhost: worker: " << error << std::endl;
                refused.insert(record);
                ++failed;
                continue;
            case TaskDir::Claim::Taken: break;
            }
            took = true;
            switch (compute(*dir, record)) {
            case TaskEnd::Done: ++done; break;
            case TaskEnd::Failed: ++failed; break;
            case TaskEnd::Stuck:
                // The directory refuses the moves: the task stays in this worker's folder, where a
                // later worker of this computer finds it, and no further task is taken.
                ++failed;
                stuck = true;
                std::cerr << "nxhost: worker: stopped: the task in " << dir->own() << " could not be filed" << std::endl;
                break;
            }
        }
        if (took) continue;
        if (options.once && !waiting) break;
        pause_for(options.once ? std::min(options.settle_seconds, 0.5) : options.poll_seconds);
    }
    if (!stuck) dir->leave();
    std::cout << "worker " << dir->worker() << ": " << done << " done, " << failed << " failed" << std::endl;
    return failed > 0 ? kExitTaskFailed : kExitOk;
}

}  // namespace nxhost::runner
