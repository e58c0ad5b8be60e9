#include "editor/app/window_messages.h"

#include <QApplication>
#include <QWidget>

namespace plk {

WindowMessage::WindowMessage(std::uint32_t message, WParam wParam, LParam lParam)
    : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam) {}

QEvent::Type WindowMessage::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QWidget* FindWindowByTitle(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isWindow() && window->windowTitle() == title) {
            return window;
        }
    }
    return nullptr;
}

LResult SendWindowMessage(QWidget* window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (window == nullptr) {
        return 0;
    }
    WindowMessage event(message, wParam, lParam);
    QCoreApplication::sendEvent(window, &event);
    return event.Result();
}

bool PostWindowMessage(QWidget* window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (window == nullptr) {
        return false;
    }
    QCoreApplication::postEvent(window, new WindowMessage(message, wParam, lParam));
    return true;
}

}  // namespace plk
