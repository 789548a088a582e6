// The workspace: expanding a folder of 100,000 files in the real tree view
// until it is painted, beside `ls -f | wc -l` of the folder in the same run;
// and the resident memory of watching 1,000 expanded folders, beside a bare
// loop of 1,000 inotify_add_watch calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QApplication>
#include <QTreeView>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/DriveWatcher.h"
#include "app/WorkspaceModel.h"
#include "platform/TempFile.h"

namespace {

namespace fs = std::filesystem;

// A temporary folder holding `count` empty files (or folders), removed at the end.
struct Folder {
    std::string path;
    Folder(int count, bool folders) {
        path = platform::systemTempDirectory() + "/kestrane-bench-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) {
            std::abort();
        }
        for (int i = 0; i < count; ++i) {
            const std::string name = path + "/entry" + std::to_string(i);
            if (folders) {
                fs::create_directory(name);
            } else {
                ::close(::open(name.c_str(), O_CREAT | O_WRONLY, 0644));
            }
        }
    }
    ~Folder() { fs::remove_all(path); }
};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

void BM_ExpandFolder100k(benchmark::State& state) {
    const Folder folder(100000, false);
    for (auto _ : state) {
        WorkspaceModel model;
        model.tree().setRoots({DriveRoot{folder.path, DriveType::Fixed, 1, "0:1", "bench"}});
        QTreeView view;
        view.setUniformRowHeights(true);
        view.setHeaderHidden(true);
        view.setModel(&model);
        view.resize(240, 480);
        view.show();
        view.expand(model.indexOf(model.tree().roots()[0]));
        view.viewport()->repaint();
        benchmark::DoNotOptimize(model.rowCount(model.indexOf(model.tree().roots()[0])));
    }
}
BENCHMARK(BM_ExpandFolder100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LsReference(benchmark::State& state) {
    const Folder folder(100000, false);
    const std::string command = "ls -f '" + folder.path + "' | wc -l";
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        char line[64] = {};
        benchmark::DoNotOptimize(fgets(line, sizeof line, pipe));
        pclose(pipe);
    }
}
BENCHMARK(BM_LsReference)->Unit(benchmark::kMillisecond)->Iterations(5);

// The kernel's share of a watch lies outside the process: only what the
// process itself holds shows in VmRSS.
void BM_WatchMemory1000(benchmark::State& state) {
    const Folder folder(1000, true);
    for (auto _ : state) {
        const long before = residentKiB();
        DriveWatcher watcher([] {});
        watcher.start();
        for (int i = 0; i < 1000; ++i) {
            watcher.watch(folder.path + "/entry" + std::to_string(i));
        }
        state.counters["rss_growth_KiB"] = static_cast<double>(residentKiB() - before);
        state.counters["watches"] = static_cast<double>(watcher.watchCount());
    }
}
BENCHMARK(BM_WatchMemory1000)->Iterations(1);

void BM_WatchMemoryBaseline(benchmark::State& state) {
    const Folder folder(1000, true);
    for (auto _ : state) {
        const long before = residentKiB();
        const int fd = inotify_init1(IN_CLOEXEC);
        for (int i = 0; i < 1000; ++i) {
            const std::string name = folder.path + "/entry" + std::to_string(i);
            inotify_add_watch(fd, name.c_str(), IN_CREATE | IN_DELETE | IN_MOVE);
        }
        state.counters["rss_growth_KiB"] = static_cast<double>(residentKiB() - before);
        ::close(fd);
    }
}
BENCHMARK(BM_WatchMemoryBaseline)->Iterations(1);

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
