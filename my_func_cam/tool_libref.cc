// The tool and holder library tables: one reader for both kinds of table, the two row
// parsers, and the list helpers.
#include "my_func_cam/tool_libref.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "uf_ui.h"

namespace {

// ---- code page 936 text -------------------------------------------------------------------

// A trail byte may look like '|' or a letter, so a row is never split or upper-cased inside
// a double-byte character.
std::string upper_case(std::string text) {
    MY_upper_case(&text[0]);
    return text;
}

// ---- messages -----------------------------------------------------------------------------

// Texts of tags from the my_func_cam catalogue; false when one is missing.
bool lookup_texts(std::initializer_list<const char *> tags, std::string texts[]) {
    return lookup_messages(MY_FUNC_CAM_LANG_FORMAT, tags, texts) != 0;
}

void show(const std::string &message) { uc1601(message.c_str(), 1); }

// ---- rows ---------------------------------------------------------------------------------

// Columns of a row. Blanks and commas are dropped; a column is stored only when '|' or the
// line feed closes it, and the line feed ends the row.
std::vector<std::string> split_columns(const char *row) {
    std::vector<std::string> columns;
    std::string column;
    for (const char *p = row ? row : ""; *p; ++p) {
        if (MY_is_double_byte(p)) {
            column.append(p, 2);
            ++p;
        } else if (*p == '|' || *p == '\n') {
            columns.push_back(column);
            column.clear();
            if (*p == '\n') break;
        } else if (*p != ' ' && *p != ',') {
            column.push_back(*p);
        }
    }
    return columns;
}

// Leading decimal integer; none gives 0, a value beyond int is held at its limit.
int to_int(const std::string &text) {
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// Leading decimal number; none gives 0.
double to_double(const std::string &text) { return std::strtod(text.c_str(), nullptr); }

struct int_column {
    size_t column;
    int tool_data::*field;
};
struct double_column {
    size_t column;
    double tool_data::*field;
};

const int_column TOOL_INTS[] = {{4, &tool_data::tool_number}, {7, &tool_data::flute_number}};
const double_column TOOL_DOUBLES[] = {
    {3, &tool_data::tool_r},          {5, &tool_data::tool_len},        {6, &tool_data::tool_flute},
    {8, &tool_data::taper_angle},     {9, &tool_data::tip_angle},       {10, &tool_data::speed},
    {11, &tool_data::per_cut_depth},  {12, &tool_data::step_dis},       {13, &tool_data::approach_feed},
    {14, &tool_data::engage_feed},    {15, &tool_data::first_cut_feed}, {16, &tool_data::cut_feed},
    {17, &tool_data::traversal_feed}, {18, &tool_data::retract_feed},
};
const size_t TOOL_NAME_COLUMN = 1, TOOL_DIA_COLUMN = 2, TOOL_HOLDER_COLUMN = 19, TOOL_DESCR_COLUMN = 20;
const size_t HOLDER_NAME_COLUMN = 1, HOLDER_SECTIONS_COLUMN = 2, HOLDER_DESCR_COLUMN = 3;

// Tags of a row's name column: too long (an error), empty (a warning in two texts).
struct name_tags {
    const char *too_long, *empty_1, *empty_2;
};
const name_tags TOOL_NAME_TAGS = {"read_tool_libref_01:", "read_tool_libref_02:", "read_tool_libref_03:"};
const name_tags HOLDER_NAME_TAGS = {"read_holder_libref_from_row_01:", "read_holder_libref_from_row_02:",
                                    "read_holder_libref_from_row_03:"};

// Stores a row's name upper-cased; a name too long for the field is an error, an empty one a
// warning naming the row's number, and the name becomes "NULL". false on the error or when a
// text is missing.
bool store_row_name(std::string name, int number, char *field, size_t size, const name_tags &tags) {
    std::string t[2];
    if (name.size() > size - 1) {
        if (lookup_texts({tags.too_long}, t)) show(name + " " + t[0]);
        return false;
    }
    if (name.empty()) {
        if (!lookup_texts({tags.empty_1, tags.empty_2}, t)) return false;
        show(t[0] + " " + std::to_string(number) + " " + t[1]);
        name = "NULL";
    }
    MY_copy_cut(field, size, upper_case(name).c_str());
    return true;
}

bool is_section_character(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 'X' || c == 'x' || c == ';';
}

// ---- tables -------------------------------------------------------------------------------

struct table_line {
    std::string text;      // up to LIBREF_ROW_MAX characters and the line feed, if any
    bool has_eof = false;  // "EOF" anywhere in the whole line
    bool too_long = false;
};

// One physical line; false at the end of the file with nothing read.
bool read_table_line(FILE *fp, table_line *line) {
    *line = table_line{};
    static const char MARKER[] = "EOF";
    size_t matched = 0, length = 0;
    int c = std::fgetc(fp);
    if (c == EOF) return false;
    for (; c != EOF; c = std::fgetc(fp)) {
        if (c == '\n') {
            line->text.push_back('\n');
            break;
        }
        matched = c == MARKER[matched] ? matched + 1 : (c == MARKER[0] ? 1 : 0);
        // Once found the marker is looked for afresh, so that a NUL after it is no fourth letter.
        if (matched == 3) {
            line->has_eof = true;
            matched = 0;
        }
        if (++length > LIBREF_ROW_MAX)
            line->too_long = true;
        else
            line->text.push_back(static_cast<char>(c));
    }
    return true;
}

void set_prev(tool_data *record, tool_data *prev) { record->prev_p = prev; }
void set_prev(holder_data *, holder_data *) {}
const char *name_of(const tool_data &record) { return record.tool_name; }
const char *name_of(const holder_data &record) { return record.holder_name; }
int number_of(const tool_data &record) { return record.lib_number; }
int number_of(const holder_data &record) { return record.holder_number; }

// Tags of one kind of table, _01 to _14: file not opened (01, 02), key missing (03 to 05), no
// memory (06), no end line (07, 08), duplicate names (09 to 12), a row too long (13, 14).
struct table_tags {
    const char *tag[14];
};

const table_tags TOOL_TABLE = {{
    "MY_read_tool_libref_ne_01:",
    "MY_read_tool_libref_ne_02:",
    "MY_read_tool_libref_ne_03:",
    "MY_read_tool_libref_ne_04:",
    "MY_read_tool_libref_ne_05:",
    "MY_read_tool_libref_ne_06:",
    "MY_read_tool_libref_ne_07:",
    "MY_read_tool_libref_ne_08:",
    "MY_read_tool_libref_ne_09:",
    "MY_read_tool_libref_ne_10:",
    "MY_read_tool_libref_ne_11:",
    "MY_read_tool_libref_ne_12:",
    "MY_read_tool_libref_ne_13:",
    "MY_read_tool_libref_ne_14:",
}};
const table_tags HOLDER_TABLE = {{
    "MY_read_holder_libre_01:",
    "MY_read_holder_libre_02:",
    "MY_read_holder_libre_03:",
    "MY_read_holder_libre_04:",
    "MY_read_holder_libre_05:",
    "MY_read_holder_libre_06:",
    "MY_read_holder_libre_07:",
    "MY_read_holder_libre_08:",
    "MY_read_holder_libre_09:",
    "MY_read_holder_libre_10:",
    "MY_read_holder_libre_11:",
    "MY_read_holder_libre_12:",
    "MY_read_holder_libre_13:",
    "MY_read_holder_libre_14:",
}};

// How much of a refused row the message quotes, so that the user can find it.
const size_t QUOTED_ROW_START = 40;

template <class Record>
void append(Record **head, Record **last, Record *record) {
    set_prev(record, *last);
    if (*last)
        (*last)->next_p = record;
    else
        *head = record;
    *last = record;
}

// Shows the first pair of records with the same upper-cased name, if any; false when its
// texts could not be looked up.
template <class Record>
bool report_first_duplicate(const Record *list, const table_tags &tags) {
    for (const Record *first = list; first; first = first->next_p) {
        const std::string name = upper_case(name_of(*first));
        for (const Record *second = first->next_p; second; second = second->next_p) {
            if (upper_case(name_of(*second)) != name) continue;
            std::string t[4];
            if (!lookup_texts({tags.tag[8], tags.tag[9], tags.tag[10], tags.tag[11]}, t)) return false;
            show(t[0] + " " + std::to_string(number_of(*first)) + " " + t[1] + " " +
                 std::to_string(number_of(*second)) + " " + t[2] + "(" + name_of(*first) + ")" + t[3]);
            return true;
        }
    }
    return true;
}

template <class Record>
int read_table(const char *section_key, Record **list_p, const char *path, const table_tags &tags,
               int (*parse)(const char *, Record *)) {
    const std::string key = section_key ? section_key : "";
    const std::string path_text = path ? path : "";
    std::string t[3];
    std::unique_ptr<FILE, int (*)(FILE *)> fp(path ? sys_fopen(path, "r") : nullptr, std::fclose);
    if (!fp) {
        if (lookup_texts({tags.tag[0], tags.tag[1]}, t)) show(t[0] + " " + path_text + " " + t[1]);
        return 0;
    }
    if (!MY_find_config_key(fp.get(), key.c_str(), MY_LIBREF_TOKEN_MAX)) {
        fp.reset();
        if (lookup_texts({tags.tag[2], tags.tag[3], tags.tag[4]}, t))
            show(t[0] + " " + path_text + " " + t[1] + " " + key + " " + t[2]);
        return 0;
    }

    Record *head = nullptr, *last = nullptr;
    // Dropping the rows read so far on every way out but the installation below.
    auto drop = [&head] { MY_free_list(&head); };
    table_line line;
    bool ended = false;
    // The rest of the key's line and the header line are no rows, whatever they hold.
    if (read_table_line(fp.get(), &line) && read_table_line(fp.get(), &line)) {
        while (read_table_line(fp.get(), &line)) {
            if (line.has_eof) {
                ended = true;
                break;
            }
            if (line.too_long) {
                fp.reset();
                drop();
                char start[QUOTED_ROW_START + 1];
                MY_copy_cut(start, sizeof start, line.text.c_str());
                if (lookup_texts({tags.tag[12], tags.tag[13]}, t)) show(t[0] + " " + key + " " + t[1] + " " + start);
                return 0;
            }
            if (line.text[0] == '\n') continue;
            Record *record = new (std::nothrow) Record();
            if (!record) {
                fp.reset();
                drop();
                if (lookup_texts({tags.tag[5]}, t)) show(t[0]);
                return 0;
            }
            if (!parse(line.text.c_str(), record)) {
                delete record;
                fp.reset();
                drop();
                return 0;
            }
            append(&head, &last, record);
        }
    }
    fp.reset();
    if (!ended) {
        drop();
        if (lookup_texts({tags.tag[6], tags.tag[7]}, t)) show(t[0] + " " + key + " " + t[1]);
        return 0;
    }

    MY_free_list(list_p);
    *list_p = head;
    return report_first_duplicate(head, tags) ? 1 : 0;
}

}  // namespace

void clear_tool_data(tool_data *record) {
    if (record) *record = tool_data{};
}

int read_tool_libref_from_row(const char *row, tool_data *record) {
    if (!record) return 0;
    clear_tool_data(record);
    const std::vector<std::string> columns = split_columns(row);
    auto column = [&columns](size_t i) { return i < columns.size() ? columns[i] : std::string(); };
    std::string t[2];

    record->lib_number = to_int(column(0));
    if (!store_row_name(column(TOOL_NAME_COLUMN), record->lib_number, record->tool_name, sizeof record->tool_name,
                        TOOL_NAME_TAGS))
        return 0;

    record->tool_dia = to_double(column(TOOL_DIA_COLUMN));
    // 0 is also what a text that is no number converts to.
    if (record->tool_dia == 0.0 || !std::isfinite(record->tool_dia)) {
        if (lookup_texts({"read_tool_libref_04:"}, t)) show(column(TOOL_DIA_COLUMN) + " " + t[0]);
        return 0;
    }
    for (const int_column &c : TOOL_INTS) record->*c.field = to_int(column(c.column));
    for (const double_column &c : TOOL_DOUBLES) record->*c.field = to_double(column(c.column));
    MY_copy_cut(record->holder_name, sizeof record->holder_name, column(TOOL_HOLDER_COLUMN).c_str());
    MY_copy_cut(record->tool_descr, sizeof record->tool_descr, column(TOOL_DESCR_COLUMN).c_str());
    return 1;
}

int read_holder_libref_from_row(const char *row, holder_data *record) {
    if (!record) return 0;
    *record = holder_data{};
    const std::vector<std::string> columns = split_columns(row);
    auto column = [&columns](size_t i) { return i < columns.size() ? columns[i] : std::string(); };
    std::string t[2];

    record->holder_number = to_int(column(0));
    if (!store_row_name(column(HOLDER_NAME_COLUMN), record->holder_number, record->holder_name,
                        sizeof record->holder_name, HOLDER_NAME_TAGS))
        return 0;

    const std::string sections = column(HOLDER_SECTIONS_COLUMN);
    bool looked_up = false;
    for (size_t i = 0; i < sections.size(); ++i) {
        const bool pair = MY_is_double_byte(&sections[i]);
        if (!pair && is_section_character(sections[i])) continue;
        if (!looked_up &&
            !(looked_up = lookup_texts({"read_holder_libref_from_row_04:", "read_holder_libref_from_row_05:"}, t)))
            return 0;
        // The quotation marks of code page 936, like the texts around them.
        show(t[0] + " \xa1\xb0" + record->holder_name + "\xa1\xb1 " + t[1]);
        if (pair) ++i;
    }
    MY_copy_cut(record->section_text, sizeof record->section_text, sections.c_str());
    MY_copy_cut(record->holder_descr, sizeof record->holder_descr, column(HOLDER_DESCR_COLUMN).c_str());
    return 1;
}

int MY_read_tool_libref_new(const char *section_key, tool_data **list_p, const char *path) {
    if (!list_p) return 0;
    return read_table(section_key, list_p, path, TOOL_TABLE, read_tool_libref_from_row);
}

int MY_read_holder_libref(const char *section_key, holder_data **list_p, const char *path) {
    if (!list_p) return 0;
    return read_table(section_key, list_p, path, HOLDER_TABLE, read_holder_libref_from_row);
}

void free_tool_data_list(tool_data **list_p) { MY_free_list(list_p); }

void free_holder_data_list(holder_data **list_p) { MY_free_list(list_p); }

tool_data *find_tool_data(tool_data *list, const char *tool_name) {
    if (!tool_name) return nullptr;
    const std::string wanted = upper_case(tool_name);
    if (wanted == "NONE") return nullptr;
    for (tool_data *record = list; record; record = record->next_p)
        if (upper_case(record->tool_name) == wanted) return record;
    return nullptr;
}

holder_data *find_holder_data(holder_data *list, const char *holder_name) {
    if (!holder_name) return nullptr;
    for (holder_data *record = list; record; record = record->next_p)
        if (std::strcmp(record->holder_name, holder_name) == 0) return record;
    return nullptr;
}
