// The MCS, clearance plane, workpiece and blank of the electrodes, their face sets, check blocks
// and per-electrode workpieces, against the electrodes' measured geometry; bad input; and every
// NX call of the set-up failing in turn.
#include <cmath>

#include "my_func_cam/mcs_frame.h"
#include "nxhost/cam/frame.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/csys/csys.h"
#include "setup_fixture.h"
#include "torvane/setup/check_blocks.h"
#include "torvane/setup/mcs_class.h"
#include "uf_cam_planes.h"
#include "uf_camgeom.h"
#include "uf_csys.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_setup.h"

namespace {

using Axes = std::array<double, 9>;
using Point = std::array<double, 3>;

const char *const kDemoElectrodes[] = {"EL-001", "EL-002", "EL-003", "EL-004"};

void expect_point(const double *actual, const Point &expected, const std::string &what) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-6) << what << " " << "xyz"[k];
}

// Union of the exact boxes of bodies.
std::array<double, 6> union_box(const std::vector<std::array<double, 6>> &boxes) {
    std::array<double, 6> u = boxes.front();
    for (const auto &b : boxes)
        for (int k = 0; k < 3; ++k) {
            u[k] = std::fmin(u[k], b[k]);
            u[k + 3] = std::fmax(u[k + 3], b[k + 3]);
        }
    return u;
}

// The frame NX holds for the MCS group.
void mcs_frame_of(tag_t mcs, nxhost::csys::Vector *origin, nxhost::csys::Matrix *axes) {
    tag_t csys = NULL_TAG;
    ASSERT_EQ(UF_PARAM_ask_tag_value(mcs, UF_PARAM_MCS, &csys), 0);
    ASSERT_TRUE(nxhost::csys::frame_of(csys, origin, axes));
}

// Box 30 x 50 x 20 (x shorter than y, z shortest) and 50 x 30 x 60: each reference direction in
// both orders of its two sides across Z, with the origin choices top, EDM centre, bottom.
TEST(McsFrame, FollowsTheReferenceDirectionAndTheLongerSideAcrossIt) {
    const double small[2][3] = {{0, 0, 0}, {30, 50, 20}}, tall[2][3] = {{0, 0, 0}, {50, 30, 60}};
    const double edm[3] = {15, 25, 5};
    const struct {
        int direction;
        const double (*box)[3];
        Axes axes;
        Point origins[3];  // origin choices 0, 1, 2
    } cases[] = {
        {1, small, {0, 1, 0, 1, 0, 0, 0, 0, -1}, {{15, 25, 0}, {15, 25, 5}, {15, 25, 20}}},
        {1, tall, {1, 0, 0, 0, -1, 0, 0, 0, -1}, {{25, 15, 0}, {25, 15, 5}, {25, 15, 60}}},
        {-1, small, {0, 1, 0, -1, 0, 0, 0, 0, 1}, {{15, 25, 20}, {15, 25, 5}, {15, 25, 0}}},
        {2, small, {1, 0, 0, 0, 0, -1, 0, 1, 0}, {{15, 50, 10}, {15, 25, 10}, {15, 0, 10}}},
        {2, tall, {0, 0, -1, -1, 0, 0, 0, 1, 0}, {{25, 30, 30}, {25, 25, 30}, {25, 0, 30}}},
        {-2, small, {1, 0, 0, 0, 0, 1, 0, -1, 0}, {{15, 0, 10}, {15, 25, 10}, {15, 50, 10}}},
        {3, small, {0, 1, 0, 0, 0, -1, -1, 0, 0}, {{0, 25, 10}, {15, 25, 10}, {30, 25, 10}}},
        {3, tall, {0, 0, 1, 0, 1, 0, -1, 0, 0}, {{0, 15, 30}, {15, 15, 30}, {50, 15, 30}}},
        {-3, small, {0, 1, 0, 0, 0, 1, 1, 0, 0}, {{30, 25, 10}, {15, 25, 10}, {0, 25, 10}}},
    };
    for (const auto &c : cases) {
        for (int choice = 0; choice < 3; ++choice) {
            SCOPED_TRACE("direction " + std::to_string(c.direction) + " origin choice " + std::to_string(choice));
            mcs_frame frame{};
            mcs_frame_of_electrodes(c.box[0], c.box[1], c.direction, edm, choice, &frame);
            for (int i = 0; i < 9; ++i) EXPECT_EQ(frame.matrix[i], c.axes[i]) << "axis value " << i;
            expect_point(frame.origin, c.origins[choice], "origin");
        }
        // The clearance plane lies 20 beyond the box's far side along the MCS Z.
        double point[3], normal[3];
        ASSERT_EQ(mcs_clear_plane(c.axes.data(), c.box[0], c.box[1], 20.0, point, normal), 1);
        const Point z = {c.axes[6], c.axes[7], c.axes[8]};
        expect_point(normal, z, "normal");
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(point[k], z[k] > 0 ? c.box[1][k] + 20 : z[k] < 0 ? c.box[0][k] - 20 : 0.0) << "xyz"[k];
    }
    const double turned[9] = {0.7071, 0.7071, 0, -0.7071, 0.7071, 0, 0, 0, 1}, tilted[9] = {1, 0, 0, 0, 0.7071, 0.7071, 0, -0.7071, 0.7071};
    double point[3], normal[3];
    EXPECT_EQ(mcs_clear_plane(turned, small[0], small[1], 20.0, point, normal), 0) << "X not along an axis";
    EXPECT_EQ(mcs_clear_plane(tilted, small[0], small[1], 20.0, point, normal), 0) << "Z not along an axis";
    expect_point(normal, {0, 0, 0}, "no normal");
}

class McsWorkpiece : public SetupTest {};

TEST_F(McsWorkpiece, TheDemoElectrodesGetOneMcsAboveThemAndOneWorkpieceWithABlankAroundThem) {
    open("electrodes.prt", {kDemoElectrodes, kDemoElectrodes + 4});
    std::vector<std::array<double, 6>> boxes;
    for (const char *name : kDemoElectrodes) boxes.push_back(exact_box(body(name)));
    const std::array<double, 6> all = union_box(boxes);
    ASSERT_EQ(create_mcs_and_workpiece(), 1);

    EXPECT_EQ(nxhost::store().find(static_mcs_tag)->name, "MCS_QZ_0");
    EXPECT_EQ(nxhost::store().find(static_work_piece_tag)->name, "WORKPIECE_QZ");
    logical member = false;
    int index = -1;
    ASSERT_EQ(UF_NCGROUP_is_a_member(static_mcs_tag, static_work_piece_tag, &member, &index), 0);
    EXPECT_TRUE(member);
    // Standing upright and longer in x than in y: the absolute axes, the origin on top in the middle.
    nxhost::csys::Vector origin{};
    nxhost::csys::Matrix axes{};
    mcs_frame_of(static_mcs_tag, &origin, &axes);
    EXPECT_EQ(axes, (nxhost::csys::Matrix{1, 0, 0, 0, 1, 0, 0, 0, 1}));
    expect_point(origin.data(), {(all[0] + all[3]) / 2, (all[1] + all[4]) / 2, all[5]}, "MCS origin");
    double point[3], normal[3];
    ASSERT_EQ(UF_CAM_ask_clear_plane_data(static_mcs_tag, point, normal), 0);
    expect_point(point, {0, 0, all[5] + 20}, "clearance plane");
    expect_point(normal, {0, 0, 1}, "clearance plane normal");
    // The blank NX computes from the part geometry: the electrodes' boxes widened by 1 in x and
    // y, 0.5 above and nothing below.
    nxhost::cam::Box blank{};
    nxhost::csys::Matrix blank_axes{};
    ASSERT_TRUE(nxhost::cam::auto_block_box(static_work_piece_tag, &blank, &blank_axes));
    const std::array<double, 6> expected = {all[0] - 1, all[1] - 1, all[2], all[3] + 1, all[4] + 1, all[5] + 0.5};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(blank[k], expected[k], 1e-6) << "blank bound " << k;
    // Every working face of every electrode is in one of the flat, sloped, steep or back lists.
    int working = 0;
    for (const elec_cam_data *r = elec_cam_data_list; r; r = r->next_p) working += r->elec_body_face_count;
    ASSERT_NE(static_face_sets, nullptr);
    const face_sets &sets = *static_face_sets;
    EXPECT_EQ(sets.face_all.count + sets.face_0_90.count + sets.face_90.count + sets.face_back.count, working);
    EXPECT_GT(sets.face_all.count, 0);

    // A second call makes nothing twice.
    const std::size_t objects = object_count();
    const tag_t mcs = static_mcs_tag, workpiece = static_work_piece_tag;
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    EXPECT_EQ(object_count(), objects);
    EXPECT_EQ(static_mcs_tag, mcs);
    EXPECT_EQ(static_work_piece_tag, workpiece);
}

// The stub on the -Z side works downward: the MCS looks down, its clearance plane lies below.
TEST_F(McsWorkpiece, AnElectrodeWorkingDownwardGetsAnMcsLookingDown) {
    open("electrode_shapes.prt", {"STUB_ZM"});
    const std::array<double, 6> box = exact_box(body("STUB_ZM"));
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    nxhost::csys::Vector origin{};
    nxhost::csys::Matrix axes{};
    mcs_frame_of(static_mcs_tag, &origin, &axes);
    EXPECT_EQ(axes, (nxhost::csys::Matrix{1, 0, 0, 0, -1, 0, 0, 0, -1}));
    expect_point(origin.data(), {(box[0] + box[3]) / 2, (box[1] + box[4]) / 2, box[2]}, "origin at the tip");
    double point[3], normal[3];
    ASSERT_EQ(UF_CAM_ask_clear_plane_data(static_mcs_tag, point, normal), 0);
    expect_point(point, {0, 0, box[2] - 20}, "clearance plane below");
    expect_point(normal, {0, 0, -1}, "normal");
    nxhost::cam::Box blank{};
    nxhost::csys::Matrix blank_axes{};
    ASSERT_TRUE(nxhost::cam::auto_block_box(static_work_piece_tag, &blank, &blank_axes));
    const nxhost::cam::Box world = nxhost::cam::absolute_extent(blank, blank_axes);
    const std::array<double, 6> expected = {box[0] - 1, box[1] - 1, box[2] - 0.5, box[3] + 1, box[4] + 1, box[5]};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(world[k], expected[k], 1e-6) << "0.5 beyond the tip, nothing behind the base";
}

TEST_F(McsWorkpiece, BadInputGivesTheMessageAndLosesNothing) {
    open("electrodes.prt", {});
    std::size_t objects = object_count();
    EXPECT_EQ(create_mcs_and_workpiece(), 0) << "no electrode";
    EXPECT_EQ(shown("message").back(), addontest::english("create_static_mcs_and_workpiec_05:"));
    EXPECT_EQ(object_count(), objects);

    // A face is no electrode: the analysis says so in each mode, nothing is made.
    static_elec_count = 0;
    choose({"EL-001"});
    static_elec_tags[0] = nxhost::store().children(body("EL-001"), UF_solid_face_subtype).front();
    clear_shown();
    EXPECT_EQ(create_mcs_and_workpiece(), 0);
    EXPECT_EQ(shown("message"), std::vector<std::string>(3, "err! elec_tag is not solid_body type!"));
    EXPECT_EQ(elec_cam_data_list, nullptr) << "no half list for the next call";
    EXPECT_EQ(object_count(), objects);

    // The user's own MCS stays as it is beside the new one.
    const double turned[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1}, at[3] = {5, 5, 5};
    tag_t matrix = NULL_TAG, csys = NULL_TAG, setup = NULL_TAG, root = NULL_TAG, own = NULL_TAG;
    char tt[] = "TT", mcs_template[] = "MCS";
    ASSERT_EQ(UF_CSYS_create_matrix(turned, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(at, matrix, &csys), 0);
    ASSERT_EQ(UF_NCGEOM_create(tt, mcs_template, &own), 0);
    UF_SETUP_ask_setup(&setup);
    UF_SETUP_ask_geom_root(setup, &root);
    ASSERT_EQ(UF_NCGROUP_accept_member(root, own), 0);
    ASSERT_EQ(UF_OBJ_set_name(own, "MY_MCS"), 0);
    ASSERT_EQ(UF_PARAM_set_tag_value(own, UF_PARAM_MCS, csys), 0);
    choose({"EL-001", "EL-002"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    EXPECT_NE(static_mcs_tag, own);
    tag_t still = NULL_TAG;
    ASSERT_EQ(UF_PARAM_ask_tag_value(own, UF_PARAM_MCS, &still), 0);
    EXPECT_EQ(still, csys);

    // The user deletes the workpiece: the next call makes a new one and keeps the MCS.
    const tag_t mcs = static_mcs_tag;
    ASSERT_EQ(UF_OBJ_delete_object(static_work_piece_tag), 0);
    objects = object_count();
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    EXPECT_EQ(static_mcs_tag, mcs);
    EXPECT_EQ(nxhost::store().find(static_work_piece_tag)->name, "WORKPIECE_QZ");
    EXPECT_EQ(object_count(), objects + 1);

    // A new turn takes "MCS_QZ_0" as it is, whatever the settings say now.
    double before[3], normal[3];
    UF_CAM_ask_clear_plane_data(mcs, before, normal);
    forget_turn();
    choose({"EL-003"});
    static_dlg_state.radio_2 = MCS_MODE_ABSOLUTE;
    static_dlg_state.real_23 = 50.0;
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    EXPECT_EQ(static_mcs_tag, mcs);
    double after[3];
    UF_CAM_ask_clear_plane_data(mcs, after, normal);
    expect_point(after, {before[0], before[1], before[2]}, "clearance plane unchanged");

    // An MCS as a WCS turned by 45 degrees is not axis-aligned: no face sets.
    forget_turn();
    ASSERT_EQ(UF_OBJ_set_name(mcs, "OLD_MCS"), 0);
    const double half[9] = {0.70710678, 0.70710678, 0, -0.70710678, 0.70710678, 0, 0, 0, 1};
    ASSERT_EQ(UF_CSYS_create_matrix(half, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_temp_csys(at, matrix, &csys), 0);
    ASSERT_EQ(UF_CSYS_set_wcs(csys), 0);
    choose({"EL-001"});
    static_dlg_state.radio_2 = MCS_MODE_WCS;
    EXPECT_EQ(create_mcs_and_workpiece(), 0);
    EXPECT_EQ(shown("message").back(), addontest::english("create_static_mcs_and_workpiec_02:"));
    EXPECT_EQ(static_face_sets, nullptr);
}

// The progress line names each electrode it analyses; an unnamed one is no failed call.
TEST_F(McsWorkpiece, AnUnnamedElectrodeIsAnalysedWithoutAFailedCallReport) {
    open("unnamed.prt", {"NAMED", ""}, R"({"format":"nxhost-part/1","bodies":[
        {"name":"NAMED","shape":{"box":{"min":[0,0,0],"max":[10,10,10]}}},
        {"shape":{"box":{"min":[20,0,0],"max":[30,10,10]}}}]})");
    static_dlg_state.radio_1 = 1;
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    EXPECT_TRUE(shown("listing").empty()) << shown("listing").front();
    const std::vector<std::string> status = shown("status");
    ASSERT_GE(status.size(), 2u);
    EXPECT_NE(status[status.size() - 2].find("1 / 2: NAMED"), std::string::npos) << status[status.size() - 2];
    EXPECT_NE(status.back().find("2 / 2"), std::string::npos) << status.back();
}

// A per-electrode workpiece checks against the blocks around the other electrodes; the blocks are
// made once, blanked on the layer of the settings.
TEST_F(McsWorkpiece, EachElectrodesWorkpieceChecksAgainstBlocksAroundTheOthers) {
    open("electrodes.prt", {"EL-001", "EL-002", "EL-003"});
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    static_dlg_state.int_34 = 0;
    tag_t own = NULL_TAG;
    ASSERT_EQ(create_single_solid_workpiece_add_check_geom(body("EL-002"), &own, static_mcs_tag, 101), 1);
    EXPECT_EQ(shown("message").back(), addontest::english("create_check_bloc_02:", "my_func_cam.txt"));
    int count = 0;
    UF_CAMGEOM_item_t *items = nullptr;
    ASSERT_EQ(UF_CAMGEOM_ask_items(own, UF_CAM_check, &count, &items), 0);
    ASSERT_EQ(count, 2);
    const char *others[] = {"EL-001", "EL-003"};
    for (int i = 0; i < count; ++i) {
        tag_t block = NULL_TAG;
        UF_CAMGEOM_ask_item_entity(items[i], &block);
        const nxhost::Object *obj = nxhost::store().find(block);
        EXPECT_EQ(obj->layer, CHECK_BLOCK_DEFAULT_LAYER);
        EXPECT_EQ(obj->blank, 1);
        const std::array<double, 6> e = exact_box(body(others[i])), b = exact_box(block);
        const double margin[3] = {1.0, 1.0, 0.5};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(b[k], e[k] - margin[k], 1e-3) << others[i] << " min " << "xyz"[k];
            EXPECT_NEAR(b[k + 3], e[k + 3] + margin[k], 1e-3) << others[i] << " max " << "xyz"[k];
        }
    }
    UF_free(items);
    // The next electrode's workpiece and a new turn take the same blocks.
    const std::size_t objects = object_count();
    ASSERT_EQ(create_single_solid_workpiece_add_check_geom(body("EL-001"), &own, static_mcs_tag, 101), 1);
    free_check_block_list(&static_check_block_list);
    ASSERT_EQ(create_check_block(101, &static_check_block_list), 1);
    EXPECT_EQ(object_count(), objects + 1) << "only the new workpiece";
    double margin[3];
    EXPECT_EQ(check_block_margins(302, 1, 2, 3, margin), 1);
    expect_point(margin, {2, 3, 1}, "REAL_24 along the MCS X, which is world z for class 302");
}

// NX refusing any call of the set-up: no crash, no leak, no misuse, nothing of the part lost, and
// the next call sets everything up. Two stepped blocks with the simple analysis keep it quick.
TEST_F(McsWorkpiece, EveryFailingCallLeavesThePartWholeAndTheNextCallSetsUp) {
    const std::string part = R"({"format":"nxhost-part/1","bodies":[
        {"name":"A","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},{"box":{"min":[5,5,10],"max":[15,15,16]}}]}},
        {"name":"B","shape":{"union":[{"box":{"min":[40,0,0],"max":[60,20,10]}},{"box":{"min":[45,5,10],"max":[55,15,14]}}]}}]})";
    const long calls = testsupport::run_failing_each_call(
        [&] {
            open("two.prt", {"A", "B"}, part);
            static_dlg_state.radio_1 = 1;
        },
        [&] {
            const std::size_t bodies = nxhost::store().in_part(nxhost::display_part(), UF_solid_type).size();
            create_mcs_and_workpiece();
            const bool failed_first = nxhost::calls_failed() == 1;
            const int again = create_mcs_and_workpiece();
            // An MCS is named as soon as it is placed, so the next call takes it as it is, even when
            // orienting it failed, and never makes a second one. (A group NX would not place stays
            // under its template's name: nothing is undone.)
            tag_t setup = NULL_TAG, root = NULL_TAG, *members = nullptr;
            int count = 0, placed_mcs = 0;
            if (UF_SETUP_ask_setup(&setup) == 0 && UF_SETUP_ask_geom_root(setup, &root) == 0 &&
                UF_NCGROUP_ask_member_list(root, &count, &members) == 0) {
                for (int i = 0; i < count; ++i) {
                    const nxhost::Object *group = nxhost::store().find(members[i]);
                    if (group->subtype != UF_mill_orient_subtype) continue;
                    // Only a group NX would not name may stay unnamed, and it was never oriented.
                    if (group->name == "MCS_QZ_0") ++placed_mcs;
                    else EXPECT_EQ(ask_group_mcs(members[i]), NULL_TAG) << group->name;
                }
                UF_free(members);
            }
            EXPECT_LE(placed_mcs, 1);
            EXPECT_TRUE(again == 1 || !failed_first || ask_group_mcs(static_mcs_tag) == NULL_TAG)
                << "the next call sets everything up unless the MCS it takes has no coordinate system";
            EXPECT_EQ(nxhost::store().in_part(nxhost::display_part(), UF_solid_type).size(), bodies);
            forget_turn();
            EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
            for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
        });
    EXPECT_GT(calls, 100);
}

}  // namespace
