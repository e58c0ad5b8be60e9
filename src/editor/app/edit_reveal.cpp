#include "editor/app/edit_reveal.h"

#include <QWidget>

namespace plk {

void RevealEditedControl(QWidget* control) {
    if (control == nullptr) {
        return;
    }
    QWidget* window = control->window();
    if (!window->isVisible()) {
        // Shown beside the window the author works in, not in its place.
        const bool quiet = window->testAttribute(Qt::WA_ShowWithoutActivating);
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    }
    window->raise();
    // In a window that is not active this names the widget that gets the focus when it is.
    control->setFocus(Qt::OtherFocusReason);
}

}  // namespace plk
