// Undo and redo of typed bytes: the cost of one action must not grow with
// the length of the history.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "editdata/CEditData.h"
#include "framework/Component.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"

namespace {

namespace fs = std::filesystem;

class Owner : public CEditDataOwner {
  public:
    void markModified(bool) override {}
    bool confirmThreshold(std::uint64_t, int) override { return true; }
    bool confirmIrreversible(int) override { return true; }
    std::optional<CaretContext> getCaret() override { return CaretContext{&panel, 0, 0}; }
    void setCaret(const CaretContext&) override {}
    RealComponent panel;
};

struct Environment {
    std::string folder;
    std::unique_ptr<platform::Registry> registry;
    std::unique_ptr<CSettings> settings;
    std::string memoryFile;
    std::string largeFile;

    Environment() {
        folder = platform::systemTempDirectory() + "/kestrane-undo-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            std::abort();
        }
        registry = std::make_unique<platform::Registry>(folder + "/registry.sqlite");
        settings = std::make_unique<CSettings>(*registry);
        settings->open();
        settings->write(settings::edit::MaxUndoLevel, 1000000);
        memoryFile = folder + "/memory.bin";
        largeFile = folder + "/large.bin";
        const int small = ::open(memoryFile.c_str(), O_CREAT | O_WRONLY, 0644);
        const std::string bytes(1 << 20, 'm');
        if (::write(small, bytes.data(), bytes.size()) < 0) {
            std::abort();
        }
        ::close(small);
        const int large = ::open(largeFile.c_str(), O_CREAT | O_WRONLY, 0644);
        if (ftruncate(large, 1ll << 30) != 0) {
            std::abort();
        }
        ::close(large);
    }
    ~Environment() { fs::remove_all(folder); }
};

Environment& environment() {
    static Environment shared;
    return shared;
}

// range(0): 0 memory store of 1 MiB, 1 in-place 1 GiB file; range(1): the
// actions; range(2): 0 typed as a run from one place, as a user types, 1
// scattered at random over the whole file (the worst case: every action then
// moves the window to another 1 KiB block).
void BM_UndoRedoTyping(benchmark::State& state) {
    Environment& env = environment();
    const bool inPlace = state.range(0) == 1;
    const auto actions = static_cast<int>(state.range(1));
    Owner owner;
    CEditData store(CEditDataServices{*env.settings, nullptr, nullptr});
    store.setOwner(&owner);
    store.open(inPlace ? env.largeFile : env.memoryFile, kGenericRead | kGenericWrite);
    const std::uint64_t size = store.getDataSize();
    const bool scattered = state.range(2) == 1;
    std::mt19937_64 random(3);
    const std::uint64_t start = size / 3;
    for (int i = 0; i < actions; ++i) {
        std::uint8_t byte = static_cast<std::uint8_t>(random());
        store.writeByte(
            byte, scattered ? random() % size : (start + static_cast<std::uint64_t>(i)) % size,
            true);
    }
    if (store.getUndoCount() != actions) {
        state.SkipWithError("not every keystroke was recorded");
        return;
    }
    for (auto _ : state) {
        store.undo(actions - 1);
        store.redo(actions - 1);
    }
    state.counters["ns_per_action"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 2.0 * actions,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoRedoTyping)
    ->ArgNames({"inplace", "actions", "scattered"})
    ->Args({0, 1000, 0})
    ->Args({0, 10000, 0})
    ->Args({1, 1000, 0})
    ->Args({1, 10000, 0})
    ->Args({1, 1000, 1})
    ->Args({1, 10000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
