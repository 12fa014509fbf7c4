// oper_from_template: a new operation copied from an operation of a template part, placed in a
// program group, under a cutter and in a geometry group, with the template's parameters.
//
// The template part has been added as a CAM configuration type of its own name (the template
// scan does that), so its operations are templates of that type; the copy also joins the
// method group of the template operation's method name when the work part has one.
#include <cstring>

#include "uf.h"
#include "uf_defs.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace {

bool of_type(tag_t object, int wanted) {
    int type = 0, subtype = 0;
    return UF_OBJ_ask_type_and_subtype(object, &type, &subtype) == 0 && type == wanted;
}

// The groups fit their views: a program group (or the program root), a cutter, a geometry group.
bool groups_fit(tag_t prog_group, tag_t tool, tag_t geom_group) {
    tag_t setup = NULL_TAG, program_root = NULL_TAG, root = NULL_TAG;
    if (UF_SETUP_ask_setup(&setup) != 0 || UF_SETUP_ask_program_root(setup, &program_root) != 0 ||
        UF_NCGROUP_ask_root_of_object(prog_group, &root) != 0 || root != program_root)
        return false;
    return (tool == NULL_TAG || of_type(tool, UF_machining_tool_type)) &&
           (geom_group == NULL_TAG || of_type(geom_group, UF_machining_geometry_grp_type));
}

// The template operation's method group name in its part; false when it cannot be told.
bool template_method_name(const char *template_file, const char *template_oper, char name[UF_OBJ_NAME_BUFSIZE]) {
    const tag_t part = UF_PART_ask_part_tag(template_file);
    if (part == NULL_TAG) return false;
    tag_t oper = NULL_TAG, method = NULL_TAG;
    if (UF_OBJ_cycle_by_name_and_type(part, template_oper, UF_machining_operation_type, false, &oper) != 0 ||
        oper == NULL_TAG)
        return false;
    return UF_OPER_ask_method_group(oper, &method) == 0 && method != NULL_TAG && UF_OBJ_ask_name(method, name) == 0;
}

// Puts the operation into the work part's method group of that name, if there is one.
void join_method(tag_t oper, const char *method_name) {
    const tag_t work = UF_PART_ask_display_part();
    tag_t method = NULL_TAG;
    if (work == NULL_TAG ||
        UF_OBJ_cycle_by_name_and_type(work, method_name, UF_machining_mthd_type, false, &method) != 0 ||
        method == NULL_TAG)
        return;
    logical ok = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE];
    if (UF_NCGROUP_can_accept_member(method, oper, &ok, reason) == 0 && ok) UF_NCGROUP_accept_member(method, oper);
}

}  // namespace

// The new operation's tag; NULL_TAG when it could not be made or placed (nothing is left then).
extern "C" DllExport tag_t oper_from_template(const char *template_file, const char *template_oper, tag_t prog_group,
                                              tag_t tool, tag_t geom_group) {
    if (!template_file || !template_oper || prog_group == NULL_TAG || !groups_fit(prog_group, tool, geom_group))
        return NULL_TAG;
    char type_name[MAX_FSPEC_BUFSIZE] = "";
    char subtype_name[UF_OBJ_NAME_BUFSIZE] = "";
    std::strncat(type_name, template_file, sizeof type_name - 1);
    std::strncat(subtype_name, template_oper, sizeof subtype_name - 1);
    tag_t oper = NULL_TAG;
    if (UF_OPER_create(type_name, subtype_name, &oper) != 0 || oper == NULL_TAG) return NULL_TAG;
    bool placed = UF_NCGROUP_accept_member(prog_group, oper) == 0;
    if (placed && tool != NULL_TAG) placed = UF_NCGROUP_accept_member(tool, oper) == 0;
    if (placed && geom_group != NULL_TAG) placed = UF_NCGROUP_accept_member(geom_group, oper) == 0;
    if (!placed) {
        UF_OBJ_delete_object(oper);
        return NULL_TAG;
    }
    char method[UF_OBJ_NAME_BUFSIZE];
    if (template_method_name(template_file, template_oper, method)) join_method(oper, method);
    return oper;
}
