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
    // The floor plane of planar milling: a plane (or its transform) the floor lies in.
    spec(3007, "FLOOR", kPlanarMill, no_tag()),
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
        return obj.view == kMethodView ? kMethodGroup : 0;
    default: return 0;
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
