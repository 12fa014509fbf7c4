#include "nxhost/worker/task_dir.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "nxhost/worker/task_record.h"

namespace nxhost::worker {
namespace {

std::string errno_text(int code) { return std::strerror(code); }

bool exists(const std::string &path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool is_directory(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void make_folder(const std::string &path) {
    if (::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && is_directory(path))) return;
    throw TaskDirError("cannot make " + path + " (" + errno_text(errno) +
                       "): a worker needs to write into the task directory");
}

// The entries of a folder of the given kind, in name order.
std::vector<std::string> entries(const std::string &dir, bool folders) {
    std::vector<std::string> names;
    DIR *d = ::opendir(dir.c_str());
    if (!d) return names;
    while (const dirent *e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        if (::lstat((dir + "/" + name).c_str(), &st) != 0) continue;
        if (folders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

// Moves a file without replacing one of the new name: 0, EEXIST, or another errno. A hard link
// is made and the old name dropped, so a stop in between leaves the file under both names, never
// under none. File systems without hard links fall back to a look and a rename.
int move_no_replace(const std::string &from, const std::string &to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    const int error = errno;
    if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK && error != ENOSYS) return error;
    if (exists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string absolute(const std::string &dir) {
    if (!dir.empty() && dir[0] == '/') return dir;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return dir;
    return std::string(cwd) + "/" + dir;
}

}  // namespace

std::string this_worker_name() {
    char host[256] = "";
    if (::gethostname(host, sizeof host - 1) != 0 || !host[0]) std::strcpy(host, "localhost");
    return std::string(host) + "-" + std::to_string(::getpid());
}

bool write_whole_file(const std::string &path, const std::string &bytes, std::string *error) {
    const std::string temp = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.flush();
        if (!out) {
            ::unlink(temp.c_str());
            *error = "cannot write " + temp;
            return false;
        }
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        *error = "cannot rename " + temp + " to " + path + " (" + errno_text(errno) + ")";
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

TaskDir::TaskDir(const std::string &root, const std::string &worker) : worker_(worker) {
    if (root.empty()) throw TaskDirError("the task directory is empty");
    root_ = absolute(root);
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
    if (!exists(root_)) throw TaskDirError("task directory " + root_ + " does not exist");
    if (!is_directory(root_)) throw TaskDirError("task directory " + root_ + " is not a directory");
    make_folder(root_ + "/work");
    make_folder(done());
    make_folder(failed());
    own_ = root_ + "/work/" + worker_;
    make_folder(own_);
}

std::vector<std::string> TaskDir::records() const {
    std::vector<std::string> found;
    for (const std::string &name : entries(root_, false))
        if (!record_stem(name).empty()) found.push_back(name);
    return found;
}

TaskDir::Claim TaskDir::claim(const std::string &record, std::string *error) const {
    if (::rename((root_ + "/" + record).c_str(), (own_ + "/" + record).c_str()) == 0) return Claim::Taken;
    if (errno == ENOENT) return Claim::Gone;
    *error = "cannot take " + root_ + "/" + record + " (" + errno_text(errno) + ")";
    return Claim::Error;
}

std::string TaskDir::file_into(const std::string &dest, const std::string &short_name, const std::vector<Filed> &files,
                               std::string *error) {
    std::string first_stem;
    std::size_t next = 0;
    for (int n = 1; next < files.size(); ++n) {
        const std::string stem = n == 1 ? short_name : short_name + "-" + std::to_string(n);
        // A stem another task's log or record holds is taken even when this task files neither.
        bool free = !exists(dest + "/" + stem + ".log") && !exists(dest + "/" + stem + kTaskRecordSuffix);
        for (std::size_t i = next; i < files.size() && free; ++i) free = !exists(dest + "/" + stem + files[i].suffix);
        if (!free) continue;
        // Another worker may take the stem between the look and the move: the move then says so
        // and the rest go on under the next free stem.
        while (next < files.size()) {
            const std::string to = dest + "/" + stem + files[next].suffix;
            const int result = move_no_replace(files[next].from, to);
            if (result == EEXIST) break;
            if (result != 0) {
                *error = "cannot move " + files[next].from + " to " + to + " (" + errno_text(result) + ")";
                return "";
            }
            if (first_stem.empty()) first_stem = stem;
            ++next;
        }
    }
    return first_stem;
}

std::vector<std::string> TaskDir::stopped_workers() const {
    std::vector<std::string> stopped;
    const std::string host = worker_.substr(0, worker_.rfind('-'));
    for (const std::string &name : entries(root_ + "/work", true)) {
        const std::size_t dash = name.rfind('-');
        if (name == worker_ || dash == std::string::npos || name.substr(0, dash) != host) continue;
        const std::string pid_text = name.substr(dash + 1);
        if (pid_text.empty() || pid_text.find_first_not_of("0123456789") != std::string::npos) continue;
        const long pid = std::strtol(pid_text.c_str(), nullptr, 10);
        // A pid that lives again as another process keeps its folder: only a folder whose
        // process is surely gone is taken over.
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            stopped.push_back(root_ + "/work/" + name);
    }
    return stopped;
}

void TaskDir::leave() const { ::rmdir(own_.c_str()); }

}  // namespace nxhost::worker
