#include "media/icons/playback_icons.h"

#include <QPainter>
#include <QPolygonF>

namespace plk {

QImage PlaybackIcon(PlaybackGlyph glyph) {
    QImage image(kPlaybackIconSize, kPlaybackIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(32, 32, 32));
    switch (glyph) {
        case PlaybackGlyph::Rewind:  // a bar and two triangles pointing left
            painter.drawRect(QRectF(3, 4, 2, 12));
            painter.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(11, 4), QPointF(11, 16)}));
            painter.drawPolygon(QPolygonF({QPointF(11, 10), QPointF(17, 4), QPointF(17, 16)}));
            break;
        case PlaybackGlyph::Pause:
            painter.drawRect(QRectF(5, 4, 3.5, 12));
            painter.drawRect(QRectF(11.5, 4, 3.5, 12));
            break;
        case PlaybackGlyph::Play:
            painter.setBrush(QColor(24, 120, 40));
            painter.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(16, 10), QPointF(6, 17)}));
            break;
        case PlaybackGlyph::Stop:
            painter.setBrush(QColor(176, 32, 32));
            painter.drawRect(QRectF(5, 5, 10, 10));
            break;
    }
    return image;
}

}  // namespace plk
