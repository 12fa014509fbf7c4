// Values and record layouts of the NX Open headers that are easy to get wrong
// and that a program compiled against the real SDK depends on.
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <uf.h>
#include <uf_attr.h>
#include <uf_cam.h>
#include <uf_modl.h>
#include <uf_object_types.h>
#include <uf_obj.h>
#include <uf_param_indices.h>
#include <uf_part.h>
#include <uf_styler.h>
#include <uf_ugopenint.h>
#include <uf_ui.h>

#include "header_layout_c.h"

namespace {

struct ConstantCase {
    const char *name;
    long long actual;
    long long expected;
};
#define NX_CONSTANT(name, expected) ConstantCase{#name, static_cast<long long>(name), expected}

const ConstantCase kConstants[] = {
    NX_CONSTANT(UF_UI_OK, 2),
    NX_CONSTANT(UF_UI_CANCEL, 3),
    NX_CONSTANT(UF_UI_BACK, 4),
    NX_CONSTANT(UF_UI_APPLY, 5),
    NX_CONSTANT(UF_UI_OBJECT_SELECTED, 7),
    NX_CONSTANT(UF_UI_CB_EXIT_DIALOG, 1),
    NX_CONSTANT(UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY, 3),
    NX_CONSTANT(UF_UI_SEL_FEATURE_ANY_FACE, 20),
    NX_CONSTANT(UF_UI_SEL_FEATURE_SOLID_BODY, 36),
    NX_CONSTANT(UF_UI_SEL_MASK_CLEAR_AND_ENABLE_SPECIFIC, 3),
    NX_CONSTANT(UF_UNLOAD_IMMEDIATELY, 1),
    NX_CONSTANT(UF_STYLER_VALUE, 2),
    NX_CONSTANT(UF_STYLER_SUBITEM_VALUES, 6),
    NX_CONSTANT(UF_STYLER_LIST_INSERT, 13),
    NX_CONSTANT(UF_STYLER_LIST_DELETE, 14),
    NX_CONSTANT(UF_STYLER_CONSTRUCTOR_CB, 8),
    NX_CONSTANT(UF_STYLER_DESTRUCTOR_CB, 9),
    NX_CONSTANT(UF_STYLER_INTEGER_PTR_VALUE, 3),
    NX_CONSTANT(UF_STYLER_NO_SUB_INDEX, -1),
    NX_CONSTANT(UF_MODL_SOLID_BODY, 5601),
    NX_CONSTANT(UF_MODL_SHEET_BODY, 5602),
    NX_CONSTANT(UF_MODL_PLANAR_FACE, 22),
    NX_CONSTANT(UF_MODL_LINEAR_EDGE, 3001),
    NX_CONSTANT(UF_NULLSIGN, 0),
    NX_CONSTANT(UF_solid_type, 70),
    NX_CONSTANT(UF_solid_body_subtype, 0),
    NX_CONSTANT(UF_solid_face_subtype, 2),
    NX_CONSTANT(UF_solid_edge_subtype, 3),
    NX_CONSTANT(UF_machining_operation_type, 100),
    NX_CONSTANT(UF_machining_geometry_grp_type, 105),
    NX_CONSTANT(UF_machining_tool_type, 109),
    NX_CONSTANT(UF_machining_task_type, 121),
    NX_CONSTANT(UF_mach_order_task_subtype, 160),
    NX_CONSTANT(UF_mill_orient_subtype, 30),
    NX_CONSTANT(UF_mach_cavity_milling_subtype, 260),
    NX_CONSTANT(UF_mach_zlevel_milling_subtype, 263),
    NX_CONSTANT(UF_mach_plunge_milling_subtype, 265),
    NX_CONSTANT(UF_CAM_cut_area, 4),
    NX_CONSTANT(UF_ATTR_string, 5),
    NX_CONSTANT(UF_ATTR_any, 6),
    NX_CONSTANT(UF_PARAM_TL_DIAMETER, 1000),
    NX_CONSTANT(UF_PARAM_TL_NUM_FLUTES, 1017),
    NX_CONSTANT(UF_PARAM_TL_NUMBER, 1038),
    NX_CONSTANT(UF_PARAM_CUTLEV_RANGE_TYPE, 5400),
    NX_CONSTANT(MAX_FSPEC_BUFSIZE, 3469),
    NX_CONSTANT(UF_OBJ_NAME_BUFSIZE, 385),
    NX_CONSTANT(UF_err_program_not_initialized, 1105000),
};

TEST(NxOpenConstants, HaveTheValuesNxUses)
{
    for (const ConstantCase &c : kConstants)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

struct FieldOrderCase {
    const char *record;
    std::vector<std::size_t> offsets;  // fields in NX's declaration order
};

const FieldOrderCase kFieldOrders[] = {
    {"UF_STYLER_item_value_type_t",
     {offsetof(UF_STYLER_item_value_type_t, reason), offsetof(UF_STYLER_item_value_type_t, item_id),
      offsetof(UF_STYLER_item_value_type_t, subitem_index), offsetof(UF_STYLER_item_value_type_t, count),
      offsetof(UF_STYLER_item_value_type_t, item_attr), offsetof(UF_STYLER_item_value_type_t, indicator),
      offsetof(UF_STYLER_item_value_type_t, value)}},
    {"UF_STYLER_callback_info_t",
     {offsetof(UF_STYLER_callback_info_t, object_id), offsetof(UF_STYLER_callback_info_t, cb_type),
      offsetof(UF_STYLER_callback_info_t, is_dialog_launching_cb),
      offsetof(UF_STYLER_callback_info_t, callback_proc)}},
    {"UF_ATTR_value_t", {offsetof(UF_ATTR_value_t, type), offsetof(UF_ATTR_value_t, value)}},
    {"UF_UI_selection_options_t",
     {offsetof(UF_UI_selection_options_t, num_mask_triples), offsetof(UF_UI_selection_options_t, mask_triples),
      offsetof(UF_UI_selection_options_t, scope), offsetof(UF_UI_selection_options_t, other_options),
      offsetof(UF_UI_selection_options_t, reserved)}},
    {"UF_UI_mask_t",
     {offsetof(UF_UI_mask_t, object_type), offsetof(UF_UI_mask_t, object_subtype),
      offsetof(UF_UI_mask_t, solid_type)}},
    {"UF_OBJ_disp_props_t",
     {offsetof(UF_OBJ_disp_props_t, layer), offsetof(UF_OBJ_disp_props_t, color),
      offsetof(UF_OBJ_disp_props_t, blank_status), offsetof(UF_OBJ_disp_props_t, line_width),
      offsetof(UF_OBJ_disp_props_t, font), offsetof(UF_OBJ_disp_props_t, highlight_status)}},
    {"UF_PART_load_status_t",
     {offsetof(UF_PART_load_status_t, failed), offsetof(UF_PART_load_status_t, user_abort),
      offsetof(UF_PART_load_status_t, n_parts), offsetof(UF_PART_load_status_t, file_names),
      offsetof(UF_PART_load_status_t, statuses)}},
    {"UF_PARAM_feedrate_t",
     {offsetof(UF_PARAM_feedrate_t, unit), offsetof(UF_PARAM_feedrate_t, value),
      offsetof(UF_PARAM_feedrate_t, color)}},
};

TEST(NxOpenRecords, DeclareTheirFieldsInNxOrder)
{
    for (const FieldOrderCase &c : kFieldOrders)
        for (std::size_t i = 1; i < c.offsets.size(); ++i)
            EXPECT_LT(c.offsets[i - 1], c.offsets[i]) << c.record << ": field " << i << " is out of order";
}

// A braced initialiser sets a union's first member, and list-initialisation
// refuses narrowing, so what it accepts reveals the first member's type.
template <class Union, class From, class = void>
struct InitialisesFirstMemberFrom : std::false_type {};
template <class Union, class From>
struct InitialisesFirstMemberFrom<Union, From, std::void_t<decltype(Union{std::declval<From &>()})>>
    : std::true_type {};

TEST(NxOpenUnions, StartWithTheMemberNxDeclaresFirst)
{
    // UF_ATTR_value_u begins with logical boolean, then int integer, double real.
    using Attr = UF_ATTR_value_u_t;
    EXPECT_TRUE((InitialisesFirstMemberFrom<Attr, logical>::value)) << "UF_ATTR_value_u";
    EXPECT_FALSE((InitialisesFirstMemberFrom<Attr, int>::value)) << "UF_ATTR_value_u starts with an int";
    EXPECT_FALSE((InitialisesFirstMemberFrom<Attr, double>::value)) << "UF_ATTR_value_u starts with a double";
    // UF_STYLER_value_u begins with char *string, not char **strings.
    using Styler = UF_STYLER_value_t;
    EXPECT_TRUE((InitialisesFirstMemberFrom<Styler, char *>::value)) << "UF_STYLER_value_u";
    EXPECT_FALSE((InitialisesFirstMemberFrom<Styler, char **>::value)) << "UF_STYLER_value_u starts with strings";
}

TEST(NxOpenRecords, HaveTheSizesNxUses)
{
    EXPECT_EQ(sizeof(tag_t), 4u);
    EXPECT_EQ(sizeof(UF_ATTR_value_u_t), sizeof(double));
    // The attachment member (seven shorts and three item ids) sizes the styler union.
    EXPECT_EQ(sizeof(UF_STYLER_value_t), sizeof(UF_UI_attachment_t));
    if (sizeof(void *) == 8) {
        EXPECT_EQ(sizeof(UF_STYLER_value_t), 40u);
    }
}

TEST(NxOpenRecords, HaveTheSameLayoutInCAndCxx)
{
#define NXOPEN_AS_CASE(fact) std::make_pair(#fact, static_cast<std::size_t>(fact)),
    const std::pair<const char *, std::size_t> cxx[] = {NXOPEN_LAYOUT_FACTS(NXOPEN_AS_CASE)};
#undef NXOPEN_AS_CASE
    ASSERT_EQ(nxopen_c_layout_count, sizeof cxx / sizeof cxx[0]);
    for (std::size_t i = 0; i < nxopen_c_layout_count; ++i)
        EXPECT_EQ(nxopen_c_layout[i], cxx[i].second) << cxx[i].first;
}

}  // namespace
