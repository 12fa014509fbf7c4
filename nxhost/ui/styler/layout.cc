// Reading dialog layout files (format nxhost-dialog/1, described in FORMAT.md).
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "nxhost/ui/styler/model.h"
#include "nxhost/ui/styler/text.h"

namespace nxhost::styler {
namespace {

using json = nlohmann::json;

constexpr const char *kFormat = "nxhost-dialog/1";

// Reports faults of one file, naming the item at fault.
class Reader {
public:
    explicit Reader(std::string file) : file_(std::move(file)) {}

    [[noreturn]] void fail(const std::string &what) const { throw LayoutError(file_ + ": " + what); }

    [[noreturn]] void fail_item(std::size_t index, const json &item, const std::string &what) const {
        std::string name = "item " + std::to_string(index + 1);
        if (item.is_object() && item.contains("id") && item["id"].is_string())
            name += " \"" + item["id"].get<std::string>() + "\"";
        fail(name + ": " + what);
    }

    // A text of the file as the add-on will see it.
    std::string text(const json &value, const std::string &what, std::size_t index, const json &item) const {
        if (!value.is_string()) fail_item(index, item, "'" + what + "' must be a string");
        std::string gbk;
        if (!utf8_to_gbk(value.get<std::string>(), &gbk))
            fail_item(index, item, "'" + what + "' has a character that code page 936 cannot hold");
        return gbk;
    }

    Layout read(const std::string &content) const {
        json doc;
        try {
            doc = json::parse(content);
        } catch (const json::exception &e) {
            fail(std::string("not valid JSON (") + e.what() + ")");
        }
        if (!doc.is_object()) fail("a dialog layout is a JSON object");
        if (!doc.contains("format") || doc["format"] != kFormat)
            fail(std::string("not a dialog layout: \"format\" must be \"") + kFormat + "\"");
        for (auto it = doc.begin(); it != doc.end(); ++it)
            if (it.key() != "format" && it.key() != "title" && it.key() != "buttons" && it.key() != "items")
                fail("unknown key '" + it.key() + "'");

        Layout layout;
        layout.file = file_;
        if (doc.contains("title")) {
            if (!doc["title"].is_string()) fail("'title' must be a string");
            if (!utf8_to_gbk(doc["title"].get<std::string>(), &layout.title))
                fail("'title' has a character that code page 936 cannot hold");
        }
        layout.buttons = buttons(doc);
        if (!doc.contains("items") || !doc["items"].is_array()) fail("'items' must be an array of items");
        const json &items = doc["items"];
        std::map<std::string, std::size_t> seen;
        for (std::size_t i = 0; i < items.size(); ++i) {
            Item item = read_item(i, items[i]);
            auto known = seen.find(item.id);
            if (known != seen.end())
                fail_item(i, items[i], "duplicate id (item " + std::to_string(known->second + 1) + " has it too)");
            seen[item.id] = i;
            layout.items.push_back(std::move(item));
        }
        check_groups(layout.items, items);
        return layout;
    }

private:
    std::vector<std::string> buttons(const json &doc) const {
        if (!doc.contains("buttons")) return {std::begin(kNavButtonNames), std::end(kNavButtonNames)};
        if (!doc["buttons"].is_array()) fail("'buttons' must be an array of OK, APPLY, BACK, CANCEL");
        std::set<int> present;
        for (const json &b : doc["buttons"]) {
            int index = b.is_string() ? nav_index(b.get<std::string>()) : -1;
            if (index < 0) fail("'buttons' may hold only OK, APPLY, BACK and CANCEL, not " + b.dump());
            present.insert(index);
        }
        std::vector<std::string> names;
        for (int index : present) names.push_back(kNavButtonNames[index]);
        return names;
    }

    static bool allowed_key(Kind kind, const std::string &key) {
        if (key == "id" || key == "kind" || key == "sensitive" || key == "visible") return true;
        if (key == "label") return has_label(kind);
        if (key == "entries") return has_entries(kind);
        if (key == "value") return has_value(kind);
        if (key == "bitmap") return kind == Kind::action_button || kind == Kind::toggle;
        if (key == "minimum" || key == "maximum") return is_scale(kind);
        if (key == "precision") return kind == Kind::scale_real;
        return false;
    }

    bool flag(const json &item, const char *key, std::size_t index) const {
        if (!item.contains(key)) return true;
        if (!item[key].is_boolean()) fail_item(index, item, std::string("'") + key + "' must be true or false");
        return item[key].get<bool>();
    }

    int integer(const json &value, const std::string &what, std::size_t index, const json &item) const {
        if (!value.is_number_integer() || value.get<long long>() < -2147483647LL ||
            value.get<long long>() > 2147483647LL)
            fail_item(index, item, "'" + what + "' must be an integer");
        return value.get<int>();
    }

    double real(const json &value, const std::string &what, std::size_t index, const json &item) const {
        if (!value.is_number()) fail_item(index, item, "'" + what + "' must be a number");
        return value.get<double>();
    }

    Item read_item(std::size_t index, const json &j) const {
        if (!j.is_object()) fail_item(index, j, "an item is a JSON object");
        if (!j.contains("id") || !j["id"].is_string() || j["id"].get<std::string>().empty())
            fail_item(index, j, "'id' must be a non-empty string");
        if (!j.contains("kind") || !j["kind"].is_string()) fail_item(index, j, "'kind' must be a string");
        Item item;
        item.id = j["id"].get<std::string>();
        if (!kind_from_name(j["kind"].get<std::string>(), &item.kind))
            fail_item(index, j, "unknown kind '" + j["kind"].get<std::string>() + "' (known: " + known_kind_names() + ")");
        for (auto it = j.begin(); it != j.end(); ++it)
            if (!allowed_key(item.kind, it.key()))
                fail_item(index, j, "key '" + it.key() + "' does not apply to " + a_kind(item.kind));
        item.sensitive = flag(j, "sensitive", index);
        item.visible = flag(j, "visible", index);
        if (j.contains("label")) item.label = text(j["label"], "label", index, j);
        if (j.contains("bitmap")) item.bitmap = text(j["bitmap"], "bitmap", index, j);
        if (j.contains("entries")) {
            if (!j["entries"].is_array()) fail_item(index, j, "'entries' must be an array of strings");
            for (const json &e : j["entries"]) item.entries.push_back(text(e, "entries", index, j));
        }
        if (is_scale(item.kind)) read_range(index, j, &item);
        if (j.contains("value")) read_value(index, j, &item);
        return item;
    }

    void read_range(std::size_t index, const json &j, Item *item) const {
        if (j.contains("minimum")) item->minimum = real(j["minimum"], "minimum", index, j);
        if (j.contains("maximum")) item->maximum = real(j["maximum"], "maximum", index, j);
        if (!(item->minimum < item->maximum)) fail_item(index, j, "'minimum' must be below 'maximum'");
        if (j.contains("precision")) {
            item->precision = integer(j["precision"], "precision", index, j);
            if (item->precision < 0 || item->precision > 15) fail_item(index, j, "'precision' must be 0 to 15");
        }
        item->integer = static_cast<int>(item->minimum);
        item->real = item->minimum;
    }

    void read_value(std::size_t index, const json &j, Item *item) const {
        const json &v = j["value"];
        const int entries = static_cast<int>(item->entries.size());
        if (item->kind == Kind::toggle) {
            if (v.is_boolean()) item->integer = v.get<bool>() ? 1 : 0;
            else if (v.is_number_integer() && (v == 0 || v == 1)) item->integer = v.get<int>();
            else fail_item(index, j, "'value' of a toggle must be 0, 1, true or false");
        } else if (holds_integer(item->kind)) {
            item->integer = integer(v, "value", index, j);
        } else if (holds_real(item->kind)) {
            item->real = real(v, "value", index, j);
        } else if (holds_text(item->kind)) {
            item->text = text(v, "value", index, j);
        } else if (item->kind == Kind::multi_line_text) {
            read_lines(index, j, item);
        } else if (item->kind == Kind::single_list) {
            int selected = integer(v, "value", index, j);
            if (selected >= 0 && selected < entries) item->selected = {selected};
        } else if (item->kind == Kind::multi_list) {
            std::set<int> selected;
            if (v.is_array()) {
                for (const json &s : v) selected.insert(integer(s, "value", index, j));
            } else {
                selected.insert(integer(v, "value", index, j));
            }
            for (int s : selected)
                if (s >= 0 && s < entries) item->selected.push_back(s);
        } else {  // choices and button boxes: an entry by index
            item->integer = integer(v, "value", index, j);
            if (entries > 0 && (item->integer < 0 || item->integer >= entries))
                fail_item(index, j, "'value' " + std::to_string(item->integer) + " is not an index of its " +
                                        std::to_string(entries) + " entries");
        }
        if (is_scale(item->kind)) {
            double value = item->kind == Kind::scale_real ? item->real : item->integer;
            if (value < item->minimum || value > item->maximum)
                fail_item(index, j, "'value' lies outside 'minimum' to 'maximum'");
        }
    }

    void read_lines(std::size_t index, const json &j, Item *item) const {
        const json &v = j["value"];
        if (v.is_array()) {
            for (const json &line : v) item->lines.push_back(text(line, "value", index, j));
            return;
        }
        std::string all = text(v, "value", index, j);
        std::istringstream in(all);
        for (std::string line; std::getline(in, line);) item->lines.push_back(line);
    }

    void check_groups(const std::vector<Item> &items, const json &source) const {
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == Kind::begin_group) open.push_back(i);
            if (items[i].kind == Kind::end_group) {
                if (open.empty()) fail_item(i, source[i], "end_group without a begin_group before it");
                open.pop_back();
            }
        }
        if (!open.empty()) fail_item(open.back(), source[open.back()], "begin_group is never ended");
    }

    std::string file_;
};

}  // namespace

Layout parse_layout(const std::string &json_text, const std::string &file) { return Reader(file).read(json_text); }

Layout read_layout(const std::string &host_path) {
    std::ifstream in(host_path, std::ios::binary);
    if (!in) throw LayoutError(host_path + ": cannot read the dialog layout");
    std::stringstream content;
    content << in.rdbuf();
    return parse_layout(content.str(), host_path);
}

}  // namespace nxhost::styler
