// The operation plan, its node rules and the session records.
#include "torvane/state/plan.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "uf.h"

r_m_f_or_other *static_plan_list = nullptr;
r_m_f_or_other *static_insert_group_list = nullptr;
r_m_f_or_other *static_insert_oper_list = nullptr;
part_file *static_part_file_list = nullptr;
part_file *static_current_part_file = nullptr;
cam_template *static_template_list = nullptr;
cam_template *static_sel_template_p = nullptr;
tag_t *static_elec_tags = nullptr;
int static_elec_count = 0;
int static_use_all_solids = 0;
unsigned char static_edit_current_part = 0;
unsigned char static_next_part_pending = 0;
unsigned char static_ok_pressed = 0;
unsigned char static_post_started = 0;
unsigned char static_calc_single = 0;
double static_nx_release = 0.0;

namespace {

// Letter case of ASCII names only; other bytes (GBK names) compare as they are.
char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_ignoring_case(const char *a, const char *b) {
    for (; *a && *b; ++a, ++b)
        if (ascii_upper(*a) != ascii_upper(*b)) return false;
    return *a == *b;
}

bool is_one_of(const char *name, std::initializer_list<const char *> names) {
    if (!name) return false;
    for (const char *candidate : names)
        if (same_ignoring_case(name, candidate)) return true;
    return false;
}

void copy_cut(char *field, size_t size, const char *text) {
    size_t length = text ? std::strlen(text) : 0;
    if (length > size - 1) length = size - 1;
    std::memcpy(field, text ? text : "", length);
    field[length] = '\0';
}

void free_point_list(plan_point *point) {
    while (point) {
        plan_point *next = point->next_p;
        delete point;
        point = next;
    }
}

}  // namespace

int rmf_kind_of_class_name(const char *name) {
    if (is_one_of(name, {"R"})) return RMF_ROUGH;
    if (is_one_of(name, {"M"})) return RMF_MIDDLE;
    if (is_one_of(name, {"F"})) return RMF_FINISH;
    return RMF_OTHER;
}

int rmf_kind_of_name(const char *name) {
    if (!name) return RMF_OTHER;
    if (std::strstr(name, "-R") || std::strstr(name, "-r")) return RMF_ROUGH;
    if (std::strstr(name, "-M") || std::strstr(name, "-m")) return RMF_MIDDLE;
    if (std::strstr(name, "-F") || std::strstr(name, "-f")) return RMF_FINISH;
    return RMF_OTHER;
}

int plan_skips_class_group(const char *name) {
    return is_one_of(name, {"NONE", "PROGRAM", "BAK", "R_BAK", "M_BAK", "F_BAK"}) ? 1 : 0;
}

int plan_skips_program_group(const char *name) { return is_one_of(name, {"NONE", "R_BAK", "M_BAK", "F_BAK"}) ? 1 : 0; }

void copy_plan_name(char name[PLAN_NAME_BUFSIZE], const char *text) { copy_cut(name, PLAN_NAME_BUFSIZE, text); }

void copy_cutter_name(char name[PLAN_NAME_BUFSIZE], const char *cutter_name) {
    copy_plan_name(name, cutter_name && !same_ignoring_case(cutter_name, "NONE") ? cutter_name : "");
}

r_m_f_or_other *new_rmf_node(const char *name, tag_t obj_tag) {
    r_m_f_or_other *node = new (std::nothrow) r_m_f_or_other();
    if (!node) return nullptr;
    node->rmf_kind = rmf_kind_of_class_name(name);
    copy_plan_name(node->name, name);
    copy_plan_name(node->new_name, name);
    node->obj_tag = obj_tag;
    node->expanded = 1;
    return node;
}

prog_group *new_prog_group_node(const char *name, tag_t obj_tag, int expanded) {
    prog_group *node = new (std::nothrow) prog_group();
    if (!node) return nullptr;
    node->rmf_kind = rmf_kind_of_name(name);
    copy_plan_name(node->name, name);
    copy_plan_name(node->new_name, name);
    node->obj_tag = obj_tag;
    node->expanded = expanded ? 1 : 0;
    return node;
}

oper *new_oper_node(const char *name, int type, int subtype, tag_t obj_tag) {
    oper *node = new (std::nothrow) oper();
    if (!node) return nullptr;
    node->rmf_kind = rmf_kind_of_name(name);
    node->type = type;
    node->subtype = subtype;
    copy_plan_name(node->name, name);
    copy_plan_name(node->new_name, name);
    node->obj_tag = obj_tag;
    node->need_generate = obj_tag == NULL_TAG ? 1 : 0;
    return node;
}

namespace {

// Appends to a doubly linked list of nodes with next_p / prev_p.
template <typename Node>
void append_node(Node **list_p, Node *node) {
    node->next_p = nullptr;
    node->prev_p = nullptr;
    if (!*list_p) {
        *list_p = node;
        return;
    }
    Node *last = *list_p;
    while (last->next_p) last = last->next_p;
    last->next_p = node;
    node->prev_p = last;
}

}  // namespace

void append_rmf_node(r_m_f_or_other **list_p, r_m_f_or_other *node) { append_node(list_p, node); }

void append_prog_group_node(r_m_f_or_other *parent, prog_group *node) { append_node(&parent->prog_group_list_p, node); }

void append_oper_node(prog_group *parent, oper *node) { append_node(&parent->oper_list_p, node); }

int append_start_point(oper *node, const double point[3]) {
    plan_point **end = &node->start_point_list_p;
    int count = 0;
    for (; *end; end = &(*end)->next_p) ++count;
    if (count >= MAX_START_POINTS) return 0;
    plan_point *added = new (std::nothrow) plan_point();
    if (!added) return 0;
    added->x = point[0];
    added->y = point[1];
    added->z = point[2];
    *end = added;
    return 1;
}

int find_rmf_node(const char *name, r_m_f_or_other **node_p) {
    for (r_m_f_or_other *r_m_f_or_other_current_p = static_plan_list; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p) {
        if (name && std::strcmp(r_m_f_or_other_current_p->name, name) == 0) {
            *node_p = r_m_f_or_other_current_p;
            return 1;
        }
    }
    return 0;
}

int add_sel_oper(sel_oper **list_p, oper *oper_p) {
    sel_oper **end = list_p;
    for (; *end; end = &(*end)->next_p)
        if ((*end)->oper_p == oper_p) return 1;
    sel_oper *added = new (std::nothrow) sel_oper();
    if (!added) return 0;
    added->oper_p = oper_p;
    *end = added;
    return 1;
}

void free_sel_oper_list(sel_oper **list_p) {
    while (*list_p) {
        sel_oper *next = (*list_p)->next_p;
        delete *list_p;
        *list_p = next;
    }
}

void free_oper_node(oper *node) {
    if (!node) return;
    if (node->cut_face_p) UF_free(node->cut_face_p);
    if (node->elec_tag_p) UF_free(node->elec_tag_p);
    free_point_list(node->level_point_p);
    free_point_list(node->start_point_list_p);
    delete node;
}

void free_prog_group_node(prog_group *node) {
    if (!node) return;
    while (oper *oper_current_p = node->oper_list_p) {
        node->oper_list_p = oper_current_p->next_p;
        free_oper_node(oper_current_p);
    }
    delete node;
}

void free_rmf_node(r_m_f_or_other *node) {
    if (!node) return;
    while (prog_group *prog_group_current_p = node->prog_group_list_p) {
        node->prog_group_list_p = prog_group_current_p->next_p;
        free_prog_group_node(prog_group_current_p);
    }
    delete node;
}

void free_plan_tree(r_m_f_or_other **list_p) {
    while (r_m_f_or_other *r_m_f_or_other_current_p = *list_p) {
        *list_p = r_m_f_or_other_current_p->next_p;
        free_rmf_node(r_m_f_or_other_current_p);
    }
}

part_file *append_part_file(part_file **list_p, const char *file_name, const char *part_path) {
    part_file *node = new (std::nothrow) part_file();
    if (!node) return nullptr;
    copy_cut(node->file_name, sizeof node->file_name, file_name);
    copy_cut(node->part_path, sizeof node->part_path, part_path);
    part_file **end = list_p;
    while (*end) end = &(*end)->next_p;
    *end = node;
    return node;
}

void free_part_file_list(void) {
    while (part_file *node = static_part_file_list) {
        static_part_file_list = node->next_p;
        delete node;
    }
    static_current_part_file = nullptr;
}

void free_template_list(void) {
    bool chosen_in_list = false;
    while (cam_template *node = static_template_list) {
        if (node == static_sel_template_p) chosen_in_list = true;
        static_template_list = node->next_p;
        delete node;
    }
    if (!chosen_in_list) delete static_sel_template_p;
    static_sel_template_p = nullptr;
}

int find_prog_group_node(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p) {
    prog_group *found = nullptr;
    r_m_f_or_other *found_rmf = nullptr;
    visit_plan_groups(static_plan_list, [&](prog_group *group, r_m_f_or_other *rmf) {
        if (std::strcmp(group->name, name) != 0) return false;
        found = group;
        found_rmf = rmf;
        return true;
    });
    if (group_p) *group_p = found;
    if (rmf_p) *rmf_p = found_rmf;
    return found ? 1 : 0;
}

int find_oper_node(const char *name, oper **oper_p, prog_group **group_p, r_m_f_or_other **rmf_p) {
    oper *found = nullptr;
    prog_group *found_group = nullptr;
    r_m_f_or_other *found_rmf = nullptr;
    visit_plan_opers(static_plan_list, [&](oper *node, prog_group *group, r_m_f_or_other *rmf) {
        if (std::strcmp(node->name, name) != 0) return false;
        found = node;
        found_group = group;
        found_rmf = rmf;
        return true;
    });
    if (oper_p) *oper_p = found;
    if (group_p) *group_p = found_group;
    if (rmf_p) *rmf_p = found_rmf;
    return found ? 1 : 0;
}
