// Export speed beside xxd, input bytes per second: a 256 MiB file of random
// bytes as hex text (the text range writer on the file opened in place,
// progress attached) beside "xxd -p", and a 64 MiB file as C source beside
// "xxd -i". Then the peak resident memory of a child process that opens a
// file in place and exports it as hex text: 16 MiB against 1 GiB.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editdata/CEditData.h"
#include "exchange/ExportWriters.h"
#include "platform/Registry.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

namespace fs = std::filesystem;

std::string benchFolder() {
    static const std::string folder = [] {
        std::string path = platform::systemTempDirectory() + "/kestrane-export-bench";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

// A file of random bytes, made once per run.
std::string randomFile(std::uint64_t size) {
    const std::string path = benchFolder() + "/random-" + std::to_string(size >> 20) + ".bin";
    if (fs::exists(path) && fs::file_size(path) == size) {
        return path;
    }
    std::mt19937_64 random(42);
    std::ofstream out(path, std::ios::binary);
    std::vector<std::uint64_t> block(1 << 17);
    for (std::uint64_t done = 0; done < size; done += block.size() * 8) {
        for (auto& word : block) {
            word = random();
        }
        out.write(
            reinterpret_cast<const char*>(block.data()),
            static_cast<std::streamsize>(std::min<std::uint64_t>(block.size() * 8, size - done)));
    }
    return path;
}

class FileSink : public ExportSink {
  public:
    explicit FileSink(const std::string& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
    ~FileSink() override { ::close(fd_); }
    bool write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

  private:
    int fd_;
};

void runXxd(benchmark::State& state, const char* option, std::uint64_t size) {
    const std::string input = randomFile(size);
    const std::string command =
        std::string("xxd ") + option + " '" + input + "' > '" + benchFolder() + "/xxd.out'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("xxd failed (is it installed?)");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void runExport(benchmark::State& state, ExportFormat format, std::uint64_t size) {
    const std::string input = randomFile(size);
    CEditData data;  // "Max File Size" at its default: the file is edited in place
    if (!data.open(input, kGenericRead)) {
        state.SkipWithError("cannot open the input");
        return;
    }
    const platform::ProgressCallback progress = [](std::uint64_t, std::uint64_t,
                                                   platform::ProgressKind, const std::string*) {
        return platform::ProgressAnswer::Continue;
    };
    for (auto _ : state) {
        FileSink sink(benchFolder() + "/export.out");
        if (!writeTextRange(data, 0, size, 16, format, "random.bin", sink, &progress)) {
            state.SkipWithError("the export failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

constexpr std::uint64_t kHexTextSize = std::uint64_t{256} << 20;
constexpr std::uint64_t kCSourceSize = std::uint64_t{64} << 20;

void BM_XxdReference(benchmark::State& state) {
    runXxd(state, "-p", kHexTextSize);
}
void BM_ExportHexText(benchmark::State& state) {
    runExport(state, ExportFormat::HexText, kHexTextSize);
}
void BM_XxdIncludeReference(benchmark::State& state) {
    runXxd(state, "-i", kCSourceSize);
}
void BM_ExportCSource(benchmark::State& state) {
    runExport(state, ExportFormat::CSource, kCSourceSize);
}
BENCHMARK(BM_XxdReference)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ExportHexText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_XxdIncludeReference)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ExportCSource)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The child: opens `path` in place ("Max File Size" at its floor) and
// exports it as hex text to /dev/null; prints its peak resident memory in KiB.
int exportInChild(const std::string& path) {
    platform::Registry registry(benchFolder() + "/child-registry.sqlite");
    CSettings settings(registry);
    settings.open();
    settings.write(settings::general::MaxFileSize, 4194304);
    CEditData data(CEditDataServices{settings, nullptr, nullptr});
    if (!data.open(path, kGenericRead)) {
        return 2;
    }
    FileSink sink("/dev/null");
    if (!writeTextRange(data, 0, data.getDataSize(), 16, ExportFormat::HexText, "x", sink,
                        nullptr)) {
        return 3;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

// A sparse file: the size costs no disk.
std::string sparseFile(std::uint64_t size) {
    const std::string path = benchFolder() + "/sparse-" + std::to_string(size >> 20) + ".bin";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) {
        std::abort();
    }
    ::close(fd);
    return path;
}

long childPeakKiB(const std::string& self, const std::string& path) {
    const std::string command = "'" + self + "' --export-child '" + path + "'";
    FILE* child = popen(command.c_str(), "r");
    long kib = -1;
    if (child != nullptr && std::fscanf(child, "%ld", &kib) != 1) {
        kib = -1;
    }
    if (child != nullptr) {
        pclose(child);
    }
    return kib;
}

std::string selfPath;

void BM_ExportPeakMemory(benchmark::State& state) {
    long small = 0;
    long large = 0;
    for (auto _ : state) {
        small = childPeakKiB(selfPath, sparseFile(std::uint64_t{16} << 20));
        large = childPeakKiB(selfPath, sparseFile(std::uint64_t{1} << 30));
    }
    if (small < 0 || large < 0) {
        state.SkipWithError("the child failed");
        return;
    }
    state.counters["peak_16MiB_KiB"] = static_cast<double>(small);
    state.counters["peak_1GiB_KiB"] = static_cast<double>(large);
    state.counters["growth_KiB"] = static_cast<double>(large - small);
}
BENCHMARK(BM_ExportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--export-child") {
        return exportInChild(argv[2]);
    }
    selfPath = fs::canonical("/proc/self/exe").string();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
    return 0;
}
