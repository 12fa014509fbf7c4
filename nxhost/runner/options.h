// The command line of nxhost: what to run and where the add-on's drives live.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace nxhost::runner {

// Bad usage of the command line; the message says what is wrong, without the usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A host directory that appears as a whole drive ("D" -> /srv/conf).
struct Drive {
    char letter = 'D';  // upper case
    std::string host_dir;
};

// A host directory that appears at a deeper Windows folder (D:\qz_conf\lang -> /srv/lang-en),
// or as a network share (\\server\tasks -> /srv/tasks).
struct Mount {
    std::string windows_prefix;
    std::string host_dir;
};

enum class Language { Chinese, English };

struct RunOptions {
    std::string script;
    std::vector<Drive> drives;
    std::vector<Mount> mounts;
    std::string part;                      // Windows path of the display part; "" = none
    bool release_given = false;
    std::string release;
    std::string out_dir;                   // "" = transcript to stdout only, nothing saved
    std::string addon;                     // "" = the add-on of this build (see usage_text)
    std::vector<std::string> dialog_dirs;  // empty = "dialogs" beside the add-on
    Language language = Language::Chinese;
    std::string nx_root;                   // "" = the NX folder of this build (see usage_text)
    std::string cam_config;                // Windows path of the CAM configuration; "" = NX's own
    std::vector<std::string> read_only;    // Windows folders below which writes are refused
    std::string node_name;                 // "" = the host's own
    bool save_in_place = false;            // UF_PART_save writes the part's own file
    // Set by nxhost faults for each replay it starts, never by a user (not in the usage text).
    long fail_call = 0;                    // the add-on's NX call of this number fails; 0 = none
    std::string fault_report;              // where the replay writes what it saw; "" = nowhere
};

// nxhost faults: the run options of the scenario, and how much of the pass to make.
struct FaultsOptions {
    RunOptions run;                 // out_dir stays empty: each replay has its own
    long first_call = 1;            // the first call to fail
    long stride = 1;                // then every stride-th call after it
    long max_calls = 0;             // replays to make at most; 0 = until the calls run out
    long jobs = 1;                  // replays at a time
    long progress_every = 100;      // a progress line on stderr after this many replays
    double replay_seconds = 120.0;  // a replay still going after this long is stopped (a hang)
};

struct TreeOptions {
    std::string part;
    std::vector<Drive> drives;
    std::vector<Mount> mounts;
    std::vector<std::string> views;  // CAM views to print; empty = the program order view
};

struct PictureOptions {
    std::string part;
    std::vector<Drive> drives;
    std::vector<Mount> mounts;
    std::string html;  // host path of the page to write
};

struct WorkerOptions {
    std::string task_dir;            // host directory shared by the background computers
    std::vector<Drive> drives;
    std::vector<Mount> mounts;
    bool once = false;               // until no task is left, else watch the directory
    double poll_seconds = 10.0;      // between looks at the directory when watching
    double settle_seconds = 10.0;    // how long a task's files must stay unchanged before it is taken
};

struct CheckConfigOptions {
    std::string dir;                       // the configuration root, or a drive root holding qz_conf
    std::vector<std::string> dialog_dirs;  // empty = "dialogs" beside the add-on of this build
    bool english_given = false;
    std::string english;                   // the English catalogues; default: lang-en beside qz_conf
};

enum class Command { Help, Run, Tree, Picture, Worker, CheckConfig, Faults };

struct CommandLine {
    Command command = Command::Help;
    RunOptions run;
    TreeOptions tree;
    PictureOptions picture;
    WorkerOptions worker;
    CheckConfigOptions check_config;
    FaultsOptions faults;
};

// Parses the arguments after the program name. Throws UsageError.
CommandLine parse_command_line(const std::vector<std::string> &args);

// What --help prints.
std::string usage_text();

}  // namespace nxhost::runner
