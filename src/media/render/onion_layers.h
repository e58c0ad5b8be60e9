#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <list>
#include <span>
#include <string>

#include "core/content/resource_table.h"
#include "core/timesheet/frame_record.h"
#include "media/render/scene.h"

namespace plk {

// A neighbouring frame to draw beneath the one on show: `distance` normal frames before
// (negative) or after it.
struct OnionFrame {
    FrameRecord frame;
    int distance = 0;
};

// Draws a still frame over its onion skin: the background with every neighbour laid on it
// tinted and faint, then the frame itself. Each frame in reach (the neighbours and the one
// on show) is drawn once into a layer of its own and kept while its cells, its palette slots
// and the stored images stay the same, so a step to the next frame draws only the frame that
// comes into reach: the frame that was on show and its other neighbours are layers already.
// The finished underlay is kept too, so redrawing the same frame (while its cells are
// edited) costs one copy and the frame's own layer.
class OnionLayers {
public:
    // Fills `canvas` with `background` and the neighbours (farthest first), `depth` being
    // the number on each side that the looks fade over, then lays `frame` on them. Sound
    // cells are not played.
    void DrawFrame(QImage& canvas, QColor background, const Scene& scene,
                   const ResourceTable& resources, const FrameRecord& frame,
                   std::span<const OnionFrame> neighbours, int depth);
    void Clear();

private:
    struct Layer {
        std::string key;
        QImage image;  // premultiplied, canvas-sized; transparent where no cell is
        QRect bounds;  // the part that is not transparent
        std::uint64_t lastUse = 0;
    };
    const Layer& LayerOf(const Scene& scene, const ResourceTable& resources,
                         const FrameRecord& frame);
    void DrawUnderlay(QColor background, const Scene& scene, const ResourceTable& resources,
                      std::span<const OnionFrame> neighbours, int depth);

    std::list<Layer> m_layers;  // a list: layers in use stay put while others go
    std::uint64_t m_uses = 0;
    std::string m_underlayKey;
    QImage m_underlay;
};

}  // namespace plk
