#include "nxhost/core/reset.h"

#include <vector>

namespace nxhost {
namespace {
std::vector<ResetFn> &resets() {
    static std::vector<ResetFn> fns;
    return fns;
}
}  // namespace

bool register_reset(ResetFn fn) {
    resets().push_back(fn);
    return true;
}

void reset_all() {
    for (ResetFn fn : resets()) fn();
}

}  // namespace nxhost
