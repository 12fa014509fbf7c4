// UF_PART_* and UF_ASSEM_* as the add-on calls them: open, names, display and work part, close.
#include <cstring>

#include "nxhost/core/guard.h"
#include "parts_fixture.h"
#include "uf.h"
#include "uf_assem.h"
#include "uf_part.h"

namespace {

class PartApiTest : public PartsTest {
protected:
    // One-box parts D:\parts\a.prt and b.prt, not loaded.
    void SetUp() override {
        PartsTest::SetUp();
        for (const char *file : {"parts/a.prt", "parts/b.prt"}) write_file(file, part_text(body_text("E1", kUnitBox)));
    }
    tag_t open(const std::string &name) {
        tag_t part = NULL_TAG;
        UF_PART_load_status_t status;
        EXPECT_EQ(UF_PART_open(name.c_str(), &part, &status), 0) << nxhost::last_load_error();
        EXPECT_FALSE(status.failed);
        EXPECT_EQ(status.n_parts, 0);
        UF_PART_free_load_status(&status);
        return part;
    }
};

TEST_F(PartApiTest, OpenMakesThePartDisplayAndWorkPartFoundByFullNameOrFileName) {
    EXPECT_EQ(UF_PART_ask_display_part(), NULL_TAG);
    tag_t part = open("D:\\parts\\a.prt");
    ASSERT_NE(part, NULL_TAG);
    EXPECT_EQ(UF_PART_ask_display_part(), part);
    EXPECT_EQ(UF_ASSEM_ask_work_part(), part);
    char name[MAX_FSPEC_BUFSIZE];
    ASSERT_EQ(UF_PART_ask_part_name(part, name), 0);
    EXPECT_STREQ(name, "D:\\parts\\a.prt");
    EXPECT_EQ(open("D:\\parts\\a.prt"), part) << "opening a loaded part gives the loaded one";
    EXPECT_EQ(nxhost::loaded_parts().size(), 1u);

    struct Case { const char *name; int loaded; } cases[] = {
        {"D:\\parts\\a.prt", 1}, {"d:\\PARTS\\A.PRT", 1}, {"D:/parts/a.prt", 1}, {"a.prt", 1}, {"a", 1},
        {"A.prt", 1},           {"b.prt", 0},          {"D:\\other\\a.prt", 0}, {"", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UF_PART_is_loaded(c.name), c.loaded);
        EXPECT_EQ(UF_PART_ask_part_tag(c.name), c.loaded ? part : NULL_TAG);
    }
}

TEST_F(PartApiTest, DisplayAndWorkPartFollowQuietOpensDisplayChangesAndCloses) {
    tag_t a = open("D:\\parts\\a.prt");
    tag_t b = NULL_TAG;
    UF_PART_load_status_t status;
    ASSERT_EQ(UF_PART_open_quiet("D:\\parts\\b.prt", &b, &status), 0);
    UF_PART_free_load_status(&status);
    EXPECT_NE(b, NULL_TAG);
    EXPECT_EQ(UF_PART_ask_display_part(), a) << "a quiet open leaves the display part alone";
    EXPECT_EQ(UF_ASSEM_ask_work_part(), a);

    ASSERT_EQ(UF_PART_set_display_part(b), 0);
    EXPECT_EQ(UF_PART_ask_display_part(), b);
    EXPECT_EQ(UF_ASSEM_ask_work_part(), b);
    EXPECT_EQ(UF_ASSEM_set_work_part(NULL_TAG), 0);
    EXPECT_EQ(UF_ASSEM_ask_work_part(), b);

    nxhost::store().mark_modified(b);
    EXPECT_EQ(UF_PART_close(b, 0, 2), 1) << "closing only if unmodified keeps a modified part";
    EXPECT_EQ(UF_PART_is_loaded("b.prt"), 1);
    EXPECT_FALSE(nxhost::store().in_part(b).empty());
    ASSERT_EQ(UF_PART_close(b, 0, 1), 0);
    EXPECT_EQ(UF_PART_ask_display_part(), a) << "closing the display part shows the previous one again";
    EXPECT_EQ(UF_ASSEM_ask_work_part(), a);
    EXPECT_EQ(UF_PART_is_loaded("b.prt"), 0);
    EXPECT_TRUE(nxhost::store().in_part(b).empty()) << "its bodies went with it";
    ASSERT_EQ(UF_PART_close_all(), 0);
    EXPECT_EQ(UF_PART_ask_display_part(), NULL_TAG);
    EXPECT_TRUE(nxhost::loaded_parts().empty());
}

TEST_F(PartApiTest, LoadPartMakesOnlyTheFirstPartTheDisplayPart) {
    std::string error;
    tag_t a = nxhost::load_part("D:\\parts\\a.prt", &error);
    tag_t b = nxhost::load_part(drive_dir() + "/parts/b.prt", &error);
    EXPECT_EQ(nxhost::display_part(), a);
    EXPECT_EQ(nxhost::part_name(b), drive_dir() + "/parts/b.prt") << "a host path names the part as given";
    EXPECT_EQ(nxhost::loaded_parts(), (std::vector<tag_t>{a, b}));
    EXPECT_EQ(nxhost::load_part(drive_dir() + "/parts/a.prt", &error), a) << "the same file is the same part";
}

TEST_F(PartApiTest, AnOpenThatTheHostFailsStillLeavesAStatusSafeToFree) {
    nxhost::fail_call_number(1);
    tag_t part = 77;
    UF_PART_load_status_t status;
    std::memset(&status, 0xAB, sizeof status);
    EXPECT_EQ(UF_PART_open("D:\\parts\\a.prt", &part, &status), nxhost::kInjectedFailure);
    EXPECT_EQ(part, NULL_TAG);
    EXPECT_TRUE(status.failed);
    EXPECT_EQ(status.n_parts, 0);
    EXPECT_EQ(UF_PART_free_load_status(&status), 0);
    EXPECT_TRUE(nxhost::loaded_parts().empty());
}

TEST_F(PartApiTest, UfPartSaveWithoutAWorkPartFails) { EXPECT_EQ(UF_PART_save(), 1105015); }

TEST_F(PartApiTest, WrongKindTagsGiveAnErrorCodeAndAMisuseLine) {
    expect_clean_session_ = false;
    tag_t part = open("D:\\parts\\a.prt");
    tag_t body = bodies(part).front();
    char name[MAX_FSPEC_BUFSIZE];
    struct Case { const char *call; int rc; } cases[] = {
        {"UF_PART_ask_part_name", UF_PART_ask_part_name(body, name)},
        {"UF_PART_set_display_part", UF_PART_set_display_part(body)},
        {"UF_PART_close", UF_PART_close(body, 0, 1)},
        {"UF_PART_ask_part_name", UF_PART_ask_part_name(12345, name)},
    };
    ASSERT_EQ(nxhost::misuse_lines().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].call);
        EXPECT_EQ(cases[i].rc, nxhost::kBadTag);
        EXPECT_EQ(nxhost::misuse_lines()[i].rfind(std::string(cases[i].call) + ": ", 0), 0u)
            << nxhost::misuse_lines()[i];
    }
    EXPECT_EQ(UF_PART_ask_display_part(), part) << "nothing changed";
    EXPECT_EQ(UF_terminate(), 0);
}

}  // namespace
