// The operation report: each field at its end column, and the table a programmed sample part
// gives, with a class left out and operations not made yet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch_fixture.h"
#include "torvane/dialogs/oper_report.h"

namespace {

using namespace batchtest;

// Where each field of a row ends, counted from the row's line break.
struct ColumnCase {
    const char *what;
    oper_report_fields fields;
    const char *name;
    std::string expected;
};

std::string pad(int blanks) { return std::string(static_cast<std::size_t>(blanks), ' '); }

TEST(OperReportLine, PutsEveryFieldAtItsEndColumnOrTwoBlanksAfterTheText) {
    oper_report_fields all;
    all.part_stock = "0.45";
    all.floor_stock = "0.3";
    all.tool_offset = "-0.1";
    all.cutter = "D6R1";
    all.ref_cutter = "D12";
    all.cut_depth = "0.2";
    all.stepover = "0.15";
    all.spindle = "6500";
    all.feed = "1400";
    all.holder = "SF06_80";
    oper_report_fields long_holder = all;
    long_holder.holder = "HSK63A_SF06_80";
    oper_report_fields only_cutter;
    only_cutter.cutter = "D10";
    oper_report_fields long_cutter = only_cutter;
    long_cutter.cutter = "BALL_NOSE_D0.5_EXTRA_LONG";
    const ColumnCase cases[] = {
        {"every column", all, "ZLE_EDM-F3",
         "\n    ZLE_EDM-F3" + pad(13) + "0.45" + pad(5) + "0.3" + pad(4) + "-0.1" + pad(8) + "D6R1" + pad(9) + "D12" +
             pad(5) + "0.2" + pad(4) + "0.15" + pad(4) + "6500" + pad(4) + "1400" + pad(3) + "SF06_80"},
        {"a holder longer than its column follows two blanks after the feed", long_holder, "ZLE_EDM-F3",
         "\n    ZLE_EDM-F3" + pad(13) + "0.45" + pad(5) + "0.3" + pad(4) + "-0.1" + pad(8) + "D6R1" + pad(9) + "D12" +
             pad(5) + "0.2" + pad(4) + "0.15" + pad(4) + "6500" + pad(4) + "1400" + pad(2) + "HSK63A_SF06_80"},
        // Blank fields take their room too, up to the holder's column.
        {"empty fields leave their columns blank", only_cutter, "FACE-F1",
         "\n    FACE-F1" + pad(45) + "D10" + pad(54)},
        {"a name longer than 30 characters pushes the part stock", all, "CAVITY_MILL_WITH_A_VERY_LONG_NAME-R1",
         "\n    CAVITY_MILL_WITH_A_VERY_LONG_NAME-R1  0.45  0.3  -0.1  D6R1" + pad(5) + "D12" + pad(5) + "0.2" + pad(4) +
             "0.15" + pad(4) + "6500" + pad(4) + "1400" + pad(3) + "SF06_80"},
        {"a long cutter name pushes what follows", long_cutter, "A",
         "\n    A" + pad(42) + "  BALL_NOSE_D0.5_EXTRA_LONG" + pad(2) + pad(3) + pad(8 * 3) + pad(10)},
    };
    for (const ColumnCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(oper_report_line(c.name, c.fields), c.expected);
    }
    // Each filled field of the full row ends at its column.
    const std::string row = oper_report_line("ZLE_EDM-F3", all);
    const std::pair<const char *, int> ends[] = {{"0.45", 32}, {"0.3", 40},  {"-0.1", 48}, {"D6R1", 60},
                                                 {"D12", 72},  {"0.2", 80},  {"0.15", 88}, {"6500", 96},
                                                 {"1400", 104}, {"SF06_80", 114}};
    std::size_t from = 0;
    for (const auto &[text, column] : ends) {
        const std::size_t at = row.find(text, from);
        ASSERT_NE(at, std::string::npos) << text;
        EXPECT_EQ(static_cast<int>(at + std::string(text).size()), column) << text;
        from = at + 1;
    }
    EXPECT_EQ(uncreated_oper_report_line("FIX_TEXT-F6"), "\n    FIX_TEXT-F6" + pad(16));
    EXPECT_EQ(uncreated_oper_report_line("FIX_TEXT_WITH_A_NAME_OF_32_CHARS"), "\n    FIX_TEXT_WITH_A_NAME_OF_32_CHARS  ");
}

const char TEMPLATES[] = "STD;cu_std.prt;;all classes\n";

// The sample electrodes programmed with the standard copper template, the report written from
// the main dialog.
class OperReport : public BatchDialog {
protected:
    Lines report_lines() const {
        Lines lines;
        for (const std::string &text : shown("listing"))
            if (!text.empty()) lines.push_back(text);
        return lines;
    }
};

TEST_F(OperReport, ReadsEachColumnBackFromTheOperationsOfTheClassesSwitchedOn) {
    write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", TEMPLATES);
    std::string error;
    tag_t part = nxhost::load_part("D:\\samples\\electrodes.prt", &error);
    ASSERT_NE(part, NULL_TAG) << error;
    nxhost::set_display_part(part);
    // The finish class is applied later than the rough one: its operations are not made when the
    // first report is written. The second report leaves the rough class out.
    play("dialog sel_cam_template_dlg.dlg\n select LIST_1 \"STD  cu_std.prt\"\n set TOGGLE_2 1\n press OK\n"
         "dialog torvane_dlg.dlg\n set TOGGLE_8 0\n press APPLY\n set TOGGLE_8 1\n activate BLO_59 0\n"
         " set TOGGLE_4 0\n activate BLO_59 0\n press BACK\n");
    run_torvane();

    const std::string heading = "  " + addontest::english("report_ope_01:");
    const std::string rough = "0.45    0.45";
    const Lines expected = {
        heading,
        "R",
        "  R1-R",
        "    CAV_TOP-R1             " + rough + "                 D12                 0.5            4500    1600  HSK63A_SF12_90",
        "    CAV_EDM-R2             " + rough + "                  D6         D12     0.2            6500    1400  HSK63A_SF06_80",
        "    CAV_EDM-R_3            " + rough + "                  D6         D12     0.2            6500    1400  HSK63A_SF06_80",
        "    CAV_EDM-R_4            " + rough + "                  D6         D12     0.2            6500    1400  HSK63A_SF06_80",
        "    CAV_EDM-R_5            " + rough + "                  D6         D12     0.2            6500    1400  HSK63A_SF06_80",
        // The finish operations are planned but not made: their names alone.
        heading,
        "F",
        "  F1-F",
        "    FACE_EDM-F1" + pad(16),
        "    PLAN_EDM-F2" + pad(16),
        "    ZLE_EDM-F3" + pad(17),
        "  F2-F",
        "    FIX_0_45-F4" + pad(16),
        "    FIX_0_90-F5" + pad(16),
        "    FIX_TEXT-F6" + pad(16),
        // The second report: the rough class switched off.
        heading,
        "F",
        "  F1-F",
        "    FACE_EDM-F1" + pad(16),
        "    PLAN_EDM-F2" + pad(16),
        "    ZLE_EDM-F3" + pad(17),
        "  F2-F",
        "    FIX_0_45-F4" + pad(16),
        "    FIX_0_90-F5" + pad(16),
        "    FIX_TEXT-F6" + pad(16),
    };
    EXPECT_EQ(report_lines(), expected) << joined(report_lines());
}

// The finish operations applied: floor stock of face milling and planar milling, stepover of the
// fixed-contour ones, no cut depth where the subtype has none.
TEST_F(OperReport, ShowsTheColumnsEachSubtypeHas) {
    write_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", TEMPLATES);
    std::string error;
    tag_t part = nxhost::load_part("D:\\samples\\electrodes.prt", &error);
    ASSERT_NE(part, NULL_TAG) << error;
    nxhost::set_display_part(part);
    play("dialog sel_cam_template_dlg.dlg\n select LIST_1 \"STD  cu_std.prt\"\n set TOGGLE_2 1\n press OK\n"
         "dialog torvane_dlg.dlg\n set TOGGLE_4 0\n press APPLY\n activate BLO_59 0\n press BACK\n");
    run_torvane();
    const std::string feed_holder = "6500    1400  HSK63A_SF06_80";
    const Lines expected = {
        "  " + addontest::english("report_ope_01:"),
        "F",
        "  F1-F",
        // Face milling: floor stock and depth per cut; planar milling: floor stock and its
        // maximum depth; Z-level: the floor follows the part stock, global cut depth.
        "    FACE_EDM-F1            0.08       0                 D10                 0.2            5000    1600  HSK63A_SF10_90",
        "    PLAN_EDM-F2            0.08       0                  D6                 0.3            " + feed_holder,
        "    PLAN_EDM-F_3           0.08       0                  D6                 0.3            " + feed_holder,
        "    PLAN_EDM-F_4           0.08       0                  D6                 0.3            " + feed_holder,
        "    PLAN_EDM-F_5           0.08       0                  D6                 0.3            " + feed_holder,
        "    ZLE_EDM-F3             0.08    0.08                D6R1                 0.2            " + feed_holder,
        "    ZLE_EDM-F_4            0.08    0.08                D6R1                 0.2            " + feed_holder,
        "    ZLE_EDM-F_5            0.08    0.08                D6R1                 0.2            " + feed_holder,
        "    ZLE_EDM-F_6            0.08    0.08                D6R1                 0.2            " + feed_holder,
        "  F2-F",
        // Fixed contour: no floor stock or cut depth, the constant stepover.
        "    FIX_0_45-F4            0.08                          R2                         0.2    8000    1400  HSK63A_SF06_80",
        "    FIX_0_90-F5            0.08                          R1                         0.1   10000    1000  HSK63A_SF06_80",
        "    FIX_TEXT-F6               0                        D0.5                         0.1   15000     300  HSK63A_SF06_80",
    };
    EXPECT_EQ(report_lines(), expected) << joined(report_lines());
}

}  // namespace
