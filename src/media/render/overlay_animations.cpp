#include "media/render/overlay_animations.h"

#include <array>
#include <cmath>
#include <mutex>

#include "media/render/frame_lock.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

// 5 x 7 block letters for the few characters the overlays show (bit 4 is the left column).
using BlockGlyph = std::array<std::uint8_t, 7>;
constexpr BlockGlyph kDigit1 = {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E};
constexpr BlockGlyph kDigit2 = {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F};
constexpr BlockGlyph kDigit3 = {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E};
constexpr BlockGlyph kLetterC = {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E};
constexpr BlockGlyph kLetterL = {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E};
constexpr BlockGlyph kLetterI = {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E};
constexpr BlockGlyph kLetterK = {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12};
constexpr BlockGlyph kBang = {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04};

void DrawBlockGlyph(QPainter& painter, const BlockGlyph& glyph, QPointF topLeft, qreal cell) {
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (glyph[static_cast<std::size_t>(row)] & (0x10 >> column)) {
                painter.drawRect(QRectF(topLeft.x() + column * cell, topLeft.y() + row * cell,
                                        cell * 0.9, cell * 0.9));
            }
        }
    }
}

// A big digit in the middle of the screen for each second of the countdown, growing in
// and fading out, inside a ring that empties as the second runs.
void PaintCountdown(QPainter& painter, int frame) {
    constexpr int kFramesPerDigit = OverlayAnimations::kCountdownFrames / 3;
    const int digit = 3 - frame / kFramesPerDigit;
    const qreal phase = static_cast<qreal>(frame % kFramesPerDigit) / kFramesPerDigit;
    const QPointF centre(512, 384);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 10));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 110, centre.y() - 110, 220, 220);
    painter.drawArc(ring, 90 * 16, static_cast<int>(-360 * 16 * (1.0 - phase)));

    const qreal cell = 20 + 6 * std::sin(phase * 3.14159265);
    const int alpha = static_cast<int>(255 * (1.0 - 0.6 * phase));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 220, 64, alpha));
    const BlockGlyph& glyph = digit == 3 ? kDigit3 : (digit == 2 ? kDigit2 : kDigit1);
    DrawBlockGlyph(painter, glyph, centre - QPointF(2.5 * cell, 3.5 * cell), cell);
}

// "click!" under a ring that swells and fades once per run.
void PaintHitAnyKey(QPainter& painter, int frame) {
    const qreal phase = static_cast<qreal>(frame) / OverlayAnimations::kHitAnyKeyFrames;
    const qreal pulse = 0.5 - 0.5 * std::cos(phase * 2 * 3.14159265);  // 0 -> 1 -> 0
    const QPointF centre(512, 560);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(255, 255, 255, static_cast<int>(255 * (1.0 - phase))), 6));
    painter.setBrush(Qt::NoBrush);
    const qreal radius = 40 + 60 * phase;
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 96 + static_cast<int>(120 * pulse), 64, 230));
    constexpr std::array<const BlockGlyph*, 6> kWord = {&kLetterC, &kLetterL, &kLetterI,
                                                        &kLetterC, &kLetterK, &kBang};
    const qreal cell = 8 + 2 * pulse;
    const qreal width = kWord.size() * 6 * cell;
    QPointF pen(centre.x() - width / 2, centre.y() - 3.5 * cell);
    for (const BlockGlyph* glyph : kWord) {
        DrawBlockGlyph(painter, *glyph, pen, cell);
        pen.rx() += 6 * cell;
    }
}

}  // namespace

OverlayAnimations& OverlayAnimations::Instance() {
    static OverlayAnimations animations;
    return animations;
}

bool OverlayAnimations::Add(std::string_view name, int frameCount, PaintFrame paint) {
    std::lock_guard lock(FrameMutex());
    auto it = m_animations.find(name);
    if (it == m_animations.end() && m_animations.size() >= kSlots) {
        return false;
    }
    m_animations[std::string(name)] =
        Animation{frameCount < 1 ? 1 : frameCount, 0, std::move(paint)};
    return true;
}

void OverlayAnimations::AddBuiltIns() {
    Add(kCountdownOverlay, kCountdownFrames, PaintCountdown);
    Add(kHitAnyKeyOverlay, kHitAnyKeyFrames, PaintHitAnyKey);
}

void OverlayAnimations::ReleaseAll() {
    std::lock_guard lock(FrameMutex());
    m_animations.clear();
}

bool OverlayAnimations::Contains(std::string_view name) const {
    std::lock_guard lock(FrameMutex());
    return m_animations.find(name) != m_animations.end();
}

void OverlayAnimations::Restart(std::string_view name) {
    std::lock_guard lock(FrameMutex());
    auto it = m_animations.find(name);
    if (it != m_animations.end()) {
        it->second.current = 0;
    }
}

int OverlayAnimations::CurrentFrame(std::string_view name) const {
    std::lock_guard lock(FrameMutex());
    auto it = m_animations.find(name);
    return it == m_animations.end() ? -1 : it->second.current;
}

OverlayStep OverlayAnimations::Step(std::string_view name) {
    std::lock_guard lock(FrameMutex());
    auto it = m_animations.find(name);
    if (it == m_animations.end()) {
        return {};
    }
    Animation& animation = it->second;
    Renderer& renderer = Renderer::Instance();
    const int frame = animation.current;
    if (!renderer.DrawOverScene([&](QPainter& painter) { animation.paint(painter, frame); })) {
        return {};
    }
    renderer.FinishFrame();
    animation.current = (frame + 1) % animation.frameCount;
    return {true, animation.current == 0};
}

}  // namespace plk
