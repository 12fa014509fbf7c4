// The one gate every stand-in API entry passes through.
//
// It checks that the call is made inside a session, counts calls so that a test can make the
// Nth call fail (proving that no host failure crashes the add-on), and records misuse (a call
// outside a session, a stale or wrong-kind tag) as one line naming the call.
#pragma once

#include <string>
#include <vector>

namespace nxhost {

// Error code returned by a call that a test told to fail.
constexpr int kInjectedFailure = 1105032;  // "operation aborted"
// Error code of a call made before UF_initialize.
constexpr int kNotInitialized = 1105000;
// Error code of a call given a tag that is not alive or not of the expected kind.
constexpr int kBadTag = 1105004;
// Error code of a call given a null output pointer or another unusable argument.
constexpr int kBadArgument = 1105005;

// Returns 0 when the call may proceed, else the error code it must return.
int enter(const char *call);
// The same for calls that NX allows outside a session (memory release, session start).
int enter_any(const char *call);

// The nth counted call from now on fails with kInjectedFailure (1 = the next call); 0 = none.
void fail_call_number(long n);
// Calls of that name fail from their occurrence-th one on (1 = every one); occurrence 0 stops it.
void fail_calls_named(const std::string &call, long occurrence);
// Counted calls since the last reset.
long calls_made();
// Calls that were made to fail.
long calls_failed();
// Name of the last call that was made to fail, "" when none was.
const std::string &last_failed_call();

// Records a misuse line "CALL: WHAT" and echoes it to stderr.
void misuse(const char *call, const std::string &what);
const std::vector<std::string> &misuse_lines();

bool session_open();

}  // namespace nxhost

// Entry of an API function returning int: returns the gate's code when it refuses.
#define NXHOST_ENTER(call)                                   \
    do {                                                     \
        int nxhost_gate_rc_ = ::nxhost::enter(call);         \
        if (nxhost_gate_rc_ != 0) return nxhost_gate_rc_;    \
    } while (0)
