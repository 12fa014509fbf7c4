// The external multi-file picker seen from the dialog player: a scenario answers it with a
// `picker` line right after the action whose callback runs it, as it answers a file box. The
// add-on runs the picker as a program of its own, which the runner cannot answer while it runs;
// so the answer is handed over before the action is played (script/picker_answer.h) and must
// have been taken when the action is done.
#pragma once

namespace nxhost {

// Before a dialog action is played: when the scenario's next line is a `picker` answer, takes
// it and leaves it for the picker program.
void stage_picker_answer();

// After the action: a staged answer that no picker took ends the session (script::fatal).
void check_picker_answer_taken();

}  // namespace nxhost
