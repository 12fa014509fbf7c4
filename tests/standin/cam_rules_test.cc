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

}  // namespace
