// Cutters of the current CAM setup as tool records, and the record of one NX cutter.
#include <cstring>
#include <new>

#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_setup.h"
#include "uf_ui.h"

const tool_data_attribute TOOL_CUTTING_DATA[TOOL_CUTTING_DATA_COUNT] = {
    {"speed", &tool_data::speed},
    {"per_cut_depth", &tool_data::per_cut_depth},
    {"step_dis", &tool_data::step_dis},
    {"approach_feed", &tool_data::approach_feed},
    {"engage_feed", &tool_data::engage_feed},
    {"first_cut_feed", &tool_data::first_cut_feed},
    {"cut_feed", &tool_data::cut_feed},
    {"traversal_feed", &tool_data::traversal_feed},
    {"retract_feed", &tool_data::retract_feed},
};

namespace {

const double DEGREES_PER_RADIAN = 57.29577951308235;

struct double_param {
    int index;
    double tool_data::*field;
};
const double_param DIMENSIONS[] = {
    {UF_PARAM_TL_DIAMETER, &tool_data::tool_dia},
    {UF_PARAM_TL_COR1_RAD, &tool_data::tool_r},
};
const double_param LENGTHS[] = {
    {UF_PARAM_TL_HEIGHT, &tool_data::tool_len},
    {UF_PARAM_TL_FLUTE_LN, &tool_data::tool_flute},
};
const double_param ANGLES[] = {
    {UF_PARAM_TL_TAPER_ANG, &tool_data::taper_angle},
    {UF_PARAM_TL_TIP_ANG, &tool_data::tip_angle},
};


// Whether the cutter has an attribute of that title and type. A cutter without cutting data is
// normal, so a failed query counts as "none" and is not reported.
bool has_attribute(tag_t tool, char *title, int type) {
    int found = 0;
    return UF_ATTR_find_attribute(tool, type, title, &found) == 0 && found != 0;
}

double real_attribute_value(tag_t tool, const char *title) {
    char copy[UF_ATTR_MAX_TITLE_BUFSIZE] = "";
    std::strncat(copy, title, sizeof copy - 1);
    if (!has_attribute(tool, copy, UF_ATTR_real)) return 0.0;
    UF_ATTR_value_t value{};
    if (UF_ATTR_read_value(tool, copy, UF_ATTR_real, &value) != 0 || value.type != UF_ATTR_real) return 0.0;
    return value.value.real;
}

// Text of a string attribute into text; false when the cutter has none.
bool string_attribute_value(tag_t tool, const char *title, char text[UF_ATTR_MAX_STRING_BUFSIZE]) {
    char copy[UF_ATTR_MAX_TITLE_BUFSIZE] = "";
    std::strncat(copy, title, sizeof copy - 1);
    if (!has_attribute(tool, copy, UF_ATTR_string)) return false;
    UF_ATTR_value_t value{};
    text[0] = '\0';
    value.value.string = text;
    return UF_ATTR_read_value(tool, copy, UF_ATTR_string, &value) == 0 && value.type == UF_ATTR_string;
}

// Shows the my_func_cam catalogue text of tag; false when it could not be looked up.
bool show_tag(const char *tag) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, MY_FUNC_CAM_LANG_FORMAT);
    char text[MY_MESSAGE_BUFSIZE];
    if (!lookup_message(tag, text, lang_path)) return false;
    uc1601(text, 1);
    return true;
}

// Name of a setup member into name; false when it can't be read. NX refuses the name of an
// object that has none, which is still a cutter to list (as "null_name").
bool member_name(tag_t member, char name[UF_OBJ_NAME_BUFSIZE]) {
    name[0] = '\0';
    if (UF_OBJ_ask_name(member, name) == 0) return true;
    name[0] = '\0';
    int type = 0, subtype = 0;
    return UF_OBJ_ask_type_and_subtype(member, &type, &subtype) == 0;
}

// Cutters among the members, in their order; false (new records dropped) when the list can't
// be built.
bool read_member_tools(const tag_t *members, int count, tool_data **head) {
    tool_data *last = nullptr;
    for (int i = 0; i < count; ++i) {
        char name[UF_OBJ_NAME_BUFSIZE];
        if (!member_name(members[i], name)) {
            if (show_tag("MY_read_current_part_too_01:")) continue;
            free_tool_data_list(head);
            return false;
        }
        // The machine tool root holds the NULL group "NONE" beside the cutters.
        if (std::strcmp(name, "NONE") == 0) continue;
        tool_data *record = new (std::nothrow) tool_data();
        if (!record) {
            show_tag("MY_read_current_part_too_02:");
            free_tool_data_list(head);
            return false;
        }
        if (!MY_read_tool_data_from_tool(members[i], record)) {
            delete record;
            free_tool_data_list(head);
            return false;
        }
        record->prev_p = last;
        if (last)
            last->next_p = record;
        else
            *head = record;
        last = record;
    }
    return true;
}

}  // namespace

int MY_read_tool_data_from_tool(tag_t tool, tool_data *record) {
    if (!record) return 0;
    clear_tool_data(record);
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    if (UF_OBJ_ask_name(tool, name) != 0 || name[0] == '\0') std::strcpy(name, "null_name");
    MY_copy_cut(record->tool_name, sizeof record->tool_name, name);

    // A value NX can't give stays 0; the report says why.
    double value = 0.0;
    int number = 0;
    for (const double_param &p : DIMENSIONS)
        if (UF_CALL(UF_PARAM_ask_double_value(tool, p.index, &value)) == 0) record->*p.field = value;
    if (UF_CALL(UF_PARAM_ask_int_value(tool, UF_PARAM_TL_NUMBER, &number)) == 0) record->tool_number = number;
    for (const double_param &p : LENGTHS)
        if (UF_CALL(UF_PARAM_ask_double_value(tool, p.index, &value)) == 0) record->*p.field = value;
    if (UF_CALL(UF_PARAM_ask_int_value(tool, UF_PARAM_TL_NUM_FLUTES, &number)) == 0) record->flute_number = number;
    // Cutters without a taper or tip are common; their angles are simply 0.
    for (const double_param &p : ANGLES)
        if (UF_PARAM_ask_double_value(tool, p.index, &value) == 0) record->*p.field = value * DEGREES_PER_RADIAN;

    for (const tool_data_attribute &a : TOOL_CUTTING_DATA) record->*a.field = real_attribute_value(tool, a.title);

    char text[UF_ATTR_MAX_STRING_BUFSIZE];
    if (string_attribute_value(tool, "holder_name", text)) {
        MY_copy_cut(record->holder_name, sizeof record->holder_name, text);
    } else {
        // The catalogue names the holder of cutters that carry none.
        char lang_path[MY_PATH_BUFSIZE];
        build_lang_path(lang_path, MY_FUNC_CAM_LANG_FORMAT);
        char holder[MY_MESSAGE_BUFSIZE];
        if (!lookup_message("MY_read_tool_data_from_too_01:", holder, lang_path)) return 0;
        MY_copy_cut(record->holder_name, sizeof record->holder_name, holder);
    }
    if (string_attribute_value(tool, "tool_descr", text))
        MY_copy_cut(record->tool_descr, sizeof record->tool_descr, text);
    return 1;
}

int MY_read_current_part_tool(tool_data **list_p) {
    if (!list_p) return 0;
    tag_t setup = NULL_TAG, root = NULL_TAG;
    tag_t *members = nullptr;
    int count = 0;
    bool failed = UF_CALL(UF_SETUP_ask_setup(&setup)) != 0;
    // Without a setup there are no cutters, and no root to ask.
    if (!failed && setup != NULL_TAG)
        failed = UF_CALL(UF_SETUP_ask_mct_root(setup, &root)) != 0 ||
                 UF_CALL(UF_NCGROUP_ask_member_list(root, &count, &members)) != 0;
    if (failed || !members) count = 0;

    tool_data *head = nullptr;
    const bool built = read_member_tools(members, count, &head);
    if (members) UF_free(members);
    if (!built) return 0;

    free_tool_data_list(list_p);
    *list_p = head;
    int position = 0;
    for (tool_data *record = head; record; record = record->next_p) record->lib_number = ++position;
    return failed ? 0 : 1;
}
