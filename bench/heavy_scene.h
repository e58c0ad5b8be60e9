#pragma once

// The heavy scene the drawing benchmarks share: 27 layers, eight of them nearly canvas-sized,
// rotated, scaled and translucent, loaded into the texture store. Frame n shifts every layer
// a little, so each frame differs from the one before.

#include <QImage>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/resource_table.h"
#include "core/records.h"
#include "core/text/sjis.h"
#include "core/timesheet/frame_record.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk::bench {

// One picture of a scene: its size, its palette slot's world position and its cell's
// rotation, scales and opacity.
struct Layer {
    int width, height, worldX, worldY, rotation, scaleX, scaleY, alpha;
};

// The heavy layers: every third of the first 24 is 800 x 600, the others 256 x 256.
inline std::vector<Layer> HeavyLayers() {
    std::vector<Layer> layers;
    for (int i = 0; i < 27; ++i) {
        if (i % 3 == 0 && i / 3 < 8) {
            layers.push_back(
                {800, 600, (i % 5) * 10 - 20, (i % 4) * 8 - 12, 5 + i * 13, 90 + i, 95, 70});
        } else {
            layers.push_back(
                {256, 256, (i * 37) % 600 - 300, (i * 53) % 400 - 200, i * 29, 120, 80, 60});
        }
    }
    return layers;
}

// A busy premultiplied picture (stripes, a pattern and translucent blocks), different for
// each seed.
inline QImage LayerPattern(int width, int height, int seed) {
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

// Loads layer i as the image "<prefix>i.png" into the texture store and palette slot i + 1,
// and returns a frame whose cell i shows it.
inline FrameRecord LoadLayers(ResourceTable& palette, const std::vector<Layer>& layers,
                              std::string_view prefix) {
    FrameRecord frame = NewNormalFrame();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const Layer& l = layers[i];
        const std::string name = std::string(prefix) + std::to_string(i) + ".png";
        TextureStore::Instance().LoadFromImage(
            name, "", LayerPattern(l.width, l.height, static_cast<int>(i)), 0, 0);
        ResourceSlot& slot = palette.slot[i + 1];
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
    }
    return frame;
}

// The renderer started for a benchmark, its sounds silenced.
inline Renderer& StartSilentRenderer() {
    Renderer& renderer = Renderer::Instance();
    renderer.Init();
    renderer.SetSoundPlayer([](std::string_view) {});
    return renderer;
}

struct HeavyScene {
    std::unique_ptr<ResourceTable> palette = std::make_unique<ResourceTable>();
    std::vector<FrameRecord> frames;
};

inline HeavyScene MakeHeavyScene() {
    HeavyScene scene;
    scene.palette->ClearAll();
    const FrameRecord base = LoadLayers(*scene.palette, HeavyLayers(), "layer");
    for (int n = 0; n < 64; ++n) {
        FrameRecord frame = base;
        for (int i = 0; i < 27; ++i) {
            frame.cells[i].x = static_cast<float>(n * 3);
        }
        scene.frames.push_back(frame);
    }
    return scene;
}

}  // namespace plk::bench
