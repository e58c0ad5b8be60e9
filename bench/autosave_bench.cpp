// The autosave's two costs for a character of 16 cuts of 2048 frames (every part used).
//
// BM_AutosaveGather: what the UI thread pays, FileCommands::GatherProjectInto() on a main
// frame holding the character, into the copy handed back by the previous write (as the
// autosave does). Baseline: one 60 Hz frame, 16 ms; "ratio" is gather_ms / 16.
// "first_gather_ms" is the first gather, into fresh memory.
//
// BM_AutosaveBackgroundWrite: what the worker does with the gathered copy (check sum, write
// the records to a temporary file, flush it to disk, rename it over the copy), handed over
// and waited for. Baseline: a plain write of the same project bytes to a file in the same
// folder, flushed to disk too (a copy that is not on the disk does not survive a power
// cut), timed in the same iterations in alternating order. "ratio" is background / plain;
// "plain_nosync_ms" is the plain write without the flush and "save_ms" the atomic write a
// save does (temporary file, flush, rename; no checksum), for reference.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/project/recovery_writer.h"
#include "editor/app/file_commands.h"
#include "editor/app/main_frame.h"

namespace plk::bench {
namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path TempFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plkce-autosave-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        return std::filesystem::path(pattern);
    }();
    return folder;
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "autosave_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Settings and recovery copies of this run stay in its own folder.
        ::setenv("XDG_CONFIG_HOME", TempFolder().c_str(), 1);
        ::setenv("XDG_STATE_HOME", TempFolder().c_str(), 1);
        return new QApplication(argc, argv);
    }();
    return *app;
}

Project LargeCharacter() {
    Project project = NewProject();
    FrameRecord frame = NewNormalFrame();
    for (int slot = 1; slot <= kMaxParts; ++slot) {
        frame.cells[slot].resource = slot;
    }
    project.cuts.clear();
    for (int i = 0; i < kMaxCuts; ++i) {
        project.cuts.emplace_back(std::vector<FrameRecord>(2048, frame), kMaxParts + 1);
    }
    return project;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_AutosaveGather(benchmark::State& state) {
    App();
    CMainFrame frame;
    frame.Commands().OpenRecovered(LargeCharacter(), QString());
    // The autosave gathers into the copy its writer handed back, so after the first
    // gather the records go into memory already in use.
    Project gathered;
    auto start = Clock::now();
    frame.Commands().GatherProjectInto(gathered);
    const double firstSeconds = Seconds(start);
    double total = 0;
    for (auto _ : state) {
        start = Clock::now();
        frame.Commands().GatherProjectInto(gathered);
        const double seconds = Seconds(start);
        benchmark::DoNotOptimize(gathered.cuts.data());
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double ms = total / static_cast<double>(state.iterations()) * 1e3;
    state.counters["gather_ms"] = ms;
    state.counters["first_gather_ms"] = firstSeconds * 1e3;
    state.counters["ratio"] = ms / 16.0;
}
BENCHMARK(BM_AutosaveGather)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

double PlainWrite(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes,
                  bool sync) {
    const auto start = Clock::now();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (sync) {
        ::fsync(fd);
    }
    ::close(fd);
    return Seconds(start);
}

void BM_AutosaveBackgroundWrite(benchmark::State& state) {
    const Project project = LargeCharacter();
    const std::vector<std::uint8_t> bytes = SerializeProject(project);
    const std::filesystem::path plain = TempFolder() / "plain.cre";
    RecoveryWriter writer(TempFolder() / "1-1.plkrec");
    RecoveryRecord record;
    record.originalPath = "/home/author/chara.cre";
    double background = 0, synced = 0, unsynced = 0, saved = 0;
    bool plainFirst = false;
    for (auto _ : state) {
        Project copy = project;  // what the gather handed over
        plainFirst = !plainFirst;
        if (plainFirst) {
            synced += PlainWrite(plain, bytes, true);
        }
        const auto start = Clock::now();
        writer.Submit(record, std::move(copy));
        writer.Flush();
        const double seconds = Seconds(start);
        background += seconds;
        if (!plainFirst) {
            synced += PlainWrite(plain, bytes, true);
        }
        unsynced += PlainWrite(plain, bytes, false);
        const auto saveStart = Clock::now();
        WriteWholeFile(TempFolder() / "saved.cre", bytes);
        saved += Seconds(saveStart);
        state.SetIterationTime(seconds);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bytes_mb"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["background_ms"] = background / n * 1e3;
    state.counters["plain_ms"] = synced / n * 1e3;
    state.counters["plain_nosync_ms"] = unsynced / n * 1e3;
    state.counters["save_ms"] = saved / n * 1e3;
    state.counters["ratio"] = background / synced;
}
BENCHMARK(BM_AutosaveBackgroundWrite)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace plk::bench
