// What the planar, face and contour builders give the stand-in: application data records, boundaries
// from faces and from curves, origins in the WCS, the floor plane, the cutting parameters and the
// tree that shows them.
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/cam/cam_file.h"
#include "nxhost/cam/frame.h"
#include "nxhost/core/guard.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/objects/store.h"
#include "uf_cambnd.h"
#include "uf_camgeom.h"
#include "uf_camtext.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_so.h"

namespace {

namespace cam = nxhost::cam;
using Names = std::vector<std::string>;

// A plate 40x20x5 with a round hole through it (r 3 at 10,10) and a boss 10x10x5 on top; a block
// 20x10x10 whose top edges are rounded (r 2); a cylinder.
const char kPlates[] = R"([
    {"name":"PLATE","shape":{"cut":[{"union":[{"box":{"min":[0,0,0],"max":[40,20,5]}},
        {"box":{"min":[25,5,5],"max":[35,15,10]}}]},
        {"cylinder":{"base":[10,10,-1],"radius":3,"height":7}}]}},
    {"name":"ROUNDED","shape":{"fillet":{"shape":{"box":{"min":[50,0,0],"max":[70,10,10]}},"radius":2,
        "edges":{"around":"+Z"}}}},
    {"name":"PIN","shape":{"cylinder":{"base":[80,0,0],"radius":2,"height":4}}}])";

std::string tree_of(tag_t part) {
    std::ostringstream out;
    nxhost::print_part_tree(out, part);
    return out.str();
}

bool has_line(const std::string &tree, const std::string &line) {
    return tree.find(line + "\n") != std::string::npos;
}

class CamBoundaryTest : public CamTest {
protected:
    tag_t setup_plates() {
        part_ = tt_part(kPlates);
        planar_ = made(UF_OPER_create, "mill_planar", "PLANAR_MILL");
        UF_OBJ_set_name(planar_, "PLAN_EDM-F2");
        return part_;
    }

    // The planar face of a body whose outward normal is +Z, highest first.
    static tag_t top_face(tag_t body, double z) {
        for (tag_t f : nxhost::store().children(body, UF_solid_face_subtype)) {
            const nxhost::modeling::FaceInfo info =
                nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(f))->shape);
            if (info.planar && info.normal[2] > 0.99 && std::abs(info.offset - z) < 1e-6) return f;
        }
        return NULL_TAG;
    }

    static tag_t line(const char *name, std::array<double, 3> a, std::array<double, 3> b) {
        UF_CURVE_line_t data{{a[0], a[1], a[2]}, {b[0], b[1], b[2]}};
        tag_t made_line = NULL_TAG;
        EXPECT_EQ(UF_CURVE_create_line(&data, &made_line), 0);
        UF_OBJ_set_name(made_line, name);
        return made_line;
    }

    static std::vector<UF_CAMBND_boundary_t> boundaries(tag_t oper, UF_CAM_geom_type_t type) {
        int count = 0;
        UF_CAMBND_boundary_t *list = nullptr;
        EXPECT_EQ(UF_CAMBND_ask_boundaries(oper, type, &count, &list), 0);
        std::vector<UF_CAMBND_boundary_t> found(list, list + count);
        UF_free(list);
        return found;
    }

    static tag_t floor_at(tag_t on, double z) {
        const double at[3] = {15, 15, z}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
        tag_t xform = NULL_TAG;
        EXPECT_EQ(UF_SO_create_xform_doubles(on, UF_SO_update_within_modeling, at, x, y, 1.0, &xform), 0);
        return xform;
    }

    tag_t part_ = NULL_TAG, planar_ = NULL_TAG;
};

TEST_F(CamBoundaryTest, ItemsAndCurvesWithoutApplicationDataAreRefusedNamingTheIndex) {
    setup_plates();
    const tag_t workpiece = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t l1 = line("L1", {0, 0, 0}, {10, 0, 0}), l2 = line("L2", {10, 0, 0}, {10, 5, 0});
    tag_t bodies[] = {named("PLATE"), named("ROUNDED")}, curves[] = {l1, l2};
    UF_CAMGEOM_app_data_t item{};
    UF_CAMBND_app_data_t member{};
    UF_CAMGEOM_app_data_p_t one_missing[] = {&item, nullptr};
    UF_CAMBND_app_data_p_t first_missing[] = {nullptr, &member};
    UF_CAMBND_boundary_data_t open{};
    open.boundary_type = UF_CAM_boundary_type_open;
    open.plane_type = 1;
    const struct {
        const char *what;
        std::function<int()> call;
        const char *misuse;  // start of the misuse line
    } cases[] = {
        {"no item records", [&] { return UF_CAMGEOM_append_items(workpiece, UF_CAM_part, 2, bodies, nullptr); },
         "UF_CAMGEOM_append_items: app_data is NULL"},
        {"the second item record NULL",
         [&] { return UF_CAMGEOM_append_items(workpiece, UF_CAM_part, 2, bodies, one_missing); },
         "UF_CAMGEOM_append_items: app_data[1] is NULL"},
        {"no member records",
         [&] { return UF_CAMBND_append_bnd_from_curve(planar_, UF_CAM_part, 2, curves, &open, nullptr); },
         "UF_CAMBND_append_bnd_from_curve: app_data is NULL"},
        {"the first member record NULL",
         [&] { return UF_CAMBND_append_bnd_from_curve(planar_, UF_CAM_part, 2, curves, &open, first_missing); },
         "UF_CAMBND_append_bnd_from_curve: app_data[0] is NULL"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = nxhost::misuse_lines().size();
        EXPECT_EQ(c.call(), cam::kNoAppData);
        ASSERT_EQ(nxhost::misuse_lines().size(), before + 1);
        EXPECT_EQ(nxhost::misuse_lines().back().rfind(c.misuse, 0), 0u) << nxhost::misuse_lines().back();
    }
    int count = 0;
    UF_CAMGEOM_item_t *items = nullptr;
    ASSERT_EQ(UF_CAMGEOM_ask_items(workpiece, UF_CAM_part, &count, &items), 0);
    EXPECT_EQ(count, 0) << "nothing appended";
    EXPECT_TRUE(boundaries(planar_, UF_CAM_part).empty());
    char message[133] = "";
    EXPECT_EQ(UF_get_fail_message(cam::kNoAppData, message), 0);
    EXPECT_STREQ(message, "Every item needs its application data");

    // With records they go in; a boundary's own data may be left out (NULL means none).
    EXPECT_EQ(append_items(workpiece, UF_CAM_part, {bodies[0], bodies[1]}), 0);
    EXPECT_EQ(append_curves(planar_, UF_CAM_part, {l1, l2}, open), 0);
    EXPECT_EQ(open.app_data, nullptr);
    expect_clean_session_ = false;
}

TEST_F(CamBoundaryTest, AFaceMakesItsOuterLoopHolesAndIslandsAsNxDoes) {
    setup_plates();
    const tag_t face = top_face(named("PLATE"), 5.0);
    ASSERT_NE(face, NULL_TAG);
    const struct {
        int ignore_holes, ignore_islands;
        std::vector<std::string> loops;  // loop kinds, outer first
    } cases[] = {
        {0, 0, {"outer loop", "island", "hole"}},
        {1, 0, {"outer loop", "island"}},
        {0, 1, {"outer loop", "hole"}},
        {1, 1, {"outer loop"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.ignore_holes) + std::to_string(c.ignore_islands));
        ASSERT_EQ(UF_CAMBND_delete_boundaries(planar_, UF_CAM_part), 0);
        UF_CAMBND_boundary_data_t data{};
        data.boundary_type = UF_CAM_boundary_type_open;  // a face's boundaries are closed whatever this says
        data.plane_type = 0;                             // and their plane is the face's
        data.material_side = UF_CAM_material_side_in_left;
        data.ignore_holes = c.ignore_holes;
        data.ignore_islands = c.ignore_islands;
        ASSERT_EQ(UF_CAMBND_append_bnd_from_face(planar_, UF_CAM_part, face, &data), 0);
        const std::vector<UF_CAMBND_boundary_t> found = boundaries(planar_, UF_CAM_part);
        ASSERT_EQ(found.size(), c.loops.size());
        for (UF_CAMBND_boundary_t b : found) {
            UF_CAMBND_boundary_data_t back{};
            ASSERT_EQ(UF_CAMBND_ask_boundary_data(b, &back), 0);
            EXPECT_EQ(back.boundary_type * 10 + back.plane_type, UF_CAM_boundary_type_closed * 10 + 1);
            EXPECT_EQ(back.material_side, UF_CAM_material_side_in_left);
        }
        const std::string tree = tree_of(part_);
        for (const std::string &loop : c.loops) {
            const char *middle = loop == "outer loop" ? "[20,10,5]" : loop == "island" ? "[30,10,5]" : "[10,10,5]";
            EXPECT_TRUE(has_line(tree, "            material inside  plane automatic at " + std::string(middle) +
                                           " normal [0,0,1]  " + loop))
                << loop << "\n" << tree;
        }
    }
}

TEST_F(CamBoundaryTest, IgnoringChamfersTakesTheFarEdgesOfTheRounds) {
    setup_plates();
    const tag_t face = top_face(named("ROUNDED"), 10.0);
    ASSERT_NE(face, NULL_TAG);
    const struct {
        int ignore_chamfers;
        cam::Box members;  // extent of the boundary's members
    } cases[] = {
        {0, {52, 2, 10, 68, 8, 10}},
        {1, {50, 0, 8, 70, 10, 8}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ignore_chamfers);
        ASSERT_EQ(UF_CAMBND_delete_boundaries(planar_, UF_CAM_blank), 0);
        UF_CAMBND_boundary_data_t data{};
        data.ignore_chamfers = c.ignore_chamfers;
        ASSERT_EQ(UF_CAMBND_append_bnd_from_face(planar_, UF_CAM_blank, face, &data), 0);
        const std::vector<UF_CAMBND_boundary_t> found = boundaries(planar_, UF_CAM_blank);
        ASSERT_EQ(found.size(), 1u);
        int count = 0;
        UF_CAMBND_item_t *items = nullptr;
        ASSERT_EQ(UF_CAMBND_ask_boundary_items(found[0], &count, &items), 0);
        std::vector<tag_t> entities;
        for (int i = 0; i < count; ++i) {
            tag_t entity = NULL_TAG;
            ASSERT_EQ(UF_CAMBND_ask_item_entity(items[i], &entity), 0);
            entities.push_back(entity);
        }
        UF_free(items);
        cam::Box box{};
        ASSERT_TRUE(cam::entities_box(entities, &box));
        for (std::size_t k = 0; k < 6; ++k) EXPECT_NEAR(box[k], c.members[k], 1e-6) << k;
    }
}

TEST_F(CamBoundaryTest, CurvesMakeOneBoundaryWhenTheyJoinEndToEnd) {
    setup_plates();
    const tag_t l1 = line("L1", {0, 0, 0}, {10, 0, 0}), l2 = line("L2", {10, 0, 0}, {10, 5, 0});
    const tag_t l3 = line("L3", {10, 5, 0}, {0, 5, 0}), l4 = line("L4", {0, 5, 0}, {0, 0, 0});
    const tag_t back = line("L2_BACK", {10, 5, 0}, {10, 0.004, 0}), far = line("FAR", {20, 0, 0}, {30, 0, 0});
    const tag_t pin_edge = nxhost::store().children(named("PIN"), UF_solid_edge_subtype)[0];
    const tag_t face = top_face(named("PLATE"), 5.0);
    const tag_t cavity = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
    const tag_t face_milling = made(UF_OPER_create, "mill_planar", "FACE_MILLING");
    UF_CAMBND_boundary_data_t open{}, closed{}, skewed{};
    open.boundary_type = UF_CAM_boundary_type_open;
    open.plane_type = 1;
    closed.plane_type = 1;
    skewed.plane_type = 0;
    skewed.matrix[0] = skewed.matrix[4] = 1.0;  // no Z row
    const struct {
        const char *what;
        tag_t holder;
        UF_CAM_geom_type_t type;
        std::vector<tag_t> curves;
        UF_CAMBND_boundary_data_t data;
        int rc;
    } cases[] = {
        {"a single line, open (profile)", planar_, UF_CAM_part, {l1}, open, 0},
        {"three sides of a rectangle, open", planar_, UF_CAM_part, {l1, l2, l3}, open, 0},
        {"a member the other way round, within the chaining tolerance", planar_, UF_CAM_part, {l1, back, l3, l4}, closed, 0},
        {"four sides, closed", planar_, UF_CAM_part, {l1, l2, l3, l4}, closed, 0},
        {"a full circle, closed on itself", planar_, UF_CAM_part, {pin_edge}, closed, 0},
        {"three sides, closed", planar_, UF_CAM_part, {l1, l2, l3}, closed, cam::kNotConnected},
        {"a gap", planar_, UF_CAM_part, {l1, far}, open, cam::kNotConnected},
        {"out of order", planar_, UF_CAM_part, {l1, l3, l2}, open, cam::kNotConnected},
        {"one line, closed", planar_, UF_CAM_part, {l1}, closed, cam::kNotConnected},
        {"a circle among lines", planar_, UF_CAM_part, {l1, pin_edge}, open, cam::kNotConnected},
        {"a body", planar_, UF_CAM_part, {named("PLATE")}, open, cam::kBadEntity},
        {"a face", planar_, UF_CAM_part, {face}, open, cam::kBadEntity},
        {"a user plane without a frame", planar_, UF_CAM_part, {l1}, skewed, cam::kBadPlane},
        {"cavity milling", cavity, UF_CAM_part, {l1}, open, cam::kBadEntity},
        {"face milling takes no part boundaries", face_milling, UF_CAM_part, {l1}, open, cam::kBadEntity},
        {"face milling takes blank boundaries", face_milling, UF_CAM_blank, {l1, l2, l3, l4}, closed, 0},
    };
    std::size_t appended = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(append_curves(c.holder, c.type, c.curves, c.data), c.rc);
        if (c.rc == 0 && c.holder == planar_) ++appended;
    }
    EXPECT_EQ(boundaries(planar_, UF_CAM_part).size(), appended);
    UF_CAMBND_boundary_data_t bad_type = open;
    const int seven = 7;  // what a C caller may store; no value of the enum type
    std::memcpy(&bad_type.boundary_type, &seven, sizeof seven);
    EXPECT_EQ(append_curves(planar_, UF_CAM_part, {l1}, bad_type), nxhost::kBadArgument);
}

TEST_F(CamBoundaryTest, MemberDataMaterialSideAndTypeAreKeptAndShown) {
    setup_plates();
    const tag_t l1 = line("L1", {0, 0, 0}, {10, 0, 0}), l2 = line("L2", {10, 0, 0}, {10, 5, 0});
    const tag_t l3 = line("L3", {10, 5, 0}, {0, 5, 0});
    UF_CAMBND_boundary_data_t data{};
    data.boundary_type = UF_CAM_boundary_type_open;
    data.plane_type = 1;
    data.material_side = UF_CAM_material_side_out_right;
    UF_CAMBND_app_data_t member{};  // the add-on's three-line records
    member.has_tolerances = 1;
    member.tolerances[0] = member.tolerances[1] = 0.01;
    member.has_feedrate = 1;
    member.feedrate_unit = UF_CAM_feedrate_unit_per_minute;
    member.feedrate_value = 1000.0;
    member.has_tool_position = 1;
    member.tool_position = UF_CAM_tool_position_on;
    member.stock = 0.7;  // not flagged: not kept
    ASSERT_EQ(append_curves(planar_, UF_CAM_part, {l1, l2, l3}, data, member), 0);
    UF_CAMBND_app_data_t whole{};
    whole.has_stock = 1;
    whole.stock = 0.1;
    data.app_data = &whole;
    ASSERT_EQ(append_curves(planar_, UF_CAM_check, {l1}, data), 0);
    const std::string tree = tree_of(part_);
    for (const char *expected :
         {"          boundary part open: L1, L2, L3", "            material outside  plane automatic at [0,0,0] normal [0,0,1]",
          "            member L1: tolerances 0.01/0.01, feed 1000 per min, tool position on",
          "            member L3: tolerances 0.01/0.01, feed 1000 per min, tool position on",
          "          boundary check open: L1", "            material outside  plane automatic (its members span no plane)",
          "            data stock 0.1"})
        EXPECT_TRUE(has_line(tree, expected)) << expected << "\n" << tree;
    EXPECT_EQ(tree.find("member L1: none"), std::string::npos) << "a record with nothing set shows nothing";
}

TEST_F(CamBoundaryTest, OriginsAreGivenAndAnsweredInTheWcs) {
    setup_plates();
    // The WCS at (100, 50, 0), turned a quarter about Z: its X is the absolute Y.
    const double turned[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1}, at[3] = {100, 50, 0};
    tag_t matrix = NULL_TAG, wcs = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(turned, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(at, matrix, &wcs), 0);
    ASSERT_EQ(UF_CSYS_set_wcs(wcs), 0);
    UF_CAMBND_boundary_data_t data{};
    data.boundary_type = UF_CAM_boundary_type_open;
    data.plane_type = 0;
    const double origin[3] = {1, 2, 3}, identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::copy(origin, origin + 3, data.origin);
    std::copy(identity, identity + 9, data.matrix);
    const tag_t l1 = line("L1", {0, 0, 0}, {10, 0, 0});
    ASSERT_EQ(append_curves(planar_, UF_CAM_part, {l1}, data), 0);
    std::vector<UF_CAMBND_boundary_t> found = boundaries(planar_, UF_CAM_part);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(has_line(tree_of(part_), "          boundary part open in plane at [98,51,3]: L1")) << tree_of(part_);
    UF_CAMBND_boundary_data_t back{};
    ASSERT_EQ(UF_CAMBND_ask_boundary_data(found[0], &back), 0);
    EXPECT_NEAR(back.origin[0], 1, 1e-9);
    EXPECT_NEAR(back.origin[1], 2, 1e-9);
    EXPECT_NEAR(back.origin[2], 3, 1e-9);

    double lifted[3] = {0, 0, 10}, matrix_values[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ASSERT_EQ(UF_CAMBND_set_boundary_plane(found[0], lifted, matrix_values), 0);
    EXPECT_TRUE(has_line(tree_of(part_), "            material undefined  plane user at [100,50,10] normal [0,0,1]"))
        << tree_of(part_);
    double squashed[9] = {2, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(UF_CAMBND_set_boundary_plane(found[0], lifted, squashed), cam::kBadPlane);
}

TEST_F(CamBoundaryTest, TheFloorIsATransformOfAPlanarMillingOperation) {
    setup_plates();
    const tag_t face_milling = made(UF_OPER_create, "mill_planar", "FACE_MILLING");
    const tag_t contour = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    const tag_t floor = floor_at(named("PLATE"), 10.3);
    const tag_t csys = nxhost::store().create(UF_coordinate_system_type, UF_csys_normal_subtype, part_).tag;
    const struct {
        const char *what;
        tag_t oper, value;
        int rc;
        bool misuse;
    } cases[] = {
        {"a face", planar_, top_face(named("PLATE"), 5.0), cam::kBadValue, true},
        {"a coordinate system", planar_, csys, cam::kBadValue, true},
        {"face milling has no floor", face_milling, floor, cam::kInvalidIndex, false},
        {"fixed contour has no floor", contour, floor, cam::kInvalidIndex, false},
        {"a transform", planar_, floor, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = nxhost::misuse_lines().size();
        EXPECT_EQ(UF_PARAM_set_tag_value(c.oper, UF_PARAM_FLOOR, c.value), c.rc);
        EXPECT_EQ(nxhost::misuse_lines().size(), before + (c.misuse ? 1 : 0));
    }
    tag_t asked = NULL_TAG;
    ASSERT_EQ(UF_PARAM_ask_tag_value(planar_, UF_PARAM_FLOOR, &asked), 0);
    EXPECT_EQ(asked, floor);
    EXPECT_TRUE(has_line(tree_of(part_), "          floor plane at [15,15,10.3] normal [0,0,1]")) << tree_of(part_);
    EXPECT_NE(nxhost::misuse_lines().front().find("must be a transform of UF_SO_create_xform_doubles, not a face"),
              std::string::npos)
        << nxhost::misuse_lines().front();
    expect_clean_session_ = false;
}

TEST_F(CamBoundaryTest, CuttingParametersAreTakenWhereNxHasThemAndShown) {
    setup_plates();
    const tag_t face_milling = made(UF_OPER_create, "mill_planar", "FACE_MILLING");
    const tag_t contour = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    const tag_t zlevel = made(UF_OPER_create, "mill_contour", "ZLEVEL_PROFILE");
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    UF_OBJ_set_name(face_milling, "FACE_ALL-F2");
    UF_OBJ_set_name(contour, "FIX_SEL_SUR-F3");
    const struct {
        const char *what;
        tag_t oper;
        int index;
        bool is_int;
        double value;
        int rc;
    } cases[] = {
        {"profile on planar milling", planar_, UF_PARAM_CUT_METHOD, true, UF_PARAM_cut_method_profile, 0},
        {"zig-zag on face milling", face_milling, UF_PARAM_CUT_METHOD, true, UF_PARAM_cut_method_zig_zag, 0},
        {"undefined is no pattern", planar_, UF_PARAM_CUT_METHOD, true, UF_PARAM_cut_method_undefined, cam::kBadValue},
        {"a pattern NX does not have", planar_, UF_PARAM_CUT_METHOD, true, 12, cam::kBadValue},
        {"a cut pattern on fixed contour", contour, UF_PARAM_CUT_METHOD, true, 1, cam::kInvalidIndex},
        {"a cut pattern on Z-level", zlevel, UF_PARAM_CUT_METHOD, true, 1, cam::kInvalidIndex},
        {"drive stock on fixed contour", contour, UF_PARAM_STOCK_DRIVE, false, 0.298, 0},
        {"drive stock on planar milling", planar_, UF_PARAM_STOCK_DRIVE, false, 0.3, cam::kInvalidIndex},
        {"blank stock on face milling", face_milling, UF_PARAM_STOCK_BLANK, false, 0.7, 0},
        {"blank stock on Z-level", zlevel, UF_PARAM_STOCK_BLANK, false, 0.7, cam::kInvalidIndex},
        {"text drive on fixed contour", contour, UF_PARAM_DRIVE_METHOD, true, UF_PARAM_dpm_type_text, 0},
        {"a drive NX does not have", contour, UF_PARAM_DRIVE_METHOD, true, 111, cam::kBadValue},
        {"back to area milling", contour, UF_PARAM_DRIVE_METHOD, true, UF_PARAM_dpm_type_area_milling, 0},
        {"a Z offset toggle of 2", face_milling, UF_PARAM_TL_Z_OFFSET_TOG, true, 2, cam::kBadValue},
        {"Z offset on", face_milling, UF_PARAM_TL_Z_OFFSET_TOG, true, 1, 0},
        {"Z offset", face_milling, UF_PARAM_TL_Z_OFFSET, false, -0.02, 0},
        {"Z offset on a cutter", cutter, UF_PARAM_TL_Z_OFFSET, false, -0.02, 0},
        {"a negative spindle speed", planar_, UF_PARAM_SPINDLE_RPM, false, -1, cam::kBadValue},
        {"spindle speed", planar_, UF_PARAM_SPINDLE_RPM, false, 6500, 0},
        {"depth per cut of planar milling", planar_, UF_PARAM_CUTLEV_MAX_DEPTH, false, 0.3, 0},
        {"stepover of fixed contour", contour, UF_PARAM_STEPOVER_TYPE, true, UF_PARAM_stepover_type_constant, 0},
        {"its distance", contour, UF_PARAM_STEPOVER_DIST, false, 0.15, 0},
        {"a stepover type NX does not have", contour, UF_PARAM_STEPOVER_TYPE, true, 8, cam::kBadValue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.is_int ? UF_PARAM_set_int_value(c.oper, c.index, static_cast<int>(c.value))
                           : UF_PARAM_set_double_value(c.oper, c.index, c.value),
                  c.rc);
    }
    UF_PARAM_feedrate_t feed{UF_PARAM_feed_per_minute, 1400, 3};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(planar_, UF_PARAM_FEED_CUT, &feed), 0);
    feed = {UF_PARAM_feed_per_minute, 600, 0};
    ASSERT_EQ(UF_PARAM_set_subobj_ptr_value(planar_, UF_PARAM_FEED_FIRST_CUT, &feed), 0);
    const std::string tree = tree_of(part_);
    for (const char *expected : {"        PLAN_EDM-F2  planar milling  cutter NONE  geometry NONE  method NONE",
                                 "          blank stock 0", "          depth per cut 0.3 (min 0)",
                                 "          cut method profile", "          stepover 50% of tool diameter",
                                 "          spindle 6500 rpm", "          feeds cut 1400 per min colour 3, first cut 600 per min",
                                 "          stock part 0  floor 0  tool Z offset -0.02", "          blank stock 0.7",
                                 "          depth per cut 0", "          cut method zig-zag", "          drive stock 0.298",
                                 "          drive method area milling", "          stepover constant 0.15",
                                 "          feeds cut 250 per min", "          spindle 0 rpm"})
        EXPECT_TRUE(has_line(tree, expected)) << expected << "\n" << tree;
}

TEST_F(CamBoundaryTest, GenerationSaysWhatEachKindStillNeeds) {
    setup_plates();
    const tag_t cutter = made(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t plate = named("PLATE"), face = top_face(plate, 5.0);
    tag_t notes[] = {nxhost::store().create(UF_drafting_entity_type, UF_draft_note_subtype, part_).tag};
    UF_CAMBND_boundary_data_t data{};
    const struct {
        const char *type, *oper;
        std::vector<std::pair<int, std::function<int(tag_t)>>> steps;  // code before the step, then the step
    } cases[] = {
        {"mill_planar", "PLANAR_MILL",
         {{cam::kNeedsBoundary, [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_blank, face, &data); }},
          {cam::kNeedsBoundary, [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_part, face, &data); }},
          {cam::kNeedsFloor, [&](tag_t o) { return UF_PARAM_set_tag_value(o, UF_PARAM_FLOOR, floor_at(plate, 0.3)); }}}},
        {"mill_planar", "FACE_MILLING",
         {{cam::kNeedsBoundary, [&](tag_t o) { return append_items(o, UF_CAM_cut_area, {face}); }},
          {cam::kNeedsBoundary, [&](tag_t o) { return UF_CAMBND_append_bnd_from_face(o, UF_CAM_blank, face, &data); }}}},
        {"mill_contour", "CONTOUR_TEXT",
         {{cam::kNeedsText, [&](tag_t o) { return append_items(o, UF_CAM_cut_area, {face}); }},
          {cam::kNeedsText, [&](tag_t o) { return UF_CAMTEXT_append_items(o, 1, notes); }}}},
        {"mill_contour", "FIXED_CONTOUR",
         {{cam::kNeedsCutArea, [&](tag_t o) { return append_items(o, UF_CAM_cut_area, {face}); }}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oper);
        const tag_t oper = made(UF_OPER_create, c.type, c.oper);
        ASSERT_EQ(UF_NCGROUP_accept_member(cutter, oper), 0);
        logical generated = true;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(UF_PARAM_generate(oper, &generated), c.steps[i].first);
            ASSERT_EQ(c.steps[i].second(oper), 0);
        }
        EXPECT_EQ(UF_PARAM_generate(oper, &generated), 0);
        EXPECT_TRUE(generated);
    }
    const tag_t contour = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    EXPECT_EQ(UF_CAMTEXT_append_items(contour, 1, notes), cam::kBadEntity) << "an area milling drive takes no text";
    for (const auto &[code, text] : {std::pair{cam::kNeedsText, "The operation has no text geometry"},
                                     std::pair{cam::kNeedsFloor, "The operation has no floor plane"}}) {
        char message[133] = "";
        EXPECT_EQ(UF_get_fail_message(code, message), 0);
        EXPECT_STREQ(message, text);
    }
}

}  // namespace
