// The machine as UF_ask_system_info reports it.
#pragma once

#include <string>

namespace nxhost {

// The node name UF_ask_system_info reports from now on; "" = the host's own name (the default,
// and again after a reset).
void set_node_name(const std::string &name);
std::string node_name();

}  // namespace nxhost
