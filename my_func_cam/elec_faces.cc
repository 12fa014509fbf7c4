// The faces an electrode's designer marked, its direction codes, and the exact far side.
#include "my_func_cam/elec_analysis.h"

#include <vector>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_modl.h"
#include "uf_ui.h"

namespace {

// "查询最小的距离错误!" in code page 936.
const char DISTANCE_FAILED_TEXT[] = "\xb2\xe9\xd1\xaf\xd7\xee\xd0\xa1\xb5\xc4\xbe\xe0\xc0\xeb\xb4\xed\xce\xf3!";

// Where the working end of each code lies: the axis (0 x, 1 y, 2 z) and whether toward its
// maximum.
struct working_side {
    int code;
    int axis;
    bool toward_max;
};
const working_side WORKING_SIDES[] = {{1, 2, false}, {-1, 2, true}, {2, 1, true},
                                      {-2, 1, false}, {3, 0, false}, {-3, 0, true}};

// 1 when face carries an attribute of that type and title.
int has_mark(tag_t face, int type, const char *title) {
    char title_text[UF_ATTR_MAX_TITLE_BUFSIZE];
    MY_copy_cut(title_text, sizeof title_text, title);
    int found_type = 0;
    return UF_CALL(UF_ATTR_find_attribute(face, type, title_text, &found_type)) == 0 && found_type != 0;
}

// The faces of body carrying the mark.
std::vector<tag_t> marked_faces(tag_t body, int type, const char *title, bool first_only) {
    std::vector<tag_t> faces, marked;
    MY_ask_body_faces(body, &faces);  // a refusal is reported; go on with what there is
    for (tag_t face : faces) {
        if (!has_mark(face, type, title)) continue;
        marked.push_back(face);
        if (first_only) break;
    }
    return marked;
}

// Classifies d: the first axis of `order` whose component reaches 0.5 in size gives its code.
int classify(const double d[3], const int order[3]) {
    // Code of each axis for a component of at least +0.5; the opposite code for -0.5 or less.
    static const int POSITIVE_CODE[3] = {3, -2, 1};
    for (int k = 0; k < 3; ++k) {
        const int axis = order[k];
        if (d[axis] >= 0.5) return POSITIVE_CODE[axis];
        if (d[axis] <= -0.5) return -POSITIVE_CODE[axis];
    }
    return 1;
}

}  // namespace

int elec_direction_zyx(const double d[3]) {
    static const int ORDER[3] = {2, 1, 0};
    return classify(d, ORDER);
}

int elec_direction_zxy(const double d[3]) {
    static const int ORDER[3] = {2, 0, 1};
    return classify(d, ORDER);
}

int MY_ask_elec_base_faces(tag_t elec_tag, tag_t *base_edm_face, tag_t *base_bottom_face, int *code) {
    const std::vector<tag_t> edm = marked_faces(elec_tag, UF_ATTR_string, "ELEC_BASE_EDM_FACE", false);
    const std::vector<tag_t> bottom = marked_faces(elec_tag, UF_ATTR_string, "ELEC_BASE_BOTTOM_FACE", false);
    *base_edm_face = edm.size() == 1 ? edm.front() : NULL_TAG;
    *base_bottom_face = bottom.size() == 1 ? bottom.front() : NULL_TAG;
    if (*base_bottom_face == NULL_TAG) return 0;
    double normal[3];
    if (!MY_face_center_normal(*base_bottom_face, normal)) return 0;
    *code = elec_direction_zyx(normal);
    return *base_edm_face != NULL_TAG;
}

int MY_ask_elec_edm_dir(tag_t elec_tag, tag_t *face, int *code, double center[3]) {
    const std::vector<tag_t> marked = marked_faces(elec_tag, UF_ATTR_integer, "ELEC_EDM_DIR_FACE", true);
    if (marked.empty()) return 0;
    int type = 0, norm_dir = 0;
    double point[3], dir[3], box[6], radius = 0.0, rad_data = 0.0;
    if (UF_CALL(UF_MODL_ask_face_data(marked.front(), &type, point, dir, box, &radius, &rad_data, &norm_dir)) != 0)
        return 0;
    double box_min[3], box_max[3];
    if (!MY_face_box_dist_method(marked.front(), box_min, box_max)) return 0;
    *face = marked.front();
    *code = elec_direction_zxy(dir);
    for (int i = 0; i < 3; ++i) center[i] = (box_min[i] + box_max[i]) / 2;
    return 1;
}

int elec_working_side(int code, int *axis, int *toward_max) {
    for (const working_side &side : WORKING_SIDES) {
        if (side.code != code) continue;
        *axis = side.axis;
        *toward_max = side.toward_max;
        return 1;
    }
    return 0;
}

int MY_set_elec_box_far_side(tag_t elec_tag, int code, double box_min[3], double box_max[3]) {
    int axis = 0, toward_max = 0;
    if (!elec_working_side(code, &axis, &toward_max)) return 0;
    double &bound = toward_max ? box_max[axis] : box_min[axis];
    const double plane = toward_max ? bound + MY_DIST_PLANE_OFFSET : bound - MY_DIST_PLANE_OFFSET;
    if (MY_extreme_by_distance(elec_tag, axis, !toward_max, plane, &bound)) return 1;
    uc1601(DISTANCE_FAILED_TEXT, 1);
    return 0;
}
