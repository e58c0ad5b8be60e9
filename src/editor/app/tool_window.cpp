#include "editor/app/tool_window.h"

#include <QKeyEvent>

namespace plk {

CToolWindow::CToolWindow(const QString& title, QWidget* owner) : QDialog(owner) {
    setWindowTitle(title);
    setModal(false);
}

LResult CToolWindow::OnWindowMessage(const WindowMessage&) {
    return 0;
}

bool CToolWindow::event(QEvent* event) {
    if (event->type() == WindowMessage::EventType()) {
        auto* message = static_cast<WindowMessage*>(event);
        message->SetResult(OnWindowMessage(*message));
        return true;
    }
    return QDialog::event(event);
}

void CToolWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace plk
