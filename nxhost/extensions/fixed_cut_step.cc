// fixed_cut_step: the stepover of a fixed-contour operation, for its flat and its steep areas.
//
// The C API sets the constant stepover; it has no parameter for the separate stepover of steep
// areas, so that distance is kept on the operation as the real attribute "steep_step_dis", where
// the report and a later release of this library can read it.
#include <cstring>

#include "extension_key.h"
#include "uf_attr.h"
#include "uf_defs.h"
#include "uf_param.h"
#include "uf_param_indices.h"

// 1 when the stepover is set; 0 when NX refused it (or a bad call).
extern "C" DllExport int fixed_cut_step(tag_t oper, double step, double steep_step, int key) {
    if (key != QZ_EXTENSION_KEY || oper == NULL_TAG || !(step > 0.0)) return 0;
    if (UF_PARAM_set_int_value(oper, UF_PARAM_STEPOVER_TYPE, UF_PARAM_stepover_type_constant) != 0) return 0;
    if (UF_PARAM_set_double_value(oper, UF_PARAM_STEPOVER_DIST, step) != 0) return 0;
    char title[] = "steep_step_dis";
    UF_ATTR_value_t value;
    std::memset(&value, 0, sizeof value);
    value.type = UF_ATTR_real;
    value.value.real = steep_step;
    return UF_ATTR_assign(oper, title, value) == 0 ? 1 : 0;
}
