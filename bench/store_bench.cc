// The stand-in's object store at the sizes of the largest jobs: CAM objects made from templates,
// a cycle over the bodies of a part of many faces, and look-ups by name. Each runs at a size and
// at ten times that size; with every step costing the same, items_per_second stays the same, so
// the two rows of a benchmark show whether it grows linearly.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

#include "nxhost/core/reset.h"
#include "nxhost/parts/parts.h"
#include "uf.h"
#include "uf_cam.h"
#include "uf_curve.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_oper.h"
#include "uf_setup.h"

namespace fs = std::filesystem;

namespace {

// Drive E holds the parts and a site CAM configuration of NX's contour milling and the TT type;
// NX's folder of this build is mounted. The variables are put back as they were afterwards, so
// that the other benchmarks of the run keep their drives.
class Drive {
public:
    Drive() : dir_(fs::temp_directory_path() / ("torvane-bench-store-" + std::to_string(getpid()))) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
        fs::create_directories(dir_ / "parts");
        fs::copy_file(fs::path(TORVANE_SOURCE_DIR) / "conf/qz_conf/cam_qz/TT.prt", dir_ / "TT.prt");
        std::ofstream(dir_ / "site.dat") << "template_part: ${UGII_BASE_DIR}\\MACH\\resource\\template_part\\metric\\"
                                            "mill_contour.prt\ntemplate_part: E:\\TT.prt\n";
        const std::string nx = "C:\\Program Files\\Siemens\\NX";
        set("NXHOST_DRIVE_E", dir_.string());
        set("NXHOST_MOUNTS", nx + "=" + TORVANE_NX_ROOT);
        set("UGII_BASE_DIR", nx);
        set("UGII_CAM_CONFIG", "E:\\site.dat");
    }
    ~Drive() {
        for (const auto &[name, value] : saved_) {
            if (value.first) setenv(name.c_str(), value.second.c_str(), 1);
            else unsetenv(name.c_str());
        }
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Writes a part of these bodies (a JSON list) and gives its Windows name.
    std::string part(const std::string &file, const std::string &bodies) {
        std::ofstream(dir_ / "parts" / file) << R"({"format":"nxhost-part/1","units":"mm","bodies":)" << bodies << "}";
        return "E:\\parts\\" + file;
    }

private:
    void set(const std::string &name, const std::string &value) {
        const char *old = std::getenv(name.c_str());
        saved_[name] = {old != nullptr, old ? old : ""};
        setenv(name.c_str(), value.c_str(), 1);
    }
    fs::path dir_;
    std::map<std::string, std::pair<bool, std::string>> saved_;
};

// A fresh session with the part loaded and displayed; NULL_TAG after marking the benchmark
// skipped when it cannot be had.
tag_t open_part(benchmark::State &state, const std::string &path) {
    nxhost::reset_all();
    if (UF_initialize() != 0) {
        state.SkipWithError("UF_initialize failed");
        return NULL_TAG;
    }
    std::string error;
    const tag_t part = nxhost::load_part(path, &error);
    if (part == NULL_TAG) state.SkipWithError(("cannot load " + path + ": " + error).c_str());
    else nxhost::set_display_part(part);
    return part;
}

// Unit boxes on a grid, named B0, B1 ...: six faces and twelve edges each.
std::string boxes(int count) {
    std::string bodies = "[";
    for (int i = 0; i < count; ++i) {
        const int x = 2 * (i % 100), y = 2 * (i / 100);
        bodies += std::string(i ? "," : "") + R"({"name":"B)" + std::to_string(i) + R"(","shape":{"box":{"min":[)" +
                  std::to_string(x) + "," + std::to_string(y) + ",0],\"max\":[" + std::to_string(x + 1) + "," +
                  std::to_string(y + 1) + ",1]}}}";
    }
    return bodies + "]";
}

// Operations made one after the other from the same template, as NX names them (CAVITY_MILL,
// CAVITY_MILL_1 ...): each finds the template, the setup and a free name among all before it.
void BM_CreateCamObjects(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    Drive drive;
    const std::string path = drive.part("empty.prt", "[]");
    for (auto _ : state) {
        state.PauseTiming();
        const tag_t part = open_part(state, path);
        if (part == NULL_TAG) break;
        if (UF_CAM_init_session() != 0 || UF_SETUP_create(part, "TT") != 0) {
            state.SkipWithError("no CAM setup");
            break;
        }
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) {
            tag_t oper = NULL_TAG;
            if (UF_OPER_create(const_cast<char *>("mill_contour"), const_cast<char *>("CAVITY_MILL"), &oper) != 0) {
                state.SkipWithError("UF_OPER_create failed");
                break;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    UF_terminate();
}
BENCHMARK(BM_CreateCamObjects)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

// One whole cycle over the bodies of a part of unit boxes, counted in faces: the faces and edges
// of the part are not cycled but are objects of the part all the same.
void BM_CycleBodiesOfPart(benchmark::State &state) {
    const int faces = static_cast<int>(state.range(0));
    const int bodies = faces / 6;
    Drive drive;
    const std::string path = drive.part("boxes.prt", boxes(bodies));
    const tag_t part = open_part(state, path);
    if (part == NULL_TAG) return;
    int cycled = 0;
    for (auto _ : state) {
        cycled = 0;
        tag_t body = NULL_TAG;
        while (UF_OBJ_cycle_objs_in_part(part, UF_solid_type, &body) == 0 && body != NULL_TAG) ++cycled;
    }
    if (cycled != bodies) state.SkipWithError("the cycle missed bodies");
    state.counters["bodies"] = bodies;
    state.SetItemsProcessed(state.iterations() * bodies);
    UF_terminate();
}
BENCHMARK(BM_CycleBodiesOfPart)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every object of a part of named points found by its name through UF_OBJ_cycle_by_name, the
// way the add-on asks whether a name is taken: the cycle runs to its end.
void BM_NameLookups(benchmark::State &state) {
    const int count = static_cast<int>(state.range(0));
    Drive drive;
    const tag_t part = open_part(state, drive.part("points.prt", "[]"));
    if (part == NULL_TAG) return;
    for (int i = 0; i < count; ++i) {
        double at[3] = {static_cast<double>(i), 0.0, 0.0};
        tag_t point = NULL_TAG;
        if (UF_CURVE_create_point(at, &point) != 0 || UF_OBJ_set_name(point, ("P" + std::to_string(i)).c_str()) != 0) {
            state.SkipWithError("cannot make the named points");
            return;
        }
    }
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (int i = 0; i < count; ++i) {
            const std::string name = "P" + std::to_string(i);
            tag_t object = NULL_TAG;
            while (UF_OBJ_cycle_by_name(name.c_str(), &object) == 0 && object != NULL_TAG) ++found;
        }
    }
    if (found != count) state.SkipWithError("a name was not found once");
    state.SetItemsProcessed(state.iterations() * count);
    UF_terminate();
}
BENCHMARK(BM_NameLookups)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
