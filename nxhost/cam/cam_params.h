// CAM parameters: what each UF_PARAM index holds, which objects carry it, and its value.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "uf_defs.h"

namespace nxhost::cam {

struct CamObject;

// Kinds of parameter values, as the UF_PARAM ask and set calls take them.
enum class ValueKind { Int, Double, Tag, Text, Pair, Feed };

// UF_PARAM_feedrate_t as the model keeps it.
struct Feed {
    int unit = 1;  // UF_PARAM_feed_per_minute
    double value = 0.0;
    short color = 0;
    bool operator==(const Feed &o) const { return unit == o.unit && value == o.value && color == o.color; }
};

struct ParamValue {
    ValueKind kind = ValueKind::Double;
    int integer = 0;
    double real = 0.0;
    tag_t tag = NULL_TAG;
    std::string text;
    double pair[2] = {0.0, 0.0};
    Feed feed;
    bool operator==(const ParamValue &o) const;
};

// Objects that carry parameters, as bits of a carrier mask.
enum Carrier : unsigned {
    kPlanarMill = 1u << 0,     // operation 110
    kFixedContour = 1u << 1,   // 210
    kCavityMill = 1u << 2,     // 260
    kFaceMilling = 1u << 3,    // 261
    kZLevel = 1u << 4,         // 263
    kPlungeMill = 1u << 5,     // 265
    kOtherOper = 1u << 6,      // any other operation
    kCutterObj = 1u << 7,
    kMcsGroup = 1u << 8,       // geometry group, orient subtype
    kOtherGeomGroup = 1u << 9, // workpiece and other geometry groups
    kMethodGroup = 1u << 10,
};

// One index of the table: its name as part files and the tree write it ("STOCK_PART"), the
// kind of its value, who carries it and its value on an object that was never given one.
// An inherited parameter (the MCS) is taken from the nearest geometry parent that has one.
struct ParamSpec {
    int index;
    const char *name;
    ValueKind kind;
    unsigned carriers;
    ParamValue initial;
    bool read_only = false;
    bool inherited = false;
};

// What the stand-in knows of an index; nullptr for an index it does not know.
const ParamSpec *param_spec(int index);
const ParamSpec *param_spec(const std::string &name);
const std::vector<ParamSpec> &param_table();

// The carrier bit of an object (0 for objects without parameters).
unsigned carrier_of(const CamObject &obj, int subtype);
// Whether the object of a tag carries an index: a CAM object whose kind and subtype take it.
bool carries_param(tag_t tag, int index);
// "cavity milling", "Z-level" ...: how the listings name an operation's subtype.
std::string operation_kind_text(int subtype);
// "stock_part of 260 cavity milling" style text of who carries an index, for messages.
std::string carriers_text(unsigned carriers);

// The value an object uses for an index: its own, an inherited one, or the index's initial value.
ParamValue effective_value(tag_t object, const ParamSpec &spec);

// "0.3", "[0.03, 0.03]", "{per minute 1600}", an object's name for a tag.
std::string value_text(const ParamValue &value);

// Whether NX takes the value for the index on the object (an enumerated value it knows, a
// dimension it can use); *why says what is wrong when not. Tag values are checked by the caller.
bool value_allowed(const ParamSpec &spec, const ParamValue &value, const CamObject &obj, std::string *why);

// Names of enumerated values as the tree prints them ("zig-zag", "area milling"); the number for
// a value without a name.
std::string cut_method_name(int method);
std::string drive_method_name(int method);
std::string stepover_type_name(int type);

}  // namespace nxhost::cam
