#include "nxhost/script/script.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "nxhost/core/reset.h"
#include "nxhost/script/picker_answer.h"

namespace nxhost::script {
namespace {

// Where the session stands in the script: the next interaction to answer a question, and the
// next action of the interaction answered last (a dialog's own actions, or those that go on
// after the answer to a question one of its callbacks asked).
struct PlayerState {
    Script script;
    std::size_t next = 0;
    std::size_t action = 0;
    FatalHandler handler = nullptr;
};

PlayerState &player() {
    static PlayerState state;
    return state;
}

const bool registered = register_reset([] {
    FatalHandler keep = player().handler;
    player() = PlayerState{};
    player().handler = keep;
});

const Interaction *current_interaction() {
    const PlayerState &p = player();
    return p.next > 0 ? &p.script.interactions[p.next - 1] : nullptr;
}

const Line *pending_action() {
    const Interaction *current = current_interaction();
    return current && player().action < current->actions.size() ? &current->actions[player().action] : nullptr;
}

const char *const kInteractionVerbs[] = {"dialog", "pick", "point", "filebox", "edit", "picker", "cancel", "back"};
const char *const kActionVerbs[] = {"set", "select", "activate", "press", "double-click", "close"};

template <std::size_t N>
bool contains(const char *const (&list)[N], const std::string &word) {
    return std::any_of(std::begin(list), std::end(list), [&](const char *v) { return word == v; });
}

[[noreturn]] void error_at(const std::string &file, int line, const std::string &what) {
    throw ScriptError(file + ":" + std::to_string(line) + ": " + what);
}

std::vector<std::string> split_words(const std::string &text, const std::string &file, int number) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i >= text.size() || text[i] == '#') break;
        std::string word;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                char c = text[i++];
                if (c == '"') { closed = true; break; }
                if (c == '\\' && i < text.size() && (text[i] == '"' || text[i] == '\\')) c = text[i++];
                word.push_back(c);
            }
            if (!closed) error_at(file, number, "unterminated quoted text");
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t') word.push_back(text[i++]);
        }
        words.push_back(word);
    }
    return words;
}

void check_interaction(const Line &line, const std::string &file) {
    const std::string &verb = line.verb();
    if (verb == "dialog" && line.arg_count() != 1)
        error_at(file, line.number, "dialog takes one dialog file name");
    if (verb == "pick" && (line.arg_count() < 1 || (line.arg(0) != "solids" && line.arg(0) != "faces" &&
                                                    line.arg(0) != "objects")))
        error_at(file, line.number, "pick takes 'solids', 'faces' or 'objects' and then what to pick");
    if (verb == "point") {
        if (line.arg_count() != 3) error_at(file, line.number, "point takes three coordinates");
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string coordinate = line.arg(i);
            char *end = nullptr;
            std::strtod(coordinate.c_str(), &end);
            if (coordinate.empty() || *end != '\0')
                error_at(file, line.number, "point coordinate '" + coordinate + "' is not a number");
        }
    }
    if (verb == "filebox" && line.arg_count() != 1) error_at(file, line.number, "filebox takes one path");
    if (verb == "edit" && (line.arg_count() > 1 || (line.arg_count() == 1 && line.arg(0) != "OK" && line.arg(0) != "APPLY")))
        error_at(file, line.number, "edit takes nothing, OK or APPLY");
    if (verb == "picker") {
        PickerAnswer answer;
        std::string why;
        if (!parse_picker_words(std::vector<std::string>(line.words.begin() + 1, line.words.end()), &answer, &why))
            error_at(file, line.number, why);
    }
    if ((verb == "cancel" || verb == "back") && line.arg_count() != 0)
        error_at(file, line.number, verb + " takes no arguments");
}

void check_action(const Line &line, const std::string &file) {
    const std::string &verb = line.verb();
    std::size_t want_min = 1, want_max = 2;
    if (verb == "set" || verb == "select") want_min = 2, want_max = 1000;
    if (verb == "press") want_min = want_max = 1;
    if (verb == "close") want_min = want_max = 0;
    if (line.arg_count() < want_min || line.arg_count() > want_max)
        error_at(file, line.number, "wrong number of arguments for '" + verb + "'");
    if (verb == "press") {
        static const char *const buttons[] = {"OK", "APPLY", "BACK", "CANCEL"};
        if (!contains(buttons, line.arg(0)))
            error_at(file, line.number, "press takes OK, APPLY, BACK or CANCEL, not '" + line.arg(0) + "'");
    }
}

}  // namespace

bool is_interaction_verb(const std::string &verb) { return contains(kInteractionVerbs, verb); }
bool is_action_verb(const std::string &verb) { return contains(kActionVerbs, verb); }

Script parse(const std::string &text, const std::string &file) {
    Script script;
    script.file = file;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    bool seen_dialog = false;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        Line line{number, split_words(raw, file, number)};
        if (line.words.empty()) continue;
        const std::string &verb = line.verb();
        if (is_interaction_verb(verb)) {
            check_interaction(line, file);
            seen_dialog = seen_dialog || verb == "dialog";
            script.interactions.push_back({line, {}});
        } else if (is_action_verb(verb)) {
            // Actions go on after the answer to a question a callback asked, so they follow the
            // last interaction of any kind, as long as a dialog came first.
            if (!seen_dialog) error_at(file, number, "'" + verb + "' must follow a 'dialog' line");
            check_action(line, file);
            script.interactions.back().actions.push_back(line);
        } else {
            error_at(file, number, "unknown word '" + verb + "'");
        }
    }
    return script;
}

Script parse_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScriptError(path + ": cannot open the scenario script");
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str(), path);
}

void play(Script script) {
    player().script = std::move(script);
    player().next = 0;
    player().action = 0;
}

const std::string &script_file() { return player().script.file; }

const Interaction &answer(const std::string &what, std::initializer_list<const char *> verbs) {
    PlayerState &p = player();
    if (const Line *action = pending_action())
        fatal("the add-on asked for " + what + ", but " + where(*action) + " is the dialog action '" + action->verb() +
              "'; an answer must come right after the action whose callback asks for it");
    if (p.next >= p.script.interactions.size())
        fatal("the add-on asked for " + what + ", but the script " +
              (p.script.file.empty() ? std::string("(none)") : p.script.file) + " has no answer left");
    const Interaction &next = p.script.interactions[p.next];
    bool fits = std::any_of(verbs.begin(), verbs.end(), [&](const char *v) { return next.head.verb() == v; });
    if (!fits)
        fatal("the add-on asked for " + what + ", but " + where(next.head) + " answers with '" +
              next.head.verb() + "'");
    ++p.next;
    p.action = 0;
    return next;
}

const Line *next_action() {
    const Line *action = pending_action();
    if (action) ++player().action;
    return action;
}

const Line *peek_action() { return pending_action(); }

const Line *peek_interaction() {
    const PlayerState &p = player();
    if (pending_action() || p.next >= p.script.interactions.size()) return nullptr;
    return &p.script.interactions[p.next].head;
}

std::size_t remaining() {
    const PlayerState &p = player();
    const Interaction *current = current_interaction();
    const std::size_t actions_left = current ? current->actions.size() - p.action : 0;
    return p.script.interactions.size() - p.next + actions_left;
}

const Line *first_remaining() {
    if (const Line *action = pending_action()) return action;
    const PlayerState &p = player();
    return p.next < p.script.interactions.size() ? &p.script.interactions[p.next].head : nullptr;
}

std::string where(const Line &line) { return player().script.file + ":" + std::to_string(line.number); }

void set_fatal_handler(FatalHandler handler) { player().handler = handler; }

void fatal(const std::string &message) {
    if (player().handler) player().handler(message);
    throw ScriptError(message);
}

}  // namespace nxhost::script
