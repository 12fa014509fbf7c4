// Cutters made from library records, and the library cutting data of operations.
#include "torvane/plan/cutters.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "my_func_cam/cut_data.h"
#include "my_func_nxlib/nxlib.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/plan.h"
#include "torvane/state/run_state.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_cam.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_setup.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"

namespace {

const double kDegra = 0.01745329251994328;
const double kLevelNudge = 0.0001;  // an edited level moves this much down, passing no other level

struct feed_field {
    int index;
    double tool_data::*field;
    bool fixed_contour_too;
};
const feed_field kFeeds[] = {
    {UF_PARAM_FEED_APPROACH, &tool_data::approach_feed, true},
    {UF_PARAM_FEED_ENGAGE, &tool_data::engage_feed, true},
    {UF_PARAM_FEED_FIRST_CUT, &tool_data::first_cut_feed, true},
    {UF_PARAM_FEED_CUT, &tool_data::cut_feed, true},
    {UF_PARAM_FEED_TRAVERSAL, &tool_data::traversal_feed, false},
    {UF_PARAM_FEED_RETRACT, &tool_data::retract_feed, true},
};

int show_tag(const char *tag) {
    std::string text;
    if (!lookup_messages(TORVANE_LANG_FORMAT, {tag}, &text)) return 0;
    uc1601(text.c_str(), 1);
    return 1;
}

// Replaces an attribute of the cutter: the old one goes first, as NX keeps one per title.
void replace_attribute(tag_t tool, const char *title, const UF_ATTR_value_t &value) {
    char copy[UF_ATTR_MAX_TITLE_BUFSIZE] = "";
    std::strncat(copy, title, sizeof copy - 1);
    int found = 0;
    UF_CALL(UF_ATTR_find_attribute(tool, value.type, copy, &found));
    if (found) UF_CALL(UF_ATTR_delete(tool, value.type, copy));
    UF_CALL(UF_ATTR_assign(tool, copy, value));
}

void write_attributes(tag_t tool, const tool_data &record) {
    for (const tool_data_attribute &a : TOOL_CUTTING_DATA) {
        UF_ATTR_value_t value{};
        value.type = UF_ATTR_real;
        value.value.real = record.*a.field;
        replace_attribute(tool, a.title, value);
    }
    for (const std::pair<const char *, const char *> &text :
         {std::pair{"holder_name", record.holder_name}, std::pair{"tool_descr", record.tool_descr}}) {
        char buffer[UF_ATTR_MAX_STRING_BUFSIZE] = "";
        MY_copy_cut(buffer, sizeof buffer, text.second);
        UF_ATTR_value_t value{};
        value.type = UF_ATTR_string;
        value.value.string = buffer;
        replace_attribute(tool, text.first, value);
    }
}

void write_dimensions(tag_t tool, const tool_data &record) {
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_DIAMETER, record.tool_dia));
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_COR1_RAD, record.tool_r));
    UF_CALL(UF_PARAM_set_int_value(tool, UF_PARAM_TL_NUMBER, record.tool_number));
    UF_CALL(UF_PARAM_set_int_value(tool, UF_PARAM_TL_ADJ_REG, record.tool_number));
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_HEIGHT, record.tool_len));
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_FLUTE_LN, record.tool_flute));
    UF_CALL(UF_PARAM_set_int_value(tool, UF_PARAM_TL_NUM_FLUTES, record.flute_number));
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_TAPER_ANG, record.taper_angle * kDegra));
    UF_CALL(UF_PARAM_set_double_value(tool, UF_PARAM_TL_TIP_ANG, record.tip_angle * kDegra));
}

// The holder of the record replaces the template's when its sections parse; otherwise the
// template's holder stays.
void write_holder(tag_t tool, const tool_data &record) {
    const holder_data *holder = find_holder_data(static_holder_list, record.holder_name);
    if (!holder || holder->section_text[0] == '\0') return;
    holder_section *sections = nullptr;
    if (get_char_holder_section_data(holder->holder_name, holder->section_text, &sections)) {
        int count = 0;
        UF_CALL(UF_CUTTER_ask_section_count(tool, &count));
        for (int i = count - 1; i >= 0; --i) UF_CALL(UF_CUTTER_delete_holder_section(tool, i));
        for (const holder_section *s = sections; s; s = s->next_p) {
            UF_CUTTER_holder_section_t data = {s->diameter, s->length, s->taper_angle * kDegra, s->corner_radius};
            UF_CALL(UF_CUTTER_create_holder_section(tool, &data));
        }
    }
    free_holder_section_list(&sections);
}

// The cutter template's type is made sure of; 0 after message 04 when it cannot be added.
int ensure_tool_template_type(void) {
    if (cam_type_exists(QZ_TOOL_TEMPLATE_TYPE)) return 1;
    if (UF_CAM_opt_add_type(QZ_TOOL_TEMPLATE_PART) == 0) return 1;
    show_tag("with_tool_struct_data_create_too_04:");
    return 0;
}

const tool_data *record_of(const tool_data *list, const char *tool_name) {
    for (const tool_data *record = list; record; record = record->next_p) {
        if (record->tool_name[0] == '\0') return nullptr;
        if (std::strcmp(record->tool_name, tool_name) == 0) return record;
    }
    return nullptr;
}

void write_cut_levels(tag_t oper_tag, double per_cut_depth) {
    UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH, per_cut_depth));
    UF_CUT_LEVELS_t *levels = nullptr;
    if (UF_CALL(UF_CUT_LEVELS_load(oper_tag, &levels)) != 0 || !levels) return;
    for (int i = 0; i < levels->num_levels; ++i) {
        const UF_CUT_LEVEL_single_t level = levels->cut_levels[i];
        if (level.local_cut_depth != per_cut_depth)
            UF_CALL(UF_CUT_LEVELS_edit_level_using_z(oper_tag, i, level.z_level - kLevelNudge, per_cut_depth, levels));
    }
    UF_CALL(UF_CUT_LEVELS_free(&levels));
}

void write_stepover(tag_t oper_tag, const tool_data &record) {
    if (static_nx_release <= 0.0) ask_nx_release(&static_nx_release);
    if (static_nx_release <= 8.9) {
        int type = 0;
        if (UF_CALL(UF_PARAM_ask_int_value(oper_tag, UF_PARAM_STEPOVER_TYPE, &type)) == 0 &&
            type == UF_PARAM_stepover_type_constant)
            UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_STEPOVER_DIST, record.step_dis));
        return;
    }
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_CALL(UF_OBJ_ask_name(oper_tag, name));
    if (std::strstr(name, "FIX_TEXT")) return;
    call_fixed_cut_step(oper_tag, record.step_dis, record.step_dis * fix_steep_cut_percent() * 0.01);
}

void write_feeds(tag_t oper_tag, const tool_data &record, bool fixed_contour) {
    for (const feed_field &f : kFeeds) {
        if (fixed_contour && !f.fixed_contour_too) continue;
        UF_PARAM_feedrate_t feed{};
        if (UF_CALL(UF_PARAM_ask_subobj_ptr_value(oper_tag, f.index, &feed)) != 0) continue;
        feed.value = record.*f.field;
        UF_CALL(UF_PARAM_set_subobj_ptr_value(oper_tag, f.index, &feed));
    }
}

}  // namespace

int ask_tool_tag_by_name(const char *name, tag_t *tool_tag) {
    *tool_tag = NULL_TAG;
    if (!name) return 0;
    tag_t object = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_by_name(name, &object)) == 0 && object != NULL_TAG) {
        int type = 0, subtype = 0;
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) != 0) continue;
        if (type == UF_machining_tool_type && subtype == UF_mach_tool_subtype) {
            *tool_tag = object;
            return 1;
        }
    }
    return 0;
}

int find_or_create_tool(const tool_data *record, tag_t *tool_tag) {
    if (ask_tool_tag_by_name(record->tool_name, tool_tag)) return 1;
    return with_tool_struct_data_create_tool(record, tool_tag);
}

int with_tool_struct_data_create_tool(const tool_data *record, tag_t *tool_tag) {
    *tool_tag = NULL_TAG;
    if (!record || record->tool_name[0] == '\0') {
        show_tag("with_tool_struct_data_create_too_01:");
        return 0;
    }
    tag_t existing = NULL_TAG;
    if (ask_tool_tag_by_name(record->tool_name, &existing)) {
        std::string texts[2];
        if (!lookup_messages(TORVANE_LANG_FORMAT,
                             {"with_tool_struct_data_create_too_02:", "with_tool_struct_data_create_too_03:"}, texts))
            return 0;
        const std::string message = texts[0] + " " + record->tool_name + " " + texts[1];
        uc1601(message.c_str(), 1);
        return 0;
    }
    tag_t setup = NULL_TAG, root = NULL_TAG;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) == 0 && setup != NULL_TAG) UF_CALL(UF_SETUP_ask_mct_root(setup, &root));
    if (!ensure_tool_template_type()) return 0;
    char type_name[] = QZ_TOOL_TEMPLATE_TYPE, subtype_name[] = QZ_TOOL_TEMPLATE_CUTTER;
    if (UF_CUTTER_create(type_name, subtype_name, tool_tag) != 0 || *tool_tag == NULL_TAG) {
        *tool_tag = NULL_TAG;
        show_tag("with_tool_struct_data_create_too_05:");
        return 0;
    }
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    if (root != NULL_TAG) UF_CALL(UF_NCGROUP_can_accept_member(root, *tool_tag, &accepted, reason));
    if (accepted)
        UF_CALL(UF_NCGROUP_accept_member(root, *tool_tag));
    else
        show_tag("with_tool_struct_data_create_too_06:");
    UF_CALL(UF_OBJ_set_name(*tool_tag, record->tool_name));
    write_dimensions(*tool_tag, *record);
    write_holder(*tool_tag, *record);
    write_attributes(*tool_tag, *record);
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int set_oper_cut_data(tag_t oper_tag, tag_t tool_tag, const tool_data *list) {
    if (oper_tag == NULL_TAG || tool_tag == NULL_TAG) return 0;
    char tool_name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_CALL(UF_OBJ_ask_name(tool_tag, tool_name));
    int type = 0, subtype = 0;
    UF_CALL(UF_OBJ_ask_type_and_subtype(oper_tag, &type, &subtype));
    if (type != UF_machining_operation_type || subtype == 10) return 0;
    const tool_data *record = record_of(list, tool_name);
    if (!record) return 1;
    UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_SPINDLE_RPM, record->speed));
    if (subtype == UF_mach_cavity_milling_subtype || subtype == UF_mach_zlevel_milling_subtype ||
        subtype == UF_mach_plunge_milling_subtype)
        write_cut_levels(oper_tag, record->per_cut_depth);
    if (subtype == UF_mach_pocket_subtype) {
        UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_CUTLEV_MAX_DEPTH, record->per_cut_depth));
        UF_CALL(UF_PARAM_set_double_value(oper_tag, UF_PARAM_CUTLEV_MIN_DEPTH, record->per_cut_depth));
    }
    if (subtype == UF_mach_surface_contour_subtype) write_stepover(oper_tag, *record);
    write_feeds(oper_tag, *record, subtype == UF_mach_surface_contour_subtype);
    UF_CALL(UF_PARAM_set_int_value(tool_tag, UF_PARAM_TL_NUMBER, record->tool_number));
    UF_CALL(UF_PARAM_set_int_value(tool_tag, UF_PARAM_TL_ADJ_REG, record->tool_number));
    return 1;
}
