#include "editor/app/tool_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QUndoStack>

namespace plk {

CToolWindow::CToolWindow(const QString& title, QWidget* owner)
    : QDialog(owner), m_undo(new QUndoStack(this)) {
    setWindowTitle(title);
    setModal(false);
}

void CToolWindow::SetUndoStack(QUndoStack* stack) {
    if (m_undo->parent() == this) {
        delete m_undo;
    }
    m_undo = stack;
}

void CToolWindow::PushEdit(std::unique_ptr<QUndoCommand> edit) {
    m_undo->push(edit.release());
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
    if (event->type() == QEvent::WindowActivate) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible() &&
                window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                qobject_cast<CToolWindow*>(window) != nullptr) {
                window->raise();
            }
        }
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

void SetStaysOnTop(QWidget* window, bool on) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) {
        return;
    }
    // Changing the flag makes a new native window, hidden: put it back where it was.
    const QRect geometry = window->geometry();
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->setGeometry(geometry);
    if (shown) {
        window->show();
    }
}

}  // namespace plk
