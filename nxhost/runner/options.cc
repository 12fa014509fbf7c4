#include "nxhost/runner/options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace nxhost::runner {
namespace {

// Walks the arguments; an option's value may follow it or be joined with '='.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string> &args) : args_(args) {}

    bool done() const { return next_ >= args_.size(); }
    const std::string &take() { return args_[next_++]; }

    // Splits "--name=value" into name and value; value_given says whether '=' was there.
    static std::string option_name(const std::string &arg, std::string *value, bool *value_given) {
        std::size_t eq = arg.find('=');
        *value_given = eq != std::string::npos;
        *value = *value_given ? arg.substr(eq + 1) : std::string();
        return arg.substr(0, eq);
    }

    std::string value_of(const std::string &name, const std::string &joined, bool joined_given) {
        if (joined_given) {
            if (joined.empty()) throw UsageError(name + " needs a value");
            return joined;
        }
        if (done() || args_[next_].empty()) throw UsageError(name + " needs a value");
        return take();
    }

private:
    const std::vector<std::string> &args_;
    std::size_t next_ = 0;
};

// "D:\..." or "\\server\share...".
bool is_rooted_windows_path(const std::string &path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) return true;
    return path.size() > 2 && separator(path[0]) && separator(path[1]) && !separator(path[2]);
}

// "D=/some/dir" -> drive D.
Drive parse_drive(const std::string &value) {
    std::size_t eq = value.find('=');
    if (eq != 1 || !std::isalpha(static_cast<unsigned char>(value[0])))
        throw UsageError("--drive takes LETTER=DIR (for example D=conf), not '" + value + "'");
    if (eq + 1 >= value.size()) throw UsageError("--drive " + value + " names no directory");
    return {static_cast<char>(std::toupper(static_cast<unsigned char>(value[0]))), value.substr(eq + 1)};
}

// "D:\qz_conf\lang=/some/dir" -> mount. The Windows path itself never holds '=', so the first
// one separates.
Mount parse_mount(const std::string &value) {
    std::size_t eq = value.find('=');
    if (eq == std::string::npos || eq + 1 >= value.size())
        throw UsageError("--mount takes WINPATH=DIR (for example 'D:\\qz_conf\\lang=lang-en'), not '" +
                         value + "'");
    std::string prefix = value.substr(0, eq);
    if (!is_rooted_windows_path(prefix))
        throw UsageError("--mount needs a Windows path with a drive letter or a network share, not '" + prefix + "'");
    return {prefix, value.substr(eq + 1)};
}

// "E:\tasks" or "\\server\share\tasks" -> a folder writes are refused below.
std::string parse_read_only(const std::string &value) {
    if (!is_rooted_windows_path(value) || value.find('|') != std::string::npos)
        throw UsageError("--read-only takes a Windows folder with a drive letter or a network share, not '" +
                         value + "'");
    return value;
}

std::string parse_view(const std::string &value) {
    for (const char *view : {"program", "machine", "geometry", "method", "all"})
        if (value == view) return value;
    throw UsageError("--view takes program, machine, geometry, method or all, not '" + value + "'");
}

void set_once(std::string *target, bool *seen, const std::string &name, const std::string &value) {
    if (*seen) throw UsageError(name + " given twice");
    *seen = true;
    *target = value;
}

// A number of seconds, not negative (above 0 when `positive`).
double parse_seconds(const std::string &name, const std::string &value, bool positive) {
    char *end = nullptr;
    const double seconds = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !(seconds >= 0.0) || seconds > 86400.0 || (positive && seconds == 0.0))
        throw UsageError(name + " takes a number of seconds" + (positive ? " above 0" : "") + " up to 86400, not '" +
                         value + "'");
    return seconds;
}

// A whole number from `least` to `most`.
long parse_count(const std::string &name, const std::string &value, long least, long most) {
    char *end = nullptr;
    errno = 0;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || n < least || n > most)
        throw UsageError(name + " takes a whole number from " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not '" + value + "'");
    return n;
}

// The options of a fault pass beyond those of run; false when `name` is not one of them.
bool take_faults_option(Arguments &in, const std::string &name, const std::string &joined, bool joined_given,
                        FaultsOptions *faults, std::vector<std::string> *seen) {
    struct Counted {
        const char *name;
        long least, most;
        long *target;
    };
    const Counted counted[] = {
        {"--from", 1, 100000000, &faults->first_call},  {"--stride", 1, 100000000, &faults->stride},
        {"--max-calls", 1, 100000000, &faults->max_calls}, {"--jobs", 1, 64, &faults->jobs},
        {"--progress", 1, 100000000, &faults->progress_every},
    };
    auto first_time = [&] {
        for (const std::string &before : *seen)
            if (before == name) throw UsageError(name + " given twice");
        seen->push_back(name);
    };
    for (const Counted &c : counted) {
        if (name != c.name) continue;
        first_time();
        *c.target = parse_count(name, in.value_of(name, joined, joined_given), c.least, c.most);
        return true;
    }
    if (name != "--timeout") return false;
    first_time();
    faults->replay_seconds = parse_seconds(name, in.value_of(name, joined, joined_given), true);
    return true;
}

// The options of run; with `faults` those of a fault pass, which plays the same scenario.
RunOptions parse_run(Arguments &in, FaultsOptions *faults) {
    const std::string command = faults ? "faults" : "run";
    RunOptions run;
    bool script_seen = false, part_seen = false, out_seen = false, addon_seen = false, lang_seen = false,
         root_seen = false, config_seen = false, node_seen = false, fail_seen = false, report_seen = false;
    std::string lang, fail_call;
    std::vector<std::string> faults_seen;
    while (!in.done()) {
        const std::string &arg = in.take();
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (script_seen) throw UsageError("unexpected argument '" + arg + "' (the script is already '" +
                                              run.script + "')");
            if (arg.empty()) throw UsageError("the script path is empty");
            script_seen = true;
            run.script = arg;
            continue;
        }
        std::string joined;
        bool joined_given = false;
        std::string name = Arguments::option_name(arg, &joined, &joined_given);
        if (name == "--drive") {
            run.drives.push_back(parse_drive(in.value_of(name, joined, joined_given)));
        } else if (name == "--mount") {
            run.mounts.push_back(parse_mount(in.value_of(name, joined, joined_given)));
        } else if (name == "--dialogs") {
            run.dialog_dirs.push_back(in.value_of(name, joined, joined_given));
        } else if (name == "--part") {
            set_once(&run.part, &part_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--out" && !faults) {
            set_once(&run.out_dir, &out_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--addon") {
            set_once(&run.addon, &addon_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--nx-root") {
            set_once(&run.nx_root, &root_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--cam-config") {
            set_once(&run.cam_config, &config_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--read-only") {
            run.read_only.push_back(parse_read_only(in.value_of(name, joined, joined_given)));
        } else if (name == "--node") {
            set_once(&run.node_name, &node_seen, name, in.value_of(name, joined, joined_given));
        } else if (name == "--save-in-place") {
            if (joined_given) throw UsageError("--save-in-place takes no value");
            run.save_in_place = true;
        } else if (name == "--release") {
            set_once(&run.release, &run.release_given, name, in.value_of(name, joined, joined_given));
        } else if (name == "--lang") {
            set_once(&lang, &lang_seen, name, in.value_of(name, joined, joined_given));
            if (lang == "en") run.language = Language::English;
            else if (lang == "zh") run.language = Language::Chinese;
            else throw UsageError("--lang takes 'en' or 'zh', not '" + lang + "'");
        } else if (name == "--fail-call" && !faults) {
            set_once(&fail_call, &fail_seen, name, in.value_of(name, joined, joined_given));
            run.fail_call = parse_count(name, fail_call, 0, 1000000000);
        } else if (name == "--fault-report" && !faults) {
            set_once(&run.fault_report, &report_seen, name, in.value_of(name, joined, joined_given));
        } else if (!faults || !take_faults_option(in, name, joined, joined_given, faults, &faults_seen)) {
            const bool out = faults && name == "--out";
            throw UsageError("unknown option '" + name + "' for " + command +
                             (out ? " (each replay keeps its parts in a folder of its own)" : ""));
        }
    }
    if (!script_seen) throw UsageError(command + " needs a scenario script");
    return run;
}

// The loop of the commands that read one part: its path, --drive and --mount. `own` takes the
// command's other options (name, value reader) and returns false for one it does not know.
template <class Options, class Own>
void parse_part_command(Arguments &in, const std::string &command, Options *options, Own own) {
    bool part_seen = false;
    while (!in.done()) {
        const std::string &arg = in.take();
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (arg.empty()) throw UsageError("the part path is empty");
            set_once(&options->part, &part_seen, "the part", arg);
            continue;
        }
        std::string joined;
        bool joined_given = false;
        std::string name = Arguments::option_name(arg, &joined, &joined_given);
        auto value = [&] { return in.value_of(name, joined, joined_given); };
        if (name == "--drive") options->drives.push_back(parse_drive(value()));
        else if (name == "--mount") options->mounts.push_back(parse_mount(value()));
        else if (!own(name, value)) throw UsageError("unknown option '" + name + "' for " + command);
    }
    if (!part_seen) throw UsageError(command + " needs a part");
}

TreeOptions parse_tree(Arguments &in) {
    TreeOptions tree;
    parse_part_command(in, "tree", &tree, [&](const std::string &name, auto value) {
        if (name != "--view") return false;
        tree.views.push_back(parse_view(value()));
        return true;
    });
    return tree;
}

PictureOptions parse_picture(Arguments &in) {
    PictureOptions picture;
    bool html_seen = false;
    parse_part_command(in, "picture", &picture, [&](const std::string &name, auto value) {
        if (name != "--html") return false;
        set_once(&picture.html, &html_seen, name, value());
        return true;
    });
    if (!html_seen) throw UsageError("picture needs --html OUT, the page to write");
    return picture;
}

WorkerOptions parse_worker(Arguments &in) {
    WorkerOptions worker;
    bool dir_seen = false, poll_seen = false, settle_seen = false;
    std::string ignored;
    while (!in.done()) {
        const std::string &arg = in.take();
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (arg.empty()) throw UsageError("the task directory is empty");
            set_once(&worker.task_dir, &dir_seen, "the task directory", arg);
            continue;
        }
        std::string joined;
        bool joined_given = false;
        std::string name = Arguments::option_name(arg, &joined, &joined_given);
        if (name == "--drive") {
            worker.drives.push_back(parse_drive(in.value_of(name, joined, joined_given)));
        } else if (name == "--mount") {
            worker.mounts.push_back(parse_mount(in.value_of(name, joined, joined_given)));
        } else if (name == "--once") {
            if (joined_given) throw UsageError("--once takes no value");
            if (worker.once) throw UsageError("--once given twice");
            worker.once = true;
        } else if (name == "--poll") {
            set_once(&ignored, &poll_seen, name, in.value_of(name, joined, joined_given));
            worker.poll_seconds = parse_seconds(name, ignored, true);
        } else if (name == "--settle") {
            set_once(&ignored, &settle_seen, name, in.value_of(name, joined, joined_given));
            worker.settle_seconds = parse_seconds(name, ignored, false);
        } else {
            throw UsageError("unknown option '" + name + "' for worker");
        }
    }
    if (!dir_seen) throw UsageError("worker needs a task directory");
    if (worker.once && poll_seen) throw UsageError("--once and --poll exclude each other");
    return worker;
}

CheckConfigOptions parse_check_config(Arguments &in) {
    CheckConfigOptions check;
    bool dir_seen = false;
    while (!in.done()) {
        const std::string &arg = in.take();
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (arg.empty()) throw UsageError("the configuration directory is empty");
            set_once(&check.dir, &dir_seen, "the configuration directory", arg);
            continue;
        }
        std::string joined;
        bool joined_given = false;
        std::string name = Arguments::option_name(arg, &joined, &joined_given);
        if (name == "--dialogs") check.dialog_dirs.push_back(in.value_of(name, joined, joined_given));
        else if (name == "--lang-en") set_once(&check.english, &check.english_given, name, in.value_of(name, joined, joined_given));
        else throw UsageError("unknown option '" + name + "' for check-config");
    }
    if (!dir_seen) throw UsageError("check-config needs a configuration directory");
    return check;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string> &args) {
    CommandLine line;
    if (args.empty()) throw UsageError("no command given");
    Arguments in(args);
    const std::string &command = in.take();
    if (command == "--help" || command == "-h" || command == "help") {
        if (!in.done()) throw UsageError("help takes no arguments");
        line.command = Command::Help;
    } else if (command == "run") {
        line.command = Command::Run;
        line.run = parse_run(in, nullptr);
    } else if (command == "faults") {
        line.command = Command::Faults;
        line.faults.run = parse_run(in, &line.faults);
    } else if (command == "tree") {
        line.command = Command::Tree;
        line.tree = parse_tree(in);
    } else if (command == "picture") {
        line.command = Command::Picture;
        line.picture = parse_picture(in);
    } else if (command == "worker") {
        line.command = Command::Worker;
        line.worker = parse_worker(in);
    } else if (command == "check-config") {
        line.command = Command::CheckConfig;
        line.check_config = parse_check_config(in);
    } else {
        throw UsageError("unknown command '" + command + "'");
    }
    return line;
}

std::string usage_text() {
    return R"(usage:
  nxhost run SCRIPT [options]   play SCRIPT against the add-on as NX would run it
  nxhost tree PART [--drive X=DIR]... [--mount WINPATH=DIR]... [--view VIEW]...
                                print the objects of a part; VIEW is a view of its CAM
                                tree: program (default), machine, geometry, method or all
  nxhost picture PART --html OUT [--drive X=DIR]... [--mount WINPATH=DIR]...
                                write one self-contained HTML page OUT drawing the part:
                                bodies, MCS, blanks, clearance plane, start points and
                                each operation's cut area and bottom level (see "picture")
  nxhost worker TASKDIR [--drive X=DIR]... [--mount WINPATH=DIR]... [--once | --poll SECONDS]
                [--settle SECONDS]
                                compute the tasks the add-on's background post leaves in
                                TASKDIR (see "options of worker")
  nxhost check-config DIR [--dialogs DIR]... [--lang-en DIR]
                                check a configuration folder against what the add-on
                                reads (see "check-config")
  nxhost faults SCRIPT [options] replay SCRIPT once per NX call of the add-on, failing
                                call 1, 2, 3 ... in turn (see "options of faults")
  nxhost --help                 this text

options of run:
  --drive X=DIR        show host directory DIR to the add-on as drive X: (repeatable)
  --mount WINPATH=DIR  show DIR at a deeper Windows folder, e.g. 'D:\qz_conf\lang=DIR'
                       (repeatable; the longest matching folder wins over the drive)
  --lang zh|en         message catalogues: zh (default) the GBK ones in D:\qz_conf\lang,
                       en the English ones in the folder lang-en at the root of drive D:
  --part X:\PATH.prt   open this part as the display part before the add-on starts
  --release TEXT       release text the add-on sees (default V12.0.2.9)
  --nx-root DIR        the NX folder (UGII_BASE_DIR, shown as C:\Program Files\Siemens\NX):
                       CAM configuration, library parts and the qz extension libraries
                       (default: ../nxroot from the folder that holds this nxhost)
  --cam-config WINPATH the CAM configuration file (UGII_CAM_CONFIG; default: NX's own,
                       MACH\resource\configuration\cam_general.dat in the NX folder)
  --out DIR            write transcript.txt and every part the add-on changed (as NAME.prt)
                       into DIR; without it the transcript goes to stdout only and nothing
                       is saved. The add-on's own saves (UF_PART_save) go there too unless
                       --save-in-place is given
  --save-in-place      UF_PART_save writes each part's own file, as NX does
  --read-only WINPATH  refuse writes below this Windows folder, as a share the user may
                       only read (repeatable)
  --node NAME          the machine's network name as UF_ask_system_info reports it
                       (default: this host's name)
  --addon PATH         the add-on library (default: the add-on of this build,
                       ../torvane/torvane.so from the folder that holds this nxhost)
  --dialogs DIR        folder of the dialog layout files (repeatable; default: dialogs/
                       beside the add-on library)

The transcript goes to stdout, one line per shown text: [message], [listing], [status],
[prompt], [dialog], [console], ... Chinese texts are shown as UTF-8.

options of worker:
  --drive, --mount     as for run: where Windows paths in the parts lead
  --once               take every task there is, then stop (when no task is left)
  --poll SECONDS       watch TASKDIR, looking every SECONDS (default 10) until stopped
                       with Ctrl-C or SIGTERM (the task in hand is finished first)
  --settle SECONDS     take a task only once its record and part have stayed unchanged
                       for SECONDS (default 10): the post writes the record first and
                       copies the part after it

  Each task (<short>.temp of 772 bytes and its part) is claimed by renaming its record
  into TASKDIR/work/<host>-<pid>, so that workers on several computers sharing TASKDIR
  never take the same one. Every operation whose tool path is not generated is generated;
  the result goes to TASKDIR/done (<short>.prt, <short>.log, <short>.temp), a task that
  cannot be done to TASKDIR/failed with the part and a log saying why.

check-config:
  DIR is the configuration root (what the add-on sees as D:\qz_conf) or a folder holding
  it as qz_conf. Checked: every key of config.def, config_cam.def and the library names,
  the tool and holder tables, the template set (each entry a template part with a CAM
  setup), the insert definitions against their template parts, every catalogue tag the
  add-on looks up in the Chinese catalogues and in the English ones (--lang-en DIR;
  default: lang-en beside the configuration root, when there is one) and every dialog item
  it uses in the layouts (--dialogs DIR, repeatable; default: dialogs/ beside the add-on).
  One line per finding: FILE:LINE: error|warning: MESSAGE (line 1 when something is
  missing from the file). Exit code 0 clean, 9 warnings only, 10 errors.

picture:
  The page needs no network: the part's data and the script that draws it are inside it.
  It shows three views along the axes (top, front, right side) and a 3D view turned by
  dragging and zoomed by the wheel; picking an operation in its list highlights the
  faces it cuts and draws its bottom level (floor plane, lowest cut level or lowest
  boundary plane). Electrodes are the solids without an IS_CLAMP or IS_ELEC_BOT_BLOCK
  mark. A part without a CAM setup gives a page of its bodies that says so (exit 0).

options of faults: those of run except --out, and
  --from N             the first call to fail (default 1)
  --stride K           after it, fail every K-th call only (default 1: every call)
  --max-calls N        make at most N replays (default: until a replay fails no call)
  --jobs J             replays at a time (default 1)
  --progress N         a progress line on stderr every N replays (default 100)
  --timeout SECONDS    a replay still going after this long counts as a crash (default 120)

  Each replay is a fresh nxhost run on fresh copies of the drive, mount and NX folders,
  its parts saved in a folder of its own. A replay counts as a crash when it dies of a
  signal or the add-on crashes, as a leak when it leaves NX memory unfreed or the session
  open, and each API misuse line it prints counts. The pass ends with the line
    faults: N calls tried, C crashes, L leaks, M misuse lines
  and exits 0 only when all three are 0 (11 otherwise); a scenario that does not play
  cleanly with no call failed ends the pass first, with the exit code of that run.

exit codes:
  0 done   1 bad usage   2 bad script, part or directory   3 the script and the add-on
  disagree   4 the add-on crashed   5 the add-on cannot be loaded   6 session left open,
  NX memory not freed or API misused   7 a changed part or the picture could not be
  written   8 (worker) a task failed or could not be taken   9 (check-config) warnings only
  10 (check-config) errors found   11 (faults) a replay crashed, leaked, misused the API or
  ended otherwise than a run may
)";
}

}  // namespace nxhost::runner
