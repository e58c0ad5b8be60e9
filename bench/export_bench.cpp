// Game export of 255 resources of 256 KiB each on two threads; baseline: the same export on
// one thread. Each iteration runs both; "ratio" is one-thread time over two-thread time.
// The resources are real PNG bytes (a few pictures cut into 256 KiB pieces), written once
// to a temporary folder.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "core/project/game_export.h"
#include "core/text/sjis.h"
#include "support/temp_folder.h"

namespace plk::bench {
namespace {

constexpr std::size_t kResourceSize = 256 * 1024;
constexpr int kResources = 255;

class ExportFixture {
public:
    ExportFixture() {
        Bytes png = PngFile();
        Bytes text = EnglishText();
        m_project = NewProject();
        for (int s = 1; s <= kResources; ++s) {
            // Mostly picture data, some text-like data (sound and record files) for variety.
            const Bytes& source = s % 8 == 0 ? text : png;
            Bytes content(kResourceSize);
            std::size_t start = (static_cast<std::size_t>(s) * 7919) % source.size();
            for (std::size_t i = 0; i < kResourceSize; ++i) {
                content[i] = source[(start + i) % source.size()];
            }
            std::string name = "r" + std::to_string(s) + ".png";
            std::filesystem::path path = m_folder / name;
            testing_support::WriteBytes(path, content);
            ResourceSlot& slot = m_project.palette.slot[static_cast<std::size_t>(s)];
            SetFieldText(slot.name, name);
            SetFieldText(slot.path, ToSjis(path.string()));
            slot.kind = 1;
        }
    }
    double Export(unsigned threads) {
        return Seconds([&] { ExportGame(m_project, m_folder / "out.ce8", {.threads = threads}); });
    }

private:
    testing_support::TempFolder m_folder;
    Project m_project;
};

void BM_Export_TwoThreads(benchmark::State& state) {
    ExportFixture fixture;
    double seconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        double t = fixture.Export(2);
        baselineSeconds += fixture.Export(1);
        seconds += t;
        state.SetIterationTime(t);
    }
    double megabytes = kResources * static_cast<double>(kResourceSize) *
                       static_cast<double>(state.iterations()) / 1e6;
    state.counters["MB/s"] = megabytes / seconds;
    state.counters["baseline_1_thread_MB/s"] = megabytes / baselineSeconds;
    state.counters["ratio"] = baselineSeconds / seconds;
}

BENCHMARK(BM_Export_TwoThreads)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace plk::bench
