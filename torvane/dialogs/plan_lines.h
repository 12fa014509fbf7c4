// The plan as lines of the main dialog's list: one line per shown node, the line of each kind,
// and the rules that lead from a line back to its node. Lines are mapped back by the names they
// start with, so the plan's names act as keys.
//
// Two column layouts: NX below 7.0 shows the list in a fixed-width font and fields end at fixed
// columns; later releases use a proportional font, where fields are spaced by widths scaled
// by 1.7 blanks a character. Lengths are bytes, as a double-byte character also fills two
// columns of a fixed-width font.
#ifndef TORVANE_PLAN_LINES_H_INCLUDED
#define TORVANE_PLAN_LINES_H_INCLUDED

#include <string>
#include <vector>

#include "torvane/state/plan.h"

// Kinds of lines: the level of their node (PLAN_CLASS_LINE ..., plan.h).

// Release from which the list uses a proportional font.
#define PLAN_LIST_PROPORTIONAL_RELEASE 7.0

// The fixed-width column rule, also the operation report's: the field is appended so that it
// ends at column (blanks before it), or after two blanks when the text and the field are longer
// than column - 2 characters.
void append_column_field(std::string *text, const std::string &field, int column);

// A number as the list and the report write it: 3 decimals, trailing zeros and point removed.
std::string plan_number_text(double value);

// Catalogue labels of the lines. Every class label holds the class marker.
struct plan_line_texts {
    std::string class_label[4];  // by kind: rough, middle, finish, other
    std::string group_label[3];  // by kind; groups of the other class have none
    std::string group_ref_label;
    std::string oper_label[3];
    std::string oper_ref_label;
};

// 0 when a text is missing (the lookup has said so).
int load_plan_line_texts(plan_line_texts *texts);

// What the dialog says about the list: which classes are switched on, the class values
// (spark gaps), the allowances of rough and middle groups, and the font.
struct plan_line_view {
    int class_on[4] = {1, 1, 1, 1};
    double class_value[4] = {0.0, 0.0, 0.0, 0.0};
    double rough_allowance = 0.0;
    double middle_allowance = 0.0;
    int fixed_width = 0;
};

// The line of one node.
std::string class_line_text(const r_m_f_or_other &node, const plan_line_texts &texts, const plan_line_view &view);
std::string group_line_text(const prog_group &node, const r_m_f_or_other &parent, const plan_line_texts &texts,
                            const plan_line_view &view);
std::string oper_line_text(const oper &node, const plan_line_texts &texts, const plan_line_view &view);

// The node's line followed by those of its shown descendants (children follow a node only while
// it is expanded), appended to lines.
void append_class_lines(std::vector<std::string> *lines, const r_m_f_or_other &node, const plan_line_texts &texts,
                        const plan_line_view &view);
void append_group_lines(std::vector<std::string> *lines, const prog_group &node, const r_m_f_or_other &parent,
                        const plan_line_texts &texts, const plan_line_view &view);

// Every line of the plan: the classes switched on, each with its shown descendants.
std::vector<std::string> plan_list_lines(const r_m_f_or_other *plan, const plan_line_texts &texts,
                                         const plan_line_view &view);

// Kind of a line: a class line holds the marker, a group line is any other holding "+", the rest
// are operation lines.
int plan_line_kind(const char *line, const char *marker);

// Name of the node behind a line of that kind: a class line's text up to its first blank, the
// first word after the "+" of a group line, the first word of an operation line.
std::string plan_line_name(const char *line, int kind);

#endif
