#include "sys/sys_path.h"

#include "sys_test_support.h"

#include <filesystem>

namespace {

struct PathCase {
    const char *what;
    const char *drive_d;  // host directory of D:, "$T" stands for the test's directory
    const char *mounts;   // NXHOST_MOUNTS
    std::vector<std::string> existing;
    const char *input;
    const char *expected;  // "" = not mounted
};

const PathCase kCases[] = {
    {"a drive letter maps to its directory", "$T/d", "", {}, "D:\\a\\b.txt", "$T/d/a/b.txt"},
    {"a lower-case drive letter maps the same", "$T/d", "", {}, "d:\\a.txt", "$T/d/a.txt"},
    {"forward slashes are accepted", "$T/d", "", {}, "D:/a/b.txt", "$T/d/a/b.txt"},
    {"doubled and mixed separators collapse", "$T/d", "", {}, "D:\\a//b\\\\c.txt", "$T/d/a/b/c.txt"},
    {"the drive root is the drive's directory", "$T/d", "", {}, "D:\\", "$T/d"},
    {"a drive directory with a trailing slash", "$T/d/", "", {}, "D:\\a.txt", "$T/d/a.txt"},
    {"a path relative to a drive starts at its root", "$T/d", "", {}, "D:a.txt", "$T/d/a.txt"},
    {"an unmounted drive gives nothing", "$T/d", "", {}, "E:\\x.txt", ""},
    {"no drive variable gives nothing", "", "", {}, "D:\\x.txt", ""},
    {"a dot component is dropped", "$T/d", "", {}, "D:\\a\\.\\b.txt", "$T/d/a/b.txt"},
    {"a dot-dot component goes up", "$T/d", "", {}, "D:\\a\\b\\..\\c.txt", "$T/d/a/c.txt"},
    {"dot-dot above the root is refused", "$T/d", "", {}, "D:\\..\\x.txt", ""},
    {"dot-dot climbing out later is refused", "$T/d", "", {}, "D:\\a\\..\\..\\x.txt", ""},
    {"a mount wins over the drive", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\lang\\torvane.txt", "$T/alt/torvane.txt"},
    {"paths beside a mount still use the drive", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\temp\\x.txt", "$T/d/qz_conf/temp/x.txt"},
    {"the mounted folder itself is the mount's directory", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\lang", "$T/alt"},
    {"a mount prefix matches whole components only", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\language\\x.txt", "$T/d/qz_conf/language/x.txt"},
    {"a mount prefix matches ignoring case", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "d:\\QZ_CONF\\Lang\\x.txt", "$T/alt/x.txt"},
    {"a mount prefix may end in a backslash", "$T/d", "D:\\qz_conf\\lang\\=$T/alt", {},
     "D:\\qz_conf\\lang\\x.txt", "$T/alt/x.txt"},
    {"the longest prefix wins when listed last", "$T/d", "D:\\qz_conf=$T/m1|D:\\qz_conf\\lang=$T/m2", {},
     "D:\\qz_conf\\lang\\x.txt", "$T/m2/x.txt"},
    {"the longest prefix wins when listed first", "$T/d", "D:\\qz_conf\\lang=$T/m2|D:\\qz_conf=$T/m1", {},
     "D:\\qz_conf\\lang\\x.txt", "$T/m2/x.txt"},
    {"a shorter prefix takes what the longer does not match", "$T/d",
     "D:\\qz_conf\\lang=$T/m2|D:\\qz_conf=$T/m1", {}, "D:\\qz_conf\\temp\\x.txt", "$T/m1/temp/x.txt"},
    {"a mount on a drive without a variable", "", "F:\\data=$T/f", {}, "F:\\data\\x.txt", "$T/f/x.txt"},
    {"outside a mount such a drive is not mounted", "", "F:\\data=$T/f", {}, "F:\\other\\x.txt", ""},
    {"a mount of the drive root replaces the drive", "$T/d", "D:\\=$T/root", {}, "D:\\x.txt",
     "$T/root/x.txt"},
    {"dot-dot is resolved before mounts are matched", "$T/d", "D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\lang\\..\\temp\\x.txt", "$T/d/qz_conf/temp/x.txt"},
    {"malformed mount entries are ignored", "$T/d", "garbage|D:\\x=|=/tmp|D:\\qz_conf\\lang=$T/alt", {},
     "D:\\qz_conf\\lang\\x.txt", "$T/alt/x.txt"},
    {"names resolve ignoring case", "$T/d", "", {"d/Qz_Conf/LANG/Torvane.TXT"},
     "D:\\qz_conf\\lang\\torvane.txt", "$T/d/Qz_Conf/LANG/Torvane.TXT"},
    {"names below a mount resolve ignoring case", "$T/d", "D:\\qz_conf\\lang=$T/alt", {"alt/Torvane.txt"},
     "D:\\qz_conf\\lang\\TORVANE.TXT", "$T/alt/Torvane.txt"},
    {"a new file keeps its name in a case-resolved folder", "$T/d", "", {"d/Temp/"}, "D:\\TEMP\\New.txt",
     "$T/d/Temp/New.txt"},
    {"the first match in byte order wins", "$T/d", "", {"d/abc.TXT", "d/ABC.txt"}, "D:\\Abc.txt",
     "$T/d/ABC.txt"},
    {"an exact name wins over a case match", "$T/d", "", {"d/ABC.txt", "d/abc.txt"}, "D:\\abc.txt",
     "$T/d/abc.txt"},
    {"below a missing folder the rest is kept as given", "$T/d", "", {"d/Sub/"}, "D:\\sub\\NoDir\\X.txt",
     "$T/d/Sub/NoDir/X.txt"},
    {"an absolute host path is used unchanged", "$T/d", "", {}, "/tmp/x.txt", "/tmp/x.txt"},
    {"a relative host path is used unchanged", "$T/d", "", {}, "rel/x.txt", "rel/x.txt"},
    {"a path without a drive keeps its backslashes", "$T/d", "", {}, "rel\\x.txt", "rel\\x.txt"},
};

class SysNativePath : public systest::SysTest {};

TEST_F(SysNativePath, MapsWindowsPathsAsTheTableSays) {
    for (const PathCase &c : kCases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.input);
        set_env("NXHOST_DRIVE_D", expand(c.drive_d));
        set_env("NXHOST_MOUNTS", expand(c.mounts));
        make_entries(c.existing);
        EXPECT_EQ(sys_native_path(c.input), expand(c.expected));
        for (const std::string &entry : c.existing) {
            std::error_code ignored;
            std::filesystem::remove_all(at(entry.substr(0, entry.find('/'))), ignored);
        }
    }
}

TEST_F(SysNativePath, GivesNothingForNull) { EXPECT_EQ(sys_native_path(nullptr), ""); }

TEST_F(SysNativePath, FollowsTheEnvironmentAsItChanges) {
    EXPECT_EQ(sys_native_path("D:\\x"), "");
    set_env("NXHOST_DRIVE_D", at("one"));
    EXPECT_EQ(sys_native_path("D:\\x"), at("one/x"));
    set_env("NXHOST_DRIVE_D", at("two"));
    EXPECT_EQ(sys_native_path("D:\\x"), at("two/x"));
}

}  // namespace
