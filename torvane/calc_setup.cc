// The set-up step of a calculation and its listing.
#include "torvane/calc_setup.h"

#include <cstdio>
#include <string>

#include "my_func/my_func.h"
#include "torvane/check_blocks.h"
#include "torvane/cut_levels.h"
#include "torvane/dlg_state.h"
#include "torvane/mcs_class.h"
#include "torvane/mcs_workpiece.h"
#include "torvane/stock.h"
#include "uf.h"
#include "uf_cam_planes.h"
#include "uf_csys.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

enum label {
    HEADING, ORIGIN, CLASS, CLEARANCE, NORMAL, BLANK_BOX, FRONT_POINT, SIDE_POINT, TOP, EDM_FACE, EDM_DEPTH,
    TOP_OF_ALL, STOCK_HEADING, LABEL_COUNT
};

std::string number(double value) {
    char text[MY_NUMBER_TEXT_BUFSIZE];
    return MY_double_to_str(value, 3, text);
}

std::string point_text(const double p[3]) { return "(" + number(p[0]) + ", " + number(p[1]) + ", " + number(p[2]) + ")"; }

std::string name_of(tag_t tag) {
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    if (UF_CALL(UF_OBJ_ask_name(tag, name)) != 0 || !name[0]) return "#" + std::to_string(tag);
    return name;
}

void write_line(const std::string &line) { MY_write_listing((line + "\n").c_str()); }

void list_mcs(const std::string *labels, int mcs_class) {
    tag_t matrix = NULL_TAG, csys = NULL_TAG;
    double values[9], origin[3] = {0, 0, 0}, point[3], normal[3];
    if (UF_CALL(UF_PARAM_ask_tag_value(static_mcs_tag, UF_PARAM_MCS, &csys)) != 0 || csys == NULL_TAG ||
        UF_CALL(UF_CSYS_ask_csys_info(csys, &matrix, origin)) != 0 || UF_CALL(UF_CSYS_ask_matrix_values(matrix, values)) != 0)
        return;
    write_line("  " + name_of(static_mcs_tag) + ": " + labels[ORIGIN] + " " + point_text(origin) + "  X " +
               point_text(values) + "  Y " + point_text(values + 3) + "  Z " + point_text(values + 6) + "  " +
               labels[CLASS] + " " + std::to_string(mcs_class));
    if (UF_CALL(UF_CAM_ask_clear_plane_data(static_mcs_tag, point, normal)) == 0)
        write_line("  " + labels[CLEARANCE] + " " + point_text(point) + "  " + labels[NORMAL] + " " + point_text(normal));
}

// The automatic block the workpiece asks of NX: the union box of the electrodes widened by the
// blank offsets along the MCS axes (none below the electrodes along the MCS Z).
void list_blank(const std::string *labels, int mcs_class) {
    double margin[3], box_min[3], box_max[3];
    int axis = 2;
    double sense = 1.0;
    if (!check_block_margins(mcs_class, static_dlg_state.real_24, static_dlg_state.real_25, static_dlg_state.real_26,
                             margin) ||
        !mcs_z_axis(mcs_class, &axis, &sense))
        return;
    for (int k = 0; k < 3; ++k) {
        const bool below = k == axis && sense > 0, above = k == axis && sense < 0;
        box_min[k] = static_elec_box_min[k] - (below ? 0.0 : margin[k]);
        box_max[k] = static_elec_box_max[k] + (above ? 0.0 : margin[k]);
    }
    write_line("  " + name_of(static_work_piece_tag) + ": " + labels[BLANK_BOX] + " " + point_text(box_min) + " - " +
               point_text(box_max));
}

void list_electrodes(const std::string *labels, int mcs_class) {
    double matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ask_mcs_matrix(static_mcs_tag, matrix);
    for (const elec_cam_data *r = elec_cam_data_list; r; r = r->next_p) {
        double front[3], side[3];
        elec_front_start_point(r, matrix, front);
        elec_side_start_point(r, matrix, side);
        write_line("  " + name_of(r->elec_tag) + ": " + labels[FRONT_POINT] + " " + point_text(front) + "  " +
                   labels[SIDE_POINT] + " " + point_text(side));
        std::string depths = "      " + labels[TOP] + " " + number(mcs_box_top(mcs_class, r->elec_box_min, r->elec_box_max));
        if (!r->use_whole_body) {
            const double edm = mcs_height(mcs_class, r->elec_edm_center);
            depths += "  " + labels[EDM_FACE] + " " + number(edm) + "  " + labels[EDM_DEPTH] + " " +
                      number(edm + EDM_DEPTH_MARGIN + CUT_DEPTH_CLEARANCE);
        }
        write_line(depths);
    }
    write_line("  " + labels[TOP_OF_ALL] + " " +
               number(mcs_box_top(mcs_class, static_elec_box_min, static_elec_box_max) + CUT_DEPTH_CLEARANCE));
}

// Rows: electrode kinds with their spark gaps; columns: operation classes with their allowances.
void list_stocks(const std::string *labels) {
    static const char *const CLASSES[] = {"R", "M", "F", "-"};
    write_line("  " + labels[STOCK_HEADING]);
    char cell[64];
    std::string head = "              ";
    for (int c = RMF_ROUGH; c <= RMF_FINISH; ++c) {
        double allowance = 0.0;
        rmf_class_allowance(c, &allowance);
        std::snprintf(cell, sizeof cell, "%-10s", (std::string(CLASSES[c]) + " +" + number(allowance)).c_str());
        head += cell;
    }
    write_line(head);
    prog_group group;
    oper op;
    for (int kind = RMF_ROUGH; kind <= RMF_OTHER; ++kind) {
        std::snprintf(cell, sizeof cell, "    %s %-8s", CLASSES[kind], number(rmf_spark_gap(kind)).c_str());
        std::string row = cell;
        for (op.rmf_kind = RMF_ROUGH; op.rmf_kind <= RMF_FINISH; ++op.rmf_kind) {
            double s = 0.0;
            ask_rmf_stock(&group, &op, kind, &s);
            std::snprintf(cell, sizeof cell, "%-10s", number(s).c_str());
            row += cell;
        }
        write_line(row);
    }
}

}  // namespace

int prepare_calc_setup(int dialog_id, from_side_start_point *block) {
    return create_from_side_start_point(dialog_id, block) && create_start_point_objects(0);
}

void list_calc_setup(void) {
    std::string labels[LABEL_COUNT];
    if (!lookup_messages(TORVANE_LANG_FORMAT,
                         {"list_calc_setu_01:", "list_calc_setu_02:", "list_calc_setu_03:", "list_calc_setu_04:",
                          "list_calc_setu_05:", "list_calc_setu_06:", "list_calc_setu_07:", "list_calc_setu_08:",
                          "list_calc_setu_09:", "list_calc_setu_10:", "list_calc_setu_11:", "list_calc_setu_12:",
                          "list_calc_setu_13:"},
                         labels))
        return;
    const int mcs_class = ask_workpiece_mcs_class(static_work_piece_tag);
    write_line(labels[HEADING]);
    list_mcs(labels, mcs_class);
    list_blank(labels, mcs_class);
    list_electrodes(labels, mcs_class);
    list_stocks(labels);
}
