// qz_host_path: tells the add-on where NX is installed, so that it finds the extension libraries
// of the running release below NX's own folder.
#include <cstring>

#include "uf.h"
#include "uf_defs.h"

// Writes the NX folder (UGII_BASE_DIR) without a final backslash into root, which holds at
// least MAX_FSPEC_BUFSIZE bytes. 1 on success; 0 with root empty when NX names no folder.
extern "C" DllExport int host_root_path(char *root) {
    if (!root) return 0;
    root[0] = '\0';
    char *base = nullptr;
    if (UF_translate_variable("UGII_BASE_DIR", &base) != 0 || !base) return 0;
    std::size_t length = std::strlen(base);
    while (length > 0 && (base[length - 1] == '\\' || base[length - 1] == '/')) --length;
    if (length == 0 || length > MAX_FSPEC_SIZE) return 0;
    std::memcpy(root, base, length);
    root[length] = '\0';
    return 1;
}
