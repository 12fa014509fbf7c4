#include "nxhost/core/guard.h"

#include <cstdio>

#include "nxhost/core/reset.h"

namespace nxhost {
namespace {

struct GateState {
    int session_depth = 0;
    long calls = 0;
    long failed = 0;
    long fail_at = 0;  // absolute call number that fails, 0 = none
    std::string fail_name;  // calls of this name fail from their fail_occurrence-th on, "" = none
    long fail_occurrence = 0;
    long name_seen = 0;
    std::string last_failed;
    std::vector<std::string> misuse;
};

GateState &gate() {
    static GateState state;
    return state;
}

const bool registered = register_reset([] { gate() = GateState{}; });

int count_call(const char *call) {
    GateState &g = gate();
    ++g.calls;
    const bool by_number = g.fail_at != 0 && g.calls == g.fail_at;
    const bool by_name = !g.fail_name.empty() && g.fail_name == call && ++g.name_seen >= g.fail_occurrence;
    if (by_number || by_name) {
        ++g.failed;
        g.last_failed = call;
        return kInjectedFailure;
    }
    return 0;
}

}  // namespace

int enter(const char *call) {
    if (gate().session_depth <= 0) {
        misuse(call, "called outside an open session (no UF_initialize)");
        return kNotInitialized;
    }
    return count_call(call);
}

int enter_any(const char *call) { return count_call(call); }

void fail_call_number(long n) {
    GateState &g = gate();
    g.fail_at = n > 0 ? g.calls + n : 0;
}

void fail_calls_named(const std::string &call, long occurrence) {
    GateState &g = gate();
    g.fail_name = occurrence > 0 ? call : "";
    g.fail_occurrence = occurrence;
    g.name_seen = 0;
}

long calls_made() { return gate().calls; }
long calls_failed() { return gate().failed; }
const std::string &last_failed_call() { return gate().last_failed; }

void misuse(const char *call, const std::string &what) {
    std::string line = std::string(call) + ": " + what;
    gate().misuse.push_back(line);
    std::fprintf(stderr, "nxhost misuse: %s\n", line.c_str());
}

const std::vector<std::string> &misuse_lines() { return gate().misuse; }

bool session_open() { return gate().session_depth > 0; }

// Session depth is owned here so that enter() can test it without another module.
int &session_depth_ref() { return gate().session_depth; }

}  // namespace nxhost
