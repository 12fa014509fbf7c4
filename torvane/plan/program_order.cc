// Program tree order after the plan.
#include "torvane/plan/program_order.h"

#include <string>

#include "my_func/my_func.h"
#include "torvane/state/messages.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_setup.h"
#include "uf_ui.h"
#include "uf_ui_ont.h"
#include "uf_undo.h"

namespace {

std::string object_name(tag_t object) {
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_CALL(UF_OBJ_ask_name(object, name));
    return name;
}

// Out to the null group and back into parent: the object ends up last among parent's members.
int move_to_end(tag_t program_null, tag_t parent, tag_t object) {
    if (object == NULL_TAG) return 1;
    return move_obj_to_ncgroup(program_null, object) && move_obj_to_ncgroup(parent, object);
}

int move_plan_in_order(tag_t program_root, tag_t program_null) {
    for (r_m_f_or_other *rmf = static_plan_list; rmf; rmf = rmf->next_p) {
        if (!move_to_end(program_null, program_root, rmf->obj_tag)) return 0;
        for (prog_group *group = rmf->prog_group_list_p; group; group = group->next_p) {
            if (rmf->obj_tag != NULL_TAG && !move_to_end(program_null, rmf->obj_tag, group->obj_tag)) return 0;
            for (oper *node = group->oper_list_p; node; node = node->next_p)
                if (group->obj_tag != NULL_TAG && !move_to_end(program_null, group->obj_tag, node->obj_tag)) return 0;
        }
    }
    return 1;
}

}  // namespace

int move_obj_to_ncgroup(tag_t group, tag_t object) {
    logical accepted = false;
    char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
    UF_CALL(UF_NCGROUP_can_accept_member(group, object, &accepted, reason));
    if (accepted && UF_CALL(UF_NCGROUP_accept_member(group, object)) == 0) return 1;
    std::string first, second;
    if (!torvane_text("move_obj_to_ncgrou_01:", &first) || !torvane_text("move_obj_to_ncgrou_02:", &second)) return 0;
    const std::string text = first + " " + object_name(object) + " " + second + " " + object_name(group);
    uc1601(text.c_str(), 1);
    return 0;
}

int sync_program_order(void) {
    UF_UNDO_mark_id_t mark = 0;
    UF_CALL(UF_UNDO_set_mark(UF_UNDO_visible, nullptr, &mark));
    tag_t setup = NULL_TAG, program_root = NULL_TAG, program_null = NULL_TAG;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) != 0 || setup == NULL_TAG ||
        UF_CALL(UF_SETUP_ask_program_root(setup, &program_root)) != 0 ||
        UF_CALL(UF_SETUP_ask_program_null(setup, &program_null)) != 0)
        return 0;
    const int done = move_plan_in_order(program_root, program_null);
    if (!done) UF_CALL(UF_UNDO_undo_to_last_mark(UF_UNDO_visible, &mark));
    UF_CALL(UF_UI_ONT_refresh());
    return done;
}
