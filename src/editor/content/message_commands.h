#pragma once

#include <QUndoCommand>
#include <array>
#include <cstdint>
#include <string>

#include "core/content/cut_references.h"
#include "editor/app/edit_reveal.h"

namespace plk {

class CMessageBrowser;

// One command per kind of edit of the message table. Commands name the situation and the
// line by index; the browser applies them and shows the result. An undo or redo also brings
// the situation and the control of the change into view.

// Typing into a line. Keystrokes of one typing session (until the edit loses the focus)
// merge into one command. The line's frequency changes with its text when text typed into
// an unused empty line makes it spoken.
class SetMessageTextCommand : public QUndoCommand {
public:
    struct Frequency {
        std::int32_t before;
        std::int32_t after;
    };
    SetMessageTextCommand(CMessageBrowser* browser, int situation, int line, std::string before,
                          std::string after, int session, Frequency frequency);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    CMessageBrowser* m_browser;
    int m_situation;
    int m_line;
    std::string m_before;
    std::string m_after;
    int m_session;
    Frequency m_frequency;
    RerunMark m_rerun;
};

class SetMessageFrequencyCommand : public QUndoCommand {
public:
    SetMessageFrequencyCommand(CMessageBrowser* browser, int situation, int line,
                               std::int32_t before, std::int32_t after);
    void undo() override;
    void redo() override;

private:
    CMessageBrowser* m_browser;
    int m_situation;
    int m_line;
    std::int32_t m_before;
    std::int32_t m_after;
    RerunMark m_rerun;
};

// windowCut and lineCut[0..3] of one situation.
using SituationCuts = std::array<std::int32_t, kCutsPerSituation>;

class SetSituationCutsCommand : public QUndoCommand {
public:
    SetSituationCutsCommand(CMessageBrowser* browser, int situation, SituationCuts before,
                            SituationCuts after);
    void undo() override;
    void redo() override;

private:
    void Reveal();

    CMessageBrowser* m_browser;
    int m_situation;
    SituationCuts m_before;
    SituationCuts m_after;
    RerunMark m_rerun;
};

// The profile's message window cut set in every situation at once. Its place is the
// profile's combo, which the profile's half of the step shows.
class SetAllMessageCutsCommand : public QUndoCommand {
public:
    SetAllMessageCutsCommand(CMessageBrowser* browser, CutReferences before, CutReferences after);
    void undo() override;
    void redo() override;

private:
    CMessageBrowser* m_browser;
    CutReferences m_before;
    CutReferences m_after;
};

}  // namespace plk
