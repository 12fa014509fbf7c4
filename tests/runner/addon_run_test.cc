// The add-on itself under nxhost, as `make demo` runs it: the shipped configuration, the sample
// electrode part and the shipped scenario.
#include "runner_fixture.h"

namespace runnertest {
namespace {

class AddonRunTest : public RunnerTest {
protected:
    ProcessResult run_shipped(const std::string &script) {
        fs::copy(testsupport::source_dir() + "/conf", drive_dir(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        return nxhost({"run", script, "--drive", "D=" + drive_dir(), "--part", "D:\\samples\\electrodes.prt", "--addon",
                       built("torvane/torvane.so"), "--out", out_dir(), "--cam-config",
                       "D:\\qz_conf\\cam_qz\\qz_cam_general.dat"});
    }
};

TEST_F(AddonRunTest, TheShippedScenarioScansTheTemplateIntoThePlanAndSavesTheSetup) {
    ProcessResult r = run_shipped(testsupport::source_dir() + "/conf/scenarios/electrodes.scn");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::vector<std::string> wanted = {
        "[dialog] open sel_cam_template_dlg.dlg \"选择CAM模板\"",
        "[dialog] > select LIST_1 \"铜公粗精加工  cu_std.prt\"",
        "[dialog] > press OK",
        "[dialog] close sel_cam_template_dlg.dlg (response 2)",
        "[listing]   EL-001",
        "[listing]   EL-004",
        "[listing] 模板的程序计划 cu_std.prt:",
        "[listing]   R",
        "[listing]     R1-R",
        "[listing]       CAV_TOP-R1 (260)  刀具 D12  余量 0.3/0.15",
        "[listing]       ZLE_EDM-M1-S0.05 (263)  刀具 D10R0.5  余量 0.1/0.1 (-S 0.15)",
        "[listing]       FIX_TEXT-F6 (210)  没有刀具，建立前请先选择刀具  余量 0/0",
        "[listing] 插入模板（程序组、工序）： 4, 8",
    };
    EXPECT_EQ(first_missing(r.out, wanted), "") << r.out;
    EXPECT_NE(r.out.find("cu_std.prt (4)"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("CLAMP-1"), std::string::npos) << "the clamp is no electrode";
    EXPECT_EQ(r.out.find("BASE-1"), std::string::npos) << "the base block is no electrode";
    EXPECT_EQ(r.out.find("[message]"), std::string::npos) << "no message box in a good run";
    // The saved part holds the setup of type TT that the scan made.
    ProcessResult tree = nxhost({"tree", out_dir() + "/electrodes.prt", "--view", "all"});
    ASSERT_EQ(tree.exit_code, 0) << tree.err;
    EXPECT_EQ(first_missing(tree.out, {"cam setup of type TT", "  program order view", "      PROGRAM  program group",
                                       "  machine tool view", "    GENERIC_MACHINE", "      MILL_FINISH  method group"}),
              "")
        << tree.out;
    // The template dialog keeps its line and toggle for the next run.
    EXPECT_EQ(read_file(drive_dir() + "/qz_conf/temp/torvane_sel_temp.dat"), std::string("\0\0\0\0\1\0\0\0", 8));
}

TEST_F(AddonRunTest, ACancelledTemplateDialogEndsTheRunWithoutElectrodes) {
    ProcessResult r = run_shipped(write_file("cancel.scn", "dialog sel_cam_template_dlg.dlg\n  press CANCEL\n"));
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("(response 3)"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("[listing]"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace runnertest
