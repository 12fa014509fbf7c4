#include "drive_test.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace testsupport {

namespace {

const char SCRATCH_DRIVE_HINT[] =
    "drive D: is not a scratch drive for tests: run the Windows tests through scripts/wine.sh, or map "
    "an empty folder as D: (subst D: <folder>) and set TORVANE_SCRATCH_DRIVE_D=1";

int process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// A new, empty folder below the system's temporary folder.
std::string make_temp_dir() {
    static std::atomic<int> counter{0};
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const fs::path dir = base / ("torvane-test-" + std::to_string(process_id()) + "-" + std::to_string(++counter));
        std::error_code ec;
        if (fs::create_directory(dir, ec)) return dir.generic_string();
    }
    return "";
}

#ifdef _WIN32
// The scratch drive D: of the Windows tests is emptied, never removed.
void remove_contents(const std::string &dir) {
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(dir, ec)) fs::remove_all(entry.path(), ec);
}
#endif

void put_env(const std::string &name, const std::string &value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());  // "" removes the variable
#else
    if (value.empty()) unsetenv(name.c_str());
    else setenv(name.c_str(), value.c_str(), 1);
#endif
}

}  // namespace

void DriveTest::SetUp() {
    temp_dir_ = make_temp_dir();
    ASSERT_FALSE(temp_dir_.empty()) << "cannot make a temporary folder";
#ifdef _WIN32
    const char *scratch = std::getenv("TORVANE_SCRATCH_DRIVE_D");
    ASSERT_TRUE(scratch && std::string(scratch) == "1") << SCRATCH_DRIVE_HINT;
    ASSERT_TRUE(fs::is_directory("D:/")) << SCRATCH_DRIVE_HINT;
    drive_dir_ = "D:";
    remove_contents("D:/");
#else
    drive_dir_ = temp_dir_ + "/d";
    fs::create_directories(drive_dir_);
    for (char letter = 'A'; letter <= 'Z'; ++letter) set_env(std::string("NXHOST_DRIVE_") + letter, "");
    set_env("NXHOST_MOUNTS", "");
    set_env("NXHOST_DRIVE_D", drive_dir_);
#endif
}

void DriveTest::TearDown() {
    for (const auto &[name, old] : saved_env_) put_env(name, old.first ? old.second : "");
    saved_env_.clear();
    std::error_code ec;
#ifdef _WIN32
    remove_contents("D:/");
#endif
    if (!temp_dir_.empty()) fs::remove_all(temp_dir_, ec);
}

void DriveTest::write_file(const std::string &relative, const std::string &bytes) const {
    EXPECT_TRUE(write_host_file(drive_dir_ + "/" + relative, bytes)) << "cannot write " << relative;
}

std::string DriveTest::read_file(const std::string &relative) const {
    return read_host_file(drive_dir_ + "/" + relative);
}

bool DriveTest::file_exists(const std::string &relative) const { return fs::exists(drive_dir_ + "/" + relative); }

void DriveTest::set_env(const std::string &name, const std::string &value) {
    if (!saved_env_.count(name)) {
        const char *old = std::getenv(name.c_str());
        saved_env_[name] = {old != nullptr, old ? old : ""};
    }
    put_env(name, value);
}

std::string source_dir() {
    const char *dir = std::getenv("TORVANE_SOURCE_DIR");
    return dir ? dir : TORVANE_SOURCE_DIR_DEFAULT;
}

std::string binary_dir() {
    const char *dir = std::getenv("TORVANE_BINARY_DIR");
    return dir ? dir : TORVANE_BINARY_DIR_DEFAULT;
}

std::string read_host_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool write_host_file(const std::string &path, const std::string &bytes) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

}  // namespace testsupport
