#include "sys_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace systest {

void SysTest::SetUp() {
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/sys_test_XXXXXX";
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr) << "cannot make a temporary directory";
    temp_ = pattern;
    for (char letter = 'A'; letter <= 'Z'; ++letter) set_env(std::string("NXHOST_DRIVE_") + letter, "");
    set_env("NXHOST_MOUNTS", "");
}

void SysTest::TearDown() {
    for (const auto &[name, old] : saved_env_) {
        if (old.first) setenv(name.c_str(), old.second.c_str(), 1);
        else unsetenv(name.c_str());
    }
    saved_env_.clear();
    if (!temp_.empty()) {
        std::error_code ignored;
        fs::remove_all(temp_, ignored);
    }
}

std::string SysTest::at(const std::string &relative) const { return temp_ + "/" + relative; }

std::string SysTest::expand(const std::string &text) const {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "$T") == 0) {
            out += temp_;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void SysTest::set_env(const std::string &name, const std::string &value) {
    if (!saved_env_.count(name)) {
        const char *old = std::getenv(name.c_str());
        saved_env_[name] = {old != nullptr, old ? old : ""};
    }
    if (value.empty()) unsetenv(name.c_str());
    else setenv(name.c_str(), value.c_str(), 1);
}

void SysTest::mount_drive(char letter, const std::string &host_dir) {
    fs::create_directories(host_dir);
    set_env(std::string("NXHOST_DRIVE_") + letter, host_dir);
}

void SysTest::make_entries(const std::vector<std::string> &relatives) const {
    for (const std::string &relative : relatives) {
        if (!relative.empty() && relative.back() == '/') fs::create_directories(at(relative));
        else write_bytes(relative, "x");
    }
}

void SysTest::write_bytes(const std::string &relative, const std::string &bytes) const {
    fs::path path = at(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string SysTest::read_bytes(const std::string &relative) const {
    std::ifstream in(at(relative), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool SysTest::exists(const std::string &relative) const {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(at(relative), ignored));
}

}  // namespace systest
