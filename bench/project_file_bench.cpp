// Reading plus writing a maximal project (16 cuts of 2048 frames, about 38 MB), against the
// baseline of plainly copying the same bytes file to file. Both run in one process on the
// same folder; the ratio is reported by BM_ProjectReadWrite as "x_copy".
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/io/file_io.h"
#include "core/project/project_file.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
    fs::path dir;
    fs::path source;
    std::size_t bytes = 0;

    Fixture() {
        const char* folder = std::getenv("PLKCE_BENCH_DIR");
        dir =
            fs::path(folder ? folder : fs::temp_directory_path().string()) / "plkce-bench-project";
        fs::create_directories(dir);
        auto project = std::make_unique<plk::Project>(plk::NewProject());
        project->cuts.clear();
        for (int c = 0; c < plk::kMaxCuts; ++c) {
            std::vector<plk::FrameRecord> frames(2048, plk::NewNormalFrame());
            for (std::size_t f = 0; f < frames.size(); f += 3) {
                frames[f].cells[1].resource = static_cast<int>(f % 255) + 1;
            }
            project->cuts.emplace_back(std::move(frames), 27);
        }
        source = dir / "max.cre";
        plk::WriteProjectFile(source, *project);
        bytes = fs::file_size(source);
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The plain copy: one read of the whole file, one write, one fsync, like the save does.
void CopyFile(const fs::path& from, const fs::path& to) {
    std::vector<std::uint8_t> bytes = plk::ReadWholeFile(from);
    int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(put);
    }
    ::fsync(fd);
    ::close(fd);
}

double g_copySeconds = 0;

void BM_CopyFile(benchmark::State& state) {
    Fixture& f = Shared();
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CopyFile(f.source, f.dir / "copy.cre");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_copySeconds = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_ProjectReadWrite(benchmark::State& state) {
    Fixture& f = Shared();
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        plk::OpenedProject opened = plk::ReadProjectFile(f.source);
        plk::WriteProjectFile(f.dir / "saved.cre", opened.project);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
    if (g_copySeconds > 0) {
        state.counters["x_copy"] = total / static_cast<double>(state.iterations()) / g_copySeconds;
    }
}
BENCHMARK(BM_ProjectReadWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
