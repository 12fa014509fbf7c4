// nxhost run: mount, open the part, load the add-on, play the script, judge what is left.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/core/system_info.h"
#include "nxhost/parts/parts.h"
#include "nxhost/runner/addon.h"
#include "nxhost/runner/commands.h"
#include "nxhost/runner/console.h"
#include "nxhost/runner/crash_guard.h"
#include "nxhost/runner/environment.h"
#include "nxhost/runner/exit_codes.h"
#include "nxhost/runner/fault_report.h"
#include "nxhost/runner/save.h"
#include "nxhost/runner/transcript_sink.h"
#include "nxhost/script/picker_answer.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "nxhost/ui/transcript.h"

namespace fs = std::filesystem;

namespace nxhost::runner {
namespace {

// A replay of a fault pass: which call fails and where the replay tells what it saw.
struct FaultWatch {
    std::string report_path;  // "" = not a replay
    long calls_before = 0, failed_before = 0;
    long calls = 0, failed = 0;  // the add-on's, once it has returned
    std::string failed_call;
    bool returned = false;
};
FaultWatch static_fault_watch;

// The count starts with the add-on's first call, so that call N is the add-on's Nth whatever
// the runner did before.
void arm_fault(long fail_call) {
    FaultWatch &w = static_fault_watch;
    w.calls_before = calls_made();
    w.failed_before = calls_failed();
    fail_call_number(fail_call);
}

// No call of the runner after the add-on's is failed or counted.
void disarm_fault() {
    FaultWatch &w = static_fault_watch;
    fail_call_number(0);
    w.calls = calls_made() - w.calls_before;
    w.failed = calls_failed() - w.failed_before;
    w.failed_call = w.failed > 0 ? last_failed_call() : "";
    w.returned = true;
}

// What the replay saw; memory and session only when the add-on returned to say anything of them.
void write_fault_report() {
    FaultWatch &w = static_fault_watch;
    if (w.report_path.empty()) return;
    if (!w.returned) {
        w.calls = calls_made() - w.calls_before;
        w.failed = calls_failed() - w.failed_before;
        w.failed_call = w.failed > 0 ? last_failed_call() : "";
    }
    ReplayReport report;
    report.calls = w.calls;
    report.failed = w.failed;
    report.failed_call = w.failed_call;
    report.judged = w.returned;
    report.leaked_blocks = w.returned ? static_cast<long>(outstanding_blocks()) : 0;
    report.session_open = w.returned && session_open();
    report.misuse_lines = static_cast<long>(misuse_lines().size());
    if (!write_replay_report(w.report_path, report))
        std::fprintf(stderr, "nxhost: the replay report %s cannot be written\n", w.report_path.c_str());
}

int fail(int code, const std::string &message) {
    std::fflush(stdout);
    std::fprintf(stderr, "nxhost: %s\n", message.c_str());
    return code;
}

// The add-on is in the middle of a call when the script runs out of answers: there is no
// way back into it, so the process ends here, after the transcript so far has been written.
[[noreturn]] void on_scenario_fatal(const std::string &message) {
    std::fflush(nullptr);
    std::fprintf(stderr, "nxhost: scenario: %s\n", message.c_str());
    write_fault_report();
    std::fflush(stderr);
    _exit(kExitScenario);
}

// Makes --out and returns its absolute path; "" when not given.
std::string prepare_out_dir(const std::string &dir) {
    if (dir.empty()) return "";
    std::error_code ec;
    fs::create_directories(dir, ec);
    return existing_directory(dir, "--out");
}

// --dialogs as given, else the dialogs folder beside the add-on when there is one.
std::vector<std::string> dialog_directories(const RunOptions &options, const std::string &addon_path) {
    std::vector<std::string> dirs;
    for (const std::string &dir : options.dialog_dirs) dirs.push_back(existing_directory(dir, "--dialogs"));
    if (dirs.empty()) {
        std::error_code ec;
        fs::path beside = fs::absolute(addon_path, ec).parent_path() / "dialogs";
        if (!ec && fs::is_directory(beside, ec)) dirs.push_back(beside.lexically_normal().string());
    }
    return dirs;
}

// One line saying how many answers the add-on never asked for, and where the first one is.
int check_script_consumed() {
    std::size_t left = script::remaining();
    const script::Line *first = script::first_remaining();
    if (left == 0 || !first) return kExitOk;
    return fail(kExitScenario, "scenario: the add-on finished but " + std::to_string(left) +
                                   " answer(s) remain, the first at " + script::where(*first));
}

// What a careful NX program leaves behind: every session closed, every block of NX memory
// freed, no call misused. One line per finding.
int check_session_clean() {
    int code = kExitOk;
    if (session_open())
        code = fail(kExitUnclean, "the add-on left the NX Open session open (UF_initialize without "
                                  "UF_terminate)");
    if (outstanding_blocks() > 0)
        code = fail(kExitUnclean, "the add-on never freed " + std::to_string(outstanding_blocks()) +
                                      " block(s) of NX memory (" + std::to_string(outstanding_bytes()) +
                                      " bytes; release them with UF_free)");
    for (const std::string &line : misuse_lines()) code = fail(kExitUnclean, "API misuse: " + line);
    return code;
}

// First failure wins the exit code; every failure is reported.
int worst(int current, int next) { return current != kExitOk ? current : next; }

// Everything after the transcript is open: part, add-on, the call, and the verdict.
int play_session(const RunOptions &options, const script::Script &script, const std::string &out_dir,
                 const std::vector<std::string> &dialog_dirs, const std::string &addon_path) {
    if (options.release_given) set_release_text(options.release);
    script::play(script);

    if (!options.part.empty()) {
        std::string error;
        tag_t part = load_part(options.part, &error);
        if (part == NULL_TAG) return fail(kExitInput, error);
        set_display_part(part);
    }
    if (!out_dir.empty() && !options.save_in_place) set_save_directory(out_dir);
    if (!options.node_name.empty()) set_node_name(options.node_name);
    for (const std::string &dir : dialog_dirs) add_dialog_directory(dir);

    install_crash_guard(kExitCrash);
    auto console = std::make_unique<ConsoleCapture>();
    Addon addon;
    try {
        addon = load_addon(addon_path);
    } catch (const AddonError &e) {
        return fail(kExitAddon, std::string(e.what()) +
                                    (options.addon.empty() ? " (the default; build the add-on or give --addon PATH)" : ""));
    }

    script::set_fatal_handler(on_scenario_fatal);
    arm_fault(options.fail_call);
    try {
        call_ufusr(addon);
    } catch (const std::exception &e) {
        return fail(kExitCrash, std::string("the add-on let an exception escape ufusr: ") + e.what());
    } catch (...) {
        return fail(kExitCrash, "the add-on let an exception escape ufusr");
    }
    int code = kExitOk;
    try {
        unload_if_allowed(addon);
    } catch (const AddonError &e) {
        code = fail(kExitAddon, e.what());
    }
    disarm_fault();
    console.reset();
    remove_crash_guard();

    // The parts hold what the add-on did even when the session was untidy: keep them.
    int saved = save_changed_parts(out_dir) ? kExitOk : kExitSave;
    code = worst(code, check_script_consumed());
    code = worst(code, check_session_clean());
    write_fault_report();
    return worst(code, saved);
}

}  // namespace

int run_session(const RunOptions &options) {
    // A reader of stdout that goes away must not end the session: the transcript file and the
    // saved parts still matter.
    signal(SIGPIPE, SIG_IGN);
    script::Script script;
    try {
        script = script::parse_file(options.script);
    } catch (const script::ScriptError &e) {
        return fail(kExitInput, e.what());
    }

    static_fault_watch = FaultWatch();
    static_fault_watch.report_path = options.fault_report;
    std::string out_dir;
    std::vector<std::string> dialog_dirs;
    std::string addon_path = options.addon.empty() ? default_addon_path() : options.addon;
    try {
        mount(options.drives, options.mounts, options.language);
        mark_read_only(options.read_only);
        mount_nx_root(options.nx_root.empty() ? default_nx_root() : options.nx_root, !options.nx_root.empty(),
                      options.cam_config);
        out_dir = prepare_out_dir(options.out_dir);
        dialog_dirs = dialog_directories(options, addon_path);
    } catch (const SetupError &e) {
        return fail(kExitInput, e.what());
    }

    // The multi-file picker the add-on starts takes the scenario's answer from here.
    const std::string picker_answer =
        (fs::temp_directory_path() / ("nxhost-picker-" + std::to_string(::getpid()) + ".txt")).string();
    setenv(PICKER_ANSWER_VARIABLE, picker_answer.c_str(), 1);

    std::string error;
    std::FILE *sink = open_transcript_sink(out_dir.empty() ? "" : out_dir + "/transcript.txt", &error);
    if (!sink) return fail(kExitInput, error);
    echo_transcript_to(sink);
    int code = play_session(options, script, out_dir, dialog_dirs, addon_path);
    echo_transcript_to(nullptr);
    std::fclose(sink);
    // The NX session ends here: what the add-on left behind (reported above) is released.
    reset_all();
    std::error_code ec;
    fs::remove(picker_answer, ec);
    return code;
}

}  // namespace nxhost::runner
