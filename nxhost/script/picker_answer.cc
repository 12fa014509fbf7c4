#include "nxhost/script/picker_answer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace nxhost {
namespace {

const char *mode_word(PickerMode mode) {
    switch (mode) {
    case PickerMode::crash: return "crash";
    case PickerMode::garbage: return "garbage";
    case PickerMode::short_file: return "short";
    case PickerMode::count: return "count";
    default: return "paths";
    }
}

bool parse_count(const std::string &word, long *count) {
    char *end = nullptr;
    errno = 0;
    *count = std::strtol(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0' && errno == 0;
}

}  // namespace

bool parse_picker_words(const std::vector<std::string> &words, PickerAnswer *answer, std::string *error) {
    *answer = PickerAnswer{};
    std::size_t first_path = 0;
    const std::string first = words.empty() ? std::string() : words[0];
    if (first == "crash" || first == "garbage") {
        answer->mode = first == "crash" ? PickerMode::crash : PickerMode::garbage;
        if (words.size() > 1) {
            *error = "picker " + first + " takes nothing after it";
            return false;
        }
        return true;
    }
    if (first == "short") {
        answer->mode = PickerMode::short_file;
        first_path = 1;
        if (words.size() < 2) {
            *error = "picker short needs at least one path to cut short";
            return false;
        }
    } else if (first == "count") {
        answer->mode = PickerMode::count;
        first_path = 2;
        if (words.size() < 2 || !parse_count(words[1], &answer->count)) {
            *error = "picker count takes a whole number, then the paths";
            return false;
        }
    }
    for (std::size_t i = first_path; i < words.size(); ++i) {
        if (words[i].find('\n') != std::string::npos) {
            *error = "a picked path cannot hold a line break";
            return false;
        }
        answer->paths.push_back(words[i]);
    }
    return true;
}

bool put_picker_answer(const std::string &file, const PickerAnswer &answer, std::string *error) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << mode_word(answer.mode);
    if (answer.mode == PickerMode::count) out << ' ' << answer.count;
    out << '\n';
    for (const std::string &path : answer.paths) out << path << '\n';
    out.close();
    if (!out) *error = "cannot write the picker's answer into " + file;
    return static_cast<bool>(out);
}

bool take_picker_answer(const std::string &file, PickerAnswer *answer, std::string *error) {
    error->clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::remove(file.c_str());
    std::string mode;
    std::getline(text, mode);
    std::vector<std::string> words;
    std::istringstream head(mode);
    for (std::string word; head >> word;) words.push_back(word);
    if (words.empty() || words[0] == "paths") {
        words.clear();
    } else if (words[0] != "crash" && words[0] != "garbage" && words[0] != "short" && words[0] != "count") {
        *error = file + ": '" + mode + "' is no picker answer";
        return false;
    }
    for (std::string line; std::getline(text, line);) words.push_back(line);
    if (!parse_picker_words(words, answer, error)) {
        *error = file + ": " + *error;
        return false;
    }
    return true;
}

}  // namespace nxhost
