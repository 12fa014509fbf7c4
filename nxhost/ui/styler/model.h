// The items of a UIStyler dialog as the stand-in keeps them: what the layout file declares,
// then whatever the user and the add-on do to them while the dialog is open.
//
// Texts (labels, entries, values) are held as the add-on sees them: code page 936 bytes. The
// layout file is UTF-8 and is converted when read; the transcript converts back for display.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace nxhost::styler {

enum class Kind {
    label,
    integer,
    real,
    string,
    wide_string,
    action_button,
    toggle,
    bitmap,
    button_layout,
    option_menu,
    radio_box,
    tool_palette,
    scale_real,
    scale_integer,
    single_list,
    multi_list,
    separator,
    multi_line_text,
    color_tool,
    begin_group,
    end_group,
};

const char *kind_name(Kind kind);
// "a toggle", "an integer": the kind in a sentence.
std::string a_kind(Kind kind);
// The UF_STYLER_*_TYPE code that UF_STYLER_ITEM_TYPE reports.
int kind_type_code(Kind kind);
// False when the name is not a kind of the layout format.
bool kind_from_name(const std::string &name, Kind *kind);
// "label, integer, ..." for error messages.
std::string known_kind_names();

bool is_list(Kind kind);           // single_list, multi_list
bool is_choice(Kind kind);         // option_menu, radio_box: exactly one entry chosen by index
bool is_button_box(Kind kind);     // button_layout, tool_palette: entries are buttons
bool has_entries(Kind kind);       // lists, choices and button boxes
bool holds_integer(Kind kind);     // toggle, integer, scale_integer, color_tool
bool holds_real(Kind kind);        // real, scale_real
bool holds_text(Kind kind);        // string, wide_string, bitmap (its file name)
bool is_scale(Kind kind);
bool has_label(Kind kind);         // all but separator and end_group
bool has_value(Kind kind);         // what the VALUE attribute applies to
bool takes_focus(Kind kind);       // fields, buttons, lists: what a user can tab to

struct Item {
    std::string id;
    Kind kind = Kind::label;
    std::string label;
    std::vector<std::string> entries;  // list lines, menu and radio entries, buttons of a box
    std::vector<std::string> lines;    // multi-line text
    std::string text;                  // string, wide string, file name of a bitmap
    std::string bitmap;                // picture shown on an action button or toggle
    int integer = 0;                   // integer kinds; chosen entry; last pressed button
    double real = 0.0;
    std::vector<int> selected;         // selected list lines, ascending
    bool sensitive = true;
    bool visible = true;
    double minimum = 0.0;              // scales
    double maximum = 100.0;
    int precision = 2;                 // scale_real digits
};

// Navigation buttons a dialog may carry, by their subitem index under UF_STYLER_NAV_INDEX.
inline constexpr const char *kNavButtonNames[] = {"OK", "APPLY", "BACK", "CANCEL"};
int nav_index(const std::string &name);  // -1 when not a button name

struct Layout {
    std::string file;                  // host path it was read from
    std::string title;
    std::vector<std::string> buttons;  // navigation buttons present, in kNavButtonNames order
    std::vector<Item> items;
};

class LayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a layout file (format nxhost-dialog/1, FORMAT.md). Throws LayoutError "FILE: what",
// naming the item where one is at fault.
Layout read_layout(const std::string &host_path);
Layout parse_layout(const std::string &json_text, const std::string &file);

// Index of the item with this id, -1 when there is none.
int find_item(const std::vector<Item> &items, const std::string &id);

// Whether a user can reach the item: it and every group around it sensitive (visible).
bool effectively_sensitive(const std::vector<Item> &items, std::size_t index);
bool effectively_visible(const std::vector<Item> &items, std::size_t index);

}  // namespace nxhost::styler
