// `nxhost tree` output of a part: what people and scenario tests read.
#include "parts_fixture.h"

namespace {

class TreeTest : public PartsTest {};

TEST_F(TreeTest, PrintsUnitsBodiesAttributesAndMarkedFaces) {
    tag_t part = load(part_text(
        R"({"name":"E1","attributes":[{"title":"elec_rough_space","type":"real","value":0.1},
            {"title":"IS_CLAMP","type":"string","value":""}],
           "shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},
           "faces":[{"select":{"normal":"+Z"},"attributes":[{"title":"ELEC_BASE_EDM_FACE","type":"string","value":""}]}]},
          {"name":"E2","layer":3,"blank":true,"shape":{"cylinder":{"base":[20,0,0],"radius":2.5,"height":4}},
           "faces":[{"select":{"index":0},"attributes":[{"title":"n","type":"integer","value":2}]}]})",
        "mm", R"("attributes":[{"title":"ORDER","type":"string","value":"A-17"}])"));
    EXPECT_EQ(tree(part),
              "part D:\\parts\\a.prt  units mm\n"
              "  attr ORDER (string) = \"A-17\"\n"
              "body E1  solid  layer 1  faces 6 edges 12 box [0,0,0]-[10,10,5]\n"
              "  attr elec_rough_space (real) = 0.1\n"
              "  attr IS_CLAMP (string) = \"\"\n"
              "  face 5 planar normal +Z: attr ELEC_BASE_EDM_FACE (string) = \"\"\n"
              "body E2  solid  layer 3  blanked  faces 3 edges 2 box [17.5,-2.5,0]-[22.5,2.5,4]\n"
              "  face 0 cylindrical: attr n (integer) = 2\n");
}

TEST_F(TreeTest, ANonPartPrintsAsNoPart) { EXPECT_EQ(tree(NULL_TAG), "no part\n"); }

}  // namespace
