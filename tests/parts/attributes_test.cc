// Attributes given in a part file land on the part, its bodies and the faces they select.
#include "parts_fixture.h"
#include "uf_attr_types.h"

namespace {

class AttributesTest : public PartsTest {};

const nxhost::Attribute *find(tag_t tag, const std::string &title) {
    return nxhost::store().find(tag)->find_attribute(title, UF_ATTR_any);
}

TEST_F(AttributesTest, BodyAttributesOfEveryTypeAreReadable) {
    tag_t part = load(part_text(body_text("E1", kUnitBox, R"(,"layer":3,"blank":true,"color":4,"attributes":[
        {"title":"IS_CLAMP","type":"string","value":""},{"title":"elec_rough_space","type":"real","value":0.1},
        {"title":"elec_rough_number","type":"integer","value":-2},{"title":"done","type":"bool","value":true},
        {"title":"made","type":"time","value":[20240101,3600]},{"title":"empty","type":"null"},
        {"title":"link","type":"reference","value":"E2"}])")));
    tag_t e1 = body_named(part, "E1");
    EXPECT_EQ(object(e1).layer, 3);
    EXPECT_EQ(object(e1).blank, 1);
    EXPECT_EQ(object(e1).color, 4);

    struct Case { const char *title; int type; int integer; double real; const char *text; } cases[] = {
        {"IS_CLAMP", UF_ATTR_string, 0, 0, ""},         {"elec_rough_space", UF_ATTR_real, 0, 0.1, ""},
        {"elec_rough_number", UF_ATTR_integer, -2, 0, ""}, {"done", UF_ATTR_bool, 1, 0, ""},
        {"made", UF_ATTR_time, 20240101, 3600, ""},     {"empty", UF_ATTR_null, 0, 0, ""},
        {"link", UF_ATTR_reference, 0, 0, "E2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        const nxhost::Attribute *a = find(e1, c.title);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->value.type, c.type);
        EXPECT_EQ(a->value.integer, c.integer);
        EXPECT_DOUBLE_EQ(a->value.real, c.real);
        EXPECT_EQ(a->value.text, c.text);
    }
}

// A box with a boss: planar +Z faces at z=5 (the box top around the boss) and z=8 (the boss top).
TEST_F(AttributesTest, FaceSelectorsChooseFacesByOutwardNormal) {
    const std::string boss =
        R"({"union":[{"box":{"min":[0,0,0],"max":[10,10,5]}},{"cylinder":{"base":[5,5,5],"radius":2,"height":3}}]})";
    struct Case { const char *select; std::vector<double> heights; } cases[] = {
        {R"({"normal":"+Z"})", {5, 8}},
        {R"({"normal":"+Z","pick":"highest"})", {8}},
        {R"({"normal":"+Z","pick":"lowest"})", {5}},
        {R"({"normal":[0,0,-3]})", {0}},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.select);
        const std::string marked_faces = std::string(R"(,"faces":[{"select":)") + c.select +
                                         R"(,"attributes":[{"title":"BASE","type":"string","value":""}]}])";
        tag_t part = load(part_text(body_text("E1", boss, marked_faces)), "sel" + std::to_string(++n) + ".prt");
        ASSERT_NE(part, NULL_TAG);
        std::vector<double> heights;
        for (tag_t face : faces(bodies(part).front())) {
            if (!find(face, "BASE")) continue;
            nxhost::modeling::FaceInfo info =
                nxhost::modeling::face_info(nxhost::modeling::shape_payload(object(face))->shape);
            EXPECT_TRUE(info.planar);
            EXPECT_NEAR(std::abs(info.normal[2]), 1, 1e-9);
            heights.push_back(info.normal[2] * info.offset);
        }
        std::sort(heights.begin(), heights.end());
        ASSERT_EQ(heights.size(), c.heights.size());
        for (std::size_t i = 0; i < heights.size(); ++i) EXPECT_NEAR(heights[i], c.heights[i], 1e-9);
    }
}

TEST_F(AttributesTest, IndexSelectorMarksExactlyThatFaceAndNamesIt) {
    tag_t part = load(part_text(body_text("E1", kUnitBox, R"(,
        "faces":[{"select":{"index":3},"name":"TOP","attributes":[{"title":"ELEC_EDM_DIR_FACE","type":"integer","value":1}]}],
        "edges":[{"select":{"index":11},"attributes":[{"title":"K","type":"real","value":2.5}]}])")));
    tag_t body = bodies(part).front();
    for (tag_t face : faces(body)) {
        SCOPED_TRACE(object(face).index);
        EXPECT_EQ(find(face, "ELEC_EDM_DIR_FACE") != nullptr, object(face).index == 3);
        EXPECT_EQ(object(face).name, object(face).index == 3 ? "TOP" : "");
    }
    ASSERT_NE(find(edges(body)[11], "K"), nullptr);
    EXPECT_DOUBLE_EQ(find(edges(body)[11], "K")->value.real, 2.5);
}

TEST_F(AttributesTest, AssigningATitleTwiceWithTheSameTypeKeepsTheLastValue) {
    tag_t part = load(part_text(body_text("E1", kUnitBox, R"(,"attributes":[
        {"title":"gap","type":"real","value":0.1},{"title":"gap","type":"real","value":0.2},
        {"title":"gap","type":"string","value":"wide"}])")));
    const nxhost::Object &e1 = object(bodies(part).front());
    ASSERT_EQ(e1.attributes.size(), 2u);
    EXPECT_DOUBLE_EQ(e1.find_attribute("gap", UF_ATTR_real)->value.real, 0.2);
    EXPECT_EQ(e1.find_attribute("gap", UF_ATTR_string)->value.text, "wide");
}

}  // namespace
