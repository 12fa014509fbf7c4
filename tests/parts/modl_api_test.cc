// UF_MODL_* on bodies, faces and edges, and the tag lists they hand out.
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
        part_ = load(part_text(R"({"name":"B","shape":{"box":{"min":[0,0,0],"max":[10,20,30]}}},)"
                               R"({"name":"C","shape":{"cylinder":{"base":[50,0,0],"radius":2,"height":4}}})"));
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

    tag_t part_ = NULL_TAG, box_ = NULL_TAG, cylinder_ = NULL_TAG;
};

TEST_F(ModlApiTest, ASingleFaceLoadsAsASheetBody) {
    const std::string face_brep =
        nxhost::modeling::shape_to_brep_text(nxhost::modeling::shape_payload(object(faces(box_)[0]))->shape);
    tag_t sheet_part = load(part_text(R"({"name":"S","shape":{"brep":)" + nlohmann::json(face_brep).dump() + "}}"),
                            "sheet.prt");
    ASSERT_EQ(bodies(sheet_part).size(), 1u);
    int type = 0;
    ASSERT_EQ(UF_MODL_ask_body_type(bodies(sheet_part).front(), &type), 0);
    EXPECT_EQ(type, UF_MODL_SHEET_BODY);
    EXPECT_EQ(faces(bodies(sheet_part).front()).size(), 1u);
    EXPECT_EQ(edges(bodies(sheet_part).front()).size(), 4u);
}

TEST_F(ModlApiTest, BodyFacesAndEdgesComeInIndexOrderAndKnowTheirBody) {
    uf_list_p_t list = nullptr;
    ASSERT_EQ(UF_MODL_ask_body_faces(box_, &list), 0);
    std::vector<tag_t> face_tags = take(list);
    EXPECT_EQ(face_tags, faces(box_));
    ASSERT_EQ(UF_MODL_ask_body_edges(box_, &list), 0);
    std::vector<tag_t> edge_tags = take(list);
    EXPECT_EQ(edge_tags, edges(box_));
    for (tag_t face : face_tags) {
        tag_t owner = NULL_TAG;
        ASSERT_EQ(UF_MODL_ask_face_body(face, &owner), 0);
        EXPECT_EQ(owner, box_);
    }
    for (tag_t edge : edge_tags) {
        tag_t owner = NULL_TAG;
        ASSERT_EQ(UF_MODL_ask_edge_body(edge, &owner), 0);
        EXPECT_EQ(owner, box_);
    }
}

TEST_F(ModlApiTest, FacesAndEdgesOfABoxMeetAsOnACube) {
    const std::vector<tag_t> all_edges = edges(box_);
    const std::set<tag_t> box_edges(all_edges.begin(), all_edges.end());
    for (tag_t face : faces(box_)) {
        uf_list_p_t list = nullptr;
        ASSERT_EQ(UF_MODL_ask_face_edges(face, &list), 0);
        std::vector<tag_t> around = take(list);
        EXPECT_EQ(around.size(), 4u);
        for (tag_t edge : around) {
            EXPECT_TRUE(box_edges.count(edge));
            ASSERT_EQ(UF_MODL_ask_edge_faces(edge, &list), 0);
            std::vector<tag_t> sides = take(list);
            EXPECT_EQ(sides.size(), 2u);
            EXPECT_NE(std::find(sides.begin(), sides.end(), face), sides.end());
        }
    }
}

TEST_F(ModlApiTest, FaceAndEdgeTypesFollowTheGeometry) {
    std::multiset<int> face_types, edge_types;
    for (tag_t body : {box_, cylinder_}) {
        for (tag_t face : faces(body)) {
            int type = 0;
            ASSERT_EQ(UF_MODL_ask_face_type(face, &type), 0);
            face_types.insert(type);
        }
        for (tag_t edge : edges(body)) {
            int type = 0;
            ASSERT_EQ(UF_MODL_ask_edge_type(edge, &type), 0);
            edge_types.insert(type);
        }
    }
    EXPECT_EQ(face_types.count(UF_MODL_PLANAR_FACE), 6u + 2u);
    EXPECT_EQ(face_types.count(UF_MODL_CYLINDRICAL_FACE), 1u);
    EXPECT_EQ(edge_types.count(UF_MODL_LINEAR_EDGE), 12u + 1u) << "the cylinder's seam is a line";
    EXPECT_EQ(edge_types.count(UF_MODL_CIRCULAR_EDGE), 2u);
}

TEST_F(ModlApiTest, EdgeVerticesAreTheEndsOfAnOpenEdgeAndOneForAClosedEdge) {
    double p1[3] = {-1, -1, -1}, p2[3] = {-1, -1, -1};
    int count = -1;
    for (tag_t edge : edges(box_)) {
        ASSERT_EQ(UF_MODL_ask_edge_verts(edge, p1, p2, &count), 0);
        EXPECT_EQ(count, 2);
        double length = std::sqrt((p1[0] - p2[0]) * (p1[0] - p2[0]) + (p1[1] - p2[1]) * (p1[1] - p2[1]) +
                                  (p1[2] - p2[2]) * (p1[2] - p2[2]));
        EXPECT_TRUE(std::abs(length - 10) < 1e-9 || std::abs(length - 20) < 1e-9 || std::abs(length - 30) < 1e-9)
            << length;
    }
    int circles = 0;
    for (tag_t edge : edges(cylinder_)) {
        int type = 0;
        UF_MODL_ask_edge_type(edge, &type);
        if (type != UF_MODL_CIRCULAR_EDGE) continue;
        ++circles;
        ASSERT_EQ(UF_MODL_ask_edge_verts(edge, p1, p2, &count), 0);
        EXPECT_EQ(count, 1);
        EXPECT_NEAR(std::hypot(p1[0] - 50, p1[1]), 2, 1e-9);
    }
    EXPECT_EQ(circles, 2);
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
