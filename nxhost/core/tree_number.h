// Numbers as the stand-in's listings print them.
#pragma once

#include <string>

namespace nxhost {

// 4 decimals without trailing zeros and never "-0", so that OCCT's last-bit noise never shows and a
// listing reads the same on every run.
std::string tree_number(double value);

}  // namespace nxhost
