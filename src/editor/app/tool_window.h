#pragma once

#include <QDialog>

#include "editor/app/window_messages.h"

namespace plk {

// A modeless tool window owned by the main frame. It receives private window messages and
// reports every edit the author makes, so the frame knows there is unsaved work.
class CToolWindow : public QDialog {
    Q_OBJECT
public:
    CToolWindow(const QString& title, QWidget* owner);

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
};

// Makes a top-level window stay above the other windows of the program, or no longer. The
// window keeps its place and size, and stays shown if it was.
void SetStaysOnTop(QWidget* window, bool on);

}  // namespace plk
