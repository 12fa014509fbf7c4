// The operation plan: program groups and operations copied from a CAM template, under the
// four machining classes, and the other records of one session (part files, templates,
// electrodes, flags).
//
// Trees are three levels of doubly linked nodes on the heap: r_m_f_or_other (top program
// group, one class) -> prog_group -> oper. Nodes are created with the new_*_node functions
// and released with the free_* functions; node addresses never change, so selection lists
// may point at them. Names are fixed buffers so that their limits hold wherever they go to
// NX or to a file.
#ifndef TORVANE_PLAN_H_INCLUDED
#define TORVANE_PLAN_H_INCLUDED

#include <memory>

#include "my_func_cam/cam_template.h"
#include "uf_defs.h"

#define PLAN_NAME_BUFSIZE 133        // plan names: at most 132 characters
#define PLAN_FILE_BUFSIZE 256        // short file names, labels: at most 255 characters
#define PART_PATH_BUFSIZE 500        // at most 499 characters
#define MAX_START_POINTS 200

// Levels of plan nodes, also the kinds of their lines in the main dialog's list.
#define PLAN_CLASS_LINE 1
#define PLAN_GROUP_LINE 2
#define PLAN_OPER_LINE 3

// Classes of plan nodes.
#define RMF_ROUGH 0
#define RMF_MIDDLE 1
#define RMF_FINISH 2
#define RMF_OTHER 3

struct tool_data;  // cutter record of the tool libraries

// A picked point; start points are chained through next_p.
struct plan_point {
    double x = 0.0, y = 0.0, z = 0.0;
    plan_point *next_p = nullptr;
};

struct oper {
    int rmf_kind = RMF_OTHER;
    int type = 0;
    int subtype = 0;
    char name[PLAN_NAME_BUFSIZE] = "";
    char new_name[PLAN_NAME_BUFSIZE] = "";
    char tool_name[PLAN_NAME_BUFSIZE] = "";  // empty: no cutter, the operation is not created
    char ref_tool_name[PLAN_NAME_BUFSIZE] = "";
    char template_file[PLAN_FILE_BUFSIZE] = "";  // short name of the template part
    int cut_face_count = 0;
    int elec_count = 0;
    tag_t obj_tag = NULL_TAG;
    tag_t *cut_face_p = nullptr;  // NX memory, released with UF_free
    tag_t *elec_tag_p = nullptr;  // NX memory, released with UF_free
    unsigned char need_generate = 0;
    unsigned char has_name_stock = 0;
    double name_stock = 999.0;
    double part_stock = 0.0;
    double floor_stock = 0.0;
    // The node's own cutter records, shared with copies of the node (make them with
    // std::make_shared from a library record; the node never points into a library list).
    std::shared_ptr<tool_data> tool_data_p;
    std::shared_ptr<tool_data> ref_tool_data_p;
    plan_point *level_point_p = nullptr;
    plan_point *start_point_list_p = nullptr;  // at most MAX_START_POINTS
    oper *next_p = nullptr;
    oper *prev_p = nullptr;
};

struct prog_group {
    int rmf_kind = RMF_OTHER;
    char name[PLAN_NAME_BUFSIZE] = "";
    char new_name[PLAN_NAME_BUFSIZE] = "";
    tag_t obj_tag = NULL_TAG;
    unsigned char expanded = 0;
    oper *oper_list_p = nullptr;
    prog_group *next_p = nullptr;
    prog_group *prev_p = nullptr;
};

struct r_m_f_or_other {
    int rmf_kind = RMF_OTHER;
    char name[PLAN_NAME_BUFSIZE] = "";
    char new_name[PLAN_NAME_BUFSIZE] = "";
    tag_t obj_tag = NULL_TAG;
    unsigned char expanded = 0;
    prog_group *prog_group_list_p = nullptr;
    r_m_f_or_other *next_p = nullptr;
    r_m_f_or_other *prev_p = nullptr;
};

// A selected operation; a transient list freed by its builder.
struct sel_oper {
    oper *oper_p = nullptr;
    sel_oper *next_p = nullptr;
};

struct part_file {
    int status = 0;
    char file_name[PLAN_FILE_BUFSIZE] = "";
    char part_path[PART_PATH_BUFSIZE] = "";
    part_file *next_p = nullptr;
};

// ---- session records ------------------------------------------------------------------------

extern r_m_f_or_other *static_plan_list;
extern r_m_f_or_other *static_insert_group_list;
extern r_m_f_or_other *static_insert_oper_list;
extern part_file *static_part_file_list;
extern part_file *static_current_part_file;
extern cam_template *static_template_list;
extern cam_template *static_sel_template_p;  // may be a record outside static_template_list
extern tag_t *static_elec_tags;              // NX memory
extern int static_elec_count;
extern int static_use_all_solids;
extern unsigned char static_edit_current_part;
extern unsigned char static_next_part_pending;
extern unsigned char static_ok_pressed;
extern unsigned char static_post_started;
extern unsigned char static_calc_single;
extern double static_nx_release;

// ---- classes and names --------------------------------------------------------------------

// Class of a top-level group: "R", "M", "F" in either case give 0, 1, 2; anything else 3.
int rmf_kind_of_class_name(const char *name);

// Class of a group or operation by its first mark: "-R"/"-r", else "-M"/"-m", else "-F"/"-f".
int rmf_kind_of_name(const char *name);

// 1 for top-level group names the template scan leaves out (NONE, PROGRAM, BAK, R_BAK,
// M_BAK, F_BAK, in any case), resp. for second-level ones (NONE, R_BAK, M_BAK, F_BAK).
int plan_skips_class_group(const char *name);
int plan_skips_program_group(const char *name);

// Copies a name cut to 132 characters.
void copy_plan_name(char name[PLAN_NAME_BUFSIZE], const char *text);

// Cutter name as the plan keeps it: empty for no cutter and for the cutter named "NONE" in any
// letter case.
void copy_cutter_name(char name[PLAN_NAME_BUFSIZE], const char *cutter_name);

// ---- nodes --------------------------------------------------------------------------------

// Nodes with their scan values: both names, the class from the name, obj_tag; an operation
// needs generating exactly when it has no NX object yet. NULL when memory is short.
r_m_f_or_other *new_rmf_node(const char *name, tag_t obj_tag);
prog_group *new_prog_group_node(const char *name, tag_t obj_tag, int expanded);
oper *new_oper_node(const char *name, int type, int subtype, tag_t obj_tag);

// Append at the end of a list.
void append_rmf_node(r_m_f_or_other **list_p, r_m_f_or_other *node);
void append_prog_group_node(r_m_f_or_other *parent, prog_group *node);
void append_oper_node(prog_group *parent, oper *node);

// Appends a start point to an operation; 0 when it holds MAX_START_POINTS or memory is short.
int append_start_point(oper *node, const double point[3]);

// First top-level node of static_plan_list named exactly name; 0 when there is none.
int find_rmf_node(const char *name, r_m_f_or_other **node_p);

// Adds an operation to a selection list unless it is listed already; 0 when memory is short.
int add_sel_oper(sel_oper **list_p, oper *oper_p);
void free_sel_oper_list(sel_oper **list_p);

// ---- release --------------------------------------------------------------------------------

// Release a node with everything it owns and its descendants; the node must be unlinked.
void free_oper_node(oper *node);
void free_prog_group_node(prog_group *node);
void free_rmf_node(r_m_f_or_other *node);

// Frees a whole tree from the leaves up and empties the list.
void free_plan_tree(r_m_f_or_other **list_p);

// Appends a part file (names cut to their limits); NULL when memory is short.
part_file *append_part_file(part_file **list_p, const char *file_name, const char *part_path);

// Frees static_part_file_list and empties it and static_current_part_file.
void free_part_file_list(void);

// Frees static_template_list and the chosen template when it is not in that list, and
// empties both.
void free_template_list(void);

// ---- walks ----------------------------------------------------------------------------------

// Calls visit(group, its class) for every second-level node of tree, in tree order, until a visit
// returns true; true when one did.
template <typename Visit>
bool visit_plan_groups(r_m_f_or_other *tree, Visit visit) {
    for (r_m_f_or_other *r_m_f_or_other_current_p = tree; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        for (prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p; prog_group_current_p;
             prog_group_current_p = prog_group_current_p->next_p)
            if (visit(prog_group_current_p, r_m_f_or_other_current_p)) return true;
    return false;
}

// The same with visit(operation, its group, its class) for every operation.
template <typename Visit>
bool visit_plan_opers(r_m_f_or_other *tree, Visit visit) {
    return visit_plan_groups(tree, [&](prog_group *group, r_m_f_or_other *rmf) {
        for (oper *oper_current_p = group->oper_list_p; oper_current_p; oper_current_p = oper_current_p->next_p)
            if (visit(oper_current_p, group, rmf)) return true;
        return false;
    });
}

// Nodes of static_plan_list by exact name, the first in tree order, with their parents (which may
// be null pointers when not wanted). 0 when there is none; the outputs are then null.
int find_prog_group_node(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p);
int find_oper_node(const char *name, oper **oper_p, prog_group **group_p, r_m_f_or_other **rmf_p);

#endif
