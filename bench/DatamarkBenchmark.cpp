// The datamark store with 10,000 datamarks of one file among 1,000 other
// files' keys: loading them beside a bare read of their registry tree,
// storing them beside the same values written in one transaction, and
// opening a 64 MiB file through the view (first paint included) with and
// without its datamarks. Times are per datamark where the name says so.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "bench/SilentMessages.h"
#include "display/ui/CHexWindow.h"
#include "marks/DatamarkStore.h"
#include "platform/TempFile.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"

namespace {

constexpr int kOtherFiles = 1000;
constexpr std::uint64_t kFileSize = std::uint64_t{64} << 20;

std::string benchDirectory() {
    return platform::systemTempDirectory() + "/kestrane-datamark-bench";
}

CBmitemObj datamarkNumber(const std::string& path, int i) {
    CBmitemObj datamark;
    datamark.filePath = path;
    datamark.name = "mark" + std::to_string(i);
    datamark.comment = "comment of mark " + std::to_string(i);
    datamark.position = static_cast<std::uint64_t>(i) * 4096;
    datamark.level = 1 + i % 8;
    datamark.findString = "ce ..";
    datamark.findResultString = "ce 42 ";
    datamark.operateString = "00 ";
    datamark.operateResultString = "ce 42 ";
    datamark.compareString = "ce 42 ";
    datamark.associations = {"#mark" + std::to_string(i + 1)};
    return datamark;
}

// A registry with the other files' keys and `count` datamarks of the file.
class Fixture {
  public:
    explicit Fixture(int count) {
        std::filesystem::remove_all(benchDirectory());
        std::filesystem::create_directories(benchDirectory());
        registry_ = std::make_unique<platform::Registry>(benchDirectory() + "/registry.sqlite");
        settings_ = std::make_unique<CSettings>(*registry_);
        settings_->open();
        store_ = std::make_unique<DatamarkStore>(*settings_);
        registry_->runTransaction([&] {
            for (int file = 0; file < kOtherFiles; ++file) {
                const std::string other = "/other/file" + std::to_string(file) + ".bin";
                for (int i = 0; i < 3; ++i) {
                    store_->saveDatamark(datamarkNumber(other, i));
                }
            }
            return true;
        });
        path_ = benchDirectory() + "/marked.bin";
        for (int i = 0; i < count; ++i) {
            list_.push_back(datamarkNumber(path_, i));
        }
        store_->replaceStoredDatamarks(list_, path_);
    }
    ~Fixture() {
        store_.reset();
        settings_.reset();
        registry_.reset();
        std::filesystem::remove_all(benchDirectory());
    }
    DatamarkStore& store() { return *store_; }
    CSettings& settings() { return *settings_; }
    platform::Registry& registry() { return *registry_; }
    std::vector<CBmitemObj>& list() { return list_; }
    const std::string& path() const { return path_; }
    platform::RegistryKey fileKey() const {
        return settings_->sectionKey("Bookmark\\Bookmark Item").openSubkey("FilePath3e8");
    }

  private:
    std::unique_ptr<platform::Registry> registry_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<DatamarkStore> store_;
    std::vector<CBmitemObj> list_;
    std::string path_;
};

void perDatamark(benchmark::State& state, std::int64_t count) {
    state.counters["per_datamark"] = benchmark::Counter(
        static_cast<double>(count),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadDatamarks(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const DatamarkLoad load = fixture.store().loadDatamarks(fixture.path());
        if (load.datamarks.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("not every datamark loaded");
            return;
        }
        benchmark::DoNotOptimize(load.datamarks.data());
    }
    perDatamark(state, state.range(0));
}
BENCHMARK(BM_LoadDatamarks)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadTreeReference(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    const platform::RegistryKey key = fixture.fileKey();
    for (auto _ : state) {
        const auto tree = key.readTree();
        if (!tree || tree->children.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the file key was not found");
            return;
        }
        benchmark::DoNotOptimize(tree->children.data());
    }
    perDatamark(state, state.range(0));
}
BENCHMARK(BM_ReadTreeReference)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SaveDatamarks(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!fixture.store().replaceStoredDatamarks(fixture.list(), fixture.path())) {
            state.SkipWithError("the store refused the write");
            return;
        }
    }
    perDatamark(state, state.range(0));
}
BENCHMARK(BM_SaveDatamarks)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same keys and values written straight into the registry, as one
// transaction, over the keys of the last round.
void BM_WriteReference(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    const platform::RegistryKey file = fixture.fileKey();
    for (auto _ : state) {
        fixture.registry().runTransaction([&] {
            file.deleteTree("");
            file.setString("FilePath", fixture.path());
            int m = 0;
            for (const CBmitemObj& d : fixture.list()) {
                char name[32];
                std::snprintf(name, sizeof name, "Name%x", m++);
                const platform::RegistryKey key = file.createSubkey(name);
                key.setString("Name", d.name);
                key.setString("Comment", d.comment);
                key.setDword("Normal Datamark", 0);
                key.setDword("Position", static_cast<std::uint32_t>(d.position));
                key.setDword("Level", static_cast<std::uint32_t>(d.level));
                key.setDword("Arithmetic Operator", 32849);
                key.setDword("Compare Operator", 32866);
                key.setString("Find String", d.findString);
                key.setString("Operate String", d.operateString);
                key.setString("Compare String", d.compareString);
                key.setString("Find Result String", d.findResultString);
                key.setString("Operate Result String", d.operateResultString);
                key.createSubkey("Connect").setString("Connect0", d.associations[0]);
            }
            return true;
        });
    }
    perDatamark(state, state.range(0));
}
BENCHMARK(BM_WriteReference)->Arg(10000)->Unit(benchmark::kMillisecond);

// Opening the file through the frame, its first paint included, then
// closing it. With `awaitMarks` the time runs on until the datamarks, read
// on a worker meanwhile, are in the view and painted.
void openWithDatamarks(benchmark::State& state, bool awaitMarks) {
    Fixture fixture(static_cast<int>(state.range(0)));
    {
        std::ofstream file(fixture.path(), std::ios::binary);
        std::string block(1 << 20, '\x5a');
        for (std::uint64_t written = 0; written < kFileSize; written += block.size()) {
            file.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
    }
    const platform::StringTable strings = makeKestraneStringTable();
    benchsupport::SilentMessages messages(strings);
    CMainFrame frame(fixture.settings(), strings, messages, nullptr);
    frame.resize(1200, 800);
    frame.show();
    QImage canvas(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        if (!frame.openDocument(fixture.path())) {
            state.SkipWithError("the file did not open");
            return;
        }
        CChildFrame* child = frame.activeChild();
        child->view().render(&canvas);
        if (awaitMarks) {
            child->awaitDatamarks();
            child->view().render(&canvas);
        }
        state.PauseTiming();
        child->awaitDatamarks();
        if (child->panel().datamarks().list().size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the datamarks did not load");
            return;
        }
        frame.closeDocument(*child);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
void BM_OpenWithDatamarks(benchmark::State& state) {
    openWithDatamarks(state, false);
}
BENCHMARK(BM_OpenWithDatamarks)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenUntilDatamarksShown(benchmark::State& state) {
    openWithDatamarks(state, true);
}
BENCHMARK(BM_OpenUntilDatamarksShown)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
