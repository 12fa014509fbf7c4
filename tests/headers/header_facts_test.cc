// Values and record layouts of the NX Open headers that are easy to get wrong
// and that a program compiled against the real SDK depends on.
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <uf.h>
#include <uf_cam.h>
#include <uf_cambnd.h>
#include <uf_camgeom.h>
#include <uf_cut_levels.h>
#include <uf_csys.h>
#include <uf_cutter.h>
#include <uf_drf.h>
#include <uf_ncgroup.h>
#include <uf_modl.h>
#include <uf_object_types.h>
#include <uf_ugopenint.h>

#include "header_layout_c.h"

namespace {

struct ConstantCase {
    const char *name;
    long long actual;
    long long expected;
};
#define NX(name, expected) ConstantCase{#name, static_cast<long long>(name), expected}

const ConstantCase kConstants[] = {
    NX(UF_UI_OK, 2), NX(UF_UI_CANCEL, 3), NX(UF_UI_BACK, 4), NX(UF_UI_APPLY, 5), NX(UF_UI_OBJECT_SELECTED, 7),
    NX(UF_UI_CB_EXIT_DIALOG, 1), NX(UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY, 3), NX(UF_UI_SEL_FEATURE_ANY_FACE, 20),
    NX(UF_UI_SEL_FEATURE_SOLID_BODY, 36), NX(UF_UI_SEL_MASK_CLEAR_AND_ENABLE_SPECIFIC, 3),
    NX(UF_UNLOAD_IMMEDIATELY, 1), NX(UF_STYLER_VALUE, 2), NX(UF_STYLER_SUBITEM_VALUES, 6),
    NX(UF_STYLER_LIST_INSERT, 13), NX(UF_STYLER_LIST_DELETE, 14), NX(UF_STYLER_CONSTRUCTOR_CB, 8),
    NX(UF_STYLER_DESTRUCTOR_CB, 9), NX(UF_STYLER_INTEGER_PTR_VALUE, 3), NX(UF_STYLER_NO_SUB_INDEX, -1),
    NX(UF_MODL_SOLID_BODY, 5601), NX(UF_MODL_SHEET_BODY, 5602), NX(UF_MODL_PLANAR_FACE, 22),
    NX(UF_MODL_LINEAR_EDGE, 3001), NX(UF_NULLSIGN, 0), NX(UF_solid_type, 70), NX(UF_solid_body_subtype, 0),
    NX(UF_solid_face_subtype, 2), NX(UF_solid_edge_subtype, 3), NX(UF_machining_operation_type, 100),
    NX(UF_machining_geometry_grp_type, 105), NX(UF_machining_tool_type, 109), NX(UF_machining_task_type, 121),
    NX(UF_mach_order_task_subtype, 160), NX(UF_mill_orient_subtype, 30), NX(UF_mach_cavity_milling_subtype, 260),
    NX(UF_mach_zlevel_milling_subtype, 263), NX(UF_mach_plunge_milling_subtype, 265), NX(UF_CAM_cut_area, 4),
    NX(UF_ATTR_string, 5), NX(UF_ATTR_any, 6), NX(UF_PARAM_TL_DIAMETER, 1000), NX(UF_PARAM_TL_NUM_FLUTES, 1017),
    NX(UF_PARAM_TL_NUMBER, 1038), NX(UF_PARAM_CUTLEV_RANGE_TYPE, 5400), NX(MAX_FSPEC_BUFSIZE, 3469),
    NX(UF_OBJ_NAME_BUFSIZE, 385), NX(UF_err_program_not_initialized, 1105000),
    NX(UF_CAM_auto_block_type, 3), NX(UF_CAM_OPT_STYPE_CLS_OPER, 1), NX(UF_CAM_OPT_STYPE_CLS_GEOM, 5),
    NX(UF_CAMGEOM_cut_region_start_type, 1), NX(UF_CAM_material_side_out_right, 2), NX(UF_CUTTER_SUBTYPE_MILL_BALL, 4),
    NX(UF_PARAM_clv_range_single, 2), NX(UF_NCGROUP_MAX_REASON_BUFSIZE, 3073),
    NX(UF_CSYS_ROOT_COORDS, 1), NX(UF_CSYS_WORK_COORDS, 2), NX(UF_CSYS_ROOT_WCS_COORDS, 3),
    NX(UF_CSYS_ERR_INVALID_COORDS, 1100000), NX(UF_drafting_entity_type, 25), NX(UF_draft_note_subtype, 1),
    NX(UF_font_table_type, 27), NX(UF_DRF_TEXT_LEFT, 1), NX(UF_DRF_TEXT_RIGHT, 3), NX(UF_DRF_ALIGN_TOP_LEFT, 1),
    NX(UF_DRF_ALIGN_MID_CENTER, 5), NX(UF_DRF_ALIGN_BOTTOM_RIGHT, 9), NX(UF_DRF_NORMAL, 1), NX(UF_DRF_THIN, 3),
    NX(UF_DRF_THICKNESS_ONE, 6), NX(UF_DRF_THICKNESS_NINE, 14),
};

TEST(NxOpenConstants, HaveTheValuesNxUses)
{
    for (const ConstantCase &c : kConstants)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

// Offsets of the given fields of one record, in the order given.
template <class Record, class... Field>
std::vector<std::ptrdiff_t> offsets(Field Record::*... fields)
{
    static const Record record{};
    const char *base = reinterpret_cast<const char *>(&record);
    return {(reinterpret_cast<const char *>(&(record.*fields)) - base)...};
}

TEST(NxOpenRecords, DeclareTheirFieldsInNxOrder)
{
    using Item = UF_STYLER_item_value_type_t;
    using Callback = UF_STYLER_callback_info_t;
    using Selection = UF_UI_selection_options_t;
    using Props = UF_OBJ_disp_props_t;
    using Load = UF_PART_load_status_t;
    using GeomData = UF_CAMGEOM_app_data_t;
    using Point = UF_CAMGEOM_custom_point_t;
    using BndData = UF_CAMBND_app_data_t;
    using Bound = UF_CAMBND_boundary_data_t;
    using Lettering = UF_DRF_lettering_t;
    using LetteringPrefs = UF_DRF_lettering_preferences_t;
    const std::pair<const char *, std::vector<std::ptrdiff_t>> records[] = {
        {"UF_STYLER_item_value_type_t", offsets(&Item::reason, &Item::item_id, &Item::subitem_index, &Item::count,
                                                &Item::item_attr, &Item::indicator, &Item::value)},
        {"UF_STYLER_callback_info_t",
         offsets(&Callback::object_id, &Callback::cb_type, &Callback::is_dialog_launching_cb, &Callback::callback_proc)},
        {"UF_ATTR_value_t", offsets(&UF_ATTR_value_t::type, &UF_ATTR_value_t::value)},
        {"UF_UI_selection_options_t", offsets(&Selection::num_mask_triples, &Selection::mask_triples,
                                              &Selection::scope, &Selection::other_options, &Selection::reserved)},
        {"UF_UI_mask_t", offsets(&UF_UI_mask_t::object_type, &UF_UI_mask_t::object_subtype, &UF_UI_mask_t::solid_type)},
        {"UF_OBJ_disp_props_t", offsets(&Props::layer, &Props::color, &Props::blank_status, &Props::line_width,
                                        &Props::font, &Props::highlight_status)},
        {"UF_PART_load_status_t",
         offsets(&Load::failed, &Load::user_abort, &Load::n_parts, &Load::file_names, &Load::statuses)},
        {"UF_PARAM_feedrate_t",
         offsets(&UF_PARAM_feedrate_t::unit, &UF_PARAM_feedrate_t::value, &UF_PARAM_feedrate_t::color)},
        {"UF_CUTTER_holder_section_t",
         offsets(&UF_CUTTER_holder_section_t::diameter, &UF_CUTTER_holder_section_t::length,
                 &UF_CUTTER_holder_section_t::taper, &UF_CUTTER_holder_section_t::corner)},
        {"UF_CUT_LEVEL_single_t", offsets(&UF_CUT_LEVEL_single_t::entity_tag, &UF_CUT_LEVEL_single_t::z_level,
                                          &UF_CUT_LEVEL_single_t::local_cut_depth)},
        {"UF_CUT_LEVELS_t", offsets(&UF_CUT_LEVELS_t::num_levels, &UF_CUT_LEVELS_t::cut_levels,
                                    &UF_CUT_LEVELS_t::num_top_off_levels, &UF_CUT_LEVELS_t::top_off_levels)},
        {"UF_CAMGEOM_app_data_t",
         offsets(&GeomData::has_stock, &GeomData::stock, &GeomData::has_cut_stock, &GeomData::cut_stock,
                 &GeomData::has_tolerances, &GeomData::tolerances, &GeomData::has_feedrate, &GeomData::feedrate_unit,
                 &GeomData::feedrate_value, &GeomData::has_offset, &GeomData::offsetType, &GeomData::nominalOffset,
                 &GeomData::offset, &GeomData::has_avoidance_type, &GeomData::avoidance_type)},
        {"UF_CAMGEOM_custom_point_t",
         offsets(&Point::point_tag, &Point::point_acs, &Point::upper_depth, &Point::lower_depth, &Point::depth)},
        {"UF_CAMBND_app_data_t",
         offsets(&BndData::has_stock, &BndData::stock, &BndData::has_tolerances, &BndData::tolerances,
                 &BndData::has_feedrate, &BndData::feedrate_unit, &BndData::feedrate_value, &BndData::has_blank_distance,
                 &BndData::blank_distance, &BndData::has_tool_position, &BndData::tool_position)},
        {"UF_CAMBND_boundary_data_t",
         offsets(&Bound::boundary_type, &Bound::plane_type, &Bound::origin, &Bound::matrix, &Bound::material_side,
                 &Bound::ignore_holes, &Bound::ignore_islands, &Bound::ignore_chamfers, &Bound::app_data)},
        {"UF_DRF_text_cfw_t", offsets(&UF_DRF_text_cfw_t::color, &UF_DRF_text_cfw_t::font, &UF_DRF_text_cfw_t::width)},
        {"UF_DRF_lettering_t", offsets(&Lettering::size, &Lettering::character_space_factor, &Lettering::aspect_ratio,
                                       &Lettering::line_space_factor, &Lettering::cfw)},
        {"UF_DRF_lettering_preferences_t",
         offsets(&LetteringPrefs::align_position, &LetteringPrefs::horiz_text_just,
                 &LetteringPrefs::gdt_frame_height_factor, &LetteringPrefs::angle, &LetteringPrefs::dimension_text,
                 &LetteringPrefs::appended_text, &LetteringPrefs::tolerance_text, &LetteringPrefs::general_text,
                 &LetteringPrefs::dim_dim_line_space_factor, &LetteringPrefs::dim_app_text_space_factor,
                 &LetteringPrefs::dim_tol_text_space_factor)},
    };
    for (const auto &record : records)
        for (std::size_t i = 1; i < record.second.size(); ++i)
            EXPECT_LT(record.second[i - 1], record.second[i]) << record.first << ": field " << i << " is out of order";
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
    EXPECT_TRUE((InitialisesFirstMemberFrom<UF_STYLER_value_t, char *>::value)) << "UF_STYLER_value_u";
    EXPECT_FALSE((InitialisesFirstMemberFrom<UF_STYLER_value_t, char **>::value))
        << "UF_STYLER_value_u starts with strings";
}

TEST(NxOpenRecords, HaveTheSizesNxUses)
{
    EXPECT_EQ(sizeof(tag_t), 4u);
    EXPECT_EQ(sizeof(UF_ATTR_value_u_t), sizeof(double));
    // The attachment member (seven shorts and three item ids) sizes the styler union: 40 bytes on 64 bits.
    EXPECT_EQ(sizeof(UF_STYLER_value_t), sizeof(UF_UI_attachment_t));
    EXPECT_EQ(sizeof(UF_STYLER_value_t), sizeof(void *) == 8 ? 40u : sizeof(UF_UI_attachment_t));
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
