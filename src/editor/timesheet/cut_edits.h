#pragma once

#include <QUndoCommand>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cell_write.h"
#include "core/timesheet/frame_record.h"

namespace plk {

class CTimeSheet;
class CTimeSheetBase;

// An edit of one cut's records. It names its cut by index and finds the page when it
// runs, because pages come and go with cut insertion and deletion.
class CutEdit : public QUndoCommand {
public:
    CutEdit(CTimeSheetBase* sheet, int cut, const QString& text);

protected:
    CTimeSheet& Page() const;
    int Cut() const { return m_cut; }
    // After an undo or a redo (not the edit's first run, which the author just made), shows
    // the cut's tab and selects `range`, so the author sees what changed.
    void RevealAfterRun(const CellRange& range);

private:
    CTimeSheetBase* m_sheet;
    int m_cut;
    bool m_ranOnce = false;
};

// Rows [row, row + removed) replaced by `inserted`: frame insertion, deletion, paste,
// control frames, a cut pasted over another.
class RowsEdit : public CutEdit {
public:
    RowsEdit(CTimeSheetBase* sheet, int cut, int row, std::vector<FrameRecord> removed,
             std::vector<FrameRecord> inserted, const QString& text);
    void redo() override;
    void undo() override;

private:
    int m_row;
    std::vector<FrameRecord> m_removed;
    std::vector<FrameRecord> m_inserted;
};

// Single cells written: painting resource numbers, property fields, tweens. Edits with
// the same merge key and serial merge into one step (a drag of painting, typing in one
// field).
class CellsEdit : public CutEdit {
public:
    CellsEdit(CTimeSheetBase* sheet, int cut, std::vector<CellWrite> before,
              std::vector<CellWrite> after, const QString& text, int mergeKey = -1,
              int mergeSerial = 0);
    void redo() override;
    void undo() override;
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::vector<CellWrite> m_before;
    std::vector<CellWrite> m_after;
    int m_mergeKey;
    int m_mergeSerial;
};

// A part inserted before, or deleted at, a slot of every normal frame. The cells the
// operation drops (slot 26 on insertion, the deleted slot on deletion) are kept to undo it.
class PartShiftEdit : public CutEdit {
public:
    enum class Kind { Insert, Delete };
    PartShiftEdit(CTimeSheetBase* sheet, int cut, Kind kind, int slot, const QString& text);
    void redo() override;
    void undo() override;

private:
    Kind m_kind;
    int m_slot;
    std::vector<CellRecord> m_dropped;
};

// One slot of every normal frame rewritten: part copy (into the copy buffer, raising the
// part-copied flag) and part paste.
class PartColumnEdit : public CutEdit {
public:
    enum class Kind { Copy, Paste };
    PartColumnEdit(CTimeSheetBase* sheet, int cut, Kind kind, int slot, const QString& text);
    void redo() override;
    void undo() override;

private:
    Kind m_kind;
    int m_slot;
    std::vector<CellRecord> m_before;
    bool m_wasCopied = false;
};

}  // namespace plk
