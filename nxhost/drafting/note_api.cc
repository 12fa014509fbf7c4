// Drafting notes: UF_DRF_create_note and the notes as the part tree shows them.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/core/tree_number.h"
#include "nxhost/csys/csys.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/parts/part_model.h"
#include "nxhost/parts/parts.h"
#include "uf_drf.h"
#include "uf_object_types.h"

namespace nxhost::drafting {
namespace {

const bool registered = register_fail_message(kBadNoteText, "The note text is not valid");

std::string number(double v) { return tree_number(v); }

int refuse_text(const std::string &why) {
    misuse("UF_DRF_create_note", why);
    return kBadNoteText;
}

}  // namespace

const NotePayload *note_of(tag_t tag) {
    const Object *obj = store().find(tag);
    if (!obj || obj->type != UF_drafting_entity_type || obj->subtype != UF_draft_note_subtype) return nullptr;
    return dynamic_cast<const NotePayload *>(obj->payload.get());
}

tag_t create_note_object(tag_t part, const NotePayload &note) {
    Object &obj = store().create(UF_drafting_entity_type, UF_draft_note_subtype, part);
    obj.payload = std::make_shared<NotePayload>(note);
    return obj.tag;
}

std::string note_tree_line(const Object &obj) {
    const auto *note = dynamic_cast<const NotePayload *>(obj.payload.get());
    if (!note) return "";
    std::string text;
    for (const std::string &line : note->lines) text += (text.empty() ? "" : " | ") + line;
    return "note" + (obj.name.empty() ? "" : " " + obj.name) + " \"" + text + "\" origin " + tree_point(note->origin) +
           " angle " + number(note->angle) + " size " + number(note->lettering.size) + " font " + note->font_name +
           (note->orientation == 1 ? " vertical" : "") + (obj.layer != 1 ? "  layer " + std::to_string(obj.layer) : "") +
           (obj.blank ? "  blanked" : "");
}

}  // namespace nxhost::drafting

using namespace nxhost;
using namespace nxhost::drafting;

extern "C" int UF_DRF_create_note(int num_lines_text, char *text_string[], double origin_3d[3], int orientation,
                                  tag_t *note_tag) {
    NXHOST_ENTER("UF_DRF_create_note");
    if (!note_tag || !text_string || !origin_3d) return kBadArgument;
    *note_tag = NULL_TAG;
    const tag_t part = work_part();
    FontTablePayload *table = font_table_payload(part);
    if (!table) return kNoPart;
    if (num_lines_text < 1 || num_lines_text > kMaxNoteLines)
        return refuse_text("a note has 1 to " + std::to_string(kMaxNoteLines) + " lines, not " +
                           std::to_string(num_lines_text));
    NotePayload note;
    bool any_character = false;
    for (int i = 0; i < num_lines_text; ++i) {
        if (!text_string[i]) return refuse_text("line " + std::to_string(i) + " is a null pointer");
        note.lines.emplace_back(text_string[i]);
        if (note.lines.back().size() > static_cast<std::size_t>(kMaxNoteLineChars))
            return refuse_text("line " + std::to_string(i) + " is longer than " + std::to_string(kMaxNoteLineChars) +
                               " characters");
        any_character |= !note.lines.back().empty();
    }
    if (!any_character) return refuse_text("the note has no character");
    if (orientation != 0 && orientation != 1) {
        misuse("UF_DRF_create_note", "orientation is 0 (horizontal) or 1 (vertical), not " + std::to_string(orientation));
        return kBadArgument;
    }
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(origin_3d[k])) return kBadArgument;
    csys::Vector wcs_origin{};
    csys::Matrix axes{};
    if (!csys::frame_of(csys::wcs_of(part), &wcs_origin, &axes)) return kNoPart;
    note.origin = csys::to_absolute(wcs_origin, axes, {origin_3d[0], origin_3d[1], origin_3d[2]});
    note.x_axis = {axes[0], axes[1], axes[2]};
    note.y_axis = {axes[3], axes[4], axes[5]};
    note.orientation = orientation;
    const Preferences &p = table->preferences;
    note.angle = p.angle;
    note.align_position = p.align_position;
    note.horiz_text_just = p.horiz_text_just;
    note.lettering = p.text[kGeneralText];
    note.font_name = font_name(part, note.lettering.font);
    *note_tag = create_note_object(part, note);
    return 0;
}
