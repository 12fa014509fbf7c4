// The template set (set file completed from the template directory) and the insert
// definitions: the records the selection dialog and the insert menus get, and what the user
// reads when a file is missing.
#include <filesystem>
#include <string>
#include <vector>

#include "addon_test_util.h"
#include "my_func_cam/cam_template.h"
#include "standin_test.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const char DIR[] = "D:\\tpl", SET[] = "D:\\tpl\\set.def", INSERT[] = "D:\\tpl\\insert.def";
const std::string CU = "\xCD\xAD\xB9\xAB";  // a Chinese label in code page 936

std::string text(const cam_template &t) {
    return std::string(t.label) + ";" + t.template_file + ";" + t.bitmap_file + ";" + t.description;
}
std::string text(const insert_def &d) { return std::string(d.name) + "=" + d.descr; }
template <class Record>
Lines records(const Record *list) {
    Lines out;
    for (; list; list = list->next_p) out.push_back(text(*list));
    return out;
}

class TemplateSet : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        write_file("qz_conf/lang/my_func_cam.txt",
                   addontest::numbered_catalogue("MY_read_qz_cam_template_de_", "T", 2) +
                       addontest::numbered_catalogue("MY_read_qz_cam_insert_", "I", 2));
    }
    void TearDown() override {
        free_cam_template_list(&set_);
        free_insert_def_list(&inserts_);
        StandinTest::TearDown();
    }
    // A fresh template directory with the set file and further (empty) files.
    void make_dir(const std::string &set, const Lines &files = {}) {
        fs::remove_all(drive_dir() + "/tpl");
        write_file("tpl/set.def", set);
        for (const std::string &f : files) write_file("tpl/" + f, "{}");
        clear_shown();
    }
    cam_template *set_ = nullptr;
    insert_def *inserts_ = nullptr;
};

TEST_F(TemplateSet, TurnsEachSetLineIntoARecordAndAppendsThePartsTheSetDoesNotName) {
    const struct {
        const char *what;
        std::string set;
        Lines files, expected;
        const char *dir = DIR;
    } cases[] = {
        {"four fields or fewer, a fifth ignored, Windows line ends",
         "L;a.prt;a.bmp;one|two;d2\nLabel;a.prt\r\nLabel\r\n", {},
         {"L;a.prt;a.bmp;one|two", "Label;a.prt;;", "Label;;;"}},
        {"blanks go from every field", " " + CU + " L ; a .prt;a.bmp; x | y \n", {}, {CU + "L;a.prt;a.bmp;x|y"}},
        {"lines with '#', under 5 characters with the newline or of blanks only are skipped",
         "# set\nL;a.prt;;see#3\nabc\nabcd\n      \n  \n\nM;b.prt;;\nabcd", {}, {"abcd;;;", "M;b.prt;;"}},
        {"over-long fields are cut to 255 and 1999, never inside a Chinese character",
         std::string(300, 'l') + ";" + std::string(256, 'f') + ";b\nL;a;b;" + std::string(2100, 'd') + "\n" +
             std::string(254, 'l') + CU + ";a.prt\n",
         {}, {std::string(255, 'l') + ";" + std::string(255, 'f') + ";b;", "L;a;b;" + std::string(1999, 'd'),
              std::string(254, 'l') + ";a.prt;;"}},
        {"the rest of a line over 2499 characters is dropped, not read as a line",
         "L;f.prt;f.bmp;" + std::string(2485, 'd') + "X;g.prt;g.bmp;bogus\nM;h.prt;;\n", {},
         {"L;f.prt;f.bmp;" + std::string(1999, 'd'), "M;h.prt;;"}},
        {"a part the set does not name comes last, file name only; no other file", "L;b.prt;b.bmp;d\n",
         {"a.prt", "b.prt", "a.bmp", "notes.txt", "x.prt.bak"}, {"L;b.prt;b.bmp;d", ";a.prt;;"}},
        {"letter case does not add a part twice", "L;CU.Prt;;\n", {"cu.prt", "B.PRT"}, {"L;CU.Prt;;", ";B.prt;;"}},
        {"an empty set takes the directory's parts", "", {"a.prt"}, {";a.prt;;"}},
        {"a missing directory leaves the set's records", "L;a.prt;;\n", {"b.prt"}, {"L;a.prt;;"}, "D:\\nowhere"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        make_dir(c.set, c.files);
        EXPECT_EQ(MY_read_qz_cam_template_def(&set_, c.dir, SET), 1);
        EXPECT_EQ(records(set_), c.expected);
        EXPECT_TRUE(shown().empty());
    }
}

TEST_F(TemplateSet, SurvivesEveryFailingDirectoryCall) {
    testsupport::run_failing_each_call([&] { make_dir("L;a.prt;;\n", {"b.prt", "c.prt"}); },
                                       [&] {
                                           EXPECT_EQ(MY_read_qz_cam_template_def(&set_, DIR, SET), 1);
                                           ASSERT_NE(set_, nullptr);
                                           EXPECT_STREQ(set_->template_file, "a.prt");
                                       });
}

TEST_F(TemplateSet, SaysWhichFileIsMissingAndEmptiesTheList) {
    make_dir("L;a.prt;;\n", {"b.prt"});
    ASSERT_EQ(MY_read_qz_cam_template_def(&set_, DIR, SET), 1);
    EXPECT_EQ(MY_read_qz_cam_template_def(&set_, DIR, "D:\\tpl\\none.def"), 0);
    EXPECT_EQ(set_, nullptr);
    EXPECT_EQ(MY_read_qz_cam_insert(&inserts_, "D:\\no.def"), 0);
    EXPECT_EQ(shown("message"), (Lines{"T01: \xA1\xB0" "D:\\tpl\\none.def\xA1\xB1, T02",
                                       "I01: \xA1\xB0" "D:\\no.def\xA1\xB1, I02"}));
}

TEST_F(TemplateSet, ReadsInsertLinesAsNameAndDescription) {
    write_file("tpl/insert.def", "# groups\nR_ROUGH=" + CU + "\nA-1=x=y\nFIX_TEXT\n CAV_TOP-R1 = a b \na=b\nab=c\n" +
                                     std::string(260, 'n') + "=d\n");
    ASSERT_EQ(MY_read_qz_cam_insert(&inserts_, INSERT), 1);
    ASSERT_EQ(MY_read_qz_cam_insert(&inserts_, INSERT), 1);  // read again: replaced, not appended
    EXPECT_EQ(records(inserts_), (Lines{"R_ROUGH=" + CU, "A-1=x", "FIX_TEXT=", "CAV_TOP-R1=ab", "ab=c",
                                        std::string(255, 'n') + "=d"}));
    const insert_def *found = find_insert_def(inserts_, "cav_top-r1");
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->name, "CAV_TOP-R1");
    EXPECT_EQ(find_insert_def(inserts_, "CAV_TOP"), nullptr);
}

TEST_F(TemplateSet, FindsATemplateByFileIgnoringLetterCaseOnly) {
    make_dir("A;cu.prt;;\nB;CU.PRT;;\n;\x81\x41.prt\n");
    ASSERT_EQ(MY_read_qz_cam_template_def(&set_, DIR, SET), 1);
    const cam_template *found = find_cam_template(set_, "Cu.Prt");
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->label, "A");
    EXPECT_NE(find_cam_template(set_, "\x81\x41.PRT"), nullptr);
    EXPECT_EQ(find_cam_template(set_, "\x81\x61.prt"), nullptr);  // another character, not another case
    EXPECT_EQ(find_cam_template(set_, "cu"), nullptr);
}

// The shipped sample set reads cleanly and names only files that are there.
TEST_F(TemplateSet, ShippedSampleSetNamesExistingPartsAndPictures) {
    const fs::path root = testsupport::source_dir() + "/conf/qz_conf";
    for (const auto &e : fs::recursive_directory_iterator(root / "cam_qz"))
        if (e.is_regular_file())
            write_file(fs::relative(e.path(), root.parent_path()).string(),
                       testsupport::read_host_file(e.path().string()));
    ASSERT_EQ(MY_read_qz_cam_template_def(&set_, CAM_TEMPLATE_DIR, CAM_TEMPLATE_SET_PATH), 1);
    const std::string dir = drive_dir() + "/qz_conf/cam_qz/cam_template/";
    int count = 0;
    for (const cam_template *t = set_; t; t = t->next_p, ++count) {
        EXPECT_TRUE(fs::exists(dir + t->template_file)) << t->template_file;
        EXPECT_TRUE(fs::exists(dir + (*t->bitmap_file ? t->bitmap_file : "null.bmp"))) << t->bitmap_file;
        EXPECT_EQ(*t->label != '\0', count < 4) << t->template_file;  // the set's four, then the unlisted part
        EXPECT_LT(std::string(t->description).size(), TEMPLATE_DESCR_BUFSIZE - 1u);  // not cut
    }
    EXPECT_EQ(count, 5);
    for (const char *path : {INSERT_GROUP_DEF_PATH, INSERT_OPER_DEF_PATH}) {
        ASSERT_EQ(MY_read_qz_cam_insert(&inserts_, path), 1);
        EXPECT_GE(records(inserts_).size(), 4u);
        for (const insert_def *d = inserts_; d; d = d->next_p) EXPECT_TRUE(*d->name && *d->descr) << d->name;
    }
    EXPECT_NE(find_insert_def(inserts_, "FIX_TEXT"), nullptr);
    EXPECT_TRUE(shown().empty());
}

}  // namespace
