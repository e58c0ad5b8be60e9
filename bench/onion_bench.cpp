// Onion skin against the frame alone, on the render benchmark's heavy scene (27 layers,
// eight of them nearly canvas-sized, rotated, scaled and translucent; frame n shifts every
// layer a little), three neighbours on each side:
//   stepping   a new frame each time, as `.` or Right in the preview (one frame comes into
//              reach; the others were drawn for the frame before);
//   same frame the frame on show drawn again, as while a cell of it is edited.
// The three cases run interleaved, round after round, so a loaded machine weighs on each
// alike; each round's ratio is its case's time per frame over the frame alone's in that
// round. Counters: min, median and max of the ratios over the rounds (x_step_*, x_same_*),
// the same from the process's CPU time (cpu_x_*), and the frame alone's median milliseconds.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/text/sjis.h"
#include "core/timesheet/onion_skin.h"
#include "heavy_scene.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace {

using namespace plk;
using bench::HeavyScene;
using bench::MakeHeavyScene;
using bench::StartSilentRenderer;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;
constexpr int kFramesPerRound = 24;

// CPU time of the whole process (Qt's blending helpers included), which other programs on
// a loaded machine disturb far less than the wall clock.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Times {
    double wallMs;
    double cpuMs;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_OnionAgainstFrameAlone(benchmark::State& state) {
    Renderer& renderer = StartSilentRenderer();
    HeavyScene scene = MakeHeavyScene();
    const Cut cut(scene.frames, kMaxParts + 1);
    const CutView view(cut);
    auto palette = std::shared_ptr<const ResourceTable>(scene.palette.get(), [](auto*) {});

    int frame = 4;
    // Milliseconds per still frame; `stepping` moves one frame on before each draw.
    const auto run = [&](int depth, bool stepping) {
        renderer.Settings().onionSkin = depth > 0;
        renderer.Settings().onionDepth = std::max(1, depth);
        renderer.DrawStillFrame(palette, view, frame);  // what was on show before
        const auto start = Clock::now();
        const double cpuStart = ProcessCpuMs();
        for (int i = 0; i < kFramesPerRound; ++i) {
            if (stepping) {
                frame = frame >= 60 ? 4 : frame + 1;
            }
            renderer.DrawStillFrame(palette, view, frame);
        }
        return Times{std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                         kFramesPerRound,
                     (ProcessCpuMs() - cpuStart) / kFramesPerRound};
    };

    std::vector<double> alone, stepping, same, steppingCpu, sameCpu;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const Times base = run(0, true);
            const Times step = run(3, true);
            const Times redraw = run(3, false);
            alone.push_back(base.wallMs);
            stepping.push_back(step.wallMs / base.wallMs);
            same.push_back(redraw.wallMs / base.wallMs);
            steppingCpu.push_back(step.cpuMs / base.cpuMs);
            sameCpu.push_back(redraw.cpuMs / base.cpuMs);
        }
    }
    renderer.Shutdown();
    state.counters["ms_alone"] = Median(alone);
    const std::pair<const char*, std::vector<double>*> series[] = {{"x_step", &stepping},
                                                                   {"x_same", &same},
                                                                   {"cpu_x_step", &steppingCpu},
                                                                   {"cpu_x_same", &sameCpu}};
    for (const auto& [name, ratios] : series) {
        state.counters[std::string(name) + "_min"] =
            *std::min_element(ratios->begin(), ratios->end());
        state.counters[std::string(name) + "_med"] = Median(*ratios);
        state.counters[std::string(name) + "_max"] =
            *std::max_element(ratios->begin(), ratios->end());
    }
}
BENCHMARK(BM_OnionAgainstFrameAlone)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
