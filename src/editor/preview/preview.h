#pragma once

#include <QPoint>
#include <QRect>

class QScrollBar;

#include "editor/app/tool_window.h"

namespace plk {

class CPreViewCtrl;

// "PreView Window": shows the part of the drawing canvas that fits its client area,
// stretched to it. Scroll bars appear while the client is smaller than the game's screen
// at the current zoom; the picture stays centred whatever their positions. It starts the renderer
// and the sound player and shuts both down when it goes. Dragging with the left button, or
// releasing an arrow key, asks the palette to move its selected image; the preview itself changes
// no data. While it shows a frame of a cut instead of the palette's image being placed, Left
// and Right step to the previous and next frame; the status bar says which the keys do.
class CPreView : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 600;
    // Scroll bar ranges as the window system counts them: the last page ends at the
    // maximum.
    static constexpr int kScrollHalfWidth = 400;
    static constexpr int kScrollHalfHeight = 300;
    static constexpr int kScrollPage = 8;

    explicit CPreView(QWidget* owner);
    ~CPreView() override;

    CPreViewCtrl* ControlPanel() const { return m_control; }
    QScrollBar* VerticalScrollBar() const { return m_vertical; }
    QScrollBar* HorizontalScrollBar() const { return m_horizontal; }
    // The client area left for the picture beside the shown scroll bars.
    QRect CanvasRect() const;

    // "ウインドウに合わせる": the whole composed canvas, scaled smoothly to the client area at
    // its own aspect ratio, instead of the client-sized middle at one to one. The window may
    // then grow past the canvas size and shows no scroll bars; the zoom steps keep working.
    void SetFitToWindow(bool fit);
    bool FitToWindow() const { return m_fit; }
    // Where the canvas lies in the client area while fitted.
    QRect FittedRect() const;
    // Plain Left and Right step through the frames (a frame of a cut is on show) rather than
    // nudge the palette's image (the image is being placed).
    bool ArrowsStepFrames() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PostNudge(int dx, int dy);
    void PostNudgeRunEnded();
    // The status hint follows what the arrow keys do with the picture on show.
    void UpdateArrowHint();
    // Shows the scroll bars this client size needs at the current zoom and fits the size
    // limits to them.
    void UpdateScrollBars();
    int ScrollBarExtent() const;

    CPreViewCtrl* m_control;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
    bool m_updatingScrollBars = false;
    bool m_controlShown = false;
    bool m_dragging = false;
    QPoint m_lastPoint;
    bool m_fit = false;
    QPointF m_dragRemainder;  // canvas pixels not yet sent while fitted
    int m_steppingArrow = 0;  // the arrow key held down that stepped (its release nudges nothing)
    bool m_hintSteps = false;
};

}  // namespace plk
