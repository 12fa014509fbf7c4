// The calculation as a user runs it: a template chosen for the sample electrodes, Apply in the
// main dialog, and the program the saved part holds, read through `nxhost tree`.
#include <cstdlib>

#include "runner_fixture.h"

namespace runnertest {
namespace {

// What the tree shows of one operation.
struct OperRow {
    std::string kind;    // "cavity milling", "Z-level"
    std::string cutter;  // and reference cutter when it has one: "D6  ref cutter D12"
    std::string geometry;
    double stock;
    double bottom;  // lowest cut level
};

class CalcRunTest : public RunnerTest {
protected:
    ProcessResult run_shipped(const std::string &template_line, const std::string &main_dialog) {
        fs::copy(testsupport::source_dir() + "/conf", drive_dir(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const std::string script = write_file("calc.scn", "dialog sel_cam_template_dlg.dlg\n  select LIST_1 \"" +
                                                              template_line + "\"\n  set TOGGLE_2 1\n  press OK\n" +
                                                              "dialog torvane_dlg.dlg\n" + main_dialog);
        return nxhost({"run", script, "--drive", "D=" + drive_dir(), "--part", "D:\\samples\\electrodes.prt", "--addon",
                       built("torvane/torvane.so"), "--out", out_dir(), "--cam-config",
                       "D:\\qz_conf\\cam_qz\\qz_cam_general.dat"});
    }

    std::string program_tree() {
        ProcessResult tree = nxhost({"tree", out_dir() + "/electrodes.prt", "--view", "program"});
        EXPECT_EQ(tree.exit_code, 0) << tree.err;
        return tree.out;
    }

    // The operations of the program view in their order, with the group each is in.
    static std::vector<std::pair<std::string, std::string>> opers_in_order(const std::string &tree) {
        std::vector<std::pair<std::string, std::string>> opers;
        std::istringstream in(tree);
        std::string line, group;
        while (std::getline(in, line)) {
            if (line.rfind("        ", 0) == 0 && line[8] != ' ' && line.find("  program group") != std::string::npos)
                group = line.substr(8, line.find("  ", 8) - 8);
            if (line.rfind("          ", 0) == 0 && line[10] != ' ')
                opers.emplace_back(group, line.substr(10, line.find("  ", 10) - 10));
        }
        return opers;
    }

    // The operation's line and the lines under it.
    static std::string oper_text(const std::string &tree, const std::string &name) {
        const std::string text = "\n" + tree;
        const std::size_t at = text.find("\n          " + name + "  ");
        if (at == std::string::npos) return "";
        std::size_t end = at + 1;
        while ((end = text.find('\n', end + 1)) != std::string::npos && text.compare(end + 1, 12, std::string(12, ' ')) == 0) {
        }
        return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    }

    // The lowest z of the operation's cut levels ("cut levels user defined: 30 (0.2), 10.401 (0.199)").
    static double bottom_level(const std::string &oper) {
        const std::size_t levels = oper.find("cut levels");
        const std::size_t open = oper.rfind(" (", oper.find('\n', levels));
        const std::size_t start = oper.rfind(' ', open - 1) + 1;
        return std::atof(oper.substr(start, open - start).c_str());
    }

    // "" when the fragments stand in text in this order, else the first one not found after its
    // predecessors.
    static std::string first_fragment_missing(const std::string &text, const std::vector<std::string> &fragments) {
        std::size_t at = 0;
        for (const std::string &f : fragments) {
            at = text.find(f, at);
            if (at == std::string::npos) return f;
            at += f.size();
        }
        return "";
    }

    void expect_oper(const std::string &tree, const std::string &name, const OperRow &row) {
        SCOPED_TRACE(name);
        const std::string text = oper_text(tree, name);
        ASSERT_NE(text, "") << tree;
        EXPECT_NE(text.find("  " + row.kind + "  cutter " + row.cutter + "  geometry " + row.geometry + "  "),
                  std::string::npos)
            << text;
        std::ostringstream stock;
        stock << "stock part " << row.stock << "  floor " << row.stock;
        EXPECT_NE(text.find(stock.str()), std::string::npos) << text;
        EXPECT_NEAR(bottom_level(text), row.bottom, 1e-9) << text;
        EXPECT_NE(text.find("start points #"), std::string::npos) << text;
        EXPECT_NE(text.find("path generated"), std::string::npos) << text;
    }
};

// The sample electrodes have their tops at 30, 32, 28 and 30 and their EDM faces at 10; the first
// asks for a rough gap of 0.2 and a finish gap of 0.08, and rough operations leave 0.25 more.
TEST_F(CalcRunTest, TheStandardCopperTemplateBecomesTheWholeProgramOfTheElectrodes) {
    ProcessResult r = run_shipped("铜公粗精加工  cu_std.prt", "  press APPLY\n  press BACK\n");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::string tree = program_tree();
    using Op = std::pair<std::string, std::string>;
    std::vector<Op> wanted = {{"ELECTRODES_01", "CAV_TOP-R1"}};
    for (const char *name : {"CAV_EDM-R2", "CAV_EDM-R2_1", "CAV_EDM-R2_2", "CAV_EDM-R2_3"}) wanted.push_back({"ELECTRODES_01", name});
    wanted.push_back({"ELECTRODES_03", "FACE_EDM-F1"});
    for (const char *name : {"PLAN_EDM-F2", "PLAN_EDM-F2_1", "PLAN_EDM-F2_2", "PLAN_EDM-F2_3"}) wanted.push_back({"ELECTRODES_03", name});
    for (const char *name : {"ZLE_EDM-F3", "ZLE_EDM-F3_1", "ZLE_EDM-F3_2", "ZLE_EDM-F3_3"}) wanted.push_back({"ELECTRODES_03", name});
    for (const char *name : {"FIX_0_45-F4", "FIX_0_90-F5", "FIX_TEXT-F6"}) wanted.push_back({"ELECTRODES_04", name});
    EXPECT_EQ(opers_in_order(tree), wanted) << "the middle class is off\n" << tree;
    EXPECT_EQ(tree.find("path not generated"), std::string::npos) << tree;
    // One cavity from the top of all electrodes, its bottom the stock above the highest top.
    expect_oper(tree, "CAV_TOP-R1", {"cavity milling", "D12", "WORKPIECE_QZ", 0.45, 32.451});
    // One cavity to each electrode's EDM face, in its own workpiece, the stock above that face.
    const char *edm[] = {"CAV_EDM-R2", "CAV_EDM-R2_1", "CAV_EDM-R2_2", "CAV_EDM-R2_3"};
    const char *zle[] = {"ZLE_EDM-F3", "ZLE_EDM-F3_1", "ZLE_EDM-F3_2", "ZLE_EDM-F3_3"};
    const char *planar[] = {"PLAN_EDM-F2", "PLAN_EDM-F2_1", "PLAN_EDM-F2_2", "PLAN_EDM-F2_3"};
    const char *tops[] = {"30.3", "32.3", "28.3", "30.3"};
    for (int i = 0; i < 4; ++i) {
        const std::string workpiece = "WORKPIECE_QZ_" + std::to_string(i + 1);
        expect_oper(tree, edm[i], {"cavity milling", "D6  ref cutter D12", workpiece, 0.45, 10.451});
        expect_oper(tree, zle[i], {"Z-level", "D6R1", "WORKPIECE_QZ_" + std::to_string(i + 5), 0.08, 10.101});
        // Each electrode's planar finish of its base around the head, in the plane 0.3 above its
        // top, down to its EDM face.
        const std::string text = oper_text(tree, planar[i]);
        EXPECT_EQ(first_fragment_missing(text, {"stock part 0.08  floor 0", "boundary part closed",
                                       "plane user at [", std::string(",") + tops[i] + "] normal [0,0,1]",
                                       "floor plane at [", ",10] normal [0,0,1]", "path generated: cutter D6, 1 part boundary, floor"}),
                  "")
            << text;
    }
    // The EDM faces of all electrodes, each with the hole the head stands in, as blank boundaries.
    EXPECT_EQ(first_fragment_missing(oper_text(tree, "FACE_EDM-F1"), {"stock part 0.08  floor 0", "blank stock 0.5",
                                                            "path generated: cutter D10, 8 face boundaries"}),
              "")
        << tree;
    // The electrode numbers, engraved from a note on each electrode.
    EXPECT_EQ(first_fragment_missing(oper_text(tree, "FIX_TEXT-F6"), {"drive method text", "path generated: cutter D0.5, 4 text items"}),
              "")
        << tree;
    EXPECT_EQ(first_missing(r.out, {"[status] 生成刀轨 17/17 FIX_TEXT-F6", "[message] 已应用。"}), "") << r.out;
    EXPECT_EQ(r.out.find("[listing]"), std::string::npos) << r.out;
    ProcessResult notes = nxhost({"tree", out_dir() + "/electrodes.prt"});
    for (const char *note : {"note \"EL-001F 0.080\"", "note \"EL-002F 0.050\"", "note \"EL-003F 0.080\"", "note \"EL-004F 0.050\""})
        EXPECT_NE(notes.out.find(note), std::string::npos) << note << "\n" << notes.out;
}

// Every builder once: every operation of the plan is made and generated; the line skim of the tops
// finds no flat face at the top of all electrodes (the highest head is a dome) and makes nothing.
TEST_F(CalcRunTest, TheCompleteTemplateBuildsEveryKindOfOperation) {
    ProcessResult r = run_shipped("铜公全工序  cu_full.prt", "  set TOGGLE_6 1\n  press APPLY\n  press BACK\n");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::string tree = program_tree();
    const auto opers = opers_in_order(tree);
    EXPECT_EQ(opers.size(), 48u) << tree;
    EXPECT_EQ(tree.find("path not generated"), std::string::npos) << tree;
    EXPECT_EQ(oper_text(tree, "PLAN_LINE_TOP-F8"), "") << tree;
    for (const char *name : {"CAV_FK_TOP-R2_3", "CAV_MAX_EDM-R4", "CAV_BOT-R5", "ZLE_DEF_ANG-M2", "ZLE_MAX_EDM-M5",
                             "ZLE_BOT-M6", "FACE_ALL-F1", "FACE_BOT-F3", "PLA_EDM_TO_BOT-F5_3", "PLA_M_E_TO_BOT-F6_3",
                             "PLA_TOP_TO_BOT-F7_3", "FIX_00_90-F11", "FIX_DEF_ANG-F12", "FIX_SEL_SUR-F13", "FIX_TEXT-F14"})
        EXPECT_NE(oper_text(tree, name).find("path generated"), std::string::npos) << name << "\n" << tree;
    EXPECT_EQ(first_fragment_missing(oper_text(tree, "FIX_SEL_SUR-F13"), {"stock part 0.08", "drive stock 0.078"}), "") << tree;
    EXPECT_EQ(first_missing(r.out, {"[status] 生成刀轨 48/48 FIX_TEXT-F14", "[message] 已应用。"}), "") << r.out;
}

// A second template: per-electrode roughing with a graphite cutter, one cavity down to the deepest
// EDM face, a finish class with the middle switched on by the user.
TEST_F(CalcRunTest, TheGraphiteTemplateMakesItsOwnOperations) {
    ProcessResult r = run_shipped("石墨电极加工  graphite_std.prt", "  set REAL_5 0.1\n  press APPLY\n  press BACK\n");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::string tree = program_tree();
    for (int i = 0; i < 4; ++i) {
        const std::string suffix = i ? "_" + std::to_string(i) : "";
        expect_oper(tree, "CAV_EDM-R1" + suffix,
                    {"cavity milling", "G_D10R0.5", "WORKPIECE_QZ_" + std::to_string(i + 1), 0.35, 10.351});
        expect_oper(tree, "ZLE_EDM-F1" + suffix,
                    {"Z-level", "G_D6R1", "WORKPIECE_QZ_" + std::to_string(i + 5), 0.08, 10.101});
    }
    expect_oper(tree, "CAV_MAX_EDM-R2", {"cavity milling", "G_D6", "WORKPIECE_QZ", 0.35, 10.351});
    // The flats of all electrodes, the contour of their 0-60 degree faces and each base from the
    // reference face's outline down.
    EXPECT_NE(oper_text(tree, "FACE_ALL-F2").find("path generated: cutter G_D10"), std::string::npos) << tree;
    EXPECT_NE(oper_text(tree, "FIX_00_60-F3").find("path generated: cutter G_R2"), std::string::npos) << tree;
    for (const char *name : {"PLA_TOP_TO_BOT-F4", "PLA_TOP_TO_BOT-F4_3"})
        EXPECT_NE(oper_text(tree, name).find("floor plane at ["), std::string::npos) << name << "\n" << tree;
    EXPECT_EQ(opers_in_order(tree).size(), 15u) << tree;
    EXPECT_EQ(tree.find("path not generated"), std::string::npos) << tree;
}

// Finish switched off: Apply makes nothing of it; a second Apply makes nothing and computes only
// the first per-electrode operation again (its copies for the other electrodes flag it);
// switched on again, a double click on a finish operation makes it (for every electrode) without
// computing its path and opens it in NX's operation dialog.
TEST_F(CalcRunTest, ClassesOffApplyTwiceAndADoubleClick) {
    ProcessResult r = run_shipped("铜公粗精加工  cu_std.prt",
                                  "  set TOGGLE_8 0\n  press APPLY\n  press APPLY\n  set TOGGLE_8 1\n"
                                  "  double-click MULTI_LIST_14 \"#11\"\ncancel\n  press BACK\n");
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    const std::size_t first = r.out.find("[status] 生成刀轨 5/5 CAV_EDM-R2_3");
    ASSERT_NE(first, std::string::npos) << r.out;
    const std::size_t second = r.out.find("[status] 生成刀轨", first + 1);
    EXPECT_EQ(r.out.find("[status] 生成刀轨 1/1 CAV_EDM-R2\n", first), second) << r.out;
    EXPECT_EQ(r.out.find("[status] 生成刀轨", second + 1), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("parameters of the operation ZLE_EDM-F3 opened"), std::string::npos) << r.out;
    const std::string tree = program_tree();
    const auto opers = opers_in_order(tree);
    ASSERT_EQ(opers.size(), 9u) << "nothing made twice\n" << tree;
    EXPECT_EQ(opers[5].second, "ZLE_EDM-F3");
    for (std::size_t i = 5; i < opers.size(); ++i) {
        const std::string text = oper_text(tree, opers[i].second);
        EXPECT_NE(text.find("path not generated"), std::string::npos) << text;
        EXPECT_NE(text.find("cut levels user defined"), std::string::npos) << "built, with its levels\n" << text;
    }
}

// The large sample: 48 electrodes on a plate, its shipped scenario; the plate is left out by its mark.
TEST_F(CalcRunTest, TheLargeSampleProgramsEveryElectrodeOnThePlate) {
    fs::copy(testsupport::source_dir() + "/conf", drive_dir(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ProcessResult r = nxhost({"run", testsupport::source_dir() + "/conf/scenarios/plate48.scn", "--drive",
                              "D=" + drive_dir(), "--part", "D:\\samples\\plate48.prt", "--addon",
                              built("torvane/torvane.so"), "--out", out_dir(), "--cam-config",
                              "D:\\qz_conf\\cam_qz\\qz_cam_general.dat"});
    ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    ProcessResult tree = nxhost({"tree", out_dir() + "/plate48.prt", "--view", "program"});
    ASSERT_EQ(tree.exit_code, 0) << tree.err;
    const auto opers = opers_in_order(tree.out);
    // Per electrode: CAV_EDM, PLAN_EDM and ZLE_EDM; once: CAV_TOP, FACE_EDM and three contours.
    EXPECT_EQ(opers.size(), 3u * 48u + 5u) << tree.out;
    EXPECT_EQ(tree.out.find("path not generated"), std::string::npos) << tree.out;
    for (const char *name : {"CAV_EDM-R2_47", "PLAN_EDM-F2_47", "ZLE_EDM-F3_47"})
        EXPECT_NE(oper_text(tree.out, name).find("path generated"), std::string::npos) << name;
    EXPECT_NE(r.out.find("[status] 正在分析电极 48 / 48: EL-048"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("正在分析电极 49"), std::string::npos) << "the plate is no electrode";
    EXPECT_EQ(r.out.find(" / 49"), std::string::npos) << "the plate is no electrode";
}

}  // namespace
}  // namespace runnertest
