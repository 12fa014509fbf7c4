// Batches of part files: the picker's exchange file read whatever state it is in, the paths a
// batch takes, the picker program run from the dialog (also when it crashes or writes garbage),
// and the walk to the next part file: saved, opened, closed, displayed, never a part lost.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "batch_fixture.h"
#include "my_func_cam/sel_more_file.h"
#include "torvane/dialogs/part_files.h"

namespace {

using namespace batchtest;
using addontest::english;

// An exchange file: the count, then a record of 500 bytes per path.
std::string exchange_file(std::int32_t count, const std::vector<std::string> &paths) {
    std::string bytes(reinterpret_cast<const char *>(&count), 4);
    for (const std::string &path : paths) {
        std::string record = path;
        record.resize(500, '\0');
        bytes += record;
    }
    return bytes;
}

std::vector<std::string> numbered_paths(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) paths.push_back("D:\\jobs\\p" + std::to_string(i) + ".prt");
    return paths;
}

struct ExchangeCase {
    const char *what;
    bool write;
    std::string bytes;
    sel_more_file_result result;
    std::vector<std::string> paths;
};

class SelMoreFile : public testsupport::DriveTest {};

TEST_F(SelMoreFile, ReadsAWholeListAndRefusesAShortOne) {
    const std::vector<std::string> two = {"D:\\jobs\\a.prt", "E:\\mould 7\\b.prt"};
    const std::string no_nul(500, 'x');
    const ExchangeCase cases[] = {
        {"missing", false, "", SEL_MORE_FILE_MISSING, {}},
        {"two paths", true, exchange_file(2, two), SEL_MORE_FILE_READ, two},
        {"an empty choice", true, exchange_file(0, {}), SEL_MORE_FILE_READ, {}},
        {"401 paths, the most there are", true, exchange_file(401, numbered_paths(401)), SEL_MORE_FILE_READ,
         numbered_paths(401)},
        {"402 announced", true, exchange_file(402, numbered_paths(402)), SEL_MORE_FILE_SHORT, {}},
        {"fewer records than the count", true, exchange_file(3, two), SEL_MORE_FILE_SHORT, {}},
        {"a record cut short", true, exchange_file(2, two).substr(0, 4 + 500 + 250), SEL_MORE_FILE_SHORT, {}},
        {"no whole count", true, "\x02\x00", SEL_MORE_FILE_SHORT, {}},
        {"a negative count", true, exchange_file(-1, {}), SEL_MORE_FILE_SHORT, {}},
        {"text, not a list", true, "D:\\jobs\\a.prt\r\nD:\\jobs\\b.prt\r\n", SEL_MORE_FILE_SHORT, {}},
        {"a record without its end", true, exchange_file(1, {no_nul}), SEL_MORE_FILE_READ, {no_nul.substr(0, 499)}},
    };
    for (const ExchangeCase &c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(drive_dir() + "/qz_conf/temp/sel_more_file.dat");
        if (c.write) write_file("qz_conf/temp/sel_more_file.dat", c.bytes);
        std::vector<std::string> paths = {"left over"};
        EXPECT_EQ(MY_read_sel_more_file(MY_SEL_MORE_FILE_PATH, &paths), c.result);
        EXPECT_EQ(paths, c.paths);
    }
}

TEST(BatchPartPath, TakesOnlyPrtFilesOtherThanTheDisplayedPart) {
    const struct {
        const char *path;
        int taken;
    } cases[] = {
        {"D:\\jobs\\a.prt", 1},       {"D:\\jobs\\A.PRT", 0},       {"D:\\jobs\\a.Prt", 0},
        {"D:\\jobs\\shown.prt", 0},   {"D:\\jobs\\a.prt.bak", 0},   {"D:\\jobs.prt\\a", 0},
        {"D:\\jobs\\a", 0},           {"D:\\jobs.v2\\a.prt", 1},    {"D:\\JOBS\\shown.prt", 1},
    };
    for (const auto &c : cases) EXPECT_EQ(is_batch_part_path(c.path, "D:\\jobs\\shown.prt"), c.taken) << c.path;
}

// The main dialog on D:\jobs\a.prt with the stand-in's picker installed where the add-on runs it.
class PartFiles : public BatchDialog {
protected:
    void SetUp() override {
        BatchDialog::SetUp();
        write_file("qz_conf/temp/qz_pick_files.exe",
                   testsupport::read_host_file(testsupport::binary_dir() + "/nxhost/picker/qz_pick_files.exe"));
        fs::permissions(drive_dir() + "/qz_conf/temp/qz_pick_files.exe", fs::perms::owner_all);
        set_env("NXHOST_PICKER_ANSWER", temp_dir() + "/picker-answer.txt");
        for (const char *name : {"a", "b", "c"}) write_file(std::string("jobs/") + name + ".prt", kTwoBoxes);
        open_part("D:\\jobs\\a.prt");
        plan();
    }

    // The lines MULTI_LIST_70 showed last.
    Lines part_file_lines() const {
        Lines lines, all = dialog_lines();
        for (auto it = all.begin(); it != all.end(); ++it)
            if (it->rfind("  MULTI_LIST_70 multi_list:", 0) == 0) {
                lines.clear();
                for (auto line = it + 1; line != all.end() && line->rfind("     ", 0) == 0; ++line) lines.push_back(*line);
            }
        return lines;
    }

    static std::string line_of(const std::string &status, const std::string &name) {
        return "     \"" + english(status) + "    " + name + "\"";
    }

    std::vector<std::string> list_names() const {
        std::vector<std::string> names;
        for (const part_file *p = static_part_file_list; p; p = p->next_p) names.push_back(p->part_path);
        return names;
    }

    // The next dialog of the batch on the part the last one opened.
    int next_turn(const std::string &actions) {
        reset_plan();
        take_electrodes();
        plan();
        static_next_part_pending = 0;
        static_post_started = 0;
        clear_shown();
        return run_closing(actions);
    }

    static void reset_plan() { free_plan_tree(&static_plan_list); }
};

struct PickerCase {
    const char *what;
    std::string answer;  // the picker line
    const char *message;  // catalogue tag and file; "" = none
    const char *catalogue;
    std::vector<std::string> list;  // part paths afterwards
};

TEST_F(PartFiles, ThePickersAnswerReplacesTheListOrIsRefused) {
    const PickerCase cases[] = {
        {"the displayed part and capitals are left out",
         "picker D:\\jobs\\a.prt D:\\jobs\\b.prt D:\\jobs\\C.PRT D:\\jobs\\c.prt D:\\notes.txt", "", "",
         {"D:\\jobs\\b.prt", "D:\\jobs\\c.prt"}},
        {"a crashed picker leaves the list as it was", "picker crash", "", "", {"D:\\jobs\\b.prt", "D:\\jobs\\c.prt"}},
        {"garbage is refused", "picker garbage", "MY_sel_more_file_01:", "my_func_cam.txt",
         {"D:\\jobs\\b.prt", "D:\\jobs\\c.prt"}},
        {"a list cut short is refused", "picker short D:\\jobs\\b.prt D:\\jobs\\c.prt", "MY_sel_more_file_01:",
         "my_func_cam.txt", {"D:\\jobs\\b.prt", "D:\\jobs\\c.prt"}},
        {"a count beyond the records is refused", "picker count 3 D:\\jobs\\c.prt", "MY_sel_more_file_01:",
         "my_func_cam.txt", {"D:\\jobs\\b.prt", "D:\\jobs\\c.prt"}},
        {"an empty choice empties the list", "picker", "", "", {}},
        {"a new choice replaces the list", "picker D:\\jobs\\c.prt", "", "", {"D:\\jobs\\c.prt"}},
    };
    for (const PickerCase &c : cases) {
        SCOPED_TRACE(c.what);
        reset_plan();
        plan();
        clear_shown();
        EXPECT_EQ(run(" activate BLO_68 0\n" + c.answer + "\n press BACK\n"), UF_UI_BACK);
        const Lines shown = messages();
        if (c.message[0]) EXPECT_EQ(shown, Lines{english(c.message, c.catalogue)});
        else EXPECT_EQ(shown, Lines{});
        EXPECT_EQ(list_names(), c.list);
        EXPECT_FALSE(file_exists("qz_conf/temp/sel_more_file.dat")) << "the exchange file is read once";
        EXPECT_NE(UF_PART_ask_display_part(), NULL_TAG);
    }
}

TEST_F(PartFiles, FourHundredAndOnePathsAreAllListed) {
    std::string answer = "picker";
    for (const std::string &path : numbered_paths(401)) answer += " " + path;
    run(" activate BLO_68 0\n" + answer + "\n press BACK\n");
    EXPECT_EQ(list_names(), numbered_paths(401));
    const Lines lines = part_file_lines();
    ASSERT_EQ(lines.size(), 401u);
    EXPECT_EQ(lines.front(), line_of("add_file_item_to_dlg_list_tai_01:", "p1"));
    EXPECT_EQ(lines.back(), line_of("add_file_item_to_dlg_list_tai_01:", "p401"));
}

// Next part file: the displayed part saved and closed, the next one opened and displayed; on the
// last one a message and the dialog stays.
TEST_F(PartFiles, NextOpensTheFollowingFileUntilTheLast) {
    EXPECT_EQ(run_closing(" activate BLO_68 1\n"), UF_UI_BACK) << "no list: the dialog stays";
    EXPECT_EQ(messages(), Lines{english("sel_more_part_file_02:")});

    reset_plan();
    plan();
    clear_shown();
    EXPECT_EQ(run_closing(" activate BLO_68 0\npicker D:\\jobs\\b.prt D:\\jobs\\c.prt\n activate BLO_68 1\n"),
              kClosedByAction);
    EXPECT_EQ(nxhost::part_name(UF_PART_ask_display_part()), "D:\\jobs\\b.prt");
    EXPECT_EQ(UF_PART_is_loaded("D:\\jobs\\a.prt"), 0) << "the old part is closed";
    EXPECT_NE(read_file("jobs/a.prt"), kTwoBoxes) << "and was saved first";
    EXPECT_EQ(static_current_part_file->part_path, std::string("D:\\jobs\\b.prt"));

    // b is applied (it becomes calculated in the list), then c is next; then c is the last.
    EXPECT_EQ(next_turn(" press APPLY\n activate BLO_68 1\n"), kClosedByAction);
    EXPECT_EQ(part_file_lines(), (Lines{line_of("add_file_item_to_dlg_list_tai_02:", "b"),
                                        line_of("add_file_item_to_dlg_list_tai_01:", "c")}));
    EXPECT_EQ(nxhost::part_name(UF_PART_ask_display_part()), "D:\\jobs\\c.prt");
    EXPECT_EQ(next_turn(" activate BLO_68 1\n"), UF_UI_BACK);
    EXPECT_TRUE(mentions(messages(), english("sel_more_part_file_03:"))) << joined(messages());
    EXPECT_EQ(nxhost::part_name(UF_PART_ask_display_part()), "D:\\jobs\\c.prt");
}

// A next part file that NX has open already is displayed as it is; one that cannot be opened
// leaves the displayed part open and saved.
TEST_F(PartFiles, ANextFileAlreadyOpenOrMissingLosesNothing) {
    std::string error;
    const tag_t b = nxhost::load_part("D:\\jobs\\b.prt", &error);
    ASSERT_NE(b, NULL_TAG) << error;
    EXPECT_EQ(run_closing(" activate BLO_68 0\npicker D:\\jobs\\b.prt D:\\jobs\\c.prt\n activate BLO_68 1\n"),
              kClosedByAction);
    EXPECT_EQ(UF_PART_ask_display_part(), b);
    EXPECT_EQ(UF_PART_is_loaded("D:\\jobs\\a.prt"), 0);

    fs::remove(drive_dir() + "/jobs/c.prt");
    EXPECT_EQ(next_turn(" activate BLO_68 1\n"), kClosedByAction);
    EXPECT_EQ(UF_PART_ask_display_part(), b) << "c cannot be opened: b stays displayed";
    EXPECT_NE(read_file("jobs/b.prt"), kTwoBoxes) << "and saved";
    EXPECT_TRUE(mentions(addontest::as_utf8(shown("listing")), "UF_PART_open")) << "the failed call is reported";
}

// Removing the chosen lines names each file and takes it out of the list.
TEST_F(PartFiles, RemoveTakesTheSelectedFilesOut) {
    run(" activate BLO_68 0\npicker D:\\jobs\\b.prt D:\\jobs\\c.prt\n"
        " select MULTI_LIST_70 \"" + english("add_file_item_to_dlg_list_tai_01:") + "    b\"\n activate BLO_68 2\n press BACK\n");
    EXPECT_EQ(messages(), Lines{"b"});
    EXPECT_EQ(list_names(), std::vector<std::string>{"D:\\jobs\\c.prt"});
    EXPECT_EQ(part_file_lines(), Lines{line_of("add_file_item_to_dlg_list_tai_01:", "c")});
}

// A post in a batch goes on with the next file; on the last one the dialog just closes.
TEST_F(PartFiles, APostMovesOnToTheNextFileWithoutClosingItTwice) {
    fs::create_directories(drive_dir() + "/tasks");
    EXPECT_EQ(run_closing(" activate BLO_68 0\npicker D:\\jobs\\b.prt\n set WIDE_S_32 D:\\tasks\n activate BLO_59 1\n"),
              kClosedByAction);
    EXPECT_EQ(messages(), Lines{});
    EXPECT_TRUE(file_exists("tasks/a.temp"));
    EXPECT_EQ(nxhost::part_name(UF_PART_ask_display_part()), "D:\\jobs\\b.prt");
    EXPECT_EQ(UF_PART_is_loaded("D:\\jobs\\a.prt"), 0);

    EXPECT_EQ(next_turn(" set WIDE_S_32 D:\\tasks\n activate BLO_59 1\n"), kClosedByAction);
    EXPECT_EQ(static_next_part_pending, 0) << "b was the last";
    EXPECT_EQ(UF_PART_ask_display_part(), NULL_TAG);
    EXPECT_TRUE(file_exists("tasks/b.temp"));
    EXPECT_TRUE(file_exists("jobs/b_temp.prt"));
}

}  // namespace
