// UF_MODL_* on bodies, faces and edges, and the tag lists they hand out.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "parts_fixture.h"
#include "uf.h"
#include "uf_modl.h"

namespace {

class ModlApiTest : public PartsTest {
protected:
    void SetUp() override {
        PartsTest::SetUp();
        part_ = load(part_text(body_text("B", R"({"box":{"min":[0,0,0],"max":[10,20,30]}})") + "," +
                               body_text("C", R"({"cylinder":{"base":[50,0,0],"radius":2,"height":4}})")));
        box_ = body_named(part_, "B");
        cylinder_ = body_named(part_, "C");
    }

    // Tags of a list the stand-in handed out; deletes the list.
    static std::vector<tag_t> take(uf_list_p_t list) {
        std::vector<tag_t> tags;
        int count = -1;
        EXPECT_EQ(UF_MODL_ask_list_count(list, &count), 0);
        for (int i = 0; i < count; ++i) {
            tag_t t = NULL_TAG;
            EXPECT_EQ(UF_MODL_ask_list_item(list, i, &t), 0);
            tags.push_back(t);
        }
        EXPECT_EQ(UF_MODL_delete_list(&list), 0);
        EXPECT_EQ(list, nullptr);
        return tags;
    }

    // Tags of the list a UF_MODL_ask_*(tag, &list) call hands out.
    static std::vector<tag_t> listed(int (*ask)(tag_t, uf_list_p_t *), tag_t tag) {
        uf_list_p_t list = nullptr;
        EXPECT_EQ(ask(tag, &list), 0);
        return take(list);
    }

    tag_t part_ = NULL_TAG, box_ = NULL_TAG, cylinder_ = NULL_TAG;
};

TEST_F(ModlApiTest, ASingleFaceLoadsAsASheetBody) {
    const std::string face_brep =
        nxhost::modeling::shape_to_brep_text(nxhost::modeling::shape_payload(object(faces(box_)[0]))->shape);
    tag_t sheet = bodies(load(part_text(body_text("S", R"({"brep":)" + nlohmann::json(face_brep).dump() + "}")),
                              "sheet.prt"))
                      .front();
    int type = 0;
    ASSERT_EQ(UF_MODL_ask_body_type(sheet, &type), 0);
    EXPECT_EQ(type, UF_MODL_SHEET_BODY);
    EXPECT_EQ(faces(sheet).size(), 1u);
    EXPECT_EQ(edges(sheet).size(), 4u);
}

// Every query on the faces and edges of the box agrees with the others, as on a cube.
TEST_F(ModlApiTest, BoxFacesAndEdgesComeInIndexOrderKnowTheirBodyAndMeetAsOnACube) {
    const std::vector<tag_t> face_tags = listed(UF_MODL_ask_body_faces, box_);
    const std::vector<tag_t> edge_tags = listed(UF_MODL_ask_body_edges, box_);
    EXPECT_EQ(face_tags, faces(box_));
    EXPECT_EQ(edge_tags, edges(box_));
    for (std::size_t i = 0; i < face_tags.size(); ++i) {
        SCOPED_TRACE("face " + std::to_string(i));
        EXPECT_EQ(object(face_tags[i]).index, static_cast<int>(i));
        EXPECT_EQ(object(face_tags[i]).part, part_);
        tag_t owner = NULL_TAG;
        ASSERT_EQ(UF_MODL_ask_face_body(face_tags[i], &owner), 0);
        EXPECT_EQ(owner, box_);
        int type = 0;
        ASSERT_EQ(UF_MODL_ask_face_type(face_tags[i], &type), 0);
        EXPECT_EQ(type, UF_MODL_PLANAR_FACE);
        const std::vector<tag_t> around = listed(UF_MODL_ask_face_edges, face_tags[i]);
        EXPECT_EQ(around.size(), 4u);
        for (tag_t edge : around) {
            EXPECT_NE(std::find(edge_tags.begin(), edge_tags.end(), edge), edge_tags.end());
            const std::vector<tag_t> sides = listed(UF_MODL_ask_edge_faces, edge);
            EXPECT_EQ(sides.size(), 2u);
            EXPECT_NE(std::find(sides.begin(), sides.end(), face_tags[i]), sides.end());
        }
    }
    std::map<long, int> edges_of_length;  // in micrometres
    for (tag_t edge : edge_tags) {
        tag_t owner = NULL_TAG;
        ASSERT_EQ(UF_MODL_ask_edge_body(edge, &owner), 0);
        EXPECT_EQ(owner, box_);
        int type = 0, count = -1;
        ASSERT_EQ(UF_MODL_ask_edge_type(edge, &type), 0);
        EXPECT_EQ(type, UF_MODL_LINEAR_EDGE);
        double p1[3] = {-1, -1, -1}, p2[3] = {-1, -1, -1};
        ASSERT_EQ(UF_MODL_ask_edge_verts(edge, p1, p2, &count), 0);
        EXPECT_EQ(count, 2);
        ++edges_of_length[std::lround(1e3 * std::hypot(p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]))];
    }
    EXPECT_EQ(edges_of_length, (std::map<long, int>{{10000, 4}, {20000, 4}, {30000, 4}}));
}

// OCCT keeps seams, sphere poles and a vertex on every closed edge; NX shows none of them.
TEST_F(ModlApiTest, TopologyIsNxsNoSeamsNoPolesAndFullCirclesWithoutVertices) {
    tag_t holed = bodies(load(part_text(body_text(
                                  "H", R"({"cut":[{"box":{"min":[0,0,0],"max":[10,10,5]}},)"
                                       R"({"cylinder":{"base":[5,5,-1],"radius":2,"height":7}}]})")),
                              "holed.prt"))
                      .front();
    tag_t sphere = bodies(load(part_text(body_text("S", R"({"sphere":{"center":[0,0,0],"radius":3}})")),
                               "sphere.prt"))
                       .front();
    struct Case { const char *what; tag_t body; std::multiset<int> face_types; std::size_t edges, circles; } cases[] = {
        {"cylinder", cylinder_, {UF_MODL_PLANAR_FACE, UF_MODL_PLANAR_FACE, UF_MODL_CYLINDRICAL_FACE}, 2, 2},
        {"sphere", sphere, {UF_MODL_SPHERICAL_FACE}, 0, 0},
        {"block with a hole", holed, {22, 22, 22, 22, 22, 22, UF_MODL_CYLINDRICAL_FACE}, 14, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::multiset<int> face_types;
        for (tag_t face : listed(UF_MODL_ask_body_faces, c.body)) {
            int type = 0;
            ASSERT_EQ(UF_MODL_ask_face_type(face, &type), 0);
            face_types.insert(type);
            if (type == UF_MODL_CYLINDRICAL_FACE) {
                EXPECT_EQ(listed(UF_MODL_ask_face_edges, face).size(), 2u);
            }
        }
        EXPECT_EQ(face_types, c.face_types);
        const std::vector<tag_t> edge_tags = listed(UF_MODL_ask_body_edges, c.body);
        EXPECT_EQ(edge_tags.size(), c.edges);
        std::size_t circles = 0;
        for (tag_t edge : edge_tags) {
            int type = 0, count = -1;
            double p1[3], p2[3];
            ASSERT_EQ(UF_MODL_ask_edge_type(edge, &type), 0);
            ASSERT_EQ(UF_MODL_ask_edge_verts(edge, p1, p2, &count), 0);
            EXPECT_EQ(count, type == UF_MODL_CIRCULAR_EDGE ? 0 : 2);
            circles += type == UF_MODL_CIRCULAR_EDGE;
        }
        EXPECT_EQ(circles, c.circles);
    }
}

TEST_F(ModlApiTest, ListsKeepOrderIgnoreDuplicatesAndAreFreedByDelete) {
    uf_list_p_t list = nullptr;
    ASSERT_EQ(UF_MODL_create_list(&list), 0);
    ASSERT_NE(list, nullptr);
    int count = -1;
    EXPECT_EQ(UF_MODL_ask_list_count(list, &count), 0);
    EXPECT_EQ(count, 0);
    for (tag_t t : {box_, cylinder_, box_, faces(box_)[0]}) EXPECT_EQ(UF_MODL_put_list_item(list, t), 0);
    EXPECT_EQ(list->eid, box_) << "the head node holds the first item, as callers walking ->next expect";
    std::vector<tag_t> walked;
    for (uf_list_p_t node = list; node; node = node->next) walked.push_back(node->eid);
    EXPECT_EQ(walked, (std::vector<tag_t>{box_, cylinder_, faces(box_)[0]}));
    EXPECT_GT(nxhost::outstanding_blocks(), 0u) << "list nodes are NX memory";
    EXPECT_EQ(take(list), walked);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
}

TEST_F(ModlApiTest, MisusedCallsReturnAnErrorAndNameTheCall) {
    expect_clean_session_ = false;
    uf_list_p_t list = nullptr;
    tag_t face = faces(box_)[0];
    tag_t edge = edges(box_)[0];
    tag_t owner = NULL_TAG;
    int type = 0;
    struct Case { const char *call; int rc; int expected; } cases[] = {
        {"UF_MODL_ask_body_faces", UF_MODL_ask_body_faces(face, &list), nxhost::kBadTag},
        {"UF_MODL_ask_body_type", UF_MODL_ask_body_type(part_, &type), nxhost::kBadTag},
        {"UF_MODL_ask_face_edges", UF_MODL_ask_face_edges(edge, &list), nxhost::kBadTag},
        {"UF_MODL_ask_edge_faces", UF_MODL_ask_edge_faces(box_, &list), nxhost::kBadTag},
        {"UF_MODL_ask_face_body", UF_MODL_ask_face_body(edge, &owner), nxhost::kBadTag},
        {"UF_MODL_ask_face_type", UF_MODL_ask_face_type(99999, &type), nxhost::kBadTag},
        {"UF_MODL_put_list_item", UF_MODL_put_list_item(nullptr, box_), nxhost::kBadArgument},
    };
    ASSERT_EQ(nxhost::misuse_lines().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].call);
        EXPECT_EQ(cases[i].rc, cases[i].expected);
        EXPECT_EQ(nxhost::misuse_lines()[i].rfind(std::string(cases[i].call) + ": ", 0), 0u)
            << nxhost::misuse_lines()[i];
    }
    EXPECT_EQ(list, nullptr) << "no list is handed out on failure";

    ASSERT_EQ(UF_MODL_create_list(&list), 0);
    tag_t item = NULL_TAG;
    EXPECT_EQ(UF_MODL_ask_list_item(list, 0, &item), nxhost::kBadArgument) << "an empty list has no item 0";
    EXPECT_EQ(nxhost::misuse_lines().back().rfind("UF_MODL_ask_list_item: ", 0), 0u);
    UF_MODL_delete_list(&list);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    EXPECT_EQ(UF_terminate(), 0);
}

}  // namespace
