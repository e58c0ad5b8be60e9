#include "media/icons/palette_pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace plk {
namespace {

QImage WhiteSquare(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QImage EmptySlotPicture(int side) {
    QImage image = WhiteSquare(side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = side / 16.0;  // drawn on a 16 x 16 grid, scaled to the side

    QPen frame(QColor(190, 190, 196), std::max(1.0, unit * 0.5), Qt::DashLine);
    painter.setPen(frame);
    painter.setBrush(QColor(248, 248, 250));
    painter.drawRoundedRect(QRectF(unit * 1.5, unit * 1.5, unit * 13, unit * 13), unit, unit);

    // A sun and two hills: "a picture goes here".
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(222, 222, 228));
    painter.drawEllipse(QPointF(unit * 10.5, unit * 5.5), unit * 1.4, unit * 1.4);
    QPainterPath hills;
    hills.moveTo(unit * 3, unit * 12.5);
    hills.lineTo(unit * 6.5, unit * 7.5);
    hills.lineTo(unit * 9, unit * 10.5);
    hills.lineTo(unit * 10.5, unit * 9);
    hills.lineTo(unit * 13, unit * 12.5);
    hills.closeSubpath();
    painter.drawPath(hills);
    return image;
}

QImage SoundSlotPicture(int side) {
    QImage image = WhiteSquare(side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = side / 16.0;
    const QColor ink(52, 84, 140);

    QPainterPath speaker;
    speaker.moveTo(unit * 2.5, unit * 6.2);
    speaker.lineTo(unit * 5, unit * 6.2);
    speaker.lineTo(unit * 8.2, unit * 3.2);
    speaker.lineTo(unit * 8.2, unit * 12.8);
    speaker.lineTo(unit * 5, unit * 9.8);
    speaker.lineTo(unit * 2.5, unit * 9.8);
    speaker.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(speaker);

    QPen wave(ink, std::max(1.0, unit * 0.9), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 3; ++ring) {
        const qreal radius = unit * (1.3 + 1.6 * ring);
        const QRectF box(unit * 8.2 - radius, unit * 8 - radius, radius * 2, radius * 2);
        painter.drawArc(box, -45 * 16, 90 * 16);
    }
    return image;
}

QImage MissingSlotPicture(int side) {
    QImage image = WhiteSquare(side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = side / 16.0;
    const QColor red(196, 40, 40);

    // A page with its corner folded, outlined in red on a pale red ground.
    QPainterPath page;
    page.moveTo(unit * 4, unit * 1.5);
    page.lineTo(unit * 9.5, unit * 1.5);
    page.lineTo(unit * 12, unit * 4);
    page.lineTo(unit * 12, unit * 11);
    page.lineTo(unit * 4, unit * 11);
    page.closeSubpath();
    painter.setPen(QPen(red, std::max(1.0, unit * 0.6)));
    painter.setBrush(QColor(253, 232, 232));
    painter.drawPath(page);

    // Text needs the fonts of a running application; without one the page stands alone.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return image;
    }
    QFont mark;
    mark.setBold(true);
    mark.setPixelSize(std::max(6, static_cast<int>(unit * 7)));
    painter.setFont(mark);
    painter.setPen(red);
    painter.drawText(QRectF(unit * 4, unit * 2.5, unit * 8, unit * 8.5), Qt::AlignCenter,
                     QStringLiteral("?"));

    if (side >= 64) {
        QFont label;
        label.setPixelSize(std::max(8, static_cast<int>(unit * 2.2)));
        painter.setFont(label);
        painter.drawText(QRectF(0, unit * 11.5, side, unit * 4), Qt::AlignCenter,
                         QStringLiteral("見つかりません"));
    }
    return image;
}

}  // namespace plk
