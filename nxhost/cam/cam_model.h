// The CAM model of the stand-in: the setup of a part with the roots and NULL groups of its four
// views, program, geometry and method groups, cutters and operations, each an object of the store
// carrying a CamObject payload. The rules NX applies to these objects (what a group may hold,
// what an operation needs before it can be generated) are checked here, so that the add-on meets
// NX's refusals in the stand-in too.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "nxhost/cam/cam_params.h"
#include "nxhost/objects/store.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_cut_levels.h"

namespace nxhost::cam {

// The four views of the Operation Navigator; an operation has a parent in each.
enum View : int { kProgramView = 0, kMachineView = 1, kGeometryView = 2, kMethodView = 3 };
constexpr int kViewCount = 4;

enum class Kind { Setup, Root, Null, Group, Cutter, Operation };

struct HolderSection {
    double diameter = 0.0, length = 0.0, taper = 0.0, corner = 0.0;  // taper in radians
};

// Handles of items, boundaries and their members are numbers of the session, never reused.
using Handle = std::uintptr_t;

struct GeomItem {
    Handle id = 0;
    tag_t entity = NULL_TAG;
    bool has_data = false;
    UF_CAMGEOM_app_data_t data{};
};

struct BoundaryMember {
    Handle id = 0;
    tag_t entity = NULL_TAG;
    bool has_data = false;
    UF_CAMBND_app_data_t data{};
};

// What a loop of a face is: its outer loop, or an inner loop around a hole (the material around
// it lies below the face) or an island (material standing above the face).
enum class LoopKind { Outer, Hole, Island };

struct Boundary {
    Handle id = 0;
    UF_CAMBND_boundary_data_t data{};  // app_data always nullptr here; origin absolute
    bool has_data = false;
    UF_CAMBND_app_data_t app{};
    tag_t face = NULL_TAG;  // the face it was made from; NULL_TAG when made from curves
    int loop = 0;           // which loop of that face (0 = outer)
    LoopKind loop_kind = LoopKind::Outer;
    std::vector<BoundaryMember> members;
};

struct TextItem {
    Handle id = 0;
    tag_t entity = NULL_TAG;
};

// Cut levels; `computed` levels follow the geometry until a user edit freezes them.
struct CutLevels {
    int range_type = 0;  // UF_PARAM_clv_range_type_t
    bool edited = false;
    std::vector<UF_CUT_LEVEL_single_t> levels;  // top level first
};

struct AutoBlank {
    bool set = false;
    int type = 0;  // UF_CAM_blank_geom_type_t
    std::array<double, 6> offset{};
};

struct ClearPlane {
    bool set = false;
    std::array<double, 3> origin{}, normal{};
};

struct PathState {
    bool generated = false;
    std::string summary;  // what the path was generated with, for the tree
};

struct CamObject : Payload {
    Kind kind = Kind::Group;
    View view = kProgramView;  // home view; operations live in all four
    tag_t setup = NULL_TAG;
    std::array<tag_t, kViewCount> parent{};  // groups and cutters use parent[view] only
    std::vector<tag_t> members;              // roots, NULL groups, groups and cutters, in order
    bool is_template = false;                // of a library part: offered as a subtype
    bool in_setup = false;                   // of a library part: copied by UF_SETUP_create
    std::map<int, ParamValue> params;        // own values by index
    // setup
    std::string type_name;                   // configuration type it was created from
    std::array<tag_t, kViewCount> roots{}, nulls{};
    // cutter
    int cutter_type = 1, cutter_subtype = 1;  // UF_CUTTER_TYPE_*, UF_CUTTER_SUBTYPE_*
    std::vector<HolderSection> holder;
    // operation and geometry group
    tag_t ref_cutter = NULL_TAG;
    CutLevels levels;
    std::map<int, std::vector<GeomItem>> items;       // by UF_CAM_geom_type_t
    std::map<int, std::vector<Boundary>> boundaries;  // by UF_CAM_geom_type_t
    std::vector<UF_CAMGEOM_custom_point_t> points[2]; // by UF_CAMGEOM_custom_point_type_t
    std::vector<TextItem> text;
    AutoBlank blank;
    ClearPlane plane;
    PathState path;
};

// ---- objects ---------------------------------------------------------------------------------

// The payload of a CAM object; nullptr for any other tag.
CamObject *cam_object(tag_t tag);
const CamObject *cam_object(const Object &obj);

// Looks a tag up for a call that needs a CAM object of one of the kinds; anything else records a
// misuse line naming the call ("tag 12 is a solid body, not an operation") and gives nullptr.
CamObject *lookup_cam(const char *call, tag_t tag, std::initializer_list<Kind> kinds);

// NX type and subtype numbers of a new object of a kind; `subtype` is the operation's or the
// geometry group's own.
int nx_type_of(Kind kind, View view);

// What an object is, for messages and the tree: "operation", "program group", "cutter" ...
std::string kind_text(const Object &obj);
// The same with its article: "a cutter", "an operation".
std::string a_kind(const Object &obj);
// The object's name, or "#tag" when it has none.
std::string name_of(tag_t tag);

// A new CAM object of the part, with no parent.
tag_t create_cam_object(tag_t part, Kind kind, View view, int subtype, const std::string &name);

// The setup of a part (NULL_TAG when it has none); a part has at most one.
tag_t setup_of_part(tag_t part);
// A new setup of the part, with the roots and NULL groups of its four views.
tag_t create_setup(tag_t part, const std::string &type_name);

// A name no CAM object of the part carries: `base`, else base_1, base_2 ...
std::string unused_cam_name(tag_t part, const std::string &base);
// The CAM object of the part named exactly `name`, NULL_TAG when none.
tag_t cam_object_named(tag_t part, const std::string &name);

// ---- membership ------------------------------------------------------------------------------

// Whether `group` may hold `member`; when not, *reason says why, as NX's refusal does.
bool can_accept(tag_t group, tag_t member, std::string *reason);
// Makes member a member of group in the group's view, before or after `sibling` (NULL_TAG:
// appended), taking it out of its former group there. The caller has checked can_accept.
void place(tag_t group, tag_t member, tag_t sibling, bool after);
// The view's NULL group of the member's setup, where an object without a group sits.
tag_t null_group(tag_t setup, View view);
// The view a group holds members in (its home view).
View view_of_group(const CamObject &group);

// Deletes a CAM object: an operation or cutter leaves its groups; a group takes its members in
// its view with it, except that operations of a deleted cutter move to the NULL group, their
// paths no longer generated. 0 or an error code (roots, NULL groups and setups are not deleted
// this way).
int delete_cam_object(tag_t tag);
// Deletes the whole CAM model of a part.
void delete_setup(tag_t setup);

// Every operation under a group of the program view, in program order (the group itself when
// it is an operation).
std::vector<tag_t> operations_under(tag_t tag);

// ---- handles ---------------------------------------------------------------------------------

Handle new_handle();
// The object an item, boundary or member handle belongs to (NULL_TAG when none).
tag_t handle_owner(Handle id);
void set_handle_owner(Handle id, tag_t owner);
void forget_handle(Handle id);

// ---- copies ----------------------------------------------------------------------------------

// A copy of a template object (group, cutter or operation) in the part: kind, subtype,
// parameters (tag values, which belong to the template's part, left out), holder, cut levels and
// attributes; no members and no geometry. It sits in the NULL group of its view(s).
tag_t copy_template(tag_t source, tag_t part, const std::string &name);

}  // namespace nxhost::cam
