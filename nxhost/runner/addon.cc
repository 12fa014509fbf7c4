#include "nxhost/runner/addon.h"

#include <filesystem>

#include "uf_ugopenint.h"

namespace fs = std::filesystem;

namespace nxhost::runner {

std::string default_addon_path() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "torvane.so";
    return (self.parent_path().parent_path() / "torvane" / "torvane.so").string();
}

Addon load_addon(const std::string &path) {
    Addon addon;
    std::error_code ec;
    addon.path = fs::absolute(path, ec).lexically_normal().string();
    if (ec) addon.path = path;
    if (!fs::exists(addon.path, ec))
        throw AddonError("the add-on " + addon.path + " cannot be loaded: no such file");
    addon.library = sys_load_library(addon.path.c_str());
    if (!addon.library)
        throw AddonError("the add-on " + addon.path + " cannot be loaded: " + sys_library_error());
    addon.ufusr = reinterpret_cast<decltype(addon.ufusr)>(sys_get_proc_address(addon.library, "ufusr"));
    if (!addon.ufusr) {
        sys_free_library(addon.library);
        throw AddonError("the add-on " + addon.path + " exports no ufusr");
    }
    addon.ask_unload =
        reinterpret_cast<decltype(addon.ask_unload)>(sys_get_proc_address(addon.library, "ufusr_ask_unload"));
    addon.cleanup = reinterpret_cast<decltype(addon.cleanup)>(sys_get_proc_address(addon.library, "ufusr_cleanup"));
    return addon;
}

void call_ufusr(const Addon &addon) {
    char param[] = "";
    int retcod = 0;
    addon.ufusr(param, &retcod, 0);
}

bool unload_if_allowed(Addon &addon) {
    // Without ufusr_ask_unload NX keeps the library until the session ends.
    if (!addon.ask_unload || addon.ask_unload() != UF_UNLOAD_IMMEDIATELY) return false;
    if (addon.cleanup) addon.cleanup();
    sys_library_t library = addon.library;
    addon = Addon{addon.path};
    if (!sys_free_library(library))
        throw AddonError("the add-on " + addon.path + " cannot be released: " + sys_library_error());
    return true;
}

}  // namespace nxhost::runner
