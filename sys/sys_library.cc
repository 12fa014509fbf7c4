#include "sys/sys_library.h"

#include "sys/sys_path.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

thread_local std::string last_error;

void fail(const std::string &text) { last_error = text; }

#ifdef _WIN32
std::string system_message(DWORD code) {
    char text[512] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, code, 0,
                             text, sizeof text, NULL);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) text[--n] = '\0';
    return n > 0 ? std::string(text) : "error " + std::to_string(code);
}
#else
std::string loader_message(const std::string &fallback) {
    const char *text = dlerror();
    return text ? text : fallback;
}
#endif

}  // namespace

sys_library_t sys_load_library(const char *path) {
    if (!path || !*path) {
        fail("no library path given");
        return NULL;
    }
#ifdef _WIN32
    HMODULE lib = LoadLibraryA(path);
    if (!lib) fail(std::string(path) + ": " + system_message(GetLastError()));
    return reinterpret_cast<sys_library_t>(lib);
#else
    std::string host = sys_native_path(path);
    if (host.empty()) {
        fail(std::string(path) + ": drive " + path[0] + ": is not mounted");
        return nullptr;
    }
    // A freed library stays mapped, so loading it again (the extension libraries are loaded for
    // every call) is a lookup rather than a new mapping; those libraries keep no state of their own.
    void *lib = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!lib) fail(loader_message(host + ": cannot be loaded"));
    return lib;
#endif
}

void *sys_get_proc_address(sys_library_t lib, const char *name) {
    if (!lib || !name) {
        fail("no library or no symbol name given");
        return NULL;
    }
#ifdef _WIN32
    FARPROC proc = GetProcAddress(reinterpret_cast<HMODULE>(lib), name);
    if (!proc) fail(std::string(name) + ": " + system_message(GetLastError()));
    return reinterpret_cast<void *>(proc);
#else
    dlerror();
    void *symbol = dlsym(lib, name);
    if (!symbol) fail(loader_message(std::string(name) + ": symbol has no address"));
    return symbol;
#endif
}

int sys_free_library(sys_library_t lib) {
    if (!lib) {
        fail("no library given");
        return 0;
    }
#ifdef _WIN32
    if (!FreeLibrary(reinterpret_cast<HMODULE>(lib))) {
        fail(system_message(GetLastError()));
        return 0;
    }
#else
    if (dlclose(lib) != 0) {
        fail(loader_message("library cannot be released"));
        return 0;
    }
#endif
    return 1;
}

const char *sys_library_error(void) { return last_error.c_str(); }
