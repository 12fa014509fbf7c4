// The task record of the background post as the worker reads it, and the claim that keeps two
// workers off one task.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "nxhost/worker/task_dir.h"
#include "nxhost/worker/task_record.h"
#include "worker_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace nxhost::worker;
using workertest::record_bytes;

// Bytes of a record with one field's bytes replaced, for records no post would write.
std::string patched(std::string bytes, std::size_t offset, const std::string &with) {
    bytes.replace(offset, with.size(), with);
    return bytes;
}

TEST(TaskRecord, AWellFormedRecordGivesItsFieldsAndThePartExtension) {
    const struct {
        std::string part_name, extension;
    } cases[] = {
        {"D:\\parts\\plate_01.prt", ".prt"},
        {"D:\\parts\\plate_01.PRT", ".PRT"},
        {"D:\\parts\\plate_01", ".prt"},              // no extension: the post appends .prt
        {"D:\\jobs.2024\\plate_01", ".prt"},          // a dot in a directory is no extension
        {"\\\\srv\\post\\D:\\parts\\plate_01.prt", ".prt"},  // with the recorded path prefix
        {"plate_01.x_t.prt", ".prt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.part_name);
        const std::string short_name = c.part_name == "plate_01.x_t.prt" ? "plate_01.x_t" : "plate_01";
        TaskRecord record;
        std::string why;
        ASSERT_TRUE(parse_task_record(record_bytes(short_name, "CAM-PC-07", c.part_name), &record, &why)) << why;
        EXPECT_EQ(record.short_name, short_name);
        EXPECT_EQ(record.posted_by, "CAM-PC-07");
        EXPECT_EQ(record.part_name, c.part_name);
        EXPECT_EQ(record.extension, c.extension);
    }
}

TEST(TaskRecord, ABrokenRecordIsRefusedSayingWhatIsWrong) {
    const std::string good = record_bytes("plate_01", "CAM-PC-07", "D:\\parts\\plate_01.prt");
    const struct {
        const char *what;
        std::string bytes;
        const char *reason;
    } cases[] = {
        {"empty", "", "cut short: 0 of 772 bytes"},
        {"cut short", good.substr(0, 500), "cut short: 500 of 772 bytes"},
        {"one byte short", good.substr(0, 771), "cut short: 771 of 772 bytes"},
        {"too long", good + "x", "is 773 bytes long, not 772"},
        {"version 2", patched(good, 0, std::string("\x02\0\0\0", 4)), "unknown task record version 2"},
        {"version 0", patched(good, 0, std::string(4, '\0')), "unknown task record version 0"},
        {"big-endian 1", patched(good, 0, std::string("\0\0\0\x01", 4)), "unknown task record version 16777216"},
        {"short name without end", patched(good, 4, std::string(256, 'a')), "part short name of the task record has no end"},
        {"computer name without end", patched(good, 260, std::string(256, 'b')), "computer name of the task record has no end"},
        {"part name without end", patched(good, 516, std::string(256, 'c')), "part file name of the task record has no end"},
        {"no short name", record_bytes("", "PC", "D:\\p\\.prt"), "names no part"},
        {"no part file", record_bytes("plate_01", "PC", ""), "names no part file"},
        {"short name with a directory", record_bytes("..\\plate_01", "PC", "D:\\p\\..\\plate_01.prt"),
         "'..\\plate_01' is not a plain file name"},
        {"short name up", record_bytes("..", "PC", "D:\\p\\...prt"), "'..' is not a plain file name"},
        {"another part's name", record_bytes("plate_01", "PC", "D:\\parts\\plate_02.prt"),
         "'D:\\parts\\plate_02.prt' does not belong to the short name 'plate_01'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TaskRecord record;
        record.short_name = "untouched";
        std::string why;
        EXPECT_FALSE(parse_task_record(c.bytes, &record, &why));
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_EQ(record.short_name, "untouched") << "a refused record gives nothing";
    }
}

TEST(TaskRecord, OnlyFilesEndingInTempAreRecords) {
    const std::pair<const char *, const char *> cases[] = {
        {"plate_01.temp", "plate_01"}, {"plate.v2.temp", "plate.v2"}, {".temp", ""},
        {"plate_01.prt", ""},          {"plate_01.temp.log", ""},     {"plate_01.TEMP", ""},
    };
    for (const auto &[name, stem] : cases) EXPECT_EQ(record_stem(name), stem) << name;
}

// Many workers rename one record at the same instant, as workers on several computers do on
// a shared directory: exactly one of them gets it, every time.
TEST(TaskClaim, OfWorkersClaimingOneRecordTogetherExactlyOneTakesIt) {
    const std::string root = workertest::scratch_dir("torvane-claim");
    constexpr int kWorkers = 6, kRounds = 60;
    std::vector<TaskDir> dirs;
    for (int w = 0; w < kWorkers; ++w) dirs.emplace_back(root, "racer-" + std::to_string(w));
    for (int round = 0; round < kRounds; ++round) {
        const std::string record = "plate_" + std::to_string(round) + ".temp";
        std::ofstream(root + "/" + record, std::ios::binary) << record_bytes("plate", "PC", "D:\\plate.prt");
        std::atomic<int> ready{0}, taken{0}, gone{0}, errors{0};
        std::vector<std::thread> threads;
        for (int w = 0; w < kWorkers; ++w)
            threads.emplace_back([&, w] {
                ++ready;
                while (ready.load() < kWorkers) std::this_thread::yield();
                std::string error;
                switch (dirs[w].claim(record, &error)) {
                case TaskDir::Claim::Taken: ++taken; break;
                case TaskDir::Claim::Gone: ++gone; break;
                case TaskDir::Claim::Error: ++errors; break;
                }
            });
        for (std::thread &t : threads) t.join();
        ASSERT_EQ(taken.load(), 1) << "round " << round;
        ASSERT_EQ(gone.load(), kWorkers - 1) << "round " << round;
        ASSERT_EQ(errors.load(), 0);
        int holders = 0;
        for (const TaskDir &dir : dirs) holders += fs::exists(dir.own() + "/" + record);
        ASSERT_EQ(holders, 1) << "the record is in the folder of the worker that took it";
    }
    fs::remove_all(root);
}

// A name taken in done/ or failed/ is never written over: the next task of that name goes beside it.
TEST(TaskClaim, FilingNeverReplacesAResultOfTheSameName) {
    const std::string root = workertest::scratch_dir("torvane-file");
    TaskDir dir(root, "filer-1");
    for (int n = 1; n <= 3; ++n) {
        std::ofstream(dir.own() + "/p.prt") << "part " << n;
        std::ofstream(dir.own() + "/p.log") << "log " << n;
        std::string error;
        const std::string stem = TaskDir::file_into(dir.done(), "p", {{dir.own() + "/p.prt", ".prt"}, {dir.own() + "/p.log", ".log"}}, &error);
        EXPECT_EQ(stem, n == 1 ? "p" : "p-" + std::to_string(n)) << error;
    }
    // A stem is taken when any of the task's files is: a log alone keeps it.
    std::ofstream(dir.done() + "/q.log") << "earlier";
    std::ofstream(dir.own() + "/q.prt") << "part";
    std::string error;
    EXPECT_EQ(TaskDir::file_into(dir.done(), "q", {{dir.own() + "/q.prt", ".prt"}}, &error), "q-2");
    for (int n = 1; n <= 3; ++n) {
        const std::string stem = n == 1 ? "p" : "p-" + std::to_string(n);
        EXPECT_EQ(workertest::slurp(dir.done() + "/" + stem + ".prt"), "part " + std::to_string(n));
        EXPECT_EQ(workertest::slurp(dir.done() + "/" + stem + ".log"), "log " + std::to_string(n));
    }
    fs::remove_all(root);
}

}  // namespace
