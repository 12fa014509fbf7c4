// The sequence every operation builder follows: one planned operation of a template becomes an
// NX operation with its cutter and reference cutter, cut area, stocks, cut levels and start
// points, recorded in its plan node and queued for generation. A builder family describes only
// what its members do differently (an oper_build_member) and calls build_planned_oper, once for
// all electrodes or once per electrode (build_per_electrode).
#ifndef TORVANE_OPER_BUILD_H_INCLUDED
#define TORVANE_OPER_BUILD_H_INCLUDED

#include "my_func_cam/elec_analysis.h"
#include "torvane/setup/cut_levels.h"
#include "torvane/setup/start_points.h"
#include "torvane/setup/stock.h"
#include "torvane/state/plan.h"
#include "uf_defs.h"
#include "uf_modl_types.h"

struct oper_build_site;

// What a member of a builder family does differently from the common sequence.
struct oper_build_member {
    const char *message_prefix;  // its message tags are prefix + "_NN:" ("CAV_ED" -> "CAV_ED_01:")
    const char *alloc_message;   // suffix of the message of an electrode array that was not allocated
    bool needs_mcs_class;        // "_01:" without an MCS object, "_02:" for an MCS that is not axis-aligned
    stock_z_offset z_offset;     // where a negative stock goes (Z_OFFSET_CAVITY for the from-top members)
    depth_rule depth;            // bottom cut level when the node holds no level point
    bool own_start_points_only;  // no front or side points when the node holds none of its own
    // Gives the cut area; null: the node's chosen faces. 1, or 0 to stop.
    int (*cut_area)(tag_t oper_tag, oper_build_site &site);
    // Runs after the cut levels and the "-Z" mark; null: nothing. 1, or 0 to stop before the
    // operation is recorded in the node.
    int (*after_cut_levels)(tag_t oper_tag, oper_build_site &site);
};

// One call of a builder: the arguments the driver hands every builder, and what a member adds.
struct oper_build_site {
    prog_group *group = nullptr;    // its obj_tag is the program group the operation goes into
    oper *node = nullptr;           // the planned operation being built
    int rmf_kind = RMF_OTHER;       // of the top node: selects the spark gap of the class stock
    tag_t work_piece_tag = NULL_TAG;
    from_side_start_point *start_points = nullptr;
    uf_list_p_t calc_oper_list = nullptr;
    int dialog_id = 0;              // 0 when the builder adds no list lines
    const tag_t *faces = nullptr;   // the driver's face list, for the members built on one
    int face_count = 0;
    int mcs_class = 0;              // asked for the members that need it
    const elec_cam_data *record = nullptr;  // the electrode of a per-electrode member
};

// The faces the user chose for the node become the operation's cut area and the node's array is
// used up. 0 when the node holds none.
int append_node_cut_faces(tag_t oper_tag, oper *node);

// Shows the member's message of that suffix ("01" ...); 0.
int show_member_message(const oper_build_member &member, const char *suffix);

// Steps common to the start of every member: the out tag cleared, and for the members that need
// it the MCS class asked into site.mcs_class. 1, or 0 after the member's message.
int begin_oper_build(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag);

// The whole sequence for site.node, made for count electrodes (their bodies in elec_tags). 1
// with *oper_tag, or 0 (a message may have been shown); objects made before a failure stay.
int build_planned_oper(const oper_build_member &member, oper_build_site &site, const tag_t *elec_tags, int count,
                       tag_t *oper_tag);

// One operation per electrode of elec_cam_data_list: the planned node for the first, a copy of it
// (shown in the dialog list when its group is expanded) for each further one, each with its own
// workpiece when more than one electrode is selected. The out tag stays 0. 1, or 0 when a step
// failed (what was made for earlier electrodes stays).
int build_per_electrode(const oper_build_member &member, oper_build_site &site, tag_t *oper_tag);

#endif
