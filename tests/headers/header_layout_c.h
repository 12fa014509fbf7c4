// Sizes and offsets of the API records that a C and a C++ compiler must agree on: NX is
// called from both, so a record laid out differently would be read wrongly across the boundary.
#ifndef TESTS_HEADERS_HEADER_LAYOUT_C_H
#define TESTS_HEADERS_HEADER_LAYOUT_C_H

#include <stddef.h>

#include <uf_attr.h>
#include <uf_drf.h>
#include <uf_obj.h>
#include <uf_param_indices.h>
#include <uf_part.h>
#include <uf_styler.h>
#include <uf_ui.h>

#define NXOPEN_LAYOUT_FACTS(X)                                                                  \
    X(sizeof(logical)) X(sizeof(UF_ATTR_value_t))                                               \
    X(offsetof(UF_ATTR_value_t, value)) X(sizeof(UF_STYLER_value_t))                            \
    X(sizeof(UF_STYLER_item_value_type_t)) X(offsetof(UF_STYLER_item_value_type_t, value))      \
    X(sizeof(UF_STYLER_callback_info_t)) X(offsetof(UF_STYLER_callback_info_t, callback_proc))  \
    X(sizeof(UF_UI_option_toggle_t)) X(sizeof(UF_UI_selection_options_t))                       \
    X(sizeof(UF_OBJ_disp_props_t)) X(sizeof(UF_PART_load_status_t))                             \
    X(offsetof(UF_PART_load_status_t, n_parts)) X(sizeof(UF_PARAM_feedrate_t))                  \
    X(sizeof(UF_DRF_lettering_preferences_t)) X(offsetof(UF_DRF_lettering_preferences_t, general_text)) \
    X(offsetof(UF_DRF_lettering_preferences_t, dim_tol_text_space_factor))

#ifdef __cplusplus
extern "C" {
#endif

// The facts above in list order, as the C compiler computed them.
extern const size_t nxopen_c_layout[];
extern const size_t nxopen_c_layout_count;

#ifdef __cplusplus
}
#endif

#endif
