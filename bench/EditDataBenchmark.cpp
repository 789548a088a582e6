// The byte store's file work on a 1 GiB file in the temporary directory,
// beside the system's `cp` of the same file as the reference, in one run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "editdata/CEditData.h"
#include "platform/TempFile.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kGiB = 1ull << 30;
constexpr std::uint64_t kMiB = 1ull << 20;

class NullOwner : public CEditDataOwner {
  public:
    void markModified(bool) override {}
    bool confirmThreshold(std::uint64_t, int) override { return true; }
    bool confirmIrreversible(int) override { return true; }
    std::optional<CaretContext> getCaret() override { return std::nullopt; }
    void setCaret(const CaretContext&) override {}
};

// One folder for the run, removed at exit.
const std::string& benchFolder() {
    static const std::string folder = [] {
        std::string path = platform::systemTempDirectory() + "/kestrane-bench-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) {
            std::abort();
        }
        std::atexit([] { fs::remove_all(benchFolder()); });
        return path;
    }();
    return folder;
}

// A file of `size` bytes of varied content, made once per size.
const std::string& dataFile(std::uint64_t size) {
    static std::vector<std::pair<std::uint64_t, std::string>> made;
    for (const auto& [madeSize, path] : made) {
        if (madeSize == size) {
            return path;
        }
    }
    const std::string path = benchFolder() + "/data-" + std::to_string(size);
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    std::vector<std::uint8_t> chunk(kMiB);
    std::mt19937 random(1);
    for (auto& byte : chunk) {
        byte = static_cast<std::uint8_t>(random());
    }
    for (std::uint64_t written = 0; written < size; written += chunk.size()) {
        chunk[0] = static_cast<std::uint8_t>(written >> 20);  // no two chunks alike
        if (::write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
            std::abort();
        }
    }
    // Written back now, so no measured save pays for the file's creation.
    ::fsync(fd);
    ::close(fd);
    made.emplace_back(size, path);
    return made.back().second;
}

void BM_CopyFileReference(benchmark::State& state) {
    const std::string& source = dataFile(kGiB);
    const std::string target = benchFolder() + "/cp-target";
    const std::string command = "cp '" + source + "' '" + target + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
        }
        state.PauseTiming();
        fs::remove(target);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGiB));
}
BENCHMARK(BM_CopyFileReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_MakeWorkCopy(benchmark::State& state) {
    const std::string& source = dataFile(kGiB);
    NullOwner owner;
    for (auto _ : state) {
        state.PauseTiming();
        CEditData store;
        store.setOwner(&owner);
        store.open(source, kGenericRead | kGenericWrite);
        state.ResumeTiming();
        if (!store.makeWorkCopy()) {
            state.SkipWithError("work copy failed");
        }
        state.PauseTiming();
        store.close();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGiB));
}
BENCHMARK(BM_MakeWorkCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_InsertAtStartOfWorkFile(benchmark::State& state) {
    const std::string& source = dataFile(kGiB);
    NullOwner owner;
    CEditData store;
    store.setOwner(&owner);
    store.open(source, kGenericRead | kGenericWrite);
    store.makeWorkCopy();
    const std::uint8_t byte = 0x5A;
    for (auto _ : state) {
        if (!store.insertData(&byte, 1, 0, false)) {
            state.SkipWithError("insert failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGiB));
}
BENCHMARK(BM_InsertAtStartOfWorkFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// A 4-column block over every line of a 1 GiB work copy at 32 bytes per line.
void BM_DeleteBlockWorkFile(benchmark::State& state) {
    const std::string& source = dataFile(kGiB);
    NullOwner owner;
    ColumnBlock block;
    block.lineWidth = 32;
    block.firstLine = 0;
    block.lastLine = static_cast<std::int32_t>(kGiB / 32 - 1);
    block.firstColumn = 10;
    block.lastColumn = 13;
    for (auto _ : state) {
        state.PauseTiming();
        CEditData store;
        store.setOwner(&owner);
        store.open(source, kGenericRead | kGenericWrite);
        store.makeWorkCopy();
        state.ResumeTiming();
        if (!store.deleteBlock(block, false)) {
            state.SkipWithError("block delete failed");
        }
        state.PauseTiming();
        store.close();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGiB));
}
BENCHMARK(BM_DeleteBlockWorkFile)
    ->Name("BM_DeleteBlockWorkFile/1GiB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Unit 4 in chunks of a 32-byte line over the whole 1 GiB work copy.
void BM_SwapWorkFile(benchmark::State& state) {
    const std::string& source = dataFile(kGiB);
    NullOwner owner;
    CEditData store;
    store.setOwner(&owner);
    store.open(source, kGenericRead | kGenericWrite);
    store.makeWorkCopy();
    for (auto _ : state) {
        if (!store.swapData(kGiB, 0, 32, 4, 0, false)) {
            state.SkipWithError("swap failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGiB));
}
BENCHMARK(BM_SwapWorkFile)
    ->Name("BM_SwapWorkFile/1GiB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// 1000 typed bytes scattered over the file, then a save to its own path.
void BM_SaveInPlaceModifiedBlocks(benchmark::State& state) {
    const auto size = static_cast<std::uint64_t>(state.range(0)) * kMiB;
    const std::string& path = dataFile(size);
    NullOwner owner;
    std::mt19937_64 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        CEditData store(CEditDataServices{});
        store.setOwner(&owner);
        store.open(path, kGenericRead | kGenericWrite);
        for (int i = 0; i < 1000; ++i) {
            std::uint8_t byte = static_cast<std::uint8_t>(random());
            store.writeByte(byte, random() % size, false);
        }
        state.ResumeTiming();
        if (!store.save(path)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_SaveInPlaceModifiedBlocks)
    ->Arg(64)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// The same 1000 scattered 1 KiB writes and the sync, made directly on the
// file without the store: what the system itself charges for them, so the
// store's own part of the save can be told apart.
void BM_SaveFloorScatteredWrites(benchmark::State& state) {
    const auto size = static_cast<std::uint64_t>(state.range(0)) * kMiB;
    const std::string& path = dataFile(size);
    const int fd = ::open(path.c_str(), O_RDWR);
    std::mt19937_64 random(7);
    std::vector<std::uint8_t> block(1024, 0x5A);
    std::vector<std::uint8_t> window(8192);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::uint64_t> offsets;
        for (int i = 0; i < 1000; ++i) {
            const std::uint64_t offset = random() % size;
            offsets.push_back(offset / 1024 * 1024);
            benchmark::DoNotOptimize(::pread(fd, window.data(), window.size(),
                                             static_cast<off_t>(offset / 4096 * 4096)));
        }
        state.ResumeTiming();
        for (const auto offset : offsets) {
            benchmark::DoNotOptimize(
                ::pwrite(fd, block.data(), block.size(), static_cast<off_t>(offset)));
        }
        ::fsync(fd);
    }
    ::close(fd);
}
BENCHMARK(BM_SaveFloorScatteredWrites)
    ->Arg(64)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// The peak resident memory of a process that opens a 16 GiB sparse file in
// place and reads its last byte.
void BM_PeakMemoryOpeningSparse16GiB(benchmark::State& state) {
    const std::string path = benchFolder() + "/sparse-16g";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(16 * kGiB)) != 0) {
        state.SkipWithError("cannot make the sparse file");
        return;
    }
    ::close(fd);
    long peakKiB = 0;
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            CEditData store;
            store.open(path, kGenericRead);
            const std::uint8_t* data = nullptr;
            const std::uint8_t* mask = nullptr;
            std::uint32_t count = 1;
            const bool read = store.getDataPointer(&data, &mask, count, 16 * kGiB - 1, false);
            _exit(read && store.storageMode() == StorageMode::InPlace ? 0 : 1);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child could not read the last byte");
        }
        peakKiB = usage.ru_maxrss;
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(peakKiB) / 1024.0;
    fs::remove(path);
}
BENCHMARK(BM_PeakMemoryOpeningSparse16GiB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
