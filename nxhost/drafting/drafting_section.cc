// The "drafting" section of a part file: the fonts added to the part's font table, the drafting
// preferences that differ from the defaults, and the notes, loaded before the CAM tree that may
// engrave them, saved with the part and printed in its tree.
#include <cmath>

#include "nxhost/drafting/drafting.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_object_types.h"

namespace nxhost::drafting {
namespace {

using Json = nlohmann::ordered_json;

const char *const kTextKeys[4] = {"dimension_text", "appended_text", "tolerance_text", "general_text"};

[[noreturn]] void fail(const std::string &place, const std::string &what) { throw SectionError(place + ": " + what); }

void only_keys(const Json &obj, std::initializer_list<const char *> keys, const std::string &place) {
    if (!obj.is_object()) fail(place.empty() ? "drafting" : place, "expected an object");
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool known = false;
        for (const char *k : keys) known |= it.key() == k;
        if (!known) fail(place.empty() ? it.key() : place + "." + it.key(), "unknown key");
    }
}

double real(const Json &j, const std::string &place) {
    if (!j.is_number() || !std::isfinite(j.get<double>())) fail(place, "expected a number");
    return j.get<double>();
}

int whole(const Json &j, const std::string &place) {
    if (!j.is_number_integer()) fail(place, "expected a whole number");
    return j.get<int>();
}

std::string text(const Json &j, const std::string &place) {
    if (!j.is_string()) fail(place, "expected a text");
    return j.get<std::string>();
}

Vector vec3(const Json &j, const std::string &place) {
    if (!j.is_array() || j.size() != 3) fail(place, "expected [x, y, z]");
    return {real(j[0], place), real(j[1], place), real(j[2], place)};
}

Json vec_json(const Vector &v) { return Json::array({v[0], v[1], v[2]}); }

// Reads the keys of a lettering that are present over *l.
void read_lettering(const Json &j, const std::string &place, Lettering *l) {
    only_keys(j, {"size", "character_space_factor", "aspect_ratio", "line_space_factor", "color", "font", "width"}, place);
    if (j.contains("size")) l->size = real(j["size"], place + ".size");
    if (j.contains("character_space_factor"))
        l->character_space_factor = real(j["character_space_factor"], place + ".character_space_factor");
    if (j.contains("aspect_ratio")) l->aspect_ratio = real(j["aspect_ratio"], place + ".aspect_ratio");
    if (j.contains("line_space_factor")) l->line_space_factor = real(j["line_space_factor"], place + ".line_space_factor");
    if (j.contains("color")) l->color = whole(j["color"], place + ".color");
    if (j.contains("font")) l->font = whole(j["font"], place + ".font");
    if (j.contains("width")) l->width = whole(j["width"], place + ".width");
}

// The fields of l that differ from base.
Json lettering_json(const Lettering &l, const Lettering &base) {
    Json j = Json::object();
    if (l.size != base.size) j["size"] = l.size;
    if (l.character_space_factor != base.character_space_factor) j["character_space_factor"] = l.character_space_factor;
    if (l.aspect_ratio != base.aspect_ratio) j["aspect_ratio"] = l.aspect_ratio;
    if (l.line_space_factor != base.line_space_factor) j["line_space_factor"] = l.line_space_factor;
    if (l.color != base.color) j["color"] = l.color;
    if (l.font != base.font) j["font"] = l.font;
    if (l.width != base.width) j["width"] = l.width;
    return j;
}

void read_preferences(const Json &j, const std::string &place, Preferences *p) {
    only_keys(j, {"align_position", "horiz_text_just", "gdt_frame_height_factor", "angle", "dimension_text",
                  "appended_text", "tolerance_text", "general_text", "space_factors", "character_font",
                  "character_size", "radius", "diameter"},
              place);
    if (j.contains("align_position")) p->align_position = whole(j["align_position"], place + ".align_position");
    if (j.contains("horiz_text_just")) p->horiz_text_just = whole(j["horiz_text_just"], place + ".horiz_text_just");
    if (j.contains("gdt_frame_height_factor"))
        p->gdt_frame_height_factor = real(j["gdt_frame_height_factor"], place + ".gdt_frame_height_factor");
    if (j.contains("angle")) p->angle = real(j["angle"], place + ".angle");
    for (int k = 0; k < 4; ++k)
        if (j.contains(kTextKeys[k]))
            read_lettering(j[kTextKeys[k]], place + "." + kTextKeys[k], &p->text[static_cast<std::size_t>(k)]);
    if (j.contains("space_factors")) {
        const Json &f = j["space_factors"];
        if (!f.is_array() || f.size() != 3) fail(place + ".space_factors", "expected three numbers");
        for (std::size_t i = 0; i < 3; ++i) p->space_factors[i] = real(f[i], place + ".space_factors");
    }
    if (j.contains("character_font")) p->character_font = whole(j["character_font"], place + ".character_font");
    if (j.contains("character_size")) p->character_size = real(j["character_size"], place + ".character_size");
    if (j.contains("radius")) p->radius_symbol = text(j["radius"], place + ".radius");
    if (j.contains("diameter")) p->diameter_symbol = text(j["diameter"], place + ".diameter");
}

Json preferences_json(const Preferences &p, const Preferences &base) {
    Json j = Json::object();
    if (p.align_position != base.align_position) j["align_position"] = p.align_position;
    if (p.horiz_text_just != base.horiz_text_just) j["horiz_text_just"] = p.horiz_text_just;
    if (p.gdt_frame_height_factor != base.gdt_frame_height_factor) j["gdt_frame_height_factor"] = p.gdt_frame_height_factor;
    if (p.angle != base.angle) j["angle"] = p.angle;
    for (int k = 0; k < 4; ++k) {
        Json l = lettering_json(p.text[static_cast<std::size_t>(k)], base.text[static_cast<std::size_t>(k)]);
        if (!l.empty()) j[kTextKeys[k]] = l;
    }
    if (p.space_factors != base.space_factors) j["space_factors"] = p.space_factors;
    if (p.character_font != base.character_font) j["character_font"] = p.character_font;
    if (p.character_size != base.character_size) j["character_size"] = p.character_size;
    if (p.radius_symbol != base.radius_symbol) j["radius"] = p.radius_symbol;
    if (p.diameter_symbol != base.diameter_symbol) j["diameter"] = p.diameter_symbol;
    return j;
}

void read_note(tag_t part, const Json &j, const std::string &place) {
    only_keys(j, {"text", "origin", "x", "y", "orientation", "angle", "align_position", "horiz_text_just", "font",
                  "size", "character_space_factor", "aspect_ratio", "line_space_factor", "color", "width", "name",
                  "layer", "blank"},
              place);
    NotePayload note;
    const FontTablePayload *table = font_table_payload(part);
    note.lettering = table->preferences.text[kGeneralText];
    if (!j.contains("text") || !j["text"].is_array()) fail(place + ".text", "expected a list of lines");
    bool any_character = false;
    for (std::size_t i = 0; i < j["text"].size(); ++i) {
        note.lines.push_back(text(j["text"][i], place + ".text[" + std::to_string(i) + "]"));
        if (note.lines.back().size() > static_cast<std::size_t>(kMaxNoteLineChars))
            fail(place + ".text[" + std::to_string(i) + "]", "longer than 132 characters");
        any_character |= !note.lines.back().empty();
    }
    if (!any_character || note.lines.size() > static_cast<std::size_t>(kMaxNoteLines))
        fail(place + ".text", "expected 1 to 100 lines with at least one character");
    if (!j.contains("origin")) fail(place, "missing \"origin\"");
    note.origin = vec3(j["origin"], place + ".origin");
    if (j.contains("x")) note.x_axis = vec3(j["x"], place + ".x");
    if (j.contains("y")) note.y_axis = vec3(j["y"], place + ".y");
    const Vector &x = note.x_axis, &y = note.y_axis;
    const double xx = x[0] * x[0] + x[1] * x[1] + x[2] * x[2], yy = y[0] * y[0] + y[1] * y[1] + y[2] * y[2];
    const double xy = x[0] * y[0] + x[1] * y[1] + x[2] * y[2];
    if (std::abs(xx - 1) > 1e-6 || std::abs(yy - 1) > 1e-6 || std::abs(xy) > 1e-6)
        fail(place, "\"x\" and \"y\" must be unit vectors square to each other");
    if (j.contains("orientation")) note.orientation = whole(j["orientation"], place + ".orientation");
    if (note.orientation != 0 && note.orientation != 1) fail(place + ".orientation", "expected 0 or 1");
    if (j.contains("angle")) note.angle = real(j["angle"], place + ".angle");
    if (j.contains("align_position")) note.align_position = whole(j["align_position"], place + ".align_position");
    if (j.contains("horiz_text_just")) note.horiz_text_just = whole(j["horiz_text_just"], place + ".horiz_text_just");
    Json lettering = Json::object();
    for (const char *k : {"size", "character_space_factor", "aspect_ratio", "line_space_factor", "color", "width"})
        if (j.contains(k)) lettering[k] = j[k];
    read_lettering(lettering, place, &note.lettering);
    note.font_name = j.contains("font") ? text(j["font"], place + ".font") : font_name(part, note.lettering.font);
    note.lettering.font = add_font(part, note.font_name);
    if (note.lettering.font == 0) fail(place + ".font", "NX has no font \"" + note.font_name + "\" installed");
    FontTablePayload check = *table;
    check.preferences.text[kGeneralText] = note.lettering;
    check.preferences.align_position = note.align_position;
    check.preferences.horiz_text_just = note.horiz_text_just;
    const std::string why = preference_fault(check.preferences, check);
    if (!why.empty()) fail(place, why);
    Object *obj = store().find(create_note_object(part, note));
    if (j.contains("name")) store().rename(*obj, text(j["name"], place + ".name"));
    if (j.contains("layer")) {
        obj->layer = whole(j["layer"], place + ".layer");
        if (obj->layer < 1 || obj->layer > 256) fail(place + ".layer", "expected 1 to 256");
    }
    if (j.contains("blank")) {
        if (!j["blank"].is_boolean()) fail(place + ".blank", "expected true or false");
        obj->blank = j["blank"].get<bool>() ? 1 : 0;
    }
}

Json note_json(const Object &obj, const NotePayload &n) {
    Json j;
    j["text"] = n.lines;
    j["origin"] = vec_json(n.origin);
    j["x"] = vec_json(n.x_axis);
    j["y"] = vec_json(n.y_axis);
    j["orientation"] = n.orientation;
    j["angle"] = n.angle;
    j["align_position"] = n.align_position;
    j["horiz_text_just"] = n.horiz_text_just;
    j["font"] = n.font_name;
    j["size"] = n.lettering.size;
    j["character_space_factor"] = n.lettering.character_space_factor;
    j["aspect_ratio"] = n.lettering.aspect_ratio;
    j["line_space_factor"] = n.lettering.line_space_factor;
    j["color"] = n.lettering.color;
    j["width"] = n.lettering.width;
    if (!obj.name.empty()) j["name"] = obj.name;
    if (obj.layer != 1) j["layer"] = obj.layer;
    if (obj.blank) j["blank"] = true;
    return j;
}

void load_section(tag_t part, const Json &value) {
    only_keys(value, {"fonts", "preferences", "notes"}, "");
    FontTablePayload *table = font_table_payload(part);
    if (value.contains("fonts")) {
        const Json &fonts = value["fonts"];
        if (!fonts.is_array() || fonts.empty() || fonts[0] != "blockfont")
            fail("fonts", "expected a list of font names that starts with \"blockfont\"");
        for (std::size_t i = 1; i < fonts.size(); ++i) {
            const std::string name = text(fonts[i], "fonts[" + std::to_string(i) + "]");
            if (add_font(part, name) != static_cast<int>(i) + 1)
                fail("fonts[" + std::to_string(i) + "]", "\"" + name + "\" is no installed font or is listed twice");
        }
    }
    if (value.contains("preferences")) {
        Preferences p = table->preferences;
        read_preferences(value["preferences"], "preferences", &p);
        const std::string why = preference_fault(p, *table);
        if (!why.empty()) fail("preferences", why);
        table->preferences = p;
    }
    if (value.contains("notes")) {
        const Json &notes = value["notes"];
        if (!notes.is_array()) fail("notes", "expected a list");
        for (std::size_t i = 0; i < notes.size(); ++i) read_note(part, notes[i], "notes[" + std::to_string(i) + "]");
    }
}

Json save_section(tag_t part) {
    const FontTablePayload *table = font_table_payload(part);
    if (!table) return Json();
    Json section = Json::object();
    if (table->fonts.size() > 1) section["fonts"] = table->fonts;
    Json prefs = preferences_json(table->preferences, default_preferences(part_units(part)));
    if (!prefs.empty()) section["preferences"] = prefs;
    Json notes = Json::array();
    for (tag_t tag : store().in_part(part, UF_drafting_entity_type))
        if (const NotePayload *note = note_of(tag)) notes.push_back(note_json(*store().find(tag), *note));
    if (!notes.empty()) section["notes"] = notes;
    return section.empty() ? Json() : section;
}

void print_section(std::ostream &out, tag_t part) {
    for (tag_t tag : store().in_part(part, UF_drafting_entity_type))
        if (note_of(tag)) out << note_tree_line(*store().find(tag)) << "\n";
}

const bool registered =
    register_part_section({"drafting", load_section, save_section, print_section, nullptr}) &&
    register_part_completion([](tag_t part) { font_table_of(part); });

}  // namespace
}  // namespace nxhost::drafting
