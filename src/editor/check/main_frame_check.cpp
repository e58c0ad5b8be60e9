#include <QAction>
#include <QUndoStack>

#include "core/check/check_character.h"
#include "editor/app/command_ids.h"
#include "editor/app/file_commands.h"
#include "editor/app/main_frame.h"
#include "editor/app/tool_window.h"
#include "editor/check/character_check.h"

namespace plk {

void CMainFrame::InstallCharacterCheck() {
    auto projectFile = [this] { return ToFileSystemPath(m_commands->ProjectPath()); };
    m_check = new CCharacterCheck(
        this, [this] { return m_commands->GatherProject(); }, projectFile);
    m_check->SetNavigator([this](const Place& place) {
        ShowPlace(place, m_palette, m_timeSheet, m_messages, m_profile);
    });

    auto open = [this] {
        m_check->show();
        m_check->raise();
        m_check->activateWindow();
        m_check->RunNow();
    };
    connect(Action(command::kCheckCharacter), &QAction::triggered, this, open);
    connect(Action(command::kViewCharacterCheck), &QAction::triggered, this, open);

    // Every edit, undo and redo, and every new or opened character.
    for (CToolWindow* window : ToolWindows()) {
        connect(window, &CToolWindow::edited, m_check, &CCharacterCheck::ScheduleRerun);
    }
    connect(m_commands->UndoStack(), &QUndoStack::indexChanged, m_check,
            &CCharacterCheck::ScheduleRerun);
    connect(m_commands, &FileCommands::pathChanged, m_check, &CCharacterCheck::ScheduleRerun);

    m_commands->SetExportCheck([this, projectFile](const Project& project) {
        Findings findings = CheckCharacterWithFiles(project, projectFile());
        m_check->ShowFindings(findings);
        if (HasErrors(findings)) {
            m_check->show();
            m_check->raise();
        }
        return findings;
    });
}

}  // namespace plk
