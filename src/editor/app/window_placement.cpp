#include "editor/app/window_placement.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace plk {
namespace {

constexpr const char* kPlacementName = "plkFramePlacement";
// How long after showing a correction may still come: window managers decorate a new
// window asynchronously, but within a moment.
constexpr int kSettleMs = 3000;
constexpr int kPollMs = 25;

// Keeps one window's wanted frame until the window system has settled it.
class FramePlacement : public QObject {
public:
    FramePlacement(QWidget* window, const QRect& outer, bool keepSize)
        : QObject(window), m_window(window), m_outer(outer), m_keepSize(keepSize) {
        setObjectName(QLatin1String(kPlacementName));
        window->installEventFilter(this);
        connect(&m_poll, &QTimer::timeout, this, [this] { Check(); });
        m_poll.setInterval(kPollMs);
        Apply();
        if (window->isVisible()) {
            StartSettling();
        }
    }

    const QRect& Outer() const { return m_outer; }
    bool KeepsSize() const { return m_keepSize; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window) {
            switch (event->type()) {
                case QEvent::Show:
                    StartSettling();
                    Check();
                    break;
                case QEvent::Move:
                case QEvent::Resize:
                    if (m_poll.isActive()) {
                        Check();
                    }
                    break;
                default:
                    break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSize Decoration() const {
        return m_window->frameGeometry().size() - m_window->geometry().size();
    }

    void Apply() {
        m_applied = Decoration();
        if (!m_keepSize) {
            m_window->resize(std::max(1, m_outer.width() - m_applied.width()),
                             std::max(1, m_outer.height() - m_applied.height()));
        }
        m_window->move(m_outer.topLeft());
    }

    bool InPlace() const {
        const QRect frame = m_window->frameGeometry();
        return m_keepSize ? frame.topLeft() == m_outer.topLeft() : frame == m_outer;
    }

    void StartSettling() {
        m_clock.start();
        m_poll.start();
    }

    void Check() {
        // A maximized or minimized window belongs to the window manager.
        if (m_window == nullptr || m_window->windowState() != Qt::WindowNoState) {
            Finish();
            return;
        }
        if (m_checking) {
            return;
        }
        m_checking = true;
        if (!InPlace() && (Decoration() != m_applied || m_corrections < 2)) {
            ++m_corrections;
            Apply();
        }
        m_checking = false;
        // Decorated and in place: the window manager has settled it. Without decoration
        // one may still come, until the time is up.
        if ((InPlace() && Decoration() != QSize(0, 0)) || m_clock.elapsed() > kSettleMs) {
            Finish();
        }
    }

    // The window belongs to the author again; the placement is forgotten.
    void Finish() {
        m_poll.stop();
        if (m_window != nullptr) {
            m_window->removeEventFilter(this);
        }
        deleteLater();
    }

    QPointer<QWidget> m_window;
    QRect m_outer;
    bool m_keepSize;
    QSize m_applied;
    QTimer m_poll;
    QElapsedTimer m_clock;
    int m_corrections = 0;
    bool m_checking = false;
};

FramePlacement* PendingPlacement(const QWidget* window) {
    return window->findChild<FramePlacement*>(QLatin1String(kPlacementName),
                                              Qt::FindDirectChildrenOnly);
}

}  // namespace

void PlaceFrame(QWidget* window, const QRect& outer, bool keepSize) {
    if (FramePlacement* old = PendingPlacement(window)) {
        window->removeEventFilter(old);
        delete old;
    }
    new FramePlacement(window, outer, keepSize);
}

QRect FrameRect(const QWidget* window) {
    // A window closed before it was decorated has not reached its place yet.
    const QRect frame = window->frameGeometry();
    const FramePlacement* pending = PendingPlacement(window);
    if (pending == nullptr || !window->isVisible() || frame != window->geometry()) {
        return frame;
    }
    const QRect& outer = pending->Outer();
    return QRect(outer.topLeft(), pending->KeepsSize() ? frame.size() : outer.size());
}

}  // namespace plk
