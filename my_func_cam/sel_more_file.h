// The external multi-file picker: a program of the site's configuration that lets the user tick
// part files and hands them over in an exchange file, an int32 count and count records of 500
// bytes, each a NUL-terminated full path.
#ifndef MY_SEL_MORE_FILE_H_INCLUDED
#define MY_SEL_MORE_FILE_H_INCLUDED

#include <string>
#include <vector>

#define MY_PICK_FILES_PROGRAM "D:\\qz_conf\\temp\\qz_pick_files.exe"
#define MY_SEL_MORE_FILE_PATH "D:\\qz_conf\\temp\\sel_more_file.dat"
#define MY_SEL_MORE_FILE_RECORD 500  // bytes of one path record
#define MY_SEL_MORE_FILE_MAX 401     // paths the picker delivers at most

// What an exchange file held.
enum sel_more_file_result {
    SEL_MORE_FILE_MISSING,  // no file: the picker was closed without a choice, or never ran
    SEL_MORE_FILE_READ,     // a whole list, perhaps empty
    SEL_MORE_FILE_SHORT     // fewer bytes than its count announces, or a count no list has
};

// Reads the exchange file at path into *paths (replaced; empty unless the list was read whole).
// A record without its NUL ends after 499 bytes. The file is left where it is.
sel_more_file_result MY_read_sel_more_file(const char *path, std::vector<std::string> *paths);

// Runs the picker through the command processor and waits for it, then reads and deletes its
// exchange file (one left by an earlier run is deleted first). 1 with the chosen paths; 0 when
// no list came back: quietly when there is no file, after "MY_sel_more_file_01:" when it is
// short.
int MY_sel_more_files(std::vector<std::string> *paths);

#endif
