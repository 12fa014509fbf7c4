// What the add-on shows, and questions answered by the scenario script.
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/objects/store.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/transcript.h"
#include "part_fixture.h"
#include "uf.h"
#include "uf_ui.h"

namespace {

using UiTest = PartTest;

char *text(const char *t) { return const_cast<char *>(t); }

TEST_F(UiTest, MessagesListingPromptAndStatusAreRecordedInOrder) {
    uc1601("message box", 1);
    uc1601("status via uc1601", 0);
    UF_UI_set_prompt(text("Select electrodes"));
    UF_UI_set_status(text("working"));
    ASSERT_EQ(UF_UI_open_listing_window(), 0);
    UF_UI_write_listing_window("line one\nline two\n");
    std::vector<std::string> lines;
    for (const nxhost::TranscriptEntry &e : nxhost::transcript()) lines.push_back(nxhost::transcript_line(e));
    EXPECT_EQ(lines, (std::vector<std::string>{"[message] message box", "[status] status via uc1601",
                                               "[prompt] Select electrodes", "[status] working",
                                               "[listing] line one", "[listing] line two"}));
}

TEST_F(UiTest, GbkTextIsShownAsUtf8) {
    uc1601("\xD5\xD2\xB2\xBB\xB5\xBD", 1);  // GBK bytes of a short Chinese phrase
    ASSERT_EQ(nxhost::transcript().size(), 1u);
    EXPECT_EQ(nxhost::transcript_line(nxhost::transcript()[0]), "[message] \xE6\x89\xBE\xE4\xB8\x8D\xE5\x88\xB0");
}

TEST_F(UiTest, WritingToAClosedListingWindowIsMisuse) {
    EXPECT_NE(UF_UI_write_listing_window("x\n"), 0);
    logical open = true;
    UF_UI_is_listing_window_open(&open);
    EXPECT_FALSE(open);
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u);
    expect_clean_session_ = false;
    UF_terminate();
}

struct SelectCase {
    const char *script;
    UF_UI_mask_t mask;
    int response;
    std::vector<std::string> picked;  // "E2" or "E2 face 3"
};

TEST_F(UiTest, SelectionsAreAnsweredByPickLines) {
    const SelectCase cases[] = {
        {"pick solids E2 E1", {70, 0, 36}, 3, {"E2", "E1"}},
        {"pick faces E1:0 E3:5", {71, 0, 0}, 3, {"E1 face 0", "E3 face 5"}},
        {"pick objects E3", {70, 0, 0}, 3, {"E3"}},
        {"pick faces E2 normal=+Z E1:1", {70, 2, 0}, 3, {"E2 face 5", "E1 face 1"}},
        {"cancel", {70, 0, 36}, 2, {}},
        {"back", {70, 0, 36}, 1, {}},
    };
    for (const SelectCase &c : cases) {
        SCOPED_TRACE(c.script);
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
        load_boxes({"E1", "E2", "E3"});
        play(c.script);
        UF_UI_mask_t mask = c.mask;
        UF_UI_selection_options_t opts{1, &mask, UF_UI_SEL_SCOPE_WORK_PART, 0, nullptr};
        int response = 0, count = -1;
        tag_t *objects = nullptr;
        ASSERT_EQ(UF_UI_select_by_class(text("Select"), &opts, &response, &count, &objects), 0);
        EXPECT_EQ(response, c.response);
        ASSERT_EQ(count, static_cast<int>(c.picked.size()));
        for (int i = 0; i < count; ++i) {
            const nxhost::Object *obj = nxhost::store().find(objects[i]);
            std::string what = obj->parent ? nxhost::store().find(obj->parent)->name + " face " +
                                                 std::to_string(obj->index)
                                           : obj->name;
            EXPECT_EQ(what, c.picked[static_cast<std::size_t>(i)]);
            EXPECT_TRUE(obj->highlighted);
        }
        UF_free(objects);
    }
}

TEST_F(UiTest, APickTheFilterOrThePartCannotGiveStopsTheScenario) {
    const char *wrong[][2] = {
        {"pick faces E1:0", "selection filter excludes it"},
        {"pick solids E9", "no body named E9"},
        {"pick faces E1:6", "E1 has no face 6"},
        {"pick faces E1 normal=+W", "normal=+W is not one of"},
        {"pick faces E1", "BODY:INDEX or BODY normal=AXIS"},
        {"point 1 2 3", "answers with 'point'"},
    };
    for (const auto &w : wrong) {
        SCOPED_TRACE(w[0]);
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
        load_boxes({"E1"});
        play(w[0]);
        UF_UI_mask_t mask{70, 0, 36};
        UF_UI_selection_options_t opts{1, &mask, UF_UI_SEL_SCOPE_WORK_PART, 0, nullptr};
        int response = 0, count = 0;
        tag_t *objects = nullptr;
        try {
            UF_UI_select_by_class(text("Select"), &opts, &response, &count, &objects);
            ADD_FAILURE() << "the scenario error was not raised";
        } catch (const nxhost::script::ScriptError &e) {
            EXPECT_NE(std::string(e.what()).find(w[1]), std::string::npos) << e.what();
        }
    }
}

TEST_F(UiTest, AQuestionWithoutAnAnswerNamesTheQuestion) {
    play("");
    int response = 0, count = 0;
    tag_t *objects = nullptr;
    try {
        UF_UI_select_by_class(text("Select electrodes"), nullptr, &response, &count, &objects);
        ADD_FAILURE() << "no error";
    } catch (const nxhost::script::ScriptError &e) {
        EXPECT_NE(std::string(e.what()).find("Select electrodes"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("no answer left"), std::string::npos) << e.what();
    }
}

TEST_F(UiTest, FileBoxAndPointAnswers) {
    play("filebox D:\\work\\a.prt\ncancel\npoint 1.5 -2 3e1\nback\n");
    char filter[MAX_FSPEC_BUFSIZE] = "*.prt";
    char filename[MAX_FSPEC_BUFSIZE];
    int response = 0;
    ASSERT_EQ(UF_UI_create_filebox(text("Pick"), text("Parts"), filter, text("D:\\a"), filename, &response), 0);
    EXPECT_EQ(response, UF_UI_OK);
    EXPECT_STREQ(filename, "D:\\work\\a.prt");
    ASSERT_EQ(UF_UI_create_filebox(text("Pick"), text("Parts"), filter, text("D:\\a"), filename, &response), 0);
    EXPECT_EQ(response, UF_UI_CANCEL);

    double point[3] = {0, 0, 0};
    int mode[2] = {0, 0};
    EXPECT_EQ(uc1616("Start point", mode, 0, point), 5);
    EXPECT_DOUBLE_EQ(point[0], 1.5);
    EXPECT_DOUBLE_EQ(point[1], -2.0);
    EXPECT_DOUBLE_EQ(point[2], 30.0);
    EXPECT_EQ(uc1616("Start point", mode, 0, point), 1);
}

}  // namespace
