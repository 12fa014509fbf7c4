// Drafting in part files: notes, added fonts and changed preferences saved and loaded again as
// they were, engraving operations finding their notes again whatever the order of the sections,
// a part without drafting saved without the section, and malformed sections refused with a place.
#include <sstream>
#include <string>
#include <vector>

#include "cam_fixture.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/objects/store.h"
#include "parts_fixture.h"
#include "uf_camtext.h"
#include "uf_csys.h"
#include "uf_drf.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_ugfont.h"

namespace {

namespace drafting = nxhost::drafting;

// The note lines of `nxhost tree`.
std::vector<std::string> note_lines(tag_t part) {
    std::ostringstream out;
    nxhost::print_part_tree(out, part);
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("note ", 0) == 0) lines.push_back(line);
    return lines;
}

std::vector<std::string> fonts_of(tag_t part) { return drafting::font_table_payload(part)->fonts; }

class DraftingFileTest : public CamTest {
protected:
    tag_t note(const char *text, const double origin[3], int orientation = 0) {
        std::string line = text;
        char *lines[] = {line.data()};
        double at[3] = {origin[0], origin[1], origin[2]};
        tag_t made = NULL_TAG;
        EXPECT_EQ(UF_DRF_create_note(1, lines, at, orientation, &made), 0);
        return made;
    }

    tag_t reload(tag_t part, const std::string &file) {
        std::string error;
        EXPECT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/" + file, &error)) << error;
        const tag_t again = nxhost::load_part("D:\\parts\\" + file, &error);
        EXPECT_NE(again, NULL_TAG) << error;
        return again;
    }
};

TEST_F(DraftingFileTest, NotesFontsAndPreferencesReloadAsTheyWereAndTheEngravingFindsItsNotes) {
    const tag_t part = tt_part(R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[20,20,10]}}}])");
    tag_t fte = NULL_TAG;
    ASSERT_EQ(UF_OBJ_cycle_objs_in_part(part, UF_font_table_type, &fte), 0);
    int leroy = 0;
    char leroy_name[] = "leroy";
    ASSERT_EQ(UF_UGFONT_add_font(fte, &leroy, leroy_name), 0);
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    lettering.general_text.size = 2.5;
    lettering.general_text.aspect_ratio = 0.7;
    lettering.general_text.cfw.font = leroy;
    lettering.angle = 270.0;
    lettering.align_position = UF_DRF_ALIGN_MID_CENTER;
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);
    const double first_at[3] = {10, 3, 10}, second_at[3] = {2, 10, 10};
    const tag_t first = note("E1-R 0.150", first_at);
    lettering.general_text.cfw.font = 1;
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);
    const tag_t second = note("E1", second_at, 1);
    ASSERT_EQ(UF_OBJ_set_name(second, "SIDE"), 0);
    ASSERT_EQ(UF_OBJ_set_layer(second, 5), 0);
    const tag_t engrave = made(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    tag_t notes[] = {first, second};
    ASSERT_EQ(UF_PARAM_set_int_value(engrave, UF_PARAM_DRIVE_METHOD, UF_PARAM_dpm_type_text), 0);
    ASSERT_EQ(UF_CAMTEXT_append_items(engrave, 2, notes), 0);
    ASSERT_EQ(UF_OBJ_set_name(engrave, "FIX_TEXT-R1"), 0);
    const std::vector<std::string> expected = {
        "note \"E1-R 0.150\" origin [10,3,10] angle 270 size 2.5 font leroy",
        "note SIDE \"E1\" origin [2,10,10] angle 270 size 2.5 font blockfont vertical  layer 5"};
    ASSERT_EQ(note_lines(part), expected);

    const tag_t again = reload(part, "saved.prt");
    EXPECT_EQ(note_lines(again), expected);
    EXPECT_EQ(fonts_of(again), (std::vector<std::string>{"blockfont", "leroy"}));
    nxhost::set_display_part(again);
    UF_DRF_lettering_preferences_t reloaded;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&reloaded), 0);
    EXPECT_EQ(reloaded.general_text.size, 2.5);
    EXPECT_EQ(reloaded.general_text.aspect_ratio, 0.7);
    EXPECT_EQ(reloaded.general_text.cfw.font, 1);
    EXPECT_EQ(reloaded.angle, 270.0);
    EXPECT_EQ(reloaded.align_position, UF_DRF_ALIGN_MID_CENTER);
    EXPECT_EQ(reloaded.dimension_text.size, 3.5) << "what was never changed keeps its default";
    const drafting::NotePayload *kept = drafting::note_of(nxhost::store().in_part(again, UF_drafting_entity_type)[0]);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->lettering.aspect_ratio, 0.7);
    EXPECT_EQ(kept->align_position, UF_DRF_ALIGN_MID_CENTER);

    // The engraving's text items are the reloaded notes, also when the CAM tree comes first in the file.
    nlohmann::ordered_json doc = nlohmann::ordered_json::parse(read_file("parts/saved.prt"));
    nlohmann::ordered_json reordered;
    for (const char *key : {"format", "units", "cam", "drafting", "bodies"}) reordered[key] = doc[key];
    write_file("parts/reordered.prt", reordered.dump(1));
    std::string error;
    const tag_t third = nxhost::load_part("D:\\parts\\reordered.prt", &error);
    ASSERT_NE(third, NULL_TAG) << error;
    for (tag_t loaded : {again, third}) {
        nxhost::set_display_part(loaded);
        tag_t oper = NULL_TAG;
        ASSERT_EQ(UF_OBJ_cycle_by_name("FIX_TEXT-R1", &oper), 0);
        int count = 0;
        UF_CAMTEXT_item_t *items = nullptr;
        ASSERT_EQ(UF_CAMTEXT_ask_items(oper, &count, &items), 0);
        ASSERT_EQ(count, 2);
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i) {
            tag_t entity = NULL_TAG;
            ASSERT_EQ(UF_CAMTEXT_ask_item_entity(items[i], &entity), 0);
            ASSERT_NE(drafting::note_of(entity), nullptr);
            texts.push_back(drafting::note_of(entity)->lines[0]);
        }
        UF_free(items);
        EXPECT_EQ(texts, (std::vector<std::string>{"E1-R 0.150", "E1"}));
    }
}

TEST_F(DraftingFileTest, APartWithoutNotesOrChangedDraftingIsSavedWithoutTheSection) {
    const tag_t part = tt_part(R"([{"name":"E1","shape":{"box":{"min":[0,0,0],"max":[20,20,10]}}}])");
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);
    reload(part, "plain.prt");
    EXPECT_FALSE(nlohmann::json::parse(read_file("parts/plain.prt")).contains("drafting"));
}

class DraftingSectionErrors : public PartsTest {};

TEST_F(DraftingSectionErrors, AreRefusedWithTheirPlace) {
    const struct {
        const char *section, *error;
    } cases[] = {
        {R"({"fonts":["leroy"]})", "drafting: fonts: expected a list of font names that starts with \"blockfont\""},
        {R"({"fonts":["blockfont","arial"]})", "drafting: fonts[1]: \"arial\" is no installed font"},
        {R"({"fonts":["blockfont","leroy","leroy"]})", "drafting: fonts[2]"},
        {R"({"notes":[{"text":["A"]}]})", "drafting: notes[0]: missing \"origin\""},
        {R"({"notes":[{"text":[],"origin":[0,0,0]}]})", "drafting: notes[0].text: expected 1 to 100 lines"},
        {R"({"notes":[{"text":["A"],"origin":[0,0,0],"font":"arial"}]})", "drafting: notes[0].font: NX has no font"},
        {R"({"notes":[{"text":["A"],"origin":[0,0,0],"x":[1,1,0]}]})", "drafting: notes[0]: \"x\" and \"y\" must be unit"},
        {R"({"notes":[{"text":["A"],"origin":[0,0,0],"size":0}]})", "drafting: notes[0]: general_text.size must be above 0"},
        {R"({"notes":[{"text":["A"],"origin":[0,0,0],"layer":300}]})", "drafting: notes[0].layer: expected 1 to 256"},
        {R"({"preferences":{"general_text":{"font":3}}})", "drafting: preferences: general_text.cfw.font 3 is no font"},
        {R"({"preferences":{"colour":1}})", "drafting: preferences.colour: unknown key"},
        {R"({"sheets":[]})", "drafting: sheets: unknown key"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.section);
        const std::string error = load_error(part_text("", "mm", std::string("\"drafting\":") + c.section));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

}  // namespace
