#pragma once

#include <QDialog>
#include <memory>

#include "editor/app/window_messages.h"

class QUndoCommand;
class QUndoStack;

namespace plk {

// A modeless tool window owned by the main frame. It receives private window messages and
// reports every edit the author makes, so the frame knows there is unsaved work.
class CToolWindow : public QDialog {
    Q_OBJECT
public:
    CToolWindow(const QString& title, QWidget* owner);

    // The project's undo stack. Until the frame hands over the shared one, a window keeps
    // a stack of its own, so a window used alone still records its edits.
    QUndoStack* UndoStack() const { return m_undo; }
    void SetUndoStack(QUndoStack* stack);
    // Runs the edit (its redo) and records it as one step of the undo history.
    void PushEdit(std::unique_ptr<QUndoCommand> edit);

Q_SIGNALS:
    // Raised by every edit of the records this window owns.
    void edited();

public Q_SLOTS:
    void MarkEdited() { Q_EMIT edited(); }

protected:
    // Handles one private message; the returned value is the sender's result.
    virtual LResult OnWindowMessage(const WindowMessage& message);

    // On activation a tool window lifts the windows that stay on top back above itself,
    // even where the window system ignores the request.
    bool event(QEvent* event) override;
    // Enter and Escape do not close a tool window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QUndoStack* m_undo;
};

// Makes a top-level window stay above the other windows of the program, or no longer. The
// window keeps its place and size, and stays shown if it was.
void SetStaysOnTop(QWidget* window, bool on);

}  // namespace plk
