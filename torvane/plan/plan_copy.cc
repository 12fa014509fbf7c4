// Copies of plan operations.
#include "torvane/plan/plan_copy.h"

#include <cstring>
#include <new>

#include "torvane/plan/prog_group.h"
#include "torvane/state/plan_links.h"
#include "uf.h"
#include "uf_ui.h"

namespace {

// "Cannot allocate memory for the copied data, probably memory is short!" (GBK).
const char kCopyMemoryText[] =
    "\xce\xde\xb7\xa8\xb7\xd6\xc5\xe4\xb8\xb4\xd6\xc6\xca\xfd\xbe\xdd\xc4\xda\xb4\xe6\x2c\x20\xbf\xc9\xc4\xdc\xca\xc7"
    "\xc4\xda\xb4\xe6\xb2\xbb\xb9\xbb\xb5\xc4\xd4\xad\xd2\xf2\x21";

}  // namespace

int set_oper_electrodes(oper *node, const tag_t *elec_tags, int count) {
    if (node->elec_tag_p) UF_free(node->elec_tag_p);
    node->elec_tag_p = nullptr;
    node->elec_count = 0;
    if (count <= 0 || !elec_tags) return 1;
    int error = 0;
    auto *tags = static_cast<tag_t *>(UF_allocate_memory(static_cast<unsigned>(count * sizeof(tag_t)), &error));
    if (!tags || error != 0) return 0;
    std::memcpy(tags, elec_tags, static_cast<std::size_t>(count) * sizeof(tag_t));
    node->elec_tag_p = tags;
    node->elec_count = count;
    return 1;
}

oper *copy_oper_node(oper *source, plan_name_set *names) {
    oper *copy = new (std::nothrow) oper();
    if (!copy) return nullptr;
    copy->rmf_kind = source->rmf_kind;
    copy->type = source->type;
    copy->subtype = source->subtype;
    if (names)
        names->unique(source->new_name, copy->name);
    else
        get_unique_plan_name(source->new_name, copy->name);
    copy_plan_name(copy->new_name, source->new_name);
    copy_plan_name(copy->tool_name, source->tool_name);
    copy_plan_name(copy->ref_tool_name, source->ref_tool_name);
    std::memcpy(copy->template_file, source->template_file, sizeof copy->template_file);
    copy->obj_tag = source->obj_tag;
    copy->has_name_stock = source->has_name_stock;
    copy->name_stock = source->name_stock;
    copy->part_stock = source->part_stock;
    copy->floor_stock = source->floor_stock;
    copy->tool_data_p = source->tool_data_p;
    copy->ref_tool_data_p = source->ref_tool_data_p;
    if (!set_oper_electrodes(copy, source->elec_tag_p, source->elec_count)) uc1601(kCopyMemoryText, 1);
    copy->need_generate = 1;
    source->need_generate = 1;
    return copy;
}

void link_oper_node_after(prog_group *group, oper *after, oper *node) {
    link_node_after(&group->oper_list_p, after, node);
}
