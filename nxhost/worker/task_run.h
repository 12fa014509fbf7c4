// One task of the background computer, from its claimed record to done/ or failed/.
#pragma once

#include <ostream>
#include <string>

#include "nxhost/worker/task_dir.h"

namespace nxhost::worker {

enum class TaskEnd {
    Done,    // filed into done/
    Failed,  // filed into failed/, the log says why
    Stuck,   // could not be filed: the directory refused a move; what is left stays where it was
};

// Computes the task whose record this worker claimed (in dir.own() under `record`): moves its
// part beside the record, opens it headless in the stand-in, generates the path of every
// operation whose path is not generated, saves the result whole under a new name and files
// part, log and record into done/ (every operation generated) or failed/ (a bad record, a
// missing or unreadable part, no operation, an operation refused, a failed save). The posted
// part is removed only once the result holding it is filed. Progress lines go to `progress`,
// one line naming the file and the reason of a failure to `errors`.
TaskEnd run_task(const TaskDir &dir, const std::string &record, std::ostream &progress, std::ostream &errors);

// Files whatever a worker left in `folder` (a task it was on when it stopped) into failed/, with a
// log saying `reason`. Done when the folder is empty.
TaskEnd file_leftovers(const TaskDir &dir, const std::string &folder, const std::string &reason,
                       std::ostream &progress, std::ostream &errors);

}  // namespace nxhost::worker
