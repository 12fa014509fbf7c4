// Fixture for the sys/ tests: a fresh temporary directory mounted as drive D, and no other
// drive or mount settings; the environment is restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace systest {

class SysTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "sys_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr) << "cannot make a temporary directory";
        temp_ = pattern;
        for (char letter = 'A'; letter <= 'Z'; ++letter) set_env(std::string("NXHOST_DRIVE_") + letter, "");
        set_env("NXHOST_MOUNTS", "");
        std::filesystem::create_directories(at("d"));
        set_env("NXHOST_DRIVE_D", at("d"));
    }

    void TearDown() override {
        for (const auto &[name, old] : saved_env_) {
            if (old.first) setenv(name.c_str(), old.second.c_str(), 1);
            else unsetenv(name.c_str());
        }
        std::error_code ignored;
        if (!temp_.empty()) std::filesystem::remove_all(temp_, ignored);
    }

    // Host path of relative below the test's directory.
    std::string at(const std::string &relative) const { return temp_ + "/" + relative; }

    // Sets or, for "", unsets an environment variable until the end of the test.
    void set_env(const std::string &name, const std::string &value) {
        if (!saved_env_.count(name)) {
            const char *old = std::getenv(name.c_str());
            saved_env_[name] = {old != nullptr, old ? old : ""};
        }
        if (value.empty()) unsetenv(name.c_str());
        else setenv(name.c_str(), value.c_str(), 1);
    }

    // Entries below the test's directory, parents made; a name ending in '/' is a directory.
    void make_entries(const std::vector<std::string> &relatives) const {
        for (const std::string &relative : relatives) {
            if (!relative.empty() && relative.back() == '/') std::filesystem::create_directories(at(relative));
            else write_bytes(relative, "x");
        }
    }

    void write_bytes(const std::string &relative, const std::string &bytes) const {
        std::filesystem::path path = at(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good()) << "cannot write " << path;
    }

    std::string read_bytes(const std::string &relative) const {
        std::ifstream in(at(relative), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    std::string temp_;
    std::map<std::string, std::pair<bool, std::string>> saved_env_;
};

}  // namespace systest
