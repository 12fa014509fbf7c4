// The hand-off to a background computer: the part is saved and closed, its file moves aside to
// a `_temp` copy beside it, and a copy of that and a task record go into the task directory,
// which another program watches, computes and posts.
#ifndef TORVANE_POST_BACKSTAGE_H_INCLUDED
#define TORVANE_POST_BACKSTAGE_H_INCLUDED

#include <string>

#define POST_TASK_RECORD_SIZE 772
#define POST_TASK_TEXT_SIZE 256  // each text field, NUL-terminated
#define POST_TASK_VERSION 1
#define POST_TASK_EXTENSION ".temp"
#define POST_TEST_FILE "qz_test_path.txt"
#define POST_DEFAULT_EXTENSION ".prt"

// A part's full name as the hand-off takes it apart: only the file name's last dot starts the
// extension, which is ".prt" when the name has none.
struct post_part_names {
    std::string directory;   // up to and with the last backslash; "" without one
    std::string short_name;  // the file name without directory and extension
    std::string extension;   // with its dot
    std::string temp_path;   // directory, short name, "_temp", extension
};
post_part_names post_names_of(const std::string &part_path);

// text with a backslash at its end (an empty text stays empty).
std::string with_trailing_backslash(const std::string &text);

// The 772-byte task record: the version 1, then three NUL-terminated texts of 256 bytes: the
// part's short name, the computer's network name, and the prefix (a backslash added when it
// has none; nothing when it is empty) followed by the part's full name. Longer texts are cut to
// 255 bytes; the rest of each field is zero.
std::string post_task_record(const std::string &short_name, const std::string &node_name, const std::string &prefix,
                             const std::string &part_path);

// Copies source to target byte by byte. 0 after saying why in the listing window; a target
// left incomplete is removed.
int copy_file(const char *source, const char *target);

// The hand-off of the displayed part, with the settings of the dialog. 1 once the part is
// closed (also when its copy could not reach the task directory: the `_temp` copy then keeps
// it); 0 after the message when the part stays open.
int post_backstage_calc(int dialog_id);

#endif
