// Helpers shared by the sys/ sources; not part of the layer's interface.
#ifndef SYS_INTERNAL_H_INCLUDED
#define SYS_INTERNAL_H_INCLUDED

#include <cstdio>
#include <string>
#include <vector>

namespace sys_detail {

// Windows name comparison. Only ASCII letters fold; other bytes must be equal.
bool same_name(const std::string &a, const std::string &b);

// Windows wildcard match of a whole name: '*' any run, '?' one character, case folded as
// same_name; "*.*" matches every name, also names without a dot.
bool wildcard_match(const char *pattern, const char *name);

// Drive letter of a Windows path ("D:..."), upper case, or 0 when path has none.
char windows_drive(const char *path);

#ifndef _WIN32
// True when writes under path are refused: it lies below a prefix of NXHOST_READONLY
// ("WINPREFIX|WINPREFIX...", drive or network paths), as on a share the user may only read.
bool read_only_path(const char *path);

// The fault hooks of sys_faults.h: true when this counted file call on path (a rename's source)
// is to fail.
bool fault_fails_this_call(const char *path);
// A binary stream for writing through the disk-space limit of sys_faults.h; the stream itself
// when no limit is set.
FILE *limit_stream(FILE *stream);

// Entry names of a host directory without "." and "..", sorted in byte order.
// false when the directory cannot be read.
bool read_host_directory(const std::string &dir, std::vector<std::string> *names);

// Text-mode stream over a host file; mode is fopen's without 'b'. NULL with errno on failure.
FILE *open_text_stream(const std::string &host_path, char access, bool update, bool exclusive);
#endif

}  // namespace sys_detail

#endif
