// Drawing one time-sheet frame on the canvas (in as many bands as the machine has cores), against a
// memory-bandwidth bound measured in the same run: the destination pixels the frame touches (the
// clear plus every layer's on-canvas area) times 12 bytes (read source, read and write
// destination), divided by the memcpy bandwidth. The counter "x_bound" is the frame time over that
// bound.
#include <benchmark/benchmark.h>

#include <QPolygonF>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "core/text/sjis.h"
#include "heavy_scene.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace {

using namespace plk;
using bench::HeavyLayers;
using bench::Layer;
using bench::StartSilentRenderer;

double MemcpyBytesPerSecond() {
    static const double bandwidth = [] {
        std::vector<char> from(64 << 20, 1), to(64 << 20);
        double best = 0;
        for (int round = 0; round < 5; ++round) {
            auto start = std::chrono::steady_clock::now();
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::DoNotOptimize(to.data());
            double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            best = std::max(best, static_cast<double>(from.size()) / s);
        }
        return best;
    }();
    return bandwidth;
}

double CpuMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}
double ProcessCpuMs() {
    return CpuMs(CLOCK_PROCESS_CPUTIME_ID);
}
double ThreadCpuMs() {
    return CpuMs(CLOCK_THREAD_CPUTIME_ID);
}

// On-canvas area of a layer's quad, from the same corner math the drawer uses.
double TouchedPixels(const Layer& l) {
    const double rad = l.rotation * 0.017453292;
    const double cx = 512 + l.worldX, cy = 384 + l.worldY;
    QPolygonF quad;
    for (auto [px, py] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        double dx = px * l.width / 2.0 * l.scaleX / 100.0;
        double dy = py * l.height / 2.0 * l.scaleY / 100.0;
        quad << QPointF(cx + dx * std::cos(rad) - dy * std::sin(rad),
                        cy + dx * std::sin(rad) + dy * std::cos(rad));
    }
    QPolygonF clipped = quad.intersected(QPolygonF(QRectF(0, 0, 1024, 768)));
    double area = 0;
    for (int i = 0; i + 1 < clipped.size(); ++i) {
        area += clipped[i].x() * clipped[i + 1].y() - clipped[i + 1].x() * clipped[i].y();
    }
    return std::abs(area) / 2;
}

// The layers as palette slots 1.. and the cells of one frame.
struct LoadedFrame {
    std::unique_ptr<ResourceTable> palette;
    FrameRecord frame;
    double touched = 1024.0 * 768.0;  // the clear
};

LoadedFrame LoadFrame(const std::vector<Layer>& layers) {
    LoadedFrame loaded{std::make_unique<ResourceTable>(), NewNormalFrame()};
    loaded.palette->ClearAll();
    loaded.frame = bench::LoadLayers(*loaded.palette, layers, "layer");
    for (const Layer& l : layers) {
        loaded.touched += TouchedPixels(l);
    }
    return loaded;
}

void RunFrame(benchmark::State& state, const std::vector<Layer>& layers) {
    Renderer& renderer = StartSilentRenderer();
    const LoadedFrame loaded = LoadFrame(layers);
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        renderer.DrawCellFrame(*loaded.palette, loaded.frame, true);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perFrame = total / static_cast<double>(state.iterations());
    const double bound = loaded.touched * 12.0 / MemcpyBytesPerSecond();
    state.counters["ms_frame"] = perFrame * 1e3;
    state.counters["ms_bound"] = bound * 1e3;
    state.counters["x_bound"] = perFrame / bound;
    state.counters["bands"] = renderer.Bands();
    renderer.Shutdown();
}

void BM_HeavyFrame(benchmark::State& state) {
    RunFrame(state, HeavyLayers());
}
BENCHMARK(BM_HeavyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
// A fixed number of frames, for counting the work with `perf stat` (instructions do not
// depend on the load): run it with PLKCE_RENDER_BANDS=1 and =2 and subtract a run of
// --benchmark_filter=BM_Setup, which loads the same frame and draws nothing.
BENCHMARK(BM_HeavyFrame)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Setup(benchmark::State& state) {
    Renderer& renderer = Renderer::Instance();
    renderer.Init();
    const LoadedFrame loaded = LoadFrame(HeavyLayers());
    for (auto _ : state) {
        benchmark::DoNotOptimize(MemcpyBytesPerSecond());
    }
    renderer.Shutdown();
}
BENCHMARK(BM_Setup)->Iterations(1);

// The heavy frame in two bands against one band, side by side in one run: rounds of
// kFrames frames each way, the order alternating from round to round. Baseline: the
// one-band time of the same round. Counters: ratio_min / ratio_median / ratio_max (two
// bands over one), ms_one and ms_two (median frame times), identical (1 when the two
// pictures match pixel for pixel), cpu_one and cpu_two (median process CPU time a frame, every
// thread counted, Qt's own pool included), cpu_two_critical (the larger of the two bands' CPU
// times a frame: what two bands take on two idle cores), spread_ms (the mean time between the
// two band threads finishing, over the frames both drew in), joined (the share of two-band
// frames the second thread drew in at all), load (the one-minute load average at the end).
// Other work on the machine shows in the ratios: the second band's thread waits for a core.
void BM_HeavyFrameTwoBands(benchmark::State& state) {
    constexpr int kRounds = 7;
    constexpr int kFrames = 20;
    Renderer& renderer = StartSilentRenderer();
    const LoadedFrame loaded = LoadFrame(HeavyLayers());
    struct Timing {
        double wall = 0;  // ms a frame
        double cpu = 0;   // ms of process CPU time a frame, on every thread (Qt's included)
        double own = 0;   // ms of this thread's CPU time a frame
    };
    double spread = 0;
    int spreadFrames = 0;
    int bandedFrames = 0;
    auto timeFrames = [&](int bands) {
        renderer.SetBands(bands);
        renderer.DrawCellFrame(*loaded.palette, loaded.frame, true);  // pool started, warm
        const double cpuStart = ProcessCpuMs();
        const double ownStart = ThreadCpuMs();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i) {
            renderer.DrawCellFrame(*loaded.palette, loaded.frame, true);
            if (bands > 1) {
                const BandReport report = renderer.LastBandReport();
                ++bandedFrames;
                if (report.threads > 1) {
                    spread += report.finishSpreadMs;
                    ++spreadFrames;
                }
            }
        }
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        return Timing{wall / kFrames, (ProcessCpuMs() - cpuStart) / kFrames,
                      (ThreadCpuMs() - ownStart) / kFrames};
    };
    std::vector<double> ratios, one, two, cpuOne, cpuTwo, critical;
    bool identical = true;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            Timing single;
            Timing banded;
            if (round % 2 == 0) {
                single = timeFrames(1);
                banded = timeFrames(2);
            } else {
                banded = timeFrames(2);
                single = timeFrames(1);
            }
            one.push_back(single.wall);
            two.push_back(banded.wall);
            cpuOne.push_back(single.cpu);
            cpuTwo.push_back(banded.cpu);
            // This thread draws band 0; the rest of the process's time is the other band's.
            critical.push_back(std::max(banded.own, banded.cpu - banded.own));
            ratios.push_back(banded.wall / single.wall);
        }
        renderer.SetBands(1);
        renderer.DrawCellFrame(*loaded.palette, loaded.frame, true);
        const QImage single = renderer.Canvas().copy();
        renderer.SetBands(2);
        renderer.DrawCellFrame(*loaded.palette, loaded.frame, true);
        identical = identical && renderer.Canvas() == single;
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.counters["ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["ratio_median"] = median(ratios);
    state.counters["ratio_max"] = *std::max_element(ratios.begin(), ratios.end());
    state.counters["ms_one"] = median(one);
    state.counters["ms_two"] = median(two);
    state.counters["cpu_one"] = median(cpuOne);
    state.counters["cpu_two"] = median(cpuTwo);
    state.counters["cpu_two_critical"] = median(critical);
    state.counters["identical"] = identical ? 1 : 0;
    state.counters["spread_ms"] = spreadFrames > 0 ? spread / spreadFrames : 0;
    state.counters["joined"] = static_cast<double>(spreadFrames) / std::max(bandedFrames, 1);
    double load[1] = {0};
    if (getloadavg(load, 1) == 1) {
        state.counters["load"] = load[0];
    }
    renderer.SetBands(0);
    renderer.Shutdown();
}
BENCHMARK(BM_HeavyFrameTwoBands)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TypicalFrame(benchmark::State& state) {
    const std::vector<Layer> layers = {
        {800, 600, 0, 0, 0, 100, 100, 100},     // background
        {400, 600, 0, 20, 0, 100, 100, 100},    // body
        {200, 200, 0, -180, 0, 100, 100, 100},  // face
        {64, 32, -20, -170, 0, 100, 100, 100},  // eyes
        {48, 24, 0, -140, 0, 100, 100, 80},     // mouth
        {300, 300, 150, 100, 0, 100, 100, 50},  // effect
    };
    RunFrame(state, layers);
}
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

}  // namespace
