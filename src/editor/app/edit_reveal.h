#pragma once

class QWidget;

namespace plk {

// Tells an undo command's later runs from its first. The first redo is the edit the author
// has just made, already in view; every undo, and every redo after it, should show its place.
class RerunMark {
public:
    // True from the second call on.
    bool Rerun() {
        const bool rerun = m_ran;
        m_ran = true;
        return rerun;
    }

private:
    bool m_ran = false;
};

// Brings the control an undo or redo changed into view: shows its window if hidden, lifts it
// and makes the control the window's focus. The activation stays where it is, so the keys
// the author undoes with keep going to the window they were typed in.
void RevealEditedControl(QWidget* control);

}  // namespace plk
