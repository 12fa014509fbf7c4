// Cutters of the plan's records in the working part, and the library cutting data of operations.
#ifndef TORVANE_CUTTERS_H_INCLUDED
#define TORVANE_CUTTERS_H_INCLUDED

#include "my_func_cam/tool_libref.h"
#include "uf_defs.h"

// The first cutter (type 109, subtype 0) of the work part named exactly name: 1 with its tag;
// 0 with NULL_TAG when there is none.
int ask_tool_tag_by_name(const char *name, tag_t *tool_tag);

// Creates the cutter of a record from the cutter template, with the record's dimensions, holder
// sections (from static_holder_list) and cutting data attributes. *tool_tag is set as soon as the
// cutter exists. 1, or 0 after a message (empty name, name in use, no template, no cutter);
// failures after the cutter exists are reported and leave it in the part.
int with_tool_struct_data_create_tool(const tool_data *record, tag_t *tool_tag);

// The cutter of a record: the work part's cutter of its name, else one created from it (as
// with_tool_struct_data_create_tool). 1 with *tool_tag, or 0 after a message.
int find_or_create_tool(const tool_data *record, tag_t *tool_tag);

// Writes the cutting data of the list record named as the cutter into the operation: spindle
// speed, depth per cut and cut levels, stepover, feeds, and the tool number into the cutter.
// 0 for a null tag or an object that is no stock-carrying operation; 1 otherwise (also when no
// record has the cutter's name: nothing is written then).
int set_oper_cut_data(tag_t oper_tag, tag_t tool_tag, const tool_data *list);

#endif
