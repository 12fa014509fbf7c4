// The electrode's name note on the sample electrodes: its text by the require keys and spark gaps,
// its side, angle and place on the top face inside the offsets for each direction and for an MCS
// looking up and down, its size held within the limits, and every way it is refused; the drafting
// font of the work part.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "my_func/geometry.h"
#include "my_func/my_func.h"
#include "my_func_cam/elec_name_note.h"
#include "my_func_cam/mcs_frame.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/drafting/drafting.h"
#include "nxhost/ui/transcript.h"
#include "setup_fixture.h"
#include "uf_csys.h"
#include "uf_drf.h"
#include "uf_obj.h"
#include "uf_param.h"
#include "uf_param_indices.h"

namespace {

namespace drafting = nxhost::drafting;
using Keys = std::map<std::string, std::string>;

// The name settings of the tests: the shipped ones without add texts and spark gap.
const Keys kBaseKeys = {
    {"path_elec_text_dir:", "1"},           {"path_elec_text_oper_edge_dis:", "1.0"},
    {"path_elec_text_close_edge_dis:", "0.5"}, {"path_elec_text_min_value:", "2.0"},
    {"path_elec_text_max_value:", "8.0"},    {"require_r_path_elec_add_text:", "0"},
    {"r_path_elec_add_text_is:", "-R"},      {"require_m_path_elec_add_text:", "0"},
    {"m_path_elec_add_text_is:", "M-"},      {"require_f_path_elec_add_text:", "0"},
    {"f_path_elec_add_text_is:", "-F"},      {"require_elec_space:", "0"},
    {"path_elec_text_ratio:", "0.7"},        {"elec_text_compensate_value:", "0.2"},
};

const double kLookingUp[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};     // class 101: faces STUB_ZP (code -1)
const double kLookingDown[9] = {1, 0, 0, 0, -1, 0, 0, 0, -1};  // class 201: faces STUB_ZM (code 1)

class ElecNameNoteTest : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        reset_elec_name_note_keys();
        open("electrode_shapes.prt", {"STUB_ZP", "STUB_ZM"});
        write_keys({});
    }
    void TearDown() override {
        reset_elec_name_note_keys();
        SetupTest::TearDown();
    }

    // config_cam.def with the base keys changed by `changes` (an empty value leaves a key out).
    void write_keys(const Keys &changes) {
        Keys keys = kBaseKeys;
        for (const auto &[key, value] : changes) keys[key] = value;
        std::string text = "Electrode name settings of the test.\n";
        for (const auto &[key, value] : keys)
            if (!value.empty()) text += key + " " + value + "\n";
        write_file("qz_conf/config_cam.def", text);
    }

    static tag_t csys(const double axes[9]) {
        const double origin[3] = {0, 0, 0};
        tag_t matrix = NULL_TAG, made = NULL_TAG;
        EXPECT_EQ(UF_CSYS_create_matrix(axes, &matrix), 0);
        EXPECT_EQ(UF_CSYS_create_csys(origin, matrix, &made), 0);
        return made;
    }

    static void analyse(const char *name, elec_cam_data *record) {
        ASSERT_EQ(analy_elec_data_cam(body(name), record, ELEC_MODE_EDGE), 1) << name;
        ASSERT_FALSE(record->use_whole_body) << name;
    }

    // The note of an electrode facing `axes`, or NULL_TAG when none was made.
    static tag_t name_note(const char *name, const double axes[9], double radius = 0.5, int kind = 0) {
        elec_cam_data record;
        analyse(name, &record);
        tag_t note = 99;
        const int made = create_path_elec_name_note(&record, csys(axes), radius, &note, kind);
        EXPECT_EQ(made == 1, note != NULL_TAG) << "a result of 1 goes with a note, 0 with none";
        return note;
    }

    // The planar face of a body whose normal is +X: square to the top face.
    static tag_t side_face(tag_t body) {
        for (tag_t face : nxhost::store().children(body, UF_solid_face_subtype)) {
            double normal[3];
            if (MY_face_center_normal(face, normal) && normal[0] > 0.999) return face;
        }
        return NULL_TAG;
    }

    static std::size_t notes() { return nxhost::store().in_part(nxhost::display_part(), UF_drafting_entity_type).size(); }
};

TEST_F(ElecNameNoteTest, TextIsTheNameWithTheAddTextOfItsKindAndTheSparkGap) {
    const struct {
        const char *what;
        Keys keys;
        int kind;
        bool own_gaps;
        const char *text;
    } cases[] = {
        {"nothing added", {}, 0, false, "STUB_ZP"},
        {"rough text before", {{"require_r_path_elec_add_text:", "1"}}, 0, false, "-RSTUB_ZP"},
        {"rough text after", {{"require_r_path_elec_add_text:", "2"}}, 0, false, "STUB_ZP-R"},
        {"middle text before", {{"require_m_path_elec_add_text:", "1"}}, 1, false, "M-STUB_ZP"},
        {"finish after, other kinds before", {{"require_f_path_elec_add_text:", "2"}, {"require_r_path_elec_add_text:", "1"}},
         2, false, "STUB_ZP-F"},
        {"configured rough gap", {{"require_elec_space:", "1"}}, 0, false, "STUB_ZP 0.150"},
        {"configured finish gap after its text", {{"require_elec_space:", "1"}, {"require_f_path_elec_add_text:", "2"}},
         2, false, "STUB_ZP-F 0.050"},
        {"a node of no kind gets neither", {{"require_elec_space:", "1"}, {"require_r_path_elec_add_text:", "1"}}, 3,
         false, "STUB_ZP"},
        // From here on the electrode carries its own spark gaps.
        {"the electrode's own middle gap", {{"require_elec_space:", "1"}}, 1, true, "STUB_ZP 0.080"},
        {"own gaps, but no rough gap among them", {{"require_elec_space:", "1"}}, 0, true, "STUB_ZP 0.150"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        reset_elec_name_note_keys();
        write_keys(c.keys);
        if (c.own_gaps) {
            MY_set_obj_real_attr(body("STUB_ZP"), "elec_middle_space", 0.08);
            MY_set_obj_int_attr(body("STUB_ZP"), "elec_finish_number", 1);
        }
        const tag_t note = name_note("STUB_ZP", kLookingUp, 0.5, c.kind);
        ASSERT_NE(note, NULL_TAG);
        EXPECT_EQ(drafting::note_of(note)->lines, std::vector<std::string>{c.text});
    }
}

// Each direction on an electrode standing up under an MCS looking down on it, and on one hanging
// down under an MCS looking up (its MCS Y is the world's -Y): the side of the box the name runs
// along, its angle, its place on the top face, and its engraving inside the offsets.
TEST_F(ElecNameNoteTest, EachDirectionPutsTheNameAlongItsSideOnTheTopFaceInsideTheOffsets) {
    const double close = 0.5, oper = 1.0, radius = 0.5, ratio = 0.7;
    const struct {
        const char *name;
        const double *axes;
        int direction;
        double angle;
        int axis;          // world axis across the strip
        bool beyond_body;  // the strip lies beyond the body's maximum on that axis
        double level;      // z of the top face
        double x0;         // the electrode box starts at x0 (40 x 40, body 12..28 from it)
    } cases[] = {
        {"STUB_ZP", kLookingUp, 1, 0, 1, false, 0, 0},    {"STUB_ZP", kLookingUp, 2, 90, 0, true, 0, 0},
        {"STUB_ZP", kLookingUp, 3, 180, 1, true, 0, 0},   {"STUB_ZP", kLookingUp, 4, 270, 0, false, 0, 0},
        {"STUB_ZM", kLookingDown, 1, 0, 1, true, 15, 100}, {"STUB_ZM", kLookingDown, 2, 90, 0, true, 15, 100},
        {"STUB_ZM", kLookingDown, 3, 180, 1, false, 15, 100}, {"STUB_ZM", kLookingDown, 4, 270, 0, false, 15, 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " direction " + std::to_string(c.direction));
        write_keys({{"path_elec_text_dir:", std::to_string(c.direction)}});
        const tag_t note = name_note(c.name, c.axes, radius);
        ASSERT_NE(note, NULL_TAG);
        const drafting::NotePayload &n = *drafting::note_of(note);
        EXPECT_EQ(n.angle, c.angle);
        EXPECT_NEAR(n.origin[2], c.level, 1e-9) << "on the top face";
        EXPECT_EQ(n.align_position, UF_DRF_ALIGN_MID_CENTER);
        EXPECT_EQ(n.lettering.aspect_ratio, ratio);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(n.x_axis[k], c.axes[k]) << "the note lies in the MCS plane";

        // The engraving: the text's rectangle around its centre, widened by the cutter.
        const double a = n.angle * M_PI / 180.0;
        double reading[3], up[3];
        for (int k = 0; k < 3; ++k) {
            reading[k] = std::cos(a) * n.x_axis[k] + std::sin(a) * n.y_axis[k];
            up[k] = -std::sin(a) * n.x_axis[k] + std::cos(a) * n.y_axis[k];
        }
        const double half_long = n.lines[0].size() * ratio * n.lettering.size / 2 + radius;
        const double half_high = n.lettering.size / 2 + radius;
        double low[2] = {1e9, 1e9}, high[2] = {-1e9, -1e9};
        for (double along : {-half_long, half_long})
            for (double across : {-half_high, half_high})
                for (int k = 0; k < 2; ++k) {
                    const double v = n.origin[k] + along * reading[k] + across * up[k];
                    low[k] = std::min(low[k], v);
                    high[k] = std::max(high[k], v);
                }
        EXPECT_GE(low[0], c.x0 + close - 1e-9);
        EXPECT_LE(high[0], c.x0 + 40 - close + 1e-9);
        EXPECT_GE(low[1], close - 1e-9);
        EXPECT_LE(high[1], 40 - close + 1e-9);
        const double body_low = (c.axis == 0 ? c.x0 : 0) + 12, body_high = body_low + 16;
        if (c.beyond_body) {
            EXPECT_GE(low[c.axis], body_high + oper - 1e-9) << "clear of the working faces";
        } else {
            EXPECT_LE(high[c.axis], body_low - oper + 1e-9) << "clear of the working faces";
        }
    }
    EXPECT_EQ(notes(), std::size(cases));
}

TEST_F(ElecNameNoteTest, SizeIsHeldWithinTheLimitsAndRefusedWhenTheMinimumDoesNotFit) {
    // Across the strip 12 - 1.0 - 0.5 = 10.5, along the side 40 - 2 * 0.5 = 39; with the margins and a
    // cutter of radius 0.5 the seven characters of STUB_ZP fill (39 - 3.2 - 1) / 4.9, less 0.2.
    const double fills = (39 - 3.2 - 1) / 4.9 - 0.2;
    const struct {
        const char *min, *max;
        double size;  // 0: no note
    } cases[] = {
        {"2.0", "8.0", fills},
        {"2.0", "3.0", 3.0},
        {"7.5", "9.0", 7.5},  // gives up some margin: 4.9 * 7.5 + 1 = 37.75 still fits 39
        {"8.0", "9.0", 0.0},  // 4.9 * 8 + 1 = 40.2 does not
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("min ") + c.min + " max " + c.max);
        reset_elec_name_note_keys();
        write_keys({{"path_elec_text_min_value:", c.min}, {"path_elec_text_max_value:", c.max}});
        clear_shown();
        const tag_t note = name_note("STUB_ZP", kLookingUp);
        if (c.size == 0.0) {
            EXPECT_EQ(note, NULL_TAG);
            EXPECT_EQ(shown("message"),
                      std::vector<std::string>{addontest::english("create_path_elec_name_not_04:", "my_func_cam.txt") +
                                               " STUB_ZP"});
            continue;
        }
        ASSERT_NE(note, NULL_TAG);
        EXPECT_NEAR(drafting::note_of(note)->lettering.size, c.size, 1e-9);
        EXPECT_EQ(shown("message"), std::vector<std::string>{});
    }
}

TEST_F(ElecNameNoteTest, KeysAreKeptFromTheFirstCallButTheDirectionIsReadEveryTime) {
    ASSERT_NE(name_note("STUB_ZP", kLookingUp), NULL_TAG);
    write_keys({{"path_elec_text_dir:", "2"}, {"path_elec_text_max_value:", "3.0"}});
    const tag_t note = name_note("STUB_ZP", kLookingUp);
    ASSERT_NE(note, NULL_TAG);
    EXPECT_EQ(drafting::note_of(note)->angle, 90.0);
    EXPECT_GT(drafting::note_of(note)->lettering.size, 3.0) << "the maximum of the first call holds";
}

TEST_F(ElecNameNoteTest, NoNoteForAWholeBodyABadDirectionAMissingKeyOrAnUnusableTopFace) {
    const std::string missing_key = "read_config_value_03:";
    const struct {
        const char *what;
        Keys keys;
        const char *config_def;  // replaces config.def when given
        void (*spoil)(elec_cam_data *);
        std::string shown;  // the start of the one message shown, "" for none
    } cases[] = {
        {"whole body", {}, nullptr, [](elec_cam_data *r) { r->use_whole_body = true; }, ""},
        {"direction 0", {{"path_elec_text_dir:", "0"}}, nullptr, nullptr, ELEC_NAME_NOTE_DIR_ERROR_TEXT},
        {"direction 5", {{"path_elec_text_dir:", "5"}}, nullptr, nullptr, ELEC_NAME_NOTE_DIR_ERROR_TEXT},
        {"direction 1.5", {{"path_elec_text_dir:", "1.5"}}, nullptr, nullptr, ELEC_NAME_NOTE_DIR_ERROR_TEXT},
        {"no direction", {{"path_elec_text_dir:", ""}}, nullptr, nullptr, addontest::english(missing_key, "my_func.txt")},
        {"no ratio", {{"path_elec_text_ratio:", ""}}, nullptr, nullptr, addontest::english(missing_key, "my_func.txt")},
        {"no add text asked for", {{"require_m_path_elec_add_text:", "2"}, {"m_path_elec_add_text_is:", ""}}, nullptr,
         nullptr, addontest::english("read_config_value_char_03:", "my_func.txt")},
        {"no middle gap in config.def", {}, "elec_rough_space: 0.15\nelec_finish_space: 0.05\n", nullptr,
         addontest::english(missing_key, "my_func.txt")},
        {"a ratio of 0", {{"path_elec_text_ratio:", "0"}}, nullptr, nullptr,
         addontest::english("create_path_elec_name_not_03:", "my_func_cam.txt")},
        {"no top face", {}, nullptr, [](elec_cam_data *r) { r->elec_top_face = NULL_TAG; },
         addontest::english("create_path_elec_name_not_02:", "my_func_cam.txt") + " STUB_ZP"},
        {"a working face for the top face", {}, nullptr, [](elec_cam_data *r) { r->elec_top_face = r->elec_body_face_p[0]; },
         addontest::english("create_path_elec_name_not_02:", "my_func_cam.txt") + " STUB_ZP"},
        {"a side face for the top face", {}, nullptr, [](elec_cam_data *r) { r->elec_top_face = side_face(r->elec_tag); },
         addontest::english("create_path_elec_name_not_02:", "my_func_cam.txt") + " STUB_ZP"},
    };
    const std::string config_def = read_file("qz_conf/config.def");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        reset_elec_name_note_keys();
        write_keys(c.keys);
        write_file("qz_conf/config.def", c.config_def ? c.config_def : config_def);
        clear_shown();
        elec_cam_data record;
        analyse("STUB_ZP", &record);
        if (c.spoil) c.spoil(&record);
        tag_t note = 99;
        EXPECT_EQ(create_path_elec_name_note(&record, csys(kLookingUp), 0.5, &note, 1), 0);
        EXPECT_EQ(note, NULL_TAG);
        const std::vector<std::string> messages = shown("message");
        if (c.shown.empty()) {
            EXPECT_EQ(messages, std::vector<std::string>{});
        } else {
            ASSERT_FALSE(messages.empty());
            EXPECT_EQ(messages.front().substr(0, c.shown.size()), c.shown);
        }
    }
    EXPECT_EQ(notes(), 0u);
}

// The top face of a mode-1 analysis here is the base's far face, which a stub electrode's MCS
// faces; an electrode without a name cannot be named.
TEST_F(ElecNameNoteTest, AnElectrodeWithoutANameGetsNoNote) {
    ASSERT_EQ(UF_OBJ_set_name(body("STUB_ZP"), ""), 0);
    elec_cam_data record;
    ASSERT_EQ(analy_elec_data_cam(static_elec_tags[0], &record, ELEC_MODE_EDGE), 1);
    tag_t note = 99;
    EXPECT_EQ(create_path_elec_name_note(&record, csys(kLookingUp), 0.5, &note, 0), 0);
    EXPECT_EQ(shown("message"),
              std::vector<std::string>{addontest::english("create_path_elec_name_not_01:", "my_func_cam.txt")});
    EXPECT_EQ(notes(), 0u);
}

// Made as the builder makes it: blockfont as the drafting font, the electrodes' MCS, the WCS of the
// user unchanged afterwards, the note in blockfont whatever the lettering was before.
TEST_F(ElecNameNoteTest, TheNoteOfTheElectrodesMcsIsInTheDraftingFontAndLeavesWcsAndLetteringAsTheyWere) {
    elec_cam_data record;
    analyse("STUB_ZM", &record);
    tag_t mcs = NULL_TAG;
    ASSERT_EQ(create_camgeom_mcs_add_clear_plane(&record, &mcs, MCS_MODE_ELECTRODES, 0, 20.0), 1);
    tag_t wcs_before = NULL_TAG;
    ASSERT_EQ(UF_CSYS_ask_wcs(&wcs_before), 0);
    ASSERT_EQ(MY_set_drafting_font("leroy"), 1);
    ASSERT_EQ(MY_set_drafting_font("blockfont"), 1);
    UF_DRF_lettering_preferences_t before;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&before), 0);
    int mpi[100];
    double mpr[70];
    char radius[27], diameter[27];
    ASSERT_EQ(UF_DRF_ask_preferences(mpi, mpr, radius, diameter), 0);
    EXPECT_EQ(mpi[88], 1) << "blockfont is the note font";

    tag_t note = NULL_TAG, mcs_csys = NULL_TAG;
    ASSERT_EQ(UF_PARAM_ask_tag_value(mcs, UF_PARAM_MCS, &mcs_csys), 0);
    ASSERT_EQ(create_path_elec_name_note(&record, mcs_csys, 1.0, &note, 2), 1);
    EXPECT_EQ(drafting::note_of(note)->font_name, "blockfont");
    EXPECT_NEAR(drafting::note_of(note)->origin[2], 15.0, 1e-9);
    tag_t wcs_after = NULL_TAG;
    ASSERT_EQ(UF_CSYS_ask_wcs(&wcs_after), 0);
    EXPECT_EQ(wcs_after, wcs_before);
    UF_DRF_lettering_preferences_t after;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&after), 0);
    EXPECT_EQ(after.general_text.size, before.general_text.size);
    EXPECT_EQ(after.angle, before.angle);
    EXPECT_EQ(after.align_position, before.align_position);
}

TEST_F(ElecNameNoteTest, AFontNxDoesNotKnowIsRefusedAndChangesNothing) {
    expect_clean_session_ = false;
    ASSERT_EQ(MY_set_drafting_font("leroy"), 1);
    EXPECT_EQ(MY_set_drafting_font("arial"), 0);
    EXPECT_EQ(MY_set_drafting_font(nullptr), 0);
    UF_DRF_lettering_preferences_t lettering;
    ASSERT_EQ(UF_DRF_ask_lettering_preferences(&lettering), 0);
    EXPECT_EQ(drafting::font_name(nxhost::work_part(), lettering.general_text.cfw.font), "leroy");
    bool reported = false;
    for (const std::string &line : shown("listing")) reported |= line.find("UF_UGFONT_add_font") != std::string::npos;
    EXPECT_TRUE(reported) << "the refusal is in the NX call report";
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u) << "only the unknown name is misuse; a null name is a bad argument";
    forget_turn();
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    EXPECT_EQ(UF_terminate(), 0);
}

// Every NX call of the note failing in turn: no crash, never a note with a result of 0, the WCS and
// NX memory given back, no misuse.
TEST_F(ElecNameNoteTest, SurvivesEveryNxCallFailing) {
    forget_turn();  // each run starts a session of its own
    const long calls = testsupport::run_failing_each_call(
        [this] {
            open("electrode_shapes.prt", {"STUB_ZP"});
            reset_elec_name_note_keys();
        },
        [] {
            {
                elec_cam_data record;
                const double origin[3] = {0, 0, 0};
                tag_t matrix = NULL_TAG, frame = NULL_TAG, wcs = NULL_TAG;
                if (analy_elec_data_cam(static_elec_tags[0], &record, ELEC_MODE_EDGE) == 1 && !record.use_whole_body &&
                    UF_CSYS_create_matrix(kLookingUp, &matrix) == 0 && UF_CSYS_create_csys(origin, matrix, &frame) == 0 &&
                    UF_CSYS_ask_wcs(&wcs) == 0) {
                    tag_t note = 99;
                    const int made = create_path_elec_name_note(&record, frame, 0.5, &note, 0);
                    EXPECT_EQ(made == 1, note != NULL_TAG);
                    bool restore_refused = false;
                    for (const nxhost::TranscriptEntry &entry : nxhost::transcript())
                        restore_refused |= entry.text.find("UF_CSYS_set_wcs(old_wcs_)") != std::string::npos;
                    tag_t after = NULL_TAG;
                    if (UF_CSYS_ask_wcs(&after) == 0 && !restore_refused) {
                        EXPECT_EQ(after, wcs) << "the WCS is the user's again unless NX refused (reported)";
                    }
                }
            }
            forget_turn();
            EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
            for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
        });
    EXPECT_GT(calls, 10);
}

}  // namespace
