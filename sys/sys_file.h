// Files by Windows path (see sys_path.h for the mapping and the conventions).
#ifndef SYS_FILE_H_INCLUDED
#define SYS_FILE_H_INCLUDED

#include <cstdio>

// Opens a file as fopen does; mode "r","rt","rb","w","wb","a","r+b",... A mode without 'b' is
// text mode as the Windows C runtime has it: CR LF reads as LF, LF writes as CR LF, a Ctrl-Z
// ends the text on reading, and positions (ftell, fseek) count the file's bytes. 'x' creates
// exclusively. The caller closes the stream with fclose. NULL with errno set on failure (EACCES
// for a directory, ENOENT for an unmounted drive, EEXIST for 'x' on an existing file, EINVAL
// for a bad mode).
FILE *sys_fopen(const char *path, const char *mode);

// Removes a file; a directory is refused with EACCES, as on Windows. 0 on success, else -1
// with errno.
int sys_remove(const char *path);

// Renames or moves a file or directory. As on Windows the target must not exist (-1, EEXIST),
// except that a name may change only in case. 0 on success, else -1 with errno.
int sys_rename(const char *from, const char *to);

// 1 when a regular file or directory exists at path, else 0.
int sys_file_exists(const char *path);

// 1 when path is an existing directory, else 0.
int sys_is_directory(const char *path);

// Creates one directory (its parent must exist). 0 on success or when the directory is
// already there, else -1 with errno (EEXIST when a file of that name is in the way).
int sys_make_directory(const char *path);

#endif
