// Check blocks: a blanked block solid around each electrode, widened by the blank offsets along
// the MCS axes, that the per-electrode workpieces of the other electrodes avoid.
#ifndef TORVANE_CHECK_BLOCKS_H_INCLUDED
#define TORVANE_CHECK_BLOCKS_H_INCLUDED

#include "uf_defs.h"

#define CHECK_BLOCK_DEFAULT_LAYER 230
#define CHECK_BLOCK_MATCH 0.03  // an existing block within this of the widened box is taken

struct check_block {
    tag_t elec_tag = NULL_TAG;
    tag_t block_tag = NULL_TAG;
    check_block *next_p = nullptr;
};

// One node per electrode of elec_cam_data_list, in list order; built on first need, freed with
// the turn.
extern check_block *static_check_block_list;

// Margins along world x, y and z of an MCS of mcs_class: REAL_24 goes along the MCS X axis,
// REAL_25 along its Y axis, REAL_26 along its Z axis. 0 for a class that is no MCS class.
int check_block_margins(int mcs_class, double real_24, double real_25, double real_26, double margin[3]);

// Builds *list_p: for each electrode record, an existing six-faced solid whose box matches the
// electrode's box widened by the margins (static_dlg_state), else a new block on layer INT_34,
// blanked. 1, or 0 (after a message for no displayed part or no memory; silently for a class
// that is no MCS class or a box NX could not measure).
int create_check_block(int mcs_class, check_block **list_p);

void free_check_block_list(check_block **list_p);

#endif
