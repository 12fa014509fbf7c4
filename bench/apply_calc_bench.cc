// A whole Apply (apply_calc(0, 1) after the template scan) of a 30-operation template on 10, 50
// and 200 electrodes in a grid, each iteration on a freshly loaded part: analysis, MCS, workpiece,
// start points, the builders, generation and program order. BM_McsWorkpieceOnly does only the MCS
// and workpiece set-up on the same part, so that the builders' share can be told apart.
// BM_ApplyCheckBlocks is the same Apply with per-electrode workpieces that check against the
// blocks of all other electrodes (TOGGLE_35), which grows with the square of the electrodes;
// BM_ElectrodeWorkpieces makes only those workpieces, with (1) and without (0) the checks, so
// that their share of the growth can be told apart.
//
// The parts are made here: the electrodes of the sample part repeated over a grid, and a template
// made from the complete copper template, its operations copied under new names into R, M and F
// groups so that every builder runs at least once: cavity and Z-level roughing and semi-finishing,
// face milling, the planar floors and the skim of the tops, the fixed contours and the engraving,
// about a third of them made once per electrode as a real copper template has them. After Apply
// the operations of the part are counted against the template and the electrodes; a missing or
// ungenerated operation fails the benchmark, since its time would then mean nothing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "my_func_cam/workpiece.h"
#include "nxhost/cam/cam_model.h"
#include "nxhost/core/reset.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "nxhost/ui/transcript.h"
#include "torvane/calc/apply_calc.h"
#include "torvane/plan/template_scan.h"
#include "torvane/setup/mcs_class.h"
#include "torvane/setup/mcs_workpiece.h"
#include "torvane/setup/start_points.h"
#include "torvane/state/dlg_state.h"
#include "torvane/state/plan.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_object_types.h"
#include "uf_setup.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char *const kTemplate = "bench30.prt";

// How many operations Apply makes of a template operation: one for all electrodes, or one per
// electrode (every electrode of the bench parts takes part in every per-electrode kind).
enum class Made { Once, PerElectrode };

// The 30 operations: group, name, the operation of cu_full.prt it is copied from (its kind,
// parameters and cutter) and how many Apply makes of it. The name picks the builder.
struct TemplateOper {
    const char *klass, *group, *name, *prototype;
    Made made;
};
constexpr Made kOnce = Made::Once, kEach = Made::PerElectrode;
const TemplateOper kOpers[] = {
    {"R", "R1-R", "CAV_TOP-R1", "CAV_TOP-R1", kOnce},
    {"R", "R1-R", "CAV_FK_TOP-R2", "CAV_FK_TOP-R2", kEach},
    {"R", "R1-R", "CAV_EDM-R3", "CAV_EDM-R3", kEach},
    {"R", "R1-R", "CAV_MAX_EDM-R4", "CAV_MAX_EDM-R4", kOnce},
    {"R", "R2-R", "CAV_BOT-R5", "CAV_BOT-R5", kOnce},
    {"R", "R2-R", "CAV_EDM-R6", "CAV_EDM-R3", kEach},
    {"R", "R2-R", "CAV_MAX_EDM-R7", "CAV_MAX_EDM-R4", kOnce},
    {"M", "M1-M", "ZLE_45_90-M1", "ZLE_45_90-M1", kOnce},
    {"M", "M1-M", "ZLE_DEF_ANG-M2", "ZLE_DEF_ANG-M2", kOnce},
    {"M", "M1-M", "ZLE_0_90-M3", "ZLE_0_90-M3", kOnce},
    {"M", "M1-M", "ZLE_EDM-M4", "ZLE_EDM-M4", kEach},
    {"M", "M1-M", "ZLE_MAX_EDM-M5", "ZLE_MAX_EDM-M5", kOnce},
    {"M", "M2-M", "ZLE_BOT-M6", "ZLE_BOT-M6", kOnce},
    {"M", "M2-M", "ZLE_EDM-M7", "ZLE_EDM-M4", kEach},
    {"M", "M2-M", "CAV_EDM-M8", "CAV_EDM-R3", kEach},
    {"M", "M2-M", "ZLE_45_90-M9", "ZLE_45_90-M1", kOnce},
    {"F", "F1-F", "FACE_ALL-F1", "FACE_ALL-F1", kOnce},
    {"F", "F1-F", "FACE_EDM-F2", "FACE_EDM-F2", kOnce},
    {"F", "F1-F", "FACE_BOT-F3", "FACE_BOT-F3", kOnce},
    {"F", "F1-F", "PLAN_EDM-F4", "PLAN_EDM-F4", kEach},
    {"F", "F1-F", "PLA_EDM_TO_BOT-F5", "PLA_EDM_TO_BOT-F5", kEach},
    {"F", "F1-F", "PLA_M_E_TO_BOT-F6", "PLA_M_E_TO_BOT-F6", kEach},
    {"F", "F1-F", "PLA_TOP_TO_BOT-F7", "PLA_TOP_TO_BOT-F7", kEach},
    {"F", "F1-F", "PLAN_LINE_TOP-F8", "PLAN_LINE_TOP-F8", kOnce},
    {"F", "F2-F", "ZLE_EDM-F9", "ZLE_EDM-F9", kEach},
    {"F", "F2-F", "FIX_0_45-F10", "FIX_0_45-F10", kOnce},
    {"F", "F2-F", "FIX_00_90-F11", "FIX_00_90-F11", kOnce},
    {"F", "F2-F", "FIX_DEF_ANG-F12", "FIX_DEF_ANG-F12", kOnce},
    {"F", "F2-F", "FIX_SEL_SUR-F13", "FIX_SEL_SUR-F13", kOnce},
    {"F", "F2-F", "FIX_TEXT-F14", "FIX_TEXT-F14", kOnce},
};
constexpr int kOperCount = sizeof kOpers / sizeof kOpers[0];
static_assert(kOperCount == 30, "the template has 30 operations");

// Copies the entries of a view's list (and of its {"unused"} head) that name a prototype, once per new
// operation made from it, keyed by the new names; entries of other operations go.
json remap_members(const json &members, const std::map<std::string, std::vector<std::string>> &copies) {
    json out = json::array();
    for (const json &m : members) {
        if (m.contains("operation")) {
            auto it = copies.find(m["operation"].get<std::string>());
            if (it == copies.end()) continue;
            for (const std::string &name : it->second) {
                json copy = m;
                copy["operation"] = name;
                out.push_back(copy);
            }
        } else {
            json copy = m;
            for (const char *list : {"members", "unused"})
                if (copy.contains(list)) copy[list] = remap_members(copy[list], copies);
            out.push_back(copy);
        }
    }
    return out;
}

// The operations of the source template by name, from its program view.
void collect_opers(const json &node, std::map<std::string, json> *opers) {
    if (node.is_array()) {
        for (const json &n : node) collect_opers(n, opers);
    } else if (node.is_object()) {
        if (node.contains("operation")) (*opers)[node["operation"].get<std::string>()] = node;
        if (node.contains("members")) collect_opers(node["members"], opers);
    }
}

std::string template_json(const fs::path &source, std::string *error) {
    std::ifstream in(source);
    if (!in) {
        *error = "cannot read " + source.string();
        return "";
    }
    json part = json::parse(in, nullptr, false);
    if (part.is_discarded() || !part.contains("cam")) {
        *error = source.string() + " is no CAM part";
        return "";
    }
    json &cam = part["cam"];
    std::map<std::string, json> prototypes;
    collect_opers(cam["program"], &prototypes);
    std::map<std::string, std::vector<std::string>> copies;
    json program = json::array({cam["program"][0], cam["program"][1]});  // unused, PROGRAM
    std::map<std::string, json> classes;
    std::vector<std::string> class_order, group_order;
    std::map<std::string, json> groups;
    for (const TemplateOper &o : kOpers) {
        auto it = prototypes.find(o.prototype);
        if (it == prototypes.end()) {
            *error = source.filename().string() + " has no operation " + o.prototype;
            return "";
        }
        json oper = it->second;
        oper["operation"] = o.name;
        copies[o.prototype].push_back(o.name);
        if (!groups.count(o.group)) {
            groups[o.group] = json{{"group", o.group}, {"members", json::array()}};
            group_order.push_back(o.group);
        }
        groups[o.group]["members"].push_back(oper);
        if (!classes.count(o.klass)) {
            classes[o.klass] = json{{"group", o.klass}, {"members", json::array()}};
            class_order.push_back(o.klass);
        }
    }
    for (const std::string &g : group_order) classes[std::string(1, g[0])]["members"].push_back(groups[g]);
    for (const std::string &c : class_order) program.push_back(classes[c]);
    cam["program"] = program;
    for (const char *view : {"machine", "geometry", "method"}) cam[view] = remap_members(cam[view], copies);
    return part.dump();
}

// The skim of the tops makes one operation of line sets, one boundary per electrode whose flat top
// is at the top of all electrodes: those of these recipes (every top is wider than its cutter).
const char *const kFlatTopRecipes[] = {"EL-001", "EL-004"};

// Moves every point of a shape tree (base/center/min/max) by (dx, dy, dz).
void move_shape(json &node, double dx, double dy, double dz) {
    if (node.is_array()) {
        for (json &n : node) move_shape(n, dx, dy, dz);
    } else if (node.is_object()) {
        for (auto &[key, value] : node.items()) {
            if ((key == "base" || key == "center" || key == "min" || key == "max") && value.is_array() &&
                value.size() == 3) {
                value[0] = value[0].get<double>() + dx;
                value[1] = value[1].get<double>() + dy;
                value[2] = value[2].get<double>() + dz;
            } else {
                move_shape(value, dx, dy, dz);
            }
        }
    }
}

// The dome of EL-002 stands 2 mm above the flat tops of EL-001 and EL-004, so that the skim of the
// tops would find nothing to cut: its head (everything on its base block) sinks 2 mm into the block.
const double kDomeSink = 2.0;

// The electrodes of the sample part, over and over on a 60 mm grid of 20 columns, numbered anew;
// *flat_tops counts those with a flat top at the top of all.
std::string electrodes_json(const fs::path &sample, int count, int *flat_tops, std::string *error) {
    std::ifstream in(sample);
    json part = json::parse(in, nullptr, false);
    if (part.is_discarded() || !part.contains("bodies")) {
        *error = "cannot read " + sample.string();
        return "";
    }
    std::vector<json> recipes;  // each moved to the origin by its base block's corner
    for (json b : part["bodies"]) {
        if (b["name"].get<std::string>().rfind("EL-", 0) != 0) continue;
        if (b["name"] == "EL-002") {
            json &head = b["shape"]["union"];
            for (std::size_t i = 1; i < head.size(); ++i) move_shape(head[i], 0.0, 0.0, -kDomeSink);
        }
        recipes.push_back(b);
    }
    if (recipes.empty()) {
        *error = "no electrode in " + sample.string();
        return "";
    }
    *flat_tops = 0;
    json bodies = json::array();
    for (int i = 0; i < count; ++i) {
        const json &recipe = recipes[static_cast<std::size_t>(i) % recipes.size()];
        // The recipes sit 50 mm apart along X from 0: move recipe k by (grid - 50 k).
        const double dx = (i % 20) * 60.0 - 50.0 * static_cast<double>(i % recipes.size()), dy = (i / 20) * 60.0;
        json body = recipe;
        std::ostringstream name;
        name << "EL-" << (i + 1);
        body["name"] = name.str();
        move_shape(body["shape"], dx, dy, 0.0);
        for (const char *flat : kFlatTopRecipes)
            if (recipe["name"] == flat) ++*flat_tops;
        bodies.push_back(body);
    }
    return json{{"format", "nxhost-part/1"}, {"units", "mm"}, {"bodies", bodies}}.dump();
}

// Drive D with the shipped configuration (English catalogues), the template among the shipped
// ones, and one part per electrode count; NX's folder of this build with its extension libraries.
class Drive {
public:
    static Drive &get() {
        static Drive drive;
        return drive;
    }
    ~Drive() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    const std::string &error() const { return error_; }

    std::string part_for(int electrodes) {
        const std::string file = "bench_" + std::to_string(electrodes) + ".prt";
        if (!flat_tops_.count(electrodes)) {
            const std::string text = electrodes_json(fs::path(TORVANE_SOURCE_DIR) / "conf/samples/electrodes.prt",
                                                     electrodes, &flat_tops_[electrodes], &error_);
            if (text.empty()) return "";
            std::ofstream(dir_ / "samples" / file) << text;
        }
        return "D:\\samples\\" + file;
    }
    int flat_tops_of(int electrodes) { return flat_tops_[electrodes]; }

private:
    // One directory per process: a second bench run must not delete this one's drive.
    Drive() : dir_(fs::temp_directory_path() / ("torvane-bench-apply-" + std::to_string(getpid()))) {
        const fs::path source(TORVANE_SOURCE_DIR);
        std::error_code ec;
        fs::remove_all(dir_, ec);
        fs::create_directories(dir_);
        fs::copy(source / "conf", dir_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        for (const auto &entry : fs::directory_iterator(source / "conf/lang-en"))
            fs::copy_file(entry.path(), dir_ / "qz_conf/lang" / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        const fs::path templates = dir_ / "qz_conf/cam_qz/cam_template";
        const std::string text = template_json(templates / "cu_full.prt", &error_);
        if (!text.empty()) std::ofstream(templates / kTemplate) << text;
        setenv("NXHOST_DRIVE_D", dir_.c_str(), 1);
        const std::string nx = "C:\\Program Files\\Siemens\\NX";
        setenv("NXHOST_MOUNTS", (nx + "=" + TORVANE_NX_ROOT).c_str(), 1);
        setenv("UGII_BASE_DIR", nx.c_str(), 1);
        setenv("UGII_CAM_CONFIG", "D:\\qz_conf\\cam_qz\\qz_cam_general.dat", 1);
    }
    fs::path dir_;
    std::string error_;
    std::map<int, int> flat_tops_;
};

// What a new turn frees.
void forget_turn() {
    reset_mcs_and_workpiece();
    reset_start_points();
    if (static_elec_tags) UF_free(static_elec_tags);
    static_elec_tags = nullptr;
    static_elec_count = 0;
    free_plan_tree(&static_plan_list);
    free_plan_tree(&static_insert_group_list);
    free_plan_tree(&static_insert_oper_list);
}

// A fresh session with the part displayed under a TT setup, its bodies the turn's electrodes, the
// dialog's settings with every class on, and (if `scan`) the plan of the template. Empty on
// success, else what went wrong.
std::string open_turn(const std::string &part_path, bool scan) {
    forget_turn();
    nxhost::reset_all();
    if (UF_initialize() != 0) return "UF_initialize failed";
    std::string error;
    const tag_t part = nxhost::load_part(part_path, &error);
    if (part == NULL_TAG) return "cannot load " + part_path + ": " + error;
    nxhost::set_display_part(part);
    if (UF_CAM_init_session() != 0) return "UF_CAM_init_session failed";
    if (UF_SETUP_create(part, "TT") != 0) return "UF_SETUP_create failed";
    std::vector<tag_t> bodies;
    for (tag_t t : nxhost::store().in_part(part, UF_solid_type))
        if (nxhost::store().find(t)->subtype == UF_solid_body_subtype) bodies.push_back(t);
    int rc = 0;
    static_elec_tags = static_cast<tag_t *>(UF_allocate_memory(static_cast<unsigned>(bodies.size() * sizeof(tag_t)), &rc));
    static_elec_count = static_cast<int>(bodies.size());
    for (std::size_t i = 0; i < bodies.size(); ++i) static_elec_tags[i] = bodies[i];
    default_dlg_state(&static_dlg_state);
    static_dlg_state.toggle_4 = static_dlg_state.toggle_6 = static_dlg_state.toggle_8 = 1;
    static_dlg_state.real_5 = 0.2;
    static_dlg_state.real_9 = 0.08;
    static_nx_release = 12.0;
    if (scan && get_template_group_and_oper(kTemplate, &static_plan_list, &static_insert_group_list,
                                            &static_insert_oper_list) != 1)
        return "the template scan of " + std::string(kTemplate) + " failed";
    return "";
}

int operations_in_part() {
    int count = 0;
    for (tag_t t : nxhost::store().in_part(nxhost::display_part(), UF_machining_operation_type)) {
        (void)t;
        ++count;
    }
    return count;
}

// The template operation an operation of the part was made from: its name, or its name less the
// "_N" a further copy carries; null for none.
const TemplateOper *made_from(const std::string &name) {
    for (const TemplateOper &o : kOpers) {
        const std::size_t n = std::strlen(o.name);
        if (name.compare(0, n, o.name) != 0) continue;
        if (name.size() == n) return &o;
        if (name[n] == '_' && name.size() > n + 1 &&
            name.find_first_not_of("0123456789", n + 1) == std::string::npos)
            return &o;
    }
    return nullptr;
}

// Whether the part holds, after Apply, as many operations of each template operation as it should,
// every one with its path generated, the skim of the tops with a boundary on each flat top and the
// engraving with every electrode's name: "" when it does, else what differs. *expected_total gets
// the number of operations it should hold.
std::string check_made(int electrodes, int flat_tops, int *expected_total) {
    std::map<std::string, int> made;
    std::string problems;
    for (tag_t t : nxhost::store().in_part(nxhost::display_part(), UF_machining_operation_type)) {
        const nxhost::Object *obj = nxhost::store().find(t);
        const nxhost::cam::CamObject *cam = nxhost::cam::cam_object(t);
        const TemplateOper *from = made_from(obj->name);
        if (!from) {
            problems += " unexpected operation " + obj->name + ";";
            continue;
        }
        ++made[from->name];
        if (!cam || !cam->path.generated) problems += " " + obj->name + " not generated;";
        if (cam && std::strstr(from->name, "PLAN_LINE_TOP")) {
            const auto it = cam->boundaries.find(UF_CAM_part);
            const int bounds = it == cam->boundaries.end() ? 0 : static_cast<int>(it->second.size());
            if (bounds != flat_tops)
                problems += " " + obj->name + " has " + std::to_string(bounds) + " boundaries, not " +
                            std::to_string(flat_tops) + ";";
        }
        if (cam && std::strstr(from->name, "FIX_TEXT") && static_cast<int>(cam->text.size()) != electrodes)
            problems += " " + obj->name + " engraves " + std::to_string(cam->text.size()) + " names, not " +
                        std::to_string(electrodes) + ";";
    }
    *expected_total = 0;
    for (const TemplateOper &o : kOpers) {
        const int want = o.made == Made::Once ? 1 : electrodes;
        *expected_total += want;
        if (made[o.name] != want)
            problems += " " + std::string(o.name) + " made " + std::to_string(made[o.name]) + " times, not " +
                        std::to_string(want) + ";";
    }
    return problems;
}

// The transcript lines that are not status lines, the first of each text once, for the report.
void print_transcript_once(int electrodes) {
    static std::map<int, bool> printed;
    if (printed[electrodes] || !std::getenv("BENCH_TRANSCRIPT")) return;
    printed[electrodes] = true;
    std::map<std::string, int> seen;
    for (const nxhost::TranscriptEntry &e : nxhost::transcript()) {
        if (e.kind == "status") continue;
        const std::string line = "[" + e.kind + "] " + e.text;
        if (seen[line]++ == 0) std::fprintf(stderr, "%d electrodes: %s\n", electrodes, line.c_str());
    }
    for (const auto &[line, n] : seen)
        if (n > 1) std::fprintf(stderr, "%d electrodes: (%d times) %s\n", electrodes, n, line.c_str());
}

// The part of that many electrodes; "" after marking the benchmark skipped when it cannot be made.
std::string part_or_skip(benchmark::State &state, int electrodes) {
    Drive &drive = Drive::get();
    const std::string part = drive.part_for(electrodes);
    if (part.empty() || !drive.error().empty()) {
        state.SkipWithError(drive.error().c_str());
        return "";
    }
    return part;
}

// Apply with per-electrode workpieces checking the other electrodes' blocks or not.
void apply_whole_plan(benchmark::State &state, bool check_blocks) {
    const int electrodes = static_cast<int>(state.range(0));
    const std::string part = part_or_skip(state, electrodes);
    if (part.empty()) return;
    const int flat_tops = Drive::get().flat_tops_of(electrodes);
    int opers = 0, made = 0, planned = 0, expected = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string error = open_turn(part, true);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        planned = 0;
        visit_plan_opers(static_plan_list, [&](oper *, prog_group *, r_m_f_or_other *) {
            ++planned;
            return false;
        });
        static_dlg_state.toggle_35 = check_blocks ? 1 : 0;
        const int before = operations_in_part();  // the template's operations the scan copied in
        nxhost::clear_transcript();
        state.ResumeTiming();
        apply_calc(0, 1);
        state.PauseTiming();
        opers = operations_in_part();
        made = opers - before;
        print_transcript_once(electrodes);
        const std::string problems = check_made(electrodes, flat_tops, &expected);
        if (!problems.empty()) {
            state.SkipWithError(("Apply did not make the template's operations:" + problems).c_str());
            break;
        }
        state.ResumeTiming();
    }
    state.counters["electrodes"] = electrodes;
    state.counters["planned"] = planned;
    state.counters["operations"] = opers;  // every NX operation in the part afterwards
    state.counters["made"] = made;         // of them made by Apply, all generated
    state.counters["expected"] = expected;
    forget_turn();
    UF_terminate();
}

void BM_ApplyWholePlan(benchmark::State &state) { apply_whole_plan(state, false); }
BENCHMARK(BM_ApplyWholePlan)->Arg(10)->Arg(50)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ApplyCheckBlocks(benchmark::State &state) { apply_whole_plan(state, true); }
BENCHMARK(BM_ApplyCheckBlocks)->Arg(10)->Arg(50)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

// The MCS and workpiece alone on the same part, after the same scan.
void BM_McsWorkpieceOnly(benchmark::State &state) {
    const int electrodes = static_cast<int>(state.range(0));
    const std::string part = part_or_skip(state, electrodes);
    if (part.empty()) return;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string error = open_turn(part, true);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.ResumeTiming();
        if (!create_static_mcs_and_workpiece(0)) state.SkipWithError("the MCS and workpiece were not made");
    }
    state.counters["electrodes"] = electrodes;
    forget_turn();
    UF_terminate();
}
BENCHMARK(BM_McsWorkpieceOnly)->Arg(10)->Arg(50)->Arg(200)->Iterations(3)->Unit(benchmark::kMillisecond);

// One workpiece per electrode under the MCS, as Apply makes them for per-electrode operations:
// with the blocks of all other electrodes as check geometry (range 1 = 1) or without.
void BM_ElectrodeWorkpieces(benchmark::State &state) {
    const int electrodes = static_cast<int>(state.range(0));
    const bool check_blocks = state.range(1) != 0;
    const std::string part = part_or_skip(state, electrodes);
    if (part.empty()) return;
    long checks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string error = open_turn(part, true);
        if (!error.empty() || !create_static_mcs_and_workpiece(0)) {
            state.SkipWithError(error.empty() ? "the MCS and workpiece were not made" : error.c_str());
            break;
        }
        const int mcs_class = ask_mcs_class(ask_group_mcs(static_mcs_tag));
        state.ResumeTiming();
        for (int i = 0; i < static_elec_count; ++i) {
            tag_t workpiece = NULL_TAG;
            const tag_t elec = static_elec_tags[i], mcs = static_mcs_tag;
            const int made = check_blocks
                                 ? create_single_solid_workpiece_add_check_geom(elec, &workpiece, mcs, mcs_class)
                                 : MY_create_single_workpiece(elec, &workpiece, mcs);
            if (!made) {
                state.SkipWithError("a workpiece was not made");
                break;
            }
        }
        state.PauseTiming();
        checks = 0;
        for (tag_t t : nxhost::store().in_part(nxhost::display_part(), UF_machining_geometry_grp_type))
            if (const nxhost::cam::CamObject *cam = nxhost::cam::cam_object(t); cam && cam->items.count(UF_CAM_check))
                checks += static_cast<long>(cam->items.at(UF_CAM_check).size());
        state.ResumeTiming();
    }
    if (check_blocks && checks != static_cast<long>(electrodes) * (electrodes - 1))
        state.SkipWithError("the workpieces do not check against every other electrode's block");
    state.counters["electrodes"] = electrodes;
    state.counters["check_items"] = static_cast<double>(checks);
    forget_turn();
    UF_terminate();
}
BENCHMARK(BM_ElectrodeWorkpieces)
    ->ArgsProduct({{10, 50, 200}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
