// UF_ask_system_info: what the host says about itself, the node name overridable so that a
// transcript or a task record does not depend on the machine the tests run on.
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/core/system_info.h"
#include "uf.h"

namespace nxhost {
namespace {

std::string &node_name_override() {
    static std::string name;
    return name;
}

const bool registered = register_reset([] { node_name_override().clear(); });

std::string host_node_name() {
    char name[256] = "";
    if (gethostname(name, sizeof name - 1) != 0) return "";
    name[sizeof name - 1] = '\0';
    return name;
}

std::string user_name() {
    if (const passwd *entry = getpwuid(getuid())) return entry->pw_name;
    const char *user = std::getenv("USER");
    return user ? user : "";
}

std::string now_text() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[64] = "";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%d-%b-%Y %H:%M", &local);
    return text;
}

long physical_memory() {
    const long pages = sysconf(_SC_PHYS_PAGES), page_size = sysconf(_SC_PAGESIZE);
    return pages > 0 && page_size > 0 ? pages * page_size : 0;
}

void release_text(char **text) {
    UF_free(*text);
    *text = nullptr;
}

}  // namespace

void set_node_name(const std::string &name) { node_name_override() = name; }

std::string node_name() { return node_name_override().empty() ? host_node_name() : node_name_override(); }

}  // namespace nxhost

using namespace nxhost;

extern "C" int UF_ask_system_info(UF_system_info_p_t info) {
    NXHOST_ENTER("UF_ask_system_info");
    if (!info) {
        misuse("UF_ask_system_info", "the record must not be NULL");
        return kBadArgument;
    }
    utsname host{};
    const bool known = uname(&host) == 0;
    info->date_buf = nx_strdup(now_text());
    info->user_name = nx_strdup(user_name());
    info->program_name = nx_strdup("nxhost");
    info->node_name = nx_strdup(node_name());
    info->machine_type = nx_strdup(known ? host.machine : "");
    info->os_name = nx_strdup(known ? host.sysname : "");
    info->os_version = nx_strdup(known ? host.release : "");
    info->physical_memory = physical_memory();
    info->bundles_used = nullptr;
    info->number_of_bundles = 0;
    return 0;
}

extern "C" int UF_free_system_info(UF_system_info_p_t info) {
    NXHOST_ENTER("UF_free_system_info");
    if (!info) {
        misuse("UF_free_system_info", "the record must not be NULL");
        return kBadArgument;
    }
    for (char **text : {&info->date_buf, &info->user_name, &info->program_name, &info->node_name,
                        &info->machine_type, &info->os_name, &info->os_version})
        release_text(text);
    UF_free_string_array(info->number_of_bundles, info->bundles_used);
    info->bundles_used = nullptr;
    info->number_of_bundles = 0;
    return 0;
}
