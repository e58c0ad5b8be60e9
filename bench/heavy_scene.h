#pragma once

// The heavy scene the drawing benchmarks share: 27 layers, eight of them nearly canvas-sized,
// rotated, scaled and translucent, loaded into the texture store. Frame n shifts every layer
// a little, so each frame differs from the one before.

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "core/content/resource_table.h"
#include "core/records.h"
#include "core/text/sjis.h"
#include "core/timesheet/frame_record.h"
#include "media/render/texture_store.h"

namespace plk::bench {

struct HeavyScene {
    std::unique_ptr<ResourceTable> palette = std::make_unique<ResourceTable>();
    std::vector<FrameRecord> frames;
};

inline HeavyScene MakeHeavyScene() {
    HeavyScene scene;
    scene.palette->ClearAll();
    FrameRecord base = NewNormalFrame();
    for (int i = 0; i < 27; ++i) {
        const bool big = i % 3 == 0 && i / 3 < 8;
        const int w = big ? 800 : 256;
        const int h = big ? 600 : 256;
        QImage image(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                line[x] = qRgba((x + i * 40) & 255, (y * 3) & 255, (x ^ y) & 255,
                                (x / 8 + y / 8) % 5 == 0 ? 128 : 255);
            }
        }
        const std::string name = "layer" + std::to_string(i) + ".png";
        TextureStore::Instance().LoadFromImage(
            name, "", image.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0, 0);
        ResourceSlot& slot = scene.palette->slot[static_cast<std::size_t>(i + 1)];
        SetFieldText(slot.name, name);
        slot.kind = 1;
        slot.worldX = big ? (i % 5) * 10 - 20 : (i * 37) % 600 - 300;
        slot.worldY = big ? (i % 4) * 8 - 12 : (i * 53) % 400 - 200;
        CellRecord& cell = base.cells[i];
        cell.resource = i + 1;
        cell.rotation = big ? 5 + i * 13 : i * 29;
        cell.scaleX = big ? 90 + i : 120;
        cell.scaleY = big ? 95 : 80;
        cell.alpha = big ? 70 : 60;
    }
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
