// nxhost faults: the scenario replayed once per NX call of the add-on, that call failing. Each
// replay is an nxhost run of its own on fresh copies of the folders it may write, so a replay
// that crashes or hangs is one finding and the pass goes on.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "nxhost/runner/commands.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"
#include "nxhost/runner/fault_report.h"

namespace fs = std::filesystem;

namespace nxhost::runner {
namespace {

using Clock = std::chrono::steady_clock;

// The folders a replay may change, copied for each one; the rest of its command line as given.
struct Setup {
    std::string self;      // this nxhost
    std::string work_dir;  // one folder per replay below it
    std::string nx_root;   // "" = none
    const RunOptions *run = nullptr;
};

struct Replay {
    long call = 0;  // 0 = none failed
    std::string dir;
    pid_t pid = -1;
    Clock::time_point started;
    bool timed_out = false;
};

enum class Kind { RanOut, Clean, Crash, Leak, Misuse, Other };

struct Outcome {
    Kind kind = Kind::Clean;
    long misuse_lines = 0;
    long calls = 0;
    std::string what;  // the finding, for its line
};

struct Tally {
    long tried = 0, crashes = 0, leaks = 0, misuse = 0, other = 0;
};

std::string summary(const Tally &t) {
    std::string line = std::to_string(t.tried) + " calls tried, " + std::to_string(t.crashes) + " crashes, " +
                       std::to_string(t.leaks) + " leaks, " + std::to_string(t.misuse) + " misuse lines";
    if (t.other > 0) line += ", " + std::to_string(t.other) + " replays ended otherwise";
    return line;
}

void copy_tree(const std::string &from, const std::string &to) {
    std::error_code ec;
    fs::create_directories(fs::path(to).parent_path(), ec);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) throw SetupError("cannot copy " + from + " to " + to + ": " + ec.message());
}

// The command line of one replay; its folders are copied into dir.
std::vector<std::string> replay_arguments(const Setup &setup, long call, const std::string &dir) {
    const RunOptions &run = *setup.run;
    std::vector<std::string> args{setup.self, "run", run.script};
    for (const Drive &drive : run.drives) {
        const std::string copy = dir + "/drive-" + drive.letter;
        copy_tree(existing_directory(drive.host_dir, std::string("drive ") + drive.letter + ":"), copy);
        args.insert(args.end(), {"--drive", std::string(1, drive.letter) + "=" + copy});
    }
    for (std::size_t i = 0; i < run.mounts.size(); ++i) {
        const std::string copy = dir + "/mount-" + std::to_string(i + 1);
        copy_tree(existing_directory(run.mounts[i].host_dir, run.mounts[i].windows_prefix), copy);
        args.insert(args.end(), {"--mount", run.mounts[i].windows_prefix + "=" + copy});
    }
    if (!setup.nx_root.empty()) {
        copy_tree(setup.nx_root, dir + "/nxroot");
        args.insert(args.end(), {"--nx-root", dir + "/nxroot"});
    }
    if (!run.part.empty()) args.insert(args.end(), {"--part", run.part});
    if (run.release_given) args.insert(args.end(), {"--release", run.release});
    if (!run.addon.empty()) args.insert(args.end(), {"--addon", run.addon});
    for (const std::string &d : run.dialog_dirs) args.insert(args.end(), {"--dialogs", d});
    if (run.language == Language::English) args.insert(args.end(), {"--lang", "en"});
    if (!run.cam_config.empty()) args.insert(args.end(), {"--cam-config", run.cam_config});
    for (const std::string &folder : run.read_only) args.insert(args.end(), {"--read-only", folder});
    if (!run.node_name.empty()) args.insert(args.end(), {"--node", run.node_name});
    if (run.save_in_place) args.push_back("--save-in-place");
    args.insert(args.end(), {"--out", dir + "/out", "--fail-call", std::to_string(call), "--fault-report",
                             dir + "/report.txt"});
    return args;
}

// Starts one replay: transcript dropped, stderr kept in its folder for a finding's lines.
Replay start_replay(const Setup &setup, long call) {
    Replay replay;
    replay.call = call;
    replay.dir = setup.work_dir + "/call-" + std::to_string(call);
    std::error_code ec;
    fs::create_directories(replay.dir, ec);
    if (ec) throw SetupError("cannot make " + replay.dir + ": " + ec.message());
    std::vector<std::string> args = replay_arguments(setup, call, replay.dir);
    const std::string err = replay.dir + "/stderr.txt";
    std::fflush(nullptr);
    replay.started = Clock::now();
    replay.pid = fork();
    if (replay.pid < 0) throw SetupError(std::string("cannot start a replay: ") + std::strerror(errno));
    if (replay.pid == 0) {
        std::vector<char *> argv;
        for (std::string &arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "r", stdin) || !std::freopen("/dev/null", "w", stdout) ||
            !std::freopen(err.c_str(), "w", stderr))
            _exit(127);
        execv(setup.self.c_str(), argv.data());
        _exit(127);
    }
    return replay;
}

// The lines the replay wrote on stderr, indented under its finding.
std::string replay_lines(const Replay &replay) {
    std::ifstream in(replay.dir + "/stderr.txt");
    std::string text, line;
    while (std::getline(in, line)) text += "    " + line + "\n";
    return text;
}

Outcome judge(const Replay &replay, int status) {
    Outcome o;
    if (replay.timed_out) {
        o.kind = Kind::Crash;
        o.what = "did not finish (stopped)";
        return o;
    }
    if (WIFSIGNALED(status)) {
        o.kind = Kind::Crash;
        o.what = std::string("died of signal ") + strsignal(WTERMSIG(status));
        return o;
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kExitCrash) {
        o.kind = Kind::Crash;
        o.what = "the add-on crashed";
        return o;
    }
    ReplayReport report;
    if (!read_replay_report(replay.dir + "/report.txt", &report)) {
        o.kind = Kind::Other;
        o.what = "ended with exit code " + std::to_string(code) + " and no report";
        return o;
    }
    o.calls = report.calls;
    o.misuse_lines = report.misuse_lines;
    const std::string call = report.failed_call.empty() ? "" : " (" + report.failed_call + " failed)";
    if (report.judged && (report.leaked_blocks > 0 || report.session_open)) {
        o.kind = Kind::Leak;
        o.what = "leaked" + call + ": " + std::to_string(report.leaked_blocks) + " block(s) of NX memory" +
                 (report.session_open ? ", the session left open" : "");
    } else if (report.misuse_lines > 0) {
        o.kind = Kind::Misuse;
        o.what = "misused the API" + call + ": " + std::to_string(report.misuse_lines) + " line(s)";
    } else if (code != kExitOk && code != kExitScenario) {
        // A failed call may end the add-on early, leaving answers of the script unasked: that is
        // the scenario, not a fault. Anything else a run can say is.
        o.kind = Kind::Other;
        o.what = "ended with exit code " + std::to_string(code) + call;
    } else {
        o.kind = report.failed == 0 ? Kind::RanOut : Kind::Clean;
    }
    return o;
}

// Waits for any replay; marks those past the time limit and stops them.
std::pair<std::size_t, int> wait_any(std::vector<Replay> &running, double limit_seconds) {
    for (;;) {
        int status = 0;
        pid_t pid = waitpid(-1, &status, WNOHANG);
        if (pid > 0) {
            for (std::size_t i = 0; i < running.size(); ++i)
                if (running[i].pid == pid) return {i, status};
            continue;
        }
        for (Replay &r : running) {
            if (r.timed_out) continue;
            if (std::chrono::duration<double>(Clock::now() - r.started).count() > limit_seconds) {
                r.timed_out = true;
                kill(r.pid, SIGKILL);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string seconds_since(Clock::time_point start) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", std::chrono::duration<double>(Clock::now() - start).count());
    return text;
}

// The scenario must play cleanly with no call failed, or every finding would be its own.
int check_baseline(const Setup &setup, double limit, long *calls) {
    std::vector<Replay> running{start_replay(setup, 0)};
    const int status = wait_any(running, limit).second;
    const Outcome o = judge(running[0], status);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : kExitCrash;
    if (o.kind == Kind::RanOut && code == kExitOk) {
        *calls = o.calls;
        std::error_code ec;
        fs::remove_all(running[0].dir, ec);
        return kExitOk;
    }
    std::fprintf(stderr, "nxhost: faults: the scenario does not play cleanly with no call failed (%s); "
                         "nxhost run says:\n%s",
                 o.what.empty() ? ("exit code " + std::to_string(code)).c_str() : o.what.c_str(),
                 replay_lines(running[0]).c_str());
    std::error_code ec;
    fs::remove_all(setup.work_dir, ec);
    return code == kExitOk ? kExitFaults : code;
}

int run_pass(const FaultsOptions &options, const Setup &setup) {
    const Clock::time_point start = Clock::now();
    long total = 0;
    if (int code = check_baseline(setup, options.replay_seconds, &total); code != kExitOk) return code;
    const std::string which = options.stride > 1 ? " and every " + std::to_string(options.stride) + "th after it"
                                                 : " and each after it";
    const std::string most = options.max_calls > 0 ? ", at most " + std::to_string(options.max_calls) + " replays" : "";
    std::fprintf(stderr, "faults: the add-on makes %ld NX calls in this scenario; failing call %ld%s%s\n", total,
                 options.first_call, which.c_str(), most.c_str());

    Tally tally;
    std::vector<Replay> running;
    long next = options.first_call, started = 0, finished = 0;
    bool ran_out = false, kept = false;
    while (!running.empty() || (!ran_out && (options.max_calls == 0 || started < options.max_calls))) {
        while (!ran_out && (options.max_calls == 0 || started < options.max_calls) &&
               static_cast<long>(running.size()) < options.jobs) {
            running.push_back(start_replay(setup, next));
            next += options.stride;
            ++started;
        }
        auto [index, status] = wait_any(running, options.replay_seconds);
        const Replay replay = running[index];
        running.erase(running.begin() + static_cast<long>(index));
        const Outcome o = judge(replay, status);
        tally.misuse += o.misuse_lines;
        if (o.kind == Kind::RanOut) ran_out = true;
        else ++tally.tried;
        if (o.kind == Kind::Crash) ++tally.crashes;
        if (o.kind == Kind::Leak) ++tally.leaks;
        if (o.kind == Kind::Other) ++tally.other;
        std::error_code ec;
        if (o.kind == Kind::RanOut || o.kind == Kind::Clean) {
            fs::remove_all(replay.dir, ec);
        } else {
            kept = true;
            std::fprintf(stderr, "faults: call %ld: %s; replay kept in %s\n%s", replay.call, o.what.c_str(),
                         replay.dir.c_str(), replay_lines(replay).c_str());
        }
        if (++finished % options.progress_every == 0)
            std::fprintf(stderr, "faults: %ld replays, up to call %ld of %ld: %s (%s)\n", finished,
                         next - options.stride, total, summary(tally).c_str(), seconds_since(start).c_str());
    }
    std::error_code ec;
    if (!kept) fs::remove_all(setup.work_dir, ec);
    std::printf("faults: %s\n", summary(tally).c_str());
    std::fprintf(stderr, "faults: %ld replays in %s\n", finished, seconds_since(start).c_str());
    const bool clean = tally.crashes == 0 && tally.leaks == 0 && tally.misuse == 0 && tally.other == 0;
    return clean ? kExitOk : kExitFaults;
}

}  // namespace

int run_faults(const FaultsOptions &options) {
    signal(SIGPIPE, SIG_IGN);
    Setup setup;
    setup.run = &options.run;
    std::error_code ec;
    setup.self = fs::read_symlink("/proc/self/exe", ec).string();
    if (ec) {
        std::fprintf(stderr, "nxhost: faults: cannot find this program to replay with: %s\n", ec.message().c_str());
        return kExitInput;
    }
    if (!fs::is_regular_file(options.run.script, ec)) {
        std::fprintf(stderr, "nxhost: faults: the script '%s' is not a file\n", options.run.script.c_str());
        return kExitInput;
    }
    std::string pattern = (fs::temp_directory_path(ec) / "nxhost-faults-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
        std::fprintf(stderr, "nxhost: faults: cannot make a work folder in the temporary directory\n");
        return kExitInput;
    }
    setup.work_dir = pattern;
    try {
        if (!options.run.nx_root.empty()) setup.nx_root = existing_directory(options.run.nx_root, "--nx-root");
        else if (fs::is_directory(default_nx_root(), ec)) setup.nx_root = default_nx_root();
        return run_pass(options, setup);
    } catch (const SetupError &e) {
        std::fprintf(stderr, "nxhost: faults: %s\n", e.what());
        fs::remove_all(setup.work_dir, ec);
        return kExitInput;
    }
}

}  // namespace nxhost::runner
