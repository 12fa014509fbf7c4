#include "runner_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "standin_test.h"

namespace fs = std::filesystem;

namespace runnertest {

const char kGoodScenario[] =
    "# the probe picks two bodies, then fills its dialog\n"
    "pick solids E1 E2\n"
    "dialog probe_dlg.dlg\n"
    "  set TOGGLE_2 1\n"
    "  select LIST_1 E2\n"
    "  set REAL_3 0.25\n"
    "  press OK\n";

void RunnerTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "torvane-runner-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    work_dir_ = pattern;
    drive_dir_ = work_dir_ + "/drive_d";

    fs::create_directories(drive_dir_ + "/samples");
    fs::copy_file(sample_part_path(), drive_dir_ + "/samples/probe.prt");
    write_file("drive_d/probe/input.txt", "alpha\r\nbeta gamma\r\n\r\nend\r\n");
    // "探针目录" (probe catalogue) in code page 936, as the shipped catalogues are written.
    write_file("drive_d/qz_conf/lang/torvane.txt", "\xCC\xBD\xD5\xEB\xC4\xBF\xC2\xBC\r\nsecond\r\n");
    write_file("drive_d/lang-en/torvane.txt", "English probe catalogue\r\nsecond\r\n");
}

void RunnerTest::TearDown() {
    std::error_code ec;
    fs::remove_all(work_dir_, ec);
}

std::string RunnerTest::write_file(const std::string &relative, const std::string &bytes) const {
    fs::path path = fs::path(work_dir_) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path.string();
}

ProcessResult RunnerTest::nxhost(const std::vector<std::string> &args, const std::vector<std::string> &env) const {
    std::vector<std::string> argv{nxhost_path()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> clean_env{"NXHOST_MOUNTS", "PROBE_MODE"};
    clean_env.insert(clean_env.end(), env.begin(), env.end());
    return run_process(argv, clean_env);
}

ProcessResult RunnerTest::run_probe(const ProbeRun &run) const {
    std::vector<std::string> args{"run", write_file("probe.scn", run.script), "--drive",
                                  "D=" + (run.drive.empty() ? drive_dir_ : run.drive), "--addon",
                                  run.addon.empty() ? probe_path() : run.addon};
    if (!run.part.empty()) args.insert(args.end(), {"--part", run.part});
    if (run.out) args.insert(args.end(), {"--out", out_dir()});
    args.insert(args.end(), run.extra_args.begin(), run.extra_args.end());
    return nxhost(args, run.env);
}

std::string nxhost_path() { return testsupport::binary_dir() + "/nxhost/nxhost"; }
std::string probe_path() { return testsupport::binary_dir() + "/tests/runner/probe.so"; }
std::string no_entry_path() { return testsupport::binary_dir() + "/tests/runner/no_entry.so"; }

std::string sample_part_path() { return testsupport::source_dir() + "/conf/samples/probe.prt"; }

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool any_line_has(const std::vector<std::string> &lines, const std::vector<std::string> &parts) {
    for (const std::string &line : lines) {
        bool all = true;
        for (const std::string &part : parts) all = all && line.find(part) != std::string::npos;
        if (all) return true;
    }
    return false;
}

std::vector<std::string> body_lines(const std::vector<std::string> &tree, const std::string &name) {
    std::vector<std::string> lines;
    const std::string head = "body " + name + " ";
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].rfind(head, 0) != 0) continue;
        for (++i; i < tree.size() && tree[i].rfind("  ", 0) == 0; ++i) lines.push_back(tree[i]);
        break;
    }
    return lines;
}

bool in_order(const std::vector<std::string> &lines, const std::vector<std::string> &wanted,
              std::string *missing) {
    std::size_t at = 0;
    for (const std::string &w : wanted) {
        while (at < lines.size() && lines[at] != w) ++at;
        if (at == lines.size()) {
            *missing = w;
            return false;
        }
        ++at;
    }
    return true;
}

}  // namespace runnertest
