// Mapping of the Windows paths the add-on uses onto the host file system.
//
// Conventions of sys/: C-style calls, Windows semantics on every platform. A call that
// fails returns what the C runtime would (NULL, -1, 0) and leaves errno set; a Windows
// path whose drive is not mounted fails as a missing file (ENOENT).
#ifndef SYS_PATH_H_INCLUDED
#define SYS_PATH_H_INCLUDED

#include <string>

// Host path for a Windows path. On POSIX "D:\a\b.txt" becomes "<dir of drive D>/a/b.txt":
// NXHOST_DRIVE_<LETTER> names the directory of a drive, NXHOST_MOUNTS
// ("WINPREFIX=DIR|WINPREFIX=DIR...") puts a directory at a deeper Windows folder, the longest
// matching prefix winning over the drive. A network path ("\\server\share\a.txt") is reached
// only through a mount of its share or a folder below it ("\\server\share=DIR"). Names match
// case-insensitively as on Windows; a last component that does not exist is kept as given so
// the file can be created. "." and ".." are resolved lexically. A path without a drive letter
// or server is returned unchanged.
// Returns "" when the drive or share is not mounted or ".." climbs above its root, or for NULL.
// Writes below a prefix listed in NXHOST_READONLY ("WINPREFIX|WINPREFIX...") are refused with
// EACCES by the calls of sys_file.h, as on a share the user may only read.
// On Windows returns the path unchanged.
std::string sys_native_path(const char *path);

// 1 when the file layer refuses writes at path: on POSIX a path below a prefix of
// NXHOST_READONLY; on Windows never (the file system itself decides there).
int sys_read_only_path(const char *path);

#endif
