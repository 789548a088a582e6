// Searching a 1 GiB file of random bytes, opened in place and held in the
// page cache, for a needle that is not there: the whole store is scanned.
// The reference is grep counting the same fixed needle in the same file,
// run as a process; each search of the engine stands beside it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editdata/CEditData.h"
#include "platform/TempFile.h"
#include "search/SearchEngine.h"

namespace {

constexpr std::uint64_t kFileSize = std::uint64_t{1} << 30;
constexpr const char* kNeedle = "Kq7#Zp0w";

// Removes every start of the needles from the random bytes.
void scrub(std::vector<std::uint8_t>& bytes) {
    for (const char* start : {"Kq7", "HDR"}) {
        const std::size_t length = std::strlen(start);
        for (std::size_t i = 0; i + length <= bytes.size(); ++i) {
            if (bytes[i] == static_cast<std::uint8_t>(start[0]) &&
                std::memcmp(&bytes[i], start, length) == 0) {
                bytes[i] ^= 0x20;
            }
        }
    }
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i) {  // "qmxv" in any case
        if ((bytes[i] & 0xDF) == 'Q' && (bytes[i + 1] & 0xDF) == 'M' &&
            (bytes[i + 2] & 0xDF) == 'X' && (bytes[i + 3] & 0xDF) == 'V') {
            bytes[i] = '#';
        }
    }
}

// The file, written once per run of the program and removed at its end.
class RandomFile {
  public:
    RandomFile() {
        path_ = platform::systemTempDirectory() + "/kestrane-search-bench.bin";
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        std::mt19937_64 random(417);
        std::vector<std::uint8_t> chunk(std::size_t{64} << 20);
        for (std::uint64_t written = 0; file != nullptr && written < kFileSize;
             written += chunk.size()) {
            for (std::size_t i = 0; i < chunk.size(); i += 8) {
                const std::uint64_t word = random();
                std::memcpy(&chunk[i], &word, 8);
            }
            scrub(chunk);
            std::fwrite(chunk.data(), 1, chunk.size(), file);
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    ~RandomFile() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

RandomFile& randomFile() {
    static RandomFile file;
    return file;
}

void BM_GrepFixedReference(benchmark::State& state) {
    const std::string command =
        std::string("LC_ALL=C grep -c -F -a '") + kNeedle + "' '" + randomFile().path() + "'";
    for (auto _ : state) {
        std::FILE* grep = popen(command.c_str(), "r");
        char line[64] = {};
        const bool read = grep != nullptr && std::fgets(line, sizeof line, grep) != nullptr;
        if (grep != nullptr) {
            pclose(grep);
        }
        if (!read || std::atoi(line) != 0) {
            state.SkipWithError("grep did not run or found the needle");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void searchWhole(benchmark::State& state, const std::string& pattern, bool hexMode, bool regex,
                 bool matchCase, bool forward) {
    CEditData store;
    if (!store.open(randomFile().path(), kGenericRead)) {
        state.SkipWithError("the file did not open");
        return;
    }
    SearchEngine engine(&store);
    if (!engine.compilePattern(pattern, hexMode, regex, matchCase)) {
        state.SkipWithError("the pattern did not compile");
        return;
    }
    std::uint64_t reports = 0;
    const platform::ProgressCallback callback =
        [&reports](std::uint64_t, std::uint64_t, platform::ProgressKind, const std::string*) {
            ++reports;
            return platform::ProgressAnswer::Continue;
        };
    for (auto _ : state) {
        bool cancelled = false;
        if (engine.searchRange(forward, 0, store.getDataSize(), &callback, cancelled)) {
            state.SkipWithError("the needle was found");
            return;
        }
    }
    benchmark::DoNotOptimize(reports);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void BM_FindHexNoWildcard(benchmark::State& state) {
    searchWhole(state, "4B 71 37 23 5A 70 30 77", true, false, true, true);
}
void BM_FindTextIgnoreCase(benchmark::State& state) {
    searchWhole(state, "qmxvtrle", false, false, false, true);
}
void BM_FindHexWildcard(benchmark::State& state) {
    searchWhole(state, "4B 71 3. 23 5. 70 .. 77", true, false, true, true);
}
void BM_FindRegex(benchmark::State& state) {
    searchWhole(state, "HDR[0-9]*END", false, true, true, true);
}
void BM_FindBackward(benchmark::State& state) {
    searchWhole(state, "4B 71 37 23 5A 70 30 77", true, false, true, false);
}

#define KESTRANE_SEARCH_BENCHMARK(name) \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)

KESTRANE_SEARCH_BENCHMARK(BM_GrepFixedReference);
KESTRANE_SEARCH_BENCHMARK(BM_FindHexNoWildcard);
KESTRANE_SEARCH_BENCHMARK(BM_FindTextIgnoreCase);
KESTRANE_SEARCH_BENCHMARK(BM_FindHexWildcard);
KESTRANE_SEARCH_BENCHMARK(BM_FindRegex);
KESTRANE_SEARCH_BENCHMARK(BM_FindBackward);

}  // namespace

BENCHMARK_MAIN();
