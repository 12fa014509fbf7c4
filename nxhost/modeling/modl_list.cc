// UF_MODL_create_list and the other list helpers.
#include "nxhost/modeling/tag_list.h"

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "uf.h"
#include "uf_modl.h"

using namespace nxhost;

namespace {

uf_list_p_t new_node(tag_t eid) {
    auto *node = static_cast<uf_list_p_t>(nx_alloc(sizeof(uf_list_t)));
    node->eid = eid;
    node->next = nullptr;
    return node;
}

bool is_empty(const uf_list_t *list) { return list->eid == NULL_TAG && list->next == nullptr; }

}  // namespace

namespace nxhost::modeling {

uf_list_p_t make_tag_list(const std::vector<tag_t> &tags) {
    uf_list_p_t head = new_node(tags.empty() ? NULL_TAG : tags.front());
    uf_list_p_t tail = head;
    for (std::size_t i = 1; i < tags.size(); ++i) {
        tail->next = new_node(tags[i]);
        tail = tail->next;
    }
    return head;
}

}  // namespace nxhost::modeling

extern "C" int UF_MODL_create_list(uf_list_p_t *list) {
    NXHOST_ENTER("UF_MODL_create_list");
    if (!list) return kBadArgument;
    *list = nxhost::modeling::make_tag_list({});
    return 0;
}

extern "C" int UF_MODL_put_list_item(uf_list_p_t list, tag_t obj_id) {
    NXHOST_ENTER("UF_MODL_put_list_item");
    if (!list) {
        misuse("UF_MODL_put_list_item", "null list (create it with UF_MODL_create_list)");
        return kBadArgument;
    }
    if (obj_id == NULL_TAG) {
        misuse("UF_MODL_put_list_item", "null tag");
        return kBadTag;
    }
    if (is_empty(list)) {
        list->eid = obj_id;
        return 0;
    }
    uf_list_p_t node = list;
    for (;; node = node->next) {
        if (node->eid == obj_id) return 0;
        if (!node->next) break;
    }
    node->next = new_node(obj_id);
    return 0;
}

extern "C" int UF_MODL_ask_list_count(uf_list_p_t list, int *count) {
    NXHOST_ENTER("UF_MODL_ask_list_count");
    if (!count) return kBadArgument;
    *count = 0;
    if (!list) {
        misuse("UF_MODL_ask_list_count", "null list");
        return kBadArgument;
    }
    if (is_empty(list)) return 0;
    for (const uf_list_t *node = list; node; node = node->next) ++*count;
    return 0;
}

extern "C" int UF_MODL_ask_list_item(uf_list_p_t list, int index, tag_t *object) {
    NXHOST_ENTER("UF_MODL_ask_list_item");
    if (!object) return kBadArgument;
    *object = NULL_TAG;
    if (!list) {
        misuse("UF_MODL_ask_list_item", "null list");
        return kBadArgument;
    }
    const uf_list_t *node = is_empty(list) ? nullptr : list;
    for (int i = 0; node && i < index; ++i) node = node->next;
    if (index < 0 || !node) {
        misuse("UF_MODL_ask_list_item", "index " + std::to_string(index) + " is outside the list");
        return kBadArgument;
    }
    *object = node->eid;
    return 0;
}

// Releasing, like UF_free, is not an operation NX can fail, so a test's injected failure never
// lands here (it would only leak the list).
extern "C" int UF_MODL_delete_list(uf_list_p_t *list) {
    if (!session_open()) {
        misuse("UF_MODL_delete_list", "called outside an open session (no UF_initialize)");
        return kNotInitialized;
    }
    if (!list) return kBadArgument;
    uf_list_p_t node = *list;
    while (node) {
        uf_list_p_t next = node->next;
        UF_free(node);
        node = next;
    }
    *list = nullptr;
    return 0;
}
