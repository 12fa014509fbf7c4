// The background computer as a shop runs it: `nxhost worker` on a task directory that the
// add-on's background post fills, alone or beside other workers.
#include <sys/stat.h>

#include <chrono>
#include <map>
#include <thread>

#include "worker_fixture.h"

namespace workertest {
namespace {

using runnertest::first_missing;

// The tree of a part without the lines that say whether its paths are generated.
std::string without_path_lines(const std::string &tree) {
    std::istringstream in(tree);
    std::string line, kept;
    while (std::getline(in, line))
        if (line.find("path generated") == std::string::npos && line.find("path not generated") == std::string::npos &&
            line.rfind("part ", 0) != 0)
            kept += line + "\n";
    return kept;
}

// The shipped demo with the paths left to the background computer: the user switches
// "generate the paths" (TOGGLE_32) off before Apply.
TEST_F(WorkerTest, AProgrammedPartComesBackWithEveryPathGenerated) {
    fs::copy(testsupport::source_dir() + "/conf", drive_dir(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::string script = slurp(testsupport::source_dir() + "/conf/scenarios/electrodes.scn");
    const std::size_t apply = script.find("  press APPLY");
    ASSERT_NE(apply, std::string::npos);
    script.insert(apply, "  set TOGGLE_32 0\n");
    const ProcessResult programmed =
        nxhost({"run", write_file("nogen.scn", script), "--drive", "D=" + drive_dir(), "--part", "D:\\samples\\electrodes.prt",
                "--addon", runnertest::built("torvane/torvane.so"), "--out", out_dir(), "--cam-config",
                "D:\\qz_conf\\cam_qz\\qz_cam_general.dat"});
    ASSERT_EQ(programmed.exit_code, 0) << programmed.err;
    const std::string posted_tree = tree(out_dir() + "/electrodes.prt");
    const int operations = count(posted_tree, "path not generated");
    ASSERT_GT(operations, 10) << "the program is made, its paths are not:\n" << posted_tree;
    ASSERT_EQ(count(posted_tree, "path generated:"), 0);

    post("electrodes", slurp(out_dir() + "/electrodes.prt"));
    const std::string record = slurp(tasks() + "/electrodes.temp");
    const ProcessResult run = worker();
    EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
    const std::string n = std::to_string(operations);
    EXPECT_EQ(first_missing(run.out, {"electrodes: posted by CAM-PC-07: D:\\parts\\electrodes.prt",
                                      "electrodes: opened electrodes.prt", "electrodes: operations generated " + n + "/" + n,
                                      "electrodes: saved done/electrodes.prt"}),
              "")
        << run.out;
    EXPECT_NE(run.out.find(": 1 done, 0 failed\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("electrodes: done in "), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");

    EXPECT_EQ(files_below(tasks()), (std::vector<std::string>{"done/electrodes.log", "done/electrodes.prt", "done/electrodes.temp"}));
    EXPECT_TRUE(fs::is_empty(tasks() + "/work")) << "the worker's folder goes when it stops";
    EXPECT_EQ(slurp(tasks() + "/done/electrodes.temp"), record) << "the record is filed as posted";

    const std::string done_tree = tree(tasks() + "/done/electrodes.prt");
    EXPECT_EQ(count(done_tree, "path generated: "), operations) << done_tree;
    EXPECT_EQ(count(done_tree, "path not generated"), 0) << done_tree;
    EXPECT_EQ(without_path_lines(done_tree), without_path_lines(posted_tree)) << "only the paths changed";

    const std::string log = slurp(tasks() + "/done/electrodes.log");
    EXPECT_EQ(count(log, "\noperation "), operations) << log;
    EXPECT_EQ(count(log, ": generated (cutter "), operations) << log;
    EXPECT_EQ(first_missing(log, {"posted by CAM-PC-07: D:\\parts\\electrodes.prt",
                                  "operation CAV_EDM-R2: generated (cutter D6, 1 part item, 2 cut levels)",
                                  "operations generated " + n + "/" + n}),
              "")
        << log;
}

// Workers on several computers share one task directory: each task is taken by one of them.
TEST_F(WorkerTest, WorkersStartedTogetherTakeEachTaskExactlyOnce) {
    constexpr int kRounds = 8, kWorkers = 3, kTasks = 4;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string dir = tasks() + "/round" + std::to_string(round);
        fs::create_directories(dir);
        for (int t = 0; t < kTasks; ++t) {
            const std::string name = "plate_0" + std::to_string(t);
            std::ofstream(dir + "/" + name + ".temp", std::ios::binary) << record_bytes(name, "PC", "D:\\p\\" + name + ".prt");
            std::ofstream(dir + "/" + name + ".prt", std::ios::binary) << small_part(false);
        }
        std::vector<pid_t> pids;
        for (int w = 0; w < kWorkers; ++w)
            pids.push_back(start({"worker", dir, "--once", "--settle", "0"}, "racer" + std::to_string(w)));
        std::map<std::string, int> claims;
        for (int w = 0; w < kWorkers; ++w) {
            const ProcessResult run = finish(pids[w], "racer" + std::to_string(w));
            EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
            for (int t = 0; t < kTasks; ++t) claims["plate_0" + std::to_string(t)] += count(run.out, "plate_0" + std::to_string(t) + ": claimed by ");
        }
        std::vector<std::string> expected;
        for (int t = 0; t < kTasks; ++t) {
            const std::string name = "plate_0" + std::to_string(t);
            EXPECT_EQ(claims[name], 1) << name;
            for (const char *suffix : {".log", ".prt", ".temp"}) expected.push_back("done/" + name + suffix);
        }
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(files_below(dir), expected) << "no task twice, none left, none failed";
    }
}

TEST_F(WorkerTest, ABrokenTaskGoesToFailedWithItsPartAndItsReason) {
    const std::string good_part = small_part(false);
    const struct {
        std::string name;
        std::string record;       // "" = the post's record
        const char *part;         // nullptr = no part file posted
        const char *reason;
        bool part_as_posted;      // failed/ holds the part byte for byte as it was posted
    } cases[] = {
        {"cut", record_bytes("cut", "PC", "D:\\p\\cut.prt").substr(0, 500), "part", "the task record is cut short: 500 of 772 bytes", true},
        {"newer", record_bytes("newer", "PC", "D:\\p\\newer.prt", 2), "part", "unknown task record version 2", true},
        {"missing", "", nullptr, "the part file missing.prt is missing from the task directory", false},
        {"garbage", "", "\x7f" "ELF\x02\x01 not a part", "the part cannot be opened: garbage.prt: not valid JSON", true},
        {"no_setup", "", R"({"format":"nxhost-part/1","bodies":[]})", "the part has no CAM setup", true},
        {"renamed", record_bytes("plate", "PC", "D:\\p\\plate.prt"), "part", "renamed.temp but carries the task of part plate", true},
        {"refused", "", "refused", "1 of 2 operation(s) could not be generated: FACE has no face boundaries", false},
    };
    for (const auto &c : cases) {
        post_record(c.name, c.record.empty() ? record_bytes(c.name, "PC", "D:\\p\\" + c.name + ".prt") : c.record);
        if (!c.part) continue;
        const std::string bytes = std::string(c.part) == "part" ? good_part : std::string(c.part) == "refused" ? small_part(true) : c.part;
        std::ofstream(tasks() + "/" + c.name + ".prt", std::ios::binary) << bytes;
    }
    const ProcessResult run = worker();
    EXPECT_EQ(run.exit_code, 8) << "a task failed";
    EXPECT_NE(run.out.find(": 0 done, 7 failed"), std::string::npos) << run.out;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string line = "nxhost: worker: " + tasks() + "/" + c.name + ".temp: ";
        const std::size_t at = run.err.find(line);
        ASSERT_NE(at, std::string::npos) << run.err;
        EXPECT_NE(run.err.substr(at, run.err.find('\n', at) - at).find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(slurp(tasks() + "/failed/" + c.name + ".log").find(c.reason), std::string::npos);
        EXPECT_TRUE(fs::exists(tasks() + "/failed/" + c.name + ".temp"));
        EXPECT_EQ(fs::exists(tasks() + "/failed/" + c.name + ".prt"), c.part != nullptr) << "the part goes with its record";
        if (c.part_as_posted) {
            const std::string posted = std::string(c.part) == "part" ? good_part : c.part;
            EXPECT_EQ(slurp(tasks() + "/failed/" + c.name + ".prt"), posted);
        }
        EXPECT_NE(run.out.find(c.name + ": failed in "), std::string::npos) << run.out;
    }
    // What could be generated is kept with the refused task.
    const std::string refused = tree(tasks() + "/failed/refused.prt");
    EXPECT_NE(refused.find("path generated: cutter D10, 1 part item, 2 cut levels"), std::string::npos) << refused;
    EXPECT_EQ(count(refused, "path not generated"), 1) << refused;
    EXPECT_EQ(first_missing(slurp(tasks() + "/failed/refused.log"),
                            {"operation ROUGH: generated (cutter D10, 1 part item, 2 cut levels)",
                             "operation FACE: failed: FACE has no face boundaries (blank boundaries of faces to cut)",
                             "operations generated 1/2, 1 failed"}),
              "");
    EXPECT_TRUE(fs::is_empty(tasks() + "/done"));
    for (const auto &entry : fs::directory_iterator(tasks())) EXPECT_TRUE(entry.is_directory()) << entry.path();
}

TEST_F(WorkerTest, TasksAreTakenInNameOrder) {
    for (const char *name : {"plate_c", "plate_a", "plate_b"}) post(name, small_part(false));
    const ProcessResult run = worker();
    EXPECT_EQ(run.exit_code, 0) << run.err;
    std::vector<std::string> order;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        if (line.find(": claimed by ") != std::string::npos) order.push_back(line.substr(0, line.find(':')));
    EXPECT_EQ(order, (std::vector<std::string>{"plate_a", "plate_b", "plate_c"})) << run.out;
    EXPECT_EQ(count(run.out, ": done in "), 3);
}

// Generating what is generated already would only cost time: such a path is kept, and a part
// with nothing to generate is filed as it came.
TEST_F(WorkerTest, APathGeneratedBeforeIsKept) {
    const std::string part = small_part(false, true);
    post("kept", part);
    const ProcessResult run = worker();
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("kept: operations generated 0/0, 1 generated before"), std::string::npos) << run.out;
    EXPECT_NE(slurp(tasks() + "/done/kept.log").find("operation ROUGH: already generated (cutter D10, 1 part item, 2 cut levels)"),
              std::string::npos);
    EXPECT_EQ(slurp(tasks() + "/done/kept.prt"), part);
}

TEST_F(WorkerTest, AResultIsNeverWrittenOverByALaterTaskOfTheSameName) {
    post("plate", small_part(false));
    ASSERT_EQ(worker().exit_code, 0);
    const std::string first = slurp(tasks() + "/done/plate.prt");
    post("plate", small_part(false, true));
    const ProcessResult again = worker();
    EXPECT_EQ(again.exit_code, 0) << again.err;
    EXPECT_NE(again.out.find("plate: done in "), std::string::npos);
    EXPECT_NE(again.out.find(": done/plate-2.prt"), std::string::npos) << again.out;
    EXPECT_EQ(slurp(tasks() + "/done/plate.prt"), first);
    EXPECT_EQ(files_below(tasks()), (std::vector<std::string>{"done/plate-2.log", "done/plate-2.prt", "done/plate-2.temp",
                                                              "done/plate.log", "done/plate.prt", "done/plate.temp"}));
}

TEST_F(WorkerTest, AnUnusableTaskDirectoryIsRefusedWithExitCode2) {
    post("plate", small_part(false));
    const std::string not_a_dir = write_file("a_file", "x");
    // Permissions do not hold root back: as root the worker runs as nobody.
    fs::permissions(fs::path(tasks()).parent_path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                                         fs::perms::others_read | fs::perms::others_exec);
    const std::vector<std::string> as_user =
        geteuid() == 0 ? std::vector<std::string>{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"}
                       : std::vector<std::string>{};
    const struct {
        std::string dir;
        bool read_only;
        std::string message;
    } cases[] = {
        {tasks() + "/nowhere", false, "nxhost: worker: task directory " + tasks() + "/nowhere does not exist"},
        {not_a_dir, false, "nxhost: worker: task directory " + not_a_dir + " is not a directory"},
        {tasks(), true, "nxhost: worker: cannot make " + tasks() + "/work (Permission denied): a worker needs to write into the task directory"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dir);
        if (c.read_only) fs::permissions(tasks(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        const ProcessResult run = finish(start({"worker", c.dir, "--once"}, "unusable", c.read_only ? as_user : std::vector<std::string>{}), "unusable");
        fs::permissions(tasks(), fs::perms::owner_all);
        EXPECT_EQ(run.exit_code, 2) << run.out << run.err;
        EXPECT_EQ(run.err, c.message + "\n");
    }
    EXPECT_EQ(files_below(tasks()), (std::vector<std::string>{"plate.prt", "plate.temp"})) << "the task is left as posted";
}

// A worker stopped (a power cut, a kill) while on a task: a worker started later on the same
// computer files what it left, as failed, and lets folders of running workers be.
TEST_F(WorkerTest, ATaskLeftByAStoppedWorkerGoesToFailed) {
    char host[256] = "";
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stopped = std::string(host) + "-" + std::to_string(gone);
    const std::string running = std::string(host) + "-" + std::to_string(getpid());
    const std::string part = small_part(false);
    for (const std::string &folder : {stopped, running}) {
        fs::create_directories(tasks() + "/work/" + folder);
        std::ofstream(tasks() + "/work/" + folder + "/plate.temp", std::ios::binary) << record_bytes("plate", "PC", "D:\\p\\plate.prt");
        std::ofstream(tasks() + "/work/" + folder + "/plate.prt", std::ios::binary) << part;
    }
    const ProcessResult run = worker();
    EXPECT_EQ(run.exit_code, 8) << run.out << run.err;
    EXPECT_NE(run.out.find("plate: failed: worker " + stopped + " stopped while on this task: failed/plate.log"), std::string::npos)
        << run.out;
    EXPECT_EQ(files_below(tasks()),
              (std::vector<std::string>{"failed/plate.log", "failed/plate.prt", "failed/plate.temp", "work/" + running + "/plate.prt",
                                        "work/" + running + "/plate.temp"}));
    EXPECT_EQ(slurp(tasks() + "/failed/plate.prt"), part);
    EXPECT_NE(slurp(tasks() + "/failed/plate.log").find("failed: worker " + stopped + " stopped while on this task"), std::string::npos);
}

// The post writes the record first and copies the part after it: a watching worker waits for
// the part instead of failing the task, and stops on SIGTERM.
TEST_F(WorkerTest, AWatchingWorkerWaitsForAPartCopiedAfterItsRecord) {
    const pid_t pid = start({"worker", tasks(), "--poll", "0.1", "--settle", "2"}, "watch");
    post_record("plate", record_bytes("plate", "CAM-PC-07", "D:\\parts\\plate.prt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::ofstream(tasks() + "/plate.prt", std::ios::binary) << small_part(false);
    for (int waited = 0; waited < 300 && !fs::exists(tasks() + "/done/plate.temp") && !fs::exists(tasks() + "/failed/plate.temp"); ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(pid, SIGTERM);
    const ProcessResult run = finish(pid, "watch");
    EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("looking every 0.1 s, tasks taken after 2 s unchanged"), std::string::npos) << run.out;
    EXPECT_EQ(files_below(tasks()), (std::vector<std::string>{"done/plate.log", "done/plate.prt", "done/plate.temp"})) << run.out;
    EXPECT_TRUE(fs::is_empty(tasks() + "/work"));
}

}  // namespace
}  // namespace workertest
