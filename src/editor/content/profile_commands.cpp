#include "editor/content/profile_commands.h"

#include <QComboBox>
#include <QLineEdit>

#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/content/profile_tendency.h"

namespace plk {
namespace {

constexpr int kProfileTextCommandId = 0x1930;
constexpr int kTendencyValueCommandId = 0x2350;

}  // namespace

SetProfileTextCommand::SetProfileTextCommand(CProfileEditer* page, int field, std::string before,
                                             std::string after, int session)
    : QUndoCommand(CProfileBrowser::tr("プロフィールの編集")),
      m_page(page),
      m_field(field),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_session(session) {}

void SetProfileTextCommand::undo() {
    m_page->ApplyText(m_field, m_before);
    m_rerun.Rerun();
    RevealEditedControl(m_page->TextEdit(m_field));
}

void SetProfileTextCommand::redo() {
    m_page->ApplyText(m_field, m_after);
    if (m_rerun.Rerun()) {
        RevealEditedControl(m_page->TextEdit(m_field));
    }
}

int SetProfileTextCommand::id() const {
    return kProfileTextCommandId;
}

bool SetProfileTextCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SetProfileTextCommand*>(other);
    if (next->m_page != m_page || next->m_field != m_field || next->m_session != m_session) {
        return false;
    }
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

SetProfileCutCommand::SetProfileCutCommand(CProfileEditer* page, int which, std::int32_t before,
                                           std::int32_t after)
    : QUndoCommand(CProfileBrowser::tr("カットの変更")),
      m_page(page),
      m_which(which),
      m_before(before),
      m_after(after) {}

void SetProfileCutCommand::undo() {
    m_page->ApplyCut(m_which, m_before);
    m_rerun.Rerun();
    RevealEditedControl(m_page->CutCombo(m_which));
}

void SetProfileCutCommand::redo() {
    m_page->ApplyCut(m_which, m_after);
    if (m_rerun.Rerun()) {
        RevealEditedControl(m_page->CutCombo(m_which));
    }
}

SetTendencyValueCommand::SetTendencyValueCommand(CProfileTendency* page, int field,
                                                 std::int32_t before, std::int32_t after,
                                                 int session)
    : QUndoCommand(CProfileBrowser::tr("傾向の変更")),
      m_page(page),
      m_field(field),
      m_before(before),
      m_after(after),
      m_session(session) {}

void SetTendencyValueCommand::undo() {
    m_page->ApplyValue(m_field, m_before);
    m_rerun.Rerun();
    RevealEditedControl(m_page->FieldControl(m_field));
}

void SetTendencyValueCommand::redo() {
    m_page->ApplyValue(m_field, m_after);
    if (m_rerun.Rerun()) {
        RevealEditedControl(m_page->FieldControl(m_field));
    }
}

int SetTendencyValueCommand::id() const {
    return kTendencyValueCommandId;
}

bool SetTendencyValueCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SetTendencyValueCommand*>(other);
    if (next->m_page != m_page || next->m_field != m_field || next->m_session != m_session) {
        return false;
    }
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

}  // namespace plk
