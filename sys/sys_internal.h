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
// Entry names of a host directory without "." and "..", sorted in byte order.
// false when the directory cannot be read.
bool read_host_directory(const std::string &dir, std::vector<std::string> *names);

// Text-mode stream over a host file; mode is fopen's without 'b'. NULL with errno on failure.
FILE *open_text_stream(const std::string &host_path, char access, bool update, bool exclusive);
#endif

}  // namespace sys_detail

#endif
