// Cut lines on the electrodes' flat tops: one line through a narrow face, three sides of a wide
// one by the direction the electrode works in, lines the part shows reused, blanked ones not.
#include <vector>

#include "my_func_cam/tool_libref.h"
#include "setup_fixture.h"
#include "torvane/setup/cut_lines.h"
#include "torvane/setup/mcs_class.h"
#include "uf_curve.h"
#include "uf_obj.h"
#include "uf_obj_types.h"

namespace {

using Line = std::array<double, 6>;

Line as_row(const UF_CURVE_line_t &l) {
    return {l.start_point[0], l.start_point[1], l.start_point[2], l.end_point[0], l.end_point[1], l.end_point[2]};
}

TEST(CutLines, ANarrowFaceGetsOneLineAWideOneThreeSidesOpenOnTheSideTheDirectionSays) {
    struct Row {
        const char *what;
        std::array<double, 3> a, b;
        int direction;
        double diameter;
        std::vector<Line> lines;
    } rows[] = {
        {"wide, flat in XY", {0, 0, 5}, {20, 10, 5}, 1, 10, {{20, 0, 5, 20, 10, 5}, {20, 10, 5, 0, 10, 5}, {0, 10, 5, 0, 0, 5}}},
        {"-1 is flat in XY too", {0, 0, 5}, {20, 10, 5}, -1, 10, {{20, 0, 5, 20, 10, 5}, {20, 10, 5, 0, 10, 5}, {0, 10, 5, 0, 0, 5}}},
        {"wide, flat in XZ at b.y", {0, 7, 0}, {20, 7, 10}, 2, 10, {{20, 7, 10, 20, 7, 0}, {20, 7, 0, 0, 7, 0}, {0, 7, 0, 0, 7, 10}}},
        {"wide, flat in YZ at a.x", {4, 0, 0}, {4, 20, 10}, -3, 10, {{4, 0, 10, 4, 20, 10}, {4, 20, 10, 4, 20, 0}, {4, 20, 0, 4, 0, 0}}},
        {"narrow across y: along x", {0, 0, 5}, {20, 6, 5}, 1, 10, {{0, 3, 5, 20, 3, 5}}},
        {"narrow across x: along y", {0, 0, 5}, {4, 20, 5}, 1, 10, {{2, 0, 5, 2, 20, 5}}},
        {"exactly the diameter less 3 is wide", {0, 0, 5}, {7, 7, 5}, 1, 10, {{7, 0, 5, 7, 7, 5}, {7, 7, 5, 0, 7, 5}, {0, 7, 5, 0, 0, 5}}},
        {"narrow in XZ: along z", {0, 7, 0}, {5, 7, 30}, -2, 10, {{2.5, 7, 0, 2.5, 7, 30}}},
        {"no direction", {0, 0, 5}, {20, 10, 5}, 0, 10, {}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        UF_CURVE_line_t lines[3];
        const int count = cut_lines_of_face(r.a.data(), r.b.data(), r.direction, r.diameter, lines);
        ASSERT_EQ(count, static_cast<int>(r.lines.size()));
        for (int i = 0; i < count; ++i) EXPECT_EQ(as_row(lines[i]), r.lines[static_cast<std::size_t>(i)]) << "line " << i;
    }
}

// Two boxes whose tops lie at 10 and 8: only the higher one is at the top of all electrodes.
class CutLinesOnElectrodes : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        open("tops.prt", {"HIGH", "LOW"}, R"({"format":"nxhost-part/1","bodies":[
            {"name":"HIGH","shape":{"box":{"min":[0,0,0],"max":[20,12,10]}}},
            {"name":"LOW","shape":{"box":{"min":[40,0,0],"max":[45,30,8]}}}]})");
        static_dlg_state.radio_1 = 1;  // the simple analysis: plain boxes work toward +Z
        ASSERT_EQ(create_mcs_and_workpiece(), 1);
        mcs_class_ = ask_mcs_class(ask_group_mcs(static_mcs_tag));
        node_.tool_data_p = std::make_shared<tool_data>();
        node_.tool_data_p->tool_dia = 10.0;
    }
    std::vector<Line> lines_of(const std::vector<tag_t> &tags) {
        std::vector<Line> rows;
        for (tag_t t : tags) {
            UF_CURVE_line_t l;
            EXPECT_EQ(UF_CURVE_ask_line_data(t, &l), 0);
            rows.push_back(as_row(l));
        }
        return rows;
    }
    int mcs_class_ = 0;
    oper node_;
};

TEST_F(CutLinesOnElectrodes, OnlyFacesAtTheTopOfAllElectrodesGetLinesAndShownLinesAreReused) {
    ASSERT_EQ(mcs_class_, 101);
    // A line of the part on the first side, drawn the other way round, is taken as it is; a
    // blanked one on the second side is not.
    UF_CURVE_line_t shown_line = {{20, 12, 10}, {20, 0, 10}}, blanked_line = {{20, 12, 10}, {0, 12, 10}};
    tag_t shown = NULL_TAG, blanked = NULL_TAG;
    ASSERT_EQ(UF_CURVE_create_line(&shown_line, &shown), 0);
    ASSERT_EQ(UF_CURVE_create_line(&blanked_line, &blanked), 0);
    ASSERT_EQ(UF_OBJ_set_blank_status(blanked, UF_OBJ_BLANKED), 0);
    cut_lines lines;
    for (const elec_cam_data *record = elec_cam_data_list; record; record = record->next_p)
        ASSERT_EQ(create_solid_top_cut_line(record, &node_, mcs_class_, &lines), 1);
    EXPECT_TRUE(lines.single_lines.empty()) << "the lower box is narrow but not at the top";
    ASSERT_EQ(lines.line_sets.size(), 1u);
    EXPECT_EQ(lines.set_records[0]->elec_tag, body("HIGH"));
    const auto &set = lines.line_sets[0];
    EXPECT_EQ(set[0], shown);
    EXPECT_NE(set[1], blanked);
    EXPECT_EQ(lines_of({set[1], set[2]}), (std::vector<Line>{{20, 12, 10, 0, 12, 10}, {0, 12, 10, 0, 0, 10}}));
}

TEST_F(CutLinesOnElectrodes, ALargerCutterMakesTheTopNarrowAndACutterNamedNoneNothing) {
    node_.tool_data_p->tool_dia = 16.0;  // 12 < 16 - 3
    cut_lines lines;
    ASSERT_EQ(create_solid_top_cut_line(elec_cam_data_list, &node_, mcs_class_, &lines), 1);
    ASSERT_EQ(lines.single_lines.size(), 1u);
    EXPECT_EQ(lines_of(lines.single_lines), (std::vector<Line>{{0, 6, 10, 20, 6, 10}}));
    oper without;
    cut_lines none;
    EXPECT_EQ(create_solid_top_cut_line(elec_cam_data_list, &without, mcs_class_, &none), 0) << "no cutter at all";
    EXPECT_TRUE(none.single_lines.empty() && none.line_sets.empty());
}

TEST_F(CutLinesOnElectrodes, WithoutADisplayedPartNoLineIsLookedUp) {
    nxhost::set_display_part(NULL_TAG);
    UF_CURVE_line_t wanted = {{0, 0, 0}, {1, 0, 0}};
    tag_t found = 1;
    EXPECT_EQ(fine_disp_same_line(&wanted, &found), 0);
    EXPECT_EQ(found, NULL_TAG);
    EXPECT_EQ(shown("message").size(), 1u);
}

}  // namespace
