// Cutters made from library records with their holders and cutting data attributes, refusals, and
// the library cutting data written into operations.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cam_addon_fixture.h"
#include "my_func_cam/tool_libref.h"
#include "nxhost/core/session.h"
#include "torvane/plan/cutters.h"
#include "torvane/session/session.h"
#include "torvane/state/plan.h"
#include "uf_attr.h"
#include "uf_camgeom.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

using Lines = std::vector<std::string>;
using addontest::english;

std::string record_text(const tool_data &t) {
    char numbers[400];
    std::snprintf(numbers, sizeof numbers, "%g %g %d %g %g %d %g %g %g %g %g %g %g %g %g %g %g", t.tool_dia, t.tool_r,
                  t.tool_number, t.tool_len, t.tool_flute, t.flute_number, t.taper_angle, t.tip_angle, t.speed,
                  t.per_cut_depth, t.step_dis, t.approach_feed, t.engage_feed, t.first_cut_feed, t.cut_feed,
                  t.traversal_feed, t.retract_feed);
    return std::string(t.tool_name) + "|" + t.holder_name + "|" + t.tool_descr + "|" + numbers;
}

std::vector<std::string> holder_text(tag_t cutter) {
    int count = 0;
    UF_CUTTER_holder_section_t **data = nullptr;
    EXPECT_EQ(UF_CUTTER_ask_holder_data(cutter, &count, &data), 0);
    std::vector<std::string> sections;
    for (int i = 0; i < count; ++i) {
        char text[100];
        std::snprintf(text, sizeof text, "%gX%gX%gX%g", data[i]->diameter, data[i]->length,
                      std::round(data[i]->taper * 180 / M_PI * 1000) / 1000, data[i]->corner);
        sections.push_back(text);
        UF_free(data[i]);
    }
    UF_free(data);
    return sections;
}

double real_param(tag_t tag, int index) {
    double value = -1;
    EXPECT_EQ(UF_PARAM_ask_double_value(tag, index, &value), 0) << index;
    return value;
}

double feed(tag_t oper, int index) {
    UF_PARAM_feedrate_t f{};
    EXPECT_EQ(UF_PARAM_ask_subobj_ptr_value(oper, index, &f), 0);
    return f.value;
}

class CutterTest : public AddonCamTest {
protected:
    void SetUp() override {
        AddonCamTest::SetUp();
        ASSERT_EQ(MY_read_holder_libref("holder_data_define_start_1:", &static_holder_list, HOLDER_LIBREF_PATH), 1);
        ASSERT_EQ(MY_read_tool_libref_new("tool_data_define_start_1:", &library_, TOOL_LIBREF_PATH), 1);
    }
    void TearDown() override {
        free_holder_data_list(&static_holder_list);
        free_tool_data_list(&library_);
        static_nx_release = 0.0;
        AddonCamTest::TearDown();
    }

    tag_t create(const char *library_name) {
        const tool_data *record = find_tool_data(library_, library_name);
        EXPECT_NE(record, nullptr) << library_name;
        tag_t cutter = NULL_TAG;
        EXPECT_EQ(with_tool_struct_data_create_tool(record, &cutter), 1) << library_name;
        return cutter;
    }

    // A new operation of a template of NX's types under the cutter.
    tag_t oper_under(tag_t cutter, const char *type, const char *subtype, const char *name) {
        tag_t oper = NULL_TAG;
        std::string t = type, s = subtype;
        EXPECT_EQ(UF_OPER_create(t.data(), s.data(), &oper), 0);
        EXPECT_EQ(UF_NCGROUP_accept_member(cutter, oper), 0);
        EXPECT_EQ(UF_OBJ_set_name(oper, name), 0);
        return oper;
    }

    tool_data *library_ = nullptr;
};

TEST_F(CutterTest, ALibraryRecordMakesACutterThatReadsBackAsTheSameRecord) {
    for (const char *name : {"D10R0.5", "R2", "D20"}) {
        SCOPED_TRACE(name);
        const tool_data *record = find_tool_data(library_, name);
        const tag_t cutter = create(name);
        tool_data back;
        ASSERT_EQ(MY_read_tool_data_from_tool(cutter, &back), 1);
        EXPECT_EQ(record_text(back), record_text(*record));
        tag_t parent = NULL_TAG;
        ASSERT_EQ(UF_NCGROUP_ask_root_of_object(cutter, &parent), 0);
        logical member = false;
        int index = 0;
        ASSERT_EQ(UF_NCGROUP_is_a_member(root(UF_SETUP_ask_mct_root), cutter, &member, &index), 0);
        EXPECT_TRUE(member) << "placed in the machine tool view";
    }
    EXPECT_EQ(holder_text(named("D10R0.5")), (Lines{"24X55X4.5X0", "32X35X0X0", "50X10X0X0", "63X25X0X0"}))
        << "the sections of HSK63A_SF10_90, the taper in degrees again";
    EXPECT_EQ(holder_text(named("D20")), (Lines{"44X60X0X0", "50X10X0X0", "63X25X0X0"}));
    EXPECT_EQ(shown("message"), Lines{});
}

TEST_F(CutterTest, CreationRefusesEmptyAndTakenNamesAndABadHolderKeepsTheTemplates) {
    create("D6");
    tool_data unnamed, taken = *find_tool_data(library_, "D6"), odd = taken;
    std::snprintf(odd.tool_name, sizeof odd.tool_name, "D6_ODD");
    std::snprintf(odd.holder_name, sizeof odd.holder_name, "BAD");
    holder_data *bad = new holder_data{99, "BAD", "0X35;32X40", "", static_holder_list};
    static_holder_list = bad;
    const struct {
        const char *what;
        const tool_data *record;
        int result;
        Lines messages;
    } cases[] = {
        {"no name", &unnamed, 0, {english("with_tool_struct_data_create_too_01:")}},
        {"a name in use", &taken, 0,
         {english("with_tool_struct_data_create_too_02:") + " D6 " + english("with_tool_struct_data_create_too_03:")}},
        {"a holder whose first section has no diameter", &odd, 1,
         {english("get_char_holder_section_dat_01:") + " BAD " + english("get_char_holder_section_dat_02:")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        clear_shown();
        tag_t cutter = 99;
        EXPECT_EQ(with_tool_struct_data_create_tool(c.record, &cutter), c.result);
        EXPECT_EQ(cutter != NULL_TAG, c.result == 1);
        EXPECT_EQ(shown("message"), c.messages);
    }
    EXPECT_EQ(holder_text(named("D6_ODD")), (Lines{"32X40X0X0", "50X10X0X0", "63X25X0X0"})) << "D12's holder";
    tag_t found = NULL_TAG, group = NULL_TAG;
    char tt[] = "TT", program[] = "PROGRAM";
    ASSERT_EQ(UF_NCPROG_create(tt, program, &group), 0);
    ASSERT_EQ(UF_OBJ_set_name(group, "D3"), 0);
    EXPECT_EQ(ask_tool_tag_by_name("D3", &found), 0) << "a program group is no cutter";
    EXPECT_EQ(found, NULL_TAG);
    EXPECT_EQ(ask_tool_tag_by_name("D6", &found), 1);
    EXPECT_EQ(found, named("D6"));
}

TEST_F(CutterTest, TheLibraryCuttingDataGoesIntoTheOperationByItsKind) {
    const tag_t d10 = create("D10R0.5"), r2 = create("R2");
    const tool_data &bull = *find_tool_data(library_, "D10R0.5"), &ball = *find_tool_data(library_, "R2");
    const tag_t cavity = oper_under(d10, "mill_contour", "CAVITY_MILL", "CAV_TOP-R1");
    double z[] = {8, 4};
    ASSERT_EQ(UF_CUT_LEVELS_add_levels_using_z(cavity, 2, z, 1.0, nullptr), 0);
    const tag_t planar = oper_under(d10, "mill_planar", "PLANAR_MILL", "PLAN_EDM-F1");
    const tag_t contour = oper_under(r2, "mill_contour", "FIXED_CONTOUR", "FIX_0_90-F1");
    const tag_t text = oper_under(r2, "mill_contour", "CONTOUR_TEXT", "FIX_TEXT");
    for (tag_t oper : {cavity, planar, contour, text})
        EXPECT_EQ(set_oper_cut_data(oper, oper == cavity || oper == planar ? d10 : r2, library_), 1);

    EXPECT_EQ(real_param(cavity, UF_PARAM_SPINDLE_RPM), bull.speed);
    EXPECT_EQ(real_param(cavity, UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH), bull.per_cut_depth);
    UF_CUT_LEVELS_t *levels = nullptr;
    ASSERT_EQ(UF_CUT_LEVELS_load(cavity, &levels), 0);
    ASSERT_EQ(levels->num_levels, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(levels->cut_levels[i].local_cut_depth, bull.per_cut_depth);
        EXPECT_NEAR(levels->cut_levels[i].z_level, z[i] - 0.0001, 1e-12);
    }
    UF_CUT_LEVELS_free(&levels);
    EXPECT_EQ(real_param(planar, UF_PARAM_CUTLEV_MAX_DEPTH) + real_param(planar, UF_PARAM_CUTLEV_MIN_DEPTH),
              2 * bull.per_cut_depth);
    EXPECT_EQ(feed(planar, UF_PARAM_FEED_TRAVERSAL), bull.traversal_feed);
    EXPECT_EQ(feed(contour, UF_PARAM_FEED_CUT), ball.cut_feed);
    EXPECT_EQ(feed(contour, UF_PARAM_FEED_TRAVERSAL), 0.0) << "fixed contour keeps its traversal feed";
    // NX 12: the fixed-cut-step library sets the stepover, and the steep stepover at 60 percent.
    EXPECT_EQ(real_param(contour, UF_PARAM_STEPOVER_DIST), ball.step_dis);
    UF_ATTR_value_t steep{};
    char title[] = "steep_step_dis";
    ASSERT_EQ(UF_ATTR_read_value(contour, title, UF_ATTR_real, &steep), 0);
    EXPECT_NEAR(steep.value.real, ball.step_dis * 0.6, 1e-12);
    EXPECT_EQ(real_param(text, UF_PARAM_STEPOVER_DIST), 0.0) << "engraving keeps its stepover";
    int number = 0;
    ASSERT_EQ(UF_PARAM_ask_int_value(r2, UF_PARAM_TL_ADJ_REG, &number), 0);
    EXPECT_EQ(number, ball.tool_number);

    // NX 8.5: a constant stepover is written directly, another kind is left alone.
    static_nx_release = 8.5;
    const tag_t old_nx = oper_under(r2, "mill_contour", "FIXED_CONTOUR", "FIX_0_45-F2");
    ASSERT_EQ(UF_PARAM_set_int_value(old_nx, UF_PARAM_STEPOVER_TYPE, UF_PARAM_stepover_type_constant), 0);
    EXPECT_EQ(set_oper_cut_data(old_nx, r2, library_), 1);
    EXPECT_EQ(real_param(old_nx, UF_PARAM_STEPOVER_DIST), ball.step_dis);

    tool_data stranger;
    std::snprintf(stranger.tool_name, sizeof stranger.tool_name, "D99");
    const tag_t other = oper_under(d10, "mill_contour", "ZLEVEL_PROFILE", "ZLE_EDM-F1");
    EXPECT_EQ(set_oper_cut_data(other, d10, &stranger), 1) << "a cutter not in the list";
    EXPECT_EQ(real_param(other, UF_PARAM_SPINDLE_RPM), 0.0) << "keeps the template's data";
    EXPECT_EQ(set_oper_cut_data(d10, d10, library_), 0) << "a cutter is no operation";
    EXPECT_EQ(set_oper_cut_data(NULL_TAG, d10, library_), 0);
}

}  // namespace
