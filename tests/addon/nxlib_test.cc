// The extension libraries: the folder each wrapper chooses at the release boundaries, the messages
// for a missing library or entry, and the libraries of NX's folder doing their work.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cam_addon_fixture.h"
#include "my_func_nxlib/nxlib.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "uf_attr.h"
#include "uf_camgeom.h"
#include "uf_cutter.h"
#include "uf_ncgroup.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_param.h"
#include "uf_param_indices.h"
#include "uf_part.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

std::string choice(int entry, double release) {
    char folder[16] = "stale";
    switch (nxlib_folder(entry, release, folder)) {
    case NXLIB_LOAD: return folder;
    case NXLIB_FAIL: return "fail";
    case NXLIB_DONE: return "done";
    default: return "here";
    }
}

TEST(ExtensionFolders, EachEntryPicksItsFolderAtTheReleaseBoundaries) {
    const struct {
        int entry;
        std::vector<std::pair<double, const char *>> releases;
    } cases[] = {
        {NXLIB_OPER_FROM_TEMPLATE,
         {{3.9, "fail"}, {4, "ug4"}, {6.99, "ug4"}, {7, "ug7"}, {8, "ug8"}, {8.5, "ug8.5"}, {9, "ug9"}, {10, "ug10"},
          {11, "ug11"}, {12, "ug12"}, {49.9, "ug12"}, {50, "fail"}}},
        {NXLIB_GROUP_RENAME,
         {{7.5, "here"}, {8, "ug8"}, {8.5, "ug8.5"}, {9.9, "ug8.5"}, {10, "ug10"}, {11, "ug11"}, {1846, "ug11"},
          {1847, "ug1847"}, {3000, "ug1847"}, {3000.5, "fail"}}},
        {NXLIB_FIXED_CUT_STEP,
         {{8.8, "fail"}, {8.9, "done"}, {8.95, "done"}, {9, "ug9"}, {10, "ug10"}, {11, "ug11"}, {12, "ug12"},
          {50, "done"}}},
        {NXLIB_REGION_START_POINTS,
         {{6.9, "done"}, {7, "ug7"}, {8, "ug8"}, {8.5, "ug8.5"}, {9, "ug9"}, {10, "ug10"}, {49.9, "ug10"}, {50, "done"}}},
    };
    for (const auto &c : cases)
        for (const auto &[release, expected] : c.releases) EXPECT_EQ(choice(c.entry, release), expected) << c.entry << " at " << release;
}

TEST(ExtensionFolders, TheReleaseNumberStartsAtTheFirstDigit) {
    const struct {
        const char *text;
        int from_dot;
        double release;
    } cases[] = {{"V12.0.2.9", 0, 12.0}, {"NX V1847", 0, 1847}, {"V8.5", 0, 8.5}, {"release", 0, 0.0},
                 {"V.85", 0, 85}, {"V.85", 1, 0.85}, {"", 1, 0.0}};
    for (const auto &c : cases) EXPECT_DOUBLE_EQ(nxlib_release_number(c.text, c.from_dot), c.release) << c.text;
}

class ExtensionTest : public AddonCamTest {
protected:
    // An NX folder of the test's own, with a library under a release folder.
    void own_nx_root(const std::string &folder, const std::string &library, const std::string &as) {
        const fs::path dir = fs::path(drive_dir()) / "nx" / "qz" / "application" / folder;
        fs::create_directories(dir);
        fs::copy_file(testsupport::binary_dir() + "/nxroot/qz/application/ug10/" + library + ".dll", dir / (as + ".dll"));
        set_env("NXHOST_MOUNTS", "C:\\NX=" + drive_dir() + "/nx");
        set_env("UGII_BASE_DIR", "C:\\NX\\");
    }

    static tag_t create(int (*make)(char *, char *, tag_t *), std::string type, std::string subtype) {
        tag_t tag = NULL_TAG;
        EXPECT_EQ(make(type.data(), subtype.data(), &tag), 0);
        return tag;
    }
};

TEST_F(ExtensionTest, AMissingLibraryOrEntryIsReportedInTheListingWindow) {
    nxhost::set_release_text("V10.0.3");
    own_nx_root("ug10", "fixed_cut_step", "group_rename");
    const tag_t group = named("PROGRAM");
    EXPECT_EQ(call_group_rename(group, "R"), 0);
    EXPECT_EQ(call_region_start_points(group, 0, nullptr), 0);
    EXPECT_EQ(addontest::as_utf8(shown("listing")),
              (Lines{"", "在 group_rename.dll 库中找不到 group_rename 函数!", "", "找不到库文件 region_start_points.dll, 请与Varnholt联系!"}));
    EXPECT_EQ(name(group), "PROGRAM");
    clear_shown();
    nxhost::set_release_text("V3.0");
    EXPECT_EQ(call_oper_from_template("cu_quick", "CAV_TOP-R1", group, NULL_TAG, NULL_TAG), NULL_TAG)
        << "no library for NX 3, and nothing said";
    EXPECT_EQ(call_region_start_points(group, 0, nullptr), 1);
    EXPECT_EQ(shown("listing"), Lines{});
}

TEST_F(ExtensionTest, TheLibrariesOfNxsFolderDoTheirWork) {
    for (const char *release : {"V7.5", "V12.0.2.9", "NX V1899"}) {
        SCOPED_TRACE(release);
        nxhost::set_release_text(release);
        const tag_t group = create(UF_NCPROG_create, "TT", "PROGRAM");
        EXPECT_EQ(call_group_rename(group, "R_NEW"), 1);
        EXPECT_EQ(name(group), "R_NEW");
        ASSERT_EQ(UF_OBJ_delete_object(group), 0);
    }

    // A template operation copied into the working part's groups, with the template's data.
    nxhost::set_release_text("V12.0.2.9");
    const std::string path = "D:\\qz_conf\\cam_qz\\cam_template\\cu_quick.prt";
    ASSERT_EQ(UF_CAM_opt_add_type(path.c_str()), 0);
    tag_t template_part = NULL_TAG;
    UF_PART_load_status_t status{};
    ASSERT_EQ(UF_PART_open_quiet(path.c_str(), &template_part, &status), 0);
    const tag_t program = named("PROGRAM"), workpiece = create(UF_NCGEOM_create, "TT", "WORKPIECE_QZ");
    const tag_t cutter = create(UF_CUTTER_create, "mill_contour", "MILL");
    const tag_t made = call_oper_from_template("cu_quick", "CAV_TOP-R1", program, cutter, workpiece);
    ASSERT_NE(made, NULL_TAG);
    tag_t parent = NULL_TAG;
    for (auto [ask, expected] : {std::pair{UF_OPER_ask_program_group, "PROGRAM"}, std::pair{UF_OPER_ask_cutter_group, "MILL"},
                                 std::pair{UF_OPER_ask_geom_group, "WORKPIECE_QZ"},
                                 std::pair{UF_OPER_ask_method_group, "MILL_ROUGH"}}) {
        ASSERT_EQ(ask(made, &parent), 0);
        EXPECT_EQ(name(parent), expected);
    }
    EXPECT_EQ(name(made), "CAV_TOP-R1");
    double stock = 0;
    ASSERT_EQ(UF_PARAM_ask_double_value(made, UF_PARAM_STOCK_PART, &stock), 0);
    EXPECT_EQ(stock, 0.3) << "the template's stock";
    const std::size_t objects = nxhost::store().in_part(part_).size();
    EXPECT_EQ(call_oper_from_template("cu_quick", "CAV_TOP-R1", cutter, cutter, workpiece), NULL_TAG)
        << "a cutter cannot be its program group";
    EXPECT_EQ(nxhost::store().in_part(part_).size(), objects) << "nothing is left of the refused copy";
    EXPECT_EQ(call_oper_from_template("cu_quick", "NO_SUCH", program, cutter, workpiece), NULL_TAG);

    // Stepover and start points.
    const tag_t contour = create(UF_OPER_create, "mill_contour", "FIXED_CONTOUR");
    EXPECT_EQ(call_fixed_cut_step(contour, 0.3, 0.18), 1);
    double step = 0;
    ASSERT_EQ(UF_PARAM_ask_double_value(contour, UF_PARAM_STEPOVER_DIST, &step), 0);
    EXPECT_EQ(step, 0.3);
    tag_t points[2] = {nxhost::store().create(UF_point_type, UF_point_subtype, part_).tag,
                       nxhost::store().create(UF_point_type, UF_point_subtype, part_).tag};
    EXPECT_EQ(call_region_start_points(made, 2, points), 1);
    int count = 0;
    UF_CAMGEOM_custom_point_p_t *asked = nullptr;
    ASSERT_EQ(UF_CAMGEOM_ask_custom_points(made, UF_CAMGEOM_cut_region_start_type, &count, &asked), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(asked[1]->point_tag, points[1]);
    for (int i = 0; i < count; ++i) UF_free(asked[i]);
    UF_free(asked);
    EXPECT_EQ(call_region_start_points(contour, 2, points), 0) << "fixed contour takes no start points";
    EXPECT_EQ(shown("listing"), Lines{});
}

}  // namespace
