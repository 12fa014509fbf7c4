// Plan edits of the list actions.
#include "torvane/plan/plan_edit.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "my_func/my_func.h"
#include "torvane/plan/cutters.h"
#include "torvane/plan/plan_copy.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan_links.h"
#include "uf.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_setup.h"
#include "uf_ui.h"

namespace {

// Copies of the source's children, each linked at the end of parent. 0 when one could not be made.
int copy_opers_into(prog_group *parent, const prog_group *source, plan_name_set *names) {
    for (oper *o = source->oper_list_p; o; o = o->next_p) {
        oper *copy = copy_oper_node(o, names);
        if (!copy) return 0;
        append_oper_node(parent, copy);
    }
    return 1;
}

template <typename Node>
void copy_head(Node *copy, const Node *source, plan_name_set *names) {
    copy->rmf_kind = source->rmf_kind;
    names->unique(source->new_name, copy->name);
    copy_plan_name(copy->new_name, source->new_name);
    copy->obj_tag = source->obj_tag;
    copy->expanded = source->expanded;
}

// Swaps node with its next sibling, the last going to the front.
template <typename Node>
int move_down(Node **head, Node *node) {
    if (!node || (!node->prev_p && !node->next_p)) return 0;
    Node *next = node->next_p;
    unlink_node(head, node);
    if (next)
        link_node_after(head, next, node);
    else
        link_node_after(head, static_cast<Node *>(nullptr), node);
    return 1;
}

template <typename Node>
Node *last_named(Node *first, const char *name, Node *found) {
    for (Node *n = first; n; n = n->next_p)
        if (std::strcmp(n->name, name) == 0) found = n;
    return found;
}

void delete_object(tag_t *object) {
    if (*object != NULL_TAG) UF_CALL(UF_OBJ_delete_object(*object));
    *object = NULL_TAG;
}

void delete_group_objects(prog_group *group) {
    for (oper *o = group->oper_list_p; o; o = o->next_p) delete_object(&o->obj_tag);
    delete_object(&group->obj_tag);
}

// Messages "%s: %s %s: %s %s" of a refused cutter move, then NX's reason.
void say_cutter_refused(tag_t cutter, tag_t oper_tag, const char *reason) {
    std::string texts[3];
    if (!lookup_messages(TORVANE_LANG_FORMAT,
                         {"QZ_CAM_change_tool_c_01:", "QZ_CAM_change_tool_c_02:", "QZ_CAM_change_tool_c_03:"}, texts))
        return;
    char cutter_name[UF_OBJ_NAME_BUFSIZE] = "", oper_name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_CALL(UF_OBJ_ask_name(cutter, cutter_name));
    UF_CALL(UF_OBJ_ask_name(oper_tag, oper_name));
    const std::string text = texts[0] + ": " + cutter_name + " " + texts[1] + ": " + oper_name + " " + texts[2];
    uc1601(text.c_str(), 1);
    uc1601(reason, 1);
}

// The cutter group an operation moves into: the part's cutter of the record (made when missing),
// or the setup's null cutter group for none. NULL_TAG when there is none (reported).
tag_t target_cutter(const tool_data *record) {
    tag_t cutter = NULL_TAG;
    if (record) return find_or_create_tool(record, &cutter) ? cutter : NULL_TAG;
    tag_t setup = NULL_TAG;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) != 0 || UF_CALL(UF_SETUP_ask_mct_null(setup, &cutter)) != 0) return NULL_TAG;
    return cutter;
}

// The node's cutter name and record after the chosen library record (none for null).
void take_record(char name[PLAN_NAME_BUFSIZE], std::shared_ptr<tool_data> *copy, const tool_data *record) {
    copy_cutter_name(name, record ? record->tool_name : "");
    *copy = record ? std::make_shared<tool_data>(*record) : nullptr;
}

}  // namespace

prog_group *copy_prog_group_node(const prog_group *source, plan_name_set *names) {
    prog_group *copy = new (std::nothrow) prog_group();
    if (!copy) return nullptr;
    copy_head(copy, source, names);
    if (!copy_opers_into(copy, source, names)) {
        free_prog_group_node(copy);
        return nullptr;
    }
    return copy;
}

r_m_f_or_other *copy_rmf_node(const r_m_f_or_other *source, plan_name_set *names) {
    r_m_f_or_other *copy = new (std::nothrow) r_m_f_or_other();
    if (!copy) return nullptr;
    copy_head(copy, source, names);
    for (const prog_group *g = source->prog_group_list_p; g; g = g->next_p) {
        prog_group *group = copy_prog_group_node(g, names);
        if (!group) {
            free_rmf_node(copy);
            return nullptr;
        }
        append_prog_group_node(copy, group);
    }
    return copy;
}

void link_rmf_node_after(r_m_f_or_other **list_p, r_m_f_or_other *after, r_m_f_or_other *node) {
    link_node_after(list_p, after, node);
}

void link_prog_group_after(r_m_f_or_other *parent, prog_group *after, prog_group *node) {
    link_node_after(&parent->prog_group_list_p, after, node);
}

r_m_f_or_other *find_last_rmf_named(r_m_f_or_other *tree, const char *name) {
    return last_named(tree, name ? name : "", static_cast<r_m_f_or_other *>(nullptr));
}

prog_group *find_last_group_named(r_m_f_or_other *tree, const char *name) {
    prog_group *found = nullptr;
    for (r_m_f_or_other *r = tree; r; r = r->next_p) found = last_named(r->prog_group_list_p, name ? name : "", found);
    return found;
}

oper *find_last_oper_named(r_m_f_or_other *tree, const char *name) {
    oper *found = nullptr;
    for (r_m_f_or_other *r = tree; r; r = r->next_p)
        for (prog_group *g = r->prog_group_list_p; g; g = g->next_p) found = last_named(g->oper_list_p, name ? name : "", found);
    return found;
}

r_m_f_or_other *class_of_group(const prog_group *group) {
    r_m_f_or_other *found = nullptr;
    visit_plan_groups(static_plan_list, [&](prog_group *candidate, r_m_f_or_other *rmf) {
        if (candidate == group) found = rmf;
        return found != nullptr;
    });
    return found;
}

prog_group *group_of_oper(const oper *node) {
    prog_group *found = nullptr;
    visit_plan_opers(static_plan_list, [&](oper *candidate, prog_group *group, r_m_f_or_other *) {
        if (candidate == node) found = group;
        return found != nullptr;
    });
    return found;
}

prog_group *last_group_of(const r_m_f_or_other *node) {
    prog_group *last = node->prog_group_list_p;
    while (last && last->next_p) last = last->next_p;
    return last;
}

oper *last_oper_of(const prog_group *node) {
    oper *last = node->oper_list_p;
    while (last && last->next_p) last = last->next_p;
    return last;
}

int delete_plan_nodes(int level, const char *name) {
    int deleted = 0;
    const char *wanted = name ? name : "";
    for (r_m_f_or_other *rmf = static_plan_list; rmf;) {
        r_m_f_or_other *next_rmf = rmf->next_p;
        if (level == PLAN_CLASS_LINE && std::strcmp(rmf->name, wanted) == 0) {
            for (prog_group *g = rmf->prog_group_list_p; g; g = g->next_p) delete_group_objects(g);
            delete_object(&rmf->obj_tag);
            unlink_node(&static_plan_list, rmf);
            free_rmf_node(rmf);
            ++deleted;
        } else if (level != PLAN_CLASS_LINE) {
            for (prog_group *g = rmf->prog_group_list_p; g;) {
                prog_group *next_group = g->next_p;
                if (level == PLAN_GROUP_LINE && std::strcmp(g->name, wanted) == 0) {
                    delete_group_objects(g);
                    unlink_node(&rmf->prog_group_list_p, g);
                    free_prog_group_node(g);
                    ++deleted;
                } else if (level == PLAN_OPER_LINE) {
                    for (oper *o = g->oper_list_p; o;) {
                        oper *next_oper = o->next_p;
                        if (std::strcmp(o->name, wanted) == 0) {
                            delete_object(&o->obj_tag);
                            unlink_node(&g->oper_list_p, o);
                            free_oper_node(o);
                            ++deleted;
                        }
                        o = next_oper;
                    }
                }
                g = next_group;
            }
        }
        rmf = next_rmf;
    }
    return deleted;
}

int move_rmf_node_down(r_m_f_or_other **list_p, r_m_f_or_other *node) { return move_down(list_p, node); }

int move_prog_group_down(r_m_f_or_other *parent, prog_group *node) {
    return move_down(&parent->prog_group_list_p, node);
}

int move_oper_node_down(prog_group *parent, oper *node) { return move_down(&parent->oper_list_p, node); }

int change_oper_cutter(oper *node, const tool_data *record) {
    take_record(node->tool_name, &node->tool_data_p, record);
    node->need_generate = 1;
    if (node->obj_tag == NULL_TAG) return 1;
    const tag_t cutter = target_cutter(record);
    if (cutter == NULL_TAG) return 0;
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    UF_CALL(UF_NCGROUP_can_accept_member(cutter, node->obj_tag, &accepted, reason));
    if (accepted && UF_CALL(UF_NCGROUP_accept_member(cutter, node->obj_tag)) == 0) return 1;
    say_cutter_refused(cutter, node->obj_tag, reason);
    return 0;
}

int change_oper_ref_cutter(oper *node, const tool_data *record) {
    take_record(node->ref_tool_name, &node->ref_tool_data_p, record);
    if (node->obj_tag == NULL_TAG) return 1;
    if (record) {
        const tag_t cutter = target_cutter(record);
        return cutter != NULL_TAG && UF_CALL(UF_OPER_set_ref_cutter(node->obj_tag, cutter)) == 0;
    }
    tag_t current = NULL_TAG;
    if (UF_CALL(UF_OPER_ask_ref_cutter(node->obj_tag, &current)) == 0 && current != NULL_TAG)
        return UF_CALL(UF_OPER_set_ref_cutter(node->obj_tag, NULL_TAG)) == 0;
    return 1;
}
