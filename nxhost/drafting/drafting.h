// Drafting in a part: its font table, its drafting preferences and its notes.
//
// Every part has one font table (UF_font_table_type), made when the part is read; the table object
// also carries the part's drafting preferences, which live exactly as long. A note keeps the
// lettering that was in force when it was made, with its font by name.
//
// Assumptions where the notes on NX are silent, each refused strictly (a fail code and a misuse
// line) rather than guessed:
// - Fonts: UF_UGFONT_add_font takes only the NX fonts an installation ships (installed_fonts());
//   any other name is refused. A new part's table holds blockfont at index 1; a font added goes to
//   the next index. Indices start at 1 and no font is ever removed.
// - Preferences: the stand-in models the entries the notes name (fonts, colours, densities and
//   sizes of the four kinds of text, the character font and size); a change of any other entry of
//   the arrays is refused, as its meaning is not modelled. The array entries and the lettering of
//   the same kind of text are one setting (mpr[44] is general_text.size, mpi[87..89] its colour,
//   font and width). Defaults: character size 3.5 mm, colour 7, font 1 (blockfont), density and
//   width 1 (normal), aspect ratio 1, character space factor 0.5, line space factor 1, text
//   aligned at its middle left, lines left justified, angle 0 degrees; the unmodelled entries 0.
// - Notes: 1 to 100 lines of 1 to 132 characters each; the origin is given in WCS coordinates and
//   kept absolute; the note lies in the WCS XY plane it was made in.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "nxhost/objects/store.h"

namespace nxhost::drafting {

constexpr int kUnknownFont = 1105120;    // a font name NX has not installed
constexpr int kNoSuchFont = 1105121;     // a font index the table has no font for
constexpr int kBadNoteText = 1105122;    // no line, too many lines, an empty or too long line
constexpr int kBadPreference = 1105123;  // a preference value out of its range or not modelled
constexpr int kTableKept = 1105124;      // the font table cannot be deleted

constexpr int kMaxFontNameChars = 16;
constexpr int kMaxNoteLines = 100;
constexpr int kMaxNoteLineChars = 132;

using Vector = std::array<double, 3>;

// The NX fonts an installation ships, as UF_UGFONT_add_font knows them.
const std::vector<std::string> &installed_fonts();

// One kind of text: size in part units, colour, font index, width (UF_DRF_line_width_t).
struct Lettering {
    double size = 3.5;
    double character_space_factor = 0.5;
    double aspect_ratio = 1.0;
    double line_space_factor = 1.0;
    int color = 7;
    int font = 1;
    int width = 1;
};

// The kinds of text in the order of UF_DRF_lettering_preferences_t.
enum TextKind { kDimensionText = 0, kAppendedText = 1, kToleranceText = 2, kGeneralText = 3 };

struct Preferences {
    int align_position = 4;  // UF_DRF_ALIGN_MID_LEFT
    int horiz_text_just = 1;  // UF_DRF_TEXT_LEFT
    double gdt_frame_height_factor = 1.0;
    double angle = 0.0;  // degrees
    std::array<Lettering, 4> text{};  // by TextKind
    std::array<double, 3> space_factors{0.5, 0.5, 0.5};  // dimension line, appended, tolerance text
    int character_font = 1;       // mpi[26]
    double character_size = 3.5;  // mpr[4]
    std::string radius_symbol = "R";
    std::string diameter_symbol = "<O>";  // unverified: NX's control text of the diameter sign
    // Array entries the stand-in does not model, as NX answers them (kept, never changed).
    std::array<int, 100> other_mpi{};
    std::array<double, 70> other_mpr{};
};

// What the font table object holds: the fonts by index (fonts[0] is index 1) and the part's
// drafting preferences.
struct FontTablePayload : Payload {
    std::vector<std::string> fonts{"blockfont"};
    Preferences preferences;
};

// A note: its lines, absolute origin, plane (the WCS axes when made), and lettering.
struct NotePayload : Payload {
    std::vector<std::string> lines;
    Vector origin{};
    Vector x_axis{1, 0, 0};
    Vector y_axis{0, 1, 0};
    int orientation = 0;  // 0 horizontal, 1 vertical
    double angle = 0.0;   // degrees, about the plane's normal
    int align_position = 4;
    int horiz_text_just = 1;
    Lettering lettering;  // the general text in force; its font is font_name's index then
    std::string font_name = "blockfont";
};

// Default preferences of a part in these units ("mm" or "m").
Preferences default_preferences(const std::string &units);
// What is wrong with preferences for a part with that font table ("mpi[26] 9 is no font of the
// part's font table"); "" when nothing.
std::string preference_fault(const Preferences &preferences, const FontTablePayload &table);

// The font table of a part, made with the defaults of its units when it has none. NULL_TAG
// without a part.
tag_t font_table_of(tag_t part);
FontTablePayload *font_table_payload(tag_t part);

// The index of an installed font in a part's table, added when missing; 0 for a font NX has not
// installed (nothing added).
int add_font(tag_t part, const std::string &name);
// The name of a font index of a part's table; "" when the table has none.
std::string font_name(tag_t part, int index);

// The note of a tag; nullptr for another object.
const NotePayload *note_of(tag_t tag);
// A new note of part (the caller checks its values).
tag_t create_note_object(tag_t part, const NotePayload &note);

// The note as one line of `nxhost tree`:
//   note "E1-R 0.150" origin [20,6,0] angle 90 size 2.5 font blockfont
// lines joined by " | " inside the quotes, "vertical" after the font for a vertical note, the
// name after "note" when it has one, then layer and blank status as other geometry.
std::string note_tree_line(const Object &note);

}  // namespace nxhost::drafting
