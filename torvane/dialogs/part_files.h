// A batch of part files programmed one after the other in one run: chosen with the external
// picker, shown in MULTI_LIST_70 with their state, and walked a session turn each. The main
// dialog closes for the next file (BLO_68, or BLO_59 after a background hand-off) and its
// destructor opens it; the session loop then starts its next turn on it.
#ifndef TORVANE_PART_FILES_H_INCLUDED
#define TORVANE_PART_FILES_H_INCLUDED

#include <string>

#define PART_FILE_EXTENSION ".prt"
#define PART_FILE_TYPE 2  // uc4574's file type of parts

// 1 for a path the batch takes: its text from the last dot is exactly ".prt", and it is not the
// displayed part's path.
int is_batch_part_path(const std::string &path, const std::string &displayed_path);

// BLO_68 value 0: the part files the picker delivers replace the list and MULTI_LIST_70 shows
// them, none calculated yet. Without a list from the picker the old one stays.
void sel_more_part_files(int dialog_id);

// The next part file made current (the first when none is); 0 when there is no list or the
// current file is the last.
int make_next_part_file_current(void);

// BLO_68 value 1: 1 when the next part file became current and pending (the dialog closes for
// it); 0 after a message when there is no list or the current file is the last.
int next_part_file(int dialog_id);

// BLO_68 value 2: the part files of the selected lines of MULTI_LIST_70 leave the list, each
// named in a message box; a removed current file makes the one before it current.
void remove_sel_part_files(int dialog_id);

// After a successful background hand-off: the next part file, when there is one, becomes current
// and pending. 1: the dialog closes.
int move_on_after_post(void);

// The main dialog's closing toward the pending part file: without a hand-off the displayed part
// is saved, the next file opened, the old part closed (when not modified) and the new one made
// the display and work part; after a hand-off the displayed part is gone already and the next
// file is just opened. A file that cannot be opened leaves the displayed part as it is.
void open_next_part_file(void);

#endif
