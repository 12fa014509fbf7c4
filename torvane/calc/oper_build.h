// The sequence every operation builder follows: one planned operation of a template becomes an
// NX operation with its cutter, geometry, stocks, cut levels and start points, recorded in its
// plan node and queued for generation. A builder family describes only what its members do
// differently (an oper_build_member: a row of properties and a few hooks) and calls
// build_planned_oper once for all electrodes, or build_per_electrode once per electrode.
//
// The sequence: cutter; the electrode's own workpiece (members that make one); the operation
// copied from its template and recorded in the node at once, so that no later failure leaves an
// operation the plan does not know; reference cutter; geometry; stocks; cutting data (early
// members); cut levels; the member's last step; start points; electrodes recorded; cutting data
// (the other members); queued for generation; navigator refreshed.
#ifndef TORVANE_OPER_BUILD_H_INCLUDED
#define TORVANE_OPER_BUILD_H_INCLUDED

#include <memory>

#include "my_func_cam/elec_analysis.h"
#include "torvane/plan/prog_group.h"
#include "torvane/setup/boundaries.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/setup/start_points.h"
#include "torvane/setup/stock.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"

struct oper_build_site;

// What a member's step gives back: stop the builder, go on, or leave the operation as it stands
// and go on with the next electrode.
enum { STEP_STOP = 0, STEP_GO_ON = 1, STEP_SKIP_REST = -1 };

// Which start points a new operation gets.
enum start_point_policy {
    START_POINTS_NONE,     // none
    START_POINTS_OWN,      // only the node's own picks
    START_POINTS_OWN_NX4,  // only the node's own picks, and only under NX 4 (custom points)
    START_POINTS_ALL       // the node's own, else the side points for "-P", else the front points
};

// Which electrodes the node records for its operation.
enum oper_electrodes {
    ELECTRODES_ALL,  // every selected electrode
    ELECTRODES_ONE,  // the electrode of a per-electrode member
    ELECTRODES_NONE
};

// How the "-S" mark and the class stock become the operation's stocks (stock.h).
struct oper_stock_rule {
    bool set = false;  // false: the template's stocks stay
    stock_floor floor = STOCK_FLOOR_AS_PART;
    stock_z_offset z_offset = Z_OFFSET_NONE;
    stock_depth_mark depth_mark = DEPTH_MARK_IGNORED;
};

// What a member of a builder family does differently from the common sequence.
struct oper_build_member {
    const char *message_prefix = "";  // its message tags are prefix + "_NN:" ("CAV_ED" -> "CAV_ED_01:")
    const char *alloc_message = "";   // suffix of the message of an electrode array that was not allocated
    bool needs_mcs_class = false;     // "_01:" without an MCS object, "_02:" for an MCS that is not axis-aligned
    bool reference_cutter = false;    // the node's reference cutter set, or the template's taken off
    bool electrode_workpiece = false; // per electrode: a workpiece of its own when several are selected
    bool cut_data_early = false;      // cutting data right after the stocks, before the cut levels
    oper_electrodes electrodes = ELECTRODES_ALL;
    oper_stock_rule stock;
    depth_rule depth = DEPTH_NONE;    // bottom cut level when the node holds no level point
    start_point_policy start_points = START_POINTS_NONE;
    // Per electrode: whether a record takes part; null: every record.
    bool (*takes_part)(const elec_cam_data &record, const oper_build_site &site) = nullptr;
    // Per electrode, before the cutter; 1 goes on, 0 stops the builder.
    int (*before_cutter)(oper_build_site &site) = nullptr;
    // The operation's geometry; null: the node's chosen faces as its cut area. A STEP_ value.
    int (*geometry)(tag_t oper_tag, oper_build_site &site) = nullptr;
    // Where a negative stock goes for this call; null: stock.z_offset.
    stock_z_offset (*z_offset_of)(const oper_build_site &site) = nullptr;
    // After the stocks and cut levels; null: nothing. 1, or 0 to stop before the start points.
    int (*last_step)(tag_t oper_tag, oper_build_site &site) = nullptr;
};

// One call of a builder: the arguments the driver hands every builder, and what a member adds.
struct oper_build_site {
    prog_group *group = nullptr;    // its obj_tag is the program group the operation goes into
    oper *node = nullptr;           // the node being built
    const char *marks = nullptr;    // the name whose marks ("-S", "-Z", "-P") apply: the planned node's
    int rmf_kind = RMF_OTHER;       // of the top node: selects the spark gap of the class stock
    tag_t work_piece_tag = NULL_TAG;
    from_side_start_point *start_points = nullptr;
    uf_list_p_t calc_oper_list = nullptr;
    int dialog_id = 0;              // 0 when the builder adds no list lines
    const tag_t *items = nullptr;   // the driver's face list, or the entities a member made (notes, lines)
    int item_count = 0;
    tag_t mcs = NULL_TAG;           // the MCS object, asked with the class for the members that need it
    int mcs_class = 0;
    const elec_cam_data *record = nullptr;  // the electrode of a per-electrode member
    std::shared_ptr<edm_loop_set> loops;    // inner loops a member read before the cutter
};

// A site of the driver's arguments.
oper_build_site oper_site(prog_group *group, oper *node, int rmf_kind, tag_t work_piece_tag,
                          from_side_start_point *start_points, uf_list_p_t calc_oper_list);

// The faces the user chose for the node become the operation's cut area and the node's array is
// used up. 0 when the node holds none.
int append_node_cut_faces(tag_t oper_tag, oper *node);

// The node's own faces when it has some, else the site's items, as the cut area.
int node_or_items_cut_area(tag_t oper_tag, oper_build_site &site);

// Shows the member's message of that suffix ("01" ...); 0.
int show_member_message(const oper_build_member &member, const char *suffix);

// Steps common to the start of every member: the out tag cleared, and for the members that need
// it the MCS class asked into site.mcs_class. 1, or 0 after the member's message.
int begin_oper_build(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag);

// The whole sequence for site.node. 1 with *oper_tag, or 0 (a message may have been shown);
// objects made before a failure stay, and an operation once made stays recorded in the node.
int build_planned_oper(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag);

// begin_oper_build, then build_planned_oper for one operation of every selected electrode.
int build_for_all(const oper_build_member &member, oper_build_site site, tag_t *oper_tag);

// The node of a further operation of a planned one: a copy linked after previous (shown in the
// dialog's list when its group is expanded), with no NX object yet. NULL when memory is short.
oper *further_oper_node(oper_build_site &site, oper *planned, oper *previous, plan_name_set *names = nullptr);

// begin_oper_build, then one operation per record of elec_cam_data_list that takes part: the
// planned node for the first, a further node for each other. The out tag stays 0. 1, or 0 when a
// step failed (what was made for earlier electrodes stays).
int build_per_electrode(const oper_build_member &member, oper_build_site site, tag_t *oper_tag);

#endif
