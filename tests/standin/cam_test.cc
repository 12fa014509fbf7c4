// The CAM queries of the stand-in before it models CAM objects: no tag is a CAM object yet.
// (UF_SETUP_ask_setup is exercised through the add-on's reader of the setup's cutters.)
#include "nxhost/core/guard.h"
#include "part_fixture.h"
#include "uf.h"
#include "uf_ncgroup.h"
#include "uf_param.h"
#include "uf_setup.h"

namespace {

using CamTest = PartTest;

TEST_F(CamTest, NoTagIsACamObjectYet) {
    load_boxes({"E1"});
    const tag_t solid = body("E1");
    tag_t root = 99, junk[1] = {99}, *members = junk;
    int count = 5, number = 5;
    double value = 5.0;
    const struct {
        const char *call;
        int rc;
    } calls[] = {
        {"UF_SETUP_ask_mct_root", UF_SETUP_ask_mct_root(solid, &root)},
        {"UF_NCGROUP_ask_member_list", UF_NCGROUP_ask_member_list(NULL_TAG, &count, &members)},
        {"UF_PARAM_ask_double_value", UF_PARAM_ask_double_value(solid, 1000, &value)},
        {"UF_PARAM_ask_int_value", UF_PARAM_ask_int_value(4242, 1038, &number)},
    };
    ASSERT_EQ(nxhost::misuse_lines().size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].rc, nxhost::kBadTag) << calls[i].call;
        EXPECT_EQ(nxhost::misuse_lines()[i].rfind(calls[i].call, 0), 0u) << nxhost::misuse_lines()[i];
    }
    EXPECT_EQ(root, NULL_TAG);
    EXPECT_EQ(members, nullptr);
    EXPECT_EQ(count + number + value, 0.0) << "outputs say nothing rather than hold junk";
    expect_clean_session_ = false;
}

}  // namespace
