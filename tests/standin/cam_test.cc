// The CAM model of the stand-in as the add-on meets it through NX Open: configuration types,
// setups, what groups may hold, parameters, cut levels, CAM geometry and what generation needs.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "nxhost/ui/transcript.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_camtext.h"
#include "uf_cam_planes.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_modl_types.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_so.h"
#include "uf_ui_param.h"
#include "uf_ui_types.h"

namespace {

namespace cam = nxhost::cam;
using Names = std::vector<std::string>;
using nxhost::kBadArgument;
using nxhost::kBadTag;

Names names_of(int count, const char **list) {
    Names names(list, list + count);
    UF_free_string_array(count, const_cast<char **>(list));
    return names;
}

Names types() {
    int count = 0;
    const char **list = nullptr;
    EXPECT_EQ(UF_CAM_opt_ask_types(&count, &list), 0);
    return names_of(count, list);
}

Names subtypes(const char *type, UF_CAM_opt_stype_cls_t cls) {
    int count = 0;
    const char **list = nullptr;
    EXPECT_EQ(UF_CAM_opt_ask_subtypes(type, cls, &count, &list), 0) << type;
    return names_of(count, list);
}

std::string name(tag_t tag) {
    char text[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(tag, text);
    return text;
}

Names members(tag_t group) {
    int count = 0;
    tag_t *list = nullptr;
    EXPECT_EQ(UF_NCGROUP_ask_member_list(group, &count, &list), 0);
    Names names;
    for (int i = 0; i < count; ++i) names.push_back(name(list[i]));
    UF_free(list);
    return names;
}

tag_t root(int (*ask)(tag_t, tag_t *)) {
    tag_t setup = NULL_TAG, group = NULL_TAG;
    UF_SETUP_ask_setup(&setup);
    EXPECT_EQ(ask(setup, &group), 0);
    return group;
}

// A block 20x20x10 with a 10x10x5 boss on top: upward faces at 15 and 10, bottom at 0.
const char kSteppedBlock[] = R"([{"name":"E1","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},
    {"box":{"min":[5,5,10],"max":[15,15,15]}}]}},
    {"name":"HOLED","shape":{"cut":[{"box":{"min":[30,0,0],"max":[50,20,5]}},
    {"cylinder":{"base":[40,10,-1],"radius":3,"height":7}}]}}])";

std::vector<double> level_heights(tag_t oper) {
    UF_CUT_LEVELS_t *levels = nullptr;
    EXPECT_EQ(UF_CUT_LEVELS_load(oper, &levels), 0);
    std::vector<double> z;
    for (int i = 0; levels && i < levels->num_levels; ++i) z.push_back(levels->cut_levels[i].z_level);
    UF_CUT_LEVELS_free(&levels);
    return z;
}

TEST_F(CamTest, TheSessionOffersTheConfiguredTypesAndTheTypesAddedLater) {
    int count = 0;
    const char **list = nullptr;
    logical started = true;
    EXPECT_EQ(UF_CAM_is_session_initialized(&started), 0);
    EXPECT_FALSE(started);
    EXPECT_EQ(UF_CAM_opt_ask_types(&count, &list), cam::kNotInitialized);
    set_env("UGII_CAM_CONFIG", "");
    set_env("UGII_BASE_DIR", "");
    EXPECT_EQ(UF_CAM_init_session(), cam::kConfigUnreadable) << "no configuration to start from";
    use_nx_root("D:\\cam\\site.dat");
    ASSERT_EQ(UF_CAM_init_session(), 0);
    EXPECT_EQ(types(), (Names{"mill_planar", "mill_contour", "TT"}));

    write_file("cam/plain.prt", R"({"format":"nxhost-part/1"})");
    EXPECT_EQ(UF_CAM_opt_add_type("D:\\cam\\plain.prt"), cam::kLibraryUnreadable) << "a part without setup";
    EXPECT_EQ(UF_CAM_opt_add_type("D:\\cam\\missing.prt"), cam::kLibraryUnreadable);
    EXPECT_EQ(UF_CAM_opt_add_type("D:\\qz_conf\\temp\\qz_tool_template.prt"), 0);
    EXPECT_EQ(UF_CAM_opt_add_type("D:\\qz_conf\\temp\\qz_tool_template.prt"), 0) << "a type is added once";
    EXPECT_EQ(types(), (Names{"mill_planar", "mill_contour", "TT", "qz_tool_template"}));

    EXPECT_EQ(subtypes("TT", UF_CAM_OPT_STYPE_CLS_PROG), Names{"PROGRAM"});
    EXPECT_EQ(subtypes("TT", UF_CAM_OPT_STYPE_CLS_GEOM), (Names{"MCS", "WORKPIECE_QZ"}));
    EXPECT_EQ(subtypes("TT", UF_CAM_OPT_STYPE_CLS_METHOD), (Names{"MILL_ROUGH", "MILL_SEMI_FINISH", "MILL_FINISH"}));
    EXPECT_EQ(subtypes("TT", UF_CAM_OPT_STYPE_CLS_SETUP), Names{"TT"});
    EXPECT_EQ(subtypes("qz_tool_template", UF_CAM_OPT_STYPE_CLS_TOOL), Names{"D12"});
    EXPECT_EQ(subtypes("mill_contour", UF_CAM_OPT_STYPE_CLS_OPER),
              (Names{"CAVITY_MILL", "PLUNGE_MILLING", "ZLEVEL_PROFILE", "FIXED_CONTOUR", "CONTOUR_TEXT"}));
    EXPECT_EQ(UF_CAM_opt_ask_subtypes("XX", UF_CAM_OPT_STYPE_CLS_OPER, &count, &list), cam::kUnknownType);
    char message[133];
    EXPECT_EQ(UF_get_fail_message(cam::kUnknownType, message), 0);
    EXPECT_STREQ(message, "No CAM configuration type of this name");
}

TEST_F(CamTest, ASetupCopiesItsTypeWithFourRootsAndTheirNullGroups) {
    const tag_t part = open_json(R"({"format":"nxhost-part/1"})");
    tag_t setup = 99;
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    EXPECT_EQ(setup, NULL_TAG);
    EXPECT_EQ(UF_SETUP_create(part, "TT"), cam::kNotInitialized);
    ASSERT_EQ(UF_CAM_init_session(), 0);
    ASSERT_EQ(UF_SETUP_create(part, "TT"), 0);
    EXPECT_EQ(UF_SETUP_create(part, "TT"), cam::kSetupExists);
    EXPECT_TRUE(nxhost::store().is_modified(part));
    const struct {
        int (*root)(tag_t, tag_t *);
        int (*null)(tag_t, tag_t *);
        const char *name;
        Names members;
    } views[] = {
        {UF_SETUP_ask_program_root, UF_SETUP_ask_program_null, "NC_PROGRAM", {"NONE", "PROGRAM"}},
        {UF_SETUP_ask_mct_root, UF_SETUP_ask_mct_null, "GENERIC_MACHINE", {"NONE"}},
        {UF_SETUP_ask_geom_root, UF_SETUP_ask_geom_null, "GEOMETRY", {"NONE"}},
        {UF_SETUP_ask_mthd_root, UF_SETUP_ask_mthd_null, "METHOD", {"NONE", "MILL_ROUGH", "MILL_SEMI_FINISH", "MILL_FINISH"}},
    };
    for (const auto &v : views) {
        SCOPED_TRACE(v.name);
        const tag_t group = root(v.root), null = root(v.null);
        EXPECT_EQ(name(group), v.name);
        EXPECT_EQ(members(group), v.members) << "the type's objects marked for the setup, NULL group first";
        EXPECT_EQ(name(null), "NONE");
        EXPECT_EQ(members(null), Names{});
    }
    int type = 0, subtype = 0;
    UF_OBJ_ask_type_and_subtype(named("PROGRAM"), &type, &subtype);
    EXPECT_EQ(type * 1000 + subtype, UF_machining_task_type * 1000 + UF_mach_order_task_subtype);
    ASSERT_EQ(UF_SETUP_delete_setup(), 0);
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    EXPECT_EQ(setup, NULL_TAG);
    EXPECT_EQ(named("PROGRAM"), NULL_TAG);
}

TEST_F(CamTest, GroupsHoldOnlyWhatTheirViewAllows) {
    tt_part(R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}}])");
    const tag_t program = named("PROGRAM"), group = made(UF_NCPROG_create, "TT", "PROGRAM");
    const tag_t mcs = made(UF_NCGEOM_create, "TT", "MCS"), workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t oper = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    const tag_t machine = root(UF_SETUP_ask_mct_root), body = named("E1");
    ASSERT_EQ(UF_NCGROUP_accept_member(program, group), 0);
    const struct {
        tag_t parent, member;
        const char *refusal;  // nullptr: accepted
    } cases[] = {
        {program, oper, nullptr},
        {cutter, oper, nullptr},
        {machine, cutter, nullptr},
        {mcs, workpiece, nullptr},
        {named("MILL_ROUGH"), oper, nullptr},
        {program, cutter, "it holds only program groups and operations, not the cutter"},
        {cutter, group, "it holds only operations"},
        {machine, oper, "it holds only cutters"},
        {named("MILL_ROUGH"), group, "it holds only method groups and operations"},
        {group, program, "cannot be placed in itself or in one of its own members"},
        {oper, group, "which holds no members"},
        {program, body, "cannot be placed in a group"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(name(c.parent) + " takes " + name(c.member));
        logical accepted = false;
        char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "stale";
        ASSERT_EQ(UF_NCGROUP_can_accept_member(c.parent, c.member, &accepted, reason), 0);
        EXPECT_EQ(accepted, c.refusal == nullptr);
        EXPECT_NE(std::string(reason).find(c.refusal ? c.refusal : ""), std::string::npos) << reason;
        EXPECT_EQ(UF_NCGROUP_accept_member(c.parent, c.member), c.refusal ? cam::kNotAccepted : 0);
    }
}

TEST_F(CamTest, NewObjectsSitUnusedUntilAGroupTakesThemAndMoveAsTheyArePlaced) {
    tag_t tag = 7;
    open_json(R"({"format":"nxhost-part/1"})");
    ASSERT_EQ(UF_CAM_init_session(), 0);
    EXPECT_EQ(UF_NCPROG_create(const_cast<char *>("TT"), const_cast<char *>("PROGRAM"), &tag), cam::kNoSetup);
    EXPECT_EQ(tag, NULL_TAG);
    tt_part();
    const tag_t program = named("PROGRAM");
    const tag_t a = made(UF_NCPROG_create, "TT", "PROGRAM"), b = made(UF_NCPROG_create, "TT", "PROGRAM");
    EXPECT_EQ(name(a) + " " + name(b), "PROGRAM_1 PROGRAM_2") << "names stay unique among CAM objects";
    EXPECT_EQ(members(root(UF_SETUP_ask_program_null)), (Names{"PROGRAM_1", "PROGRAM_2"}));
    EXPECT_EQ(UF_NCPROG_create(const_cast<char *>("TT"), const_cast<char *>("NOPE"), &tag), cam::kUnknownTemplate);

    const tag_t oper = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    int type = 0, subtype = 0;
    UF_OBJ_ask_type_and_subtype(oper, &type, &subtype);
    EXPECT_EQ(type * 1000 + subtype, UF_machining_operation_type * 1000 + UF_mach_cavity_milling_subtype);
    for (int (*ask)(tag_t, tag_t *) : {UF_OPER_ask_program_group, UF_OPER_ask_cutter_group, UF_OPER_ask_geom_group,
                                       UF_OPER_ask_method_group}) {
        tag_t parent = NULL_TAG;
        ASSERT_EQ(ask(oper, &parent), 0);
        EXPECT_EQ(name(parent), "NONE");
    }
    ASSERT_EQ(UF_NCGROUP_accept_member(program, a), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(program, oper), 0);
    ASSERT_EQ(UF_NCGROUP_insert_member(program, b, oper, UF_NCGROUP_POSITION_BEFORE), 0);
    EXPECT_EQ(members(program), (Names{"PROGRAM_1", "PROGRAM_2", "CAVITY_MILL"}));
    ASSERT_EQ(UF_NCGROUP_insert_member(program, a, oper, UF_NCGROUP_POSITION_AFTER), 0);
    EXPECT_EQ(members(program), (Names{"PROGRAM_2", "CAVITY_MILL", "PROGRAM_1"}));
    EXPECT_EQ(UF_NCGROUP_insert_member(program, a, named("MILL_ROUGH"), UF_NCGROUP_POSITION_AFTER), kBadArgument);
    logical member = false;
    int index = -1;
    ASSERT_EQ(UF_NCGROUP_is_a_member(program, oper, &member, &index), 0);
    EXPECT_TRUE(member);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(UF_NCGROUP_ask_member_in_list(program, 2, &tag), 0);
    EXPECT_EQ(tag, a);
    EXPECT_EQ(UF_NCGROUP_ask_member_in_list(program, 3, &tag), kBadArgument);
    static std::vector<tag_t> seen;
    seen.clear();
    ASSERT_EQ(UF_NCGROUP_cycle_members(program, [](tag_t t, void *) -> logical { seen.push_back(t); return seen.size() < 2; },
                                       nullptr),
              0);
    EXPECT_EQ(seen.size(), 2u) << "the callback stops the cycle";
    char wanted[] = "CAVITY_MILL";
    ASSERT_EQ(UF_NCGROUP_ask_object_of_name(root(UF_SETUP_ask_program_root), wanted, &tag), 0);
    EXPECT_EQ(tag, oper) << "found below the root at any depth";
    ASSERT_EQ(UF_NCGROUP_ask_root_of_object(oper, &tag), 0);
    EXPECT_EQ(tag, root(UF_SETUP_ask_program_root));
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "BALL_MILL");
    ASSERT_EQ(UF_NCGROUP_accept_member(cutter, oper), 0);
    ASSERT_EQ(UF_OPER_ask_cutter_group(oper, &tag), 0);
    EXPECT_EQ(tag, cutter);
    ASSERT_EQ(UF_CUTTER_ask_type_and_subtype(cutter, &type, &subtype), 0);
    EXPECT_EQ(type * 10 + subtype, UF_CUTTER_TYPE_MILL * 10 + UF_CUTTER_SUBTYPE_MILL_BALL);
}

TEST_F(CamTest, ParametersAnswerByIndexKindAndCarrier) {
    const tag_t part = tt_part(R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}}])");
    const tag_t cavity = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    const tag_t contour = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    double d = 0;
    int i = 0;
    tag_t t = NULL_TAG;
    const struct {
        const char *what;
        std::function<int()> call;
        int rc;
    } cases[] = {
        {"part stock of cavity milling", [&] { return UF_PARAM_ask_double_value(cavity, UF_PARAM_STOCK_PART, &d); }, 0},
        {"floor stock of fixed contour", [&] { return UF_PARAM_ask_double_value(contour, UF_PARAM_STOCK_FLOOR, &d); },
         cam::kInvalidIndex},
        {"a double asked as an int", [&] { return UF_PARAM_ask_int_value(cavity, UF_PARAM_STOCK_PART, &i); },
         cam::kWrongValueKind},
        {"a cutter's diameter on an operation", [&] { return UF_PARAM_ask_double_value(cavity, UF_PARAM_TL_DIAMETER, &d); },
         cam::kInvalidIndex},
        {"the range type is read only", [&] { return UF_PARAM_set_int_value(cavity, UF_PARAM_CUTLEV_RANGE_TYPE, 1); },
         cam::kReadOnly},
        {"an index the stand-in does not model", [&] { return UF_PARAM_ask_int_value(cavity, 99999, &i); },
         cam::kInvalidIndex},
        {"a diameter of 0", [&] { return UF_PARAM_set_double_value(cutter, UF_PARAM_TL_DIAMETER, 0.0); }, cam::kBadValue},
        {"a diameter of 8", [&] { return UF_PARAM_set_double_value(cutter, UF_PARAM_TL_DIAMETER, 8.0); }, 0},
        {"a corner radius above half of it", [&] { return UF_PARAM_set_double_value(cutter, UF_PARAM_TL_COR1_RAD, 4.5); },
         cam::kBadValue},
        {"a negative stock, as EDM needs", [&] { return UF_PARAM_set_double_value(cavity, UF_PARAM_STOCK_PART, -0.05); }, 0},
        {"an MCS that is a body", [&] { return UF_PARAM_set_tag_value(named("MCS"), UF_PARAM_MCS, named("E1")); },
         cam::kBadValue},
    };
    made(UF_NCGEOM_create, "TT", "MCS");
    for (const auto &c : cases) EXPECT_EQ(c.call(), c.rc) << c.what;
    ASSERT_EQ(UF_PARAM_ask_double_value(cavity, UF_PARAM_STOCK_PART, &d), 0);
    EXPECT_EQ(d, -0.05);
    ASSERT_EQ(UF_PARAM_ask_int_value(cutter, UF_PARAM_TL_NUM_FLUTES, &i), 0);
    EXPECT_EQ(i, 2) << "the value of an object never given one";

    // The MCS is the nearest geometry parent's.
    const tag_t mcs = named("MCS"), workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t csys = nxhost::store().create(UF_coordinate_system_type, UF_csys_normal_subtype, part).tag;
    ASSERT_EQ(UF_PARAM_set_tag_value(mcs, UF_PARAM_MCS, csys), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(mcs, workpiece), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(workpiece, cavity), 0);
    for (tag_t holder : {workpiece, cavity}) {
        ASSERT_EQ(UF_PARAM_ask_tag_value(holder, UF_PARAM_MCS, &t), 0);
        EXPECT_EQ(t, csys);
    }

    UF_PARAM_feedrate_t feed{};
    ASSERT_EQ(UF_PARAM_ask_subobj_ptr_value(cavity, UF_PARAM_FEED_CUT, &feed), 0);
    EXPECT_EQ(feed.unit * 1000 + feed.value, UF_PARAM_feed_per_minute * 1000 + 250.0);
    feed = {UF_PARAM_feed_per_revolution, 0.12, 3};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(cavity, UF_PARAM_FEED_ENGAGE, &feed), 0);
    feed = {};
    ASSERT_EQ(UF_PARAM_ask_subobj_ptr_value(cavity, UF_PARAM_FEED_ENGAGE, &feed), 0);
    EXPECT_EQ(feed.unit * 1000 + feed.value + feed.color, UF_PARAM_feed_per_revolution * 1000 + 0.12 + 3);
    feed.value = -1;
    EXPECT_EQ(UF_PARAM_set_subobj_ptr_value(cavity, UF_PARAM_FEED_ENGAGE, &feed), cam::kBadValue);

    EXPECT_EQ(UF_PARAM_ask_double_value(named("E1"), UF_PARAM_STOCK_PART, &d), kBadTag);
    ASSERT_EQ(nxhost::misuse_lines().size(), 1u);
    EXPECT_NE(nxhost::misuse_lines()[0].find("is a body, not a CAM group or a cutter or an operation"), std::string::npos)
        << nxhost::misuse_lines()[0];
    expect_clean_session_ = false;
}

TEST_F(CamTest, CutLevelsFollowThePartUntilEdited) {
    tt_part(kSteppedBlock);
    const tag_t workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t oper = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    tag_t body = named("E1");
    ASSERT_EQ(append_items(workpiece, UF_CAM_part, {body}), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(workpiece, oper), 0);
    EXPECT_EQ(level_heights(oper), (std::vector<double>{15, 10, 0})) << "the blank's top is the part's top";
    double offsets[6] = {1, 1, 1, 1, 2, 0};
    ASSERT_EQ(UF_CAM_set_auto_blank(workpiece, UF_CAM_auto_block_type, offsets), 0);
    EXPECT_EQ(level_heights(oper), (std::vector<double>{15, 10, 0})) << "the top face lies below the blank's top";

    UF_CUT_LEVELS_t *copy = nullptr;
    ASSERT_EQ(UF_CUT_LEVELS_load(oper, &copy), 0);
    ASSERT_EQ(UF_CUT_LEVELS_edit_level_using_z(oper, 2, 12.0, 0.4, copy), 0);
    ASSERT_EQ(copy->num_levels, 2) << "the level at 10 was passed on the way";
    UF_CUT_LEVEL_single_t *level = nullptr;
    ASSERT_EQ(UF_CUT_LEVELS_ask_level(copy, 1, &level), 0);
    EXPECT_EQ(level->z_level + level->local_cut_depth, 12.4);
    EXPECT_EQ(UF_CUT_LEVELS_ask_level(copy, 2, &level), cam::kNoSuchLevel);
    int range = 0;
    ASSERT_EQ(UF_PARAM_ask_int_value(oper, UF_PARAM_CUTLEV_RANGE_TYPE, &range), 0);
    EXPECT_EQ(range, UF_PARAM_clv_range_user_defined);
    double z = 5;
    ASSERT_EQ(UF_CUT_LEVELS_add_levels_using_z(oper, 1, &z, 0.5, copy), 0);
    ASSERT_EQ(UF_CUT_LEVELS_delete_level(oper, 0, copy), 0);
    EXPECT_EQ(level_heights(oper), (std::vector<double>{12, 5}));
    EXPECT_EQ(UF_CUT_LEVELS_delete_level(oper, 2, nullptr), cam::kNoSuchLevel);
    ASSERT_EQ(UF_CUT_LEVELS_reset_to_default(oper), 0);
    EXPECT_EQ(level_heights(oper), (std::vector<double>{15, 10, 0}));
    ASSERT_EQ(UF_CUT_LEVELS_set_range_type(oper, UF_PARAM_clv_range_single, copy), 0);
    EXPECT_EQ(copy->num_levels, 1);
    EXPECT_EQ(UF_CUT_LEVELS_add_levels_using_z(oper, 1, &z, 0.5, nullptr), cam::kSingleRange);
    EXPECT_EQ(UF_CUT_LEVELS_delete_level(oper, 0, nullptr), cam::kSingleRange);
    ASSERT_EQ(UF_CUT_LEVELS_free(&copy), 0);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(UF_CUT_LEVELS_load(made(UF_OPER_create, "mill_planar", "PLANAR_MILL"), &copy), cam::kNoCutLevels);
}

TEST_F(CamTest, GeometryBoundariesTextAndPointsKeepWhatNxAccepts) {
    const tag_t part = tt_part(kSteppedBlock);
    const tag_t workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t cavity = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    const tag_t planar = made(UF_OPER_create, "mill_planar", "PLANAR_MILL");
    tag_t body = named("E1"), holed = named("HOLED");
    std::vector<tag_t> faces = nxhost::store().children(holed, UF_solid_face_subtype);
    UF_CAMGEOM_app_data_t data{};
    data.has_stock = 1;
    data.stock = 0.2;
    UF_CAMGEOM_app_data_p_t with_data[] = {&data};
    ASSERT_EQ(UF_CAMGEOM_append_items(workpiece, UF_CAM_part, 1, &body, with_data), 0);
    EXPECT_EQ(append_items(workpiece, UF_CAM_cut_area, {faces[0]}), cam::kBadEntity)
        << "a workpiece takes part, blank and check geometry";
    EXPECT_EQ(append_items(cavity, UF_CAM_cut_area, {faces[0], body}), cam::kBadEntity)
        << "a solid is no cut area, and nothing is appended";
    int count = 0;
    UF_CAMGEOM_item_t *items = nullptr;
    ASSERT_EQ(UF_CAMGEOM_ask_items(cavity, UF_CAM_cut_area, &count, &items), 0);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(UF_CAMGEOM_ask_items(workpiece, UF_CAM_part, &count, &items), 0);
    ASSERT_EQ(count, 1);
    tag_t entity = NULL_TAG;
    UF_CAMGEOM_app_data_t back{};
    ASSERT_EQ(UF_CAMGEOM_ask_item_entity(items[0], &entity), 0);
    ASSERT_EQ(UF_CAMGEOM_ask_item_app_data(items[0], &back), 0);
    EXPECT_EQ(entity, body);
    EXPECT_EQ(back.has_stock * 10 + back.stock, 10.2);
    ASSERT_EQ(UF_CAMGEOM_delete_item(workpiece, UF_CAM_part, items[0]), 0);
    EXPECT_EQ(UF_CAMGEOM_ask_item_entity(items[0], &entity), cam::kNoSuchItem);
    UF_free(items);

    // The top face of the holed block has two loops; the hole's face is not planar.
    tag_t top = NULL_TAG, round = NULL_TAG;
    for (tag_t f : faces) {
        const nxhost::modeling::FaceInfo info =
            nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(f))->shape);
        if (info.planar && info.normal[2] > 0.5) top = f;
        if (!info.planar) round = f;
    }
    UF_CAMBND_boundary_data_t bound{};
    bound.material_side = UF_CAM_material_side_in_left;
    EXPECT_EQ(UF_CAMBND_append_bnd_from_face(planar, UF_CAM_part, round, &bound), cam::kNotPlanar);
    EXPECT_EQ(UF_CAMBND_append_bnd_from_face(cavity, UF_CAM_part, top, &bound), cam::kBadEntity);
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(planar, UF_CAM_part, top, &bound), 0);
    bound.ignore_holes = 1;
    ASSERT_EQ(UF_CAMBND_append_bnd_from_face(planar, UF_CAM_blank, top, &bound), 0);
    UF_CAMBND_boundary_t *bounds = nullptr;
    ASSERT_EQ(UF_CAMBND_ask_boundaries(planar, UF_CAM_blank, &count, &bounds), 0);
    EXPECT_EQ(count, 1) << "holes ignored";
    UF_free(bounds);
    ASSERT_EQ(UF_CAMBND_ask_boundaries(planar, UF_CAM_part, &count, &bounds), 0);
    ASSERT_EQ(count, 2) << "the outer loop and the hole";
    std::vector<int> member_counts;
    for (int b = 0; b < count; ++b) {
        UF_CAMBND_item_t *members = nullptr;
        int n = 0;
        ASSERT_EQ(UF_CAMBND_ask_boundary_items(bounds[b], &n, &members), 0);
        member_counts.push_back(n);
        UF_free(members);
    }
    EXPECT_EQ(member_counts[0], 4) << "the outer loop first";
    double origin[3] = {0, 0, 5}, matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ASSERT_EQ(UF_CAMBND_set_boundary_plane(bounds[1], origin, matrix), 0);
    UF_CAMBND_boundary_data_t back_data{};
    ASSERT_EQ(UF_CAMBND_ask_boundary_data(bounds[1], &back_data), 0);
    EXPECT_EQ(back_data.plane_type * 100 + back_data.origin[2] + back_data.material_side, 0 * 100 + 5 + 1);
    UF_free(bounds);
    bound.boundary_type = UF_CAM_boundary_type_open;
    bound.plane_type = 1;
    EXPECT_EQ(append_curves(planar, UF_CAM_blank, {body}, bound), cam::kBadEntity);

    // Text takes notes and labels only; custom points only where the operation has a use for them.
    const tag_t engraving = made(UF_OPER_create, "mill_contour", "CONTOUR_TEXT");
    tag_t note = nxhost::store().create(UF_drafting_entity_type, UF_draft_note_subtype, part).tag;
    EXPECT_EQ(UF_CAMTEXT_append_items(engraving, 1, &body), cam::kBadEntity);
    ASSERT_EQ(UF_CAMTEXT_append_items(engraving, 1, &note), 0);
    UF_CAMGEOM_custom_point_t point{NULL_TAG, {1, 2, 3}, 0.5, 0.1, 0};
    UF_CAMGEOM_custom_point_p_t points[] = {&point};
    EXPECT_EQ(UF_CAMGEOM_append_custom_points(engraving, UF_CAMGEOM_cut_region_start_type, 1, points), cam::kBadEntity);
    ASSERT_EQ(UF_CAMGEOM_append_custom_points(cavity, UF_CAMGEOM_cut_region_start_type, 1, points), 0);
    UF_CAMGEOM_custom_point_p_t *asked = nullptr;
    ASSERT_EQ(UF_CAMGEOM_ask_custom_points(cavity, UF_CAMGEOM_cut_region_start_type, &count, &asked), 0);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(asked[0]->point_acs[2] + asked[0]->upper_depth, 3.5);
    UF_free(asked[0]);
    UF_free(asked);

    // The clearance plane belongs to MCS groups and operations.
    double normal[3] = {0, 0, 2}, at[3] = {0, 0, 50};
    EXPECT_EQ(UF_CAM_set_clear_plane_data(workpiece, at, normal), kBadArgument);
    EXPECT_EQ(UF_CAM_ask_clear_plane_data(cavity, at, normal), cam::kNoClearPlane);
    const tag_t mcs = made(UF_NCGEOM_create, "TT", "MCS");
    ASSERT_EQ(UF_CAM_ask_clear_plane_data(mcs, at, normal), 0);
    EXPECT_EQ(at[2] + normal[2], 51.0) << "the template's plane, its normal a unit vector";
}

TEST_F(CamTest, GenerationNeedsWhatEachOperationKindNeeds) {
    tt_part(kSteppedBlock);
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t workpiece = made(UF_NCGEOM_create, "mill_planar", "MILL_GEOM");
    tag_t body = named("E1");
    std::vector<tag_t> faces = nxhost::store().children(body, UF_solid_face_subtype);
    UF_CAMBND_boundary_data_t bound{};
    const struct {
        const char *type, *oper;
        std::vector<std::pair<int, std::function<int(tag_t)>>> steps;  // code before the step, then the step
    } cases[] = {
        {"mill_contour", "CAVITY_MILL",
         {{cam::kNeedsCutter, [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); }},
          {cam::kNeedsPart,
           [&](tag_t o) {
               append_items(workpiece, UF_CAM_part, {body});
               return UF_NCGROUP_accept_member(workpiece, o);
           }},
          {cam::kNeedsBlank,
           [&](tag_t o) {
               double offsets[6] = {0, 0, 0, 0, 1, 0};
               return UF_CAM_set_auto_blank(o, UF_CAM_auto_block_type, offsets);
           }}}},
        {"mill_contour", "ZLEVEL_PROFILE",
         {{cam::kNeedsCutter, [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); }},
          {cam::kNeedsPart, [&](tag_t o) { return append_items(o, UF_CAM_cut_area, {faces[0]}); }}}},
        {"mill_contour", "FIXED_CONTOUR",
         {{cam::kNeedsCutter, [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); }},
          {cam::kNeedsCutArea, [&](tag_t o) { return append_items(o, UF_CAM_cut_area, {faces[0]}); }}}},
        {"mill_planar", "FACE_MILLING",
         {{cam::kNeedsCutter, [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); }},
          {cam::kNeedsBoundary, [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_blank, faces[1], &bound); }}}},
        {"mill_planar", "PLANAR_MILL",
         {{cam::kNeedsCutter, [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); }},
          {cam::kNeedsBoundary, [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_part, faces[1], &bound); }},
          {cam::kNeedsFloor,
           [&](tag_t o) {
               const double at[3] = {0, 0, 0}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
               tag_t floor = NULL_TAG;
               EXPECT_EQ(UF_SO_create_xform_doubles(body, UF_SO_update_within_modeling, at, x, y, 1.0, &floor), 0);
               return UF_PARAM_set_tag_value(o, UF_PARAM_FLOOR, floor);
           }}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oper);
        const tag_t oper = made(UF_OPER_create, c.type, c.oper);
        logical ok = true, generated = true;
        for (const auto &[missing, add] : c.steps) {
            ASSERT_EQ(UF_PARAM_check(oper, &ok), 0);
            EXPECT_FALSE(ok);
            EXPECT_EQ(UF_PARAM_generate(oper, &generated), missing);
            EXPECT_FALSE(generated);
            ASSERT_EQ(add(oper), 0);
        }
        ASSERT_EQ(UF_PARAM_check(oper, &ok), 0);
        EXPECT_TRUE(ok);
        EXPECT_EQ(UF_PARAM_replay_path(oper), cam::kNoPath);
        ASSERT_EQ(UF_PARAM_generate(oper, &generated), 0);
        EXPECT_TRUE(generated);
        nxhost::clear_transcript();
        ASSERT_EQ(UF_PARAM_replay_path(oper), 0);
        EXPECT_EQ(shown("display"), Names{std::string("tool path of ") + c.oper + " replayed"});
        ASSERT_EQ(UF_PARAM_set_double_value(oper, UF_PARAM_STOCK_PART, 0.1), 0);
        EXPECT_EQ(UF_PARAM_replay_path(oper), cam::kNoPath) << "a changed operation needs generating again";
    }
    logical generated = false;
    EXPECT_EQ(UF_PARAM_generate(root(UF_SETUP_ask_program_null), &generated), 0) << "every operation of a group";
    EXPECT_TRUE(generated);
}

TEST_F(CamTest, DeletingAndRenamingFollowNxRules) {
    tt_part();
    const tag_t program = named("PROGRAM"), group = made(UF_NCPROG_create, "TT", "PROGRAM");
    const tag_t oper = made(UF_OPER_create, "mill_contour", "CAVITY_MILL"), other = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    ASSERT_EQ(UF_NCGROUP_accept_member(program, group), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(group, oper), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(cutter, other), 0);
    ASSERT_EQ(UF_OPER_set_ref_cutter(oper, cutter), 0);
    EXPECT_EQ(UF_OBJ_set_name(oper, "PROGRAM"), cam::kNameInUse);
    ASSERT_EQ(UF_OBJ_set_name(oper, "CAV_TOP-R1"), 0);
    EXPECT_EQ(UF_OBJ_delete_object(root(UF_SETUP_ask_program_root)), cam::kNotDeletable);
    ASSERT_EQ(UF_OBJ_delete_object(cutter), 0);
    tag_t parent = NULL_TAG;
    ASSERT_EQ(UF_OPER_ask_cutter_group(other, &parent), 0);
    EXPECT_EQ(name(parent), "NONE") << "an operation outlives its cutter";
    ASSERT_EQ(UF_OPER_ask_ref_cutter(oper, &parent), 0);
    EXPECT_EQ(parent, NULL_TAG);
    ASSERT_EQ(UF_OBJ_delete_object(group), 0);
    EXPECT_EQ(named("CAV_TOP-R1"), NULL_TAG) << "a group takes its members with it";
    EXPECT_EQ(members(program), Names{});
}

TEST_F(CamTest, TheParameterDialogIsAnsweredByTheScript) {
    tt_part();
    play("edit APPLY\ncancel\n");
    int response = 0;
    ASSERT_EQ(UF_UI_PARAM_edit_object(named("PROGRAM"), &response), 0);
    EXPECT_EQ(response, UF_UI_APPLY);
    ASSERT_EQ(UF_UI_PARAM_edit_object(named("PROGRAM"), &response), 0);
    EXPECT_EQ(response, UF_UI_CANCEL);
    EXPECT_EQ(shown("dialog"), (Names{"parameters of the program group PROGRAM opened",
                                      "parameters of the program group PROGRAM closed with APPLY",
                                      "parameters of the program group PROGRAM opened",
                                      "parameters of the program group PROGRAM closed with CANCEL"}));
}

}  // namespace
