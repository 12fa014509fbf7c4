// The template scan of the CAM template part and the two insert template parts.
#include "torvane/plan/template_scan.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"
#include "torvane/plan/prog_group.h"
#include "torvane/setup/stock.h"
#include "uf.h"
#include "uf_assem.h"
#include "uf_cam.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"
#include "uf_part.h"
#include "uf_setup.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"

namespace {

const char kAddTypeFailed[] = "Open template file err!";
const char kOpenFailed[] = "open cam_template_file err";

// What one pass reads and how it builds its nodes.
struct scan_pass {
    int number;         // 0 plan, 1 insert groups, 2 insert operations
    bool current_part;  // pass 0 in edit-current-part mode: the displayed part, with its tags
    char path[MAX_FSPEC_BUFSIZE];
    char short_name[MAX_FSPEC_BUFSIZE];
};

// Members of an NX group, released with UF_free when the holder goes.
struct member_list {
    int count = 0;
    tag_t *tags = nullptr;
    ~member_list() {
        if (tags) UF_free(tags);
    }
};

int show_tag(const char *tag) {
    std::string text;
    if (!lookup_messages(TORVANE_LANG_FORMAT, {tag}, &text)) return 0;
    uc1601(text.c_str(), 1);
    return 1;
}

bool is_group(tag_t member) {
    logical answer = false;
    return UF_CALL(UF_NCGROUP_is_group(member, &answer)) == 0 && answer;
}

void name_of(tag_t object, char name[UF_OBJ_NAME_BUFSIZE]) {
    name[0] = '\0';
    UF_CALL(UF_OBJ_ask_name(object, name));
}

// The cutter's name into name and a new record of it; false (name empty) for no cutter and for
// the cutter named NONE in any letter case.
bool read_cutter(tag_t cutter, char name[PLAN_NAME_BUFSIZE], std::shared_ptr<tool_data> *record) {
    name[0] = '\0';
    if (cutter == NULL_TAG) return false;
    char nx_name[UF_OBJ_NAME_BUFSIZE];
    name_of(cutter, nx_name);
    copy_cutter_name(name, nx_name);
    if (name[0] == '\0') return false;
    tool_data *made = new (std::nothrow) tool_data();
    if (!made) return false;
    *record = std::shared_ptr<tool_data>(made);
    MY_read_tool_data_from_tool(cutter, made);
    return true;
}

oper *read_oper(tag_t member, const scan_pass &pass) {
    char name[UF_OBJ_NAME_BUFSIZE];
    name_of(member, name);
    int type = 0, subtype = 0;
    UF_CALL(UF_OBJ_ask_type_and_subtype(member, &type, &subtype));
    oper *node = new_oper_node(name, type, subtype, pass.current_part ? member : NULL_TAG);
    if (!node) return nullptr;
    MY_copy_cut(node->template_file, sizeof node->template_file, pass.short_name);
    tag_t cutter = NULL_TAG, ref_cutter = NULL_TAG;
    UF_CALL(UF_OPER_ask_cutter_group(member, &cutter));
    read_cutter(cutter, node->tool_name, &node->tool_data_p);
    UF_CALL(UF_OPER_ask_ref_cutter(member, &ref_cutter));
    read_cutter(ref_cutter, node->ref_tool_name, &node->ref_tool_data_p);
    ask_part_floor_stock(member, &node->part_stock, &node->floor_stock);
    double stock = 0.0;
    if (ask_name_stock(member, &stock)) {
        node->has_name_stock = 1;
        node->name_stock = stock;
    }
    return node;
}

void read_program_group(tag_t group, const scan_pass &pass, r_m_f_or_other *top) {
    member_list members;
    UF_CALL(UF_NCGROUP_ask_member_list(group, &members.count, &members.tags));
    for (int i = 0; i < members.count; ++i) {
        if (!is_group(members.tags[i])) continue;
        char name[UF_OBJ_NAME_BUFSIZE];
        name_of(members.tags[i], name);
        if (plan_skips_program_group(name)) continue;
        prog_group *node =
            new_prog_group_node(name, pass.current_part ? members.tags[i] : NULL_TAG, pass.number == 0 ? 0 : 1);
        if (!node) continue;
        append_prog_group_node(top, node);
        member_list opers;
        UF_CALL(UF_NCGROUP_ask_member_list(members.tags[i], &opers.count, &opers.tags));
        for (int k = 0; k < opers.count; ++k) {
            if (is_group(opers.tags[k])) continue;
            if (oper *o = read_oper(opers.tags[k], pass)) append_oper_node(node, o);
        }
    }
}

r_m_f_or_other *read_tree(tag_t program_root, const scan_pass &pass) {
    r_m_f_or_other *tree = nullptr;
    member_list members;
    UF_CALL(UF_NCGROUP_ask_member_list(program_root, &members.count, &members.tags));
    for (int i = 0; i < members.count; ++i) {
        if (!is_group(members.tags[i])) continue;
        char name[UF_OBJ_NAME_BUFSIZE];
        name_of(members.tags[i], name);
        if (plan_skips_class_group(name)) continue;
        r_m_f_or_other *node = new_rmf_node(name, pass.current_part ? members.tags[i] : NULL_TAG);
        if (!node) continue;
        append_rmf_node(&tree, node);
        read_program_group(members.tags[i], pass, node);
    }
    return tree;
}

// Makes the pass's template part the displayed one; 0 after the message when it can't be opened.
int display_template(const scan_pass &pass) {
    if (!cam_type_exists(pass.short_name) && UF_CAM_opt_add_type(pass.path) != 0) uc1601(kAddTypeFailed, 1);
    tag_t part = NULL_TAG;
    const int loaded = UF_PART_is_loaded(pass.path);
    if (loaded == 1 || loaded == 2) {
        part = UF_PART_ask_part_tag(pass.path);
    } else {
        UF_PART_load_status_t status{};
        const int rc = UF_PART_open_quiet(pass.path, &part, &status);
        UF_PART_free_load_status(&status);
        if (rc != 0 || part == NULL_TAG) {
            uc1601(kOpenFailed, 1);
            return 0;
        }
    }
    UF_CALL(UF_PART_set_display_part(part));
    return 1;
}

int run_pass(scan_pass *pass, const char *template_file, r_m_f_or_other **tree_p) {
    if (!ensure_cam_setup("get_template_group_and_ope_01:", "get_template_group_and_ope_02:", 0)) return 0;
    if (pass->current_part) {
        UF_CALL(UF_PART_ask_part_name(UF_PART_ask_display_part(), pass->path));
    } else if (pass->number == 0) {
        std::snprintf(pass->path, sizeof pass->path, "%s%s", CAM_TEMPLATE_DIR_PREFIX, template_file);
    } else {
        std::strcpy(pass->path, pass->number == 1 ? INSERT_GROUP_TEMPLATE_PART : INSERT_OPER_TEMPLATE_PART);
    }
    MY_divide_part_name(pass->path, pass->short_name);
    if (!pass->current_part && !display_template(*pass)) return 0;
    tag_t setup = NULL_TAG, program_root = NULL_TAG;
    UF_CALL(UF_SETUP_ask_setup(&setup));
    if (setup == NULL_TAG) {
        show_tag("get_template_group_and_ope_03:");
        return 0;
    }
    // A root NX could not give is read as a template without groups.
    UF_CALL(UF_SETUP_ask_program_root(setup, &program_root));
    r_m_f_or_other *tree = program_root != NULL_TAG ? read_tree(program_root, *pass) : nullptr;
    free_plan_tree(tree_p);
    *tree_p = tree;
    return 1;
}

}  // namespace

int get_template_group_and_oper(const char *template_file, r_m_f_or_other **plan_p,
                                r_m_f_or_other **insert_group_p, r_m_f_or_other **insert_oper_p) {
    const tag_t entry_part = UF_PART_ask_display_part();
    r_m_f_or_other **trees[] = {plan_p, insert_group_p, insert_oper_p};
    for (int number = 0; number < 3; ++number) {
        scan_pass pass{number, number == 0 && static_edit_current_part != 0, "", ""};
        if (!run_pass(&pass, template_file ? template_file : "", trees[number])) return 0;
    }
    // The work part follows the displayed part; it cannot when NX did not display it again.
    if (UF_CALL(UF_PART_set_display_part(entry_part)) == 0) UF_CALL(UF_ASSEM_set_work_part(entry_part));
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}
