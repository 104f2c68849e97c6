// Writes demo billing files of several sizes into a temporary folder.
#include "tools/yvo-demo-db/DemoDatabase.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

void writeDemo(benchmark::State& state) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("yvo-demo-db-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path out = dir / "YVO.mdb";
    const yvo::demo::DemoOptions options{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    for (auto _ : state) {
        yvo::demo::writeDemoDatabase(out, options);
        state.PauseTiming();
        std::filesystem::remove(out);
        state.ResumeTiming();
    }
    std::filesystem::remove_all(dir);
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

BENCHMARK(writeDemo)->Args({60, 1200})->Unit(benchmark::kMillisecond);
BENCHMARK(writeDemo)->Args({20000, 1000000})->Unit(benchmark::kSecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
