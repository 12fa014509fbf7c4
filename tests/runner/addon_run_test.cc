// The add-on itself under nxhost, as `make demo` runs it: the shipped configuration, the sample
// electrode part and the shipped scenario.
#include <cstring>

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

TEST_F(AddonRunTest, TheShippedScenarioPlaysAWholeTurnUpToTheMainDialog) {
    ProcessResult r = run_shipped(testsupport::source_dir() + "/conf/scenarios/electrodes.scn");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    // The plan of cu_std.prt with the classes of the first electrode (rough 0.2, finish 0.08; no
    // middle electrode), then each change and the list after it.
    const std::string r1 = "\"  + R1-R" + std::string(25, ' ') + "粗公" + std::string(12, ' ');
    const std::vector<std::string> wanted = {
        "[dialog] open sel_cam_template_dlg.dlg \"选择CAM模板\"",
        "[dialog] > select LIST_1 \"铜公粗精加工  cu_std.prt\"",
        "[dialog] close sel_cam_template_dlg.dlg (response 2)",
        "[dialog] open torvane_dlg.dlg \"电极CAM编程\"",
        "[dialog]   MULTI_LIST_14 multi_list: 13 lines",
        "[dialog]      " + r1 + "0.45     \"",
        "[dialog]      \"      CAV_TOP-R1" + std::string(15, ' ') + "粗公" + std::string(12, ' ') + "D12" +
            std::string(11, ' ') + "\"",
        "[dialog]   STR_38 string: \"4\" insensitive",
        "[dialog] > set REAL_5 0.15",
        "[dialog]      " + r1 + "0.4      \"",
        "[dialog] > set TOGGLE_8 0",
        "[dialog]   MULTI_LIST_14 multi_list: 4 lines",
        "[dialog] > double-click MULTI_LIST_14 #1",
        "[dialog]     *" + r1 + "0.4        !D12" + std::string(12, ' ') + "参考刀:D12   \"",
        // The plan edited: a clean-up group inserted after F2-F, FIX_0_45-F4 deleted, CAV_TOP-R1
        // moved after CAV_EDM-R2, ZLE_EDM-F3 on another cutter, FACE_EDM-F1 marked "-S".
        "[dialog] > activate BLO_19 1",
        "[dialog]      \"  + EDM_CLEAN               \"",
        "[dialog] > activate BLO_19 4",
        "[dialog]   MULTI_LIST_14 multi_list: 14 lines",
        "[dialog] > activate BLO_19 5",
        "[dialog]     *\"      CAV_TOP-R1               粗公            D12           \"",
        "[dialog] > activate BLO_19 0",
        "[dialog]     *\"      ZLE_EDM-F3               精公            D10R0.5     \"",
        "[dialog] > set OPTION_13 #4",
        "[dialog]     *\"      FACE_EDM-F1-S          精公            0            D10           \"",
        "[dialog] > press APPLY",
        "[status] 生成刀轨 1/17 CAV_EDM-R2",
        "[status] 生成刀轨 17/17 FIX_0_90-F3",
        "[message] 已应用。",
        "[dialog] > press BACK",
        "[dialog] close torvane_dlg.dlg (response 4)",
    };
    EXPECT_EQ(first_missing(r.out, wanted), "") << r.out;
    EXPECT_EQ(r.out.find("CLAMP-1"), std::string::npos) << "the clamp is no electrode";
    EXPECT_EQ(r.out.find("[message]"), r.out.find("[message] 已应用。")) << "Apply's is the only message box";
    EXPECT_EQ(r.out.find("[listing]"), std::string::npos) << "nothing skipped, nothing refused";
    // The main dialog keeps its settings, the changed rough spark gap among them.
    const std::string state = read_file(drive_dir() + "/qz_conf/temp/torvane.dat");
    ASSERT_EQ(state.size(), 1208u);
    double rough_gap = 0.0;
    std::memcpy(&rough_gap, state.data() + 80, sizeof rough_gap);
    EXPECT_EQ(rough_gap, 0.15);
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
