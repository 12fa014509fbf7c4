// UF_PARAM_ask_* / set_*: parameters by index, each index with its kind and its carriers.
#include <cstring>

#include "nxhost/cam/cam_api.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "uf_object_types.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace nxhost::cam {
namespace {

const char *kind_name(ValueKind kind) {
    switch (kind) {
    case ValueKind::Int: return "an int";
    case ValueKind::Double: return "a double";
    case ValueKind::Tag: return "a tag";
    case ValueKind::Text: return "a string";
    case ValueKind::Pair: return "a 2d value";
    default: return "a sub-object (feed rate)";
    }
}

struct Access {
    CamObject *obj = nullptr;
    const ParamSpec *spec = nullptr;
};

// Checks that the object carries the index with a value of that kind; 0 or an error code.
int access(const char *call, tag_t tag, int index, ValueKind kind, bool for_set, Access *out) {
    CamObject *obj =
        lookup_cam(call, tag, {Kind::Root, Kind::Null, Kind::Group, Kind::Cutter, Kind::Operation});
    if (!obj) return kBadTag;
    const ParamSpec *spec = param_spec(index);
    const std::string who = kind_text(*store().find(tag)) + " " + name_of(tag);
    if (!spec) return refuse(call, kInvalidIndex, "the stand-in models no parameter " + std::to_string(index));
    if (!(spec->carriers & carrier_of(*obj, store().find(tag)->subtype)))
        return refuse(call, kInvalidIndex,
                      std::to_string(index) + " (" + spec->name + ") belongs to " + carriers_text(spec->carriers) +
                          ", not to the " + who);
    if (spec->kind != kind)
        return refuse(call, kWrongValueKind,
                      std::to_string(index) + " (" + spec->name + ") holds " + kind_name(spec->kind) + ", not " +
                          kind_name(kind));
    if (for_set && spec->read_only)
        return refuse(call, kReadOnly, std::to_string(index) + " (" + spec->name + ") is read only");
    out->obj = obj;
    out->spec = spec;
    return 0;
}

// Stores an own value; the operations that use it need their paths generated again.
void store_value(tag_t tag, Access &a, const ParamValue &value) {
    a.obj->params[a.spec->index] = value;
    changed(tag);
}

template <class Fill>
int ask(const char *call, tag_t tag, int index, ValueKind kind, Fill fill) {
    Access a;
    if (int rc = access(call, tag, index, kind, false, &a)) return rc;
    fill(effective_value(tag, *a.spec));
    return 0;
}

int set(const char *call, tag_t tag, int index, const ParamValue &value) {
    Access a;
    if (int rc = access(call, tag, index, value.kind, true, &a)) return rc;
    std::string why;
    if (!value_allowed(*a.spec, value, *a.obj, &why)) return refuse(call, kBadValue, why);
    store_value(tag, a, value);
    return 0;
}

ParamValue of_kind(ValueKind kind) {
    ParamValue v;
    v.kind = kind;
    return v;
}

// A tag value must be an object of the same part: the MCS a coordinate system, the floor a
// transform. NX documents the floor as a smart plane object; the stand-in models the transforms
// of UF_SO_create_xform_doubles only and refuses anything else (a face, a datum plane) rather
// than guess how NX would read it.
int check_tag_value(const char *call, tag_t tag, int index, tag_t value) {
    if (value == NULL_TAG) return 0;
    const Object *target = lookup(call, value);
    if (!target) return kBadTag;
    if (target->part != store().find(tag)->part)
        return refuse(call, kBadValue, "the object given belongs to another part than " + name_of(tag));
    if (index == UF_PARAM_MCS && target->type != UF_coordinate_system_type)
        return refuse(call, kBadValue, "the MCS must be a coordinate system, not a " + kind_text(*target));
    if (index == UF_PARAM_FLOOR && !dynamic_cast<const modeling::XformPayload *>(target->payload.get())) {
        misuse(call, "the floor (" + std::to_string(UF_PARAM_FLOOR) + ") of " + name_of(tag) + " must be a transform of "
                         "UF_SO_create_xform_doubles, not " + a_kind(*target) + " (tag " + std::to_string(value) + ")");
        return kBadValue;
    }
    return 0;
}

// An MCS keeps its own orientation: given a temporary coordinate system (or the WCS), it takes a
// lasting copy that is saved with the part; a lasting one is kept as given.
tag_t lasting_frame(tag_t csys_tag) {
    const Object *obj = store().find(csys_tag);
    const auto *payload = obj ? dynamic_cast<const csys::CsysPayload *>(obj->payload.get()) : nullptr;
    csys::Vector origin{};
    csys::Matrix axes{};
    if (!payload || !payload->temporary || !csys::frame_of(csys_tag, &origin, &axes)) return csys_tag;
    return csys::create_csys_object(obj->part, origin, csys::create_matrix_object(obj->part, axes), false);
}

}  // namespace
}  // namespace nxhost::cam

using namespace nxhost;
using namespace nxhost::cam;

extern "C" int UF_PARAM_ask_int_value(tag_t param_tag, int param_index, int *value) {
    NXHOST_ENTER("UF_PARAM_ask_int_value");
    if (!value) return kBadArgument;
    *value = 0;
    return ask("UF_PARAM_ask_int_value", param_tag, param_index, ValueKind::Int,
               [&](const ParamValue &v) { *value = v.integer; });
}

extern "C" int UF_PARAM_ask_double_value(tag_t param_tag, int param_index, double *value) {
    NXHOST_ENTER("UF_PARAM_ask_double_value");
    if (!value) return kBadArgument;
    *value = 0.0;
    return ask("UF_PARAM_ask_double_value", param_tag, param_index, ValueKind::Double,
               [&](const ParamValue &v) { *value = v.real; });
}

extern "C" int UF_PARAM_ask_tag_value(tag_t param_tag, int param_index, tag_t *value) {
    NXHOST_ENTER("UF_PARAM_ask_tag_value");
    if (!value) return kBadArgument;
    *value = NULL_TAG;
    return ask("UF_PARAM_ask_tag_value", param_tag, param_index, ValueKind::Tag, [&](const ParamValue &v) {
        // An object deleted since it was given is no value any more.
        *value = store().find(v.tag) ? v.tag : NULL_TAG;
    });
}

extern "C" int UF_PARAM_ask_str_value(tag_t param_tag, int param_index, char value[MAX_LINE_BUFSIZE]) {
    NXHOST_ENTER("UF_PARAM_ask_str_value");
    if (!value) return kBadArgument;
    value[0] = '\0';
    return ask("UF_PARAM_ask_str_value", param_tag, param_index, ValueKind::Text, [&](const ParamValue &v) {
        std::strncpy(value, v.text.c_str(), MAX_LINE_BUFSIZE - 1);
        value[MAX_LINE_BUFSIZE - 1] = '\0';
    });
}

extern "C" int UF_PARAM_ask_2d_value(tag_t param_tag, int param_index, double value[2]) {
    NXHOST_ENTER("UF_PARAM_ask_2d_value");
    if (!value) return kBadArgument;
    value[0] = value[1] = 0.0;
    return ask("UF_PARAM_ask_2d_value", param_tag, param_index, ValueKind::Pair, [&](const ParamValue &v) {
        value[0] = v.pair[0];
        value[1] = v.pair[1];
    });
}

extern "C" int UF_PARAM_ask_subobj_ptr_value(tag_t param_tag, int param_index, void *value) {
    NXHOST_ENTER("UF_PARAM_ask_subobj_ptr_value");
    if (!value) return kBadArgument;
    return ask("UF_PARAM_ask_subobj_ptr_value", param_tag, param_index, ValueKind::Feed, [&](const ParamValue &v) {
        auto *feed = static_cast<UF_PARAM_feedrate_t *>(value);
        feed->unit = static_cast<UF_PARAM_feed_unit_t>(v.feed.unit);
        feed->value = v.feed.value;
        feed->color = v.feed.color;
    });
}

extern "C" int UF_PARAM_set_int_value(tag_t param_tag, int param_index, int value) {
    NXHOST_ENTER("UF_PARAM_set_int_value");
    ParamValue v = of_kind(ValueKind::Int);
    v.integer = value;
    return set("UF_PARAM_set_int_value", param_tag, param_index, v);
}

extern "C" int UF_PARAM_set_double_value(tag_t param_tag, int param_index, double value) {
    NXHOST_ENTER("UF_PARAM_set_double_value");
    ParamValue v = of_kind(ValueKind::Double);
    v.real = value;
    return set("UF_PARAM_set_double_value", param_tag, param_index, v);
}

extern "C" int UF_PARAM_set_tag_value(tag_t param_tag, int param_index, tag_t value) {
    NXHOST_ENTER("UF_PARAM_set_tag_value");
    Access a;
    if (int rc = access("UF_PARAM_set_tag_value", param_tag, param_index, ValueKind::Tag, true, &a)) return rc;
    if (int rc = check_tag_value("UF_PARAM_set_tag_value", param_tag, param_index, value)) return rc;
    ParamValue v = of_kind(ValueKind::Tag);
    v.tag = param_index == UF_PARAM_MCS ? lasting_frame(value) : value;
    return set("UF_PARAM_set_tag_value", param_tag, param_index, v);
}

extern "C" int UF_PARAM_set_str_value(tag_t param_tag, int param_index, char *value) {
    NXHOST_ENTER("UF_PARAM_set_str_value");
    if (!value) return kBadArgument;
    ParamValue v = of_kind(ValueKind::Text);
    v.text = value;
    return set("UF_PARAM_set_str_value", param_tag, param_index, v);
}

extern "C" int UF_PARAM_set_2d_value(tag_t param_tag, int param_index, double value[2]) {
    NXHOST_ENTER("UF_PARAM_set_2d_value");
    if (!value) return kBadArgument;
    ParamValue v = of_kind(ValueKind::Pair);
    v.pair[0] = value[0];
    v.pair[1] = value[1];
    return set("UF_PARAM_set_2d_value", param_tag, param_index, v);
}

extern "C" int UF_PARAM_set_subobj_ptr_value(tag_t param_tag, int param_index, void *value) {
    NXHOST_ENTER("UF_PARAM_set_subobj_ptr_value");
    if (!value) return kBadArgument;
    const auto *feed = static_cast<const UF_PARAM_feedrate_t *>(value);
    if (feed->unit < UF_PARAM_feed_none || feed->unit > UF_PARAM_feed_per_revolution || feed->value < 0.0)
        return refuse("UF_PARAM_set_subobj_ptr_value", kBadValue, "a feed rate needs a known unit and a value of 0 or more");
    ParamValue v = of_kind(ValueKind::Feed);
    v.feed = {feed->unit, feed->value, feed->color};
    return set("UF_PARAM_set_subobj_ptr_value", param_tag, param_index, v);
}
