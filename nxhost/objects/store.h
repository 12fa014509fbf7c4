// The object store: every NX object of the session, by tag.
//
// Tags turn into objects in one audited place (lookup / lookup_kind); API entries never cast.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
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

// Where a list of the store's index stands: creation order, with holes where objects were
// removed until the list is compacted.
struct TagList {
    std::vector<tag_t> tags;
    std::size_t holes = 0;
};

// The store keeps, beside the objects, what the API asks of them most: per part the live objects
// by type (with faces and edges, and body-level alone for the cycles), and per part the objects
// carrying each name. They follow every create, remove and rename; an object's part, type and
// body never change, so nothing else can make them stale. Names must therefore change through
// rename() only.
class ObjectStore {
public:
    // New object with the next tag; part NULL_TAG makes it a part of its own (type 4). A face or
    // edge is made with its body as parent.
    Object &create(int type, int subtype, tag_t part, tag_t parent = NULL_TAG);
    // Alive object of that tag, or nullptr.
    Object *find(tag_t tag);
    const Object *find(tag_t tag) const;
    // Removes an object and, for a body, its faces and edges; for a part, everything it owns.
    void remove(tag_t tag);
    // Gives the object a name ("" for none).
    void rename(Object &obj, const std::string &name);

    // Alive objects of a part in creation order, optionally of one type (-1 = all).
    std::vector<tag_t> in_part(tag_t part, int type = -1) const;
    // The same without faces and edges: the objects NX cycles as the part's.
    std::vector<tag_t> body_level_in_part(tag_t part, int type = -1) const;
    // The body-level object of the part of that type (-1 any) made next after `after` (NULL_TAG:
    // the first; an object of the part, alive or not), NULL_TAG when there is none. Amortised
    // constant time when `after` is an alive object of that list.
    tag_t next_in_part(tag_t part, int type, tag_t after) const;
    // The object of the part named exactly `name` (case and blanks count) and of that type (-1
    // any), faces and edges included, made next after `after`; NULL_TAG when none.
    tag_t next_named(tag_t part, const std::string &name, int type, tag_t after) const;
    // Alive objects of the part named exactly `name`, in creation order.
    std::vector<tag_t> named(tag_t part, const std::string &name) const;
    // Faces or edges (subtype -1: both) of a body in index order. They are created right after
    // their body, before any other object, so that finding them costs no search of the store.
    std::vector<tag_t> children(tag_t body, int subtype) const;

    // Called with the part and the name whenever an object stops carrying a name (renamed,
    // removed), so that what a module derives from names can follow. Set once, at start-up.
    void on_name_released(std::function<void(tag_t part, const std::string &name)> listener);

    // What the indexes say that a scan of every object does not ("" when they agree): for tests.
    std::string check_indexes() const;

    // Parts changed since loaded or saved.
    void mark_modified(tag_t part);
    bool is_modified(tag_t part) const;
    void clear_modified(tag_t part);
    void clear();

private:
    // An object's lists: every object of its part, those of its type, and (body-level objects
    // only) the same two among body-level objects. Its place in each is kept for the cycles.
    enum ListKind { kAll, kOfType, kTopAll, kTopOfType, kListKinds };
    struct PartIndex {
        std::unordered_map<int, TagList> lists[kListKinds];  // keyed by type; kAll and kTopAll by -1
        std::unordered_map<std::string, std::vector<tag_t>> names;  // non-empty names; tags ascending
    };
    struct Places {
        std::uint32_t at[kListKinds] = {};
    };

    bool in_list(const Object &obj, ListKind kind) const;
    const TagList *list_of(tag_t part, ListKind kind, int type) const;
    void index(const Object &obj);
    void unindex(const Object &obj);
    void compact(TagList &list, ListKind kind, tag_t leaving);
    // The first alive entry of the list after `after` (NULL_TAG: from the start) that `accept`
    // takes, or NULL_TAG.
    tag_t next_of(const TagList &list, ListKind kind, tag_t after,
                  const std::function<bool(const Object &)> &accept) const;
    void release_name(tag_t part, const std::string &name);
    void drop(tag_t tag);

    std::vector<std::unique_ptr<Object>> objects_;  // index = tag - 1; nullptr once removed
    std::vector<Places> places_;                    // index = tag - 1
    std::unordered_map<tag_t, PartIndex> parts_;
    std::function<void(tag_t, const std::string &)> name_listener_;
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
