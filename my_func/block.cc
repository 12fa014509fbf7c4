// An axis-aligned block solid between two corners.
#include <cstdio>

#include "my_func/geometry.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_modl.h"
#include "uf_ui.h"

namespace {

const double ABSOLUTE_AXES[9] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

// A temporary coordinate system at the origin of the WCS with the absolute axes becomes the
// WCS; 0 when NX refused a step (the WCS is then unchanged).
int turn_wcs_to_absolute(tag_t wcs) {
    tag_t matrix = NULL_TAG, turned = NULL_TAG;
    double origin[3];
    if (UF_CALL(UF_CSYS_ask_csys_info(wcs, &matrix, origin)) != 0) return 0;
    if (UF_CALL(UF_CSYS_create_matrix(ABSOLUTE_AXES, &matrix)) != 0) return 0;
    if (UF_CALL(UF_CSYS_create_temp_csys(origin, matrix, &turned)) != 0) return 0;
    return UF_CALL(UF_CSYS_set_wcs(turned)) == 0;
}

// The block feature from min with the edge lengths max - min, and its body.
int make_block(const double box_min[3], const double box_max[3], tag_t *body) {
    char lengths[3][MY_NUMBER_TEXT_BUFSIZE];
    char *edge_len[3];
    for (int i = 0; i < 3; ++i) {
        std::snprintf(lengths[i], sizeof lengths[i], "%f", box_max[i] - box_min[i]);
        edge_len[i] = lengths[i];
    }
    double corner[3] = {box_min[0], box_min[1], box_min[2]};
    tag_t feature = NULL_TAG;
    if (UF_CALL(UF_MODL_create_block1(UF_NULLSIGN, corner, edge_len, &feature)) != 0) return 0;
    return UF_CALL(UF_MODL_ask_feat_body(feature, body)) == 0;
}

}  // namespace

int MY_create_box(tag_t *block, const double box_min[3], const double box_max[3]) {
    for (int i = 0; i < 3; ++i) {
        if (!(box_min[i] < box_max[i])) {
            show_catalogue_text(MY_FUNC_LANG_FORMAT, "create_box_01:");
            return 0;
        }
    }
    tag_t wcs = NULL_TAG;
    int made = 0;
    if (UF_CALL(UF_CSYS_ask_wcs(&wcs)) == 0) {
        made = turn_wcs_to_absolute(wcs) && make_block(box_min, box_max, block);
        UF_CALL(UF_CSYS_set_wcs(wcs));
    }
    if (!made) show_catalogue_text(MY_FUNC_LANG_FORMAT, "create_box_02:");
    return made;
}
