// Names of the program groups the calculation creates: one running sequence, one name per
// second-level group of the plan in tree order, derived from the start name in STR_10 (by
// default the part's name and "_01"). The start name is checked before any calculation, so that
// the sequence cannot run out and no name is taken already; the groups are named when the main
// dialog closes.
#ifndef TORVANE_PROG_NAME_H_INCLUDED
#define TORVANE_PROG_NAME_H_INCLUDED

#include <string>

#include "torvane/state/plan.h"

#define PROG_NAME_MAX 30    // the width of STR_10 in the settings record
#define PROG_NAME_WIDTH_MAX 7

// The sequence a start name gives: a running letter after the prefix when the name ends in a
// letter, else a number of width digits (leading zeros) after it.
struct prog_name_source {
    std::string prefix;
    int letter_form = 0;
    char letter = 'A';
    int start_number = 0;
    int width = 0;
};

// 0 when the start name does not end in an ASCII letter or digit.
int prog_name_source_of(const char *start_name, prog_name_source *source);

// The i-th name (i from 0).
std::string prog_name_at(const prog_name_source &source, int i);

// Second-level groups of a plan, all classes.
int count_plan_groups(r_m_f_or_other *plan);

// Reads STR_10, writes it back in upper case and checks it against the plan and the part: 1 when
// usable, else 0 after a message saying why.
int check_start_prog_name(int dialog_id);

// Names the program group of every second-level group with the sequence of STR_10 (a group not
// created yet uses up its name); refreshes the navigator. 0 after a message when the number is
// wider than PROG_NAME_WIDTH_MAX digits.
int reset_prog_name(int dialog_id);

#endif
