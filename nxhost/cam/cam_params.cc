// The parameter table: the UF_PARAM indices the stand-in models, and what each holds.
#include "nxhost/cam/cam_params.h"

#include <cstdio>

#include "nxhost/cam/cam_model.h"
#include "uf_object_types.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

constexpr unsigned kAllOpers = kPlanarMill | kFixedContour | kCavityMill | kFaceMilling | kZLevel | kPlungeMill |
                               kOtherOper;
constexpr unsigned kLayered = kCavityMill | kZLevel | kPlungeMill;
constexpr unsigned kAreaOpers = kPlanarMill | kCavityMill | kFaceMilling | kPlungeMill;
constexpr unsigned kStepover = kAreaOpers | kFixedContour;
constexpr unsigned kFloors = kPlanarMill | kCavityMill | kFaceMilling | kZLevel | kPlungeMill;

ParamValue integer(int v) {
    ParamValue p;
    p.kind = ValueKind::Int;
    p.integer = v;
    return p;
}

ParamValue real(double v) {
    ParamValue p;
    p.kind = ValueKind::Double;
    p.real = v;
    return p;
}

ParamValue no_tag() {
    ParamValue p;
    p.kind = ValueKind::Tag;
    return p;
}

ParamValue pair(double a, double b) {
    ParamValue p;
    p.kind = ValueKind::Pair;
    p.pair[0] = a;
    p.pair[1] = b;
    return p;
}

ParamValue feed(double v) {
    ParamValue p;
    p.kind = ValueKind::Feed;
    p.feed.value = v;
    return p;
}

ParamSpec spec(int index, const char *name, unsigned carriers, ParamValue initial, bool read_only = false,
               bool inherited = false) {
    return ParamSpec{index, name, initial.kind, carriers, initial, read_only, inherited};
}

// A feed of 0 means "as the cut feed" or "rapid", as in a new NX operation.
const std::vector<ParamSpec> kTable = {
    spec(UF_PARAM_FEED_SIDE_CUT, "FEED_SIDE_CUT", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_RAPID, "FEED_RAPID", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_ENGAGE, "FEED_ENGAGE", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_RETRACT, "FEED_RETRACT", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_APPROACH, "FEED_APPROACH", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_DEPARTURE, "FEED_DEPARTURE", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_RETURN, "FEED_RETURN", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_TRAVERSAL, "FEED_TRAVERSAL", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_FEED_CUT, "FEED_CUT", kAllOpers | kMethodGroup, feed(250)),
    spec(UF_PARAM_FEED_FIRST_CUT, "FEED_FIRST_CUT", kAllOpers | kMethodGroup, feed(0)),
    spec(UF_PARAM_STOCK_DRIVE, "STOCK_DRIVE", kFixedContour, real(0)),
    // A fixed contour that was never given a drive method drives by area milling, the method of
    // the add-on's cut-area templates; a text template carries the text drive.
    spec(UF_PARAM_DRIVE_METHOD, "DRIVE_METHOD", kFixedContour, integer(UF_PARAM_dpm_type_area_milling)),
    spec(UF_PARAM_MCS, "MCS", kMcsGroup | kOtherGeomGroup | kAllOpers, no_tag(), false, true),
    spec(UF_PARAM_TOL_IN_OUT, "TOL_IN_OUT", kAllOpers | kMethodGroup, pair(0.03, 0.03)),
    spec(UF_PARAM_STOCK_FLOOR, "STOCK_FLOOR", kFloors, real(0)),
    spec(UF_PARAM_STOCK_PART, "STOCK_PART", kAllOpers, real(0)),
    spec(UF_PARAM_STEPOVER_TYPE, "STEPOVER_TYPE", kStepover, integer(UF_PARAM_stepover_type_percent_tool_diameter)),
    spec(UF_PARAM_STEPOVER_SCALLOP, "STEPOVER_SCALLOP", kStepover, real(0)),
    spec(UF_PARAM_STEPOVER_DIST, "STEPOVER_DIST", kStepover, real(0)),
    spec(UF_PARAM_STEPOVER_PERCENT, "STEPOVER_PERCENT", kStepover, real(50)),
    spec(UF_PARAM_CUT_METHOD, "CUT_METHOD", kAreaOpers, integer(UF_PARAM_cut_method_follow_periphery)),
    spec(UF_PARAM_CUTLEV_MAX_DEPTH, "CUTLEV_MAX_DEPTH", kPlanarMill, real(0)),
    spec(UF_PARAM_CUTLEV_MIN_DEPTH, "CUTLEV_MIN_DEPTH", kPlanarMill, real(0)),
    spec(UF_PARAM_STOCK_BLANK, "STOCK_BLANK", kFaceMilling | kPlanarMill, real(0)),
    spec(UF_PARAM_STOCK_CHECK, "STOCK_CHECK", kAllOpers, real(0)),
    spec(UF_PARAM_CUTLEV_DEPTH_PER_CUT, "CUTLEV_DEPTH_PER_CUT", kFaceMilling, real(0)),
    spec(UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH, "CUTLEV_GLOBAL_CUT_DEPTH", kLayered, real(1.0)),
    spec(UF_PARAM_STOCK_PART_USE, "STOCK_PART_USE", kLayered, integer(UF_PARAM_stock_part_use_floor_same_as_side)),
    spec(UF_PARAM_TL_DIAMETER, "TL_DIAMETER", kCutterObj, real(0)),
    spec(UF_PARAM_TL_HEIGHT, "TL_HEIGHT", kCutterObj, real(75)),
    spec(UF_PARAM_TL_FLUTE_LN, "TL_FLUTE_LN", kCutterObj, real(50)),
    spec(UF_PARAM_TL_TAPER_ANG, "TL_TAPER_ANG", kCutterObj, real(0)),
    spec(UF_PARAM_TL_TIP_ANG, "TL_TIP_ANG", kCutterObj, real(0)),
    spec(UF_PARAM_TL_COR1_RAD, "TL_COR1_RAD", kCutterObj, real(0)),
    spec(UF_PARAM_TL_NUM_FLUTES, "TL_NUM_FLUTES", kCutterObj, integer(2)),
    spec(UF_PARAM_TL_Z_OFFSET, "TL_Z_OFFSET", kCutterObj | kAllOpers, real(0)),
    spec(UF_PARAM_TL_NUMBER, "TL_NUMBER", kCutterObj, integer(0)),
    spec(UF_PARAM_TL_ADJ_REG, "TL_ADJ_REG", kCutterObj, integer(0)),
    spec(UF_PARAM_TL_CUTCOM_REG, "TL_CUTCOM_REG", kCutterObj, integer(0)),
    spec(UF_PARAM_TL_ADJ_REG_TOG, "TL_ADJ_REG_TOG", kCutterObj, integer(0)),
    spec(UF_PARAM_TL_Z_OFFSET_TOG, "TL_Z_OFFSET_TOG", kCutterObj | kAllOpers, integer(0)),
    // The floor plane of planar milling: a transform whose X and Y axes span the floor.
    spec(UF_PARAM_FLOOR, "FLOOR", kPlanarMill, no_tag()),
    spec(UF_PARAM_SPINDLE_RPM, "SPINDLE_RPM", kAllOpers, real(0)),
    spec(UF_PARAM_SPINDLE_RPM_TOG, "SPINDLE_RPM_TOG", kAllOpers, integer(0)),
    spec(UF_PARAM_CUTLEV_RANGE_TYPE, "CUTLEV_RANGE_TYPE", kLayered, integer(0), true),
    spec(UF_PARAM_CUTLEV_RANGE_SUBDIV_TYPE, "CUTLEV_RANGE_SUBDIV_TYPE", kLayered, integer(0)),
    spec(UF_PARAM_CUTLEV_TOP_OFF_MODE, "CUTLEV_TOP_OFF_MODE", kLayered, integer(0)),
};

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

struct Named {
    int value;
    const char *name;
};

const Named kCutMethods[] = {
    {UF_PARAM_cut_method_zig_zag, "zig-zag"},
    {UF_PARAM_cut_method_zig, "zig"},
    {UF_PARAM_cut_method_zig_with_contour, "zig with contour"},
    {UF_PARAM_cut_method_follow_periphery, "follow periphery"},
    {UF_PARAM_cut_method_profile, "profile"},
    {UF_PARAM_cut_method_standard_drive, "standard drive"},
    {UF_PARAM_cut_method_follow_part, "follow part"},
    {UF_PARAM_cut_method_mixed, "mixed"},
    {UF_PARAM_cut_method_trochoidal, "trochoidal"},
    {UF_PARAM_cut_method_spiral, "spiral"},
    {UF_PARAM_cut_method_helical, "helical"},
};

const Named kDriveMethods[] = {
    {UF_PARAM_dpm_type_none, "none"},
    {UF_PARAM_dpm_type_point, "point"},
    {UF_PARAM_dpm_type_curve, "curve"},
    {UF_PARAM_dpm_type_surface, "surface"},
    {UF_PARAM_dpm_type_interpolated_tool_path, "interpolated tool path"},
    {UF_PARAM_dpm_type_boundary, "boundary"},
    {UF_PARAM_dpm_type_path, "tool path"},
    {UF_PARAM_dpm_type_radial, "radial cut"},
    {UF_PARAM_dpm_type_spiral, "spiral"},
    {UF_PARAM_dpm_type_helical, "helical"},
    {UF_PARAM_dpm_type_user_defined, "user defined"},
    {UF_PARAM_dpm_type_area_milling, "area milling"},
    {UF_PARAM_dpm_type_text, "text"},
    {UF_PARAM_dpm_type_contour_milling, "contour milling"},
};

const Named kStepoverTypes[] = {
    {UF_PARAM_stepover_type_none, "none"},
    {UF_PARAM_stepover_type_constant, "constant"},
    {UF_PARAM_stepover_type_scallop_height, "scallop height"},
    {UF_PARAM_stepover_type_variable, "variable"},
    {UF_PARAM_stepover_type_percent_tool_diameter, "percent of tool diameter"},
    {UF_PARAM_stepover_type_number, "number of passes"},
    {UF_PARAM_stepover_type_angular, "angular"},
    {UF_PARAM_stepover_type_use_depth_of_cut, "depth of cut"},
};

template <std::size_t N>
const char *name_in(const Named (&table)[N], int value) {
    for (const Named &n : table)
        if (n.value == value) return n.name;
    return nullptr;
}

template <std::size_t N>
std::string name_or_number(const Named (&table)[N], int value) {
    const char *name = name_in(table, value);
    return name ? name : std::to_string(value);
}

template <std::size_t N>
std::string names_of(const Named (&table)[N]) {
    std::string text;
    for (const Named &n : table) text += (text.empty() ? "" : ", ") + std::to_string(n.value) + " " + n.name;
    return text;
}

}  // namespace

bool ParamValue::operator==(const ParamValue &o) const {
    if (kind != o.kind) return false;
    switch (kind) {
    case ValueKind::Int: return integer == o.integer;
    case ValueKind::Double: return real == o.real;
    case ValueKind::Tag: return tag == o.tag;
    case ValueKind::Text: return text == o.text;
    case ValueKind::Pair: return pair[0] == o.pair[0] && pair[1] == o.pair[1];
    case ValueKind::Feed: return feed == o.feed;
    }
    return false;
}

const std::vector<ParamSpec> &param_table() { return kTable; }

const ParamSpec *param_spec(int index) {
    for (const ParamSpec &s : kTable)
        if (s.index == index) return &s;
    return nullptr;
}

const ParamSpec *param_spec(const std::string &name) {
    for (const ParamSpec &s : kTable)
        if (name == s.name) return &s;
    return nullptr;
}

unsigned carrier_of(const CamObject &obj, int subtype) {
    switch (obj.kind) {
    case Kind::Cutter: return kCutterObj;
    case Kind::Operation:
        switch (subtype) {
        case UF_mach_pocket_subtype: return kPlanarMill;
        case UF_mach_surface_contour_subtype: return kFixedContour;
        case UF_mach_cavity_milling_subtype: return kCavityMill;
        case UF_mach_face_milling_subtype: return kFaceMilling;
        case UF_mach_zlevel_milling_subtype: return kZLevel;
        case UF_mach_plunge_milling_subtype: return kPlungeMill;
        default: return kOtherOper;
        }
    case Kind::Group:
        if (obj.view == kGeometryView) return subtype == UF_mill_orient_subtype ? kMcsGroup : kOtherGeomGroup;
        return obj.view == kMethodView ? static_cast<unsigned>(kMethodGroup) : 0u;
    default: return 0;
    }
}

bool carries_param(tag_t tag, int index) {
    const ParamSpec *spec = param_spec(index);
    const Object *obj = store().find(tag);
    const CamObject *cam = obj ? cam_object(*obj) : nullptr;
    return spec && cam && (spec->carriers & carrier_of(*cam, obj->subtype));
}

std::string operation_kind_text(int subtype) {
    switch (subtype) {
    case UF_mach_pocket_subtype: return "planar milling";
    case UF_mach_surface_contour_subtype: return "fixed contour";
    case UF_mach_cavity_milling_subtype: return "cavity milling";
    case UF_mach_face_milling_subtype: return "face milling";
    case UF_mach_zlevel_milling_subtype: return "Z-level";
    case UF_mach_plunge_milling_subtype: return "plunge milling";
    default: return "operation";
    }
}

std::string carriers_text(unsigned carriers) {
    static const struct {
        unsigned bit;
        const char *text;
    } names[] = {{kPlanarMill, "planar milling (110)"}, {kFixedContour, "fixed contour (210)"},
                 {kCavityMill, "cavity milling (260)"}, {kFaceMilling, "face milling (261)"},
                 {kZLevel, "Z-level (263)"},          {kPlungeMill, "plunge milling (265)"},
                 {kOtherOper, "other operations"},     {kCutterObj, "cutters"},
                 {kMcsGroup, "MCS groups"},            {kOtherGeomGroup, "geometry groups"},
                 {kMethodGroup, "method groups"}};
    std::string text;
    for (const auto &n : names)
        if (carriers & n.bit) text += (text.empty() ? "" : ", ") + std::string(n.text);
    return text.empty() ? "nothing" : text;
}

ParamValue effective_value(tag_t object, const ParamSpec &spec) {
    const CamObject *obj = cam_object(object);
    if (obj && spec.index == UF_PARAM_CUTLEV_RANGE_TYPE) return integer(obj->levels.range_type);
    for (const CamObject *at = obj; at;) {
        auto own = at->params.find(spec.index);
        if (own != at->params.end()) return own->second;
        if (!spec.inherited) break;
        at = cam_object(at->parent[kGeometryView]);
    }
    return spec.initial;
}

bool value_allowed(const ParamSpec &spec, const ParamValue &value, const CamObject &obj, std::string *why) {
    auto refuse = [&](const std::string &text) {
        *why = std::string(spec.name) + " " + text;
        return false;
    };
    const double real = value.real;
    const int integer = value.integer;
    switch (spec.index) {
    case UF_PARAM_TL_DIAMETER:
        return real > 0.0 || refuse("must be above 0, not " + number(real));
    case UF_PARAM_TL_HEIGHT:
    case UF_PARAM_TL_FLUTE_LN:
    case UF_PARAM_SPINDLE_RPM:
    case UF_PARAM_STEPOVER_DIST:
    case UF_PARAM_STEPOVER_SCALLOP:
    case UF_PARAM_STEPOVER_PERCENT:
    case UF_PARAM_CUTLEV_MAX_DEPTH:
    case UF_PARAM_CUTLEV_MIN_DEPTH:
    case UF_PARAM_CUTLEV_DEPTH_PER_CUT:
    case UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH:
        return real >= 0.0 || refuse("must not be negative, not " + number(real));
    case UF_PARAM_TL_COR1_RAD: {
        auto dia = obj.params.find(UF_PARAM_TL_DIAMETER);
        if (real < 0.0) return refuse("must not be negative, not " + number(real));
        if (dia != obj.params.end() && real > dia->second.real / 2.0 + 1e-9)
            return refuse(number(real) + " is more than half the diameter " + number(dia->second.real));
        return true;
    }
    // Undefined (0) is what NX reports of an operation without a pattern; it is no pattern to set.
    case UF_PARAM_CUT_METHOD:
        return name_in(kCutMethods, integer) || refuse("takes " + names_of(kCutMethods) + ", not " + std::to_string(integer));
    case UF_PARAM_DRIVE_METHOD:
        return name_in(kDriveMethods, integer) ||
               refuse("takes " + names_of(kDriveMethods) + ", not " + std::to_string(integer));
    case UF_PARAM_STEPOVER_TYPE:
        return name_in(kStepoverTypes, integer) ||
               refuse("takes " + names_of(kStepoverTypes) + ", not " + std::to_string(integer));
    case UF_PARAM_STOCK_PART_USE:
        return integer == UF_PARAM_stock_part_use_as_is || integer == UF_PARAM_stock_part_use_floor_same_as_side ||
               refuse("is 0 (as is) or 1 (floor same as side), not " + std::to_string(integer));
    case UF_PARAM_CUTLEV_RANGE_SUBDIV_TYPE:
        return (integer >= 0 && integer <= 2) ||
               refuse("is 0 (equalise), 1 (bottoms only) or 2 (optimal), not " + std::to_string(integer));
    case UF_PARAM_TL_Z_OFFSET_TOG:
    case UF_PARAM_TL_ADJ_REG_TOG:
    case UF_PARAM_SPINDLE_RPM_TOG:
    case UF_PARAM_CUTLEV_TOP_OFF_MODE:
        return integer == 0 || integer == 1 || refuse("is 0 (off) or 1 (on), not " + std::to_string(integer));
    default: return true;
    }
}

std::string cut_method_name(int method) { return name_or_number(kCutMethods, method); }
std::string drive_method_name(int method) { return name_or_number(kDriveMethods, method); }
std::string stepover_type_name(int type) { return name_or_number(kStepoverTypes, type); }

std::string value_text(const ParamValue &value) {
    switch (value.kind) {
    case ValueKind::Int: return std::to_string(value.integer);
    case ValueKind::Double: return number(value.real);
    case ValueKind::Tag: return value.tag == NULL_TAG ? "none" : name_of(value.tag);
    case ValueKind::Text: return "\"" + value.text + "\"";
    case ValueKind::Pair: return "[" + number(value.pair[0]) + ", " + number(value.pair[1]) + "]";
    case ValueKind::Feed: {
        const char *unit = value.feed.unit == 2 ? "per rev" : value.feed.unit == 1 ? "per min" : "no unit";
        return number(value.feed.value) + " " + unit;
    }
    }
    return "";
}

}  // namespace nxhost::cam
