// The operation report of the main dialog: a table of the planned operations in the listing
// window, each row read back from the NX operation the calculation made: stocks, tool offset,
// cutter and reference cutter, cut depth, stepover, spindle speed, cut feed and holder. It reads
// NX and the plan only.
#ifndef TORVANE_OPER_REPORT_H_INCLUDED
#define TORVANE_OPER_REPORT_H_INCLUDED

#include <string>

#include "torvane/state/plan.h"

// End columns of the report's fields after the name (fixed-width, whatever the release).
#define REPORT_PART_STOCK_COLUMN 32
#define REPORT_FLOOR_STOCK_COLUMN 40
#define REPORT_TOOL_OFFSET_COLUMN 48
#define REPORT_CUTTER_COLUMN 60
#define REPORT_REF_CUTTER_COLUMN 72
#define REPORT_CUT_DEPTH_COLUMN 80
#define REPORT_STEPOVER_COLUMN 88
#define REPORT_SPINDLE_COLUMN 96
#define REPORT_FEED_COLUMN 104
#define REPORT_HOLDER_COLUMN 114

// What a row shows of one operation; an empty text leaves its column blank.
struct oper_report_fields {
    std::string part_stock, floor_stock, tool_offset, cutter, ref_cutter, cut_depth, stepover, spindle, feed,
        holder;
};

// The row of an operation: a line break, its name after four blanks and the fields at their
// columns, counted from the line break on.
std::string oper_report_line(const char *name, const oper_report_fields &fields);

// The row of an operation not made yet: a line break and its name after four blanks, padded to
// the part stock's column.
std::string uncreated_oper_report_line(const char *name);

// Writes the report of the classes switched on (static_dlg_state) into the listing window.
// Nothing is written when the heading "report_ope_01:" is missing.
void report_oper_list(void);

#endif
