// The MCS in the stand-in's CAM model: its coordinate system kept with the part, answered as its
// matrix, and the axes along which cut levels and automatic blanks are measured; transforms made
// from numbers.
#include <sstream>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_file.h"
#include "nxhost/core/guard.h"
#include "nxhost/csys/csys.h"
#include "nxhost/modeling/geometry_objects.h"
#include "nxhost/objects/store.h"
#include "uf_camgeom.h"
#include "uf_csys.h"
#include "uf_cut_levels.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_so.h"

namespace {

std::string tree_of(tag_t part) {
    nxhost::cam::set_printed_views({nxhost::cam::kGeometryView});
    std::ostringstream out;
    nxhost::print_part_tree(out, part);
    return out.str();
}

class McsTest : public CamTest {
protected:
    // A stepped block under a workpiece under an MCS looking down from (10, 10, 0), the MCS given
    // a temporary coordinate system; a cavity operation in the workpiece.
    tag_t looking_down() {
        const tag_t part = tt_part(R"([{"name":"E1","shape":{"union":[{"box":{"min":[0,0,0],"max":[20,20,10]}},
            {"box":{"min":[5,5,10],"max":[15,15,15]}}]}}])");
        mcs_ = made(UF_NCGEOM_create, "TT", "MCS");
        workpiece_ = made(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
        oper_ = made(UF_OPER_create, "mill_contour", "CAVITY_MILL");
        const double down[9] = {1, 0, 0, 0, -1, 0, 0, 0, -1}, at[3] = {10, 10, 0};
        tag_t matrix = NULL_TAG, body = named("E1");
        EXPECT_EQ(UF_CSYS_create_matrix(down, &matrix), 0);
        EXPECT_EQ(UF_CSYS_create_temp_csys(at, matrix, &temp_), 0);
        EXPECT_EQ(UF_PARAM_set_tag_value(mcs_, UF_PARAM_MCS, temp_), 0);
        EXPECT_EQ(UF_NCGROUP_accept_member(mcs_, workpiece_), 0);
        EXPECT_EQ(UF_NCGROUP_accept_member(workpiece_, oper_), 0);
        EXPECT_EQ(append_items(workpiece_, UF_CAM_part, {body}), 0);
        double offsets[6] = {1, 2, 3, 4, 5, 0};
        EXPECT_EQ(UF_CAM_set_auto_blank(workpiece_, UF_CAM_auto_block_type, offsets), 0);
        return part;
    }
    tag_t mcs_ = NULL_TAG, workpiece_ = NULL_TAG, oper_ = NULL_TAG, temp_ = NULL_TAG;
};

TEST_F(McsTest, LevelsAndTheBlankAreMeasuredAlongTheMcsAxes) {
    const tag_t part = looking_down();
    tag_t kept = NULL_TAG, matrix = NULL_TAG;
    ASSERT_EQ(UF_PARAM_ask_tag_value(mcs_, UF_PARAM_MCS, &kept), 0);
    EXPECT_NE(kept, temp_) << "the MCS keeps a lasting copy of a temporary system";
    ASSERT_EQ(UF_CSYS_ask_matrix_of_object(mcs_, &matrix), 0);
    EXPECT_EQ(matrix, NULL_TAG) << "a group has no matrix of its own";
    ASSERT_EQ(UF_CSYS_ask_matrix_of_object(kept, &matrix), 0);
    double values[9];
    ASSERT_EQ(UF_CSYS_ask_matrix_values(matrix, values), 0);
    EXPECT_EQ(std::vector<double>(values, values + 9), (std::vector<double>{1, 0, 0, 0, -1, 0, 0, 0, -1}));
    // Looking down, the only face facing the MCS Z is the bottom, at height 0; the part's far end
    // lies at height -15; the blank's top at 0 + 5.
    UF_CUT_LEVELS_t *levels = nullptr;
    ASSERT_EQ(UF_CUT_LEVELS_load(oper_, &levels), 0);
    ASSERT_EQ(levels->num_levels, 2);
    EXPECT_EQ(levels->cut_levels[0].z_level, 0.0);
    EXPECT_EQ(levels->cut_levels[1].z_level, -15.0);
    UF_CUT_LEVELS_free(&levels);
    // +X 1 and -X 2 along x; +Y 3 along -y, -Y 4 along +y; +Z 5 below the part, -Z 0 above it.
    const std::string tree = tree_of(part);
    EXPECT_NE(tree.find("mcs origin [10,10,0] X [1,0,0] Y [0,-1,0] Z [0,0,-1]\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("blank auto block +X 1 -X 2 +Y 3 -Y 4 +Z 5 -Z 0, box [-2,-3,-5]-[21,24,15]\n"), std::string::npos)
        << tree;
    // Saved and loaded again, the MCS keeps its system.
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/again.prt", &error)) << error;
    const tag_t again = nxhost::load_part("D:\\parts\\again.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    EXPECT_EQ(tree_of(again).substr(tree_of(again).find("cam setup")), tree.substr(tree.find("cam setup")));
}

TEST_F(McsTest, TransformsFromNumbersAreKeptWithThePart) {
    const tag_t part = tt_part(R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[20,20,10]}}}])");
    const tag_t face = nxhost::store().children(named("E1"), UF_solid_face_subtype).front();
    const double at[3] = {1, 2, 3}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, zero[3] = {0, 0, 0}, also_x[3] = {2, 0, 0};
    const struct {
        const double *x, *y;
        double scale;
        int error;
    } cases[] = {{x, y, 1, 0}, {zero, y, 1, nxhost::modeling::kZeroVector},
                 {x, also_x, 1, nxhost::modeling::kParallelAxes}, {x, y, 0, nxhost::kBadArgument}};
    for (const auto &c : cases) {
        tag_t xform = NULL_TAG;
        EXPECT_EQ(UF_SO_create_xform_doubles(face, UF_SO_update_within_modeling, at, c.x, c.y, c.scale, &xform), c.error);
        EXPECT_EQ(xform != NULL_TAG, c.error == 0);
    }
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/again.prt", &error)) << error;
    const tag_t again = nxhost::load_part("D:\\parts\\again.prt", &error);
    ASSERT_NE(again, NULL_TAG) << error;
    const std::vector<tag_t> kept = nxhost::store().in_part(again, nxhost::modeling::kXformType);
    ASSERT_EQ(kept.size(), 1u);
    const auto &data = dynamic_cast<const nxhost::modeling::XformPayload &>(*nxhost::store().find(kept[0])->payload);
    EXPECT_EQ(data.origin, (nxhost::modeling::Point{1, 2, 3}));
    EXPECT_EQ(data.y_axis, (nxhost::modeling::Point{0, 1, 0}));
}

}  // namespace
