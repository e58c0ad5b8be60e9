#include "editor/app/focus_edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

CTimeSheet* PageOf(QWidget* widget) {
    auto* grid = qobject_cast<CutGrid*>(widget);
    return grid != nullptr ? grid->Page() : nullptr;
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

}  // namespace

FocusEditCommands::FocusEditCommands(QWidget* frame, CTimeSheetBase* sheet, QAction* cut,
                                     QAction* copy, QAction* paste)
    : QObject(frame), m_frame(frame), m_sheet(sheet), m_cut(cut), m_copy(copy), m_paste(paste) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &FocusEditCommands::UpdateEnabled);
    if (m_sheet != nullptr) {
        connect(m_sheet, &CTimeSheetBase::frameClipboardChanged, this,
                &FocusEditCommands::UpdateEnabled);
    }
    connect(m_cut, &QAction::triggered, this, [this] { Run(Command::Cut); });
    connect(m_copy, &QAction::triggered, this, [this] { Run(Command::Copy); });
    connect(m_paste, &QAction::triggered, this, [this] { Run(Command::Paste); });
    UpdateEnabled();
}

void FocusEditCommands::OnFocusChanged(QWidget* now) {
    // The main frame taking the focus (its toolbar or menu was clicked) keeps the target.
    if (now == nullptr || now->window() == m_frame) {
        return;
    }
    for (const QMetaObject::Connection& connection : m_targetConnections) {
        disconnect(connection);
    }
    m_targetConnections.clear();
    m_target = nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(now)) {
        m_target = edit;
        m_targetConnections.push_back(
            connect(edit, &QLineEdit::selectionChanged, this, &FocusEditCommands::UpdateEnabled));
    } else if (CTimeSheet* page = PageOf(now)) {
        m_target = now;
        m_targetConnections.push_back(
            connect(page, &CTimeSheet::selectionChanged, this, &FocusEditCommands::UpdateEnabled));
        m_targetConnections.push_back(
            connect(page, &CTimeSheet::cutEdited, this, &FocusEditCommands::UpdateEnabled));
    }
    UpdateEnabled();
}

void FocusEditCommands::UpdateEnabled() {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    if (auto* edit = qobject_cast<QLineEdit*>(m_target.data())) {
        const bool shown = edit->echoMode() == QLineEdit::Normal;
        copy = shown && edit->hasSelectedText();
        cut = copy && !edit->isReadOnly() && edit->isEnabled();
        paste = !edit->isReadOnly() && edit->isEnabled() && ClipboardHasText();
    } else if (CTimeSheet* page = PageOf(m_target.data())) {
        copy = page->CanCopyFrames();
        cut = copy && page->GetCut().FrameCount() >= 2;
        paste = page->CanPasteFrames();
    }
    m_cut->setEnabled(cut);
    m_copy->setEnabled(copy);
    m_paste->setEnabled(paste);
}

void FocusEditCommands::Run(Command command) {
    UpdateEnabled();
    if (auto* edit = qobject_cast<QLineEdit*>(m_target.data())) {
        switch (command) {
            case Command::Cut:
                edit->cut();
                break;
            case Command::Copy:
                edit->copy();
                break;
            case Command::Paste:
                edit->paste();
                break;
        }
    } else if (CTimeSheet* page = PageOf(m_target.data())) {
        switch (command) {
            case Command::Cut:
                page->CutSelectedFrames();
                break;
            case Command::Copy:
                page->CopySelectedFrames();
                break;
            case Command::Paste:
                page->PasteFramesAtSelection();
                break;
        }
    }
    UpdateEnabled();
}

}  // namespace plk
