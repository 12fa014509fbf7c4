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
                       built("torvane/torvane.so"), "--out", out_dir()});
    }
};

TEST_F(AddonRunTest, TheShippedScenarioTakesTheElectrodesAndEndsCleanly) {
    ProcessResult r = run_shipped(testsupport::source_dir() + "/conf/scenarios/electrodes.scn");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::vector<std::string> wanted = {
        "[dialog] open sel_cam_template_dlg.dlg \"选择CAM模板\"",
        "[dialog] > select LIST_1 \"铜公粗精加工  cu_std.prt\"",
        "[dialog] > press OK",
        "[dialog] close sel_cam_template_dlg.dlg (response 2)",
        "[listing]   EL-001",
        "[listing]   EL-004",
    };
    EXPECT_EQ(first_missing(r.out, wanted), "") << r.out;
    EXPECT_NE(r.out.find("cu_std.prt (4)"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("CLAMP-1"), std::string::npos) << "the clamp is no electrode";
    EXPECT_EQ(r.out.find("BASE-1"), std::string::npos) << "the base block is no electrode";
    EXPECT_EQ(r.out.find("[message]"), std::string::npos) << "no message box in a good run";
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
