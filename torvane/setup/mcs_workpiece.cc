// The MCS, workpiece and face sets that every operation builder works with.
#include "torvane/setup/mcs_workpiece.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "my_func/nx_memory.h"
#include "my_func_cam/mcs_frame.h"
#include "my_func_cam/workpiece.h"
#include "torvane/setup/check_blocks.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_camgeom.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"

tag_t static_mcs_tag = NULL_TAG;
tag_t static_work_piece_tag = NULL_TAG;
elec_cam_data *elec_cam_data_list = nullptr;
double static_elec_box_min[3] = {0.0, 0.0, 0.0};
double static_elec_box_max[3] = {0.0, 0.0, 0.0};
face_sets *static_face_sets = nullptr;

namespace {

const workpiece_messages SINGLE_WORKPIECE_MESSAGES = {
    TORVANE_LANG_FORMAT, "create_single_solid_workpiece_add_check_geo_01:",
    "create_single_solid_workpiece_add_check_geo_02:", "create_single_solid_workpiece_add_check_geo_03:"};

int show_message(const char *tag) { return show_catalogue_text(TORVANE_LANG_FORMAT, tag); }

// A record of one electrode by the analysis the settings choose; nullptr when it failed (the
// analysis has said why).
elec_cam_data *analysed(tag_t electrode) {
    auto *record = new (std::nothrow) elec_cam_data;
    if (!record) return nullptr;
    int done = 0;
    if (static_dlg_state.radio_1 == 0)
        for (int mode = ELEC_MODE_EDGE; !done && mode <= ELEC_MODE_ISO; ++mode) done = analy_elec_data_cam(electrode, record, mode);
    else
        done = analy_elec_data_cam_simple(electrode, record);
    if (done) return record;
    delete record;
    return nullptr;
}

// "Analysing electrode 3 of 200: EL-003" on the status line.
void show_progress(const std::string &text, int i, tag_t electrode) {
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    // An unnamed electrode is no failure: its line just shows no name.
    if (UF_OBJ_ask_name(electrode, name) != 0) name[0] = '\0';
    char line[MY_MESSAGE_BUFSIZE + UF_OBJ_NAME_BUFSIZE + 32];
    std::snprintf(line, sizeof line, "%s %d / %d%s%s", text.c_str(), i + 1, static_elec_count, name[0] ? ": " : "", name);
    UF_UI_set_status(line);
}

// The analysis list of the turn's electrodes with its union box; it is kept only when every
// electrode could be analysed, so that a later call analyses them all again.
int analyse_electrodes(void) {
    std::string progress[1];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"analyse_electrode_01:"}, progress)) return 0;
    elec_cam_data *list = nullptr, **tail = &list;
    for (int i = 0; i < static_elec_count; ++i) {
        show_progress(progress[0], i, static_elec_tags[i]);
        elec_cam_data *record = analysed(static_elec_tags[i]);
        if (!record) {
            MY_free_list(&list);
            return 0;
        }
        *tail = record;
        tail = &record->next_p;
    }
    elec_cam_data_list = list;
    elec_list_box(list, static_elec_box_min, static_elec_box_max);
    return 1;
}

// Forgets a group that is no longer in the part (the user deleted it, or its MCS).
void forget_if_deleted(tag_t *group) {
    if (*group != NULL_TAG && UF_OBJ_ask_status(*group) != UF_OBJ_ALIVE) *group = NULL_TAG;
}

int make_mcs_and_workpiece(void) {
    forget_if_deleted(&static_mcs_tag);
    forget_if_deleted(&static_work_piece_tag);
    if (static_mcs_tag == NULL_TAG && !create_camgeom_mcs_add_clear_plane(elec_cam_data_list, &static_mcs_tag,
                                                                          static_dlg_state.radio_2,
                                                                          static_dlg_state.radio_3, static_dlg_state.real_23))
        return 0;
    if (static_work_piece_tag == NULL_TAG && !MY_create_workpiece(elec_cam_data_list, &static_work_piece_tag, static_mcs_tag))
        return 0;
    double offsets[6] = {static_dlg_state.real_24, static_dlg_state.real_24, static_dlg_state.real_25,
                         static_dlg_state.real_25, static_dlg_state.real_26, 0.0};
    UF_CALL(UF_CAM_set_auto_blank(static_work_piece_tag, UF_CAM_auto_block_type, offsets));
    return 1;
}

// The faces an electrode's operations work on: all faces of its body, or its working faces.
int electrode_faces(const elec_cam_data *record, std::vector<tag_t> *faces) {
    if (record->use_whole_body) return MY_ask_body_faces(record->elec_tag, faces);
    faces->assign(record->elec_body_face_p, record->elec_body_face_p + record->elec_body_face_count);
    return 1;
}

// The face sets of all electrodes for an MCS of mcs_class; nullptr after a message.
face_sets *sorted_faces(int mcs_class) {
    face_sets *all = new (std::nothrow) face_sets;
    if (!all) {
        show_message("create_static_mcs_and_workpiec_01:");
        return nullptr;
    }
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        std::vector<tag_t> faces;
        face_sets one;
        electrode_faces(record, &faces);
        if (!MY_sort_faces_by_angle(static_cast<int>(faces.size()), faces.data(), mcs_class, &one)) {
            show_message(record->use_whole_body ? "create_static_mcs_and_workpiec_03:" : "create_static_mcs_and_workpiec_04:");
            delete all;
            return nullptr;
        }
        if (!append_face_sets(all, &one)) {
            delete all;
            return nullptr;
        }
    }
    return all;
}

}  // namespace

int create_static_mcs_and_workpiece(int dialog_id) {
    if (dialog_id != 0) store_dlg_state(dialog_id);
    return create_mcs_and_workpiece();
}

int create_mcs_and_workpiece(void) {
    if (!elec_cam_data_list && static_elec_count <= 0) {
        show_message("create_static_mcs_and_workpiec_05:");
        return 0;
    }
    if (!elec_cam_data_list && !analyse_electrodes()) return 0;
    if (!make_mcs_and_workpiece()) return 0;
    delete static_face_sets;
    static_face_sets = nullptr;
    const int mcs_class = ask_workpiece_mcs_class(static_work_piece_tag);
    if (mcs_class == 0) {
        show_message("create_static_mcs_and_workpiec_02:");
        return 0;
    }
    static_face_sets = sorted_faces(mcs_class);
    return static_face_sets != nullptr;
}

int ask_workpiece_mcs_class(tag_t workpiece_tag) {
    tag_t csys = NULL_TAG;
    if (workpiece_tag == NULL_TAG || UF_CALL(UF_PARAM_ask_tag_value(workpiece_tag, UF_PARAM_MCS, &csys)) != 0 ||
        csys == NULL_TAG)
        return 0;
    return ask_mcs_class(csys);
}

elec_cam_data *find_elec_cam_data(tag_t elec_tag) {
    for (elec_cam_data *record = elec_cam_data_list; record; record = record->next_p)
        if (record->elec_tag == elec_tag) return record;
    return nullptr;
}

int create_single_solid_workpiece_add_check_geom(tag_t elec_tag, tag_t *workpiece_tag, tag_t mcs_tag, int mcs_class) {
    tag_t workpiece = NULL_TAG;
    if (!create_workpiece_of_bodies(1, &elec_tag, mcs_tag, &SINGLE_WORKPIECE_MESSAGES, &workpiece)) return 0;
    if (!static_check_block_list && !create_check_block(mcs_class, &static_check_block_list)) {
        show_message("create_single_solid_workpiece_add_check_geo_04:");
        return 0;
    }
    int others = 0;
    for (const elec_cam_data *r = elec_cam_data_list; r; r = r->next_p) ++others;
    nx_array<tag_t> blocks;
    if (!blocks.allocate(others - 1)) {
        show_message("create_single_solid_workpiece_add_check_geo_05:");
        return 0;
    }
    int count = 0;
    for (const check_block *node = static_check_block_list; node && count < others - 1; node = node->next_p)
        if (node->elec_tag != elec_tag) blocks[count++] = node->block_tag;
    if (!append_items_with_app_data(workpiece, UF_CAM_check, count, blocks.get())) {
        show_message("create_single_solid_workpiece_add_check_geo_06:");
        return 0;
    }
    UF_CALL(UF_UI_ONT_refresh());
    *workpiece_tag = workpiece;
    return 1;
}

void reset_mcs_and_workpiece(void) {
    static_mcs_tag = NULL_TAG;
    static_work_piece_tag = NULL_TAG;
    MY_free_list(&elec_cam_data_list);
    for (int k = 0; k < 3; ++k) static_elec_box_min[k] = static_elec_box_max[k] = 0.0;
    delete static_face_sets;
    static_face_sets = nullptr;
    free_check_block_list(&static_check_block_list);
}
