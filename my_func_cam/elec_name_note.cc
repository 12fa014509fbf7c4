// The electrode's name note on its top face, and the drafting font of the work part.
#include "my_func_cam/elec_name_note.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "my_func1/my_func1.h"
#include "uf.h"
#include "uf_assem.h"
#include "uf_csys.h"
#include "uf_drf.h"
#include "uf_modl.h"
#include "uf_modl_types.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_ugfont.h"
#include "uf_ui.h"

namespace {

const double EDGE_TOLERANCE = 0.02;  // a top face edge lies on a side of the box within this
const int GAP_DIGITS = 3;
const int KIND_OTHER = 3;

// The keys kept from the first call on; path_elec_text_dir is read afresh every time.
struct elec_text_keys {
    double oper_edge_dis = 0.0;
    double close_edge_dis = 0.0;
    double min_value = 0.0;
    double max_value = 0.0;
    double require_add_text[3] = {0.0, 0.0, 0.0};  // rough, middle, finish
    char add_text[3][MY_CONFIG_VALUE_BUFSIZE] = {"", "", ""};
    double require_elec_space = 0.0;
    double ratio = 0.0;
    double compensate = 0.0;
    double space[3] = {0.0, 0.0, 0.0};  // configured spark gaps of the three kinds
};

elec_text_keys static_elec_text_keys;
bool static_elec_text_keys_read = false;

const char *const REQUIRE_KEYS[3] = {"require_r_path_elec_add_text:", "require_m_path_elec_add_text:",
                                     "require_f_path_elec_add_text:"};
const char *const ADD_TEXT_KEYS[3] = {"r_path_elec_add_text_is:", "m_path_elec_add_text_is:",
                                      "f_path_elec_add_text_is:"};
const char *const SPACE_KEYS[3] = {"elec_rough_space:", "elec_middle_space:", "elec_finish_space:"};

// Reads the kept keys; 0 after the reader's message when one is missing (nothing is kept then).
int read_elec_text_keys(void) {
    elec_text_keys keys;
    const char *cam = CONFIG_CAM_DEF_PATH;
    if (!read_config_value("path_elec_text_oper_edge_dis:", &keys.oper_edge_dis, cam) ||
        !read_config_value("path_elec_text_close_edge_dis:", &keys.close_edge_dis, cam) ||
        !read_config_value("path_elec_text_min_value:", &keys.min_value, cam) ||
        !read_config_value("path_elec_text_max_value:", &keys.max_value, cam))
        return 0;
    for (int kind = 0; kind < 3; ++kind) {
        if (!read_config_value(REQUIRE_KEYS[kind], &keys.require_add_text[kind], cam)) return 0;
        if (keys.require_add_text[kind] != 0.0 && !read_config_value_char(ADD_TEXT_KEYS[kind], keys.add_text[kind], cam))
            return 0;
    }
    if (!read_config_value("require_elec_space:", &keys.require_elec_space, cam) ||
        !read_config_value("path_elec_text_ratio:", &keys.ratio, cam) ||
        !read_config_value("elec_text_compensate_value:", &keys.compensate, cam))
        return 0;
    for (int kind = 0; kind < 3; ++kind)
        if (!read_config_value(SPACE_KEYS[kind], &keys.space[kind], CONFIG_DEF_PATH)) return 0;
    static_elec_text_keys = keys;
    static_elec_text_keys_read = true;
    return 1;
}

// Shows the my_func_cam text of tag, followed by the electrode's name when it has one.
void show_note_message(const char *tag, const char *elec_name) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, MY_FUNC_CAM_LANG_FORMAT);
    char text[MY_MESSAGE_BUFSIZE];
    if (!lookup_message(tag, text, lang_path)) return;
    std::string message = text;
    if (elec_name && elec_name[0] != '\0') message += std::string(" ") + elec_name;
    uc1601(message.c_str(), 1);
}

// The electrode's own spark gap of its kind, when it carries the spark-number attributes and that
// gap; else the configured one.
double elec_spark_gap(tag_t elec_tag, int kind) {
    elec_attr_data attr{};
    read_elec_attr_data(elec_tag, &attr);
    const bool carries = attr.has_rough_number || attr.has_finish_number || attr.has_spark_numbers;
    if (carries && kind == 0 && attr.has_rough_space) return attr.rough_space;
    if (carries && kind == 1 && attr.has_middle_space) return attr.middle_space;
    if (carries && kind == 2 && attr.has_finish_space) return attr.finish_space;
    return static_elec_text_keys.space[kind];
}

std::string compose_name_text(tag_t elec_tag, const char *elec_name, int kind) {
    const elec_text_keys &keys = static_elec_text_keys;
    std::string text = elec_name;
    if (kind >= 0 && kind < KIND_OTHER) {
        const int require = static_cast<int>(keys.require_add_text[kind]);
        if (require == 1) text = keys.add_text[kind] + text;
        if (require == 2) text += keys.add_text[kind];
        if (keys.require_elec_space != 0.0) {
            char gap[MY_NUMBER_TEXT_BUFSIZE];
            format_text(gap, " %.3f", MY_round_value(elec_spark_gap(elec_tag, kind), GAP_DIGITS));
            text += gap;
        }
    }
    return text;
}

// A box in the coordinates of the WCS: the box of the eight mapped corners.
int box_in_wcs(const double box_min[3], const double box_max[3], double out_min[3], double out_max[3]) {
    for (int corner = 0; corner < 8; ++corner) {
        double p[3] = {corner & 1 ? box_max[0] : box_min[0], corner & 2 ? box_max[1] : box_min[1],
                       corner & 4 ? box_max[2] : box_min[2]};
        double q[3];
        if (UF_CALL(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, p, UF_CSYS_ROOT_WCS_COORDS, q)) != 0) return 0;
        for (int k = 0; k < 3; ++k) {
            out_min[k] = corner == 0 ? q[k] : std::min(out_min[k], q[k]);
            out_max[k] = corner == 0 ? q[k] : std::max(out_max[k], q[k]);
        }
    }
    return 1;
}

// The straight edges of the top face in WCS coordinates, two points each, and the face's height
// along the WCS Z. 0 when the face is no plane square to the WCS Z or has no straight edge.
int top_face_edges(tag_t face, std::vector<double> *points, double *level) {
    int face_type = 0;
    if (face == NULL_TAG || UF_CALL(UF_MODL_ask_face_type(face, &face_type)) != 0 || face_type != UF_MODL_PLANAR_FACE)
        return 0;
    // Square to the WCS Z: its normal, mapped as the difference of two mapped points, runs along it.
    double normal[3], zero[3] = {0.0, 0.0, 0.0}, tip[3], base[3];
    if (!MY_face_center_normal(face, normal) ||
        UF_CALL(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, zero, UF_CSYS_ROOT_WCS_COORDS, base)) != 0 ||
        UF_CALL(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, normal, UF_CSYS_ROOT_WCS_COORDS, tip)) != 0 ||
        std::abs(tip[2] - base[2]) < 1.0 - 1e-6)
        return 0;
    std::vector<tag_t> edges;
    if (!MY_ask_face_edges(face, &edges)) return 0;
    bool first = true;
    for (tag_t edge : edges) {
        int edge_type = 0, vertices = 0;
        double ends[2][3];
        if (UF_CALL(UF_MODL_ask_edge_type(edge, &edge_type)) != 0 || edge_type != UF_MODL_LINEAR_EDGE ||
            UF_CALL(UF_MODL_ask_edge_verts(edge, ends[0], ends[1], &vertices)) != 0 || vertices != 2)
            continue;
        for (double *end : ends) {
            double q[3];
            if (UF_CALL(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, end, UF_CSYS_ROOT_WCS_COORDS, q)) != 0) return 0;
            if (first) *level = q[2];
            if (!MY_equal_tol(q[2], *level, EDGE_TOLERANCE)) return 0;
            first = false;
            points->insert(points->end(), q, q + 3);
        }
    }
    return first ? 0 : 1;
}

// Reading direction r and up direction n in the WCS XY plane of a text direction 1 to 4.
void reading_frame(int direction, double r[2], double n[2]) {
    static const double R[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    r[0] = R[direction - 1][0];
    r[1] = R[direction - 1][1];
    n[0] = -r[1];
    n[1] = r[0];
}

// The lowest and highest of p·axis over the corners of a WCS box.
void box_range(const double box_min[3], const double box_max[3], const double axis[2], double *low, double *high) {
    *low = *high = box_min[0] * axis[0] + box_min[1] * axis[1];
    for (int corner = 1; corner < 4; ++corner) {
        const double v = (corner & 1 ? box_max[0] : box_min[0]) * axis[0] + (corner & 2 ? box_max[1] : box_min[1]) * axis[1];
        *low = std::min(*low, v);
        *high = std::max(*high, v);
    }
}

enum placement_result { PLACED, NO_EDGE, NO_ROOM };

// Origin (WCS) and size of the note of `length` characters in a strip along one side of the box.
placement_result place_name(const double box_min[3], const double box_max[3], const double body_min[3],
                            const double body_max[3], const std::vector<double> &edge_points, double level,
                            int direction, std::size_t length, double cutter_radius, double origin[3], double *size) {
    const elec_text_keys &keys = static_elec_text_keys;
    double r[2], n[2];
    reading_frame(direction, r, n);
    double outer = 0.0, far_side = 0.0, body = 0.0, body_far = 0.0, s_low = 0.0, s_high = 0.0;
    box_range(box_min, box_max, n, &outer, &far_side);
    box_range(body_min, body_max, n, &body, &body_far);
    box_range(box_min, box_max, r, &s_low, &s_high);
    bool edge_on_side = false;
    for (std::size_t i = 0; i + 5 < edge_points.size(); i += 6) {
        const double *a = &edge_points[i], *b = &edge_points[i + 3];
        edge_on_side |= MY_equal_tol(a[0] * n[0] + a[1] * n[1], outer, EDGE_TOLERANCE) &&
                        MY_equal_tol(b[0] * n[0] + b[1] * n[1], outer, EDGE_TOLERANCE);
    }
    if (!edge_on_side) return NO_EDGE;

    const double across = (body - keys.oper_edge_dis) - (outer + keys.close_edge_dis);
    const double along = (s_high - keys.close_edge_dis) - (s_low + keys.close_edge_dis);
    const double pitch = static_cast<double>(length) * keys.ratio;  // length of the text per unit of height
    const double engraved = 2.0 * cutter_radius;
    const double roomy = std::min(across - 2.0 * ELEC_NAME_NOTE_ACROSS_MARGIN - engraved,
                                  (along - 2.0 * ELEC_NAME_NOTE_ALONG_MARGIN - engraved) / pitch);
    double height = std::min(std::max(roomy - keys.compensate, keys.min_value), keys.max_value);
    const double slack = 1e-9;
    if (height + engraved > across + slack || pitch * height + engraved > along + slack) return NO_ROOM;

    const double s = (s_low + s_high) / 2.0;
    const double t = ((outer + keys.close_edge_dis) + (body - keys.oper_edge_dis)) / 2.0;
    origin[0] = s * r[0] + t * n[0];
    origin[1] = s * r[1] + t * n[1];
    origin[2] = level;
    *size = height;
    return PLACED;
}

// Turns the WCS to the axes of the MCS for as long as it lives, then back to the WCS it found.
class wcs_on_mcs {
public:
    explicit wcs_on_mcs(tag_t mcs_tag) {
        tag_t matrix = NULL_TAG;
        tag_t temp = NULL_TAG;
        const double origin[3] = {0.0, 0.0, 0.0};
        if (UF_CALL(UF_CSYS_ask_wcs(&old_wcs_)) != 0 || UF_CALL(UF_CSYS_ask_matrix_of_object(mcs_tag, &matrix)) != 0 ||
            matrix == NULL_TAG || UF_CALL(UF_CSYS_create_temp_csys(origin, matrix, &temp)) != 0)
            return;
        turned_ = UF_CALL(UF_CSYS_set_wcs(temp)) == 0;
    }
    wcs_on_mcs(const wcs_on_mcs &) = delete;
    wcs_on_mcs &operator=(const wcs_on_mcs &) = delete;
    ~wcs_on_mcs() {
        if (turned_) UF_CALL(UF_CSYS_set_wcs(old_wcs_));
    }
    bool turned() const { return turned_; }

private:
    tag_t old_wcs_ = NULL_TAG;
    bool turned_ = false;
};

// The note with the general lettering of its size and direction, the lettering restored after.
int make_note(const std::string &text, double origin[3], double size, int direction, tag_t *note_tag,
              const char *elec_name) {
    UF_DRF_lettering_preferences_t kept, lettering;
    if (UF_CALL(UF_DRF_ask_lettering_preferences(&kept)) != 0) {
        show_note_message("create_path_elec_name_not_05:", elec_name);
        return 0;
    }
    lettering = kept;
    lettering.align_position = UF_DRF_ALIGN_MID_CENTER;
    lettering.angle = 90.0 * (direction - 1);
    lettering.general_text.size = size;
    lettering.general_text.aspect_ratio = static_elec_text_keys.ratio;
    if (UF_CALL(UF_DRF_set_lettering_preferences(&lettering)) != 0) {
        show_note_message("create_path_elec_name_not_05:", elec_name);
        return 0;
    }
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    char *lines[1] = {line.data()};
    const int made = UF_CALL(UF_DRF_create_note(1, lines, origin, 0, note_tag));
    UF_CALL(UF_DRF_set_lettering_preferences(&kept));
    if (made != 0 || *note_tag == NULL_TAG) {
        *note_tag = NULL_TAG;
        show_note_message("create_path_elec_name_not_06:", elec_name);
        return 0;
    }
    return 1;
}

}  // namespace

void reset_elec_name_note_keys(void) {
    static_elec_text_keys = elec_text_keys();
    static_elec_text_keys_read = false;
}

int create_path_elec_name_note(const elec_cam_data *record, tag_t mcs_tag, double cutter_radius, tag_t *note_tag,
                               int rmf_kind) {
    if (!note_tag) return 0;
    *note_tag = NULL_TAG;
    if (!record || record->use_whole_body) return 0;
    double direction_value = 0.0;
    if (!read_config_value("path_elec_text_dir:", &direction_value, CONFIG_CAM_DEF_PATH)) return 0;
    if (!static_elec_text_keys_read && !read_elec_text_keys()) return 0;

    char elec_name[UF_OBJ_NAME_BUFSIZE] = "";
    if (UF_CALL(UF_OBJ_ask_name(record->elec_tag, elec_name)) != 0 || elec_name[0] == '\0') {
        show_note_message("create_path_elec_name_not_01:", nullptr);
        return 0;
    }
    const std::string text = compose_name_text(record->elec_tag, elec_name, rmf_kind);

    const int direction = static_cast<int>(direction_value);
    if (direction < 1 || direction > 4 || direction != direction_value) {
        uc1601(ELEC_NAME_NOTE_DIR_ERROR_TEXT, 1);
        return 0;
    }
    const elec_text_keys &keys = static_elec_text_keys;
    if (keys.ratio <= 0.0 || keys.min_value <= 0.0 || keys.max_value < keys.min_value || keys.oper_edge_dis < 0.0 ||
        keys.close_edge_dis < 0.0 || !(cutter_radius >= 0.0)) {
        show_note_message("create_path_elec_name_not_03:", nullptr);
        return 0;
    }

    wcs_on_mcs wcs(mcs_tag);
    if (!wcs.turned()) {
        show_note_message("create_path_elec_name_not_05:", elec_name);
        return 0;
    }
    double box_min[3], box_max[3], body_min[3], body_max[3];
    if (!box_in_wcs(record->elec_box_min, record->elec_box_max, box_min, box_max) ||
        !box_in_wcs(record->elec_body_min, record->elec_body_max, body_min, body_max)) {
        show_note_message("create_path_elec_name_not_05:", elec_name);
        return 0;
    }
    std::vector<double> edge_points;
    double level = 0.0;
    double origin[3], size = 0.0;
    placement_result placed = NO_EDGE;
    if (top_face_edges(record->elec_top_face, &edge_points, &level))
        placed = place_name(box_min, box_max, body_min, body_max, edge_points, level, direction, text.size(),
                            cutter_radius, origin, &size);
    if (placed != PLACED) {
        show_note_message(placed == NO_EDGE ? "create_path_elec_name_not_02:" : "create_path_elec_name_not_04:",
                          elec_name);
        return 0;
    }
    return make_note(text, origin, size, direction, note_tag, elec_name);
}

int MY_set_drafting_font(const char *font_name) {
    const tag_t part = UF_ASSEM_ask_work_part();
    tag_t fte = NULL_TAG;
    if (part == NULL_TAG || UF_CALL(UF_OBJ_cycle_objs_in_part(part, UF_font_table_type, &fte)) != 0 || fte == NULL_TAG)
        return 0;
    std::vector<char> name;
    if (font_name) name.assign(font_name, font_name + std::strlen(font_name) + 1);
    int index = 0;
    if (UF_CALL(UF_UGFONT_add_font(fte, &index, font_name ? name.data() : nullptr)) != 0) return 0;
    int mpi[100];
    double mpr[70];
    char radius[27], diameter[27];
    if (UF_CALL(UF_DRF_ask_preferences(mpi, mpr, radius, diameter)) != 0) return 0;
    mpi[88] = index;  // the font of notes and other drafting aids
    if (UF_CALL(UF_DRF_set_preferences(mpi, mpr, radius, diameter)) != 0) return 0;
    UF_DRF_lettering_preferences_t lettering;
    if (UF_CALL(UF_DRF_ask_lettering_preferences(&lettering)) != 0) return 0;
    lettering.general_text.cfw.font = index;
    return UF_CALL(UF_DRF_set_lettering_preferences(&lettering)) == 0 ? 1 : 0;
}
