// What a scenario's `picker` line answers, on its way from the runner to the picker program
// (nxhost/picker): the runner writes it into the file NXHOST_PICKER_ANSWER names just before the
// action whose callback runs the picker, and the picker takes it from there.
//
//   picker D:\jobs\a.prt D:\jobs\b.prt    these paths, in this order (none: an empty choice)
//   picker crash                          the picker dies before it writes anything
//   picker garbage                        it writes bytes that are no list of files
//   picker short D:\jobs\a.prt ...        it writes the paths but cuts the last record short
//   picker count N D:\jobs\a.prt ...      it writes N as the count, whatever paths follow
#pragma once

#include <string>
#include <vector>

namespace nxhost {

constexpr const char *PICKER_ANSWER_VARIABLE = "NXHOST_PICKER_ANSWER";

enum class PickerMode { paths, crash, garbage, short_file, count };

struct PickerAnswer {
    PickerMode mode = PickerMode::paths;
    long count = 0;  // the count written in mode count
    std::vector<std::string> paths;
};

// The words after `picker`; false and *error when they are no answer.
bool parse_picker_words(const std::vector<std::string> &words, PickerAnswer *answer, std::string *error);

// Leaves the answer in file for the next run of the picker; false and *error when it cannot.
bool put_picker_answer(const std::string &file, const PickerAnswer &answer, std::string *error);

// Reads the answer left in file and removes the file. false when there is none (*error "") or it
// cannot be read (*error says why).
bool take_picker_answer(const std::string &file, PickerAnswer *answer, std::string *error);

}  // namespace nxhost
