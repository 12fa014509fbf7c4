// Interactive selection of faces, solids and a directory, the solids the user can see, and the
// shipped sample part of electrodes.
#include <cmath>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func/my_func.h"
#include "nxhost/core/session.h"
#include "nxhost/modeling/shapes.h"
#include "standin/part_fixture.h"
#include "uf.h"
#include "uf_layer.h"
#include "uf_object_types.h"

namespace {

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

    // "EL-001 edm +Z 10": a face's mark, outward normal and height.
    static void add_mark(Lines *marks, const std::string &body_name, const char *mark, tag_t face) {
        const nxhost::modeling::FaceInfo info =
            nxhost::modeling::face_info(nxhost::modeling::shape_payload(*nxhost::store().find(face))->shape);
        marks->push_back(body_name + " " + mark + " " + nxhost::modeling::axis_label(info.normal) + " " +
                         std::to_string(std::lround(info.offset * info.normal[2])));
    }

    // A part of bodies that are and are not visible solids, one sheet among them.
    void load_view_part() {
        load_boxes({"F"});
        const tag_t face = nxhost::store().children(body("F"), UF_solid_face_subtype)[0];
        write_file("parts/sheet.brep", nxhost::modeling::shape_to_brep_text(
                                           nxhost::modeling::shape_payload(*nxhost::store().find(face))->shape));
        std::string bodies;
        const struct {
            const char *name, *extra;
        } specs[] = {
            {"SHOWN", ""},
            {"ON_SELECTABLE", R"(,"layer":2)"},
            {"BLANKED", R"(,"blank":true)"},
            {"ON_REFERENCE", R"(,"layer":3)"},
            {"ON_HIDDEN", R"(,"layer":4)"},
            {"ON_256", R"(,"layer":256)"},
            {"ALSO_SHOWN", R"(,"layer":1)"},
        };
        double x = 0;
        for (const auto &s : specs) {
            bodies += std::string("{\"name\":\"") + s.name + "\"" + s.extra + ",\"shape\":{\"box\":{\"min\":[" +
                      std::to_string(x) + ",0,0],\"max\":[" + std::to_string(x + 1) + ",1,1]}}},";
            x += 2;
        }
        bodies += R"({"name":"SHEET","shape":{"brep_file":"sheet.brep"}})";
        write_file("parts/view.prt", R"({"format":"nxhost-part/1","bodies":[)" + bodies + "]}");
        std::string error;
        const tag_t part = nxhost::load_part("D:\\parts\\view.prt", &error);
        ASSERT_NE(part, NULL_TAG) << error;
        nxhost::set_display_part(part);
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
        if (!c.result) {
            EXPECT_EQ(objects, nullptr);
        }
    }
}

TEST_F(Selection, ScreenViewSolidsAreTheUnblankedSolidBodiesOnWorkOrSelectableLayers) {
    load_view_part();
    tag_t *solids = nullptr;
    int count = -1;
    EXPECT_EQ(MY_select_screen_view_solids(&solids, &count), 1);
    EXPECT_EQ(names(solids, count), (Lines{"SHOWN", "ON_SELECTABLE", "ALSO_SHOWN"}));

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
    const long calls = testsupport::run_failing_each_call([&] { load_view_part(); }, collect);
    EXPECT_GT(calls, 30);
}

TEST_F(Selection, ADirectoryIsTheChosenFilesFolderAndCancelKeepsTheOldOne) {
    const struct {
        const char *start, *script;
        int result;
        const char *dir, *default_name;
    } cases[] = {
        {"D:\\work", "filebox D:\\work\\sub\\x.prt", 1, "D:\\work\\sub", "D:\\work\\a"},
        {"D:\\work\\", "filebox D:\\work\\a", 1, "D:\\work", "D:\\work\\a"},
        {"", "filebox D:\\a", 1, "D:", "D:\\a"},
        {"D:\\work", "cancel", 0, "old", "D:\\work\\a"},
        {"D:\\work", "back", 0, "old", "D:\\work\\a"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        clear_shown();
        play(c.script);
        char dir[MAX_FSPEC_BUFSIZE] = "old";
        EXPECT_EQ(MY_select_directory(c.start, dir), c.result);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_EQ(
            addontest::as_utf8(shown("dialog")),
            Lines{std::string("file box \"Select directory\" prompt \"Select directory。\" filter \"\" default \"") +
                  c.default_name + "\""});
    }
}

TEST_F(Selection, TheSamplePartHoldsFourMarkedElectrodesAClampAndABaseBlock) {
    write_file("parts/electrodes.prt",
               addontest::read_host_file(testsupport::source_dir() + "/conf/samples/electrodes.prt"));
    std::string error;
    const tag_t part = nxhost::load_part("D:\\parts\\electrodes.prt", &error);
    ASSERT_NE(part, NULL_TAG) << error;
    nxhost::set_display_part(part);
    tag_t *solids = nullptr;
    int count = 0;
    ASSERT_EQ(MY_select_screen_view_solids(&solids, &count), 1);
    Lines clamps, blocks, electrodes;
    for (int i = 0; i < count; ++i) {
        char text[MY_ATTR_VALUE_BUFSIZE];
        const std::string name = nxhost::store().find(solids[i])->name;
        if (MY_read_obj_string_att(solids[i], "IS_CLAMP", text)) clamps.push_back(name);
        if (MY_read_obj_string_att(solids[i], "IS_ELEC_BOT_BLOCK", text)) blocks.push_back(name);
        double gap = 0;
        if (!MY_read_obj_real_att(solids[i], "elec_rough_space", &gap)) continue;
        // Its base's top face (z = 10) and bottom face (z = 0) carry their marks.
        for (tag_t face : nxhost::store().children(solids[i], UF_solid_face_subtype)) {
            if (MY_read_obj_string_att(face, "ELEC_BASE_EDM_FACE", text)) add_mark(&electrodes, name, "edm", face);
            if (MY_read_obj_string_att(face, "ELEC_BASE_BOTTOM_FACE", text))
                add_mark(&electrodes, name, "bottom", face);
        }
    }
    UF_free(solids);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(clamps, Lines{"CLAMP-1"});
    EXPECT_EQ(blocks, Lines{"BASE-1"});
    Lines expected;
    for (const char *name : {"EL-001", "EL-002", "EL-003", "EL-004"})
        for (const char *mark : {" edm +Z 10", " bottom -Z 0"}) expected.push_back(name + std::string(mark));
    EXPECT_EQ(electrodes, expected);
}

}  // namespace
