// The hand-off of a part to a background computer: the task record's bytes as the worker reads
// them, the names the part takes on its way, what the dialog refuses before anything is written,
// and a post broken at every step (save, close, move, copy) without a part lost.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <nlohmann/json.hpp>

#include "batch_fixture.h"
#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/system_info.h"
#include "nxhost/worker/task_record.h"
#include "torvane/dialogs/post_backstage.h"

namespace {

using namespace batchtest;
using addontest::english;

// Text in a scenario's double quotes.
std::string quoted(const std::string &text) {
    std::string out = "\"";
    for (char c : text) out += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
}

// The text field at offset: its bytes up to the NUL, and whether the rest of the field is zero.
std::string field_at(const std::string &record, std::size_t offset, bool *rest_zero) {
    const std::string field = record.substr(offset, 256);
    const std::size_t end = field.find('\0');
    *rest_zero = end != std::string::npos && field.find_first_not_of('\0', end) == std::string::npos;
    return field.substr(0, end);
}

struct RecordCase {
    const char *name, *short_name, *node, *prefix, *part_path;
    std::string expected_path;  // the third field
};

TEST(TaskRecord, HoldsVersionShortNameNodeAndPrefixedPathInFixedFieldsTheWorkerReads) {
    const std::string long_name(300, 'x');
    const RecordCase cases[] = {
        {"no prefix", "plate_01", "CAM-PC-07", "", "D:\\parts\\plate_01.prt", "D:\\parts\\plate_01.prt"},
        {"prefix gets its backslash", "plate_01", "CAM-PC-07", "\\\\cam-srv\\parts", "D:\\parts\\plate_01.prt",
         "\\\\cam-srv\\parts\\D:\\parts\\plate_01.prt"},
        {"prefix keeps its backslash", "plate_01", "PC", "P:\\", "D:\\parts\\plate_01.prt", "P:\\D:\\parts\\plate_01.prt"},
        {"no extension", "two", "", "", "D:\\jobs.v2\\two", "D:\\jobs.v2\\two"},
    };
    for (const RecordCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string record = post_task_record(c.short_name, c.node, c.prefix, c.part_path);
        ASSERT_EQ(record.size(), 772u);
        std::int32_t version = 0;
        std::memcpy(&version, record.data(), 4);
        EXPECT_EQ(version, 1);
        bool zero = false;
        EXPECT_EQ(field_at(record, 4, &zero), c.short_name);
        EXPECT_TRUE(zero);
        EXPECT_EQ(field_at(record, 260, &zero), c.node);
        EXPECT_TRUE(zero);
        EXPECT_EQ(field_at(record, 516, &zero), c.expected_path);
        EXPECT_TRUE(zero);

        nxhost::worker::TaskRecord read;
        std::string why;
        ASSERT_TRUE(nxhost::worker::parse_task_record(record, &read, &why)) << why;
        EXPECT_EQ(read.short_name, c.short_name);
        EXPECT_EQ(read.posted_by, c.node);
        EXPECT_EQ(read.part_name, c.expected_path);
        EXPECT_EQ(read.extension, ".prt");
    }
    // A text longer than its field keeps 255 bytes and its NUL.
    const std::string record = post_task_record("a", long_name, "", "D:\\a.prt");
    bool zero = false;
    EXPECT_EQ(field_at(record, 260, &zero), long_name.substr(0, 255));
    EXPECT_EQ(record[515], '\0');
}

TEST(PostNames, OnlyTheFileNamesLastDotStartsTheExtension) {
    struct Case {
        const char *path, *directory, *short_name, *extension, *temp_path;
    } cases[] = {
        {"D:\\parts\\two.prt", "D:\\parts\\", "two", ".prt", "D:\\parts\\two_temp.prt"},
        {"D:\\jobs.v2\\two", "D:\\jobs.v2\\", "two", ".prt", "D:\\jobs.v2\\two_temp.prt"},
        {"D:\\jobs.v2\\a.b.prt", "D:\\jobs.v2\\", "a.b", ".prt", "D:\\jobs.v2\\a.b_temp.prt"},
        {"\\\\srv\\p\\X.PRT", "\\\\srv\\p\\", "X", ".PRT", "\\\\srv\\p\\X_temp.PRT"},
        {"two", "", "two", ".prt", "two_temp.prt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const post_part_names names = post_names_of(c.path);
        EXPECT_EQ(names.directory, c.directory);
        EXPECT_EQ(names.short_name, c.short_name);
        EXPECT_EQ(names.extension, c.extension);
        EXPECT_EQ(names.temp_path, c.temp_path);
    }
    EXPECT_EQ(with_trailing_backslash("E:\\tasks"), "E:\\tasks\\");
    EXPECT_EQ(with_trailing_backslash("E:\\tasks\\"), "E:\\tasks\\");
    EXPECT_EQ(with_trailing_backslash(""), "");
}

// A part file written whole: it parses and names its format.
bool whole_part(const std::string &bytes) {
    const nlohmann::json part = nlohmann::json::parse(bytes, nullptr, false);
    return !part.is_discarded() && part.is_object() && part.value("format", "") == "nxhost-part/1";
}

class Post : public BatchDialog {
protected:
    // The part exists whole in its folder, as its _temp copy, or handed over with its task; a
    // task never lacks its whole part.
    void expect_part_kept() const {
        int whole = 0;
        for (const char *file : {"parts/two.prt", "parts/two_temp.prt", "tasks/two.prt"}) {
            if (!file_exists(file)) continue;
            EXPECT_TRUE(whole_part(read_file(file))) << file;
            ++whole;
        }
        EXPECT_GT(whole, 0) << "the part is lost";
        if (file_exists("tasks/two.temp")) {
            EXPECT_TRUE(file_exists("tasks/two.prt")) << "a task without its part";
        }
    }

    void SetUp() override {
        BatchDialog::SetUp();
        nxhost::set_node_name("CAM-PC-07");
    }

    // The part displayed with its plan, the post pressed with these settings.
    int post(const std::string &part, const std::string &task_dir, const std::string &prefix = "", int keep = 1) {
        open_part(part);
        plan();
        return press_post(task_dir, prefix, keep);
    }

    int press_post(const std::string &task_dir, const std::string &prefix = "", int keep = 1) {
        return run_closing(" set WIDE_S_32 " + quoted(task_dir) + "\n set WIDE_S_58 " + quoted(prefix) +
                           "\n set TOGGLE_57 " + std::to_string(keep) + "\n activate BLO_59 1\n");
    }
};

struct PostCase {
    const char *name;
    const char *part;      // Windows path on drive D
    const char *task_dir;  // as typed into WIDE_S_32
    const char *prefix;
    int keep;
    const char *read_only;  // NXHOST_READONLY
    const char *message;    // catalogue tag, "" = none
    std::vector<std::string> present, absent;  // below drive D after the post
    const char *record_path;                   // the record's third field; "" = no record
    const char *constructor_message = "";      // what the dialog said on opening
};

void PrintTo(const PostCase &c, std::ostream *out) { *out << c.name; }

class PostCases : public Post, public ::testing::WithParamInterface<PostCase> {};

TEST_P(PostCases, HandOverOrRefuseWithTheirMessageAndNothingLost) {
    const PostCase &c = GetParam();
    fs::create_directories(drive_dir() + "/tasks");
    write_file("tasks/.keep", "");
    if (c.read_only[0]) set_env("NXHOST_READONLY", c.read_only);
    const std::string original = kTwoBoxes;
    const auto before = drive_files();
    post(c.part, c.task_dir, c.prefix, c.keep);

    Lines shown = messages();
    if (c.constructor_message[0] && !shown.empty()) {
        EXPECT_EQ(shown.front(), c.constructor_message);
        shown.erase(shown.begin());
    }
    if (c.message[0]) {
        EXPECT_EQ(shown, Lines{english(c.message)});
        EXPECT_NE(UF_PART_ask_display_part(), NULL_TAG) << "a refused post leaves the part open";
        EXPECT_EQ(static_post_started, 0);
    } else {
        EXPECT_EQ(shown, Lines{}) << joined(shown);
        EXPECT_EQ(UF_PART_ask_display_part(), NULL_TAG) << "the posted part is closed";
    }
    for (const std::string &file : c.present) EXPECT_TRUE(file_exists(file)) << file;
    for (const std::string &file : c.absent) EXPECT_FALSE(file_exists(file)) << file;
    // Only the task directory and the part's own folder take files; the dialog keeps its settings.
    const std::string part_dir = relative_of(c.part).substr(0, relative_of(c.part).rfind('/') + 1);
    for (const std::string &file : changed_since(before)) {
        const bool allowed = file.rfind("tasks/", 0) == 0 || file.rfind(part_dir, 0) == 0 ||
                             file == "qz_conf/temp/torvane.dat";
        EXPECT_TRUE(allowed) << file << " written outside the task directory and the part's folder";
    }
    if (c.record_path[0]) {
        const std::string stem = post_names_of(c.part).short_name;
        const std::string record = read_file("tasks/" + stem + ".temp");
        EXPECT_EQ(record, post_task_record(stem, "CAM-PC-07", c.prefix, c.record_path));
        EXPECT_TRUE(whole_part(read_file("tasks/" + stem + ".prt")));
    } else {
        // A refused post leaves the part's file as it was.
        EXPECT_EQ(read_file(relative_of(c.part)), original);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PostCases,
    ::testing::Values(
        PostCase{"HandedOverKeepingTheTempCopy", "D:\\parts\\two.prt", "D:\\tasks", "", 1, "", "",
                 {"parts/two_temp.prt", "tasks/two.prt", "tasks/two.temp"},
                 {"parts/two.prt", "tasks/qz_test_path.txt"}, "D:\\parts\\two.prt"},
        PostCase{"TempCopyDeletedWhenNotKept", "D:\\parts\\two.prt", "D:\\tasks\\", "P:\\", 0, "", "",
                 {"tasks/two.prt", "tasks/two.temp"}, {"parts/two.prt", "parts/two_temp.prt"}, "D:\\parts\\two.prt"},
        PostCase{"PartWithoutExtensionGetsPrt", "D:\\parts\\two", "D:\\tasks", "", 1, "", "",
                 {"parts/two_temp.prt", "tasks/two.prt", "tasks/two.temp"}, {"parts/two"}, "D:\\parts\\two",
                 // The program name the dialog proposes is taken from the file name's extension.
                 "MY_divide_part_name, err part path!"},
        PostCase{"DirectoryWithADot", "D:\\jobs.v2\\two.prt", "D:\\tasks", "", 1, "", "",
                 {"jobs.v2/two_temp.prt", "tasks/two.prt"}, {"jobs.v2/two.prt", "jobs_temp.v2"}, "D:\\jobs.v2\\two.prt"},
        PostCase{"NetworkPrefix", "D:\\parts\\two.prt", "D:\\tasks", "\\\\cam-srv\\parts", 1, "", "",
                 {"tasks/two.prt"}, {}, "D:\\parts\\two.prt"},
        PostCase{"PrefixWithABlankRefusedFirst", "D:\\parts\\two.prt", "D:\\nowhere", "\\\\cam srv\\parts", 1, "",
                 "post_backstage_cal_01:", {"parts/two.prt"}, {"parts/two_temp.prt"}, ""},
        PostCase{"NoTaskDirectory", "D:\\parts\\two.prt", "", "", 1, "", "post_backstage_cal_02:", {"parts/two.prt"},
                 {"parts/two_temp.prt"}, ""},
        PostCase{"MissingTaskDirectory", "D:\\parts\\two.prt", "D:\\nowhere", "", 1, "", "post_backstage_cal_03:",
                 {"parts/two.prt"}, {"nowhere"}, ""},
        PostCase{"ReadOnlyTaskDirectory", "D:\\parts\\two.prt", "D:\\tasks", "", 1, "D:\\tasks",
                 "post_backstage_cal_03:", {"parts/two.prt"}, {"tasks/two.temp", "tasks/qz_test_path.txt"}, ""},
        PostCase{"TaskDirectoryWithoutItsDrive", "D:\\parts\\two.prt", "tasks", "", 1, "", "post_backstage_cal_03:",
                 {"parts/two.prt"}, {"tasks/two.temp"}, ""},
        PostCase{"UnmountedShare", "D:\\parts\\two.prt", "\\\\cam-srv\\nothing", "", 1, "", "post_backstage_cal_03:",
                 {"parts/two.prt"}, {}, ""}),
    [](const ::testing::TestParamInfo<PostCase> &info) { return std::string(info.param.name); });

// A task directory on a network share, reached through its mount; a blank in its name is fine.
TEST_F(Post, ReachesATaskDirectoryOnANetworkShare) {
    fs::create_directories(temp_dir() + "/share/cam tasks");
    set_env("NXHOST_MOUNTS", std::string(std::getenv("NXHOST_MOUNTS")) + "|\\\\cam-srv\\tasks=" + temp_dir() + "/share");
    post("D:\\parts\\two.prt", "\\\\cam-srv\\tasks\\cam tasks");
    EXPECT_EQ(messages(), Lines{});
    EXPECT_TRUE(whole_part(testsupport::read_host_file(temp_dir() + "/share/cam tasks/two.prt")));
    EXPECT_EQ(testsupport::read_host_file(temp_dir() + "/share/cam tasks/two.temp"),
              post_task_record("two", "CAM-PC-07", "", "D:\\parts\\two.prt"));
}

// Each step of the hand-off made to fail in turn. What exists afterwards, by step.
struct StepCase {
    const char *step;
    std::function<void()> inject;
    const char *message;  // "" = none
    bool closed;          // the part is no longer open
    std::vector<std::string> present, absent;
};

TEST_F(Post, AStepThatFailsLosesNoPart) {
    const StepCase cases[] = {
        {"save", [] { nxhost::fail_calls_named("UF_PART_save", 1); }, "post_backstage_cal_07:", false,
         {"parts/two.prt"}, {"parts/two_temp.prt", "tasks/two.temp", "tasks/two.prt"}},
        {"close", [] { nxhost::fail_calls_named("UF_PART_close", 1); }, "post_backstage_cal_07:", false,
         {"parts/two.prt"}, {"parts/two_temp.prt", "tasks/two.temp", "tasks/two.prt"}},
        {"move", [] { sys_fault_fail_path("D:\\parts\\two.prt"); }, "post_backstage_cal_06:", true,
         {"parts/two.prt"}, {"parts/two_temp.prt", "tasks/two.temp", "tasks/two.prt"}},
        {"copy: the _temp copy cannot be read", [] { sys_fault_fail_path("D:\\parts\\two_temp.prt"); },
         "post_backstage_cal_06:", true, {"parts/two_temp.prt"}, {"parts/two.prt", "tasks/two.temp", "tasks/two.prt"}},
        {"copy: the task directory refuses the part", [] { sys_fault_fail_path("D:\\tasks\\two.prt"); },
         "post_backstage_cal_06:", true, {"parts/two_temp.prt"}, {"parts/two.prt", "tasks/two.temp", "tasks/two.prt"}},
        {"copy: the disk runs full", [] { sys_fault_disk_space(1000); }, "post_backstage_cal_06:", true,
         {"parts/two_temp.prt"}, {"parts/two.prt", "tasks/two.temp", "tasks/two.prt"}},
    };
    for (const StepCase &c : cases) {
        SCOPED_TRACE(c.step);
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
        nxhost::set_node_name("CAM-PC-07");
        sys_fault_reset();
        fs::remove_all(drive_dir() + "/parts");
        fs::remove_all(drive_dir() + "/tasks");
        fs::create_directories(drive_dir() + "/tasks");
        c.inject();
        post("D:\\parts\\two.prt", "D:\\tasks", "", 0);
        nxhost::fail_calls_named("", 0);
        Lines expected = {english(c.message)};
        // The disk is still full when the dialog keeps its settings on closing.
        if (std::string(c.step).find("disk") != std::string::npos) expected.push_back("写默认值错误!");
        EXPECT_EQ(messages(), expected);
        EXPECT_EQ(UF_PART_ask_display_part() == NULL_TAG, c.closed);
        for (const std::string &file : c.present) {
            EXPECT_TRUE(file_exists(file)) << file;
            EXPECT_TRUE(whole_part(read_file(file))) << file;
        }
        for (const std::string &file : c.absent) EXPECT_FALSE(file_exists(file)) << file;
        reset_turn_state();
    }
}

// Whatever file call of the dialog's session fails, the part or its _temp copy exists whole, and
// a task in the task directory always comes with its whole part.
TEST_F(Post, EveryFileCallFailingInTurnLeavesThePartWhole) {
    const auto attempt = [&](long failing) {
        nxhost::reset_all();
        ASSERT_EQ(UF_initialize(), 0);
        prepare_session();
        fs::remove(drive_dir() + "/qz_conf/temp/torvane.dat");
        fs::remove_all(drive_dir() + "/parts");
        fs::remove_all(drive_dir() + "/tasks");
        fs::create_directories(drive_dir() + "/tasks");
        sys_fault_reset();
        sys_fault_fail_call(failing);
        post("D:\\parts\\two.prt", "D:\\tasks", "", 0);
        expect_part_kept();
        // The turn's own state, freed as the session loop does, without counting NX calls.
        UF_free(static_elec_tags);
        static_elec_tags = nullptr;
        static_elec_count = 0;
        free_plan_tree(&static_plan_list);
    };
    attempt(0);
    const long total = sys_fault_calls_made();
    ASSERT_GT(total, 6);
    for (long n = 1; n <= total; ++n) {
        SCOPED_TRACE("file call " + std::to_string(n) + " of " + std::to_string(total) + " fails");
        attempt(n);
        EXPECT_EQ(sys_fault_calls_failed(), 1);
    }
}

// Every NX call of the dialog's session failing in turn: never a lost part, never a crash.
TEST_F(Post, EveryNxCallFailingInTurnLeavesThePartWhole) {
    expect_dialog_created_ = false;
    const auto setup = [&] {
        // The body freed the turn's state in the session before; this is a new one.
        static_elec_tags = nullptr;
        prepare_session();
        // The settings the last dialog kept would change what the next one does.
        fs::remove(drive_dir() + "/qz_conf/temp/torvane.dat");
        fs::remove_all(drive_dir() + "/parts");
        fs::remove_all(drive_dir() + "/tasks");
        fs::create_directories(drive_dir() + "/tasks");
        open_part("D:\\parts\\two.prt");
        plan();
    };
    const auto body = [&] {
        press_post("D:\\tasks", "", 0);
        expect_part_kept();
        // The turn's own state, freed as the session loop does, without counting NX calls.
        UF_free(static_elec_tags);
        static_elec_tags = nullptr;
        static_elec_count = 0;
        free_plan_tree(&static_plan_list);
    };
    EXPECT_GT(testsupport::run_failing_each_call(setup, body), 10);
}

}  // namespace
