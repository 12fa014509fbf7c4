// The add-on library as NX handles it: load, find the entry points, unload when it allows.
#pragma once

#include <stdexcept>
#include <string>

#include "sys/sys_library.h"

namespace nxhost::runner {

// The library cannot be loaded or lacks ufusr; the message names the path.
class AddonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Addon {
    std::string path;
    sys_library_t library = nullptr;
    void (*ufusr)(char *param, int *retcod, int param_len) = nullptr;
    int (*ask_unload)() = nullptr;  // optional, as in NX
    void (*cleanup)() = nullptr;    // optional
};

// The add-on of this build: ../torvane/torvane.so from the folder of the running nxhost.
std::string default_addon_path();

// Loads the library at a host path (made absolute so the loader never searches elsewhere).
// Throws AddonError.
Addon load_addon(const std::string &path);

// Calls ufusr as NX does from a menu button without a name.
void call_ufusr(const Addon &addon);

// Asks ufusr_ask_unload; when the answer is "unload immediately" calls ufusr_cleanup and
// releases the library. Returns whether the library was released; a release that fails
// throws AddonError.
bool unload_if_allowed(Addon &addon);

}  // namespace nxhost::runner
