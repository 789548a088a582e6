// The cost of one settings read and one settings write against a registry
// file in the temporary directory, as a program pays it at run time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/TempFile.h"
#include "settings/CSettings.h"

namespace {

struct Fixture {
    std::string folder;
    std::unique_ptr<platform::Registry> registry;
    std::unique_ptr<CSettings> store;

    Fixture() {
        folder = platform::systemTempDirectory() + "/kestrane-bench-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        registry = std::make_unique<platform::Registry>(folder + "/registry.sqlite");
        store = std::make_unique<CSettings>(*registry);
        store->open();
        store->write(settings::edit::MaxUndoLevel, 100);
        store->write(settings::appearance::DisplayFacename, "Liberation Mono");
    }
    ~Fixture() {
        store.reset();
        registry.reset();
        std::filesystem::remove_all(folder);
    }
};

void BM_SettingsReadInt(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.store->get(settings::edit::MaxUndoLevel));
    }
}
BENCHMARK(BM_SettingsReadInt);

void BM_SettingsReadAbsent(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.store->get(settings::edit::MaxCopySize));
    }
}
BENCHMARK(BM_SettingsReadAbsent);

void BM_SettingsReadString(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.store->get(settings::appearance::DisplayFacename));
    }
}
BENCHMARK(BM_SettingsReadString);

// Every write is its own committed, synced transaction.
void BM_SettingsWriteInt(benchmark::State& state) {
    Fixture fixture;
    std::int32_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.store->write(settings::edit::MaxUndoLevel, ++value));
    }
}
BENCHMARK(BM_SettingsWriteInt)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
