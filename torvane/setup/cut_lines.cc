// Cut lines on the electrodes' flat tops.
#include "torvane/setup/cut_lines.h"

#include <cmath>
#include <cstring>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_modl_types.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_part.h"

namespace {

void set_line(UF_CURVE_line_t *line, const double start[3], const double end[3]) {
    std::memcpy(line->start_point, start, sizeof line->start_point);
    std::memcpy(line->end_point, end, sizeof line->end_point);
}

// The world plane a face of that direction code is flat in: its two in-plane axes and the axis
// across it. 0 for an unknown code.
int face_plane(int elec_direction, int *u, int *v, int *across) {
    switch (std::abs(elec_direction)) {
    case 1: *u = 0, *v = 1, *across = 2; return 1;
    case 2: *u = 0, *v = 2, *across = 1; return 1;
    case 3: *u = 1, *v = 2, *across = 0; return 1;
    default: return 0;
    }
}

// A point in the face's plane from its two in-plane coordinates.
void plane_point(int u, int v, int across, double pu, double pv, double height, double point[3]) {
    point[u] = pu;
    point[v] = pv;
    point[across] = height;
}

bool same_end(const double a[3], const double b[3]) {
    return MY_equal_tol(a[0], b[0], CUT_LINE_TOLERANCE) && MY_equal_tol(a[1], b[1], CUT_LINE_TOLERANCE) &&
           MY_equal_tol(a[2], b[2], CUT_LINE_TOLERANCE);
}

// Diameter of the cutter the lines are for; 0 when there is none (or it is named NONE).
double cutter_diameter(const oper *oper_p) {
    tag_t tool = NULL_TAG;
    if (oper_p->obj_tag != NULL_TAG && UF_CALL(UF_OPER_ask_cutter_group(oper_p->obj_tag, &tool)) == 0 &&
        tool != NULL_TAG) {
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_CALL(UF_OBJ_ask_name(tool, name));
        if (std::strcmp(name, "NONE") == 0) return 0.0;
        double diameter = 0.0;
        UF_CALL(UF_PARAM_ask_double_value(tool, UF_PARAM_TL_DIAMETER, &diameter));
        return diameter;
    }
    return oper_p->tool_data_p ? oper_p->tool_data_p->tool_dia : 0.0;
}

// A planar face flat across the MCS Z at the top of all electrodes.
bool is_top_face(tag_t face, int mcs_class, double top, double a[3], double b[3]) {
    int type = 0;
    if (UF_CALL(UF_MODL_ask_face_type(face, &type)) != 0 || type != UF_MODL_PLANAR_FACE) return false;
    if (!MY_face_box_edge(face, a, b)) return false;
    int axis = 0;
    double sense = 0.0;
    if (!mcs_z_axis(mcs_class, &axis, &sense) || b[axis] - a[axis] > CUT_LINE_TOLERANCE) return false;
    return MY_equal_tol(mcs_box_top(mcs_class, a, b), top, CUT_LINE_TOLERANCE);
}

// The line of the part equal to the wanted one, or a new one. NULL_TAG when NX refused it.
tag_t cut_line(UF_CURVE_line_t *wanted) {
    tag_t line = NULL_TAG;
    if (fine_disp_same_line(wanted, &line)) return line;
    if (UF_CALL(UF_CURVE_create_line(wanted, &line)) != 0) return NULL_TAG;
    return line;
}

}  // namespace

int cut_lines_of_face(const double a[3], const double b[3], int elec_direction, double cutter_diameter,
                      UF_CURVE_line_t lines[3]) {
    int u = 0, v = 0, across = 0;
    if (!face_plane(elec_direction, &u, &v, &across)) return 0;
    // The Part's corners: flat in XY at a.z, in XZ at b.y, in YZ at a.x.
    const double height = across == 1 ? b[across] : a[across];
    const double eu = b[u] - a[u], ev = b[v] - a[v];
    double p[4][3];
    if (eu < cutter_diameter - CUT_LINE_NARROW || ev < cutter_diameter - CUT_LINE_NARROW) {
        if (eu >= ev) {
            const double mid = (a[v] + b[v]) / 2.0;
            plane_point(u, v, across, a[u], mid, height, p[0]);
            plane_point(u, v, across, b[u], mid, height, p[1]);
        } else {
            const double mid = (a[u] + b[u]) / 2.0;
            plane_point(u, v, across, mid, a[v], height, p[0]);
            plane_point(u, v, across, mid, b[v], height, p[1]);
        }
        set_line(&lines[0], p[0], p[1]);
        return 1;
    }
    // Three sides, each line starting where the one before ends; the fourth side stays open.
    const double corners[3][4][2] = {
        {{b[u], a[v]}, {b[u], b[v]}, {a[u], b[v]}, {a[u], a[v]}},  // flat in XY: open at a.y
        {{b[u], b[v]}, {b[u], a[v]}, {a[u], a[v]}, {a[u], b[v]}},  // flat in XZ: open at b.z
        {{a[u], b[v]}, {b[u], b[v]}, {b[u], a[v]}, {a[u], a[v]}},  // flat in YZ: open at a.y
    };
    const int row = std::abs(elec_direction) - 1;
    for (int i = 0; i < 4; ++i) plane_point(u, v, across, corners[row][i][0], corners[row][i][1], height, p[i]);
    for (int i = 0; i < 3; ++i) set_line(&lines[i], p[i], p[i + 1]);
    return 3;
}

int create_solid_top_cut_line(const elec_cam_data *record, const oper *oper_p, int mcs_class, cut_lines *lines) {
    const double diameter = cutter_diameter(oper_p);
    if (diameter <= 0.0) return 0;
    std::vector<tag_t> faces;
    if (!MY_ask_body_faces(record->elec_tag, &faces)) return 0;
    const double top = mcs_box_top(mcs_class, static_elec_box_min, static_elec_box_max);
    int made = 0;
    for (tag_t face : faces) {
        double a[3], b[3];
        if (!is_top_face(face, mcs_class, top, a, b)) continue;
        UF_CURVE_line_t wanted[3];
        const int count = cut_lines_of_face(a, b, record->elec_direction, diameter, wanted);
        if (count == 0 || made + count > MAX_CUT_LINES) continue;
        tag_t tags[3] = {NULL_TAG, NULL_TAG, NULL_TAG};
        bool all = true;
        for (int i = 0; i < count; ++i) all = (tags[i] = cut_line(&wanted[i])) != NULL_TAG && all;
        if (!all) continue;
        made += count;
        if (count == 1) {
            lines->single_lines.push_back(tags[0]);
            lines->single_records.push_back(record);
        } else {
            lines->line_sets.push_back({tags[0], tags[1], tags[2]});
            lines->set_records.push_back(record);
        }
    }
    return 1;
}

int fine_disp_same_line(const UF_CURVE_line_t *line, tag_t *line_tag) {
    *line_tag = NULL_TAG;
    const tag_t part = UF_PART_ask_display_part();
    if (part == NULL_TAG) {
        show_catalogue_text(TORVANE_LANG_FORMAT, "fine_disp_same_lin_01:");
        return 0;
    }
    tag_t object = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_objs_in_part(part, UF_line_type, &object)) == 0 && object != NULL_TAG) {
        int type = 0, subtype = 0;
        UF_OBJ_disp_props_t props = {};
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) != 0 || type != UF_line_type || subtype != 0)
            continue;
        if (UF_CALL(UF_OBJ_ask_display_properties(object, &props)) != 0 || props.blank_status == UF_OBJ_BLANKED) continue;
        UF_CURVE_line_t data = {};
        if (UF_CALL(UF_CURVE_ask_line_data(object, &data)) != 0) continue;
        if ((same_end(data.start_point, line->start_point) && same_end(data.end_point, line->end_point)) ||
            (same_end(data.start_point, line->end_point) && same_end(data.end_point, line->start_point))) {
            *line_tag = object;
            return 1;
        }
    }
    return 0;
}
