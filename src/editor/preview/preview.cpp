#include "editor/preview/preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "editor/app/window_messages.h"
#include "editor/preview/preview_ctrl.h"
#include "media/render/renderer.h"
#include "media/sound/sound_store.h"

namespace plk {

CPreView::CPreView(QWidget* owner)
    : CToolWindow(QStringLiteral("PreView Window"), owner), m_control(new CPreViewCtrl(this)) {
    Renderer& renderer = Renderer::Instance();
    renderer.Init(true);
    // Without an audio device the store still keeps its catalogue; it just plays nothing.
    SoundStore::Instance().Start();
    // Presents may come from playback threads: the repaint is queued to this thread.
    QPointer<CPreView> self(this);
    renderer.SetPresentListener([self] {
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (self) {
                    self->update();
                }
            },
            Qt::QueuedConnection);
    });
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole client area
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    setMaximumSize(kCanvasWidth, kCanvasHeight);
    resize(kClientWidth, kClientHeight);
}

CPreView::~CPreView() {
    Renderer& renderer = Renderer::Instance();
    renderer.SetPresentListener({});
    renderer.Shutdown();
    SoundStore::Shutdown();
}

void CPreView::showEvent(QShowEvent* event) {
    CToolWindow::showEvent(event);
    // The panel appears together with the preview the first time it is shown.
    if (!m_controlShown) {
        m_controlShown = true;
        m_control->show();
    }
    Renderer::Instance().RenderPreview();
}

void CPreView::paintEvent(QPaintEvent*) {
    // Only the presented picture is painted here; drawing happens when something changes.
    QPainter painter(this);
    QImage front = Renderer::Instance().PresentedImage();
    if (front.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect(), front);
}

void CPreView::resizeEvent(QResizeEvent* event) {
    CToolWindow::resizeEvent(event);
    Renderer& renderer = Renderer::Instance();
    renderer.SetClientSize(size());
    const WParam packed =
        MakeWParam(static_cast<std::uint16_t>(height()), static_cast<std::uint16_t>(width()));
    PostWindowMessage(FindWindowByTitle(QStringLiteral("PreViewControl")), WM_PREVIEW_SIZE, packed,
                      0);
    renderer.RenderPreview();
}

void CPreView::PostNudge(int dx, int dy) {
    PostWindowMessage(FindWindowByTitle(QStringLiteral("Resource Palette")), WM_NUDGE_RESOURCE,
                      MakeWParam(static_cast<std::uint16_t>(dx), static_cast<std::uint16_t>(dy)),
                      0);
}

void CPreView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_lastPoint = event->position().toPoint();
    }
    CToolWindow::mousePressEvent(event);
}

void CPreView::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        // Each step carries only the movement since the previous one.
        const QPoint point = event->position().toPoint();
        PostNudge(point.x() - m_lastPoint.x(), point.y() - m_lastPoint.y());
        m_lastPoint = point;
    }
    CToolWindow::mouseMoveEvent(event);
}

void CPreView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
    CToolWindow::mouseReleaseEvent(event);
}

void CPreView::keyReleaseEvent(QKeyEvent* event) {
    // One pixel per release; a held key's repeats do not count.
    if (!event->isAutoRepeat()) {
        switch (event->key()) {
            case Qt::Key_Left:
                PostNudge(-1, 0);
                return;
            case Qt::Key_Right:
                PostNudge(1, 0);
                return;
            case Qt::Key_Up:
                PostNudge(0, -1);
                return;
            case Qt::Key_Down:
                PostNudge(0, 1);
                return;
            default:
                break;
        }
    }
    CToolWindow::keyReleaseEvent(event);
}

}  // namespace plk
