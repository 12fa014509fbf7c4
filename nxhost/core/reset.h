// Every module of the stand-in that keeps state registers how to forget it, so a test or a
// new runner session starts from nothing.
#pragma once

namespace nxhost {

using ResetFn = void (*)();

// Registers fn to run on reset_all(); returns true so it can initialise a static.
bool register_reset(ResetFn fn);
// Runs every registered reset: session closed, objects, parts, memory, transcript, script gone.
void reset_all();

}  // namespace nxhost
