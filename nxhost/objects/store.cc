#include "nxhost/objects/store.h"

#include <algorithm>
#include <map>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"

namespace nxhost {
namespace {
constexpr int kPartType = 4;
constexpr int kSolidType = 70;
const bool registered = register_reset([] { store().clear(); });
}  // namespace

const Attribute *Object::find_attribute(const std::string &title, int type) const {
    for (const Attribute &a : attributes)
        if (a.title == title && (type == 6 || a.value.type == type)) return &a;
    return nullptr;
}

Object &ObjectStore::create(int type, int subtype, tag_t part, tag_t parent) {
    auto obj = std::make_unique<Object>();
    obj->tag = static_cast<tag_t>(objects_.size() + 1);
    obj->type = type;
    obj->subtype = subtype;
    obj->part = part == NULL_TAG ? obj->tag : part;
    obj->parent = parent;
    objects_.push_back(std::move(obj));
    places_.emplace_back();
    Object &made = *objects_.back();
    if (made.part != made.tag) {
        index(made);
        mark_modified(made.part);
    }
    return made;
}

Object *ObjectStore::find(tag_t tag) {
    if (tag == NULL_TAG || tag > objects_.size()) return nullptr;
    return objects_[tag - 1].get();
}

const Object *ObjectStore::find(tag_t tag) const {
    if (tag == NULL_TAG || tag > objects_.size()) return nullptr;
    return objects_[tag - 1].get();
}

void ObjectStore::remove(tag_t tag) {
    Object *obj = find(tag);
    if (!obj) return;
    const bool is_part = obj->type == kPartType && obj->part == obj->tag;
    const bool is_body = obj->type == kSolidType && obj->subtype == 0;
    const tag_t part = obj->part;
    if (is_part) {
        if (auto it = parts_.find(tag); it != parts_.end()) {
            for (tag_t owned : it->second.lists[kAll][-1].tags)
                if (Object *o = find(owned)) {
                    if (!o->name.empty()) release_name(tag, o->name);
                    objects_[owned - 1].reset();
                }
            parts_.erase(it);
        }
        objects_[tag - 1].reset();
        return;
    }
    if (is_body)
        for (tag_t child : children(tag, -1)) drop(child);
    drop(tag);
    mark_modified(part);
}

void ObjectStore::drop(tag_t tag) {
    const Object *obj = find(tag);
    if (!obj) return;
    unindex(*obj);
    const std::string name = obj->name;
    const tag_t part = obj->part;
    objects_[tag - 1].reset();
    if (!name.empty()) release_name(part, name);
}

void ObjectStore::rename(Object &obj, const std::string &name) {
    if (obj.name == name) return;
    const std::string old = obj.name;
    const bool indexed = obj.part != obj.tag;
    if (indexed && !old.empty()) {
        std::vector<tag_t> &list = parts_[obj.part].names[old];
        list.erase(std::lower_bound(list.begin(), list.end(), obj.tag));
        if (list.empty()) parts_[obj.part].names.erase(old);
    }
    obj.name = name;
    if (indexed && !name.empty()) {
        std::vector<tag_t> &list = parts_[obj.part].names[name];
        list.insert(std::upper_bound(list.begin(), list.end(), obj.tag), obj.tag);
    }
    if (indexed && !old.empty()) release_name(obj.part, old);
}

void ObjectStore::release_name(tag_t part, const std::string &name) {
    if (name_listener_) name_listener_(part, name);
}

void ObjectStore::on_name_released(std::function<void(tag_t, const std::string &)> listener) {
    name_listener_ = std::move(listener);
}

bool ObjectStore::in_list(const Object &obj, ListKind kind) const {
    return kind == kAll || kind == kOfType || obj.parent == NULL_TAG;
}

void ObjectStore::index(const Object &obj) {
    PartIndex &part = parts_[obj.part];
    for (int k = 0; k < kListKinds; ++k) {
        const ListKind kind = static_cast<ListKind>(k);
        if (!in_list(obj, kind)) continue;
        TagList &list = part.lists[k][kind == kAll || kind == kTopAll ? -1 : obj.type];
        places_[obj.tag - 1].at[k] = static_cast<std::uint32_t>(list.tags.size());
        list.tags.push_back(obj.tag);
    }
    if (!obj.name.empty()) {
        std::vector<tag_t> &list = part.names[obj.name];
        list.insert(std::upper_bound(list.begin(), list.end(), obj.tag), obj.tag);
    }
}

void ObjectStore::unindex(const Object &obj) {
    auto it = parts_.find(obj.part);
    if (it == parts_.end()) return;
    PartIndex &part = it->second;
    for (int k = 0; k < kListKinds; ++k) {
        const ListKind kind = static_cast<ListKind>(k);
        if (!in_list(obj, kind)) continue;
        TagList &list = part.lists[k][kind == kAll || kind == kTopAll ? -1 : obj.type];
        ++list.holes;
        // Compacting when holes outnumber objects keeps a whole cycle linear in the live objects.
        if (list.holes > 16 && list.holes * 2 > list.tags.size()) compact(list, kind, obj.tag);
    }
    if (!obj.name.empty()) {
        std::vector<tag_t> &list = part.names[obj.name];
        list.erase(std::lower_bound(list.begin(), list.end(), obj.tag));
        if (list.empty()) part.names.erase(obj.name);
    }
}

void ObjectStore::compact(TagList &list, ListKind kind, tag_t leaving) {
    std::size_t kept = 0;
    for (tag_t t : list.tags) {
        if (t == leaving || !find(t)) continue;
        places_[t - 1].at[kind] = static_cast<std::uint32_t>(kept);
        list.tags[kept++] = t;
    }
    list.tags.resize(kept);
    list.holes = 0;
}

const TagList *ObjectStore::list_of(tag_t part, ListKind kind, int type) const {
    auto it = parts_.find(part);
    if (it == parts_.end()) return nullptr;
    const auto &lists = it->second.lists[kind];
    auto found = lists.find(kind == kAll || kind == kTopAll ? -1 : type);
    return found == lists.end() ? nullptr : &found->second;
}

tag_t ObjectStore::next_of(const TagList &list, ListKind kind, tag_t after,
                           const std::function<bool(const Object &)> &accept) const {
    std::size_t at = 0;
    if (after != NULL_TAG) {
        const Object *cursor = find(after);
        const std::uint32_t place = cursor ? places_[after - 1].at[kind] : 0;
        if (cursor && place < list.tags.size() && list.tags[place] == after)
            at = place + 1;
        else  // not of this list, or gone: its place in creation order
            at = static_cast<std::size_t>(std::upper_bound(list.tags.begin(), list.tags.end(), after) -
                                          list.tags.begin());
    }
    for (; at < list.tags.size(); ++at) {
        const Object *obj = find(list.tags[at]);
        if (obj && (!accept || accept(*obj))) return obj->tag;
    }
    return NULL_TAG;
}

std::vector<tag_t> ObjectStore::in_part(tag_t part, int type) const {
    std::vector<tag_t> tags;
    if (const TagList *list = list_of(part, type < 0 ? kAll : kOfType, type))
        for (tag_t t : list->tags)
            if (find(t)) tags.push_back(t);
    return tags;
}

std::vector<tag_t> ObjectStore::body_level_in_part(tag_t part, int type) const {
    std::vector<tag_t> tags;
    if (const TagList *list = list_of(part, type < 0 ? kTopAll : kTopOfType, type))
        for (tag_t t : list->tags)
            if (find(t)) tags.push_back(t);
    return tags;
}

tag_t ObjectStore::next_in_part(tag_t part, int type, tag_t after) const {
    const ListKind kind = type < 0 ? kTopAll : kTopOfType;
    const TagList *list = list_of(part, kind, type);
    return list ? next_of(*list, kind, after, nullptr) : NULL_TAG;
}

tag_t ObjectStore::next_named(tag_t part, const std::string &name, int type, tag_t after) const {
    if (name.empty()) {
        // Unnamed objects are not indexed by name: they are found among all of the part's.
        const ListKind kind = type < 0 ? kAll : kOfType;
        const TagList *list = list_of(part, kind, type);
        return list ? next_of(*list, kind, after, [](const Object &obj) { return obj.name.empty(); }) : NULL_TAG;
    }
    auto it = parts_.find(part);
    if (it == parts_.end()) return NULL_TAG;
    auto found = it->second.names.find(name);
    if (found == it->second.names.end()) return NULL_TAG;
    const std::vector<tag_t> &tags = found->second;
    for (auto at = std::upper_bound(tags.begin(), tags.end(), after); at != tags.end(); ++at)
        if (type < 0 || objects_[*at - 1]->type == type) return *at;
    return NULL_TAG;
}

std::vector<tag_t> ObjectStore::named(tag_t part, const std::string &name) const {
    std::vector<tag_t> tags;
    for (tag_t t = next_named(part, name, -1, NULL_TAG); t != NULL_TAG; t = next_named(part, name, -1, t))
        tags.push_back(t);
    return tags;
}

std::vector<tag_t> ObjectStore::children(tag_t body, int subtype) const {
    std::vector<const Object *> found;
    // A body's faces and edges follow it directly: the run ends at the first other live object.
    for (std::size_t i = body; i < objects_.size(); ++i) {
        const Object *obj = objects_[i].get();
        if (!obj) continue;
        if (obj->parent != body) break;
        if (subtype < 0 || obj->subtype == subtype) found.push_back(obj);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Object *a, const Object *b) { return a->index < b->index; });
    std::vector<tag_t> tags;
    for (const Object *obj : found) tags.push_back(obj->tag);
    return tags;
}

std::string ObjectStore::check_indexes() const {
    std::string problems;
    auto differ = [&](const std::string &what, const std::vector<tag_t> &indexed, const std::vector<tag_t> &scanned) {
        if (indexed != scanned)
            problems += what + ": the index holds " + std::to_string(indexed.size()) + " objects, a scan finds " +
                        std::to_string(scanned.size()) + "\n";
    };
    std::unordered_map<tag_t, std::vector<const Object *>> by_part;
    for (const auto &obj : objects_)
        if (obj && obj->part != obj->tag) by_part[obj->part].push_back(obj.get());
    for (const auto &[part, index] : parts_)
        if (!by_part.count(part) && !index.names.empty())
            problems += "part " + std::to_string(part) + ": names indexed, no object left\n";
    for (const auto &[part, objects] : by_part) {
        const std::string where = "part " + std::to_string(part);
        std::map<int, std::vector<tag_t>> all, top;
        std::map<std::string, std::vector<tag_t>> names;
        for (const Object *obj : objects) {
            all[-1].push_back(obj->tag);
            all[obj->type].push_back(obj->tag);
            if (obj->parent == NULL_TAG) {
                top[-1].push_back(obj->tag);
                top[obj->type].push_back(obj->tag);
            }
            if (!obj->name.empty()) names[obj->name].push_back(obj->tag);
        }
        for (const auto &[type, tags] : all) differ(where + " type " + std::to_string(type), in_part(part, type), tags);
        for (const auto &[type, tags] : top)
            differ(where + " body-level type " + std::to_string(type), body_level_in_part(part, type), tags);
        for (const auto &[name, tags] : names) differ(where + " name \"" + name + "\"", named(part, name), tags);
        auto it = parts_.find(part);
        const std::size_t indexed_names = it == parts_.end() ? 0 : it->second.names.size();
        if (indexed_names != names.size())
            problems += where + ": " + std::to_string(indexed_names) + " names indexed, " +
                        std::to_string(names.size()) + " carried\n";
    }
    return problems;
}

void ObjectStore::mark_modified(tag_t part) {
    if (part != NULL_TAG && !is_modified(part)) modified_.push_back(part);
}

bool ObjectStore::is_modified(tag_t part) const {
    return std::find(modified_.begin(), modified_.end(), part) != modified_.end();
}

void ObjectStore::clear_modified(tag_t part) {
    modified_.erase(std::remove(modified_.begin(), modified_.end(), part), modified_.end());
}

void ObjectStore::clear() {
    objects_.clear();
    places_.clear();
    parts_.clear();
    modified_.clear();
}

namespace {
std::vector<ObjectRules> &rules_registry() {
    static std::vector<ObjectRules> rules;
    return rules;
}
}  // namespace

bool register_object_rules(ObjectRules rules) {
    rules_registry().push_back(std::move(rules));
    return true;
}

const std::vector<ObjectRules> &object_rules() { return rules_registry(); }

ObjectStore &store() {
    static ObjectStore instance;
    return instance;
}

Object *lookup(const char *call, tag_t tag) {
    Object *obj = store().find(tag);
    if (!obj) misuse(call, tag == NULL_TAG ? "null tag" : "tag " + std::to_string(tag) + " is not a live object");
    return obj;
}

Object *lookup_kind(const char *call, tag_t tag, int type, int subtype) {
    Object *obj = lookup(call, tag);
    if (obj && (obj->type != type || (subtype >= 0 && obj->subtype != subtype))) {
        misuse(call, "tag " + std::to_string(tag) + " is type " + std::to_string(obj->type) + "/" +
                         std::to_string(obj->subtype) + ", expected " + std::to_string(type) +
                         (subtype >= 0 ? "/" + std::to_string(subtype) : ""));
        return nullptr;
    }
    return obj;
}

}  // namespace nxhost
