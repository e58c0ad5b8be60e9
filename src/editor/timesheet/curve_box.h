#pragma once

#include <QWidget>

#include "core/timesheet/tween.h"

namespace plk {

// Static 1064: the tween curve in a 100 x 100 box on grey. A click, or a move with the
// left button down over the box, puts the control point under the cursor.
class CurveBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kId = 1064;

    explicit CurveBox(QWidget* parent);

    ControlPoint Point() const { return m_point; }
    void SetPoint(ControlPoint point);

Q_SIGNALS:
    void pointChanged(plk::ControlPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void TakePoint(QPoint position);

    ControlPoint m_point;
};

}  // namespace plk
