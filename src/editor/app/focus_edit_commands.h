#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;

namespace plk {

class CTimeSheetBase;

// The toolbar's and 編集's cut, copy and paste act on what has the focus: text in a field,
// frames in a time-sheet grid (the sheet's one frame clipboard). The tool windows are
// windows of their own and clicking the toolbar activates the main frame, so "what has the
// focus" is the last control that had it outside the main frame. The actions are disabled
// while there is nothing to act on.
class FocusEditCommands : public QObject {
    Q_OBJECT
public:
    FocusEditCommands(QWidget* frame, CTimeSheetBase* sheet, QAction* cut, QAction* copy,
                      QAction* paste);

    // The control the commands act on now (null when none takes them).
    QWidget* Target() const { return m_target; }
    void UpdateEnabled();

private:
    enum class Command { Cut, Copy, Paste };
    void OnFocusChanged(QWidget* now);
    void Run(Command command);

    QWidget* m_frame;
    CTimeSheetBase* m_sheet;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QPointer<QWidget> m_target;
    std::vector<QMetaObject::Connection> m_targetConnections;
};

}  // namespace plk
