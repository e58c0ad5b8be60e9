#include "media/render/scene.h"

#include <QPen>
#include <cmath>
#include <vector>

namespace plk {
namespace {

const QColor kGuideWhite(0xFF, 0xFF, 0xFF);
const QColor kResourceCrossbar(0xFF, 0xFF, 0x80);

// Lines are one pixel wide and not anti-aliased: a line at x covers pixel column x.
void DrawLines(QPainter& painter, const QColor& colour, const std::vector<QLineF>& lines) {
    painter.save();
    painter.resetTransform();
    painter.setOpacity(1.0);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour);
    pen.setWidth(0);  // cosmetic one-pixel pen
    painter.setPen(pen);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    painter.restore();
}

QRect EdgeRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

}  // namespace

void Scene::DrawImageCentered(QPainter& painter, std::string_view name,
                              std::optional<QPoint> offset, int alphaPercent) const {
    if (name.empty()) {
        return;
    }
    const TextureEntry* image = m_store.Bind(name);
    if (image == nullptr) {
        return;
    }
    const int hw = static_cast<int>(image->width / 2);
    const int hh = static_cast<int>(image->height / 2);
    const QPoint at = offset.value_or(QPoint(0, 0));
    const QRect destination = EdgeRect(at.x() - hw + kViewCentreX, at.y() - hh + kViewCentreY,
                                       at.x() + hw + kViewCentreX, at.y() + hh + kViewCentreY);
    const QRect source(0, 0, static_cast<int>(image->width), static_cast<int>(image->height));
    m_drawer.DrawSprite(painter, *image, source, destination, alphaPercent, 0, m_settings.zoom);

    if (m_settings.GuideOn(Guide::ResourceCrossbar)) {
        const double cx = (destination.x() + (destination.x() + destination.width())) * 0.5;
        const double cy = (destination.y() + (destination.y() + destination.height())) * 0.5;
        DrawLines(painter, kResourceCrossbar,
                  {QLineF(cx, 0, cx, kCanvasHeight - 1), QLineF(0, cy, kCanvasWidth - 1, cy)});
    }
}

void Scene::DrawCell(QPainter& painter, const ResourceSlot& slot, const CellRecord& cell) const {
    std::vector<SpriteDraw> draws;
    PlanCell(draws, slot, cell);
    SpriteDrawer::DrawPlanned(painter, draws, SpriteDrawer::Anywhere());
}

void Scene::PlanCellLayers(std::vector<SpriteDraw>& draws, const ResourceTable& resources,
                           const FrameRecord& frame) const {
    for (int k = 0; k < kPartCopySlot; ++k) {
        const CellRecord& cell = frame.cells[k];
        if (cell.resource < 0 || cell.resource >= kResourceSlots) {
            continue;
        }
        const ResourceSlot& slot = resources.slot[static_cast<std::size_t>(cell.resource)];
        if (slot.Kind() == ResourceKind::Image) {
            PlanCell(draws, slot, cell);
        }
    }
}

void Scene::PlanCell(std::vector<SpriteDraw>& draws, const ResourceSlot& slot,
                     const CellRecord& cell) const {
    const TextureEntry* image = m_store.Bind(slot.Name());
    if (image == nullptr) {
        return;
    }
    const int hw = static_cast<int>(image->width / 2);
    const int hh = static_cast<int>(image->height / 2);
    // Offsets are truncated toward zero; a value no int can hold draws nothing.
    if (!(std::fabs(cell.x) < 1e9f) || !(std::fabs(cell.y) < 1e9f)) {
        return;
    }
    const long long px = static_cast<long long>(cell.x);
    const long long py = static_cast<long long>(cell.y);
    const long long left = kViewCentreX - hw + static_cast<long long>(slot.worldX) + px;
    const long long top = kViewCentreY - hh + static_cast<long long>(slot.worldY) + py;
    constexpr long long kFar = 1 << 28;  // far outside the canvas, still safe for QRect
    if (left < -kFar || left > kFar || top < -kFar || top > kFar) {
        return;
    }
    const QRect destination(static_cast<int>(left), static_cast<int>(top), 2 * hw, 2 * hh);
    const QRect source(0, 0, static_cast<int>(image->width), static_cast<int>(image->height));
    m_drawer.PlanSpriteScaled(draws, *image, source, destination, cell.alpha, cell.rotation,
                              cell.scaleX, cell.scaleY);
}

void Scene::DrawGuides(QPainter& painter) const {
    const ViewSettings& s = m_settings;
    if (s.GuideOn(Guide::CentreCrossbar)) {
        DrawLines(painter, kGuideWhite, {QLineF(512, 0, 512, 767), QLineF(0, 384, 1023, 384)});
    }
    if (s.GuideOn(Guide::ScreenFrame)) {
        const double l = 512 - 400 * s.zoom;
        const double r = 512 + 400 * s.zoom;
        const double t = 384 - 300 * s.zoom;
        const double b = 384 + 300 * s.zoom;
        DrawLines(painter, kGuideWhite,
                  {QLineF(l, t, r, t), QLineF(r, t, r, b), QLineF(r, b, l, b), QLineF(l, b, l, t)});
    }
    if (s.GuideOn(Guide::MessageWindow)) {
        if (const TextureEntry* image = m_store.Bind(kMessageWindowGuideName)) {
            m_drawer.DrawSpriteScaled(painter, *image, QRect(0, 0, 800, 600),
                                      EdgeRect(112, 84, 912, 684), 50, 0, 100, 100);
        }
    }
    if (s.GuideOn(Guide::MenuIcon)) {
        if (const TextureEntry* image = m_store.Bind(kMenuIconGuideName)) {
            m_drawer.DrawSpriteScaled(painter, *image, QRect(0, 0, 96, 96),
                                      EdgeRect(464, 336, 560, 432), 50, 0, 100, 100);
        }
    }
    if (s.gridSpacing > 1.0f) {
        const double step = static_cast<double>(s.zoom) * s.gridSpacing;
        std::vector<QLineF> lines;
        for (double x = 0; x < kCanvasWidth; x += step) {
            lines.emplace_back(x, 0, x, kCanvasHeight - 1);
        }
        for (double y = 0; y < kCanvasHeight; y += step) {
            lines.emplace_back(0, y, kCanvasWidth - 1, y);
        }
        DrawLines(painter, kGuideWhite, lines);
    }
}

}  // namespace plk
