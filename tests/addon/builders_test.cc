// The face milling and planar builders on sample electrodes: which electrodes get an operation,
// which faces or loops bound it, its floor plane, stocks and start points; the user's faces in
// place of the computed ones; electrodes that take no part.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <set>

#include "calc_fixture.h"
#include "my_func/my_func.h"
#include "my_func_cam/elec_name_note.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/modeling/geometry_objects.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/calc/contour_builders.h"
#include "torvane/calc/face_builders.h"
#include "torvane/calc/planar_builders.h"
#include "torvane/plan/prog_group.h"
#include "uf_cambnd.h"
#include "uf_camtext.h"
#include "uf_obj.h"

namespace {

class BuilderTest : public CalcTest {
protected:
    // The boundaries of a kind, each as the bodies its items lie on and its item count.
    struct Bound {
        std::set<tag_t> bodies;
        int items = 0;
    };
    static std::vector<Bound> boundaries(tag_t oper_tag, UF_CAM_geom_type_t type) {
        std::vector<Bound> result;
        int count = 0;
        UF_CAMBND_boundary_t *list = nullptr;
        EXPECT_EQ(UF_CAMBND_ask_boundaries(oper_tag, type, &count, &list), 0);
        for (int i = 0; i < count; ++i) {
            Bound b;
            UF_CAMBND_item_t *items = nullptr;
            EXPECT_EQ(UF_CAMBND_ask_boundary_items(list[i], &b.items, &items), 0);
            for (int k = 0; k < b.items; ++k) {
                tag_t entity = NULL_TAG;
                EXPECT_EQ(UF_CAMBND_ask_item_entity(items[k], &entity), 0);
                b.bodies.insert(nxhost::store().find(entity)->parent);
            }
            UF_free(items);
            result.push_back(b);
        }
        UF_free(list);
        return result;
    }
    // Where the floor plane lies: the origin of the operation's transform.
    static nxhost::modeling::Point floor_origin(tag_t oper_tag) {
        tag_t xform = NULL_TAG;
        EXPECT_EQ(UF_PARAM_ask_tag_value(oper_tag, UF_PARAM_FLOOR, &xform), 0);
        const nxhost::Object *obj = nxhost::store().find(xform);
        if (!obj) return {};
        return dynamic_cast<const nxhost::modeling::XformPayload &>(*obj->payload).origin;
    }
    static std::vector<tag_t> electrodes_of(const oper *node) {
        return std::vector<tag_t>(node->elec_tag_p, node->elec_tag_p + node->elec_count);
    }
    // The planned node and the further electrodes' nodes after it (all of one template operation).
    static std::vector<oper *> copies_of(oper *node) {
        std::vector<oper *> nodes;
        for (oper *n = node; n && std::strcmp(n->new_name, node->new_name) == 0; n = n->next_p) nodes.push_back(n);
        return nodes;
    }
    // A fresh copy of a sample part under another name, prepared as the turn's part.
    void prepare_copy(const std::string &sample, const std::string &as, const std::vector<std::string> &electrodes) {
        std::ifstream in(drive_dir() + "/samples/" + sample);
        std::stringstream text;
        text << in.rdbuf();
        free_plans();
        forget_turn();
        prepare(as, electrodes, text.str());
    }
    void build_only(const char *name) {
        keep_only({name});
        apply_calc(0, 1);
    }
};

TEST_F(BuilderTest, FaceMillingOfTheEdmFacesBoundsEveryElectrodesBaseWithItsHole) {
    build_only("FACE_EDM-F1");
    oper *node = planned("FACE_EDM-F1");
    ASSERT_NE(node->obj_tag, NULL_TAG);
    const std::vector<Bound> bounds = boundaries(node->obj_tag, UF_CAM_blank);
    ASSERT_EQ(bounds.size(), 8u) << "the outer loop and the head's footprint of four EDM faces";
    EXPECT_EQ(bounds[0].bodies, std::set<tag_t>{body("EL-001")});
    EXPECT_EQ(bounds[7].bodies, std::set<tag_t>{body("EL-004")});
    EXPECT_NEAR(real(node->obj_tag, UF_PARAM_STOCK_PART), 0.08, 1e-12);
    EXPECT_EQ(real(node->obj_tag, UF_PARAM_STOCK_FLOOR), 0.0) << "a finish operation leaves no floor";
    EXPECT_GE(real(node->obj_tag, UF_PARAM_STOCK_BLANK), 0.08 + FACE_BLANK_EXTRA - 1e-12);
    EXPECT_EQ(node->elec_count, 4);
    EXPECT_EQ(start_points(node->obj_tag).size(), 4u) << "the front points";
}

TEST_F(BuilderTest, FaceMillingOfTheEdmFacesNeedsTheFullAnalysis) {
    static_dlg_state.radio_1 = 1;
    oper *node = nullptr;
    prog_group *group = nullptr;
    ASSERT_EQ(find_oper_node("FACE_EDM-F1", &node, &group, nullptr), 1);
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    tag_t made = 1;
    from_side_start_point points;
    EXPECT_EQ(build_face_edm(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr), 0);
    EXPECT_EQ(made, NULL_TAG);
    EXPECT_EQ(node->obj_tag, NULL_TAG);
    EXPECT_TRUE(shown("message").empty());
}

// The user's faces replace the computed ones and are used up.
TEST_F(BuilderTest, TheUsersFacesBoundTheFaceMillingInsteadOfTheEdmFaces) {
    oper *node = planned("FACE_EDM-F1");
    int rc = 0;
    node->cut_face_p = static_cast<tag_t *>(UF_allocate_memory(sizeof(tag_t), &rc));
    node->cut_face_p[0] = nxhost::store().children(body("EL-003"), UF_solid_face_subtype).front();
    node->cut_face_count = 1;
    build_only("FACE_EDM-F1");
    ASSERT_NE(node->obj_tag, NULL_TAG);
    const std::vector<Bound> bounds = boundaries(node->obj_tag, UF_CAM_blank);
    ASSERT_FALSE(bounds.empty());
    for (const Bound &b : bounds) EXPECT_EQ(b.bodies, std::set<tag_t>{body("EL-003")});
    EXPECT_EQ(node->cut_face_count, 0);
    EXPECT_EQ(node->cut_face_p, nullptr);
}

// Two blocks with a stub, one working up and one down: only the one facing the MCS bounds the
// bottom face milling, but the operation is made for both.
TEST_F(BuilderTest, BottomFaceMillingTakesOnlyTheElectrodesFacingTheMcs) {
    free_plans();
    forget_turn();
    prepare("electrode_shapes.prt", {"STUB_ZP", "STUB_ZM"});
    oper *node = planned("FACE_EDM-F1");
    copy_plan_name(node->name, "FACE_BOT-F1-Z-0.3");
    build_only("FACE_BOT-F1-Z-0.3");
    ASSERT_NE(node->obj_tag, NULL_TAG);
    const std::vector<Bound> bounds = boundaries(node->obj_tag, UF_CAM_blank);
    ASSERT_EQ(bounds.size(), 1u);
    EXPECT_EQ(bounds[0].bodies, std::set<tag_t>{body("STUB_ZP")});
    EXPECT_EQ(electrodes_of(node), (std::vector<tag_t>{body("STUB_ZP"), body("STUB_ZM")}));
    EXPECT_EQ(real(node->obj_tag, UF_PARAM_STOCK_FLOOR), 0.0) << "-0.3 on a floor of 0 stays at 0";
    EXPECT_GE(real(node->obj_tag, UF_PARAM_STOCK_BLANK), 0.08 + FACE_BOT_BLANK_EXTRA - 1e-12);
}

// PLAN_EDM on four electrodes: one operation each, in electrode order, bounded by the hole of its
// own EDM base face 0.3 above its box, over a floor plane at its EDM face.
TEST_F(BuilderTest, PlanarMillingOfTheEdmFaceMakesAnOperationPerElectrodeOnItsHole) {
    build_only("PLAN_EDM-F2");
    const std::vector<oper *> opers = copies_of(planned("PLAN_EDM-F2"));
    ASSERT_EQ(opers.size(), 4u);
    const char *names[] = {"EL-001", "EL-002", "EL-003", "EL-004"};
    for (std::size_t i = 0; i < opers.size(); ++i) {
        SCOPED_TRACE(names[i]);
        ASSERT_NE(opers[i]->obj_tag, NULL_TAG);
        EXPECT_EQ(electrodes_of(opers[i]), std::vector<tag_t>{body(names[i])});
        const std::vector<Bound> bounds = boundaries(opers[i]->obj_tag, UF_CAM_part);
        ASSERT_EQ(bounds.size(), 1u) << "one hole: where the head stands";
        EXPECT_EQ(bounds[0].bodies, std::set<tag_t>{body(names[i])});
        EXPECT_NEAR(floor_origin(opers[i]->obj_tag)[2], 10.0, 1e-9) << "the EDM face";
        EXPECT_EQ(real(opers[i]->obj_tag, UF_PARAM_STOCK_FLOOR), 0.0) << "finish: no floor left";
        EXPECT_EQ(start_points(opers[i]->obj_tag).size(), 4u);
    }
}

// The reference-face members bound each electrode by its reference face's outline; their floor
// plane lies at the bottom of the electrode's box.
TEST_F(BuilderTest, TheReferenceFaceMembersBoundEachElectrodeByItsReferenceFace) {
    for (const char *name : {"PLA_EDM_TO_BOT-F2", "PLA_M_E_TO_BOT-F2", "PLA_TOP_TO_BOT-F2"}) {
        SCOPED_TRACE(name);
        prepare_copy("electrodes.prt", std::string(name) + ".prt", {"EL-001", "EL-002"});
        oper *node = planned("PLAN_EDM-F2");
        copy_plan_name(node->name, name);
        build_only(name);
        const std::vector<oper *> opers = copies_of(node);
        ASSERT_EQ(opers.size(), 2u);
        for (oper *op : opers) {
            ASSERT_NE(op->obj_tag, NULL_TAG);
            const std::vector<Bound> bounds = boundaries(op->obj_tag, UF_CAM_part);
            ASSERT_FALSE(bounds.empty());
            EXPECT_EQ(bounds[0].bodies, std::set<tag_t>{op->elec_tag_p[0]});
            EXPECT_NEAR(floor_origin(op->obj_tag)[2], 0.0, 1e-9) << "the box bottom";
        }
    }
}

// A plain box has neither reference nor EDM base face: no member takes it. An electrode whose
// faces are marked works on its whole body: the members that need its EDM face stop at it with
// their message; PLA_M_E_TO_BOT, whose plane comes from the other electrodes, bounds it.
TEST_F(BuilderTest, ElectrodesWithoutTheirFacesAreLeftOutOrStopTheMembersThatNeedThem) {
    const struct {
        const char *name;
        std::size_t operations;
        const char *message;
    } rows[] = {{"PLAN_EDM-F2", 2, "create_top_face_bound_data_and_edm_plane_xfor_01:"},
                {"PLA_TOP_TO_BOT-F2", 2, "create_top_face_bound_data_and_plane_xfor_01:"},
                {"PLA_M_E_TO_BOT-F2", 2, nullptr}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        prepare_copy("electrode_shapes.prt", std::string(r.name) + ".prt", {"STUB_ZP", "BOX", "MARKED"});
        oper *node = planned("PLAN_EDM-F2");
        copy_plan_name(node->name, r.name);
        clear_shown();
        build_only(r.name);
        const std::vector<oper *> opers = copies_of(node);
        ASSERT_EQ(opers.size(), r.operations);
        EXPECT_EQ(electrodes_of(opers[0]), std::vector<tag_t>{body("STUB_ZP")});
        EXPECT_EQ(boundaries(opers[0]->obj_tag, UF_CAM_part).size(), 1u);
        EXPECT_EQ(electrodes_of(opers[1]).size(), r.message ? 0u : 1u) << "stopped before it was recorded";
        EXPECT_NE(opers[1]->obj_tag, NULL_TAG) << "but made, and kept in the plan";
        const std::vector<std::string> messages = shown("message");
        const bool said = std::find(messages.begin(), messages.end(), addontest::english(r.message ? r.message : "")) !=
                          messages.end();
        EXPECT_EQ(said, r.message != nullptr);
    }
}

// PLAN_LINE_TOP: two flat-topped blocks at one height, one narrower than the cutter: a profile of
// the single line first, then a zig-zag of the three-line set on a copy of the node.
TEST_F(BuilderTest, TopLinesMakeAProfileAndAZigZagOperation) {
    free_plans();
    forget_turn();
    prepare("tops.prt", {"WIDE", "NARROW"}, R"({"format":"nxhost-part/1","bodies":[
        {"name":"WIDE","shape":{"box":{"min":[0,0,0],"max":[30,20,10]}}},
        {"name":"NARROW","shape":{"box":{"min":[50,0,0],"max":[52,20,10]}}}]})");
    static_dlg_state.radio_1 = 1;
    oper *node = planned("PLAN_EDM-F2");  // a D6 cutter: faces narrower than 3 get one line
    copy_plan_name(node->name, "PLAN_LINE_TOP-F2");
    build_only("PLAN_LINE_TOP-F2");
    const std::vector<oper *> opers = copies_of(node);
    ASSERT_EQ(opers.size(), 2u);
    ASSERT_NE(opers[0]->obj_tag, NULL_TAG);
    ASSERT_NE(opers[1]->obj_tag, NULL_TAG);
    EXPECT_EQ(integer(opers[0]->obj_tag, UF_PARAM_CUT_METHOD), UF_PARAM_cut_method_profile);
    EXPECT_EQ(integer(opers[1]->obj_tag, UF_PARAM_CUT_METHOD), UF_PARAM_cut_method_zig_zag);
    const std::vector<Bound> profile = boundaries(opers[0]->obj_tag, UF_CAM_part);
    const std::vector<Bound> zig_zag = boundaries(opers[1]->obj_tag, UF_CAM_part);
    ASSERT_EQ(profile.size(), 1u);
    EXPECT_EQ(profile[0].items, 1);
    ASSERT_EQ(zig_zag.size(), 1u);
    EXPECT_EQ(zig_zag[0].items, 3);
    EXPECT_EQ(opers[0]->elec_count, 0) << "the line operations record no electrodes";
    EXPECT_TRUE(start_points(opers[0]->obj_tag).empty());
}

// ---- fixed contour ---------------------------------------------------------------------------

TEST(ContourBuilders, TheDriveStockStaysBelowThePartStockWhenTheCornerRadiusIsLarger) {
    const struct {
        double part, radius, drive;
    } rows[] = {{0.08, 1.0, 0.078}, {0.5, 0.2, 0.5}, {0.1, 0.1, 0.1}, {0.0, 0.0, 0.0}, {-0.05, 0.0, -0.052}};
    for (const auto &r : rows) EXPECT_NEAR(drive_stock_of(r.part, r.radius), r.drive, 1e-12) << r.part << " " << r.radius;
}

class ContourTest : public BuilderTest {
protected:
    void TearDown() override {
        reset_elec_name_note_keys();
        BuilderTest::TearDown();
    }
    // The operation node of that name with its group, the MCS and workpiece made.
    oper *ready(const char *name, prog_group **group) {
        oper *node = nullptr;
        EXPECT_EQ(find_oper_node(name, &node, group, nullptr), 1) << name;
        EXPECT_EQ(create_mcs_and_workpiece(), 1);
        tag_t setup = NULL_TAG, root = NULL_TAG;
        EXPECT_EQ(UF_SETUP_ask_setup(&setup), 0);
        EXPECT_EQ(UF_SETUP_ask_program_root(setup, &root), 0);
        EXPECT_EQ(create_nc_prog_group((*group)->name, &(*group)->obj_tag, root), 1);
        return node;
    }
    static int item_count(tag_t oper_tag, UF_CAM_geom_type_t type) {
        int count = 0;
        UF_CAMGEOM_item_t *items = nullptr;
        EXPECT_EQ(UF_CAMGEOM_ask_items(oper_tag, type, &count, &items), 0);
        UF_free(items);
        return count;
    }
};

// No face of the slope class and none of the user's: no operation and no message.
TEST_F(ContourTest, AFaceListContourWithoutFacesBuildsNothing) {
    prog_group *group = nullptr;
    oper *node = ready("FIX_0_45-F4", &group);
    tag_t made = 1;
    from_side_start_point points;
    EXPECT_EQ(FIX_angle(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr, nullptr, 0), 1);
    EXPECT_EQ(made, NULL_TAG);
    EXPECT_EQ(node->obj_tag, NULL_TAG);
    EXPECT_TRUE(shown("message").empty());
}

// The user's faces are the cut area, used once; their start points are taken only under NX 4.
TEST_F(ContourTest, TheUsersFacesAreTheCutAreaAndTheirStartPointsCountOnlyUnderNx4) {
    for (double release : {4.5, 12.0}) {
        SCOPED_TRACE(release);
        prepare_copy("electrodes.prt", "contour" + std::to_string(static_cast<int>(release)) + ".prt", {"EL-001"});
        clear_shown();
        static_nx_release = release;
        prog_group *group = nullptr;
        oper *node = ready("FIX_0_45-F4", &group);
        int rc = 0;
        node->cut_face_p = static_cast<tag_t *>(UF_allocate_memory(2 * sizeof(tag_t), &rc));
        node->cut_face_p[0] = nxhost::store().children(body("EL-001"), UF_solid_face_subtype)[0];
        node->cut_face_p[1] = nxhost::store().children(body("EL-001"), UF_solid_face_subtype)[1];
        node->cut_face_count = 2;
        const double pick[3] = {5, -5, 20};
        ASSERT_EQ(append_start_point(node, pick), 1);
        tag_t made = NULL_TAG;
        from_side_start_point points;
        ASSERT_EQ(FIX_angle(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr, nullptr, 0), 1);
        ASSERT_NE(made, NULL_TAG);
        EXPECT_EQ(item_count(made, UF_CAM_cut_area), 2);
        EXPECT_EQ(node->cut_face_count, 0);
        // Offered only under NX 4; the stand-in takes no cut-region start points on a contour (NX's
        // documentation names them for planar and cavity milling only), so NX 4 reports the refusal.
        EXPECT_EQ(listing().find("UF_CAMGEOM_append_custom_points") != std::string::npos, release < 5.0) << listing();
        EXPECT_TRUE(start_points(made).empty());
        EXPECT_NEAR(real(made, UF_PARAM_STOCK_PART), 0.08, 1e-12);
        MY_free_list(&node->start_point_list_p);
    }
}

// The engraving: not with the simple analysis, not without a cutter; a note only on the
// electrodes that face the MCS.
TEST_F(ContourTest, TheEngravingNamesOnlyTheElectrodesFacingTheMcs) {
    prepare_copy("electrode_shapes.prt", "engrave.prt", {"STUB_ZP", "STUB_ZM"});
    prog_group *group = nullptr;
    oper *node = ready("FIX_TEXT-F6", &group);
    from_side_start_point points;
    tag_t made = NULL_TAG;
    static_dlg_state.radio_1 = 1;
    EXPECT_EQ(FIX_TEXT(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr), 0);
    static_dlg_state.radio_1 = 0;
    auto tool = node->tool_data_p;
    node->tool_data_p = nullptr;
    EXPECT_EQ(FIX_TEXT(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr), 0);
    EXPECT_EQ(node->obj_tag, NULL_TAG);
    node->tool_data_p = tool;
    ASSERT_EQ(FIX_TEXT(group, node, RMF_FINISH, static_work_piece_tag, &points, &made, nullptr), 1);
    ASSERT_NE(made, NULL_TAG);
    int count = 0;
    UF_CAMTEXT_item_t *items = nullptr;
    ASSERT_EQ(UF_CAMTEXT_ask_items(made, &count, &items), 0);
    ASSERT_EQ(count, 1);
    tag_t note = NULL_TAG;
    ASSERT_EQ(UF_CAMTEXT_ask_item_entity(items[0], &note), 0);
    UF_free(items);
    EXPECT_EQ(nxhost::drafting::note_of(note)->lines.front().rfind("STUB_ZP", 0), 0u);
    EXPECT_EQ(node->elec_count, 2) << "made for both";
}

}  // namespace
