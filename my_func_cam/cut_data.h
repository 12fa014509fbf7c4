// The cutter template that library cutters are made from, and the steep-stepover percentage of
// the cutting data of fixed-contour operations.
#ifndef MY_FUNC_CAM_CUT_DATA_H_INCLUDED
#define MY_FUNC_CAM_CUT_DATA_H_INCLUDED

#define QZ_TOOL_TEMPLATE_TYPE "qz_tool_template"
#define QZ_TOOL_TEMPLATE_PART "D:\\qz_conf\\temp\\qz_tool_template.prt"
#define QZ_TOOL_TEMPLATE_CUTTER "D12"

#define FIX_STEEP_CUT_PERCENT_KEY "fix_steep_cut_percent:"
#define FIX_STEEP_CUT_PERCENT_DEFAULT 60.0

// -100.0 until first read; then the value of fix_steep_cut_percent: in config_cam.def, or 60.0
// when it can't be read (the reader's message is then shown once).
extern double static_fix_steep_cut_percent;

// The steep-stepover percentage, read on first use per load of the add-on.
double fix_steep_cut_percent(void);

#endif
