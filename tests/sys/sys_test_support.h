// Fixture for the sys/ tests: a fresh temporary directory and no drive or mount settings.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace systest {

class SysTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host directory made for this test and removed after it.
    const std::string &temp() const { return temp_; }
    // temp() + "/" + relative.
    std::string at(const std::string &relative) const;
    // Replaces "$T" in text by temp().
    std::string expand(const std::string &text) const;

    // Environment changes undone after the test.
    void set_env(const std::string &name, const std::string &value);
    // Drive letter's host directory, made if missing.
    void mount_drive(char letter, const std::string &host_dir);

    // Files below temp(); a name ending in '/' makes a directory. Parents are made.
    void make_entries(const std::vector<std::string> &relatives) const;
    void write_bytes(const std::string &relative, const std::string &bytes) const;
    std::string read_bytes(const std::string &relative) const;
    bool exists(const std::string &relative) const;

private:
    std::string temp_;
    std::map<std::string, std::pair<bool, std::string>> saved_env_;
};

}  // namespace systest
