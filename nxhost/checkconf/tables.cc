// The tool and holder tables: rows the table readers take, holders the cutters name.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "nxhost/checkconf/checks.h"

namespace nxhost::checkconf {

namespace {

constexpr std::size_t kRowMax = 999;
constexpr int kToolColumns = 21;
constexpr int kHolderColumns = 4;

const char *const TOOL_FIELDS[kToolColumns] = {
    "number",       "name",          "diameter",   "corner radius",  "tool number",   "length",
    "flute length", "flutes",        "taper angle", "tip angle",     "spindle speed", "depth per cut",
    "stepover",     "approach feed", "engage feed", "first cut feed", "cut feed",     "traversal feed",
    "retract feed", "holder name",   "description"};
// Columns read as whole numbers; the others up to the holder name as decimal numbers.
bool is_integer_column(int column) { return column == 1 || column == 5 || column == 8; }

// Columns of a row as the readers split it: blanks and commas gone, `|` between columns.
std::vector<std::string> columns_of(const std::string &row) {
    std::string text;
    for (char c : row)
        if (c != ' ' && c != ',') text += c;
    std::vector<std::string> columns;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find('|', start);
        columns.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return columns;
}

struct Row {
    int line;
    std::vector<std::string> columns;
};

// The rows of the table at `key`, or false after an error when the table cannot be read.
bool read_table(const TextFile &file, const std::string &key, const char *what, Report &report, std::vector<Row> *rows) {
    const KeyHit hit = find_key(file, key, kTableTokenMax);
    if (!hit.found) {
        report.error(file.path, 1, std::string("the ") + what + " starting at " + key + " is missing");
        return false;
    }
    const std::vector<std::string> lines = split_lines(file.bytes);
    // The rest of the key's line, then the header line.
    for (std::size_t index = static_cast<std::size_t>(hit.line) + 1; index < lines.size(); ++index) {
        const std::string &line = lines[index];
        const int number = static_cast<int>(index) + 1;
        if (line.find("EOF") != std::string::npos) return true;
        if (line.empty()) continue;
        if (line.size() > kRowMax) {
            report.error(file.path, number, "row longer than " + std::to_string(kRowMax) + " characters");
            continue;
        }
        rows->push_back({number, columns_of(line)});
    }
    report.error(file.path, hit.line, std::string("the ") + what + " starting at " + key + " has no EOF line");
    return false;
}

// A row with fewer columns than the reader takes leaves fields empty without a word.
void check_width(const TextFile &file, const Row &row, int width, const char *what, Report &report) {
    const int count = static_cast<int>(row.columns.size());
    if (count < width)
        report.error(file.path, row.line,
                     "row has " + std::to_string(count) + " columns, " + what + " row has " + std::to_string(width));
    else if (count > width)
        report.warning(file.path, row.line,
                       "row has " + std::to_string(count) + " columns; those after " + std::to_string(width) +
                           " are ignored");
}

void check_name(const TextFile &file, const Row &row, std::size_t limit, const char *what, Report &report) {
    const std::string name = row.columns.size() > 1 ? row.columns[1] : "";
    if (name.size() > limit)
        report.error(file.path, row.line,
                     std::string(what) + " '" + name + "' is longer than " + std::to_string(limit) + " characters");
    else if (name.empty())
        report.warning(file.path, row.line, std::string(what) + " is empty; it is read as NULL");
}

// Duplicate names (after upper case) are kept by the readers; the second hides behind the first.
void check_duplicates(const TextFile &file, const std::vector<Row> &rows, const char *what, Report &report) {
    std::map<std::string, int> first_line;
    for (const Row &row : rows) {
        const std::string name = upper(row.columns.size() > 1 ? row.columns[1] : "");
        auto seen = first_line.emplace(name, row.line);
        if (!seen.second)
            report.warning(file.path, row.line,
                           std::string(what) + " '" + name + "' is already on line " + std::to_string(seen.first->second));
    }
}

// The holder's sections: each a diameter and a length above 0.
void check_sections(const TextFile &file, const Row &row, Report &report) {
    const std::string holder = row.columns.size() > 1 ? upper(row.columns[1]) : "";
    const std::string text = row.columns.size() > 2 ? row.columns[2] : "";
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != 'X' && c != 'x' && c != ';')
            report.warning(file.path, row.line,
                           "holder " + holder + ": character '" + std::string(1, c) + "' in its sections is skipped");
    if (text.empty()) {
        report.error(file.path, row.line, "holder " + holder + " has no sections");
        return;
    }
    std::size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        double value[4] = {0, 0, 0, 0};
        std::size_t at = start;
        for (int v = 0; v < 4 && at < end; ++v) {
            std::size_t stop = at;
            while (stop < end && text[stop] != 'X' && text[stop] != 'x') ++stop;
            std::string digits;
            for (std::size_t k = at; k < stop; ++k)
                if (std::isdigit(static_cast<unsigned char>(text[k])) || text[k] == '-' || text[k] == '.') digits += text[k];
            value[v] = std::strtod(digits.c_str(), nullptr);
            at = stop + 1;
        }
        if (value[0] <= 0.0 || value[1] <= 0.0)
            report.error(file.path, row.line,
                         "holder " + holder + ": section " + std::to_string(number) + " needs a diameter and a length above 0");
        if (end == text.size()) break;
        start = end + 1;
    }
}

}  // namespace

bool check_holder_table(const std::string &root, Report &report, std::vector<std::string> *holders) {
    TextFile file;
    std::vector<Row> rows;
    if (!read_text(join(root, "config_holder_libref.def"), &file, report) ||
        !read_table(file, "holder_data_define_start_1:", "holder table", report, &rows))
        return false;
    for (const Row &row : rows) {
        check_width(file, row, kHolderColumns, "a holder", report);
        long number = 0;
        if (!whole_integer(row.columns[0], &number))
            report.error(file.path, row.line, "holder number '" + row.columns[0] + "' is not a whole number");
        check_name(file, row, 80, "holder name", report);
        check_sections(file, row, report);
        holders->push_back(upper(row.columns.size() > 1 ? row.columns[1] : ""));
    }
    check_duplicates(file, rows, "holder", report);
    return true;
}

void check_tool_tables(const std::string &root, const KeyedValues &values, const std::vector<std::string> *holders,
                       Report &report) {
    TextFile file;
    if (!read_text(join(root, "config_tool_libref.def"), &file, report, true)) return;
    for (int library = 1; library <= 6; ++library) {
        const auto name = values.find("tool_libref_" + std::to_string(library) + "_name:");
        // The dialog leaves out a library named NONE; one without a name was reported already.
        if (name == values.end() || name->second == "NONE") continue;
        std::vector<Row> rows;
        const std::string key = "tool_data_define_start_" + std::to_string(library) + ":";
        const std::string what = "tool table of " + name->second;
        if (!read_table(file, key, what.c_str(), report, &rows)) continue;
        for (const Row &row : rows) {
            check_width(file, row, kToolColumns, "a cutter", report);
            check_name(file, row, 30, "cutter name", report);
            const int numeric = std::min<int>(static_cast<int>(row.columns.size()), 19);
            for (int column = 1; column <= numeric; ++column) {
                if (column == 2) continue;
                const std::string &text = row.columns[static_cast<std::size_t>(column - 1)];
                double number = 0.0;
                long integer = 0;
                // An empty column reads as 0; only the row number must be there.
                const bool ok = (text.empty() && column != 1) ||
                                (is_integer_column(column) ? whole_integer(text, &integer) : whole_number(text, &number));
                if (!ok)
                    report.error(file.path, row.line,
                                 std::string(TOOL_FIELDS[column - 1]) + " '" + text + "' is not " +
                                     (is_integer_column(column) ? "a whole number" : "a number"));
                else if (column == 3 && number == 0.0)
                    report.error(file.path, row.line, "diameter of cutter " + upper(row.columns[1]) + " is 0");
            }
            // Cutters find their holder by its name as the holder table holds it, upper case.
            if (holders && row.columns.size() >= 20 && !row.columns[19].empty() &&
                std::find(holders->begin(), holders->end(), row.columns[19]) == holders->end())
                report.error(file.path, row.line, "holder '" + row.columns[19] + "' is not in the holder table");
        }
        check_duplicates(file, rows, "cutter", report);
    }
}

}  // namespace nxhost::checkconf
