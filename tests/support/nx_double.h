// Windows test programs run without NX. The few NX Open calls that the add-on's pure logic
// reaches (message box, listing window, status line, the displayed part, dialog values) are
// answered here as NX answers them when nothing is loaded and no dialog is open, and what they
// would show is recorded as the stand-in's transcript records it.
#pragma once

#include <string>
#include <vector>

#include "drive_test.h"

namespace testsupport {

class NxDoubleTest : public DriveTest {
protected:
    void SetUp() override;

    // Texts shown, optionally only those of one kind ("message", "listing", "status"), one
    // entry a line, bytes as the add-on gave them.
    std::vector<std::string> shown(const std::string &kind = "") const;
    void clear_shown() const;
};

}  // namespace testsupport
