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
// matching prefix winning over the drive. Names match case-insensitively as on Windows; a last
// component that does not exist is kept as given so the file can be created. "." and ".." are
// resolved lexically. A path without a drive letter is returned unchanged.
// Returns "" when the drive is not mounted or ".." climbs above the drive root, or for NULL.
// On Windows returns the path unchanged.
std::string sys_native_path(const char *path);

#endif
