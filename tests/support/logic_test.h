// Fixture of the add-on tests that need no stand-in, only a drive D: and the texts NX was asked
// to show: on Linux they run against the stand-in, on Windows against a recording double.
#pragma once

#ifdef _WIN32
#include "nx_double.h"
namespace testsupport {
using LogicTest = NxDoubleTest;
}
#else
#include "standin_test.h"
namespace testsupport {
using LogicTest = StandinTest;
}
#endif
