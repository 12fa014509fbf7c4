#include "nxhost/ui/picker.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "nxhost/core/reset.h"
#include "nxhost/script/picker_answer.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/encoding.h"
#include "nxhost/ui/transcript.h"

namespace nxhost {
namespace {

struct Staged {
    std::string file;   // where the answer waits; "" when none does
    std::string where;  // its scenario line
};

Staged &staged() {
    static Staged state;
    return state;
}

const bool registered = register_reset([] {
    if (!staged().file.empty()) std::remove(staged().file.c_str());
    staged() = Staged{};
});

}  // namespace

void stage_picker_answer() {
    const script::Line *next = script::peek_interaction();
    if (!next || next->verb() != "picker") return;
    const char *file = std::getenv(PICKER_ANSWER_VARIABLE);
    if (!file || !*file)
        script::fatal(script::where(*next) + ": no picker is connected (" + PICKER_ANSWER_VARIABLE +
                      " is not set; nxhost run sets it)");
    const script::Interaction &answer = script::answer("the multi-file picker", {"picker"});
    std::vector<std::string> words;
    std::string shown = "picker";
    for (std::size_t i = 0; i < answer.head.arg_count(); ++i) {
        // The add-on reads paths in code page 936, as Windows hands them over.
        std::string word = answer.head.arg(i), gbk;
        if (!utf8_to_gbk(word, &gbk))
            script::fatal(script::where(answer.head) + ": \"" + word + "\" has a character that code page 936 cannot hold");
        words.push_back(gbk);
        shown += " " + gbk;
    }
    PickerAnswer parsed;
    std::string error;
    if (!parse_picker_words(words, &parsed, &error) || !put_picker_answer(file, parsed, &error))
        script::fatal(script::where(answer.head) + ": " + error);
    staged() = {file, script::where(answer.head)};
    show("select", shown);
}

void check_picker_answer_taken() {
    if (staged().file.empty()) return;
    const Staged was = staged();
    staged() = Staged{};
    std::error_code ec;
    if (!std::filesystem::exists(was.file, ec)) return;
    std::remove(was.file.c_str());
    script::fatal(was.where + ": the add-on did not run the picker that this line answers");
}

}  // namespace nxhost
