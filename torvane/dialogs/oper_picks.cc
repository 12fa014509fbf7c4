// Faces and points picked for the selected operations.
#include "torvane/dialogs/oper_picks.h"

#include <cstring>
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "my_func/nx_memory.h"
#include "my_func_cam/workpiece.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/messages.h"
#include "uf.h"
#include "uf_camgeom.h"
#include "uf_object_types.h"
#include "uf_ui.h"

namespace {

const int POINT_PICKED = 5;  // uc1616's answer for a point

// Frees a selection list on every path.
struct sel_oper_list {
    sel_oper *head = nullptr;
    ~sel_oper_list() { free_sel_oper_list(&head); }
};

int said(const char *tag) {
    show_torvane_message(tag);
    return 0;
}

// One point from NX's point dialog with the text of tag as its cue; 0 unless a point was given.
int pick_point(const std::string &cue, double point[3]) {
    int mode[2] = {0, 0};
    return uc1616(cue.c_str(), mode, 0, point) == POINT_PICKED;
}

void free_level_point(oper *node) {
    delete node->level_point_p;
    node->level_point_p = nullptr;
}

// ---- cut faces ------------------------------------------------------------------------------

// The existing operation's cut area becomes the faces.
void replace_cut_area(tag_t oper_tag, int count, tag_t *faces) {
    int items_count = 0;
    UF_CAMGEOM_item_t *items = nullptr;
    if (UF_CALL(UF_CAMGEOM_ask_items(oper_tag, UF_CAM_cut_area, &items_count, &items)) == 0) {
        for (int i = 0; i < items_count; ++i) UF_CALL(UF_CAMGEOM_delete_item(oper_tag, UF_CAM_cut_area, items[i]));
        if (items) UF_free(items);
    }
    append_items_with_app_data(oper_tag, UF_CAM_cut_area, count, faces);
}

int pick_cut_faces(const sel_oper *selected) {
    std::string prompt;
    if (!torvane_text("QZ_CAM_sel_cam_face_c_01:", &prompt)) return 0;
    tag_t *faces = nullptr;
    int count = 0;
    if (!MY_select_faces(&faces, &count, prompt.c_str()) || count <= 0) {
        if (faces) UF_free(faces);
        return 0;
    }
    int done = 1;
    for (const sel_oper *s = selected; s && done; s = s->next_p) {
        oper *node = s->oper_p;
        if (node->obj_tag != NULL_TAG) {
            replace_cut_area(node->obj_tag, count, faces);
            node->need_generate = 1;
            continue;
        }
        nx_array<tag_t> copy;
        if (!copy.allocate(count)) {
            done = said("QZ_CAM_sel_cam_face_c_02:");
            break;
        }
        std::memcpy(copy.get(), faces, static_cast<std::size_t>(count) * sizeof(tag_t));
        if (node->cut_face_p) UF_free(node->cut_face_p);
        node->cut_face_count = count;
        node->cut_face_p = copy.release();
    }
    UF_free(faces);
    return done;
}

// ---- start points ---------------------------------------------------------------------------

// Up to MAX_PICKED_POINTS points; the first must be given, a later cancel ends the picking.
int pick_points(std::vector<plan_point> *points) {
    std::string cue;
    if (!torvane_text("QZ_CAM_sel_cam_face_c_06:", &cue)) return 0;
    double p[3];
    while (points->size() < MAX_PICKED_POINTS && pick_point(cue, p)) points->push_back({p[0], p[1], p[2], nullptr});
    return points->empty() ? 0 : 1;
}

// The points as custom point records (NX memory, released with the holder).
struct custom_records {
    std::vector<UF_CAMGEOM_custom_point_p_t> records;
    ~custom_records() {
        for (UF_CAMGEOM_custom_point_p_t r : records) UF_free(r);
    }
};

int make_records(const std::vector<plan_point> &points, custom_records *out) {
    for (const plan_point &p : points) {
        int error = 0;
        auto *record = static_cast<UF_CAMGEOM_custom_point_p_t>(UF_allocate_memory(sizeof(UF_CAMGEOM_custom_point_t), &error));
        if (error != 0 || !record) return said("QZ_CAM_sel_cam_face_c_07:");
        std::memset(record, 0, sizeof *record);
        record->point_acs[0] = p.x;
        record->point_acs[1] = p.y;
        record->point_acs[2] = p.z;
        out->records.push_back(record);
    }
    return 1;
}

int pick_start_points(const sel_oper *selected) {
    std::vector<plan_point> points;
    if (!pick_points(&points)) return 0;
    for (const sel_oper *s = selected; s; s = s->next_p) {
        oper *node = s->oper_p;
        MY_free_list(&node->start_point_list_p);
        if (node->obj_tag == NULL_TAG) {
            for (const plan_point &p : points) {
                const double at[3] = {p.x, p.y, p.z};
                append_start_point(node, at);
            }
            continue;
        }
        custom_records records;
        if (!make_records(points, &records)) return 0;
        if (!custom_point_release()) continue;
        UF_CALL(UF_CAMGEOM_delete_custom_points(node->obj_tag, UF_CAMGEOM_cut_region_start_type));
        UF_CALL(UF_CAMGEOM_append_custom_points(node->obj_tag, UF_CAMGEOM_cut_region_start_type,
                                                static_cast<int>(records.records.size()), records.records.data()));
        node->need_generate = 1;
    }
    return 1;
}

// ---- level point ----------------------------------------------------------------------------

bool has_cut_levels(int subtype) {
    return subtype == UF_mach_cavity_milling_subtype || subtype == UF_mach_zlevel_milling_subtype ||
           subtype == UF_mach_plunge_milling_subtype;
}

int pick_level_point(const sel_oper *selected) {
    std::string cue;
    double p[3];
    if (!torvane_text("QZ_CAM_sel_cam_face_c_08:", &cue) || !pick_point(cue, p)) return 0;
    for (const sel_oper *s = selected; s; s = s->next_p) {
        oper *node = s->oper_p;
        free_level_point(node);
        if (node->obj_tag == NULL_TAG) {
            node->level_point_p = new plan_point{p[0], p[1], p[2], nullptr};
        } else if (has_cut_levels(node->subtype)) {
            set_cut_depth_value(node->obj_tag, p, static_work_piece_tag);
            apply_depth_name_mark(node->obj_tag, node->name);
            node->need_generate = 1;
        }
    }
    return 1;
}

}  // namespace

int run_pick_action(int dialog_id, int action) {
    store_dlg_state(dialog_id);
    sel_oper_list selected;
    if (!create_static_mcs_and_workpiece(dialog_id) || !get_dlg_list_sel_oper(dialog_id, &selected.head)) return 0;
    switch (action) {
    case PICK_CUT_FACES: return pick_cut_faces(selected.head);
    case PICK_START_POINTS: return pick_start_points(selected.head);
    case PICK_LEVEL_POINT: return pick_level_point(selected.head);
    default: return 0;
    }
}
