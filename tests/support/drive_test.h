// A fresh, empty drive D: for each test, on Linux and on Windows alike.
//
// Linux: a new temporary folder that NXHOST_DRIVE_D names; the other drive and mount variables
// are cleared for the test. Windows: drive D: itself, which must be a scratch drive handed to the
// tests (the Wine runner maps one and sets TORVANE_SCRATCH_DRIVE_D=1); it is emptied before and
// after each test. Environment variables a test changes are restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace testsupport {

class DriveTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host folder behind drive D:, without a final separator.
    const std::string &drive_dir() const { return drive_dir_; }
    // Host folder of the test's own, outside drive D:.
    const std::string &temp_dir() const { return temp_dir_; }

    // Files below drive D: by relative host path ("qz_conf/lang/my_func.txt"), folders made.
    void write_file(const std::string &relative, const std::string &bytes) const;
    std::string read_file(const std::string &relative) const;
    bool file_exists(const std::string &relative) const;

    // Sets or, for "", unsets an environment variable until the end of the test.
    void set_env(const std::string &name, const std::string &value);

private:
    std::string drive_dir_, temp_dir_;
    std::map<std::string, std::pair<bool, std::string>> saved_env_;
};

// Host folder of the source tree and of the build tree (for shipped files and built add-ons).
std::string source_dir();
std::string binary_dir();

// The whole of a host file, bytes as they are; "" when it cannot be read.
std::string read_host_file(const std::string &path);

// Writes bytes to a host file, making its folders; false when that fails.
bool write_host_file(const std::string &path, const std::string &bytes);

}  // namespace testsupport
