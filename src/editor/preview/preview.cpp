#include "editor/preview/preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <QStyle>
#include <algorithm>
#include <optional>

#include "editor/app/window_messages.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "media/render/renderer.h"
#include "media/sound/sound_store.h"

namespace plk {

CPreView::CPreView(QWidget* owner)
    : CToolWindow(QStringLiteral("PreView Window"), owner),
      m_control(new CPreViewCtrl(this)),
      m_vertical(new QScrollBar(Qt::Vertical, this)),
      m_horizontal(new QScrollBar(Qt::Horizontal, this)) {
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
    for (QScrollBar* bar : {m_vertical, m_horizontal}) {
        bar->hide();
        // The arrow keys belong to the preview, which nudges the palette's image with them.
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setPageStep(kScrollPage);
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    }
    setMinimumSize(1, 1);
    setMaximumSize(kCanvasWidth, kCanvasHeight);
    resize(kClientWidth, kClientHeight);
    m_hintSteps = !ArrowsStepFrames();  // the first update sets the hint
    UpdateArrowHint();
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
    // Every present repaints: the picture on show may have changed what the arrows do.
    UpdateArrowHint();
    // Only the presented picture is painted here; drawing happens when something changes.
    QPainter painter(this);
    const QRect canvas = CanvasRect();
    if (m_vertical->isVisible() && m_horizontal->isVisible()) {
        painter.fillRect(QRect(canvas.right() + 1, canvas.bottom() + 1, width(), height()),
                         palette().window());
    }
    QImage front = Renderer::Instance().PresentedImage();
    if (front.isNull()) {
        painter.fillRect(canvas, Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (m_fit && front.size() == QSize(kCanvasWidth, kCanvasHeight)) {
        const QRect fitted = FittedRect();
        const QRegion around = QRegion(canvas).subtracted(fitted);
        for (const QRect& band : around) {
            painter.fillRect(band, palette().dark());
        }
        painter.drawImage(fitted, front);
        return;
    }
    painter.drawImage(canvas, front);
}

void CPreView::SetFitToWindow(bool fit) {
    if (fit == m_fit) {
        return;
    }
    m_fit = fit;
    m_dragRemainder = {};
    Renderer::Instance().SetPresentWhole(fit);
    // Fitted, the window may grow beyond the canvas; back at one to one the limits return.
    if (fit) {
        m_vertical->hide();
        m_horizontal->hide();
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        Renderer::Instance().SetClientSize(CanvasRect().size());
    } else {
        resizeEvent(nullptr);
    }
    update();
}

QRect CPreView::FittedRect() const {
    const QRect client = CanvasRect();
    QSize size = QSize(kCanvasWidth, kCanvasHeight).scaled(client.size(), Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    return QRect(QPoint(client.left() + (client.width() - size.width()) / 2,
                        client.top() + (client.height() - size.height()) / 2),
                 size);
}

QRect CPreView::CanvasRect() const {
    const int extent = ScrollBarExtent();
    const int w = width() - (m_vertical->isVisible() ? extent : 0);
    const int h = height() - (m_horizontal->isVisible() ? extent : 0);
    return QRect(0, 0, std::max(1, w), std::max(1, h));
}

int CPreView::ScrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void CPreView::UpdateScrollBars() {
    const float zoom = Renderer::Instance().Settings().zoom;
    const int extent = ScrollBarExtent();
    const int outerWidth = width();
    const int outerHeight = height();
    // Each bar takes room from the other direction, so one bar can call for the other;
    // the second pass settles that.
    bool vertical = false;
    bool horizontal = false;
    for (int pass = 0; pass < 2; ++pass) {
        vertical = static_cast<float>(outerHeight - (horizontal ? extent : 0)) < zoom * 600;
        horizontal = static_cast<float>(outerWidth - (vertical ? extent : 0)) < zoom * 800;
    }
    const auto reset = [](QScrollBar* bar, int half) {
        const QSignalBlocker blocker(bar);
        bar->setRange(-half, half - kScrollPage + 1);
        bar->setValue(0);
    };
    if (vertical) {
        reset(m_vertical, kScrollHalfHeight);
        m_vertical->setGeometry(outerWidth - extent, 0, extent,
                                outerHeight - (horizontal ? extent : 0));
    }
    if (horizontal) {
        reset(m_horizontal, kScrollHalfWidth);
        m_horizontal->setGeometry(0, outerHeight - extent, outerWidth - (vertical ? extent : 0),
                                  extent);
    }
    m_vertical->setVisible(vertical);
    m_horizontal->setVisible(horizontal);
    // The client for the picture stays between 1 x 1 and the whole canvas; the bars come
    // on top of that.
    const int grownWidth = vertical ? extent : 0;
    const int grownHeight = horizontal ? extent : 0;
    setMinimumSize(1 + grownWidth, 1 + grownHeight);
    setMaximumSize(kCanvasWidth + grownWidth, kCanvasHeight + grownHeight);
}

void CPreView::resizeEvent(QResizeEvent* event) {
    if (event != nullptr) {
        CToolWindow::resizeEvent(event);
    }
    if (m_fit) {
        // The whole canvas is shown whatever the size: no bars, nothing to lay out again.
        Renderer::Instance().SetClientSize(CanvasRect().size());
        update();
        return;
    }
    if (m_updatingScrollBars) {
        return;  // a limit that moved changed the size: the outer call finishes the work
    }
    m_updatingScrollBars = true;
    // New limits may change the size at once; the bars follow that size (the choice only
    // grows, so a few passes settle it).
    for (int pass = 0; pass < 3; ++pass) {
        const QSize laidOut = size();
        UpdateScrollBars();
        if (size() == laidOut) {
            break;
        }
    }
    m_updatingScrollBars = false;

    Renderer& renderer = Renderer::Instance();
    renderer.SetClientSize(CanvasRect().size());
    // The panel is told the whole client size, scroll bars included: the size it asks for.
    if (width() != 0 || height() != 0) {
        const WParam packed =
            MakeWParam(static_cast<std::uint16_t>(height()), static_cast<std::uint16_t>(width()));
        PostWindowMessage(FindWindowByTitle(QStringLiteral("PreViewControl")), WM_PREVIEW_SIZE,
                          packed, 0);
    }
    renderer.RenderPreview();
    update();
}

void CPreView::PostNudge(int dx, int dy) {
    PostWindowMessage(FindWindowByTitle(QStringLiteral("Resource Palette")), WM_NUDGE_RESOURCE,
                      MakeWParam(static_cast<std::uint16_t>(dx), static_cast<std::uint16_t>(dy)),
                      0);
}

void CPreView::PostNudgeRunEnded() {
    PostWindowMessage(FindWindowByTitle(QStringLiteral("Resource Palette")), WM_NUDGE_RUN_ENDED, 0,
                      0);
}

void CPreView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        PostNudgeRunEnded();
        m_dragging = true;
        m_lastPoint = event->position().toPoint();
    }
    CToolWindow::mousePressEvent(event);
}

void CPreView::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        // Each step carries only the movement since the previous one.
        const QPoint point = event->position().toPoint();
        if (m_fit) {
            // Client pixels are larger or smaller than canvas pixels; the rest carries over.
            const double scale = static_cast<double>(FittedRect().width()) / kCanvasWidth;
            m_dragRemainder += QPointF(point - m_lastPoint) / scale;
            const QPoint whole(static_cast<int>(m_dragRemainder.x()),
                               static_cast<int>(m_dragRemainder.y()));
            m_dragRemainder -= whole;
            if (!whole.isNull()) {
                PostNudge(whole.x(), whole.y());
            }
        } else {
            PostNudge(point.x() - m_lastPoint.x(), point.y() - m_lastPoint.y());
        }
        m_lastPoint = point;
    }
    CToolWindow::mouseMoveEvent(event);
}

void CPreView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        PostNudgeRunEnded();
    }
    CToolWindow::mouseReleaseEvent(event);
}

namespace {

// Frame stepping keys, as in the time-sheet grid: , and . the previous and next normal
// frame, Home and End the first and last, Ctrl+Left and Ctrl+Right the control frames.
// Plain Left and Right depend on what is on show (ArrowsStepFrames).
std::optional<FrameStep> StepOfKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event.key()) {
            case Qt::Key_Comma:
                return FrameStep::PreviousNormal;
            case Qt::Key_Period:
                return FrameStep::NextNormal;
            case Qt::Key_Home:
                return FrameStep::FirstNormal;
            case Qt::Key_End:
                return FrameStep::LastNormal;
            default:
                return std::nullopt;
        }
    }
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Left) {
        return FrameStep::PreviousControl;
    }
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Right) {
        return FrameStep::NextControl;
    }
    return std::nullopt;
}

}  // namespace

bool CPreView::ArrowsStepFrames() const {
    return !Renderer::Instance().ShowsPlacedImage();
}

void CPreView::UpdateArrowHint() {
    const bool steps = ArrowsStepFrames();
    if (steps == m_hintSteps) {
        return;
    }
    m_hintSteps = steps;
    setStatusTip(steps ? tr("フレーム表示中: ←→ , . で前後のフレーム、Home End で最初と"
                            "最後、Ctrl+←→ で前後の制御フレームへ")
                       : tr("画像の配置中: 矢印キーとドラッグでパレットの画像を動かします"
                            "（, . でフレーム送り）"));
    // A hint already in the status bar is replaced at once, not on the next mouse move.
    if (underMouse()) {
        QStatusTipEvent tip(statusTip());
        QCoreApplication::sendEvent(this, &tip);
    }
}

bool CPreView::event(QEvent* event) {
    // The preview has no status bar of its own: its hint shows in the main frame's.
    if (event->type() == QEvent::StatusTip && parentWidget() != nullptr) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return true;
    }
    return CToolWindow::event(event);
}

void CPreView::keyPressEvent(QKeyEvent* event) {
    std::optional<FrameStep> step = StepOfKey(*event);
    const bool plainArrow = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                            (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right);
    if (plainArrow && (m_steppingArrow == event->key() || ArrowsStepFrames())) {
        // A held arrow keeps stepping even though each step draws a new frame.
        m_steppingArrow = event->key();
        step = event->key() == Qt::Key_Left ? FrameStep::PreviousNormal : FrameStep::NextNormal;
    }
    if (step) {
        // The preview shows the time sheet's selected page: the step is that page's.
        auto* sheet = qobject_cast<CTimeSheetBase*>(FindWindowByTitle(QStringLiteral("TimeSheet")));
        if (sheet != nullptr && sheet->CurrentPage() != nullptr) {
            sheet->CurrentPage()->Step(*step);
        }
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            break;
        default:
            PostNudgeRunEnded();
            break;
    }
    CToolWindow::keyPressEvent(event);
}

void CPreView::focusOutEvent(QFocusEvent* event) {
    PostNudgeRunEnded();
    CToolWindow::focusOutEvent(event);
}

void CPreView::keyReleaseEvent(QKeyEvent* event) {
    if (m_steppingArrow != 0 && event->key() == m_steppingArrow) {
        if (!event->isAutoRepeat()) {
            m_steppingArrow = 0;
        }
        return;  // the press stepped a frame
    }
    // One pixel per release; a held key's repeats do not count, nor a Ctrl+arrow step.
    if (!event->isAutoRepeat() && !event->modifiers().testFlag(Qt::ControlModifier)) {
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
