#include "media/render/onion_layers.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "core/timesheet/onion_skin.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

// Layers kept: the six neighbours at the deepest setting, the frame that just left reach
// and the one about to enter it.
constexpr std::size_t kKeptLayers = 8;

template <typename T>
void AppendBytes(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything a layer's pixels depend on: the cells, the slots they name, and the stored
// images (through the store's generation).
std::string LayerKey(const ResourceTable& resources, const FrameRecord& frame) {
    std::string key;
    AppendBytes(key, TextureStore::Generation());
    for (int k = 0; k < kPartCopySlot; ++k) {
        const CellRecord& cell = frame.cells[k];
        AppendBytes(key, cell);
        if (cell.resource >= 0 && cell.resource < kResourceSlots) {
            AppendBytes(key, resources.slot[static_cast<std::size_t>(cell.resource)]);
        }
    }
    return key;
}

QRect OpaqueBounds(const QImage& image) {
    int left = image.width();
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width() && qAlpha(line[x]) == 0) {
            ++x;
        }
        if (x == image.width()) {
            continue;
        }
        int r = image.width() - 1;
        while (qAlpha(line[r]) == 0) {
            --r;
        }
        left = std::min(left, x);
        right = std::max(right, r);
        bottom = y;
        if (top < 0) {
            top = y;
        }
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

inline std::uint32_t Div255(std::uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// Source-over of `layer` within `bounds` onto `canvas`, each pixel first pulled toward the
// look's colour, then faded by its opacity. Both images are premultiplied.
void BlendTinted(QImage& canvas, const QImage& layer, const QRect& bounds, const OnionLook& look) {
    const std::uint32_t tint = static_cast<std::uint32_t>(look.tintPercent) * 256 / 100;
    const std::uint32_t opacity = static_cast<std::uint32_t>(look.opacityPercent) * 256 / 100;
    const std::uint32_t tr = look.red;
    const std::uint32_t tg = look.green;
    const std::uint32_t tb = look.blue;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QRgb s = src[x];
            const std::uint32_t a = qAlpha(s);
            if (a == 0) {
                continue;
            }
            const auto pull = [&](std::uint32_t channel, std::uint32_t target) {
                const std::uint32_t goal = Div255(target * a);
                const std::uint32_t mixed = (channel * (256 - tint) + goal * tint) >> 8;
                return (mixed * opacity) >> 8;
            };
            const std::uint32_t r = pull(qRed(s), tr);
            const std::uint32_t g = pull(qGreen(s), tg);
            const std::uint32_t b = pull(qBlue(s), tb);
            const std::uint32_t sa = (a * opacity) >> 8;
            const std::uint32_t keep = 255 - sa;
            const QRgb d = dst[x];
            dst[x] = qRgba(static_cast<int>(r + Div255(qRed(d) * keep)),
                           static_cast<int>(g + Div255(qGreen(d) * keep)),
                           static_cast<int>(b + Div255(qBlue(d) * keep)),
                           static_cast<int>(sa + Div255(qAlpha(d) * keep)));
        }
    }
}

}  // namespace

const OnionLayers::Layer& OnionLayers::LayerOf(const Scene& scene, const ResourceTable& resources,
                                               const FrameRecord& frame) {
    std::string key = LayerKey(resources, frame);
    auto found = std::find_if(m_layers.begin(), m_layers.end(),
                              [&](const Layer& layer) { return layer.key == key; });
    if (found != m_layers.end()) {
        found->lastUse = ++m_uses;
        return *found;
    }
    if (m_layers.size() >= kKeptLayers) {
        m_layers.erase(
            std::min_element(m_layers.begin(), m_layers.end(),
                             [](const Layer& a, const Layer& b) { return a.lastUse < b.lastUse; }));
    }
    Layer layer;
    layer.key = std::move(key);
    layer.image = QImage(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32_Premultiplied);
    layer.image.fill(Qt::transparent);
    {
        QPainter painter(&layer.image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        scene.DrawCellLayers(painter, resources, frame, [](std::string_view) {});
    }
    layer.bounds = OpaqueBounds(layer.image);
    layer.lastUse = ++m_uses;
    m_layers.push_back(std::move(layer));
    return m_layers.back();
}

void OnionLayers::DrawUnderlay(QImage& canvas, QColor background, const Scene& scene,
                               const ResourceTable& resources,
                               std::span<const OnionFrame> neighbours, int depth) {
    std::vector<const Layer*> layers;
    std::string underlayKey;
    AppendBytes(underlayKey, background.rgba());
    AppendBytes(underlayKey, depth);
    for (const OnionFrame& neighbour : neighbours) {
        const Layer& layer = LayerOf(scene, resources, neighbour.frame);
        layers.push_back(&layer);
        AppendBytes(underlayKey, neighbour.distance);
        underlayKey += layer.key;
    }
    if (underlayKey != m_underlayKey || m_underlay.isNull()) {
        m_underlay = QImage(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32_Premultiplied);
        m_underlay.fill(background);
        for (std::size_t i = 0; i < layers.size(); ++i) {
            if (!layers[i]->bounds.isEmpty()) {
                BlendTinted(m_underlay, layers[i]->image, layers[i]->bounds,
                            OnionLookOf(neighbours[i].distance, depth));
            }
        }
        m_underlayKey = std::move(underlayKey);
    }
    // A plain copy: the canvas never shares its pixels with the underlay.
    std::memcpy(canvas.bits(), m_underlay.constBits(),
                static_cast<std::size_t>(canvas.sizeInBytes()));
}

void OnionLayers::Clear() {
    m_layers.clear();
    m_underlay = QImage();
    m_underlayKey.clear();
}

}  // namespace plk
