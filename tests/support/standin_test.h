// Fixture for tests that run add-on or stand-in code in-process against a fresh stand-in.
//
// Each test gets an empty session with a temporary directory mounted as drive D, the
// session opened with UF_initialize, and a script error turned into a test failure. At the
// end it checks what a careful NX program must leave behind: every session closed, every
// block of NX memory freed, no misuse of the API.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drive_test.h"

namespace testsupport {

class StandinTest : public DriveTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Plays a scenario given as text.
    void play(const std::string &script_text) const;
    // Texts shown, optionally only those of one kind ("message", "listing", "status", ...).
    std::vector<std::string> shown(const std::string &kind = "") const;
    void clear_shown() const;

    // Shows the NX folder of this build (CAM configuration, library parts, extension libraries) as
    // NX's folder, and the CAM configuration file cam_config (Windows path) when given.
    void use_nx_root(const std::string &cam_config = "");

    // Tests that provoke misuse or keep the session open on purpose say so.
    bool expect_clean_session_ = true;
};

// Runs `body` once to count the NX calls it makes, then once per call with that call made to
// fail (after `setup` each time, on a fresh stand-in). `body` must survive every failure: this is
// how tests prove that no host failure crashes the add-on. Returns the number of calls.
// A long run can be cut into shards that run side by side: shard k of n fails the calls
// k+1, k+1+n, k+1+2n ...
long run_failing_each_call(const std::function<void()> &setup, const std::function<void()> &body, int shard = 0,
                           int shards = 1);

}  // namespace testsupport
