#pragma once

#include <QPoint>

#include "editor/app/tool_window.h"

namespace plk {

class CPreViewCtrl;

// "PreView Window": shows the part of the drawing canvas that fits its client area,
// stretched to it. It starts the renderer and the sound player and shuts both down when
// it goes. Dragging with the left button, or releasing an arrow key, asks the palette to
// move its selected image; the preview itself changes no data.
class CPreView : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 600;

    explicit CPreView(QWidget* owner);
    ~CPreView() override;

    CPreViewCtrl* ControlPanel() const { return m_control; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void PostNudge(int dx, int dy);

    CPreViewCtrl* m_control;
    bool m_controlShown = false;
    bool m_dragging = false;
    QPoint m_lastPoint;
};

}  // namespace plk
