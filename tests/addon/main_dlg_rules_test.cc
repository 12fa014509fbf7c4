// What the main dialog derives without asking NX: the cutter menu, the program name sequence, the
// part path it shows, and the names of nodes moved into another class.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "torvane/dialogs/main_dlg_setup.h"
#include "torvane/dialogs/plan_class.h"
#include "torvane/dialogs/prog_name.h"

namespace {

using Lines = std::vector<std::string>;

TEST(MainDialogRules, CutterMenuIsSortedByDiameterAndFilteredByIt) {
    tool_data cutters[4];
    const struct {
        const char *name, *descr;
        double dia;
    } rows[] = {{"D12", "flat_D12", 12.0}, {"D6", "flat_D6", 6.0}, {"R1", "", 2.0}, {"D6R1", "bull_D6_R1", 6.0}};
    for (int i = 0; i < 4; ++i) {
        std::snprintf(cutters[i].tool_name, sizeof cutters[i].tool_name, "%s", rows[i].name);
        std::snprintf(cutters[i].tool_descr, sizeof cutters[i].tool_descr, "%s", rows[i].descr);
        cutters[i].tool_dia = rows[i].dia;
        cutters[i].next_p = i < 3 ? &cutters[i + 1] : nullptr;
    }
    EXPECT_EQ(tool_menu_entries(cutters, 0.0),
              (Lines{"R1", "D6  (flat_D6)", "D6R1  (bull_D6_R1)", "D12  (flat_D12)", "NONE"}));
    EXPECT_EQ(tool_menu_entries(cutters, 6.0), (Lines{"D6  (flat_D6)", "D6R1  (bull_D6_R1)", "NONE"}));
    EXPECT_EQ(tool_menu_entries(cutters, 6.01), (Lines{"NONE"}));
    EXPECT_EQ(tool_menu_entries(nullptr, 0.0), (Lines{"NONE"}));

}

TEST(MainDialogRules, PartPathShownByRadio60) {
    const char *const rows[][2] = {{"E:\\done\\other.prt", "E:\\done\\core.prt"}, {"no folder", "no folder"}};
    for (const auto &r : rows) EXPECT_EQ(shown_part_path(1, r[0], "D:\\moulds\\core.prt"), r[1]) << r[0];
    EXPECT_EQ(shown_part_path(0, "E:\\done\\other.prt", "D:\\moulds\\core.prt"), "D:\\moulds\\core.prt");
}

TEST(MainDialogRules, NamesMovedIntoAnotherClass) {
    struct Row {
        const char *name;
        int kind;
        const char *renamed;
    } rows[] = {
        {"CAV_TOP-R1", RMF_MIDDLE, "CAV_TOP1-M"},
        {"R1-R", RMF_MIDDLE, "R1-M"},
        {"ZLE-R2-F3", RMF_MIDDLE, "ZLE23-M"},  // both marks go
        {"FACE-r1", RMF_FINISH, "FACE-r1-F"},  // lower-case marks stay
        {"FIX_0_90-F5", RMF_OTHER, "FIX_0_905"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123-R", RMF_FINISH, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01-F"},
    };
    for (const Row &r : rows) EXPECT_EQ(class_marked_name(r.name, r.kind), r.renamed) << r.name;
    EXPECT_EQ(class_of_option_entry(1), RMF_ROUGH);
    EXPECT_EQ(class_of_option_entry(6), RMF_OTHER);
    for (int entry : {0, 4, 5, 7, 8, 9}) EXPECT_EQ(class_of_option_entry(entry), -1) << entry;
}

TEST(MainDialogRules, ProgramNameSequences) {
    struct Row {
        const char *start;
        int count;
        Lines names;
    } rows[] = {
        {"AB_01", 3, {"AB_01", "AB_02", "AB_03"}},
        {"P009", 2, {"P009", "P010"}},
        {"P9", 3, {"P9", "P10", "P11"}},
        {"A", 3, {"A", "B", "C"}},
        {"007", 2, {"007", "008"}},
        {"42", 2, {"42", "43"}},
        {"E1234567", 2, {"E1234567", "E1234568"}},
    };
    for (const Row &r : rows) {
        prog_name_source source;
        ASSERT_EQ(prog_name_source_of(r.start, &source), 1) << r.start;
        Lines names;
        for (int i = 0; i < r.count; ++i) names.push_back(prog_name_at(source, i));
        EXPECT_EQ(names, r.names) << r.start;
    }
    prog_name_source source;
    EXPECT_EQ(prog_name_source_of("AB_", &source), 0);
    EXPECT_EQ(prog_name_source_of("", &source), 0);
    ASSERT_EQ(prog_name_source_of("E12345678", &source), 1);
    EXPECT_GT(source.width, PROG_NAME_WIDTH_MAX) << "eight digits are refused by the check";
}

}  // namespace
