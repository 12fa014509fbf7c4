// The keyed definition files: every key the add-on reads, present and with a value it can use.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "nxhost/checkconf/checks.h"

namespace nxhost::checkconf {

namespace {

bool is_delimiter(char c) { return c == '\n' || c == ' ' || c == ','; }

enum class Type {
    Number,   // any decimal number
    Integer,  // a whole number
    Text,     // one word
};

struct KeySpec {
    const char *file;
    const char *key;
    Type type;
    double low, high;          // inclusive range of a number
    const char *needed_if;     // key whose non-zero value makes this one needed; nullptr = always
};

constexpr double kAny = 1e300;

// What the add-on reads, with the values it can use.
const KeySpec KEYS[] = {
    {"config.def", "elec_rough_space:", Type::Number, 0, kAny, nullptr},
    {"config.def", "elec_middle_space:", Type::Number, 0, kAny, nullptr},
    {"config.def", "elec_finish_space:", Type::Number, 0, kAny, nullptr},
    {"config.def", "elec_rough_number:", Type::Integer, 0, kAny, nullptr},
    {"config.def", "elec_middle_number:", Type::Integer, 0, kAny, nullptr},
    {"config.def", "elec_finish_number:", Type::Integer, 0, kAny, nullptr},
    {"config_cam.def", "fix_user_def_oper_start_angle:", Type::Number, 0, 180, nullptr},
    {"config_cam.def", "fix_user_def_oper_end_angle:", Type::Number, 0, 180, nullptr},
    {"config_cam.def", "zle_user_def_oper_start_angle:", Type::Number, 0, 180, nullptr},
    {"config_cam.def", "zle_user_def_oper_end_angle:", Type::Number, 0, 180, nullptr},
    {"config_cam.def", "fix_steep_cut_percent:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "path_elec_text_dir:", Type::Integer, 1, 4, nullptr},
    {"config_cam.def", "path_elec_text_oper_edge_dis:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "path_elec_text_close_edge_dis:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "path_elec_text_min_value:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "path_elec_text_max_value:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "require_r_path_elec_add_text:", Type::Integer, 0, 2, nullptr},
    {"config_cam.def", "require_m_path_elec_add_text:", Type::Integer, 0, 2, nullptr},
    {"config_cam.def", "require_f_path_elec_add_text:", Type::Integer, 0, 2, nullptr},
    {"config_cam.def", "r_path_elec_add_text_is:", Type::Text, 0, 0, "require_r_path_elec_add_text:"},
    {"config_cam.def", "m_path_elec_add_text_is:", Type::Text, 0, 0, "require_m_path_elec_add_text:"},
    {"config_cam.def", "f_path_elec_add_text_is:", Type::Text, 0, 0, "require_f_path_elec_add_text:"},
    {"config_cam.def", "require_elec_space:", Type::Integer, 0, 1, nullptr},
    {"config_cam.def", "path_elec_text_ratio:", Type::Number, 0, kAny, nullptr},
    {"config_cam.def", "elec_text_compensate_value:", Type::Number, -kAny, kAny, nullptr},
    {"config_tool_libref.def", "tool_libref_1_name:", Type::Text, 0, 0, nullptr},
    {"config_tool_libref.def", "tool_libref_2_name:", Type::Text, 0, 0, nullptr},
    {"config_tool_libref.def", "tool_libref_3_name:", Type::Text, 0, 0, nullptr},
    {"config_tool_libref.def", "tool_libref_4_name:", Type::Text, 0, 0, nullptr},
    {"config_tool_libref.def", "tool_libref_5_name:", Type::Text, 0, 0, nullptr},
    {"config_tool_libref.def", "tool_libref_6_name:", Type::Text, 0, 0, nullptr},
};

// Pairs whose first value may not exceed the second.
const char *const ORDERED[][2] = {
    {"fix_user_def_oper_start_angle:", "fix_user_def_oper_end_angle:"},
    {"zle_user_def_oper_start_angle:", "zle_user_def_oper_end_angle:"},
    {"path_elec_text_min_value:", "path_elec_text_max_value:"},
};

std::string range_text(const KeySpec &spec) {
    if (spec.high >= kAny && spec.low <= -kAny) return "any number";
    if (spec.high >= kAny) return number_text(spec.low) + " or more";
    return number_text(spec.low) + " to " + number_text(spec.high);
}

// The value's problem for the add-on, "" when it is fine; *warning when the add-on takes it anyway.
std::string value_fault(const KeySpec &spec, const std::string &value, bool *warning) {
    *warning = false;
    const std::string key = spec.key;
    if (spec.type == Type::Text) return "";
    if (value == "EOF") {
        *warning = true;
        return key + " reads EOF, which leaves its setting at the add-on's default";
    }
    double number = 0.0;
    long integer = 0;
    const bool whole = spec.type == Type::Integer ? whole_integer(value, &integer) : whole_number(value, &number);
    if (spec.type == Type::Integer) number = static_cast<double>(integer);
    if (!whole) {
        double leading = 0.0;
        char *end = nullptr;
        leading = std::strtod(value.c_str(), &end);
        if (end == value.c_str())
            return key + " '" + value + "' is not " + (spec.type == Type::Integer ? "a whole number" : "a number");
        if (spec.type == Type::Integer || !std::isfinite(leading))
            return key + " '" + value + "' is not a whole number";
        *warning = true;
        return key + " '" + value + "' is read as " + number_text(leading);
    }
    if (number < spec.low || number > spec.high)
        return key + " " + value + " is out of range (" + range_text(spec) + ")";
    return "";
}

}  // namespace

KeyHit find_key(const TextFile &file, const std::string &key, std::size_t token_max) {
    KeyHit hit;
    const std::string &b = file.bytes;
    std::string token;
    std::size_t i = 0;
    for (; i < b.size() && !hit.found; ++i) {
        const char c = b[i];
        if (is_delimiter(c)) token.clear();
        else if (token.size() >= token_max) token.clear();
        else token += c;
        if (token == key) {
            hit.found = true;
            hit.end = i + 1;
            hit.line = file.line_at(i);
        }
    }
    if (!hit.found) return hit;
    while (i < b.size() && is_delimiter(b[i])) ++i;
    const std::size_t start = i;
    while (i < b.size() && !is_delimiter(b[i]) && hit.value.size() < token_max) hit.value += b[i++];
    // The value must be ended by a delimiter or its length limit, not by the end of the file.
    hit.has_value = !hit.value.empty() && (i < b.size() || hit.value.size() >= token_max);
    hit.value_line = file.line_at(start);
    return hit;
}

std::vector<std::string> known_keys() {
    std::vector<std::string> keys;
    for (const KeySpec &spec : KEYS) keys.push_back(spec.key);
    keys.push_back("holder_data_define_start_1:");
    for (int n = 1; n <= 6; ++n) keys.push_back("tool_data_define_start_" + std::to_string(n) + ":");
    return keys;
}

KeyedValues check_keyed_files(const std::string &root, Report &report) {
    KeyedValues values;
    std::map<std::string, TextFile> files;
    std::map<std::string, bool> readable;
    std::map<std::string, const KeySpec *> specs;
    for (const KeySpec &spec : KEYS) {
        specs[spec.key] = &spec;
        if (!readable.count(spec.file))
            readable[spec.file] = read_text(join(root, spec.file), &files[spec.file], report);
        if (!readable[spec.file]) continue;
        const TextFile &file = files[spec.file];
        if (spec.needed_if && values.count(spec.needed_if)) {
            double flag = 0.0;
            if (!whole_number(values[spec.needed_if], &flag) || flag == 0.0) continue;
        }
        const KeyHit hit = find_key(file, spec.key, kKeyTokenMax);
        if (!hit.found) {
            report.error(file.path, 1, std::string("key ") + spec.key + " is missing");
            continue;
        }
        if (!hit.has_value) {
            report.error(file.path, hit.line,
                         std::string(spec.key) + " has no value (the last value needs a line end after it)");
            continue;
        }
        bool warning = false;
        const std::string fault = value_fault(spec, hit.value, &warning);
        if (!fault.empty() && warning) report.warning(file.path, hit.value_line, fault);
        else if (!fault.empty()) report.error(file.path, hit.value_line, fault);
        if (fault.empty() || warning) values[spec.key] = hit.value;
    }
    for (const auto &pair : ORDERED) {
        double first = 0.0, second = 0.0;
        if (!values.count(pair[0]) || !values.count(pair[1])) continue;
        if (!whole_number(values[pair[0]], &first) || !whole_number(values[pair[1]], &second) || first <= second)
            continue;
        const TextFile &file = files[specs[pair[0]]->file];
        report.error(file.path, find_key(file, pair[0], kKeyTokenMax).value_line,
                     std::string(pair[0]) + " " + values[pair[0]] + " is above " + pair[1] + " " + values[pair[1]]);
    }
    return values;
}

// ---- the names of the add-on's sources ----------------------------------------------------

const std::vector<CatalogueTag> &addon_tags() {
    static const std::vector<CatalogueTag> tags = {
#define CHECKCONF_TAG(tag, catalogue) {tag, catalogue},
#define CHECKCONF_KEY_LITERAL(key)
#define CHECKCONF_ITEM(dialog, item, valued)
#include "nxhost/checkconf/addon_names.inc"
#undef CHECKCONF_TAG
#undef CHECKCONF_KEY_LITERAL
#undef CHECKCONF_ITEM
    };
    return tags;
}

const std::vector<DialogItem> &addon_dialog_items() {
    static const std::vector<DialogItem> items = {
#define CHECKCONF_TAG(tag, catalogue)
#define CHECKCONF_KEY_LITERAL(key)
#define CHECKCONF_ITEM(dialog, item, valued) {dialog, item, valued != 0},
#include "nxhost/checkconf/addon_names.inc"
#undef CHECKCONF_TAG
#undef CHECKCONF_KEY_LITERAL
#undef CHECKCONF_ITEM
    };
    return items;
}

const std::vector<std::string> &addon_key_literals() {
    static const std::vector<std::string> keys = {
#define CHECKCONF_TAG(tag, catalogue)
#define CHECKCONF_KEY_LITERAL(key) key,
#define CHECKCONF_ITEM(dialog, item, valued)
#include "nxhost/checkconf/addon_names.inc"
#undef CHECKCONF_TAG
#undef CHECKCONF_KEY_LITERAL
#undef CHECKCONF_ITEM
    };
    return keys;
}

}  // namespace nxhost::checkconf
