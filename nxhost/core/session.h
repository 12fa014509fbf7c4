// Session state of the stand-in: release text and the accounting of NX-allocated memory.
#pragma once

#include <cstddef>
#include <string>

namespace nxhost {

void set_release_text(const std::string &text);  // default "V12.0.2.9"
const std::string &release_text();

// Blocks handed out by UF_allocate_memory (and by the stand-in for the add-on) and not yet freed.
std::size_t outstanding_blocks();
std::size_t outstanding_bytes();

// Memory the stand-in hands to the add-on, released by it with UF_free. nullptr for 0 bytes.
void *nx_alloc(std::size_t bytes);
char *nx_strdup(const std::string &text);
// Copies tags into an NX-owned array (nullptr when empty).
unsigned int *nx_tag_array(const unsigned int *tags, std::size_t count);

// Fail message of an NX error code, "" when the code has none.
std::string fail_message(int code);

// Adds the fail message of a code of a module (typically from a static initialiser); true.
bool register_fail_message(int code, const std::string &text);

}  // namespace nxhost
