// Check blocks around the electrodes.
#include "torvane/setup/check_blocks.h"

#include <cmath>
#include <new>
#include <vector>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/state/dlg_state.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_part.h"

check_block *static_check_block_list = nullptr;

namespace {

// Which offset goes along world x, y and z (24, 25, 26 for REAL_24 ...), by MCS classes.
const struct {
    int classes[4];
    int along[3];
} MARGIN_AXES[] = {
    {{101, 103, 201, 203}, {24, 25, 26}}, {{102, 104, 202, 204}, {25, 24, 26}},
    {{301, 303, 401, 403}, {24, 26, 25}}, {{302, 304, 402, 404}, {25, 26, 24}},
    {{501, 503, 601, 603}, {26, 25, 24}}, {{502, 504, 602, 604}, {26, 24, 25}},
};

struct solid_box {
    tag_t body;
    double box_min[3], box_max[3];
};

int show_message(const char *tag) { return show_catalogue_text(MY_FUNC_CAM_LANG_FORMAT, tag); }

// Six-faced solid bodies of the part with their boxes; 0 when a box could not be had.
int six_faced_solids(tag_t part, std::vector<solid_box> *found) {
    tag_t body = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_objs_in_part(part, UF_solid_type, &body)) == 0 && body != NULL_TAG) {
        int type = 0, subtype = -1, body_type = 0;
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(body, &type, &subtype)) != 0 || subtype != UF_solid_body_subtype) continue;
        if (UF_CALL(UF_MODL_ask_body_type(body, &body_type)) != 0 || body_type != UF_MODL_SOLID_BODY) continue;
        std::vector<tag_t> faces;
        if (!MY_ask_body_faces(body, &faces) || faces.size() != 6) continue;
        solid_box candidate = {body, {0, 0, 0}, {0, 0, 0}};
        if (!MY_solid_box_edge(body, candidate.box_min, candidate.box_max)) return 0;
        found->push_back(candidate);
    }
    return 1;
}

tag_t matching_block(const std::vector<solid_box> &solids, const double box_min[3], const double box_max[3]) {
    for (const solid_box &s : solids) {
        bool same = true;
        for (int k = 0; k < 3; ++k)
            same = same && MY_equal_tol(s.box_min[k], box_min[k], CHECK_BLOCK_MATCH) &&
                   MY_equal_tol(s.box_max[k], box_max[k], CHECK_BLOCK_MATCH);
        if (same) return s.body;
    }
    return NULL_TAG;
}

// A new blanked block between the corners on the check block layer; NULL_TAG after a message.
tag_t new_block(const double box_min[3], const double box_max[3]) {
    tag_t block = NULL_TAG;
    if (!MY_create_box(&block, box_min, box_max)) return NULL_TAG;
    int layer = static_dlg_state.int_34;
    if (layer <= 0 || layer > 256) {
        show_message("create_check_bloc_02:");
        layer = CHECK_BLOCK_DEFAULT_LAYER;
    }
    UF_CALL(UF_OBJ_set_layer(block, layer));
    UF_CALL(UF_OBJ_set_blank_status(block, UF_OBJ_BLANKED));
    return block;
}

}  // namespace

int check_block_margins(int mcs_class, double real_24, double real_25, double real_26, double margin[3]) {
    for (const auto &row : MARGIN_AXES)
        for (int c : row.classes)
            if (c == mcs_class) {
                for (int k = 0; k < 3; ++k) margin[k] = row.along[k] == 24 ? real_24 : row.along[k] == 25 ? real_25 : real_26;
                return 1;
            }
    return 0;
}

int create_check_block(int mcs_class, check_block **list_p) {
    const tag_t part = UF_PART_ask_display_part();
    if (part == NULL_TAG) {
        show_message("create_check_bloc_01:");
        return 0;
    }
    double margin[3];
    if (!check_block_margins(mcs_class, static_dlg_state.real_24, static_dlg_state.real_25, static_dlg_state.real_26,
                             margin))
        return 0;
    std::vector<solid_box> solids;
    if (!six_faced_solids(part, &solids)) return 0;
    check_block *list = nullptr, **tail = &list;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p) {
        double box_min[3], box_max[3];
        for (int k = 0; k < 3; ++k) {
            box_min[k] = record->elec_box_min[k] - margin[k];
            box_max[k] = record->elec_box_max[k] + margin[k];
        }
        tag_t block = matching_block(solids, box_min, box_max);
        if (block == NULL_TAG) block = new_block(box_min, box_max);
        check_block *node = block != NULL_TAG ? new (std::nothrow) check_block : nullptr;
        if (!node) {
            if (block != NULL_TAG) show_message("create_check_bloc_03:");
            free_check_block_list(&list);
            return 0;
        }
        node->elec_tag = record->elec_tag;
        node->block_tag = block;
        *tail = node;
        tail = &node->next_p;
    }
    free_check_block_list(list_p);
    *list_p = list;
    return 1;
}

void free_check_block_list(check_block **list_p) { MY_free_list(list_p); }
