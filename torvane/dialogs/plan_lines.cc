// Line texts of the plan list and the way back from a line to its node.
#include "torvane/dialogs/plan_lines.h"

#include <cstring>

#include "my_func/my_func.h"

namespace {

const char CLASS_PREFIX[] = "";
const char GROUP_PREFIX[] = "  + ";
const char OPER_PREFIX[] = "      ";

// Fixed-width layout: the column each field ends at.
const int CLASS_LABEL_COLUMN = 33;
const int LABEL_COLUMN = 29;
const int STOCK_COLUMN = 36;
const int CUTTER_COLUMN = 39;
const int REF_CUTTER_COLUMN = 55;

// Proportional layout: the width the name and each field are spaced by.
const int CLASS_NAME_WIDTH = 15;
const int CLASS_LABEL_WIDTH = 15;
const int NAME_WIDTH = 18;
const int LABEL_WIDTH = 10;
const int STOCK_WIDTH = 7;
const int CUTTER_WIDTH = 10;
const int REF_CUTTER_WIDTH = 12;
const double BLANKS_PER_CHARACTER = 1.7;

int scaled_blanks(int width, std::size_t length) {
    return static_cast<int>((width - static_cast<int>(length)) * BLANKS_PER_CHARACTER);
}

// A line under construction in one of the two layouts.
class line_builder {
public:
    line_builder(const plan_line_view &view, const char *prefix, const char *name, int name_width)
        : fixed_(view.fixed_width != 0), text_(std::string(prefix) + name) {
        if (fixed_) return;
        const std::size_t length = std::strlen(name);
        const int blanks = static_cast<int>(length) <= name_width - 2 ? scaled_blanks(name_width, length) : 1;
        text_.append(static_cast<std::size_t>(blanks), ' ');
    }

    void field(const std::string &value, int column, int width) {
        if (fixed_) {
            append_column_field(&text_, value, column);
            return;
        }
        text_ += "  " + value;
        const int blanks = scaled_blanks(width, value.size());
        if (blanks >= 1) text_.append(static_cast<std::size_t>(blanks), ' ');
    }

    const std::string &text() const { return text_; }

private:
    bool fixed_;
    std::string text_;
};

std::string ref_cutter_text(const std::string &label, const char *name) { return label + ":" + name; }

bool has_label(int kind) { return kind >= RMF_ROUGH && kind <= RMF_FINISH; }

int class_index(int kind) { return kind >= RMF_ROUGH && kind <= RMF_OTHER ? kind : RMF_OTHER; }

// Stock a group leaves: its class's allowance plus the value of the class it stands in.
double group_stock(const prog_group &node, const r_m_f_or_other &parent, const plan_line_view &view) {
    const double class_value = view.class_value[class_index(parent.rmf_kind)];
    if (node.rmf_kind == RMF_ROUGH) return view.rough_allowance + class_value;
    if (node.rmf_kind == RMF_MIDDLE) return view.middle_allowance + class_value;
    return class_value;
}

// Cutter of a collapsed group: the first one its operations name, marked "!" when they differ.
std::string group_cutter_text(const prog_group &node) {
    const char *first = nullptr;
    bool all_same = true;
    for (const oper *oper_current_p = node.oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p) {
        if (!first && oper_current_p->tool_name[0]) first = oper_current_p->tool_name;
        if (std::strcmp(oper_current_p->tool_name, node.oper_list_p->tool_name) != 0) all_same = false;
    }
    if (!first) return std::string();
    return (all_same ? "" : "!") + std::string(first);
}

const char *group_ref_cutter(const prog_group &node) {
    for (const oper *oper_current_p = node.oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p)
        if (oper_current_p->ref_tool_name[0]) return oper_current_p->ref_tool_name;
    return nullptr;
}

const char *skip_blanks(const char *p) {
    while (*p == ' ') ++p;
    return p;
}

std::string first_word(const char *p) {
    const char *end = p;
    while (*end && *end != ' ') ++end;
    return std::string(p, end);
}

}  // namespace

void append_column_field(std::string *text, const std::string &field, int column) {
    const int end = static_cast<int>(text->size() + field.size());
    text->append(end > column - 2 ? 2 : static_cast<std::size_t>(column - end), ' ');
    *text += field;
}

std::string plan_number_text(double value) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    return MY_double_to_str(value, 3, text);
}

int load_plan_line_texts(plan_line_texts *texts) {
    std::string labels[12];
    if (!lookup_messages(TORVANE_LANG_FORMAT,
                         {"insert_dlg_single_group_ite_01:", "insert_dlg_single_group_ite_02:",
                          "insert_dlg_single_group_ite_03:", "insert_dlg_single_group_ite_04:",
                          "insert_dlg_single_prog_group_ite_01:", "insert_dlg_single_prog_group_ite_02:",
                          "insert_dlg_single_prog_group_ite_03:", "insert_dlg_single_prog_group_ite_04:",
                          "insert_dlg_single_oper_ite_01:", "insert_dlg_single_oper_ite_02:",
                          "insert_dlg_single_oper_ite_03:", "insert_dlg_single_oper_ite_04:"},
                         labels))
        return 0;
    for (int kind = 0; kind < 4; ++kind) texts->class_label[kind] = labels[kind];
    for (int kind = 0; kind < 3; ++kind) {
        texts->group_label[kind] = labels[4 + kind];
        texts->oper_label[kind] = labels[8 + kind];
    }
    texts->group_ref_label = labels[7];
    texts->oper_ref_label = labels[11];
    return 1;
}

std::string class_line_text(const r_m_f_or_other &node, const plan_line_texts &texts, const plan_line_view &view) {
    line_builder line(view, CLASS_PREFIX, node.name, CLASS_NAME_WIDTH);
    line.field(texts.class_label[class_index(node.rmf_kind)], CLASS_LABEL_COLUMN, CLASS_LABEL_WIDTH);
    return line.text();
}

std::string group_line_text(const prog_group &node, const r_m_f_or_other &parent, const plan_line_texts &texts,
                            const plan_line_view &view) {
    line_builder line(view, GROUP_PREFIX, node.name, NAME_WIDTH);
    if (has_label(node.rmf_kind)) {
        line.field(texts.group_label[node.rmf_kind], LABEL_COLUMN, LABEL_WIDTH);
        line.field(plan_number_text(group_stock(node, parent, view)), STOCK_COLUMN, STOCK_WIDTH);
    }
    if (!node.expanded) {
        line.field(group_cutter_text(node), CUTTER_COLUMN, CUTTER_WIDTH);
        if (const char *ref = group_ref_cutter(node))
            line.field(ref_cutter_text(texts.group_ref_label, ref), REF_CUTTER_COLUMN, REF_CUTTER_WIDTH);
    }
    return line.text();
}

std::string oper_line_text(const oper &node, const plan_line_texts &texts, const plan_line_view &view) {
    line_builder line(view, OPER_PREFIX, node.name, NAME_WIDTH);
    if (has_label(node.rmf_kind)) line.field(texts.oper_label[node.rmf_kind], LABEL_COLUMN, LABEL_WIDTH);
    if (node.has_name_stock) line.field(plan_number_text(node.name_stock), STOCK_COLUMN, STOCK_WIDTH);
    line.field(node.tool_name, CUTTER_COLUMN, CUTTER_WIDTH);
    if (node.ref_tool_name[0])
        line.field(ref_cutter_text(texts.oper_ref_label, node.ref_tool_name), REF_CUTTER_COLUMN, REF_CUTTER_WIDTH);
    return line.text();
}

void append_group_lines(std::vector<std::string> *lines, const prog_group &node, const r_m_f_or_other &parent,
                        const plan_line_texts &texts, const plan_line_view &view) {
    lines->push_back(group_line_text(node, parent, texts, view));
    if (!node.expanded) return;
    for (const oper *oper_current_p = node.oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p)
        lines->push_back(oper_line_text(*oper_current_p, texts, view));
}

void append_class_lines(std::vector<std::string> *lines, const r_m_f_or_other &node, const plan_line_texts &texts,
                        const plan_line_view &view) {
    lines->push_back(class_line_text(node, texts, view));
    if (!node.expanded) return;
    for (const prog_group *prog_group_current_p = node.prog_group_list_p; prog_group_current_p;
         prog_group_current_p = prog_group_current_p->next_p)
        append_group_lines(lines, *prog_group_current_p, node, texts, view);
}

std::vector<std::string> plan_list_lines(const r_m_f_or_other *plan, const plan_line_texts &texts,
                                         const plan_line_view &view) {
    std::vector<std::string> lines;
    for (const r_m_f_or_other *r_m_f_or_other_current_p = plan; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        if (view.class_on[class_index(r_m_f_or_other_current_p->rmf_kind)])
            append_class_lines(&lines, *r_m_f_or_other_current_p, texts, view);
    return lines;
}

int plan_line_kind(const char *line, const char *marker) {
    if (marker && *marker && std::strstr(line, marker)) return PLAN_CLASS_LINE;
    if (std::strchr(line, '+')) return PLAN_GROUP_LINE;
    return PLAN_OPER_LINE;
}

std::string plan_line_name(const char *line, int kind) {
    switch (kind) {
    case PLAN_CLASS_LINE: return first_word(line);
    case PLAN_GROUP_LINE: return first_word(skip_blanks(std::strchr(line, '+') ? std::strchr(line, '+') + 1 : line));
    default: return first_word(skip_blanks(line));
    }
}
