#pragma once

#include <QUndoCommand>
#include <array>

#include "core/timesheet/cut.h"

namespace plk {

class CTimeSheetBase;

using CutNameBytes = std::array<char, kCutNameSize>;

// A new cut appended at the end of the list, with its default name.
class InsertCutEdit : public QUndoCommand {
public:
    InsertCutEdit(CTimeSheetBase* sheet, const QString& text);
    void redo() override;
    void undo() override;

private:
    CTimeSheetBase* m_sheet;
    int m_index = -1;
    CutNameBytes m_oldName{};
};

// Cut `index` deleted; the cuts after it and their names move down one place.
class DeleteCutEdit : public QUndoCommand {
public:
    DeleteCutEdit(CTimeSheetBase* sheet, int index, const QString& text);
    void redo() override;
    void undo() override;

private:
    CTimeSheetBase* m_sheet;
    int m_index;
    int m_selectedBefore = 0;
    Cut m_cut;
    CutNameBytes m_name{};
};

// Cut `index` replaced whole by a copy of another: its frames and its part columns, so
// every part the pasted frames draw is a part the author sees and edits.
class PasteCutEdit : public QUndoCommand {
public:
    PasteCutEdit(CTimeSheetBase* sheet, int index, Cut before, Cut after, const QString& text);
    void redo() override;
    void undo() override;

private:
    void Apply(const Cut& cut);

    CTimeSheetBase* m_sheet;
    int m_index;
    Cut m_before;
    Cut m_after;
    bool m_pushed = false;
};

// The name of cut `index` replaced (the table entry's bytes, as stored).
class RenameCutEdit : public QUndoCommand {
public:
    RenameCutEdit(CTimeSheetBase* sheet, int index, CutNameBytes name, const QString& text);
    void redo() override;
    void undo() override;

private:
    CTimeSheetBase* m_sheet;
    int m_index;
    CutNameBytes m_name;
    CutNameBytes m_oldName{};
};

}  // namespace plk
