// A message catalogue: the tags the file itself names and some it may lack, looked up as every
// module does, and a catalogue text shown in a message box.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "my_func/my_func.h"

namespace {

// Up to eight words of the input that end in a colon, as tags are written.
std::vector<std::string> tags_named_in(const std::string &input) {
    std::vector<std::string> tags;
    std::string word;
    for (char c : input) {
        if (c == '\n' || c == ' ' || c == ',' || c == '\r' || c == '\0') {
            word.clear();
            continue;
        }
        word.push_back(c);
        if (c == ':' && tags.size() < 8) tags.push_back(word);
    }
    return tags;
}

}  // namespace

TORVANE_FUZZ_TARGET(catalogue) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/lang/fuzz.txt", input);
    const char path[] = "D:\\qz_conf\\lang\\fuzz.txt";
    std::vector<std::string> tags = tags_named_in(input);
    tags.insert(tags.end(), {"ufusr_01:", "", "x"});
    char text[MY_MESSAGE_BUFSIZE];
    for (const std::string &tag : tags) lookup_message(tag.c_str(), text, path);
    if (!tags.empty()) show_catalogue_text("%s\\fuzz.txt", tags.front().c_str());
}
