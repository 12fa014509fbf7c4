// UF_OBJ_*, UF_LAYER_* and highlighting over the object store.
#include <algorithm>
#include <array>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "uf_disp.h"
#include "uf_layer.h"
#include "uf_obj.h"
#include "uf_object_types.h"

using namespace nxhost;

namespace {

constexpr int kNoName = 1105016;
constexpr int kBadLayer = 1105017;

// Layer 1 is the work layer, every other layer selectable, as in a new NX part.
struct LayerTable {
    std::array<int, UF_LAYER_MAX_LAYER + 1> status{};
    LayerTable() {
        status.fill(UF_LAYER_ACTIVE_LAYER);
        status[1] = UF_LAYER_WORK_LAYER;
    }
};

LayerTable &layers() {
    static LayerTable table;
    return table;
}

const bool registered = register_reset([] { layers() = LayerTable{}; });

bool is_body_level(const Object &obj) { return obj.parent == NULL_TAG; }

// A cycle goes on from an object of its part. NX's documentation warns against deleting the
// object a cycle stands on ("problems can occur when trying to read the next object"): the
// stand-in refuses to go on from it rather than guess, and says so. Any other object may come
// and go during a cycle; the cursor is a place in creation order, so a renamed object goes on
// from where it stood.
int check_cursor(const char *call, tag_t part, tag_t cursor) {
    if (cursor == NULL_TAG) return 0;
    const Object *obj = store().find(cursor);
    if (!obj) {
        misuse(call, "the cycle stands on tag " + std::to_string(cursor) +
                         ", which is not a live object: NX does not support going on from an object deleted "
                         "during its cycle");
        return kBadTag;
    }
    if (obj->part != part) {
        misuse(call, "the cycle stands on tag " + std::to_string(cursor) + " of part " + std::to_string(obj->part) +
                         ", not of part " + std::to_string(part));
        return kBadTag;
    }
    return 0;
}

// A module's own deletion of its objects; -1 when no module claims the object.
int delete_by_module(tag_t tag) {
    for (const ObjectRules &rules : object_rules())
        if (rules.remove)
            if (int rc = rules.remove(tag); rc != -1) return rc;
    return -1;
}

int delete_one(const Object &obj) {
    if (int rc = delete_by_module(obj.tag); rc != -1) return rc;
    if (obj.part == obj.tag || !is_body_level(obj)) return kBadArgument;
    store().remove(obj.tag);
    return 0;
}

int cycle_named(const char *call, tag_t part, const char *name, int type, tag_t *object) {
    if (int rc = check_cursor(call, part, *object)) {
        *object = NULL_TAG;
        return rc;
    }
    *object = store().next_named(part, name, type, *object);
    return 0;
}

}  // namespace

extern "C" int UF_OBJ_ask_type_and_subtype(tag_t object_id, int *type, int *subtype) {
    NXHOST_ENTER("UF_OBJ_ask_type_and_subtype");
    const Object *obj = lookup("UF_OBJ_ask_type_and_subtype", object_id);
    if (!obj) return kBadTag;
    if (!type || !subtype) return kBadArgument;
    *type = obj->type;
    *subtype = obj->subtype;
    return 0;
}

extern "C" int UF_OBJ_ask_name(tag_t object_id, char *name) {
    NXHOST_ENTER("UF_OBJ_ask_name");
    const Object *obj = lookup("UF_OBJ_ask_name", object_id);
    if (!obj) return kBadTag;
    if (!name) return kBadArgument;
    name[0] = '\0';
    if (obj->name.empty()) return kNoName;
    std::strncpy(name, obj->name.c_str(), UF_OBJ_NAME_BUFSIZE - 1);
    name[UF_OBJ_NAME_BUFSIZE - 1] = '\0';
    return 0;
}

extern "C" int UF_OBJ_set_name(tag_t object_id, const char *name) {
    NXHOST_ENTER("UF_OBJ_set_name");
    Object *obj = lookup("UF_OBJ_set_name", object_id);
    if (!obj) return kBadTag;
    if (!name || std::strlen(name) > UF_OBJ_NAME_NCHARS) return kBadArgument;
    for (const ObjectRules &rules : object_rules())
        if (rules.rename)
            if (int rc = rules.rename(*obj, name)) return rc;
    store().rename(*obj, name);
    store().mark_modified(obj->part);
    return 0;
}

extern "C" int UF_OBJ_cycle_by_name(const char *name, tag_t *object) {
    NXHOST_ENTER("UF_OBJ_cycle_by_name");
    if (!name || !object) return kBadArgument;
    return cycle_named("UF_OBJ_cycle_by_name", work_part(), name, -1, object);
}

extern "C" int UF_OBJ_cycle_by_name_and_type(tag_t part, const char *name, int type, logical, tag_t *object) {
    NXHOST_ENTER("UF_OBJ_cycle_by_name_and_type");
    if (!lookup_kind("UF_OBJ_cycle_by_name_and_type", part, UF_part_type)) return kBadTag;
    if (!name || !object) return kBadArgument;
    return cycle_named("UF_OBJ_cycle_by_name_and_type", part, name, type, object);
}

// Faces and edges belong to their body and are not cycled as objects of the part.
extern "C" int UF_OBJ_cycle_objs_in_part(tag_t part_tag, int type, tag_t *object) {
    NXHOST_ENTER("UF_OBJ_cycle_objs_in_part");
    if (!lookup_kind("UF_OBJ_cycle_objs_in_part", part_tag, UF_part_type)) return kBadTag;
    if (!object) return kBadArgument;
    if (int rc = check_cursor("UF_OBJ_cycle_objs_in_part", part_tag, *object)) {
        *object = NULL_TAG;
        return rc;
    }
    *object = store().next_in_part(part_tag, type, *object);
    return 0;
}

extern "C" int UF_OBJ_delete_object(tag_t object_id) {
    NXHOST_ENTER("UF_OBJ_delete_object");
    const Object *obj = lookup("UF_OBJ_delete_object", object_id);
    if (!obj) return kBadTag;
    return delete_one(*obj);
}

extern "C" int UF_OBJ_delete_array_of_objects(int num_objects, tag_t object_id[], int **statuses) {
    NXHOST_ENTER("UF_OBJ_delete_array_of_objects");
    if (num_objects < 0 || (num_objects > 0 && !object_id)) return kBadArgument;
    std::vector<int> results;
    int first_error = 0;
    for (int i = 0; i < num_objects; ++i) {
        const Object *obj = lookup("UF_OBJ_delete_array_of_objects", object_id[i]);
        int rc = obj ? delete_one(*obj) : kBadTag;
        if (rc && !first_error) first_error = rc;
        results.push_back(rc);
    }
    if (statuses) {
        *statuses = static_cast<int *>(nx_alloc(results.size() * sizeof(int)));
        if (!results.empty()) std::memcpy(*statuses, results.data(), results.size() * sizeof(int));
    }
    return first_error;
}

extern "C" int UF_OBJ_set_layer(tag_t object_id, int layer) {
    NXHOST_ENTER("UF_OBJ_set_layer");
    Object *obj = lookup("UF_OBJ_set_layer", object_id);
    if (!obj) return kBadTag;
    if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) return kBadLayer;
    obj->layer = layer;
    store().mark_modified(obj->part);
    return 0;
}

extern "C" int UF_OBJ_set_blank_status(tag_t object_id, int blank_status) {
    NXHOST_ENTER("UF_OBJ_set_blank_status");
    Object *obj = lookup("UF_OBJ_set_blank_status", object_id);
    if (!obj) return kBadTag;
    if (blank_status != UF_OBJ_NOT_BLANKED && blank_status != UF_OBJ_BLANKED) return kBadArgument;
    obj->blank = blank_status;
    store().mark_modified(obj->part);
    return 0;
}

extern "C" int UF_OBJ_ask_display_properties(tag_t object_id, UF_OBJ_disp_props_p_t disp_props) {
    NXHOST_ENTER("UF_OBJ_ask_display_properties");
    const Object *obj = lookup("UF_OBJ_ask_display_properties", object_id);
    if (!obj) return kBadTag;
    if (!disp_props) return kBadArgument;
    // Faces and edges show with their body.
    const Object *shown = obj->parent != NULL_TAG && store().find(obj->parent) ? store().find(obj->parent) : obj;
    disp_props->layer = shown->layer;
    disp_props->color = shown->color;
    disp_props->blank_status = shown->blank;
    disp_props->line_width = UF_OBJ_WIDTH_NORMAL;
    disp_props->font = UF_OBJ_FONT_SOLID;
    disp_props->highlight_status = obj->highlighted;
    return 0;
}

extern "C" int UF_OBJ_set_color(tag_t object_id, int color) {
    NXHOST_ENTER("UF_OBJ_set_color");
    Object *obj = lookup("UF_OBJ_set_color", object_id);
    if (!obj) return kBadTag;
    if (color < 0 || color > 216) return kBadArgument;
    obj->color = color;
    store().mark_modified(obj->part);
    return 0;
}

// Answers a status, not an error code: a dead or unknown tag is simply deleted.
extern "C" int UF_OBJ_ask_status(tag_t object) {
    int rc = enter("UF_OBJ_ask_status");
    if (rc) return UF_OBJ_DELETED;
    return store().find(object) ? UF_OBJ_ALIVE : UF_OBJ_DELETED;
}

extern "C" int UF_OBJ_ask_owning_part(tag_t object_in_part, tag_t *part_tag) {
    NXHOST_ENTER("UF_OBJ_ask_owning_part");
    const Object *obj = lookup("UF_OBJ_ask_owning_part", object_in_part);
    if (!obj) return kBadTag;
    if (!part_tag) return kBadArgument;
    *part_tag = obj->part;
    return 0;
}

extern "C" int UF_LAYER_ask_status(const int layer_number, int *layer_status) {
    NXHOST_ENTER("UF_LAYER_ask_status");
    if (layer_number < UF_LAYER_MIN_LAYER || layer_number > UF_LAYER_MAX_LAYER) return kBadLayer;
    if (!layer_status) return kBadArgument;
    *layer_status = layers().status[layer_number];
    return 0;
}

extern "C" int UF_LAYER_set_status(const int layer_number, const int layer_status) {
    NXHOST_ENTER("UF_LAYER_set_status");
    if (layer_number < UF_LAYER_MIN_LAYER || layer_number > UF_LAYER_MAX_LAYER) return kBadLayer;
    if (layer_status < UF_LAYER_WORK_LAYER || layer_status > UF_LAYER_INACTIVE_LAYER) return kBadArgument;
    LayerTable &t = layers();
    if (layer_status == UF_LAYER_WORK_LAYER) {
        for (int &s : t.status)
            if (s == UF_LAYER_WORK_LAYER) s = UF_LAYER_ACTIVE_LAYER;
    } else if (t.status[layer_number] == UF_LAYER_WORK_LAYER) {
        return kBadLayer;  // the work layer can only change by making another layer work
    }
    t.status[layer_number] = layer_status;
    return 0;
}

extern "C" int UF_DISP_set_highlight(tag_t object_id, int action_switch) {
    NXHOST_ENTER("UF_DISP_set_highlight");
    Object *obj = lookup("UF_DISP_set_highlight", object_id);
    if (!obj) return kBadTag;
    obj->highlighted = action_switch != 0;
    return 0;
}

extern "C" void UF_DISP_refresh(void) { (void)enter("UF_DISP_refresh"); }
