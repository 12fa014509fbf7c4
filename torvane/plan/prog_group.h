// Program groups of the plan in the working part, unique names, and operations looked up in the
// plan by name.
#ifndef TORVANE_PROG_GROUP_H_INCLUDED
#define TORVANE_PROG_GROUP_H_INCLUDED

#include <string>
#include <unordered_set>

#include "torvane/state/plan.h"
#include "uf_defs.h"

#define TT_TYPE_NAME "TT"
#define TT_TYPE_PART "D:\\qz_conf\\cam_qz\\TT.prt"
#define TT_PROGRAM_TEMPLATE "PROGRAM"
#define NC_NAME_MAX 30  // names of created NX objects are cut to 30 characters

// Creates a program group named name (cut to 30 characters, made unique among NX's program
// groups and operations) under parent; *group_tag is set as soon as the group exists. The CAM
// session, the type TT and the setup are made sure of first. 1, or 0 after a message (a group
// whose parent is null or refuses it stays, unplaced, in the navigator).
int create_nc_prog_group(const char *name, tag_t *group_tag, tag_t parent);

// A name no node of static_plan_list carries (letter case ignored): name itself, else its base
// and a number (CAV_TOP -> CAV_TOP_1, R1 -> R_2); the eight names with angle digits keep them.
// out holds PLAN_NAME_BUFSIZE bytes.
void get_unique_plan_name(const char *name, char out[PLAN_NAME_BUFSIZE]);

// The plan's names as the rule above compares them, for a caller that names many new nodes in a
// row (one copy per electrode): gathered once, then told of each name it gives.
class plan_name_set {
public:
    plan_name_set();
    void unique(const char *name, char out[PLAN_NAME_BUFSIZE]);  // as get_unique_plan_name; out is then taken
private:
    std::unordered_set<std::string> names_;
};

// The same among NX's program groups and operations of the work part (FIX_0_45 -> FIX_0_46).
void get_unique_nc_name(const char *name, char out[PLAN_NAME_BUFSIZE]);

// The first operation of static_plan_list, in plan order, named name ignoring case, with its
// group and top node. 1 when found; 0 with null outputs otherwise.
int find_oper_in_plan(const char *name, oper **oper_p, prog_group **group_p, r_m_f_or_other **rmf_p);
int find_oper_group_in_plan(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p);

// The CAM session, the configuration types and the setup of the displayed part: the session is
// started when needed (message tag_01 on failure), fewer than one type gives message tag_02, a
// part without setup gets one of type TT, or of the first type when there is no TT. With
// add_tt, TT.prt is added as a type first when missing. 1, or 0 after a message.
int ensure_cam_setup(const char *tag_01, const char *tag_02, int add_tt);

// Whether the session offers a configuration type of exactly that name (call-reporting).
int cam_type_exists(const char *type_name);

// The group of the plan named name, first in tree order, with its class; shows that it is
// missing otherwise.
int with_prog_group_name_ask_prog_group(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p);

#endif
