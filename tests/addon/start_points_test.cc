// Front and side start points of the electrodes, as records and as hidden point objects, the
// user's own points, and what a new operation gets under each release.
#include <cmath>
#include <cstring>

#include "setup_fixture.h"
#include "uf_camgeom.h"
#include "uf_curve.h"
#include "uf_modl.h"
#include "uf_ncgroup.h"
#include "uf_obj.h"
#include "uf_oper.h"

namespace {

using Point = std::array<double, 3>;

void expect_point(const double *actual, const Point &expected, const std::string &what) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-6) << what << " " << "xyz"[k];
}

class StartPoints : public SetupTest {
protected:
    // Start points of the turn's electrodes; the caller frees the block.
    void start_points(from_side_start_point *block) {
        ASSERT_EQ(create_from_side_start_point(0, block), 1);
        ASSERT_EQ(block->front_start_count, static_elec_count);
        ASSERT_EQ(block->side_start_count, static_elec_count);
    }
    // Where the operation's only cut region start point lies: its own coordinates under NX 4, its
    // point object's under later releases.
    static void only_start_point(tag_t op, double at[3]) {
        int count = 0;
        UF_CAMGEOM_custom_point_p_t *points = nullptr;
        ASSERT_EQ(UF_CAMGEOM_ask_custom_points(op, UF_CAMGEOM_cut_region_start_type, &count, &points), 0);
        ASSERT_EQ(count, 1);
        if (static_nx_release < 5)
            std::memcpy(at, points[0]->point_acs, 3 * sizeof(double));
        else
            EXPECT_EQ(UF_CURVE_ask_point_data(points[0]->point_tag, at), 0);
        UF_free(points[0]);
        UF_free(points);
    }
    // A new cavity operation named name under the workpiece.
    static tag_t cavity(const char *name) {
        tag_t oper = NULL_TAG;
        char type[] = "mill_contour", subtype[] = "CAVITY_MILL";
        EXPECT_EQ(UF_OPER_create(type, subtype, &oper), 0);
        EXPECT_EQ(UF_NCGROUP_accept_member(static_work_piece_tag, oper), 0);
        EXPECT_EQ(UF_OBJ_set_name(oper, name), 0);
        return oper;
    }
};

// Worked out from each stub's box and the MCS its direction gives: the front point 10 beyond the
// box toward the MCS -Y axis at the centre of the other two, the side point at the MCS +X end.
TEST_F(StartPoints, LieTenOutsideEachElectrodeTowardTheMcsMinusY) {
    open("electrode_shapes.prt", {});
    const struct {
        const char *name;
        Point front, side;
    } cases[] = {
        {"STUB_ZP", {20, -10, 13.5}, {40, -10, 13.5}},        // MCS Z +z, Y +y
        {"STUB_ZM", {120, 50, 1.5}, {140, 50, 1.5}},           // Z -z, Y -y
        {"STUB_YP", {220, 13.5, 50}, {240, 13.5, 50}},         // Z +y, Y -z
        {"STUB_YM", {320, 1.5, -10}, {340, 1.5, -10}},         // Z -y, Y +z
        {"STUB_XP", {413.5, 20, -10}, {413.5, 40, -10}},       // Z +x, X +y, Y +z
        {"STUB_XM", {501.5, 20, 50}, {501.5, 40, 50}},         // Z -x, X +y, Y -z
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        forget_turn();
        choose({c.name});
        from_side_start_point block;
        start_points(&block);
        expect_point(block.front_custom_point_p[0]->point_acs, c.front, "front");
        expect_point(block.side_custom_point_p[0]->point_acs, c.side, "side");
        // Outside the electrode itself: at least 10 from its nearest point.
        double distance = 0.0, on_body[3], on_point[3];
        ASSERT_EQ(UF_MODL_ask_minimum_dist(body(c.name), NULL_TAG, 0, nullptr, 1, block.front_custom_point_p[0]->point_acs,
                                           &distance, on_body, on_point),
                  0);
        EXPECT_GE(distance, 10.0 - 1e-6);
        free_from_side_start_point(&block);
        EXPECT_EQ(block.front_start_count, 0);
        ASSERT_EQ(UF_OBJ_delete_object(static_mcs_tag), 0);  // the next electrode gets an MCS of its own
    }
}

TEST_F(StartPoints, ObjectsAreHiddenPointsMadeOnceForAtMostAHundredElectrodes) {
    std::string bodies;
    std::vector<std::string> names;
    for (int i = 0; i < 101; ++i) {
        names.push_back("E" + std::to_string(i));
        const std::string x = std::to_string(30 * i), x1 = std::to_string(30 * i + 20);
        bodies += std::string(i ? "," : "") + R"({"name":")" + names.back() + R"(","shape":{"box":{"min":[)" + x +
                  R"(,0,0],"max":[)" + x1 + R"(,20,10]}}})";
    }
    open("many.prt", names, R"({"format":"nxhost-part/1","bodies":[)" + bodies + "]}");
    static_dlg_state.radio_1 = 1;
    from_side_start_point block;
    start_points(&block);
    EXPECT_EQ(block.front_start_count, 101) << "records for every electrode";
    ASSERT_EQ(create_start_point_objects(0), 1);
    EXPECT_EQ(static_front_point_count, MAX_START_POINT_OBJECTS);
    EXPECT_EQ(static_side_point_count, MAX_START_POINT_OBJECTS);
    for (int i : {0, 99}) {
        const nxhost::Object *point = nxhost::store().find(static_side_point_tags[i]);
        EXPECT_EQ(point->layer, START_POINT_LAYER);
        EXPECT_EQ(point->blank, 1);
        double at[3];
        ASSERT_EQ(UF_CURVE_ask_point_data(static_side_point_tags[i], at), 0);
        expect_point(at, {block.side_custom_point_p[i]->point_acs[0], block.side_custom_point_p[i]->point_acs[1],
                          block.side_custom_point_p[i]->point_acs[2]},
                     "object " + std::to_string(i));
    }
    const std::size_t objects = object_count();
    ASSERT_EQ(create_start_point_objects(0), 1);
    EXPECT_EQ(object_count(), objects) << "made once a turn";
    free_from_side_start_point(&block);
}

// "-P" takes the side points, custom points under NX 4, point objects through the extension
// otherwise; the user's own points go first, even one inside the electrode, and are used up.
TEST_F(StartPoints, AnOperationGetsSidePointsForPAndTheUsersPointsFirstUnderEveryRelease) {
    open("electrodes.prt", {"EL-001"});
    from_side_start_point block;
    start_points(&block);
    ASSERT_EQ(create_start_point_objects(0), 1);
    for (double release : {4.5, 12.0}) {
        SCOPED_TRACE("NX " + std::to_string(release));
        static_nx_release = release;
        for (std::string name : {"CAV_TOP-R1_", "CAV_TOP-P-R1_"}) {
            const bool side = name.find("-P") != std::string::npos;
            oper node;
            copy_plan_name(node.name, name.c_str());
            const tag_t op = cavity((name + std::to_string(static_cast<int>(release))).c_str());
            ASSERT_EQ(set_oper_start_points(op, &node, node.name, &block), 1);
            double at[3];
            only_start_point(op, at);
            const double *expected = (side ? block.side_custom_point_p : block.front_custom_point_p)[0]->point_acs;
            expect_point(at, {expected[0], expected[1], expected[2]}, name);
        }
        oper mine;
        const double inside[3] = {15, 15, 5};
        ASSERT_EQ(append_start_point(&mine, inside), 1);
        const tag_t op = cavity(("CAV_BOT-R1_" + std::to_string(static_cast<int>(release))).c_str());
        ASSERT_EQ(set_oper_start_points(op, &mine, mine.name, &block), 1);
        EXPECT_EQ(mine.start_point_list_p, nullptr) << "used up";
        double at[3];
        only_start_point(op, at);
        expect_point(at, {15, 15, 5}, "the user's point");
    }
    free_from_side_start_point(&block);
}

}  // namespace
