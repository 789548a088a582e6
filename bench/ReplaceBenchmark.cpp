// Replace All over a 1 GiB file opened in place, with 100,000 evenly spread
// hits of an 8-byte needle, until the store holds the result (the
// confirmation answered OK): beside a plain copy of the file with cp. The
// peak memory of one Replace All, above what the process held before it, is
// measured in a child process and reported as a counter.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/SilentMessages.h"
#include "editdata/CEditData.h"
#include "platform/TempFile.h"
#include "search/ReplaceTool.h"
#include "search/SearchEngine.h"

namespace {

constexpr std::uint64_t kFileSize = std::uint64_t{1} << 30;
constexpr std::uint64_t kHits = 100000;
constexpr const char* kNeedle = "Kq7#Zp0w";

std::string benchDirectory() {
    return platform::systemTempDirectory();
}

// The file, written once per run of the program and removed at its end.
class NeedleFile {
  public:
    NeedleFile() {
        path_ = benchDirectory() + "/kestrane-replace-bench.bin";
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        std::mt19937_64 random(417);
        const std::uint64_t stride = kFileSize / kHits;
        std::vector<std::uint8_t> chunk(std::size_t{64} << 20);
        for (std::uint64_t base = 0; file != nullptr && base < kFileSize; base += chunk.size()) {
            for (std::size_t i = 0; i < chunk.size(); i += 8) {
                const std::uint64_t word = random();
                std::memcpy(&chunk[i], &word, 8);
            }
            for (std::size_t i = 0; i + 3 <= chunk.size(); ++i) {
                if (std::memcmp(&chunk[i], kNeedle, 3) == 0) {
                    chunk[i] ^= 0x20;  // no needle but the planted ones
                }
            }
            std::fwrite(chunk.data(), 1, chunk.size(), file);
        }
        // The hits, one every stride.
        for (std::uint64_t hit = 0; file != nullptr && hit < kHits; ++hit) {
            fseeko(file, static_cast<off_t>(hit * stride), SEEK_SET);
            std::fwrite(kNeedle, 1, 8, file);
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    ~NeedleFile() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

NeedleFile& needleFile() {
    static NeedleFile file;
    return file;
}

// The whole data from the start, no selection.
class WholeFileView : public SearchView {
  public:
    explicit WholeFileView(CEditData& data) : data_(data) {}
    CEditData& searchedData() override { return data_; }
    std::uint64_t caretOffset() override { return 0; }
    std::optional<std::pair<std::uint64_t, std::uint64_t>> rangeSelection() override {
        return std::nullopt;
    }
    bool hasSelection() override { return false; }
    void selectMatch(std::uint64_t, std::uint64_t) override {}
    void markLineOf(std::uint64_t) override {}
    void clearSelection() override {}

  private:
    CEditData& data_;
};

// A fresh store of the file, opened in place, to run one Replace All on.
class ReplaceRun {
  public:
    ReplaceRun() : strings_{searchStrings()}, messages_(strings_), view_(store_) {
        opened_ = store_.open(needleFile().path(), kGenericRead | kGenericWrite);
        tool_.options().matchCase = true;
    }

    // The replacements made once the store holds the result.
    std::uint64_t replaceAll(const std::string& replacement) {
        if (!opened_) {
            return 0;
        }
        const ReplaceTool::Outcome outcome = tool_.replaceAll(
            kNeedle, replacement, view_, messages_, nullptr,
            [] { return platform::createUniqueTempFile(benchDirectory(), "~HEXDATA"); });
        return outcome.applied ? outcome.replaced : 0;
    }

  private:
    const platform::StringTable strings_;
    benchsupport::SilentMessages messages_;
    CEditData store_;
    WholeFileView view_;
    ReplaceTool tool_{{}};
    bool opened_ = false;
};

std::uint64_t replaceAllOnce(const std::string& replacement) {
    ReplaceRun run;
    return run.replaceAll(replacement);
}

std::uint64_t residentKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stoull(line.substr(std::strlen(field)));
        }
    }
    return 0;
}

// The peak resident memory one Replace All adds, in MiB, measured in a child.
double peakMemoryMiB(const std::string& replacement) {
    int ends[2];
    if (pipe(ends) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts afresh
        const std::uint64_t before = residentKiB("VmRSS:");
        replaceAllOnce(replacement);
        const double added = static_cast<double>(residentKiB("VmHWM:") - before) / 1024.0;
        (void)!write(ends[1], &added, sizeof added);
        _exit(0);
    }
    close(ends[1]);
    double added = -1;
    (void)!read(ends[0], &added, sizeof added);
    close(ends[0]);
    waitpid(child, nullptr, 0);
    return added;
}

// This machine is a virtual one that hands memory freed for a few seconds
// back to its host; the next use of such memory as page cache costs about
// 3 s per GiB in the kernel, whoever writes (a plain loop of 4 MiB pwrite
// calls into a new file: 4.3 s the first time, 0.25 s right after). Writing
// and removing a scratch file just before each timed step gives the copy and
// Replace All the same ready page cache.
void warmPageCache() {
    const std::string path = benchDirectory() + "/kestrane-replace-bench.warm";
    const int fd = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    const std::vector<char> chunk(std::size_t{4} << 20, 'w');
    for (int i = 0; i < 384; ++i) {  // 1.5 GiB: the result and the reads
        if (pwrite(fd, chunk.data(), chunk.size(), static_cast<off_t>(i) * 4194304) < 0) {
            break;
        }
    }
    close(fd);
    unlink(path.c_str());
}

void BM_CopyFileReference(benchmark::State& state) {
    const std::string target = benchDirectory() + "/kestrane-replace-bench.copy";
    const std::string command = "cp --reflink=never '" + needleFile().path() + "' '" + target + "'";
    for (auto _ : state) {
        state.PauseTiming();
        warmPageCache();
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
            break;
        }
        state.PauseTiming();
        std::filesystem::remove(target);
        state.ResumeTiming();
    }
}

void replaceAll(benchmark::State& state, const std::string& replacement) {
    for (auto _ : state) {
        // Opening the file and closing the store (which removes the 1 GiB
        // result, as cp's copy is removed untimed) stand outside the time.
        state.PauseTiming();
        auto run = std::make_unique<ReplaceRun>();
        warmPageCache();
        state.ResumeTiming();
        const std::uint64_t replaced = run->replaceAll(replacement);
        state.PauseTiming();
        run.reset();
        state.ResumeTiming();
        if (replaced != kHits) {
            state.SkipWithError("not every needle was replaced");
            return;
        }
    }
    state.counters["peak_MiB"] = peakMemoryMiB(replacement);
}

void BM_ReplaceAll_Shrink(benchmark::State& state) {
    replaceAll(state, "abcdef");
}
void BM_ReplaceAll_EqualLength(benchmark::State& state) {
    replaceAll(state, "abcdefgh");
}

BENCHMARK(BM_CopyFileReference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAll_Shrink)
    ->Name("BM_ReplaceAll/Shrink")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ReplaceAll_EqualLength)
    ->Name("BM_ReplaceAll/EqualLength")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
