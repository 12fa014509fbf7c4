// The shipped batch scenario as a user runs it: three part files of a mould in one run, one
// handed to the background computer through a task directory on a share, and `nxhost worker`
// computing that task; then the generated part read through `nxhost tree`.
#include <cstdint>
#include <cstring>
#include <map>

#include "runner_fixture.h"

namespace runnertest {
namespace {

class BatchRunTest : public RunnerTest {
protected:
    void SetUp() override {
        RunnerTest::SetUp();
        fs::copy(testsupport::source_dir() + "/conf", drive_dir(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy_file(built("nxhost/picker/qz_pick_files.exe"), drive_dir() + "/qz_conf/temp/qz_pick_files.exe",
                      fs::copy_options::overwrite_existing);
        for (const char *name : {"mould_a", "mould_b", "mould_c"})
            write_file(std::string("drive_e/jobs/") + name + ".prt",
                       read_file(testsupport::source_dir() + "/conf/samples/electrodes.prt"));
        fs::create_directories(tasks_dir());
    }

    std::string drive_e() const { return fs::path(drive_dir()).parent_path().string() + "/drive_e"; }
    std::string tasks_dir() const { return fs::path(drive_dir()).parent_path().string() + "/tasks"; }

    ProcessResult run_batch() {
        return nxhost({"run", testsupport::source_dir() + "/conf/scenarios/batch.scn", "--drive", "D=" + drive_dir(),
                       "--drive", "E=" + drive_e(), "--mount", "\\\\cam-srv\\tasks=" + tasks_dir(), "--part",
                       "E:\\jobs\\mould_a.prt", "--addon", built("torvane/torvane.so"), "--out", out_dir(),
                       "--cam-config", "D:\\qz_conf\\cam_qz\\qz_cam_general.dat", "--save-in-place", "--node",
                       "CAM-PC-07"});
    }

    // Every file below a folder with its bytes.
    static std::map<std::string, std::string> files_below(const std::string &dir) {
        std::map<std::string, std::string> files;
        for (const auto &entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).generic_string()] = read_file(entry.path());
        return files;
    }
};

TEST_F(BatchRunTest, ThreePartFilesOneHandedOverAndComputedByTheWorker) {
    const auto conf_before = files_below(drive_dir());
    const ProcessResult r = run_batch();
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;

    // The list of part files, the report of mould_a, and each part file calculated in turn.
    const std::string report_row =
        "[listing]     CAV_TOP-R1             0.45    0.45                 D12                 0.5            4500    "
        "1600  HSK63A_SF12_90";
    EXPECT_EQ(first_missing(r.out, {"[select] picker E:\\jobs\\mould_a.prt E:\\jobs\\mould_b.prt E:\\jobs\\mould_c.prt",
                                    "[dialog]   MULTI_LIST_70 multi_list: 2 lines",
                                    "[dialog]      \"未计算    mould_b\"", "[dialog]      \"未计算    mould_c\"",
                                    "[dialog] > activate BLO_59 0", report_row, "[dialog] > activate BLO_68 1",
                                    "[dialog] close torvane_dlg.dlg (response 2)",
                                    "[dialog]      \"已计算    mould_b\"", "[dialog] > activate BLO_59 1",
                                    "[dialog] close torvane_dlg.dlg (response 2)",
                                    "[dialog]      \"已计算    mould_c\"", "[dialog] > press BACK",
                                    "[dialog] close sel_cam_template_dlg.dlg (response 3)"}),
              "")
        << r.out;
    EXPECT_EQ(r.out.find("[message]"), r.out.find("[message] 已应用。")) << "no message but Apply's";

    // mould_a saved with its program, mould_b moved aside and handed over, mould_c left open.
    const auto jobs = files_below(drive_e() + "/jobs");
    EXPECT_EQ(jobs.size(), 3u);
    EXPECT_NE(jobs.at("mould_a.prt").find("\"CAV_TOP-R1\""), std::string::npos);
    EXPECT_EQ(jobs.count("mould_b.prt"), 0u);
    EXPECT_EQ(jobs.at("mould_b_temp.prt"), read_file(tasks_dir() + "/mould_b.prt"));
    EXPECT_EQ(jobs.at("mould_c.prt"), read_file(testsupport::source_dir() + "/conf/samples/electrodes.prt"));
    EXPECT_TRUE(fs::exists(out_dir() + "/mould_c.prt"));

    // The task directory holds the part and its record, nothing else.
    const auto tasks = files_below(tasks_dir());
    ASSERT_EQ(tasks.size(), 2u);
    const std::string record = tasks.at("mould_b.temp");
    ASSERT_EQ(record.size(), 772u);
    std::int32_t version = 0;
    std::memcpy(&version, record.data(), 4);
    EXPECT_EQ(version, 1);
    EXPECT_STREQ(record.c_str() + 4, "mould_b");
    EXPECT_STREQ(record.c_str() + 260, "CAM-PC-07");
    EXPECT_STREQ(record.c_str() + 516, "E:\\jobs\\mould_b.prt");
    // Drive D: only the dialogs' settings and the exchange file's folder changed.
    for (const auto &[name, bytes] : files_below(drive_dir())) {
        const auto was = conf_before.find(name);
        if (was != conf_before.end() && was->second == bytes) continue;
        EXPECT_TRUE(name == "qz_conf/temp/torvane.dat" || name == "qz_conf/temp/torvane_sel_temp.dat") << name;
    }

    const ProcessResult worker = nxhost({"worker", tasks_dir(), "--once", "--settle", "0"});
    ASSERT_EQ(worker.exit_code, 0) << worker.out << worker.err;
    EXPECT_NE(worker.out.find("mould_b: posted by CAM-PC-07: E:\\jobs\\mould_b.prt"), std::string::npos) << worker.out;
    EXPECT_NE(worker.out.find("mould_b: operations generated 17/17"), std::string::npos) << worker.out;

    const ProcessResult tree = nxhost({"tree", tasks_dir() + "/done/mould_b.prt", "--view", "program"});
    ASSERT_EQ(tree.exit_code, 0) << tree.err;
    std::size_t generated = 0;
    for (std::size_t at = 0; (at = tree.out.find("path generated:", at)) != std::string::npos; ++at) ++generated;
    EXPECT_EQ(generated, 17u) << tree.out;
    EXPECT_EQ(tree.out.find("not generated"), std::string::npos) << tree.out;
}

// A share the user may only read: the post is refused with its message and mould_b stays open,
// whole, in its folder.
TEST_F(BatchRunTest, AReadOnlyTaskShareRefusesThePostAndKeepsThePart) {
    const std::string script = write_file(
        "post.scn",
        "dialog sel_cam_template_dlg.dlg\n  select LIST_1 \"铜公粗精加工  cu_std.prt\"\n  set TOGGLE_2 1\n  press OK\n"
        "dialog torvane_dlg.dlg\n  set WIDE_S_32 \\\\cam-srv\\tasks\n  activate BLO_59 1\n  press BACK\n");
    const ProcessResult r =
        nxhost({"run", script, "--drive", "D=" + drive_dir(), "--drive", "E=" + drive_e(), "--mount",
                "\\\\cam-srv\\tasks=" + tasks_dir(), "--read-only", "\\\\cam-srv\\tasks", "--part", "E:\\jobs\\mould_b.prt",
                "--addon", built("torvane/torvane.so"), "--cam-config", "D:\\qz_conf\\cam_qz\\qz_cam_general.dat",
                "--save-in-place"});
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("[message] 无法写入后台任务目录"), std::string::npos) << r.out;
    EXPECT_TRUE(files_below(tasks_dir()).empty());
    EXPECT_TRUE(fs::exists(drive_e() + "/jobs/mould_b.prt"));
    EXPECT_FALSE(fs::exists(drive_e() + "/jobs/mould_b_temp.prt"));
}

}  // namespace
}  // namespace runnertest
