// Drafting in the stand-in: every part's font table and the NX fonts it takes, the drafting
// preferences as arrays and as lettering, notes placed by the WCS with the lettering in force, and
// points mapped between absolute and WCS coordinates.
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "standin_test.h"
#include "uf.h"
#include "uf_csys.h"
#include "uf_drf.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_ugfont.h"

namespace {

namespace drafting = nxhost::drafting;
using Point = std::array<double, 3>;

class DraftingTest : public testsupport::StandinTest {
protected:
    tag_t open(const std::string &units = "mm") {
        write_file("parts/d.prt", R"({"format":"nxhost-part/1","units":")" + units +
                                      R"(","bodies":[{"name":"B","shape":{"box":{"min":[0,0,0],"max":[10,10,10]}}}]})");
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\d.prt", &error);
        EXPECT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
        return part;
    }

    static tag_t font_table(tag_t part) {
        tag_t fte = NULL_TAG;
        EXPECT_EQ(UF_OBJ_cycle_objs_in_part(part, UF_font_table_type, &fte), 0);
        return fte;
    }

    static std::string font_name(tag_t fte, int index) {
        char *name = nullptr;
        if (UF_UGFONT_ask_font_name(fte, index, &name) != 0) return "<refused>";
        std::string copy = name;
        UF_free(name);
        return copy;
    }

    // A WCS at origin turned about Z so that its X axis is the absolute Y axis.
    static void turn_wcs(const Point &origin) {
        const double axes[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
        tag_t matrix = NULL_TAG, csys = NULL_TAG;
        ASSERT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
        ASSERT_EQ(UF_CSYS_create_temp_csys(origin.data(), matrix, &csys), 0);
        ASSERT_EQ(UF_CSYS_set_wcs(csys), 0);
    }

    static tag_t note(const std::vector<std::string> &lines, Point origin, int orientation = 0) {
        std::vector<std::vector<char>> buffers;
        std::vector<char *> pointers;
        for (const std::string &line : lines) buffers.emplace_back(line.begin(), line.end()), buffers.back().push_back('\0');
        for (auto &b : buffers) pointers.push_back(b.data());
        tag_t made = NULL_TAG;
        EXPECT_EQ(UF_DRF_create_note(static_cast<int>(lines.size()), pointers.data(), origin.data(), orientation, &made), 0);
        return made;
    }

    // Ends a test that provoked misuse on purpose: that many lines, nothing else left behind.
    void expect_misuse_count(std::size_t count) {
        expect_clean_session_ = false;
        EXPECT_EQ(nxhost::misuse_lines().size(), count);
        for (const std::string &line : nxhost::misuse_lines()) SCOPED_TRACE(line);
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
        EXPECT_EQ(UF_terminate(), 0);
    }
};

TEST_F(DraftingTest, EveryPartHasOneFontTableThatTakesOnlyInstalledFonts) {
    const tag_t part = open();
    const tag_t fte = font_table(part);
    ASSERT_NE(fte, NULL_TAG);
    tag_t next = fte;
    ASSERT_EQ(UF_OBJ_cycle_objs_in_part(part, UF_font_table_type, &next), 0);
    EXPECT_EQ(next, NULL_TAG) << "one table a part";
    EXPECT_FALSE(nxhost::store().is_modified(part)) << "the table comes with the part";
    EXPECT_EQ(font_name(fte, 1), "blockfont");

    const struct {
        const char *font;
        int code, index;
    } cases[] = {
        {"leroy", 0, 2}, {"chinesef_fs", 0, 3}, {"leroy", 0, 2}, {"blockfont", 0, 1},
        {"arial", drafting::kUnknownFont, 0}, {"Leroy", drafting::kUnknownFont, 0}, {"", drafting::kUnknownFont, 0},
        {"blockfont_extra_long", drafting::kUnknownFont, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.font);
        std::vector<char> name(c.font, c.font + std::strlen(c.font) + 1);
        int index = -1;
        EXPECT_EQ(UF_UGFONT_add_font(fte, &index, name.data()), c.code);
        EXPECT_EQ(index, c.index);
    }
    EXPECT_EQ(font_name(fte, 2), "leroy");
    EXPECT_EQ(font_name(fte, 3), "chinesef_fs");
    EXPECT_EQ(font_name(fte, 0), "<refused>");
    EXPECT_EQ(font_name(fte, 4), "<refused>");
    EXPECT_EQ(UF_OBJ_delete_object(fte), drafting::kTableKept);
    EXPECT_EQ(font_table(part), fte);
    expect_misuse_count(4 + 2 + 1);
}

TEST_F(DraftingTest, ArraysAndLetteringAreTwoViewsOfTheSamePreferences) {
    const tag_t part = open();
    int mpi[100];
    double mpr[70];
    char radius[27], diameter[27];
    ASSERT_EQ(UF_DRF_ask_preferences(mpi, mpr, radius, diameter), 0);
    EXPECT_EQ(mpi[88], 1) << "notes in blockfont";
    EXPECT_EQ(mpr[44], 3.5);
    EXPECT_EQ(mpi[26], 1);
    EXPECT_STREQ(radius, "R");

    int leroy = 0;
    char name[] = "leroy";
    ASSERT_EQ(UF_UGFONT_add_font(font_table(part), &leroy, name), 0);
    mpi[88] = leroy;
    mpr[44] = 5.0;
    ASSERT_EQ(UF_DRF_set_preferences(mpi, mpr, radius, diameter), 0);
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    EXPECT_EQ(lettering.general_text.cfw.font, leroy);
    EXPECT_EQ(lettering.general_text.size, 5.0);
    EXPECT_EQ(lettering.dimension_text.size, 3.5) << "other kinds of text unchanged";
    EXPECT_EQ(lettering.align_position, UF_DRF_ALIGN_MID_LEFT);

    lettering.tolerance_text.cfw.color = 4;
    lettering.angle = 30.0;
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);
    ASSERT_EQ(UF_DRF_ask_preferences(mpi, mpr, radius, diameter), 0);
    EXPECT_EQ(mpi[81], 4) << "tolerance text colour";
    UF_DRF_lettering_preferences_t again;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&again), 0);
    EXPECT_EQ(again.angle, 30.0);
}

TEST_F(DraftingTest, PreferencesOutOfRangeOrNotModelledAreRefusedAndLeftAsTheyWere) {
    open();
    int mpi[100];
    double mpr[70];
    char radius[27], diameter[27];
    ASSERT_EQ(UF_DRF_ask_preferences(mpi, mpr, radius, diameter), 0);
    const struct {
        const char *what;
        int mpi_index, mpi_value, mpr_index;
        double mpr_value;
    } arrays[] = {
        {"note font 9 is no font of the table", 88, 9, -1, 0},
        {"character font 0", 26, 0, -1, 0},
        {"note text size 0", -1, 0, 44, 0.0},
        {"an entry the stand-in does not model", 10, 1, -1, 0},
        {"a real entry it does not model", -1, 0, 3, 2.0},
        {"a density that is no width", 89, 4, -1, 0},
    };
    for (const auto &c : arrays) {
        SCOPED_TRACE(c.what);
        int changed_mpi[100];
        double changed_mpr[70];
        std::memcpy(changed_mpi, mpi, sizeof mpi);
        std::memcpy(changed_mpr, mpr, sizeof mpr);
        if (c.mpi_index >= 0) changed_mpi[c.mpi_index] = c.mpi_value;
        if (c.mpr_index >= 0) changed_mpr[c.mpr_index] = c.mpr_value;
        EXPECT_EQ(UF_DRF_set_preferences(changed_mpi, changed_mpr, radius, diameter), drafting::kBadPreference);
    }
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    const struct {
        const char *what;
        void (*change)(UF_DRF_lettering_preferences_t *);
    } records[] = {
        {"align position 10", [](UF_DRF_lettering_preferences_t *l) { l->align_position = static_cast<UF_DRF_align_position_t>(10); }},
        {"aspect ratio 0", [](UF_DRF_lettering_preferences_t *l) { l->general_text.aspect_ratio = 0.0; }},
        {"width 5", [](UF_DRF_lettering_preferences_t *l) { l->appended_text.cfw.width = static_cast<UF_DRF_line_width_t>(5); }},
        {"font 2 of a one-font table", [](UF_DRF_lettering_preferences_t *l) { l->general_text.cfw.font = 2; }},
        {"a negative line space factor", [](UF_DRF_lettering_preferences_t *l) { l->dimension_text.line_space_factor = -1; }},
    };
    for (const auto &c : records) {
        SCOPED_TRACE(c.what);
        UF_DRF_lettering_preferences_t changed = lettering;
        c.change(&changed);
        EXPECT_EQ(UF_DRF_set_lettering_preferences(&changed), drafting::kBadPreference);
    }
    int now_mpi[100];
    double now_mpr[70];
    ASSERT_EQ(UF_DRF_ask_preferences(now_mpi, now_mpr, radius, diameter), 0);
    EXPECT_EQ(std::memcmp(now_mpi, mpi, sizeof mpi), 0);
    EXPECT_EQ(std::memcmp(now_mpr, mpr, sizeof mpr), 0);
    expect_misuse_count(std::size(arrays) + std::size(records));
}

TEST_F(DraftingTest, APartInMetresHasItsTextSizesInMetres) {
    open("m");
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    EXPECT_DOUBLE_EQ(lettering.general_text.size, 0.0035);
}

TEST_F(DraftingTest, ANoteLiesInTheWcsWithTheLetteringInForce) {
    const tag_t part = open();
    turn_wcs({10, 20, 30});
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    int leroy = 0;
    char name[] = "leroy";
    ASSERT_EQ(UF_UGFONT_add_font(font_table(part), &leroy, name), 0);
    lettering.general_text.size = 2.5;
    lettering.general_text.cfw.font = leroy;
    lettering.general_text.aspect_ratio = 0.7;
    lettering.angle = 90.0;
    lettering.align_position = UF_DRF_ALIGN_MID_CENTER;
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);

    const tag_t made = note({"E1-R", "0.150"}, {1, 2, 3});
    int type = 0, subtype = 0;
    ASSERT_EQ(UF_OBJ_ask_type_and_subtype(made, &type, &subtype), 0);
    EXPECT_EQ(type, UF_drafting_entity_type);
    EXPECT_EQ(subtype, UF_draft_note_subtype);
    const drafting::NotePayload *n = drafting::note_of(made);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->origin, (Point{8, 21, 33})) << "WCS (1, 2, 3) is absolute (10 - 2, 20 + 1, 30 + 3)";
    EXPECT_EQ(n->x_axis, (Point{0, 1, 0}));
    EXPECT_EQ(n->lettering.aspect_ratio, 0.7);
    EXPECT_EQ(n->align_position, UF_DRF_ALIGN_MID_CENTER);
    EXPECT_EQ(drafting::note_tree_line(*nxhost::store().find(made)),
              "note \"E1-R | 0.150\" origin [8,21,33] angle 90 size 2.5 font leroy");

    lettering.general_text.size = 4.0;
    lettering.angle = 0.0;
    ASSERT_EQ(UF_DRF_set_lettering_preferences(&lettering), 0);
    EXPECT_EQ(drafting::note_of(made)->lettering.size, 2.5) << "a note keeps the lettering it was made with";
    const tag_t upright = note({"V"}, {0, 0, 0}, 1);
    ASSERT_EQ(UF_OBJ_set_name(upright, "UP"), 0);
    EXPECT_EQ(drafting::note_tree_line(*nxhost::store().find(upright)),
              "note UP \"V\" origin [10,20,30] angle 0 size 4 font leroy vertical");
}

TEST_F(DraftingTest, NotesWithoutTextOrOfBadShapeAreRefused) {
    open();
    char line[] = "E1", empty[] = "";
    std::string long_text(133, 'x');
    std::vector<char> long_line(long_text.begin(), long_text.end());
    long_line.push_back('\0');
    double origin[3] = {0, 0, 0};
    const struct {
        const char *what;
        int count;
        std::vector<char *> lines;
        int orientation, code;
    } cases[] = {
        {"no line", 0, {line}, 0, drafting::kBadNoteText},
        {"101 lines", 101, std::vector<char *>(101, line), 0, drafting::kBadNoteText},
        {"a null line", 2, {line, nullptr}, 0, drafting::kBadNoteText},
        {"a line of 133 characters", 1, {long_line.data()}, 0, drafting::kBadNoteText},
        {"only empty lines", 2, {empty, empty}, 0, drafting::kBadNoteText},
        {"orientation 2", 1, {line}, 2, nxhost::kBadArgument},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        tag_t made = 99;
        std::vector<char *> lines = c.lines;
        EXPECT_EQ(UF_DRF_create_note(c.count, lines.data(), origin, c.orientation, &made), c.code);
        EXPECT_EQ(made, NULL_TAG);
    }
    tag_t made = NULL_TAG;
    char *one[] = {line};
    EXPECT_EQ(UF_DRF_create_note(1, one, nullptr, 0, &made), nxhost::kBadArgument);
    EXPECT_EQ(nxhost::store().in_part(nxhost::work_part(), UF_drafting_entity_type).size(), 0u);
    expect_misuse_count(std::size(cases));
}

TEST_F(DraftingTest, DraftingNeedsAWorkPart) {
    double origin[3] = {0, 0, 0};
    char line[] = "E1";
    char *lines[] = {line};
    tag_t made = NULL_TAG;
    EXPECT_NE(UF_DRF_create_note(1, lines, origin, 0, &made), 0);
    UF_DRF_lettering_preferences_t lettering;
    EXPECT_NE(UF_DRF_ask_lettering_preferences(&lettering), 0);
    double out[3];
    EXPECT_NE(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, origin, UF_CSYS_ROOT_WCS_COORDS, out), 0);
}

TEST_F(DraftingTest, MapPointGoesBetweenAbsoluteAndAMovedWcs) {
    open();
    turn_wcs({10, 20, 30});
    const struct {
        int from, to;
        Point in, out;
    } cases[] = {
        {UF_CSYS_ROOT_WCS_COORDS, UF_CSYS_ROOT_COORDS, {1, 2, 3}, {8, 21, 33}},
        {UF_CSYS_ROOT_WCS_COORDS, UF_CSYS_WORK_COORDS, {1, 2, 3}, {8, 21, 33}},
        {UF_CSYS_ROOT_COORDS, UF_CSYS_ROOT_WCS_COORDS, {8, 21, 33}, {1, 2, 3}},
        {UF_CSYS_WORK_COORDS, UF_CSYS_ROOT_WCS_COORDS, {10, 20, 30}, {0, 0, 0}},
        {UF_CSYS_ROOT_COORDS, UF_CSYS_WORK_COORDS, {5, 6, 7}, {5, 6, 7}},
        {UF_CSYS_ROOT_WCS_COORDS, UF_CSYS_ROOT_WCS_COORDS, {5, 6, 7}, {5, 6, 7}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        Point in = c.in, out{};
        ASSERT_EQ(UF_CSYS_map_point(c.from, in.data(), c.to, out.data()), 0);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(out[k], c.out[k], 1e-12) << "xyz"[k];
    }
    double in[3] = {1, 2, 3}, out[3];
    EXPECT_EQ(UF_CSYS_map_point(0, in, UF_CSYS_ROOT_COORDS, out), UF_CSYS_ERR_INVALID_COORDS);
    EXPECT_EQ(UF_CSYS_map_point(UF_CSYS_ROOT_COORDS, in, 4, out), UF_CSYS_ERR_INVALID_COORDS);
    char message[133] = "";
    EXPECT_EQ(UF_get_fail_message(UF_CSYS_ERR_INVALID_COORDS, message), 0);
    EXPECT_STRNE(message, "");
}

}  // namespace
