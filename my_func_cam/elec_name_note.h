// The electrode's name as a drafting note on its top face, for the engraving operation, and the
// drafting font of the work part that such notes use.
//
// Placement, in the plane of the MCS (the WCS is turned to the MCS's axes while the note is made):
// path_elec_text_dir 1 to 4 picks the side of the electrode box the name runs along (1 the MCS -Y
// side, reading +X; 2 +X, reading +Y; 3 +Y, reading -X; 4 -X, reading -Y; angle 0, 90, 180, 270),
// and the name is centred in the strip of the top face between that side and the box of the
// working faces: path_elec_text_close_edge_dis from the top face's edges, and
// path_elec_text_oper_edge_dis from the working faces, both as hard limits. Inside them the name
// keeps 0.8 more across the strip and 1.6 more from each end of the side, where room allows.
// Size: a character is path_elec_text_ratio times its height wide, and the cutter reaches its
// radius beyond every stroke; the height is the largest whose engraving fits the strip with those
// margins, less elec_text_compensate_value, then held within path_elec_text_min_value and
// path_elec_text_max_value; the engraving of the final size must fit inside the hard limits.
#ifndef MY_FUNC_CAM_ELEC_NAME_NOTE_H_INCLUDED
#define MY_FUNC_CAM_ELEC_NAME_NOTE_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "uf_defs.h"

// Fixed text shown for a path_elec_text_dir other than 1 to 4.
#define ELEC_NAME_NOTE_DIR_ERROR_TEXT "text dir err!"

// Margins kept inside the offsets across the strip and from each end of its side, where the strip
// allows them.
#define ELEC_NAME_NOTE_ACROSS_MARGIN 0.8
#define ELEC_NAME_NOTE_ALONG_MARGIN 1.6

// A note of the electrode's name on its top face (see above), for an electrode of kind rmf_kind (0
// rough, 1 middle, 2 finish, 3 other) facing the MCS mcs_tag, engraved by a cutter of radius
// cutter_radius. The text is the body's name with the kind's add text before it (require key 1)
// or after it (2); with require_elec_space set, a blank and the spark gap with 3 decimals follow:
// the electrode's own gap attribute of its kind when it carries spark-number attributes and that
// gap, else the gap of its kind in config.def (no gap for kind 3). 1 with *note_tag; 0 with
// *note_tag NULL_TAG: no note for a record with use_whole_body set (no message), after a reader's
// message for a missing key, "text dir err!" for a direction other than 1 to 4, or a message
// "create_path_elec_name_not_01:" to "_06:". path_elec_text_dir is read on every call, the other
// keys once per load of the add-on and kept.
int create_path_elec_name_note(const elec_cam_data *record, tag_t mcs_tag, double cutter_radius, tag_t *note_tag,
                               int rmf_kind);

// Forgets the kept keys, as an unload of the add-on does.
void reset_elec_name_note_keys(void);

// Makes the NX font font_name ("blockfont") the font of notes in the work part: adds it to the
// part's font table and sets it as the drafting-aid text font of the drafting preferences and as
// the general text font of the lettering. 1 done; 0 when NX refused (reported in the listing
// window), for a font NX has not installed too.
int MY_set_drafting_font(const char *font_name);

#endif
