// Directory scans by Windows path (see sys_path.h).
#ifndef SYS_DIR_H_INCLUDED
#define SYS_DIR_H_INCLUDED

#include <string>
#include <vector>

// Replaces *names with the names (no directory part) of the entries of dir matching the
// wildcard as Windows matches: '*' any run, '?' one character, case-insensitive, "*.*" all.
// NULL or "" means "*". Only files unless dirs_too; "." and ".." never. Sorted by name in byte
// order so scans are repeatable. Returns 1, or 0 (names empty) when dir cannot be read.
int sys_list_directory(const char *dir, const char *wildcard, int dirs_too,
                       std::vector<std::string> *names);

#endif
