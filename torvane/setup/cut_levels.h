// The bottom cut level of cavity and Z-level operations at the depth an electrode needs: the top
// of all electrodes, the EDM face plus a margin, a picked point, or the bottom moved by a signed
// distance. Heights are along the MCS Z axis of the workpiece (class of the MCS: mcs_class.h).
//
// Each member loads the operation's levels and moves the first level below the target height up
// to it, deleting the levels below; a target below the lowest level moves that level down to it;
// a target above every level changes nothing. The edited level's depth per cut is the
// operation's global depth per cut less 0.001. 1 when done (or nothing to do), 0 after a message.
#ifndef TORVANE_CUT_LEVELS_H_INCLUDED
#define TORVANE_CUT_LEVELS_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"

#define EDM_DEPTH_MARGIN 0.1          // least distance kept above an EDM face
#define CUT_DEPTH_CLEARANCE 0.001     // added to depths so that a level never lies on a face
#define DEFAULT_GLOBAL_CUT_DEPTH 0.5  // when the operation's global depth per cut cannot be read
#define EDM_HEIGHTS_AGREE 0.005       // EDM faces within this of each other lie at one height

// The bottom level moved to height z.
int set_cut_depth_to_z(tag_t oper_tag, double z);

// The bottom level moved by a signed distance (below 0 deepens).
int set_cut_depth(tag_t oper_tag, double distance);

// The bottom level at the top of all electrodes (static_elec_box_min/max) plus distance, or at
// the top of the given box plus distance.
int set_cut_depth_cav_top(tag_t oper_tag, double distance, tag_t workpiece_tag);
int set_cut_depth_cav_top_bot(tag_t oper_tag, double distance, tag_t workpiece_tag, const double box_min[3],
                              const double box_max[3]);

// The bottom level at the height of a picked point.
int set_cut_depth_value(tag_t oper_tag, const double point[3], tag_t workpiece_tag);

// The bottom level at the electrode's EDM face plus the EDM margin of the operation (nothing for
// an electrode whose whole body is worked), or at the lowest such height over the list.
int set_cut_depth_edm(tag_t oper_tag, tag_t workpiece_tag, const elec_cam_data *record);
int set_cut_max_depth_edm(tag_t oper_tag, tag_t workpiece_tag, const elec_cam_data *list);

// The margin an operation keeps above an EDM face: its part stock (or its floor stock when the
// floor does not follow the part stock), at least EDM_DEPTH_MARGIN, plus CUT_DEPTH_CLEARANCE.
double edm_depth_margin(tag_t oper_tag);

// For Z-level operations by face angle: when every electrode faces the MCS, works on its own faces
// and has its EDM face at one height, a bottom level below that height + EDM_DEPTH_MARGIN is
// raised to it and the listing window says so. 1, or 0 after a message (no electrode, no level).
int check_elec_edm_z_depth(tag_t oper_tag, int mcs_class);

// Where an operation's bottom cut level goes after its stocks when it has no picked depth point.
enum depth_rule {
    DEPTH_NONE,           // no cut levels to set
    DEPTH_POINT_ONLY,     // only a picked depth point
    DEPTH_CAV_TOP,        // top of all electrodes plus the stock
    DEPTH_CAV_TOP_BOX,    // top of the operation's electrodes plus the stock
    DEPTH_EDM,            // the electrode's EDM face plus the margin, when it faces the MCS
    DEPTH_MAX_EDM,        // the deepest EDM face plus the margin
    DEPTH_CUTTER_RADIUS   // the bottom lowered by the cutter's corner radius
};

// What a depth rule needs besides the operation: its workpiece (null: static_work_piece_tag), the
// picked point (null for none), the distance its stock keeps above the electrodes, the box of its
// electrodes (DEPTH_CAV_TOP_BOX), its electrode's record (DEPTH_EDM) and the MCS class.
struct depth_site {
    tag_t work_piece_tag = NULL_TAG;
    const plan_point *level_point = nullptr;
    double stock_distance = 0.0;
    const double *box_min = nullptr;
    const double *box_max = nullptr;
    const elec_cam_data *record = nullptr;
    int mcs_class = 0;
};

// The picked point when there is one (for every rule but DEPTH_NONE), else the rule. 1, or 0
// after a message (DEPTH_EDM without a record shows "reset_oper_stock_and_cut_dept_03:").
int set_cut_depth_by_rule(tag_t oper_tag, depth_rule rule, const depth_site &site);

// The "-Z" mark of an operation name: set_cut_depth by its number. 1 when the name has none.
int apply_depth_name_mark(tag_t oper_tag, const char *name);

#endif
