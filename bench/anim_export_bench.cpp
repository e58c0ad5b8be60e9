// Animated export against the usual tools, on the same PNG frames: the presents of a 10 s
// command playback with two messages, 1024 x 768, as `plkce-cli playback --frames` writes
// them (made once, in a temporary folder).
//
// GIF: our writer (identical presents merged, a libimagequant palette per changed
// rectangle) against ffmpeg's two-pass palette GIF (palettegen, then paletteuse), both
// reading the PNG frames. Counters: time_ratio (ours over ffmpeg's), size_ratio.
// WebP: our lossless writer against img2webp -lossless with each frame's own duration.
// Counter: time_ratio. The tools are skipped (and say so) when they are not installed.
//
// Onion skin: a still frame of the render benchmark's heavy scene with three neighbours on
// each side, against the frame alone; once stepping to a new frame each time (one layer
// comes into reach), once redrawing the same frame (as while a cell is edited). Counter:
// x_alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/text/sjis.h"
#include "core/timesheet/onion_skin.h"
#include "heavy_scene.h"
#include "media/anim/animation_assembler.h"
#include "media/anim/virtual_playback.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace {

using namespace plk;
using bench::HeavyScene;
using bench::MakeHeavyScene;
using bench::StartSilentRenderer;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Smooth shading with some grain: what a drawn character looks like to a palette.
QImage Character(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    unsigned noise = 12345u + static_cast<unsigned>(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = static_cast<int>((noise >> 16) & 7) - 3;
            const double dx = (x - width / 2.0) / width;
            const double dy = (y - height / 3.0) / height;
            const double r = std::sqrt(dx * dx + dy * dy);
            const int shade = static_cast<int>(255 * std::max(0.0, 1 - r * 1.6));
            const bool inside = r < 0.55;
            line[x] = qRgba(std::clamp(shade + seed * 20 + grain, 0, 255),
                            std::clamp(shade * 3 / 4 + grain, 0, 255),
                            std::clamp(200 - shade / 2 + grain, 0, 255), inside ? 255 : 0);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

FrameRecord Message(std::string_view utf8) {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(ControlCommand::Message);
    SetFieldText(block.message, ToSjis(utf8));
    return NewControlFrame(block);
}

struct Frames {
    fs::path dir;
    std::vector<fs::path> files;
    std::vector<std::int64_t> times;
    std::int64_t endMs = 0;
};

// Removes the frames and both tools' outputs when the program ends.
struct RemoveAtExit {
    fs::path dir;
    ~RemoveAtExit() {
        std::error_code error;
        fs::remove_all(dir, error);
    }
};

const Frames& PlaybackFrames() {
    static const Frames frames = [] {
        Frames made;
        made.dir = fs::temp_directory_path() / ("plkce_anim_bench_" + std::to_string(getpid()));
        fs::create_directories(made.dir);
        static const RemoveAtExit cleanup{made.dir};
        Renderer& renderer = StartSilentRenderer();
        auto palette = std::make_unique<ResourceTable>();
        palette->ClearAll();
        for (int i = 0; i < 3; ++i) {
            const std::string name = "character" + std::to_string(i) + ".png";
            TextureStore::Instance().LoadFromImage(name, "", Character(360, 560, i), 0, 0);
            ResourceSlot& slot = palette->slot[static_cast<std::size_t>(i + 1)];
            SetFieldText(slot.name, name);
            slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
            slot.worldX = (i - 1) * 120;
        }
        std::vector<FrameRecord> rows;
        const auto animate = [&](int count) {
            for (int n = 0; n < count; ++n) {
                FrameRecord frame = NewNormalFrame();
                for (int k = 0; k < 3; ++k) {
                    CellRecord& cell = frame.cells[k];
                    cell.resource = k + 1;
                    cell.x = static_cast<float>(std::lround(20 * std::sin(n * 0.2 + k)));
                    cell.rotation = (n * (k + 1)) % 8;
                }
                rows.push_back(frame);
            }
        };
        animate(40);
        rows.push_back(
            Message("いらっしゃい。今日はお手柔らかにお願いしますね。"
                    "負けても泣かないでくださいよ？"));
        animate(40);
        rows.push_back(Message("ロン！　満貫です。ふふ、油断しましたね。"));
        animate(120);
        const Cut cut(std::move(rows), 6);
        VirtualPlaybackOptions options;
        options.command = true;
        options.clicks = {3500, 7000};
        options.until = 10000;
        const RunResult run =
            PlayCutOnVirtualTime(cut, *palette, options, [&](std::int64_t ms, const PresentInfo&) {
                char name[16];
                std::snprintf(name, sizeof name, "%06zu.png", made.files.size() + 1);
                made.files.push_back(made.dir / name);
                made.times.push_back(ms);
                renderer.Canvas()
                    .convertToFormat(QImage::Format_ARGB32)
                    .save(QString::fromStdString(made.files.back().string()), "PNG");
            });
        made.endMs = run.endMs;
        renderer.Shutdown();
        return made;
    }();
    return frames;
}

bool HasTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

double EncodeOurs(const Frames& frames, bool gif, const fs::path& out) {
    const auto start = Clock::now();
    std::unique_ptr<AnimationWriter> writer =
        gif ? MakeGifWriter(out, QSize(1024, 768)) : MakeWebpWriter(out, QSize(1024, 768), {});
    AnimationAssembler assembler(writer.get());
    for (std::size_t i = 0; i < frames.files.size(); ++i) {
        QImage picture(QString::fromStdString(frames.files[i].string()));
        assembler.Present(frames.times[i], picture.convertToFormat(QImage::Format_ARGB32));
    }
    assembler.Finish(frames.endMs);
    return Seconds(start);
}

double RunTool(const std::string& command) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        return -1;
    }
    return Seconds(start);
}

void BM_GifAgainstFfmpeg(benchmark::State& state) {
    const Frames& frames = PlaybackFrames();
    if (!HasTool("ffmpeg")) {
        state.SkipWithError("ffmpeg is not installed");
        return;
    }
    const fs::path ours = frames.dir / "ours.gif";
    const fs::path theirs = frames.dir / "ffmpeg.gif";
    const std::string pattern = (frames.dir / "%06d.png").string();
    // The frames as a 60 Hz sequence: the pass rate of command playback.
    const std::string input = "ffmpeg -v error -y -framerate 60 -i '" + pattern + "' ";
    const std::string twoPass = input + "-vf palettegen '" + (frames.dir / "palette.png").string() +
                                "' && " + input + "-i '" + (frames.dir / "palette.png").string() +
                                "' -lavfi paletteuse '" + theirs.string() + "'";
    double timeRatio = 0;
    for (auto _ : state) {
        const double oursSeconds = EncodeOurs(frames, true, ours);
        const double theirSeconds = RunTool(twoPass);
        timeRatio = oursSeconds / theirSeconds;
        state.SetIterationTime(oursSeconds);
        state.counters["ours_s"] = oursSeconds;
        state.counters["ffmpeg_s"] = theirSeconds;
    }
    state.counters["time_ratio"] = timeRatio;
    state.counters["size_ratio"] =
        static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs));
    state.counters["presents"] = static_cast<double>(frames.files.size());
}
BENCHMARK(BM_GifAgainstFfmpeg)
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                            return *std::min_element(v.begin(), v.end());
                        })
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });

void BM_WebpAgainstImg2webp(benchmark::State& state) {
    const Frames& frames = PlaybackFrames();
    if (!HasTool("img2webp")) {
        state.SkipWithError("img2webp is not installed");
        return;
    }
    const fs::path ours = frames.dir / "ours.webp";
    std::string command = "img2webp -lossless -loop 0";
    for (std::size_t i = 0; i < frames.files.size(); ++i) {
        const std::int64_t end = i + 1 < frames.files.size() ? frames.times[i + 1] : frames.endMs;
        command += " -d " + std::to_string(std::max<std::int64_t>(1, end - frames.times[i])) +
                   " '" + frames.files[i].string() + "'";
    }
    command += " -o '" + (frames.dir / "img2webp.webp").string() + "' >/dev/null 2>&1";
    for (auto _ : state) {
        const double oursSeconds = EncodeOurs(frames, false, ours);
        const double theirSeconds = RunTool(command);
        state.SetIterationTime(oursSeconds);
        state.counters["ours_s"] = oursSeconds;
        state.counters["img2webp_s"] = theirSeconds;
        state.counters["time_ratio"] = oursSeconds / theirSeconds;
    }
    state.counters["size_ratio"] = static_cast<double>(fs::file_size(ours)) /
                                   static_cast<double>(fs::file_size(frames.dir / "img2webp.webp"));
}
BENCHMARK(BM_WebpAgainstImg2webp)
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                            return *std::min_element(v.begin(), v.end());
                        })
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });

// Milliseconds per still frame.
double RunStill(benchmark::State& state, int depth, bool stepping) {
    Renderer& renderer = StartSilentRenderer();
    HeavyScene scene = MakeHeavyScene();
    const Cut cut(scene.frames, kMaxParts + 1);
    const CutView view(cut);
    auto palette = std::shared_ptr<const ResourceTable>(scene.palette.get(), [](auto*) {});
    renderer.Settings().onionSkin = depth > 0;
    renderer.Settings().onionDepth = std::max(1, depth);
    int frame = 4;
    renderer.DrawStillFrame(palette, view, frame);  // the layers of the first frame
    const auto start = Clock::now();
    for (auto _ : state) {
        if (stepping) {
            frame = frame >= 60 ? 4 : frame + 1;
        }
        renderer.DrawStillFrame(palette, view, frame);
    }
    const double ms = Seconds(start) * 1e3 / static_cast<double>(state.iterations());
    renderer.Shutdown();
    return ms;
}

double g_aloneMs = 0;

void BM_StillAlone(benchmark::State& state) {
    g_aloneMs = RunStill(state, 0, true);
    state.counters["ms_frame"] = g_aloneMs;
}
BENCHMARK(BM_StillAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void OnionCase(benchmark::State& state, bool stepping) {
    const double ms = RunStill(state, 3, stepping);
    state.counters["ms_frame"] = ms;
    if (g_aloneMs > 0) {
        state.counters["x_alone"] = ms / g_aloneMs;
    }
}
void BM_StillOnion3Stepping(benchmark::State& state) {
    OnionCase(state, true);
}
void BM_StillOnion3SameFrame(benchmark::State& state) {
    OnionCase(state, false);
}
BENCHMARK(BM_StillOnion3Stepping)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_StillOnion3SameFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
