// check-config on a copy of the shipped configuration with one fault of each kind: each gives
// exactly its line and the exit code of its severity; the shipped configuration gives none.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "nxhost/checkconf/checks.h"
#include "standin_test.h"

namespace {

namespace fs = std::filesystem;
using nxhost::checkconf::Finding;

// One fault: in `file` (below the drive root), `from` becomes `to` (from "" appends `to`; to
// nullptr deletes the file), then `extra` is appended. In the expected line {L} is the line of the change and {AT:text} the line where text first stands in
// the changed file; a final '*' matches any rest.
struct Fault {
    const char *name;
    const char *file;
    const char *from;
    const char *to;
    const char *expected;
    int exit_code;
    const char *extra = "";
};

void PrintTo(const Fault &fault, std::ostream *out) { *out << fault.name; }

const Fault FAULTS[] = {
    {"MissingKey", "qz_conf/config.def", "elec_middle_number: 0\n", "",
     "qz_conf/config.def:1: error: key elec_middle_number: is missing", 10},
    {"MalformedValue", "qz_conf/config_cam.def", "path_elec_text_dir: 1\n", "path_elec_text_dir: left\n",
     "qz_conf/config_cam.def:{L}: error: path_elec_text_dir: 'left' is not a whole number", 10},
    {"ValueOutOfRange", "qz_conf/config_cam.def", "path_elec_text_dir: 1\n", "path_elec_text_dir: 7\n",
     "qz_conf/config_cam.def:{L}: error: path_elec_text_dir: 7 is out of range (1 to 4)", 10},
    {"ValueWithTrailingText", "qz_conf/config.def", "elec_rough_space: 0.15\n", "elec_rough_space: 0.15mm\n",
     "qz_conf/config.def:{L}: warning: elec_rough_space: '0.15mm' is read as 0.15", 9},
    {"LastValueWithoutLineEnd", "qz_conf/config_cam.def", "elec_text_compensate_value: 0.2\n",
     "elec_text_compensate_value: 0.2",
     "qz_conf/config_cam.def:{L}: error: elec_text_compensate_value: has no value (the last value needs a line end "
     "after it)",
     10},
    {"AnglesCrossed", "qz_conf/config_cam.def", "fix_user_def_oper_start_angle: 30\n",
     "fix_user_def_oper_start_angle: 70\n",
     "qz_conf/config_cam.def:{L}: error: fix_user_def_oper_start_angle: 70 is above fix_user_def_oper_end_angle: 60",
     10},
    {"ShortToolRow", "qz_conf/config_tool_libref.def", "| HSK63A_SF06_80 | flat_end_mill_D2_carbide_2F\n", "\n",
     "qz_conf/config_tool_libref.def:{L}: error: row has 19 columns, a cutter row has 21", 10},
    {"ToolDiameterZero", "qz_conf/config_tool_libref.def", "1 | D2 | 2 |", "1 | D2 | 0 |",
     "qz_conf/config_tool_libref.def:{L}: error: diameter of cutter D2 is 0", 10},
    {"UnknownHolder", "qz_conf/config_tool_libref.def", "| HSK63A_SF06_80 | flat_end_mill_D2_carbide_2F",
     "| HSK63A_SF99 | flat_end_mill_D2_carbide_2F",
     "qz_conf/config_tool_libref.def:{L}: error: holder 'HSK63A_SF99' is not in the holder table", 10},
    {"DuplicateCutter", "qz_conf/config_tool_libref.def", "2 | D3 | 3 |", "2 | d2 | 3 |",
     "qz_conf/config_tool_libref.def:{L}: warning: cutter 'D2' is already on line {AT:1 | D2 |}", 9},
    {"HolderTableWithoutEof", "qz_conf/config_holder_libref.def", "EOF", "",
     "qz_conf/config_holder_libref.def:{AT:holder_data_define_start_1:}: error: the holder table starting at holder_data_define_start_1: has no "
     "EOF line",
     10},
    {"HolderSectionsMissing", "qz_conf/config_holder_libref.def", "| 21X45X4.5;27X35;50X10;63X25 |", "| |",
     "qz_conf/config_holder_libref.def:{L}: error: holder HSK63A_SF06_80 has no sections", 10},
    {"HolderSectionWithoutLength", "qz_conf/config_holder_libref.def", "| 21X45X4.5;27X35;50X10;63X25 |",
     "| 21X45X4.5;27;50X10;63X25 |",
     "qz_conf/config_holder_libref.def:{L}: error: holder HSK63A_SF06_80: section 2 needs a diameter and a length "
     "above 0",
     10},
    {"HolderTableMissing", "qz_conf/config_holder_libref.def", "holder_data_define_start_1:", "holder_data_start:",
     "qz_conf/config_holder_libref.def:1: error: the holder table starting at holder_data_define_start_1: is missing",
     10},
    {"TemplateToMissingPart", "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", ";cu_fine.prt;",
     ";cu_gone.prt;",
     "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def:{L}: error: template part cu_gone.prt is not in the "
     "template folder",
     10},
    {"TemplateToPartWithoutSetup", "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", ";cu_fine.prt;",
     ";probe.prt;",
     "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def:{L}: error: template part probe.prt has no CAM setup",
     10},
    {"TemplatePictureMissing", "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", ";cu_fine.bmp;",
     ";cu_gone.bmp;",
     "qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def:{L}: warning: picture cu_gone.bmp is not in the "
     "template folder",
     9},
    {"InsertDefinitionToNothing", "qz_conf/cam_qz/insert_template/insert_oper_template.def", "", "NO_SUCH-F1=x\n",
     "qz_conf/cam_qz/insert_template/insert_oper_template.def:{L}: warning: no operation NO_SUCH-F1 in "
     "insert_oper_template.prt: its description is never shown",
     9},
    {"InsertGroupDefinitionToAnOperation", "qz_conf/cam_qz/insert_template/insert_group_template.def", "",
     "CAV_TOP-R1=x\n",
     "qz_conf/cam_qz/insert_template/insert_group_template.def:{L}: warning: no program group CAV_TOP-R1 in "
     "insert_group_template.prt: its description is never shown",
     9},
    {"EnglishTagMissing", "lang-en/torvane.txt", "ufusr_01:", "ufusr_1:",
     "lang-en/torvane.txt:1: error: English text of ufusr_01: is missing", 10},
    {"ChineseTagMissing", "qz_conf/lang/my_func.txt", "read_config_value_01:", "read_config_value_1:",
     "qz_conf/lang/my_func.txt:1: error: Chinese text of read_config_value_01: is missing", 10},
    {"EnglishTextWithoutLineEnd", "lang-en/torvane.txt", "ufusr_01:", "ufusr_1:",
     "lang-en/torvane.txt:{AT:ufusr_01: }: error: ufusr_01: has no text ended by a line end", 10,
     "ufusr_01: Cannot start"},
    {"LayoutMissing", "dialogs/sel_cam_template_dlg.dlg", "", nullptr,
     "dialogs/sel_cam_template_dlg.dlg:1: error: dialog layout sel_cam_template_dlg.dlg is missing", 10},
    {"LayoutItemMissing", "dialogs/torvane_dlg.dlg", "{\"id\": \"TOGGLE_15\"", "{\"id\": \"TOGGLE_99\"",
     "dialogs/torvane_dlg.dlg:{AT:\"items\"}: error: item TOGGLE_15 is missing", 10},
    {"LayoutItemOfAnotherKind", "dialogs/torvane_dlg.dlg", "{\"id\": \"TOGGLE_13\", \"kind\": \"toggle\"",
     "{\"id\": \"TOGGLE_13\", \"kind\": \"integer\"",
     "dialogs/torvane_dlg.dlg:{L}: error: item TOGGLE_13 is an integer; the add-on uses it as a toggle", 10},
    {"LayoutBrokenJson", "dialogs/sel_cam_template_dlg.dlg", "\"items\": [", "\"items\": ",
     "dialogs/sel_cam_template_dlg.dlg:1: error: not a dialog layout: *", 10},
};

class CheckConfig : public testsupport::StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        const fs::path source = testsupport::source_dir();
        const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
        fs::copy(source / "conf/qz_conf", fs::path(drive_dir()) / "qz_conf", options);
        fs::copy(source / "conf/lang-en", fs::path(drive_dir()) / "lang-en", options);
        fs::copy(source / "torvane/dialogs", fs::path(drive_dir()) / "dialogs", options);
        fs::copy(source / "conf/samples/probe.prt",
                 fs::path(drive_dir()) / "qz_conf/cam_qz/cam_template/probe.prt", options);
    }

    // The findings as lines, with the drive folder taken off the paths.
    std::vector<std::string> check(int *code = nullptr) const {
        nxhost::checkconf::Places places;
        places.root = drive_dir() + "/qz_conf";
        places.english = drive_dir() + "/lang-en";
        places.dialog_dirs = {drive_dir() + "/dialogs"};
        const std::vector<Finding> findings = nxhost::checkconf::check_config(places);
        if (code) *code = nxhost::checkconf::exit_code(findings);
        std::vector<std::string> lines;
        for (const Finding &f : findings) {
            std::string line = nxhost::checkconf::finding_text(f);
            const std::string prefix = drive_dir() + "/";
            if (line.compare(0, prefix.size(), prefix) == 0) line.erase(0, prefix.size());
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(CheckConfig, FindsNothingInTheShippedConfiguration) {
    int code = -1;
    EXPECT_EQ(check(&code), std::vector<std::string>());
    EXPECT_EQ(code, nxhost::checkconf::kExitClean);
}

class OneFault : public CheckConfig, public ::testing::WithParamInterface<Fault> {};

int line_of(const std::string &text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

TEST_P(OneFault, IsReportedAloneOnItsLineWithTheCodeOfItsSeverity) {
    const Fault &fault = GetParam();
    const std::string original = read_file(fault.file);
    ASSERT_FALSE(original.empty()) << fault.file;
    std::string changed = original;
    std::size_t at = original.size();
    if (!fault.to) {
        fs::remove(fs::path(drive_dir()) / fault.file);
    } else if (*fault.from) {
        at = original.find(fault.from);
        ASSERT_NE(at, std::string::npos) << "the shipped " << fault.file << " no longer holds " << fault.from;
        changed.replace(at, std::string(fault.from).size(), fault.to);
    } else {
        changed += fault.to;
    }
    changed += fault.extra;
    if (fault.to) write_file(fault.file, changed);

    std::string expected = fault.expected;
    for (std::size_t p; (p = expected.find("{L}")) != std::string::npos;)
        expected.replace(p, 3, std::to_string(line_of(changed, at)));
    for (std::size_t p; (p = expected.find("{AT:")) != std::string::npos;) {
        const std::size_t close = expected.find('}', p);
        const std::size_t found = changed.find(expected.substr(p + 4, close - p - 4));
        ASSERT_NE(found, std::string::npos) << expected;
        expected.replace(p, close - p + 1, std::to_string(line_of(changed, found)));
    }
    int code = -1;
    const std::vector<std::string> lines = check(&code);
    ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
    if (expected.back() == '*') EXPECT_EQ(lines[0].substr(0, expected.size() - 1), expected.substr(0, expected.size() - 1));
    else EXPECT_EQ(lines[0], expected);
    EXPECT_EQ(code, fault.exit_code);
}

INSTANTIATE_TEST_SUITE_P(EachKind, OneFault, ::testing::ValuesIn(FAULTS),
                         [](const ::testing::TestParamInfo<Fault> &info) { return std::string(info.param.name); });

TEST(AddonNames, AreTakenFromTheSources) {
    using namespace nxhost::checkconf;
    EXPECT_GE(addon_tags().size(), 200u);
    const auto tag = std::find_if(addon_tags().begin(), addon_tags().end(),
                                  [](const CatalogueTag &t) { return std::string(t.tag) == "get_char_holder_section_dat_01:"; });
    ASSERT_NE(tag, addon_tags().end());
    EXPECT_STREQ(tag->catalogue, "torvane.txt") << "a tag shown from another module's catalogue";
    std::vector<std::string> items;
    for (const DialogItem &item : addon_dialog_items()) items.push_back(std::string(item.dialog) + " " + item.item);
    EXPECT_NE(std::find(items.begin(), items.end(), "sel_cam_template_dlg.dlg LIST_1"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), "torvane_dlg.dlg MULTI_LIST_70"), items.end());
}

// A key the add-on reads that the checker does not know would go unchecked.
TEST(AddonNames, HoldNoKeyTheCheckerDoesNotKnow) {
    using namespace nxhost::checkconf;
    const std::vector<std::string> known = known_keys();
    EXPECT_GE(addon_key_literals().size(), 20u);
    for (const std::string &literal : addon_key_literals()) {
        // Keys built at run time: "tool_libref_%d_name:", "tool_data_define_start_" + N + ":".
        const std::size_t format = literal.find("%d");
        const bool matched = std::any_of(known.begin(), known.end(), [&](const std::string &key) {
            if (format != std::string::npos)
                return key.size() == literal.size() - 1 && key.compare(0, format, literal, 0, format) == 0 &&
                       key.compare(format + 1, std::string::npos, literal, format + 2) == 0;
            if (literal.back() == '_') return key.compare(0, literal.size(), literal) == 0;
            return key == literal;
        });
        EXPECT_TRUE(matched) << literal << " is read by the add-on but unknown to check-config";
    }
}

}  // namespace
