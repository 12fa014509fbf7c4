// The slope classes of faces, seen from MCS directions, and the MCS orientation class itself.
#include "geometry_fixture.h"
#include "my_func_cam/face_slopes.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/ui/encoding.h"
#include "torvane/setup/mcs_class.h"
#include "uf.h"
#include "uf_csys.h"

namespace {

using Lines = std::vector<std::string>;

// A base block with a drafted boss (sides at 45 degrees along x, 60 along y, flat top) and a
// roll lying along -x, whose normal at the centre of its parameters points up.
const char *const kSlopes = R"({"format":"nxhost-part/1","bodies":[
    {"name":"SLOPES","shape":{"union":[{"box":{"min":[0,0,0],"max":[40,40,10]}},
      {"frustum":{"base":[20,20,10],"bottom":[30,30],"top":[10,18.452994616207484],"height":10}}]}},
    {"name":"ROLL","shape":{"cylinder":{"base":[90,20,5],"axis":[-1,0,0],"radius":4,"height":30}}}]})";

// Which of the twelve lists hold a face, one character each in list order: "1" in, "." out.
std::string membership(face_sets &sets, tag_t face) {
    std::string in;
    for (int k = 0; k < FACE_SET_COUNT; ++k) {
        const face_list *list = face_set_list(&sets, k);
        bool found = false;
        for (int i = 0; i < list->count; ++i) found = found || list->faces[i] == face;
        in += found ? '1' : '.';
    }
    return in;
}

class FaceSlopes : public GeometryTest {
protected:
    void SetUp() override {
        GeometryTest::SetUp();
        display("slopes.prt", kSlopes);
    }
    std::vector<tag_t> all_faces() const {
        std::vector<tag_t> all = faces(body("SLOPES"));
        for (tag_t f : faces(body("ROLL"))) all.push_back(f);
        return all;
    }
};

// Lists: all 0_60 00_60 90 0_45 00_45 45_90 0_90 00_90 back fix(30..60) zle(60..90).
TEST_F(FaceSlopes, EachFaceGoesToTheListsOfItsAngleSeenFromTheMcs) {
    const std::vector<tag_t> faces_in = all_faces();
    const tag_t roll = faces(body("ROLL")).front();
    ASSERT_EQ(face_label(roll), "cylindrical");
    const struct { const char *face; int mcs_class; const char *lists; } cases[] = {
        {"+Z@20", 101, "1.1..1..1..."},       // flat: angle 0
        {"cylindrical", 101, ".11.11.11..."},  // curved at 0
        {"+Z@10", 101, "1.1..1..1..."},
        {"-Z@0", 101, ".........1.."},         // turned away, whatever its angle
        {"+X@40", 104, "...1.......1"},        // 90: in no list bounded by 90, but in zle's 60..90
        {"-Z@0", 201, "1.1..1..1..."},         // seen from below the bottom is flat
        {"+Z@20", 201, ".........1.."},
        {"+X@40", 501, "1.1..1..1..."},
        {"-X@0", 501, ".........1.."},
        {"+Y@40", 401, ".........1.."},
        {"-Y@0", 401, "1.1..1..1..."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.face) + " class " + std::to_string(c.mcs_class));
        face_sets sets;
        ASSERT_EQ(MY_sort_faces_by_angle(static_cast<int>(faces_in.size()), faces_in.data(), c.mcs_class, &sets), 1);
        const tag_t face = std::string(c.face) == "cylindrical" ? roll : face_labelled(body("SLOPES"), c.face);
        EXPECT_EQ(membership(sets, face), c.lists);
    }
    // The drafted sides at 45 and 60 degrees, from above.
    face_sets sets;
    ASSERT_EQ(MY_sort_faces_by_angle(static_cast<int>(faces_in.size()), faces_in.data(), 103, &sets), 1);
    Lines at_45, at_60;
    for (tag_t face : faces(body("SLOPES"))) {
        const std::string in = membership(sets, face);
        if (in == ".11.11.11.1.") at_45.push_back(face_label(face));
        if (in == "......111.11") at_60.push_back(face_label(face));
    }
    EXPECT_EQ(at_45.size(), 2u) << "45 degrees: up to 45, below 60 and 90, and within fix 30..60";
    EXPECT_EQ(at_60.size(), 2u) << "60 degrees: above 45 and below 90 (not below 60), in both user ranges";
    EXPECT_EQ(sets.face_back.count, 1);
}

TEST_F(FaceSlopes, NoFacesGiveEmptyListsAndBadInputNoLists) {
    face_sets sets;
    ASSERT_EQ(MY_sort_faces_by_angle(0, nullptr, 101, &sets), 1);
    for (int k = 0; k < FACE_SET_COUNT; ++k) EXPECT_EQ(face_set_list(&sets, k)->count, 0);
    const std::vector<tag_t> faces_in = all_faces();
    EXPECT_EQ(MY_sort_faces_by_angle(static_cast<int>(faces_in.size()), faces_in.data(), 0, &sets), 0);
    write_file("qz_conf/config_cam.def", "zle_user_def_oper_end_angle: 90\n");
    EXPECT_EQ(MY_sort_faces_by_angle(static_cast<int>(faces_in.size()), faces_in.data(), 101, &sets), 0);
    ASSERT_FALSE(shown("message").empty());
    EXPECT_NE(shown("message").front().find("fix_user_def_oper_start_angle:"), std::string::npos)
        << "the reader says which key is missing";
}

// A failed enlargement keeps the result as it was; any other refused call leaves a face out.
TEST_F(FaceSlopes, RefusedCallsLeaveFacesOutAndAFailedEnlargementKeepsTheResult) {
    int flat = 0;
    {
        const std::vector<tag_t> faces_in = all_faces();
        face_sets sets;
        ASSERT_EQ(MY_sort_faces_by_angle(static_cast<int>(faces_in.size()), faces_in.data(), 101, &sets), 1);
        flat = sets.face_all.count;
    }
    long failures = 0;
    testsupport::run_failing_each_call([&] { display("slopes.prt", kSlopes); }, [&] {
        {
            face_sets again;
            const std::vector<tag_t> now = all_faces();
            const int result = MY_sort_faces_by_angle(static_cast<int>(now.size()), now.data(), 101, &again);
            if (result == 0) {
                ++failures;
                EXPECT_EQ(again.face_all.count, 0) << "the result stays as it was";
                ASSERT_FALSE(shown("message").empty());
                EXPECT_EQ(nxhost::gbk_to_utf8(shown("message").back()), "内存分配错误, 可能是内存不够的原因!");
            } else {
                EXPECT_GE(again.face_all.count, flat - 1);
            }
        }
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    });
    EXPECT_GT(failures, 4) << "the reader's file reads and every enlargement can fail";
}

TEST(McsClass, ComesFromTheRoundedAxesOfTheMatrix) {
    const struct { double m[9]; int mcs_class; } cases[] = {
        {{1, 0, 0, 0, 1, 0, 0, 0, 1}, 101},
        {{0.9999, -0.0001, 0, 0, 1, 0, 0, 0, 1}, 101},
        {{0, 1, 0, -1, 0, 0, 0, 0, 1}, 102},
        {{-1, 0, 0, 0, -1, 0, 0, 0, 1}, 103},
        {{1, 0, 0, 0, -1, 0, 0, 0, -1}, 201},
        {{0, -1, 0, -1, 0, 0, 0, 0, -1}, 204},
        {{1, 0, 0, 0, 0, -1, 0, 1, 0}, 301},
        {{0, 0, 1, 1, 0, 0, 0, 1, 0}, 302},
        {{0, 0, -1, 0, 1, 0, 1, 0, 0}, 501},
        {{0, -1, 0, 0, 0, 1, -1, 0, 0}, 602},
        {{0.7071, 0.7071, 0, -0.7071, 0.7071, 0, 0, 0, 1}, 0},  // turned 45 degrees about Z
        {{1, 0, 0, 0, 0.99, 0.14, 0, -0.14, 0.99}, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(mcs_class_of_matrix(c.m), c.mcs_class) << c.m[0] << " " << c.m[1];
}

TEST(McsClass, HeightsFacingAndTopsFollowTheMcsZ) {
    const double p[3] = {1, 2, 3}, lo[3] = {0, 0, 0}, hi[3] = {1, 1, 1};
    const struct { int mcs_class; double height, top; } heights[] = {
        {101, 3, 1}, {201, -3, 0}, {301, 2, 1}, {401, -2, 0}, {501, 1, 1}, {601, -1, 0}, {0, 0, 0}};
    for (const auto &h : heights) {
        EXPECT_EQ(mcs_height(h.mcs_class, p), h.height) << h.mcs_class;
        EXPECT_EQ(mcs_box_top(h.mcs_class, lo, hi), h.top) << h.mcs_class;
    }
    const int directions[] = {1, -1, 2, -2, 3, -3};
    const int faced[] = {201, 104, 303, 402, 601, 504};
    for (int d = 0; d < 6; ++d)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(elec_faces_mcs(faced[c], directions[d]), c == d) << directions[d] << " " << faced[c];
    EXPECT_FALSE(elec_faces_mcs(0, 1));
    for (int invalid : {100, 105, 199, 205, 600, 605})
        EXPECT_FALSE(elec_faces_mcs(invalid, invalid / 100 == 1 ? -1 : invalid / 100 == 2 ? 1 : -3)) << invalid;
}

TEST_F(FaceSlopes, TheClassOfACoordinateSystemObjectIsAskedOfNx) {
    const double axes[9] = {1, 0, 0, 0, -1, 0, 0, 0, -1}, origin[3] = {0, 0, 0};
    tag_t matrix = NULL_TAG, csys = NULL_TAG;
    ASSERT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
    ASSERT_EQ(UF_CSYS_create_csys(origin, matrix, &csys), 0);
    EXPECT_EQ(ask_mcs_class(csys), 201);
    nxhost::fail_call_number(1);
    EXPECT_EQ(ask_mcs_class(csys), 0);
}

}  // namespace
