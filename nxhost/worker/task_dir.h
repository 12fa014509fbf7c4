// The task directory that background computers share, and how a worker takes a task from it
// without another worker taking the same one.
//
//   TASKDIR/<short>.temp, <short><ext>   posted tasks: record and part
//   TASKDIR/work/<host>-<pid>/           the task one worker is on (one folder per worker)
//   TASKDIR/done/                        <short><ext> with every path generated, <short>.log, <short>.temp
//   TASKDIR/failed/                      the part (as posted, or with what could be generated),
//                                        <short>.log saying why, <short>.temp
//
// A worker claims a task by renaming its record into its own folder. rename() is atomic within
// one file system, also on a file server that several computers mount: of several workers
// renaming the same record exactly one succeeds, the others find it gone. Everything a worker
// moves stays on the task directory's file system. Nothing is overwritten: a name taken in done/
// or failed/ makes the next task of that short name <short>-2, <short>-3 ...
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace nxhost::worker {

// The task directory cannot be used at all: missing, not a directory, not writable.
class TaskDirError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file to move from a worker's folder into done/ or failed/: its host path and what follows
// the stem in its new name (".prt", ".log", ".temp").
struct Filed {
    std::string from;
    std::string suffix;
};

class TaskDir {
public:
    // Opens the task directory for the worker `worker` ("<host>-<pid>"), making work/<worker>,
    // done/ and failed/ when missing. Throws TaskDirError.
    TaskDir(const std::string &root, const std::string &worker);

    const std::string &root() const { return root_; }
    const std::string &worker() const { return worker_; }
    // This worker's folder, where a claimed task is worked on.
    const std::string &own() const { return own_; }
    std::string done() const { return root_ + "/done"; }
    std::string failed() const { return root_ + "/failed"; }

    // File names of the task records waiting at the top of the directory, in name order.
    std::vector<std::string> records() const;

    enum class Claim { Taken, Gone, Error };
    // Moves the record into this worker's folder: Taken, or Gone when another worker took it
    // first, or Error with *error.
    Claim claim(const std::string &record, std::string *error) const;

    // Moves the files into `dest` under the first stem free for all of them and for a task's log
    // and record (short_name, short_name-2 ...), never replacing a file. The stem of the first
    // file, or "" with *error when a file could not be moved (those not moved stay where they were).
    static std::string file_into(const std::string &dest, const std::string &short_name, const std::vector<Filed> &files,
                                 std::string *error);

    // Folders under work/ of workers of this host that are no longer running: whatever they hold
    // was left half done. The folders' host paths, in name order.
    std::vector<std::string> stopped_workers() const;

    // Removes this worker's folder when it is empty (the worker stops).
    void leave() const;

private:
    std::string root_, worker_, own_;
};

// "<host>-<pid>" of this process.
std::string this_worker_name();

// Writes a file whole: to a temporary name beside it, then renamed over it. False with *error.
bool write_whole_file(const std::string &path, const std::string &bytes, std::string *error);

}  // namespace nxhost::worker
