// The font table of a part and UF_UGFONT_*.
#include <algorithm>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_object_types.h"
#include "uf_ugfont.h"

namespace nxhost::drafting {
namespace {

// The font table is the part's for good: NX keeps one in every part.
int keep_font_table(tag_t tag) {
    const Object *obj = store().find(tag);
    if (!obj || obj->type != UF_font_table_type) return -1;
    misuse("UF_OBJ_delete_object", "the font table of a part cannot be deleted");
    return kTableKept;
}

const bool registered = register_object_rules({nullptr, keep_font_table}) &&
                        register_fail_message(kUnknownFont, "The font is not installed") &&
                        register_fail_message(kNoSuchFont, "The font table has no font of that index") &&
                        register_fail_message(kTableKept, "The font table of a part cannot be deleted");

FontTablePayload *payload_of(const char *call, tag_t fte) {
    Object *obj = lookup_kind(call, fte, UF_font_table_type);
    return obj ? dynamic_cast<FontTablePayload *>(obj->payload.get()) : nullptr;
}

int index_of(const FontTablePayload &table, const std::string &name) {
    auto it = std::find(table.fonts.begin(), table.fonts.end(), name);
    return it == table.fonts.end() ? 0 : static_cast<int>(it - table.fonts.begin()) + 1;
}

}  // namespace

// The fonts in NX's font folder; what a site adds there is not modelled.
const std::vector<std::string> &installed_fonts() {
    static const std::vector<std::string> fonts = {
        "aurora",  "blockfont", "chinesef", "chinesef_fs", "chineset", "hangul",     "helios", "kanji",
        "leroy",   "lubalins",  "mdcfont",  "oldenglish",  "poster",   "script",     "slimfont", "spocfont"};
    return fonts;
}

tag_t font_table_of(tag_t part) {
    const PartPayload *part_data = part_payload(part);
    if (!part_data) return NULL_TAG;
    if (const tag_t table = store().next_in_part(part, UF_font_table_type, NULL_TAG)) return table;
    const bool was_modified = store().is_modified(part);
    Object &obj = store().create(UF_font_table_type, 0, part);
    auto payload = std::make_shared<FontTablePayload>();
    payload->preferences = default_preferences(part_data->units);
    obj.payload = payload;
    if (!was_modified) store().clear_modified(part);
    return obj.tag;
}

FontTablePayload *font_table_payload(tag_t part) {
    Object *obj = store().find(font_table_of(part));
    return obj ? dynamic_cast<FontTablePayload *>(obj->payload.get()) : nullptr;
}

int add_font(tag_t part, const std::string &name) {
    FontTablePayload *table = font_table_payload(part);
    const auto &known = installed_fonts();
    if (!table || std::find(known.begin(), known.end(), name) == known.end()) return 0;
    if (int index = index_of(*table, name)) return index;
    table->fonts.push_back(name);
    store().mark_modified(part);
    return static_cast<int>(table->fonts.size());
}

std::string font_name(tag_t part, int index) {
    const FontTablePayload *table = font_table_payload(part);
    if (!table || index < 1 || index > static_cast<int>(table->fonts.size())) return "";
    return table->fonts[static_cast<std::size_t>(index - 1)];
}

}  // namespace nxhost::drafting

using namespace nxhost;
using namespace nxhost::drafting;

extern "C" int UF_UGFONT_add_font(tag_t fte, int *index, char *font) {
    NXHOST_ENTER("UF_UGFONT_add_font");
    if (!index || !font) return kBadArgument;
    *index = 0;
    if (!payload_of("UF_UGFONT_add_font", fte)) return kBadTag;
    const std::string name = font;
    if (name.empty() || name.size() > static_cast<std::size_t>(kMaxFontNameChars)) {
        misuse("UF_UGFONT_add_font", "a font name has 1 to 16 characters, not \"" + name + "\"");
        return kUnknownFont;
    }
    *index = add_font(store().find(fte)->part, name);
    if (*index == 0) {
        misuse("UF_UGFONT_add_font", "NX has no font \"" + name + "\" installed");
        return kUnknownFont;
    }
    return 0;
}

extern "C" int UF_UGFONT_ask_font_name(tag_t fte, int index, char **font_name_out) {
    NXHOST_ENTER("UF_UGFONT_ask_font_name");
    if (!font_name_out) return kBadArgument;
    *font_name_out = nullptr;
    if (!payload_of("UF_UGFONT_ask_font_name", fte)) return kBadTag;
    const std::string name = font_name(store().find(fte)->part, index);
    if (name.empty()) {
        misuse("UF_UGFONT_ask_font_name", "the font table has no font " + std::to_string(index));
        return kNoSuchFont;
    }
    *font_name_out = nx_strdup(name);
    return 0;
}
