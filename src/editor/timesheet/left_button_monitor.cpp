#include "editor/timesheet/left_button_monitor.h"

#include <QApplication>
#include <QMouseEvent>

namespace plk {

LeftButtonMonitor& LeftButtonMonitor::Instance() {
    static LeftButtonMonitor* monitor = [] {
        auto* created = new LeftButtonMonitor;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    return *monitor;
}

bool LeftButtonMonitor::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // One press reaches several objects on its way (the window, the widget, its
        // parents), each time with the same timestamp: it counts once.
        if (mouse->button() == Qt::LeftButton && mouse->timestamp() != m_lastTimestamp[type]) {
            m_lastTimestamp[type] = mouse->timestamp();
            if (type == QEvent::MouseButtonRelease) {
                m_held.store(false, std::memory_order_release);
            } else {
                if (type == QEvent::MouseButtonPress ||
                    mouse->timestamp() != m_lastTimestamp[QEvent::MouseButtonPress]) {
                    m_presses.fetch_add(1, std::memory_order_acq_rel);
                }
                m_held.store(true, std::memory_order_release);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace plk
