// Scenario scripts: the user's side of a session, one action a line.
//
//   # a comment
//   dialog sel_cam_template_dlg.dlg      an interaction: answers the next dialog the add-on opens
//     select LIST_1 "A  cav.prt"          actions of that dialog, played in order
//     set TOGGLE_2 1
//     press OK
//   pick solids E1 E3                     answers a selection (names or selectors)
//   pick faces E2 normal=+Z
//   point 10 20 0                         answers a point request
//   filebox D:\parts\a.prt                answers a file box
//   edit OK                               closes a CAM object's parameter dialog (OK or APPLY)
//   picker D:\jobs\a.prt D:\jobs\b.prt      the files the external multi-file picker returns
//                                         (picker_answer.h: also crash, garbage, short, count)
//   cancel                                answers any question with cancel
//   back                                  answers any question with back
//
// A question that a dialog's callback asks (a file box, a selection, another dialog) is answered
// by the line right after the action that triggers it; the dialog's actions go on after that
// answer:
//   dialog torvane_dlg.dlg
//     activate ACTION_57                  its callback opens a file box ...
//   filebox D:\tasks\a.dat                ... answered here
//     press BACK                          and the dialog goes on
//
// Words are separated by blanks; "double quotes" keep blanks, \" and \\ escape inside them.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace nxhost::script {

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Line {
    int number = 0;
    std::vector<std::string> words;  // words[0] is the verb
    const std::string &verb() const { return words.front(); }
    std::string arg(std::size_t i) const { return i + 1 < words.size() ? words[i + 1] : std::string(); }
    std::size_t arg_count() const { return words.size() - 1; }
};

struct Interaction {
    Line head;                 // dialog / pick / point / filebox / cancel / back
    std::vector<Line> actions; // dialog actions that follow it: its own, or its dialog's going on
};

struct Script {
    std::string file;
    std::vector<Interaction> interactions;
};

// Parses a script; a malformed line throws ScriptError "FILE:LINE: what is wrong".
Script parse(const std::string &text, const std::string &file);
Script parse_file(const std::string &path);

// Verbs that start an interaction, and the verbs of dialog actions.
bool is_interaction_verb(const std::string &verb);
bool is_action_verb(const std::string &verb);

// Makes the script the answers of the session (replacing any other).
void play(Script script);
const std::string &script_file();

// The add-on asks something. `what` names the question for messages ("solid selection
// \"Select electrodes\""). Returns the next interaction when its verb is one of `verbs`
// ("cancel" and "back" answer any question if the caller lists them); otherwise the script
// does not answer this question and fatal() is called.
const Interaction &answer(const std::string &what, std::initializer_list<const char *> verbs);

// The next dialog action when the script's next line is one (it is then consumed), else null.
const Line *next_action();
// The same without consuming it.
const Line *peek_action();
// The head of the next interaction when no action of the one answered last is pending; else null.
const Line *peek_interaction();

// Interactions not answered yet, and actions not played yet of the interaction answered last;
// the first of them (null when none).
std::size_t remaining();
const Line *first_remaining();
// "FILE:LINE" of an interaction or line, for messages.
std::string where(const Line &line);

// Stops the session on a scenario that does not fit what the add-on does. The handler must
// not return (the runner prints and exits; tests throw). The default throws ScriptError.
using FatalHandler = void (*)(const std::string &message);
void set_fatal_handler(FatalHandler handler);
[[noreturn]] void fatal(const std::string &message);

}  // namespace nxhost::script
