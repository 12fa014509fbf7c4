// The section text of a holder ("20X35;32X50X5;63X20") as holder sections.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "uf_ui.h"

namespace {

const int SECTION_VALUES = 4;  // diameter, length, taper angle, corner radius

// Shows "text holder text" from the torvane catalogue; false when a text is missing (the
// lookup has then shown why).
bool show_section_message(const char *first_tag, const char *second_tag, const char *holder_name) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, TORVANE_LANG_FORMAT);
    char first[MY_MESSAGE_BUFSIZE], second[MY_MESSAGE_BUFSIZE];
    if (!lookup_message(first_tag, first, lang_path) || !lookup_message(second_tag, second, lang_path)) return false;
    const std::string message = std::string(first) + " " + (holder_name ? holder_name : "") + " " + second;
    uc1601(message.c_str(), 1);
    return true;
}

bool is_value_character(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// The values of one section (without its ';'): 'X' or 'x' closes a value, so does the end.
void parse_section(const std::string &section, holder_section *node) {
    double holder_section::*const fields[SECTION_VALUES] = {&holder_section::diameter, &holder_section::length,
                                                            &holder_section::taper_angle,
                                                            &holder_section::corner_radius};
    std::string value;
    int index = 0;
    for (size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        const bool closes = c == 'X' || c == 'x';
        if (is_value_character(c)) value += c;
        if (closes || i + 1 == section.size()) {
            if (index < SECTION_VALUES) node->*fields[index] = std::atof(value.c_str());
            ++index;
            value.clear();
        }
    }
}

}  // namespace

int get_char_holder_section_data(const char *holder_name, const char *section_text, holder_section **list_p) {
    if (!list_p) return 0;
    holder_section *last = *list_p;
    while (last && last->next_p) last = last->next_p;

    const std::string text = section_text ? section_text : "";
    std::string section;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ';') section += text[i];
        if (text[i] != ';' && i + 1 != text.size()) continue;

        holder_section *node = new (std::nothrow) holder_section();
        if (!node) return 0;  // a few bytes: nothing sensible is left to show then
        parse_section(section, node);
        section.clear();
        const bool bad_diameter = node->diameter <= 0.0, bad_length = node->length <= 0.0;
        if (bad_diameter || bad_length) {
            delete node;
            if (bad_diameter)
                show_section_message("get_char_holder_section_dat_01:", "get_char_holder_section_dat_02:", holder_name);
            else
                show_section_message("get_char_holder_section_dat_03:", "get_char_holder_section_dat_04:", holder_name);
            return 0;
        }
        if (last)
            last->next_p = node;
        else
            *list_p = node;
        last = node;
    }
    return 1;
}

void free_holder_section_list(holder_section **list_p) { MY_free_list(list_p); }
