#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <string>

#include "editor/app/edit_reveal.h"

namespace plk {

// An undo or redo of these also shows the browser and focuses the field it changed.

class CProfileEditer;
class CProfileTendency;

// Typing into one text of the profile; keystrokes merge until the edit loses the focus.
class SetProfileTextCommand : public QUndoCommand {
public:
    SetProfileTextCommand(CProfileEditer* page, int field, std::string before, std::string after,
                          int session);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    CProfileEditer* m_page;
    int m_field;
    std::string m_before;
    std::string m_after;
    int m_session;
    RerunMark m_rerun;
};

// One of the three cut combos of the profile.
class SetProfileCutCommand : public QUndoCommand {
public:
    SetProfileCutCommand(CProfileEditer* page, int which, std::int32_t before, std::int32_t after);
    void undo() override;
    void redo() override;

private:
    CProfileEditer* m_page;
    int m_which;
    std::int32_t m_before;
    std::int32_t m_after;
    RerunMark m_rerun;
};

// One field of the tendency record (a combo's index or a slider's position). The steps of
// one slider drag merge into one command.
class SetTendencyValueCommand : public QUndoCommand {
public:
    SetTendencyValueCommand(CProfileTendency* page, int field, std::int32_t before,
                            std::int32_t after, int session);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    CProfileTendency* m_page;
    int m_field;
    std::int32_t m_before;
    std::int32_t m_after;
    int m_session;
    RerunMark m_rerun;
};

}  // namespace plk
