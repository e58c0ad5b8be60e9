#include "editor/preview/tick_slider.h"

#include <QStyleOptionSlider>
#include <QStylePainter>
#include <algorithm>
#include <utility>

namespace plk {

TickSlider::TickSlider(int minimum, int maximum, int value, QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    setRange(minimum, maximum);
    setValue(value);
}

void TickSlider::SetTickMarks(std::vector<int> values) {
    m_marks = std::move(values);
    // The style keeps room below the groove for marks; the marks themselves are ours.
    setTickPosition(m_marks.empty() ? NoTicks : TicksBelow);
    update();
}

void TickSlider::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);

    if (m_marks.empty()) {
        return;
    }
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int left = groove.x() + handle.width() / 2;
    const int top = handle.bottom() + 2;
    const int bottom = std::min(height() - 1, top + 4);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int mark : m_marks) {
        if (mark < minimum() || mark > maximum()) {
            continue;
        }
        const int x = left + QStyle::sliderPositionFromValue(minimum(), maximum(), mark, span,
                                                             option.upsideDown);
        painter.drawLine(x, top, x, bottom);
    }
}

}  // namespace plk
