#include "nxhost/worker/task_run.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

#include "nxhost/cam/cam_model.h"
#include "nxhost/cam/generate.h"
#include "nxhost/core/reset.h"
#include "nxhost/parts/parts.h"
#include "nxhost/worker/task_record.h"

namespace nxhost::worker {
namespace {

using Clock = std::chrono::steady_clock;

std::string seconds_since(Clock::time_point start) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", std::chrono::duration<double>(Clock::now() - start).count());
    return text;
}

std::string local_time_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

bool exists(const std::string &path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool read_bytes(const std::string &path, std::string *bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream all;
    all << in.rdbuf();
    *bytes = all.str();
    return true;
}

// What the operations of a part came to.
struct Generated {
    int generated = 0, kept = 0, failed = 0;
};

// One task as it goes: where its files are, what its log says.
class Task {
public:
    Task(const TaskDir &dir, const std::string &record, std::ostream &progress, std::ostream &errors)
        : dir_(dir), record_(record), short_(record_stem(record)), progress_(progress), errors_(errors) {
        log("task " + record_ + " of " + dir_.root());
        log("worker " + dir_.worker() + ", started " + local_time_now());
    }

    TaskEnd run();

private:
    std::string own(const std::string &name) const { return dir_.own() + "/" + name; }
    void log(const std::string &line) { log_ += line + "\n"; }
    void say(const std::string &line) { progress_ << short_ << ": " << line << std::endl; }

    bool take_part(std::string *why);
    bool open_part(std::string *why);
    bool generate(std::string *why);
    TaskEnd fail(const std::string &why);
    TaskEnd file(const std::string &dest, bool done);

    const TaskDir &dir_;
    std::string record_, short_;
    std::ostream &progress_, &errors_;
    Clock::time_point start_ = Clock::now();
    std::string log_;
    TaskRecord task_;
    std::string extension_ = ".prt";  // until the record says
    std::string part_;                // host path of the posted part once beside the record
    std::string result_;              // host path of the saved result, "" until saved
    tag_t part_tag_ = NULL_TAG;
    Generated counts_;
    std::string refused_;  // why each refused operation was refused
};

TaskEnd Task::run() {
    say("claimed by " + dir_.worker());
    std::string bytes, why;
    if (!read_bytes(own(record_), &bytes)) return fail("the task record cannot be read");
    if (!parse_task_record(bytes, &task_, &why)) return fail(why);
    extension_ = task_.extension;
    const std::string posted = "posted by " + (task_.posted_by.empty() ? std::string("an unnamed computer") : task_.posted_by) +
                               ": " + task_.part_name;
    say(posted);
    log(posted);
    if (task_.short_name != short_)
        return fail("the record is named " + record_ + " but carries the task of part " + task_.short_name);
    if (!take_part(&why) || !open_part(&why) || !generate(&why)) return fail(why);
    return file(dir_.done(), true);
}

// The part moves beside the record: from now on no other worker sees it.
bool Task::take_part(std::string *why) {
    const std::string name = short_ + extension_;
    if (::rename((dir_.root() + "/" + name).c_str(), own(name).c_str()) != 0) {
        *why = errno == ENOENT ? "the part file " + name + " is missing from the task directory"
                               : "the part file " + name + " cannot be taken (" + std::strerror(errno) + ")";
        return false;
    }
    part_ = own(name);
    return true;
}

bool Task::open_part(std::string *why) {
    reset_all();
    std::string error;
    part_tag_ = load_part(part_, &error);
    if (part_tag_ == NULL_TAG) {
        // The loader names the file by the path it was given, the worker's folder: the task's
        // own name says more.
        if (error.compare(0, part_.size(), part_) == 0) error = short_ + extension_ + error.substr(part_.size());
        *why = "the part cannot be opened: " + error;
        return false;
    }
    say("opened " + short_ + extension_);
    return true;
}

// Every operation of the program order view, the unused ones too, in program order; a path
// generated already is kept as it is.
bool Task::generate(std::string *why) {
    const tag_t setup = cam::setup_of_part(part_tag_);
    if (setup == NULL_TAG) {
        *why = "the part has no CAM setup: there is nothing to generate";
        return false;
    }
    const std::vector<tag_t> opers = cam::operations_under(cam::cam_object(setup)->roots[cam::kProgramView]);
    if (opers.empty()) {
        *why = "the part's CAM setup holds no operation: there is nothing to generate";
        return false;
    }
    for (tag_t oper : opers) {
        const std::string name = cam::name_of(oper);
        if (cam::cam_object(oper)->path.generated) {
            ++counts_.kept;
            log("operation " + name + ": already generated (" + cam::cam_object(oper)->path.summary + ")");
            continue;
        }
        const cam::Generation made = cam::generate_path(oper);
        if (made.code == 0) {
            ++counts_.generated;
            log("operation " + name + ": generated (" + made.summary + ")");
        } else {
            ++counts_.failed;
            refused_ += (refused_.empty() ? "" : "; ") + made.why;
            log("operation " + name + ": failed: " + made.why);
        }
    }
    const int pending = counts_.generated + counts_.failed;
    std::string tally = "operations generated " + std::to_string(counts_.generated) + "/" + std::to_string(pending);
    if (counts_.failed) tally += ", " + std::to_string(counts_.failed) + " failed";
    if (counts_.kept) tally += ", " + std::to_string(counts_.kept) + " generated before";
    say(tally);
    log(tally);
    if (counts_.generated > 0) {
        const std::string saved = own(short_ + ".result" + extension_);
        std::string error;
        if (!save_part_as(part_tag_, saved, &error)) {
            *why = "the result cannot be saved: " + error;
            return false;
        }
        result_ = saved;
    }
    reset_all();
    if (counts_.failed) {
        *why = std::to_string(counts_.failed) + " of " + std::to_string(pending) +
               " operation(s) could not be generated: " + refused_;
        return false;
    }
    return true;
}

TaskEnd Task::fail(const std::string &why) {
    reset_all();
    errors_ << "nxhost: worker: " << dir_.root() << "/" << record_ << ": " << why << std::endl;
    log("failed: " + why);
    // A bad record may not say the part's extension: the usual one is tried.
    if (part_.empty() && !short_.empty() && exists(dir_.root() + "/" + short_ + extension_)) {
        std::string ignored;
        take_part(&ignored);
    }
    return file(dir_.failed(), false);
}

// Part (the result when there is one, else the part as posted), log and record go in together;
// the posted part is dropped only when the result holding it is filed.
TaskEnd Task::file(const std::string &dest, bool done) {
    const std::string where = dest.substr(dir_.root().size() + 1);
    const std::string keep = result_.empty() ? part_ : result_;
    std::vector<Filed> files;
    if (!keep.empty()) files.push_back({keep, extension_});
    const std::string log_file = own((short_.empty() ? record_ : short_) + ".log");
    log(std::string(done ? "done" : "failed") + " in " + seconds_since(start_));
    std::string error;
    if (!write_whole_file(log_file, log_, &error)) {
        errors_ << "nxhost: worker: " << error << std::endl;
        return TaskEnd::Stuck;
    }
    files.push_back({log_file, ".log"});
    files.push_back({own(record_), kTaskRecordSuffix});
    const std::string stem = TaskDir::file_into(dest, short_.empty() ? record_ : short_, files, &error);
    if (stem.empty()) {
        errors_ << "nxhost: worker: " << error << std::endl;
        return TaskEnd::Stuck;
    }
    if (!result_.empty()) ::unlink(part_.c_str());
    const std::string filed = where + "/" + stem + (keep.empty() ? std::string(".log") : extension_);
    if (!result_.empty()) say("saved " + filed);
    say(std::string(done ? "done" : "failed") + " in " + seconds_since(start_) + ": " + filed);
    return done ? TaskEnd::Done : TaskEnd::Failed;
}

std::vector<std::string> files_in(const std::string &folder) {
    std::vector<std::string> names;
    if (DIR *d = ::opendir(folder.c_str())) {
        while (const dirent *e = ::readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TaskEnd run_task(const TaskDir &dir, const std::string &record, std::ostream &progress, std::ostream &errors) {
    return Task(dir, record, progress, errors).run();
}

TaskEnd file_leftovers(const TaskDir &dir, const std::string &folder, const std::string &reason, std::ostream &progress,
                       std::ostream &errors) {
    const std::vector<std::string> names = files_in(folder);
    if (names.empty()) return TaskEnd::Done;
    std::string short_name;
    for (const std::string &name : names)
        if (short_name.empty() && !record_stem(name).empty()) short_name = record_stem(name);
    if (short_name.empty()) short_name = names.front().substr(0, names.front().find('.'));

    std::string log_text, error;
    const std::string log_file = folder + "/" + short_name + ".log";
    std::ifstream earlier(log_file, std::ios::binary);
    if (earlier) log_text = std::string(std::istreambuf_iterator<char>(earlier), {});
    log_text += "failed: " + reason + "\n";
    std::vector<Filed> files;
    for (const std::string &name : names) {
        if (name == short_name + ".log") continue;
        log_text += "left: " + name + "\n";
        const bool own_name = name.compare(0, short_name.size(), short_name) == 0;
        files.push_back({folder + "/" + name, own_name ? name.substr(short_name.size()) : "." + name});
    }
    if (!write_whole_file(log_file, log_text, &error)) {
        errors << "nxhost: worker: " << error << std::endl;
        return TaskEnd::Stuck;
    }
    files.push_back({log_file, ".log"});
    const std::string stem = TaskDir::file_into(dir.failed(), short_name, files, &error);
    if (stem.empty()) {
        errors << "nxhost: worker: " << error << std::endl;
        return TaskEnd::Stuck;
    }
    errors << "nxhost: worker: " << folder << ": " << reason << std::endl;
    progress << short_name << ": failed: " << reason << ": failed/" << stem << ".log" << std::endl;
    return TaskEnd::Failed;
}

}  // namespace nxhost::worker
