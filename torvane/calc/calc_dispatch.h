// Which builder makes a planned operation: chosen by the template operation's subtype, then by the
// first type key of its family found in the operation's name, in the table's order. Face lists
// named in a row apply only when they hold faces; the fallback rows only with TOGGLE_38 on.
#ifndef TORVANE_CALC_DISPATCH_H_INCLUDED
#define TORVANE_CALC_DISPATCH_H_INCLUDED

#include "my_func_cam/face_slopes.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/plan.h"
#include "uf_modl_types.h"

// The builders, by family.
enum oper_builder {
    BUILD_CAV_TOP,
    BUILD_CAV_FK_TOP,
    BUILD_CAV_BOT,
    BUILD_CAV_EDM,
    BUILD_CAV_MAX_EDM,
    BUILD_ZLE_FACE_ANGLE,
    BUILD_FIX_FACE_LIST,  // fixed contour on a face list
    BUILD_FIX_SEL_SUR,
    BUILD_FIX_TEXT,
    BUILD_FACE_ALL,
    BUILD_FACE_EDM,
    BUILD_FACE_BOT,
    BUILD_PLAN_EDM,
    BUILD_PLA_EDM_TO_BOT,
    BUILD_PLA_M_E_TO_BOT,
    BUILD_PLA_TOP_TO_BOT,
    BUILD_PLAN_LINE_TOP,
    BUILD_NONE
};

// The row taken for an operation: its builder, the type key that chose it (null for a fallback)
// and the face list it works on (null for none).
struct dispatch_choice {
    oper_builder builder = BUILD_NONE;
    const char *key = nullptr;
    const face_list *faces = nullptr;
};

// The row for an operation of that subtype and name, with the face lists of sets (null: every
// list empty) and the fallback rows on or off. BUILD_NONE when no row applies.
dispatch_choice choose_builder(int subtype, const char *name, const face_sets *sets, int fallback_on);

// One operation of the plan handed to its builder, with what the driver gives every builder.
struct dispatch_call {
    int dialog_id = 0;
    r_m_f_or_other *rmf = nullptr;
    prog_group *group = nullptr;
    oper *node = nullptr;
    from_side_start_point *start_points = nullptr;
    uf_list_p_t calc_oper_list = nullptr;
};

// Builds the operation with the builder its row chooses (TOGGLE_38 and static_face_sets); an
// operation no row takes is left alone. A builder's own failure only leaves the node without
// obj_tag (or with an operation it could not finish): the walk goes on. Returns 1.
int dispatch_oper(const dispatch_call &call);

#endif
