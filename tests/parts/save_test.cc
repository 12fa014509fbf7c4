// Saving writes bodies as BREP text so that a saved part reloads as it was, nothing else lost.
#include <filesystem>

#include "nxhost/parts/part_sections.h"
#include "parts_fixture.h"
#include "uf_part.h"

namespace {

class SaveTest : public PartsTest {};

// The tree shows names, layers, blanking, face and edge counts, boxes, face names and every attribute.
TEST_F(SaveTest, SavedPartReloadsWithEqualBodiesAndAttributesOnTheSameFaces) {
    tag_t part = load(rich_part_text());
    tag_t again = save_and_reload(part, "again.prt");
    EXPECT_EQ(tree(again).substr(tree(again).find('\n')), tree(part).substr(tree(part).find('\n')));
    ASSERT_EQ(bodies(again).size(), bodies(part).size());
    for (std::size_t i = 0; i < bodies(part).size(); ++i) {
        const tag_t before = bodies(part)[i], after = bodies(again)[i];
        SCOPED_TRACE(object(before).name);
        EXPECT_EQ(object(after).color, object(before).color);
        EXPECT_NEAR(volume(after), volume(before), 1e-9 * volume(before));
    }
}

// The first save of a built shape may differ in OCCT's bookkeeping flags; from then on a part
// saved, reloaded and saved again must not drift.
TEST_F(SaveTest, ReloadedPartsSaveToTheSameTextEveryTime) {
    tag_t part = load(rich_part_text());
    tag_t second = save_and_reload(save_and_reload(part, "once.prt"), "twice.prt");
    save_and_reload(second, "thrice.prt");
    EXPECT_EQ(read_file("parts/thrice.prt"), read_file("parts/twice.prt"));
}

TEST_F(SaveTest, SectionsWithoutAHandlerAndUnknownKeysAreWrittenBackUnchanged) {
    const std::string extra =
        R"("x_drafting":[{"note":[1,2,3],"name":"N1","layer":5},{"label":[[0,0,0],[1,0,0]]}],)"
        R"("drawings":{"sheets":{"z":[3,2,1],"a":"b"},"views":[]},"x_custom":{"keep":true})";
    tag_t part = load(part_text("", "m", extra));
    save_and_reload(part, "kept.prt");
    nlohmann::ordered_json saved = nlohmann::ordered_json::parse(read_file("parts/kept.prt"));
    nlohmann::ordered_json original = nlohmann::ordered_json::parse(part_text("", "m", extra));
    for (const char *key : {"x_drafting", "drawings", "x_custom", "units", "format"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(saved[key].dump(), original[key].dump());
    }
}

TEST_F(SaveTest, ARegisteredSectionIsLoadedSavedAndPrintedByItsModule) {
    static std::string loaded;
    static std::vector<tag_t> unloaded;
    unloaded.clear();
    nxhost::register_part_section({"x_probe",
                                   [](tag_t, const nlohmann::ordered_json &v) { loaded = v.dump(); },
                                   [](tag_t) { return nlohmann::ordered_json{{"saved", true}}; },
                                   [](std::ostream &out, tag_t) { out << "probe section\n"; },
                                   [](tag_t part) { unloaded.push_back(part); }});
    tag_t part = load(part_text("", "mm", R"("x_probe":{"n":1})"));
    EXPECT_EQ(loaded, R"({"n":1})");
    save_and_reload(part, "probe.prt");
    EXPECT_EQ(nlohmann::json::parse(read_file("parts/probe.prt"))["x_probe"], nlohmann::json({{"saved", true}}));
    EXPECT_NE(tree(part).find("probe section\n"), std::string::npos);
    ASSERT_EQ(UF_PART_close(part, 0, 1), 0);
    EXPECT_EQ(unloaded, std::vector<tag_t>{part});
    nxhost::unregister_part_section("x_probe");
}

TEST_F(SaveTest, UfPartSaveWritesTheWorkPartToItsFileOrTheSaveDirectoryAndClearsTheModifiedMark) {
    tag_t part = load(part_text(body_text("B", kUnitBox)), "work.prt");
    ASSERT_EQ(nxhost::work_part(), part);
    EXPECT_FALSE(nxhost::store().is_modified(part)) << "a freshly loaded part is unchanged";
    const std::string before = read_file("parts/work.prt");

    nxhost::set_save_directory(drive_dir() + "/out");
    nxhost::store().mark_modified(part);
    ASSERT_EQ(UF_PART_save(), 0);
    EXPECT_FALSE(nxhost::store().is_modified(part));
    EXPECT_TRUE(file_exists("out/work.prt"));
    EXPECT_EQ(read_file("parts/work.prt"), before) << "the original is untouched";

    nxhost::set_save_directory("");
    ASSERT_EQ(UF_PART_save(), 0);
    EXPECT_EQ(read_file("parts/work.prt"), read_file("out/work.prt"));
    for (const auto &entry : std::filesystem::directory_iterator(drive_dir() + "/parts"))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(SaveTest, AnUnwritableTargetIsReportedNotIgnored) {
    tag_t part = load(part_text(body_text("B", kUnitBox)));
    write_file("blocker", "a file where a directory should be");
    std::string error;
    EXPECT_FALSE(nxhost::save_part_as(part, drive_dir() + "/blocker/x.prt", &error));
    EXPECT_NE(error.find("blocker"), std::string::npos) << error;
}

}  // namespace
