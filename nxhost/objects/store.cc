#include "nxhost/objects/store.h"

#include <algorithm>

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

Object &ObjectStore::create(int type, int subtype, tag_t part) {
    auto obj = std::make_unique<Object>();
    obj->tag = static_cast<tag_t>(objects_.size() + 1);
    obj->type = type;
    obj->subtype = subtype;
    obj->part = part == NULL_TAG ? obj->tag : part;
    objects_.push_back(std::move(obj));
    Object &made = *objects_.back();
    if (made.part != made.tag) mark_modified(made.part);
    return made;
}

Object *ObjectStore::find(tag_t tag) {
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
        for (auto &other : objects_)
            if (other && other->part == tag) other.reset();
    }
    if (is_body)
        for (tag_t child : children(tag, -1)) objects_[child - 1].reset();
    objects_[tag - 1].reset();
    if (!is_part) mark_modified(part);
}

std::vector<tag_t> ObjectStore::in_part(tag_t part, int type) const {
    std::vector<tag_t> tags;
    for (const auto &obj : objects_)
        if (obj && obj->part == part && obj->tag != part && (type < 0 || obj->type == type))
            tags.push_back(obj->tag);
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
