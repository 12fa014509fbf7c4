// Program groups in the working part, the two name uniquing rules, and plan lookups by name.
#include "torvane/plan/prog_group.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_set>

#include "my_func/my_func.h"
#include "my_func_nxlib/nxlib.h"
#include "torvane/state/messages.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_part.h"
#include "uf_setup.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"

namespace {

// "设定NC组群名称失败." in code page 936: the group renaming extension failed.
const char kRenameFailed[] = "\xc9\xe8\xb6\xa8NC\xd7\xe9\xc8\xba\xc3\xfb\xb3\xc6\xca\xa7\xb0\xdc.";

// Names whose trailing digits are an angle range, not a number.
const char *const kAngleNames[] = {"ZLE_45_90", "ZLE_0_90", "FIX_0_45",  "FIX_00_45",
                                   "FIX_0_60",  "FIX_00_60", "FIX_0_90", "FIX_00_90"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The base and start number of a name, as both uniquing rules split it.
void split_name(const char *name, bool keep_angle_digits, std::string *base, long *number) {
    const std::size_t length = std::strlen(name);
    std::size_t tail = length;
    while (tail > 0 && is_digit(name[tail - 1])) --tail;
    bool angle = false;
    for (const char *a : kAngleNames) angle = angle || MY_same_name_nocase(name, a);
    const bool digits = tail < length && tail > 0 && !(keep_angle_digits && angle);
    *base = std::string(name, digits ? tail : length);
    *number = digits ? std::strtol(name + tail, nullptr, 10) : 0;
    if (base->empty() || base->back() != '_') *base += '_';
}

// name, or the first base+number after the start number that `taken` does not refuse.
void unique_name(const char *name, bool keep_angle_digits, const std::function<bool(const char *)> &taken,
                 char out[PLAN_NAME_BUFSIZE]) {
    MY_copy_cut(out, PLAN_NAME_BUFSIZE, name);
    std::string base;
    long number = 0;
    split_name(name, keep_angle_digits, &base, &number);
    while (taken(out)) std::snprintf(out, PLAN_NAME_BUFSIZE, "%s%ld", base.c_str(), ++number);
}

std::string folded_name(const char *name) {
    char text[PLAN_NAME_BUFSIZE];
    MY_copy_cut(text, sizeof text, name);
    MY_upper_case(text);
    return text;
}

// The plan's names, letter case folded, gathered once per search: a plan that grows by one copy
// per electrode would otherwise be walked once for each number tried.
std::unordered_set<std::string> plan_names(void) {
    std::unordered_set<std::string> names;
    for (r_m_f_or_other *r_m_f_or_other_current_p = static_plan_list; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p) {
        names.insert(folded_name(r_m_f_or_other_current_p->name));
        for (prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p; prog_group_current_p;
             prog_group_current_p = prog_group_current_p->next_p) {
            names.insert(folded_name(prog_group_current_p->name));
            for (oper *oper_current_p = prog_group_current_p->oper_list_p; oper_current_p;
                 oper_current_p = oper_current_p->next_p)
                names.insert(folded_name(oper_current_p->name));
        }
    }
    return names;
}

bool nx_holds_name(const char *name) {
    tag_t object = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_by_name(name, &object)) == 0 && object != NULL_TAG) {
        int type = 0, subtype = 0;
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) != 0) continue;
        if (type == UF_machining_task_type || type == UF_machining_operation_type) return true;
    }
    return false;
}

int show_tag(const char *tag) {
    std::string text;
    if (!lookup_messages(TORVANE_LANG_FORMAT, {tag}, &text)) return 0;
    uc1601(text.c_str(), 1);
    return 1;
}

// Adds TT.prt as a type; a failure is shown and the caller goes on.
void add_tt_type(void) {
    if (UF_CAM_opt_add_type(TT_TYPE_PART) == 0) return;
    std::string texts[2];
    if (!lookup_messages(TORVANE_LANG_FORMAT, {"create_nc_prog_grou_04:", "create_nc_prog_grou_05:"}, texts)) return;
    char message[2 * MY_MESSAGE_BUFSIZE + 64];
    std::snprintf(message, sizeof message, "%s " TT_TYPE_PART " %s", texts[0].c_str(), texts[1].c_str());
    uc1601(message, 1);
}

// The setup of the displayed part from TT, or from the first type when there is no TT.
void create_setup(void) {
    int count = 0;
    const char **types = nullptr;
    if (UF_CALL(UF_CAM_opt_ask_types(&count, &types)) != 0 || count < 1) return;
    const char *chosen = types[0];
    for (int i = 0; i < count; ++i)
        if (std::strcmp(types[i], TT_TYPE_NAME) == 0) chosen = types[i];
    const tag_t part = UF_PART_ask_display_part();
    if (part != NULL_TAG) UF_CALL(UF_SETUP_create(part, chosen));
    UF_free_string_array(count, const_cast<char **>(types));
}

// Walks static_plan_list until `found` accepts an operation; 1 with the nodes when it does.
int walk_plan(const char *name, oper **oper_p, prog_group **group_p, r_m_f_or_other **rmf_p) {
    for (r_m_f_or_other *r_m_f_or_other_current_p = static_plan_list; r_m_f_or_other_current_p;
         r_m_f_or_other_current_p = r_m_f_or_other_current_p->next_p)
        for (prog_group *prog_group_current_p = r_m_f_or_other_current_p->prog_group_list_p; prog_group_current_p;
             prog_group_current_p = prog_group_current_p->next_p)
            for (oper *oper_current_p = prog_group_current_p->oper_list_p; oper_current_p;
                 oper_current_p = oper_current_p->next_p)
                if (name && MY_same_name_nocase(oper_current_p->name, name)) {
                    *oper_p = oper_current_p;
                    *group_p = prog_group_current_p;
                    *rmf_p = r_m_f_or_other_current_p;
                    return 1;
                }
    *oper_p = nullptr;
    *group_p = nullptr;
    *rmf_p = nullptr;
    return 0;
}

}  // namespace

int cam_type_exists(const char *type_name) {
    int count = 0;
    const char **types = nullptr;
    if (UF_CALL(UF_CAM_opt_ask_types(&count, &types)) != 0) return 0;
    int found = 0;
    for (int i = 0; i < count; ++i) found = found || std::strcmp(types[i], type_name) == 0;
    UF_free_string_array(count, const_cast<char **>(types));
    return found;
}

int ensure_cam_setup(const char *tag_01, const char *tag_02, int add_tt) {
    logical initialized = false;
    UF_CAM_is_session_initialized(&initialized);
    if (!initialized && UF_CAM_init_session() != 0) {
        show_tag(tag_01);
        return 0;
    }
    int count = 0;
    const char **types = nullptr;
    UF_CALL(UF_CAM_opt_ask_types(&count, &types));
    UF_free_string_array(count, const_cast<char **>(types));
    if (count < 1) {
        show_tag(tag_02);
        return 0;
    }
    if (add_tt && !cam_type_exists(TT_TYPE_NAME)) add_tt_type();
    tag_t setup = NULL_TAG;
    UF_CALL(UF_SETUP_ask_setup(&setup));
    if (setup == NULL_TAG) create_setup();
    return 1;
}

void get_unique_plan_name(const char *name, char out[PLAN_NAME_BUFSIZE]) { plan_name_set().unique(name, out); }

plan_name_set::plan_name_set() : names_(plan_names()) {}

void plan_name_set::unique(const char *name, char out[PLAN_NAME_BUFSIZE]) {
    unique_name(name ? name : "", true, [&](const char *candidate) { return names_.count(folded_name(candidate)) != 0; },
                out);
    names_.insert(folded_name(out));
}

void get_unique_nc_name(const char *name, char out[PLAN_NAME_BUFSIZE]) {
    unique_name(name ? name : "", false, nx_holds_name, out);
}

int create_nc_prog_group(const char *name, tag_t *group_tag, tag_t parent) {
    *group_tag = NULL_TAG;
    if (!name || !*name) {
        show_tag("create_nc_prog_grou_01:");
        return 0;
    }
    char cut[NC_NAME_MAX + 1];
    MY_copy_cut(cut, sizeof cut, name);
    if (!ensure_cam_setup("create_nc_prog_grou_02:", "create_nc_prog_grou_03:", 1)) return 0;
    char unique[PLAN_NAME_BUFSIZE];
    get_unique_nc_name(cut, unique);
    unique[NC_NAME_MAX] = '\0';
    char type_name[] = TT_TYPE_NAME, subtype_name[] = TT_PROGRAM_TEMPLATE;
    if (UF_CALL(UF_NCPROG_create(type_name, subtype_name, group_tag)) != 0 || *group_tag == NULL_TAG) return 0;
    if (!call_group_rename(*group_tag, unique)) uc1601(kRenameFailed, 1);
    if (parent == NULL_TAG) {
        show_tag("create_nc_prog_grou_08:");
        return 0;
    }
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    UF_CALL(UF_NCGROUP_can_accept_member(parent, *group_tag, &accepted, reason));
    if (!accepted) {
        std::string texts[2];
        if (!lookup_messages(TORVANE_LANG_FORMAT, {"create_nc_prog_grou_06:", "create_nc_prog_grou_07:"}, texts))
            return 0;
        char parent_name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_CALL(UF_OBJ_ask_name(parent, parent_name));
        std::string message = std::string(parent_name) + " " + texts[0] + " " + unique + " " + texts[1];
        uc1601(message.c_str(), 1);
        return 0;
    }
    UF_CALL(UF_NCGROUP_accept_member(parent, *group_tag));
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}

int find_oper_in_plan(const char *name, oper **oper_p, prog_group **group_p, r_m_f_or_other **rmf_p) {
    return walk_plan(name, oper_p, group_p, rmf_p);
}

int find_oper_group_in_plan(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p) {
    oper *found = nullptr;
    return walk_plan(name, &found, group_p, rmf_p);
}

int with_prog_group_name_ask_prog_group(const char *name, prog_group **group_p, r_m_f_or_other **rmf_p) {
    if (find_prog_group_node(name, group_p, rmf_p)) return 1;
    show_torvane_message("with_prog_group_name_ask_prog_grou_01:");
    return 0;
}
