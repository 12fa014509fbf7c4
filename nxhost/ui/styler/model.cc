#include "nxhost/ui/styler/model.h"

#include <iterator>

#include "uf_styler.h"

namespace nxhost::styler {
namespace {

struct KindInfo {
    Kind kind;
    const char *name;
    int type_code;
};

const KindInfo kKinds[] = {
    {Kind::label, "label", UF_STYLER_LABEL_TYPE},
    {Kind::integer, "integer", UF_STYLER_INTEGER_TYPE},
    {Kind::real, "real", UF_STYLER_REAL_TYPE},
    {Kind::string, "string", UF_STYLER_STRING_TYPE},
    {Kind::wide_string, "wide_string", UF_STYLER_WIDE_STRING_TYPE},
    {Kind::action_button, "action_button", UF_STYLER_ACTION_BUTTON_TYPE},
    {Kind::toggle, "toggle", UF_STYLER_TOGGLE_TYPE},
    {Kind::bitmap, "bitmap", UF_STYLER_BITMAP_TYPE},
    {Kind::button_layout, "button_layout", UF_STYLER_BUTTON_LAYOUT_TYPE},
    {Kind::option_menu, "option_menu", UF_STYLER_OPTION_MENU_TYPE},
    {Kind::radio_box, "radio_box", UF_STYLER_RADIO_BOX_TYPE},
    {Kind::tool_palette, "tool_palette", UF_STYLER_TOOL_PALETTE_TYPE},
    {Kind::scale_real, "scale_real", UF_STYLER_SCALE_REAL_TYPE},
    {Kind::scale_integer, "scale_integer", UF_STYLER_SCALE_INTEGER_TYPE},
    {Kind::single_list, "single_list", UF_STYLER_SINGLE_LIST_TYPE},
    {Kind::multi_list, "multi_list", UF_STYLER_MULTI_LIST_TYPE},
    {Kind::separator, "separator", UF_STYLER_SEPARATOR_TYPE},
    {Kind::multi_line_text, "multi_line_text", UF_STYLER_MULTI_LINE_TEXT_TYPE},
    {Kind::color_tool, "color_tool", UF_STYLER_COLOR_TOOL_TYPE},
    {Kind::begin_group, "begin_group", UF_STYLER_BEGIN_GROUP_TYPE},
    {Kind::end_group, "end_group", UF_STYLER_END_GROUP_TYPE},
};

const KindInfo &info(Kind kind) {
    for (const KindInfo &k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

// Walks the group nesting up to the item; the item counts only if it and all open groups pass.
bool effectively(const std::vector<Item> &items, std::size_t index, bool Item::*flag) {
    std::vector<bool> groups;
    for (std::size_t i = 0; i < index && i < items.size(); ++i) {
        if (items[i].kind == Kind::begin_group) groups.push_back(items[i].*flag);
        if (items[i].kind == Kind::end_group && !groups.empty()) groups.pop_back();
    }
    for (bool open_group : groups)
        if (!open_group) return false;
    return index < items.size() && items[index].*flag;
}

}  // namespace

const char *kind_name(Kind kind) { return info(kind).name; }
int kind_type_code(Kind kind) { return info(kind).type_code; }

std::string a_kind(Kind kind) {
    const std::string name = kind_name(kind);
    return (std::string("aeiou").find(name[0]) == std::string::npos ? "a " : "an ") + name;
}

bool kind_from_name(const std::string &name, Kind *kind) {
    for (const KindInfo &k : kKinds)
        if (name == k.name) {
            *kind = k.kind;
            return true;
        }
    return false;
}

std::string known_kind_names() {
    std::string names;
    for (const KindInfo &k : kKinds) names += (names.empty() ? "" : ", ") + std::string(k.name);
    return names;
}

bool is_list(Kind kind) { return kind == Kind::single_list || kind == Kind::multi_list; }
bool is_choice(Kind kind) { return kind == Kind::option_menu || kind == Kind::radio_box; }
bool is_button_box(Kind kind) { return kind == Kind::button_layout || kind == Kind::tool_palette; }
bool has_entries(Kind kind) { return is_list(kind) || is_choice(kind) || is_button_box(kind); }

bool holds_integer(Kind kind) {
    return kind == Kind::toggle || kind == Kind::integer || kind == Kind::scale_integer || kind == Kind::color_tool;
}

bool holds_real(Kind kind) { return kind == Kind::real || kind == Kind::scale_real; }
bool holds_text(Kind kind) { return kind == Kind::string || kind == Kind::wide_string || kind == Kind::bitmap; }
bool is_scale(Kind kind) { return kind == Kind::scale_real || kind == Kind::scale_integer; }
bool has_label(Kind kind) { return kind != Kind::separator && kind != Kind::end_group; }

bool has_value(Kind kind) {
    return holds_integer(kind) || holds_real(kind) || holds_text(kind) || is_list(kind) || is_choice(kind) ||
           is_button_box(kind) || kind == Kind::multi_line_text;
}

bool takes_focus(Kind kind) {
    return kind != Kind::label && kind != Kind::separator && kind != Kind::bitmap && kind != Kind::begin_group &&
           kind != Kind::end_group;
}

int nav_index(const std::string &name) {
    for (std::size_t i = 0; i < std::size(kNavButtonNames); ++i)
        if (name == kNavButtonNames[i]) return static_cast<int>(i);
    return -1;
}

int find_item(const std::vector<Item> &items, const std::string &id) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].id == id) return static_cast<int>(i);
    return -1;
}

bool effectively_sensitive(const std::vector<Item> &items, std::size_t index) {
    return effectively(items, index, &Item::sensitive);
}

bool effectively_visible(const std::vector<Item> &items, std::size_t index) {
    return effectively(items, index, &Item::visible);
}

}  // namespace nxhost::styler
