// Drawing one time-sheet frame on the canvas, against a memory-bandwidth bound measured in
// the same run: the destination pixels the frame touches (the clear plus every layer's
// on-canvas area) times 12 bytes (read source, read and write destination), divided by
// the memcpy bandwidth. The counter "x_bound" is the frame time over that bound.
#include <benchmark/benchmark.h>

#include <QPolygonF>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "core/text/sjis.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace {

using namespace plk;

double MemcpyBytesPerSecond() {
    static const double bandwidth = [] {
        std::vector<char> from(64 << 20, 1), to(64 << 20);
        double best = 0;
        for (int round = 0; round < 5; ++round) {
            auto start = std::chrono::steady_clock::now();
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::DoNotOptimize(to.data());
            double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            best = std::max(best, static_cast<double>(from.size()) / s);
        }
        return best;
    }();
    return bandwidth;
}

struct Layer {
    int width, height, worldX, worldY, rotation, scaleX, scaleY, alpha;
};

QImage Pattern(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = qRgba((x + seed * 40) & 255, (y * 3) & 255, (x ^ y) & 255,
                            (x / 8 + y / 8) % 5 == 0 ? 128 : 255);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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

void RunFrame(benchmark::State& state, const std::vector<Layer>& layers) {
    Renderer& renderer = Renderer::Instance();
    renderer.Init();
    renderer.SetSoundPlayer([](std::string_view) {});
    auto palette = std::make_unique<ResourceTable>();
    palette->ClearAll();
    FrameRecord frame = NewNormalFrame();
    double touched = 1024.0 * 768.0;  // the clear
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const Layer& l = layers[i];
        std::string name = "layer" + std::to_string(i) + ".png";
        TextureStore::Instance().LoadFromImage(name, "", Pattern(l.width, l.height, static_cast<int>(i)), 0, 0);
        ResourceSlot& slot = palette->slot[i + 1];
        SetFieldText(slot.name, name);
        slot.kind = 1;
        slot.worldX = l.worldX;
        slot.worldY = l.worldY;
        CellRecord& cell = frame.cells[i];
        cell.resource = static_cast<int>(i) + 1;
        cell.rotation = l.rotation;
        cell.scaleX = l.scaleX;
        cell.scaleY = l.scaleY;
        cell.alpha = l.alpha;
        touched += TouchedPixels(l);
    }
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        renderer.DrawCellFrame(*palette, frame, true);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perFrame = total / static_cast<double>(state.iterations());
    const double bound = touched * 12.0 / MemcpyBytesPerSecond();
    state.counters["ms_frame"] = perFrame * 1e3;
    state.counters["ms_bound"] = bound * 1e3;
    state.counters["x_bound"] = perFrame / bound;
    renderer.Shutdown();
}

void BM_HeavyFrame(benchmark::State& state) {
    std::vector<Layer> layers;
    for (int i = 0; i < 27; ++i) {
        if (i % 3 == 0 && layers.size() < 27 && i / 3 < 8) {
            layers.push_back({800, 600, (i % 5) * 10 - 20, (i % 4) * 8 - 12, 5 + i * 13, 90 + i, 95, 70});
        } else {
            layers.push_back({256, 256, (i * 37) % 600 - 300, (i * 53) % 400 - 200, i * 29, 120, 80, 60});
        }
    }
    RunFrame(state, layers);
}
BENCHMARK(BM_HeavyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

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
