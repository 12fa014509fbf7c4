// Saving writes bodies as BREP text so that a saved part reloads as it was, nothing else lost.
#include <filesystem>

#include "nxhost/parts/part_sections.h"
#include "parts_fixture.h"
#include "uf_attr_types.h"
#include "uf_part.h"

namespace {

class SaveTest : public PartsTest {
protected:
    // Saves `part` as D:\parts\<file> and loads that file.
    tag_t save_and_reload(tag_t part, const std::string &file) {
        std::string error;
        EXPECT_TRUE(nxhost::save_part_as(part, drive_dir() + "/parts/" + file, &error)) << error;
        std::string reload_error;
        tag_t again = nxhost::load_part("D:\\parts\\" + file, &reload_error);
        EXPECT_NE(again, NULL_TAG) << reload_error;
        return again;
    }

    // Face index -> attribute titles, for comparing bodies.
    static std::map<int, std::vector<std::string>> face_attributes(tag_t body) {
        std::map<int, std::vector<std::string>> marks;
        for (tag_t face : faces(body))
            for (const nxhost::Attribute &a : object(face).attributes) marks[object(face).index].push_back(a.title);
        return marks;
    }
};

const char *const kBodies[] = {
    R"({"name":"E1","layer":2,"attributes":[{"title":"elec_rough_space","type":"real","value":0.1}],
        "shape":{"fillet":{"shape":{"box":{"min":[0,0,0],"max":[10,10,5]}},"radius":1,"edges":"vertical"}},
        "faces":[{"select":{"normal":"+Z"},"attributes":[{"title":"ELEC_BASE_EDM_FACE","type":"string","value":""}]},
                 {"select":{"index":0},"name":"F0","attributes":[]}]})",
    R"({"name":"E2","blank":true,"color":3,"shape":{"cut":[{"box":{"min":[0,0,0],"max":[10,10,5]}},
        {"cylinder":{"base":[5,5,-1],"radius":2,"height":7}}]},
        "faces":[{"select":{"normal":"-Z"},"attributes":[{"title":"ELEC_EDM_DIR_FACE","type":"integer","value":1}]}]})",
    R"({"name":"S","shape":{"sphere":{"center":[0,0,20],"radius":3}}})",
};

TEST_F(SaveTest, SavedPartReloadsWithEqualBodiesAndAttributesOnTheSameFaces) {
    std::string list;
    for (const char *b : kBodies) list += (list.empty() ? "" : ",") + std::string(b);
    tag_t part = load(part_text(list));
    tag_t again = save_and_reload(part, "again.prt");
    ASSERT_EQ(bodies(again).size(), bodies(part).size());
    for (std::size_t i = 0; i < bodies(part).size(); ++i) {
        const tag_t before = bodies(part)[i], after = bodies(again)[i];
        SCOPED_TRACE(object(before).name);
        EXPECT_EQ(object(after).name, object(before).name);
        EXPECT_EQ(object(after).layer, object(before).layer);
        EXPECT_EQ(object(after).blank, object(before).blank);
        EXPECT_EQ(object(after).color, object(before).color);
        EXPECT_EQ(faces(after).size(), faces(before).size());
        EXPECT_EQ(edges(after).size(), edges(before).size());
        EXPECT_NEAR(volume(after), volume(before), 1e-9 * volume(before));
        EXPECT_EQ(face_attributes(after), face_attributes(before));
        ASSERT_EQ(object(after).attributes.size(), object(before).attributes.size());
        for (std::size_t k = 0; k < object(before).attributes.size(); ++k)
            EXPECT_EQ(object(after).attributes[k].title, object(before).attributes[k].title);
        for (std::size_t f = 0; f < faces(before).size(); ++f)
            EXPECT_EQ(object(faces(after)[f]).name, object(faces(before)[f]).name);
    }
}

// The first save of a built shape may differ in OCCT's bookkeeping flags; from then on a part
// saved, reloaded and saved again must not drift.
TEST_F(SaveTest, ReloadedPartsSaveToTheSameTextEveryTime) {
    tag_t part = load(part_text(kBodies[0]));
    tag_t second = save_and_reload(save_and_reload(part, "once.prt"), "twice.prt");
    save_and_reload(second, "thrice.prt");
    EXPECT_EQ(read_file("parts/thrice.prt"), read_file("parts/twice.prt"));
}

TEST_F(SaveTest, SectionsWithoutAHandlerAndUnknownKeysAreWrittenBackUnchanged) {
    const std::string extra =
        R"("geometry":[{"point":[1,2,3],"name":"P1","layer":5},{"line":[[0,0,0],[1,0,0]]}],)"
        R"("cam":{"setup":{"z":[3,2,1],"a":"b"},"groups":[]},"x_custom":{"keep":true})";
    tag_t part = load(part_text("", "m", extra));
    save_and_reload(part, "kept.prt");
    nlohmann::ordered_json saved = nlohmann::ordered_json::parse(read_file("parts/kept.prt"));
    nlohmann::ordered_json original = nlohmann::ordered_json::parse(part_text("", "m", extra));
    for (const char *key : {"geometry", "cam", "x_custom", "units", "format"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(saved[key].dump(), original[key].dump());
    }
}

TEST_F(SaveTest, ARegisteredSectionIsLoadedSavedAndPrintedByItsModule) {
    static std::string loaded;
    static std::vector<tag_t> unloaded;
    nxhost::register_part_section({"x_probe",
                                   [](tag_t, const nlohmann::ordered_json &v) { loaded = v.dump(); },
                                   [](tag_t) { return nlohmann::ordered_json{{"saved", true}}; },
                                   [](std::ostream &out, tag_t) { out << "probe section\n"; },
                                   [](tag_t part) { unloaded.push_back(part); }});
    tag_t part = load(part_text("", "mm", R"("x_probe":{"n":1})"));
    EXPECT_EQ(loaded, R"({"n":1})");
    save_and_reload(part, "probe.prt");
    EXPECT_EQ(nlohmann::json::parse(read_file("parts/probe.prt"))["x_probe"], nlohmann::json({{"saved", true}}));
    std::ostringstream tree;
    nxhost::print_part_tree(tree, part);
    EXPECT_NE(tree.str().find("probe section\n"), std::string::npos);
    ASSERT_EQ(UF_PART_close(part, 0, 1), 0);
    EXPECT_EQ(unloaded, std::vector<tag_t>{part});
    nxhost::unregister_part_section("x_probe");
}

TEST_F(SaveTest, UfPartSaveWritesTheWorkPartToItsFileOrTheSaveDirectory) {
    tag_t part = load(part_text(kBodies[2]), "work.prt");
    ASSERT_EQ(nxhost::work_part(), part);
    const std::string before = read_file("parts/work.prt");

    nxhost::set_save_directory(drive_dir() + "/out");
    ASSERT_EQ(UF_PART_save(), 0);
    EXPECT_TRUE(file_exists("out/work.prt"));
    EXPECT_EQ(read_file("parts/work.prt"), before) << "the original is untouched";

    nxhost::set_save_directory("");
    ASSERT_EQ(UF_PART_save(), 0);
    EXPECT_EQ(read_file("parts/work.prt"), read_file("out/work.prt"));
    for (const auto &entry : std::filesystem::directory_iterator(drive_dir() + "/parts"))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(SaveTest, SavingClearsTheModifiedMark) {
    tag_t part = load(part_text(kBodies[2]));
    EXPECT_FALSE(nxhost::store().is_modified(part)) << "a freshly loaded part is unchanged";
    nxhost::store().mark_modified(part);
    std::string error;
    ASSERT_TRUE(nxhost::save_part_as(part, drive_dir() + "/x.prt", &error)) << error;
    EXPECT_FALSE(nxhost::store().is_modified(part));
}

TEST_F(SaveTest, AnUnwritableTargetIsReportedNotIgnored) {
    tag_t part = load(part_text(kBodies[2]));
    write_file("blocker", "a file where a directory should be");
    std::string error;
    EXPECT_FALSE(nxhost::save_part_as(part, drive_dir() + "/blocker/x.prt", &error));
    EXPECT_NE(error.find("blocker"), std::string::npos) << error;
}

}  // namespace
