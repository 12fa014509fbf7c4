// Cut lines on the flat tops of the electrodes, for the planar operation that skims them: a top
// face narrower than the cutter (its diameter less 3.0) in either direction gets one line along
// its length through its middle; any wider face gets three lines along three sides of its
// rectangle, open on one side, so the cutter runs around it. Lines the part already shows are
// reused.
#ifndef TORVANE_CUT_LINES_H_INCLUDED
#define TORVANE_CUT_LINES_H_INCLUDED

#include <array>
#include <vector>

#include "my_func_cam/elec_analysis.h"
#include "torvane/state/plan.h"
#include "uf_curve.h"
#include "uf_defs.h"

#define MAX_CUT_LINES 100        // lines of one electrode
#define CUT_LINE_TOLERANCE 0.005  // flatness, top height and equal line ends
#define CUT_LINE_NARROW 3.0       // a face narrower than the cutter diameter less this gets one line

// The lines of all electrodes, by kind, each with the electrode it lies on.
struct cut_lines {
    std::vector<tag_t> single_lines;
    std::vector<const elec_cam_data *> single_records;
    std::vector<std::array<tag_t, 3>> line_sets;
    std::vector<const elec_cam_data *> set_records;
};

// The wanted lines of one face: one (count 1) or three, the three in order, each starting where
// the one before ends. Pure geometry of the face's box (corners a and b), the electrode's
// direction code (which world plane the face is flat in) and the cutter diameter.
int cut_lines_of_face(const double a[3], const double b[3], int elec_direction, double cutter_diameter,
                      UF_CURVE_line_t lines[3]);

// Adds the cut lines of one electrode: its planar faces flat across the MCS Z at the top of all
// electrodes (static_elec_box_min/max), at most MAX_CUT_LINES lines. The cutter is the one of the
// node's operation when it exists (a cutter named "NONE" gives 0), else the node's tool record. 1,
// or 0 (a message may have been shown).
int create_solid_top_cut_line(const elec_cam_data *record, const oper *oper_p, int mcs_class, cut_lines *lines);

// A line of the displayed part, not blanked, whose ends equal the wanted ends (either way round)
// within CUT_LINE_TOLERANCE. 1 with the first one found; 0 when there is none, or after a
// message when no part is displayed.
int fine_disp_same_line(const UF_CURVE_line_t *line, tag_t *line_tag);

#endif
