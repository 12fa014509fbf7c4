// The object store: every NX object of the session, by tag.
//
// Tags turn into objects in one audited place (lookup / lookup_kind); API entries never cast.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uf_defs.h"

namespace nxhost {

// Attribute value as NX keeps it: one title, one type (UF_ATTR_integer/real/string).
struct AttrValue {
    int type = 0;
    int integer = 0;
    double real = 0.0;
    std::string text;
};

struct Attribute {
    std::string title;
    AttrValue value;
};

// Opaque payload owned by the module that made the object (OCCT shape, CAM data, ...).
struct Payload {
    virtual ~Payload() = default;
};

struct Object {
    tag_t tag = NULL_TAG;
    int type = 0;
    int subtype = 0;
    tag_t part = NULL_TAG;    // owning part; a part owns itself
    tag_t parent = NULL_TAG;  // the body of a face or edge
    int index = -1;           // position of a face or edge within its body
    std::string name;
    std::vector<Attribute> attributes;  // in assignment order
    int layer = 1;
    int blank = 0;  // UF_OBJ_NOT_BLANKED / UF_OBJ_BLANKED
    int color = 7;
    bool highlighted = false;
    std::shared_ptr<Payload> payload;

    const Attribute *find_attribute(const std::string &title, int type) const;  // type 6 = any
};

class ObjectStore {
public:
    // New object with the next tag; part NULL_TAG makes it a part of its own (type 4).
    Object &create(int type, int subtype, tag_t part);
    // Alive object of that tag, or nullptr.
    Object *find(tag_t tag);
    // Removes an object and, for a body, its faces and edges; for a part, everything it owns.
    void remove(tag_t tag);
    // Alive objects of a part in creation order, optionally of one type (-1 = all).
    std::vector<tag_t> in_part(tag_t part, int type = -1) const;
    // Faces or edges (subtype -1: both) of a body in index order. They are created right after
    // their body, before any other object, so that finding them costs no search of the store.
    std::vector<tag_t> children(tag_t body, int subtype) const;
    // Parts changed since loaded or saved.
    void mark_modified(tag_t part);
    bool is_modified(tag_t part) const;
    void clear_modified(tag_t part);
    void clear();

private:
    std::vector<std::unique_ptr<Object>> objects_;  // index = tag - 1; nullptr once removed
    std::vector<tag_t> modified_;
};

ObjectStore &store();

// Rules of a module for the objects it owns (CAM objects), consulted by UF_OBJ_set_name and
// UF_OBJ_delete_object before their own handling.
struct ObjectRules {
    // 0, or the error code with which naming the object so is refused.
    std::function<int(const Object &obj, const std::string &name)> rename;
    // Deletes the object as its module must and gives 0 or an error code; -1 for objects that are
    // not the module's.
    std::function<int(tag_t tag)> remove;
};
// Registers rules (typically from a static initialiser); returns true.
bool register_object_rules(ObjectRules rules);
const std::vector<ObjectRules> &object_rules();

// Looks a tag up for an API call: a missing or dead tag records a misuse line naming the call.
Object *lookup(const char *call, tag_t tag);
// As lookup, and the object must have that type (and subtype unless -1).
Object *lookup_kind(const char *call, tag_t tag, int type, int subtype = -1);

}  // namespace nxhost
