#include "editor/timesheet/curve_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/app/control_id.h"

namespace plk {

CurveBox::CurveBox(QWidget* parent) : QWidget(parent) {
    SetControlId(this, kId);
    // The grey fill reaches one pixel below the box.
    setFixedSize(kCurveBoxSize, kCurveBoxSize + 1);
}

void CurveBox::SetPoint(ControlPoint point) {
    m_point = ClampControlPoint(point);
    update();
    Q_EMIT pointChanged(m_point);
}

void CurveBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, kCurveBoxSize, kCurveBoxSize + 1), QColor(0xAA, 0xAA, 0xAA));
    painter.setPen(QPen(Qt::black, 0));
    // Truncated toward zero, as the box's pixels are counted.
    QPoint last(0, static_cast<int>(TweenCurveY(0, m_point)));
    for (int x = 0; x < kCurveBoxSize; ++x) {
        const QPoint next(x, static_cast<int>(TweenCurveY(static_cast<float>(x), m_point)));
        painter.drawLine(last, next);
        last = next;
    }
}

void CurveBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        TakePoint(event->position().toPoint());
    }
}

void CurveBox::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0 && rect().contains(event->position().toPoint())) {
        TakePoint(event->position().toPoint());
    }
}

void CurveBox::TakePoint(QPoint position) {
    SetPoint({position.x(), position.y()});
}

}  // namespace plk
