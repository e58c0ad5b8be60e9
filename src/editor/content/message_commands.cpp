#include "editor/content/message_commands.h"

#include <QComboBox>
#include <QLineEdit>

#include "editor/content/message_browser.h"
#include "editor/content/message_menu.h"

namespace plk {
namespace {

constexpr int kMessageTextCommandId = 0x8066;

}  // namespace

SetMessageTextCommand::SetMessageTextCommand(CMessageBrowser* browser, int situation, int line,
                                             std::string before, std::string after, int session,
                                             Frequency frequency)
    : QUndoCommand(CMessageBrowser::tr("セリフの編集")),
      m_browser(browser),
      m_situation(situation),
      m_line(line),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_session(session),
      m_frequency(frequency) {}

void SetMessageTextCommand::undo() {
    m_browser->ApplyLineText(m_situation, m_line, m_before);
    if (m_frequency.before != m_frequency.after) {
        m_browser->ApplyFrequency(m_situation, m_line, m_frequency.before);
    }
    m_rerun.Rerun();
    m_browser->Reveal(m_situation, m_browser->Page()->LineEdit(m_line));
}

void SetMessageTextCommand::redo() {
    m_browser->ApplyLineText(m_situation, m_line, m_after);
    if (m_frequency.before != m_frequency.after) {
        m_browser->ApplyFrequency(m_situation, m_line, m_frequency.after);
    }
    if (m_rerun.Rerun()) {
        m_browser->Reveal(m_situation, m_browser->Page()->LineEdit(m_line));
    }
}

int SetMessageTextCommand::id() const {
    return kMessageTextCommandId;
}

bool SetMessageTextCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SetMessageTextCommand*>(other);
    if (next->m_browser != m_browser || next->m_situation != m_situation ||
        next->m_line != m_line || next->m_session != m_session) {
        return false;
    }
    // The first keystroke decided the frequency; the session keeps it.
    m_after = next->m_after;
    setObsolete(m_after == m_before && m_frequency.before == m_frequency.after);
    return true;
}

SetMessageFrequencyCommand::SetMessageFrequencyCommand(CMessageBrowser* browser, int situation,
                                                       int line, std::int32_t before,
                                                       std::int32_t after)
    : QUndoCommand(CMessageBrowser::tr("頻度の変更")),
      m_browser(browser),
      m_situation(situation),
      m_line(line),
      m_before(before),
      m_after(after) {}

void SetMessageFrequencyCommand::undo() {
    m_browser->ApplyFrequency(m_situation, m_line, m_before);
    m_rerun.Rerun();
    m_browser->Reveal(m_situation, m_browser->Page()->FrequencyCombo(m_line));
}

void SetMessageFrequencyCommand::redo() {
    m_browser->ApplyFrequency(m_situation, m_line, m_after);
    if (m_rerun.Rerun()) {
        m_browser->Reveal(m_situation, m_browser->Page()->FrequencyCombo(m_line));
    }
}

SetSituationCutsCommand::SetSituationCutsCommand(CMessageBrowser* browser, int situation,
                                                 SituationCuts before, SituationCuts after)
    : QUndoCommand(CMessageBrowser::tr("カットの変更")),
      m_browser(browser),
      m_situation(situation),
      m_before(before),
      m_after(after) {}

void SetSituationCutsCommand::undo() {
    m_browser->ApplySituationCuts(m_situation, m_before);
    m_rerun.Rerun();
    Reveal();
}

void SetSituationCutsCommand::redo() {
    m_browser->ApplySituationCuts(m_situation, m_after);
    if (m_rerun.Rerun()) {
        Reveal();
    }
}

void SetSituationCutsCommand::Reveal() {
    // The combo the author chose: the first cut that differs (the window cut, which sets
    // every line's cut as well, comes first).
    int combo = 0;
    while (combo + 1 < static_cast<int>(m_before.size()) &&
           m_before[static_cast<std::size_t>(combo)] == m_after[static_cast<std::size_t>(combo)]) {
        ++combo;
    }
    m_browser->Reveal(m_situation, m_browser->Page()->CutCombo(combo));
}

SetAllMessageCutsCommand::SetAllMessageCutsCommand(CMessageBrowser* browser, CutReferences before,
                                                   CutReferences after)
    : QUndoCommand(CMessageBrowser::tr("全メッセージのカットの変更")),
      m_browser(browser),
      m_before(std::move(before)),
      m_after(std::move(after)) {}

void SetAllMessageCutsCommand::undo() {
    m_browser->ApplyAllCuts(m_before);
}

void SetAllMessageCutsCommand::redo() {
    m_browser->ApplyAllCuts(m_after);
}

}  // namespace plk
