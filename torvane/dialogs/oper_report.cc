// The operation report in the listing window.
#include "torvane/dialogs/oper_report.h"

#include <string>

#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

// Each row starts a new line of the listing window; the line break counts toward the columns.
const char OPER_INDENT[] = "\n    ";
const int OPER_TYPE = 100;
const int SKIPPED_SUBTYPE = 10;
const int PLANAR_MILL = 110, FIXED_CONTOUR = 210, CAVITY_MILL = 260, FACE_MILL = 261, Z_LEVEL = 263;
const double NOT_READ = -999.0;

// The values read from NX. They live for the whole report: a read that fails leaves the value
// the field had, as the listing of such a failure already says.
struct report_reads {
    double part_stock = 0.0, floor_stock = 0.0, tool_offset = 0.0, spindle = 0.0;
    int offset_on = 0, part_use = 0, stepover_type = 0;
    UF_PARAM_feedrate_t feed{};
};

std::string number(double value) { return plan_number_text(value); }

void read_double(tag_t oper_tag, int index, double *value) { UF_CALL(UF_PARAM_ask_double_value(oper_tag, index, value)); }

void read_int(tag_t oper_tag, int index, int *value) { UF_CALL(UF_PARAM_ask_int_value(oper_tag, index, value)); }

std::string floor_stock_text(tag_t oper_tag, int subtype, report_reads *reads) {
    if (subtype == FACE_MILL || subtype == PLANAR_MILL) {
        read_double(oper_tag, UF_PARAM_STOCK_FLOOR, &reads->floor_stock);
        return number(reads->floor_stock);
    }
    if (subtype != CAVITY_MILL && subtype != Z_LEVEL) return "";
    read_int(oper_tag, UF_PARAM_STOCK_PART_USE, &reads->part_use);
    if (reads->part_use == UF_PARAM_stock_part_use_floor_same_as_side) return number(reads->part_stock);
    read_double(oper_tag, UF_PARAM_STOCK_FLOOR, &reads->floor_stock);
    return number(reads->floor_stock);
}

std::string cut_depth_text(tag_t oper_tag, int subtype) {
    int index = 0;
    if (subtype == CAVITY_MILL || subtype == Z_LEVEL) index = UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH;
    else if (subtype == FACE_MILL) index = UF_PARAM_CUTLEV_DEPTH_PER_CUT;
    else if (subtype == PLANAR_MILL) index = UF_PARAM_CUTLEV_MAX_DEPTH;
    else return "";
    double depth = NOT_READ;
    read_double(oper_tag, index, &depth);
    return depth != NOT_READ ? number(depth) : "";
}

std::string stepover_text(tag_t oper_tag, int subtype, report_reads *reads) {
    if (subtype != FIXED_CONTOUR) return "";
    read_int(oper_tag, UF_PARAM_STEPOVER_TYPE, &reads->stepover_type);
    if (reads->stepover_type != UF_PARAM_stepover_type_constant) return "";
    double distance = NOT_READ;
    read_double(oper_tag, UF_PARAM_STEPOVER_DIST, &distance);
    return distance != NOT_READ ? number(distance) : "";
}

std::string ref_cutter_name(tag_t oper_tag) {
    tag_t ref = NULL_TAG;
    if (UF_CALL(UF_OPER_ask_ref_cutter(oper_tag, &ref)) != 0 || ref == NULL_TAG) return "";
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    return UF_CALL(UF_OBJ_ask_name(ref, name)) == 0 ? name : "";
}

oper_report_fields read_fields(const oper &node, report_reads *reads) {
    const tag_t tag = node.obj_tag;
    oper_report_fields fields;
    read_double(tag, UF_PARAM_STOCK_PART, &reads->part_stock);
    fields.part_stock = number(reads->part_stock);
    fields.floor_stock = floor_stock_text(tag, node.subtype, reads);
    read_int(tag, UF_PARAM_TL_Z_OFFSET_TOG, &reads->offset_on);
    read_double(tag, UF_PARAM_TL_Z_OFFSET, &reads->tool_offset);
    if (reads->offset_on && reads->tool_offset != 0.0) fields.tool_offset = number(reads->tool_offset);
    fields.cutter = node.tool_name;
    fields.ref_cutter = ref_cutter_name(tag);
    fields.cut_depth = cut_depth_text(tag, node.subtype);
    fields.stepover = stepover_text(tag, node.subtype, reads);
    read_double(tag, UF_PARAM_SPINDLE_RPM, &reads->spindle);
    fields.spindle = number(reads->spindle);
    UF_CALL(UF_PARAM_ask_subobj_ptr_value(tag, UF_PARAM_FEED_CUT, &reads->feed));
    fields.feed = number(reads->feed.value);
    if (node.tool_data_p && node.tool_data_p->holder_name[0]) fields.holder = node.tool_data_p->holder_name;
    return fields;
}

void write_line(const std::string &line) { MY_write_listing(line.c_str()); }

}  // namespace

std::string oper_report_line(const char *name, const oper_report_fields &fields) {
    std::string line = std::string(OPER_INDENT) + name;
    const std::pair<const std::string *, int> columns[] = {
        {&fields.part_stock, REPORT_PART_STOCK_COLUMN}, {&fields.floor_stock, REPORT_FLOOR_STOCK_COLUMN},
        {&fields.tool_offset, REPORT_TOOL_OFFSET_COLUMN}, {&fields.cutter, REPORT_CUTTER_COLUMN},
        {&fields.ref_cutter, REPORT_REF_CUTTER_COLUMN}, {&fields.cut_depth, REPORT_CUT_DEPTH_COLUMN},
        {&fields.stepover, REPORT_STEPOVER_COLUMN},     {&fields.spindle, REPORT_SPINDLE_COLUMN},
        {&fields.feed, REPORT_FEED_COLUMN},             {&fields.holder, REPORT_HOLDER_COLUMN},
    };
    for (const auto &column : columns) append_column_field(&line, *column.first, column.second);
    return line;
}

std::string uncreated_oper_report_line(const char *name) {
    std::string line = std::string(OPER_INDENT) + name;
    append_column_field(&line, "", REPORT_PART_STOCK_COLUMN);
    return line;
}

void report_oper_list(void) {
    std::string heading;
    if (!torvane_text("report_ope_01:", &heading)) return;
    report_reads reads;
    for (const r_m_f_or_other *rmf = static_plan_list; rmf; rmf = rmf->next_p) {
        if (!class_switched_on(rmf->rmf_kind)) continue;
        write_line("\n  " + heading);
        write_line(std::string("\n") + rmf->name);
        for (const prog_group *group = rmf->prog_group_list_p; group; group = group->next_p) {
            write_line(std::string("\n  ") + group->name);
            for (const oper *node = group->oper_list_p; node; node = node->next_p) {
                if (node->obj_tag == NULL_TAG) write_line(uncreated_oper_report_line(node->name));
                else if (node->type != OPER_TYPE || node->subtype != SKIPPED_SUBTYPE)
                    write_line(oper_report_line(node->name, read_fields(*node, &reads)));
            }
        }
    }
}
