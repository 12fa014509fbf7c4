// Interactive selection of faces, solids and a directory, the solids the user can see, and the
// shipped sample part of electrodes.
#include <cmath>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/shapes.h"
#include "nxhost/script/script.h"
#include "standin/part_fixture.h"
#include "uf.h"
#include "uf_layer.h"
#include "uf_object_types.h"

namespace {

namespace modeling = nxhost::modeling;
using Lines = std::vector<std::string>;

class Selection : public PartTest {
protected:
    void SetUp() override {
        PartTest::SetUp();
        write_file("qz_conf/lang/my_func.txt", "MY_select_screen_view_soli_01:\nout of memory\n");
    }

    // "E1" for a body, "E2 face 4" for a face; takes and frees the NX array.
    static Lines names(tag_t *objects, int count) {
        Lines lines;
        for (int i = 0; i < count; ++i) {
            const nxhost::Object *obj = nxhost::store().find(objects[i]);
            lines.push_back(obj->parent == NULL_TAG
                                ? obj->name
                                : nxhost::store().find(obj->parent)->name + " face " + std::to_string(obj->index));
        }
        UF_free(objects);
        return lines;
    }

    // Writes a part file below D:\parts and makes it the displayed part.
    void display(const std::string &file, const std::string &bytes) {
        write_file("parts/" + file, bytes);
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\" + file, &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
    }

    // A part of bodies that are and are not visible solids, one sheet among them.
    void load_view_part() {
        load_boxes({"F"});
        const tag_t face = nxhost::store().children(body("F"), UF_solid_face_subtype)[0];
        write_file("parts/sheet.brep",
                   modeling::shape_to_brep_text(modeling::shape_payload(*nxhost::store().find(face))->shape));
        const char *const bodies[] = {R"("SHOWN")", R"("ON_SELECTABLE","layer":2)", R"("BLANKED","blank":true)",
                                      R"("ON_REFERENCE","layer":3)", R"("ON_HIDDEN","layer":4)",
                                      R"("ON_256","layer":256)", R"("ALSO_SHOWN","layer":1)"};
        std::string part = R"({"format":"nxhost-part/1","bodies":[{"name":"SHEET","shape":{"brep_file":"sheet.brep"}})";
        for (int i = 0; i < 7; ++i)
            part += R"(,{"name":)" + std::string(bodies[i]) + R"(,"shape":{"box":{"min":[)" + std::to_string(2 * i) +
                    R"(,0,0],"max":[)" + std::to_string(2 * i + 1) + ",1,1]}}}";
        display("view.prt", part + "]}");
        ASSERT_EQ(UF_LAYER_set_status(3, UF_LAYER_REFERENCE_LAYER), 0);
        ASSERT_EQ(UF_LAYER_set_status(4, UF_LAYER_INACTIVE_LAYER), 0);
    }
};

TEST_F(Selection, FacesAndSolidsComeBackUnhighlightedWhenAcceptedAndNotAtAllOtherwise) {
    load_boxes({"E1", "E2", "E3"});
    const struct {
        const char *script;
        bool faces;
        int result;
        Lines picked;
    } cases[] = {
        {"pick solids E1 E3", false, 1, {"E1", "E3"}},
        {"pick faces E2:4 E1:0", true, 1, {"E2 face 4", "E1 face 0"}},
        {"pick solids", false, 1, {}},
        {"cancel", false, 0, {}},
        {"back", true, 0, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        clear_shown();
        play(c.script);
        tag_t untouched = NULL_TAG;
        tag_t *objects = &untouched;
        int count = -1;
        EXPECT_EQ(c.faces ? MY_select_faces(&objects, &count, "Pick faces")
                          : MY_select_solids(&objects, &count, "Pick electrodes"),
                  c.result);
        EXPECT_EQ(shown("prompt"), Lines{c.faces ? "Pick faces" : "Pick electrodes"});
        for (int i = 0; i < count; ++i) EXPECT_FALSE(nxhost::store().find(objects[i])->highlighted);
        EXPECT_EQ(names(objects, count), c.picked);
        EXPECT_TRUE(c.result || !objects) << "a refused selection hands back no array";
    }
}

TEST_F(Selection, ScreenViewSolidsAreTheUnblankedSolidBodiesOnWorkOrSelectableLayers) {
    load_view_part();
    tag_t *solids = nullptr;
    int count = -1;
    EXPECT_EQ(MY_select_screen_view_solids(&solids, &count), 1);
    EXPECT_EQ(names(solids, count), (Lines{"SHOWN", "ON_SELECTABLE", "ALSO_SHOWN"}));

    // The solid-body filter keeps a user from picking the sheet as an electrode.
    play("pick solids SHEET");
    EXPECT_THROW(MY_select_solids(&solids, &count, "Pick electrodes"), nxhost::script::ScriptError);

    nxhost::set_display_part(NULL_TAG);
    EXPECT_EQ(MY_select_screen_view_solids(&solids, &count), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(solids, nullptr);
}

TEST_F(Selection, ScreenViewSolidsSurviveEveryFailingNXCallWithoutLeaking) {
    auto collect = [&] {
        tag_t *solids = nullptr;
        int count = 0;
        if (MY_select_screen_view_solids(&solids, &count))
            UF_free(solids);
        else
            EXPECT_EQ(shown("message"), Lines{"out of memory"});
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    };
    EXPECT_GT(testsupport::run_failing_each_call([&] { load_view_part(); }, collect), 30);
}

TEST_F(Selection, ADirectoryIsTheChosenFilesFolderAndOnlyCancelKeepsTheOldOne) {
    const struct {
        const char *start, *script;
        int result;
        const char *dir, *default_name;
    } cases[] = {
        {"D:\\work", "filebox D:\\work\\sub\\x.prt", 1, "D:\\work\\sub", "D:\\work\\a"},
        {"D:\\work\\", "filebox D:\\work\\a", 1, "D:\\work", "D:\\work\\a"},
        {"", "filebox D:\\a", 1, "D:", "D:\\a"},
        {"D:\\work", "cancel", 0, "old", "D:\\work\\a"},
        {"D:\\work", "back", 1, "", "D:\\work\\a"},  // only Cancel keeps the old directory
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        clear_shown();
        play(c.script);
        char dir[MAX_FSPEC_BUFSIZE] = "old";
        EXPECT_EQ(MY_select_directory(c.start, dir), c.result);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_EQ(addontest::as_utf8(shown("dialog")),
                  Lines{std::string("file box \"Select directory\" prompt \"Select directory。\" filter \"\" ") +
                        "default \"" + c.default_name + "\""});
    }
}

// Which of its solids are clamps and base blocks, the session's tests show; here, that all six
// are visible and that each electrode's base carries its marked faces.
TEST_F(Selection, TheSamplePartShowsSixSolidsAndMarksTheBaseFacesOfItsFourElectrodes) {
    display("electrodes.prt", testsupport::read_host_file(testsupport::source_dir() + "/conf/samples/electrodes.prt"));
    tag_t *solids = nullptr;
    int count = 0;
    ASSERT_EQ(MY_select_screen_view_solids(&solids, &count), 1);
    // An electrode's base: "EL-001 edm +Z 10" for its marked top face, "... bottom -Z 0" for its bottom.
    const char *const titles[][2] = {{"edm", "ELEC_BASE_EDM_FACE"}, {"bottom", "ELEC_BASE_BOTTOM_FACE"}};
    Lines marks;
    char text[MY_ATTR_VALUE_BUFSIZE];
    for (int i = 0; i < count; ++i)
        for (tag_t face : nxhost::store().children(solids[i], UF_solid_face_subtype))
            for (const auto &t : titles) {
                if (!MY_read_obj_string_att(face, t[1], text)) continue;
                const modeling::FaceInfo info =
                    modeling::face_info(modeling::shape_payload(*nxhost::store().find(face))->shape);
                marks.push_back(nxhost::store().find(solids[i])->name + " " + t[0] + " " +
                                modeling::axis_label(info.normal) + " " +
                                std::to_string(std::lround(info.offset * info.normal[2])));
            }
    UF_free(solids);
    EXPECT_EQ(count, 6);
    Lines expected;
    for (const char *name : {"EL-001", "EL-002", "EL-003", "EL-004"})
        for (const char *mark : {" edm +Z 10", " bottom -Z 0"}) expected.push_back(name + std::string(mark));
    EXPECT_EQ(marks, expected);
}

}  // namespace
