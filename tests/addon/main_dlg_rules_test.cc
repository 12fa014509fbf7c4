// What the main dialog derives without asking NX: class switches from an electrode's record or
// the EDM configuration, the tool library and cutter menus, the start name and sequence of the
// program names, the part paths, and the names of nodes moved into another class.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "torvane/main_dlg_setup.h"
#include "torvane/plan_class.h"
#include "torvane/prog_name.h"

namespace {

using Lines = std::vector<std::string>;

std::string classes_text(const class_settings &c) {
    char text[128];
    std::snprintf(text, sizeof text, "R %d %g  M %d %g  F %d %g", c.on[0], c.value[0], c.on[1], c.value[1], c.on[2],
                  c.value[2]);
    return text;
}

// Stored switches: all on with gaps 9, so that what a source leaves alone shows.
class_settings stored() {
    class_settings c;
    for (int kind = 0; kind < 4; ++kind) {
        c.on[kind] = 1;
        c.value[kind] = 9.0;
    }
    return c;
}

TEST(MainDialogRules, ClassSwitchesFromAnElectrodeWithSparkNumbers) {
    struct Row {
        const char *what;
        int numbers[3];       // rough, middle, finish; -1 = attribute missing
        double gaps[3];
        int decides;
        const char *classes;
    } rows[] = {
        {"one rough and one finish", {1, 0, 1}, {0.2, 0.1, 0.08}, 1, "R 1 0.2  M 0 9  F 1 0.08"},
        {"only a finish number: the others read 0", {-1, -1, 2}, {0.2, 0.1, 0.05}, 1, "R 0 9  M 0 9  F 1 0.05"},
        {"only the middle number", {-1, 1, -1}, {0, 0.12, 0}, 1, "R 0 9  M 1 0.12  F 0 9"},
        {"no spark numbers at all", {-1, -1, -1}, {0.2, 0.1, 0.08}, 0, "R 1 9  M 1 9  F 1 9"},
    };
    for (const Row &r : rows) {
        elec_attr_data record{};
        // The attribute reader sets the three presence flags together (the spark-number rule).
        const bool any = r.numbers[0] >= 0 || r.numbers[1] >= 0 || r.numbers[2] >= 0;
        record.has_rough_number = record.has_finish_number = record.has_spark_numbers = any ? 1 : 0;
        record.rough_number = r.numbers[0] > 0 ? r.numbers[0] : 0;
        record.middle_number = r.numbers[1] > 0 ? r.numbers[1] : 0;
        record.finish_number = r.numbers[2] > 0 ? r.numbers[2] : 0;
        record.rough_space = r.gaps[0];
        record.middle_space = r.gaps[1];
        record.finish_space = r.gaps[2];
        class_settings classes = stored();
        EXPECT_EQ(classes_from_elec_attr(record, &classes), r.decides) << r.what;
        EXPECT_EQ(classes_text(classes), r.classes) << r.what;
        EXPECT_EQ(classes.value[RMF_OTHER], 9.0) << "the other class always keeps its stored value";
    }
}

TEST(MainDialogRules, ClassSwitchesFromTheEdmConfiguration) {
    struct Row {
        edm_descr descr;
        const char *classes;
    } rows[] = {
        {{"0.15", "0.1", "0.05", "1", "0", "1"}, "R 1 0.15  M 0 9  F 1 0.05"},
        {{"0.15", "0.1", "0.05", "0", "2", "3"}, "R 0 9  M 1 0.1  F 1 0.05"},
        {{"", "", "", "", "", ""}, "R 0 9  M 0 9  F 0 9"},        // a configuration without the keys
        {{"0.3", "0.2", "0.1", "-1", "x", "1.9"}, "R 0 9  M 0 9  F 1 0.1"},  // numbers read as integers
    };
    for (const Row &r : rows) {
        class_settings classes = stored();
        classes_from_edm_descr(r.descr, &classes);
        EXPECT_EQ(classes_text(classes), r.classes) << r.descr.elec_rough_number << r.descr.elec_finish_number;
    }
}

TEST(MainDialogRules, ToolLibraryMenuLeavesOutLibrariesNotSet) {
    const char names[TOOL_LIBREF_COUNT][TOOL_LIBREF_NAME_BUFSIZE] = {"QZ_STD", "NONE", "", "QZ_GRAPHITE", "NONE", "QZ_X"};
    EXPECT_EQ(tool_libref_menu_entries(names, "NONE", "(no tool library)"),
              (Lines{"QZ_STD", "", "QZ_GRAPHITE", "QZ_X", "(no tool library)"}));
    EXPECT_EQ(tool_libref_number(names, "QZ_GRAPHITE"), 4);
    EXPECT_EQ(tool_libref_number(names, ""), 3) << "an empty name is still a library";
    EXPECT_EQ(tool_libref_number(names, "(no tool library)"), 0);
}

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

    std::vector<tool_data> many(1200);
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i].tool_dia = 1.0;
        if (i + 1 < many.size()) many[i].next_p = &many[i + 1];
    }
    EXPECT_EQ(tool_menu_entries(&many[0], 0.0).size(), static_cast<std::size_t>(TOOL_MENU_MAX) + 1);
}

TEST(MainDialogRules, PartPathsAndStartName) {
    EXPECT_EQ(default_start_prog_name("D:\\moulds\\core.a\\ELEC-7.prt"), "ELEC-7_01");
    struct Row {
        int radio_60;
        const char *stored, *shown;
    } rows[] = {
        {0, "E:\\done\\other.prt", "D:\\moulds\\core.prt"},
        {1, "E:\\done\\other.prt", "E:\\done\\core.prt"},
        {1, "E:\\done\\", "E:\\done\\core.prt"},
        {1, "no folder", "no folder"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(shown_part_path(r.radio_60, r.stored, "D:\\moulds\\core.prt"), r.shown) << r.stored;
    EXPECT_EQ(directory_of("E:\\done\\core.prt"), "E:\\done");
    EXPECT_EQ(directory_of("core.prt"), "core.prt");
    EXPECT_EQ(part_path_in_directory("E:\\posted", "D:\\moulds\\core.prt"), "E:\\posted\\core.prt");
    EXPECT_EQ(part_path_in_directory("E:\\", "D:\\moulds\\core.prt"), "E:\\core.prt");
    part_file file;
    std::snprintf(file.file_name, sizeof file.file_name, "%s", "a.prt");
    const std::string status[2] = {"open", "done"};
    EXPECT_EQ(part_file_line(file, status), "open    a.prt");
    file.status = 1;
    EXPECT_EQ(part_file_line(file, status), "done    a.prt");
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
