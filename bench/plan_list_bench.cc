// The main dialog redraws its plan list after every change of the plan, a spark gap or a class
// switch, so a large plan must redraw at once. BM_RefreshPlanList measures the whole redraw inside
// a callback of the main dialog (catalogue labels, the dialog's switches and values, emptying the
// list, one insert a line, the selection restored); BM_PlanListLines only builds the lines, the
// part of the work that is the add-on's own. BM_ListEdit measures the list actions on such a plan
// (an insert of a group, a delete of an operation, a move down), each beside the refresh as its
// baseline; BM_NameProgramGroups the check and naming of a plan's program groups, made in NX.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "nxhost/core/reset.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "torvane/dialogs/list_edit.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/prog_name.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/plan/plan_edit.h"
#include "torvane/plan/prog_group.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_part.h"
#include "uf_setup.h"

namespace fs = std::filesystem;

namespace {

const int CLASSES = 4, GROUPS_PER_CLASS = 10;

// A plan of exactly `lines` lines when every node is shown: four classes of ten groups, the
// operations spread over the groups.
void build_plan(int lines) {
    free_plan_tree(&static_plan_list);
    const char *classes[CLASSES] = {"R", "M", "F", "CORE"};
    const int groups = CLASSES * GROUPS_PER_CLASS;
    const int opers = lines - CLASSES - groups;
    for (int c = 0, g = 0; c < CLASSES; ++c) {
        r_m_f_or_other *klass = new_rmf_node(classes[c], NULL_TAG);
        append_rmf_node(&static_plan_list, klass);
        for (int i = 0; i < GROUPS_PER_CLASS; ++i, ++g) {
            const std::string group_name = std::string(classes[c]) + std::to_string(i + 1) + "-" + classes[c];
            prog_group *group = new_prog_group_node(group_name.c_str(), NULL_TAG, 1);
            append_prog_group_node(klass, group);
            const int count = opers / groups + (g < opers % groups ? 1 : 0);
            for (int o = 0; o < count; ++o) {
                const std::string name = "ZLE_EDM_" + std::to_string(g) + "_" + std::to_string(o) + "-" + classes[c];
                oper *node = new_oper_node(name.c_str(), 100, 263, NULL_TAG);
                copy_cutter_name(node->tool_name, o % 2 ? "D10R0.5" : "D6");
                append_oper_node(group, node);
            }
        }
    }
}

// Drive D with the English catalogue, and the add-on's dialog layouts.
void set_up_drive() {
    const fs::path drive = fs::temp_directory_path() / "torvane-bench-plan-list";
    fs::create_directories(drive / "qz_conf/lang");
    fs::copy_file(fs::path(TORVANE_SOURCE_DIR) / "conf/lang-en/torvane.txt", drive / "qz_conf/lang/torvane.txt",
                  fs::copy_options::overwrite_existing);
    setenv("NXHOST_DRIVE_D", drive.c_str(), 1);
    nxhost::add_dialog_directory((fs::path(TORVANE_SOURCE_DIR) / "torvane/dialogs").string());
}

benchmark::State *static_state = nullptr;

// The constructor of the main dialog stands in for a callback that redraws the list.
int refresh_in_callback(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    for (int kind = 0; kind < 4; ++kind) set_item_integer(dialog_id, QZ_CAM_CLASS_TOGGLES[kind], 1);
    list_select_line(dialog_id, QZ_CAM_MULTI_LIST_14, 0);
    int lines = 0;
    for (auto _ : *static_state) {
        if (!refresh_plan_list(dialog_id)) static_state->SkipWithError("a catalogue text is missing");
        lines = static_cast<int>(ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14).size());
    }
    static_state->counters["lines"] = lines;
    return UF_UI_CB_CONTINUE_DIALOG;
}

void BM_RefreshPlanList(benchmark::State &state) {
    set_up_drive();
    nxhost::reset_all();
    UF_initialize();
    static_nx_release = 12.0;
    build_plan(static_cast<int>(state.range(0)));
    static_state = &state;
    UF_STYLER_callback_info_t cbs[] = {
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, refresh_in_callback},
        {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr},
    };
    nxhost::script::play(nxhost::script::parse("dialog torvane_dlg.dlg\n press CANCEL\n", "bench"));
    int response = 0;
    if (UF_STYLER_create_dialog(QZ_CAM_DIALOG_FILE, cbs, 2, nullptr, &response) != 0)
        state.SkipWithError("the main dialog could not be opened");
    free_plan_tree(&static_plan_list);
    UF_terminate();
}
BENCHMARK(BM_RefreshPlanList)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_PlanListLines(benchmark::State &state) {
    build_plan(static_cast<int>(state.range(0)));
    plan_line_texts texts;
    for (int kind = 0; kind < 4; ++kind) texts.class_label[kind] = "[class]";
    for (int kind = 0; kind < 3; ++kind) texts.group_label[kind] = texts.oper_label[kind] = "rough";
    plan_line_view view;
    std::size_t lines = 0;
    for (auto _ : state) {
        lines = plan_list_lines(static_plan_list, texts, view).size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
    free_plan_tree(&static_plan_list);
}
BENCHMARK(BM_PlanListLines)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

// ---- list actions -------------------------------------------------------------------------------

enum bench_edit { EDIT_INSERT_GROUP, EDIT_DELETE_OPER, EDIT_MOVE_DOWN };
bench_edit static_edit = EDIT_INSERT_GROUP;

// The insert tree: one group of two operations.
void build_insert_tree() {
    free_plan_tree(&static_insert_group_list);
    r_m_f_or_other *klass = new_rmf_node("R", NULL_TAG);
    append_rmf_node(&static_insert_group_list, klass);
    prog_group *group = new_prog_group_node("R_CLEAN", NULL_TAG, 1);
    append_prog_group_node(klass, group);
    for (const char *name : {"CAV_BOT-R1", "ZLE_EDM-R2"}) {
        oper *node = new_oper_node(name, 100, 263, NULL_TAG);
        copy_cutter_name(node->tool_name, "D6");
        append_oper_node(group, node);
    }
}

// The third line (the first group's first operation) or the second (the first group) selected.
void select_line(int dialog_id, int index) { list_select_only(dialog_id, QZ_CAM_MULTI_LIST_14, index); }

int edit_in_callback(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    for (int kind = 0; kind < 4; ++kind) set_item_integer(dialog_id, QZ_CAM_CLASS_TOGGLES[kind], 1);
    set_item_entries(dialog_id, QZ_CAM_OPTION_17, {"R_CLEAN (rough group)"});
    refresh_plan_list(dialog_id);
    benchmark::State &state = *static_state;
    int done = 1;
    for (auto _ : state) {
        switch (static_edit) {
        case EDIT_INSERT_GROUP:
            select_line(dialog_id, 1);
            done = insert_sel_prog_group(dialog_id);
            // The inserted group leaves again, so that every insert meets the same plan.
            state.PauseTiming();
            delete_node_lines(dialog_id, "R_CLEAN", PLAN_GROUP_LINE);
            delete_plan_nodes(PLAN_GROUP_LINE, "R_CLEAN");
            state.ResumeTiming();
            break;
        case EDIT_DELETE_OPER:
            select_line(dialog_id, 2);
            done = delete_sel_item(dialog_id);
            // The whole plan again, so that every delete meets 2 000 lines.
            state.PauseTiming();
            build_plan(2000);
            refresh_plan_list(dialog_id);
            state.ResumeTiming();
            break;
        case EDIT_MOVE_DOWN:
            select_line(dialog_id, 2);
            done = move_down_row(dialog_id);
            break;
        }
        if (!done) state.SkipWithError("the action failed");
    }
    state.counters["lines"] = static_cast<double>(ask_item_entries(dialog_id, QZ_CAM_MULTI_LIST_14).size());
    return UF_UI_CB_CONTINUE_DIALOG;
}

void BM_ListEdit(benchmark::State &state) {
    set_up_drive();
    nxhost::reset_all();
    UF_initialize();
    static_nx_release = 12.0;
    build_plan(2000);
    build_insert_tree();
    static_state = &state;
    static_edit = static_cast<bench_edit>(state.range(0));
    state.SetLabel(static_edit == EDIT_INSERT_GROUP ? "insert group" : static_edit == EDIT_DELETE_OPER ? "delete" : "move down");
    UF_STYLER_callback_info_t cbs[] = {
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, edit_in_callback},
        {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr},
    };
    nxhost::script::play(nxhost::script::parse("dialog torvane_dlg.dlg\n press CANCEL\n", "bench"));
    int response = 0;
    if (UF_STYLER_create_dialog(QZ_CAM_DIALOG_FILE, cbs, 2, nullptr, &response) != 0)
        state.SkipWithError("the main dialog could not be opened");
    free_plan_tree(&static_plan_list);
    free_plan_tree(&static_insert_group_list);
    UF_terminate();
}
BENCHMARK(BM_ListEdit)->Arg(EDIT_INSERT_GROUP)->Arg(EDIT_DELETE_OPER)->Arg(EDIT_MOVE_DOWN)->Unit(benchmark::kMillisecond);

// ---- program names ----------------------------------------------------------------------------

// A plan of `groups` groups, each with its program group made in the displayed part's setup.
int build_named_plan(int groups) {
    free_plan_tree(&static_plan_list);
    r_m_f_or_other *klass = new_rmf_node("R", NULL_TAG);
    append_rmf_node(&static_plan_list, klass);
    tag_t setup = NULL_TAG, root = NULL_TAG;
    if (UF_SETUP_ask_setup(&setup) != 0 || UF_SETUP_ask_program_root(setup, &root) != 0) return 0;
    for (int i = 0; i < groups; ++i) {
        const std::string name = "R" + std::to_string(i + 1) + "-R";
        prog_group *group = new_prog_group_node(name.c_str(), NULL_TAG, 0);
        append_prog_group_node(klass, group);
        if (!create_nc_prog_group(name.c_str(), &group->obj_tag, root)) return 0;
    }
    return 1;
}

int name_in_callback(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    benchmark::State &state = *static_state;
    // Each pass names the groups, so the next takes the other start name, as its names are taken.
    bool second = false;
    for (auto _ : state) {
        set_item_text(dialog_id, QZ_CAM_STR_10, second ? "Q0001" : "P0001");
        second = !second;
        if (!check_start_prog_name(dialog_id) || !reset_prog_name(dialog_id)) state.SkipWithError("naming failed");
    }
    return UF_UI_CB_CONTINUE_DIALOG;
}

// Drive D with the whole shipped configuration (English catalogues) and NX's folder of this build,
// for a CAM setup of the type TT.
fs::path set_up_cam_drive() {
    const fs::path drive = fs::temp_directory_path() / "torvane-bench-plan-names";
    const fs::path source(TORVANE_SOURCE_DIR);
    fs::create_directories(drive);
    fs::copy(source / "conf", drive, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto &entry : fs::directory_iterator(source / "conf/lang-en"))
        fs::copy_file(entry.path(), drive / "qz_conf/lang" / entry.path().filename(), fs::copy_options::overwrite_existing);
    setenv("NXHOST_DRIVE_D", drive.c_str(), 1);
    const std::string nx = "C:\\Program Files\\Siemens\\NX";
    setenv("NXHOST_MOUNTS", (nx + "=" + TORVANE_NX_ROOT).c_str(), 1);
    setenv("UGII_BASE_DIR", nx.c_str(), 1);
    setenv("UGII_CAM_CONFIG", "D:\\qz_conf\\cam_qz\\qz_cam_general.dat", 1);
    nxhost::add_dialog_directory((source / "torvane/dialogs").string());
    return drive;
}

void BM_NameProgramGroups(benchmark::State &state) {
    const fs::path drive = set_up_cam_drive();
    nxhost::reset_all();
    UF_initialize();
    static_state = &state;
    std::ofstream(drive / "named.prt") << R"({"format":"nxhost-part/1","bodies":[]})";
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status = {};
    if (UF_PART_open("D:\\named.prt", &part, &status) != 0 || UF_CAM_init_session() != 0 ||
        !ensure_cam_setup("", "", 1) || !build_named_plan(static_cast<int>(state.range(0)))) {
        state.SkipWithError("no setup with program groups");
    } else {
        UF_STYLER_callback_info_t cbs[] = {
            {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, name_in_callback},
            {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, nullptr},
        };
        nxhost::script::play(nxhost::script::parse("dialog torvane_dlg.dlg\n press CANCEL\n", "bench"));
        int response = 0;
        if (UF_STYLER_create_dialog(QZ_CAM_DIALOG_FILE, cbs, 2, nullptr, &response) != 0)
            state.SkipWithError("the main dialog could not be opened");
    }
    state.counters["groups"] = static_cast<double>(state.range(0));
    free_plan_tree(&static_plan_list);
    UF_terminate();
}
BENCHMARK(BM_NameProgramGroups)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
