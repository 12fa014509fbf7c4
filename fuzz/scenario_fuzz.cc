// A scenario script: parsed into interactions, every line's place named as messages name it.
#include "fuzz_support.h"
#include "nxhost/script/script.h"

TORVANE_FUZZ_TARGET(scenario) {
    fuzzsupport::Session session;
    try {
        const nxhost::script::Script script = nxhost::script::parse(input, "fuzz.scn");
        for (const nxhost::script::Interaction &i : script.interactions) {
            if (i.head.words.empty()) fuzzsupport::finding("an interaction without a verb");
            nxhost::script::where(i.head);
            for (const nxhost::script::Line &line : i.actions)
                if (line.words.empty() || !nxhost::script::is_action_verb(line.verb()))
                    fuzzsupport::finding("an action line without an action verb");
        }
    } catch (const nxhost::script::ScriptError &) {
        // A malformed script is refused with its file and line; that is the reader's answer.
    }
}
