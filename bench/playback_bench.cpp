// Playback on the real clock, and the typing of message text.
//
// Pacing: a simple playback of 600 frames at 30 and at 60 frames a second through the
// editor's playback worker, with the time of every present taken on the steady clock.
// Baseline: the speed table's period. Counters: mean_ratio (mean period over the table's),
// p99_off_ms (99th percentile of |period - table period|).
//
// Heavy pacing: the same with the heavy cut (27 rotated and scaled layers), against a thread
// that only waits for the same deadlines; see BM_HeavyPacing.
//
// Idle load: a command playback that has typed its message and waits for a click, for
// 10 s. Baseline: one core over the same wall time. Counter: cpu_ratio.
//
// Typing: one step of the message canvas (one glyph and the texture update), and a
// 511-byte text laid out at once. Baselines: the 1 ms and 10 ms targets. Counters:
// ratio_to_target.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/playback/playback_speed.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/timesheet/playback_worker.h"
#include "heavy_scene.h"
#include "media/render/message_canvas.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace {

using namespace plk;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

struct Ended {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
    void Signal() {
        std::lock_guard lock(mutex);
        done = true;
        cv.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex);
        cv.wait(lock, [this] { return done; });
    }
};

void BM_SimplePacing(benchmark::State& state) {
    const int position = static_cast<int>(state.range(0));
    const double period = SpeedPeriodMs(position);
    Renderer& renderer = bench::StartSilentRenderer();
    auto palette = std::make_shared<ResourceTable>();
    palette->ClearAll();
    std::vector<FrameRecord> frames(600, NewNormalFrame());
    const Cut cut(frames, 6);
    CutView view(cut);

    double meanRatio = 0;
    double p99 = 0;
    for (auto _ : state) {
        std::vector<Clock::time_point> presents;
        presents.reserve(700);
        renderer.SetPresentListener([&] { presents.push_back(Clock::now()); });
        Ended ended;
        PlaybackWorker worker(view, [palette] { return palette; },
                              {nullptr, [&ended] { ended.Signal(); }});
        worker.SetSpeedPosition(position);
        worker.Start(PlaybackWorker::Mode::Simple);
        ended.Wait();
        worker.Join();
        renderer.SetPresentListener({});

        std::vector<double> periods;
        for (std::size_t i = 1; i < presents.size(); ++i) {
            periods.push_back(
                std::chrono::duration<double, std::milli>(presents[i] - presents[i - 1]).count());
        }
        double sum = 0;
        std::vector<double> off;
        for (double p : periods) {
            sum += p;
            off.push_back(std::abs(p - period));
        }
        std::sort(off.begin(), off.end());
        meanRatio = sum / static_cast<double>(periods.size()) / period;
        p99 = off[static_cast<std::size_t>(0.99 * static_cast<double>(off.size() - 1))];
    }
    state.counters["mean_ratio"] = meanRatio;
    state.counters["p99_off_ms"] = p99;
    renderer.Shutdown();
}
BENCHMARK(BM_SimplePacing)
    ->Arg(11)
    ->Arg(12)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The heavy cut: the heavy scene's layers turning, stretching and moving from frame to
// frame, so that no two frames are alike.
Cut HeavyCut(ResourceTable& palette, int frames) {
    const FrameRecord base = bench::LoadLayers(palette, bench::HeavyLayers(), "heavy");
    std::vector<FrameRecord> records(static_cast<std::size_t>(frames), base);
    for (int i = 0; i < 27; ++i) {
        for (int f = 0; f < frames; ++f) {
            CellRecord& cell = records[static_cast<std::size_t>(f)].cells[i];
            cell.rotation += f * (i % 7 - 3);
            cell.scaleX += f % 11;
            cell.x = static_cast<float>(f % 40);
        }
    }
    return Cut(std::move(records), 27);
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// The heavy cut played by the editor's playback worker on the real clock, with a reference
// thread beside it that only sleeps until the same deadlines (start + k periods) in the
// same window. Baselines: the speed table's period (mean_ratio: mean period between
// presents over it) and the reference thread's lateness (p99_late_ms of the presents
// against p99_ref_ms of the reference; p99_over_ref_ms is the difference). cpu_ms_frame is the
// process CPU time a presented frame took (every thread, Qt's included) and load the one-minute
// load average at the end: a frame can keep the period only while the cores have that to spare.
void BM_HeavyPacing(benchmark::State& state) {
    const int position = static_cast<int>(state.range(0));
    const int frames = static_cast<int>(state.range(1));
    const double period = SpeedPeriodMs(position);
    Renderer& renderer = bench::StartSilentRenderer();
    auto palette = std::make_shared<ResourceTable>();
    palette->ClearAll();
    const Cut cut = HeavyCut(*palette, frames);
    CutView view(cut);

    for (auto _ : state) {
        std::vector<Clock::time_point> presents;
        presents.reserve(static_cast<std::size_t>(frames) + 8);
        renderer.SetPresentListener([&] { presents.push_back(Clock::now()); });
        Ended ended;
        PlaybackWorker worker(view, [palette] { return palette; },
                              {nullptr, [&ended] { ended.Signal(); }});
        worker.SetSpeedPosition(position);
        const double cpuStart = CpuSeconds();
        const Clock::time_point start = Clock::now();
        std::vector<double> reference;
        std::thread waiter([&] {
            for (int k = 1; k < frames; ++k) {
                const auto deadline =
                    start + std::chrono::microseconds(static_cast<std::int64_t>(k * period * 1000));
                std::this_thread::sleep_until(deadline);
                reference.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - deadline).count());
            }
        });
        worker.Start(PlaybackWorker::Mode::Simple);
        ended.Wait();
        worker.Join();
        waiter.join();
        const double cpu = CpuSeconds() - cpuStart;
        renderer.SetPresentListener({});

        std::vector<double> late;
        for (std::size_t k = 0; k < presents.size(); ++k) {
            const auto deadline =
                start + std::chrono::microseconds(static_cast<std::int64_t>(k * period * 1000));
            late.push_back(
                std::chrono::duration<double, std::milli>(presents[k] - deadline).count());
        }
        const double span =
            std::chrono::duration<double, std::milli>(presents.back() - presents.front()).count();
        state.counters["presents"] = static_cast<double>(presents.size());
        state.counters["mean_ratio"] = span / static_cast<double>(presents.size() - 1) / period;
        state.counters["p99_late_ms"] = Percentile(late, 0.99);
        state.counters["p99_ref_ms"] = Percentile(reference, 0.99);
        state.counters["p99_over_ref_ms"] =
            state.counters["p99_late_ms"] - state.counters["p99_ref_ms"];
        state.counters["bands"] = renderer.Bands();
        state.counters["cpu_ms_frame"] = cpu * 1e3 / static_cast<double>(presents.size());
        double load[1] = {0};
        if (getloadavg(load, 1) == 1) {
            state.counters["load"] = load[0];
        }
    }
    renderer.Shutdown();
}
BENCHMARK(BM_HeavyPacing)
    ->Args({12, 600})
    ->Args({11, 600})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_CommandIdleLoad(benchmark::State& state) {
    Renderer& renderer = Renderer::Instance();
    renderer.Init();
    auto palette = std::make_shared<ResourceTable>();
    palette->ClearAll();
    ControlBlock message{};
    message.command = static_cast<std::int32_t>(ControlCommand::Message);
    SetFieldText(message.message, ToSjis("クリックを待っています"));
    const Cut cut({NewNormalFrame(), NewControlFrame(message), NewNormalFrame()}, 6);
    CutView view(cut);

    double ratio = 0;
    for (auto _ : state) {
        PlaybackWorker worker(view, [palette] { return palette; }, {});
        worker.Start(PlaybackWorker::Mode::Command);
        std::this_thread::sleep_for(std::chrono::seconds(1));  // the text is typed
        const double cpu0 = CpuSeconds();
        const auto wall0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const double cpu = CpuSeconds() - cpu0;
        const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
        worker.RequestStop();
        worker.Join();
        ratio = cpu / wall;
    }
    state.counters["cpu_ratio"] = ratio;
    renderer.Shutdown();
}
BENCHMARK(BM_CommandIdleLoad)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Wall time of one iteration over the target's; a plain number, so the report shows no
// unit a rate counter would add.
double RatioToTarget(Clock::duration elapsed, benchmark::IterationCount iterations,
                     Clock::duration target) {
    const double perIteration =
        std::chrono::duration<double>(elapsed).count() / static_cast<double>(iterations);
    return perIteration / std::chrono::duration<double>(target).count();
}

void BM_TypingStep(benchmark::State& state) {
    TextureStore::Instance().CreateBlank("MESSAGETEXTURE", 800, 96, 0, 0);
    MessageCanvas canvas;
    canvas.InitCanvas();
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "あいうえおかきくけこ";
    }
    const std::string sjis = ToSjis(text).substr(0, 254);
    const auto start = Clock::now();
    for (auto _ : state) {
        if (canvas.LayoutMessage(sjis, 0, false)) {
            canvas.ClearCanvas();
        }
    }
    state.counters["ratio_to_target"] =
        RatioToTarget(Clock::now() - start, state.iterations(), std::chrono::milliseconds(1));
    TextureStore::Destroy();
}
BENCHMARK(BM_TypingStep)->Unit(benchmark::kMicrosecond);

void BM_LayOutAtOnce(benchmark::State& state) {
    TextureStore::Instance().CreateBlank("MESSAGETEXTURE", 800, 96, 0, 0);
    MessageCanvas canvas;
    canvas.InitCanvas();
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += "今日はいい天気ですね、abc!";
    }
    const std::string sjis = ToSjis(text).substr(0, 511);
    const auto start = Clock::now();
    for (auto _ : state) {
        canvas.ClearCanvas();
        canvas.LayoutMessage(sjis, 0, true);
    }
    state.counters["bytes"] = static_cast<double>(sjis.size());
    state.counters["ratio_to_target"] =
        RatioToTarget(Clock::now() - start, state.iterations(), std::chrono::milliseconds(10));
    TextureStore::Destroy();
}
BENCHMARK(BM_LayOutAtOnce)->Unit(benchmark::kMicrosecond);

}  // namespace
