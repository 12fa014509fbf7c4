// The dialog layouts: every item the add-on names, there and of the kind it uses.
#include <map>
#include <string>
#include <vector>

#include "nxhost/checkconf/checks.h"
#include "nxhost/ui/styler/model.h"

namespace nxhost::checkconf {

namespace {

namespace styler = nxhost::styler;

// The kind an item id stands for (UIStyler names items by their kind); the add-on asks and sets
// each item as that kind.
bool kind_of_id(const std::string &id, styler::Kind *kind) {
    static const std::pair<const char *, styler::Kind> PREFIXES[] = {
        {"MULTI_LIST_", styler::Kind::multi_list}, {"LIST_", styler::Kind::single_list},
        {"RADIO_", styler::Kind::radio_box},       {"ACTION_", styler::Kind::action_button},
        {"TOGGLE_", styler::Kind::toggle},         {"REAL_", styler::Kind::real},
        {"STR_", styler::Kind::string},            {"WIDE_S_", styler::Kind::wide_string},
        {"OPTION_", styler::Kind::option_menu},    {"BLO_", styler::Kind::button_layout},
        {"MTXT_", styler::Kind::multi_line_text},  {"BITMAP_", styler::Kind::bitmap},
        {"INT_", styler::Kind::integer},
    };
    for (const auto &prefix : PREFIXES)
        if (id.compare(0, std::string(prefix.first).size(), prefix.first) == 0) {
            *kind = prefix.second;
            return true;
        }
    return false;
}

// A button of any kind calls its activate callback alike; the kinds differ in the value asked.
bool is_button(styler::Kind kind) { return kind == styler::Kind::action_button || styler::is_button_box(kind); }

// Line of the first place the quoted text stands in the file, or of `fallback`'s place.
int line_of(const TextFile &file, const std::string &quoted, const std::string &fallback) {
    std::size_t at = file.bytes.find(quoted);
    if (at == std::string::npos) at = file.bytes.find(fallback);
    return at == std::string::npos ? 1 : file.line_at(at);
}

}  // namespace

void check_dialog_layouts(const std::vector<std::string> &dialog_dirs, Report &report) {
    std::map<std::string, std::vector<DialogItem>> items_of;
    std::vector<std::string> dialogs;
    for (const DialogItem &used : addon_dialog_items()) {
        if (!items_of.count(used.dialog)) dialogs.push_back(used.dialog);
        items_of[used.dialog].push_back(used);
    }
    for (const std::string &dialog : dialogs) {
        std::string path;
        for (const std::string &dir : dialog_dirs)
            if (path.empty()) path = find_in_folder(dir, dialog);
        if (path.empty()) {
            if (dialog_dirs.empty())
                report.error(dialog, 1, "dialog layout " + dialog + " is missing: no dialogs folder (--dialogs)");
            else
                report.error(join(dialog_dirs.front(), dialog), 1, "dialog layout " + dialog + " is missing");
            continue;
        }
        TextFile file;
        if (!read_text(path, &file, report)) continue;
        styler::Layout layout;
        try {
            layout = styler::parse_layout(file.bytes, path);
        } catch (const styler::LayoutError &e) {
            report.error(path, 1, std::string("not a dialog layout: ") + e.what());
            continue;
        }
        for (const DialogItem &used : items_of[dialog]) {
            const std::string id = used.item;
            const int index = styler::find_item(layout.items, id);
            if (index < 0) {
                report.error(path, line_of(file, "\"items\"", "{"), "item " + id + " is missing");
                continue;
            }
            styler::Kind expected;
            const styler::Kind kind = layout.items[static_cast<std::size_t>(index)].kind;
            if (kind_of_id(id, &expected) && kind != expected && (used.valued || !is_button(kind) || !is_button(expected)))
                report.error(path, line_of(file, "\"" + id + "\"", "{"),
                             "item " + id + " is " + styler::a_kind(kind) + "; the add-on uses it as " +
                                 styler::a_kind(expected));
        }
    }
}

}  // namespace nxhost::checkconf
