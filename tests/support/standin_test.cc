#include "standin_test.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/transcript.h"
#include "uf.h"

namespace fs = std::filesystem;

namespace testsupport {

void StandinTest::SetUp() {
    nxhost::reset_all();
    std::string pattern = (fs::temp_directory_path() / "torvane-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    drive_dir_ = pattern;
    setenv("NXHOST_DRIVE_D", drive_dir_.c_str(), 1);
    unsetenv("NXHOST_MOUNTS");
    unsetenv("UGII_BASE_DIR");
    unsetenv("UGII_CAM_CONFIG");
    ASSERT_EQ(UF_initialize(), 0);
}

void StandinTest::TearDown() {
    if (expect_clean_session_) {
        EXPECT_EQ(UF_terminate(), 0) << "the test's own session";
        EXPECT_FALSE(nxhost::session_open()) << "a session was left open";
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u) << "NX memory handed out and never freed";
        for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
    }
    nxhost::reset_all();
    std::error_code ec;
    fs::remove_all(drive_dir_, ec);
}

void StandinTest::write_file(const std::string &relative, const std::string &bytes) const {
    fs::path path = fs::path(drive_dir_) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void StandinTest::use_nx_root(const std::string &cam_config) const {
    const std::string windows = "C:\\Program Files\\Siemens\\NX";
    setenv("NXHOST_MOUNTS", (windows + "=" + binary_dir() + "/nxroot").c_str(), 1);
    setenv("UGII_BASE_DIR", windows.c_str(), 1);
    if (!cam_config.empty()) setenv("UGII_CAM_CONFIG", cam_config.c_str(), 1);
}

std::string StandinTest::read_file(const std::string &relative) const {
    std::ifstream in(fs::path(drive_dir_) / relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool StandinTest::file_exists(const std::string &relative) const {
    return fs::exists(fs::path(drive_dir_) / relative);
}

void StandinTest::play(const std::string &script_text) const {
    nxhost::script::play(nxhost::script::parse(script_text, "test-scenario"));
}

std::vector<std::string> StandinTest::shown(const std::string &kind) const {
    std::vector<std::string> texts;
    for (const nxhost::TranscriptEntry &e : nxhost::transcript())
        if (kind.empty() || e.kind == kind) texts.push_back(e.text);
    return texts;
}

void StandinTest::clear_shown() const { nxhost::clear_transcript(); }

long run_failing_each_call(const std::function<void()> &setup, const std::function<void()> &body) {
    auto fresh = [&] {
        nxhost::reset_all();
        EXPECT_EQ(UF_initialize(), 0);
        setup();
    };
    fresh();
    const long before = nxhost::calls_made();
    body();
    const long total = nxhost::calls_made() - before;
    for (long n = 1; n <= total; ++n) {
        SCOPED_TRACE("NX call " + std::to_string(n) + " of " + std::to_string(total) + " fails");
        fresh();
        nxhost::fail_call_number(n);
        body();
        EXPECT_EQ(nxhost::calls_failed(), 1);
    }
    nxhost::reset_all();
    EXPECT_EQ(UF_initialize(), 0);
    return total;
}

std::string source_dir() {
    const char *dir = std::getenv("TORVANE_SOURCE_DIR");
    return dir ? dir : TORVANE_SOURCE_DIR_DEFAULT;
}

std::string binary_dir() {
    const char *dir = std::getenv("TORVANE_BINARY_DIR");
    return dir ? dir : TORVANE_BINARY_DIR_DEFAULT;
}

}  // namespace testsupport
