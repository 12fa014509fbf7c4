// UF_NCGROUP_*: group membership with NX's acceptance rules, and the creation of groups.
#include <algorithm>
#include <cstring>
#include <vector>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "uf_cam.h"
#include "uf_ncgroup.h"

namespace nxhost::cam {
namespace {

const std::initializer_list<Kind> kGroups = {Kind::Root, Kind::Null, Kind::Group, Kind::Cutter};

// The CAM object below `group` (in its view, at any depth) named `name`; NULL_TAG when none.
tag_t named_below(tag_t group, const std::string &name) {
    const CamObject *g = cam_object(group);
    if (!g) return NULL_TAG;
    for (tag_t m : g->members) {
        if (store().find(m)->name == name) return m;
        const CamObject *mc = cam_object(m);
        if (mc && mc->kind != Kind::Operation)
            if (tag_t deeper = named_below(m, name)) return deeper;
    }
    return NULL_TAG;
}

int accept_checked(const char *call, tag_t parent, tag_t member, tag_t sibling, bool after) {
    if (!lookup(call, parent) || !lookup(call, member)) return kBadTag;
    std::string reason;
    if (!can_accept(parent, member, &reason)) return refuse(call, kNotAccepted, reason);
    const View view = view_of_group(*cam_object(parent));
    const tag_t former = cam_object(member)->parent[view];
    place(parent, member, sibling, after);
    // Under another cutter, geometry or method group an operation cuts with another tool, geometry
    // or parameters: its path, and the paths of the operations below a moved group, are stale.
    if (view != kProgramView && former != parent && cam_object(member)->kind != Kind::Cutter) changed(member);
    return 0;
}

}  // namespace
}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_NCGROUP_is_group(tag_t obj_tag, logical *answer) {
    NXHOST_ENTER("UF_NCGROUP_is_group");
    if (!answer) return kBadArgument;
    *answer = false;
    const Object *obj = lookup("UF_NCGROUP_is_group", obj_tag);
    if (!obj) return kBadTag;
    const CamObject *cam = cam_object(*obj);
    *answer = cam && cam->kind != Kind::Operation && cam->kind != Kind::Setup;
    return 0;
}

extern "C" int UF_NCGROUP_can_accept_member(tag_t obj1, tag_t obj2, logical *answer,
                                            char reason[UF_NCGROUP_MAX_REASON_BUFSIZE]) {
    NXHOST_ENTER("UF_NCGROUP_can_accept_member");
    if (!answer) return kBadArgument;
    *answer = false;
    if (reason) reason[0] = '\0';
    if (!lookup("UF_NCGROUP_can_accept_member", obj1) || !lookup("UF_NCGROUP_can_accept_member", obj2)) return kBadTag;
    std::string why;
    *answer = can_accept(obj1, obj2, &why);
    if (reason && !*answer) {
        std::strncpy(reason, why.c_str(), UF_NCGROUP_MAX_REASON_BUFSIZE - 1);
        reason[UF_NCGROUP_MAX_REASON_BUFSIZE - 1] = '\0';
    }
    return 0;
}

extern "C" int UF_NCGROUP_ask_member_list(tag_t obj_tag, int *count, tag_t **list) {
    NXHOST_ENTER("UF_NCGROUP_ask_member_list");
    if (!count || !list) return kBadArgument;
    *count = 0;
    *list = nullptr;
    const CamObject *group = lookup_cam("UF_NCGROUP_ask_member_list", obj_tag, kGroups);
    if (!group) return kBadTag;
    *count = static_cast<int>(group->members.size());
    *list = nx_tag_array(group->members.data(), group->members.size());
    return 0;
}

extern "C" int UF_NCGROUP_accept_member(tag_t parent, tag_t member) {
    NXHOST_ENTER("UF_NCGROUP_accept_member");
    return accept_checked("UF_NCGROUP_accept_member", parent, member, NULL_TAG, true);
}

extern "C" int UF_NCGROUP_insert_member(tag_t parent, tag_t member, tag_t sibling, UF_NCGROUP_position_t where) {
    NXHOST_ENTER("UF_NCGROUP_insert_member");
    const CamObject *group = lookup_cam("UF_NCGROUP_insert_member", parent, kGroups);
    if (!group) return kBadTag;
    if (sibling != NULL_TAG && std::find(group->members.begin(), group->members.end(), sibling) == group->members.end())
        return refuse("UF_NCGROUP_insert_member", kBadArgument,
                      name_of(sibling) + " is not a member of " + name_of(parent));
    if (sibling == member) return 0;
    return accept_checked("UF_NCGROUP_insert_member", parent, member, sibling, where == UF_NCGROUP_POSITION_AFTER);
}

extern "C" int UF_NCGROUP_is_a_member(tag_t group, tag_t member, logical *answer, int *index) {
    NXHOST_ENTER("UF_NCGROUP_is_a_member");
    if (!answer || !index) return kBadArgument;
    *answer = false;
    *index = -1;
    const CamObject *g = lookup_cam("UF_NCGROUP_is_a_member", group, kGroups);
    if (!g || !lookup("UF_NCGROUP_is_a_member", member)) return kBadTag;
    auto at = std::find(g->members.begin(), g->members.end(), member);
    if (at == g->members.end()) return 0;
    *answer = true;
    *index = static_cast<int>(at - g->members.begin());
    return 0;
}

extern "C" int UF_NCGROUP_ask_member_in_list(tag_t parent, int index, tag_t *member) {
    NXHOST_ENTER("UF_NCGROUP_ask_member_in_list");
    if (!member) return kBadArgument;
    *member = NULL_TAG;
    const CamObject *g = lookup_cam("UF_NCGROUP_ask_member_in_list", parent, kGroups);
    if (!g) return kBadTag;
    if (index < 0 || index >= static_cast<int>(g->members.size())) return kBadArgument;
    *member = g->members[static_cast<std::size_t>(index)];
    return 0;
}

extern "C" int UF_NCGROUP_cycle_members(tag_t group, UF_NCGROUP_cycle_cb_f_t cb, void *data) {
    NXHOST_ENTER("UF_NCGROUP_cycle_members");
    if (!cb) return kBadArgument;
    const CamObject *g = lookup_cam("UF_NCGROUP_cycle_members", group, kGroups);
    if (!g) return kBadTag;
    // The callback may move members; it sees the members as they were when the cycle began,
    // except those it has deleted since: NX hands out no tag of a deleted object.
    const std::vector<tag_t> members = g->members;
    for (tag_t m : members)
        if (store().find(m) && !cb(m, data)) break;
    return 0;
}

extern "C" int UF_NCGROUP_ask_object_of_name(tag_t obj_tag, char *name, tag_t *obj_with_name) {
    NXHOST_ENTER("UF_NCGROUP_ask_object_of_name");
    if (!name || !obj_with_name) return kBadArgument;
    *obj_with_name = NULL_TAG;
    if (!lookup_cam("UF_NCGROUP_ask_object_of_name", obj_tag, kGroups)) return kBadTag;
    *obj_with_name = named_below(obj_tag, name);
    return 0;
}

extern "C" int UF_NCGROUP_ask_root_of_object(tag_t obj_tag, tag_t *root_tag) {
    NXHOST_ENTER("UF_NCGROUP_ask_root_of_object");
    if (!root_tag) return kBadArgument;
    *root_tag = NULL_TAG;
    const CamObject *obj = lookup_cam("UF_NCGROUP_ask_root_of_object", obj_tag,
                                      {Kind::Root, Kind::Null, Kind::Group, Kind::Cutter, Kind::Operation});
    if (!obj) return kBadTag;
    // An operation answers for the program order view, where NX lists it first.
    *root_tag = cam_object(obj->setup)->roots[obj->kind == Kind::Operation ? kProgramView : obj->view];
    return 0;
}

extern "C" int UF_NCPROG_create(char *type_name, char *subtype_name, tag_t *new_object) {
    NXHOST_ENTER("UF_NCPROG_create");
    return create_from_template("UF_NCPROG_create", type_name, subtype_name, UF_CAM_OPT_STYPE_CLS_PROG, new_object);
}

extern "C" int UF_NCGEOM_create(char *type_name, char *subtype_name, tag_t *new_object) {
    NXHOST_ENTER("UF_NCGEOM_create");
    return create_from_template("UF_NCGEOM_create", type_name, subtype_name, UF_CAM_OPT_STYPE_CLS_GEOM, new_object);
}

extern "C" int UF_NCMTHD_create(char *type_name, char *subtype_name, tag_t *new_object) {
    NXHOST_ENTER("UF_NCMTHD_create");
    return create_from_template("UF_NCMTHD_create", type_name, subtype_name, UF_CAM_OPT_STYPE_CLS_METHOD, new_object);
}
