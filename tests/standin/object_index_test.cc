// What a caller sees of the object store's indexes: cycles by type and by name while objects
// come and go or change names, names compared exactly, parts closed under a cycle, and the names
// NX gives CAM objects made one after another from the same template.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/cam/cam_errors.h"
#include "nxhost/core/guard.h"
#include "part_fixture.h"
#include "uf.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace {

using Names = std::vector<std::string>;

std::string name_of(tag_t tag) {
    char text[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(tag, text);
    return text;
}

class ObjectIndexTest : public PartTest {
protected:
    // Cycles the bodies of the part; before each step after the n-th, `between(n, cursor)` may
    // change the part. The names met, in order.
    template <typename Between>
    Names cycle_bodies(tag_t part, Between between) {
        Names met;
        tag_t cursor = NULL_TAG;
        while (UF_OBJ_cycle_objs_in_part(part, UF_solid_type, &cursor) == 0 && cursor != NULL_TAG) {
            met.push_back(name_of(cursor));
            between(static_cast<int>(met.size()), cursor);
        }
        return met;
    }

    // Cycles the work part by name with `between` run after each step, as above.
    template <typename Between>
    Names cycle_named(const char *name, Between between) {
        Names met;
        tag_t cursor = NULL_TAG;
        while (UF_OBJ_cycle_by_name(name, &cursor) == 0 && cursor != NULL_TAG) {
            met.push_back(std::to_string(cursor));
            between(static_cast<int>(met.size()), cursor);
        }
        return met;
    }

    // Ends the test's session itself: it provoked misuse on purpose.
    void end_with_misuse(std::size_t lines) {
        EXPECT_EQ(nxhost::misuse_lines().size(), lines);
        expect_clean_session_ = false;
        UF_terminate();
    }
};

TEST_F(ObjectIndexTest, ACycleByTypeGoesOnWhenOtherBodiesAreDeletedOrMade) {
    struct Case {
        const char *what;
        int after_step;    // the change comes after this step
        const char *body;  // the body deleted, or the name of a body made
        bool make;
        Names met;
    };
    const Case cases[] = {
        {"the next body deleted", 2, "E3", false, {"E1", "E2", "E4", "E5"}},
        {"a body already met deleted", 3, "E1", false, {"E1", "E2", "E3", "E4", "E5"}},
        {"the last body deleted", 1, "E5", false, {"E1", "E2", "E3", "E4"}},
        {"a body made comes last", 2, "N1", true, {"E1", "E2", "E3", "E4", "E5", "N1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const tag_t part = load_boxes({"E1", "E2", "E3", "E4", "E5"});
        const Names met = cycle_bodies(part, [&](int step, tag_t) {
            if (step != c.after_step) return;
            if (!c.make) {
                ASSERT_EQ(UF_OBJ_delete_object(body(c.body)), 0);
                return;
            }
            tag_t made = NULL_TAG;
            double corner[3] = {20, 0, 0};
            char x[] = "1", y[] = "1", z[] = "1";
            char *edges[3] = {x, y, z};
            ASSERT_EQ(UF_MODL_create_block1(UF_NULLSIGN, corner, edges, &made), 0);
            tag_t made_body = NULL_TAG;
            ASSERT_EQ(UF_MODL_ask_feat_body(made, &made_body), 0);
            ASSERT_EQ(UF_OBJ_set_name(made_body, c.body), 0);
        });
        EXPECT_EQ(met, c.met);
        ASSERT_EQ(UF_PART_close_all(), 0);
    }
}

TEST_F(ObjectIndexTest, ACycleDoesNotGoOnFromTheObjectItStandsOnOnceDeleted) {
    const tag_t part = load_boxes({"E1", "E1", "E1", "E1"});  // one for each case, one left over
    struct Case {
        const char *call;
        int (*step)(tag_t part, tag_t *cursor);
    };
    const Case cases[] = {
        {"UF_OBJ_cycle_objs_in_part", [](tag_t p, tag_t *c) { return UF_OBJ_cycle_objs_in_part(p, UF_solid_type, c); }},
        {"UF_OBJ_cycle_by_name", [](tag_t, tag_t *c) { return UF_OBJ_cycle_by_name("E1", c); }},
        {"UF_OBJ_cycle_by_name_and_type",
         [](tag_t p, tag_t *c) { return UF_OBJ_cycle_by_name_and_type(p, "E1", UF_solid_type, false, c); }},
    };
    std::size_t misuses = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.call);
        tag_t cursor = NULL_TAG;
        ASSERT_EQ(c.step(part, &cursor), 0);
        ASSERT_NE(cursor, NULL_TAG);
        ASSERT_EQ(UF_OBJ_delete_object(cursor), 0);
        const tag_t deleted = cursor;
        EXPECT_EQ(c.step(part, &cursor), nxhost::kBadTag);
        EXPECT_EQ(cursor, NULL_TAG) << "no stale tag, and a caller's loop ends";
        ASSERT_EQ(nxhost::misuse_lines().size(), ++misuses);
        EXPECT_NE(nxhost::misuse_lines().back().find(c.call), std::string::npos);
        EXPECT_NE(nxhost::misuse_lines().back().find(std::to_string(deleted)), std::string::npos);
    }
    end_with_misuse(misuses);
}

TEST_F(ObjectIndexTest, NamesAreComparedExactly) {
    const tag_t part = load_boxes({"E1", "e1", "E1 ", "E10"});
    struct Case {
        const char *asked;
        Names found;
    };
    const Case cases[] = {
        {"E1", {"E1"}}, {"e1", {"e1"}}, {"E1 ", {"E1 "}}, {" E1", {}}, {"E", {}}, {"E10", {"E10"}}, {"e10", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("\"") + c.asked + "\"");
        Names by_name, by_name_and_type;
        tag_t cursor = NULL_TAG;
        while (UF_OBJ_cycle_by_name(c.asked, &cursor) == 0 && cursor != NULL_TAG) by_name.push_back(name_of(cursor));
        while (UF_OBJ_cycle_by_name_and_type(part, c.asked, UF_solid_type, false, &cursor) == 0 && cursor != NULL_TAG)
            by_name_and_type.push_back(name_of(cursor));
        EXPECT_EQ(by_name, c.found);
        EXPECT_EQ(by_name_and_type, c.found);
    }
}

TEST_F(ObjectIndexTest, ACycleByNameFollowsNamesGivenAndTakenDuringIt) {
    // Bodies O, A, B and C in that order; A and C are named X. After the first step (on A) one
    // body is renamed.
    struct Case {
        const char *what;
        const char *renamed;
        const char *to;
        Names met;
    };
    const Case cases[] = {
        {"the current object renamed away: the cycle goes on from where it stood", "A", "Z", {"A", "C"}},
        {"an object ahead given the name is met", "B", "X", {"A", "B", "C"}},
        {"an object ahead losing the name is not", "C", "Z", {"A"}},
        {"an object behind given the name is not met", "O", "X", {"A", "C"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        load_boxes({"O", "A", "B", "C"});
        std::map<tag_t, std::string> letter;
        for (const char *l : {"O", "A", "B", "C"}) letter[body(l)] = l;
        const tag_t renamed = body(c.renamed);
        for (const char *l : {"A", "C"}) ASSERT_EQ(UF_OBJ_set_name(body(l), "X"), 0);
        Names met;
        tag_t cursor = NULL_TAG;
        while (UF_OBJ_cycle_by_name("X", &cursor) == 0 && cursor != NULL_TAG) {
            met.push_back(letter.at(cursor));
            if (met.size() == 1) {
                ASSERT_EQ(UF_OBJ_set_name(renamed, c.to), 0);
            }
        }
        EXPECT_EQ(met, c.met);
        ASSERT_EQ(UF_PART_close_all(), 0);
    }
}

TEST_F(ObjectIndexTest, AClosedPartTakesItsObjectsAlongAndOtherPartsCycleOn) {
    const tag_t a = load_boxes({"E1", "E2", "E3"});
    const tag_t a_first = body("E1");
    write_file("parts/other.prt", R"({"format":"nxhost-part/1","units":"mm","bodies":[)"
                                  R"({"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}},)"
                                  R"({"name":"F2","shape":{"box":{"min":[2,0,0],"max":[3,1,1]}}}]})");
    tag_t b = NULL_TAG;
    UF_PART_load_status_t status;
    ASSERT_EQ(UF_PART_open_quiet("D:\\parts\\other.prt", &b, &status), 0);
    UF_PART_free_load_status(&status);
    tag_t in_b = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_by_name_and_type(b, "E1", UF_solid_type, false, &in_b), 0);
    ASSERT_NE(in_b, NULL_TAG);
    EXPECT_NE(in_b, a_first) << "each part has its own names";

    tag_t cursor = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_objs_in_part(a, UF_solid_type, &cursor), 0);
    ASSERT_EQ(UF_PART_close(b, 0, 1), 0);
    EXPECT_EQ(UF_OBJ_ask_status(in_b), UF_OBJ_DELETED);
    Names rest;
    while (UF_OBJ_cycle_objs_in_part(a, UF_solid_type, &cursor) == 0 && cursor != NULL_TAG)
        rest.push_back(name_of(cursor));
    EXPECT_EQ(rest, (Names{"E2", "E3"}));
    tag_t again = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_by_name("E1", &again), 0);
    EXPECT_EQ(again, a_first) << "the work part's E1, not the closed part's";
    ASSERT_EQ(UF_OBJ_cycle_by_name("E1", &again), 0);
    EXPECT_EQ(again, NULL_TAG);

    // The closed part's tag is dead: its cycles are refused, not answered from what was indexed.
    tag_t stale = NULL_TAG;
    EXPECT_EQ(UF_OBJ_cycle_objs_in_part(b, UF_solid_type, &stale), nxhost::kBadTag);
    EXPECT_EQ(UF_OBJ_cycle_by_name_and_type(b, "F2", UF_solid_type, false, &stale), nxhost::kBadTag);
    EXPECT_EQ(stale, NULL_TAG);
    end_with_misuse(2);
}

TEST_F(ObjectIndexTest, ACursorOfAnotherPartIsRefused) {
    const tag_t a = load_boxes({"E1"});
    const tag_t a_body = body("E1");
    write_file("parts/other.prt", R"({"format":"nxhost-part/1","units":"mm","bodies":[)"
                                  R"({"name":"E1","shape":{"box":{"min":[0,0,0],"max":[1,1,1]}}}]})");
    tag_t b = NULL_TAG;
    UF_PART_load_status_t status;
    ASSERT_EQ(UF_PART_open_quiet("D:\\parts\\other.prt", &b, &status), 0);
    UF_PART_free_load_status(&status);
    ASSERT_NE(a, b);
    tag_t cursor = a_body;
    EXPECT_EQ(UF_OBJ_cycle_objs_in_part(b, UF_solid_type, &cursor), nxhost::kBadTag);
    EXPECT_EQ(cursor, NULL_TAG);
    end_with_misuse(1);
}

TEST_F(ObjectIndexTest, ASavedAndReloadedPartCyclesAsBefore) {
    const tag_t part = load_boxes({"E1", "E2", "E1"});
    ASSERT_EQ(UF_OBJ_set_name(body("E2"), "E1"), 0);
    const Names before = cycle_bodies(part, [](int, tag_t) {});
    ASSERT_EQ(UF_PART_save(), 0);
    ASSERT_EQ(UF_PART_close_all(), 0);
    tag_t again = NULL_TAG;
    UF_PART_load_status_t status;
    ASSERT_EQ(UF_PART_open("D:\\parts\\boxes.prt", &again, &status), 0);
    UF_PART_free_load_status(&status);
    EXPECT_EQ(cycle_bodies(again, [](int, tag_t) {}), before);
    EXPECT_EQ(cycle_named("E1", [](int, tag_t) {}).size(), 3u);
}

class CamNamesTest : public CamTest {};

// NX names a new object after its template and, when that name is taken, adds the lowest number
// not in use: a number given up by a deletion or a rename is used again.
TEST_F(CamNamesTest, ObjectsFromOneTemplateTakeTheLowestFreeNumber) {
    tt_part();
    auto create = [] {
        tag_t oper = NULL_TAG;
        EXPECT_EQ(UF_OPER_create(const_cast<char *>("mill_contour"), const_cast<char *>("CAVITY_MILL"), &oper), 0);
        return oper;
    };
    std::vector<tag_t> made;
    for (int i = 0; i < 4; ++i) made.push_back(create());
    Names names;
    for (tag_t t : made) names.push_back(name_of(t));
    EXPECT_EQ(names, (Names{"CAVITY_MILL", "CAVITY_MILL_1", "CAVITY_MILL_2", "CAVITY_MILL_3"}));

    struct Step {
        const char *what;
        std::function<void()> change;
        const char *next;
    };
    const Step steps[] = {
        {"nothing given up", [] {}, "CAVITY_MILL_4"},
        {"a number deleted", [&] { ASSERT_EQ(UF_OBJ_delete_object(made[2]), 0); }, "CAVITY_MILL_2"},
        {"a number renamed away", [&] { ASSERT_EQ(UF_OBJ_set_name(made[1], "ROUGH"), 0); }, "CAVITY_MILL_1"},
        {"the template's own name given up", [&] { ASSERT_EQ(UF_OBJ_set_name(made[0], "FIRST"), 0); }, "CAVITY_MILL"},
        {"a number taken by a rename", [&] { ASSERT_EQ(UF_OBJ_set_name(made[3], "CAVITY_MILL_5"), 0); },
         "CAVITY_MILL_3"},
        {"numbers up to the renamed one taken", [] {}, "CAVITY_MILL_6"},
        {"a name that only looks numbered given up", [&] { ASSERT_EQ(UF_OBJ_set_name(made[0], "CAVITY_MILL_01"), 0); },
         "CAVITY_MILL_7"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        s.change();
        const tag_t next = create();
        EXPECT_EQ(name_of(next), s.next);
        made.push_back(next);
    }
}

TEST_F(CamNamesTest, TheSetupAndTemplatesOfAPartAreFoundAfterTheyChange) {
    const tag_t part = tt_part();
    tag_t setup = NULL_TAG;
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    EXPECT_NE(setup, NULL_TAG);
    ASSERT_EQ(UF_SETUP_delete_setup(), 0);
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    EXPECT_EQ(setup, NULL_TAG) << "a deleted setup is not found";
    ASSERT_EQ(UF_SETUP_create(part, "TT"), 0);
    ASSERT_EQ(UF_SETUP_ask_setup(&setup), 0);
    EXPECT_NE(setup, NULL_TAG);
    tag_t oper = NULL_TAG;
    EXPECT_EQ(UF_OPER_create(const_cast<char *>("mill_contour"), const_cast<char *>("cavity_mill"), &oper),
              nxhost::cam::kUnknownTemplate)
        << "template names are exact";
    EXPECT_EQ(UF_OPER_create(const_cast<char *>("mill_contour"), const_cast<char *>("CAVITY_MILL"), &oper), 0);
}

}  // namespace
