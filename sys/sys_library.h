// Shared libraries by Windows path (see sys_path.h): LoadLibrary and friends.
#ifndef SYS_LIBRARY_H_INCLUDED
#define SYS_LIBRARY_H_INCLUDED

typedef void *sys_library_t;

// Loads a library, resolving all its symbols now. NULL on failure (see sys_library_error).
// Release with sys_free_library.
sys_library_t sys_load_library(const char *path);

// Address of an exported symbol, NULL when lib does not export it.
void *sys_get_proc_address(sys_library_t lib, const char *name);

// Releases a library loaded by sys_load_library. 1 on success, 0 on failure.
int sys_free_library(sys_library_t lib);

// Text of the last failure of the calls above in this thread, "" when none has failed.
// The text stays valid until the next failure in the same thread.
const char *sys_library_error(void);

#endif
