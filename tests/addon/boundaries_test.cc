// Boundary data and floor planes of the planar operations on electrodes under MCSs looking up and
// down, and the holes of EDM base faces.
#include "nxhost/modeling/geometry_objects.h"
#include "setup_fixture.h"
#include "torvane/setup/boundaries.h"
#include "torvane/setup/mcs_class.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_obj.h"

namespace {

using Point = std::array<double, 3>;

void expect_point(const double *actual, const Point &expected, const std::string &what) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-6) << what << " " << "xyz"[k];
}

// NX reads a boundary data's origin in the WCS: the absolute point it stands for.
Point absolute_origin(const UF_CAMBND_boundary_data_t &data) {
    double wcs[3] = {data.origin[0], data.origin[1], data.origin[2]};
    Point absolute{};
    EXPECT_EQ(UF_CSYS_map_point(UF_CSYS_ROOT_WCS_COORDS, wcs, UF_CSYS_ROOT_COORDS, absolute.data()), 0);
    return absolute;
}

const nxhost::modeling::XformPayload &xform_of(tag_t tag) {
    return dynamic_cast<const nxhost::modeling::XformPayload &>(*nxhost::store().find(tag)->payload);
}

class Boundaries : public SetupTest {
protected:
    // The planar face of a body whose outward normal is normal, in the plane at offset along it.
    static tag_t planar_face(tag_t body, const Point &normal, double offset) {
        for (tag_t face : nxhost::store().children(body, UF_solid_face_subtype)) {
            const nxhost::modeling::FaceInfo info = nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(face))->shape);
            if (info.planar && info.normal == normal && std::abs(info.offset - offset) < 1e-9) return face;
        }
        ADD_FAILURE() << "no such face";
        return NULL_TAG;
    }
};

using member_fn = int (*)(const elec_cam_data *, int, UF_CAMBND_boundary_data_p_t, tag_t *);

// Boundary 0.3 beyond the height each operation cuts to, at the box centre; floor plane at the
// EDM centre or at the box's bottom centre; the MCS's axes.
TEST_F(Boundaries, EachPlanarKindLaysItsBoundaryAndFloorWhereTheElectrodeNeedsThem) {
    open("electrode_shapes.prt", {"STUB_ZP", "STUB_ZM", "MARKED"});
    const struct {
        const char *electrode, *member;
        member_fn fn;
        Point origin, floor;
    } cases[] = {
        {"STUB_ZP", "PLAN_EDM", create_top_face_bound_data_and_edm_plane_xform, {20, 20, 27.3}, {20, 20, 15}},
        {"STUB_ZP", "PLA_EDM_TO_BOT", create_edm_face_bound_data_and_plane_xform, {20, 20, 15.3}, {20, 20, 0}},
        {"STUB_ZP", "PLA_TOP_TO_BOT", create_top_face_bound_data_and_plane_xform, {20, 20, 27.3}, {20, 20, 0}},
        {"STUB_ZM", "PLA_EDM_TO_BOT", create_edm_face_bound_data_and_plane_xform, {120, 20, -0.3}, {120, 20, 15}},
        {"STUB_ZM", "PLA_TOP_TO_BOT", create_top_face_bound_data_and_plane_xform, {120, 20, -12.3}, {120, 20, 15}},
    };
    for (bool upward : {true, false}) {
        forget_turn();
        choose({upward ? "STUB_ZP" : "STUB_ZM", "MARKED"});
        ASSERT_EQ(create_mcs_and_workpiece(), 1);
        const int mcs_class = ask_mcs_class(ask_group_mcs(static_mcs_tag));
        double axes[9];
        ask_mcs_matrix(ask_group_mcs(static_mcs_tag), axes);
        for (const auto &c : cases) {
            if ((std::string(c.electrode) == "STUB_ZP") != upward) continue;
            SCOPED_TRACE(std::string(c.member) + " on " + c.electrode);
            UF_CAMBND_boundary_data_t data{};
            tag_t xform = NULL_TAG;
            ASSERT_EQ(c.fn(find_elec_cam_data(body(c.electrode)), mcs_class, &data, &xform), 1);
            expect_point(absolute_origin(data).data(), c.origin, "boundary origin");
            EXPECT_EQ(data.boundary_type, UF_CAM_boundary_type_closed);
            EXPECT_EQ(data.material_side, UF_CAM_material_side_in_left);
            for (int i = 0; i < 9; ++i) EXPECT_EQ(data.matrix[i], axes[i]);
            expect_point(xform_of(xform).origin.data(), c.floor, "floor plane");
            expect_point(xform_of(xform).x_axis.data(), {axes[0], axes[1], axes[2]}, "floor X");
        }
        UF_CAMBND_boundary_data_t data{};
        tag_t xform = NULL_TAG;
        clear_shown();
        EXPECT_EQ(create_top_face_bound_data_and_edm_plane_xform(find_elec_cam_data(body("MARKED")), mcs_class, &data, &xform), 0);
        EXPECT_EQ(shown("message").back(), addontest::english("create_top_face_bound_data_and_edm_plane_xfor_01:"));
        UF_OBJ_delete_object(static_mcs_tag);
    }
    // The deepest EDM face over all electrodes that have one, and a cut line's own start.
    ASSERT_EQ(create_mcs_and_workpiece(), 1);
    UF_CAMBND_boundary_data_t data{};
    tag_t xform = NULL_TAG, line = NULL_TAG;
    ASSERT_EQ(create_max_edm_bound_data_and_plane_xform(find_elec_cam_data(body("MARKED")), 201, &data, &xform), 1);
    expect_point(absolute_origin(data).data(), {720, 20, -0.3}, "at STUB_ZM's EDM face, across MARKED's box");
    UF_CURVE_line_t ends = {{0, 0, 5}, {10, 0, 5}};
    ASSERT_EQ(UF_CURVE_create_line(&ends, &line), 0);
    ASSERT_EQ(create_line_bound_data_and_plane_xform(elec_cam_data_list, 201, line, &data, &xform), 1);
    expect_point(absolute_origin(data).data(), {0, 0, 5}, "the line's start");
    EXPECT_EQ(data.boundary_type, UF_CAM_boundary_type_open);
    EXPECT_EQ(data.material_side, UF_CAM_material_side_out_right);
}

TEST_F(Boundaries, AnEdmBaseFaceGivesOneLoopPerHole) {
    open("holes.prt", {}, R"({"format":"nxhost-part/1","bodies":[
        {"name":"SQUARE","shape":{"cut":[{"box":{"min":[0,0,0],"max":[40,40,10]}},{"box":{"min":[15,15,-1],"max":[25,25,11]}}]}},
        {"name":"ROUND","shape":{"cut":[{"box":{"min":[50,0,0],"max":[90,40,10]}},{"cylinder":{"base":[70,20,-1],"radius":5,"height":12}},
                                        {"box":{"min":[55,5,-1],"max":[60,10,11]}}]}}]})");
    const struct {
        const char *body;
        Point normal;
        double offset;
        std::vector<int> loop_edges;
    } cases[] = {
        {"SQUARE", {0, 0, 1}, 10, {4}},
        {"SQUARE", {0, -1, 0}, 0, {}},
        {"ROUND", {0, 0, 1}, 10, {1, 4}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body);
        edm_loop loops[MAX_EDM_LOOPS];
        int count = -1;
        ASSERT_EQ(get_edm_body_boundary(planar_face(body(c.body), c.normal, c.offset), &count, loops), 1);
        std::vector<int> edges;
        for (int i = 0; i < count; ++i) {
            edges.push_back(loops[i].count);
            UF_free(loops[i].edges);
        }
        std::sort(edges.begin(), edges.end());
        EXPECT_EQ(edges, c.loop_edges);
    }
}

}  // namespace
