#include "media/render/onion_layers.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "core/timesheet/onion_skin.h"
#include "media/render/onion_blend.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

// Layers kept: the seven frames in reach at the deepest setting (six neighbours and the
// frame on show), the frame that just left reach and the one about to enter it.
constexpr std::size_t kKeptLayers = 9;

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

// Makes the part of a layer that held cells transparent again, for the next frame's cells.
void ClearArea(QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::memset(reinterpret_cast<QRgb*>(image.scanLine(y)) + area.left(), 0,
                    static_cast<std::size_t>(area.width()) * sizeof(QRgb));
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
    // The layer that goes lends its image: only the part its cells covered needs clearing,
    // and no new canvas-sized buffer is touched page by page.
    QImage image;
    QRect stale;
    if (m_layers.size() >= kKeptLayers) {
        const auto oldest =
            std::min_element(m_layers.begin(), m_layers.end(),
                             [](const Layer& a, const Layer& b) { return a.lastUse < b.lastUse; });
        image = std::move(oldest->image);
        stale = oldest->bounds;
        m_layers.erase(oldest);
    }
    if (image.isNull()) {
        image = QImage(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    } else if (!stale.isEmpty()) {
        ClearArea(image, stale);
    }
    Layer layer;
    layer.key = std::move(key);
    layer.image = std::move(image);
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

void OnionLayers::DrawFrame(QImage& canvas, QColor background, const Scene& scene,
                            const ResourceTable& resources, const FrameRecord& frame,
                            std::span<const OnionFrame> neighbours, int depth) {
    // Taken first: the neighbours' layers that may be made below never push it out.
    const Layer& shown = LayerOf(scene, resources, frame);
    DrawUnderlay(background, scene, resources, neighbours, depth);
    // A plain copy: the canvas never shares its pixels with the underlay.
    std::memcpy(canvas.bits(), m_underlay.constBits(),
                static_cast<std::size_t>(canvas.sizeInBytes()));
    if (!shown.bounds.isEmpty()) {
        BlendOver(canvas, shown.image, shown.bounds);
    }
}

void OnionLayers::DrawUnderlay(QColor background, const Scene& scene,
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
    if (underlayKey == m_underlayKey && !m_underlay.isNull()) {
        return;
    }
    if (m_underlay.isNull()) {
        m_underlay = QImage(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32_Premultiplied);
    }
    m_underlay.fill(background);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (!layers[i]->bounds.isEmpty()) {
            BlendTinted(m_underlay, layers[i]->image, layers[i]->bounds,
                        OnionLookOf(neighbours[i].distance, depth));
        }
    }
    m_underlayKey = std::move(underlayKey);
}

void OnionLayers::Clear() {
    m_layers.clear();
    m_underlay = QImage();
    m_underlayKey.clear();
}

}  // namespace plk
