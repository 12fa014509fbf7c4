// The CAM model's own rules as a caller meets them through NX Open, pair by pair and index by
// index: what each group accepts and why it refuses the rest, which objects carry each parameter
// and of what kind, cut-level edits at the ends of the range, what generation needs of each
// operation kind, and cycling over CAM objects while some are deleted.
#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/cam_params.h"
#include "nxhost/core/guard.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "uf_cam_planes.h"
#include "uf_camtext.h"
#include "uf_csys.h"
#include "uf_cut_levels.h"
#include "uf_cutter.h"
#include "uf_drf.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_so.h"

namespace {

namespace cam = nxhost::cam;
using Heights = std::vector<double>;
using nxhost::kBadArgument;
using Names = std::vector<std::string>;

// A block 20x20x10 with a 10x10x5 boss on top (cut levels at 15, 10 and 0) and a blank over it.
const char kStepped[] = R"([{"name":"E1","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},
    {"box":{"min":[5,5,10],"max":[15,15,15]}}]}},
    {"name":"BLANK","shape":{"box":{"min":[0,0,0],"max":[20,20,16]}}}])";

std::string name(tag_t tag) {
    char text[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(tag, text);
    return text;
}

// How a refusal names an object: its name, or its tag when it has none (the setup).
std::string label(tag_t tag) {
    const std::string text = name(tag);
    return text.empty() ? "#" + std::to_string(tag) : text;
}

std::vector<tag_t> member_tags(tag_t group) {
    int count = 0;
    tag_t *list = nullptr;
    EXPECT_EQ(UF_NCGROUP_ask_member_list(group, &count, &list), 0);
    std::vector<tag_t> tags(list, list + count);
    UF_free(list);
    return tags;
}

Heights level_heights(tag_t oper) {
    UF_CUT_LEVELS_t *levels = nullptr;
    EXPECT_EQ(UF_CUT_LEVELS_load(oper, &levels), 0);
    Heights z;
    for (int i = 0; levels && i < levels->num_levels; ++i) z.push_back(levels->cut_levels[i].z_level);
    UF_CUT_LEVELS_free(&levels);
    return z;
}

int range_type(tag_t oper) {
    int range = -1;
    EXPECT_EQ(UF_PARAM_ask_int_value(oper, UF_PARAM_CUTLEV_RANGE_TYPE, &range), 0);
    return range;
}

std::string fail_message(int code) {
    char text[133] = "";
    EXPECT_EQ(UF_get_fail_message(code, text), 0);
    return text;
}

// An operation's parent in each view, in the order program, machine tool, geometry, method.
int (*const kParentIn[])(tag_t, tag_t *) = {UF_OPER_ask_program_group, UF_OPER_ask_cutter_group, UF_OPER_ask_geom_group,
                                            UF_OPER_ask_method_group};

// A CAM object (or a body) as the refusals name it.
struct Piece {
    std::string key;    // its column in the tables below
    tag_t tag;
    std::string kind;   // "operation", "MCS group" ...
    std::string a_kind; // the same with its article
    std::string holds;  // what it holds, for a group or a cutter
    int view;           // the view it is a member in; -1 for an operation (all four) or none
};

class CamRulesTest : public CamTest {
protected:
    // The setup's roots and NULL groups, one group and cutter of every kind, an operation of
    // every subtype and the body E1, all where they were made (new objects sit in NULL groups).
    std::vector<Piece> every_kind() {
        tt_part(kStepped);
        UF_SETUP_ask_setup(&setup_);
        auto of_setup = [&](int (*ask)(tag_t, tag_t *)) {
            tag_t group = NULL_TAG;
            EXPECT_EQ(ask(setup_, &group), 0);
            return group;
        };
        const std::string program = "program groups and operations", geometry = "geometry groups and operations",
                          method = "method groups and operations";
        std::vector<Piece> all = {
            {"S", setup_, "CAM setup", "a CAM setup", "", -1},
            {"Rp", of_setup(UF_SETUP_ask_program_root), "program root", "a program root", program, 0},
            {"Rm", of_setup(UF_SETUP_ask_mct_root), "machine tool root", "a machine tool root", "cutters", 1},
            {"Rg", of_setup(UF_SETUP_ask_geom_root), "geometry root", "a geometry root", geometry, 2},
            {"Rd", of_setup(UF_SETUP_ask_mthd_root), "method root", "a method root", method, 3},
            {"Np", of_setup(UF_SETUP_ask_program_null), "program NULL group", "a program NULL group", program, 0},
            {"Nm", of_setup(UF_SETUP_ask_mct_null), "machine tool NULL group", "a machine tool NULL group",
             "cutters and operations", 1},
            {"Ng", of_setup(UF_SETUP_ask_geom_null), "geometry NULL group", "a geometry NULL group", geometry, 2},
            {"Nd", of_setup(UF_SETUP_ask_mthd_null), "method NULL group", "a method NULL group", method, 3},
            {"PG", made(UF_NCPROG_create, "TT", "PROGRAM"), "program group", "a program group", program, 0},
            {"MC", made(UF_NCGEOM_create, "TT", "MCS"), "MCS group", "an MCS group", geometry, 2},
            {"WP", made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ"), "workpiece group", "a workpiece group", geometry, 2},
            {"BD", made(UF_NCGEOM_create, "mill_planar", "MILL_BND"), "boundary group", "a boundary group", geometry, 2},
            {"TX", made(UF_NCGEOM_create, "mill_planar", "MILL_TEXT"), "text group", "a text group", geometry, 2},
            {"MG", made(UF_NCMTHD_create, "TT", "MILL_ROUGH"), "method group", "a method group", method, 3},
            {"CU", made(UF_CUTTER_create, "mill_contour", "MILL"), "cutter", "a cutter", "operations", 1},
        };
        for (const auto &[key, type, subtype] : {std::tuple{"110", "mill_planar", "PLANAR_MILL"},
                                                 {"210", "mill_contour", "FIXED_CONTOUR"},
                                                 {"260", "mill_contour", "CAVITY_MILL"},
                                                 {"261", "mill_planar", "FACE_MILLING"},
                                                 {"263", "mill_contour", "ZLEVEL_PROFILE"},
                                                 {"265", "mill_contour", "PLUNGE_MILLING"}})
            all.push_back({key, made(UF_OPER_create, type, subtype), "operation", "an operation", "", -1});
        all.push_back({"BO", named("E1"), "body", "a body", "", -1});
        return all;
    }

    static const Piece &piece(const std::vector<Piece> &all, const std::string &key) {
        return *std::find_if(all.begin(), all.end(), [&](const Piece &p) { return p.key == key; });
    }

    tag_t null_of(int view) const {
        int (*const ask[])(tag_t, tag_t *) = {UF_SETUP_ask_program_null, UF_SETUP_ask_mct_null, UF_SETUP_ask_geom_null,
                                              UF_SETUP_ask_mthd_null};
        tag_t null = NULL_TAG;
        EXPECT_EQ(ask[view](setup_, &null), 0);
        return null;
    }

    // Accepts the member and checks where it went: last in the group, once, out of the view's
    // NULL group, and an operation's parent in that view only. Then puts it back.
    void accept_and_check(const Piece &group, const Piece &member) {
        const tag_t null = null_of(group.view);
        ASSERT_EQ(UF_NCGROUP_accept_member(group.tag, member.tag), 0);
        const std::vector<tag_t> members = member_tags(group.tag);
        ASSERT_FALSE(members.empty());
        EXPECT_EQ(members.back(), member.tag);
        EXPECT_EQ(std::count(members.begin(), members.end(), member.tag), 1);
        logical in_null = true;
        int index = -1;
        ASSERT_EQ(UF_NCGROUP_is_a_member(null, member.tag, &in_null, &index), 0);
        EXPECT_EQ(in_null, group.tag == null);
        for (int v = 0; member.view < 0 && v < 4; ++v) {
            tag_t parent = NULL_TAG;
            ASSERT_EQ(kParentIn[v](member.tag, &parent), 0);
            EXPECT_EQ(parent, v == group.view ? group.tag : null_of(v)) << "view " << v;
        }
        ASSERT_EQ(UF_NCGROUP_accept_member(null, member.tag), 0);
    }

    tag_t setup_ = NULL_TAG;
};

// Rows: the group; columns: the member, both in the order of every_kind(): setup | roots of the
// program, machine tool, geometry and method views | their NULL groups | program group | MCS,
// workpiece, boundary and text groups | method group | cutter | operations 110 210 260 261 263
// 265 | body. + accepted; h the group holds nothing; p the member is never placed in a group;
// o the group does not hold its kind; s the group itself.
const char *const kAccepts[] = {
    /* S   */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* Rp  */ "p pppp pppp + oooo o o ++++++ p",
    /* Rm  */ "p pppp pppp o oooo o + oooooo p",
    /* Rg  */ "p pppp pppp o ++++ o o ++++++ p",
    /* Rd  */ "p pppp pppp o oooo + o ++++++ p",
    /* Np  */ "p pppp pppp + oooo o o ++++++ p",
    /* Nm  */ "p pppp pppp o oooo o + ++++++ p",
    /* Ng  */ "p pppp pppp o ++++ o o ++++++ p",
    /* Nd  */ "p pppp pppp o oooo + o ++++++ p",
    /* PG  */ "p pppp pppp s oooo o o ++++++ p",
    /* MC  */ "p pppp pppp o s+++ o o ++++++ p",
    /* WP  */ "p pppp pppp o +s++ o o ++++++ p",
    /* BD  */ "p pppp pppp o ++s+ o o ++++++ p",
    /* TX  */ "p pppp pppp o +++s o o ++++++ p",
    /* MG  */ "p pppp pppp o oooo s o ++++++ p",
    /* CU  */ "p pppp pppp o oooo o o ++++++ p",
    /* 110 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* 210 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* 260 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* 261 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* 263 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* 265 */ "h hhhh hhhh h hhhh h h hhhhhh h",
    /* BO  */ "h hhhh hhhh h hhhh h h hhhhhh h",
};

TEST_F(CamRulesTest, EveryPairOfKindsIsAcceptedOrRefusedWithItsReason) {
    const std::vector<Piece> all = every_kind();
    ASSERT_EQ(std::size(kAccepts), all.size());
    for (std::size_t g = 0; g < all.size(); ++g) {
        std::string row = kAccepts[g];
        row.erase(std::remove(row.begin(), row.end(), ' '), row.end());
        ASSERT_EQ(row.size(), all.size()) << all[g].key;
        for (std::size_t m = 0; m < all.size(); ++m) {
            const Piece &group = all[g], &member = all[m];
            SCOPED_TRACE(group.key + " takes " + member.key);
            std::string why;
            switch (row[m]) {
            case 'h': why = label(group.tag) + " is " + group.a_kind + ", which holds no members"; break;
            case 'p': why = label(member.tag) + " is " + member.a_kind + ", which cannot be placed in a group"; break;
            case 'o':
                why = label(group.tag) + " is " + group.a_kind + ": it holds only " + group.holds + ", not the " +
                      member.kind + " " + label(member.tag);
                break;
            case 's': why = label(member.tag) + " cannot be placed in itself or in one of its own members"; break;
            default: break;
            }
            logical accepted = why.empty();
            char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "stale";
            ASSERT_EQ(UF_NCGROUP_can_accept_member(group.tag, member.tag, &accepted, reason), 0);
            EXPECT_EQ(accepted, why.empty());
            EXPECT_EQ(reason, why);
            if (why.empty()) accept_and_check(group, member);
            else EXPECT_EQ(UF_NCGROUP_accept_member(group.tag, member.tag), cam::kNotAccepted);
        }
    }
}

TEST_F(CamRulesTest, AGroupNeverGoesBelowItselfNorIntoAnotherPart) {
    const std::vector<Piece> all = every_kind();
    const tag_t mcs = piece(all, "MC").tag, workpiece = piece(all, "WP").tag, bounds = piece(all, "BD").tag;
    ASSERT_EQ(UF_NCGROUP_accept_member(mcs, workpiece), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(workpiece, bounds), 0);
    for (auto [group, member] : {std::pair{workpiece, mcs}, {bounds, mcs}, {bounds, workpiece}}) {
        logical accepted = true;
        char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
        ASSERT_EQ(UF_NCGROUP_can_accept_member(group, member, &accepted, reason), 0);
        EXPECT_FALSE(accepted);
        EXPECT_EQ(std::string(reason), name(member) + " cannot be placed in itself or in one of its own members");
        EXPECT_EQ(UF_NCGROUP_insert_member(group, member, NULL_TAG, UF_NCGROUP_POSITION_AFTER), cam::kNotAccepted);
    }
    ASSERT_EQ(UF_NCGROUP_accept_member(piece(all, "Rg").tag, bounds), 0) << "out of the MCS's branch";
    EXPECT_EQ(UF_NCGROUP_accept_member(bounds, mcs), 0);

    const tag_t group = piece(all, "PG").tag, oper = piece(all, "260").tag;
    const tag_t other = open_json(R"({"format":"nxhost-part/1"})", "other.prt");
    ASSERT_EQ(UF_SETUP_create(other, "TT"), 0);
    const tag_t foreign = made(UF_OPER_create, "mill_contour", "CAVITY_MILL"), foreign_group = named("PROGRAM");
    for (auto [parent, member] : {std::pair{group, foreign}, {foreign_group, oper}}) {
        logical accepted = true;
        char reason[UF_NCGROUP_MAX_REASON_BUFSIZE] = "";
        ASSERT_EQ(UF_NCGROUP_can_accept_member(parent, member, &accepted, reason), 0);
        EXPECT_FALSE(accepted);
        EXPECT_EQ(std::string(reason), name(member) + " belongs to another part than " + name(parent));
    }
}

// An automatic blank belongs to workpieces and operations that take blank geometry, a clearance
// plane to MCS groups and operations. (Whether Z-level takes a blank NX's documentation does not
// say; it is left out.)
TEST_F(CamRulesTest, BlanksAndClearancePlanesBelongWhereNxKeepsThem) {
    const std::vector<Piece> all = every_kind();
    const struct {
        const char *key;
        int blank, plane;
    } cases[] = {{"PG", cam::kBadEntity, kBadArgument}, {"MC", cam::kBadEntity, 0}, {"WP", 0, kBadArgument},
                 {"BD", cam::kBadEntity, kBadArgument}, {"TX", cam::kBadEntity, kBadArgument},
                 {"MG", cam::kBadEntity, kBadArgument}, {"110", cam::kBadEntity, 0}, {"210", cam::kBadEntity, 0},
                 {"260", 0, 0}, {"261", cam::kBadEntity, 0}, {"265", 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        const tag_t tag = piece(all, c.key).tag;
        double offsets[6] = {1, 1, 1, 1, 2, 0}, origin[3] = {0, 0, 40}, normal[3] = {0, 0, 1};
        UF_CAM_blank_geom_type_t type = UF_CAM_feature_geom_type;
        EXPECT_EQ(UF_CAM_set_auto_blank(tag, UF_CAM_auto_block_type, offsets), c.blank);
        EXPECT_EQ(UF_CAM_ask_auto_blank(tag, &type, offsets), c.blank);
        EXPECT_EQ(type, c.blank ? UF_CAM_feature_geom_type : UF_CAM_auto_block_type);
        EXPECT_EQ(UF_CAM_set_clear_plane_data(tag, origin, normal), c.plane);
        EXPECT_EQ(UF_CAM_ask_clear_plane_data(tag, origin, normal), c.plane ? cam::kNoClearPlane : 0);
    }
}

// ---- parameters ------------------------------------------------------------------------------

enum class Kind { Int, Double, Tag, Pair, Feed };

struct Value {
    int i = 0;
    double d = 0.0;
    tag_t tag = NULL_TAG;
    double pair[2] = {0.0, 0.0};
    UF_PARAM_feedrate_t feed{};
};

int ask(tag_t object, int index, Kind kind, Value *v) {
    switch (kind) {
    case Kind::Int: return UF_PARAM_ask_int_value(object, index, &v->i);
    case Kind::Double: return UF_PARAM_ask_double_value(object, index, &v->d);
    case Kind::Tag: return UF_PARAM_ask_tag_value(object, index, &v->tag);
    case Kind::Pair: return UF_PARAM_ask_2d_value(object, index, v->pair);
    case Kind::Feed: return UF_PARAM_ask_subobj_ptr_value(object, index, &v->feed);
    }
    return -1;
}

// Sets the value x stands for: x itself, (int) x, [x, x/2], a feed of x per minute, or the tag.
int set(tag_t object, int index, Kind kind, double x, tag_t tag) {
    double pair[2] = {x, x / 2};
    UF_PARAM_feedrate_t feed{UF_PARAM_feed_per_minute, x, 0};
    switch (kind) {
    case Kind::Int: return UF_PARAM_set_int_value(object, index, static_cast<int>(x));
    case Kind::Double: return UF_PARAM_set_double_value(object, index, x);
    case Kind::Tag: return UF_PARAM_set_tag_value(object, index, tag);
    case Kind::Pair: return UF_PARAM_set_2d_value(object, index, pair);
    case Kind::Feed: return UF_PARAM_set_subobj_ptr_value(object, index, &feed);
    }
    return -1;
}

bool holds(const Value &v, Kind kind, double x, tag_t tag) {
    switch (kind) {
    case Kind::Int: return v.i == static_cast<int>(x);
    case Kind::Double: return v.d == x;
    case Kind::Tag: return v.tag == tag;
    case Kind::Pair: return v.pair[0] == x && v.pair[1] == x / 2;
    case Kind::Feed: return v.feed.unit == UF_PARAM_feed_per_minute && v.feed.value == x;
    }
    return false;
}

// Each index: its kind, who carries it ("ops" = every operation subtype), a value NX takes and
// one it refuses (kNone: every value of the kind is taken; tags: good and bad objects below).
constexpr double kNone = -12345;
struct ParamRow {
    int index;
    Kind kind;
    const char *carriers;
    double good, bad;
    bool read_only = false;
};

std::vector<ParamRow> param_rows() {
    std::vector<ParamRow> rows;
    for (int feed = UF_PARAM_FEED_SIDE_CUT; feed <= UF_PARAM_FEED_FIRST_CUT; ++feed)
        rows.push_back({feed, Kind::Feed, "ops MG", 1200, -1});
    const char *const stepover = "110 210 260 261 265", *const layered = "260 263 265";
    const std::vector<ParamRow> others = {
        {UF_PARAM_STOCK_DRIVE, Kind::Double, "210", 0.3, kNone},
        {UF_PARAM_MCS, Kind::Tag, "MC WP BD TX ops", 0, 0},
        {UF_PARAM_TOL_IN_OUT, Kind::Pair, "ops MG", 0.02, kNone},
        {UF_PARAM_STOCK_FLOOR, Kind::Double, "110 260 261 263 265", -0.1, kNone},
        {UF_PARAM_STOCK_PART, Kind::Double, "ops", -0.05, kNone},
        {UF_PARAM_STEPOVER_TYPE, Kind::Int, stepover, UF_PARAM_stepover_type_constant, 8},
        {UF_PARAM_STEPOVER_SCALLOP, Kind::Double, stepover, 0.01, -0.01},
        {UF_PARAM_STEPOVER_DIST, Kind::Double, stepover, 0.2, -0.2},
        {UF_PARAM_STEPOVER_PERCENT, Kind::Double, stepover, 40, -40},
        {UF_PARAM_DRIVE_METHOD, Kind::Int, "210", UF_PARAM_dpm_type_text, 42},
        {UF_PARAM_CUT_METHOD, Kind::Int, "110 260 261 265", UF_PARAM_cut_method_profile, UF_PARAM_cut_method_undefined},
        {UF_PARAM_CUTLEV_MAX_DEPTH, Kind::Double, "110", 0.3, -0.3},
        {UF_PARAM_CUTLEV_MIN_DEPTH, Kind::Double, "110", 0.1, -0.1},
        {UF_PARAM_STOCK_BLANK, Kind::Double, "110 261", 0.7, kNone},
        {UF_PARAM_STOCK_CHECK, Kind::Double, "ops", 0.5, kNone},
        {UF_PARAM_CUTLEV_DEPTH_PER_CUT, Kind::Double, "261", 0.2, -0.2},
        {UF_PARAM_CUTLEV_GLOBAL_CUT_DEPTH, Kind::Double, layered, 0.4, -0.4},
        {UF_PARAM_STOCK_PART_USE, Kind::Int, layered, UF_PARAM_stock_part_use_as_is, 2},
        {UF_PARAM_TL_DIAMETER, Kind::Double, "CU", 12, 0},
        {UF_PARAM_TL_HEIGHT, Kind::Double, "CU", 80, -1},
        {UF_PARAM_TL_FLUTE_LN, Kind::Double, "CU", 30, -1},
        {UF_PARAM_TL_TAPER_ANG, Kind::Double, "CU", 0.05, kNone},
        {UF_PARAM_TL_TIP_ANG, Kind::Double, "CU", 0.1, kNone},
        {UF_PARAM_TL_COR1_RAD, Kind::Double, "CU", 1, 7},
        {UF_PARAM_TL_NUM_FLUTES, Kind::Int, "CU", 4, kNone},
        {UF_PARAM_TL_Z_OFFSET, Kind::Double, "CU ops", -0.02, kNone},
        {UF_PARAM_TL_NUMBER, Kind::Int, "CU", 112, kNone},
        {UF_PARAM_TL_ADJ_REG, Kind::Int, "CU", 12, kNone},
        {UF_PARAM_TL_CUTCOM_REG, Kind::Int, "CU", 13, kNone},
        {UF_PARAM_TL_ADJ_REG_TOG, Kind::Int, "CU", 1, 2},
        {UF_PARAM_TL_Z_OFFSET_TOG, Kind::Int, "CU ops", 1, 2},
        {UF_PARAM_FLOOR, Kind::Tag, "110", 0, kNone},
        {UF_PARAM_SPINDLE_RPM, Kind::Double, "ops", 6500, -1},
        {UF_PARAM_SPINDLE_RPM_TOG, Kind::Int, "ops", 1, 2},
        {UF_PARAM_CUTLEV_RANGE_TYPE, Kind::Int, layered, 1, kNone, true},
        {UF_PARAM_CUTLEV_RANGE_SUBDIV_TYPE, Kind::Int, layered, 2, 3},
        {UF_PARAM_CUTLEV_TOP_OFF_MODE, Kind::Int, layered, 1, 2},
    };
    rows.insert(rows.end(), others.begin(), others.end());
    return rows;
}

bool carried_by(const std::string &carriers, const std::string &key) {
    std::istringstream words(carriers);
    for (std::string word; words >> word;)
        if (word == key || (word == "ops" && std::isdigit(static_cast<unsigned char>(key[0])))) return true;
    return false;
}

TEST_F(CamRulesTest, EachParameterHasOneKindAndIsCarriedOnlyByItsObjects) {
    const std::vector<Piece> all = every_kind();
    const std::vector<ParamRow> rows = param_rows();
    std::set<int> tested, known;
    for (const ParamRow &row : rows) tested.insert(row.index);
    for (const cam::ParamSpec &spec : cam::param_table()) known.insert(spec.index);
    EXPECT_EQ(tested, known) << "every index the stand-in knows has its row";

    const tag_t body = named("E1");
    const double axes[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, at[3] = {0, 0, 20}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    tag_t matrix = NULL_TAG, csys = NULL_TAG, floor = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(at, matrix, &csys), 0);
    ASSERT_EQ(UF_SO_create_xform_doubles(body, UF_SO_update_within_modeling, at, x, y, 1.0, &floor), 0);
    for (const ParamRow &row : rows) {
        const tag_t good = row.index == UF_PARAM_MCS ? csys : floor, bad = row.index == UF_PARAM_MCS ? body : NULL_TAG;
        for (const Piece &p : all) {
            if (p.key == "S" || p.key == "BO" || (p.key[0] == 'R' && p.key != "Rp") || (p.key[0] == 'N' && p.key != "Nm"))
                continue;  // the setup and the body are no parameter objects; one root and NULL group stand for all
            SCOPED_TRACE(std::to_string(row.index) + " on " + p.key);
            Value v;
            if (!carried_by(row.carriers, p.key)) {
                EXPECT_EQ(ask(p.tag, row.index, row.kind, &v), cam::kInvalidIndex);
                EXPECT_EQ(set(p.tag, row.index, row.kind, row.good, good), cam::kInvalidIndex);
                continue;
            }
            ASSERT_EQ(ask(p.tag, row.index, row.kind, &v), 0);
            EXPECT_EQ(ask(p.tag, row.index, row.kind == Kind::Int ? Kind::Double : Kind::Int, &v), cam::kWrongValueKind);
            char text[MAX_LINE_BUFSIZE] = "";
            EXPECT_EQ(UF_PARAM_ask_str_value(p.tag, row.index, text), cam::kWrongValueKind);
            if (row.read_only) {
                EXPECT_EQ(set(p.tag, row.index, row.kind, row.good, good), cam::kReadOnly);
                continue;
            }
            ASSERT_EQ(set(p.tag, row.index, row.kind, row.good, good), 0);
            if (row.bad != kNone) {
                EXPECT_EQ(set(p.tag, row.index, row.kind, row.bad, bad), cam::kBadValue);
            }
            ASSERT_EQ(ask(p.tag, row.index, row.kind, &v), 0);
            EXPECT_TRUE(holds(v, row.kind, row.good, good)) << "the good value, kept through the refusal";
        }
    }
}

// ---- cut levels ------------------------------------------------------------------------------

using Step = std::function<int(tag_t, UF_CUT_LEVELS_t *)>;

Step edit(int level, double z, double depth = 0.5) {
    return [=](tag_t o, UF_CUT_LEVELS_t *c) { return UF_CUT_LEVELS_edit_level_using_z(o, level, z, depth, c); };
}
Step add(double z, double depth = 0.5) {
    return [=](tag_t o, UF_CUT_LEVELS_t *c) {
        double at = z;
        return UF_CUT_LEVELS_add_levels_using_z(o, 1, &at, depth, c);
    };
}
Step drop(int level) {
    return [=](tag_t o, UF_CUT_LEVELS_t *c) { return UF_CUT_LEVELS_delete_level(o, level, c); };
}
Step range(int type) {
    return [=](tag_t o, UF_CUT_LEVELS_t *c) {
        return UF_CUT_LEVELS_set_range_type(o, static_cast<UF_PARAM_clv_range_type_t>(type), c);
    };
}

TEST_F(CamRulesTest, CutLevelEditsAtTheEndsOfTheRange) {
    tt_part(kStepped);
    const tag_t workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    ASSERT_EQ(append_items(workpiece, UF_CAM_part, {named("E1")}), 0);
    constexpr int kAuto = UF_PARAM_clv_range_auto_generate, kUser = UF_PARAM_clv_range_user_defined,
                  kSingle = UF_PARAM_clv_range_single;
    const double nan = std::nan("");
    const struct {
        const char *what;
        std::vector<std::pair<int, Step>> steps;  // code, call
        Heights z;
        int range;
    } cases[] = {
        {"the top level edited", {{0, edit(0, 14)}}, {14, 10, 0}, kUser},
        {"the first level deleted", {{0, drop(0)}}, {10, 0}, kUser},
        {"the last level deleted", {{0, drop(2)}}, {15, 10}, kUser},
        {"the last level moved below the part", {{0, edit(2, -2)}}, {15, 10, -2}, kUser},
        {"the last level moved above the one before passes it", {{0, edit(2, 12)}}, {15, 12}, kUser},
        {"the last level moved above the top passes every level", {{0, edit(2, 20)}}, {20}, kUser},
        {"the top moved below the bottom passes every level", {{0, edit(0, -1)}}, {-1}, kUser},
        {"levels outside the range",
         {{cam::kNoSuchLevel, edit(-1, 5)}, {cam::kNoSuchLevel, edit(3, 5)}, {cam::kNoSuchLevel, drop(-1)},
          {cam::kNoSuchLevel, drop(3)}},
         {15, 10, 0},
         kAuto},
        {"a depth per cut below 0 or not a number",
         {{kBadArgument, edit(0, 14, -0.1)}, {kBadArgument, edit(0, 14, nan)}, {kBadArgument, add(5, -1)}},
         {15, 10, 0},
         kAuto},
        {"every level deleted, then a new one",
         {{0, drop(0)}, {0, drop(0)}, {0, drop(0)}, {cam::kNoSuchLevel, drop(0)},
          {cam::kNoSuchLevel, edit(0, 3)}, {0, add(5)}},
         {5},
         kUser},
        {"a single range keeps the lowest level and refuses adding and deleting",
         {{0, range(kSingle)}, {cam::kSingleRange, add(5)}, {cam::kSingleRange, drop(0)}},
         {0},
         kSingle},
        {"the single level moved", {{0, range(kSingle)}, {0, edit(0, 4)}}, {4}, kSingle},
        {"user defined to single keeps the lowest edited level", {{0, edit(2, 12)}, {0, range(kSingle)}}, {12}, kSingle},
        {"single to user defined takes new levels", {{0, range(kSingle)}, {0, range(kUser)}, {0, add(8)}}, {8, 0}, kUser},
        {"back to automatic follows the part again", {{0, edit(0, 14)}, {0, drop(2)}, {0, range(kAuto)}}, {15, 10, 0}, kAuto},
        {"unknown range types", {{kBadArgument, range(-1)}, {kBadArgument, range(3)}}, {15, 10, 0}, kAuto},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const tag_t oper = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
        ASSERT_EQ(UF_NCGROUP_accept_member(workpiece, oper), 0);
        UF_CUT_LEVELS_t *copy = nullptr;
        ASSERT_EQ(UF_CUT_LEVELS_load(oper, &copy), 0);
        for (const auto &[code, step] : c.steps) EXPECT_EQ(step(oper, copy), code);
        EXPECT_EQ(level_heights(oper), c.z);
        EXPECT_EQ(range_type(oper), c.range);
        Heights in_copy;
        for (int i = 0; i < copy->num_levels; ++i) in_copy.push_back(copy->cut_levels[i].z_level);
        EXPECT_EQ(in_copy, c.z) << "the caller's copy follows every change";
        UF_CUT_LEVELS_free(&copy);
    }
    // Operations without cut levels refuse every cut-level call.
    for (const auto &[type, subtype] : {std::pair{"mill_planar", "PLANAR_MILL"}, {"mill_planar", "FACE_MILLING"},
                                        {"mill_contour", "FIXED_CONTOUR"}}) {
        const tag_t oper = made(UF_OPER_create, type, subtype);
        UF_CUT_LEVELS_t *copy = nullptr;
        EXPECT_EQ(UF_CUT_LEVELS_load(oper, &copy), cam::kNoCutLevels) << subtype;
        for (const Step &step : {edit(0, 1), add(1), drop(0), range(kUser)})
            EXPECT_EQ(step(oper, nullptr), cam::kNoCutLevels) << subtype;
        EXPECT_EQ(UF_CUT_LEVELS_reset_to_default(oper), cam::kNoCutLevels) << subtype;
    }
}

// ---- generation ------------------------------------------------------------------------------

TEST_F(CamRulesTest, EachMissingPrerequisiteFailsWithItsOwnMessage) {
    const tag_t part = tt_part(kStepped);
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t body = named("E1"), blank = named("BLANK");
    ASSERT_EQ(append_items(workpiece, UF_CAM_part, {body}), 0);
    char text[] = "E1-R", *lines[] = {text};
    double at[3] = {5, 5, 15};
    const double x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    tag_t note = NULL_TAG, floor = NULL_TAG, top = NULL_TAG;
    ASSERT_EQ(UF_DRF_create_note(1, lines, at, 0, &note), 0);
    ASSERT_EQ(UF_SO_create_xform_doubles(body, UF_SO_update_within_modeling, at, x, y, 1.0, &floor), 0);
    for (tag_t f : nxhost::store().children(body, UF_solid_face_subtype))
        if (nxhost::store().find(f)->index == 0) top = f;
    UF_CAMBND_boundary_data_t bound{};
    using Add = std::function<int(tag_t)>;
    const Add to_cutter = [&](tag_t o) { return UF_NCGROUP_accept_member(cutter, o); };
    const Add into_workpiece = [&](tag_t o) { return UF_NCGROUP_accept_member(workpiece, o); };
    const Add notes = [&](tag_t o) { return UF_CAMTEXT_append_items(o, 1, &note); };
    const struct {
        const char *type, *oper;
        std::vector<std::tuple<int, const char *, Add>> steps;  // code and message while missing, then the step
        const char *summary;
    } cases[] = {
        {"mill_contour",
         "PLUNGE_MILLING",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsPart, "The operation has no part geometry", [&](tag_t o) { return append_items(o, UF_CAM_part, {body}); }},
          {cam::kNeedsBlank, "The operation has no blank geometry",
           [&](tag_t o) { return append_items(o, UF_CAM_blank, {blank}); }},
          {cam::kNeedsCutLevels, "The operation has no cut levels", [&](tag_t o) { return add(5)(o, nullptr); }}},
         "cutter MILL, 1 part item, 1 cut level"},
        {"mill_contour",
         "ZLEVEL_PROFILE",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsPart, "The operation has no part geometry", into_workpiece}},
         "cutter MILL, 1 part item, 3 cut levels"},
        {"mill_contour",
         "FIXED_CONTOUR",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsCutArea, "The operation has no cut area and no part geometry", into_workpiece}},
         "cutter MILL, 1 part item"},
        {"mill_contour",
         "CONTOUR_TEXT",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsText, "The operation has no text geometry", notes}},
         "cutter MILL, 1 text item"},
        {"mill_planar",
         "PLANAR_MILL",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsBoundary, "The operation has no boundaries", notes},
          {cam::kNeedsFloor, "The operation has no floor plane",
           [&](tag_t o) { return UF_PARAM_set_tag_value(o, UF_PARAM_FLOOR, floor); }}},
         "cutter MILL, 1 text item, floor"},
        {"mill_planar",
         "FACE_MILLING",
         {{cam::kNeedsCutter, "The operation has no cutter", to_cutter},
          {cam::kNeedsBoundary, "The operation has no boundaries",
           [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_blank, top, &bound); }}},
         "cutter MILL, 1 face boundary"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oper);
        const tag_t oper = made(UF_OPER_create, c.type, c.oper);
        // A range made user defined before the part had geometry holds no level.
        if (std::string(c.oper) == "PLUNGE_MILLING") {
            ASSERT_EQ(range(UF_PARAM_clv_range_user_defined)(oper, nullptr), 0);
        }
        logical ok = true, generated = true;
        for (const auto &[code, message, step] : c.steps) {
            ASSERT_EQ(UF_PARAM_check(oper, &ok), 0);
            EXPECT_FALSE(ok);
            EXPECT_EQ(UF_PARAM_generate(oper, &generated), code);
            EXPECT_FALSE(generated);
            EXPECT_EQ(fail_message(code), message);
            ASSERT_EQ(step(oper), 0);
        }
        ASSERT_EQ(UF_PARAM_check(oper, &ok), 0);
        EXPECT_TRUE(ok);
        ASSERT_EQ(UF_PARAM_generate(oper, &generated), 0);
        EXPECT_TRUE(generated);
        std::ostringstream tree;
        nxhost::print_part_tree(tree, part);
        EXPECT_NE(tree.str().find(std::string("path generated: ") + c.summary + "\n"), std::string::npos) << tree.str();
    }
    EXPECT_EQ(range_type(named("PLUNGE_MILLING")), UF_PARAM_clv_range_user_defined);

    // A path is the path of the cutter and geometry it was generated with.
    const tag_t zlevel = named("ZLEVEL_PROFILE"), contour = named("FIXED_CONTOUR"), text_op = named("CONTOUR_TEXT");
    const tag_t ball = made(UF_CUTTER_create, "mill_contour", "BALL_MILL");
    ASSERT_EQ(UF_NCGROUP_accept_member(ball, zlevel), 0);
    EXPECT_EQ(UF_PARAM_replay_path(zlevel), cam::kNoPath) << "generated with another cutter";
    EXPECT_EQ(UF_PARAM_replay_path(contour), 0);
    ASSERT_EQ(append_items(workpiece, UF_CAM_check, {blank}), 0);
    EXPECT_EQ(UF_PARAM_replay_path(contour), cam::kNoPath) << "its workpiece's geometry changed";
    EXPECT_EQ(UF_PARAM_replay_path(text_op), 0) << "not in the workpiece";
    ASSERT_EQ(UF_OBJ_delete_object(cutter), 0);
    EXPECT_EQ(UF_PARAM_replay_path(text_op), cam::kNoPath) << "its cutter is gone";

    // A group generates every operation it holds; the first that cannot be generated says why.
    tag_t none = NULL_TAG, setup = NULL_TAG;
    UF_SETUP_ask_setup(&setup);
    UF_SETUP_ask_program_null(setup, &none);
    logical generated = true;
    EXPECT_EQ(UF_PARAM_generate(none, &generated), cam::kNeedsCutter);
    EXPECT_FALSE(generated);
    EXPECT_EQ(UF_PARAM_replay_path(zlevel), 0) << "generated with the group";
    UF_CUTTER_holder_section_t section{20, 30, 0, 0};
    ASSERT_EQ(UF_CUTTER_create_holder_section(ball, &section), 0);
    EXPECT_EQ(UF_PARAM_replay_path(zlevel), cam::kNoPath) << "its cutter's holder changed";
    ASSERT_EQ(UF_PARAM_generate(zlevel, &generated), 0);
    ASSERT_EQ(UF_PARAM_set_double_value(ball, UF_PARAM_TL_DIAMETER, 6), 0);
    EXPECT_EQ(UF_PARAM_replay_path(zlevel), cam::kNoPath) << "its cutter's diameter changed";
    const tag_t empty = made(UF_NCPROG_create, "TT", "PROGRAM");
    logical ok = true;
    ASSERT_EQ(UF_PARAM_check(empty, &ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(UF_PARAM_generate(empty, &generated), cam::kNotAnOperation);
    EXPECT_EQ(fail_message(cam::kNotAnOperation), "The group holds no operation");
}

// ---- cycling ---------------------------------------------------------------------------------

struct Cycle {
    std::vector<tag_t> seen;
    tag_t trigger = NULL_TAG, victim = NULL_TAG;
};

logical see_and_delete(tag_t member, void *data) {
    auto *cycle = static_cast<Cycle *>(data);
    cycle->seen.push_back(member);
    if (member == cycle->trigger) {
        EXPECT_EQ(UF_OBJ_delete_object(cycle->victim), 0);
    }
    return true;
}

TEST_F(CamRulesTest, CyclingOverCamObjectsWhileSomeAreDeleted) {
    const tag_t part = tt_part();
    const tag_t program = named("PROGRAM"), group = made(UF_NCPROG_create, "TT", "PROGRAM");
    std::vector<tag_t> opers;
    for (const char *op : {"OP_A", "OP_B", "OP_C", "OP_D", "OP_E", "OP_F"}) {
        opers.push_back(made(UF_OPER_create, "mill_contour", "CAVITY_MILL"));
        ASSERT_EQ(UF_OBJ_set_name(opers.back(), op), 0);
    }
    ASSERT_EQ(UF_NCGROUP_accept_member(group, opers[2]), 0);
    ASSERT_EQ(UF_NCGROUP_accept_member(group, opers[3]), 0);
    // A and E are deleted once the cursor has left them; at B the group goes, and C and D with it.
    Names seen;
    tag_t at = NULL_TAG, behind = NULL_TAG;
    for (;;) {
        ASSERT_EQ(UF_OBJ_cycle_objs_in_part(part, UF_machining_operation_type, &at), 0);
        if (behind != NULL_TAG) {
            ASSERT_EQ(UF_OBJ_delete_object(behind), 0);
        }
        behind = NULL_TAG;
        if (at == NULL_TAG) break;
        seen.push_back(name(at));
        if (seen.back() == "OP_A" || seen.back() == "OP_E") behind = at;
        if (seen.back() == "OP_B") {
            ASSERT_EQ(UF_OBJ_delete_object(group), 0);  // takes C and D along
        }
    }
    EXPECT_EQ(seen, (Names{"OP_A", "OP_B", "OP_E", "OP_F"}));
    seen.clear();
    for (at = NULL_TAG; UF_OBJ_cycle_objs_in_part(part, UF_machining_operation_type, &at) == 0 && at != NULL_TAG;)
        seen.push_back(name(at));
    EXPECT_EQ(seen, (Names{"OP_B", "OP_F"}));

    // Names: the four views' NULL groups are all NONE; a deleted object's name is free again.
    int nulls = 0;
    for (at = NULL_TAG; UF_OBJ_cycle_by_name("NONE", &at) == 0 && at != NULL_TAG;) ++nulls;
    EXPECT_EQ(nulls, 4);
    for (const char *gone : {"OP_A", "OP_C", "PROGRAM_1"}) EXPECT_EQ(named(gone), NULL_TAG) << gone;
    ASSERT_EQ(UF_OBJ_set_name(opers[1], "OP_A"), 0);
    EXPECT_EQ(named("OP_A"), opers[1]);
    EXPECT_EQ(named("OP_B"), NULL_TAG);

    // A member deleted by the callback of a cycle over its group is not handed out.
    std::vector<tag_t> more = {opers[1], opers[5], made(UF_OPER_create, "mill_contour", "CAVITY_MILL"),
                               made(UF_OPER_create, "mill_contour", "CAVITY_MILL")};
    for (tag_t op : more) ASSERT_EQ(UF_NCGROUP_accept_member(program, op), 0);
    Cycle cycle{{}, more[0], more[2]};
    ASSERT_EQ(UF_NCGROUP_cycle_members(program, see_and_delete, &cycle), 0);
    EXPECT_EQ(cycle.seen, (std::vector<tag_t>{more[0], more[1], more[3]}));
}

}  // namespace
