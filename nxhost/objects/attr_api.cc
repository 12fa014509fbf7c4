// UF_ATTR_* over the object store. One title may carry one attribute of each type.
#include <algorithm>
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "uf_attr.h"

using namespace nxhost;

namespace {

constexpr int kNotFound = 1105011;
constexpr int kBadTitle = 1105018;

bool valid_title(const char *title) {
    return title && title[0] != '\0' && std::strlen(title) <= UF_ATTR_MAX_TITLE_NCHARS;
}

bool storable_type(int type) {
    return type == UF_ATTR_integer || type == UF_ATTR_real || type == UF_ATTR_string || type == UF_ATTR_time ||
           type == UF_ATTR_null || type == UF_ATTR_reference || type == UF_ATTR_bool;
}

bool matches(const Attribute &a, int type) { return type == UF_ATTR_any || a.value.type == type; }

// Copies a stored value out; strings go into the caller's buffer or a new NX string.
void copy_out(const AttrValue &stored, UF_ATTR_value_p_t value) {
    value->type = stored.type;
    switch (stored.type) {
    case UF_ATTR_integer: value->value.integer = stored.integer; break;
    case UF_ATTR_real: value->value.real = stored.real; break;
    case UF_ATTR_bool: value->value.boolean = stored.integer != 0; break;
    case UF_ATTR_time:
        value->value.time[0] = stored.integer;
        value->value.time[1] = static_cast<int>(stored.real);
        break;
    case UF_ATTR_string:
    case UF_ATTR_reference: {
        char *&dst = stored.type == UF_ATTR_string ? value->value.string : value->value.reference;
        if (!dst) {
            dst = nx_strdup(stored.text);
        } else {
            std::strncpy(dst, stored.text.c_str(), UF_ATTR_MAX_STRING_BUFSIZE - 1);
            dst[UF_ATTR_MAX_STRING_BUFSIZE - 1] = '\0';
        }
        break;
    }
    default: break;
    }
}

AttrValue copy_in(const UF_ATTR_value_t &value) {
    AttrValue stored;
    stored.type = value.type;
    switch (value.type) {
    case UF_ATTR_integer: stored.integer = value.value.integer; break;
    case UF_ATTR_real: stored.real = value.value.real; break;
    case UF_ATTR_bool: stored.integer = value.value.boolean ? 1 : 0; break;
    case UF_ATTR_time:
        stored.integer = value.value.time[0];
        stored.real = value.value.time[1];
        break;
    case UF_ATTR_string: stored.text = value.value.string ? value.value.string : ""; break;
    case UF_ATTR_reference: stored.text = value.value.reference ? value.value.reference : ""; break;
    default: break;
    }
    return stored;
}

}  // namespace

extern "C" int UF_ATTR_find_attribute(tag_t object, int type, char *title, int *title_type) {
    NXHOST_ENTER("UF_ATTR_find_attribute");
    const Object *obj = lookup("UF_ATTR_find_attribute", object);
    if (!obj) return kBadTag;
    if (!title || !title_type) return kBadArgument;
    const Attribute *a = obj->find_attribute(title, type);
    *title_type = a ? a->value.type : 0;
    return 0;
}

extern "C" int UF_ATTR_read_value(tag_t object, char *title, int type, UF_ATTR_value_p_t value) {
    NXHOST_ENTER("UF_ATTR_read_value");
    const Object *obj = lookup("UF_ATTR_read_value", object);
    if (!obj) return kBadTag;
    if (!title || !value) return kBadArgument;
    const Attribute *a = obj->find_attribute(title, type);
    if (!a) {
        value->type = 0;
        return 0;
    }
    copy_out(a->value, value);
    return 0;
}

extern "C" int UF_ATTR_assign(tag_t object, char *title, UF_ATTR_value_t value) {
    NXHOST_ENTER("UF_ATTR_assign");
    Object *obj = lookup("UF_ATTR_assign", object);
    if (!obj) return kBadTag;
    if (!valid_title(title)) return kBadTitle;
    if (!storable_type(value.type)) return kBadArgument;
    AttrValue stored = copy_in(value);
    for (Attribute &a : obj->attributes) {
        if (a.title == title && a.value.type == value.type) {
            a.value = stored;
            store().mark_modified(obj->part);
            return 0;
        }
    }
    obj->attributes.push_back({title, stored});
    store().mark_modified(obj->part);
    return 0;
}

extern "C" int UF_ATTR_delete(tag_t object, int type, char *title) {
    NXHOST_ENTER("UF_ATTR_delete");
    Object *obj = lookup("UF_ATTR_delete", object);
    if (!obj) return kBadTag;
    if (!title) return kBadTitle;
    auto &attrs = obj->attributes;
    auto gone = std::remove_if(attrs.begin(), attrs.end(),
                               [&](const Attribute &a) { return a.title == title && matches(a, type); });
    if (gone == attrs.end()) return kNotFound;
    attrs.erase(gone, attrs.end());
    store().mark_modified(obj->part);
    return 0;
}

extern "C" int UF_ATTR_cycle(tag_t object, int *indx, int type, char title[UF_ATTR_MAX_TITLE_BUFSIZE],
                             UF_ATTR_value_p_t value) {
    NXHOST_ENTER("UF_ATTR_cycle");
    const Object *obj = lookup("UF_ATTR_cycle", object);
    if (!obj) return kBadTag;
    if (!indx || !title || !value) return kBadArgument;
    // *indx counts the attributes passed so far; 0 again means the cycle is over.
    int seen = 0;
    for (const Attribute &a : obj->attributes) {
        if (!matches(a, type)) continue;
        if (seen++ < *indx) continue;
        std::strncpy(title, a.title.c_str(), UF_ATTR_MAX_TITLE_BUFSIZE - 1);
        title[UF_ATTR_MAX_TITLE_BUFSIZE - 1] = '\0';
        copy_out(a.value, value);
        *indx = seen;
        return 0;
    }
    *indx = 0;
    return 0;
}

extern "C" int UF_ATTR_delete_all(tag_t object, int type) {
    NXHOST_ENTER("UF_ATTR_delete_all");
    Object *obj = lookup("UF_ATTR_delete_all", object);
    if (!obj) return kBadTag;
    auto &attrs = obj->attributes;
    attrs.erase(std::remove_if(attrs.begin(), attrs.end(), [&](const Attribute &a) { return matches(a, type); }),
                attrs.end());
    store().mark_modified(obj->part);
    return 0;
}
