// The main dialog redraws its plan list after every change of the plan, a spark gap or a class
// switch, so a large plan must redraw at once. BM_RefreshPlanList measures the whole redraw inside
// a callback of the main dialog (catalogue labels, the dialog's switches and values, emptying the
// list, one insert a line, the selection restored); BM_PlanListLines only builds the lines, the
// part of the work that is the add-on's own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "nxhost/core/reset.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/plan_lines.h"
#include "torvane/dialogs/plan_list.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/plan.h"
#include "uf.h"

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

}  // namespace
