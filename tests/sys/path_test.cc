#include "sys/sys_path.h"

#include "sys_test_support.h"

namespace {

#ifdef _WIN32
// Windows itself maps drives and folders: paths pass unchanged.
TEST(SysNativePath, LeavesWindowsPathsToWindows) {
    for (const char *path : {"D:\\a\\b.txt", "d:/a\\..\\b", "rel\\x.txt", "\\\\server\\share\\x"})
        EXPECT_EQ(sys_native_path(path), path);
    EXPECT_EQ(sys_native_path(nullptr), "");
}
#else
// D: is the test's "d" directory; "$T/" in mounts and expectations stands for the test's directory.
struct PathCase {
    const char *what;
    const char *mounts;  // NXHOST_MOUNTS
    std::vector<std::string> existing;
    const char *input;
    const char *expected;  // "" = not mounted
};

const char *const kLang = "D:\\cfg\\lang=$T/alt";

const PathCase kCases[] = {
    {"a drive letter maps to its directory", "", {}, "D:\\a\\b.txt", "$T/d/a/b.txt"},
    {"lower case and doubled, mixed separators", "", {}, "d:\\a//b\\\\c.txt", "$T/d/a/b/c.txt"},
    {"the drive root is the drive's directory", "", {}, "D:\\", "$T/d"},
    {"a path relative to a drive starts at its root", "", {}, "D:a.txt", "$T/d/a.txt"},
    {"an unmounted drive gives nothing", "", {}, "E:\\x.txt", ""},
    {"dot is dropped and dot-dot goes up", "", {}, "D:\\a\\.\\b\\..\\c.txt", "$T/d/a/c.txt"},
    {"dot-dot climbing out later is refused", "", {}, "D:\\a\\..\\..\\x.txt", ""},
    {"a mount wins, names below it ignore case", kLang, {"alt/Torvane.txt"},
     "D:\\cfg\\lang\\TORVANE.TXT", "$T/alt/Torvane.txt"},
    {"paths beside a mount still use the drive", kLang, {}, "D:\\cfg\\temp\\x.txt", "$T/d/cfg/temp/x.txt"},
    {"the mounted folder itself is the mount's directory", kLang, {}, "D:\\cfg\\lang", "$T/alt"},
    {"a mount matches whole components only", kLang, {}, "D:\\cfg\\language\\x.txt", "$T/d/cfg/language/x.txt"},
    {"a mount may end in \\, matches ignoring case", "D:\\cfg\\lang\\=$T/alt", {},
     "d:\\CFG\\Lang\\x.txt", "$T/alt/x.txt"},
    {"the longest mount wins, listed last", "D:\\cfg=$T/m1|D:\\cfg\\lang=$T/m2", {},
     "D:\\cfg\\lang\\x.txt", "$T/m2/x.txt"},
    {"the longest mount wins, listed first", "D:\\cfg\\lang=$T/m2|D:\\cfg=$T/m1", {},
     "D:\\cfg\\lang\\x.txt", "$T/m2/x.txt"},
    {"a mount on a drive without a variable", "F:\\data=$T/f", {}, "F:\\data\\x.txt", "$T/f/x.txt"},
    {"outside a mount such a drive is not mounted", "F:\\data=$T/f", {}, "F:\\other\\x.txt", ""},
    {"a mount of the drive root replaces the drive", "D:\\=$T/root", {}, "D:\\x.txt", "$T/root/x.txt"},
    {"dot-dot is resolved before mounts match", kLang, {}, "D:\\cfg\\lang\\..\\temp\\x.txt", "$T/d/cfg/temp/x.txt"},
    {"malformed mounts are ignored", "garbage|D:\\x=|=/tmp|D:\\cfg\\lang=$T/alt", {},
     "D:\\cfg\\lang\\x.txt", "$T/alt/x.txt"},
    {"names resolve ignoring case", "", {"d/Cfg/LANG/Torvane.TXT"}, "D:\\cfg\\lang\\torvane.txt",
     "$T/d/Cfg/LANG/Torvane.TXT"},
    {"a new file keeps its name in a found folder", "", {"d/Temp/"}, "D:\\TEMP\\New.txt", "$T/d/Temp/New.txt"},
    {"the first match in byte order wins", "", {"d/abc.TXT", "d/ABC.txt"}, "D:\\Abc.txt", "$T/d/ABC.txt"},
    {"an exact name wins over a case match", "", {"d/ABC.txt", "d/abc.txt"}, "D:\\abc.txt", "$T/d/abc.txt"},
    {"below a missing folder the rest is as given", "", {"d/Sub/"}, "D:\\sub\\NoDir\\X.txt", "$T/d/Sub/NoDir/X.txt"},
    {"a path without a drive is used unchanged", "", {}, "rel\\x.txt", "rel\\x.txt"},
};

class SysNativePath : public systest::SysTest {
protected:
    std::string expand(std::string text) const {
        for (size_t at_t; (at_t = text.find("$T/")) != std::string::npos;) text.replace(at_t, 3, at(""));
        return text;
    }
};

TEST_F(SysNativePath, MapsWindowsPathsAsTheTableSays) {
    for (const PathCase &c : kCases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.input);
        set_env("NXHOST_MOUNTS", expand(c.mounts));
        make_entries(c.existing);
        EXPECT_EQ(sys_native_path(c.input), expand(c.expected));
        for (const std::string &entry : c.existing)
            std::filesystem::remove_all(at(entry.substr(0, entry.find('/', entry.find('/') + 1))));
    }
    EXPECT_EQ(sys_native_path(nullptr), "");
}

TEST_F(SysNativePath, FollowsTheEnvironmentAsItChanges) {
    set_env("NXHOST_DRIVE_D", at("one"));
    EXPECT_EQ(sys_native_path("D:\\x"), at("one/x"));
    set_env("NXHOST_DRIVE_D", at("two/"));
    EXPECT_EQ(sys_native_path("D:\\x"), at("two/x")) << "a trailing slash on the drive's directory";
    set_env("NXHOST_DRIVE_D", "");
    EXPECT_EQ(sys_native_path("D:\\x"), "");
}
#endif

}  // namespace
