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

// Draws the onion skin of a still frame: the background with every neighbour laid on it
// tinted and faint. Each neighbour's cells are drawn once into a layer of their own and
// kept while its cells, its palette slots and the stored images stay the same, so stepping
// through a cut draws only the frame that comes into reach; the finished underlay is kept
// too, so redrawing the same frame (while its cells are edited) costs one copy.
class OnionLayers {
public:
    // Fills `canvas` with `background` and the neighbours (farthest first), `depth` being
    // the number on each side that the looks fade over.
    void DrawUnderlay(QImage& canvas, QColor background, const Scene& scene,
                      const ResourceTable& resources, std::span<const OnionFrame> neighbours,
                      int depth);
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

    std::list<Layer> m_layers;  // a list: layers in use stay put while others go
    std::uint64_t m_uses = 0;
    std::string m_underlayKey;
    QImage m_underlay;
};

}  // namespace plk
