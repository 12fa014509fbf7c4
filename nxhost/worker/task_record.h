// The task record the add-on's background post writes beside a part it hands to a background
// computer: <short name>.temp, one record of 772 bytes.
//
//   offset   size  field
//        0      4  int32 (little-endian), the record version: 1
//        4    256  part short name (file name without directory and extension), NUL-terminated
//      260    256  network name of the posting computer, NUL-terminated
//      516    256  path prefix (ending in a backslash, may be absent) followed by the part's
//                  full file name as NX reported it (a Windows path), NUL-terminated
#pragma once

#include <cstddef>
#include <string>

namespace nxhost::worker {

constexpr std::size_t kTaskRecordSize = 772;
constexpr int kTaskRecordVersion = 1;
// What a task record file's name ends in.
constexpr const char *kTaskRecordSuffix = ".temp";

struct TaskRecord {
    std::string short_name;  // "plate_01"
    std::string posted_by;   // network name of the posting computer
    std::string part_name;   // prefix and full file name as written ("D:\parts\plate_01.prt")
    std::string extension;   // of the part file in the task directory: ".prt" when the name has none
};

// Reads the bytes of a record file. False with *why saying what is wrong: a record cut short or
// too long, an unknown version, a text field without its end, a short name that is empty, names
// a directory or does not end the part's file name.
bool parse_task_record(const std::string &bytes, TaskRecord *record, std::string *why);

// The extension of a part file name as the post takes it: the file name's text from its last '.'
// on (a dot in a directory does not count), ".prt" when it has none.
std::string part_extension(const std::string &part_name);

// The short name a record file's name stands for ("plate_01.temp" -> "plate_01"); "" when the
// name does not end in ".temp" or has nothing before it.
std::string record_stem(const std::string &file_name);

}  // namespace nxhost::worker
