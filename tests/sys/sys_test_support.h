// Fixture of the sys/ tests: a fresh scratch drive D: (see drive_test.h) and a folder of the
// test's own beside it. Paths relative to the test start with "d/" for files on drive D:.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "drive_test.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace systest {

// True when the Windows program runs under Wine rather than Windows.
inline bool under_wine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != NULL;
#else
    return false;
#endif
}

class SysTest : public testsupport::DriveTest {
protected:
    // Host path of relative: "d/..." on drive D:, anything else in the test's own folder.
    std::string at(const std::string &relative) const {
        if (relative == "d") return drive_dir();
        if (relative.compare(0, 2, "d/") == 0) return drive_dir() + relative.substr(1);
        return temp_dir() + "/" + relative;
    }

    // Entries by relative path, parents made; a name ending in '/' is a folder.
    void make_entries(const std::vector<std::string> &relatives) const {
        for (const std::string &relative : relatives) {
            if (!relative.empty() && relative.back() == '/') std::filesystem::create_directories(at(relative));
            else write_bytes(relative, "x");
        }
    }

    void write_bytes(const std::string &relative, const std::string &bytes) const {
        ASSERT_TRUE(testsupport::write_host_file(at(relative), bytes)) << "cannot write " << at(relative);
    }

    std::string read_bytes(const std::string &relative) const { return testsupport::read_host_file(at(relative)); }
};

}  // namespace systest
