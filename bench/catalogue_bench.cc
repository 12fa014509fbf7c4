// Catalogue texts and keyed settings are read afresh from their files on every use, so a
// message or a setting costs a scan of the file up to its tag. These measure that cost on
// files of the size a full configuration reaches.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "my_func/my_func.h"
#include "nxhost/core/reset.h"
#include "uf.h"

namespace fs = std::filesystem;

namespace {

// A drive D with a catalogue of `tags` messages and a definition file of as many keys.
class Drive {
public:
    explicit Drive(int tags) {
        dir_ = fs::temp_directory_path() / ("torvane-bench-" + std::to_string(tags));
        fs::create_directories(dir_);
        setenv("NXHOST_DRIVE_D", dir_.c_str(), 1);
        std::ofstream catalogue(dir_ / "catalogue.txt", std::ios::binary);
        std::ofstream keys(dir_ / "keys.def", std::ios::binary);
        for (int i = 0; i < tags; ++i) {
            catalogue << "some_function_name_" << i << "_01:\r\n"
                      << "A message text of ordinary length that tells the user what went wrong.\r\n";
            keys << "setting_number_" << i << ": " << i * 0.5 << "\r\n";
        }
    }
    ~Drive() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

private:
    fs::path dir_;
};

void BM_LookupLastMessage(benchmark::State &state) {
    const int tags = static_cast<int>(state.range(0));
    Drive drive(tags);
    nxhost::reset_all();
    UF_initialize();
    const std::string tag = "some_function_name_" + std::to_string(tags - 1) + "_01:";
    char text[257];
    for (auto _ : state) {
        if (!lookup_message(tag.c_str(), text, "D:\\catalogue.txt")) state.SkipWithError("lookup failed");
        benchmark::DoNotOptimize(text);
    }
    UF_terminate();
}
BENCHMARK(BM_LookupLastMessage)->Arg(100)->Arg(600)->Unit(benchmark::kMicrosecond);

void BM_ReadLastSetting(benchmark::State &state) {
    const int keys = static_cast<int>(state.range(0));
    Drive drive(keys);
    nxhost::reset_all();
    UF_initialize();
    const std::string key = "setting_number_" + std::to_string(keys - 1) + ":";
    double value = 0.0;
    for (auto _ : state) {
        if (!read_config_value(key.c_str(), &value, "D:\\keys.def")) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
    UF_terminate();
}
BENCHMARK(BM_ReadLastSetting)->Arg(100)->Arg(600)->Unit(benchmark::kMicrosecond);

}  // namespace
